// The records and exports of the handwriting recogniser library (Stroka).
#pragma once
#include <cstddef>
#include <cstdint>

namespace recog {

inline constexpr int kMaxInputStrokes = 48;
inline constexpr int kMaxCandidates = 10;

// Filled by the caller of Mel_Recog.
struct StrokeInput {
  std::uint8_t unused0[3];
  std::uint8_t strokeCount;                     // 1-48; more than 25 is set to 25
  std::uint16_t pointCounts[kMaxInputStrokes];  // points of each stroke, in order
  std::uint16_t boxWidth;                       // writing box in pixels
  std::uint16_t boxHeight;
  std::uint8_t unused1[3];
  std::uint8_t classMask;  // character classes that may be returned
};
static_assert(offsetof(StrokeInput, strokeCount) == 3);
static_assert(offsetof(StrokeInput, pointCounts) == 4);
static_assert(offsetof(StrokeInput, boxWidth) == 100);
static_assert(offsetof(StrokeInput, boxHeight) == 102);
static_assert(offsetof(StrokeInput, classMask) == 107);
static_assert(sizeof(StrokeInput) == 108);

struct RecogCandidate {
  std::uint16_t code;     // BCD row and cell (simplified), else the dictionary's code
  std::uint8_t distance;  // 0 for the best, 99 for the last
  std::uint8_t unused;
};

struct RecogResult {
  std::uint8_t count;  // 0-10
  std::uint8_t unused[3];
  RecogCandidate candidates[kMaxCandidates];
};
static_assert(offsetof(RecogResult, candidates) == 4);
static_assert(sizeof(RecogResult) == 44);

}  // namespace recog

#define STROKA_EXPORT __attribute__((visibility("default")))

// Exports bound by name. Points are two parallel arrays, stroke after stroke.
extern "C" {
// Loads the dictionary of type 0 (simplified), 1 (traditional) or 2 (Japanese), closing one loaded before.
STROKA_EXPORT std::int32_t Mel_Init(std::int32_t type);
STROKA_EXPORT std::int32_t Mel_Recog(recog::StrokeInput* input, const std::uint16_t* x, const std::uint16_t* y,
                                     recog::RecogResult* result);
STROKA_EXPORT std::int32_t Mel_Close();
}

namespace recog {
using MelInitFn = std::int32_t (*)(std::int32_t);
using MelRecogFn = std::int32_t (*)(StrokeInput*, const std::uint16_t*, const std::uint16_t*, RecogResult*);
using MelCloseFn = std::int32_t (*)();
}  // namespace recog
