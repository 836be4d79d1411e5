// The controls: their widgets, their class procedure (messages carrying numbers), their
// notifications to the dialog, keys and compositions on the message path, focus and gestures.
#include "platform/ui/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStylePainter>
#include <QTabBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <map>

#include "platform/ui/dialog.h"
#include "platform/ui/fonts.h"
#include "platform/ui/panel_host.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {
QWidget* makeHtmlWidget(WinRec& r, QWidget* parent);
void setHtmlText(WinRec& r, std::u16string_view text);
std::u16string htmlText(const WinRec& r);

namespace {

std::vector<const NotifyInfo*> gNotifies;
std::vector<const DrawItemInfo*> gDrawItems;
Hwnd gFocus = 0;
std::map<Hwnd, std::pair<std::u16string, std::u16string>> gComposition;  // being composed, result
std::map<Hwnd, bool> gComposing;

// Key routing state of this thread: set while a key of the window system travels the procedures.
thread_local bool tFromWindowSystem = false;
thread_local bool tDefaultKeyRan = false;
// Programmatic changes do not notify.
thread_local int tQuiet = 0;
struct Quiet {
  Quiet() { ++tQuiet; }
  ~Quiet() { --tQuiet; }
};

unsigned modifierBits(Qt::KeyboardModifiers m) {
  unsigned bits = 0;
  if (m & Qt::ControlModifier) bits |= plat::kAccelControl;
  if (m & Qt::ShiftModifier) bits |= plat::kAccelShift;
  if (m & Qt::AltModifier) bits |= plat::kAccelAlt;
  return bits;
}

bool preTranslateKey(Hwnd hwnd, unsigned msg, unsigned vk, std::int32_t lParam);

std::int32_t keyLParam(unsigned mods, bool repeat) {
  return static_cast<std::int32_t>(mods | (repeat ? kKeyRepeatFlag : 0u));
}

// Edit behaviour shared by the multi-line and single-line widgets.
template <class Base>
class EditBase : public Base {
 public:
  EditBase(Hwnd h, QWidget* parent) : Base(parent), hwnd_(h) {}

 protected:
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    focusChanged(hwnd_, true);
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (e->reason() != Qt::PopupFocusReason) focusChanged(hwnd_, false);
  }
  void keyPressEvent(QKeyEvent* e) override {
    bool runBase = false;
    routeKey(hwnd_, e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), runBase);
    if (runBase) Base::keyPressEvent(e);
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (!e->isAutoRepeat()) routeKeyUp(hwnd_, e->key(), e->modifiers());
    if (rec(hwnd_)) Base::keyReleaseEvent(e);
  }
  void inputMethodEvent(QInputMethodEvent* e) override {
    Hwnd h = hwnd_;
    const QString commit = e->commitString();
    const QString preedit = e->preeditString();
    bool& composing = gComposing[h];
    if (!composing && (!preedit.isEmpty() || !commit.isEmpty())) {
      composing = true;
      plat::sendMessage(h, kWmImeStartComposition, 0, 0);
      if (!rec(h)) return;
    }
    if (!preedit.isEmpty()) {
      gComposition[h].first = fromQ(preedit);
      plat::sendMessage(h, kWmImeComposition, preedit.isEmpty() ? 0 : preedit.at(0).unicode(), kGcsCompStr);
      if (!rec(h)) return;
    }
    // Show the text being composed; the result arrives through the procedures.
    QInputMethodEvent shown(preedit, e->attributes());
    Base::inputMethodEvent(&shown);
    if (!commit.isEmpty()) {
      gComposition[h].first.clear();
      gComposition[h].second = fromQ(commit);
      plat::sendMessage(h, kWmImeComposition, commit.at(0).unicode(), kGcsResultStr);
      if (!rec(h)) return;
      gComposition[h].second.clear();
    }
    if (preedit.isEmpty() && gComposing[h]) {
      gComposing[h] = false;
      plat::sendMessage(h, kWmImeEndComposition, 0, 0);
    }
  }
  void contextMenuEvent(QContextMenuEvent* e) override { e->accept(); }

  Hwnd hwnd_;
};

class MultiEdit : public EditBase<QPlainTextEdit> {
 public:
  using EditBase::EditBase;
};
class LineEdit : public EditBase<QLineEdit> {
 public:
  using EditBase::EditBase;
};

