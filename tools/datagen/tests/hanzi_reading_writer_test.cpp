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

}  // namespace
