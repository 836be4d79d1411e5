// Simplified/traditional context tables built from a readable list of character pairs,
// ambiguous characters and their context patterns.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tools/resgen/engine_code_tables.h"

namespace resgen {

// The five tables of one direction, in their resource layout.
struct ContextTableSet {
  std::string bitmap;   // 656 little-endian 32-bit words over U+4E00..U+A1FF
  std::string counts;   // 656 16-bit counts of the set bits before each word
  std::string targets;  // 16-bit per set bit: a character, or 0xE000 + record number
  std::string records;  // 10 bytes each: four candidates, offset into the patterns
  std::string patterns; // 16-bit units: head word, context characters; 0 ends a list
};

struct VariantSource {
  ContextTableSet toTraditional;
  ContextTableSet toSimplified;
  std::vector<VariantPair> pairs;  // one-to-one simplified -> traditional
};

// Parses the readable source (UTF-8). False with a message on a malformed line.
bool buildVariantTables(std::string_view text, VariantSource& out, std::string& error);

}  // namespace resgen
