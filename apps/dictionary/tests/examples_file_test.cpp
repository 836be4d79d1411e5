#include "apps/dictionary/examples_file.h"
#include "platform/core/files.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/viewer_dictionary_writer.h"

#include <gtest/gtest.h>

namespace {

TEST(ExamplesFileTest, ReaderDescramblesWhatTheWriterWrote) {
  datagen::TempDevice dev;
  std::vector<std::pair<std::string, std::string>> lines;
  std::string plain;
  for (int i = 0; lines.size() < 3000; ++i) {  // past 65,536 bytes, where the high table index wraps
    lines.emplace_back("日本語の例文" + std::to_string(i), "\x88\x9F<b>" + std::to_string(i * 7) + "</b>");
    plain += lines.back().first + "\t" + lines.back().second + "\n";
  }
  ASSERT_GT(plain.size(), 70000u);
  const std::string stored = datagen::writeExamples(lines);
  ASSERT_EQ(stored.size(), plain.size());
  EXPECT_NE(stored.substr(0, 64), plain.substr(0, 64));
  const char* path = "\\Storage Card\\Talvenro\\Chinese\\HarbrookDic\\CJDIC\\examples.dat";
  ASSERT_TRUE(dev.write(path, stored));
  std::FILE* f = plat::fileOpen(path, "rb");
  ASSERT_NE(f, nullptr);
  for (std::uint32_t position : {0u, 255u, 256u, 65530u, 69000u}) {
    std::string buffer(8191, '\0');
    size_t got = dict::readExamples(f, position, buffer.data(), buffer.size());
    ASSERT_EQ(got, std::min<size_t>(8191, plain.size() - position));
    EXPECT_EQ(buffer.substr(0, got), plain.substr(position, got)) << position;
  }
  plat::fileClose(f);
  EXPECT_EQ(dict::readExamples(nullptr, 0, nullptr, 0), 0u);
}

}  // namespace
