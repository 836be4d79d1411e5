#include "apps/translator/documents.h"

#include "platform/core/codepage.h"
#include "platform/core/little_endian.h"

namespace orvale {
namespace {

constexpr std::size_t kNameCharacters = 12;
constexpr char16_t kForbidden[] = u"\\/:*?\"<>|";

void appendUnits(std::string& out, std::u16string_view text) {
  for (char16_t c : text) plat::appendLe16(out, c);
  out.append(2, '\0');
}

}  // namespace

std::u16string defaultDocumentName(std::u16string_view japanese) {
  std::u16string name(japanese.substr(0, japanese.size() > kNameCharacters ? kNameCharacters : japanese.size()));
  name = name.substr(0, name.find(u'\r'));
  name = name.substr(0, name.find_first_of(kForbidden));
  return name.empty() ? u"文例１" : name;
}

std::string documentImage(std::u16string_view japanese, std::u16string_view chinese, std::u16string_view reading,
                          int readingMode) {
  std::string out;
  appendUnits(out, japanese);
  appendUnits(out, chinese);
  if (!reading.empty()) {
    for (int slot = 0; slot < 4; ++slot) appendUnits(out, slot == readingMode ? reading : std::u16string_view());
  }
  return out;
}

DocumentTexts splitDocument(std::string_view bytes) {
  DocumentTexts texts;
  std::u16string* slots[6] = {&texts.japanese, &texts.chinese, &texts.readings[0],
                              &texts.readings[1], &texts.readings[2], &texts.readings[3]};
  int at = 0;
  for (std::size_t i = 0; i + 1 < bytes.size() && at < 6; i += 2) {
    const auto c = static_cast<char16_t>(plat::readLe16(bytes.data() + i));
    if (c == 0) {
      ++at;
    } else {
      slots[at]->push_back(c);
    }
  }
  return texts;
}

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

void appendCodePoint(std::u16string& out, char32_t c) {
  if (c == 0) return;  // a zero is no text: dropped, the text after it kept
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
    out.push_back(kReplacement);
  } else if (c >= 0x10000) {
    out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(c));
  }
}

// Length of the well-formed UTF-8 sequence at i (no overlong forms, no surrogates, nothing past
// U+10FFFF), 0 when none starts there; its code point in c.
std::size_t utf8Sequence(std::string_view bytes, std::size_t i, char32_t& c) {
  const auto b = static_cast<unsigned char>(bytes[i]);
  if (b < 0x80) {
    c = b;
    return 1;
  }
  std::size_t n = 0;
  unsigned lo = 0x80, hi = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) n = 1, c = b & 0x1F;
  else if (b >= 0xE0 && b <= 0xEF) n = 2, c = b & 0x0F, lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
  else if (b >= 0xF0 && b <= 0xF4) n = 3, c = b & 0x07, lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
  else return 0;
  if (i + n >= bytes.size()) return 0;
  for (std::size_t k = 1; k <= n; ++k) {
    const auto t = static_cast<unsigned char>(bytes[i + k]);
    if (k == 1 ? (t < lo || t > hi) : (t < 0x80 || t > 0xBF)) return 0;
    c = c << 6 | (t & 0x3F);
  }
  return n + 1;
}

// UTF-8 when its characters outside ASCII outnumber twice over the bytes that are not UTF-8: a
// stray bad byte does not turn a UTF-8 file into Shift-JIS, while Shift-JIS text, whose double
// bytes are seldom UTF-8, stays Shift-JIS.
bool readsAsUtf8(std::string_view bytes) {
  std::size_t wide = 0, bad = 0;
  char32_t c;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = utf8Sequence(bytes, i, c);
    if (n == 0) ++bad;
    else if (n > 1) ++wide;
    i += n == 0 ? 1 : n;
  }
  return wide > 0 && wide > 2 * bad;
}

// UTF-8 with each byte that starts no sequence read as U+FFFD, counted in bad.
std::u16string fromUtf8(std::string_view bytes, std::size_t& bad) {
  std::u16string text;
  char32_t c;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t n = utf8Sequence(bytes, i, c);
    bad += n == 0;
    appendCodePoint(text, n == 0 ? kReplacement : c);
    i += n == 0 ? 1 : n;
  }
  return text;
}

