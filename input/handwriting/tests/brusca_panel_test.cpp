#include "input/handwriting/brusca_panel.h"
#include "panel_fixture.h"

namespace {

using hwtest::PanelTest;

// Pen events of one stroke through the points given (panel pixels).
void stroke(hw::BruscaPanel& p, std::initializer_list<std::pair<int, int>> points) {
  auto it = points.begin();
  p.penDown(it->first, it->second);
  for (++it; it != points.end(); ++it) p.penMove(it->first, it->second);
  p.penUp((points.end() - 1)->first, (points.end() - 1)->second);
}

// 一 across a box whose left edge is at x0.
void writeOne(hw::BruscaPanel& p, int x0 = 0) { stroke(p, {{x0 + 10, 40}, {x0 + 30, 40}, {x0 + 50, 41}, {x0 + 70, 40}}); }

// Key positions at 96 dots per inch.
constexpr std::pair<int, int> kBackspace{170, 10}, kHalfWidth{210, 10}, kSymbols{170, 25}, kLetters{195, 25},
    kDigits{220, 25}, kBlank{170, 45}, kEnter{210, 45}, kSpace{170, 70}, kComma{210, 70}, kStop{230, 70};

class Brusca : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    writeSampleDictionary("chujian.txt");
  }
  void tap(hw::BruscaPanel& p, std::pair<int, int> at) {
    p.penDown(at.first, at.second);
    p.penUp(at.first, at.second);
  }
};

TEST_F(Brusca, OneWrittenInABoxReachesTheApplicationWhenTheOtherBoxIsUsed) {
  hw::BruscaPanel panel(host_);
  panel.select(96);
  EXPECT_TRUE(boxes_.shown.empty());
  writeOne(panel);
  EXPECT_EQ(panel.currentBox(), 0);
  EXPECT_EQ(panel.ink().strokeCount(), 1);
  EXPECT_TRUE(host_.strings.empty());

  // The first pen down in box 1 sends box 0's character before its stroke begins.
  panel.penDown(120, 30);
  ASSERT_EQ(host_.strings.size(), 1u);
  EXPECT_EQ(host_.strings[0], u"一");
  EXPECT_EQ(panel.currentBox(), 1);
  EXPECT_TRUE(panel.ink().strokeOpen());
  EXPECT_EQ(panel.ink().x()[0], 40);  // stored relative to box 1
  panel.penUp(120, 30);
  EXPECT_EQ(panel.ink().strokeCount(), 1);
}

TEST_F(Brusca, WritingAtTwiceTheDotsPerInch) {
  hw::BruscaPanel panel(host_);
  panel.select(192);
  stroke(panel, {{20, 80}, {60, 80}, {100, 82}, {140, 80}});
  EXPECT_EQ(panel.ink().strokeCount(), 1);
  // x 200 is still box 1 of the writing area at 192 dots per inch.
  panel.penDown(200, 60);
  ASSERT_EQ(host_.strings.size(), 1u);
  EXPECT_EQ(host_.strings[0], u"一");
  EXPECT_EQ(panel.currentBox(), 1);
}

TEST_F(Brusca, TimerSendsWhatIsPending) {
  host_.settings = {{"Set", 1}, {"Timeout", 2}};
  hw::BruscaPanel panel(host_);
  panel.select(96);
  writeOne(panel);
  EXPECT_EQ(host_.timerMs, 2000);
  EXPECT_TRUE(host_.strings.empty());
  // A pen down in the box stops the timer; the next pen-up starts it again.
  panel.penDown(40, 20);
  EXPECT_EQ(host_.timerMs, -1);
  panel.penUp(40, 20);
  EXPECT_EQ(host_.timerMs, 2000);
  EXPECT_EQ(host_.timerStarts, 2);
  // Two strokes are no character of the templates; start again with one.
  panel.sendPending();
  host_.strings.clear();
  writeOne(panel);
  panel.timerFired();
  ASSERT_EQ(host_.strings.size(), 1u);
  EXPECT_EQ(host_.strings[0], u"一");
  EXPECT_EQ(host_.timerMs, -1);
  EXPECT_TRUE(panel.ink().empty());

  // A negative Timeout counts as 0.
  host_.settings["Timeout"] = 0xFFFFFFFBu;
  writeOne(panel);
  EXPECT_EQ(host_.timerMs, 0);
}

