// Test drivers that make the window system's own events.
#include "platform/ui/testing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QDialog>
#include <QToolButton>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>
#include <QSlider>
#include <QTabBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include "platform/core/notify.h"
#include "platform/ui/dialog.h"
#include "platform/ui/window_impl.h"

namespace ui::testing {
using namespace ui::impl;

namespace {

int qtKeyOf(unsigned vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + static_cast<int>(vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + static_cast<int>(vk - '0');
  switch (vk) {
    case kVkBack: return Qt::Key_Backspace;
    case kVkTab: return Qt::Key_Tab;
    case kVkReturn: return Qt::Key_Return;
    case kVkEscape: return Qt::Key_Escape;
    case kVkSpace: return Qt::Key_Space;
    case kVkEnd: return Qt::Key_End;
    case kVkHome: return Qt::Key_Home;
    case kVkLeft: return Qt::Key_Left;
    case kVkUp: return Qt::Key_Up;
    case kVkRight: return Qt::Key_Right;
    case kVkDown: return Qt::Key_Down;
    case kVkDelete: return Qt::Key_Delete;
    default: return 0;
  }
}

QWidget* target(Hwnd h) {
  QWidget* w = widgetOf(h);
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) return area->viewport();
  return w;
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
  if (!w) return;
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

}  // namespace

void clickButton(Hwnd button) {
  if (auto* b = qobject_cast<QAbstractButton*>(widgetOf(button))) b->click();
  processPendingEvents();
}

void typeText(Hwnd hwnd, std::u16string_view text) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return;
  for (char16_t c : text) {
    int key = c == u'\r' ? Qt::Key_Return : c == u'\b' ? Qt::Key_Backspace : 0;
    QString s = c == u'\r' ? QStringLiteral("\r") : QString(QChar(c));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, s);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, s);
    if (widgetOf(hwnd)) QApplication::sendEvent(w, &release);
    if (!widgetOf(hwnd)) break;
  }
  processPendingEvents();
}

static QString keyText(unsigned vk) {
  if (vk == kVkReturn) return QStringLiteral("\r");
  if (vk == kVkBack) return QStringLiteral("\b");
  if (vk == kVkEscape) return QString(QChar(27));
  if (vk == kVkTab) return QStringLiteral("\t");
  return QString();
}

void pressKey(Hwnd hwnd, unsigned vk, bool repeat) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return;
  QKeyEvent press(QEvent::KeyPress, qtKeyOf(vk), Qt::NoModifier, keyText(vk), repeat);
  QApplication::sendEvent(w, &press);
  processPendingEvents();
}

void releaseKey(Hwnd hwnd, unsigned vk) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return;
  QKeyEvent release(QEvent::KeyRelease, qtKeyOf(vk), Qt::NoModifier, keyText(vk));
  QApplication::sendEvent(w, &release);
  processPendingEvents();
}

