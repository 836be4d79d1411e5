#include "speech/engine/utterance.h"

#include "speech/engine/front_end.h"
#include "speech/engine/text_convert.h"
#include "speech/engine/unit_rendering.h"

#include <atomic>
#include <new>

namespace speech {

namespace {

std::atomic<BlockFiller> gFiller{nullptr};

std::int32_t roundUpToBlock(std::int64_t bytes) {
  return static_cast<std::int32_t>((bytes + kBlockBytes - 1) / kBlockBytes * kBlockBytes);
}

bool isUtterance(const Utterance* u) { return u && u->magic == kUtteranceMagic; }

// Each piece's unit list is rendered to samples.
void renderPieces(Utterance& u, SampleBuffer& buffer) { fillBlockFrom(u, buffer, prepareNextPiece); }

}  // namespace

VoiceSettings voiceSettingsOf(const SpeechParams& params) {
  const auto& p = params.p;
  return VoiceSettings{p[1], p[2], p[4], p[3], p[6], p[5], p[7]};
}

bool ensureRoom(SampleBuffer& buffer, std::int32_t bytes) {
  std::int64_t needed = static_cast<std::int64_t>(buffer.fill) + bytes;
  if (needed <= buffer.capacity) return true;
  if (!buffer.active) return false;
  std::int64_t capacity = (needed + kBlockBytes - 1) / kBlockBytes * kBlockBytes;
  if (capacity > INT32_MAX) return false;
  try {
    buffer.data.resize(static_cast<std::size_t>(capacity));
  } catch (const std::bad_alloc&) {
    return false;
  }
  buffer.capacity = static_cast<std::int32_t>(capacity);
  return true;
}

int createUtterance(const char16_t* text, const SpeechParams& params, Utterance*& out) {
  out = nullptr;
  Utterance* u = new (std::nothrow) Utterance;
  if (!u) return kSpeechNoMemory;
  try {
    u->units.assign(kUnitSlots, SpeechUnit{});
    u->units[0].character = 0;
  } catch (const std::bad_alloc&) {
    delete u;
    return kSpeechNoMemory;
  }
  if (!convertUtteranceText(text, params.p[0], u->text)) {
    delete u;
    return kSpeechBadText;
  }
  u->cursor = 0;
  u->params = params;
  u->base = u->current = u->pending = voiceSettingsOf(params);
  out = u;
  return kSpeechOk;
}

int destroyUtterance(Utterance* u) {
  if (!isUtterance(u)) return kSpeechNotUtterance;
  u->magic = 0;
  delete u;
  return kSpeechOk;
}

std::int32_t utteranceProgress(const Utterance* u) {
  if (!isUtterance(u)) return 0;
  return static_cast<std::int32_t>(u->cursor * sizeof(Unit));
}

bool utteranceExhausted(const Utterance& u) {
  return u.unitCount == 0 && (u.cursor >= u.text.size() || u.text[u.cursor] == 0);
}

int synthesizeChunk(Utterance* u, int index, const char** data, std::int32_t* length, std::int32_t sizeHint) {
  if (!isUtterance(u)) return kSpeechNotUtterance;
  if (index < 0 || index > 1) return kSpeechBadParameter;
  SampleBuffer& b = u->out[static_cast<std::size_t>(index)];
  if (b.data.empty()) {
    std::int32_t capacity = sizeHint > kBlockBytes ? roundUpToBlock(sizeHint) : kBlockBytes;
    try {
      b.data.assign(static_cast<std::size_t>(capacity), 0);
    } catch (const std::bad_alloc&) {
      return kSpeechNoMemory;
    }
    b.capacity = capacity;
  }
  b.fill = 0;
  b.active = 1;
  while (b.fill == 0 && !utteranceExhausted(*u)) {
    std::size_t cursor = u->cursor;
    std::int32_t unitCount = u->unitCount, nextUnit = u->nextUnit;
    fillBlock(*u, b);
    // A renderer that moves nothing would otherwise spin here for ever.
    if (b.fill == 0 && u->cursor == cursor && u->unitCount == unitCount && u->nextUnit == nextUnit) break;
  }
  if (b.fill == 0) {
    if (data) *data = nullptr;
    if (length) *length = 0;
    return kSpeechOk;
  }
  if (data) *data = b.data.data();
  if (length) *length = b.fill;
  return kSpeechChunkReady;
}

void fillBlock(Utterance& u, SampleBuffer& buffer) {
  BlockFiller f = gFiller.load();
  (f ? f : renderPieces)(u, buffer);
}

void setBlockFiller(BlockFiller filler) { gFiller.store(filler); }

}  // namespace speech
