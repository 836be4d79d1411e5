// Named shared memory of a fixed size, shared by the programs. It lives while a handle or a view of
// it is open in any process; one created anew starts zeroed.
#pragma once
#include <cstddef>
#include <memory>
#include <string_view>

namespace plat {

// A mapped view; unmapped when destroyed. Empty (false) when mapping failed.
class MappingView {
 public:
  MappingView() = default;
  MappingView(MappingView&& o) noexcept;
  MappingView& operator=(MappingView&& o) noexcept;
  ~MappingView();

  explicit operator bool() const { return data_ != nullptr; }
  unsigned char* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  friend class NamedMapping;
  void reset();
  unsigned char* data_ = nullptr;
  std::size_t size_ = 0;
  int fd_ = -1;  // keeps the mapping alive while the view exists
};

class NamedMapping {
 public:
  // Opens the mapping of that name, or creates it with size bytes, all zero. An existing mapping
  // keeps its own size. Null when size is 0 or the runtime folder cannot be used.
  static std::unique_ptr<NamedMapping> create(std::u16string_view name, std::size_t size);
  ~NamedMapping();
  NamedMapping(const NamedMapping&) = delete;
  NamedMapping& operator=(const NamedMapping&) = delete;

  bool alreadyExisted() const { return existed_; }
  std::size_t size() const { return size_; }
  // Maps the whole mapping, read-only or read-write.
  MappingView map(bool writable) const;

 private:
  NamedMapping(int fd, bool existed, std::size_t size) : fd_(fd), existed_(existed), size_(size) {}
  int fd_;
  bool existed_;
  std::size_t size_;
};

}  // namespace plat
