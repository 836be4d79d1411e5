// Fonts: the handheld's faces and character sets map to the CJK font of each language, so each
// pane keeps its own glyphs, and tone-marked pinyin shows.
#include "platform/ui/dialog.h"
#include "platform/ui/fonts.h"
#include "ui_fixture.h"

namespace {

class FontsTest : public UiTest {};

TEST_F(FontsTest, EachPaneGetsTheFontOfItsLanguage) {
  ui::DialogTemplate t;
  t.caption = u"panes";
  t.cx = 120;
  t.cy = 140;
  for (unsigned id = 1; id <= 4; ++id) t.items.push_back({u"Edit", u"", id, ui::kWsVisible | ui::kEsMultiline, 2, int(id) * 30 - 28, 110, 26});
  plat::Hwnd dlg = ui::createDialog(t, 0, nullptr);
  ASSERT_NE(dlg, 0u);
  struct Pane {
    unsigned id;
    ui::FontSpec spec;
    const char16_t* text;
    const char16_t* family;
  } panes[] = {
      {1, {u"ＭＳ ゴシック", ui::kShiftJisCharSet, 20}, u"日本語の文章です。", u"Noto Sans Mono CJK JP"},
      {2, {u"ZQ-GB Mincho", ui::kGb2312CharSet, 20}, u"这是简体中文。", u"Noto Serif CJK SC"},
      {3, {u"ZQ-B5 Mincho", ui::kBig5CharSet, 20}, u"這是繁體中文。", u"Noto Serif CJK TC"},
      {4, {u"ZQ-GB Mincho", ui::kGb2312CharSet, 16}, u"nǐ hǎo, lǜ lüè ǖǘǚǜ", u"Noto Serif CJK SC"},
  };
  for (const Pane& p : panes) {
    SCOPED_TRACE(p.id);
    plat::Hwnd pane = ui::getDlgItem(dlg, p.id);
    ui::Font f = ui::createFont(p.spec);
    ASSERT_TRUE(ui::setWindowFont(pane, f));
    ui::setWindowText(pane, p.text);
    EXPECT_EQ(ui::windowFont(pane), f);
    ui::FontQuery q = ui::queryWindowFont(pane);
    EXPECT_EQ(q.family, p.family);
    EXPECT_EQ(q.pixelHeight, p.spec.height);
    EXPECT_TRUE(ui::fontHasGlyphs(f, p.text));
  }
  EXPECT_EQ(ui::mappedFamily(u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet), u"Noto Sans CJK JP");
  EXPECT_EQ(ui::mappedFamily(u"ZQ-GB P Mincho", ui::kDefaultCharSet), u"Noto Serif CJK SC");
  EXPECT_EQ(ui::mappedFamily(u"Tahoma", ui::kAnsiCharSet), u"Noto Sans CJK JP");
}

TEST_F(FontsTest, HeightsFromPointsFollowTheResolution) {
  EXPECT_EQ(ui::pointsToHeight(11), -15);
  ui::setScreenDpi(192);
  EXPECT_EQ(ui::pointsToHeight(11), -29);
  ui::Font f = ui::createFont({u"ＭＳ Ｐゴシック", ui::kShiftJisCharSet, ui::pointsToHeight(14)});
  EXPECT_GT(ui::textWidth(f, u"中"), 20);
  ui::deleteFont(f);
  EXPECT_FALSE(ui::fontHasGlyphs(f, u"中"));
}

}  // namespace
