#include "engine/cj/analysis/pinyin_annotation.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/common/descramble.h"
#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/segmenter.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/common/word_table.h"
#include "platform/core/files.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kDicLookupPunctuationKey{"dicLookup.punctuation"};
constinit ListedKey kDicLookupFirstEntryWordKey{"dicLookup.firstEntryWord"};
}  // namespace


namespace {

const WordKeySpec kWordKeys[] = {{kPinyinSpecialWords, 4, 1, 1}};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr std::array<const char*, 4> kSpecialToned = {"He2", "Qi2", "Qu1", "Ne0"};
constexpr std::array<const char*, 4> kSpecialPlain = {"He", "Qi", "Qu", "Ne"};

// Marked vowels by tone 0-4.
constexpr unsigned char kToneA[5] = {'a', 0xBF, 0xC0, 0xC1, 0xC2};
constexpr unsigned char kToneE[5] = {'e', 0xC3, 0xC4, 0xC5, 0xC6};
constexpr unsigned char kToneI[5] = {'i', 0xC7, 0xC8, 0xC9, 0xCA};
constexpr unsigned char kToneO[5] = {'o', 0xCB, 0xCC, 0xCD, 0xCE};
constexpr unsigned char kToneU[5] = {'u', 0xCF, 0xD0, 0xD1, 0xD2};
constexpr unsigned char kToneV[5] = {0xD7, 0xD7, 0xD4, 0xD5, 0xD6};
constexpr unsigned char kPlainV = 0xD7;

constexpr int kMaxReadingRows = 426;
constexpr std::size_t kSyllableKeySize = 10;
constexpr std::size_t kSyllableCompared = 6;
constexpr std::size_t kRowReadingStart = 8;
constexpr std::size_t kRowReadingSize = 8;
constexpr std::size_t kSentenceLimit = kSentenceReadingSize - 1;

bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool endsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string punctuationList() {
  const std::string& wide = listedBarList(kDicLookupPunctuationKey);
  return "|,|;|!|:|?|(|)|{|}|[|]|<|>" + (wide.empty() ? std::string("|") : wide);
}

// Index of a word among the special words, -1 when it is none of them.
int specialWordIndex(std::string_view word) {
  const std::vector<std::string>& words = listedWords(kPinyinSpecialWords);
  for (std::size_t k = 0; k < words.size() && k < kSpecialToned.size(); ++k) {
    if (words[k] == word) return static_cast<int>(k);
  }
  return -1;
}

// Marks the letter count places from the end of s with the table entry for tone t.
void markFromEnd(std::string& s, std::size_t fromEnd, const unsigned char* table, int t) {
  s[s.size() - fromEnd] = static_cast<char>(table[t]);
}

void placeToneMark(std::string& s, int t) {
  struct Ending {
    const char* tail;
    std::size_t fromEnd;
    const unsigned char* table;
  };
  static const Ending kEndings[] = {
      {"ang", 3, kToneA}, {"eng", 3, kToneE}, {"ong", 3, kToneO}, {"ing", 3, kToneI}, {"an", 2, kToneA},
      {"ai", 2, kToneA},  {"ao", 2, kToneA},  {"en", 2, kToneE},  {"ei", 2, kToneE},  {"er", 2, kToneE},
      {"eo", 2, kToneE},  {"un", 2, kToneU},  {"ou", 2, kToneO},  {"iu", 1, kToneU},  {"in", 2, kToneI},
      {"iv", 2, kToneI},  {"vn", 2, kToneV},
  };
  for (const Ending& e : kEndings) {
    if (endsWith(s, e.tail)) return markFromEnd(s, e.fromEnd, e.table, t);
  }
  if (endsWith(s, "ve") || endsWith(s, "vi")) {
    s[s.size() - 2] = static_cast<char>(kPlainV);
    return markFromEnd(s, 1, kToneE, t);
  }
  static const std::pair<char, const unsigned char*> kLast[] = {{'i', kToneI}, {'a', kToneA}, {'e', kToneE},
                                                                {'u', kToneU}, {'o', kToneO}, {'v', kToneV}};
  for (const auto& [vowel, table] : kLast) {
    if (!s.empty() && s.back() == vowel) return markFromEnd(s, 1, table, t);
  }
}

// Alternatives separated by '/', each kept once.
std::string withoutRepeatedAlternatives(const std::string& text) {
  if (text.find('/') == std::string::npos) return text;
  std::vector<std::string> kept;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = text.find('/', start);
    std::string alt = text.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (std::find(kept.begin(), kept.end(), alt) == kept.end()) kept.push_back(alt);
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::string out;
  for (std::size_t k = 0; k < kept.size(); ++k) out += (k ? "/" : "") + kept[k];
  return out;
}

// The reading text of a table row, up to its first space.
std::string_view rowReading(std::string_view row) {
  std::string_view r = row.substr(kRowReadingStart, kRowReadingSize);
  return r.substr(0, std::min(r.find(' '), r.find('\0')));
}

void appendBounded(std::string& out, std::string_view piece) {
  const std::size_t room = out.size() < kSentenceLimit ? kSentenceLimit - out.size() : 0;
  out.append(piece.substr(0, fitAtCharBoundary(piece, room)));
}

}  // namespace

