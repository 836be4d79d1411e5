// The HTML view: the viewer's markup as written, every kind of link reported with its target
// unchanged, the inline image asked of the dialog, select all and copy.
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/html_view.h"
#include "platform/ui/shell.h"
#include "platform/ui/testing.h"
#include "ui_fixture.h"

namespace {

constexpr unsigned kView = 2048 + 8 + 1;

class HtmlViewTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    ASSERT_TRUE(ui::initHtmlControl());
    ui::DialogTemplate t;
    t.caption = u"日中・中日辞典";
    t.cx = 160;
    t.cy = 200;
    t.items = {{ui::kHtmlViewClass, u"", kView, ui::kWsVisible, 2, 2, 156, 196}};
    readAloud = ui::createBitmap(12, 12, {255, 0, 0});
    dlg = ui::createDialog(t, 0, [this](plat::Hwnd, unsigned m, std::uint32_t, std::int32_t l) -> std::intptr_t {
      if (m != ui::kWmNotify) return 0;
      const ui::NotifyInfo* n = ui::notifyInfo(l);
      if (!n) return 0;
      if (n->code == ui::kNmHotspot) clicked.push_back(n->target);
      if (n->code == ui::kNmInlineImage) {
        asked.push_back(n->target);
        ui::htmlSetImage(n->from, n->imageCookie, readAloud);
      }
      return 1;
    });
    ASSERT_NE(dlg, 0u);
    view = ui::getDlgItem(dlg, kView);
  }
  void TearDown() override {
    ui::deleteBitmap(readAloud);
    UiTest::TearDown();
  }

  plat::Hwnd dlg = 0, view = 0;
  ui::Bitmap readAloud = 0;
  std::vector<std::u16string> clicked, asked;
};

TEST_F(HtmlViewTest, LinksReportTheirTargetsAsWrittenAndTheImageIsAsked) {
  // Pieces as the viewer adds them, with its quirks: "size  =", both link cases, an empty image
  // source with its size.
  const char16_t* pieces[] = {
      u"<html>\r\n<body scroll=no>\r\n<font size  =6>\r\n",
      u"<font color=black face=\"ＭＳ ゴシック\">",
      u"<A href=\"J_がくせい\">がくせい</A> ",
      u"<a href=\"S_xué sheng+学生\"><img src=\"\" width=12 height=12></a> ",
      u"<font color=blue face=\"ZQ-GB Mincho\"><A href=\"学\">【学 xué】</A></font> ",
      u"<A href=\"app:SETPAGE_3\">3</A> ",
      u"<a href=\"S_A&amp;B\">amp</a>",
      u"</font>\r\n</body>\r\n</html>\r\n",
  };
  ui::htmlClear(view);
  for (const char16_t* p : pieces) ui::htmlAddText(view, p);
  ui::htmlEndSource(view);
  ui::processPendingEvents();

  const std::vector<std::u16string> want = {u"J_がくせい", u"S_xué sheng+学生", u"学", u"app:SETPAGE_3", u"S_A&amp;B"};
  EXPECT_EQ(ui::htmlLinkTargets(view), want);
  EXPECT_EQ(asked, (std::vector<std::u16string>{u""}));
  ASSERT_EQ(ui::htmlImageSizes(view).size(), 1u);
  EXPECT_EQ(ui::htmlImageSizes(view)[0], (ui::Point{12, 12}));
  EXPECT_EQ(ui::htmlFontFamilies(view), (std::vector<std::u16string>{u"Noto Sans Mono CJK JP", u"Noto Serif CJK SC"}));
  std::u16string text = ui::htmlPlainText(view);
  EXPECT_NE(text.find(u"がくせい"), std::u16string::npos);
  EXPECT_NE(text.find(u"【学 xué】"), std::u16string::npos);
  EXPECT_EQ(text.find(u"href"), std::u16string::npos);

  for (int i = 0; i < static_cast<int>(want.size()); ++i) {
    ASSERT_TRUE(ui::testing::clickLink(view, i)) << i;
  }
  EXPECT_EQ(clicked, want);

  // The next page asks for its image again.
  ui::htmlClear(view);
  ui::htmlAddText(view, u"<a href=\"S_2\"><img src=\"\" width=12 height=12></a>");
  ui::htmlEndSource(view);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(ui::htmlImageSizes(view), (std::vector<ui::Point>{{12, 12}}));
}

TEST_F(HtmlViewTest, SelectAllAndCopyGiveThePageText) {
  ui::htmlClear(view);
  ui::htmlAddText(view, u"<html><body><font size=\"3\">学生<BR>\nがくせい</font></body></html>");
  ui::htmlEndSource(view);
  EXPECT_FALSE(ui::htmlCopy(view));  // nothing selected yet
  ui::htmlSelectAll(view);
  EXPECT_TRUE(ui::htmlCopy(view));
  EXPECT_EQ(ui::clipboardText(), u"学生\r\nがくせい");
  EXPECT_EQ(ui::htmlSelectedText(view), u"学生\r\nがくせい");
  // A new page starts empty: nothing of the old one remains.
  ui::htmlClear(view);
  ui::htmlAddText(view, u"<html><body>次</body></html>");
  ui::htmlEndSource(view);
  EXPECT_EQ(ui::htmlPlainText(view), u"次");
  EXPECT_TRUE(ui::htmlLinkTargets(view).empty());
}

TEST_F(HtmlViewTest, AnImageWithoutABitmapStaysEmpty) {
  ui::DialogTemplate t;
  t.caption = u"bare";
  t.cx = 100;
  t.cy = 100;
  t.items = {{ui::kHtmlViewClass, u"", kView, ui::kWsVisible, 2, 2, 96, 96}};
  int asks = 0;
  plat::Hwnd bare = ui::createDialog(t, 0, [&](plat::Hwnd, unsigned m, std::uint32_t, std::int32_t l) -> std::intptr_t {
    const ui::NotifyInfo* n = m == ui::kWmNotify ? ui::notifyInfo(l) : nullptr;
    asks += n && n->code == ui::kNmInlineImage;
    return 0;
  });
  plat::Hwnd v = ui::getDlgItem(bare, kView);
  ui::htmlAddText(v, u"<a href=\"S_x\"><img src=\"\" width=12 height=12></a>");
  ui::htmlEndSource(v);
  ui::processPendingEvents();
  EXPECT_EQ(asks, 1);  // asked once, not at every repaint
  EXPECT_EQ(ui::htmlImageSizes(v), (std::vector<ui::Point>{{0, 0}}));
  EXPECT_FALSE(ui::htmlSetImage(v, 5, readAloud));
  plat::destroyWindow(bare);
}

}  // namespace