class OwnerDrawButton : public QAbstractButton {
 public:
  OwnerDrawButton(Hwnd h, QWidget* parent) : QAbstractButton(parent), hwnd_(h) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    WinRec* r = rec(hwnd_);
    if (!r) return;
    QImage img(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(palette().button().color());
    Painter* p = painterOn(&img);
    DrawItemInfo info;
    info.ctlType = kOdtButton;
    info.ctlId = r->id;
    info.itemState = (isDown() ? kOdsSelected : 0) | (isEnabled() ? 0 : kOdsDisabled) | (hasFocus() ? kOdsFocus : 0);
    info.hwndItem = hwnd_;
    info.rect = Rect{0, 0, width(), height()};
    info.painter = p;
    sendDrawItem(info);
    releasePainter(p);
    QPainter wp(this);
    wp.drawImage(0, 0, img);
  }
  void focusInEvent(QFocusEvent* e) override {
    QAbstractButton::focusInEvent(e);
    focusChanged(hwnd_, true);
  }
  void focusOutEvent(QFocusEvent* e) override {
    QAbstractButton::focusOutEvent(e);
    focusChanged(hwnd_, false);
  }

 private:
  Hwnd hwnd_;
};

class Trackbar : public QSlider {
 public:
  Trackbar(Hwnd h, QWidget* parent) : QSlider(Qt::Horizontal, parent), hwnd_(h) {}

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (rec(hwnd_)) {
      NotifyInfo n;
      n.code = kNmCustomDraw;
      n.drawStage = 1;
      sendNotify(hwnd_, n);
    }
    QSlider::paintEvent(e);
  }

 private:
  Hwnd hwnd_;
};

class TabBar : public QTabBar {
 public:
  TabBar(Hwnd h, QWidget* parent) : QTabBar(parent), hwnd_(h) {}
  int imageList = 0;
  std::vector<int> images;

 protected:
  void paintEvent(QPaintEvent* e) override {
    WinRec* r = rec(hwnd_);
    if (!r || !(r->style & kTcsOwnerDrawFixed)) {
      QTabBar::paintEvent(e);
      return;
    }
    QPainter wp(this);
    for (int i = 0; i < count(); ++i) {
      QRect tr = tabRect(i);
      QImage img(tr.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
      img.fill(palette().window().color());
      Painter* p = painterOn(&img);
      DrawItemInfo info;
      info.ctlType = kOdtTab;
      info.ctlId = r->id;
      info.itemId = i;
      info.itemState = i == currentIndex() ? kOdsSelected : 0;
      info.hwndItem = hwnd_;
      info.rect = Rect{0, 0, tr.width(), tr.height()};
      info.painter = p;
      sendDrawItem(info);
      releasePainter(p);
      wp.drawImage(tr.topLeft(), img);
    }
  }

 private:
  Hwnd hwnd_;
};

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

// Offsets: the control counts a line break as CR LF.
int qtToWin(const QTextDocument* doc, int pos) { return pos + doc->findBlock(pos).blockNumber(); }

int winToQt(const QTextDocument* doc, int w) {
  if (w < 0) return 0;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    int start = b.position() + b.blockNumber();
    int len = b.length() - 1;
    if (w <= start + len) return b.position() + std::max(0, w - start);
    if (w < start + len + 2) return b.position() + len;
  }
  return std::max(0, doc->characterCount() - 1);
}

QString toQtText(std::u16string_view text) {
  QString s = toQ(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar(u'\r'), QChar(u'\n'));
  return s;
}

QPlainTextEdit* multi(const WinRec& r) { return qobject_cast<QPlainTextEdit*>(r.widget.data()); }
QLineEdit* single(const WinRec& r) { return qobject_cast<QLineEdit*>(r.widget.data()); }

bool editReadOnly(const WinRec& r) {
  if (auto* m = multi(r)) return m->isReadOnly();
  if (auto* s = single(r)) return s->isReadOnly();
  return true;
}

void insertText(WinRec& r, const QString& s) {
  if (auto* m = multi(r)) m->textCursor().insertText(s), m->ensureCursorVisible();
  else if (auto* l = single(r)) l->insert(s);
}

// Visual lines: each paragraph laid out at the width the text has.
int visualLineCount(QPlainTextEdit* m) {
  QTextDocument* doc = m->document();
  qreal width = m->viewport()->width() - 2 * doc->documentMargin();
  if (width <= 1) width = 1;
  int lines = 0;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    QTextLayout layout(b.text(), m->font());
    QTextOption opt;
    opt.setWrapMode(m->wordWrapMode());
    layout.setTextOption(opt);
    layout.beginLayout();
    int n = 0;
    for (;;) {
      QTextLine line = layout.createLine();
      if (!line.isValid()) break;
      line.setLineWidth(m->lineWrapMode() == QPlainTextEdit::NoWrap ? 1e9 : width);
      ++n;
    }
    layout.endLayout();
    lines += std::max(1, n);
  }
  return lines;
}

