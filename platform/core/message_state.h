// Windows and message queues of this process, shared by the message files. Not for callers.
#pragma once
#include "platform/core/window.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace plat::msg {

struct ThreadQueue;

// A send waiting for the owning thread: from this process (replyTo) or from another (fromSlot).
struct IncomingSend {
  Msg msg;
  std::uint64_t id = 0;
  std::uint32_t fromSlot = 0;
  std::shared_ptr<ThreadQueue> replyTo;
};

struct Timer {
  Hwnd hwnd = 0;
  unsigned id = 0;
  std::int64_t intervalMs = 0;
  std::int64_t dueMs = 0;
};

struct Posted {
  Msg msg;
  bool foreground = false;  // internal: run the foreground hook for msg.hwnd
};

// One per thread that uses messages.
struct ThreadQueue {
  ThreadQueue();
  ~ThreadQueue();
  ThreadQueue(const ThreadQueue&) = delete;
  ThreadQueue& operator=(const ThreadQueue&) = delete;
  void wake();
  void drain();

  int wakeFd = -1;  // eventfd
  std::atomic<bool> alive{true};
  std::mutex m;     // guards the members below
  std::deque<Posted> posted;
  std::deque<IncomingSend> sends;
  std::unordered_map<std::uint64_t, std::intptr_t> replies;
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
};

struct Window {
  Hwnd hwnd = 0;
  Hwnd parent = 0;
  std::u16string className;
  std::u16string title;
  WndProc proc;
  std::shared_ptr<ThreadQueue> owner;
  bool visible = false;
  bool destroying = false;
};

enum PacketKind : std::uint32_t { kPacketPost = 1, kPacketSend = 2, kPacketReply = 3, kPacketForeground = 4 };

// One datagram between processes.
struct Packet {
  std::uint32_t kind = 0;
  std::uint32_t fromSlot = 0;
  std::uint64_t id = 0;
  std::uint32_t hwnd = 0;
  std::uint32_t message = 0;
  std::uint32_t wParam = 0;
  std::int32_t lParam = 0;
  std::int64_t result = 0;
};
static_assert(sizeof(Packet) == 40);

inline constexpr std::uint32_t kMaxSlot = 0xFFFF;
inline std::uint32_t slotOf(Hwnd h) { return h >> 16; }

struct Process {
  std::mutex m;  // guards everything below
  bool started = false;
  std::string folder;
  std::uint32_t slot = 0;
  int slotFd = -1;
  int sockFd = -1;
  int stopFd = -1;
  std::thread io;
  std::uint16_t nextIndex = 0;
  std::unordered_map<Hwnd, std::shared_ptr<Window>> windows;
  std::unordered_map<std::u16string, WndProc> classes;  // key: class name in ASCII lower case
  std::unordered_map<std::uint64_t, std::shared_ptr<ThreadQueue>> pendingRemote;
  std::vector<std::weak_ptr<ThreadQueue>> queues;
  std::function<void(Hwnd)> foregroundHook;
  std::atomic<std::uint64_t> nextId{1};
};

// The process state; lives until the process ends.
Process& process();
// The calling thread's queue, made on first use.
std::shared_ptr<ThreadQueue> currentQueue();

// Transport (message_transport.cpp). ensureStarted needs p.m held.
bool ensureStarted(Process& p);
bool sendPacket(std::uint32_t slot, const Packet& pk);
bool slotAlive(std::uint32_t slot);
std::string windowFilePath(const std::string& folder, Hwnd hwnd);
// Stops the transport thread and closes its descriptors; takes p.m itself.
void stopTransport(Process& p);

// Queue work (message_queue.cpp).
void handleIncoming(IncomingSend& in);
std::shared_ptr<Window> findLocal(Hwnd hwnd);
std::u16string lowerAscii(std::u16string_view s);

}  // namespace plat::msg
