// The window system's style made compact as the handheld's controls are: a narrow drop-down
// arrow, so that a combo box of a template keeps room for its text, and tabs with little padding,
// so that their labels fit the template's height, and scroll bars of the handheld's width.
// Lengths follow the screen's dots per inch.
#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include "platform/ui/window_impl.h"

namespace ui::impl {
namespace {

int px(int v) { return std::max(1, v * screenMetrics().dpi / 96); }

class HandheldStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc, const QWidget* w) const override {
    QRect r = QProxyStyle::subControlRect(cc, opt, sc, w);
    if (cc != CC_ComboBox || !opt) return r;
    const QRect all = opt->rect;
    const int arrow = px(13);
    if (sc == SC_ComboBoxArrow) return QRect(all.right() - arrow + 1, all.top(), arrow, all.height());
    if (sc == SC_ComboBoxEditField) {
      const int frame = px(2);
      return QRect(all.left() + frame, all.top() + frame, std::max(0, all.width() - arrow - 2 * frame),
                   std::max(0, all.height() - 2 * frame));
    }
    return r;
  }

  int pixelMetric(PixelMetric m, const QStyleOption* opt, const QWidget* w) const override {
    switch (m) {
      case PM_TabBarTabVSpace: return px(4);
      case PM_TabBarTabHSpace: return px(8);
      case PM_ComboBoxFrameWidth: return px(1);
      case PM_SmallIconSize:
      case PM_ButtonIconSize: return px(16);
      // Scroll bars as wide as the handheld's, 13 dots at 96 dpi.
      case PM_ScrollBarExtent: return px(13);
      case PM_ScrollBarSliderMin: return px(9);
      default: return QProxyStyle::pixelMetric(m, opt, w);
    }
  }
};

}  // namespace

void useHandheldStyle() {
  if (dynamic_cast<HandheldStyle*>(QApplication::style())) return;
  QApplication::setStyle(new HandheldStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
}

}  // namespace ui::impl
