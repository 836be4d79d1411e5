// The parameters, the per-request utterance with its unit list and sample buffers.
#pragma once
#include "speech/engine/text_code.h"
#include "speech/engine/text_convert.h"

#include <array>
#include <cstdint>
#include <vector>

namespace speech {

// Result codes of the exported entry points.
enum SpeechResult : int {
  kSpeechOk = 0,
  kSpeechAlreadyInitialised = 1,
  kSpeechNotInitialised = 2,
  kSpeechNoMemory = 3,
  kSpeechBadWindow = 4,
  kSpeechBadCallback = 5,
  kSpeechLoadFailed = 6,
  kSpeechNotIdle = 8,
  kSpeechNotPlaying = 9,
  kSpeechNoText = 10,
  kSpeechNotUtterance = 14,
  kSpeechChunkReady = 16,
  kSpeechBadValue = 17,
  kSpeechNoDevice = 18,
  kSpeechResetFailed = 19,
  kSpeechNoThread = 22,
  kSpeechBadText = 26,
  kSpeechBadParameter = 27,
};

inline constexpr int kParamCount = 8;

struct SpeechParams {
  std::int32_t version = 2;
  std::array<std::int32_t, kParamCount> p{kTextUtf16, 1, 5, 5, 5, 0, 0, 2};
};

// p1, pitch (p2), speed (p4), volume (p3), p6, p5, p7.
struct VoiceSettings {
  std::int32_t p1 = 0, pitch = 0, speed = 0, volume = 0, p6 = 0, p5 = 0, p7 = 0;
};
VoiceSettings voiceSettingsOf(const SpeechParams& params);

struct SpeechUnit {
  std::uint16_t character = 0;
  std::uint16_t code = 0xFFFF;
  std::uint16_t flags = 0;
  std::uint8_t posInWord = 0;
  std::uint8_t wordLength = 0;
  std::uint8_t wordIndex = 0, phraseWords = 0, phraseIndex = 0, phraseCount = 0;
  std::int16_t pitch = 5;
  std::int16_t speed = 5;
  std::int16_t volume = 5;
  std::int16_t extra = 0;
};

inline constexpr int kUnitSlots = 512;
inline constexpr std::int32_t kBlockBytes = 16384;

struct SampleBuffer {
  std::int32_t active = 0;
  std::vector<char> data;     // its size is the capacity
  std::int32_t capacity = 0;  // bytes
  std::int32_t fill = 0;      // bytes
};

// Makes room for `bytes` more bytes after the fill, growing an active buffer to a multiple of
// 16,384 bytes; false when it cannot (the buffer unchanged).
bool ensureRoom(SampleBuffer& buffer, std::int32_t bytes);

inline constexpr std::uint32_t kUtteranceMagic = 0x52434F56;  // "VOCR" in memory order

struct Utterance {
  std::uint32_t magic = kUtteranceMagic;
  std::vector<Unit> text;  // internal code, ending in a zero unit
  std::size_t cursor = 0;  // index of the next unread unit
  SpeechParams params;
  VoiceSettings base, current, pending;
  std::vector<SpeechUnit> units;
  std::int32_t unitCount = 0;
  std::int32_t nextUnit = 0;
  std::array<SampleBuffer, 2> out;
};

// Copies and converts the text (UTF-16 with its terminating zero); kSpeechNoMemory or
// kSpeechBadText on failure, with nothing allocated.
int createUtterance(const char16_t* text, const SpeechParams& params, Utterance*& out);
int destroyUtterance(Utterance* u);
// Bytes of the converted text consumed so far.
std::int32_t utteranceProgress(const Utterance* u);
// Fills buffer 0 or 1 with the next block: kSpeechChunkReady with the block, 0 with no data when
// the text is exhausted.
int synthesizeChunk(Utterance* u, int index, const char** data, std::int32_t* length, std::int32_t sizeHint);

// True when the cursor is at the terminating zero and no units are pending.
bool utteranceExhausted(const Utterance& u);

// Renders the next stretch of the utterance into the buffer (front end and unit rendering).
void fillBlock(Utterance& u, SampleBuffer& buffer);
// Replaces the block renderer (tests); null restores the built-in one.
using BlockFiller = void (*)(Utterance&, SampleBuffer&);
void setBlockFiller(BlockFiller filler);

}  // namespace speech
