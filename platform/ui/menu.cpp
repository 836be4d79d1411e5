// Menus: menu data by handle, the menu bar of a dialog, popup menus and accelerators.
#include "platform/ui/menu.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include <map>
#include <sstream>

#include "platform/core/codepage.h"
#include "platform/core/resources.h"
#include "platform/ui/window_impl.h"

namespace ui::impl {

// Whatever the style measures at this resolution.
void widenMenuForItems(QMenu* menu) {
  int widest = 0;
  const QFontMetrics fm(menu->font());
  for (QAction* a : menu->actions()) widest = std::max(widest, fm.horizontalAdvance(a->text()));
  menu->setMinimumWidth(widest + uiPixels(56));
}

namespace {

struct ItemData {
  unsigned id = 0;
  std::u16string text;
  Menu sub = 0;
  bool checked = false;
  bool enabled = true;
  int image = -1;
  bool separator() const { return id == 0 && sub == 0 && text.empty(); }
};

struct MenuData {
  std::vector<ItemData> items;
  Hwnd barOf = 0;  // the dialog whose bar this is
};

std::map<Menu, MenuData>& menus() {
  static auto* m = new std::map<Menu, MenuData>;
  return *m;
}
Menu gNextMenu = 1;
std::function<unsigned(Menu)> gPopupHook;

struct BarInfo {
  Bitmap images = 0;
  int imageWidth = 16;
};
std::map<Hwnd, BarInfo> gBars;

MenuData* data(Menu m) {
  auto it = menus().find(m);
  return it == menus().end() ? nullptr : &it->second;
}

Menu build(const std::vector<MenuItem>& items) {
  Menu id = gNextMenu++;
  MenuData d;
  for (const MenuItem& it : items) {
    ItemData item;
    item.text = it.text;
    item.checked = it.checked;
    item.enabled = !it.grayed;
    item.image = it.image;
    if (it.popup) item.sub = build(it.children);
    else item.id = it.id;
    d.items.push_back(std::move(item));
  }
  menus()[id] = std::move(d);
  return id;
}

// The item of a command id anywhere below m.
ItemData* findItem(Menu m, unsigned id, Menu* owner = nullptr) {
  MenuData* d = data(m);
  if (!d || id == 0) return nullptr;
  for (ItemData& it : d->items) {
    if (it.id == id && it.sub == 0) {
      if (owner) *owner = m;
      return &it;
    }
    if (it.sub) {
      if (ItemData* found = findItem(it.sub, id, owner)) return found;
    }
  }
  return nullptr;
}

Menu rootOf(Menu m) {
  for (auto& [h, d] : menus()) {
    for (ItemData& it : d.items) {
      if (it.sub == m) return rootOf(h);
    }
  }
  return m;
}

void fillQMenu(QMenu* qm, Menu m, Hwnd owner, unsigned* chosen);

void refreshBar(Hwnd dialog);

void onItemsChanged(Menu m) {
  MenuData* root = data(rootOf(m));
  if (root && root->barOf) refreshBar(root->barOf);
}

QAction* addCommand(QWidget* into, const ItemData& it, Hwnd owner, unsigned* chosen, const QIcon& icon = QIcon()) {
  auto* a = new QAction(toQ(it.text), into);
  if (!icon.isNull()) {
    a->setIcon(icon);
    a->setIconText(toQ(it.text));
    a->setText(QString());
  }
  a->setEnabled(it.enabled);
  if (it.checked) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  unsigned id = it.id;
  QObject::connect(a, &QAction::triggered, [owner, id, chosen] {
    if (chosen) {
      *chosen = id;
      return;
    }
    if (owner) plat::postMessage(owner, plat::kWmCommand, makeWParam(id, 0), 0);
  });
  into->addAction(a);
  return a;
}

// Menus show their text at the screen's resolution, and are measured in that font (a size
// given by a style sheet would come after the measuring, and elide the items).
void fitMenu(QMenu* qm) {
  QFont f = qm->font();
  f.setPixelSize(uiPixels(12));
  if (qm->font() != f) qm->setFont(f);
}

void fillQMenu(QMenu* qm, Menu m, Hwnd owner, unsigned* chosen) {
  fitMenu(qm);
  qm->clear();
  MenuData* d = data(m);
  if (!d) return;
  for (const ItemData& it : d->items) {
    if (it.separator()) {
      qm->addSeparator();
    } else if (it.sub) {
      QMenu* child = qm->addMenu(toQ(it.text));
      child->setEnabled(it.enabled);
      Menu sub = it.sub;
      QObject::connect(child, &QMenu::aboutToShow, [child, sub, owner, chosen] {
        if (owner) plat::sendMessage(owner, kWmInitMenuPopup, static_cast<std::uint32_t>(sub), 0);
        fillQMenu(child, sub, owner, chosen);
      });
      fillQMenu(child, sub, owner, chosen);
    } else {
      addCommand(qm, it, owner, chosen);
    }
  }
  widenMenuForItems(qm);
}

void refreshBar(Hwnd dialog) {
  WinRec* r = rec(dialog);
  if (!r || !r->menuBar) return;
  QMenuBar* bar = r->menuBar;
  bar->clear();
  MenuData* d = data(r->menu);
  if (!d) return;
  BarInfo info = gBars[dialog];
  for (const ItemData& it : d->items) {
    if (it.separator()) continue;
    if (it.sub) {
      QMenu* qm = bar->addMenu(toQ(it.text));
      Menu sub = it.sub;
      QObject::connect(qm, &QMenu::aboutToShow, [qm, sub, dialog] {
        plat::sendMessage(dialog, kWmInitMenuPopup, static_cast<std::uint32_t>(sub), 0);
        fillQMenu(qm, sub, dialog, nullptr);
      });
      fillQMenu(qm, sub, dialog, nullptr);
    } else {
      QIcon icon;
      if (it.image >= 0 && info.images) {
        if (QImage* img = bitmapImage(info.images)) {
          QImage part = img->copy(it.image * info.imageWidth, 0, info.imageWidth, img->height());
          // The images are drawn for 96 dots per inch: stretched to the screen's, as the handheld does.
          if (uiPixels(96) != 96) part = part.scaled(uiPixels(part.width()), uiPixels(part.height()));
          icon = QIcon(QPixmap::fromImage(part));
        }
      }
      addCommand(bar, it, dialog, nullptr, icon);
    }
  }
}

void appendItems(std::ostringstream& o, const std::vector<MenuItem>& items, int depth) {
  std::string pad(static_cast<size_t>(depth) * 2, ' ');
  for (const MenuItem& it : items) {
    std::string flags = std::string(it.checked ? " CHECKED" : "") + (it.grayed ? " GRAYED" : "");
    if (it.popup) {
      o << pad << "POPUP" << flags << ' ' << plat::wideToUtf8(it.text) << '\n';
      appendItems(o, it.children, depth + 1);
    } else if (it.image >= 0) {
      o << pad << "IMAGE " << it.id << ' ' << it.image << flags << ' ' << plat::wideToUtf8(it.text) << '\n';
    } else if (it.id == 0 && it.text.empty()) {
      o << pad << "SEPARATOR\n";
    } else {
      o << pad << "ITEM " << it.id << flags << ' ' << plat::wideToUtf8(it.text) << '\n';
    }
  }
}

}  // namespace

// The handheld's command bar: narrow items, so a full bar fits the 240-pixel screen; text and
// padding at the screen's resolution, its menus too.
void styleCommandBar(QMenuBar* bar) {
  const QString sheet = QStringLiteral("QMenuBar { font-size: %1px; spacing: 0px; } QMenuBar::item { padding: %2px %3px; }")
                            .arg(uiPixels(12))
                            .arg(uiPixels(2))
                            .arg(uiPixels(3));
  if (bar->styleSheet() != sheet) bar->setStyleSheet(sheet);
}

void attachMenuBar(WinRec& r) {
  if (!r.widget || r.menuBar) return;
  auto* bar = new QMenuBar(r.widget);
  bar->setNativeMenuBar(false);
  styleCommandBar(bar);
  if (auto* layout = qobject_cast<QVBoxLayout*>(r.widget->layout())) layout->addWidget(bar, 0);
  r.menuBar = bar;
}

}  // namespace ui::impl

