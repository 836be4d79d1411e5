#include "engine/cj/transfer/sentence_driver.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/common/code_convert.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/segmenter.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"
#include "engine/cj/analysis/tests/sentence_notation.h"
#include "engine/cj/transfer/japanese_output.h"
#include "engine/cj/transfer/rule_actions.h"
#include "platform/core/codepage.h"
#include "platform/core/fail_point.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/datagen/cwcjdic_writer.h"

namespace {

std::string sjis(const std::u16string& text) { return plat::wideToMultiByte(932, text); }

std::u16string systemText(const std::string& bytes) { return plat::multiByteToWide(932, bytes); }

const std::string kMarker = "\x81\x7C\x81\x7C";

// Hanzi that no dictionary word of the fixture holds.
const char* const kUnknown = "的一是不了人在有这中大来上国个到说们为子和你地出道也时年得就那要下以生会自着去之过家学对可里后小么心多天而能好都然没日于起还发成事只作当想看文无开手十用主行方又如前所本见经头面公同三已老从动两长";

std::string unknownHanzi(int count) {
  std::string out, all = kUnknown;
  for (int k = 0; k < count; ++k) out += all.substr(3 * static_cast<std::size_t>(k), 3);
  return out;
}

class SentenceDriver : public cjtest::EngineFixture {
 protected:
  void SetUp() override {
    datagen::registerConversionTables();
    std::vector<datagen::CjDicEntry> entries = {
        {cjtest::engineText("我们"), {{'N', sjis(u"私たち"), "N0000"}}},
        {cjtest::engineText("学习"), {{'V', sjis(u"学ぶ"), "TG001"}}},
    };
    std::map<std::string, std::int32_t> refs;
    datagen::CjDataFiles extra;
    ASSERT_TRUE(datagen::cwcjdicFile(entries, extra["cwcjdic.dic"], refs));
    cjtest::EngineSetup setup;
    setup.words = {{"我们", "N\\U[N]Z[" + std::to_string(refs[cjtest::engineText("我们")] - 1) + "]"},
                   {"学习", "V\\U[V]Z[" + std::to_string(refs[cjtest::engineText("学习")] - 1) + "]"}};
    ASSERT_TRUE(start(setup, &extra));
  }
  std::u16string translateEngine(std::string text, int* result = nullptr) {
    std::u16string out = u"old";
    const int r = cj::translateChineseText(cjtest::engine(), text, out);
    if (result) *result = r;
    return out;
  }
  std::u16string translate(const std::string& utf8, int* result = nullptr) {
    return translateEngine(cjtest::engineText(utf8), result);
  }
  static std::u16string fallback(const std::string& engine) {
    std::string jp;
    dbcs::convertSentenceFallback(engine, jp);
    return systemText(jp);
  }
  static int segmentCount(const std::string& engine) {
    std::string wide;
    cj::widenDigits(engine, wide);
    cj::segment seg;
    cj::initSegmenter(seg, cjtest::engine(), wide);
    cj::segmentSentence(seg);
    const int n = cj::mergedCount(seg);
    cj::freeSegmenter(seg);
    return n;
  }
};

TEST_F(SentenceDriver, LinesWithoutHanziOrWithBrokenCode) {
  int r = -1;
  EXPECT_EQ(translate("abc, 123.", &r), u"abc, 123.");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(translate("", &r), u"");
  EXPECT_EQ(r, 0);
  const std::string words = cjtest::engineText("我们学习");
  EXPECT_EQ(translateEngine(words + "\xB0\xB0\xB0\xB0", &r), cj::kCodeErrorNotice);
  EXPECT_EQ(r, 0);
  // Three errors are still translated.
  const std::u16string three = translateEngine(words + "\xB0\xB0\xB0", &r);
  EXPECT_NE(three, cj::kCodeErrorNotice);
  EXPECT_NE(three.find(u"学ぶ"), std::u16string::npos) << plat::wideToUtf8(three);
}

TEST_F(SentenceDriver, TranslatesThroughTheDictionary) {
  int r = -1;
  const std::u16string out = translate("我们学习。", &r);
  EXPECT_EQ(r, 0);
  EXPECT_NE(out.find(u"学ぶ"), std::u16string::npos) << plat::wideToUtf8(out);
}

TEST_F(SentenceDriver, FragmentedSentencesGoToTheFallback) {
  struct Case {
    int words;    // dictionary words of two characters
    int unknown;  // single hanzi
    const char* tail;
    int segments;
    bool fallback;
  } cases[] = {
      {3, 24, "a", 28, false},  // 61 bytes: 100 - 5600/61 = 9
      {2, 26, "a", 29, true},   // 61 bytes: 100 - 5800/61 = 5
      {1, 28, "", 29, false},   // 60 bytes: never
      {2, 46, "", 48, true},    // 100 bytes
      {3, 44, "", 47, true},    // 100 bytes, 47 segments: 100 - 94 = 6
      {4, 42, "", 46, false},   // 100 bytes, 46 segments: 100 - 92 = 8
  };
  for (const Case& k : cases) {
    std::string text;
    for (int w = 0; w < k.words; ++w) text += cjtest::engineText("我们");
    text += cjtest::engineText(unknownHanzi(k.unknown)) + k.tail;
    SCOPED_TRACE(std::to_string(text.size()) + " bytes");
    ASSERT_EQ(segmentCount(text), k.segments);
    int r = -1;
    const std::u16string out = translateEngine(text, &r);
    EXPECT_EQ(r, 0);
    if (k.fallback) {
      EXPECT_EQ(out, fallback(text));
    } else {
      EXPECT_NE(out.find(u"私たち"), std::u16string::npos) << plat::wideToUtf8(out);
    }
  }
}

TEST_F(SentenceDriver, SplitMarkerBeforeAVerb) {
  const std::string first = cjtest::engineText("我们");
  const std::string second = cjtest::engineText("学习");
  const std::u16string marker = systemText(kMarker);
  const std::u16string expected = translateEngine(first) + marker + translateEngine(second);
  std::u16string alone;
  cj::CjLineState line;
  EXPECT_EQ(cj::translateChineseSentence(cjtest::engine(), first + kMarker + second, alone, line), -4);
  EXPECT_EQ(alone, marker);
  int r = -1;
  EXPECT_EQ(translateEngine(first + kMarker + second, &r), expected);
  EXPECT_EQ(r, 0);
  // Behind an item number the text goes on right after the marker.
  const std::string item = "(1)";
  EXPECT_EQ(translateEngine(item + first + kMarker + second, &r), fallback(item) + expected);
  EXPECT_EQ(r, 0);
}

TEST_F(SentenceDriver, ItemNumberAndFinalByte) {
  const std::string sentence = cjtest::engineText("我们学习。");
  int r = -1;
  EXPECT_EQ(translateEngine("(2)" + sentence, &r), fallback("(2)") + translateEngine(sentence));
  EXPECT_EQ(r, 0);
  // A last sentence of one byte is translated too.
  EXPECT_EQ(translateEngine(sentence + "a", &r), translateEngine(sentence) + u"a");
}

TEST_F(SentenceDriver, OutOfMemoryIsAFailure) {
  const std::string text = cjtest::engineText("我们学习。");
  for (std::string_view block : {cj::kTextBuffersFailPoint, cj::kSentenceBufferFailPoint, cj::kWorkAreaFailPoint}) {
    SCOPED_TRACE(block);
    plat::NotifyRecorder recorder;
    plat::FailPoint fail(block);
    int r = 0;
    const std::u16string out = translateEngine(text, &r);
    EXPECT_EQ(r, cj::kStatusOutOfMemory);
    ASSERT_GE(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].text, u"メモリ不足!");
    EXPECT_TRUE(fail.fired());
    if (block == cj::kTextBuffersFailPoint) {
      EXPECT_EQ(out, u"old");
    }
  }
}

