// Bar lists and text tests of the predicate library. A bar list is one string in which every item
// is fenced by '|' ("|18|19|20|"); the feature lists of JcNode are kept in the same form.
// Matches start and end at character boundaries of the single-byte / double-byte text.
#pragma once
#include <string_view>

namespace jc {

// Conjugation types (decimal strings) and labels that the predicates test.
inline constexpr std::string_view kVerbTypes = "|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|";
inline constexpr std::string_view kVerbAndPotentialTypes = "|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|32|33|";
inline constexpr std::string_view kIAdjectiveTypes = "|18|19|20|";
inline constexpr std::string_view kNaAdjectiveCopulaTypes = "|21|22|23|25|";
inline constexpr std::string_view kNaAdjectiveAllTypes = "|21|22|23|24|25|";
inline constexpr std::string_view kSahenTypes = "|16|17|";
inline constexpr std::string_view kAdnominalLabels = "|D3|D6|D7|D18|D14|TG|";

// Longest code that a bar list can hold.
inline constexpr std::size_t kBarCodeMax = 28;

// 1 when "|" + code + "|" occurs in the list; an empty code or one longer than 28 bytes is in no list.
int isInBarList(std::string_view list, std::string_view code);
// 1 when text ends with suffix (the empty suffix always; a longer one never).
int endsWith(std::string_view text, std::string_view suffix);
// 1 when text begins with prefix.
int beginsWith(std::string_view text, std::string_view prefix);

// Byte length of the character at position i (2 for a lead byte followed by a trail byte).
std::size_t charLengthAt(std::string_view text, std::size_t i);

}  // namespace jc
