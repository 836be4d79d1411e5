// Window classes, windows, finding windows of any program by class and title, bringing one to the
// front. Top-level windows are published as one small file each in the runtime folder.
#include "platform/core/window.h"

#include "platform/core/codepage.h"
#include "platform/core/message_state.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace plat {
using namespace plat::msg;

namespace {

// Writes the file whole under a temporary name first, so that readers never see half of it.
bool writeFileAtomically(const std::string& path, const std::string& bytes) {
  std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out << bytes;
    if (!out.flush()) return false;
  }
  return ::rename(tmp.c_str(), path.c_str()) == 0;
}

bool readFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

// A window file holds the class name, a line feed and the title, in UTF-8.
std::string windowFileText(const Window& w) { return wideToUtf8(w.className) + "\n" + wideToUtf8(w.title); }

bool readWindowFile(const std::string& folder, Hwnd hwnd, std::u16string& cls, std::u16string& title) {
  std::string text;
  if (!readFile(windowFilePath(folder, hwnd), text)) return false;
  auto nl = text.find('\n');
  if (nl == std::string::npos) return false;
  cls = utf8ToWide(std::string_view(text).substr(0, nl));
  title = utf8ToWide(std::string_view(text).substr(nl + 1));
  return true;
}

std::string currentFolder() {
  Process& p = process();
  {
    std::lock_guard<std::mutex> lock(p.m);
    if (p.started) return p.folder;
  }
  return runtimeFolder();
}

bool matches(std::u16string_view wantClass, std::u16string_view wantTitle, std::u16string_view cls,
             std::u16string_view title) {
  if (!wantClass.empty() && lowerAscii(wantClass) != lowerAscii(cls)) return false;
  return wantTitle.empty() || wantTitle == title;
}

// Handles of published windows of other processes, in file-name order.
std::vector<Hwnd> publishedWindows(const std::string& folder, std::uint32_t ownSlot) {
  std::vector<Hwnd> out;
  DIR* d = ::opendir(folder.c_str());
  if (!d) return out;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name.size() != 9 || name[0] != 'w') continue;
    if (name.find_first_not_of("0123456789abcdef", 1) != std::string::npos) continue;
    Hwnd h = static_cast<Hwnd>(std::stoul(name.substr(1), nullptr, 16));
    if (slotOf(h) != ownSlot) out.push_back(h);
  }
  ::closedir(d);
  std::sort(out.begin(), out.end());
  return out;
}

bool remoteWindow(Hwnd hwnd, std::u16string* cls, std::u16string* title) {
  Process& p = process();
  {
    std::lock_guard<std::mutex> lock(p.m);
    if (p.started && slotOf(hwnd) == p.slot) return false;
  }
  std::u16string c, t;
  if (!readWindowFile(currentFolder(), hwnd, c, t)) return false;
  if (!slotAlive(slotOf(hwnd))) return false;
  if (cls) *cls = c;
  if (title) *title = t;
  return true;
}

void collectTree(Process& p, Hwnd root, std::vector<std::shared_ptr<Window>>& out) {
  auto it = p.windows.find(root);
  if (it == p.windows.end()) return;
  out.push_back(it->second);
  std::vector<Hwnd> kids;
  for (auto& [h, w] : p.windows) {
    if (w->parent == root) kids.push_back(h);
  }
  std::sort(kids.begin(), kids.end());
  for (Hwnd k : kids) collectTree(p, k, out);
}

WindowHooks& hooks() {
  static WindowHooks* h = new WindowHooks;
  return *h;
}

WindowHooks currentHooks() {
  std::lock_guard<std::mutex> lock(process().m);
  return hooks();
}

}  // namespace

WindowHooks setWindowHooks(WindowHooks h) {
  std::lock_guard<std::mutex> lock(process().m);
  std::swap(hooks(), h);
  return h;
}

Hwnd windowParent(Hwnd hwnd) {
  std::shared_ptr<Window> w = findLocal(hwnd);
  if (!w) return 0;
  std::lock_guard<std::mutex> lock(process().m);
  return w->parent;
}

bool registerWindowClass(std::u16string_view className, WndProc proc) {
  if (className.empty() || !proc) return false;
  Process& p = process();
  std::lock_guard<std::mutex> lock(p.m);
  p.classes[lowerAscii(className)] = std::move(proc);
  return true;
}

Hwnd createWindow(std::u16string_view className, std::u16string_view title, Hwnd parent) {
  std::shared_ptr<ThreadQueue> self = currentQueue();
  Process& p = process();
  auto w = std::make_shared<Window>();
  WndProc proc;
  {
    std::lock_guard<std::mutex> lock(p.m);
    auto cls = p.classes.find(lowerAscii(className));
    if (cls == p.classes.end()) return 0;
    if (parent != 0 && p.windows.find(parent) == p.windows.end()) return 0;
    if (!ensureStarted(p)) return 0;
    if (p.windows.size() >= 0xFFFF) return 0;
    do {
      ++p.nextIndex;
    } while (p.nextIndex == 0 || p.windows.count((p.slot << 16) | p.nextIndex));
    w->hwnd = (p.slot << 16) | p.nextIndex;
    w->parent = parent;
    w->className = std::u16string(className);
    w->title = std::u16string(title);
    w->proc = cls->second;
    proc = w->proc;
    w->owner = self;
    p.windows[w->hwnd] = w;
    if (parent == 0) writeFileAtomically(windowFilePath(p.folder, w->hwnd), windowFileText(*w));
  }
  if (WindowHooks h = currentHooks(); h.created) h.created(w->hwnd);
  if (proc(w->hwnd, kWmCreate, 0, 0) == -1) {
    destroyWindow(w->hwnd);
    return 0;
  }
  return w->hwnd;
}

