// Keys, focus and tap and hold on the message path: keys of the window system pass the top-level
// window's pre-translation and the procedures as the handheld's key messages; focus changes notify
// the dialog; a held pen becomes a context-menu gesture.
#include "platform/ui/controls.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "platform/ui/dialog.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {
namespace {

Hwnd gFocus = 0;
// Set while a key of the window system travels the procedures.
thread_local bool tFromWindowSystem = false;
thread_local bool tDefaultKeyRan = false;

// Focus notifications for widgets without an edit of their own.
class FocusWatch : public QObject {
 public:
  explicit FocusWatch(Hwnd h, QObject* parent) : QObject(parent), hwnd_(h) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::FocusIn) focusChanged(hwnd_, true);
    if (e->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason)
      focusChanged(hwnd_, false);
    if (e->type() == QEvent::KeyRelease) {
      auto* k = static_cast<QKeyEvent*>(e);
      if (!k->isAutoRepeat()) return routeKeyUp(hwnd_, k->key(), k->modifiers());
    }
    if (e->type() == QEvent::KeyPress) {
      auto* k = static_cast<QKeyEvent*>(e);
      unsigned vk = virtualKeyOf(k->key());
      if (preTranslateKey(hwnd_, plat::kWmKeyDown, vk, keyLParam(modifierBits(k->modifiers()), k->isAutoRepeat()))) return true;
      Hwnd dlg = topLevelOf(hwnd_);
      if (vk == kVkEscape) {
        plat::sendMessage(dlg, plat::kWmCommand, makeWParam(kIdCancel, kBnClicked), 0);
        return true;
      }
    }
    return false;
  }

 private:
  Hwnd hwnd_;
};

// Tap and hold: the right button at once, or the left button held still for half a second.
class GestureWatch : public QObject {
 public:
  GestureWatch(Hwnd h, QObject* parent) : QObject(parent), hwnd_(h) {
    timer_.setSingleShot(true);
    timer_.setInterval(500);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      Hwnd h = hwnd_;
      QPoint at = pressAt_;
      QTimer::singleShot(0, [h, at] {
        if (rec(h)) contextGesture(h, at);
      });
    });
  }
  bool eventFilter(QObject*, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MouseButtonPress: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::RightButton) {
          Hwnd h = hwnd_;
          QPoint at = m->globalPosition().toPoint();
          QTimer::singleShot(0, [h, at] {
            if (rec(h)) contextGesture(h, at);
          });
          return true;
        }
        if (m->button() == Qt::LeftButton) {
          pressAt_ = m->globalPosition().toPoint();
          timer_.start();
        }
        break;
      }
      case QEvent::MouseMove: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (timer_.isActive() && (m->globalPosition().toPoint() - pressAt_).manhattanLength() > 8) timer_.stop();
        break;
      }
      case QEvent::MouseButtonRelease:
        timer_.stop();
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) return true;
        break;
      case QEvent::ContextMenu: return true;
      default: break;
    }
    return false;
  }

 private:
  Hwnd hwnd_;
  QTimer timer_;
  QPoint pressAt_;
};

}  // namespace

unsigned modifierBits(Qt::KeyboardModifiers m) {
  unsigned bits = 0;
  if (m & Qt::ControlModifier) bits |= plat::kAccelControl;
  if (m & Qt::ShiftModifier) bits |= plat::kAccelShift;
  if (m & Qt::AltModifier) bits |= plat::kAccelAlt;
  return bits;
}

std::int32_t keyLParam(unsigned mods, bool repeat) {
  return static_cast<std::int32_t>(mods | (repeat ? kKeyRepeatFlag : 0u));
}

bool preTranslateKey(Hwnd hwnd, unsigned msg, unsigned vk, std::int32_t lParam) {
  plat::Msg m{hwnd, msg, vk, lParam};
  Hwnd top = topLevelOf(hwnd);
  WinRec* tr = rec(top);
  if (!tr) return false;
  if (tr->preTranslate && tr->preTranslate(m)) return true;
  if (!tr->accelerators.empty()) {
    std::vector<plat::Accelerator> table = tr->accelerators;
    if (plat::translateAccelerator(top, table.data(), table.size(), m)) return true;
  }
  return false;
}

bool keyFromWindowSystem() { return tFromWindowSystem; }
void defaultKeyHandled() { tDefaultKeyRan = true; }

void watchFocusAndKeys(QWidget* w, Hwnd hwnd) { w->installEventFilter(new FocusWatch(hwnd, w)); }

void forgetFocus(Hwnd hwnd) {
  if (gFocus == hwnd) gFocus = 0;
}

bool preTranslateKeyPublic(Hwnd hwnd, unsigned vk, unsigned mods) {
  return preTranslateKey(hwnd, plat::kWmKeyDown, vk, static_cast<std::int32_t>(mods));
}

unsigned virtualKeyOf(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 0x70 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab: return kVkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_Space: return kVkSpace;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_Delete: return kVkDelete;
    case Qt::Key_Shift: return 0x10;
    case Qt::Key_Control: return 0x11;
    default: return 0;
  }
}

