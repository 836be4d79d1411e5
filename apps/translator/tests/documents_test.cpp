// Saved documents and imported text files: the layout, the round trip through the dialog, the
// encodings of a text file, and a failing write.
#include <algorithm>
#include <filesystem>

#include "apps/translator/documents.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "translator_fixture.h"

namespace orvaletest {
namespace {

using namespace orvale;

std::string units(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) plat::appendLe16(out, c);
  return out;
}

TEST(DocumentFormatTest, DefaultNames) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"本を読む。", u"本を読む。"},
      {u"一二三四五六七八九十一二三四", u"一二三四五六七八九十一二"},  // 12 of 14
      {u"\r\n本を読む。", u"文例１"},
      {u"", u"文例１"},
      {u"時間:午前十時から午後五時までの間です", u"時間"},
      {u"一二三四:六七八九十一二三四五六七八九十", u"一二三四"},
      {u"a/b", u"a"},
      {u"行一\r\n行二", u"行一"},
  };
  for (const auto& [text, name] : cases) EXPECT_EQ(defaultDocumentName(text), name) << plat::wideToUtf8(text);
}

TEST(DocumentFormatTest, LayoutWithAndWithoutReading) {
  EXPECT_EQ(documentImage(u"本", u"书", u"", 2), units(u"本") + std::string(2, '\0') + units(u"书") + std::string(2, '\0'));
  const std::string z(2, '\0');
  EXPECT_EQ(documentImage(u"本", u"书", u"shu1", 2), units(u"本") + z + units(u"书") + z + z + z + units(u"shu1") + z + z);
  EXPECT_EQ(documentImage(u"", u"", u"ben", 0), z + z + units(u"ben") + z + z + z + z);
  const DocumentTexts t = splitDocument(documentImage(u"本", u"书", u"shu1", 2));
  EXPECT_EQ(t.japanese, u"本");
  EXPECT_EQ(t.chinese, u"书");
  EXPECT_EQ(t.readings[2], u"shu1");
  EXPECT_EQ(t.readings[3], u"");
}