std::intptr_t editProc(WinRec& r, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  QPlainTextEdit* m = multi(r);
  QLineEdit* l = single(r);
  switch (msg) {
    case kEmGetSel: {
      auto [a, b] = editGetSel(r.hwnd);
      return static_cast<std::intptr_t>(makeWParam(a, b));
    }
    case kEmSetSel: editSetSel(r.hwnd, static_cast<int>(static_cast<std::int32_t>(wParam)), lParam); return 0;
    case kEmGetLineCount: return m ? visualLineCount(m) : 1;
    case kEmGetFirstVisibleLine: return m ? m->verticalScrollBar()->value() : 0;
    case kEmLineScroll:
      if (m) m->verticalScrollBar()->setValue(m->verticalScrollBar()->value() + lParam);
      return m ? 1 : 0;
    case kEmSetReadOnly:
      if (m) m->setReadOnly(wParam != 0);
      if (l) l->setReadOnly(wParam != 0);
      if (wParam) r.style |= kEsReadOnly;
      else r.style &= ~kEsReadOnly;
      return 1;
    case kEmCanUndo: return m ? m->document()->isUndoAvailable() : (l && l->isUndoAvailable());
    case kEmUndo:
    case kWmUndo:
      if (editReadOnly(r)) return 0;
      if (m) m->undo();
      if (l) l->undo();
      return 1;
    case kWmCut:
      if (!editReadOnly(r)) {
        if (m) m->cut();
        if (l) l->cut();
      }
      return 0;
    case kWmCopy:
      if (m) m->copy();
      if (l) l->copy();
      return 0;
    case kWmPaste:
      if (!editReadOnly(r)) {
        if (m) m->paste();
        if (l) l->paste();
      }
      return 0;
    case kWmClear:
      if (!editReadOnly(r)) {
        if (m) m->textCursor().removeSelectedText();
        if (l) l->del();
      }
      return 0;
    case plat::kWmChar: {
      if (editReadOnly(r)) return 0;
      char16_t c = static_cast<char16_t>(wParam);
      if (c == 8) {
        if (m) {
          QTextCursor cur = m->textCursor();
          if (!cur.hasSelection()) cur.deletePreviousChar();
          else cur.removeSelectedText();
          m->setTextCursor(cur);
        }
        if (l) l->backspace();
      } else if (c == 13 || c == 10) {
        if (m) insertText(r, QStringLiteral("\n"));
      } else if (c >= 0x20 || c == 9) {
        insertText(r, QString(QChar(c)));
      }
      return 0;
    }
    case plat::kWmKeyDown: {
      if (tFromWindowSystem) {
        tDefaultKeyRan = true;
        return 0;
      }
      // A key sent by a panel: the edit's own movement keys.
      if (m) {
        QTextCursor cur = m->textCursor();
        switch (wParam) {
          case kVkLeft: cur.movePosition(QTextCursor::PreviousCharacter); break;
          case kVkRight: cur.movePosition(QTextCursor::NextCharacter); break;
          case kVkUp: cur.movePosition(QTextCursor::Up); break;
          case kVkDown: cur.movePosition(QTextCursor::Down); break;
          case kVkHome: cur.movePosition(QTextCursor::StartOfLine); break;
          case kVkEnd: cur.movePosition(QTextCursor::EndOfLine); break;
          case kVkDelete:
            if (!m->isReadOnly()) cur.deleteChar();
            break;
          default: break;
        }
        m->setTextCursor(cur);
      }
      if (l) {
        switch (wParam) {
          case kVkLeft: l->cursorBackward(false); break;
          case kVkRight: l->cursorForward(false); break;
          case kVkHome: l->home(false); break;
          case kVkEnd: l->end(false); break;
          case kVkDelete:
            if (!l->isReadOnly()) l->del();
            break;
          default: break;
        }
      }
      return 0;
    }
    case kWmImeComposition:
      // The result goes in as characters, through the procedure, as typed ones do.
      if (lParam & kGcsResultStr) {
        std::u16string result = compositionString(r.hwnd, kGcsResultStr);
        Hwnd h = r.hwnd;
        for (char16_t c : result) {
          if (!rec(h)) break;
          plat::sendMessage(h, plat::kWmChar, c, 1);
        }
      }
      return 0;
    default: return 0;
  }
}

