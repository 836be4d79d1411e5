// Messages between processes: one datagram socket per process in the runtime folder, a slot number
// per process (the top half of its window handles) held by a lock, and a thread that routes what
// arrives to the owning threads' queues.
#include "platform/core/message_state.h"
#include "platform/core/runtime_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace plat::msg {
namespace {

std::string slotLockPath(const std::string& folder, std::uint32_t slot) {
  return folder + "/slot-" + std::to_string(slot);
}

bool socketAddress(const std::string& folder, std::uint32_t slot, sockaddr_un& addr) {
  std::string path = folder + "/s" + std::to_string(slot);
  std::memset(&addr, 0, sizeof addr);
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Window files left by a dead process that had the same slot.
void removeStaleWindowFiles(const std::string& folder, std::uint32_t slot) {
  char prefix[8];
  std::snprintf(prefix, sizeof prefix, "w%04x", slot);
  DIR* d = ::opendir(folder.c_str());
  if (!d) return;
  std::vector<std::string> stale;
  while (dirent* e = ::readdir(d)) {
    if (std::strncmp(e->d_name, prefix, 5) == 0) stale.push_back(folder + "/" + e->d_name);
  }
  ::closedir(d);
  for (const std::string& f : stale) ::unlink(f.c_str());
}

void route(Process& p, const Packet& pk) {
  if (pk.kind == kPacketReply) {
    std::shared_ptr<ThreadQueue> q;
    {
      std::lock_guard<std::mutex> lock(p.m);
      auto it = p.pendingRemote.find(pk.id);
      if (it == p.pendingRemote.end()) return;  // the sender gave up
      q = it->second;
    }
    {
      std::lock_guard<std::mutex> lock(q->m);
      q->replies[pk.id] = static_cast<std::intptr_t>(pk.result);
    }
    q->wake();
    return;
  }
  std::shared_ptr<Window> w = findLocal(pk.hwnd);
  Msg m{pk.hwnd, pk.message, pk.wParam, pk.lParam};
  switch (pk.kind) {
    case kPacketSend:
      if (!w) {
        Packet reply;
        reply.kind = kPacketReply;
        reply.id = pk.id;
        sendPacket(pk.fromSlot, reply);
        return;
      }
      {
        std::lock_guard<std::mutex> lock(w->owner->m);
        w->owner->sends.push_back({m, pk.id, pk.fromSlot, nullptr});
      }
      w->owner->wake();
      return;
    case kPacketPost:
    case kPacketForeground:
      if (!w) return;
      {
        std::lock_guard<std::mutex> lock(w->owner->m);
        w->owner->posted.push_back({m, pk.kind == kPacketForeground});
      }
      w->owner->wake();
      return;
    default:
      return;
  }
}

void ioLoop(Process* p, int sockFd, int stopFd) {
  for (;;) {
    pollfd fds[2] = {{sockFd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents) return;
    Packet pk;
    ssize_t n = ::recv(sockFd, &pk, sizeof pk, MSG_DONTWAIT);
    if (n != static_cast<ssize_t>(sizeof pk)) continue;
    if (pk.fromSlot == 0 || pk.fromSlot > kMaxSlot) continue;
    route(*p, pk);
  }
}

}  // namespace

std::string windowFilePath(const std::string& folder, Hwnd hwnd) {
  char name[16];
  std::snprintf(name, sizeof name, "w%08x", static_cast<unsigned>(hwnd));
  return folder + "/" + name;
}

bool ensureStarted(Process& p) {
  if (p.started) return true;
  std::string folder = runtimeFolder();
  int slotFd = -1;
  std::uint32_t slot = 0;
  for (std::uint32_t s = 1; s <= kMaxSlot; ++s) {
    int fd = runtime::openLockFile(slotLockPath(folder, s));
    if (fd < 0) return false;
    if (runtime::tryLock(fd, true, 0)) {
      slotFd = fd;
      slot = s;
      break;
    }
    ::close(fd);
  }
  if (slot == 0) return false;
  removeStaleWindowFiles(folder, slot);

  sockaddr_un addr;
  int sockFd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  int stopFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  bool ok = sockFd >= 0 && stopFd >= 0 && socketAddress(folder, slot, addr);
  if (ok) {
    ::unlink(addr.sun_path);
    ok = ::bind(sockFd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  if (!ok) {
    if (sockFd >= 0) ::close(sockFd);
    if (stopFd >= 0) ::close(stopFd);
    ::close(slotFd);
    return false;
  }
  p.folder = folder;
  p.slot = slot;
  p.slotFd = slotFd;
  p.sockFd = sockFd;
  p.stopFd = stopFd;
  p.nextIndex = 0;
  p.io = std::thread(ioLoop, &p, sockFd, stopFd);
  p.started = true;
  return true;
}

bool sendPacket(std::uint32_t slot, const Packet& pk) {
  Process& p = process();
  int fd;
  sockaddr_un addr;
  Packet out = pk;
  {
    std::lock_guard<std::mutex> lock(p.m);
    if (!p.started || slot == 0 || slot > kMaxSlot) return false;
    if (!socketAddress(p.folder, slot, addr)) return false;
    fd = p.sockFd;
    out.fromSlot = p.slot;
  }
  for (;;) {
    ssize_t n = ::sendto(fd, &out, sizeof out, 0, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
    if (n == static_cast<ssize_t>(sizeof out)) return true;
    if (n < 0 && errno == EINTR) continue;
    return false;
  }
}

bool slotAlive(std::uint32_t slot) {
  if (slot == 0 || slot > kMaxSlot) return false;
  Process& p = process();
  std::string folder;
  {
    std::lock_guard<std::mutex> lock(p.m);
    if (p.started && slot == p.slot) return true;
    folder = p.started ? p.folder : std::string();
  }
  if (folder.empty()) folder = runtimeFolder();
  int fd = ::open(slotLockPath(folder, slot).c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  bool alive = runtime::lockedElsewhere(fd, 0);
  ::close(fd);
  return alive;
}

void stopTransport(Process& p) {
  std::thread io;
  {
    std::lock_guard<std::mutex> lock(p.m);
    if (!p.started) return;
    std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(p.stopFd, &one, sizeof one);
    io = std::move(p.io);
  }
  if (io.joinable()) io.join();
  std::lock_guard<std::mutex> lock(p.m);
  sockaddr_un addr;
  if (socketAddress(p.folder, p.slot, addr)) ::unlink(addr.sun_path);
  ::close(p.sockFd);
  ::close(p.stopFd);
  ::close(p.slotFd);
  p.sockFd = p.stopFd = p.slotFd = -1;
  p.started = false;
  p.slot = 0;
}

}  // namespace plat::msg
