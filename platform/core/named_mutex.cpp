#include "platform/core/named_mutex.h"

#include "platform/core/clock.h"
#include "platform/core/runtime_folder.h"

#include <unistd.h>

namespace plat {
namespace {
// Byte 0: one shared lock per open handle. Byte 1: the owner's exclusive lock.
constexpr long kExistsByte = 0;
constexpr long kOwnerByte = 1;
}  // namespace

std::unique_ptr<NamedMutex> NamedMutex::create(std::u16string_view name, bool initialOwner) {
  int fd = runtime::openLockFile(runtime::objectPath("mutex-", name));
  if (fd < 0) return nullptr;
  bool existed = false;
  if (runtime::tryLock(fd, true, kExistsByte)) {
    // First handle: turn the exclusive lock into the shared one that marks this handle.
    runtime::tryLock(fd, false, kExistsByte);
  } else {
    existed = true;
    if (!runtime::waitLock(fd, false, kExistsByte)) {
      ::close(fd);
      return nullptr;
    }
  }
  std::unique_ptr<NamedMutex> m(new NamedMutex(fd, existed));
  if (initialOwner && !existed) m->wait(0);
  return m;
}

NamedMutex::~NamedMutex() { ::close(fd_); }

bool NamedMutex::wait(std::int64_t timeoutMs) {
  if (ownCount_ > 0) {
    ++ownCount_;
    return true;
  }
  if (timeoutMs < 0) {
    if (!runtime::waitLock(fd_, true, kOwnerByte)) return false;
  } else {
    std::int64_t deadline = tickCount() + timeoutMs;
    while (!runtime::tryLock(fd_, true, kOwnerByte)) {
      if (tickCount() >= deadline) return false;
      sleepMs(10);
    }
  }
  ownCount_ = 1;
  return true;
}

bool NamedMutex::release() {
  if (ownCount_ == 0) return false;
  if (--ownCount_ == 0) runtime::unlock(fd_, kOwnerByte);
  return true;
}

}  // namespace plat
