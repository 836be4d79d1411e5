#include "platform/core/registry.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

TEST(Registry, ValuesRoundTrip) {
  datagen::TempDevice dev;
  auto key = plat::regCreateKey(plat::RegRoot::LocalMachine, "SOFTWARE\\Vendor\\Program");
  ASSERT_TRUE(key);
  ASSERT_TRUE(plat::regSetDword(*key, "fsize", 12));
  ASSERT_TRUE(plat::regSetString(*key, "clsid", u"{ABC}中"));
  ASSERT_TRUE(plat::regSetBinary(*key, "blob", std::string("\0\1\2", 3)));
  ASSERT_TRUE(plat::regSetDword(*key, "FSIZE", 13));  // same value, other case

  auto again = plat::regOpenKey(plat::RegRoot::LocalMachine, "software\\vendor\\PROGRAM");
  ASSERT_TRUE(again);
  EXPECT_EQ(plat::regGetDword(*again, "fsize"), 13u);
  EXPECT_EQ(plat::regGetString(*again, "clsid"), u"{ABC}中");
  EXPECT_EQ(plat::regGetBinary(*again, "blob"), std::string("\0\1\2", 3));
  EXPECT_EQ(plat::regGetDword(*again, "clsid"), std::nullopt);  // wrong type
  // Values of four bytes that are no DWORD are no number either.
  ASSERT_TRUE(plat::regSetBinary(*key, "four", std::string("\x0D\0\0\0", 4)));
  ASSERT_TRUE(plat::regSetString(*key, "one", u"ab"));
  EXPECT_EQ(plat::regGetDword(*again, "four"), std::nullopt);
  EXPECT_EQ(plat::regGetDword(*again, "one"), std::nullopt);
  EXPECT_TRUE(plat::regDeleteValue(*again, "four"));
  EXPECT_TRUE(plat::regDeleteValue(*again, "one"));
  EXPECT_EQ(plat::regValueNames(*again), (std::vector<std::string>{"fsize", "clsid", "blob"}));
  EXPECT_TRUE(plat::regDeleteValue(*again, "blob"));
  EXPECT_EQ(plat::regGetBinary(*again, "blob"), std::nullopt);
}

TEST(Registry, OpenWithoutCreateAndDelete) {
  datagen::TempDevice dev;
  EXPECT_FALSE(plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\{X}"));
  ASSERT_TRUE(plat::regCreateKey(plat::RegRoot::ClassesRoot, "CLSID\\{X}\\InprocServer32"));
  ASSERT_TRUE(plat::regCreateKey(plat::RegRoot::ClassesRoot, "CLSID\\{Y}"));
  EXPECT_FALSE(plat::regOpenKey(plat::RegRoot::LocalMachine, "CLSID\\{X}"));  // other root
  auto clsid = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID");
  ASSERT_TRUE(clsid);
  EXPECT_EQ(plat::regSubKeys(*clsid), (std::vector<std::string>{"{X}", "{Y}"}));
  EXPECT_TRUE(plat::regDeleteKey(plat::RegRoot::ClassesRoot, "clsid\\{x}"));
  EXPECT_FALSE(plat::regKeyExists(plat::RegRoot::ClassesRoot, "CLSID\\{X}\\InprocServer32"));
  EXPECT_EQ(plat::regSubKeys(*clsid), (std::vector<std::string>{"{Y}"}));
  EXPECT_FALSE(plat::regSetDword(plat::RegKey{plat::RegRoot::ClassesRoot, "CLSID\\{X}"}, "v", 1));
}
