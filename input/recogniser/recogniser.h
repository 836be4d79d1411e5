// One recognition: points to a candidate list.
#pragma once
#include "input/recogniser/candidate_list.h"
#include "input/recogniser/direction_features.h"
#include "input/recogniser/recog_dictionary.h"
#include "input/recogniser/stroke_chain.h"

#include <cstdint>
#include <vector>

namespace recog {

struct Writing {
  const std::uint16_t* pointCounts = nullptr;
  int strokeCount = 0;
  const std::uint16_t* x = nullptr;
  const std::uint16_t* y = nullptr;
  int boxWidth = 0;
  int boxHeight = 0;
  std::uint8_t classMask = 0;
};

// The features of a writing; empty is set when no stroke had points.
int writingFeatures(const Writing& w, const SqrtTable& table, PointBuffers& buffers, Features& features,
                    PreparedWriting& prepared, bool& empty);

// The whole recognition: 0 with up to 20 candidates best first, or an error code.
int recogniseWriting(const RecogDictionary& dict, const Writing& w, PointBuffers& buffers,
                     std::vector<Candidate>& out);

}  // namespace recog
