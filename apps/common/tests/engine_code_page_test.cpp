#include "apps/common/code_page_converter.h"
#include "apps/common/engine_code_page.h"
#include "platform/core/codepage.h"
#include "tools/resgen/engine_code_tables.h"

#include <gtest/gtest.h>

namespace {

using apptext::cwToWide;
using apptext::wideToCw;

class EngineCodePageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    built_ = new resgen::EngineCodeTables(resgen::buildEngineCodeTables({{u'发', u'發'}, {u'头', u'頭'}}));
    tables_ = {built_->cwkUni, built_->cwhUni, built_->uniCwk, built_->uniCwh};
  }
  static void TearDownTestSuite() { delete built_; }
  static std::u16string k(std::string_view bytes) { return cwToWide(tables_, false, bytes); }
  static std::u16string h(std::string_view bytes) { return cwToWide(tables_, true, bytes); }

  static resgen::EngineCodeTables* built_;
  static apptext::EngineCodeTables tables_;
};
resgen::EngineCodeTables* EngineCodePageTest::built_ = nullptr;
apptext::EngineCodeTables EngineCodePageTest::tables_;

TEST_F(EngineCodePageTest, TablesHaveTheirFixedSizes) {
  EXPECT_EQ(built_->cwkUni.size(), 17424u);
  EXPECT_EQ(built_->cwhUni.size(), 22336u);
  EXPECT_EQ(built_->uniCwk.size() % 4, 0u);
  EXPECT_GT(built_->uniCwk.size() / 4, 7000u);
}

TEST_F(EngineCodePageTest, EveryGb2312CharacterRoundTrips) {
  int written = 0, lost = 0;
  for (unsigned lead = 0xA1; lead <= 0xF7; ++lead) {
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) {
      std::uint16_t gb = static_cast<std::uint16_t>(lead << 8 | trail);
      char16_t u = resgen::gbToUnicode(gb);
      if (!u || u < 127) continue;
      std::string bytes = wideToCw(tables_, false, std::u16string(1, u));
      if (bytes == "?") {
        ++lost;
        continue;
      }
      ASSERT_EQ(k(bytes), std::u16string(1, u)) << std::hex << gb;
      ++written;
    }
  }
  EXPECT_GT(written, 7400);
  // The hanzi of row 0xF7 whose IBM-extension twin 0xFA54 the engine reads as a symbol.
  EXPECT_EQ(lost, 1);
}

TEST_F(EngineCodePageTest, HanziSitOnShiftJisPositionsOfTheirGbRowAndCell) {
  // GB2312 0xB0A1 (row 16, cell 1) is 0x889F; row 0xCF cell 52 moves to lead 0x87.
  EXPECT_EQ(wideToCw(tables_, false, u"啊"), "\x88\x9F");
  EXPECT_EQ(resgen::gbToEngineCode(0xCFD4), 0x874A);
  EXPECT_EQ(k("\x87\x4A"), std::u16string(1, resgen::gbToUnicode(0xCFD4)));
  // Rows past the table come back through the IBM-extension area.
  std::u16string f4a1(1, resgen::gbToUnicode(0xF4A1));
  EXPECT_EQ(wideToCw(tables_, false, f4a1), "\xFA\x5C");
  EXPECT_EQ(k("\xFA\x5C"), f4a1);
  EXPECT_EQ(k("\xED\x40"), f4a1);
}

TEST_F(EngineCodePageTest, RemappedAndRefusedCodes) {
  EXPECT_EQ(apptext::remapLeadByte(0xFA, 0x40), 0xEEEFu);
  EXPECT_EQ(apptext::remapLeadByte(0xFA, 0x5B), 0x879Au);
  EXPECT_EQ(apptext::remapLeadByte(0xFC, 0x4B), 0xEEECu);
  EXPECT_EQ(apptext::remapLeadByte(0xFC, 0x4C), 0u);
  EXPECT_EQ(k("\xFA\x40"), k("\xEE\xEF"));
  struct Case {
    const char* bytes;
    bool second;
    const char16_t* want;
  } cases[] = {
      {"\xEE\xFD", false, u"?"},   // beyond the last trail of the table
      {"\xFC\xFC", false, u"?"},   // in no range
      {"\xF0\x40", false, u"?"},   // lead past 0xEE outside the ranges
      {"\xFC\x4C", true, u"?"},    // past the twin table's end
      {"\x80", false, u"?"},
      {"\xFD" "A", false, u"?A"},
      {"\xFF", true, u"?"},
      {"\x88\x20", false, u"?"},   // trail below 0x40
  };
  for (const Case& c : cases) {
    std::u16string got = cwToWide(tables_, c.second, c.bytes);
    EXPECT_EQ(got, c.want) << c.bytes;
  }
  EXPECT_NE(h("\xFC\x4B"), u"?");
}

