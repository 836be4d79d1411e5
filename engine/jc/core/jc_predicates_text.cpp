#include "engine/jc/core/jc_predicates_text.h"

#include "engine/jc/core/jc_text.h"
#include "engine/common/dbcs_text.h"

namespace jc {

std::size_t charLengthAt(std::string_view text, std::size_t i) {
  return dbcs::charSize(text, i);
}

int isInBarList(std::string_view list, std::string_view code) {
  if (code.empty() || code.size() > kBarCodeMax) return 0;
  char needle[kBarCodeMax + 3];
  needle[0] = '|';
  code.copy(needle + 1, code.size());
  needle[code.size() + 1] = '|';
  const std::string_view fenced(needle, code.size() + 2);
  // Each occurrence counts only where a character of the list begins.
  std::size_t boundary = 0;
  for (std::size_t at = list.find(fenced); at != std::string_view::npos; at = list.find(fenced, at + 1)) {
    while (boundary < at) boundary += charLengthAt(list, boundary);
    if (boundary == at) return 1;
  }
  return 0;
}

int endsWith(std::string_view text, std::string_view suffix) {
  if (suffix.size() > text.size()) return 0;
  const std::size_t start = text.size() - suffix.size();
  if (text.substr(start) != suffix) return 0;
  // The suffix must begin a character of the text, not sit on a trail byte.
  std::size_t i = 0;
  while (i < start) i += charLengthAt(text, i);
  return i == start ? 1 : 0;
}

int beginsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace jc
