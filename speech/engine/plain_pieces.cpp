#include "speech/engine/plain_pieces.h"

#include "speech/engine/speech_data.h"
#include "speech/engine/speech_files.h"

namespace speech {

namespace {

constexpr int kPieceMax = 126;
constexpr std::uint16_t kNoSound = 0xFFFE;

// Pause code of a punctuation character; 0 for any other.
int pauseCode(Unit u) {
  if (isCommaUnit(u)) return 4300;
  if (u == ';' || u == gbUnit(0xA3, 0xBB)) return 4301;
  if (isPointUnit(u) || u == gbUnit(0xA1, 0xA3)) return 4302;
  if (u == '!' || u == gbUnit(0xA3, 0xA1)) return 4303;
  if (isQuestionMarkUnit(u)) return 4304;
  if (isColonUnit(u)) return 4305;
  if (u == gbUnit(0xA1, 0xA2)) return 4320;
  return 0;
}

std::uint16_t codeOf(Unit u) {
  if (int pause = pauseCode(u)) return static_cast<std::uint16_t>(pause);
  if (u >= 'a' && u <= 'z') return static_cast<std::uint16_t>(4200 + (u - 'a'));
  if (u >= 'A' && u <= 'Z') return static_cast<std::uint16_t>(4200 + (u - 'A'));
  if (hanziIndex(u) < 0) return kNoSound;
  std::uint16_t reading = readingOf(u);
  if (reading & kPolyphoneFlag) {
    std::vector<std::uint16_t> readings = polyphoneReadings(reading & 0x7FFF);
    reading = readings.empty() ? 0 : readings.front();
  }
  int tone = reading % 8;
  if (tone < 1 || tone > 5) return kNoSound;
  return static_cast<std::uint16_t>(tone + (reading / 8) * 5 - 1);
}

}  // namespace

bool preparePlainPiece(Utterance& u) {
  auto atEnd = [&] { return u.cursor >= u.text.size() || u.text[u.cursor] == 0; };
  if (atEnd()) return false;
  int count = 0;
  while (!atEnd() && count < kPieceMax && count + 1 < static_cast<int>(u.units.size())) {
    Unit c = u.text[u.cursor++];
    SpeechUnit s;
    s.character = c;
    s.code = codeOf(c);
    s.posInWord = 0;
    s.wordLength = s.code < 4200 ? 1 : 0;  // each syllable a word of its own
    s.pitch = static_cast<std::int16_t>(u.current.pitch);
    s.speed = static_cast<std::int16_t>(u.current.speed);
    s.volume = static_cast<std::int16_t>(u.current.volume);
    u.units[static_cast<std::size_t>(count++)] = s;
    if (pauseCode(c)) break;
  }
  u.units[static_cast<std::size_t>(count)] = SpeechUnit{};
  u.units[static_cast<std::size_t>(count)].character = 0;
  u.pending = u.current;
  u.unitCount = count;
  u.nextUnit = 0;
  return true;
}

}  // namespace speech
