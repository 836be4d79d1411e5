#include "tools/datagen/word_table_writer.h"

#include "platform/core/codepage.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(WordTableWriter, WordsStayDistinctWhenTheHanziRunOut) {
  // The one-character words nearly use up the hanzi; the pairs after them must reuse characters.
  std::vector<datagen::WordKeyShape> shapes = {{"a.many", 6000, 1, 1}, {"b.pairs", 1000, 2, 2}, {"c.any", 0, 3, 0}};
  datagen::WordTable t = datagen::syntheticWordTable(shapes);
  ASSERT_EQ(t["a.many"].size(), 6000u);
  ASSERT_EQ(t["b.pairs"].size(), 1000u);
  ASSERT_EQ(t["c.any"].size(), 3u);
  std::set<std::string> seen;
  for (const auto& [key, words] : t) {
    for (const std::string& w : words) {
      std::u16string wide = plat::utf8ToWide(w);
      int expected = key == "a.many" ? 1 : key == "b.pairs" ? 2 : 3;
      EXPECT_EQ(static_cast<int>(wide.size()), expected) << key;
      // Every character is a GB2312 hanzi.
      std::string gb = plat::wideToMultiByte(936, wide);
      for (std::size_t i = 0; i < gb.size(); i += 2) {
        EXPECT_GE(static_cast<unsigned char>(gb[i]), 0xB0) << key;
        EXPECT_LE(static_cast<unsigned char>(gb[i]), 0xF7) << key;
      }
      EXPECT_TRUE(seen.insert(w).second) << key << ": repeated word";
    }
  }
  // One word as itself, several as a bar list.
  EXPECT_EQ(datagen::wordTableText({{"k.one", {"x"}}, {"k.two", {"x", "y"}}}), "k.one\tx\nk.two\t|x|y|\n");
}

}  // namespace
