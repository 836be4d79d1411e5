// Tables a program carries, embedded at build time and looked up by type and name or id.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat {

struct ResourceData {
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  explicit operator bool() const { return data != nullptr; }
  std::string_view bytes() const { return {reinterpret_cast<const char*>(data), size}; }
};

// Registers a table; a later registration of the same type and name replaces it. The bytes must
// outlive the program (static arrays), or be owned by the registry through registerOwnedResource.
void registerResource(std::string_view type, std::string_view name, const std::uint8_t* data, std::size_t size);
void registerOwnedResource(std::string_view type, std::string_view name, std::string bytes);

// Names compare without case. An id is looked up as the name "#<id>".
ResourceData findResource(std::string_view type, std::string_view name);
ResourceData findResource(std::string_view type, unsigned id);

}  // namespace plat
