// Writer of the viewer's dictionary pair (JcsDicV6 / CjsDicV6 .dic and .ind) and of examples.dat.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace datagen {

// One record in dictionary order: its plain body and the index keys that lead to it (bytes in
// the dictionary's double-byte layout).
struct ViewerRecord {
  std::string body;
  std::vector<std::string> keys;
};

struct ViewerDictionary {
  std::string data;                     // the .dic file
  std::string index;                    // the .ind file
  std::vector<std::uint32_t> positions; // byte position of each record in the data file
};

// direction 0: Japanese-to-Chinese (type codes 400/401), 1: Chinese-to-Japanese (500/501).
// maxEntriesPerBlock > 0 limits the entries of a block, so that small sets span several blocks
// and levels.
ViewerDictionary writeViewerDictionary(int direction, const std::vector<ViewerRecord>& records,
                                       int maxEntriesPerBlock = 0);

// examples.dat from its lines: Japanese (Shift-JIS) and Chinese (engine code) fields.
std::string writeExamples(const std::vector<std::pair<std::string, std::string>>& lines);

}  // namespace datagen
