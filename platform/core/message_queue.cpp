// Message queues per thread: post, send (also to other threads and processes), peek, get,
// dispatch, quit and accelerators.
#include "platform/core/clock.h"
#include "platform/core/message_state.h"
#include "platform/core/timer.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

namespace plat::msg {
namespace {

// Real time between checks that the owner of a sent-to window still runs.
constexpr int kOwnerCheckMs = 50;

void threadGone(const std::shared_ptr<ThreadQueue>& q) {
  q->alive = false;
  Process& p = process();
  std::vector<std::string> files;
  {
    std::lock_guard<std::mutex> lock(p.m);
    for (auto it = p.windows.begin(); it != p.windows.end();) {
      if (it->second->owner == q) {
        if (p.started && it->second->parent == 0) files.push_back(windowFilePath(p.folder, it->first));
        it = p.windows.erase(it);
      } else {
        ++it;
      }
    }
  }
  for (const std::string& f : files) ::unlink(f.c_str());
}

struct QueueHolder {
  std::shared_ptr<ThreadQueue> q;
  ~QueueHolder() {
    if (q) threadGone(q);
  }
};

bool pollFd(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  int r = ::poll(&p, 1, timeoutMs);
  return r > 0;
}

void reply(IncomingSend& in, std::intptr_t result) {
  if (in.replyTo) {
    {
      std::lock_guard<std::mutex> lock(in.replyTo->m);
      in.replyTo->replies[in.id] = result;
    }
    in.replyTo->wake();
  } else if (in.fromSlot != 0) {
    Packet pk;
    pk.kind = kPacketReply;
    pk.id = in.id;
    pk.result = static_cast<std::int64_t>(result);
    sendPacket(in.fromSlot, pk);
  }
}

bool takeSend(ThreadQueue& q, IncomingSend& in) {
  std::lock_guard<std::mutex> lock(q.m);
  if (q.sends.empty()) return false;
  in = std::move(q.sends.front());
  q.sends.pop_front();
  return true;
}

// Waits for the reply to send id, handling sends to this thread's windows meanwhile. ownerAlive
// tells whether an answer can still come.
std::intptr_t waitReply(ThreadQueue& self, std::uint64_t id, const std::function<bool()>& ownerAlive) {
  bool lastChance = false;
  for (;;) {
    self.drain();
    {
      std::lock_guard<std::mutex> lock(self.m);
      auto it = self.replies.find(id);
      if (it != self.replies.end()) {
        std::intptr_t r = it->second;
        self.replies.erase(it);
        return r;
      }
    }
    IncomingSend in;
    if (takeSend(self, in)) {
      handleIncoming(in);
      continue;
    }
    if (lastChance) return 0;
    if (!ownerAlive()) lastChance = true;  // one more look for an answer already on its way
    pollFd(self.wakeFd, kOwnerCheckMs);
  }
}

std::intptr_t callProc(const std::shared_ptr<Window>& w, unsigned message, std::uint32_t wParam,
                       std::int32_t lParam) {
  WndProc proc;
  {
    std::lock_guard<std::mutex> lock(process().m);
    proc = w->proc;
  }
  return proc ? proc(w->hwnd, message, wParam, lParam) : 0;
}

}  // namespace

ThreadQueue::ThreadQueue() : wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ThreadQueue::~ThreadQueue() {
  if (wakeFd >= 0) ::close(wakeFd);
}

void ThreadQueue::wake() {
  std::uint64_t one = 1;
  [[maybe_unused]] ssize_t n = ::write(wakeFd, &one, sizeof one);
}

void ThreadQueue::drain() {
  std::uint64_t v;
  [[maybe_unused]] ssize_t n = ::read(wakeFd, &v, sizeof v);
}

Process& process() {
  static Process* p = new Process;
  return *p;
}

std::shared_ptr<ThreadQueue> currentQueue() {
  thread_local QueueHolder holder;
  if (!holder.q) {
    holder.q = std::make_shared<ThreadQueue>();
    Process& p = process();
    std::lock_guard<std::mutex> lock(p.m);
    p.queues.push_back(holder.q);
  }
  return holder.q;
}

std::shared_ptr<Window> findLocal(Hwnd hwnd) {
  Process& p = process();
  std::lock_guard<std::mutex> lock(p.m);
  auto it = p.windows.find(hwnd);
  return it == p.windows.end() ? nullptr : it->second;
}

std::u16string lowerAscii(std::u16string_view s) {
  std::u16string r(s);
  for (char16_t& c : r) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return r;
}

void handleIncoming(IncomingSend& in) {
  std::shared_ptr<Window> w = findLocal(in.msg.hwnd);
  std::intptr_t result = w ? callProc(w, in.msg.message, in.msg.wParam, in.msg.lParam) : 0;
  reply(in, result);
}

}  // namespace plat::msg

