#include "apps/common/gb18030.h"
#include "platform/core/codepage.h"

#include <gtest/gtest.h>

namespace {

using apptext::gb18030ToWide;
using apptext::wideToGb18030;

TEST(Gb18030Test, ExtensionAAgreesWithThePlatformConverter) {
  for (char16_t c = 0x3400; c <= 0x4DB5; ++c) {
    std::u16string one(1, c);
    std::string oracle = plat::wideToMultiByte(54936, one);
    ASSERT_EQ(wideToGb18030(one), oracle) << std::hex << static_cast<unsigned>(c);
    ASSERT_EQ(gb18030ToWide(oracle), one) << std::hex << static_cast<unsigned>(c);
  }
}

TEST(Gb18030Test, RadicalsEuroAndCommonText) {
  int twoByte = 0;
  for (char16_t c = 0x2E81; c <= 0x2ECA; ++c) {
    std::u16string one(1, c);
    std::string oracle = plat::wideToMultiByte(54936, one);
    if (oracle.size() == 2) {
      ++twoByte;
      EXPECT_EQ(wideToGb18030(one), oracle);
      EXPECT_EQ(gb18030ToWide(oracle), one);
    } else {
      EXPECT_EQ(wideToGb18030(one), "?");  // code page 936 has no code for it
    }
  }
  EXPECT_EQ(twoByte, 14);
  EXPECT_EQ(wideToGb18030(u"\u20AC"), "\xA2\xE3");
  EXPECT_EQ(gb18030ToWide("\xA2\xE3"), u"\u20AC");
  const std::u16string text = u"中文，。abc";
  EXPECT_EQ(wideToGb18030(text), plat::wideToMultiByte(54936, text));
  EXPECT_EQ(gb18030ToWide(plat::wideToMultiByte(54936, text)), text);
}

TEST(Gb18030Test, FourByteCodesOutsideExtensionAAreOneUnknownCharacter) {
  EXPECT_EQ(wideToGb18030(u"\u3400"), "\x81\x39\xEE\x39");
  EXPECT_EQ(gb18030ToWide("\x81\x39\xEE\x39"), u"\u3400");
  EXPECT_EQ(gb18030ToWide("\x82\x35\x87\x38"), u"\u4DB5");
  EXPECT_EQ(gb18030ToWide("\x81\x39\x81\x30" "A"), u"?A");  // below U+3400: not linear
  EXPECT_EQ(gb18030ToWide("\x82\x35\x87\x39"), u"?");       // past U+4DB5
  EXPECT_EQ(gb18030ToWide("\x81\x30\x81\x30"), u"?");
}

}  // namespace
