// Everything that pops up stays on the program's screen: the handheld's message box, centred on
// it with its buttons in the system's language, and menus and drop-down lists kept inside it (the
// command bar's menus open upward).
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/core/notify.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {

QRect programScreen() {
  ScreenMetrics sm = screenMetrics();
  QRect fallback(0, 0, sm.width, sm.height);
  // The full-screen dialog of the program is its screen: the active one first, else the oldest.
  QWidget* active = QApplication::activeWindow();
  QWidget* found = nullptr;
  for (Hwnd h : topLevelDialogs()) {
    WinRec* r = rec(h);
    if (!r || !r->widget || !r->tmpl.fullScreen || r->widget->isHidden()) continue;
    if (r->widget == active) return r->widget->geometry();
    if (!found) found = r->widget;
  }
  return found ? found->geometry() : fallback;
}

QRect keptOnScreen(QRect r, const QRect& screen) {
  if (r.width() > screen.width()) r.setWidth(screen.width());
  if (r.height() > screen.height()) r.setHeight(screen.height());
  if (r.right() > screen.right()) r.moveRight(screen.right());
  if (r.bottom() > screen.bottom()) r.moveBottom(screen.bottom());
  if (r.left() < screen.left()) r.moveLeft(screen.left());
  if (r.top() < screen.top()) r.moveTop(screen.top());
  return r;
}

int uiPixels(int pixelsAt96) { return std::max(1, pixelsAt96 * screenMetrics().dpi / 96); }

namespace {

int dpiScaled(int v) { return v * screenMetrics().dpi / 96; }

QMenuBar* barAbove(QWidget* w) {
  for (QWidget* p = w ? w->parentWidget() : nullptr; p; p = p->parentWidget()) {
    if (auto* bar = qobject_cast<QMenuBar*>(p)) return bar;
    if (p->isWindow()) break;
  }
  return nullptr;
}

// Places pop-ups as they are about to show (the show event comes before the window is mapped).
class PopupKeeper : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Show) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || !w->isWindow() || w->windowType() != Qt::Popup) return false;
    const QRect screen = programScreen();
    QRect g = w->geometry();
    if (QMenuBar* bar = barAbove(w)) {
      // The command bar is at the foot of the screen: its menus open upward from it.
      g.moveBottom(bar->mapToGlobal(QPoint(0, 0)).y() - 1);
    } else if (auto* sub = qobject_cast<QMenu*>(w); sub && qobject_cast<QMenu*>(sub->parentWidget()) &&
                                                   sub->parentWidget()->isVisible()) {
      // A submenu stands beside its menu, right or left as the screen has room, never over it. On
      // a narrow screen the menu moves aside to make that room; where the two are wider than the
      // screen, they stand at its two ends and overlap as little as they can.
      QWidget* menuWidget = sub->parentWidget();
      QRect parent = menuWidget->geometry();
      if (parent.right() + g.width() <= screen.right()) {
        g.moveLeft(parent.right() + 1);
      } else if (parent.left() - g.width() >= screen.left()) {
        g.moveRight(parent.left() - 1);
      } else {
        const int shift = parent.width() + g.width() <= screen.width()
                              ? screen.right() - g.width() - parent.right()
                              : screen.left() - parent.left();
        parent.translate(shift, 0);
        menuWidget->setGeometry(parent);
        g.moveLeft(std::min(parent.right() + 1, screen.right() - g.width() + 1));
      }
    } else if (auto* menu = qobject_cast<QMenu*>(w); menu && g.bottom() > screen.bottom()) {
      g.moveBottom(g.top() - 1);  // above the point it was opened at
    }
    g = keptOnScreen(g, screen);
    if (g != w->geometry()) w->setGeometry(g);
    return false;
  }
};

struct Choice {
  const char16_t* label;
  int answer;
};

