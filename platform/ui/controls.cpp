// The controls other than the edit: buttons, static, combo and list boxes, trackbar, tab control;
// their widgets, their class procedure (messages carrying numbers) and their notifications.
#include "platform/ui/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QWheelEvent>

#include "platform/ui/dialog.h"
#include "platform/ui/fonts.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {
QWidget* makeHtmlWidget(WinRec& r, QWidget* parent);
void setHtmlText(WinRec& r, std::u16string_view text);
std::u16string htmlText(const WinRec& r);

namespace {

std::vector<const NotifyInfo*> gNotifies;
std::vector<const DrawItemInfo*> gDrawItems;
// Programmatic changes do not notify.
thread_local int tQuiet = 0;

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

// A combo box as high as the handheld makes it: its font's size and a thin frame, so that it
// keeps within its template's slot (the window system's own height counts the Japanese fonts'
// whole line spacing). A font set later shrinks it again.
class ComboBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  QSize sizeHint() const override { return QSize(QComboBox::sizeHint().width(), handheldHeight()); }
  QSize minimumSizeHint() const override { return QSize(QComboBox::minimumSizeHint().width(), handheldHeight()); }

 protected:
  void changeEvent(QEvent* e) override {
    QComboBox::changeEvent(e);
    if (e->type() == QEvent::FontChange && height() > handheldHeight()) resize(width(), handheldHeight());
  }

 private:
  int handheldHeight() const { return QFontInfo(font()).pixelSize() + uiPixels(6); }
};

class TabBar : public QTabBar {
 public:
  TabBar(Hwnd h, QWidget* parent) : QTabBar(parent), hwnd_(h) {}
  int imageList = 0;
  std::vector<int> images;

 protected:
  // Items the program draws share the control's width when their natural sizes do not fit, so
  // that every item shows without scroll arrows, as on the handheld.
  QSize tabSizeHint(int index) const override {
    QSize natural = QTabBar::tabSizeHint(index);
    WinRec* r = rec(hwnd_);
    if (!r || !(r->style & kTcsOwnerDrawFixed) || width() <= 0) return natural;
    int total = 0;
    for (int i = 0; i < count(); ++i) total += QTabBar::tabSizeHint(i).width();
    if (total <= width()) return natural;
    // Shares of the width in proportion, the last item taking what rounding leaves.
    int before = 0;
    for (int i = 0; i < index; ++i) before += QTabBar::tabSizeHint(i).width() * width() / total;
    int share = index == count() - 1 ? width() - before : natural.width() * width() / total;
    return QSize(std::max(1, share), natural.height());
  }
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

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
  QuietNotifications q;
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

// A list box scrolled past either end tells its parent (listNotifyScrollEnds): posted, so that
// the scroll finishes before the parent adds lines.
void tellListEnd(Hwnd h, bool down) {
  WinRec* r = rec(h);
  if (!r || !r->widget || !r->parent || notificationsQuiet()) return;
  unsigned message = r->widget->property("suiteEndMessage").toUInt();
  if (message) plat::postMessage(r->parent, message, down ? 1 : 0, static_cast<std::int32_t>(h));
}

// A notch of the wheel that reaches an end (the scroll bar moves after the viewport saw it).
class ListWheelWatch : public QObject {
 public:
  ListWheelWatch(Hwnd h, QAbstractScrollArea* area) : QObject(area), hwnd_(h), area_(area) {}

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::Wheel) return false;
    const int dy = static_cast<QWheelEvent*>(e)->angleDelta().y();
    QScrollBar* bar = area_->verticalScrollBar();
    const int steps = QApplication::wheelScrollLines() * bar->singleStep() * std::max(1, std::abs(dy) / 120);
    if (dy < 0 && bar->value() + steps >= bar->maximum()) tellListEnd(hwnd_, true);
    if (dy > 0 && bar->value() - steps <= bar->minimum()) tellListEnd(hwnd_, false);
    return false;
  }

 private:
  Hwnd hwnd_;
  QAbstractScrollArea* area_;
};

