// Fixed-size text fields of the Japanese-to-Chinese record: NUL-terminated single-byte /
// double-byte text (Shift-JIS or the engine Chinese code), every copy bounded and cut at a
// character boundary.
#pragma once
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/common/dbcs_text.h"

namespace jc {


// Longest prefix of text, at most maxBytes long, that does not split a double-byte character.
inline std::size_t fitCharacters(std::string_view text, std::size_t maxBytes) {
  return dbcs::fitWholeChars(text, maxBytes);
}

// N bytes including the terminator. Trivially copyable: a zeroed record holds empty texts.
template <std::size_t N>
struct FixedText {
  static_assert(N >= 2);
  char bytes[N];

  static constexpr std::size_t capacity() { return N - 1; }
  std::string_view view() const {
    // A short field: a loop the compiler keeps inline beats a library call.
    if constexpr (N <= 64) {
      std::size_t n = 0;
      while (n < N - 1 && bytes[n]) ++n;
      return {bytes, n};
    } else {
      return {bytes, strnlen(bytes, N - 1)};
    }
  }
  std::string str() const { return std::string(view()); }
  const char* c_str() const { return bytes; }
  std::size_t size() const { return view().size(); }
  bool empty() const { return bytes[0] == 0; }
  void clear() { bytes[0] = 0; }

  // Copies as much of text (up to a NUL) as fits in whole characters; false when it was cut.
  bool assign(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::size_t n = fitCharacters(text, N - 1);
    if (n) std::memmove(bytes, text.data(), n);
    bytes[n] = 0;
    return n == text.size();
  }
  // Appends as assign(view() + text) would, without building the joined text.
  bool append(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    const std::size_t used = size(), total = used + text.size();
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(k < used ? bytes[k] : text[k - used]); };
    std::size_t n = 0;
    while (n < total) {
      const std::size_t step = dbcs::isLeadByte(at(n)) && n + 1 < total ? 2 : 1;
      if (n + step > N - 1) break;
      n += step;
    }
    if (n > used) std::memcpy(bytes + used, text.data(), n - used);
    bytes[n] = 0;
    return n == total;
  }
  FixedText& operator=(std::string_view text) {
    assign(text);
    return *this;
  }
  // As view() == text, without measuring the field first.
  bool operator==(std::string_view text) const {
    const std::size_t n = text.size();
    if (n > N - 1 || (n < N - 1 && bytes[n] != 0)) return false;
    return std::memcmp(bytes, text.data(), n) == 0 && std::memchr(text.data(), 0, n) == nullptr;
  }
};

}  // namespace jc
