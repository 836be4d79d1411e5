// The composition engine: the syllable being keyed part by part, the effect of each key on it,
// which keys may follow, its written form and its candidate characters with their paging.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "input/pinyin/candidate_tables.h"

namespace pinyin {

inline constexpr int kMaxCandidates = 512;
inline constexpr int kPageSize = 8;

struct PinyinComposition {
  std::uint8_t initial = 0;  // 0 none, 1-21
  std::uint8_t final = 0;    // 0 none, 1-20
  std::uint8_t medial = 0;   // 0 none, 1 i, 2 u, 3 ü
  std::uint8_t tone = 0;     // 0 none, 1-4, 5 neutral
  std::array<char16_t, 9> syllableText{};  // up to 8 characters, ended by 0
  std::array<bool, 5> tonesPresent{};      // by tone digit: 0 neutral, 1-4
  std::uint16_t pageStart = 0;
  std::uint32_t fuzzyFlags = 0;
  std::uint8_t traditional = 0;
  std::array<char16_t, kMaxCandidates + 1> candidates{};  // ended by 0
  std::uint16_t candidateCount = 0;
};

// Bits of the fuzzy flags (the panel's VagueFlags).
enum FuzzyBit : std::uint32_t {
  kFuzzyAnAng = 1u << 0,
  kFuzzyEnEng = 1u << 1,
  kFuzzyInIng = 1u << 2,
  kFuzzyUnOng = 1u << 3,
  kFuzzyRetroflex = 1u << 4,
  kFuzzyRY = 1u << 5,
  kFuzzyLN = 1u << 6,
};

// What the engine works with: the tables, the keyboard mode (zhuyin for layout 1), and where it
// reads the panel's character set and fuzzy flags at the first key of a syllable.
struct PinyinEngine {
  CandidateTables tables;
  bool zhuyin = false;
  std::function<void(std::uint32_t& charset, std::uint32_t& fuzzyFlags)> readSettings;
};

void composeKey(const PinyinEngine& engine, PinyinComposition& c, std::uint16_t key);
bool isKeyEnabled(const PinyinEngine& engine, const PinyinComposition& c, std::uint16_t key);
// Writes the syllable into syllableText and returns it.
std::u16string compositionText(const PinyinEngine& engine, PinyinComposition& c, bool withToneMarks);
void clearComposition(PinyinComposition& c);
bool isComposing(const PinyinComposition& c);
bool hasNextPage(const PinyinComposition& c);
bool hasPreviousPage(const PinyinComposition& c);

// The settings reader of the panel: Charset and VagueFlags under its class-id key (absent: 0).
void readPanelSettings(std::uint32_t& charset, std::uint32_t& fuzzyFlags);

}  // namespace pinyin