bool routeKeyUp(Hwnd hwnd, int qtKey, Qt::KeyboardModifiers mods) {
  unsigned vk = virtualKeyOf(qtKey);
  std::int32_t l = keyLParam(modifierBits(mods), false);
  if (preTranslateKey(hwnd, kWmKeyUp, vk, l)) return true;
  if (rec(hwnd)) plat::sendMessage(hwnd, kWmKeyUp, vk, l);
  return false;
}

bool routeKey(Hwnd hwnd, int qtKey, Qt::KeyboardModifiers mods, const QString& text, bool repeat, bool& runBase) {
  runBase = false;
  unsigned vk = virtualKeyOf(qtKey);
  unsigned bits = modifierBits(mods);
  if (preTranslateKey(hwnd, plat::kWmKeyDown, vk, keyLParam(bits, repeat))) return true;
  WinRec* r = rec(hwnd);
  if (!r) return true;
  // Tab moves the focus through the dialog before any control sees it.
  if (vk == kVkTab && r->kind != Kind::Dialog) {
    runBase = true;
    return false;
  }
  if (r->kind == Kind::Dialog) {
    if (vk == kVkEscape) plat::sendMessage(hwnd, plat::kWmCommand, makeWParam(kIdCancel, kBnClicked), 0);
    else if (vk == kVkReturn) plat::sendMessage(hwnd, plat::kWmCommand, makeWParam(kIdOk, kBnClicked), 0);
    else runBase = true;
    return true;
  }
  bool oldFrom = tFromWindowSystem;
  tFromWindowSystem = true;
  tDefaultKeyRan = false;
  plat::sendMessage(hwnd, plat::kWmKeyDown, vk, keyLParam(bits, repeat));
  bool ran = tDefaultKeyRan;
  tFromWindowSystem = oldFrom;
  if (!ran || !rec(hwnd)) return true;
  bool multiline = (r->style & kEsMultiline) != 0;
  if (vk == kVkEscape) {
    plat::sendMessage(topLevelOf(hwnd), plat::kWmCommand, makeWParam(kIdCancel, kBnClicked), 0);
    return true;
  }
  if (vk == kVkReturn && !multiline) {
    plat::sendMessage(topLevelOf(hwnd), plat::kWmCommand, makeWParam(kIdOk, kBnClicked), 0);
    return true;
  }
  bool typed = !text.isEmpty() && !(mods & (Qt::ControlModifier | Qt::AltModifier));
  if (typed) {
    for (QChar c : text) {
      if (c.unicode() < 0x20 && c.unicode() != 8 && c.unicode() != 13 && c.unicode() != 9) {
        runBase = true;
        continue;
      }
      if (!rec(hwnd)) break;
      plat::sendMessage(hwnd, plat::kWmChar, c.unicode(), 1);
    }
    return true;
  }
  runBase = true;
  return false;
}

void focusChanged(Hwnd hwnd, bool in) {
  WinRec* r = rec(hwnd);
  if (!r) return;
  if (in) {
    if (gFocus == hwnd) return;
    gFocus = hwnd;
  } else {
    if (gFocus != hwnd) return;
    gFocus = 0;
  }
  plat::sendMessage(hwnd, in ? kWmSetFocus : kWmKillFocus, 0, 0);
  if (!(r = rec(hwnd))) return;
  switch (r->kind) {
    case Kind::Edit:
      if (r->ownerCombo) sendCommand(r->ownerCombo, in ? kCbnSetFocus : kCbnKillFocus);
      else sendCommand(hwnd, in ? kEnSetFocus : kEnKillFocus);
      break;
    case Kind::Combo: sendCommand(hwnd, in ? kCbnSetFocus : kCbnKillFocus); break;
    default: break;
  }
}

void contextGesture(Hwnd hwnd, QPoint global) {
  plat::sendMessage(hwnd, kWmContextMenu, hwnd, makeLParam(global.x(), global.y()));
}

void watchGestures(QWidget* w, Hwnd hwnd) {
  w->setContextMenuPolicy(Qt::NoContextMenu);
  w->installEventFilter(new GestureWatch(hwnd, w));
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) {
    area->viewport()->setContextMenuPolicy(Qt::NoContextMenu);
    area->viewport()->installEventFilter(new GestureWatch(hwnd, area->viewport()));
  }
}

}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

Hwnd setFocus(Hwnd hwnd) {
  Hwnd prev = getFocus();
  QWidget* w = widgetOf(hwnd);
  if (!w) return prev;
  if (auto* c = qobject_cast<QComboBox*>(w); c && c->lineEdit()) w = c->lineEdit();
  QWidget* top = w->window();
  if (!top->isActiveWindow()) {
    top->activateWindow();
    QApplication::setActiveWindow(top);
  }
  w->setFocus(Qt::OtherFocusReason);
  // Without an active window the system gives no focus events: tell the procedures ourselves.
  WinRec* target = recOfWidget(w);
  if (target && gFocus != target->hwnd) {
    if (gFocus) focusChanged(gFocus, false);
    focusChanged(target->hwnd, true);
  }
  return prev;
}

Hwnd getFocus() {
  if (QWidget* f = QApplication::focusWidget()) {
    // An editable combo box has the focus in its edit.
    if (WinRec* r = recOfWidget(f)) return r->comboEdit ? r->comboEdit : r->hwnd;
  }
  return rec(gFocus) ? gFocus : 0;
}

}  // namespace ui