// A reporting verb and the quotation after it.
class ReportingClause : public SentenceDriver {
 protected:
  void SetUp() override {
    datagen::registerConversionTables();
    std::vector<datagen::CjDicEntry> entries = {
        {cjtest::engineText("他"), {{'N', sjis(u"彼"), "N0000"}}},
        {cjtest::engineText("说"), {{'V', sjis(u"言う"), "TG001"}}},
        {cjtest::engineText("去"), {{'V', sjis(u"行く"), "ZG000"}}},
    };
    std::map<std::string, std::int32_t> refs;
    datagen::CjDataFiles extra;
    ASSERT_TRUE(datagen::cwcjdicFile(entries, extra["cwcjdic.dic"], refs));
    auto word = [&](const char* w, const char* cat) {
      return cjtest::DicWord{w, std::string(cat) + "\\U[" + cat + "]Z[" +
                                    std::to_string(refs[cjtest::engineText(w)] - 1) + "]"};
    };
    cjtest::EngineSetup setup;
    setup.words = {word("他", "N"), word("说", "V"), word("去", "V")};
    std::vector<std::string> verbs = {"说"};
    for (std::size_t k = 0; verbs.size() < 56; ++k) verbs.push_back(cjtest::rareHanzi()[300 + k]);
    // A sentence cut at the colon is a continuing statement.
    setup.lists = {{"ruleActions.reportingVerbs", verbs},
                   {"sentenceEnd.A", {"。"}},
                   {"sentenceEnd.K", {"："}},
                   {"predicateMarks.C1", {"，"}},
                   {"structuralTransfer.statementMark", {"，"}}};
    ASSERT_TRUE(start(setup, &extra));
  }
};

