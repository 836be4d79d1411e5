#include "tools/datagen/viewer_dictionary_writer.h"

#include "apps/dictionary/dictionary_files.h"
#include "apps/dictionary/examples_file.h"
#include "platform/core/little_endian.h"

#include <algorithm>
#include <cstring>

namespace datagen {

namespace {

std::string header(const char* type, std::uint32_t rootPosition) {
  std::string h(dict::kHeaderSize, '\0');
  std::memcpy(h.data(), "HBDIC", 5);
  std::memcpy(h.data() + 5, type, 3);
  plat::writeLe16(h.data() + 66, 1);
  plat::writeLe32(h.data() + 68, 0);
  plat::writeLe32(h.data() + dict::kRootPositionOffset, rootPosition);
  return h;
}

struct Entry {
  std::string key;
  std::uint32_t child = 0;
  std::uint32_t record = 0;
  size_t size() const { return dict::kIndexEntryHeader + key.size() + 1; }
};

using Block = std::vector<Entry>;

std::vector<Block> pack(const std::vector<Entry>& entries, int maxEntries) {
  std::vector<Block> blocks(1);
  size_t used = 0;
  for (const Entry& e : entries) {
    bool full = used + e.size() > static_cast<size_t>(dict::kBlockEntryBytes) ||
                (maxEntries > 0 && static_cast<int>(blocks.back().size()) >= maxEntries);
    if (full && !blocks.back().empty()) {
      blocks.emplace_back();
      used = 0;
    }
    blocks.back().push_back(e);
    used += e.size();
  }
  return blocks;
}

std::string encodeBlock(const Block& b, std::uint32_t previous, std::uint32_t next) {
  std::string s(dict::kBlockSize, '\0');
  plat::writeLe16(s.data() + 7, static_cast<unsigned>(b.size()));
  plat::writeLe32(s.data() + 13, previous);
  plat::writeLe32(s.data() + 17, next);
  size_t at = dict::kBlockEntryOffset;
  for (const Entry& e : b) {
    plat::writeLe16(s.data() + at + 2, static_cast<unsigned>(e.size()));
    plat::writeLe32(s.data() + at + 6, e.child);
    plat::writeLe32(s.data() + at + 10, e.record);
    std::memcpy(s.data() + at + dict::kIndexEntryHeader, e.key.data(), e.key.size());
    at += e.size();
  }
  return s;
}

}  // namespace

ViewerDictionary writeViewerDictionary(int direction, const std::vector<ViewerRecord>& records,
                                       int maxEntriesPerBlock) {
  const bool jc = direction == 0;
  ViewerDictionary out;
  out.data = header(jc ? "400" : "500", 0);
  for (const ViewerRecord& r : records) {
    out.positions.push_back(static_cast<std::uint32_t>(out.data.size()));
    out.data.append(dict::kRecordHeaderSize + r.body.size(), '\0');
  }
  for (size_t i = 0; i < records.size(); ++i) {
    size_t at = out.positions[i];
    plat::writeLe32(out.data.data() + at, i == 0 ? dict::kNoRecord : out.positions[i - 1] - 2);
    plat::writeLe32(out.data.data() + at + 4, i + 1 == records.size() ? dict::kNoRecord : out.positions[i + 1] - 2);
    plat::writeLe16(out.data.data() + at + 8, static_cast<unsigned>(records[i].body.size()));
    std::string body = records[i].body;
    for (size_t k = 0; k < body.size(); ++k) body[k] = static_cast<char>(body[k] ^ dict::kRecordKey[k % 8]);
    out.data.replace(at + dict::kRecordHeaderSize, body.size(), body);
  }

  std::vector<Entry> leaves;
  for (size_t i = 0; i < records.size(); ++i)
    for (const std::string& k : records[i].keys) leaves.push_back({k, 0, out.positions[i]});
  std::stable_sort(leaves.begin(), leaves.end(), [](const Entry& a, const Entry& b) { return a.key < b.key; });
  // The end key points at the last record, so that a key past every other still finds its
  // longest matching part.
  leaves.push_back({dict::kEndKey, 0, out.positions.empty() ? 0 : out.positions.back()});

  std::string blocks;
  std::vector<Entry> level = leaves;
  std::uint32_t root = 0;
  for (;;) {
    std::vector<Block> packed = pack(level, maxEntriesPerBlock);
    std::uint32_t first = static_cast<std::uint32_t>(dict::kHeaderSize + blocks.size());
    std::vector<Entry> parents;
    for (size_t b = 0; b < packed.size(); ++b) {
      std::uint32_t pos = first + static_cast<std::uint32_t>(b * dict::kBlockSize);
      std::uint32_t prev = b == 0 ? 0 : pos - dict::kBlockSize;
      std::uint32_t next = b + 1 == packed.size() ? 0 : pos + dict::kBlockSize;
      blocks += encodeBlock(packed[b], prev, next);
      parents.push_back({packed[b].back().key, pos, 0});
    }
    if (packed.size() == 1) {
      root = first;
      break;
    }
    level = parents;
  }
  out.index = header(jc ? "401" : "501", root) + blocks;
  return out;
}

std::string writeExamples(const std::vector<std::pair<std::string, std::string>>& lines) {
  std::string plain;
  for (const auto& [japanese, chinese] : lines) plain += japanese + "\t" + chinese + "\n";
  for (size_t p = 0; p < plain.size(); ++p)
    plain[p] = static_cast<char>(
        dict::scrambleExampleByte(static_cast<std::uint8_t>(plain[p]), static_cast<std::uint32_t>(p)));
  return plain;
}

}  // namespace datagen