class MessageBoxDialog : public QDialog {
 public:
  MessageBoxDialog(const std::u16string& text, const std::u16string& caption, unsigned flags)
      : QDialog(QApplication::activeWindow(), Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("suiteMessageBox"));
    setProperty("suiteFlags", flags);
    setProperty("suiteText", toQ(text));
    setWindowTitle(toQ(caption));
    setModal(true);
    QFont f = font();
    f.setPixelSize(uiPixels(12));
    setFont(f);
    switch (flags & 0xF) {
      case plat::kMbOkCancel: choices_ = {{u"OK", plat::kIdOk}, {u"キャンセル", plat::kIdCancel}}; break;
      case plat::kMbYesNoCancel:
        choices_ = {{u"はい", plat::kIdYes}, {u"いいえ", plat::kIdNo}, {u"キャンセル", plat::kIdCancel}};
        break;
      case plat::kMbYesNo: choices_ = {{u"はい", plat::kIdYes}, {u"いいえ", plat::kIdNo}}; break;
      default: choices_ = {{u"OK", plat::kIdOk}}; break;
    }
    const int pad = dpiScaled(6);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(1, 1, 1, 1);
    outer->setSpacing(0);
    auto* title = new QLabel(toQ(caption), this);
    title->setObjectName(QStringLiteral("suiteMessageBoxCaption"));
    title->setStyleSheet(QStringLiteral("background: #0a246a; color: white; font-weight: bold; padding: %1px;").arg(dpiScaled(2)));
    outer->addWidget(title);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(pad, pad, pad, pad);
    body->setSpacing(pad);
    QStyle::StandardPixmap pm = QStyle::SP_CustomBase;
    switch (flags & 0xF0) {
      case plat::kMbIconStop: pm = QStyle::SP_MessageBoxCritical; break;
      case plat::kMbIconQuestion: pm = QStyle::SP_MessageBoxQuestion; break;
      case plat::kMbIconExclamation: pm = QStyle::SP_MessageBoxWarning; break;
      case plat::kMbIconInformation: pm = QStyle::SP_MessageBoxInformation; break;
      default: break;
    }
    const int iconSize = dpiScaled(24);
    if (pm != QStyle::SP_CustomBase) {
      auto* icon = new QLabel(this);
      icon->setPixmap(style()->standardIcon(pm).pixmap(iconSize, iconSize));
      icon->setAlignment(Qt::AlignTop);
      body->addWidget(icon, 0);
    }
    text_ = new QLabel(toQ(text), this);
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    body->addWidget(text_, 1);
    outer->addLayout(body);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(pad, 0, pad, pad);
    row->addStretch(1);
    for (const Choice& c : choices_) {
      auto* b = new QPushButton(QString::fromUtf16(c.label), this);
      b->setProperty("suiteAnswer", c.answer);
      b->setMinimumWidth(dpiScaled(c.answer == plat::kIdCancel ? 60 : 44));
      int answer = c.answer;
      connect(b, &QPushButton::clicked, this, [this, answer] { finish(answer); });
      if (!defaultButton_) {
        b->setDefault(true);
        defaultButton_ = b;
      }
      row->addWidget(b);
    }
    row->addStretch(1);
    outer->addLayout(row);
    place(text, pad, iconSize, pm != QStyle::SP_CustomBase);
  }

  int answer() const { return answer_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  void reject() override {
    // Closed without a button: Cancel where there is one, else the only answer, else No.
    for (const Choice& c : choices_) {
      if (c.answer == plat::kIdCancel) return finish(c.answer);
    }
    finish(choices_.size() == 1 ? choices_[0].answer : plat::kIdNo);
  }

 private:
  void finish(int answer) {
    answer_ = answer;
    done(answer);
  }

  // As wide as the text wants, no wider than the screen less a margin; centred on the screen.
  void place(const std::u16string& text, int pad, int iconSize, bool hasIcon) {
    const QRect screen = programScreen();
    const int margin = dpiScaled(8);
    int widest = 0;
    for (const QString& line : toQ(text).split(QLatin1Char('\n'))) widest = std::max(widest, text_->fontMetrics().horizontalAdvance(line));
    int want = widest + 2 * pad + 2 + (hasIcon ? iconSize + pad : 0) + 4;
    layout()->activate();
    want = std::max(want, minimumSizeHint().width());
    want = std::max(want, dpiScaled(120));
    const int w = std::min(want, screen.width() - 2 * margin);
    setFixedWidth(w);
    layout()->activate();
    int h = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(w) : sizeHint().height();
    h = std::min(std::max(h, sizeHint().height()), screen.height());
    setFixedHeight(h);
    QRect g(0, 0, w, h);
    g.moveCenter(screen.center());
    setGeometry(keptOnScreen(g, screen));
  }

  std::vector<Choice> choices_;
  QLabel* text_ = nullptr;
  QPushButton* defaultButton_ = nullptr;
  int answer_ = 0;
};

}  // namespace

void keepPopupsOnScreen() {
  static PopupKeeper* keeper = nullptr;
  if (keeper || !QApplication::instance()) return;
  keeper = new PopupKeeper(QApplication::instance());
  QApplication::instance()->installEventFilter(keeper);
}

int showMessageBox(const std::u16string& text, const std::u16string& caption, unsigned flags) {
  MessageBoxDialog box(text, caption, flags);
  box.exec();
  return box.answer() ? box.answer() : plat::kIdCancel;
}

}  // namespace ui::impl
