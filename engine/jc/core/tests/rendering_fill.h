// Test helper: fills every registered rendering key with distinct synthetic words of the
// declared lengths and loads them.
#pragma once
#include <string>

#include "engine/jc/core/rendering_table.h"
#include "tools/datagen/word_table_writer.h"

namespace jc {

// Words of minBytes engine-code bytes: hanzi, and an ASCII letter for an odd length.
inline datagen::WordTable syntheticRenderings() {
  std::vector<datagen::WordKeyShape> shapes;
  std::vector<RenderingKeySpec> specs = registeredRenderingKeys();
  for (const RenderingKeySpec& s : specs) shapes.push_back({s.key, s.count, s.minBytes / 2, 0});
  datagen::WordTable table = datagen::syntheticWordTable(shapes);
  for (const RenderingKeySpec& s : specs) {
    std::vector<std::string>& words = table[s.key];
    if (s.minBytes == 1) {
      for (std::size_t i = 0; i < words.size(); ++i) words[i] = std::string(1, static_cast<char>('A' + i % 26));
    } else if (s.minBytes % 2) {
      for (std::string& w : words) w += "a";
    }
  }
  return table;
}

inline RenderingTableStatus loadSyntheticRenderings(std::string* error = nullptr) {
  return loadRenderingTableText(datagen::wordTableText(syntheticRenderings()), error);
}

}  // namespace jc