TEST_F(ReportingClause, QuotationComesFirst) {
  const std::u16string clause = translate("他说：");
  EXPECT_NE(clause.find(u"言う"), std::u16string::npos) << plat::wideToUtf8(clause);
  const std::u16string quotation = translate("他去");
  EXPECT_NE(quotation.find(u"行く"), std::u16string::npos) << plat::wideToUtf8(quotation);
  int r = -1;
  // The quotation loses its full stop; "と" joins it to the held clause.
  EXPECT_EQ(translate("他说：他去。", &r), quotation + u"と" + clause);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(translate("他说：他去"), quotation + u"と" + clause);
  // A line that ends holding its clause gives it out at the end; the next line starts afresh.
  EXPECT_EQ(translate("他说："), clause);
  EXPECT_EQ(translate("他去"), quotation);
  // The one-byte full stop is cut where it stands, not at a trail byte of the same value.
  const std::string quote = cjtest::engineText("他") + "\x88\xA1" + cjtest::engineText("去");
  EXPECT_EQ(translateEngine(cjtest::engineText("他说：") + quote + "\xA1"), translateEngine(quote) + u"と" + clause);
  // A quotation that leaves one byte of the line after it is the last sentence.
  EXPECT_EQ(translate("他说：他去！a"), translate("他去！") + u"と" + clause + u"a");
  // A clause still held when the line ends is not lost.
  EXPECT_EQ(translate("他去。他说："), translate("他去。") + clause);
}

class SplitMarkerCheck : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(cjtest::loadSyntheticWords()); }
  void TearDown() override { cj::clearWordTable(); }
};

TEST_F(SplitMarkerCheck, MarkerBeforeAVerbSplits) {
  auto s = cjtest::buildFromNotation("w - N; w \\x81\\x7C W; w \\x81\\x7C W; w - V");
  std::u16string out;
  EXPECT_EQ(cj::checkSplitMarker(*s, "ab" + kMarker + "cd", out), 2);
  EXPECT_EQ(out, systemText(kMarker));
  // Not in the source: nothing to split.
  out.clear();
  EXPECT_EQ(cj::checkSplitMarker(*s, "abcd", out), 0);
  EXPECT_EQ(out, u"");
  // A marker byte pair inside a character is not the marker.
  EXPECT_EQ(cj::checkSplitMarker(*s, "\x88\x81\x7C\x81\x7C\x81", out), 0);
}

TEST_F(SplitMarkerCheck, MarkerElsewhereBecomesOneWord) {
  auto s = cjtest::buildFromNotation("w - N; w \\x81\\x7C W; w \\x81\\x7C W; w - N");
  std::u16string out;
  EXPECT_EQ(cj::checkSplitMarker(*s, kMarker, out), 0);
  EXPECT_EQ(s->nodes[2].CHI.str(), kMarker);
  EXPECT_EQ(s->nodes[2].CAT.str(), "J");
  EXPECT_EQ(s->nodes[3].CHI.str(), "");
  EXPECT_EQ(s->nodes[2].next, 4);
  EXPECT_EQ(s->nodes[4].prev, 2);
  // At the end of the chain the merged word becomes its last node.
  s = cjtest::buildFromNotation("w - N; w \\x81\\x7C W; w \\x81\\x7C W");
  EXPECT_EQ(cj::checkSplitMarker(*s, kMarker, out), 0);
  EXPECT_EQ(s->nodes[2].next, 0);
  EXPECT_EQ(s->lastTop, 2);
}

}  // namespace
