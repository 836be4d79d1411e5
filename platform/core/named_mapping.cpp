#include "platform/core/named_mapping.h"

#include "platform/core/runtime_folder.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace plat {
namespace {
// One shared lock on byte 0 per open handle or view; the creator holds it exclusively while it
// sizes the file.
constexpr long kExistsByte = 0;
}  // namespace

MappingView::MappingView(MappingView&& o) noexcept
    : data_(std::exchange(o.data_, nullptr)), size_(std::exchange(o.size_, 0)), fd_(std::exchange(o.fd_, -1)) {}

MappingView& MappingView::operator=(MappingView&& o) noexcept {
  if (this != &o) {
    reset();
    data_ = std::exchange(o.data_, nullptr);
    size_ = std::exchange(o.size_, 0);
    fd_ = std::exchange(o.fd_, -1);
  }
  return *this;
}

MappingView::~MappingView() { reset(); }

void MappingView::reset() {
  if (data_) ::munmap(data_, size_);
  if (fd_ >= 0) ::close(fd_);
  data_ = nullptr;
  size_ = 0;
  fd_ = -1;
}

std::unique_ptr<NamedMapping> NamedMapping::create(std::u16string_view name, std::size_t size) {
  if (size == 0) return nullptr;
  int fd = runtime::openLockFile(runtime::objectPath("map-", name));
  if (fd < 0) return nullptr;
  bool existed = false;
  if (runtime::tryLock(fd, true, kExistsByte)) {
    // No handle is open anywhere: this is a new mapping, zeroed.
    if (::ftruncate(fd, 0) != 0 || ::ftruncate(fd, static_cast<off_t>(size)) != 0) {
      ::close(fd);
      return nullptr;
    }
    runtime::tryLock(fd, false, kExistsByte);
  } else {
    existed = true;
    if (!runtime::waitLock(fd, false, kExistsByte)) {
      ::close(fd);
      return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || st.st_size <= 0) {
      ::close(fd);
      return nullptr;
    }
    size = static_cast<std::size_t>(st.st_size);
  }
  return std::unique_ptr<NamedMapping>(new NamedMapping(fd, existed, size));
}

NamedMapping::~NamedMapping() { ::close(fd_); }

MappingView NamedMapping::map(bool writable) const {
  MappingView v;
  int keep = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
  if (keep < 0) return v;
  void* p = ::mmap(nullptr, size_, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, fd_, 0);
  if (p == MAP_FAILED) {
    ::close(keep);
    return v;
  }
  v.data_ = static_cast<unsigned char*>(p);
  v.size_ = size_;
  v.fd_ = keep;
  return v;
}

}  // namespace plat
