#include "engine/jc/analyser/jp_input_prep.h"

#include <gtest/gtest.h>

#include <string>

#include <cstdio>

#include "engine/common/code_convert.h"
#include "engine/common/engine_code_placement.h"
#include "platform/core/codepage.h"
#include "tools/datagen/viewer_dictionary_source.h"

namespace jc {
namespace {

std::string spaces(const std::string& in) {
  std::string out(in.size() + 1, '\0');
  normalizeSpaces(in.c_str(), out.data());
  return out.c_str();
}

std::string harmonize(const std::string& in) {
  std::string out(in.size() * 2 + 1, '\0');
  int n = harmonizeKanaScript(out.data(), in.data(), static_cast<int>(in.size()), static_cast<int>(out.size()));
  EXPECT_GE(n, 0);
  return std::string(out.c_str());
}

std::string widen(const std::string& in) {
  std::string out(in.size() * 2 + 1, '\0');
  int n = widenHalfWidthKana(out.data(), in.data(), static_cast<int>(in.size()), static_cast<int>(out.size()));
  EXPECT_GE(n, 0);
  return std::string(out.c_str());
}

TEST(NormalizeSpaces, BlankRunsSurviveOnlyBesideLatinLetters) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"a  b", "a b"},      {"あ　 い", "あい"},    {"あ　Ｂ", "あ　Ｂ"}, {"Ａ い", "Ａ い"},
      {"あい ", "あい"},    {"ab　", "ab"},        {"  あ", "あ"},      {"本 を", "本を"},
  };
  for (const Case& c : cases) EXPECT_EQ(spaces(c.in), c.out) << c.in;
}

TEST(HarmonizeKanaScript, LookAlikesTakeTheirNeighboursScript) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"カ一カ", "カーカ"},  // kanji one between katakana becomes the long mark
      {"あヘい", "あへい"},  // katakana he between hiragana becomes hiragana
      {"カヘい", "カヘい"},  // only one katakana neighbour: unchanged
      {"カ力カ", "カカカ"},
      {"一つ", "一つ"},      // first character: nothing to harmonise with
      {"カヘ", "カヘ"},      // last character stays
      {"A\\", "Ａ￥"},      // ASCII widens, the backslash to the yen sign
  };
  for (const Case& c : cases) EXPECT_EQ(harmonize(c.in), c.out) << c.in;
}

TEST(WidenHalfWidthKana, MergesSoundMarks) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"\xb6\xde", "ガ"},       // ｶﾞ: two bytes in, one character out
      {"\xca\xdf", "パ"},       // ﾊﾟ
      {"\xb1\xde", "ア゛"},     // ｱﾞ keeps the voiced mark
      {"\xb3\xde\xdd", "ヴン"}, // ｳﾞﾝ
      {"\xa1\xa4", "。、"},
      {"本\xb6", "本カ"},
      {"A", "Ａ"},
  };
  for (const Case& c : cases) EXPECT_EQ(widen(c.in), c.out) << c.in;
  unsigned char pair[2] = {0xB6, 0xDE};
  EXPECT_EQ(widenKanaWithMark(pair), 1);
  unsigned char plain[2] = {0xB6, 0x41};
  EXPECT_EQ(widenKanaWithMark(plain), 0);
  // The ends of both widened ranges, and the bytes just outside them.
  const struct {
    unsigned char byte;
    const char* wide;  // nullptr: the byte stays single
  } ends[] = {{0x1F, nullptr}, {0x20, "　"}, {0x7E, "～"},     {0x7F, nullptr},
              {0xA0, nullptr}, {0xA1, "。"}, {0xA5, "・"}, {0xA6, nullptr}};
  for (const auto& e : ends) {
    unsigned char out[2] = {0, 0};
    EXPECT_EQ(widenSingleByte(e.byte, out), e.wide ? 2 : 1) << int(e.byte);
    if (e.wide) EXPECT_EQ(std::string(reinterpret_cast<const char*>(out), 2), e.wide) << int(e.byte);
  }
}

TEST(InputPreparation, OutputThatWouldOverrunTheBufferFails) {
  std::string line(60, 'a');
  char small[100];
  // Sixty letters widen to 120 bytes.
  EXPECT_EQ(prepareJapaneseLine(line, small, sizeof small), -1);
  EXPECT_EQ(small[0], 0);
  char enough[121];
  EXPECT_EQ(prepareJapaneseLine(line, enough, sizeof enough), 120);
  EXPECT_EQ(widenHalfWidthKana(small, "\xb6\xb6", 2, 4), -1);
  char out[32];
  EXPECT_EQ(prepareJapaneseLine("  ｶﾞ  \xb1 ", out, sizeof out), 4);
  EXPECT_STREQ(out, "ガア");
}

