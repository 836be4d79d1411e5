#include "speech/engine/segmenter.h"

#include "speech/engine/gb_text.h"
#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"

#include <algorithm>

namespace speech {

namespace {

std::uint32_t props(Unit u) { return hanziProperties(u); }

std::uint16_t wordWeight(const Unit* chars, int length) {
  std::uint32_t value = 0;
  if (length == 1) return singleWeight(chars[0]);
  return findWord(chars, length, value) ? static_cast<std::uint16_t>(value & 0xFFFF) : 0;
}

// Settles a stretch [a, b) of the run where the two passes disagree; the result goes into `res`.
void settleStretch(const Unit* run, int runStart, const Unit* text, const std::vector<std::uint8_t>& fwd,
                   const std::vector<std::uint8_t>& bwd, int a, int b, std::vector<std::uint8_t>& res) {
  static const CharSet kForwardEnd = charSet("于和则已就的地了等着上中前后内外低多来去而");
  static const CharSet kBackwardStart = charSet("为在相并从得和又把还就的地所");
  static const CharSet kPronouns = charSet("我你他她它");
  static const CharSet kTitleRepeat = charSet("区团行处连");
  static const Text kMinute = gb("分钟"), kMonth = gb("月份"), kYiwei = gb("以为"), kSecretary = gb("秘书长"),
                    kFaceOf = gb("面的"), kChang = gb("长");
  auto take = [&](const std::vector<std::uint8_t>& from) {
    for (int k = a + 1; k < b; ++k) res[static_cast<std::size_t>(k)] = from[static_cast<std::size_t>(k)];
  };
  auto split = [&](std::initializer_list<int> starts) {
    for (int k = a + 1; k < b; ++k) res[static_cast<std::size_t>(k)] = 0;
    for (int s : starts) res[static_cast<std::size_t>(a + s)] = 1;
  };
  const Unit* c = run + a;
  int m = b - a;
  if (m == 3) {
    if (kForwardEnd.has(c[2])) return take(fwd);
    if (props(c[0]) & kPropNumeral) {
      if (matchesAt(c, 3, 1, kMinute) || matchesAt(c, 3, 1, kMonth)) return take(fwd);
      int before = runStart + a - 1;
      if (before >= 0 && (props(text[before]) & kPropNumeral)) return split({1});
      return split({});
    }
    if (matchesAt(c, 3, 0, kYiwei) && kPronouns.has(c[2])) return take(fwd);
    if (kBackwardStart.has(c[0])) return take(bwd);
    int left = wordWeight(c, 2) + wordWeight(c + 2, 1);
    int right = wordWeight(c, 1) + wordWeight(c + 1, 2);
    return left < right ? split({1}) : split({2});
  }
  auto at = [&](const std::vector<std::uint8_t>& v, int k) { return v[static_cast<std::size_t>(a + k)] != 0; };
  if (m == 4) {
    if (matchesAt(c, 4, 0, kSecretary)) return split({3});
    bool f31 = at(fwd, 3) && !at(fwd, 1) && !at(fwd, 2), f22 = at(fwd, 2) && !at(fwd, 1) && !at(fwd, 3);
    bool b31 = at(bwd, 3) && !at(bwd, 1) && !at(bwd, 2), b22 = at(bwd, 2) && !at(bwd, 1) && !at(bwd, 3);
    return (f31 && !b22) || (f22 && b31) ? take(fwd) : take(bwd);
  }
  int fwdWords = 0, bwdWords = 0;
  for (int k = 0; k < m; ++k) {
    fwdWords += at(fwd, k);
    bwdWords += at(bwd, k);
  }
  if (fwdWords < bwdWords) return take(fwd);
  if (kTitleRepeat.has(c[m - 3]) && c[m - 2] == c[m - 3] && c[m - 1] == kChang[0]) return take(fwd);
  if (matchesAt(c, m, m - 2, kFaceOf)) return take(fwd);
  take(bwd);
}

// Syllable numbers of the fixed readings of measure characters.
constexpr int kChong = 38, kDa = 56, kDan = 58, kXiu = 360, kZhi = 398, kZhong = 399;
constexpr int code(int syllable, int tone) { return syllable * 5 + tone - 1; }

}  // namespace

int fixedMeasureReading(Unit u) {
  static const Text kChars = gb("重打担宿只种");
  static const int kCodes[] = {code(kChong, 2), code(kDa, 2), code(kDan, 4), code(kXiu, 3), code(kZhi, 1), code(kZhong, 3)};
  for (std::size_t i = 0; i < kChars.size(); ++i) {
    if (kChars[i] == u) return kCodes[i];
  }
  return -1;
}

int longestWordAt(const Unit* text, int length, int pos) {
  if (pos < 0 || pos >= length || !beginsWords(text[pos])) return 1;
  int n = 1;
  while (n < 4 && pos + n < length && isHanziUnit(text[pos + n])) ++n;
  std::uint32_t value = 0;
  for (int l = n; l >= 2; --l) {
    if (findWord(text + pos, l, value)) return l;
  }
  return 1;
}

int longestWordEndingAt(const Unit* text, int pos, int available) {
  std::uint32_t value = 0;
  for (int l = std::min(4, available); l >= 2; --l) {
    if (findWord(text + pos - l + 1, l, value)) return l;
  }
  return 1;
}

int choosePolyphoneReading(const Unit* word, int length, int posInWord, int polyphone) {
  if (length < 2 || length > 4) return 0;
  for (const PolyphoneWord& w : polyphoneWords(polyphone)) {
    if (w.length != length) continue;
    bool same = true;
    for (int i = 0; i < length && same; ++i) {
      Unit e = w.units[static_cast<std::size_t>(i)];
      same = i == posInWord ? (e >= 1 && e <= 9) : e == word[i];
    }
    if (same) return w.units[static_cast<std::size_t>(posInWord)];
  }
  return 0;
}

int readingInWord(const Unit* word, int length, int posInWord) {
  std::uint16_t r = readingOf(word[posInWord]);
  if (hanziIndex(word[posInWord]) < 0 || r == 0) return -1;
  if (r & kPolyphoneFlag) {
    int number = r & 0x7FFF;
    std::vector<std::uint16_t> readings = polyphoneReadings(number);
    if (readings.empty()) return -1;
    std::size_t k = static_cast<std::size_t>(choosePolyphoneReading(word, length, posInWord, number));
    r = readings[k < readings.size() ? k : 0];
  }
  return unitCodeOfReading(r);
}

namespace {

// The word lists of the run rules, made once.
struct RunWords {
  CharSet negation = charSet("不一没非");
  CharSet pronouns = charSet("我你他她它");
  CharSet pronounsAspect = charSet("我你他她它了着");
  CharSet complements = charSet("出到进去来在");
  CharSet degree = charSet("很最不更绝");
  CharSet correlative = charSet("又边越太如");
  CharSet saying = charSet("说讲谈称是获抵率偕等");
  CharSet noPairStart = charSet("尔夫基鲁汀");
  CharSet apart = charSet("据就是用已竟也又但还颇这那都");
  CharSet aspect = charSet("了着");
  WordList titles = pairList(
      "先生女士太太夫人小姐爷爷奶奶伯伯大伯大爷大娘叔叔阿姨大哥大嫂大姐兄弟主席总统书记总理总督省长市长县长州长乡长镇长村长"
      "队长区长部长厅长局长司长处长科长股长组长外长矿长秘书干事文书大使参赞领事行长元帅司令军长师长旅长团长营长连长排长班长"
      "教官参谋教授老师校长主任院长所长楼长博士教练老板经理厂长会计出纳大夫医生护士师傅助理导演总编主编");
  WordList reporting = pairList(
      "报导会见介绍邀请应邀会晤参加出席访问接任接受接到主持批准同意宣布出任就任前往看望欢迎辞去拒绝逝世决定回答冷笑笑道叹道"
      "答道知道报道编辑带领批示作出赶赴");
  WordList compoundSurnames = pairList(
      "诸葛长孙宇文尉迟轩辕鲜于夏侯西门拓跋澹台司马司徒司空上官欧阳南宫慕容皇甫呼延赫连公冶公羊公孙端木独孤东门东郭淳于单于公输");
  Unit step = gb("步")[0], yi = gb("一")[0], year = gb("年")[0], de = gb("的")[0], xiao = gb("小")[0];
  Text deHen = gb("得很");
  Text open = gb("\"'“‘《([{〔〈（〖【"), close = gb("\"'”’》)]}〕〉）〗】");
};

const RunWords& runWords() {
  static const RunWords words;
  return words;
}

// A run being segmented: its characters, the grade of the boundary before each (0: inside a word;
// n + 1 entries), the readings set so far and the characters of names, which later joins leave.
struct RunWork {
  const Unit* run;
  int n;
  std::vector<std::uint8_t> g;
  std::vector<int>& readings;
  std::vector<bool> locked;