void toToneMarks(std::string& syllable, int mode) {
  if (syllable.empty()) return;
  if (syllable[0] == ' ') {
    syllable.clear();
    return;
  }
  if (isCapital(syllable[0])) syllable[0] = static_cast<char>(syllable[0] - 'A' + 'a');
  const bool toneDigit = syllable.back() >= '0' && syllable.back() <= '4';
  if (mode == 3) {
    if (syllable.back() == '0') syllable.pop_back();
  } else if (mode == 0 || mode == 2) {
    if (toneDigit) syllable.pop_back();
  } else if (mode == 1) {
    int tone = 0;
    if (toneDigit) {
      tone = syllable.back() - '0';
      syllable.pop_back();
    }
    placeToneMark(syllable, tone);
  }
}

std::string formatReading(std::string_view reading, int mode) {
  reading = reading.substr(0, std::min(reading.size(), reading.find('\0')));
  std::size_t i = 0;
  while (i < reading.size() && reading[i] == ' ') ++i;
  std::string result;
  while (i < reading.size()) {
    std::size_t j = i;
    if (reading[j] != ' ' && reading[j] != '/') ++j;
    while (j < reading.size() && !isCapital(reading[j]) && reading[j] != ' ' && reading[j] != '/') ++j;
    std::string syllable(reading.substr(i, j - i));
    toToneMarks(syllable, mode);
    if (!syllable.empty()) {
      if (!result.empty() && result.back() != '/') result += ' ';
      result += syllable;
    }
    if (j < reading.size() && reading[j] == '/') result += '/';
    while (j < reading.size() && (reading[j] == ' ' || reading[j] == '/')) ++j;
    i = j;
  }
  if (mode == 0 || mode == 2) return withoutRepeatedAlternatives(result);
  return result;
}

std::string& mapReadingSyllables(const CjEngine& engine, std::string_view reading, std::string& out) {
  reading = reading.substr(0, std::min(reading.size(), reading.find('\0')));
  const std::string& table = engine.data.readingTable;
  const int rows = std::min(engine.data.readingRowCount(), kMaxReadingRows);
  std::size_t i = 0;
  while (true) {
    std::size_t j = i;
    while (j < reading.size() && reading[j] != ' ' && reading[j] != '/') ++j;
    // Every syllable is looked up, an empty one too (its key is all spaces).
    const std::string_view syllable = reading.substr(i, j - i);
    std::string key(kSyllableKeySize, ' ');
    key.replace(0, std::min(syllable.size(), kSyllableCompared), syllable.substr(0, kSyllableCompared));
    bool found = false;
    for (int r = 0; r < rows && !found; ++r) {
      const std::string_view row = std::string_view(table).substr(static_cast<std::size_t>(r) * kReadingRowSize,
                                                                 kReadingRowSize);
      if (std::memcmp(row.data(), key.data(), kSyllableCompared) == 0) {
        out += rowReading(row);
        found = true;
      }
    }
    if (!found) {
      out += '?';
      plat::messageBox(u"一致せず", u"", plat::kMbOk);
    }
    if (j >= reading.size()) break;
    out += reading[j];
    i = j + 1;
  }
  return out;
}

void postProcessReading(std::string& list) {
  std::vector<std::string> candidates;
  std::size_t i = 0;
  while (i < list.size() && list[i] != 0) {
    std::size_t j = i;
    while (j < list.size() && list[j] != ' ' && list[j] != 0) ++j;
    if (j > i) candidates.push_back(list.substr(i, j - i));
    i = j < list.size() && list[j] == ' ' ? j + 1 : j;
  }
  for (std::size_t k = 0; k < candidates.size(); ++k) {
    const std::string& c = candidates[k];
    const std::size_t slash = c.find('/');
    if (slash == std::string::npos) {
      list = c;
      return;
    }
    const char digit = slash + 1 < c.size() ? c[slash + 1] : 0;
    if (digit == '1' || digit == '3' || digit == '5') {
      list = c.substr(0, slash);
      return;
    }
  }
  if (!candidates.empty()) list = candidates.front().substr(0, candidates.front().find('/'));
}

