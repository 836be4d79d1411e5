// File dialogs answer with paths of the device, with the handheld's filters; the clipboard.
#include "platform/core/device.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

class ShellTest : public UiTest {};

TEST_F(ShellTest, FileDialogsWorkInTheDeviceFolder) {
  ASSERT_TRUE(device.write("\\My Documents\\old.lq", "x"));
  ui::FileDialogRequest r;
  r.save = true;
  r.filter = u"翻訳文書 (*.lq)|*.lq|テキスト (*.txt)|*.txt|";
  r.initialFolder = u"\\My Documents";
  r.defaultExtension = u"lq";
  ui::testing::ShownFileDialog seen;
  ui::testing::answerNextFileDialog(u"新しい", &seen);
  std::optional<std::u16string> got = ui::fileDialog(r);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(*got, u"\\My Documents\\新しい.lq");
  EXPECT_TRUE(seen.save);
  ASSERT_EQ(seen.filters.size(), 2u);
  EXPECT_NE(seen.filters[0].find(u"*.lq"), std::u16string::npos);
  EXPECT_NE(seen.filters[1].find(u"*.txt"), std::u16string::npos);

  r.save = false;
  ui::testing::answerNextFileDialog(u"", nullptr);
  EXPECT_FALSE(ui::fileDialog(r).has_value());  // cancelled

  ui::testing::answerNextFileDialog(u"old.lq", nullptr);
  EXPECT_EQ(ui::fileDialog(r), std::optional<std::u16string>(u"\\My Documents\\old.lq"));
}

// A dialog with no folder of its own starts where the last file was chosen, not at the root.
TEST_F(ShellTest, FileDialogsStartInTheLastFolderChosen) {
  ASSERT_TRUE(device.write("\\Storage Card\\Texts\\a.txt", "x"));
  ui::FileDialogRequest r;
  r.filter = u"テキスト (*.txt)|*.txt|";
  r.initialFolder = u"\\Storage Card\\Texts";
  ui::testing::answerNextFileDialog(u"a.txt", nullptr);
  ASSERT_EQ(ui::fileDialog(r), std::optional<std::u16string>(u"\\Storage Card\\Texts\\a.txt"));
  r.initialFolder.clear();
  ui::testing::ShownFileDialog seen;
  ui::testing::answerNextFileDialog(u"", &seen);
  EXPECT_FALSE(ui::fileDialog(r).has_value());
  EXPECT_EQ(seen.folder, u"\\Storage Card\\Texts");
  EXPECT_EQ(seen.entries, std::vector<std::u16string>{u"a.txt"});
}

TEST_F(ShellTest, ClipboardHoldsUnicodeText) {
  ui::setClipboardText(u"");
  EXPECT_FALSE(ui::clipboardHasText());
  ui::setClipboardText(u"中文 nǚ");
  EXPECT_TRUE(ui::clipboardHasText());
  EXPECT_EQ(ui::clipboardText(), u"中文 nǚ");
}

}  // namespace
