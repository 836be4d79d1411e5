// Result codes of the recogniser's exports.
#pragma once

namespace recog {

enum RecogError : int {
  kRecogOk = 0,
  kErrUnknownType = 1,
  kErrNoInput = 2,
  kErrStrokeCount = 3,
  kErrNoX = 5,
  kErrNoY = 6,
  kErrNoResult = 7,
  kErrBoxSize = 8,
  kErrPointMemory = 10,
  // Also returned by Mel_Recog and Mel_Close when no dictionary is loaded.
  kErrDictionaryOpen = 900,
  // Blocks 1-5 missing memory, or the file ends inside them.
  kErrTableBlocks = 901,
  // Blocks 6-7: more than 255 clusters, no memory, the file ends inside them or their layout is broken.
  kErrClusterBlocks = 904,
  kErrTooManyStrokes = 17006,
  kErrRecogMemory = 20103,  // no memory during a recognition
  kErrEqualPoints = 20202,
  kErrMemberIndex = 30004,
};

}  // namespace recog
