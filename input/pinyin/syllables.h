// The syllable inventories of the two character sets, their parts as the two keyboards key them,
// the validity masks and the syllable numbers that index the candidate tables.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pinyin {

struct SyllableParts {
  std::uint8_t initial = 0;  // 0 none, 1-21
  std::uint8_t medial = 0;   // 0 none, 1 i, 2 u, 3 ü
  std::uint8_t final = 0;    // 0 none, 1-20
  bool operator==(const SyllableParts&) const = default;
};

// Spellings of every syllable of the set, toneless, "v" for ü and "E" for ê.
const std::vector<std::string_view>& syllableInventory(bool traditional);

// Layout 0 (pinyin keys): the parts a spelling is looked up with; nothing for the ü syllables
// that have fixed numbers (see layout0SpecialNumber) and for spellings outside the keys' reach.
std::optional<SyllableParts> layout0Parts(std::string_view spelling);
// 0 lüe, 1 nüe, 2 yuan, 3 yue, 4 lüan; -1 for any other spelling.
int layout0SpecialNumber(std::string_view spelling);
// Layout 1 (zhuyin keys): medial 0-3, final 0 (none) or one of the zhuyin finals.
std::optional<SyllableParts> layout1Parts(std::string_view spelling);

// Validity masks. Layout 0: medial 0-2, bit (final − 1). Layout 1: medial 0-3, bit final (0 = none).
std::uint32_t layout0Mask(bool traditional, int initial, int medial);
std::uint32_t layout1Mask(bool traditional, int initial, int medial);

// The number of a syllable in the layout's and set's index table; -1 when it is not valid.
// Layout 0 handles medial ü by its fixed numbers.
int syllableNumber(bool zhuyin, bool traditional, const SyllableParts& parts);
// Entries of the layout's and set's index table.
int syllableCount(bool zhuyin, bool traditional);
// The number of an inventory spelling in a layout; -1 when the layout cannot key it.
int spellingNumber(bool zhuyin, bool traditional, std::string_view spelling);

}  // namespace pinyin
