// Word segmentation: forward and backward longest matching over the segmentation tries, and
// the merge of the two cuts.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/sentence.h"

namespace cj {

// One word or token of a segmentation.
struct SegmentEntry {
  char kind = 0;  // '4' dictionary word, 'P' a mark that may end a sentence, 'U' digit run, 'W' other
  FixedText<40> text;
  int32_t value = 0;  // '4': entry offset in the word dictionary, 0 when not found
  int32_t extra = 0;
};

// Entries of each array are used from index 1 to 299.
inline constexpr int kSegmentSlots = 300;
inline constexpr std::size_t kTokenBufferSize = 600;

// The segmenter of one sentence.
struct segment {
  const CjEngineData* data = nullptr;  // the engine's tries and indexes
  std::string input;
  std::string token;  // the current run token
  int zTotal = 0;
  int mergedTotal = 0;
  int fTotal = 0;
  std::vector<SegmentEntry> z, f, merged;
  bool overflow = false;  // a pass had more entries than the arrays hold
};

enum SegmentMode { kSegmentMain = 0, kSegmentPinyin = 1 };

void initSegmenter(segment& seg, const CjEngine& engine, std::string_view text);
void freeSegmenter(segment& seg);
// Both passes and the merge over the main files; 1 when some stretch was cut differently.
int segmentSentence(segment& seg);
// The same over the pinyin files; the merged entries are copied over the z-pass entries.
int segmentForPinyin(segment& seg);
int mergedCount(const segment& seg);
// Entries 1..mergedCount of the merged array.
const std::vector<SegmentEntry>& mergedSegments(const segment& seg);
// The f-pass entry at index (an empty entry outside the array).
const SegmentEntry& fPassEntry(const segment& seg, int index);
// 1 and the value when the longest word of the z-pass trie of mode covers the whole text.
int probeWholeWord(segment& seg, std::string_view text, int32_t& value, int mode);

}  // namespace cj
