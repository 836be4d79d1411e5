// One pair of dispatch functions for every conversion of a program: code pages 54936, 60932 and
// 61932 by our own converters, every other code page through the platform.
#pragma once
#include <string>
#include <string_view>

#include "apps/common/engine_code_page.h"

namespace apptext {

class CodePageConverter {
 public:
  explicit CodePageConverter(const EngineCodeTables& tables) : tables_(tables) {}

  // The platform's shape. A count of -1 means up to and including the terminating zero, which
  // is then converted and counted too. An output count of 0 asks for the size needed; an output
  // too small gives 0.
  int multiByteToWide(unsigned codePage, unsigned flags, const char* bytes, int byteCount, char16_t* wide,
                      int wideCount) const;
  int wideToMultiByte(unsigned codePage, unsigned flags, const char16_t* wide, int wideCount, char* bytes,
                      int byteCount, const char* defaultChar, bool* usedDefault) const;

  // Zero-terminated bytes to UTF-16; returns the units without the terminator.
  int toWide(unsigned codePage, std::u16string& wide, std::string_view bytes) const;
  // A counted run of bytes.
  int toWideN(unsigned codePage, std::u16string& wide, std::string_view bytes, int byteCount) const;
  // Zero-terminated UTF-16 to bytes; returns the bytes without the terminator.
  int toBytes(unsigned codePage, std::string& bytes, std::u16string_view wide) const;

  std::u16string decode(unsigned codePage, std::string_view bytes) const;
  std::string encode(unsigned codePage, std::u16string_view text) const;

  const EngineCodeTables& tables() const { return tables_; }

 private:
  EngineCodeTables tables_;
};

}  // namespace apptext
