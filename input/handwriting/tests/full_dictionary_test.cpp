// The full dictionaries written from the stroke medians, driven through the panels' pen events.
#include "input/handwriting/brusca_panel.h"
#include "input/handwriting/lookra_panel.h"
#include "panel_fixture.h"
#include "tools/datagen/recog_medians.h"

#ifdef HW_FULL_DIR

namespace {

class FullDictionary : public hwtest::PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    for (const char* name : {"chujian.dic", "chufan.dic"}) {
      std::string file = hwtest::readText(std::string(HW_FULL_DIR) + "/" + name);
      ASSERT_GT(file.size(), 100000u) << name;
      ASSERT_TRUE(device_.write(std::string("\\") + name, file));
    }
  }
  // The character's medians as ink in an 80-pixel box; careless ink is stretched, turned, sheared and
  // shaken stroke by stroke.
  std::vector<datagen::RecogStroke> inkOf(const std::string& character, std::uint32_t seed = 0,
                                          bool careless = false) {
    std::vector<datagen::RecogStroke> strokes;
    EXPECT_TRUE(datagen::parseMedians(hwtest::readText(std::string(HW_MEDIAN_DIR) + "/" + character + ".json"),
                                      strokes))
        << character;
    return careless ? datagen::distortedMedianInk(strokes, 80, seed) : datagen::medianInk(strokes, 80, seed);
  }
  template <typename Panel>
  void write(Panel& panel, const std::vector<datagen::RecogStroke>& ink) {
    for (const auto& s : ink) {
      panel.penDown(s.front().x, s.front().y);
      for (std::size_t i = 1; i < s.size(); ++i) panel.penMove(s[i].x, s[i].y);
      panel.penUp(s.back().x, s.back().y);
    }
  }
};

TEST_F(FullDictionary, MediansOfCommonCharactersComeOutFirst) {
  hw::BruscaPanel panel(host_);
  panel.select(96);
  ASSERT_TRUE(boxes_.shown.empty());
  for (const char* ch : {"一", "国", "爱", "我", "鬱"}) {
    write(panel, inkOf(ch));
    panel.sendPending();
  }
  // 鬱 has no GB2312 code: the simplified dictionary gives something else.
  ASSERT_EQ(host_.strings.size(), 5u);
  EXPECT_EQ(host_.strings[0], u"一");
  EXPECT_EQ(host_.strings[1], u"国");
  EXPECT_EQ(host_.strings[2], u"爱");
  EXPECT_EQ(host_.strings[3], u"我");
  EXPECT_NE(host_.strings[4], u"鬱");
}

TEST_F(FullDictionary, JitteredWritingIsAmongTheCandidates) {
  host_.settings["Charset"] = 1;
  hw::LookraPanel panel(host_);
  panel.select(96);
  ASSERT_TRUE(boxes_.shown.empty());
  const std::pair<const char*, std::u16string> cases[] = {{"國", u"國"}, {"愛", u"愛"}, {"鬱", u"鬱"}, {"書", u"書"}};
  for (const auto& [ch, text] : cases) {
    for (bool careless : {false, true}) {
      write(panel, inkOf(ch, 7, careless));
      const auto& c = panel.candidates();
      EXPECT_NE(std::find(c.begin(), c.end(), text), c.end()) << ch << (careless ? " careless" : "");
      panel.penDown(210, 45);  // clear
      panel.penUp(210, 45);
    }
  }
}

// Careless ink is not always read right: most of it must be.
TEST_F(FullDictionary, CarelessWritingOfCommonCharactersMostlyComesOutFirst) {
  hw::BruscaPanel panel(host_);
  panel.select(96);
  ASSERT_TRUE(boxes_.shown.empty());
  const std::pair<const char*, std::u16string> cases[] = {{"国", u"国"}, {"爱", u"爱"}, {"我", u"我"}, {"书", u"书"},
                                                          {"学", u"学"}, {"说", u"说"}, {"钱", u"钱"}, {"鱼", u"鱼"}};
  int first = 0, written = 0;
  for (std::uint32_t seed : {3u, 4u}) {
    for (const auto& [ch, text] : cases) {
      write(panel, inkOf(ch, seed, true));
      panel.sendPending();
      ++written;
      ASSERT_EQ(host_.strings.size(), static_cast<std::size_t>(written)) << ch;
      first += host_.strings.back() == text;
    }
  }
  EXPECT_GE(first, 12) << first << " of " << written;
}

}  // namespace

#endif
