#include "speech/engine/number_reading.h"

#include "speech/engine/speech_data.h"
#include "speech/engine/segmenter.h"

#include <algorithm>

namespace speech {

namespace {

bool digit(Unit u) { return u >= '0' && u <= '9'; }
bool upper(Unit u) { return u >= 'A' && u <= 'Z'; }
bool letter(Unit u) { return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z'); }

const Text& digitWords() {
  static const Text k = gb("零一二三四五六七八九");
  return k;
}
Unit word1(const char* bytes) { return gb(bytes)[0]; }

void append(Text& out, const Text& t) { out.insert(out.end(), t.begin(), t.end()); }

}  // namespace

NumberReading readNumber(const Unit* d, int length, int kind) {
  static const Unit kYao = word1("幺"), kPoint = word1("点"), kTen = word1("十"), kZero = word1("零");
  static const Text kPlaces = gb("千百十"), kGroupUnits = gb("万亿");
  NumberReading r;
  auto digitsOnly = [&](int from, int to, bool yao, int every) {
    int count = 0;
    for (int i = from; i < to; ++i) {
      if (d[i] == '.') {
        r.text.push_back(kPoint);
        continue;
      }
      if (!digit(d[i])) continue;
      r.text.push_back(yao && d[i] == '1' ? kYao : digitWords()[static_cast<std::size_t>(d[i] - '0')]);
      ++count;
      int left = 0;
      for (int k = i + 1; k < to; ++k) left += digit(d[k]);
      if (every && count % every == 0 && left >= 2) r.boundaries.push_back(static_cast<int>(r.text.size()));
    }
  };
  int digits = 0;
  for (int i = 0; i < length; ++i) digits += digit(d[i]);
  if (kind == kKindDigitsYao || kind == kKindDigits) {
    int every = 0;
    if (digits == 7 || digits == 8 || digits == 11) {
      every = 4;
    } else if (digits >= 9) {
      every = 3;
    } else if (digits == 5 || digits == 6 || (kind == kKindDigits && digits <= 4)) {
      every = 2;
    }
    digitsOnly(0, length, kind == kKindDigitsYao && digits > 1, every);
    return r;
  }
  // By value.
  int point = static_cast<int>(std::find(d, d + length, Unit{'.'}) - d);
  int i = 0, zeros = 0;
  while (i < point && d[i] == '0') ++i, ++zeros;
  int intDigits = point - i;
  if (kind == kKindValueZero && zeros == 1 && intDigits > 0) r.text.push_back(kZero);
  if (intDigits == 0) {
    if (zeros > 0 || point == 0) r.text.push_back(kZero);
  } else if (intDigits > 12) {
    digitsOnly(i, point, false, 2);
  } else {
    bool pendingZero = false, any = false;
    for (int k = i; k < point; ++k) {
      int fromRight = point - 1 - k;  // 0: ones
      int place = fromRight % 4;
      int v = d[k] - '0';
      if (v == 0) {
        if (any) pendingZero = true;
      } else {
        if (pendingZero) r.text.push_back(kZero);
        pendingZero = false;
        any = true;
        r.text.push_back(digitWords()[static_cast<std::size_t>(v)]);
        if (place > 0) r.text.push_back(kPlaces[static_cast<std::size_t>(3 - place)]);
      }
      if (place == 0 && fromRight > 0) {
        // End of a group of four: its unit when the group is not all zeros.
        bool nonZero = false;
        for (int g = std::max(i, k - 3); g <= k; ++g) nonZero |= d[g] != '0';
        if (nonZero) r.text.push_back(kGroupUnits[static_cast<std::size_t>(fromRight / 4 - 1)]);
      }
    }
    // A leading 一十 is read 十.
    std::size_t at = (kind == kKindValueZero && zeros == 1) ? 1 : 0;
    if (r.text.size() >= at + 2 && r.text[at] == digitWords()[1] && r.text[at + 1] == kTen) r.text.erase(r.text.begin() + static_cast<long>(at));
  }
  if (point < length) {
    r.text.push_back(kPoint);
    int count = 0;
    for (int k = point + 1; k < length; ++k) {
      if (!digit(d[k])) continue;
      r.text.push_back(digitWords()[static_cast<std::size_t>(d[k] - '0')]);
      if (++count % 2 == 0 && k + 2 < length) r.boundaries.push_back(static_cast<int>(r.text.size()));
    }
  }
  return r;
}

namespace {

int monthDays(int month, int year) {
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month != 2) return kDays[month - 1];
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return leap ? 29 : 28;
}
bool isMonth(int m) { return m >= 1 && m <= 12; }
bool validDay(int day, int month, int year) { return day >= 1 && day <= monthDays(month, year); }

// Date orders as (year group, month group, day group), 0 absent.
constexpr int kOrders[8][3] = {{0, 0, 0}, {1, 2, 3}, {3, 1, 2}, {3, 2, 1}, {1, 2, 0}, {2, 1, 0}, {0, 1, 2}, {0, 2, 1}};

int groupValue(const Unit* t, int s, int e) {
  int v = 0;
  for (int i = s; i < e && i < s + 6; ++i) v = v * 10 + (t[i] - '0');
  return v;
}

// The date order of the groups; 0 when they form no valid date.
int dateOrder(const Unit* t, const std::vector<std::pair<int, int>>& g) {
  std::vector<int> v, n;
  for (auto [s, e] : g) {
    v.push_back(groupValue(t, s, e));
    n.push_back(e - s);
  }
  if (g.size() == 3) {
    if (v[0] >= 100) return isMonth(v[1]) && validDay(v[2], v[1], v[0]) ? 1 : 0;
    if (v[2] <= 100 && isMonth(v[1])) {
      if (validDay(v[2], v[1], v[0])) return 1;
      return validDay(v[0], v[1], v[2]) ? 3 : 0;
    }
    if (v[2] > 100) {
      if (isMonth(v[0])) return validDay(v[1], v[0], v[2]) ? 2 : 0;
      return isMonth(v[1]) && validDay(v[0], v[1], v[2]) ? 3 : 0;
    }
    return 0;
  }
  if (isMonth(v[0]) && validDay(v[1], v[0], 2000)) return 6;
  if (isMonth(v[1]) && (n[0] >= 3 || v[0] > 31)) return 4;
  if (isMonth(v[0]) && (n[1] >= 3 || v[1] > 31)) return 5;
  return 0;
}

// Distance from the number to the nearest word of the list within 16 characters before it
// (back to a colon when stopAtColon); a large value when none.
int nearestBefore(const Unit* t, int start, const WordList& words, bool stopAtColon) {
  for (int p = start; p >= 0 && start - p <= 16; --p) {
    if (stopAtColon && p < start && t[p] == ':') break;
    if (words.endsAt(t, start, p) >= 0) return start - p;
  }
  return 1000;
}
int nearestAfter(const Unit* t, int length, int end, const WordList& words, bool stopAtColon) {
  for (int p = end; p < length && p - end <= 16; ++p) {
    if (stopAtColon && p > end && t[p] == ':') break;
    if (words.matchAt(t, length, p) >= 0) return p - end;
  }
  return 1000;
}

// The same for listed words (cz.dat) of a class.
int nearestClassBefore(const Unit* t, int start, std::uint32_t cls, bool stopAtColon) {
  std::uint32_t value = 0;
  for (int p = start; p >= 0 && start - p <= 16; --p) {
    if (stopAtColon && p < start && t[p] == ':') break;
    for (int len = 2; len <= 4 && p - len >= 0; ++len) {
      if (findWord(t + p - len, len, value) && (value & cls)) return start - p;
    }
  }
  return 1000;
}
int nearestClassAfter(const Unit* t, int length, int end, std::uint32_t cls, bool stopAtColon) {
  std::uint32_t value = 0;
  for (int p = end; p < length && p - end <= 16; ++p) {
    if (stopAtColon && p > end && t[p] == ':') break;
    for (int len = 2; len <= 4 && p + len <= length; ++len) {
      if (findWord(t + p, len, value) && (value & cls)) return p - end;
    }
  }
  return 1000;
}

const WordList& scoreWordsBefore() {
  static const WordList k = wordList({"比", "局", "对", "结果", "成", "为"});
  return k;
}
const WordList& scoreWordsAfter() {
  static const WordList k = wordList({"胜", "败", "平", "负", "领先", "落后"});
  return k;
}

}  // namespace

std::vector<NumberExpression> findNumberExpressions(const Unit* t, int length) {
  static const WordList kTelWords = wordList({"电话", "tel", "Tel", "TEL", "传真", "Fax", "FAX", "fax"});
  static const WordList kPagerWords = wordList({"呼"});
  static const WordList kAmPm = wordList({"A.M.", "P.M.", "AM", "PM", "a.m.", "p.m.", "am", "pm"});
  std::vector<NumberExpression> out;
  auto arith = [](Unit u) { return isArithmeticUnit(u); };
  for (int i = 0; i < length; ++i) {
    if (!digit(t[i]) || (i > 0 && (digit(t[i - 1]) || t[i - 1] == '.'))) continue;
    std::vector<std::pair<int, int>> g;
    int j = i;
    while (j < length && digit(t[j])) ++j;
    g.push_back({i, j});
    Unit sep = j + 1 < length && digit(t[j + 1]) ? t[j] : 0;
    if (sep != ',' && sep != '-' && sep != '/' && sep != '.' && sep != ':' && sep != '\'') {
      i = j;
      continue;
    }
    NumberExpression e;
    e.start = i;
    bool tooMany = false;
    while (j + 1 < length && t[j] == sep && digit(t[j + 1])) {
      if (e.separators >= kMaxSeparators) {
        // Too many separators: the whole chain is skipped.
        tooMany = true;
        while (j + 1 < length && t[j] == sep && digit(t[j + 1])) {
          ++j;
          while (j < length && digit(t[j])) ++j;
        }
        break;
      }
      e.separatorAt[static_cast<std::size_t>(e.separators++)] = j;
      int s = ++j;
      while (j < length && digit(t[j])) ++j;
      g.push_back({s, j});
      if (sep == '\'') break;
    }
    int end = j;
    i = end - 1;  // the scan goes on after the expression
    if (tooMany || static_cast<int>(out.size()) >= kMaxExpressions) continue;
    Unit before = e.start > 0 ? t[e.start - 1] : 0, after = end < length ? t[end] : 0;
    auto groupsSized = [&](int maxDigits) {
      for (auto [s, x] : g) {
        if (x - s > maxDigits) return false;
      }
      return true;
    };
    if (sep == ',') {
      bool ok = g[0].second - g[0].first <= 3;
      for (std::size_t k = 1; k < g.size(); ++k) ok &= g[k].second - g[k].first == 3;
      if (!ok) continue;
      e.cls = kExprThousands;
    } else if (sep == '-' || sep == '/' || sep == '.') {
      if (sep == '.' && g.size() > 3) continue;
      bool nextToSign = (arith(before) && !(before == '-' && sep != '-')) || (arith(after) && !(after == '-' && sep != '-'));
      int order = 0;
      if (!nextToSign && g.size() <= 3 && groupsSized(4)) {
        int wide = 0;
        bool placed = true;
        for (std::size_t k = 0; k < g.size(); ++k) {
          if (g[k].second - g[k].first >= 3) {
            ++wide;
            placed &= k == 0 || k + 1 == g.size();
          }
        }
        if (wide <= 1 && placed) order = dateOrder(t, g);
      }
      if (order) {
        e.cls = kExprDate;
        e.subclass = order;
        e.uncertain = g.size() == 2;
        if (g.size() == 2 && sep != '.' && g[0].second - g[0].first == 2 && g[1].second - g[1].first == 2 &&
            (t[g[0].first] == '0' || t[g[1].first] == '0')) {
          e.uncertain = false;
        }
      }
      if (sep == '-' && (!order || e.uncertain) && t[e.start] != '0' && !arith(after)) {
        if (e.separators == 1) {
          int tel = nearestBefore(t, e.start, kTelWords, false);
          int pager = std::min(nearestBefore(t, e.start, kPagerWords, false), nearestClassBefore(t, e.start, kWordPager, false));
          if (tel == 1000 && pager == 1000) continue;
          e.cls = kExprPhone;
          e.subclass = tel <= pager ? 1 : 2;  // 1: 转, 2: 杠
        } else {
          e.cls = kExprPhone;
          e.subclass = 2;
        }
        e.uncertain = false;
      }
      // An uncertain date is left to the rewrite, which reads it by its context.
      if (!e.cls || e.uncertain) continue;
    } else if (sep == ':') {
      if (g.size() > 3 || g[0].second - g[0].first > 2) continue;
      bool shaped = true;
      for (std::size_t k = 1; k < g.size(); ++k) shaped &= g[k].second - g[k].first == 2;
      if (!shaped) {
        // Two groups that cannot be a time (3:2) are a score when a score word stands near.
        int score = std::min(nearestBefore(t, e.start, scoreWordsBefore(), true), nearestAfter(t, length, end, scoreWordsAfter(), true));
        if (g.size() != 2 || g[1].second - g[1].first > 2 || score == 1000) continue;
        e.cls = kExprScore;
        e.length = end - e.start;
        out.push_back(e);
        continue;
      }
      int h = groupValue(t, g[0].first, g[0].second), m = groupValue(t, g[1].first, g[1].second);
      int s = g.size() == 3 ? groupValue(t, g[2].first, g[2].second) : 0;
      bool validTime = h <= 24 && m <= 59 && s <= 59;
      int skip = end < length && t[end] == ' ' ? 1 : 0;
      int ampm = kAmPm.matchAt(t, length, end + skip);
      if (validTime && ampm >= 0) {
        e.cls = kExprTime;
        e.subclass = (kAmPm.words[static_cast<std::size_t>(ampm)][0] | 0x20) == 'a' ? 1 : 2;
        e.suffixLength = skip + static_cast<int>(kAmPm.words[static_cast<std::size_t>(ampm)].size());
      } else {
        int time = std::min(nearestClassBefore(t, e.start, kWordTime, true), nearestClassAfter(t, length, end, kWordTime, true));
        int score = std::min(nearestBefore(t, e.start, scoreWordsBefore(), true), nearestAfter(t, length, end, scoreWordsAfter(), true));
        if (score < time && g.size() == 2) {
          e.cls = kExprScore;
        } else if (validTime) {
          e.cls = kExprTime;
        } else if (g.size() == 2) {
          e.cls = kExprScore;
        } else {
          continue;
        }
      }
    } else {  // minutes and seconds: m'ss" or m'ss
      if (g.size() != 2 || g[0].second - g[0].first > 2 || g[1].second - g[1].first > 2 ||
          groupValue(t, g[0].first, g[0].second) > 59) {
        continue;
      }
      e.cls = kExprMinutes;
      if (end < length && t[end] == '"') ++end;
    }
    e.length = end - e.start;
    out.push_back(e);
  }
  return out;
}

namespace {

// Unit abbreviations and words with their names; the abbreviations are matched longest first.
struct UnitName {
  const char* key;
  const char* name;
};
constexpr UnitName kAbbreviations[] = {
    {"m", "米"}, {"dm", "分米"}, {"cm", "厘米"}, {"mm", "毫米"}, {"km", "公里"}, {"mile", "海里"}, {"g", "克"},
    {"mg", "毫克"}, {"kg", "千克"}, {"t", "吨"}, {"s", "秒"}, {"min", "分钟"}, {"h", "小时"}, {"A", "安"}, {"V", "伏"},
    {"W", "瓦"}, {"mol", "摩尔"}, {"rad", "弧度"}, {"Hz", "赫兹"}, {"N", "牛顿"}, {"Pa", "帕"}, {"r/s", "转每秒"},
    {"l", "升"}, {"ml", "毫升"}, {"dB", "分贝"}, {"Byte", "字节"}, {"B", "字节"}, {"bit", "比特"}, {"KB", "千字节"},
    {"Kb", "千位"}, {"KHz", "千赫兹"}, {"KByte", "千字节"}, {"M", "兆"}, {"MB", "兆字节"}, {"Mb", "兆位"},
    {"MHz", "兆赫兹"}, {"MByte", "兆字节"}, {"G", "G"}, {"GB", "G字节"}, {"Gb", "G位"}, {"GHz", "G赫兹"},
    {"GByte", "G字节"}, {"℃", "摄氏度"}, {"㎎", "毫克"}, {"㎏", "千克"}, {"㎜", "毫米"}, {"㎝", "厘米"}, {"㎞", "千米"},
    {"㎡", "平方米"}, {"㏄", "立方厘米"}, {"", ""}};
constexpr const char* kUnitWords[] = {
    "英寸", "加仑", "千瓦", "磅", "公斤", "斤", "两", "盎司", "英尺", "尺", "寸", "丈", "平方公里", "公顷", "立方米", "品脱",
    "月", "日", "周", "天", "元", "美元", "角", "分", "毛", "度", "帕斯卡", "千帕", "赫", "千赫", "焦", "焦耳", "瓦特", "亿",
    "兆", "厘", "毫", "微", "米", "公里", "千米", "厘米", "毫米", "克", "千克", "吨", "秒", "分钟", "小时"};

struct UnitTable {
  std::vector<std::pair<Text, Text>> abbreviations;
  WordList words;
};
const UnitTable& units() {
  static const UnitTable t = [] {
    UnitTable u;
    for (const UnitName* a = kAbbreviations; a->key[0]; ++a) u.abbreviations.emplace_back(gb(a->key), gb(a->name));
    std::stable_sort(u.abbreviations.begin(), u.abbreviations.end(),
                     [](const auto& x, const auto& y) { return x.first.size() > y.first.size(); });
    for (const char* w : kUnitWords) u.words.words.push_back(gb(w));
    std::stable_sort(u.words.words.begin(), u.words.words.end(), [](const Text& x, const Text& y) { return x.size() > y.size(); });
    return u;
  }();
  return t;
}

class Rewriter {
 public:
  Rewriter(const Unit* t, int n, const std::vector<NumberExpression>& e, int mode) : t_(t), n_(n), exprs_(e), mode_(mode) {}
  Text run();

