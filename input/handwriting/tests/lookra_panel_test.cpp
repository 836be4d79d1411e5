#include "input/handwriting/lookra_panel.h"
#include "panel_fixture.h"

namespace {

using hwtest::PanelTest;

void stroke(hw::LookraPanel& p, std::initializer_list<std::pair<int, int>> points) {
  auto it = points.begin();
  p.penDown(it->first, it->second);
  for (++it; it != points.end(); ++it) p.penMove(it->first, it->second);
  p.penUp((points.end() - 1)->first, (points.end() - 1)->second);
}

void horizontal(hw::LookraPanel& p, int y) { stroke(p, {{10, y}, {40, y}, {70, y}}); }

// Grid cells (column, row) and keys at 96 dots per inch.
std::pair<int, int> cell(int column, int row) { return {81 + 13 + 26 * column, 13 + 26 * row}; }
constexpr std::pair<int, int> kBackspace{170, 10}, kDigits{220, 25}, kEnter{170, 45}, kClear{210, 45},
    kSpace{170, 70}, kComma{210, 70};

class Lookra : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    writeSampleDictionary("chujian.txt");
    writeSampleDictionary("chufan.txt");
  }
  void tap(hw::LookraPanel& p, std::pair<int, int> at) {
    p.penDown(at.first, at.second);
    p.penUp(at.first, at.second);
  }
};

TEST_F(Lookra, GridFillsAtEachPenUpAndACellIsSent) {
  hw::LookraPanel panel(host_);
  panel.select(96);
  horizontal(panel, 40);
  ASSERT_FALSE(panel.candidates().empty());
  EXPECT_EQ(panel.candidates()[0], u"一");
  EXPECT_LE(panel.candidates().size(), 10u);
  int gridPaints = host_.repaints[static_cast<int>(hw::PanelArea::Candidates)];
  EXPECT_EQ(gridPaints, 1);
  horizontal(panel, 65);
  EXPECT_EQ(panel.candidates()[0], u"二");
  EXPECT_EQ(host_.repaints[static_cast<int>(hw::PanelArea::Candidates)], 2);
  EXPECT_TRUE(host_.strings.empty());

  // Cells are column + row × 3.
  EXPECT_EQ(panel.gridSlotAt(cell(0, 0).first, cell(0, 0).second), 0);
  EXPECT_EQ(panel.gridSlotAt(cell(2, 0).first, cell(2, 0).second), 2);
  EXPECT_EQ(panel.gridSlotAt(cell(1, 2).first, cell(1, 2).second), 7);
  EXPECT_EQ(panel.gridSlotAt(40, 40), -1);

  std::u16string second = panel.candidates()[1];
  tap(panel, cell(1, 0));
  EXPECT_EQ(host_.strings, (std::vector<std::u16string>{second}));
  EXPECT_TRUE(panel.ink().empty());
  EXPECT_EQ(panel.candidates()[0], u"二");  // shown until the next recognition
}

TEST_F(Lookra, EmptyCellSendsNothing) {
  // One template: one candidate, the other cells stay empty.
  writeDictionary("type 0\ntemplate 一 10,50 90,50\n");
  hw::LookraPanel panel(host_);
  panel.select(96);
  horizontal(panel, 40);
  ASSERT_EQ(panel.candidates().size(), 1u);
  tap(panel, cell(2, 2));
  tap(panel, cell(1, 0));
  EXPECT_TRUE(host_.strings.empty());
  EXPECT_EQ(panel.ink().strokeCount(), 1);
  tap(panel, cell(0, 0));
  EXPECT_EQ(host_.strings, (std::vector<std::u16string>{u"一"}));
}

TEST_F(Lookra, BackspaceTakesBackAStrokeOrReachesTheApplication) {
  hw::LookraPanel panel(host_);
  panel.select(96);
  horizontal(panel, 20);
  horizontal(panel, 45);
  horizontal(panel, 70);
  EXPECT_EQ(panel.candidates()[0], u"三");
  tap(panel, kBackspace);
  EXPECT_EQ(panel.ink().strokeCount(), 2);
  EXPECT_EQ(panel.ink().pointCount(), 8);  // the pen-up point closes each stroke
  EXPECT_TRUE(host_.events.empty());
  // The next pen-up recognises the two strokes left and the new one.
  horizontal(panel, 70);
  EXPECT_EQ(panel.candidates()[0], u"三");
  tap(panel, kBackspace);
  tap(panel, kBackspace);
  tap(panel, kBackspace);
  EXPECT_TRUE(panel.ink().empty());
  EXPECT_TRUE(host_.events.empty());
  tap(panel, kBackspace);
  EXPECT_EQ(host_.events, (std::vector<hwtest::CharEvent>{{8, hw::kKeyStateDown, 8}}));
}

TEST_F(Lookra, KeysOfTheSearchPanel) {
  hw::LookraPanel panel(host_);
  panel.select(96);
  horizontal(panel, 40);
  tap(panel, kEnter);
  tap(panel, kSpace);
  tap(panel, kComma);
  EXPECT_EQ(host_.log, (std::vector<std::u16string>{u"<13>", u"<32>", u"，"}));
  EXPECT_EQ(panel.ink().strokeCount(), 1);
  tap(panel, kClear);
  EXPECT_TRUE(panel.ink().empty());
  EXPECT_TRUE(panel.candidates().empty());
  // The digits class admits no hanzi: the grid stays empty.
  tap(panel, kDigits);
  EXPECT_EQ(panel.classMask(), 0x20);
  horizontal(panel, 40);
  EXPECT_TRUE(panel.candidates().empty());
  tap(panel, kDigits);
  EXPECT_EQ(panel.classMask(), 127);
  // A pen-up after a key press closes no stroke.
  panel.penDown(kEnter.first, kEnter.second);
  panel.penUp(40, 40);
  EXPECT_EQ(panel.ink().strokeCount(), 1);
}

TEST_F(Lookra, CharsetChangeTakesEffectAtTheNextCharacter) {
  hw::LookraPanel panel(host_);
  panel.select(96);
  tap(panel, kDigits);
  horizontal(panel, 30);
  // Changed by another program in the middle of a character: not yet read.
  host_.settings["Charset"] = 1;
  horizontal(panel, 65);
  EXPECT_EQ(panel.charsetInForce(), 0u);
  tap(panel, kClear);
  // The first stroke of the next character reads it: traditional, all classes again.
  horizontal(panel, 40);
  EXPECT_EQ(panel.charsetInForce(), 1u);
  EXPECT_EQ(panel.classMask(), 127);
  ASSERT_FALSE(panel.candidates().empty());
  EXPECT_EQ(panel.candidates()[0], u"一");  // through Big5
  for (const hw::PanelKey& k : panel.keys()) EXPECT_FALSE(k.flags & hw::kKeyPressed);
}

TEST_F(Lookra, InitialisationFailureShowsItsCaption) {
  plat::setProgramFolder(device_.root());
  hw::LookraPanel panel(host_);
  panel.select(96);
  ASSERT_EQ(boxes_.shown.size(), 1u);
  EXPECT_EQ(boxes_.shown[0].second, u"中国語手書き検索");
  horizontal(panel, 40);
  EXPECT_TRUE(panel.candidates().empty());
}

}  // namespace
