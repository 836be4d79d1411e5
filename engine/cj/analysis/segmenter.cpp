#include "engine/cj/analysis/segmenter.h"

#include <new>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/cj/analysis/trie_reader.h"
#include "engine/common/rule_tally.h"
#include "engine/common/word_table.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kSegmenterB1Key{"segmenter.B1"};
constinit ListedKey kSegmenterB2Key{"segmenter.B2"};
constinit ListedKey kSegmenterA1Key{"segmenter.A1"};
constinit ListedKey kSegmenterA2Key{"segmenter.A2"};
constinit ListedKey kSegmenterA3Key{"segmenter.A3"};
constinit ListedKey kSegmenterCKey{"segmenter.C"};
constinit ListedKey kSegmenterFPairSinglesKey{"segmenter.fPairSingles"};
constinit ListedKey kSegmenterFPairFirstsKey{"segmenter.fPairFirsts"};
constinit ListedKey kSegmenterZPairCharKey{"segmenter.zPairChar"};
constinit ListedKey kSegmenterZPairFirstsKey{"segmenter.zPairFirsts"};
constinit ListedKey kSegmenterZFirstWordsKey{"segmenter.zFirstWords"};
constinit ListedKey kSegmenterZSecondWordsKey{"segmenter.zSecondWords"};
constinit ListedKey kSegmenterR1Key{"segmenter.R1"};
constinit ListedKey kSegmenterR2Key{"segmenter.R2"};
constinit ListedKey kSegmenterFPairSecondsKey{"segmenter.fPairSeconds"};
constinit ListedKey kSegmenterZPairSecondsKey{"segmenter.zPairSeconds"};
}  // namespace

