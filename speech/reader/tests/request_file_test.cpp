#include "platform/core/device.h"
#include "speech/reader/reading_protocol.h"
#include "speech/reader/request_file.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class RequestFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = device_.root() + "/programs";
    std::filesystem::create_directories(folder_);
    plat::setProgramFolder(folder_);
  }
  void TearDown() override { plat::setProgramFolder(""); }

  void writeRaw(const std::string& bytes) {
    std::ofstream out(vocra::requestFilePath(), std::ios::binary);
    out << bytes;
  }

  datagen::TempDevice device_;
  datagen::TempRuntime runtime_;  // the request file lives in the runtime folder
  std::string folder_;
};

TEST_F(RequestFileTest, ReadsBackWhatTheRequesterWroteBehindAComma) {
  ASSERT_TRUE(vocra::writeRequestFile(0x01020304, 2, u"我们是学生。"));
  vocra::ReadingRequest r;
  ASSERT_EQ(vocra::readRequestFile(r), vocra::RequestRead::kOk);
  EXPECT_EQ(r.requester, 0x01020304u);
  EXPECT_EQ(r.repeatCount, 2u);
  EXPECT_EQ(r.text, u",我们是学生。");
  EXPECT_EQ(vocra::requestFileImage(7, 1, u"a"), std::string("\x07\0\0\0\x01\0\0\0a\0\0\0", 12));
  // In the runtime folder, not in the program folder.
  EXPECT_TRUE(std::filesystem::exists(vocra::requestFilePath()));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/Vocra.tmp"));
  EXPECT_TRUE(vocra::deleteRequestFile());
  EXPECT_EQ(vocra::readRequestFile(r), vocra::RequestRead::kCannotOpen);
}

TEST_F(RequestFileTest, LongTextIsCutAndShortFilesAreRefused) {
  struct Case {
    std::size_t units;     // text written, without its zero
    std::size_t spoken;    // units read behind the comma
  } cases[] = {{32765, 32765}, {32766, 32766}, {32767, 32766}, {40000, 32766}};
  for (const Case& c : cases) {
    ASSERT_TRUE(vocra::writeRequestFile(1, 1, std::u16string(c.units, u'字')));
    vocra::ReadingRequest r;
    ASSERT_EQ(vocra::readRequestFile(r), vocra::RequestRead::kOk);
    EXPECT_EQ(r.text.size(), c.spoken + 1) << c.units;
    EXPECT_EQ(r.text.front(), u',');
  }
  // A header cut short is no request; a header alone is a request without text.
  for (std::size_t size : {0u, 5u, 7u}) {
    writeRaw(std::string("\x01\0\0\0\x02\0\0\0", 8).substr(0, size));
    vocra::ReadingRequest r;
    EXPECT_EQ(vocra::readRequestFile(r), vocra::RequestRead::kTooShort) << size;
  }
  writeRaw(std::string("\x01\0\0\0\x02\0\0\0", 8));
  vocra::ReadingRequest r;
  ASSERT_EQ(vocra::readRequestFile(r), vocra::RequestRead::kOk);
  EXPECT_EQ(r.text, u",");
  EXPECT_EQ(r.repeatCount, 2u);
}

}  // namespace