 private:
  Unit at(int p) const { return p >= 0 && p < n_ ? t_[p] : 0; }
  // Skips one space.
  int skipSpace(int p) const { return at(p) == ' ' ? p + 1 : p; }
  int skipSpaceBack(int p) const { return at(p - 1) == ' ' ? p - 1 : p; }
  int numberEnd(int p, int* points = nullptr) const;
  void emit(int kind, int s, int e) {
    out_.push_back(static_cast<Unit>(kKindMark + kind));
    for (int i = s; i < e; ++i) out_.push_back(t_[i]);
  }
  void word(const char* w) { append(out_, gb(w)); }
  // Length of the unit abbreviation at p (not followed by a letter), with its name; 0 when none.
  int abbreviationAt(int p, const Text** name) const;
  int unitWordAt(int p) const { return units().words.matchAt(t_, n_, p); }
  // A second number joined by a range sign at p: the end of the sign and of the number, or false.
  bool rangeAt(int p, int& s2, int& e2) const;
  bool before(int s, const WordList& words) const { return words.endsAt(t_, n_, skipSpaceBack(s)) >= 0; }
  bool after(int e, const WordList& words) const { return words.matchAt(t_, n_, skipSpace(e)) >= 0; }
  int expression(int s) const;
  void writeExpression(const NumberExpression& x);
  int arithmeticEnd(int p) const;
  int writeArithmetic(int p, int end);
  int number(int s);
  int kindByContext(int s, int e, int points, bool& done);