namespace ui {
using namespace ui::impl;

std::string formatMenuTemplate(const MenuTemplate& t) {
  std::ostringstream o;
  appendItems(o, t.items, 0);
  return o.str();
}

std::optional<MenuTemplate> parseMenuTemplate(std::string_view text) {
  MenuTemplate t;
  // The list being filled at each depth.
  std::vector<std::vector<MenuItem>*> levels{&t.items};
  std::istringstream in{std::string(text)};
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(' ') == std::string::npos) continue;
    size_t indent = line.find_first_not_of(' ');
    if (indent % 2 != 0) return std::nullopt;
    size_t depth = indent / 2;
    if (depth >= levels.size()) return std::nullopt;
    levels.resize(depth + 1);
    std::istringstream f(line.substr(indent));
    std::string kind;
    f >> kind;
    MenuItem it;
    if (kind == "ITEM") {
      if (!(f >> it.id)) return std::nullopt;
    } else if (kind == "IMAGE") {
      if (!(f >> it.id >> it.image)) return std::nullopt;
    } else if (kind == "POPUP") {
      it.popup = true;
    } else if (kind != "SEPARATOR") {
      return std::nullopt;
    }
    std::string rest;
    std::getline(f, rest);
    for (;;) {
      if (rest.rfind(" CHECKED", 0) == 0) {
        it.checked = true;
        rest.erase(0, 8);
      } else if (rest.rfind(" GRAYED", 0) == 0) {
        it.grayed = true;
        rest.erase(0, 7);
      } else {
        break;
      }
    }
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    it.text = plat::utf8ToWide(rest);
    levels[depth]->push_back(std::move(it));
    if (levels[depth]->back().popup) levels.push_back(&levels[depth]->back().children);
  }
  return t;
}

