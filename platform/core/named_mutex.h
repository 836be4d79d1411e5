// Named mutexes shared by the programs. Besides waiting and releasing, the programs use one as a
// flag: it exists while any handle to it is open, in any process.
#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

namespace plat {

class NamedMutex {
 public:
  // Opens the mutex, creating it when no handle to it is open. With initialOwner a newly created
  // mutex is owned by this handle. Null when the runtime folder cannot be used.
  static std::unique_ptr<NamedMutex> create(std::u16string_view name, bool initialOwner = false);
  // Closing the handle gives up ownership; the mutex is gone once every handle is closed.
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  // True when the mutex existed before this handle was made.
  bool alreadyExisted() const { return existed_; }
  // Takes ownership, waiting at most timeoutMs (negative: without end); counts again when this
  // handle owns it already. False on timeout.
  bool wait(std::int64_t timeoutMs);
  // Gives up one count of ownership; false when this handle does not own the mutex.
  bool release();
  bool owned() const { return ownCount_ > 0; }

 private:
  NamedMutex(int fd, bool existed) : fd_(fd), existed_(existed) {}
  int fd_;
  bool existed_;
  int ownCount_ = 0;
};

}  // namespace plat
