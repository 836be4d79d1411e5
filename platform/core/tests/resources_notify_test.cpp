#include "platform/core/notify_recorder.h"
#include "platform/core/resources.h"

#include <gtest/gtest.h>

TEST(Resources, LookupByTypeAndNameOrId) {
  static const std::uint8_t table[] = {1, 2, 3};
  plat::registerResource("CVDATA", "GB-UNI", table, sizeof table);
  plat::registerOwnedResource("TEXT", "#165", "abc");
  auto r = plat::findResource("cvdata", "gb-uni");
  ASSERT_TRUE(r);
  EXPECT_EQ(r.size, 3u);
  EXPECT_EQ(r.data[2], 3);
  EXPECT_EQ(plat::findResource("TEXT", 165u).bytes(), "abc");
  EXPECT_FALSE(plat::findResource("CVDATA", "UNI-GB"));
  EXPECT_FALSE(plat::findResource("TEXT", "GB-UNI"));
}

TEST(Notify, RecorderAnswersAndRecords) {
  plat::NotifyRecorder rec(plat::kIdNo);
  EXPECT_EQ(plat::messageBox(u"text", u"caption", plat::kMbYesNo | plat::kMbIconExclamation), plat::kIdNo);
  plat::messageBeep(0);
  ASSERT_EQ(rec.messages.size(), 1u);
  EXPECT_EQ(rec.messages[0].text, u"text");
  EXPECT_EQ(rec.messages[0].caption, u"caption");
  EXPECT_EQ(rec.messages[0].flags, plat::kMbYesNo | plat::kMbIconExclamation);
  EXPECT_EQ(rec.beeps, std::vector<unsigned>{0});
}

TEST(Notify, ConsolePrintWritesAsGivenToStandardError) {
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  plat::consolePrint("lost goto: %s", "NP");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "lost goto: NP");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}
