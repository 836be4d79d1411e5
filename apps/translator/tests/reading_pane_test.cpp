// The reading pane on the sample card: the four reading modes of an everyday Chinese text, through
// the menu commands that rebuild the pane.
#include <algorithm>

#include "platform/core/codepage.h"
#include "translator_fixture.h"

namespace orvaletest {
namespace {

using namespace orvale;

constexpr char16_t kSentences[] = u"我们明天去北京参观博物馆。他往东走了。";

class ReadingPaneTest : public OrvaleTest {
 protected:
  void SetUp() override {
    OrvaleTest::SetUp();
    notes_ = std::make_unique<plat::NotifyRecorder>();
    putData(device_.card());
    setUpRegistry();
    setDword("JC_CJ", 1);
    setDword("IsFanTi", 0);
    ASSERT_NE(startDialog(), 0u);
    ui::processPendingEvents();
    notes_->messages.clear();
  }
  void TearDown() override {
    notes_.reset();
    OrvaleTest::TearDown();
  }
  std::u16string readingIn(unsigned command) {
    plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(command, 0), 0);
    ui::processPendingEvents();
    return ui::getWindowText(pane(kIdReading));
  }
  std::unique_ptr<plat::NotifyRecorder> notes_;
};

TEST_F(ReadingPaneTest, EverydaySentencesInEveryMode) {
  ui::setWindowText(pane(kIdSource), kSentences);
  EXPECT_EQ(readingIn(kCmdToneMarks), u"wǒ men míng tiān qù běi jīng cān guān bó wù guǎn 。tā wǎng dōng zǒu le 。");
  EXPECT_EQ(readingIn(kCmdNumbered),
            u"wo3 men ming2 tian1 qu4 bei3 jing1 can1 guan1 bo2 wu4 guan3 。ta1 wang3 dong1 zou3 le 。");
  EXPECT_EQ(readingIn(kCmdNoTones), u"wo men ming tian qu bei jing can guan bo wu guan 。ta wang dong zou le 。");
  std::u16string katakana = readingIn(kCmdKatakana);
  for (char16_t c : katakana) {
    const bool kana = c >= u'ァ' && c <= u'ヶ';
    EXPECT_TRUE(kana || c == u'ー' || c == u' ' || c == u'。') << plat::wideToUtf8(katakana);
  }
  EXPECT_EQ(katakana, u"ウオ メン ミン ティエン チュー ベイ ジン ツァン グアン ボー ウー グアン 。ター ワン ドン ゾウ ロー 。");
  EXPECT_TRUE(notes_->messages.empty());
}

// Bopomofo, the first and the last letter of its block too, is no text of the engine: it stays in
// the reading as written, between the readings of the hanzi around it.
TEST_F(ReadingPaneTest, BopomofoStaysAsWritten) {
  for (const char16_t* letter : {u"ㄅ", u"ㄆ", u"ㄨ", u"ㄩ"}) {
    ui::setWindowText(pane(kIdSource), std::u16string(u"他") + letter + u"去");
    const std::u16string reading = readingIn(kCmdNumbered);
    EXPECT_EQ(reading.find(u"ta1"), 0u) << plat::wideToUtf8(reading);
    const std::size_t at = reading.find(letter);
    EXPECT_NE(at, std::u16string::npos) << plat::wideToUtf8(reading);
    EXPECT_NE(reading.find(u"qu4", at), std::u16string::npos) << plat::wideToUtf8(reading);
  }
  EXPECT_TRUE(notes_->messages.empty());
}

}  // namespace
}  // namespace orvaletest
