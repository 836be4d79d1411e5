#include "platform/core/input_method.h"
#include "platform/core/registry.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

namespace {

plat::ClassId id(const char* text) { return plat::parseClassId(std::string_view(text)).value(); }

const char* const kPinyin = "{3671431C-F947-4197-95BB-23723DC47D6E}";
const char* const kSearch = "{15F1353C-E409-4DD4-B3D1-6B58F43792AE}";
const char* const kJapanese = "{0CBEA010-F68E-11D1-8C63-0060977B4593}";

TEST(ClassIds, TextAndStoredBytes) {
  plat::ClassId j = id(kJapanese);
  const std::uint8_t stored[16] = {0x10, 0xA0, 0xBE, 0x0C, 0x8E, 0xF6, 0xD1, 0x11,
                                   0x8C, 0x63, 0x00, 0x60, 0x97, 0x7B, 0x45, 0x93};
  EXPECT_TRUE(std::equal(j.bytes.begin(), j.bytes.end(), stored));
  EXPECT_EQ(plat::classIdText(j), u"{0CBEA010-F68E-11D1-8C63-0060977B4593}");
  EXPECT_EQ(plat::parseClassId(std::string_view("{0cbea010-f68e-11d1-8c63-0060977b4593}")), j);
  EXPECT_FALSE(j.isNull());
  EXPECT_TRUE(plat::ClassId{}.isNull());
  for (const char* bad : {"", "0CBEA010-F68E-11D1-8C63-0060977B4593", "{0CBEA010-F68E-11D1-8C63-0060977B459}",
                          "{0CBEA010-F68E-11D1-8C63-0060977B45G3}", "{0CBEA010F-68E-11D1-8C63-0060977B4593}"}) {
    EXPECT_FALSE(plat::parseClassId(std::string_view(bad))) << bad;
  }
}

// Panels registered as their registration does: the class-id key with an IsSIPInputMethod sub-key.
class InputMethodTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plat::registerInputMethod(id(kPinyin), u"中国語ピンイン入力"));
    ASSERT_TRUE(plat::registerInputMethod(id(kJapanese), u"Japanese"));
    // A class-id key without the flag is no input method.
    ASSERT_TRUE(plat::regCreateKey(plat::RegRoot::ClassesRoot, std::string("CLSID\\") + kSearch));
  }
  datagen::TempDevice device;
};

TEST_F(InputMethodTest, InstalledAreThoseWithTheFlag) {
  std::vector<plat::ClassId> installed = plat::installedInputMethods();
  EXPECT_EQ(installed, (std::vector<plat::ClassId>{id(kPinyin), id(kJapanese)}));
  EXPECT_TRUE(plat::isInputMethodInstalled(id(kPinyin)));
  EXPECT_FALSE(plat::isInputMethodInstalled(id(kSearch)));
  EXPECT_FALSE(plat::isInputMethodInstalled(plat::ClassId{}));
}

TEST_F(InputMethodTest, SelectOnlyInstalledOnesAndReadTheCurrent) {
  plat::ClassId cur;
  ASSERT_TRUE(plat::currentInputMethod(cur));
  EXPECT_TRUE(cur.isNull());  // nothing selected yet

  std::vector<plat::ClassId> told;
  plat::setInputMethodListener([&](const plat::ClassId& c, bool) { told.push_back(c); });
  EXPECT_TRUE(plat::selectInputMethod(id(kPinyin)));
  EXPECT_FALSE(plat::selectInputMethod(id(kSearch)));
  EXPECT_FALSE(plat::selectInputMethod(plat::ClassId{}));
  ASSERT_TRUE(plat::currentInputMethod(cur));
  EXPECT_EQ(cur, id(kPinyin));
  EXPECT_TRUE(plat::selectInputMethod(id(kJapanese)));
  ASSERT_TRUE(plat::currentInputMethod(cur));
  EXPECT_EQ(cur, id(kJapanese));
  EXPECT_EQ(told, (std::vector<plat::ClassId>{id(kPinyin), id(kJapanese)}));
  plat::setInputMethodListener(nullptr);
}

TEST_F(InputMethodTest, PanelShownAndHidden) {
  EXPECT_FALSE(plat::inputPanelShown());
  ASSERT_TRUE(plat::setInputPanelShown(true));
  EXPECT_TRUE(plat::inputPanelShown());
  ASSERT_TRUE(plat::setInputPanelShown(false));
  EXPECT_FALSE(plat::inputPanelShown());
}

}  // namespace