TEST_F(Brusca, WithoutSetNothingIsSentUntilTheNextBoxOrKey) {
  hw::BruscaPanel panel(host_);
  panel.select(96);
  writeOne(panel);
  EXPECT_EQ(host_.timerStarts, 0);
  EXPECT_TRUE(host_.strings.empty());
  tap(panel, kSpace);
  EXPECT_EQ(host_.log, (std::vector<std::u16string>{u"一", u"<32>"}));
}

TEST_F(Brusca, KeysSendThePendingCharacterFirst) {
  hw::BruscaPanel panel(host_);
  panel.select(96);
  // Backspace with ink: the character goes out and is taken back; the ink is gone.
  writeOne(panel);
  tap(panel, kBackspace);
  writeOne(panel);
  tap(panel, kEnter);
  writeOne(panel);
  tap(panel, kComma);
  tap(panel, kStop);
  tap(panel, kBlank);
  EXPECT_EQ(host_.log, (std::vector<std::u16string>{u"一", u"<8>", u"一", u"<13>", u"一，", u"。"}));
  EXPECT_EQ(host_.events[0], (hwtest::CharEvent{8, hw::kKeyStateDown, 8}));
  EXPECT_TRUE(panel.ink().empty());
  // Keys that do not latch are released at pen-up.
  for (const hw::PanelKey& k : panel.keys()) EXPECT_FALSE(k.flags & hw::kKeyPressed);
}

TEST_F(Brusca, PenUpAfterAKeyPressClosesNoStroke) {
  hw::BruscaPanel panel(host_);
  host_.settings = {{"Set", 1}};
  panel.select(96);
  // The pen goes down on a key and comes up over the writing box.
  panel.penDown(kEnter.first, kEnter.second);
  panel.penMove(40, 40);
  panel.penUp(40, 40);
  EXPECT_TRUE(panel.ink().empty());
  EXPECT_EQ(panel.ink().pointCount(), 0);
  EXPECT_EQ(host_.timerStarts, 0);
}

TEST_F(Brusca, StrokeAndPointLimits) {
  hw::BruscaPanel panel(host_);
  panel.select(96);
  for (int i = 0; i < 48; ++i) stroke(panel, {{10 + i, 10}, {10 + i, 20}});
  EXPECT_TRUE(boxes_.shown.empty());
  panel.penDown(70, 70);
  panel.penMove(72, 72);
  panel.penUp(72, 72);
  EXPECT_EQ(panel.ink().strokeCount(), 48);
  EXPECT_EQ(panel.ink().pointCount(), 48 * 3);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].first, u"４９画以上は入力できません。");
  EXPECT_EQ(boxes_.shown[0].second, u"手書き入力エラーメッセージ");

  // 16,000 points at most; the box shows once for the stroke and the ink stays.
  panel.sendPending();
  boxes_.shown.clear();
  panel.penDown(10, 10);
  for (int i = 0; i < 16100; ++i) panel.penMove(10 + i % 60, 10 + (i / 60) % 60);
  panel.penUp(20, 20);
  EXPECT_EQ(panel.ink().pointCount(), 16000);
  EXPECT_EQ(panel.ink().strokeCount(), 1);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].first, u"これ以上の座標は入力できません。");
}

TEST_F(Brusca, ClassKeysSetTheMaskAndLatch) {
  hw::BruscaPanel panel(host_);
  panel.select(96);
  EXPECT_EQ(panel.classMask(), 127);
  tap(panel, kLetters);
  EXPECT_EQ(panel.classMask(), 0x18);
  tap(panel, kDigits);
  EXPECT_EQ(panel.classMask(), 0x20);
  int pressed = 0;
  for (const hw::PanelKey& k : panel.keys()) pressed += (k.flags & hw::kKeyPressed) ? 1 : 0;
  EXPECT_EQ(pressed, 1);
  // Digits admit no hanzi: 一 is not sent, and its ink is cleared.
  writeOne(panel);
  panel.sendPending();
  EXPECT_TRUE(host_.strings.empty());
  EXPECT_TRUE(panel.ink().empty());
  // Pressed again: released, all classes.
  writeOne(panel);
  tap(panel, kDigits);
  EXPECT_EQ(panel.classMask(), 127);
  EXPECT_TRUE(host_.strings.empty());  // still recognised with the digits class
  writeOne(panel);
  tap(panel, kSymbols);
  EXPECT_EQ(host_.strings, (std::vector<std::u16string>{u"一"}));
  EXPECT_EQ(panel.classMask(), 0x40);
}