bool destroyWindow(Hwnd hwnd) {
  Process& p = process();
  std::vector<std::shared_ptr<Window>> tree;
  {
    std::lock_guard<std::mutex> lock(p.m);
    auto it = p.windows.find(hwnd);
    if (it == p.windows.end() || it->second->destroying) return false;
    collectTree(p, hwnd, tree);
    for (auto& w : tree) w->destroying = true;
  }
  // The parent hears kWmDestroy first, then its children; all are still windows meanwhile.
  for (auto& w : tree) {
    WndProc proc;
    {
      std::lock_guard<std::mutex> lock(p.m);
      proc = w->proc;
    }
    if (proc) proc(w->hwnd, kWmDestroy, 0, 0);
  }
  std::vector<std::string> files;
  {
    std::lock_guard<std::mutex> lock(p.m);
    for (auto& w : tree) {
      p.windows.erase(w->hwnd);
      if (w->parent == 0 && p.started) files.push_back(windowFilePath(p.folder, w->hwnd));
    }
  }
  for (auto& w : tree) {
    std::lock_guard<std::mutex> lock(w->owner->m);
    auto& timers = w->owner->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == w->hwnd; }),
                 timers.end());
  }
  for (const std::string& f : files) ::unlink(f.c_str());
  if (WindowHooks h = currentHooks(); h.destroyed) {
    for (auto& w : tree) h.destroyed(w->hwnd);
  }
  return true;
}

bool isWindow(Hwnd hwnd) {
  if (hwnd == 0) return false;
  if (findLocal(hwnd)) return true;
  return remoteWindow(hwnd, nullptr, nullptr);
}

std::intptr_t defWindowProc(Hwnd hwnd, unsigned message, std::uint32_t, std::int32_t) {
  if (message == kWmClose) destroyWindow(hwnd);
  return 0;
}

WndProc setWindowProc(Hwnd hwnd, WndProc proc) {
  Process& p = process();
  std::lock_guard<std::mutex> lock(p.m);
  auto it = p.windows.find(hwnd);
  if (it == p.windows.end()) return nullptr;
  std::swap(it->second->proc, proc);
  return proc;
}

std::u16string windowClassName(Hwnd hwnd) {
  if (std::shared_ptr<Window> w = findLocal(hwnd)) {
    std::lock_guard<std::mutex> lock(process().m);
    return w->className;
  }
  std::u16string cls;
  remoteWindow(hwnd, &cls, nullptr);
  return cls;
}

std::u16string windowTitle(Hwnd hwnd) {
  if (std::shared_ptr<Window> w = findLocal(hwnd)) {
    std::lock_guard<std::mutex> lock(process().m);
    return w->title;
  }
  std::u16string title;
  remoteWindow(hwnd, nullptr, &title);
  return title;
}

bool setWindowTitle(Hwnd hwnd, std::u16string_view title) {
  Process& p = process();
  {
    std::lock_guard<std::mutex> lock(p.m);
    auto it = p.windows.find(hwnd);
    if (it == p.windows.end()) return false;
    it->second->title = std::u16string(title);
    if (it->second->parent == 0 && p.started) {
      writeFileAtomically(windowFilePath(p.folder, hwnd), windowFileText(*it->second));
    }
  }
  if (WindowHooks h = currentHooks(); h.retitled) h.retitled(hwnd);
  return true;
}

bool showWindow(Hwnd hwnd, bool show) {
  Process& p = process();
  {
    std::lock_guard<std::mutex> lock(p.m);
    auto it = p.windows.find(hwnd);
    if (it == p.windows.end()) return false;
    it->second->visible = show;
  }
  if (WindowHooks h = currentHooks(); h.shown) h.shown(hwnd, show);
  return true;
}

bool isWindowVisible(Hwnd hwnd) {
  Process& p = process();
  std::lock_guard<std::mutex> lock(p.m);
  auto it = p.windows.find(hwnd);
  return it != p.windows.end() && it->second->visible;
}

Hwnd findWindow(std::u16string_view className, std::u16string_view title) {
  Process& p = process();
  std::uint32_t ownSlot = 0;
  {
    std::lock_guard<std::mutex> lock(p.m);
    Hwnd best = 0;
    for (auto& [h, w] : p.windows) {
      if (w->parent == 0 && !w->destroying && matches(className, title, w->className, w->title)) {
        if (best == 0 || h < best) best = h;
      }
    }
    if (best) return best;
    if (p.started) ownSlot = p.slot;
  }
  std::string folder = currentFolder();
  for (Hwnd h : publishedWindows(folder, ownSlot)) {
    std::u16string cls, t;
    if (!readWindowFile(folder, h, cls, t)) continue;  // destroyed meanwhile
    if (matches(className, title, cls, t) && slotAlive(slotOf(h))) return h;
  }
  return 0;
}

