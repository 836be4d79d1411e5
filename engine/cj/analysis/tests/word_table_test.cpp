#include "engine/common/word_table.h"

#include "engine/common/dbcs_text.h"
#include "engine/common/descramble.h"
#include "engine/cj/analysis/tests/cj_test_folder.h"
#include "platform/core/device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

// Keys of a family that exists only in this test program.
const cj::WordKeySpec kTestKeys[] = {
    {"wordTableTest.A", 2, 1, 1},
    {"wordTableTest.B", 0, 2, 3},
    {"wordTableTest.C", 1, 2, 2},
    {"wordTableTest.Max", -3, 1, 1},  // one to three words
};
const cj::WordKeyRegistrar kRegistrar(kTestKeys, 4);

int characters(const std::string& engineWord) {
  int n = 0;
  for (std::size_t i = 0; i < engineWord.size(); ++i, ++n) {
    if (dbcs::isLeadByte(static_cast<unsigned char>(engineWord[i]))) ++i;
  }
  return n;
}

// The synthetic table with some keys' values replaced.
std::string tableWith(const std::map<std::string, std::string>& values) {
  datagen::WordTable t = datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys()));
  std::string text;
  for (const auto& [key, words] : t) {
    auto it = values.find(key);
    if (it != values.end()) {
      if (!it->second.empty()) text += key + "\t" + it->second + "\n";
      continue;
    }
    text += datagen::wordTableText({{key, words}});
  }
  return text;
}

TEST(WordTable, SyntheticTableFillsEveryRegisteredKey) {
  std::string error;
  ASSERT_EQ(cj::loadWordTableText(cjtest::syntheticWords(), &error), cj::kWordTableLoaded) << error;
  std::set<std::string> seen;
  for (const cj::WordKeySpec& s : cj::registeredWordKeys()) {
    const std::vector<std::string>& words = cj::listedWords(s.key);
    if (s.count > 0) {
      EXPECT_EQ(static_cast<int>(words.size()), s.count) << s.key;
    }
    EXPECT_FALSE(words.empty()) << s.key;
    for (const std::string& w : words) {
      EXPECT_GE(characters(w), s.minChars) << s.key;
      if (s.maxChars) {
        EXPECT_LE(characters(w), s.maxChars) << s.key;
      }
      // Engine code: every hanzi is a double-byte code of 0x874A or above.
      for (std::size_t i = 0; i < w.size(); i += 2) {
        unsigned code = static_cast<unsigned char>(w[i]) * 256u + static_cast<unsigned char>(w[i + 1]);
        EXPECT_GE(code, 0x874Au) << s.key;
      }
      EXPECT_TRUE(seen.insert(w).second) << s.key << ": word repeated";
      EXPECT_TRUE(cj::isListedWord(s.key, w));
    }
  }
  const std::vector<std::string>& a = cj::listedWords("wordTableTest.A");
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(cj::listedBarList("wordTableTest.A"), "|" + a[0] + "|" + a[1] + "|");
  EXPECT_EQ(cj::listedWord("wordTableTest.C"), cj::listedWords("wordTableTest.C")[0]);
  EXPECT_FALSE(cj::isListedWord("wordTableTest.A", cj::listedWord("wordTableTest.C")));
  EXPECT_TRUE(cj::listedWords("no.such.key").empty());
  EXPECT_EQ(cj::listedWord("no.such.key"), "");
}

TEST(WordTable, WordsConvertToEngineCode) {
  // 啊 is the first hanzi; 显 and 嫌 straddle the codes moved under lead 0x87; \xHH is a raw byte.
  std::string text = tableWith({{"wordTableTest.A", "|啊|显|"}, {"wordTableTest.C", "嫌\\xA6"}});
  std::string error;
  ASSERT_EQ(cj::loadWordTableText(text, &error), cj::kWordTableLoaded) << error;
  EXPECT_EQ(cj::listedWords("wordTableTest.A")[0], "\x88\x9F");
  EXPECT_EQ(cj::listedWords("wordTableTest.A")[1], "\x87\x4A");
  EXPECT_EQ(cj::listedWord("wordTableTest.C"), "\x98\x72\xA6");
  EXPECT_TRUE(cj::isListedWord("wordTableTest.A", "\x87\x4A"));
}

