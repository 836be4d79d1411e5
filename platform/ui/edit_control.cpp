// The edit: multi-line and single-line widgets, offsets counted with CR LF as the handheld counts
// them, the edit's messages, and the system input method's compositions on the message path.
#include "platform/ui/controls.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>

#include <map>

#include "platform/ui/panel_host.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {
namespace {

std::map<Hwnd, std::pair<std::u16string, std::u16string>> gComposition;  // being composed, result
std::map<Hwnd, bool> gComposing;
// Input-method contexts of edits: closed ones (open is the default) and composition fonts.
std::map<Hwnd, bool> gImeClosed;
std::map<Hwnd, Font> gCompositionFont;

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
    if (gImeClosed.count(h)) {
      // A closed context composes nothing: what arrives is typed as characters.
      for (QChar c : commit) {
        if (!rec(h)) return;
        plat::sendMessage(h, plat::kWmChar, c.unicode(), 1);
      }
      return;
    }
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
    // Show the text being composed, in the composition font when one is set; the result arrives
    // through the procedures.
    QList<QInputMethodEvent::Attribute> attributes = e->attributes();
    auto font = gCompositionFont.find(h);
    if (font != gCompositionFont.end() && !preedit.isEmpty()) {
      QTextCharFormat format;
      format.setFont(fontOf(font->second));
      attributes.append({QInputMethodEvent::TextFormat, 0, static_cast<int>(preedit.size()), format});
    }
    QInputMethodEvent shown(preedit, attributes);
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
  // A tap reaches the edit's procedure as well (a program raises its input panel on it).
  void mousePressEvent(QMouseEvent* e) override {
    const Hwnd h = hwnd_;
    if (e->button() == Qt::LeftButton) {
      const QPoint at = e->position().toPoint();
      plat::sendMessage(h, kWmLButtonDown, 1, makeLParam(at.x(), at.y()));
      if (!rec(h)) return;
    }
    Base::mousePressEvent(e);
  }

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

// Offsets: the control counts a line break as CR LF.
int qtToWin(const QTextDocument* doc, int pos) { return pos + doc->findBlock(pos).blockNumber(); }

// The block holding offset w is found by halving over block numbers (each block's offset is
// its position plus the CR LF pairs before it), not by walking from the start.
int winToQt(const QTextDocument* doc, int w) {
  if (w < 0) return 0;
  int low = 0, high = doc->blockCount() - 1;
  while (low < high) {
    const int middle = low + (high - low + 1) / 2;
    if (doc->findBlockByNumber(middle).position() + middle <= w) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  const QTextBlock b = doc->findBlockByNumber(low);
  if (b.isValid()) {
    const int start = b.position() + low;
    const int len = b.length() - 1;
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

}  // namespace

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
      if (keyFromWindowSystem()) {
        defaultKeyHandled();
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

QWidget* makeEditWidget(WinRec& r, QWidget* parent, const std::u16string& text) {
  Hwnd h = r.hwnd;
  QWidget* w = nullptr;
  if (r.style & kEsMultiline) {
    auto* m = new MultiEdit(h, parent);
    m->setTabChangesFocus(true);
    m->setPlainText(toQtText(text));
    m->setReadOnly(r.style & kEsReadOnly);
    // As on the handheld, a multi-line edit wraps at its width unless it scrolls sideways by
    // itself (ES_AUTOHSCROLL); only then does it need a horizontal scroll bar.
    const bool wraps = (r.style & kEsAutoHScroll) == 0;
    m->setLineWrapMode(wraps ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    m->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m->setVerticalScrollBarPolicy(r.style & kWsVScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m->setHorizontalScrollBarPolicy(!wraps && (r.style & kWsHScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
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
  return w;
}

bool setEditText(WinRec& r, std::u16string_view text) {
  if (auto* m = multi(r)) {
    m->setPlainText(toQtText(text));
  } else if (auto* l = single(r)) {
    l->setText(toQ(text));
  } else {
    return false;
  }
  return true;
}

std::optional<std::u16string> editText(const WinRec& r) {
  if (auto* m = multi(r)) {
    std::u16string out;
    for (QTextBlock b = m->document()->begin(); b.isValid(); b = b.next()) {
      if (b != m->document()->begin()) out += u"\r\n";
      out += fromQ(b.text());
    }
    return out;
  }
  if (auto* l = single(r)) return fromQ(l->text());
  return std::nullopt;
}

void forgetEdit(Hwnd hwnd) {
  gComposition.erase(hwnd);
  gImeClosed.erase(hwnd);
  gCompositionFont.erase(hwnd);
  gComposing.erase(hwnd);
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
  QuietNotifications q;
  insertText(*r, toQtText(text));
}

bool editIsReadOnly(Hwnd edit) {
  WinRec* r = rec(edit);
  return !r || r->kind != Kind::Edit || editReadOnly(*r);
}

std::u16string compositionString(Hwnd hwnd, std::int32_t which) {
  auto it = gComposition.find(hwnd);
  if (it == gComposition.end()) return {};
  return which == kGcsResultStr ? it->second.second : it->second.first;
}

ImeStatus imeStatus(Hwnd hwnd) {
  // What reaches a control through the system's input method is composed native text, unless
  // the control's context is closed.
  const bool open = !gImeClosed.count(hwnd);
  return ImeStatus{open, open, 0};
}

void setImeOpen(Hwnd edit, bool open) {
  WinRec* r = rec(edit);
  if (!r || r->kind != Kind::Edit) return;
  if (open) gImeClosed.erase(edit);
  else gImeClosed[edit] = true;
  if (r->widget) r->widget->setAttribute(Qt::WA_InputMethodEnabled, open);
}

void setCompositionFont(Hwnd edit, Font font) {
  WinRec* r = rec(edit);
  if (!r || r->kind != Kind::Edit) return;
  if (font) gCompositionFont[edit] = font;
  else gCompositionFont.erase(edit);
}

Font compositionFont(Hwnd edit) {
  auto it = gCompositionFont.find(edit);
  return it == gCompositionFont.end() ? 0 : it->second;
}

}  // namespace ui