TEST(NarrowAscii, FullWidthAsciiBackToSingleBytes) {
  EXPECT_EQ(narrowAscii(std::string("ＡＢ１本＋")), "AB1本+");
  // ￥ and ‘ stay: as single bytes they would read as \ and ` in Chinese; & marks renderings.
  EXPECT_EQ(narrowAscii(std::string("￥‘＆")), "￥‘＆");
  // Every other form widenSingleByte writes comes back; kana and marks with the same lead bytes stay.
  for (int b = 0x20; b <= 0x7E; ++b) {
    if (b == 0x5C || b == 0x60 || b == '&') continue;
    unsigned char pair[2];
    ASSERT_EQ(widenSingleByte(static_cast<unsigned char>(b), pair), 2);
    EXPECT_EQ(narrowAscii(std::string(reinterpret_cast<const char*>(pair), 2)), std::string(1, static_cast<char>(b)))
        << b;
  }
  EXPECT_EQ(narrowAscii(std::string("あ、ア・ｘ")), "あ、ア・x");
  // A closing mark after a kept opening one stays full width: a pair stays a pair. Alone, it is
  // the widened ASCII mark and narrows.
  EXPECT_EQ(narrowAscii(std::string("“ABC”‘x’")), "“ABC”‘x’");
  EXPECT_EQ(narrowAscii(std::string("”ABC”’")), "\"ABC\"'");
  EXPECT_EQ(narrowAscii(std::string("“a”“b””")), "“a”“b”\"");
  // The text before counts: a closing mark alone after an opening one earlier in the line stays.
  EXPECT_EQ(narrowAscii(std::string("”"), "“ABC"), "”");
  EXPECT_EQ(narrowAscii(std::string("”"), "“A”B"), "\"");
}

TEST(EngineCode, IbmExtensionMap) {
  EXPECT_EQ(mapIbmExtension(0xFA40), 0xEEEFu);
  EXPECT_EQ(mapIbmExtension(0xFA4B), 0x8755u);
  EXPECT_EQ(mapIbmExtension(0xFA5B), 0x879Au);
  EXPECT_EQ(mapIbmExtension(0xFB9C), 0xEE80u);
  EXPECT_EQ(mapIbmExtension(0xFC4B), 0xEEECu);
  EXPECT_EQ(mapIbmExtension(0xFA7F), 0x8140u);  // between two ranges
  EXPECT_EQ(mapIbmExtension(0xFC4C), 0x8140u);
  EXPECT_EQ(mapIbmExtension(0xF040), 0x8140u);
}

TEST(EngineCode, ConvertsThroughTheGeneratedTable) {
  Jp2CwTable table;
  loadJp2CwTable(&table);
  ASSERT_TRUE(table.data);
  ASSERT_EQ(table.data.size, kJp2CwTableSize);
  auto code = [](const std::u16string& hanzi) {
    std::string e = datagen::toEngineCode(hanzi);
    return e.size() == 2 ? static_cast<unsigned>(static_cast<unsigned char>(e[0])) << 8 | static_cast<unsigned char>(e[1]) : 0u;
  };
  auto sjis = [&](const char* c) {
    return convertJpCharToEngine(table, static_cast<unsigned char>(c[0]), static_cast<unsigned char>(c[1]));
  };
  EXPECT_EQ(sjis("猫"), code(u"猫"));
  EXPECT_EQ(sjis("本"), code(u"本"));
  EXPECT_EQ(sjis("語"), code(u"\u8bed"));  // through the traditional form of a pair
  EXPECT_EQ(sjis("、"), 0x8141u);      // a symbol GB2312 has at its own Shift-JIS code
  EXPECT_EQ(sjis("カ"), 0x834Au);
  // 0xFA5C maps to 0xED40, a kanji row of the table.
  EXPECT_EQ(convertJpCharToEngine(table, 0xFA, 0x5C), convertJpCharToEngine(table, 0xED, 0x40));
  EXPECT_NE(convertJpCharToEngine(table, 0xED, 0x40), kJpReplacementChar);
  EXPECT_EQ(convertJpCharToEngine(table, 0xF0, 0x40), kJpReplacementChar);  // user-defined area
  EXPECT_EQ(convertJpCharToEngine(table, 0xB1, 0x40), kJpReplacementChar);  // half-width lead
  EXPECT_EQ(convertJpCharToEngine(table, 0x88, 0x20), kJpReplacementChar);  // bad trail
  std::string out;
  convertJpToEngineCode(table, std::string("a猫"), out);
  EXPECT_EQ(out, "a" + datagen::toEngineCode(u"猫"));
  Jp2CwTable none;
  EXPECT_EQ(convertJpCharToEngine(none, 0x94, 0x4C), kJpReplacementChar);
}