std::vector<Hwnd> findWindows(std::u16string_view className, std::u16string_view title) {
  std::vector<Hwnd> out;
  Process& p = process();
  std::uint32_t ownSlot = 0;
  {
    std::lock_guard<std::mutex> lock(p.m);
    for (auto& [h, w] : p.windows) {
      if (w->parent == 0 && !w->destroying && matches(className, title, w->className, w->title)) out.push_back(h);
    }
    if (p.started) ownSlot = p.slot;
  }
  std::sort(out.begin(), out.end());
  std::string folder = currentFolder();
  for (Hwnd h : publishedWindows(folder, ownSlot)) {
    std::u16string cls, t;
    if (!readWindowFile(folder, h, cls, t)) continue;
    if (matches(className, title, cls, t) && slotAlive(slotOf(h))) out.push_back(h);
  }
  return out;
}

namespace {

constexpr size_t kMaxStacked = 64;

std::string stackPath() { return currentFolder() + "/stacking"; }

// The stacking file: one handle a line in hexadecimal, front first; gone windows are dropped.
std::vector<Hwnd> readStacking() {
  std::vector<Hwnd> out;
  std::string text;
  if (!readFile(stackPath(), text)) return out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.size() != 8 || line.find_first_not_of("0123456789abcdef") != std::string::npos) continue;
    Hwnd h = static_cast<Hwnd>(std::stoul(line, nullptr, 16));
    if (isWindow(h) && std::find(out.begin(), out.end(), h) == out.end()) out.push_back(h);
  }
  return out;
}

void writeStacking(const std::vector<Hwnd>& order) {
  std::string text;
  char line[16];
  for (size_t i = 0; i < order.size() && i < kMaxStacked; ++i) {
    std::snprintf(line, sizeof line, "%08x\n", static_cast<unsigned>(order[i]));
    text += line;
  }
  writeFileAtomically(stackPath(), text);
}

}  // namespace

void noteWindowInFront(Hwnd hwnd) {
  if (!isWindow(hwnd)) return;
  std::vector<Hwnd> order = readStacking();
  std::erase(order, hwnd);
  order.insert(order.begin(), hwnd);
  writeStacking(order);
}

Hwnd takeWindowOffScreen(Hwnd hwnd) {
  std::vector<Hwnd> order = readStacking();
  std::erase(order, hwnd);
  writeStacking(order);
  return order.empty() ? 0 : order.front();
}

bool setForegroundWindow(Hwnd hwnd) {
  if (!isWindow(hwnd)) return false;
  noteWindowInFront(hwnd);
  char text[16];
  std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hwnd));
  writeFileAtomically(currentFolder() + "/foreground", text);
  if (std::shared_ptr<Window> w = findLocal(hwnd)) {
    {
      std::lock_guard<std::mutex> lock(w->owner->m);
      w->owner->posted.push_back({Msg{hwnd, kWmNull, 0, 0}, true});
    }
    w->owner->wake();
    return true;
  }
  Packet pk;
  pk.kind = kPacketForeground;
  pk.hwnd = hwnd;
  {
    std::lock_guard<std::mutex> lock(process().m);
    if (!ensureStarted(process())) return false;
  }
  sendPacket(slotOf(hwnd), pk);
  return true;
}

Hwnd foregroundWindow() {
  std::string text;
  if (!readFile(currentFolder() + "/foreground", text) || text.size() != 8) return 0;
  if (text.find_first_not_of("0123456789abcdef") != std::string::npos) return 0;
  Hwnd h = static_cast<Hwnd>(std::stoul(text, nullptr, 16));
  return isWindow(h) ? h : 0;
}

void setForegroundHook(std::function<void(Hwnd)> hook) {
  std::lock_guard<std::mutex> lock(process().m);
  process().foregroundHook = std::move(hook);
}

void resetMessaging() {
  Process& p = process();
  std::vector<std::string> files;
  {
    std::lock_guard<std::mutex> lock(p.m);
    for (auto& [h, w] : p.windows) {
      if (w->parent == 0 && p.started) files.push_back(windowFilePath(p.folder, h));
    }
  }
  stopTransport(p);
  for (const std::string& f : files) ::unlink(f.c_str());
  std::vector<std::shared_ptr<ThreadQueue>> queues;
  {
    std::lock_guard<std::mutex> lock(p.m);
    p.windows.clear();
    p.pendingRemote.clear();
    std::erase_if(p.queues, [](const std::weak_ptr<ThreadQueue>& q) { return q.expired(); });
    for (auto& weak : p.queues) {
      if (auto q = weak.lock()) queues.push_back(q);
    }
  }
  for (auto& q : queues) {
    std::lock_guard<std::mutex> lock(q->m);
    q->posted.clear();
    q->sends.clear();
    q->replies.clear();
    q->timers.clear();
    q->quit = false;
  }
}

}  // namespace plat
