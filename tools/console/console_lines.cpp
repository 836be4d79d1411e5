#include "tools/console/console_lines.h"

#include <iostream>

#include "platform/core/codepage.h"

namespace console {

std::size_t firstInvalidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    char32_t c = 0, least = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      n = 2, c = b & 0x1F, least = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      n = 3, c = b & 0x0F, least = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      n = 4, c = b & 0x07, least = 0x10000;
    } else {
      return i;
    }
    if (i + n > s.size()) return i;
    for (std::size_t k = 1; k < n; ++k) {
      const auto t = static_cast<unsigned char>(s[i + k]);
      if ((t & 0xC0) != 0x80) return i;
      c = (c << 6) | (t & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return i;
    i += n;
  }
  return std::string_view::npos;
}

InputLine decodeLine(std::string_view raw) {
  InputLine line;
  if (raw.substr(0, 3) == "\xEF\xBB\xBF") raw.remove_prefix(3);
  if (const std::size_t bad = firstInvalidUtf8(raw); bad != std::string_view::npos) {
    line.fault = "is not valid UTF-8 (byte " + std::to_string(bad + 1) + ")";
    return line;
  }
  line.text = plat::utf8ToWide(raw);
  for (char16_t& c : line.text) {
    if (c == u'\t') c = u' ';
    if (c == 0) {
      c = u' ';
      line.hadNul = true;
    }
  }
  return line;
}

bool hasText(std::u16string_view text) {
  for (char16_t c : text)
    if (c != u' ' && c != u'\u3000') return true;
  return false;
}

bool LineLoop::nextRaw(std::string& raw) {
  std::streambuf& source = *in_.rdbuf();
  for (;;) {
    const std::size_t end = buffer_.find('\n', start_);
    if (end != std::string::npos) {
      raw.assign(buffer_, start_, end - start_);
      start_ = end + 1;
      return true;
    }
    if (ended_) {
      if (start_ >= buffer_.size()) return false;
      raw.assign(buffer_, start_, std::string::npos);
      start_ = buffer_.size();
      return true;
    }
    buffer_.erase(0, start_);
    start_ = 0;
    // What can be read without waiting is taken at once; before waiting the answers so far go out.
    const std::streamsize ready = source.in_avail();
    if (ready > 0) {
      const std::size_t had = buffer_.size();
      buffer_.resize(had + static_cast<std::size_t>(ready));
      buffer_.resize(had + static_cast<std::size_t>(source.sgetn(buffer_.data() + had, ready)));
      continue;
    }
    out_.flush();
    const int c = source.sbumpc();
    if (c == std::char_traits<char>::eof()) {
      ended_ = true;
    } else {
      buffer_.push_back(static_cast<char>(c));
    }
  }
}

bool LineLoop::next(InputLine& line) {
  std::string raw;
  while (nextRaw(raw)) {
    ++number_;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    line = decodeLine(raw);
    if (!line.fault.empty()) {
      failed(line.fault);
      line.text.clear();
    } else if (line.hadNul) {
      note("a NUL byte was read as a blank");
    }
    return true;
  }
  return false;
}

void LineLoop::failed(const std::string& why) {
  ++failed_;
  std::fprintf(stderr, "%s: line %d not translated: %s\n", driver_.name, number_, why.c_str());
}

void LineLoop::note(const std::string& what) {
  std::fprintf(stderr, "%s: line %d: %s\n", driver_.name, number_, what.c_str());
}

}  // namespace console
