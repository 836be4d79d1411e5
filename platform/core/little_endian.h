// Little-endian integers in byte buffers: the byte order of every data file of the suite.
#pragma once
#include <cstdint>
#include <string>

namespace plat {

// The unsigned value of width bytes (1..4) at p, least significant byte first.
inline std::uint32_t readLe(const void* p, int width) {
  const auto* b = static_cast<const unsigned char*>(p);
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[i];
  return v;
}
inline std::uint16_t readLe16(const void* p) { return static_cast<std::uint16_t>(readLe(p, 2)); }
inline std::uint32_t readLe32(const void* p) { return readLe(p, 4); }
inline std::int16_t readLe16s(const void* p) { return static_cast<std::int16_t>(readLe16(p)); }
inline std::int32_t readLe32s(const void* p) { return static_cast<std::int32_t>(readLe32(p)); }

// Writes the low width bytes of v at p, least significant first.
inline void writeLe(void* p, std::uint32_t v, int width) {
  auto* b = static_cast<unsigned char*>(p);
  for (int i = 0; i < width; ++i) b[i] = static_cast<unsigned char>(v >> (8 * i));
}
inline void writeLe16(void* p, std::uint16_t v) { writeLe(p, v, 2); }
inline void writeLe32(void* p, std::uint32_t v) { writeLe(p, v, 4); }

// Appends the low width bytes of v to out, least significant first.
inline void appendLe(std::string& out, std::uint32_t v, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
inline void appendLe16(std::string& out, std::uint16_t v) { appendLe(out, v, 2); }
inline void appendLe32(std::string& out, std::uint32_t v) { appendLe(out, v, 4); }

}  // namespace plat
