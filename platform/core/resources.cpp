#include "platform/core/resources.h"

#include <deque>
#include <map>
#include <mutex>

namespace plat {

namespace {

std::string key(std::string_view type, std::string_view name) {
  std::string k(type);
  k += '\x01';
  k += name;
  for (char& c : k) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return k;
}

struct Table {
  std::mutex mutex;
  std::map<std::string, ResourceData> entries;
  std::deque<std::string> owned;
};

Table& table() {
  static Table t;
  return t;
}

}  // namespace

void registerResource(std::string_view type, std::string_view name, const std::uint8_t* data, std::size_t size) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.entries[key(type, name)] = ResourceData{data, size};
}

void registerOwnedResource(std::string_view type, std::string_view name, std::string bytes) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  t.owned.push_back(std::move(bytes));
  const std::string& b = t.owned.back();
  t.entries[key(type, name)] = ResourceData{reinterpret_cast<const std::uint8_t*>(b.data()), b.size()};
}

ResourceData findResource(std::string_view type, std::string_view name) {
  Table& t = table();
  std::lock_guard<std::mutex> lock(t.mutex);
  auto it = t.entries.find(key(type, name));
  return it == t.entries.end() ? ResourceData{} : it->second;
}

ResourceData findResource(std::string_view type, unsigned id) {
  return findResource(type, "#" + std::to_string(id));
}

}  // namespace plat
