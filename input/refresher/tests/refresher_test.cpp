#include "input/refresher/refresher.h"
#include "platform/core/device.h"
#include "platform/core/process.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

plat::ClassId id(const char* text) { return *plat::parseClassId(std::string_view(text)); }

const char* kPinyin = "{3671431C-F947-4197-95BB-23723DC47D6E}";
const char* kBrusca = "{9668E639-80A6-4899-B03A-B7151C870657}";
const char* kLookra = "{15F1353C-E409-4DD4-B3D1-6B58F43792AE}";
const char* kPlatform[] = {"{BDE4F120-5FCB-11D3-BF7D-00C04F395B9E}", "{1D07E4B2-DFAC-11D1-A2E5-0000F8757270}",
                           "{0CBEA010-F68E-11D1-8C63-0060977B4593}", "{BB6E8371-06DF-11D2-8C6A-0060977B4593}"};

class Refresher : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::setInputMethodListener([this](const plat::ClassId& current, bool) { selected_.push_back(current); });
  }
  void TearDown() override { plat::setInputMethodListener(nullptr); }
  void install(const char* text) { ASSERT_TRUE(plat::registerInputMethod(id(text), u"panel")); }
  plat::ClassId current() {
    plat::ClassId c;
    EXPECT_TRUE(plat::currentInputMethod(c));
    return c;
  }

  datagen::TempDevice device_;
  std::vector<plat::ClassId> selected_;
};

TEST_F(Refresher, TableHoldsTheSevenClassIdsInOrder) {
  const auto& order = refresher::refreshOrder();
  for (int i = 0; i < 4; ++i) EXPECT_EQ(order[i], id(kPlatform[i])) << i;
  EXPECT_EQ(order[4], id(kLookra));
  EXPECT_EQ(order[5], id(kBrusca));
  EXPECT_EQ(order[6], id(kPinyin));
}

TEST_F(Refresher, SelectsAllSevenThenTheStartingMethod) {
  for (const char* p : kPlatform) install(p);
  install(kLookra);
  install(kBrusca);
  install(kPinyin);
  ASSERT_TRUE(plat::selectInputMethod(id(kPinyin)));
  selected_.clear();

  EXPECT_EQ(refresher::refreshInputMethods(), 0);
  std::vector<plat::ClassId> expected(refresher::refreshOrder().begin(), refresher::refreshOrder().end());
  expected.push_back(id(kPinyin));
  EXPECT_EQ(selected_, expected);
  EXPECT_EQ(current(), id(kPinyin));
}

TEST_F(Refresher, MissingMethodsAreSkippedAndTheStartOneComesBack) {
  // Only the platform's own methods; the third is current.
  for (const char* p : kPlatform) install(p);
  ASSERT_TRUE(plat::selectInputMethod(id(kPlatform[2])));
  selected_.clear();

  EXPECT_EQ(refresher::refreshInputMethods(), 0);
  std::vector<plat::ClassId> expected = {id(kPlatform[0]), id(kPlatform[1]), id(kPlatform[2]), id(kPlatform[3]),
                                         id(kPlatform[2])};
  EXPECT_EQ(selected_, expected);
  EXPECT_EQ(current(), id(kPlatform[2]));
}

TEST_F(Refresher, ProgramEndsWithZeroAndRestoresTheMethod) {
  const char* bin = std::getenv("SUITE_BIN_DIR");
  ASSERT_NE(bin, nullptr);
  std::string previous = plat::programFolder();
  plat::setProgramFolder(bin);
  install(kPlatform[0]);
  install(kBrusca);
  install(kPinyin);
  ASSERT_TRUE(plat::selectInputMethod(id(kBrusca)));

  plat::ProcessInfo info;
  ASSERT_TRUE(plat::startProgram("imreset.exe", u"", &info));
  int code = -1;
  EXPECT_TRUE(plat::waitForProcess(info, 20000, &code));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(current(), id(kBrusca));
  plat::setProgramFolder(previous);
}

}  // namespace
