// The text front end: cuts the next piece of the text and turns it into the unit list.
#pragma once
#include "speech/engine/gb_text.h"
#include "speech/engine/utterance.h"

#include <cstdint>
#include <vector>

namespace speech {

inline constexpr int kPieceMax = 126;

// Unit codes beyond the syllables.
inline constexpr std::uint16_t kCodeLetterFirst = 4200;
inline constexpr std::uint16_t kCodeGreekFirst = 4250;
inline constexpr std::uint16_t kPauseFirst = 4300;
inline constexpr int kPauseUnitOffset = 3788;  // pause code - unit
inline constexpr int kMarkUnitOffset = 904;     // no-sound code of a mark unit 0x1000-0x3FFF
inline constexpr std::uint16_t kCodeSilent = 0xFFFE;  // a unit without sound
inline constexpr std::uint16_t kCodeOpen = 0xFFFF;
inline constexpr int kSyllableCodeCount = 2100;
inline constexpr int kErhuaStep = 2100;  // a syllable joined by 儿

// Unit flags.
inline constexpr std::uint16_t kFlagGrade2 = 1;
inline constexpr std::uint16_t kFlagGrade3 = 2;
inline constexpr std::uint16_t kFlagGrade4 = 4;
inline constexpr std::uint16_t kFlagExplicit = 16;
inline constexpr std::uint16_t kFlagDigit = 32;

struct Mark {
  int position;
  int type;  // 2 explicit reading, 10 extra value, 11 digit read one by one
  int value;
};

struct Piece {
  Text text;                          // working text
  std::vector<std::uint16_t> bounds;  // text.size() + 1: boundary type at each position (0 none)
  std::vector<Mark> marks;
};

// Cuts the next piece (at most 126 characters) from the text at cursor; the cursor after it.
std::size_t nextPiece(const std::vector<Unit>& text, std::size_t cursor, Text& piece);
// Full-width fold and run collapse.
Text foldFullWidth(const Text& piece);
Text collapseRuns(const Text& piece);
// Normalisation: numbers, symbols, punctuation, segmentation and phrasing.
Piece normalisePiece(const Text& piece, const VoiceSettings& current);
// One unit per character of the working text, ending with a zero unit; the list grows as needed.
void buildUnits(const Piece& piece, std::vector<SpeechUnit>& units, const VoiceSettings& current);
void chooseUnitCodes(std::vector<SpeechUnit>& units);
void applyToneRules(std::vector<SpeechUnit>& units);

// Cuts the next piece of the utterance and fills its unit list; false when the text is used up.
bool prepareNextPiece(Utterance& u);

// Called with each piece's unit list (tests); null for none.
using PieceHook = void (*)(const Utterance& u);
void setPieceHook(PieceHook hook);

}  // namespace speech
