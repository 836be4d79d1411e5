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

// Reads the whole open file into memory; later fileSeek and fileRead on it are served from there
// and touch no disk (the file stays open, so its handle still stands for it). False when it
// cannot be read (nothing is held then).
bool fileHoldInMemory(std::FILE* f);
// The bytes fileHoldInMemory read, valid while the file stays open; null when none are held.
const std::string* fileHeldBytes(std::FILE* f);
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

// Size of an open file in bytes, or -1 (also for anything but a regular file).
long fileSize(std::FILE* f);

// Whole file as bytes; false when it cannot be read.
bool readWholeFile(std::string_view devicePath, std::string& out);
bool writeWholeFile(std::string_view devicePath, std::string_view bytes);

}  // namespace plat
