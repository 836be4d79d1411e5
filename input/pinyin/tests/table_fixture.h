// Candidate tables for the tests: the generated ones read from the build tree, or small ones
// written with the table writer.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "input/pinyin/candidate_tables.h"
#include "input/pinyin/composition.h"
#include "input/pinyin/syllables.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/pinyin_table_writer.h"

namespace pinyin::test {

// Owns the bytes the tables point into.
struct OwnedTables {
  std::map<unsigned, std::string> bytes;
  CandidateTables tables;

  void point() {
    auto view = [&](unsigned id) {
      const std::string& b = bytes[id];
      return TableBytes{reinterpret_cast<const std::uint8_t*>(b.data()), b.size()};
    };
    tables.setRecords(false, view(kTextRecordsSimplified));
    tables.setRecords(true, view(kTextRecordsTraditional));
    tables.set(false, false, view(kTextIndexPinyinSimplified));
    tables.set(false, true, view(kTextIndexPinyinTraditional));
    tables.set(true, false, view(kTextIndexZhuyinSimplified));
    tables.set(true, true, view(kTextIndexZhuyinTraditional));
  }
};

inline const OwnedTables& generatedTables() {
  static const OwnedTables t = [] {
    OwnedTables o;
    for (unsigned id : {102u, 103u, 109u, 110u, 111u, 112u}) {
      o.bytes[id] = tools::readFile(std::string(PINYIN_TABLE_DIR) + "/TEXT_" + std::to_string(id) + ".bin");
    }
    o.point();
    return o;
  }();
  return t;
}

// A small set: per spelling its records (both character sets get the same).
using FixtureRuns = std::map<std::string, std::vector<datagen::PinyinRecord>>;

inline OwnedTables fixtureTables(const FixtureRuns& runs) {
  OwnedTables o;
  for (int t = 0; t < 2; ++t) {
    std::vector<datagen::PinyinRecord> records;
    std::vector<datagen::PinyinRun> index0(static_cast<std::size_t>(syllableCount(false, t == 1)));
    std::vector<datagen::PinyinRun> index1(static_cast<std::size_t>(syllableCount(true, t == 1)));
    for (const auto& [spelling, recs] : runs) {
      datagen::PinyinRun run{static_cast<std::uint16_t>(records.size()), static_cast<std::uint16_t>(recs.size())};
      records.insert(records.end(), recs.begin(), recs.end());
      int n0 = spellingNumber(false, t == 1, spelling);
      int n1 = spellingNumber(true, t == 1, spelling);
      if (n0 >= 0) index0[static_cast<std::size_t>(n0)] = run;
      if (n1 >= 0) index1[static_cast<std::size_t>(n1)] = run;
    }
    o.bytes[t ? kTextRecordsTraditional : kTextRecordsSimplified] = *datagen::writePinyinRecords(records, t == 1);
    o.bytes[t ? kTextIndexPinyinTraditional : kTextIndexPinyinSimplified] = datagen::writePinyinIndex(index0);
    o.bytes[t ? kTextIndexZhuyinTraditional : kTextIndexZhuyinSimplified] = datagen::writePinyinIndex(index1);
  }
  o.point();
  return o;
}

// An engine over the given tables with fixed settings.
inline PinyinEngine engineWith(const CandidateTables& tables, std::uint32_t charset = 0, std::uint32_t fuzzy = 0,
                               bool zhuyin = false) {
  PinyinEngine e;
  e.tables = tables;
  e.zhuyin = zhuyin;
  e.readSettings = [charset, fuzzy](std::uint32_t& c, std::uint32_t& f) {
    c = charset;
    f = fuzzy;
  };
  return e;
}

inline std::u16string candidates(const PinyinComposition& c) { return std::u16string(c.candidates.data(), c.candidateCount); }

inline void keys(const PinyinEngine& e, PinyinComposition& c, std::initializer_list<std::uint16_t> codes) {
  for (std::uint16_t k : codes) composeKey(e, c, k);
}

}  // namespace pinyin::test