void watchListEnds(QListWidget* l, Hwnd h) {
  QScrollBar* bar = l->verticalScrollBar();
  // The arrows, the page areas and the thumb: told before the value moves, with the position the
  // action leads to, so that an action that reaches an end (or acts at it) counts.
  QObject::connect(bar, &QAbstractSlider::actionTriggered, [h, bar](int action) {
    const int to = bar->sliderPosition();
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd:
      case QAbstractSlider::SliderPageStepAdd:
      case QAbstractSlider::SliderToMaximum:
        if (to == bar->maximum()) tellListEnd(h, true);
        break;
      case QAbstractSlider::SliderSingleStepSub:
      case QAbstractSlider::SliderPageStepSub:
      case QAbstractSlider::SliderToMinimum:
        if (to == bar->minimum()) tellListEnd(h, false);
        break;
      case QAbstractSlider::SliderMove:
        if (!bar->isSliderDown()) break;  // the wheel is watched on the viewport
        if (to == bar->maximum()) tellListEnd(h, true);
        else if (to == bar->minimum()) tellListEnd(h, false);
        break;
      default: break;
    }
  });
  l->viewport()->installEventFilter(new ListWheelWatch(h, l));
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
  QuietNotifications q;
  int idx = static_cast<int>(static_cast<std::int32_t>(wParam));
  switch (msg) {
    case kLbGetCount: return l->count();
    case kLbGetCurSel: {
      const QList<QListWidgetItem*> chosen = l->selectedItems();
      return chosen.isEmpty() ? -1 : l->row(chosen.front());
    }
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
  QuietNotifications q;
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
  QuietNotifications q;
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

}  // namespace

QuietNotifications::QuietNotifications() { ++tQuiet; }
QuietNotifications::~QuietNotifications() { --tQuiet; }
bool notificationsQuiet() { return tQuiet != 0; }

void forgetWindow(Hwnd hwnd) {
  forgetEdit(hwnd);
  forgetFocus(hwnd);
  forgetHtmlView(hwnd);
}

void sendCommand(Hwnd control, unsigned code) {
  WinRec* r = rec(control);
  if (!r || notificationsQuiet()) return;
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
    case Kind::Edit: w = makeEditWidget(r, parent, text); break;
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
      if (t != kBsOwnerDraw) watchFocusAndKeys(b, h);
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
      auto* c = new ComboBox(parent);
      c->setEditable((r.style & 0x3) == kCbsDropDown);
      c->setInsertPolicy(QComboBox::NoInsert);
      QObject::connect(c, &QComboBox::activated, [h](int) { sendCommand(h, kCbnSelChange); });
      if (!c->isEditable()) watchFocusAndKeys(c, h);
      watchGestures(c, h);
      w = c;
      break;
    }
    case Kind::List: {
      auto* l = new QListWidget(parent);
      l->setSelectionMode(QAbstractItemView::SingleSelection);
      l->setHorizontalScrollBarPolicy(r.style & kWsHScroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
      // Told once the selection is made: a tap moves the current line before it selects it, a
      // key selects before it moves the current line.
      QObject::connect(l, &QListWidget::itemSelectionChanged, [h] { sendCommand(h, kLbnSelChange); });
      watchListEnds(l, h);
      watchFocusAndKeys(l, h);
      watchGestures(l, h);
      w = l;
      break;
    }
    case Kind::Trackbar: {
      auto* s = new Trackbar(h, parent);
      s->setRange(0, 100);
      QObject::connect(s, &QSlider::actionTriggered, [h](int action) {
        auto* sl = qobject_cast<QSlider*>(widgetOf(h));
        if (!sl || notificationsQuiet()) return;
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
      watchFocusAndKeys(s, h);
      w = s;
      break;
    }
    case Kind::Tab: {
      auto* t = new TabBar(h, parent);
      t->setExpanding(false);
      if (r.style & kTcsOwnerDrawFixed) t->setUsesScrollButtons(false);
      QObject::connect(t, &QTabBar::currentChanged, [h](int) {
        if (notificationsQuiet()) return;
        NotifyInfo n;
        n.code = kTcnSelChange;
        sendNotify(h, n);
      });
      watchFocusAndKeys(t, h);
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
  QuietNotifications q;
  QWidget* w = r.widget;
  if (!w) return;
  if (setEditText(r, text)) {
    return;
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
  if (std::optional<std::u16string> t = editText(r)) return *t;
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

int comboAddString(Hwnd combo, std::u16string_view text) { return comboInsertString(combo, -1, text); }

int comboInsertString(Hwnd combo, int index, std::u16string_view text) {
  WinRec* r = rec(combo);
  auto* c = r ? qobject_cast<QComboBox*>(r->widget.data()) : nullptr;
  if (!c) return -1;
  QuietNotifications q;
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

void listNotifyScrollEnds(Hwnd list, unsigned message) {
  WinRec* r = rec(list);
  if (r && r->widget && qobject_cast<QListWidget*>(r->widget.data())) r->widget->setProperty("suiteEndMessage", message);
}

int listAddString(Hwnd list, std::u16string_view text) { return listInsertString(list, -1, text); }

int listInsertString(Hwnd list, int index, std::u16string_view text) {
  WinRec* r = rec(list);
  auto* l = r ? qobject_cast<QListWidget*>(r->widget.data()) : nullptr;
  if (!l) return -1;
  QuietNotifications q;
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
  QuietNotifications q;
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

}  // namespace ui
