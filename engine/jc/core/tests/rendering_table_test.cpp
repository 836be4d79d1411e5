#include "engine/jc/core/rendering_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/jc/core/tests/rendering_fill.h"
#include "tools/datagen/temp_device.h"

namespace jc {
namespace {

const RenderingKeySpec kTestKeys[] = {
    {"testRules.E1", 1, 4, 4},
    {"testRules.E2", 1, 5, 5},
    {"testRules.L1", 3, 2, 6},
    {"testRules.any", 0, 2, 0},
};
const RenderingKeyRegistrar registrar(kTestKeys, 4);

std::string u8s(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// The keys that the engine's own families register, filled with synthetic words.
std::string engineKeys() {
  datagen::WordTable t = syntheticRenderings();
  std::erase_if(t, [](const auto& entry) { return entry.first.rfind("testRules.", 0) == 0; });
  return datagen::wordTableText(t);
}

// A table that satisfies kTestKeys and the engine's keys; lines can be replaced by key.
std::string table(const std::string& replaceKey = "", const std::string& line = "") {
  std::vector<std::pair<std::string, std::string>> lines = {
      {"testRules.E1", u8s(u8"testRules.E1\t啊阿")},
      {"testRules.E2", u8s(u8"testRules.E2\t埃挨x")},
      {"testRules.L1", u8s(u8"testRules.L1\t|哎|唉哀|皑癌蔼|")},
      {"testRules.any", u8s(u8"testRules.any\t|矮|艾碍|")},
  };
  std::string text = "# renderings\n" + engineKeys();
  for (auto& [k, l] : lines) {
    if (k == replaceKey) {
      if (!line.empty()) text += line + "\n";
    } else {
      text += l + "\n";
    }
  }
  return text;
}

class RenderingTable : public ::testing::Test {
 protected:
  void TearDown() override { clearRenderingTable(); }
};

TEST_F(RenderingTable, LoadsAndConvertsToEngineCode) {
  std::string error;
  ASSERT_EQ(loadRenderingTableText(table(), &error), kRenderingTableLoaded) << error;
  // GB2312 0xB0A1 (the first hanzi) is engine code 0x889F.
  EXPECT_EQ(rendering("testRules.E1").substr(0, 2), "\x88\x9F");
  EXPECT_EQ(rendering("testRules.E1").size(), 4u);
  EXPECT_EQ(rendering("testRules.E2").size(), 5u);
  EXPECT_EQ(rendering("testRules.E2").back(), 'x');
  ASSERT_EQ(renderings("testRules.L1").size(), 3u);
  EXPECT_EQ(renderingBarList("testRules.L1"),
            "|" + renderings("testRules.L1")[0] + "|" + renderings("testRules.L1")[1] + "|" +
                renderings("testRules.L1")[2] + "|");
  EXPECT_TRUE(rendering("testRules.none").empty());

  std::string raw;
  ASSERT_TRUE(utf8ToEngineCode("a\\x88\\x9Fb", raw));
  EXPECT_EQ(raw, "a\x88\x9F" "b");
}

TEST_F(RenderingTable, RefusesFilesThatBreakTheSchema) {
  struct Case {
    const char* what;
    std::string text;
  };
  const Case cases[] = {
      {"too short", table("testRules.E1", u8s(u8"testRules.E1\t啊"))},
      {"too long", table("testRules.L1", u8s(u8"testRules.L1\t|哎|唉哀|皑癌蔼艾|"))},
      {"wrong count", table("testRules.L1", u8s(u8"testRules.L1\t|哎|唉哀|"))},
      {"missing key", table("testRules.E2", "")},
      {"unknown key", table() + u8s(u8"testRules.zz\t啊啊\n")},
      {"key twice", table() + u8s(u8"testRules.E1\t啊阿\n")},
      {"no engine code", table("testRules.E1", u8s(u8"testRules.E1\t啊한"))},
      {"open bar list", table("testRules.any", u8s(u8"testRules.any\t|矮|艾碍"))},
      {"empty word", table("testRules.any", u8s(u8"testRules.any\t|矮||"))},
      {"no tab", table("testRules.E1", "testRules.E1")},
  };
  std::string error;
  ASSERT_EQ(loadRenderingTableText(table(), &error), kRenderingTableLoaded) << error;
  const std::string before = rendering("testRules.E1");
  for (const Case& c : cases) {
    error.clear();
    EXPECT_EQ(loadRenderingTableText(c.text, &error), kRenderingTableRefused) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
    // Nothing of a refused file is kept.
    EXPECT_EQ(rendering("testRules.E1"), before) << c.what;
  }
}

TEST_F(RenderingTable, LineEndsAndEncodingsOfTheFile) {
  std::string lf = table();
  std::string error;
  ASSERT_EQ(loadRenderingTableText(lf, &error), kRenderingTableLoaded) << error;
  const std::string expected = rendering("testRules.E1");
  // A byte-order mark and lines ending in CR alone or CR LF read as the plain file does.
  std::string cr = lf, crlf;
  std::replace(cr.begin(), cr.end(), '\n', '\r');
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string& text : {"\xEF\xBB\xBF" + lf, cr, crlf, "\xEF\xBB\xBF" + cr}) {
    error.clear();
    clearRenderingTable();
    EXPECT_EQ(loadRenderingTableText(text, &error), kRenderingTableLoaded) << error;
    EXPECT_EQ(rendering("testRules.E1"), expected);
  }
  // UTF-16 and bytes that are not UTF-8 are named as such, not as an unknown key.
  std::string le = "\xFF\xFE", be = "\xFE\xFF", bare;
  for (char c : lf) {
    le += std::string(1, c) + '\0';
    be += std::string(1, '\0') + c;
    bare += std::string(1, c) + '\0';
  }
  struct Case {
    const char* what;
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"UTF-16 LE", le, "line 1: the file is UTF-16; save it as UTF-8"},
      {"UTF-16 BE", be, "line 1: the file is UTF-16; save it as UTF-8"},
      {"UTF-16 without a mark", bare, "line 1: the file is UTF-16; save it as UTF-8"},
      {"Latin-1 byte", "# renderings\n# caf\xE9\n" + lf, "line 2: not valid UTF-8"},
      // A stray NUL or a value without its key is named at its own line.
      {"NUL on line 3", "# renderings\n# two\nab" + std::string(1, '\0') + "c\n" + lf, "line 3: a NUL byte"},
      {"empty key on line 2", "# renderings\n\tword\n" + lf, "line 2: a value without its key"},
      {"GBK word", table("testRules.E1", "testRules.E1\t\xB0\xA1\xB0\xA2"), nullptr},
  };
  for (const Case& c : cases) {
    error.clear();
    EXPECT_EQ(loadRenderingTableText(c.text, &error), kRenderingTableRefused) << c.what;
    if (c.message) {
      EXPECT_EQ(error, c.message) << c.what;
    } else {
      EXPECT_NE(error.find("not valid UTF-8"), std::string::npos) << c.what << ": " << error;
    }
  }
}

TEST_F(RenderingTable, ReadsTheDataFolderFile) {
  datagen::TempDevice dev;
  const std::string folder = "\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic";
  std::string error;
  EXPECT_EQ(loadRenderingTable(folder, &error), kRenderingTableMissing);
  ASSERT_TRUE(dev.write(folder + "\\jcwords.txt", table()));
  EXPECT_EQ(loadRenderingTable(folder + "\\", &error), kRenderingTableLoaded) << error;
  EXPECT_EQ(renderings("testRules.any").size(), 2u);
}

// Each engine reads the table of its own folder into a load of its own: reading, refused or not,
// touches no other load, the rules read the load put in use, and an engine without a load reads
// the standing table.
TEST_F(RenderingTable, EachEngineReadsItsOwnLoad) {
  datagen::TempDevice dev;
  const std::string first = "\\Storage Card\\First\\", second = "\\Storage Card\\Second\\";
  const std::string refused = "\\Storage Card\\Refused\\", missing = "\\Storage Card\\Missing\\";
  ASSERT_TRUE(dev.write(first + "jcwords.txt", table()));
  ASSERT_TRUE(dev.write(second + "jcwords.txt", table("testRules.any", u8s(u8"testRules.any\t|矮|艾碍|哀|"))));
  ASSERT_TRUE(dev.write(refused + "jcwords.txt", table("testRules.E1")));
  std::string error;
  ASSERT_EQ(loadRenderingTableText(table("testRules.any", u8s(u8"testRules.any\t|隘|")), &error), kRenderingTableLoaded)
      << error;

  dbcs::KeyedWordLoadPtr own1, own2, failed;
  ASSERT_EQ(readRenderingTable(first, own1, &error), kRenderingTableLoaded) << error;
  ASSERT_EQ(readRenderingTable(second, own2, &error), kRenderingTableLoaded) << error;
  EXPECT_EQ(readRenderingTable(refused, failed, &error), kRenderingTableRefused);
  EXPECT_EQ(error, refused + "jcwords.txt: missing key testRules.E1");
  EXPECT_FALSE(failed);
  EXPECT_EQ(readRenderingTable(missing, failed), kRenderingTableMissing);
  EXPECT_FALSE(failed);
  EXPECT_EQ(renderings("testRules.any").size(), 1u) << "reading put a load in use";

  useRenderingTable(own1);
  EXPECT_EQ(renderings("testRules.any").size(), 2u);
  const unsigned generation1 = renderingTableGeneration();
  useRenderingTable(own2);
  EXPECT_EQ(renderings("testRules.any").size(), 3u);
  EXPECT_NE(renderingTableGeneration(), generation1);
  useRenderingTable(own1);
  EXPECT_EQ(renderings("testRules.any").size(), 2u);
  EXPECT_EQ(renderingTableGeneration(), generation1);
  useRenderingTable(nullptr);
  EXPECT_EQ(renderings("testRules.any").size(), 1u);
}

TEST_F(RenderingTable, SyntheticFillMeetsEveryKey) {
  std::string error;
  ASSERT_EQ(loadSyntheticRenderings(&error), kRenderingTableLoaded) << error;
  std::set<std::string> seen;
  for (const RenderingKeySpec& s : registeredRenderingKeys()) {
    const std::vector<std::string>& words = renderings(s.key);
    if (s.count > 0) {
      EXPECT_EQ(static_cast<int>(words.size()), s.count) << s.key;
    }
    EXPECT_FALSE(words.empty()) << s.key;
    for (const std::string& w : words) {
      EXPECT_EQ(static_cast<int>(w.size()), s.minBytes) << s.key;
      EXPECT_TRUE(seen.insert(w).second) << s.key;
    }
  }
}

}  // namespace
}  // namespace jc