TEST(WordTable, FilesBreakingTheSchemaAreRefused) {
  struct Case {
    const char* what;
    std::string text;
  } cases[] = {
      {"word too long", tableWith({{"wordTableTest.A", "|啊|显显|"}})},
      {"word too short", tableWith({{"wordTableTest.C", "啊"}})},
      {"word too long for a range", tableWith({{"wordTableTest.B", "|啊显嫌中|"}})},
      {"surplus item", tableWith({{"wordTableTest.A", "|啊|显|嫌|"}})},
      {"item missing", tableWith({{"wordTableTest.A", "啊"}})},
      {"key missing", tableWith({{"wordTableTest.B", ""}})},
      {"key twice", tableWith({}) + "wordTableTest.C\t显显\n"},
      {"empty item", tableWith({{"wordTableTest.A", "|啊||"}})},
      {"unclosed bar list", tableWith({{"wordTableTest.A", "|啊|显"}})},
      {"no tab", tableWith({}) + "wordTableTest.C 显显\n"},
      {"character without a code", tableWith({{"wordTableTest.C", "啊\xF0\x9F\x98\x80"}})},
      {"character outside GB2312", tableWith({{"wordTableTest.C", "啊啰"}})},
      // The leading words and the words after a comma pair up by place.
      {"paired lists of two lengths", tableWith({{"textChecks.commaWord", "|但是|所以|"}})},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(cj::loadWordTableText(cjtest::syntheticWords()), cj::kWordTableLoaded);
    std::string error;
    EXPECT_EQ(cj::loadWordTableText(c.text, &error), cj::kWordTableRefused) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    // Nothing of a refused file is kept.
    EXPECT_TRUE(cj::listedWords("wordTableTest.A").empty()) << c.what;
  }
  // Comments, blank lines, CR LF and keys of families not in this program are fine.
  std::string ok = "# words\r\n\r\nother.family.X\t|x|y|\r\n" + tableWith({});
  EXPECT_EQ(cj::loadWordTableText(ok), cj::kWordTableLoaded);
}

// Each end of the UTF-8 ranges: a well-formed character this table cannot code is refused for its
// code, a malformed sequence as no UTF-8.
TEST(WordTable, Utf8IsJudgedAtTheEndsOfItsRanges) {
  const struct {
    const char* bytes;
    bool wellFormed;
  } cases[] = {
      {"\xC2\x80", true},          {"\xC1\xBF", false},         {"\xDF\xBF", true},
      {"\xE0\xA0\x80", true},      {"\xE0\x9F\xBF", false},     {"\xED\x9F\xBF", true},
      {"\xED\xA0\x80", false},     {"\xEF\xBF\xBF", true},      {"\xF0\x90\x80\x80", true},
      {"\xF0\x8F\xBF\xBF", false}, {"\xF4\x8F\xBF\xBF", true}, {"\xF4\x90\x80\x80", false},
      {"\xF5\x80\x80\x80", false}, {"\xE4\xB8", false},         {"\x80", false},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_EQ(cj::loadWordTableText(tableWith({{"wordTableTest.C", std::string("啊") + c.bytes}}), &error),
              cj::kWordTableRefused);
    EXPECT_NE(error.find(c.wellFormed ? "without an engine code" : "not valid UTF-8"), std::string::npos)
        << error;
  }
}

