#include "input/recogniser/recog_dictionary.h"

#include "input/recogniser/recogniser_errors.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"

#include <algorithm>
#include <new>

namespace recog {

namespace {

bool readBytes(std::FILE* f, void* dst, std::size_t n) { return n == 0 || std::fread(dst, 1, n, f) == n; }

bool readU16(std::FILE* f, std::uint16_t& v) {
  std::uint8_t b[2];
  if (!readBytes(f, b, 2)) return false;
  v = plat::readLe16(b);
  return true;
}


// A counted block of fixed-size records; the caller decodes each record.
template <typename Rec, typename Decode>
bool readCounted(std::FILE* f, std::size_t recordSize, std::vector<Rec>& out, Decode decode) {
  std::uint16_t count = 0;
  if (!readU16(f, count)) return false;
  out.clear();
  out.reserve(count);
  std::uint8_t rec[8];
  for (unsigned i = 0; i < count; ++i) {
    if (!readBytes(f, rec, recordSize)) return false;
    out.push_back(decode(rec));
  }
  return true;
}

int readTableBlocks(std::FILE* f, int type, RecogDictionary& d) {
  std::uint8_t table[kSqrtTableSize * 2];
  if (!readBytes(f, table, sizeof table)) return kErrTableBlocks;
  for (int i = 0; i < kSqrtTableSize; ++i) d.sqrtTable[i] = plat::readLe16(table + 2 * i);
  // A square-root table ascends: one that does not is damaged, and every writing would be measured
  // wrongly with it.
  if (!std::is_sorted(d.sqrtTable.begin(), d.sqrtTable.end())) return kErrTableBlocks;
  if (!readBytes(f, d.matrix.data(), d.matrix.size())) return kErrTableBlocks;
  if (!readCounted(f, 4, d.sizePairs,
                   [](const std::uint8_t* r) { return SizePair{plat::readLe16(r), plat::readLe16(r + 2)}; }))
    return kErrTableBlocks;
  if (!readCounted(f, 5, d.companions,
                   [](const std::uint8_t* r) { return Companion{plat::readLe16(r), plat::readLe16(r + 2), r[4]}; }))
    return kErrTableBlocks;
  d.substitutions.clear();
  if (type == kSimplified &&
      !readCounted(f, 4, d.substitutions,
                   [](const std::uint8_t* r) { return Substitution{plat::readLe16(r), plat::readLe16(r + 2)}; }))
    return kErrTableBlocks;
  return kRecogOk;
}

// Every cluster's members must lie inside the member block and hold their bit fields.
bool clusterLayoutValid(const Cluster& c, std::size_t memberBytes) {
  unsigned bits = 0;
  for (int i = 0; i < kDimensions; ++i) bits += c.width[i];
  if (bits > c.packedLength * 8u) return false;
  std::uint64_t end = c.position + static_cast<std::uint64_t>(c.memberCount) * (2u + c.packedLength);
  return end <= memberBytes;
}

int readClusterBlocks(std::FILE* f, RecogDictionary& d) {
  std::uint16_t count = 0;
  if (!readU16(f, count)) return kErrClusterBlocks;
  if (count > kMaxClusters) return kErrClusterBlocks;
  d.clusters.assign(count, Cluster{});
  std::uint8_t rec[kClusterRecordSize];
  for (Cluster& c : d.clusters) {
    if (!readBytes(f, rec, sizeof rec)) return kErrClusterBlocks;
    for (int i = 0; i < kDimensions; ++i) {
      c.centroid[i] = rec[i];
      c.offset[i] = rec[kDimensions + i];
      c.width[i] = rec[2 * kDimensions + i];
    }
    c.memberCount = plat::readLe16(rec + 240);
    c.position = plat::readLe32(rec + 244);
    c.packedLength = rec[248];
  }
  std::uint8_t sizeBytes[4];
  if (!readBytes(f, sizeBytes, 4)) return kErrClusterBlocks;
  std::uint32_t size = plat::readLe32(sizeBytes);
  // The size must be backed by the file before it is allocated.
  long here = std::ftell(f);
  long total = plat::fileSize(f);
  if (here < 0 || total < 0 || static_cast<std::uint64_t>(total - here) < size) return kErrClusterBlocks;
  d.members.resize(size);
  if (!readBytes(f, d.members.data(), size)) return kErrClusterBlocks;
  for (const Cluster& c : d.clusters) {
    if (!clusterLayoutValid(c, d.members.size())) return kErrClusterBlocks;
  }
  return kRecogOk;
}

}  // namespace

const char* dictionaryFileName(int type) {
  switch (type) {
    case kSimplified: return "chujian.dic";
    case kTraditional: return "chufan.dic";
    case kJapanese: return "churi.dic";
    default: return nullptr;
  }
}

int readDictionary(std::FILE* f, int type, RecogDictionary& dict) {
  dict = RecogDictionary{};
  dict.type = type;
  int rc = kRecogOk;
  try {
    rc = readTableBlocks(f, type, dict);
  } catch (const std::bad_alloc&) {
    rc = kErrTableBlocks;
  }
  if (rc == kRecogOk) {
    try {
      rc = readClusterBlocks(f, dict);
    } catch (const std::bad_alloc&) {
      rc = kErrClusterBlocks;
    }
  }
  if (rc != kRecogOk) dict = RecogDictionary{};
  return rc;
}

int loadDictionary(int type, RecogDictionary& dict) {
  const char* name = dictionaryFileName(type);
  if (!name) return kErrUnknownType;
  std::FILE* f = plat::fileOpen(name, "rb");
  if (!f) return kErrDictionaryOpen;
  int rc = readDictionary(f, type, dict);
  plat::fileClose(f);
  return rc;
}

bool readMember(const RecogDictionary& dict, const Cluster& cluster, unsigned index, std::uint16_t& code,
                std::array<int, kDimensions>& values) {
  if (index >= cluster.memberCount) return false;
  std::size_t at = cluster.position + static_cast<std::size_t>(index) * (2u + cluster.packedLength);
  if (at + 2u + cluster.packedLength > dict.members.size()) return false;
  const std::uint8_t* p = dict.members.data() + at;
  code = plat::readLe16(p);
  const std::uint8_t* bits = p + 2;
  unsigned bit = 0;  // from the most significant bit of each byte down
  for (int i = 0; i < kDimensions; ++i) {
    unsigned field = 0;
    for (unsigned w = 0; w < cluster.width[i]; ++w, ++bit) {
      unsigned b = (bits[bit / 8] >> (7 - bit % 8)) & 1u;
      field = (field << 1) | b;
    }
    values[i] = static_cast<int>(static_cast<std::int64_t>(field) + cluster.offset[i]);
  }
  return true;
}

}  // namespace recog
