#include "engine/cj/transfer/jp_text.h"

#include "engine/cj/analysis/sentence.h"
#include "engine/common/dbcs_text.h"

namespace cj {

bool isCharBoundary(std::string_view text, std::size_t pos) {
  std::size_t i = 0;
  while (i < pos && i < text.size()) {
    i += dbcs::charSize(text, i);
  }
  return i == pos;
}

std::size_t findAtBoundary(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::string_view::npos;
  std::size_t i = 0;
  while (i + needle.size() <= text.size()) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
    i += dbcs::charSize(text, i);
  }
  return std::string_view::npos;
}

bool textEndsWith(std::string_view text, std::string_view suffix) {
  if (text.empty() || suffix.empty() || suffix.size() > text.size()) return false;
  std::size_t start = text.size() - suffix.size();
  return text.compare(start, suffix.size(), suffix) == 0 && isCharBoundary(text, start);
}

void dropLastChar(std::string& text) {
  if (text.size() >= 2) text.resize(text.size() - 2);
}

std::string_view lastChar(std::string_view text) {
  return text.size() >= 2 ? text.substr(text.size() - 2) : std::string_view{};
}

bool replaceSuffix(std::string& text, std::string_view suffix, std::string_view replacement) {
  if (!textEndsWith(text, suffix)) return false;
  text.resize(text.size() - suffix.size());
  text.append(replacement);
  return true;
}

void replaceLastChar(std::string& text, std::string_view replacement) {
  if (text.size() < 2) return;
  text.resize(text.size() - 2);
  text.append(replacement);
}

}  // namespace cj
