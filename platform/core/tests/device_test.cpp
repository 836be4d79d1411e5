#include "platform/core/device.h"
#include "platform/core/files.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

TEST(DevicePaths, MapBackslashesAndIgnoreCase) {
  datagen::TempDevice dev;
  ASSERT_TRUE(dev.write("\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\CJSystemdic\\cwcdic.dic", "d"));
  std::string want = dev.root() + "/Storage Card/Talvenro/Chinese/LindqvarDic/CJSystemdic/cwcdic.dic";
  EXPECT_EQ(plat::hostPath("\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\CJSYSTEMDIC\\cwcdic.dic"), want);
  EXPECT_EQ(plat::hostPath("\\STORAGE CARD\\talvenro\\CHINESE\\lindqvardic\\CJSystemdic\\CWCDIC.DIC"), want);
  EXPECT_EQ(plat::hostPath(u"/Storage Card/Talvenro/Chinese/LindqvarDic/cjsystemdic/cwcdic.dic"), want);
  EXPECT_TRUE(plat::pathExists("\\Storage Card\\TALVENRO"));
}

TEST(DevicePaths, MissingComponentStaysAsWritten) {
  datagen::TempDevice dev;
  EXPECT_EQ(plat::hostPath("\\Storage Card\\NoSuch\\File.DAT"), dev.root() + "/Storage Card/NoSuch/File.DAT");
  EXPECT_FALSE(plat::pathExists("\\Storage Card\\NoSuch"));
  std::FILE* f = plat::fileOpen("\\Storage Card\\NoSuch\\File.DAT", "rb");
  EXPECT_EQ(f, nullptr);
  ASSERT_TRUE(plat::makeFolders("\\Storage Card\\NoSuch"));
  EXPECT_TRUE(plat::pathExists("\\storage card\\nosuch"));
}

TEST(DevicePaths, StorageCardsEnumerateAsTemporaryFolders) {
  datagen::TempDevice dev;
  dev.addCard("SD Card");
  ASSERT_TRUE(dev.write("\\Windows\\x.txt", "x"));  // an ordinary folder is no card
  EXPECT_EQ(plat::storageCards(), (std::vector<std::string>{"\\SD Card", "\\Storage Card"}));
  for (const plat::DirEntry& e : plat::listFolder("\\")) {
    bool card = e.name != "Windows";
    EXPECT_TRUE(e.attributes & plat::kAttrDirectory) << e.name;
    EXPECT_EQ((e.attributes & plat::kAttrTemporary) != 0, card) << e.name;
  }
}

TEST(Files, SeekHookFailsOnceForTheNamedFile) {
  datagen::TempDevice dev;
  ASSERT_TRUE(dev.write("\\Storage Card\\cjtrans.dat", "abc"));
  ASSERT_TRUE(dev.write("\\Storage Card\\other.dat", "abc"));
  std::FILE* a = plat::fileOpen("\\Storage Card\\CJTRANS.DAT", "rb");
  std::FILE* b = plat::fileOpen("\\Storage Card\\other.dat", "rb");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(plat::openFileCount("cjtrans.dat"), 1);
  plat::failNextSeek("cjtrans.dat");
  EXPECT_EQ(plat::fileSeek(b, 0, SEEK_SET), 0);
  EXPECT_EQ(plat::fileSeek(a, 0, SEEK_SET), -1);
  EXPECT_EQ(plat::fileSeek(a, 0, SEEK_SET), 0);
  EXPECT_EQ(plat::fileSize(a), 3);
  plat::fileClose(a);
  plat::fileClose(b);
  EXPECT_EQ(plat::openFileCount("cjtrans.dat"), 0);
}

// A file held in memory seeks as the disk file does: no position before the start, the start and
// the end themselves allowed; a refused seek leaves the position where it was.
TEST(Files, HeldFileRefusesASeekBeforeItsStart) {
  datagen::TempDevice dev;
  ASSERT_TRUE(dev.write("\\Storage Card\\held.dat", "abcdef"));
  std::FILE* f = plat::fileOpen("\\Storage Card\\held.dat", "rb");
  ASSERT_TRUE(f);
  ASSERT_TRUE(plat::fileHoldInMemory(f));
  const struct {
    long offset;
    int whence;
    int result;
    char next;  // the byte read after the seek; 0: none left
  } seeks[] = {{2, SEEK_SET, 0, 'c'},  {-1, SEEK_SET, -1, 'd'}, {-4, SEEK_CUR, 0, 'a'}, {-2, SEEK_CUR, -1, 'b'},
               {-6, SEEK_END, 0, 'a'}, {-7, SEEK_END, -1, 'b'}, {0, SEEK_END, 0, 0},    {0, SEEK_SET, 0, 'a'}};
  for (const auto& s : seeks) {
    EXPECT_EQ(plat::fileSeek(f, s.offset, s.whence), s.result) << s.offset << ' ' << s.whence;
    char c = 0;
    EXPECT_EQ(plat::fileRead(&c, 1, f), s.next ? 1u : 0u) << s.offset << ' ' << s.whence;
    EXPECT_EQ(c, s.next) << s.offset << ' ' << s.whence;
  }
  plat::fileClose(f);
}

TEST(Files, AFolderIsNoFile) {
  datagen::TempDevice dev;
  ASSERT_TRUE(plat::makeFolders("\\Storage Card\\zmemdic.dat"));
  for (const char* mode : {"rb", "rt", "r"}) EXPECT_EQ(plat::fileOpen("\\Storage Card\\zmemdic.dat", mode), nullptr) << mode;
  EXPECT_EQ(plat::openFileCount(), 0);
  std::string bytes;
  EXPECT_FALSE(plat::readWholeFile("\\Storage Card\\zmemdic.dat", bytes));
  // A stream that is no regular file has no size either.
  std::FILE* pipe = ::popen("true", "r");
  ASSERT_NE(pipe, nullptr);
  EXPECT_EQ(plat::fileSize(pipe), -1);
  ::pclose(pipe);
}