TEST(DocumentFormatTest, ImportedTextInEachEncoding) {
  const std::u16string text = u"日本語テキスト\r\nabc";
  std::string big;
  for (char16_t c : text) {
    big += static_cast<char>(c >> 8);
    big += static_cast<char>(c & 0xFF);
  }
  EXPECT_EQ(importedText("\xFF\xFE" + units(text)), text);
  EXPECT_EQ(importedText("\xFE\xFF" + big), text);
  EXPECT_EQ(importedText(plat::wideToMultiByte(932, text)), text);
  EXPECT_EQ(importedText("A"), u"A");
  EXPECT_EQ(importedText(""), u"");
  // UTF-8, with its mark or without; bytes that are not valid UTF-8 stay Shift-JIS.
  const std::string utf8 = plat::wideToUtf8(text + u"。中文𠀋");
  EXPECT_EQ(importedText(utf8), text + u"。中文𠀋");
  EXPECT_EQ(importedText("\xEF\xBB\xBF" + utf8), text + u"。中文𠀋");
  EXPECT_EQ(importedText("\xEF\xBB\xBF"), u"");
  for (const char* broken : {"\xE6\x97", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"}) {
    EXPECT_EQ(importedText(broken), plat::multiByteToWide(932, broken)) << broken;
  }
}

// Nothing of a file is lost silently: a zero is dropped and the text after it kept, UTF-32 reads
// after its mark, and a stray bad byte in UTF-8 reads as U+FFFD instead of turning the file into
// Shift-JIS.
TEST(DocumentFormatTest, ImportedTextKeepsEveryCharacter) {
  const std::string z(1, '\0');
  auto utf32 = [](std::u32string_view text, bool big) {
    std::string out;
    for (char32_t c : text)
      for (int k = 0; k < 4; ++k) out += static_cast<char>(c >> (8 * (big ? 3 - k : k)));
    return out;
  };
  struct Case {
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"\xFF\xFE" + units(u"ab") + z + z + units(u"cd"), u"abcd"},
      {"\xFE\xFF" + std::string("\0a\0\0\0b", 6), u"ab"},
      {plat::wideToMultiByte(932, u"日本") + z + plat::wideToMultiByte(932, u"語"), u"日本語"},
      {plat::wideToUtf8(u"日本") + z + plat::wideToUtf8(u"語"), u"日本語"},
      {"\xFF\xFE" + z + z + utf32(U"日本語\r\n𠀋", false), u"日本語\r\n𠀋"},
      {std::string("\0\0\xFE\xFF", 4) + utf32(U"中文", true), u"中文"},
      {"\xFF\xFE" + z + z + utf32(U"a", false) + std::string("\x00\xD8\0\0", 4), u"a\uFFFD"},  // a surrogate
      {plat::wideToUtf8(u"日本語のテキスト") + "\xFF" + plat::wideToUtf8(u"です"), u"日本語のテキスト\uFFFDです"},
      {"\xEF\xBB\xBF" + plat::wideToUtf8(u"中") + "\x80", u"中\uFFFD"},
      {"\xFF\xFE" + units(u"a") + std::string("\x00\xDC", 2), u"a\uFFFD"},  // a lone low surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(importedText(c.bytes), c.text) << plat::wideToUtf8(c.text);
  // Each replacement is counted, so that the import can say so.
  for (const Case& c : cases) {
    std::size_t replaced = 99;
    importedText(c.bytes, &replaced);
    EXPECT_EQ(replaced, static_cast<std::size_t>(std::count(c.text.begin(), c.text.end(), u'\uFFFD'))) << plat::wideToUtf8(c.text);
  }
  std::size_t replaced = 0;
  EXPECT_EQ(importedText(plat::wideToMultiByte(932, u"日本") + "\x80" + plat::wideToMultiByte(932, u"語"), &replaced), u"日本・語");
  EXPECT_EQ(replaced, 1u);
  // Shift-JIS stays Shift-JIS, with its half-width katakana too.
  for (const std::u16string text : {u"日本語のテキストです。", u"ﾃｽﾄ ﾃｽﾄ ﾃｽﾄ", u"漢字ｶﾅ"})
    EXPECT_EQ(importedText(plat::wideToMultiByte(932, text)), text) << plat::wideToUtf8(text);
}

// UTF-16 without a byte-order mark, in either order, reads as UTF-16 and not as Shift-JIS bytes:
// Japanese, Chinese, and text with ASCII.
TEST(DocumentFormatTest, ImportedUtf16WithoutAMark) {
  for (const std::u16string text : {u"日本語のテキストです。\r\n二行目", u"我喝茶。他是学生。", u"abc 漢字 def\r\n"}) {
    std::string little, big;
    for (char16_t c : text) {
      little += static_cast<char>(c & 0xFF);
      little += static_cast<char>(c >> 8);
      big += static_cast<char>(c >> 8);
      big += static_cast<char>(c & 0xFF);
    }
    std::size_t replaced = 99;
    EXPECT_EQ(importedText(little, &replaced), text) << plat::wideToUtf8(text);
    EXPECT_EQ(replaced, 0u);
    EXPECT_EQ(importedText(big), text) << plat::wideToUtf8(text);
  }
  // Shift-JIS of an even length stays Shift-JIS.
  for (const std::u16string text : {u"日本語のテキストです。", u"漢字かな交じり文", u"ｶﾀｶﾅ"})
    EXPECT_EQ(importedText(plat::wideToMultiByte(932, text)), text) << plat::wideToUtf8(text);
}

class DocumentsTest : public OrvaleTest {
 protected:
  void SetUp() override {
    OrvaleTest::SetUp();
    notes_ = std::make_unique<plat::NotifyRecorder>();
  }
  void TearDown() override {
    notes_.reset();
    OrvaleTest::TearDown();
  }
  void open(std::uint32_t direction, std::uint32_t mode = 3) {
    putData(device_.card());
    setUpRegistry();
    setDword("JC_CJ", direction);
    setDword("pyType", mode);
    ASSERT_NE(startDialog(), 0u);
    notes_->messages.clear();
  }
  void command(unsigned id) { plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(id, 0), 0); }
  void set(const std::u16string& source, const std::u16string& result, const std::u16string& reading) {
    ui::setWindowText(pane(kIdSource), source);
    ui::setWindowText(pane(kIdResult), result);
    ui::setWindowText(pane(kIdReading), reading);
  }
  std::u16string text(unsigned id) { return ui::getWindowText(pane(id)); }
  std::unique_ptr<plat::NotifyRecorder> notes_;
};