void chooseItem(Hwnd control, int index) {
  QWidget* w = widgetOf(control);
  if (auto* c = qobject_cast<QComboBox*>(w)) {
    c->setCurrentIndex(index);
    emit c->activated(index);
  } else if (auto* l = qobject_cast<QListWidget*>(w)) {
    QListWidgetItem* item = l->item(index);
    if (!item) return;
    l->scrollToItem(item);
    QPoint at = l->visualItemRect(item).center();
    mouse(l->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(l->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  } else if (auto* t = qobject_cast<QTabBar*>(w)) {
    QPoint at = t->tabRect(index).center();
    mouse(t, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    mouse(t, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
  }
  processPendingEvents();
}

void dragTrackbar(Hwnd trackbar, int position) {
  auto* s = qobject_cast<QSlider*>(widgetOf(trackbar));
  if (!s) return;
  s->setSliderDown(true);
  s->setSliderPosition(position);
  s->setSliderDown(false);
  processPendingEvents();
}

void scrollList(Hwnd list, ListScroll how, bool down) {
  auto* l = qobject_cast<QListWidget*>(widgetOf(list));
  if (!l) return;
  QScrollBar* bar = l->verticalScrollBar();
  switch (how) {
    case ListScroll::Arrow:
      bar->triggerAction(down ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
      break;
    case ListScroll::Page: {
      // A click in the page area below (above) the thumb, where the scroll bar shows one; none
      // when the thumb touches that end.
      QStyleOptionSlider opt;
      opt.initFrom(bar);
      opt.subControls = QStyle::SC_All;
      opt.orientation = bar->orientation();
      opt.minimum = bar->minimum();
      opt.maximum = bar->maximum();
      opt.sliderPosition = bar->sliderPosition();
      opt.sliderValue = bar->value();
      opt.singleStep = bar->singleStep();
      opt.pageStep = bar->pageStep();
      opt.upsideDown = bar->invertedAppearance();
      const QRect area = bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt,
                                                      down ? QStyle::SC_ScrollBarAddPage : QStyle::SC_ScrollBarSubPage, bar);
      if (area.isEmpty() || !bar->isVisible()) break;
      mouse(bar, QEvent::MouseButtonPress, area.center(), Qt::LeftButton, Qt::LeftButton);
      mouse(bar, QEvent::MouseButtonRelease, area.center(), Qt::LeftButton, Qt::NoButton);
      break;
    }
    case ListScroll::Drag:
      bar->setSliderDown(true);
      bar->setSliderPosition(down ? bar->maximum() : bar->minimum());
      bar->setSliderDown(false);
      break;
    case ListScroll::Wheel: {
      QPointF at = QRectF(l->viewport()->rect()).center();
      QWheelEvent wheel(at, l->viewport()->mapToGlobal(at), QPoint(), QPoint(0, down ? -120 : 120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(l->viewport(), &wheel);
      break;
    }
  }
  processPendingEvents();
}

std::vector<Rect> tabItemRects(Hwnd tab) {
  std::vector<Rect> out;
  if (auto* t = qobject_cast<QTabBar*>(widgetOf(tab))) {
    for (int i = 0; i < t->count(); ++i) {
      QRect g = t->tabRect(i);
      out.push_back(Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()});
    }
  }
  return out;
}

void paint(Hwnd hwnd) {
  if (QWidget* w = widgetOf(hwnd)) {
    if (w->size().isEmpty()) w->resize(std::max(1, w->width()), std::max(1, w->height()));
    w->grab();
  }
  processPendingEvents();
}

void compose(Hwnd edit, std::u16string_view preedit, std::u16string_view commit) {
  QWidget* w = widgetOf(edit);
  if (!w) return;
  QList<QInputMethodEvent::Attribute> attrs;
  QInputMethodEvent e(toQ(preedit), attrs);
  if (!commit.empty()) e.setCommitString(toQ(commit));
  QApplication::sendEvent(w, &e);
  processPendingEvents();
}

void tapAndHold(Hwnd hwnd, Point at, bool rightButton) {
  QWidget* w = target(hwnd);
  if (!w) return;
  QPoint p(at.x, at.y);
  if (rightButton) {
    mouse(w, QEvent::MouseButtonPress, p, Qt::RightButton, Qt::RightButton);
    mouse(w, QEvent::MouseButtonRelease, p, Qt::RightButton, Qt::NoButton);
    processPendingEvents();
    return;
  }
  mouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
  QEventLoop wait;
  QTimer::singleShot(650, &wait, &QEventLoop::quit);
  wait.exec();
  processPendingEvents();
  if (QWidget* still = target(hwnd)) mouse(still, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  processPendingEvents();
}

bool clickLink(Hwnd htmlView, int index) {
  auto* b = dynamic_cast<QTextBrowser*>(widgetOf(htmlView));
  if (!b) return false;
  QString want = QStringLiteral("suitelink:") + QString::number(index);
  for (QTextBlock block = b->document()->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      QTextFragment f = it.fragment();
      if (!f.isValid() || f.charFormat().anchorHref() != want) continue;
      // The middle of the fragment's first character.
      QTextCursor c(b->document());
      c.setPosition(f.position());
      b->setTextCursor(c);
      b->ensureCursorVisible();
      QRect left = b->cursorRect(c);
      c.setPosition(f.position() + 1);
      QRect right = b->cursorRect(c);
      QPoint at((left.left() + right.left()) / 2, left.center().y());
      mouse(b->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
      mouse(b->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
      processPendingEvents();
      return true;
    }
  }
  return false;
}

void penDown(Hwnd hwnd, Point at) {
  mouse(widgetOf(hwnd), QEvent::MouseButtonPress, QPoint(at.x, at.y), Qt::LeftButton, Qt::LeftButton);
  processPendingEvents();
}

void penMove(Hwnd hwnd, Point at) {
  mouse(widgetOf(hwnd), QEvent::MouseMove, QPoint(at.x, at.y), Qt::NoButton, Qt::LeftButton);
  processPendingEvents();
}

void penUp(Hwnd hwnd, Point at) {
  mouse(widgetOf(hwnd), QEvent::MouseButtonRelease, QPoint(at.x, at.y), Qt::LeftButton, Qt::NoButton);
  processPendingEvents();
}

static QToolButton* panelButton(Hwnd dialog) {
  WinRec* r = rec(dialog);
  if (!r || !r->menuBar) return nullptr;
  return qobject_cast<QToolButton*>(r->menuBar->cornerWidget(Qt::TopRightCorner));
}

bool tapInputPanelButton(Hwnd dialog) {
  QToolButton* b = panelButton(dialog);
  if (!b) return false;
  b->click();
  processPendingEvents();
  return true;
}

bool inputPanelButtonShown(Hwnd dialog) {
  QToolButton* b = panelButton(dialog);
  return b && b->isVisible() && b->width() > 0;
}

bool chooseFromInputPanelButton(Hwnd dialog, int index) {
  QToolButton* b = panelButton(dialog);
  if (!b || !b->menu()) return false;
  emit b->menu()->aboutToShow();
  QList<QAction*> actions = b->menu()->actions();
  if (index < 0 || index >= actions.size()) return false;
  actions[index]->trigger();
  processPendingEvents();
  return true;
}

std::optional<Rect> openInputPanelButtonMenu(Hwnd dialog) {
  QToolButton* b = panelButton(dialog);
  if (!b || !b->menu()) return std::nullopt;
  Rect shown{};
  dismissNextPopup(&shown);
  b->showMenu();  // returns when the menu closes
  processPendingEvents();
  if (shown.width() <= 0) return std::nullopt;
  return shown;
}

std::optional<Rect> openMenuBarItem(Hwnd dialog, int index) {
  WinRec* r = rec(dialog);
  QMenuBar* bar = r ? r->menuBar.data() : nullptr;
  if (!bar) return std::nullopt;
  QList<QAction*> actions = bar->actions();
  if (index < 0 || index >= actions.size() || !actions[index]->menu()) return std::nullopt;
  QRect at = bar->actionGeometry(actions[index]);
  mouse(bar, QEvent::MouseButtonPress, at.center(), Qt::LeftButton, Qt::LeftButton);
  mouse(bar, QEvent::MouseButtonRelease, at.center(), Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
  QWidget* popup = QApplication::activePopupWidget();
  if (!popup) return std::nullopt;
  QRect g = popup->geometry();
  popup->close();
  processPendingEvents();
  return Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

void dismissNextPopup(Rect* shownAt) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [shownAt, attempt] {
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) {
      QTimer::singleShot(10, *attempt);
      return;
    }
    QRect g = popup->geometry();
    if (shownAt) *shownAt = Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    popup->close();
    *attempt = nullptr;
  };
  QTimer::singleShot(0, *attempt);
}

bool horizontalScrollBarShown(Hwnd edit) {
  auto* area = qobject_cast<QAbstractScrollArea*>(widgetOf(edit));
  return area && area->horizontalScrollBar()->isVisible();
}

Rect programScreenRect() {
  QRect s = programScreen();
  return Rect{s.left(), s.top(), s.left() + s.width(), s.top() + s.height()};
}

void closeWindow(Hwnd hwnd) {
  if (QWidget* w = widgetOf(hwnd)) w->close();
  processPendingEvents();
}

void answerNextMessageBox(int answer, ShownBox* seen) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [answer, seen, attempt] {
    QWidget* box = QApplication::activeModalWidget();
    if (!box || box->objectName() != QStringLiteral("suiteMessageBox")) {
      QTimer::singleShot(10, *attempt);
      return;
    }
    QAbstractButton* chosen = nullptr;
    std::vector<std::u16string> labels;
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>()) {
      labels.push_back(fromQ(b->text()));
      if (b->property("suiteAnswer").toInt() == answer) chosen = b;
    }
    if (seen) {
      seen->shown = true;
      seen->text = fromQ(box->property("suiteText").toString());
      seen->caption = fromQ(box->windowTitle());
      seen->icon = box->property("suiteFlags").toUInt() & 0xF0;
      seen->buttonCount = static_cast<int>(labels.size());
      seen->buttons = labels;
      QRect g = box->geometry();
      seen->rect = Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
      seen->screen = programScreenRect();
    }
    if (chosen) chosen->click();
    else static_cast<QDialog*>(box)->reject();
    *attempt = nullptr;  // breaks the cycle
  };
  QTimer::singleShot(0, *attempt);
}

}  // namespace ui::testing

namespace ui::testing {

void answerNextFileDialog(std::u16string fileName, ShownFileDialog* seen) {
  auto attempt = std::make_shared<std::function<void()>>();
  *attempt = [fileName, seen, attempt] {
    QWidget* dlg = QApplication::activeModalWidget();
    ShownFileDialog read;
    if (!dlg || !readFileDialog(dlg, read.save, read.filters, read.folder, read.entries)) {
      QTimer::singleShot(10, *attempt);
      return;
    }
    if (seen) {
      *seen = read;
      seen->shown = true;
      QRect g = dlg->geometry();
      seen->rect = Rect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
      seen->screen = programScreenRect();
    }
    answerFileDialog(dlg, fileName);
    *attempt = nullptr;
  };
  QTimer::singleShot(0, *attempt);
}

}  // namespace ui::testing