  std::uint8_t& G(int k) { return g[static_cast<std::size_t>(k)]; }
  bool isLocked(int k) const { return locked[static_cast<std::size_t>(k)]; }
  void lock(int k) { locked[static_cast<std::size_t>(k)] = true; }
  void setStart(int k) {
    if (k >= 0 && k <= n && !G(k)) G(k) = 1;
  }
  bool oneCharWord(int k) { return k >= 0 && k < n && G(k) && G(k + 1); }
  int wordEnd(int k) {
    int e = k + 1;
    while (e < n && !G(e)) ++e;
    return e;
  }
  std::uint32_t propsAt(int k) const { return props(run[k]); }
};

// Word starts of the forward longest-match pass; the run ends where the pass stops. Returns the
// run's length.
int forwardPass(const Unit* text, int length, int start, std::vector<std::uint8_t>& fwd) {
  int p = start;
  while (p < length && isHanziUnit(text[p])) {
    fwd[static_cast<std::size_t>(p - start)] = 1;
    p += longestWordAt(text, length, p);
  }
  return p - start;
}

// Word starts of the backward longest-match pass over the run's n characters.
void backwardPass(const Unit* text, int start, int n, std::vector<std::uint8_t>& bwd) {
  for (int q = n - 1; q >= 0;) {
    int l = longestWordEndingAt(text, start + q, q + 1);
    bwd[static_cast<std::size_t>(q - l + 1)] = 1;
    q -= l;
  }
}

// Where the passes agree the boundary stands; each stretch between agreeing boundaries where they
// differ is settled.
std::vector<std::uint8_t> settleDisagreements(const Unit* text, int start, int n, const std::vector<std::uint8_t>& fwd,
                                              const std::vector<std::uint8_t>& bwd) {
  std::vector<std::uint8_t> g = fwd;
  for (int a = 0, b = 1; b <= n; ++b) {
    if (!(fwd[static_cast<std::size_t>(b)] && bwd[static_cast<std::size_t>(b)])) continue;
    bool differ = false;
    for (int k = a + 1; k < b; ++k) differ |= fwd[static_cast<std::size_t>(k)] != bwd[static_cast<std::size_t>(k)];
    if (differ) settleStretch(text + start, start, text, fwd, bwd, a, b, g);
    a = b;
  }
  return g;
}

// Readings of the polyphones from the words that hold them.
void choosePolyphoneReadings(RunWork& w) {
  for (int k = 0; k < w.n; ++k) {
    if (!(readingOf(w.run[k]) & kPolyphoneFlag) || hanziIndex(w.run[k]) < 0) continue;
    int ws = k, we = k + 1;
    while (ws > 0 && !w.G(ws)) --ws;
    while (we < w.n && !w.G(we)) ++we;
    if (we - ws > 4) {  // a word longer than four characters: the four around the character
      ws = std::max(ws, k - 3);
      we = std::min(we, ws + 4);
    }
    w.readings[static_cast<std::size_t>(k)] = readingInWord(w.run + ws, we - ws, k - ws);
  }
}

// A short run between a matching pair of quotation marks or brackets stays one word (two plus
// two for four characters). True when it applied.
bool keepQuotedRun(const Unit* text, int length, int start, RunWork& w) {
  const RunWords& words = runWords();
  const int n = w.n;
  if (n > 4 || start <= 0 || start + n >= length) return false;
  auto open = std::find(words.open.begin(), words.open.end(), text[start - 1]);
  if (open == words.open.end() || words.close[static_cast<std::size_t>(open - words.open.begin())] != text[start + n])
    return false;
  std::fill(w.g.begin() + 1, w.g.end() - 1, 0);
  if (n == 4) w.G(2) = 1;
  return true;
}

// 看不看: a negation between two equal characters.
void splitNegatedRepeats(RunWork& w) {
  for (int k = 1; k + 1 < w.n; ++k) {
    if (runWords().negation.has(w.run[k]) && w.run[k - 1] == w.run[k + 1]) {
      w.setStart(k - 1);
      w.G(k) = w.G(k + 1) = 0;
      w.setStart(k + 2);
    }
  }
}

// Number words in a row are one number; a measure character joins the number word before it and
// takes its fixed reading.
void joinNumbers(RunWork& w) {
  for (int k = 1; k < w.n; ++k) {
    if ((w.propsAt(k) & kPropNumberWord) && (w.propsAt(k - 1) & kPropNumberWord)) w.G(k) = 0;
  }
  for (int k = 1; k < w.n; ++k) {
    if ((w.propsAt(k) & kPropMeasure) && (w.propsAt(k - 1) & kPropNumberWord)) {
      w.G(k) = 0;
      int fixed = fixedMeasureReading(w.run[k]);
      if (fixed >= 0) w.readings[static_cast<std::size_t>(k)] = fixed;
    }
  }
}

// Transliterations: a run of foreign-name characters ending at one that may end it becomes one
// word, read in pairs; 尔夫基鲁汀 start no pair.
void joinTransliterations(RunWork& w) {
  const int n = w.n;
  auto foreign = [&](int k) {
    std::uint32_t pr = w.propsAt(k);
    return (pr & kPropForeign) && !(pr & (kPropNotForeign1 | kPropNotForeign2));
  };
  for (int k = 0; k < n;) {
    if (!foreign(k)) {
      ++k;
      continue;
    }
    int e = k;
    while (e < n && foreign(e)) ++e;
    int end = e;
    while (end > k && ((w.propsAt(end - 1) & kPropForeignTrail) || !(w.propsAt(end - 1) & kPropForeignEnd))) --end;
    if (end - k > 1) {
      for (int i = k; i <= end; ++i) w.G(i) = 0;
      for (int p = k; p < end;) {
        w.G(p) = 1;
        int len = p + 2 < end && runWords().noPairStart.has(w.run[p + 2]) ? 3 : 2;
        p += std::min(len, end - p);
      }
      w.G(end) = 1;
      for (int i = k; i < end; ++i) w.lock(i);
    }
    k = e;
  }
}

// Personal names: a surname (or compound surname) that a title, a verb of saying, a reporting
// verb or 小 marks as the start of a name, with one or two given-name characters.
void joinPersonalNames(RunWork& w) {
  const RunWords& words = runWords();
  const Unit* run = w.run;
  const int n = w.n;
  auto marksName = [&](int at) {
    return at == n || words.titles.matchAt(run, n, at) >= 0 || words.reporting.matchAt(run, n, at) >= 0 ||
           words.saying.has(run[at]);
  };
  for (int k = 0; k < n; ++k) {
    int surnameLength = words.compoundSurnames.matchAt(run, n, k) >= 0 ? 2 : (surnameCode(run[k]) != 0xFFFF ? 1 : 0);
    if (!surnameLength || !w.G(k)) continue;
    bool afterXiao = k > 0 && run[k - 1] == words.xiao;
    int given = -1;
    for (int len = 2; len >= 1 && given < 0; --len) {
      int end = k + surnameLength + len;
      if (end > n) continue;
      bool nameChars = true;
      for (int i = k + surnameLength; i < end; ++i) nameChars &= (w.propsAt(i) & kPropGivenNameMask) != 0;
      if (nameChars && marksName(end) && end < n) given = len;
    }
    if (given < 0 && (afterXiao || (k + surnameLength < n && words.titles.matchAt(run, n, k + surnameLength) >= 0)))
      given = 0;
    if (given < 0) continue;
    int end = k + surnameLength + given;
    for (int i = k + 1; i < end; ++i) w.G(i) = 0;
    if (afterXiao) w.G(k) = 0;
    w.setStart(end);
    if (surnameLength == 1) w.readings[static_cast<std::size_t>(k)] = surnameCode(run[k]);
    for (int i = afterXiao ? k - 1 : k; i < end; ++i) w.lock(i);
    k = end - 1;
  }
}

// Reduplication: AA one word, AABB as AA | BB.
void joinReduplications(RunWork& w) {
  const Unit* run = w.run;
  for (int k = 0; k + 1 < w.n; ++k) {
    if (k + 3 < w.n && run[k] == run[k + 1] && run[k + 2] == run[k + 3] && run[k] != run[k + 2]) {
      w.G(k) = 1, w.G(k + 1) = 0, w.G(k + 2) = 1, w.G(k + 3) = 0;
      w.setStart(k + 4);
      k += 3;
    } else if (w.oneCharWord(k) && w.oneCharWord(k + 1) && run[k] == run[k + 1]) {
      w.G(k + 1) = 0;
    }
  }
}

// Four-character words are read two plus two; four number words before 年 two plus three.
void splitFourCharacterWords(RunWork& w) {
  for (int k = 0; k + 4 <= w.n; ++k) {
    bool years = k + 4 < w.n && w.run[k + 4] == runWords().year;
    for (int i = 0; i < 4 && years; ++i) years = (w.propsAt(k + i) & kPropNumberWord) != 0;
    if (years) {
      w.G(k) = 1, w.G(k + 1) = 0, w.G(k + 2) = 1, w.G(k + 3) = w.G(k + 4) = 0;
      w.setStart(k + 5);
    } else if (w.G(k) && w.G(k + 4) && !w.G(k + 1) && !w.G(k + 2) && !w.G(k + 3)) {
      w.G(k + 2) = 1;
    }
  }
}

// 一 with a doubled measure character or 步步; X A X B with a correlative X.
void joinRepeatedPatterns(RunWork& w) {
  const RunWords& words = runWords();
  const Unit* run = w.run;
  for (int k = 0; k + 3 <= w.n; ++k) {
    if (run[k] == words.yi && run[k + 1] == run[k + 2] && ((w.propsAt(k + 1) & kPropMeasure) || run[k + 1] == words.step)) {
      w.G(k) = 1, w.G(k + 1) = w.G(k + 2) = 0;
      w.setStart(k + 3);
    } else if (k + 4 <= w.n && words.correlative.has(run[k]) && run[k + 2] == run[k]) {
      w.G(k) = 1, w.G(k + 1) = 0, w.G(k + 2) = 1, w.G(k + 3) = 0;
      w.setStart(k + 4);
    }
  }
}

// A one-character word before 的 joins the word before it; so do directional complements and
// degree adverbs, except after a pronoun or an aspect particle.
void joinOneCharacterWords(RunWork& w) {
  const RunWords& words = runWords();
  const Unit* run = w.run;
  for (int k = 1; k < w.n; ++k) {
    if (!w.oneCharWord(k) || w.isLocked(k) || w.isLocked(k - 1)) continue;
    bool beforeDe = k + 1 < w.n && run[k + 1] == words.de && !words.pronouns.has(run[k]);
    bool joins = (words.complements.has(run[k]) || words.degree.has(run[k])) && !words.pronounsAspect.has(run[k - 1]);
    if (beforeDe || joins) w.G(k) = 0;
  }
}

// Grades of one-character words from their properties.
void gradeOneCharacterWords(RunWork& w) {
  for (int k = 1; k < w.n; ++k) {
    if (!w.oneCharWord(k)) continue;
    std::uint32_t pr = w.propsAt(k);
    if (pr & kPropGrade4) {
      w.G(k) = 4;
    } else if (pr & kPropGrade3) {
      w.G(k) = 3;
    } else if (pr & kPropGrade2) {
      w.G(k) = 2;
    }
  }
}

// Neighbouring grades merge: 3 or 1 before 2, 3 before a 1 that is followed by 1 or 3, and two
// 3s or two 2s make one word of grade 1; then one-character words in a row are paired.
void mergeNeighbourGrades(RunWork& w) {
  const int n = w.n;
  for (int k = 0; k < n;) {
    int e1 = w.wordEnd(k);
    if (e1 >= n) break;
    int e2 = w.wordEnd(e1);
    int a = w.G(k), b = w.G(e1), after = e2 < n ? w.G(e2) : 0;
    bool free = !w.isLocked(k) && !w.isLocked(e1);
    if (free && ((b == 2 && (a == 3 || a == 1)) || (a == 3 && b == 1 && (after == 1 || after == 3)) || (a == b && (a == 2 || a == 3)))) {
      w.G(e1) = 0;
      if (k > 0) w.G(k) = 1;
      k = e2;
      continue;
    }
    k = e1;
  }
  for (int k = 0; k + 1 < n;) {
    if (w.oneCharWord(k) && w.oneCharWord(k + 1) && w.G(k + 1) == 1 && !w.isLocked(k) && !w.isLocked(k + 1)) {
      w.G(k + 1) = 0;
      k += 2;
    } else {
      ++k;
    }
  }
}

// A grade-3 boundary before a word of two or more characters becomes 1, unless the character
// before it (or before its 了 or 着) is an adverb kept apart.
void lowerGradeBeforeLongWords(RunWork& w) {
  const RunWords& words = runWords();
  for (int k = 1; k < w.n; ++k) {
    if (w.G(k) != 3 || w.wordEnd(k) - k < 2) continue;
    int before = k - 1;
    if (words.aspect.has(w.run[before]) && before > 0) --before;
    if (!(w.propsAt(before) & kPropApart) && !words.apart.has(w.run[before])) w.G(k) = 1;
  }
}

// The run's last character joins the word before it unless that word follows a grade-2
// boundary; a final 得很 stays one word.
void joinLastCharacter(RunWork& w) {
  const int n = w.n;
  if (n >= 2 && matchesAt(w.run, n, n - 2, runWords().deHen)) {
    w.G(n - 1) = 0;
  } else if (n >= 2 && w.oneCharWord(n - 1) && !w.isLocked(n - 1) && !w.isLocked(n - 2)) {
    int before = n - 2;
    while (before > 0 && !w.G(before)) --before;
    if (w.G(before) != 2 && w.G(n - 1) < 2) w.G(n - 1) = 0;
  }
}

}  // namespace

SegmentedRun segmentRun(const Unit* text, int length, int start) {
  SegmentedRun out;
  std::vector<std::uint8_t> fwd(static_cast<std::size_t>(length - start) + 1, 0), bwd = fwd;
  const int n = forwardPass(text, length, start, fwd);
  out.length = n;
  if (n == 0) return out;
  fwd.resize(static_cast<std::size_t>(n) + 1);
  bwd.resize(static_cast<std::size_t>(n) + 1);
  fwd[static_cast<std::size_t>(n)] = 1;
  bwd[static_cast<std::size_t>(n)] = 1;
  backwardPass(text, start, n, bwd);

  out.readings.assign(static_cast<std::size_t>(n), -1);
  RunWork w{text + start, n, settleDisagreements(text, start, n, fwd, bwd), out.readings,
            std::vector<bool>(static_cast<std::size_t>(n), false)};
  choosePolyphoneReadings(w);
  if (keepQuotedRun(text, length, start, w)) {
    out.grades = std::move(w.g);
    return out;
  }
  for (void (*pass)(RunWork&) : {splitNegatedRepeats, joinNumbers, joinTransliterations, joinPersonalNames,
                                 joinReduplications, splitFourCharacterWords, joinRepeatedPatterns,
                                 joinOneCharacterWords, gradeOneCharacterWords, mergeNeighbourGrades,
                                 lowerGradeBeforeLongWords, joinLastCharacter}) {
    pass(w);
  }
  w.G(0) = std::max<std::uint8_t>(w.G(0), 1);
  w.G(n) = std::max<std::uint8_t>(w.G(n), 1);
  out.grades = std::move(w.g);
  return out;
}

void phrasePiece(const Unit* text, int length, std::vector<std::uint16_t>& bounds) {
  static const Unit kShi = gb("是")[0];
  static const CharSet kSpeak = charSet("说讲");
  static const WordList kShiWords = wordList({"不是", "而是", "就是", "还是", "才是", "都是"});
  auto type = [&](int p) { return bounds[static_cast<std::size_t>(p)] & kBoundTypeMask; };
  auto nextBoundary = [&](int p) {
    for (int q = p + 1; q <= length; ++q) {
      if (type(q) || (bounds[static_cast<std::size_t>(q)] & kBoundEnd)) return q;
    }
    return length;
  };
  // Candidates.
  for (int p = 0; p < length; ++p) {
    int t = type(p);
    if (!t || t == kBoundPause) continue;
    int next = nextBoundary(p);
    bool oneChar = next == p + 1;
    if ((t >= 2 || oneChar) && text[p] == kShi) bounds[static_cast<std::size_t>(p)] |= kBoundProvisional;
    if ((t >= 2 || oneChar) && kSpeak.has(text[p]) && next < length) bounds[static_cast<std::size_t>(next)] |= kBoundProvisional;
    if (t == 1 && next == p + 2 && kShiWords.matchAt(text, length, p) >= 0) bounds[static_cast<std::size_t>(p)] |= kBoundProvisional;
  }
  auto candidate = [&](int p) { return (bounds[static_cast<std::size_t>(p)] & kBoundProvisional) != 0; };
  auto drop = [&](int p) { bounds[static_cast<std::size_t>(p)] &= static_cast<std::uint16_t>(~kBoundTypeMask); };
  // Distance pass.
  int reference = 0;
  for (int b = 1; b < length; ++b) {
    if (!type(b) || b - reference < 5) continue;
    int strong = -1;
    for (int q = b + 1; q < length; ++q) {
      if (type(q) == kBoundPause || candidate(q)) {
        strong = q;
        break;
      }
    }
    if (strong < 0 || strong - b > 4) {
      if (candidate(b)) drop(b);
      reference = b;
    } else {
      if (candidate(strong)) drop(strong);
      reference = strong;
      b = strong;
    }
  }
  for (auto& v : bounds) v &= static_cast<std::uint16_t>(~kBoundProvisional);
}

}  // namespace speech