// Letters and digits of the traditional set, written as an L and a stroke down.
const char* kTraditionalTemplates =
    "type 1\n"
    "template 一 10,50 90,50\n"
    "template Ｌ 25,10 25,90 80,90\n"
    "template １ 50,10 50,90\n";

TEST_F(Brusca, TraditionalSetShiftsTheClassMask) {
  writeDictionary(kTraditionalTemplates);
  host_.settings = {{"Charset", 1}};
  hw::BruscaPanel panel(host_);
  panel.select(96);
  ASSERT_TRUE(boxes_.shown.empty());
  auto writeL = [&] { stroke(panel, {{20, 10}, {20, 40}, {20, 70}, {45, 70}, {70, 70}}); };
  // Letters (0x18) become the Big5 capitals and small letters (0x06).
  tap(panel, kLetters);
  writeL();
  panel.sendPending();
  // Digits (0x20) become the Big5 digits (0x08): the L can only be a digit.
  tap(panel, kDigits);
  writeL();
  panel.sendPending();
  // Half-width with letters: the full-width capital goes out as ASCII.
  tap(panel, kLetters);
  tap(panel, kHalfWidth);
  writeL();
  panel.sendPending();
  EXPECT_EQ(host_.strings, (std::vector<std::u16string>{u"Ｌ", u"１", u"L"}));
}

TEST_F(Brusca, AnyNonZeroCharsetIsTheTraditionalRecogniser) {
  writeDictionary(kTraditionalTemplates);
  host_.settings = {{"Charset", 2}, {"Set", 1}};
  hw::BruscaPanel panel(host_);
  panel.select(96);
  EXPECT_TRUE(boxes_.shown.empty());
  writeOne(panel);
  EXPECT_NE(host_.timerMs, -1);
  panel.sendPending();
  EXPECT_EQ(host_.strings, (std::vector<std::u16string>{u"一"}));
  EXPECT_TRUE(boxes_.shown.empty());
  // Deselection stops a running timer.
  panel.deselect();
  EXPECT_EQ(host_.timerMs, -1);
}

TEST_F(Brusca, CharsetChangeReloadsTheRecogniser) {
  writeDictionary(kTraditionalTemplates);
  hw::BruscaPanel panel(host_);
  panel.select(96);
  EXPECT_EQ(panel.charsetInForce(), 0u);
  host_.settings["Charset"] = 1;
  writeOne(panel);
  panel.sendPending();
  EXPECT_EQ(panel.charsetInForce(), 1u);
  host_.settings["Charset"] = 0;
  writeOne(panel);
  panel.sendPending();
  EXPECT_EQ(host_.strings, (std::vector<std::u16string>{u"一", u"一"}));
}

TEST_F(Brusca, MissingRecogniserGivesNoCharacters) {
  // No dictionary of the type: the message shows, the panel works and sends nothing.
  host_.settings = {{"Charset", 1}};
  hw::BruscaPanel panel(host_);
  panel.select(96);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].first, u"初期化エラー\n");
  EXPECT_EQ(boxes_.shown[0].second, u"中国語手書き");
  writeOne(panel);
  tap(panel, kSpace);
  EXPECT_EQ(host_.log, (std::vector<std::u16string>{u"<32>"}));
  EXPECT_TRUE(panel.ink().empty());
  panel.deselect();

  // No library at all.
  plat::setProgramFolder(device_.root());
  hw::BruscaPanel lone(host_);
  lone.select(96);
  EXPECT_EQ(boxes_.shown.size(), 2u);
  writeOne(lone);
  lone.sendPending();
  EXPECT_EQ(host_.strings.size(), 0u);
  lone.deselect();
}

}  // namespace