namespace plat {
using namespace plat::msg;

bool postMessage(Hwnd hwnd, unsigned message, std::uint32_t wParam, std::int32_t lParam) {
  if (hwnd == 0) return false;
  Msg m{hwnd, message, wParam, lParam};
  if (std::shared_ptr<Window> w = findLocal(hwnd)) {
    {
      std::lock_guard<std::mutex> lock(w->owner->m);
      w->owner->posted.push_back({m, false});
    }
    w->owner->wake();
    return true;
  }
  Process& p = process();
  {
    std::lock_guard<std::mutex> lock(p.m);
    if (!ensureStarted(p) || slotOf(hwnd) == p.slot) return false;
  }
  if (!slotAlive(slotOf(hwnd))) return false;
  Packet pk;
  pk.kind = kPacketPost;
  pk.hwnd = hwnd;
  pk.message = message;
  pk.wParam = wParam;
  pk.lParam = lParam;
  return sendPacket(slotOf(hwnd), pk);
}

std::intptr_t sendMessage(Hwnd hwnd, unsigned message, std::uint32_t wParam, std::int32_t lParam) {
  if (hwnd == 0) return 0;
  std::shared_ptr<ThreadQueue> self = currentQueue();
  Process& p = process();
  if (std::shared_ptr<Window> w = findLocal(hwnd)) {
    if (w->owner == self) return callProc(w, message, wParam, lParam);
    std::shared_ptr<ThreadQueue> owner = w->owner;
    std::uint64_t id = p.nextId++;
    {
      std::lock_guard<std::mutex> lock(owner->m);
      owner->sends.push_back({Msg{hwnd, message, wParam, lParam}, id, 0, self});
    }
    owner->wake();
    return waitReply(*self, id, [owner] { return owner->alive.load(); });
  }
  std::uint32_t slot = slotOf(hwnd);
  {
    std::lock_guard<std::mutex> lock(p.m);
    if (!ensureStarted(p) || slot == p.slot) return 0;
  }
  if (!slotAlive(slot)) return 0;
  std::uint64_t id = p.nextId++;
  {
    std::lock_guard<std::mutex> lock(p.m);
    p.pendingRemote[id] = self;
  }
  Packet pk;
  pk.kind = kPacketSend;
  pk.id = id;
  pk.hwnd = hwnd;
  pk.message = message;
  pk.wParam = wParam;
  pk.lParam = lParam;
  std::intptr_t result = 0;
  if (sendPacket(slot, pk)) result = waitReply(*self, id, [slot] { return slotAlive(slot); });
  {
    std::lock_guard<std::mutex> lock(p.m);
    p.pendingRemote.erase(id);
  }
  std::lock_guard<std::mutex> lock(self->m);
  self->replies.erase(id);
  return result;
}

void postQuitMessage(int exitCode) {
  std::shared_ptr<ThreadQueue> self = currentQueue();
  {
    std::lock_guard<std::mutex> lock(self->m);
    self->quit = true;
    self->quitCode = exitCode;
  }
  self->wake();
}

bool peekMessage(Msg& msg, bool remove) {
  std::shared_ptr<ThreadQueue> self = currentQueue();
  self->drain();
  IncomingSend in;
  while (takeSend(*self, in)) handleIncoming(in);
  for (;;) {
    std::unique_lock<std::mutex> lock(self->m);
    if (!self->posted.empty()) {
      Posted front = self->posted.front();
      if (front.foreground) {
        self->posted.pop_front();
        lock.unlock();
        std::function<void(Hwnd)> hook;
        {
          std::lock_guard<std::mutex> plock(process().m);
          hook = process().foregroundHook;
        }
        if (hook && findLocal(front.msg.hwnd)) hook(front.msg.hwnd);
        continue;
      }
      msg = front.msg;
      if (remove) self->posted.pop_front();
      return true;
    }
    if (self->quit) {
      msg = Msg{0, kWmQuit, static_cast<std::uint32_t>(self->quitCode), 0};
      if (remove) self->quit = false;
      return true;
    }
    std::int64_t now = clock().nowMs();
    Timer* due = nullptr;
    for (Timer& t : self->timers) {
      if (t.dueMs <= now && (!due || t.dueMs < due->dueMs)) due = &t;
    }
    if (due) {
      msg = Msg{due->hwnd, kWmTimer, due->id, 0};
      if (remove) due->dueMs = now + due->intervalMs;
      return true;
    }
    return false;
  }
}

bool getMessage(Msg& msg) {
  std::shared_ptr<ThreadQueue> self = currentQueue();
  while (!peekMessage(msg, true)) clock().waitReadable(self->wakeFd, msUntilNextTimer());
  return msg.message != kWmQuit;
}

std::intptr_t dispatchMessage(const Msg& msg) {
  std::shared_ptr<Window> w = findLocal(msg.hwnd);
  return w ? callProc(w, msg.message, msg.wParam, msg.lParam) : 0;
}

int runMessageLoop() {
  Msg m;
  while (getMessage(m)) dispatchMessage(m);
  return static_cast<int>(m.wParam);
}

bool translateAccelerator(Hwnd target, const Accelerator* table, std::size_t count, const Msg& msg) {
  if (msg.message != kWmKeyDown || !table) return false;
  unsigned mods = static_cast<unsigned>(msg.lParam) & (kAccelControl | kAccelShift | kAccelAlt);
  for (std::size_t i = 0; i < count; ++i) {
    if (table[i].key == msg.wParam && table[i].modifiers == mods) {
      sendMessage(target, kWmCommand, 0x10000u | (table[i].command & 0xFFFFu), 0);
      return true;
    }
  }
  return false;
}

int messageWakeHandle() { return currentQueue()->wakeFd; }

}  // namespace plat
