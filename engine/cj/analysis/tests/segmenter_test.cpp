#include "engine/cj/analysis/segmenter.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/cj/analysis/trie_reader.h"

namespace cj {
namespace {

using cjtest::DicWord;
using cjtest::engineText;
using cjtest::readableText;

// Every word has an entry; the first entry (offset 0) belongs to the listed first word.
std::vector<DicWord> dictionary(const std::vector<std::string>& words) {
  std::vector<DicWord> out = {{"的", "U\\U[U]"}};
  for (const std::string& w : words) out.push_back({w, "N\\U[N]"});
  return out;
}

// The merged entries as "word/word/...", UTF-8.
std::string cut(const segment& seg) {
  std::string out;
  for (int i = 1; i <= mergedCount(seg); ++i) {
    if (i > 1) out += "/";
    out += readableText(mergedSegments(seg)[i].text.view());
  }
  return out;
}

class SegmenterTest : public cjtest::EngineFixture {
 protected:
  // Segments a UTF-8 sentence after digit widening; returns the cut and the stretch flag.
  std::string segmentText(const std::string& utf8, int* differed = nullptr) {
    std::string wide;
    widenDigits(engineText(utf8), wide);
    initSegmenter(seg_, cjtest::engine(), wide);
    int d = segmentSentence(seg_);
    if (differed) *differed = d;
    return cut(seg_);
  }
  void TearDown() override {
    freeSegmenter(seg_);
    EngineFixture::TearDown();
  }
  segment seg_;
};

TEST_F(SegmenterTest, PassesAndTheirMerge) {
  ASSERT_TRUE(start({dictionary({"中国", "人民", "中国人", "民", "甲乙", "乙丙丁", "丙", "丁", "丙丁", "戊己", "己庚"}),
                     {}, {}, {}}));
  struct Case {
    const char* text;
    const char* cut;
    int differed;
  } cases[] = {
      {"中国", "中国", 0},
      {"我中国", "我/中国", 0},           // an unknown character is its own entry
      {"中国人民", "中国/人民", 1},       // 3+1 against 2+2, equal counts: f
      {"甲乙丙丁", "甲乙/丙丁", 1},       // 2+2 against 1+3 over eight bytes: z
      {"戊己庚", "戊/己庚", 1},           // 2+1 against 1+2, no list names them: f
  };
  for (const Case& c : cases) {
    int differed = -1;
    EXPECT_EQ(segmentText(c.text, &differed), c.cut) << c.text;
    EXPECT_EQ(differed, c.differed) << c.text;
  }
  // Agreement everywhere: the merged array is the z-pass array.
  segmentText("我中国");
  for (int i = 0; i <= mergedCount(seg_); ++i) EXPECT_EQ(mergedSegments(seg_)[i].text.view(), seg_.z[i].text.view());
  EXPECT_EQ(mergedSegments(seg_)[1].kind, '4');
  EXPECT_EQ(mergedSegments(seg_)[1].value, 0);
  EXPECT_EQ(mergedSegments(seg_)[2].value, static_cast<int32_t>(offsetOf("中国")));
  // A stretch cut into two words by one pass and three by the other takes the two-word cut.
  EXPECT_EQ(segmentText("甲乙丙丁戊"), "甲乙/丙丁/戊");
}

TEST_F(SegmenterTest, TwoAgainstThreeTakesTheShorterCut) {
  ASSERT_TRUE(start({dictionary({"甲乙", "乙丙丁", "丙", "丁"}), {}, {}, {}}));
  // z: 甲乙/丙/丁, f: 甲/乙丙丁.
  EXPECT_EQ(segmentText("甲乙丙丁"), "甲/乙丙丁");
  EXPECT_EQ(seg_.zTotal, 3);
  EXPECT_EQ(seg_.fTotal, 2);
}

TEST_F(SegmenterTest, ThreeCharacterListMakesTheLongWordWin) {
  ASSERT_TRUE(start({dictionary({"中国", "人民", "中国人", "民"}), {}, {{"segmenter.A1", {"中国人", "丙丙丙", "丁丁丁", "戊戊戊"}}}, {}}));
  EXPECT_EQ(segmentText("中国人民"), "中国人/民");
}

TEST_F(SegmenterTest, TwoWordStretchRules) {
  // z cuts 甲乙/丙, f cuts 甲/乙丙 (and 丙 alone after it where the text repeats it).
  const std::vector<DicWord> words = dictionary({"甲乙", "乙丙", "丙", "乙", "乙乙"});
  struct Case {
    const char* what;
    std::map<std::string, std::vector<std::string>> lists;
    const char* text;
    const char* cut;
  } cases[] = {
      {"no list names them", {}, "甲乙丙", "甲/乙丙"},
      {"z-pair character", {{"segmenter.zPairChar", {"丙"}}}, "甲乙丙", "甲乙/丙"},
      {"z first word", {{"segmenter.zFirstWords", {"甲乙"}}}, "甲乙丙", "甲乙/丙"},
      {"z second word", {{"segmenter.zSecondWords", {"丙"}}}, "甲乙丙", "甲乙/丙"},
      {"z pair", {{"segmenter.zPairFirsts", {"甲乙"}}, {"segmenter.zPairSeconds", {"丙"}}}, "甲乙丙", "甲乙/丙"},
      {"f single before a z rule", {{"segmenter.fPairSingles", {"甲"}}, {"segmenter.zPairChar", {"丙"}}}, "甲乙丙",
       "甲/乙丙"},
      {"f pair before a z rule",
       {{"segmenter.fPairFirsts", {"甲"}}, {"segmenter.fPairSeconds", {"乙丙"}}, {"segmenter.zPairChar", {"丙"}}},
       "甲乙丙", "甲/乙丙"},
      {"repetition on the left", {}, "乙乙丙", "乙乙/丙"},
      {"second character in B2", {{"segmenter.B2", {"丙"}}}, "甲乙丙", "甲乙/丙"},
      {"first word in B1 before B2", {{"segmenter.B2", {"丙"}}, {"segmenter.B1", {"甲"}}}, "甲乙丙", "甲/乙丙"},
      {"f2 in list C", {{"segmenter.C", {"乙丙"}}, {"segmenter.B2", {"丙"}}}, "甲乙丙", "甲/乙丙"},
      {"repetition on the right", {}, "甲乙丙丙", "甲乙/丙/丙"},
  };
  for (const Case& c : cases) {
    // Each list given is filled to its declared count with rare words of the right length.
    std::map<std::string, std::vector<std::string>> lists = c.lists;
    for (auto& [key, list] : lists) {
      for (const WordKeySpec& spec : registeredWordKeys()) {
        if (key != spec.key) continue;
        std::size_t k = 0;
        while (static_cast<int>(list.size()) < spec.count) {
          std::string w;
          for (int ch = 0; ch < spec.minChars; ++ch) w += cjtest::rareHanzi()[200 + (k++ % 150)];
          list.push_back(w);
        }
      }
    }
    ASSERT_TRUE(start({words, {}, lists, {}})) << c.what;
    EXPECT_EQ(segmentText(c.text), c.cut) << c.what;
    freeSegmenter(seg_);
    closeCjEngine(cjtest::engine());
  }
}

TEST_F(SegmenterTest, FiveCharacterStretchIsRecut) {
  // z: 甲乙/丙丁/戊 (戊 unknown), f: 甲/乙丙/丁戊.
  const std::vector<DicWord> words = dictionary({"甲乙", "丙丁", "乙丙", "丁戊", "丙"});
  ASSERT_TRUE(start({words, {}, {}, {}}));
  EXPECT_EQ(segmentText("甲乙丙丁戊"), "甲/乙丙/丁戊");
  closeCjEngine(cjtest::engine());
  std::map<std::string, std::vector<std::string>> lists;
  std::vector<std::string> b1 = {"丙"};
  for (std::size_t k = 0; b1.size() < 22; ++k) b1.push_back(cjtest::rareHanzi()[300 + k]);
  lists["segmenter.B1"] = b1;
  ASSERT_TRUE(start({words, {}, lists, {}}));
  EXPECT_EQ(segmentText("甲乙丙丁戊"), "甲乙/丙/丁戊");
  EXPECT_EQ(mergedSegments(seg_)[2].value, static_cast<int32_t>(offsetOf("丙")));
}

TEST_F(SegmenterTest, TokensOfMarksDigitsAndLetters) {
  ASSERT_TRUE(start({dictionary({"中国"}), {}, {}, {}}));
  struct Case {
    const char* text;
    const char* cut;
    const char* kinds;
  } cases[] = {
      {"中国。", "中国/。", "4P"},
      {"ab12中国", "ab/１/２/中国", "W444"},
      {"3.5", "３/./５", "4W4"},
      {"x1 b", "x/１/ /b", "W4PW"},
      {"[[a]]b", "[[a]]b", "W"},
      {"(a)", "(/a/)", "PWP"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(segmentText(c.text), c.cut) << c.text;
    std::string kinds;
    for (int i = 1; i <= mergedCount(seg_); ++i) kinds += mergedSegments(seg_)[i].kind;
    EXPECT_EQ(kinds, c.kinds) << c.text;
  }
  // Without widening a digit run is one 'U' token.
  initSegmenter(seg_, cjtest::engine(), "ab12 x");
  segmentSentence(seg_);
  EXPECT_EQ(cut(seg_), "ab12/ /x");
  EXPECT_EQ(mergedSegments(seg_)[1].kind, 'U');
  // The f pass sees the point between digits as a mark; the merge keeps the z entry.
  segmentText("3.5");
  EXPECT_EQ(seg_.f[2].kind, 'P');
  EXPECT_EQ(mergedSegments(seg_)[2].kind, 'W');
}

TEST_F(SegmenterTest, LongestMatchInTheTrie) {
  ASSERT_TRUE(start({dictionary({"中国", "中国人", "中国人民", "民", "人"}), {}, {}, {}}));
  const CjEngineData& d = cjtest::engine().data;
  struct Case {
    const char* text;
    int length;
    const char* word;  // whose value is expected; "" for 0
    bool found;
  } cases[] = {
      {"中国人民万岁", 8, "中国人民", true},
      {"中国人", 6, "中国人", true},
      {"中国", 4, "中国", true},
      {"中文", 2, "", false},  // 中 alone is no word
      {"民主", 2, "民", true},  // no children: the record's value
      {"我们", 2, "", false},
      {"a中", 1, "", false},
  };
  for (const Case& c : cases) {
    const std::string text = engineText(c.text);
    WordMatch m;
    matchLongestWord(d.zmemdic, d.zfcIndex.data(), text.c_str(), m, static_cast<int>(d.zfcIndex.size()));
    EXPECT_EQ(m.length, c.length) << c.text;
    EXPECT_EQ(m.found, c.found) << c.text;
    EXPECT_EQ(m.value, static_cast<int32_t>(offsetOf(c.word))) << c.text;
  }
  // The reversed trie finds words by their last character.
  const std::string reversed = engineText("民人国中");
  WordMatch m;
  matchLongestWord(d.fmemdic, d.ffcIndex.data(), reversed.c_str(), m, static_cast<int>(d.ffcIndex.size()));
  EXPECT_EQ(m.length, 8);
  EXPECT_EQ(m.value, static_cast<int32_t>(offsetOf("中国人民")));

  int32_t value = 0;
  initSegmenter(seg_, cjtest::engine(), "");
  EXPECT_EQ(probeWholeWord(seg_, engineText("中国人"), value, kSegmentMain), 1);
  EXPECT_EQ(value, static_cast<int32_t>(offsetOf("中国人")));
  EXPECT_EQ(probeWholeWord(seg_, engineText("中国人民万"), value, kSegmentMain), 0);
  EXPECT_EQ(probeWholeWord(seg_, engineText("我"), value, kSegmentMain), 0);
}

TEST_F(SegmenterTest, WordsLongerThanTheTextFieldAreNotTaken) {
  const std::string longWord = "一二三四五六七八九十甲乙丙丁戊己庚辛壬癸";  // 20 characters
  ASSERT_TRUE(start({dictionary({longWord, "一二"}), {}, {}, {}}));
  initSegmenter(seg_, cjtest::engine(), engineText(longWord));
  segmentSentence(seg_);
  std::string joined;
  for (int i = 1; i <= mergedCount(seg_); ++i) {
    EXPECT_LE(mergedSegments(seg_)[i].text.size(), static_cast<std::size_t>(kMaxWordBytes));
    joined += mergedSegments(seg_)[i].text.view();
  }
  EXPECT_EQ(joined, engineText(longWord));
  EXPECT_EQ(readableText(mergedSegments(seg_)[1].text.view()), "一二");
}

// A trie cut short is refused when the engine starts, by name, rather than walked in part.
TEST_F(SegmenterTest, ACutTrieIsRefusedAtStart) {
  cjtest::EngineSetup setup{dictionary({"中国", "中国人", "中国人民"}), {}, {}, {}};
  ASSERT_TRUE(start(setup));
  std::string z, f;
  ASSERT_TRUE(plat::readWholeFile(folder_ + "zmemdic.dat", z));
  ASSERT_TRUE(plat::readWholeFile(folder_ + "fmemdic.dat", f));
  closeCjEngine(cjtest::engine());
  for (const char* name : {"zmemdic.dat", "fmemdic.dat"}) {
    // Only the first node of the trie is left.
    datagen::CjDataFiles cutShort = {{name, (name[0] == 'z' ? z : f).substr(0, 8)}};
    EXPECT_FALSE(start(setup, &cutShort)) << name;
    EXPECT_EQ(cjtest::engine().engineStatus, name[0] == 'z' ? cj::kStatusZmemdicMissing : cj::kStatusFmemdicMissing);
    EXPECT_EQ(cjtest::engine().dataFileProblem.rfind(std::string(name) + ": cut", 0), 0u) << cjtest::engine().dataFileProblem;
  }
}

TEST_F(SegmenterTest, PassesNeverHoldMoreThanTheArrays) {
  ASSERT_TRUE(start({dictionary({"中国"}), {}, {}, {}}));
  initSegmenter(seg_, cjtest::engine(), std::string(301, ','));
  EXPECT_EQ(segmentSentence(seg_), 0);
  EXPECT_TRUE(seg_.overflow);
  EXPECT_EQ(mergedCount(seg_), kSegmentSlots - 1);
  // The driver's fragmentation test sends such a sentence to the fallback conversion.
  const int length = 301, n = mergedCount(seg_);
  EXPECT_LT(100 - (200 * n) / length, 8);
  // A sentence that fits is not marked.
  initSegmenter(seg_, cjtest::engine(), std::string(298, ','));
  segmentSentence(seg_);
  EXPECT_FALSE(seg_.overflow);
  EXPECT_EQ(mergedCount(seg_), 298);
}

TEST_F(SegmenterTest, PinyinPathUsesItsOwnFilesAndKeepsTheMergedCut) {
  cjtest::EngineSetup setup{dictionary({"中国", "人民", "中国人", "民"}), {}, {}, {}};
  setup.pinyinWords = {{"的", "U\\U[U]"}, {"人民", "N\\U[N]"}, {"中国人", "N\\U[N]"}};
  ASSERT_TRUE(start(setup));
  initSegmenter(seg_, cjtest::engine(), engineText("中国人民"));
  segmentForPinyin(seg_);
  // With the pinyin words, z: 中国人/民 (民 unknown), f: 中/国/人民; two words beat three.
  EXPECT_EQ(cut(seg_), "中国人/民");
  for (int i = 1; i <= mergedCount(seg_); ++i) {
    EXPECT_EQ(seg_.z[i].text.view(), mergedSegments(seg_)[i].text.view());
    EXPECT_EQ(seg_.z[i].value, mergedSegments(seg_)[i].value);
  }
  EXPECT_NE(mergedSegments(seg_)[1].value, 0);
  EXPECT_NE(mergedSegments(seg_)[1].value, static_cast<int32_t>(offsetOf("中国人")));
}

}  // namespace
}  // namespace cj

namespace cj {
namespace {

// Reads back the layout of a written trie: a character's children in one run, the word-end node
// first, codes ascending, the last one flagged; the index counts the word-end node.
TEST(TrieWriterTest, ChildrenRunsAndIndexCounts) {
  const std::string zhong = engineText("中"), guo = engineText("国"), wen = engineText("文"), ren = engineText("人");
  datagen::CjTrieFiles files = datagen::cjTrieFiles(
      {{zhong, 10}, {zhong + wen, 20}, {zhong + guo, 30}, {zhong + guo + ren, 40}, {ren, 50}}, false);
  ASSERT_EQ(files.index.size(), 16u);
  std::FILE* trie = std::tmpfile();
  ASSERT_NE(trie, nullptr);
  std::fwrite(files.trie.data(), 1, files.trie.size(), trie);
  auto le = [&](std::size_t at, int width) {
    uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(files.index[at + i]);
    return v;
  };
  auto code = [](const std::string& c) {
    return static_cast<uint32_t>(static_cast<unsigned char>(c[0]) * 256 + static_cast<unsigned char>(c[1]));
  };
  // Records sorted by code: 中 and 人 in code order.
  const std::size_t zhongAt = code(zhong) < code(ren) ? 0 : 8, renAt = 8 - zhongAt;
  EXPECT_EQ(le(zhongAt, 2), code(zhong));
  EXPECT_EQ(le(zhongAt + 2, 2), 3u);  // word end, 国, 文
  EXPECT_EQ(le(renAt + 2, 2), 0u);    // 人 alone: no children, its value in the record
  EXPECT_EQ(le(renAt + 4, 4), 50u);
  const uint32_t first = le(zhongAt + 4, 4);
  TrieNode n[3];
  for (uint32_t i = 0; i < 3; ++i) ASSERT_TRUE(readTrieNode(trie, first + i, n[i]));
  EXPECT_EQ(n[0].code, 0);
  EXPECT_EQ(n[0].flags, kTrieWordEnd);
  EXPECT_EQ(n[0].value, 10u);
  EXPECT_LT(n[1].code, n[2].code);
  EXPECT_EQ(n[2].flags & kTrieLastSibling, kTrieLastSibling);
  EXPECT_EQ(n[1].flags & kTrieLastSibling, 0);
  // 国 has a child (人) after its word end; 文 is a leaf.
  const TrieNode& guoNode = n[1].code == code(guo) ? n[1] : n[2];
  const TrieNode& wenNode = n[1].code == code(wen) ? n[1] : n[2];
  EXPECT_EQ(wenNode.flags & kTrieWordEnd, kTrieWordEnd);
  EXPECT_EQ(wenNode.value, 20u);
  EXPECT_EQ(guoNode.flags & kTrieWordEnd, 0);
  TrieNode end, child;
  ASSERT_TRUE(readTrieNode(trie, guoNode.value, end));
  ASSERT_TRUE(readTrieNode(trie, guoNode.value + 1, child));
  EXPECT_EQ(end.code, 0);
  EXPECT_EQ(end.value, 30u);
  EXPECT_EQ(child.code, code(ren));
  EXPECT_EQ(child.value, 40u);
  EXPECT_EQ(child.flags, kTrieWordEnd | kTrieLastSibling);
  EXPECT_FALSE(readTrieNode(trie, static_cast<uint32_t>(files.trie.size() / 8), end));
  std::fclose(trie);

  // The reversed trie is keyed by the last character.
  datagen::CjTrieFiles reversed = datagen::cjTrieFiles({{zhong + guo, 30}}, true);
  EXPECT_EQ(static_cast<unsigned char>(reversed.index[0]) | static_cast<unsigned char>(reversed.index[1]) << 8,
            static_cast<int>(code(guo)));
}

}  // namespace
}  // namespace cj