int readPinyinEntry(std::FILE* dictionary, CjNode& node, int32_t offset, std::string& reading) {
  reading.clear();
  const std::string_view word = node.CHI.view();
  if (isInWordList(punctuationList(), word)) {
    node.CAT = "P";
    return 0;
  }
  if (word.empty() || !dbcs::isLeadByte(static_cast<unsigned char>(word[0])) ||
      (offset == 0 && word != listedWord(kDicLookupFirstEntryWordKey))) {
    node.CAT = "W";
    return 0;
  }
  // A missing file or an offset outside it reads as a word without an entry.
  std::string entry(kDicEntryReadSize, '\0');
  std::size_t got = 0;
  if (dictionary && offset >= 0 && plat::fileSeek(dictionary, offset, SEEK_SET) == 0) {
    got = plat::fileRead(entry.data(), kDicEntryReadSize, dictionary);
  }
  if (got == 0) {
    node.CAT = "W";
    return 0;
  }
  entry.resize(got);
  descrambleDicEntry(entry, offset);
  entry.resize(std::min(entry.find_first_of(std::string_view("\r\n\0", 3)), entry.size()));
  if (!entry.empty() && entry[0] == '\\') entry[0] = ' ';
  entry.resize(std::min(entry.size(), kReadingSize));
  reading = entry;
  return 1;
}

int annotatePinyinSentence(CjEngine& engine, std::string_view sentence, std::string& out, int mode) {
  useEngineWords(engine);
  engine.engineStatus = kStatusOk;
  out.clear();
  sentence = sentence.substr(0, std::min(sentence.size(), sentence.find('\0')));
  if (sentence.empty()) return -1;
  segment seg;
  initSegmenter(seg, engine, sentence);
  segmentForPinyin(seg);
  const int count = mergedCount(seg);
  std::unique_ptr<CjSentence> s = buildSentence(count);
  if (!s) {
    freeSegmenter(seg);
    return -1;
  }
  s->engine = &engine;
  const std::vector<SegmentEntry>& merged = mergedSegments(seg);
  std::vector<std::string> readings(static_cast<std::size_t>(count) + 1);
  for (int i = 1; i <= count && i < static_cast<int>(merged.size()); ++i) {
    const SegmentEntry& e = merged[i];
    CjNode& node = s->nodes[i];
    node.CHI = e.text.view();
    if (e.kind == 'P' || e.kind == 'U' || e.kind == 'W') {
      node.CAT = std::string_view(&e.kind, 1);
      node.kind = 'W';
    } else if (e.kind == '4') {
      readPinyinEntry(engine.data.cwcdicp, node, e.value, readings[i]);
      node.kind = '4';
    }
  }
  bool previousHadReading = false;
  for (int i = 1; i <= count && out.size() < kSentenceLimit; ++i) {
    const CjNode& node = s->nodes[i];
    std::string reading = readings[i];
    const int special = specialWordIndex(node.CHI.view());
    if (special >= 0) reading = (mode % 2 != 0 ? kSpecialToned : kSpecialPlain)[special];
    std::string piece;
    if (!reading.empty()) {
      const std::string formatted = formatReading(reading, mode);
      if (!out.empty()) piece = " ";
      if (mode == 0) {
        mapReadingSyllables(engine, formatted, piece);
      } else {
        piece += formatted;
      }
      previousHadReading = true;
    } else {
      // The reading is engine code: a word without a reading stays as it is written (its Japanese
      // form would be read back as another character).
      if (previousHadReading) piece = " ";
      piece += node.CHI.view();
      previousHadReading = false;
    }
    appendBounded(out, piece);
  }
  destroySentence(s, 1);
  freeSegmenter(seg);
  return 0;
}

int annotatePinyinText(CjEngine& engine, std::string_view text, std::string& out, int mode) {
  useEngineWords(engine);
  out.clear();
  text = text.substr(0, std::min(text.size(), text.find('\0')));
  if (lacksHanzi(text)) return -1;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::string sentence, endMark, reading;
    const std::size_t next = nextChineseSentence(text, sentence, pos, endMark);
    const int result = annotatePinyinSentence(engine, sentence, reading, mode);
    out += reading;
    if (result != 0) return -1;
    if (next <= pos) break;
    pos = next;
  }
  return 0;
}

}  // namespace cj
