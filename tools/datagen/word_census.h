// Which keys of a listed-words source give real words and which the card writer fills with
// placeholders. A key left as a placeholder carries its reason on a comment line of the source:
//   #placeholder <key><TAB><reason>
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/word_table_writer.h"

namespace datagen {

struct KeyCensus {
  std::string key;
  bool real = false;   // the source has a line for the key that fits its shape
  bool given = false;  // the source has a line for the key, fitting or not
  std::string reason;  // the placeholder's reason, when the source gives one
};

// One record per key of the schema, in the schema's order.
std::vector<KeyCensus> wordTableCensus(const std::vector<WordKeyShape>& shapes, std::string_view sourceUtf8);

}  // namespace datagen
