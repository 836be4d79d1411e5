#include "tools/datagen/temp_device.h"

#include "platform/core/device.h"
#include "platform/core/files.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(TempDevice, LaysOutACardAndRemovesItself) {
  std::string root;
  {
    datagen::TempDevice dev;
    root = dev.root();
    EXPECT_EQ(plat::deviceRoot(), root);
    ASSERT_EQ(plat::storageCards(), std::vector<std::string>{"\\Storage Card"});
    ASSERT_TRUE(dev.write("\\Storage Card\\A\\b.txt", "xyz"));
    std::string back;
    ASSERT_TRUE(plat::readWholeFile("\\storage card\\a\\B.TXT", back));
    EXPECT_EQ(back, "xyz");
  }
  EXPECT_FALSE(std::filesystem::exists(root));
}
