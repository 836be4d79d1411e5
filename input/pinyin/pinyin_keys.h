// Key codes of the pinyin keyboards and the composition engine.
#pragma once
#include <cstdint>

namespace pinyin {

enum KeyCode : std::uint16_t {
  kKeyBackspace = 8,
  kKeyEnter = 13,
  kKeyFirstInitial = 129,  // b … r: initials 1-21
  kKeyLastInitial = 149,
  kKeyFirstMedial = 150,  // i ("y/i"), u ("w/u"), ü
  kKeyMedialU = 151,
  kKeyLastMedial = 152,
  kKeyFirstFinal = 153,  // finals 1-20
  kKeyLastFinal = 172,
  kKeyFirstTone = 173,  // tones 1-4, then 177 the neutral tone
  kKeyNeutralTone = 177,
  kKeyFirstSlot = 178,  // candidate slots 1-8
  kKeyLastSlot = 185,
  kKeyPreviousPage = 192,
  kKeyNextPage = 193,
  kKeyLayout0 = 194,
  kKeyLayout2 = 195,
  kKeyLayout3 = 196,
  kKeyFullWidth = 197,
  kKeyLayout1 = 199,
};

// Parts of a syllable.
enum Initial : std::uint8_t { kB = 1, kP, kM, kF, kD, kT, kN, kL, kG, kK, kH, kJ, kQ, kX, kZ, kC, kS, kZh, kCh, kSh, kR };
enum Medial : std::uint8_t { kMedialNone = 0, kMedialI = 1, kMedialU = 2, kMedialV = 3 };
enum Final : std::uint8_t {
  kFinalA = 1, kFinalE, kFinalI, kFinalU, kFinalAng, kFinalEng, kFinalIng, kFinalOng, kFinalAn, kFinalEn,
  kFinalIn, kFinalUn, kFinalAi, kFinalEi, kFinalAo, kFinalOu, kFinalO, kFinalV, kFinalEr, kFinalEh
};

inline constexpr int kInitialCount = 21;
inline constexpr int kFinalCount = 20;

}  // namespace pinyin
