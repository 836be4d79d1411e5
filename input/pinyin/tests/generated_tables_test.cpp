#include <gtest/gtest.h>

#include <set>

#include "input/pinyin/composition.h"
#include "input/pinyin/tests/table_fixture.h"

namespace pinyin {
namespace {

using test::candidates;
using test::keys;

std::u16string firstPage(const PinyinComposition& c) {
  return std::u16string(c.candidates.data(), std::min<int>(c.candidateCount, kPageSize));
}

TEST(GeneratedTables, CoverEverySetWithSortedRunsAndWellPlacedRepeats) {
  const CandidateTables& t = test::generatedTables().tables;
  for (bool trad : {false, true}) {
    for (bool zhuyin : {false, true}) ASSERT_TRUE(t.usable(zhuyin, trad)) << zhuyin << trad;
    std::set<char16_t> characters;
    for (std::string_view s : syllableInventory(trad)) {
      auto run = t.run(false, trad, spellingNumber(false, trad, s));
      ASSERT_TRUE(run) << s;
      // The same run under both layouts' numbers.
      auto run1 = t.run(true, trad, spellingNumber(true, trad, s));
      ASSERT_TRUE(run1) << s;
      EXPECT_EQ(run->first, run1->first) << s;
      EXPECT_EQ(run->count, run1->count) << s;
      int last = 1000;
      for (std::uint32_t i = run->first; i < run->first + run->count; ++i) {
        CandidateRecord r = t.record(trad, i);
        EXPECT_LE(r.priority, last) << s << " record " << i;
        last = r.priority;
        EXPECT_GE(r.toneDigit, '0');
        EXPECT_LE(r.toneDigit, '4');
        if (r.repeat) {
          ASSERT_GT(i, run->first) << s;
          EXPECT_EQ(t.record(trad, i - 1).character, r.character) << s;
        }
        characters.insert(r.character);
      }
    }
    // Every GB2312 hanzi (6,763) or Big5 hanzi, save the few read only as m, n or ng.
    EXPECT_GE(characters.size(), trad ? 13000u : 6760u);
  }
}

TEST(GeneratedTables, CommonCharactersComeFirst) {
  const CandidateTables& t = test::generatedTables().tables;
  struct Case {
    std::uint32_t charset;
    bool zhuyin;
    std::initializer_list<std::uint16_t> keys;
    const char16_t* onFirstPage;
  };
  const Case cases[] = {
      {0, false, {146}, u"之知只"},                   // zh: zhi
      {0, false, {129, 150}, u"比必"},                // b, y/i: bi
      {0, false, {136, 151, 154, 176}, u"略"},        // lüè
      {0, false, {150, 151, 161}, u"元原远"},         // yuan
      {0, false, {135, 151, 154}, u"虐"},             // nüe
      {0, false, {140, 156, 154}, u"决觉"},             // j, u, e: jue
      {0, false, {133, 154}, u"的得"},                // de
      {0, false, {133, 154, 177}, u"的"},             // de with the neutral tone
      {1, false, {146, 154, 176}, u"這"},             // traditional zhè
      {1, false, {143, 164}, u"尊"},                  // traditional zun
      {0, true, {146}, u"之知只"},                    // ㄓ
      {1, true, {140, 152, 172}, u"覺"},              // ㄐㄩㄝ traditional
  };
  for (const Case& k : cases) {
    PinyinEngine e = test::engineWith(t, k.charset, 0, k.zhuyin);
    PinyinComposition c;
    keys(e, c, k.keys);
    std::u16string page = firstPage(c);
    for (const char16_t* ch = k.onFirstPage; *ch; ++ch) {
      EXPECT_NE(page.find(*ch), std::u16string::npos)
          << "key " << *k.keys.begin() << " set " << k.charset << " page size " << page.size();
    }
  }
  // A syllable with more characters than a page holds pages through all of them.
  PinyinEngine e = test::engineWith(t);
  PinyinComposition c;
  keys(e, c, {142, 155});  // xi
  ASSERT_GT(c.candidateCount, 3 * kPageSize);
  std::u16string seen;
  while (true) {
    seen.append(c.candidates.data() + c.pageStart, std::min<int>(kPageSize, c.candidateCount - c.pageStart));
    if (!hasNextPage(c)) break;
    c.pageStart += kPageSize;
  }
  EXPECT_EQ(seen, candidates(c));
}

TEST(CandidateTables, RefuseAnIndexWhoseRunsLeaveTheRecords) {
  test::OwnedTables o = test::fixtureTables({{"ba", {{u'八', '1', 60}}}});
  ASSERT_TRUE(o.tables.usable(false, false));
  // A run past the end of the records.
  std::string& index = o.bytes[kTextIndexPinyinSimplified];
  const int n = spellingNumber(false, false, "ba");
  index[static_cast<std::size_t>(n) * 4 + 2] = 2;
  o.point();
  EXPECT_FALSE(o.tables.usable(false, false));
  EXPECT_TRUE(o.tables.usable(true, false));
  PinyinEngine e = test::engineWith(o.tables);
  PinyinComposition c;
  keys(e, c, {129, 153});
  EXPECT_EQ(c.candidateCount, 0);
  // An index of the wrong size.
  index.resize(index.size() - 4);
  o.point();
  EXPECT_FALSE(o.tables.usable(false, false));
  // A record table cut in the middle of a record.
  o.bytes[kTextRecordsSimplified].pop_back();
  o.point();
  EXPECT_FALSE(o.tables.usable(true, false));
  EXPECT_FALSE(o.tables.run(true, false, 0));
}

}  // namespace
}  // namespace pinyin