TEST_F(EngineCodePageTest, TerminatorAndLimitEndTheText) {
  using namespace std::string_view_literals;
  EXPECT_EQ(k("A\x88"), u"A?");                 // a lead byte at the end
  EXPECT_EQ(k("A\x88\0B"sv), u"A?");            // the terminator is never a trail byte
  EXPECT_EQ(k("AB\0CD"sv), u"AB");
  EXPECT_EQ(cwToWide(tables_, false, "ABCD", 2), u"AB");
  EXPECT_EQ(cwToWide(tables_, false, "A\x88\x9F", 2), u"A?");  // the limit cuts a character
  std::u16string out = u"old";
  EXPECT_EQ(apptext::engineCodeToUnicode(tables_, "x\x88\x9F", -1, out, 0), 2);
  EXPECT_EQ(out, u"x啊");
}

TEST_F(EngineCodePageTest, PinyinVowelsAreSingleBytesOfEitherRun) {
  EXPECT_EQ(wideToCw(tables_, false, u"āàüê"), "\xA6\xA9\xBE\xD8");
  EXPECT_EQ(wideToCw(tables_, false, u"Ā"), "?");
  // Both runs read as the same lower-case letters, as the engine reads them.
  EXPECT_EQ(k("\xA6\xBF\xC4\xD7\xD9\xDB"), u"āāéümn");
  EXPECT_EQ(k("\xA1\xA0"), u"。?");
}

TEST_F(EngineCodePageTest, MissingCharacterGivesOneQuestionMark) {
  EXPECT_EQ(wideToCw(tables_, false, u"a\u0E01b"), "a?b");
  EXPECT_EQ(wideToCw(tables_, false, std::u16string(u"a\0b", 3)), "a");
}

TEST_F(EngineCodePageTest, TraditionalTwinHoldsTraditionalForms) {
  std::string fa = wideToCw(tables_, false, u"发");
  EXPECT_EQ(h(fa), u"發");
  EXPECT_EQ(k(fa), u"发");
  EXPECT_EQ(wideToCw(tables_, true, u"發"), fa);
  // The twin reads the IBM-extension leads directly.
  EXPECT_EQ(h("\xFA\x5C"), k("\xFA\x5C"));
}

TEST_F(EngineCodePageTest, PlatformShapedCallsCountAndCheckTheBuffer) {
  apptext::CodePageConverter conv(tables_);
  const char* text = "A\x88\x9F";
  EXPECT_EQ(conv.multiByteToWide(60932, 0, text, -1, nullptr, 0), 3);  // terminator counted
  char16_t buf[3];
  EXPECT_EQ(conv.multiByteToWide(60932, 0, text, -1, buf, 3), 3);
  EXPECT_EQ(std::u16string(buf), u"A啊");
  EXPECT_EQ(conv.multiByteToWide(60932, 0, text, -1, buf, 2), 0);
  EXPECT_EQ(conv.multiByteToWide(60932, 0, text, 1, buf, 3), 1);
  char out[8];
  bool usedDefault = false;
  EXPECT_EQ(conv.wideToMultiByte(60932, 0, u"啊\u0E01", 2, out, 8, nullptr, &usedDefault), 3);
  EXPECT_EQ(std::string(out, 3), "\x88\x9F?");
  EXPECT_TRUE(usedDefault);
  // Other code pages go to the platform.
  std::u16string w;
  EXPECT_EQ(conv.toWide(932, w, "\x82\xA0"), 1);
  EXPECT_EQ(w, u"あ");
  std::string b;
  EXPECT_EQ(conv.toBytes(60932, b, u"啊A"), 3);
  EXPECT_EQ(conv.toWideN(60932, w, "\x88\x9F\x88\x9F", 2), 1);
}

TEST_F(EngineCodePageTest, ZeroEndsACountedString) {
  apptext::CodePageConverter conv(tables_);
  // The zero is stored and nothing after it is converted.
  char16_t wide[8] = {u'x', u'x', u'x', u'x', u'x', u'x', u'x', u'x'};
  EXPECT_EQ(conv.multiByteToWide(60932, 0, "A\0\x88\x9F", 4, wide, 8), 2);
  EXPECT_EQ(wide[0], u'A');
  EXPECT_EQ(wide[1], u'\0');
  EXPECT_EQ(wide[2], u'x');
  EXPECT_EQ(conv.multiByteToWide(61932, 0, "A\0\x88\x9F", 4, nullptr, 0), 2);
  char bytes[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  const char16_t text[] = {u'A', 0, u'啊'};
  EXPECT_EQ(conv.wideToMultiByte(60932, 0, text, 3, bytes, 8, nullptr, nullptr), 2);
  EXPECT_EQ(std::string(bytes, 3), std::string("A\0x", 3));
}

}  // namespace
