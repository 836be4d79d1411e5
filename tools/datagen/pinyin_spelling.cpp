#include "tools/datagen/pinyin_spelling.h"

#include <algorithm>
#include <map>
#include <set>

#include "platform/core/codepage.h"
#include "tools/datagen/cj_data_files.h"
#include "tools/datagen/pinyin_tone_marks.h"
#include "tools/resgen/engine_code_tables.h"

namespace datagen {

// data/tables/pinyin_katakana.txt, compiled in.
extern const std::string_view kKatakanaTableText;

namespace {

constexpr std::size_t kMaxSyllableLetters = 6;
constexpr std::size_t kMaxKatakana = 4;
constexpr std::size_t kReadingBytes = 8;
constexpr std::size_t kReadingTableSize = 11052;

std::string lineError(int number, const std::string& why) {
  return "pinyin_katakana.txt:" + std::to_string(number) + ": " + why;
}

// A run of letters between breaks, with the tone marks met in it (letter index, tone).
struct Chunk {
  std::string letters;
  std::vector<std::pair<std::size_t, int>> marks;
};

// Cuts letters[at..] into table syllables, the longest first; false when no cut exists.
bool cutSyllables(const std::string& letters, std::size_t at, std::vector<std::size_t>& ends,
                  std::set<std::size_t>& dead) {
  if (at == letters.size()) return true;
  if (dead.count(at)) return false;
  const std::size_t longest = std::min(kMaxSyllableLetters, letters.size() - at);
  for (std::size_t n = longest; n >= 1; --n) {
    if (!isPinyinSyllable(std::string_view(letters).substr(at, n))) continue;
    ends.push_back(at + n);
    if (cutSyllables(letters, at + n, ends, dead)) return true;
    ends.pop_back();
  }
  dead.insert(at);
  return false;
}

// Appends the chunk's syllables; the digit, when given, is the last syllable's tone.
bool flushChunk(Chunk& chunk, int digit, std::vector<PinyinSyllable>& out) {
  if (chunk.letters.empty()) return digit < 0;
  std::vector<std::size_t> ends;
  std::set<std::size_t> dead;
  if (!cutSyllables(chunk.letters, 0, ends, dead)) return false;
  std::size_t start = 0;
  for (std::size_t end : ends) {
    PinyinSyllable s;
    s.letters = chunk.letters.substr(start, end - start);
    for (const auto& [at, tone] : chunk.marks) {
      if (at >= start && at < end && tone) s.tone = tone;
    }
    out.push_back(s);
    start = end;
  }
  if (digit >= 0) out.back().tone = digit;
  chunk = Chunk{};
  return true;
}

// What the engine's code page reads each code back as: the first code of each character, a code
// of two bytes before a single byte.
const std::map<char16_t, std::uint16_t>& engineCodesByCharacter() {
  static const std::map<char16_t, std::uint16_t> codes = [] {
    std::map<char16_t, std::uint16_t> byChar, single;
    const std::string cwk = resgen::buildEngineCodeTables({}).cwkUni;
    const std::size_t entries = cwk.size() / 2;
    for (std::size_t i = 0; i < entries; ++i) {
      const auto value = static_cast<char16_t>(static_cast<unsigned char>(cwk[2 * i]) |
                                               static_cast<unsigned char>(cwk[2 * i + 1]) << 8);
      if (value == 0 || value == u'?') continue;
      if (i < 64) {
        single.emplace(value, static_cast<std::uint16_t>(0xA0 + i));
        continue;
      }
      const std::size_t k = i - 64, row = k / 188, off = k % 188;
      const unsigned trail = 0x40 + static_cast<unsigned>(off) + (off >= 0x3F ? 1 : 0);
      const unsigned lead = row < 31 ? 0x81 + static_cast<unsigned>(row) : 0xC1 + static_cast<unsigned>(row);
      byChar.emplace(value, static_cast<std::uint16_t>(lead << 8 | trail));
    }
    for (const auto& [c, code] : single) byChar.emplace(c, code);
    return byChar;
  }();
  return codes;
}

}  // namespace

bool parseKatakanaTable(std::string_view text, std::vector<KatakanaRow>& rows, std::string* error) {
  rows.clear();
  std::set<std::string> seen;
  int number = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(at, end - at));
    at = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    KatakanaRow row;
    row.syllable = line.substr(0, tab);
    if (tab != std::string::npos) row.katakana = plat::utf8ToWide(line.substr(tab + 1));
    const bool letters = !row.syllable.empty() && std::all_of(row.syllable.begin(), row.syllable.end(),
                                                               [](char c) { return c >= 'a' && c <= 'z'; });
    std::string why;
    if (tab == std::string::npos || !letters || row.katakana.empty()) why = "needs syllable<TAB>katakana";
    else if (row.syllable.size() > kMaxSyllableLetters) why = "syllable longer than 6 letters";
    else if (row.katakana.size() > kMaxKatakana) why = "reading longer than 4 characters";
    else if (!seen.insert(row.syllable).second) why = "syllable listed twice";
    if (!why.empty()) {
      if (error) *error = lineError(number, why);
      return false;
    }
    rows.push_back(std::move(row));
  }
  return true;
}

