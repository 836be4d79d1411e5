// Buffered file input and output on device paths.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace plat {

// fopen on the mapped path, with the C runtime's modes ("rb", "rt", "wb", ...). Null on failure
// and for a folder.
std::FILE* fileOpen(std::string_view devicePath, const char* mode);
std::FILE* fileOpen(std::u16string_view devicePath, const char* mode);
int fileClose(std::FILE* f);

// fseek, except that it fails (returns -1) once after failNextSeek named this file.
int fileSeek(std::FILE* f, long offset, int whence);

// The whole of an open file as read-only memory: the file mapped (read back into memory where it
// cannot be mapped). The bytes stay valid while the view lives, also after the file is closed; a
// view is moved, never copied.
class FileView {
 public:
  FileView() = default;
  ~FileView();
  FileView(FileView&& other) noexcept;
  FileView& operator=(FileView&& other) noexcept;
  FileView(const FileView&) = delete;
  FileView& operator=(const FileView&) = delete;

  std::string_view bytes() const { return {data_, size_}; }
  bool empty() const { return size_ == 0; }

 private:
  friend bool fileMapView(std::FILE* f, FileView& out);
  void release();
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  void* map_ = nullptr;  // the mapping, when the bytes are mapped
  std::string copy_;     // the bytes, when they were read
};

// Maps the whole open file (from its start, whatever its position); false when it can be neither
// mapped nor read (out is then empty).
bool fileMapView(std::FILE* f, FileView& out);

// Maps the whole open file; later fileSeek and fileRead on it are served from memory and touch no
// disk (the file stays open, so its handle still stands for it). False when it cannot be read
// (nothing is held then).
bool fileHoldInMemory(std::FILE* f);
// The bytes fileHoldInMemory holds, valid while the file stays open; null data when none are held.
std::string_view fileHeldBytes(std::FILE* f);
// fread of size bytes, from the held copy when there is one; the bytes read.
std::size_t fileRead(void* buffer, std::size_t size, std::FILE* f);

// Test hook: the next fileSeek on a file opened under this name (any case, last path component
// or whole device path) fails, as a stale storage-card file does.
void failNextSeek(std::string_view fileName);

// Number of files opened through fileOpen and not yet closed, optionally only those whose last
// path component matches name (any case).
int openFileCount(std::string_view name = {});

// Flushes an open file and sets its size (a working file rewritten in place: never emptied, so
// the file system has nothing to flush at its close). 0 on success.
int fileTruncate(std::FILE* f, long size);

// An open file read whole again from its start, past the C runtime's buffer, so that a file
// another handle rewrites in place reads as it now is: kRead; kRemoved when the file no longer
// has a name (removed or replaced: open it anew); kFailed on a read error.
enum class Reread { kRead, kRemoved, kFailed };
Reread fileReadFromStart(std::FILE* f, std::string& out);

// Size of an open file in bytes, or -1 (also for anything but a regular file).
long fileSize(std::FILE* f);

// Whole file as bytes; false when it cannot be read.
bool readWholeFile(std::string_view devicePath, std::string& out);
bool writeWholeFile(std::string_view devicePath, std::string_view bytes);

}  // namespace plat
