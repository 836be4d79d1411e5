#include "input/pinyin/candidate_tables.h"

#include "input/pinyin/syllables.h"
#include "platform/core/little_endian.h"
#include "platform/core/resources.h"

namespace pinyin {

void CandidateTables::set(bool zhuyin, bool traditional, TableBytes index) {
  index_[zhuyin][traditional] = index;
  check();
}

void CandidateTables::setRecords(bool traditional, TableBytes records) {
  records_[traditional] = records;
  check();
}

void CandidateTables::check() {
  for (int z = 0; z < 2; ++z) {
    for (int t = 0; t < 2; ++t) {
      const TableBytes& ix = index_[z][t];
      const TableBytes& rec = records_[t];
      bool ok = ix.data && rec.data && rec.size % 4 == 0 &&
                ix.size == static_cast<std::size_t>(syllableCount(z == 1, t == 1)) * 4;
      for (std::size_t e = 0; ok && e < ix.size / 4; ++e) {
        std::size_t first = plat::readLe16(ix.data + e * 4);
        std::size_t count = plat::readLe16(ix.data + e * 4 + 2);
        ok = first + count <= rec.size / 4;
      }
      usable_[z][t] = ok;
    }
  }
}

std::optional<CandidateRun> CandidateTables::run(bool zhuyin, bool traditional, int number) const {
  if (!usable_[zhuyin][traditional] || number < 0 ||
      static_cast<std::size_t>(number) >= index_[zhuyin][traditional].size / 4) {
    return std::nullopt;
  }
  const std::uint8_t* e = index_[zhuyin][traditional].data + number * 4;
  return CandidateRun{plat::readLe16(e), plat::readLe16(e + 2)};
}

CandidateRecord CandidateTables::record(bool traditional, std::uint32_t i) const {
  const std::uint8_t* r = records_[traditional].data + i * 4;
  CandidateRecord out;
  out.character = static_cast<char16_t>(plat::readLe16(r));
  out.toneDigit = static_cast<char>(r[2]);
  const int byte = r[3];
  if (traditional) {
    out.repeat = (byte & 0x80) != 0;
    out.priority = byte & 0x7F;
  } else {
    out.repeat = byte > 64;
    out.priority = out.repeat ? byte - 17 : byte;
  }
  return out;
}

CandidateTables locateCandidateTables() {
  auto bytes = [](unsigned id) {
    plat::ResourceData d = plat::findResource("TEXT", id);
    return TableBytes{d.data, d.size};
  };
  CandidateTables t;
  t.setRecords(false, bytes(kTextRecordsSimplified));
  t.setRecords(true, bytes(kTextRecordsTraditional));
  t.set(false, false, bytes(kTextIndexPinyinSimplified));
  t.set(false, true, bytes(kTextIndexPinyinTraditional));
  t.set(true, false, bytes(kTextIndexZhuyinSimplified));
  t.set(true, true, bytes(kTextIndexZhuyinTraditional));
  return t;
}

}  // namespace pinyin
