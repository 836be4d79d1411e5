// Writer of the verb-continuation file VerbCont.dat and the index entries that point into it.
#pragma once
#include <string>
#include <vector>

#include "tools/datagen/cj_data_files.h"

namespace datagen {

// One 163-byte record. Texts in engine code; verb at most 54 bytes, condition at most 39, frame
// at most 19 (items such as "N/V[A]"), Japanese (Shift-JIS) at most 39, code at most 5.
struct CjVerbFrame {
  std::string verb;
  std::string condition;
  std::string frame;
  std::string japanese;
  std::string code;
  char frameChar = 0;
  char secondField = 0;
};
inline constexpr int kCjVerbContRecordSize = 163;

// One record, unscrambled; longer texts are cut to their fields.
std::string cjVerbContPlainRecord(const CjVerbFrame& frame);

// VerbCont.dat with the records of each verb together, in the order the verbs first appear;
// index receives one entry per verb with the offset of its first record.
std::string cjVerbContFile(const std::vector<CjVerbFrame>& frames, std::vector<CjVerbIndexEntry>* index);

}  // namespace datagen
