// The handheld's file system: one Linux folder stands for its root.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Environment variable naming the device root folder.
inline constexpr const char* kDeviceRootEnv = "SUITE_DEVICE_ROOT";
// Marker file inside a top-level folder that makes it a storage card.
inline constexpr const char* kStorageCardMarker = ".storage-card";

// The device root (host path, no trailing slash); empty when unset.
std::string deviceRoot();

// Maps a device path ("\Card\A\b.dat", backslashes or slashes) to a host path, matching each existing
// component case-insensitively. Components that do not exist are kept as written, so a file can be
// created. A host path (a leading '/' and a first component that exists on the host) is returned
// unchanged when it lies outside the device root; a path in the process's private folder is
// returned as it stands. Paths are UTF-8.
std::string hostPath(std::string_view devicePath);
std::string hostPath(std::u16string_view devicePath);

// True when every component of the path exists.
bool pathExists(std::string_view devicePath);

enum FileAttribute : unsigned {
  kAttrDirectory = 0x10,
  kAttrNormal = 0x80,
  kAttrTemporary = 0x100,
};

struct DirEntry {
  std::string name;     // UTF-8
  unsigned attributes;  // FileAttribute bits
};

// Entries of a device folder, sorted by name; "." and ".." and markers are left out. Storage cards
// (top-level folders holding the marker) carry kAttrTemporary | kAttrDirectory.
std::vector<DirEntry> listFolder(std::string_view devicePath);

// Device paths of the storage cards ("\Storage Card"), in listing order.
std::vector<std::string> storageCards();

// Folder of the running executable (host path, no trailing slash). Tests may override it.
std::string programFolder();
void setProgramFolder(std::string hostFolder);

// Creates the folder and its parents; true on success.
bool makeFolders(std::string_view devicePath);
// Removes a file; true on success.
bool removeFile(std::string_view devicePath);

}  // namespace plat
