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

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF) with at least one
// character outside ASCII.
bool looksLikeUtf8(std::string_view bytes) {
  bool wide = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      ++i;
      continue;
    }
    std::size_t n = 0;
    unsigned lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) n = 1;
    else if (b >= 0xE0 && b <= 0xEF) n = 2, lo = b == 0xE0 ? 0xA0 : 0x80, hi = b == 0xED ? 0x9F : 0xBF;
    else if (b >= 0xF0 && b <= 0xF4) n = 3, lo = b == 0xF0 ? 0x90 : 0x80, hi = b == 0xF4 ? 0x8F : 0xBF;
    else return false;
    if (i + n >= bytes.size()) return false;
    for (std::size_t k = 1; k <= n; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      if (k == 1 ? (c < lo || c > hi) : (c < 0x80 || c > 0xBF)) return false;
    }
    wide = true;
    i += n + 1;
  }
  return wide;
}

}  // namespace

std::u16string importedText(std::string_view bytes) {
  // Like a buffer of the file with zero bytes behind it: an odd last byte makes a unit of its own.
  std::string padded(bytes);
  padded.append(3, '\0');
  auto unit = [&padded](std::size_t i, bool big) {
    const auto a = static_cast<unsigned char>(padded[i]), b = static_cast<unsigned char>(padded[i + 1]);
    return static_cast<char16_t>(big ? (a << 8 | b) : (b << 8 | a));
  };
  const bool little = bytes.size() >= 2 && padded[0] == '\xFF' && padded[1] == '\xFE';
  const bool big = bytes.size() >= 2 && padded[0] == '\xFE' && padded[1] == '\xFF';
  if (little || big) {
    std::u16string text;
    for (std::size_t i = 2; i < bytes.size(); i += 2) {
      const char16_t c = unit(i, big);
      if (c == 0) break;
      text.push_back(c);
    }
    return text;
  }
  const std::string_view text = bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));
  // UTF-8, the usual encoding of text files here: with its byte-order mark, or valid throughout.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") return plat::utf8ToWide(text.substr(3));
  if (looksLikeUtf8(text)) return plat::utf8ToWide(text);
  return plat::multiByteToWide(932, text);
}

}  // namespace orvale
