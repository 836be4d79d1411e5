// The back end: a piece's unit list rendered to 16-bit samples at 8 kHz in a sample buffer.
#pragma once
#include "speech/engine/utterance.h"

#include <array>
#include <cstdint>
#include <vector>

namespace speech {

// Unit codes.
inline constexpr int kSyllableShareFirst = 2100;  // 2100-4199 share the recordings of code - 2100
inline constexpr int kLetterCodeFirst = 4200;
inline constexpr int kLetterCodeLast = 4249;
inline constexpr int kGreekCodeFirst = 4250;
inline constexpr int kGreekCodeLast = 4299;
inline constexpr int kGreekEntryShift = 4224;  // Eng4M.idx entry = code - 4224
inline constexpr int kPauseCodeFirst = 4300;
inline constexpr int kPauseCodeLast = 4399;
inline constexpr int kSilentCodeFirst = 5000;
inline constexpr int kSilentCodeLast = 15999;

inline constexpr int kNeutralIndex = 5;
inline constexpr int kFadeSamples = 160;
inline constexpr int kFrameSamples = 160;
inline constexpr int kSearchOffsets = 200;
inline constexpr int kPauseStepBytes = 32;
inline constexpr int kWordGapSteps = 10;

// Factors by index 0-9 (5 is neutral).
extern const std::array<double, 10> kPitchFactor;
extern const std::array<double, 10> kSpeedFactor;
extern const std::array<double, 10> kVolumeFactor;

// Pause length of a pause code, in steps of 32 bytes at the neutral speed.
int pauseSteps(int code);

// Appends silence: steps × 32 bytes divided by the speed factor, truncated and made even.
void appendPause(SampleBuffer& buffer, int steps, int speed);

enum class UnitFile { kSyllables, kLetters };

// Appends one recording read from the open unit file, decoded, scaled in pitch, time and volume
// and faded at both ends. A recording that cannot be read or given room is dropped.
void renderRecording(UnitFile file, std::uint32_t offset, std::uint32_t length, SampleBuffer& buffer, int volume,
                     int pitch, int speed);

// The variant of a syllable that its place in the word asks for, falling back to the first
// variant that has a recording; false when none has one.
bool chooseVariant(const std::vector<SpeechUnit>& units, int index, int syllableCode, std::uint32_t& offset,
                   std::uint32_t& length);

// Renders units from `first` while below `count`; returns the first unit not rendered (`count`
// when all were). Stops after a syllable that takes the fill past 16,384 bytes.
int renderUnits(const std::vector<SpeechUnit>& units, int first, int count, SampleBuffer& buffer);

// Time scaling in 20 ms frames: n input samples to `target` output samples.
std::vector<std::int16_t> scaleTime(const std::vector<std::int16_t>& input, int target);
// Linear resampling to m = n / factor samples (the pitch change).
std::vector<std::int16_t> resamplePitch(const std::vector<std::int16_t>& input, double factor);

// Cuts the next piece of the utterance's text and builds its unit list (unitCount set, nextUnit
// 0, pending settings taken); false when the text is used up.
using PieceSource = bool (*)(Utterance& u);

// Renders the utterance into the buffer: piece after piece from the source until a block is
// full or the text is exhausted.
void fillBlockFrom(Utterance& u, SampleBuffer& buffer, PieceSource nextPiece);

}  // namespace speech