void uncheckGroupSiblings(Hwnd button) {
  Hwnd parent = plat::windowParent(button);
  std::vector<Hwnd> kids = childWindows(parent);
  auto isRadio = [](Hwnd h) {
    WinRec* r = rec(h);
    if (!r || r->kind != Kind::Button) return false;
    unsigned t = r->style & kBsTypeMask;
    return t == kBsRadioButton || t == kBsAutoRadioButton;
  };
  auto it = std::find(kids.begin(), kids.end(), button);
  if (it == kids.end()) return;
  size_t at = static_cast<size_t>(it - kids.begin());
  size_t first = at;
  while (first > 0 && !(rec(kids[first])->style & kWsGroup) && isRadio(kids[first - 1])) --first;
  for (size_t i = first; i < kids.size() && isRadio(kids[i]); ++i) {
    if (i > first && (rec(kids[i])->style & kWsGroup)) break;
    if (kids[i] != button) {
      if (auto* b = qobject_cast<QAbstractButton*>(widgetOf(kids[i]))) b->setChecked(false);
    }
  }
}

std::intptr_t buttonProc(WinRec& r, unsigned msg, std::uint32_t wParam) {
  auto* b = qobject_cast<QAbstractButton*>(r.widget.data());
  switch (msg) {
    case kBmGetCheck: return b && b->isCheckable() && b->isChecked() ? 1 : 0;
    case kBmSetCheck:
      if (b && b->isCheckable()) {
        b->setChecked(wParam != 0);
        if (wParam) {
          unsigned t = r.style & kBsTypeMask;
          if (t == kBsAutoRadioButton) uncheckGroupSiblings(r.hwnd);
        }
      }
      return 0;
    default: return 0;
  }
}

std::intptr_t comboProc(WinRec& r, unsigned msg, std::uint32_t wParam) {
  auto* c = qobject_cast<QComboBox*>(r.widget.data());
  if (!c) return 0;
  Quiet q;
  switch (msg) {
    case kCbGetCount: return c->count();
    case kCbGetCurSel: return c->currentIndex();
    case kCbSetCurSel:
      c->setCurrentIndex(static_cast<int>(static_cast<std::int32_t>(wParam)));
      return c->currentIndex();
    case kCbResetContent: c->clear(); return 0;
    case kCbShowDropDown:
      if (wParam) c->showPopup();
      else c->hidePopup();
      return 1;
    default: return 0;
  }
}

void applyExtent(QListWidget* l, int extent) {
  for (int i = 0; i < l->count(); ++i) {
    QListWidgetItem* it = l->item(i);
    it->setSizeHint(extent > 0 ? QSize(extent, l->fontMetrics().height()) : QSize());
  }
}

std::intptr_t listProc(WinRec& r, unsigned msg, std::uint32_t wParam) {
  auto* l = qobject_cast<QListWidget*>(r.widget.data());
  if (!l) return 0;
  Quiet q;
  int idx = static_cast<int>(static_cast<std::int32_t>(wParam));
  switch (msg) {
    case kLbGetCount: return l->count();
    case kLbGetCurSel: return l->currentItem() && l->currentItem()->isSelected() ? l->currentRow() : -1;
    case kLbSetCurSel:
      if (idx < 0 || idx >= l->count()) {
        l->setCurrentRow(-1);
        l->clearSelection();
        return -1;
      }
      l->setCurrentRow(idx);
      l->scrollToItem(l->currentItem());
      return idx;
    case kLbDeleteString:
      if (idx < 0 || idx >= l->count()) return -1;
      delete l->takeItem(idx);
      return l->count();
    case kLbResetContent: l->clear(); return 0;
    case kLbGetTopIndex: {
      QListWidgetItem* it = l->itemAt(2, 2);
      return it ? l->row(it) : 0;
    }
    case kLbSetTopIndex:
      if (idx >= 0 && idx < l->count()) l->scrollToItem(l->item(idx), QAbstractItemView::PositionAtTop);
      return 0;
    case kLbGetHorizontalExtent: return l->property("suiteExtent").toInt();
    case kLbSetHorizontalExtent:
      l->setProperty("suiteExtent", idx);
      applyExtent(l, idx);
      return 0;
    default: return 0;
  }
}

std::intptr_t trackbarProc(WinRec& r, unsigned msg, std::uint32_t, std::int32_t lParam) {
  auto* s = qobject_cast<QSlider*>(r.widget.data());
  if (!s) return 0;
  Quiet q;
  switch (msg) {
    case kTbmGetPos: return s->value();
    case kTbmGetRangeMin: return s->minimum();
    case kTbmGetRangeMax: return s->maximum();
    case kTbmSetPos: s->setValue(lParam); return 0;
    case kTbmSetRange: s->setRange(loShort(lParam), hiShort(lParam)); return 0;
    default: return 0;
  }
}

