#include "tools/datagen/hanzi_reading_writer.h"

#include "platform/core/little_endian.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t offsetAt(const std::string& file, int slot) {
  return plat::readLe32(file.data() + static_cast<std::size_t>(slot) * 4);
}

TEST(HanziReadingFile, IndexPointsAtLengthPrefixedReadings) {
  std::string file = datagen::hanziReadingFile({{0x3400, "qiu1"}, {0xFA2A, "yan3 yan4"}, {0x4E00, "yi1"},
                                                {0x20000, "skipped"}, {0x9FA6, "skipped"}});
  const std::size_t indexSize = static_cast<std::size_t>(datagen::kHanziReadingSlots) * 4;
  ASSERT_GT(file.size(), indexSize);
  struct Case {
    char32_t cp;
    const char* reading;
  };
  for (const Case& c : {Case{0x3400, "qiu1"}, Case{0xFA2A, "yan3 yan4"}, Case{0x4E00, "yi1"}}) {
    int slot = datagen::hanziReadingSlot(c.cp);
    ASSERT_GE(slot, 0);
    std::uint32_t at = offsetAt(file, slot);
    ASSERT_GE(at, indexSize);
    ASSERT_LT(at, file.size());
    std::size_t n = static_cast<unsigned char>(file[at]);
    EXPECT_EQ(file.substr(at + 3, n - 3), c.reading);
  }
  // Characters outside the two ranges have no slot; a slot without a reading holds 0.
  EXPECT_EQ(datagen::hanziReadingSlot(0x9FA6), -1);
  EXPECT_EQ(datagen::hanziReadingSlot(0x20000), -1);
  EXPECT_EQ(datagen::hanziReadingSlot(0xF900), 0xF900 - 0x8D00);
  EXPECT_EQ(offsetAt(file, datagen::hanziReadingSlot(0x4E01)), 0u);
  EXPECT_EQ(file.size(), indexSize + 3 * 3 + 4 + 9 + 3);
}

TEST(HanziReadingFile, TheLongestReadingFillsTheLengthByte) {
  // 252 bytes and the three of the record's head make 255, the most the length byte holds.
  const std::string longest(252, 'a'), over(253, 'b');
  const std::string file = datagen::hanziReadingFile({{0x4E00, longest}, {0x4E01, over}, {0x4E02, "er4"}});
  const std::size_t indexSize = static_cast<std::size_t>(datagen::kHanziReadingSlots) * 4;
  const std::uint32_t at = offsetAt(file, datagen::hanziReadingSlot(0x4E00));
  ASSERT_EQ(at, indexSize);
  EXPECT_EQ(static_cast<unsigned char>(file[at]), 255u);
  EXPECT_EQ(file.substr(at + 3, 252), longest);
  EXPECT_EQ(offsetAt(file, datagen::hanziReadingSlot(0x4E01)), 0u);  // too long: no record
  const std::uint32_t next = offsetAt(file, datagen::hanziReadingSlot(0x4E02));
  EXPECT_EQ(next, indexSize + 255);
  EXPECT_EQ(file.substr(next + 3), "er4");
}

}  // namespace
