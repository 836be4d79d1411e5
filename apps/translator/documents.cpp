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
  return plat::multiByteToWide(932, std::string_view(bytes.data(), bytes.find('\0') == std::string_view::npos
                                                                         ? bytes.size()
                                                                         : bytes.find('\0')));
}

}  // namespace orvale
