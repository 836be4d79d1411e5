#include "engine/common/dbcs_text.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(DbcsText, LeadBytesAreTheTwoShiftJisRanges) {
  const struct {
    unsigned char byte;
    bool lead;
  } cases[] = {{0x00, false}, {0x5C, false}, {0x7F, false}, {0x80, false}, {0x81, true}, {0x9F, true},
               {0xA0, false}, {0xA1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false},
               {0xFF, false}};
  for (const auto& c : cases) EXPECT_EQ(dbcs::isLeadByte(c.byte), c.lead) << int(c.byte);
}

TEST(DbcsText, CharactersAreWholeAndALoneLeadIsOneByte) {
  // "a", 表 (0x95 0x5C: a trail byte that is a backslash), a half-width kana, a lead byte at the end.
  constexpr std::string_view text("a\x95\x5C\xB1\x88", 5);
  EXPECT_EQ(dbcs::charSize(text, 0), 1u);
  EXPECT_EQ(dbcs::charSize(text, 1), 2u);
  EXPECT_EQ(dbcs::charSize(text, 3), 1u);
  EXPECT_EQ(dbcs::charSize(text, 4), 1u);
  const struct {
    std::size_t limit, fits;
  } fits[] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 4}, {5, 5}, {9, 5}};
  for (const auto& f : fits) EXPECT_EQ(dbcs::fitWholeChars(text, f.limit), f.fits) << f.limit;
}

}  // namespace