namespace {

// Word lists of the stretch rules.
const WordKeySpec kWordKeys[] = {
    {"segmenter.A1", 4, 3, 3},           {"segmenter.A2", 7, 3, 3},
    {"segmenter.A3", 7, 3, 3},           {"segmenter.C", 18, 2, 2},
    {"segmenter.B2", 133, 1, 1},         {"segmenter.B1", 22, 1, 1},
    {"segmenter.fPairSingles", 2, 1, 1}, {"segmenter.fPairFirsts", 6, 1, 1},
    {"segmenter.fPairSeconds", 6, 2, 2}, {"segmenter.zPairChar", 1, 1, 1},
    {"segmenter.zPairFirsts", 8, 2, 2},  {"segmenter.zPairSeconds", 8, 1, 1},
    {"segmenter.zFirstWords", 13, 2, 2}, {"segmenter.zSecondWords", 8, 1, 1},
    {"segmenter.R1", 1, 1, 1},           {"segmenter.R2", 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr char kZMode = 'z';
constexpr char kFMode = 'f';

struct PassFiles {
  std::FILE* trie;
  const std::vector<CjIndexRecord>* index;
};

PassFiles zFiles(const segment& seg, int mode) {
  const CjEngineData& d = *seg.data;
  return mode == kSegmentPinyin ? PassFiles{d.zmemdicp, &d.zfcpIndex} : PassFiles{d.zmemdic, &d.zfcIndex};
}

PassFiles fFiles(const segment& seg, int mode) {
  const CjEngineData& d = *seg.data;
  return mode == kSegmentPinyin ? PassFiles{d.fmemdicp, &d.ffcpIndex} : PassFiles{d.fmemdic, &d.ffcIndex};
}

bool atEnd(std::string_view text, std::size_t p) { return p >= text.size() || text[p] == 0; }

int charCount(std::string_view word) {
  int n = 0;
  for (std::size_t i = 0; i < word.size(); i += charLengthAt(word, i)) ++n;
  return n;
}

std::string reversedByCharacter(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  std::vector<std::string_view> chars;
  while (i < text.size()) {
    std::size_t n = charLengthAt(text, i);
    chars.push_back(text.substr(i, n));
    i += n;
  }
  for (auto it = chars.rbegin(); it != chars.rend(); ++it) out.append(*it);
  return out;
}

bool isStopByte(std::string_view text, std::size_t p) {
  const auto b = static_cast<unsigned char>(text[p]);
  if (b == '[' || b == ']') {
    const bool twin = (p + 1 < text.size() && text[p + 1] == text[p]) || (p > 0 && text[p - 1] == text[p]);
    if (twin) return false;
    return true;
  }
  if (isSingleEndMark(b)) return true;
  if (b == '(' || b == ')' || b == '{' || b == '}') return true;
  return b == 0xA4 || b == 0xA2 || b == 0xA3;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Token {
  char kind = 0;
  std::size_t length = 0;  // 0: no token, the pass ends
  bool run = false;         // a Chinese run, held in the token buffer
};

Token nextToken(segment& seg, std::string_view text, std::size_t p, char mode) {
  Token t;
  if (atEnd(text, p)) return t;
  const std::string& endMarks = wideEndMarks();
  std::size_t q = p;
  while (!atEnd(text, q) && dbcs::isLeadByte(static_cast<unsigned char>(text[q])) && !atEnd(text, q + 1) &&
         q - p + 2 <= kTokenBufferSize) {
    if (isInWordList(endMarks, text.substr(q, 2))) break;
    q += 2;
  }
  if (q > p) {
    seg.token.assign(text.substr(p, q - p));
    return {'4', q - p, true};
  }
  const auto b = static_cast<unsigned char>(text[p]);
  if (dbcs::isLeadByte(b)) {
    if (atEnd(text, p + 1)) return {'W', 1, false};  // a lead byte without its trail
    return {allowsSentenceEnd(mode, text.substr(p, 2), text, p + 2) ? 'P' : 'W', 2, false};
  }
  while (!atEnd(text, q) && q - p < 38 && !dbcs::isLeadByte(static_cast<unsigned char>(text[q])) && !isStopByte(text, q)) ++q;
  if (q > p) return {isDigit(text[p]) || isDigit(text[q - 1]) ? 'U' : 'W', q - p, false};
  return {allowsSentenceEnd(mode, text.substr(p, 1), text, p + 1) ? 'P' : 'W', 1, false};
}

bool appendEntry(segment& seg, std::vector<SegmentEntry>& out, int& count, char kind, std::string_view text,
                 int32_t value) {
  if (count + 1 >= kSegmentSlots) {
    seg.overflow = true;
    return false;
  }
  SegmentEntry& e = out[++count];
  e.kind = kind;
  e.text = text;
  e.value = value;
  e.extra = 0;
  return true;
}

// One pass over text; false when the entries do not fit the array.
bool runPass(segment& seg, std::string_view text, char mode, PassFiles files, std::vector<SegmentEntry>& out,
             int& count) {
  count = 0;
  const CjIndexRecord* index = files.index->data();
  const int indexCount = static_cast<int>(files.index->size());
  for (std::size_t p = 0;;) {
    Token t = nextToken(seg, text, p, mode);
    if (t.length == 0) break;
    if (t.run) {
      const std::string run = seg.token;
      for (std::size_t off = 0; off < run.size();) {
        WordMatch m;
        matchLongestWord(files.trie, index, run.c_str() + off, m, indexCount);
        std::size_t len = m.length < 1 ? 1 : static_cast<std::size_t>(m.length);
        if (len > run.size() - off) len = run.size() - off;
        if (!appendEntry(seg, out, count, '4', std::string_view(run).substr(off, len), m.value)) return false;
        off += len;
      }
    } else if (!appendEntry(seg, out, count, t.kind, text.substr(p, t.length), 0)) {
      return false;
    }
    p += t.length;
  }
  return true;
}

bool runFPass(segment& seg, int mode) {
  const std::string reversed = reversedByCharacter(seg.input);
  if (!runPass(seg, reversed, kFMode, fFiles(seg, mode), seg.f, seg.fTotal)) return false;
  for (int i = 1; i <= seg.fTotal; ++i) seg.f[i].text = reversedByCharacter(seg.f[i].text.view());
  for (int i = 1, j = seg.fTotal; i < j; ++i, --j) std::swap(seg.f[i], seg.f[j]);
  return true;
}

// A plain search of the list text, at character boundaries.
bool occursIn(std::string_view list, std::string_view word) {
  return findAtCharStart(list, word) != std::string_view::npos;
}

bool isIn(const ListedKey& key, std::string_view word) { return isInListedBarList(key, word); }

bool isOneOf(const ListedKey& key, std::string_view word) { return !word.empty() && isListedWord(key, word); }

bool isPairOf(const ListedKey& firstKey, const ListedKey& secondKey, std::string_view a, std::string_view b) {
  const std::vector<std::string>& firsts = listedWords(firstKey);
  const std::vector<std::string>& seconds = listedWords(secondKey);
  for (std::size_t i = 0; i < firsts.size() && i < seconds.size(); ++i) {
    if (firsts[i] == a && seconds[i] == b) return true;
  }
  return false;
}

// Re-cuts a five-character f side into three dictionary words when one of the cuts allows it.
void recutFiveCharacters(segment& seg, int fs, int mode) {
  std::string all;
  for (int i = fs; i < fs + 3; ++i) all.append(seg.f[i].text.view());
  if (all.size() != 10) return;
  const std::string& b1 = listedBarList(kSegmenterB1Key);
  const std::string& b2 = listedBarList(kSegmenterB2Key);
  const int cuts[3][3] = {{2, 1, 2}, {1, 2, 2}, {2, 2, 1}};
  for (int c = 0; c < 3; ++c) {
    std::string_view piece[3];
    std::size_t at = 0;
    for (int k = 0; k < 3; ++k) {
      piece[k] = std::string_view(all).substr(at, static_cast<std::size_t>(cuts[c][k]) * 2);
      at += piece[k].size();
    }
    if (c == 0 && !occursIn(b2, piece[1]) && !occursIn(b1, piece[1])) continue;
    if (c == 1 && !occursIn(b2, piece[0]) && !occursIn(b1, piece[0])) continue;
    int32_t value[3] = {};
    bool all3 = true;
    for (int k = 0; k < 3 && all3; ++k) all3 = probeWholeWord(seg, piece[k], value[k], mode) == 1;
    if (!all3) continue;
    for (int k = 0; k < 3; ++k) {
      SegmentEntry& e = seg.f[fs + k];
      e.text = piece[k];
      e.value = value[k];
      e.kind = '4';
    }
    return;
  }
}

// True when a stretch cut into equally many entries on both sides takes the z side.
bool takesZSide(segment& seg, int zs, int ze, int fs, int fe, int length, int mode) {
  const int n = ze - zs + 1;
  if (length == 8 && n == 2) {
    std::string_view z1 = seg.z[zs].text.view(), z2 = seg.z[zs + 1].text.view();
    if (isIn(kSegmenterA1Key, z1) || isIn(kSegmenterA2Key, z1) || isIn(kSegmenterA3Key, z1)) return true;
    if (charCount(z1) == 2 && charCount(z2) == 2) return true;
    return isIn(kSegmenterCKey, z1) || isIn(kSegmenterCKey, z2);
  }
  if (length == 10 && n == 3) {
    recutFiveCharacters(seg, fs, mode);
    return false;
  }
  if (n != 2) return false;
  std::string_view z1 = seg.z[zs].text.view(), z2 = seg.z[zs + 1].text.view();
  std::string_view f1 = seg.f[fs].text.view(), f2 = seg.f[fs + 1].text.view();
  // The listed pairs and words decide the cut, counted by the measuring tool.
  if (ruletally::on()) {
    ruletally::declare("segmenter.fPairCut");
    ruletally::declare("segmenter.zPairCut");
  }
  if (isOneOf(kSegmenterFPairSinglesKey, f1) || isPairOf(kSegmenterFPairFirstsKey, kSegmenterFPairSecondsKey, f1, f2)) {
    ruletally::noteIf(true, "segmenter.fPairCut");
    return false;
  }
  if (z2 == listedWord(kSegmenterZPairCharKey) || isPairOf(kSegmenterZPairFirstsKey, kSegmenterZPairSecondsKey, z1, z2) ||
      isOneOf(kSegmenterZFirstWordsKey, z1) || isOneOf(kSegmenterZSecondWordsKey, z2)) {
    ruletally::noteIf(true, "segmenter.zPairCut");
    return true;
  }
  if (!(charCount(f1) == 1 && charCount(f2) == 2)) return false;
  if (isIn(kSegmenterCKey, f2)) return false;
  const std::string& b1 = listedBarList(kSegmenterB1Key);
  const std::string& b2 = listedBarList(kSegmenterB2Key);
  if (occursIn(b2, z1) || occursIn(b1, z1)) return false;
  std::string_view c1 = f2.substr(0, 2), c2 = f2.substr(2, 2);
  auto isR = [](std::string_view w) { return isOneOf(kSegmenterR1Key, w) || isOneOf(kSegmenterR2Key, w); };
  const bool left = f1 == c1 || (fs - 1 >= 1 && isR(f1) && seg.f[fs - 1].text == c1);
  const bool right = (fe + 1 <= seg.fTotal && seg.f[fe + 1].text == c2) ||
                     (fe + 2 <= seg.fTotal && isR(seg.f[fe + 1].text.view()) && seg.f[fe + 2].text == c2);
  if (left || right) return true;
  if (occursIn(b1, f1)) return false;
  return occursIn(b2, c2);
}

class Merger {
 public:
  Merger(segment& seg, int mode) : seg_(seg), mode_(mode) {}

  // Returns 1 when a stretch was resolved.
  int run() {
    enum State { kAligned, kZAhead, kFAhead } state = kAligned;
    int iz = 0, jf = 0, zs = 0, fs = 0;
    std::size_t ez = 0, ef = 0;
    int differed = 0;
    while (iz <= seg_.zTotal && jf <= seg_.fTotal) {
      switch (state) {
        case kAligned:
          ez += seg_.z[iz].text.size();
          ef += seg_.f[jf].text.size();
          if (ez != ef && (seg_.z[iz].value != 0 || seg_.f[jf].value != 0)) {
            zs = iz;
            fs = jf;
            if (ez <= ef) {
              state = kFAhead;
              ++iz;
            } else {
              state = kZAhead;
              ++jf;
            }
          } else {
            copy(seg_.z[iz]);
            ++iz;
            ++jf;
          }
          break;
        case kZAhead:
          ef += seg_.f[jf].text.size();
          if (ef == ez) {
            resolve(zs, iz, fs, jf);
            differed = 1;
            state = kAligned;
            ++iz;
            ++jf;
          } else if (ef > ez) {
            state = kFAhead;
            ++iz;
          } else {
            ++jf;
          }
          break;
        case kFAhead:
          ez += seg_.z[iz].text.size();
          if (ez == ef) {
            resolve(zs, iz, fs, jf);
            differed = 1;
            state = kAligned;
            ++iz;
            ++jf;
          } else if (ef > ez) {
            ++iz;
          } else {
            state = kZAhead;
            ++jf;
          }
          break;
      }
    }
    if (jf <= seg_.fTotal) {
      for (; jf <= seg_.fTotal; ++jf) copy(seg_.f[jf]);
    } else {
      for (; iz <= seg_.zTotal; ++iz) copy(seg_.z[iz]);
    }
    seg_.mergedTotal = copied_ > 0 ? copied_ - 1 : 0;
    return differed;
  }

 private:
  void copy(const SegmentEntry& e) {
    if (copied_ >= kSegmentSlots) return;
    seg_.merged[copied_++] = e;
  }

  void resolve(int zs, int ze, int fs, int fe) {
    const int nz = ze - zs + 1, nf = fe - fs + 1;
    bool zSide = nz < nf;
    if (nz == nf) {
      int length = 0;
      for (int i = zs; i <= ze; ++i) length += static_cast<int>(seg_.z[i].text.size());
      zSide = takesZSide(seg_, zs, ze, fs, fe, length, mode_);
    }
    if (zSide) {
      for (int i = zs; i <= ze; ++i) copy(seg_.z[i]);
    } else {
      for (int i = fs; i <= fe; ++i) copy(seg_.f[i]);
    }
  }

  segment& seg_;
  int mode_;
  int copied_ = 0;
};

int segmentWith(segment& seg, int mode) {
  if (seg.z.size() != kSegmentSlots || seg.f.size() != kSegmentSlots || seg.merged.size() != kSegmentSlots) {
    seg.zTotal = seg.fTotal = seg.mergedTotal = 0;
    return 0;
  }
  seg.overflow = false;
  const bool fits = runPass(seg, seg.input, kZMode, zFiles(seg, mode), seg.z, seg.zTotal) && runFPass(seg, mode);
  if (!fits) {
    // Too many entries for the arrays: the z cut as far as it goes, which sends the sentence to
    // the fallback conversion.
    for (int i = 0; i <= seg.zTotal; ++i) seg.merged[i] = seg.z[i];
    seg.mergedTotal = seg.zTotal;
    return 0;
  }
  return Merger(seg, mode).run();
}

}  // namespace

void initSegmenter(segment& seg, const CjEngine& engine, std::string_view text) {
  seg = segment{};
  seg.data = &engine.data;
  seg.input.assign(text.substr(0, text.find('\0')));
  try {
    seg.token.reserve(kTokenBufferSize + 1);
    seg.z.resize(kSegmentSlots);
    seg.f.resize(kSegmentSlots);
    seg.merged.resize(kSegmentSlots);
  } catch (const std::bad_alloc&) {
    freeSegmenter(seg);
    plat::messageBox(u"メモリ不足!", u"", plat::kMbOk | plat::kMbIconExclamation);
  }
}

void freeSegmenter(segment& seg) {
  seg.z = {};
  seg.f = {};
  seg.merged = {};
  seg.zTotal = seg.fTotal = seg.mergedTotal = 0;
}

int segmentSentence(segment& seg) { return segmentWith(seg, kSegmentMain); }

int segmentForPinyin(segment& seg) {
  int differed = segmentWith(seg, kSegmentPinyin);
  for (int i = 1; i <= seg.mergedTotal && i < static_cast<int>(seg.z.size()); ++i) {
    seg.z[i].text = seg.merged[i].text;
    seg.z[i].value = seg.merged[i].value;
    seg.z[i].kind = seg.merged[i].kind;
  }
  return differed;
}

int mergedCount(const segment& seg) { return seg.mergedTotal; }

const std::vector<SegmentEntry>& mergedSegments(const segment& seg) { return seg.merged; }

const SegmentEntry& fPassEntry(const segment& seg, int index) {
  static const SegmentEntry empty;
  if (index < 0 || index >= static_cast<int>(seg.f.size())) return empty;
  return seg.f[index];
}

int probeWholeWord(segment& seg, std::string_view text, int32_t& value, int mode) {
  if (text.empty()) return 0;
  const std::string buffer(text);
  const PassFiles files = zFiles(seg, mode);
  WordMatch m;
  matchLongestWord(files.trie, files.index->data(), buffer.c_str(), m, static_cast<int>(files.index->size()));
  if (!m.found || static_cast<std::size_t>(m.length) != buffer.size()) return 0;
  value = m.value;
  return 1;
}

}  // namespace cj