  const Unit* t_;
  int n_;
  const std::vector<NumberExpression>& exprs_;
  int mode_;
  Text out_;
};

int Rewriter::numberEnd(int p, int* points) const {
  int count = 0;
  while (p < n_ && (digit(t_[p]) || (t_[p] == '.' && digit(at(p + 1))))) count += t_[p++] == '.';
  if (points) *points = count;
  return p;
}

int Rewriter::abbreviationAt(int p, const Text** name) const {
  for (const auto& [key, value] : units().abbreviations) {
    if (matchesAt(t_, n_, p, key) && !letter(at(p + static_cast<int>(key.size())))) {
      *name = &value;
      return static_cast<int>(key.size());
    }
  }
  return 0;
}

bool Rewriter::rangeAt(int p, int& s2, int& e2) const {
  static const CharSet kRange = charSet("-~～到至");
  if (!kRange.has(at(p)) || !digit(at(p + 1))) return false;
  s2 = p + 1;
  e2 = numberEnd(s2);
  return true;
}

int Rewriter::expression(int s) const {
  for (std::size_t k = 0; k < exprs_.size(); ++k) {
    if (exprs_[k].start == s) return static_cast<int>(k);
  }
  return -1;
}

void Rewriter::writeExpression(const NumberExpression& x) {
  std::vector<std::pair<int, int>> g;
  int s = x.start;
  for (int k = 0; k <= x.separators; ++k) {
    int e = k < x.separators ? x.separatorAt[static_cast<std::size_t>(k)] : s;
    if (k == x.separators) {
      while (e < x.start + x.length && digit(t_[e])) ++e;
    }
    g.push_back({s, e});
    s = e + 1;
  }
  switch (x.cls) {
    case kExprThousands:
      out_.push_back(static_cast<Unit>(kKindMark + kKindValue));
      for (int i = x.start; i < x.start + x.length; ++i) {
        if (t_[i] != ',') out_.push_back(t_[i]);
      }
      break;
    case kExprDate: {
      const char* unitWords[] = {"年", "月", "日"};
      int kinds[] = {kKindDigits, kKindValue, kKindValue};
      for (int part = 0; part < 3; ++part) {
        int group = kOrders[x.subclass][part];
        if (!group) continue;
        emit(kinds[part], g[static_cast<std::size_t>(group - 1)].first, g[static_cast<std::size_t>(group - 1)].second);
        word(unitWords[part]);
      }
      break;
    }
    case kExprTime: {
      if (x.subclass) word(x.subclass == 1 ? "上午" : "下午");
      emit(kKindValue, g[0].first, g[0].second);
      word("点");
      bool zeroMinutes = groupValue(t_, g[1].first, g[1].second) == 0;
      bool zeroSeconds = g.size() < 3 || groupValue(t_, g[2].first, g[2].second) == 0;
      if (zeroMinutes && zeroSeconds) {
        word("整");
        break;
      }
      emit(kKindValueZero, g[1].first, g[1].second);
      word("分");
      if (g.size() == 3) {
        emit(kKindValueZero, g[2].first, g[2].second);
        word("秒");
      }
      break;
    }
    case kExprMinutes:
      emit(kKindValue, g[0].first, g[0].second);
      word("分");
      emit(kKindValueZero, g[1].first, g[1].second);
      word("秒");
      break;
    case kExprScore:
      emit(kKindValue, g[0].first, g[0].second);
      word("比");
      emit(kKindValue, g[1].first, g[1].second);
      break;
    case kExprPhone:
      for (std::size_t k = 0; k < g.size(); ++k) {
        if (k) word(x.subclass == 1 ? "转" : "杠");
        emit(kKindDigitsYao, g[k].first, g[k].second);
      }
      break;
  }
}

// End of an arithmetic expression starting at p; p when there is none. An expression holds
// digits, letters, points, spaces, brackets and operators, and at least one operator other than
// "-" and "/".
int Rewriter::arithmeticEnd(int p) const {
  static const CharSet kStrong = charSet("+*=<>×÷");
  static const CharSet kAny = charSet("+-*/=<>()[]{}×÷");
  int e = p, lastDigit = p;
  bool strong = false, sawDigit = false;
  while (e < n_ && (digit(t_[e]) || letter(t_[e]) || t_[e] == '.' || t_[e] == ' ' || kAny.has(t_[e]))) {
    strong |= kStrong.has(t_[e]);
    if (digit(t_[e]) || t_[e] == ')' || t_[e] == ']' || t_[e] == '}') {
      lastDigit = e + 1;
      sawDigit = true;
    }
    ++e;
  }
  return strong && sawDigit ? lastDigit : p;
}

int Rewriter::writeArithmetic(int p, int end) {
  static const CharSet kOps = charSet("+*×/÷=<>()[]{}");
  static const char* const kWords[] = {"加", "乘以", "乘以", "除以", "除以", "等于", "小于", "大于",
                                       "左小括号", "右小括号", "左中括号", "右中括号", "左大括号", "右大括号"};
  while (p < end) {
    Unit u = t_[p];
    if (digit(u)) {
      int e = numberEnd(p);
      emit(kKindValue, p, e);
      p = e;
      continue;
    }
    if (u == '-') {
      Unit prev = at(skipSpaceBack(p) - 1);
      word(prev == ')' || prev == ']' || prev == '}' || letter(prev) || digit(prev) ? "减去" : "负");
    } else if (kOps.has(u)) {
      word(kWords[std::find(kOps.units.begin(), kOps.units.end(), u) - kOps.units.begin()]);
    } else {
      out_.push_back(u);
    }
    ++p;
  }
  return p;
}

int Rewriter::kindByContext(int s, int e, int points, bool& done) {
  static const WordList kYear = wordList({"年"}), kYearAfter = wordList({"年代"});
  static const WordList kSince = wordList({"以来"});
  static const WordList kEraBefore = wordList({"公历", "公元", "在", "从", "到", "日期"});
  static const WordList kDurationAfter = wordList({"间", "来", "多", "前", "之久"});
  static const WordList kDurationBefore = wordList({"经过", "前", "后", "花", "进行", "干", "用"});
  static const WordList kMeasureAfter = wordList({"世纪", "年代"});
  static const WordList kNotMeasure = wordList({"次车", "次列车", "次航班"});
  static const WordList kAmountBefore = wordList({"计", "额", "花", "费", "生产", "销售", "经过", "买", "价"});
  static const WordList kNumberedAfter = wordList({"号", "路", "特快", "次车", "房间", "转", "新款", "次列车", "航班", "次航班"});
  static const WordList kNumberedBefore = wordList({"乘", "坐", "号", "转", "№"});
  static const WordList kCodeWords = wordList({"电话", "呼机", "BP", "BB", "传真", "FAX", "Call", "Tel", "邮编", "编码", "号码",
                                               "学号", "证号", "编号", "代码", "代号", "手机", "大哥大", "热线", "宅电", "货号",
                                               "拨打", "打", "摩托罗拉", "诺基亚", "西门子", "三星", "波导", "爱立信", "松下"});
  static const WordList kShort = wordList({"263", "169", "163", "8848", "800", "110", "112", "119", "911", "114"});
  static const WordList kZhi = wordList({"至"});
  static const WordList kSeveral = wordList({"多", "几"});
  int digits = e - s - points;
  done = false;
  int s2 = 0, e2 = 0;
  bool range = rangeAt(e, s2, e2);
  auto measureAt = [&](int p) {
    p = skipSpace(p);
    return kMeasureAfter.matchAt(t_, n_, p) >= 0 ||
           ((hanziProperties(at(p)) & kPropMeasure) && kNotMeasure.matchAt(t_, n_, p) < 0);
  };
  auto joined = [&](int kind1, const char* join, int kind2) {
    emit(kind1, s, e);
    word(join);
    emit(kind2, s2, e2);
    done = true;
    return e2;
  };
  // 6: one point.
  if (points == 1) return letter(at(e)) ? kKindDigitsYao : kKindValue;
  // 7: followed by 年.
  if (after(e, kYear) && !after(e, kYearAfter)) {
    int y = skipSpace(e) + 1;
    if (kSince.matchAt(t_, n_, y) >= 0 || before(s, kEraBefore)) return kKindDigits;
    if (digits != 4 && (kDurationAfter.matchAt(t_, n_, y) >= 0 || before(s, kDurationBefore))) return kKindValue;
    if (digits >= 2 && digits <= 4) return kKindDigits;
  }
  if (range) {
    int d2 = e2 - s2;
    // 8: a range of years.
    if (after(e2, kYear) && !after(e2, kYearAfter) && digits >= 2 && digits <= 4 && d2 >= 2 && d2 <= 4) {
      return joined(kKindDigits, "到", kKindDigits);
    }
    // 9: a score.
    if (nearestBefore(t_, s, scoreWordsBefore(), false) < 1000 || nearestAfter(t_, n_, e2, scoreWordsAfter(), false) < 1000) {
      return joined(kKindValue, "比", kKindValue);
    }
  }
  // 10: a measure word after it, an amount word before it.
  if (measureAt(e) || before(s, kAmountBefore) || (after(e, kZhi) && measureAt(skipSpace(e) + 1))) return kKindValue;
  if (range && (measureAt(e2) || (after(e2, kSeveral) && measureAt(skipSpace(e2) + 1)))) return joined(kKindValue, "到", kKindValue);
  // 11: an area code in parentheses before it.
  if (at(skipSpaceBack(s) - 1) == ')' && digit(at(skipSpaceBack(s) - 2))) {
    return range ? joined(kKindDigitsYao, "转", kKindDigitsYao) : kKindDigitsYao;
  }
  // 12: a numbered thing.
  if (after(e, kNumberedAfter) || before(s, kNumberedBefore)) return digits <= 2 ? kKindValue : kKindDigitsYao;
  // 13: a code word within four characters before it, or in parentheses.
  for (int p = s; p >= 0 && s - p <= 4; --p) {
    if (p < s && isHanziUnit(t_[p]) && kCodeWords.endsAt(t_, n_, p + 1) < 0) break;
    if (kCodeWords.endsAt(t_, n_, p) >= 0) return kKindDigitsYao;
  }
  if (at(s - 1) == '(' && at(e) == ')') return kKindDigitsYao;
  // 14: an upper-case letter before it.
  int l = s - 1;
  if (at(l) == '.' || at(l) == '-') --l;
  if (upper(at(l))) {
    bool zeros = true;
    for (int i = s + 1; i < e; ++i) zeros &= t_[i] == '0';
    return zeros ? kKindValue : kKindDigitsYao;
  }
  // 15: a range of years of this or the last century.
  auto century = [&](int a, int b) { return b - a == 4 && (matchesAt(t_, n_, a, gb("19")) || matchesAt(t_, n_, a, gb("20"))); };
  if (range && century(s, e) && century(s2, e2)) return joined(kKindDigits, "至", kKindDigits);
  // 16: the rest.
  bool mobile = digits == 11 && t_[s] == '1' && t_[s + 1] == '3';
  bool shortNumber = false;
  for (const Text& w : kShort.words) shortNumber |= static_cast<int>(w.size()) == e - s && matchesAt(t_, n_, s, w);
  return shortNumber || mobile || mode_ == 3 ? kKindDigitsYao : kKindValue;
}

// Writes the number starting at s with what belongs to it; returns the position after it.
int Rewriter::number(int s) {
  int points = 0;
  int e = numberEnd(s, &points);
  if (mode_ == 1 || mode_ == 2) {
    emit(mode_ == 1 ? kKindDigitsYao : kKindValue, s, e);
    return e;
  }
  // Arithmetic.
  int a = arithmeticEnd(s);
  if (a > s) return writeArithmetic(s, a);
  // Fractions: b/c, a-b/c.
  auto plain = [&](int p, int& end) {
    end = p;
    while (end < n_ && digit(t_[end])) ++end;
    return end > p && at(end) != '.' && at(end) != '/';
  };
  if (!points) {
    int e1 = 0, e2 = 0;
    if (at(e) == '/' && plain(e + 1, e2) && at(s - 1) != '/') {
      bool proper = groupValue(t_, s, e) < groupValue(t_, e + 1, e2);
      emit(kKindValue, proper ? e + 1 : s, proper ? e2 : e);
      word(proper ? "分之" : "除以");
      emit(kKindValue, proper ? s : e + 1, proper ? e : e2);
      return e2;
    }
    e1 = e + 1;
    while (e1 < n_ && digit(t_[e1])) ++e1;
    if (at(e) == '-' && e1 > e + 1 && at(e1) == '/') {
      int e3 = e1 + 1;
      while (e3 < n_ && digit(t_[e3])) ++e3;
      if (e3 > e1 + 1 && groupValue(t_, e + 1, e1) < groupValue(t_, e1 + 1, e3)) {
        emit(kKindValue, s, e);
        word("又");
        emit(kKindValue, e1 + 1, e3);
        word("分之");
        emit(kKindValue, e + 1, e1);
        return e3;
      }
    }
  }
  // 1: more than one point.
  if (points > 1) {
    emit(kKindDigitsYao, s, e);
    return e;
  }
  // 2: a leading zero.
  if (t_[s] == '0' && !points) {
    static const WordList kTwelve = wordList({"年", "分", "秒"}), kTwo = wordList({"月", "日", "时", "点"});
    if (e - s == 2 && after(e, kTwelve)) {
      emit(kKindValueZero, s, e);
      return e;
    }
    if (e - s == 2 && after(e, kTwo)) {
      emit(kKindValue, s, e);
      return e;
    }
    emit(kKindDigitsYao, s, e);
    for (int k = 0; k < 2 && at(e) == '-' && digit(at(e + 1)); ++k) {
      int s2 = e + 1, e2 = numberEnd(s2);
      word(k == 0 ? "杠" : "转");
      emit(kKindDigitsYao, s2, e2);
      e = e2;
    }
    return e;
  }
  // 3: a unit after it.
  const Text* name = nullptr;
  int p = skipSpace(e);
  int len = abbreviationAt(p, &name);
  if (len) {
    emit(kKindValue, s, e);
    append(out_, *name);
    p += len;
    const Text* second = nullptr;
    int len2 = at(p) == '/' ? abbreviationAt(p + 1, &second) : 0;
    if (len2) {
      word("每");
      append(out_, *second);
      p += 1 + len2;
    }
    return p;
  }
  if (unitWordAt(p) >= 0 && !points) {
    emit(kKindValue, s, e);
    return e;
  }
  // 4: percent and per mille.
  static const Unit kPerMille = word1("‰");
  int s2 = 0, e2 = 0;
  auto percentAt = [&](int q) { return at(q) == '%' || at(q) == kPerMille; };
  if (percentAt(e)) {
    word(at(e) == '%' ? "百分之" : "千分之");
    emit(kKindValue, s, e);
    int q = e + 1;
    if (rangeAt(q, s2, e2)) {
      word("到");
      emit(kKindValue, s2, e2);
      q = percentAt(e2) ? e2 + 1 : e2;
    }
    return q;
  }
  if (rangeAt(e, s2, e2) && percentAt(e2)) {
    word(at(e2) == '%' ? "百分之" : "千分之");
    emit(kKindValue, s, e);
    word("到");
    emit(kKindValue, s2, e2);
    return e2 + 1;
  }
  bool done = false;
  int kind = kindByContext(s, e, points, done);
  if (done) return kind;
  emit(kind, s, e);
  return e;
}

Text Rewriter::run() {
  static const CharSet kDateUnits = charSet("年月日时点分秒");
  static const Unit kCircle = word1("○"), kWideTilde = word1("～");
  struct Currency {
    Text sign;
    const char* name;
  };
  static const std::vector<Currency> kCurrencies = {{gb("US$"), "美元"}, {gb("US"), "美元"}, {gb("$"), "美元"},
                                                    {gb("￥"), "元"},    {gb("＄"), "美元"}, {gb("￡"), "英镑"}};
  int i = 0;
  while (i < n_) {
    Unit u = t_[i];
    int k = expression(i);
    if (k >= 0) {
      writeExpression(exprs_[static_cast<std::size_t>(k)]);
      i += exprs_[static_cast<std::size_t>(k)].length + exprs_[static_cast<std::size_t>(k)].suffixLength;
      continue;
    }
    if (digit(u)) {
      i = number(i);
      continue;
    }
    if (mode_ == 0 || mode_ == 3) {
      // A currency sign before a number.
      bool currency = false;
      for (const Currency& c : kCurrencies) {
        int len = static_cast<int>(c.sign.size());
        if (!matchesAt(t_, n_, i, c.sign) || !digit(at(i + len)) || letter(at(i - 1))) continue;
        int s = i + len, e = numberEnd(s), s2 = 0, e2 = 0;
        emit(kKindValue, s, e);
        if (rangeAt(e, s2, e2)) {
          word("到");
          emit(kKindValue, s2, e2);
          e = e2;
        }
        word(c.name);
        i = e;
        currency = true;
        break;
      }
      if (currency) continue;
      // An arithmetic expression that opens with a bracket or a sign.
      if ((u == '(' || u == '-') && (digit(at(i + 1)) || at(i + 1) == '(')) {
        int a = arithmeticEnd(i);
        if (a > i) {
          i = writeArithmetic(i, a);
          continue;
        }
      }
      Unit prev = at(i - 1), next = at(i + 1);
      if (u == '-' && next == '-') {
        word("杠");
        i += 2;
        continue;
      }
      if ((u == '-' || u == '~' || u == kWideTilde) && digit(next) && (kDateUnits.has(prev) || units().words.endsAt(t_, n_, i) >= 0)) {
        word("至");
        ++i;
        continue;
      }
      if (u == '-' && digit(next) && !digit(prev) && !letter(prev) && prev != ')') {
        word("负");
        ++i;
        continue;
      }
      if (u == '-' && digit(prev) && digit(next)) {
        word("到");
        ++i;
        continue;
      }
      if (u == '-' && isHanziUnit(prev) && isHanziUnit(next)) {
        word("至");
        ++i;
        continue;
      }
      if (u == '/' && digit(prev) && digit(next)) {
        word("杠");
        ++i;
        continue;
      }
      if ((u == 'X' || u == 'x') && digit(prev) && digit(next)) {
        word("乘");
        ++i;
        continue;
      }
      if (u == kCircle && ((hanziProperties(prev) & kPropNumeral) || (hanziProperties(next) & kPropNumeral) ||
                           prev == kCircle || next == kCircle)) {
        word("零");
        ++i;
        continue;
      }
      if ((hanziProperties(u) & kPropNumeral) && letter(next)) {
        const Text* name = nullptr;
        int len = abbreviationAt(i + 1, &name);
        if (len) {
          out_.push_back(u);
          append(out_, *name);
          i += 1 + len;
          continue;
        }
      }
    }
    out_.push_back(u);
    ++i;
  }
  return out_;
}

}  // namespace

Text rewriteNumbers(const Unit* text, int length, const std::vector<NumberExpression>& expressions, int mode) {
  return Rewriter(text, length, expressions, mode).run();
}

}  // namespace speech
