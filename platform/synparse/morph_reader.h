// The morpheme lines of MORPH.TMP as the parser needs them: each morpheme's first line, its
// byte offset, its codes and semantic codes; further candidate lines ("D") are passed over.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace synparse {

struct Morpheme {
  long offset;  // of the morpheme's first line
  std::string surface;
  std::string baseForm;
  int pos, subPos, conjType, conjForm;
  std::string semCodes;  // the semantic codes of the first candidate; empty when none
};

// False when a line starts with anything but TAB, 'D' or 'E', or a first line lacks its codes.
bool readMorphemes(std::string_view file, std::vector<Morpheme>& out);

}  // namespace synparse
