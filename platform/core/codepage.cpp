#include "platform/core/codepage.h"

#include <algorithm>
#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

namespace plat {

namespace {

const char* iconvName(unsigned cp) {
  switch (cp) {
    case 932: return "CP932";
    case 936: return "CP936";
    case 949: return "CP949";
    case 950: return "CP950";
    case 1252: return "CP1252";
    case 20932: return "EUC-JP";
    case 51932: return "EUC-JP";
    case 54936: return "GB18030";
    case 65001: return "UTF-8";
    case 1200: return "UTF-16LE";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    default: return nullptr;
  }
}

char16_t defaultWideChar(unsigned cp) { return cp == 932 ? u'\u30FB' : u'?'; }

// Length of the character starting at p in a double-byte code page, for skipping a bad one.
size_t badLength(unsigned cp, const unsigned char* p, size_t left) {
  if (left >= 2 && isLeadByteInCodePage(cp, p[0]) && p[1] >= 0x40 && p[1] != 0x7F && p[1] != 0xFF) return 2;
  return 1;
}

// Converters are opened once per code page and direction and kept for the process: opening one
// loads the C library's conversion module. A converter in use belongs to one caller; callers on
// other threads take another from the same pool, so a pool holds as many as ran at once.
class ConverterPool {
 public:
  iconv_t take(const char* to, const char* from) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (Slot& s : slots_) {
        if (s.to == to && s.from == from && !s.idle.empty()) {
          iconv_t cd = s.idle.back();
          s.idle.pop_back();
          return cd;
        }
      }
    }
    return iconv_open(to, from);
  }

  // Back to the pool in its initial state.
  void give(const char* to, const char* from, iconv_t cd) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::lock_guard<std::mutex> lock(mutex_);
    for (Slot& s : slots_) {
      if (s.to == to && s.from == from) {
        s.idle.push_back(cd);
        return;
      }
    }
    slots_.push_back(Slot{to, from, {cd}});
  }

 private:
  // Names are the static strings of iconvName, so pointers compare.
  struct Slot {
    const char* to;
    const char* from;
    std::vector<iconv_t> idle;
  };
  std::mutex mutex_;
  std::vector<Slot> slots_;
};

ConverterPool& pool() {
  // Never destroyed: conversions may run from other objects' destructors at exit.
  static ConverterPool* p = new ConverterPool;
  return *p;
}

constexpr const char* kUtf16 = "UTF-16LE";

// A converter taken from the pool for one call.
class Lease {
 public:
  Lease(const char* to, const char* from) : to_(to), from_(from), cd_(pool().take(to, from)) {}
  ~Lease() {
    if (ok()) pool().give(to_, from_, cd_);
  }
  Lease(const Lease&) = delete;
  Lease& operator=(const Lease&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  const char* to_;
  const char* from_;
  iconv_t cd_;
};

}  // namespace

bool isCodePageKnown(unsigned codePage) { return iconvName(codePage) != nullptr; }

bool isLeadByteInCodePage(unsigned codePage, unsigned char b) {
  switch (codePage) {
    case 932: return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    case 936:
    case 949:
    case 950:
    case 54936: return b >= 0x81 && b <= 0xFE;
    default: return false;
  }
}

std::u16string multiByteToWide(unsigned codePage, std::string_view bytes) {
  std::u16string out;
  const char* name = iconvName(codePage);
  if (!name) return out;
  Lease lease(kUtf16, name);
  if (!lease.ok()) return out;
  iconv_t cd = lease.get();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t left = bytes.size();
  std::vector<char> buf(bytes.size() * 4 + 16);
  while (left > 0) {
    char* in = reinterpret_cast<char*>(const_cast<unsigned char*>(p));
    char* o = buf.data();
    size_t oleft = buf.size();
    size_t r = iconv(cd, &in, &left, &o, &oleft);
    size_t produced = buf.size() - oleft;
    for (size_t i = 0; i + 1 < produced; i += 2) {
      out.push_back(static_cast<char16_t>(static_cast<unsigned char>(buf[i]) |
                                          (static_cast<unsigned char>(buf[i + 1]) << 8)));
    }
    p = reinterpret_cast<const unsigned char*>(in);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: replace the bad character and go on.
      // iconv may have taken the bad bytes already: never step past what is left.
      size_t skip = left > 0 ? std::min(badLength(codePage, p, left), left) : 0;
      out.push_back(defaultWideChar(codePage));
      p += skip;
      left -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

std::string wideToMultiByte(unsigned codePage, std::u16string_view text) {
  std::string out;
  const char* name = iconvName(codePage);
  if (!name) return out;
  Lease lease(name, kUtf16);
  if (!lease.ok()) return out;
  iconv_t cd = lease.get();
  std::string in16;
  in16.reserve(text.size() * 2);
  for (char16_t c : text) {
    in16.push_back(static_cast<char>(c & 0xFF));
    in16.push_back(static_cast<char>(c >> 8));
  }
  char* in = in16.data();
  size_t left = in16.size();
  std::vector<char> buf(text.size() * 4 + 16);
  while (left > 0) {
    char* o = buf.data();
    size_t oleft = buf.size();
    size_t r = iconv(cd, &in, &left, &o, &oleft);
    out.append(buf.data(), buf.size() - oleft);
    if (r == static_cast<size_t>(-1)) {
      if (errno == E2BIG) continue;
      // Unmappable or broken: one '?' for the unit (a surrogate pair counts as one).
      size_t skip = 2;
      if (left >= 4) {
        unsigned hi = static_cast<unsigned char>(in[0]) | (static_cast<unsigned char>(in[1]) << 8);
        if (hi >= 0xD800 && hi <= 0xDBFF) skip = 4;
      }
      if (skip > left) skip = left;
      out.push_back('?');
      in += skip;
      left -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

std::string wideToUtf8(std::u16string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u16string utf8ToWide(std::string_view s) {
  std::u16string out;
  size_t i = 0;
  while (i < s.size()) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    char32_t c;
    size_t n;
    if (b < 0x80) { c = b; n = 1; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; n = 2; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; n = 3; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; n = 4; }
    else { out.push_back(u'\uFFFD'); ++i; continue; }
    if (i + n > s.size()) { out.push_back(u'\uFFFD'); break; }
    bool ok = true;
    for (size_t k = 1; k < n; ++k) {
      unsigned char t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) { ok = false; break; }
      c = (c << 6) | (t & 0x3F);
    }
    if (!ok) { out.push_back(u'\uFFFD'); ++i; continue; }
    // Overlong forms, surrogates and values past U+10FFFF are invalid, never characters.
    static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
      out.push_back(u'\uFFFD');
      i += n;
      continue;
    }
    i += n;
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

}  // namespace plat
