// The handheld's registry, kept in a file of the device folder.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

enum class RegRoot { LocalMachine, ClassesRoot, CurrentUser };

enum class RegType { Dword = 4, String = 1, Binary = 3 };

// A key: its root and its path ("SOFTWARE\Vendor\Program"). Paths compare without case.
struct RegKey {
  RegRoot root = RegRoot::LocalMachine;
  std::string path;
};

// Opens an existing key; nothing when it does not exist.
std::optional<RegKey> regOpenKey(RegRoot root, std::string_view path);
// Opens or creates the key and its parents; nothing when the registry cannot be written.
std::optional<RegKey> regCreateKey(RegRoot root, std::string_view path);
bool regKeyExists(RegRoot root, std::string_view path);

// Value names are UTF-8; "" is the key's default value.
bool regSetDword(const RegKey& key, std::string_view name, std::uint32_t value);
bool regSetString(const RegKey& key, std::string_view name, std::u16string_view value);
bool regSetBinary(const RegKey& key, std::string_view name, std::string_view bytes);

std::optional<std::uint32_t> regGetDword(const RegKey& key, std::string_view name);
std::optional<std::u16string> regGetString(const RegKey& key, std::string_view name);
std::optional<std::string> regGetBinary(const RegKey& key, std::string_view name);
std::optional<RegType> regValueType(const RegKey& key, std::string_view name);

// Direct sub-keys (last component) and value names, in the order they were created.
std::vector<std::string> regSubKeys(const RegKey& key);
std::vector<std::string> regValueNames(const RegKey& key);

bool regDeleteValue(const RegKey& key, std::string_view name);
// Deletes the key with its sub-keys.
bool regDeleteKey(RegRoot root, std::string_view path);

}  // namespace plat