const std::vector<KatakanaRow>& katakanaTable() {
  static const std::vector<KatakanaRow> rows = [] {
    std::vector<KatakanaRow> r;
    parseKatakanaTable(kKatakanaTableText, r);
    return r;
  }();
  return rows;
}

bool isPinyinSyllable(std::string_view syllable) {
  static const std::set<std::string, std::less<>> syllables = [] {
    std::set<std::string, std::less<>> s;
    for (const KatakanaRow& r : katakanaTable()) s.insert(r.syllable);
    return s;
  }();
  return syllables.count(syllable) != 0;
}

std::optional<std::vector<PinyinSyllable>> readPinyin(std::string_view spelling) {
  const std::u16string wide = plat::utf8ToWide(spelling);
  std::vector<PinyinSyllable> out;
  Chunk chunk;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) {
      const char lower = static_cast<char>(c >= u'a' ? c : c - u'A' + u'a');
      if (lower == 'u' && i + 1 < wide.size() && wide[i + 1] == u':') {
        chunk.letters += 'v';
        ++i;
      } else {
        chunk.letters += lower;
      }
    } else if (c >= u'0' && c <= u'5') {
      if (chunk.letters.empty() || !flushChunk(chunk, c == u'5' ? 0 : c - u'0', out)) return std::nullopt;
    } else if (c == u' ' || c == u'/' || c == u'\'' || c == u'’' || c == u'-') {
      if (!flushChunk(chunk, -1, out)) return std::nullopt;
      const char sep = c == u'/' ? '/' : c == u' ' ? ' ' : 0;
      if (sep && !out.empty()) out.back().separator = sep;
    } else if (const int tone = combiningTone(c)) {
      if (chunk.letters.empty()) return std::nullopt;
      chunk.marks.emplace_back(chunk.letters.size() - 1, tone);
    } else if (c == 0x0308) {
      if (chunk.letters.empty() || chunk.letters.back() != 'u') return std::nullopt;
      chunk.letters.back() = 'v';
    } else if (c == 0x0302) {
      if (chunk.letters.empty()) return std::nullopt;
    } else {
      const std::optional<ToneMarkedLetter> m = toneMarkedLetter(c, 'e');
      if (!m) return std::nullopt;
      chunk.letters += m->letter;
      if (m->tone) chunk.marks.emplace_back(chunk.letters.size() - 1, m->tone);
    }
  }
  if (!flushChunk(chunk, -1, out) || out.empty()) return std::nullopt;
  out.back().separator = 0;
  return out;
}

std::optional<std::string> dictionaryReading(std::string_view spelling) {
  const auto syllables = readPinyin(spelling);
  if (!syllables) return std::nullopt;
  std::string out;
  for (const PinyinSyllable& s : *syllables) {
    out += static_cast<char>(s.letters[0] - 'a' + 'A');
    out += s.letters.substr(1);
    out += static_cast<char>('0' + s.tone);
    if (s.separator) out += s.separator;
  }
  return out;
}

std::optional<std::string> characterReading(const std::vector<std::string>& readings) {
  std::vector<std::string> kept;
  for (const std::string& r : readings) {
    const auto syllables = readPinyin(r);
    if (!syllables) return std::nullopt;
    std::string one;
    for (const PinyinSyllable& s : *syllables) one += s.letters + static_cast<char>('0' + s.tone);
    if (std::find(kept.begin(), kept.end(), one) == kept.end()) kept.push_back(one);
  }
  std::string out;
  for (const std::string& k : kept) out += (out.empty() ? "" : " ") + k;
  return out;
}

std::optional<std::string> katakanaEngineBytes(std::u16string_view katakana) {
  const auto& codes = engineCodesByCharacter();
  std::string out;
  for (char16_t c : katakana) {
    auto it = codes.find(c);
    if (it == codes.end() && c == u'ー') {
      it = codes.find(u'—');
      if (it == codes.end()) it = codes.find(u'―');
    }
    if (it == codes.end()) return std::nullopt;
    if (it->second >= 0x100) out += static_cast<char>(it->second >> 8);
    out += static_cast<char>(it->second & 0xFF);
  }
  return out;
}

bool readingTableFromRows(const std::vector<KatakanaRow>& rows, std::string& file, std::string* error) {
  std::vector<CjReadingRow> table;
  for (const KatakanaRow& r : rows) {
    const auto bytes = katakanaEngineBytes(r.katakana);
    std::string why;
    if (!bytes) why = "a character has no engine code";
    else if (bytes->size() > kReadingBytes) why = "reading longer than 8 bytes";
    else if (r.syllable.empty() || r.syllable.size() > kMaxSyllableLetters) why = "syllable of 1 to 6 letters";
    if (!why.empty()) {
      if (error) *error = "reading table: " + r.syllable + ": " + why;
      return false;
    }
    table.push_back({r.syllable, *bytes});
  }
  if (table.size() * kCjReadingRowSize > kReadingTableSize) {
    if (error) *error = "reading table: " + std::to_string(table.size()) + " rows pass its room";
    return false;
  }
  file = cjReadingTableFile(table);
  return true;
}

}  // namespace datagen