std::optional<MenuTemplate> loadMenuTemplate(unsigned id) {
  plat::ResourceData d = plat::findResource("MENU", id);
  if (!d) return std::nullopt;
  return parseMenuTemplate(d.bytes());
}

Menu createMenu(const MenuTemplate& t) { return build(t.items); }

void destroyMenu(Menu m) {
  MenuData* d = data(m);
  if (!d) return;
  std::vector<Menu> subs;
  for (ItemData& it : d->items) {
    if (it.sub) subs.push_back(it.sub);
  }
  menus().erase(m);
  for (Menu s : subs) destroyMenu(s);
}

Menu subMenu(Menu m, int position) {
  MenuData* d = data(m);
  if (!d || position < 0 || position >= static_cast<int>(d->items.size())) return 0;
  return d->items[static_cast<size_t>(position)].sub;
}

int menuItemCount(Menu m) {
  MenuData* d = data(m);
  return d ? static_cast<int>(d->items.size()) : 0;
}

unsigned menuItemId(Menu m, int position) {
  MenuData* d = data(m);
  if (!d || position < 0 || position >= static_cast<int>(d->items.size())) return 0;
  return d->items[static_cast<size_t>(position)].id;
}

bool enableMenuItem(Menu m, unsigned id, bool enable) {
  ItemData* it = findItem(m, id);
  if (!it) return false;
  it->enabled = enable;
  onItemsChanged(m);
  return true;
}

bool checkMenuItem(Menu m, unsigned id, bool check) {
  ItemData* it = findItem(m, id);
  if (!it) return false;
  it->checked = check;
  onItemsChanged(m);
  return true;
}

bool setMenuItemText(Menu m, unsigned id, std::u16string_view text) {
  ItemData* it = findItem(m, id);
  if (!it) return false;
  it->text = std::u16string(text);
  onItemsChanged(m);
  return true;
}

std::optional<bool> isMenuItemEnabled(Menu m, unsigned id) {
  ItemData* it = findItem(m, id);
  if (!it) return std::nullopt;
  return it->enabled;
}

std::optional<bool> isMenuItemChecked(Menu m, unsigned id) {
  ItemData* it = findItem(m, id);
  if (!it) return std::nullopt;
  return it->checked;
}

std::u16string menuItemText(Menu m, unsigned id) {
  ItemData* it = findItem(m, id);
  return it ? it->text : std::u16string();
}

bool setMenuBar(Hwnd dialog, Menu m, Bitmap images, int imageWidth) {
  WinRec* r = rec(dialog);
  MenuData* d = data(m);
  if (!r || r->kind != Kind::Dialog || !d) return false;
  attachMenuBar(*r);
  r->menu = m;
  d->barOf = dialog;
  gBars[dialog] = BarInfo{images, imageWidth > 0 ? imageWidth : 16};
  refreshBar(dialog);
  r->menuBar->show();
  layoutDialog(*r);
  return true;
}

Menu menuBarOf(Hwnd dialog) {
  WinRec* r = rec(dialog);
  return r ? r->menu : 0;
}

unsigned trackPopupMenu(Menu popup, Point screen, Hwnd owner) {
  if (!data(popup)) return 0;
  if (owner) plat::sendMessage(owner, kWmInitMenuPopup, static_cast<std::uint32_t>(popup), 0);
  unsigned chosen = 0;
  if (gPopupHook) {
    chosen = gPopupHook(popup);
  } else {
    QMenu qm(widgetOf(topLevelOf(owner)));
    fillQMenu(&qm, popup, owner, &chosen);
    qm.exec(QPoint(screen.x, screen.y));
  }
  if (chosen == 0) return 0;
  std::optional<bool> enabled = isMenuItemEnabled(popup, chosen);
  if (!enabled || !*enabled) return 0;
  if (owner) plat::sendMessage(owner, plat::kWmCommand, makeWParam(chosen, 0), 0);
  return chosen;
}

void setPopupMenuHook(std::function<unsigned(Menu)> hook) { gPopupHook = std::move(hook); }

Point clientToScreen(Hwnd hwnd, Point p) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return p;
  QPoint g = w->mapToGlobal(QPoint(p.x, p.y));
  return Point{g.x(), g.y()};
}

Point screenToClient(Hwnd hwnd, Point p) {
  QWidget* w = widgetOf(hwnd);
  if (!w) return p;
  QPoint l = w->mapFromGlobal(QPoint(p.x, p.y));
  return Point{l.x(), l.y()};
}

bool setAccelerators(Hwnd topLevel, std::vector<plat::Accelerator> table) {
  WinRec* r = rec(topLevel);
  if (!r) return false;
  r->accelerators = std::move(table);
  return true;
}

}  // namespace ui