// Units of 16 or 32 bits after a byte-order mark; an odd last byte makes a unit with zeros behind.
std::u16string fromUnits(std::string_view bytes, std::size_t width, bool big, std::size_t& bad) {
  std::u16string text;
  std::uint16_t high = 0;
  for (std::size_t i = 0; i < bytes.size(); i += width) {
    char32_t c = 0;
    for (std::size_t k = 0; k < width; ++k) {
      const char32_t b = i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0;
      c |= b << (8 * (big ? width - 1 - k : k));
    }
    if (width == 4) {
      bad += c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF);
      appendCodePoint(text, c);
      continue;
    }
    // UTF-16: pairs of surrogates as they stand, a lone one as U+FFFD.
    if (high && (c < 0xDC00 || c > 0xDFFF)) {
      text.push_back(kReplacement);
      ++bad;
    }
    if (c >= 0xD800 && c <= 0xDBFF) {
      high = static_cast<std::uint16_t>(c);
      continue;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) {
      if (high) {
        text.push_back(static_cast<char16_t>(high));
        text.push_back(static_cast<char16_t>(c));
      } else {
        text.push_back(kReplacement);
        ++bad;
      }
      high = 0;
      continue;
    }
    high = 0;
    appendCodePoint(text, c);
  }
  if (high) {
    text.push_back(kReplacement);
    ++bad;
  }
  return text;
}

// A unit that text holds: tab and line ends, ASCII, Latin, general punctuation, CJK symbols,
// kana, hanzi and kanji, compatibility ideographs, full-width and half-width forms.
bool isTextUnit(char32_t c) {
  return c == 0x09 || c == 0x0A || c == 0x0D || (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0x24F) ||
         (c >= 0x2000 && c <= 0x206F) || (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

// Bytes Shift-JIS reads as no text: a lead without its trail, a byte outside the code, a control.
std::size_t shiftJisFaults(std::string_view bytes) {
  std::size_t faults = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
      const auto t = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
      if (t >= 0x40 && t <= 0xFC && t != 0x7F) {
        ++i;
      } else {
        ++faults;
      }
    } else if (b == 0x80 || b == 0xA0 || b >= 0xFD || (b < 0x20 && b != 0x09 && b != 0x0A && b != 0x0D) || b == 0x7F) {
      ++faults;
    }
  }
  return faults;
}

// UTF-16 without a mark: whole units, nine in ten of them text in one byte order, while the
// bytes as Shift-JIS hold something that is no text (zeros of ASCII in UTF-16, broken pairs).
bool readsAsUtf16(std::string_view bytes, bool& big) {
  if (bytes.size() < 6 || bytes.size() % 2 != 0 || shiftJisFaults(bytes) == 0) return false;
  for (const bool order : {false, true}) {
    std::size_t text = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
      const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
      text += isTextUnit(order ? (a << 8 | b) : (b << 8 | a));
    }
    if (text * 10 >= bytes.size() / 2 * 9) {
      big = order;
      return true;
    }
  }
  return false;
}

}  // namespace

std::u16string importedText(std::string_view bytes, std::size_t* replaced) {
  std::u16string text;
  std::size_t bad = 0;
  bool big = false;
  if (bytes.substr(0, 4) == std::string_view("\xFF\xFE\0\0", 4)) {
    text = fromUnits(bytes.substr(4), 4, false, bad);
  } else if (bytes.substr(0, 4) == std::string_view("\0\0\xFE\xFF", 4)) {
    text = fromUnits(bytes.substr(4), 4, true, bad);
  } else if (bytes.substr(0, 2) == "\xFF\xFE") {
    text = fromUnits(bytes.substr(2), 2, false, bad);
  } else if (bytes.substr(0, 2) == "\xFE\xFF") {
    text = fromUnits(bytes.substr(2), 2, true, bad);
  } else if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    // UTF-8, the usual encoding of text files here: with its byte-order mark, or mostly valid.
    text = fromUtf8(bytes.substr(3), bad);
  } else if (readsAsUtf8(bytes)) {
    text = fromUtf8(bytes, bad);
  } else if (readsAsUtf16(bytes, big)) {
    text = fromUnits(bytes, 2, big, bad);
  } else {
    // Shift-JIS; zero bytes are no text and are dropped, the text after them kept.
    std::string kept;
    kept.reserve(bytes.size());
    for (char b : bytes)
      if (b != '\0') kept.push_back(b);
    bad = shiftJisFaults(kept);
    text = plat::multiByteToWide(932, kept);
  }
  if (replaced) *replaced = bad;
  return text;
}

}  // namespace orvale
