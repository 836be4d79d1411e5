#include "apps/common/code_page_converter.h"

#include "apps/common/gb18030.h"
#include "platform/core/codepage.h"

#include <cstring>

namespace apptext {

namespace {

std::string_view untilZero(std::string_view s) { return s.substr(0, s.find('\0')); }
std::u16string_view untilZero(std::u16string_view s) { return s.substr(0, s.find(u'\0')); }

constexpr size_t kTerminatedLimit = 65536;

}  // namespace

std::u16string CodePageConverter::decode(unsigned codePage, std::string_view bytes) const {
  switch (codePage) {
    case kEngineCodePage: return cwToWide(tables_, false, bytes, static_cast<long>(bytes.size()));
    case kEngineTraditionalCodePage: return cwToWide(tables_, true, bytes, static_cast<long>(bytes.size()));
    case kGb18030CodePage: return gb18030ToWide(bytes);
    default: return plat::multiByteToWide(codePage, bytes);
  }
}

std::string CodePageConverter::encode(unsigned codePage, std::u16string_view text) const {
  switch (codePage) {
    case kEngineCodePage: return wideToCw(tables_, false, text);
    case kEngineTraditionalCodePage: return wideToCw(tables_, true, text);
    case kGb18030CodePage: return wideToGb18030(text);
    default: return plat::wideToMultiByte(codePage, text);
  }
}

int CodePageConverter::multiByteToWide(unsigned codePage, unsigned /*flags*/, const char* bytes, int byteCount,
                                       char16_t* wide, int wideCount) const {
  if (!bytes || byteCount < -1 || wideCount < 0) return 0;
  bool terminated = byteCount == -1;
  std::string_view in = terminated ? std::string_view(bytes, std::strlen(bytes)) : std::string_view(bytes, byteCount);
  // The engine code pages read at most 65,536 bytes of a terminated string.
  bool engine = codePage == kEngineCodePage || codePage == kEngineTraditionalCodePage;
  if (terminated && engine && in.size() > kTerminatedLimit) {
    in = in.substr(0, kTerminatedLimit);
    terminated = false;
  }
  std::u16string out;
  if (engine) {
    // A zero byte ends the string, counted or not; the zero is stored.
    size_t zero = in.find('\0');
    out = decode(codePage, in.substr(0, zero));
    if (zero != std::string_view::npos || terminated) out.push_back(u'\0');
  } else {
    // Other code pages convert the pieces between zeros alike.
    size_t start = 0;
    while (start <= in.size()) {
      size_t zero = in.find('\0', start);
      size_t end = zero == std::string_view::npos ? in.size() : zero;
      out += decode(codePage, in.substr(start, end - start));
      if (zero == std::string_view::npos) break;
      out.push_back(u'\0');
      start = zero + 1;
    }
    if (terminated) out.push_back(u'\0');
  }
  int needed = static_cast<int>(out.size());
  if (wideCount == 0) return needed;
  if (!wide || needed > wideCount) return 0;
  std::copy(out.begin(), out.end(), wide);
  return needed;
}

int CodePageConverter::wideToMultiByte(unsigned codePage, unsigned /*flags*/, const char16_t* wide, int wideCount,
                                       char* bytes, int byteCount, const char* defaultChar,
                                       bool* usedDefault) const {
  if (usedDefault) *usedDefault = false;
  if (!wide || wideCount < -1 || byteCount < 0) return 0;
  bool terminated = wideCount == -1;
  std::u16string_view in = terminated ? std::u16string_view(wide) : std::u16string_view(wide, wideCount);
  std::string out;
  const bool engine = codePage == kEngineCodePage || codePage == kEngineTraditionalCodePage;
  bool ended = false;
  for (char16_t c : in) {
    if (c == 0) {
      out.push_back('\0');
      // The engine code pages end the string at a zero.
      ended = engine;
      if (ended) break;
      continue;
    }
    std::string piece = encode(codePage, std::u16string_view(&c, 1));
    bool unmapped = piece == "?" && c != u'?';
    if (unmapped) {
      if (usedDefault) *usedDefault = true;
      if (defaultChar && *defaultChar) piece.assign(1, *defaultChar);
    }
    out += piece;
  }
  if (terminated && !ended) out.push_back('\0');
  int needed = static_cast<int>(out.size());
  if (byteCount == 0) return needed;
  if (!bytes || needed > byteCount) return 0;
  std::memcpy(bytes, out.data(), out.size());
  return needed;
}

int CodePageConverter::toWide(unsigned codePage, std::u16string& wide, std::string_view bytes) const {
  wide = decode(codePage, untilZero(bytes));
  return static_cast<int>(wide.size());
}

int CodePageConverter::toWideN(unsigned codePage, std::u16string& wide, std::string_view bytes,
                               int byteCount) const {
  if (byteCount < 0 || static_cast<size_t>(byteCount) > bytes.size()) byteCount = static_cast<int>(bytes.size());
  wide = decode(codePage, bytes.substr(0, static_cast<size_t>(byteCount)));
  return static_cast<int>(wide.size());
}

int CodePageConverter::toBytes(unsigned codePage, std::string& bytes, std::u16string_view wide) const {
  bytes = encode(codePage, untilZero(wide));
  return static_cast<int>(bytes.size());
}

}  // namespace apptext
