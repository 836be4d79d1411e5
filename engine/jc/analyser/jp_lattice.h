// The word lattice of the Japanese analyser: word hypotheses, their further dictionary records,
// the edges that place them in the sentence, and the staging of the output lines.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/jc/core/jc_text.h"
#include "engine/jc/analyser/jp_dictionary.h"

namespace jc {

inline constexpr int kJpLatticeStep = 1000;       // arrays start with this many entries and double
inline constexpr int kJpMaxPredecessors = 254;    // a predecessor list holds at most this many
inline constexpr int kJpMaxRunBytes = 40;         // unknown-word runs and joined numerals
inline constexpr int kJpMaxMorphRecords = 100;    // output records of one morpheme
inline constexpr int kJpColumnCacheSlots = 1000;

struct LatticeNode {
  FixedText<42> surface;  // the stem for a word that inflects
  std::int8_t pos, subPos, conjType, conjForm;
  std::int32_t length;  // bytes of the sentence covered, ending included
  FixedText<42> chinese;
  FixedText<10> code;
  FixedText<6> field;
  FixedText<14> semantic;
  std::uint8_t weight;
  std::int32_t connection;    // CON_TBL_PDA entry, -1 = none
  std::int32_t recordNumber;  // -1 for unknown words
  FixedText<42> key;
  std::uint8_t recordCodes[4];
  std::int32_t firstExtra;  // 0 = none
  std::uint8_t compoundPart;
  std::uint8_t savedSubPos;
};

struct ExtraCandidate {
  FixedText<42> chinese;
  FixedText<10> code;
  FixedText<6> field;
  FixedText<14> semantic;
  std::int32_t recordNumber;
  std::int32_t next;  // 0 = end
};

// The predecessors of an edge: a few inline, more in the heap; most edges have one or two,
// so building and copying an edge seldom allocates.
class PredecessorList {
 public:
  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  const std::int32_t* begin() const { return count_ > kInline ? more_.data() : few_; }
  const std::int32_t* end() const { return begin() + count_; }
  std::int32_t operator[](std::size_t i) const { return begin()[i]; }
  // May throw std::bad_alloc past the inline room; the list is then unchanged.
  void push_back(std::int32_t p) {
    if (count_ < kInline) {
      few_[count_++] = p;
      return;
    }
    if (count_ == kInline) {
      std::vector<std::int32_t> all(few_, few_ + kInline);
      all.push_back(p);
      more_.swap(all);
    } else {
      more_.push_back(p);
    }
    ++count_;
  }
  void clear() {
    count_ = 0;
    more_.clear();
  }

 private:
  static constexpr std::uint32_t kInline = 4;
  std::uint32_t count_ = 0;
  std::int32_t few_[kInline] = {};
  std::vector<std::int32_t> more_;
};

struct PathEntry {
  std::int32_t node;
  std::int32_t start;
  std::int32_t end;
  std::int32_t cost;
  PredecessorList predecessors;  // the first is the cheapest
  std::uint8_t live;  // 0 = inner part of a compound
};

struct ColumnCacheSlot {
  std::int32_t entry;
  std::int32_t position;
  std::int32_t score;
};

struct MorphRecord {
  FixedText<42> surface;
  FixedText<42> baseForm;
  std::uint8_t pos, subPos, conjType, conjForm;
  FixedText<42> chinese;
  FixedText<10> code;
  FixedText<6> field;
  FixedText<14> semantic;
  std::int32_t recordNumber;
};

struct JpLattice {
  std::vector<LatticeNode> nodes;
  std::vector<ExtraCandidate> extraCandidates;
  std::vector<PathEntry> pathEntries;
  std::vector<ColumnCacheSlot> columnCache;
  std::vector<std::int32_t> cachedColumns;  // the slots written this sentence
  bool cachedColumnsOverflow = false;       // more were written than cachedColumns had room for
  std::vector<std::int32_t> endingHere;  // ends in -1
  std::vector<std::int32_t> walkStack;   // groups, each ended by -1
  std::vector<MorphRecord> morphs;
  std::vector<JpDictRecord> dictResults;  // one position's dictionary matches
  int endEdge = -1;                // the edge of the end marker, -1 when none
  int length = 0;                  // bytes of the sentence
  int lookupFirstNode = 0;         // first node of the current position's dictionary words
  bool failed = false;             // a growth failed: the sentence is abandoned
};

// Fail point of the growth of a lattice array.
inline constexpr std::string_view kLatticeGrowthFailPoint = "jc.lattice.growth";

}  // namespace jc