TEST_F(DocumentsTest, SavedAndLoadedBackEqual) {
  open(0, 2);
  std::u16string longJapanese;
  for (int i = 0; i < 40; ++i) longJapanese += u"本を読みます。\r\n";
  ASSERT_GE(longJapanese.size(), 300u);
  set(longJapanese, u"读书。", u"du2 shu1。");
  ui::testing::ShownFileDialog shown;
  ui::testing::answerNextFileDialog(u"doc.lq", &shown);
  command(kCmdSave);
  EXPECT_TRUE(shown.shown);
  EXPECT_TRUE(shown.save);
  std::string bytes;
  ASSERT_TRUE(plat::readWholeFile("\\doc.lq", bytes));
  EXPECT_EQ(bytes, documentImage(longJapanese, u"读书。", u"du2 shu1。", 2));

  set(u"", u"", u"");
  ui::testing::answerNextFileDialog(u"doc.lq", nullptr);
  command(kCmdOpen);
  EXPECT_EQ(text(kIdSource), longJapanese);
  EXPECT_EQ(text(kIdResult), u"读书。");
  EXPECT_EQ(text(kIdReading), u"du2 shu1。");
  EXPECT_TRUE(notes_->messages.empty());

  // In another reading mode the slot is empty; in direction 1 the Japanese text is the result.
  app().readingMode = 3;
  ASSERT_TRUE(dlg().loadDocument(u"\\doc.lq"));
  EXPECT_EQ(text(kIdReading), u"");
}

TEST_F(DocumentsTest, LoadedChineseFollowsTheCharacterSet) {
  open(1);
  set(u"这是书。", u"これは本です。", u"");
  ui::testing::answerNextFileDialog(u"doc.lq", nullptr);
  command(kCmdSave);
  std::string bytes;
  ASSERT_TRUE(plat::readWholeFile("\\doc.lq", bytes));
  EXPECT_EQ(bytes, documentImage(u"これは本です。", u"这是书。", u"", 3));  // Japanese first
  plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(kIdCharset, 0), 0);
  ASSERT_TRUE(dlg().loadDocument(u"\\doc.lq"));
  EXPECT_EQ(text(kIdSource), u"這是書。");
  EXPECT_EQ(text(kIdResult), u"これは本です。");
}

TEST_F(DocumentsTest, TextFilesAreImportedIntoTheSource) {
  open(1);
  const std::u16string text16 = u"日本語のテキスト";
  std::string big = "\xFE\xFF";
  for (char16_t c : text16) {
    big += static_cast<char>(c >> 8);
    big += static_cast<char>(c & 0xFF);
  }
  ASSERT_TRUE(plat::writeWholeFile("\\big.TXT", big));
  set(u"old", u"old", u"old");
  ui::testing::ShownFileDialog shown;
  ui::testing::answerNextFileDialog(u"big.TXT", &shown);
  command(kCmdOpen);
  EXPECT_FALSE(shown.save);
  EXPECT_EQ(text(kIdSource), text16);
  EXPECT_EQ(text(kIdResult), u"");
  EXPECT_EQ(text(kIdReading), u"");
  ASSERT_TRUE(plat::writeWholeFile("\\sjis.txt", plat::wideToMultiByte(932, text16)));
  ASSERT_TRUE(dlg().importText(u"\\sjis.txt"));
  EXPECT_EQ(text(kIdSource), text16);
  ASSERT_TRUE(plat::writeWholeFile("\\utf8.txt", plat::wideToUtf8(text16)));
  ui::testing::answerNextFileDialog(u"utf8.txt", nullptr);
  command(kCmdOpen);
  EXPECT_EQ(text(kIdSource), text16);
  EXPECT_TRUE(notes_->messages.empty());

  EXPECT_FALSE(dlg().importText(u"\\missing.txt"));
  EXPECT_FALSE(dlg().loadDocument(u"\\missing.lq"));
  ASSERT_EQ(notes_->messages.size(), 2u);
  EXPECT_EQ(notes_->messages[0].text, u" リードエラー ");
  EXPECT_EQ(notes_->messages[1].text, u" リードエラー ");
}

TEST_F(DocumentsTest, AFailingWriteIsReported) {
  open(0);
  set(u"本を読む。", u"读书。", u"");
  // A file on a full device: opening works, the writes fail.
  std::error_code ec;
  std::filesystem::create_symlink("/dev/full", plat::hostPath("\\full.lq"), ec);
  if (ec) GTEST_SKIP() << "no /dev/full";
  std::u16string chosen = u"\\full.lq";
  ui::setFileDialogHook([&chosen](const ui::FileDialogRequest&) { return std::optional<std::u16string>(chosen); });
  EXPECT_FALSE(dlg().saveDocument());
  ASSERT_EQ(notes_->messages.size(), 1u);
  EXPECT_EQ(notes_->messages[0].text, u"保存できませんでした");

  // A folder that cannot be written.
  chosen = u"\\no such folder\\doc.lq";
  EXPECT_FALSE(dlg().saveDocument());
  ui::setFileDialogHook(nullptr);
  EXPECT_EQ(notes_->messages.size(), 2u);
}

}  // namespace
}  // namespace orvaletest