std::intptr_t tabProc(WinRec& r, unsigned msg, std::uint32_t wParam) {
  auto* t = qobject_cast<QTabBar*>(r.widget.data());
  if (!t) return 0;
  Quiet q;
  switch (msg) {
    case kTcmGetCurSel: return t->currentIndex();
    case kTcmSetCurSel: {
      int prev = t->currentIndex();
      t->setCurrentIndex(static_cast<int>(wParam));
      return prev;
    }
    case kTcmGetItemCount: return t->count();
    default: return 0;
  }
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

}  // namespace

void forgetWindow(Hwnd hwnd) {
  gComposition.erase(hwnd);
  gComposing.erase(hwnd);
  if (gFocus == hwnd) gFocus = 0;
  forgetHtmlView(hwnd);
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

void sendCommand(Hwnd control, unsigned code) {
  WinRec* r = rec(control);
  if (!r || tQuiet) return;
  Hwnd parent = r->parent;
  if (!parent) return;
  plat::sendMessage(parent, plat::kWmCommand, makeWParam(r->id, code), static_cast<std::int32_t>(control));
}

std::intptr_t sendNotify(Hwnd control, NotifyInfo info) {
  WinRec* r = rec(control);
  if (!r || !r->parent) return 0;
  info.from = control;
  info.id = r->id;
  gNotifies.push_back(&info);
  std::int32_t token = static_cast<std::int32_t>(gNotifies.size());
  std::intptr_t res = plat::sendMessage(r->parent, kWmNotify, r->id, token);
  gNotifies.pop_back();
  return res;
}

std::intptr_t sendDrawItem(DrawItemInfo info) {
  WinRec* r = rec(info.hwndItem);
  if (!r || !r->parent) return 0;
  gDrawItems.push_back(&info);
  std::int32_t token = static_cast<std::int32_t>(gDrawItems.size());
  std::intptr_t res = plat::sendMessage(r->parent, kWmDrawItem, r->id, token);
  gDrawItems.pop_back();
  return res;
}

QWidget* makeControlWidget(WinRec& r, QWidget* parent, const std::u16string& text) {
  Hwnd h = r.hwnd;
  QWidget* w = nullptr;
  switch (r.kind) {
    case Kind::Edit: {
      if (r.style & kEsMultiline) {
        auto* m = new MultiEdit(h, parent);
        m->setTabChangesFocus(true);
        m->setPlainText(toQtText(text));
        m->setReadOnly(r.style & kEsReadOnly);
        m->setLineWrapMode(r.style & kWsHScroll ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        m->setVerticalScrollBarPolicy(r.style & kWsVScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy(r.style & kWsHScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
        QObject::connect(m, &QPlainTextEdit::textChanged, [h] { sendCommand(h, kEnChange); });
        w = m;
      } else {
        auto* l = new LineEdit(h, parent);
        l->setText(toQ(text));
        l->setReadOnly(r.style & kEsReadOnly);
        QObject::connect(l, &QLineEdit::textChanged, [h] {
          WinRec* er = rec(h);
          if (er && er->ownerCombo) sendCommand(er->ownerCombo, kCbnEditChange);
          else sendCommand(h, kEnChange);
        });
        w = l;
      }
      watchGestures(w, h);
      break;
    }
    case Kind::Button: {
      unsigned t = r.style & kBsTypeMask;
      QAbstractButton* b = nullptr;
      if (t == kBsGroupBox) {
        auto* g = new QGroupBox(toQ(text), parent);
        g->setFlat(false);
        w = g;
        break;
      }
      if (t == kBsCheckBox || t == kBsAutoCheckBox) b = new QCheckBox(toQ(text), parent);
      else if (t == kBsRadioButton || t == kBsAutoRadioButton) {
        auto* rb = new QRadioButton(toQ(text), parent);
        rb->setAutoExclusive(false);
        b = rb;
      } else if (t == kBsOwnerDraw) b = new OwnerDrawButton(h, parent);
      else b = new QPushButton(toQ(text), parent);
      QObject::connect(b, &QAbstractButton::clicked, [h, t] {
        if (t == kBsAutoRadioButton || t == kBsRadioButton) {
          if (auto* self = qobject_cast<QAbstractButton*>(widgetOf(h))) self->setChecked(true);
          uncheckGroupSiblings(h);
        }
        sendCommand(h, kBnClicked);
      });
      if (t != kBsOwnerDraw) b->installEventFilter(new FocusWatch(h, b));
      watchGestures(b, h);
      w = b;
      break;
    }
    case Kind::Static: {
      auto* l = new QLabel(toQ(text), parent);
      unsigned a = r.style & 0x3;
      l->setAlignment((a == kSsCenter ? Qt::AlignHCenter : a == kSsRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
      l->setWordWrap(true);
      w = l;
      break;
    }
    case Kind::Combo: {
      auto* c = new QComboBox(parent);
      c->setEditable((r.style & 0x3) == kCbsDropDown);
      c->setInsertPolicy(QComboBox::NoInsert);
      QObject::connect(c, &QComboBox::activated, [h](int) { sendCommand(h, kCbnSelChange); });
      if (!c->isEditable()) c->installEventFilter(new FocusWatch(h, c));
      watchGestures(c, h);
      w = c;
      break;
    }
    case Kind::List: {
      auto* l = new QListWidget(parent);
      l->setSelectionMode(QAbstractItemView::SingleSelection);
      l->setHorizontalScrollBarPolicy(r.style & kWsHScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      QObject::connect(l, &QListWidget::currentRowChanged, [h](int) { sendCommand(h, kLbnSelChange); });
      l->installEventFilter(new FocusWatch(h, l));
      watchGestures(l, h);
      w = l;
      break;
    }
    case Kind::Trackbar: {
      auto* s = new Trackbar(h, parent);
      s->setRange(0, 100);
      QObject::connect(s, &QSlider::actionTriggered, [h](int action) {
        auto* sl = qobject_cast<QSlider*>(widgetOf(h));
        if (!sl || tQuiet) return;
        unsigned code = kTbThumbTrack;
        switch (action) {
          case QAbstractSlider::SliderSingleStepAdd: code = kTbLineDown; break;
          case QAbstractSlider::SliderSingleStepSub: code = kTbLineUp; break;
          case QAbstractSlider::SliderPageStepAdd: code = kTbPageDown; break;
          case QAbstractSlider::SliderPageStepSub: code = kTbPageUp; break;
          default: break;
        }
        WinRec* tr = rec(h);
        if (tr && tr->parent) {
          plat::sendMessage(tr->parent, kWmHScroll, makeWParam(code, sl->sliderPosition()), static_cast<std::int32_t>(h));
        }
      });
      QObject::connect(s, &QSlider::sliderReleased, [h] {
        auto* sl = qobject_cast<QSlider*>(widgetOf(h));
        WinRec* tr = rec(h);
        if (sl && tr && tr->parent) plat::sendMessage(tr->parent, kWmHScroll, makeWParam(kTbEndTrack, 0), static_cast<std::int32_t>(h));
      });
      s->installEventFilter(new FocusWatch(h, s));
      w = s;
      break;
    }
    case Kind::Tab: {
      auto* t = new TabBar(h, parent);
      t->setExpanding(false);
      QObject::connect(t, &QTabBar::currentChanged, [h](int) {
        if (tQuiet) return;
        NotifyInfo n;
        n.code = kTcnSelChange;
        sendNotify(h, n);
      });
      t->installEventFilter(new FocusWatch(h, t));
      w = t;
      break;
    }
    case Kind::Html: w = makeHtmlWidget(r, parent); break;
    default: w = makeGenericWidget(r, parent); break;
  }
  return w;
}

void finishControl(WinRec& r) {
  auto* c = qobject_cast<QComboBox*>(r.widget.data());
  if (r.kind != Kind::Combo || !c || !c->isEditable()) return;
  Hwnd combo = r.hwnd;
  Pending p;
  p.kind = Kind::Edit;
  p.id = 1001;
  p.style = kWsVisible | kEsAutoHScroll;
  Hwnd e = createWithWidget(u"Edit", u"", combo, p);
  WinRec* er = rec(e);
  if (!er) return;
  er->ownerCombo = combo;
  if (WinRec* cr = rec(combo)) cr->comboEdit = e;
  if (auto* le = qobject_cast<QLineEdit*>(er->widget.data())) c->setLineEdit(le);
}

void setControlText(WinRec& r, std::u16string_view text) {
  Quiet q;
  QWidget* w = r.widget;
  if (!w) return;
  if (auto* m = multi(r)) {
    m->setPlainText(toQtText(text));
  } else if (auto* l = single(r)) {
    l->setText(toQ(text));
  } else if (auto* c = qobject_cast<QComboBox*>(w)) {
    if (c->isEditable()) c->setEditText(toQ(text));
  } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
    g->setTitle(toQ(text));
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    b->setText(toQ(text));
    b->update();
  } else if (auto* lab = qobject_cast<QLabel*>(w)) {
    lab->setText(toQ(text));
  } else if (r.kind == Kind::Html) {
    setHtmlText(r, text);
  }
}

std::u16string controlText(const WinRec& r) {
  QWidget* w = r.widget;
  if (!w) return {};
  if (auto* m = multi(r)) {
    std::u16string out;
    for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next()) {
      if (b != m->document()->begin()) out += u"\r\n";
      out += fromQ(b.text());
    }
    return out;
  }
  if (auto* l = single(r)) return fromQ(l->text());
  if (auto* c = qobject_cast<QComboBox*>(w)) return fromQ(c->currentText());
  if (auto* g = qobject_cast<QGroupBox*>(w)) return fromQ(g->title());
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return fromQ(b->text());
  if (auto* lab = qobject_cast<QLabel*>(w)) return fromQ(lab->text());
  if (r.kind == Kind::Html) return htmlText(r);
  return plat::windowTitle(r.hwnd);
}

std::intptr_t controlProc(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  WinRec* r = rec(hwnd);
  if (!r) return 0;
  if (msg == kWmContextMenu) {
    // Not handled by the control: its dialog hears it.
    return r->parent ? plat::sendMessage(r->parent, msg, wParam, lParam) : 0;
  }
  switch (r->kind) {
    case Kind::Edit: return editProc(*r, msg, wParam, lParam);
    case Kind::Button: return buttonProc(*r, msg, wParam);
    case Kind::Combo: return comboProc(*r, msg, wParam);
    case Kind::List: return listProc(*r, msg, wParam);
    case Kind::Trackbar: return trackbarProc(*r, msg, wParam, lParam);
    case Kind::Tab: return tabProc(*r, msg, wParam);
    default: return 0;
  }
}

}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

std::pair<int, int> editGetSel(Hwnd edit) {
  WinRec* r = rec(edit);
  if (!r) return {0, 0};
  if (auto* m = multi(*r)) {
    QTextCursor c = m->textCursor();
    return {qtToWin(m->document(), c.selectionStart()), qtToWin(m->document(), c.selectionEnd())};
  }
  if (auto* l = single(*r)) {
    if (l->hasSelectedText()) return {l->selectionStart(), l->selectionStart() + static_cast<int>(l->selectedText().size())};
    return {l->cursorPosition(), l->cursorPosition()};
  }
  return {0, 0};
}

void editSetSel(Hwnd edit, int start, int end) {
  WinRec* r = rec(edit);
  if (!r) return;
  if (auto* m = multi(*r)) {
    QTextCursor c = m->textCursor();
    if (start < 0) {
      c.clearSelection();
    } else {
      QTextDocument* doc = m->document();
      int a = winToQt(doc, start);
      int b = end < 0 ? doc->characterCount() - 1 : winToQt(doc, end);
      c.setPosition(a);
      c.setPosition(b, QTextCursor::KeepAnchor);
    }
    m->setTextCursor(c);
  } else if (auto* l = single(*r)) {
    if (start < 0) {
      l->deselect();
      return;
    }
    int n = static_cast<int>(l->text().size());
    int a = std::min(start, n);
    int b = end < 0 ? n : std::min(end, n);
    l->setSelection(a, b - a);
  }
}

void editReplaceSel(Hwnd edit, std::u16string_view text) {
  WinRec* r = rec(edit);
  if (!r) return;
  Quiet q;
  insertText(*r, toQtText(text));
}

bool editIsReadOnly(Hwnd edit) {
  WinRec* r = rec(edit);
  return !r || r->kind != Kind::Edit || editReadOnly(*r);
}

int comboAddString(Hwnd combo, std::u16string_view text) { return comboInsertString(combo, -1, text); }

int comboInsertString(Hwnd combo, int index, std::u16string_view text) {
  WinRec* r = rec(combo);
  auto* c = r ? qobject_cast<QComboBox*>(r->widget.data()) : nullptr;
  if (!c) return -1;
  Quiet q;
  QString keep = c->isEditable() ? c->currentText() : QString();
  int at = index < 0 || index > c->count() ? c->count() : index;
  c->insertItem(at, toQ(text));
  if (c->isEditable()) c->setEditText(keep);
  return at;
}

std::u16string comboGetItemText(Hwnd combo, int index) {
  WinRec* r = rec(combo);
  auto* c = r ? qobject_cast<QComboBox*>(r->widget.data()) : nullptr;
  if (!c || index < 0 || index >= c->count()) return {};
  return fromQ(c->itemText(index));
}

Hwnd comboEdit(Hwnd combo) {
  WinRec* r = rec(combo);
  return r ? r->comboEdit : 0;
}

int listAddString(Hwnd list, std::u16string_view text) { return listInsertString(list, -1, text); }

int listInsertString(Hwnd list, int index, std::u16string_view text) {
  WinRec* r = rec(list);
  auto* l = r ? qobject_cast<QListWidget*>(r->widget.data()) : nullptr;
  if (!l) return -1;
  Quiet q;
  int at = index < 0 || index > l->count() ? l->count() : index;
  auto* item = new QListWidgetItem(toQ(text));
  int extent = l->property("suiteExtent").toInt();
  if (extent > 0) item->setSizeHint(QSize(extent, l->fontMetrics().height()));
  l->insertItem(at, item);
  return at;
}

std::u16string listGetText(Hwnd list, int index) {
  WinRec* r = rec(list);
  auto* l = r ? qobject_cast<QListWidget*>(r->widget.data()) : nullptr;
  if (!l || index < 0 || index >= l->count()) return {};
  return fromQ(l->item(index)->text());
}

int listTextWidth(Hwnd list, std::u16string_view text) {
  QWidget* w = widgetOf(list);
  return w ? w->fontMetrics().horizontalAdvance(toQ(text)) : 0;
}

int tabInsertItem(Hwnd tab, int index, std::u16string_view text, int image) {
  WinRec* r = rec(tab);
  auto* t = r ? dynamic_cast<TabBar*>(r->widget.data()) : nullptr;
  if (!t) return -1;
  Quiet q;
  int at = index < 0 || index > t->count() ? t->count() : index;
  at = t->insertTab(at, toQ(text));
  t->images.insert(t->images.begin() + std::min<size_t>(at, t->images.size()), image);
  if (image >= 0 && t->imageList) {
    QImage img = imageListImage(t->imageList, image);
    if (!img.isNull()) t->setTabIcon(at, QIcon(QPixmap::fromImage(img)));
  }
  return at;
}

void tabSetImageList(Hwnd tab, int imageList) {
  WinRec* r = rec(tab);
  auto* t = r ? dynamic_cast<TabBar*>(r->widget.data()) : nullptr;
  if (!t) return;
  t->imageList = imageList;
  for (int i = 0; i < t->count() && i < static_cast<int>(t->images.size()); ++i) {
    QImage img = t->images[i] >= 0 ? imageListImage(imageList, t->images[i]) : QImage();
    t->setTabIcon(i, img.isNull() ? QIcon() : QIcon(QPixmap::fromImage(img)));
  }
}

bool isDlgButtonChecked(Hwnd dialog, unsigned id) { return plat::sendMessage(getDlgItem(dialog, id), kBmGetCheck, 0, 0) != 0; }

void checkDlgButton(Hwnd dialog, unsigned id, bool checked) {
  plat::sendMessage(getDlgItem(dialog, id), kBmSetCheck, checked ? 1 : 0, 0);
}

void checkRadioButton(Hwnd dialog, unsigned first, unsigned last, unsigned checked) {
  for (unsigned id = first; id <= last; ++id) {
    if (Hwnd h = getDlgItem(dialog, id)) {
      if (auto* b = qobject_cast<QAbstractButton*>(widgetOf(h))) b->setChecked(id == checked);
    }
  }
}

const NotifyInfo* notifyInfo(std::int32_t lParam) {
  if (lParam < 1 || lParam > static_cast<std::int32_t>(gNotifies.size())) return nullptr;
  return gNotifies[static_cast<size_t>(lParam - 1)];
}

const DrawItemInfo* drawItemInfo(std::int32_t lParam) {
  if (lParam < 1 || lParam > static_cast<std::int32_t>(gDrawItems.size())) return nullptr;
  return gDrawItems[static_cast<size_t>(lParam - 1)];
}

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

std::u16string compositionString(Hwnd hwnd, std::int32_t which) {
  auto it = gComposition.find(hwnd);
  if (it == gComposition.end()) return {};
  return which == kGcsResultStr ? it->second.second : it->second.first;
}

ImeStatus imeStatus(Hwnd) {
  // What reaches a control through the system's input method is composed native text.
  return ImeStatus{true, true, 0};
}

}  // namespace ui

namespace ui::impl {
bool preTranslateKeyPublic(Hwnd hwnd, unsigned vk, unsigned mods) {
  return preTranslateKey(hwnd, plat::kWmKeyDown, vk, static_cast<std::int32_t>(mods));
}
}  // namespace ui::impl
