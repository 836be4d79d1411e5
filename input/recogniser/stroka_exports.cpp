#include "input/recogniser/recog_dictionary.h"
#include "input/recogniser/recogniser.h"
#include "input/recogniser/recogniser_api.h"
#include "input/recogniser/recogniser_errors.h"

#include <algorithm>
#include <memory>
#include <new>

namespace recog {

namespace {

// The recogniser's module state: one per process, loaded from Mel_Init to Mel_Close.
struct RecogniserState {
  RecogDictionary dictionary;
  PointBuffers buffers;
};
std::unique_ptr<RecogniserState> gState;

std::uint16_t toBcd(unsigned v) { return static_cast<std::uint16_t>((v / 10) << 4 | (v % 10)); }

// Simplified codes go out as BCD row and cell; the others unchanged.
std::uint16_t outputCode(int type, std::uint16_t code) {
  if (type != kSimplified) return code;
  return static_cast<std::uint16_t>(toBcd(code >> 8) << 8 | toBcd(code & 0xFF));
}

void writeResult(int type, const std::vector<Candidate>& list, RecogResult& result) {
  int n = std::min<int>(static_cast<int>(list.size()), kMaxCandidates);
  result.count = static_cast<std::uint8_t>(n);
  if (n == 0) return;
  long first = list[0].distance;
  long span = list[n - 1].distance - first;
  if (span <= 0) span = 1;
  for (int i = 0; i < n; ++i) {
    result.candidates[i].code = outputCode(type, list[i].code);
    result.candidates[i].distance = static_cast<std::uint8_t>((list[i].distance - first) * 99 / span);
  }
}

}  // namespace

}  // namespace recog

using namespace recog;

extern "C" std::int32_t Mel_Init(std::int32_t type) {
  if (!dictionaryFileName(type)) return kErrUnknownType;
  gState.reset();
  std::unique_ptr<RecogniserState> state;
  try {
    state = std::make_unique<RecogniserState>();
    state->buffers.counts.reserve(kMaxRecogStrokes);
    state->buffers.x.reserve(kPointCapacity);
    state->buffers.y.reserve(kPointCapacity);
  } catch (const std::bad_alloc&) {
    return kErrPointMemory;
  }
  int rc = loadDictionary(type, state->dictionary);
  if (rc != kRecogOk) return rc;
  gState = std::move(state);
  return kRecogOk;
}

extern "C" std::int32_t Mel_Recog(StrokeInput* input, const std::uint16_t* x, const std::uint16_t* y,
                                  RecogResult* result) {
  if (!input) return kErrNoInput;
  if (input->strokeCount == 0 || input->strokeCount > kMaxInputStrokes) return kErrStrokeCount;
  if (!x) return kErrNoX;
  if (!y) return kErrNoY;
  if (!result) return kErrNoResult;
  if (input->boxWidth == 0 || input->boxHeight == 0) return kErrBoxSize;
  if (!gState) return kErrDictionaryOpen;
  if (input->strokeCount > kMaxRecogStrokes) input->strokeCount = kMaxRecogStrokes;

  Writing w;
  w.pointCounts = input->pointCounts;
  w.strokeCount = input->strokeCount;
  w.x = x;
  w.y = y;
  w.boxWidth = input->boxWidth;
  w.boxHeight = input->boxHeight;
  w.classMask = input->classMask;
  std::vector<Candidate> list;
  int rc = recogniseWriting(gState->dictionary, w, gState->buffers, list);
  if (rc != kRecogOk) return rc;
  writeResult(gState->dictionary.type, list, *result);
  return kRecogOk;
}

extern "C" std::int32_t Mel_Close() {
  if (!gState) return kErrDictionaryOpen;
  gState.reset();
  return kRecogOk;
}