// A key of at most n words takes one to n words and refuses more.
TEST(WordTable, AKeyOfAtMostNWordsTakesAnyShorterList) {
  for (const char* value : {"啊", "|啊|显|", "|啊|显|嫌|"}) {
    std::string error;
    EXPECT_EQ(cj::loadWordTableText(tableWith({{"wordTableTest.Max", value}}), &error), cj::kWordTableLoaded)
        << value << ": " << error;
  }
  EXPECT_EQ(cj::listedWords("wordTableTest.Max").size(), 3u);
  std::string error;
  EXPECT_EQ(cj::loadWordTableText(tableWith({{"wordTableTest.Max", "|啊|显|嫌|中|"}}), &error), cj::kWordTableRefused);
  EXPECT_NE(error.find("expected at most 3"), std::string::npos) << error;
  EXPECT_EQ(cj::loadWordTableText(tableWith({{"wordTableTest.Max", ""}}), &error), cj::kWordTableRefused);
}

TEST(WordTable, RegistrationKeepsOneShapePerKey) {
  const cj::WordKeySpec same[] = {{"wordTableTest.A", 2, 1, 1}};
  EXPECT_TRUE(cj::registerWordKeys(same, 1));
  const cj::WordKeySpec clash[] = {{"wordTableTest.A", 3, 1, 1}};
  EXPECT_FALSE(cj::registerWordKeys(clash, 1));
  const cj::WordKeySpec bad[] = {{"wordTableTest.Bad", 1, 3, 2}};
  EXPECT_FALSE(cj::registerWordKeys(bad, 1));
  for (const cj::WordKeySpec& s : cj::registeredWordKeys()) {
    if (std::string(s.key) == "wordTableTest.A") {
      EXPECT_EQ(s.count, 2);
    }
    EXPECT_NE(std::string(s.key), "wordTableTest.Bad");
  }
}

TEST(WordTable, StartUpFailsWithoutAUsableTable) {
  datagen::TempDevice device;
  std::string folder = cjtest::useFolder(device);
  datagen::CjDataFiles files = datagen::minimalCjDataFiles(cjtest::syntheticWords());
  ASSERT_TRUE(datagen::writeCjDataFiles(folder, files));
  EXPECT_EQ(cj::initCjEngine(cjtest::engine()), 0);
  EXPECT_EQ(cj::listedWords("wordTableTest.A").size(), 2u);
  EXPECT_TRUE(cjtest::engine().wordTableNotes.empty());

  // A key of a family the engine carries that no rule reads starts the engine, named with its line;
  // a key of a family it does not carry is left to the programs that do.
  files["cjwords.txt"] = "# words\n\nwordTableTest.Typo\t|x|\n" + tableWith({}) + "other.family.X\tx\nwordTableTest.D\tx\n";
  ASSERT_TRUE(datagen::writeCjDataFiles(folder, files));
  EXPECT_EQ(cj::initCjEngine(cjtest::engine()), 0);
  const std::size_t lines = static_cast<std::size_t>(std::count(files["cjwords.txt"].begin(), files["cjwords.txt"].end(), '\n'));
  EXPECT_EQ(cjtest::engine().wordTableNotes,
            (std::vector<std::string>{"cjwords.txt line 3: unknown key wordTableTest.Typo, skipped",
                                      "cjwords.txt line " + std::to_string(lines) + ": unknown key wordTableTest.D, skipped"}));

  EXPECT_TRUE(plat::removeFile(folder + "cjwords.txt"));
  EXPECT_EQ(cj::loadWordTable(folder), cj::kWordTableMissing);
  EXPECT_EQ(cj::initCjEngine(cjtest::engine()), 22);

  files["cjwords.txt"] = tableWith({{"wordTableTest.A", "|啊|显|嫌|"}});
  ASSERT_TRUE(datagen::writeCjDataFiles(folder, files));
  EXPECT_EQ(cj::initCjEngine(cjtest::engine()), 22);
  EXPECT_TRUE(cj::listedWords("wordTableTest.A").empty());
}

}  // namespace
