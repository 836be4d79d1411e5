// The final candidate list: class filter, substitutions, companions and size pairs.
#pragma once
#include "input/recogniser/cluster_match.h"
#include "input/recogniser/recog_dictionary.h"

#include <cstdint>
#include <vector>

namespace recog {

inline constexpr int kMaxListCodes = 20;

struct Candidate {
  std::uint16_t code;      // as in the dictionary
  std::uint16_t distance;  // saturated at 65,535
};

// True when one of the mask's bits admits the code for the dictionary type.
bool passesClassFilter(int type, std::uint8_t classMask, std::uint16_t code);

// Walks the sorted members until 20 codes are taken.
std::vector<Candidate> buildCandidateList(const RecogDictionary& dict, const std::vector<Match>& members,
                                          std::uint8_t classMask, int strokes);

// Puts a size pair's small form first for a small writing and its large form first otherwise.
void applySizePairs(const RecogDictionary& dict, bool smallWriting, std::vector<Candidate>& list);

}  // namespace recog
