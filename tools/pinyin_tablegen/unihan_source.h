// What the candidate tables take from Unihan: each hanzi's readings with their frequencies, its
// general frequency and whether GB2312 and Big5 hold it.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pinyin::tablegen {

// A toned reading: spelling as the inventory writes it ("lve", "E") and tone 0 (neutral) to 4.
struct ToneReading {
  std::string spelling;
  int tone = 0;
  bool operator==(const ToneReading&) const = default;
  bool operator<(const ToneReading& o) const { return spelling != o.spelling ? spelling < o.spelling : tone < o.tone; }
};

struct HanziFacts {
  std::vector<ToneReading> mandarin;  // kMandarin, customary first
  std::vector<ToneReading> dictionary;  // kXHC1983 and kTGHZ2013
  std::vector<ToneReading> historic;  // kHanyuPinyin, used only when nothing else reads the character
  std::vector<std::pair<ToneReading, int>> corpus;  // kHanyuPinlu with counts
  int frequency = 0;  // kFrequency 1 (most common) to 5; 0 absent
  int gb2312 = 0;     // kGB0 row × 100 + cell; 0 absent
  int big5 = 0;       // kBigFive code; 0 absent
};

using HanziTable = std::map<char32_t, HanziFacts>;

// "lüè" → {"lve", 4}; "ê̄" → {"E", 1}; nothing for a text that is not toned pinyin.
std::optional<ToneReading> parseToneReading(std::string_view utf8);

// Adds the fields of Unihan lines ("U+4E00<TAB>kMandarin<TAB>yī") to the table.
void readUnihanLines(std::string_view text, HanziTable& table);

// The text of a bzip2-compressed file; nothing when it cannot be read.
std::optional<std::string> readBzip2File(const std::string& path);

}  // namespace pinyin::tablegen
