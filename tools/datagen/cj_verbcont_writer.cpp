#include "tools/datagen/cj_verbcont_writer.h"

#include <algorithm>

#include "tools/datagen/cj_scramble.h"

namespace datagen {

namespace {

void put(std::string& record, std::size_t offset, std::size_t width, const std::string& text) {
  const std::size_t n = std::min(text.size(), width - 1);
  record.replace(offset, n, text.substr(0, n));
}

}  // namespace

std::string cjVerbContPlainRecord(const CjVerbFrame& f) {
  std::string record(kCjVerbContRecordSize, '\0');
  put(record, 0, 55, f.verb);
  put(record, 55, 40, f.condition);
  put(record, 95, 20, f.frame);
  put(record, 115, 40, f.japanese);
  put(record, 155, 6, f.code);
  record[161] = f.frameChar;
  record[162] = f.secondField;
  return record;
}

std::string cjVerbContFile(const std::vector<CjVerbFrame>& frames, std::vector<CjVerbIndexEntry>* index) {
  std::vector<std::string> verbs;
  for (const CjVerbFrame& f : frames) {
    if (std::find(verbs.begin(), verbs.end(), f.verb) == verbs.end()) verbs.push_back(f.verb);
  }
  std::string file;
  if (index) index->clear();
  for (const std::string& verb : verbs) {
    if (index) index->push_back({verb, static_cast<int32_t>(file.size())});
    for (const CjVerbFrame& f : frames) {
      if (f.verb == verb) file += scrambleRecord(cjVerbContPlainRecord(f));
    }
  }
  return file;
}

}  // namespace datagen