// The Chinese an unknown word's symbol comes out as: narrowed, converted, read back as GB2312.
std::u16string chineseOfSymbol(const Jp2CwTable& table, const std::string& sjis) {
  std::string engine, gb;
  convertJpToEngineCode(table, narrowAscii(sjis), engine);
  dbcs::internalToGb(dbcs::ConversionTables{}, gb, engine);
  return plat::multiByteToWide(936, gb);
}

// Which characters reach the engine as themselves; the user-defined ones (private use, Shift-JIS
// 0xF040-0xF9FC) would come out as the replacement mark, so callers carry them.
TEST(EngineCode, UserDefinedCharactersAreCarried) {
  struct Case {
    char16_t c;
    bool held;
  } cases[] = {{u'日', true}, {u'あ', true}, {u'A', true}, {u'?', true}, {u'ｱ', true}, {u'\u7E8A', true},
               {u'\uE000', false}, {u'\uE0BC', false}, {u'\uE757', false}, {u'♪', false}};
  for (const Case& k : cases) EXPECT_EQ(engineHoldsJapaneseChar(k.c), k.held) << std::hex << unsigned(k.c);
  EXPECT_EQ(plat::wideToMultiByte(932, u"\uE000"), "\xF0\x40");
}

TEST(EngineCode, EverySymbolIsItselfItsCounterpartOrCarried) {
  Jp2CwTable table;
  loadJp2CwTable(&table);
  int symbols = 0, itself = 0, close = 0, carried = 0;
  std::u16string carriedList;
  for (unsigned lead = 0x81; lead <= 0x87; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F || (lead == 0x87 && trail > 0x9C)) continue;
      const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
      const char16_t c = dbcs::code_placement::charOfCode(932, static_cast<std::uint16_t>(lead << 8 | trail));
      if (!c) {
        EXPECT_EQ(convertJpCharToEngine(table, lead, trail), kJpReplacementChar) << std::hex << lead << trail;
        continue;
      }
      ++symbols;
      const std::u16string chinese = chineseOfSymbol(table, sjis);
      const std::string shown = plat::wideToUtf8(std::u16string(1, c)) + " -> " + plat::wideToUtf8(chinese);
      if (jpSymbolHasNoEngineCode(lead << 8 | trail)) {
        ++carried;
        carriedList += c;
        EXPECT_EQ(convertJpCharToEngine(table, lead, trail), kJpReplacementChar) << shown;
        EXPECT_EQ(closeSymbolCounterpart(c), 0) << shown;
        continue;
      }
      ASSERT_EQ(chinese.size(), 1u) << shown;
      // Full-width ASCII narrows to its ASCII byte, the two quotes to theirs.
      const bool narrowed = chinese[0] < 0x80 && (chinese[0] + 0xFEE0 == c || (c == u'”' && chinese[0] == u'"') ||
                                                  (c == u'’' && chinese[0] == u'\'') || (c == u'　' && chinese[0] == u' '));
      if (chinese[0] == c) ++itself;
      else if (closeSymbolCounterpart(c) == chinese[0] || narrowed) ++close;
      else ADD_FAILURE() << "another sign: " << shown;
    }
  }
  EXPECT_EQ(symbols, 607);
  EXPECT_EQ(itself + close + carried, symbols);
  std::printf("%d symbols: %d as themselves, %d as a close counterpart, %d carried: %s\n", symbols, itself, close,
              carried, plat::wideToUtf8(carriedList).c_str());
  // The faults seen: 〒 was ⅸ, ⇒ ⑼, ♪ Ⅵ, ￢ ⑻, ≦ and 〇 〓, ￥ \\, ＆ dropped; ー must never be 〖.
  struct Case {
    const char* sjis;
    const char16_t* chinese;  // nullptr: carried
  };
  const Case cases[] = {{"〒", nullptr}, {"♪", nullptr}, {"￢", nullptr}, {"⇒", u"→"}, {"≦", u"≤"}, {"〇", u"零"},
                        {"￥", u"￥"},   {"＆", u"＆"},    {"ー", u"—"},    {"①", u"①"}, {"⑪", u"⑾"},
                        {"。", u"。"},  {"カ", u"カ"},  {"α", u"α"},    {"─", u"─"}};
  for (const Case& k : cases) {
    const unsigned code = static_cast<unsigned char>(k.sjis[0]) << 8 | static_cast<unsigned char>(k.sjis[1]);
    if (!k.chinese) {
      EXPECT_TRUE(jpSymbolHasNoEngineCode(code)) << k.sjis;
    } else {
      EXPECT_FALSE(jpSymbolHasNoEngineCode(code)) << k.sjis;
      EXPECT_EQ(chineseOfSymbol(table, k.sjis), k.chinese) << k.sjis;
    }
  }
}

}  // namespace
}  // namespace jc
