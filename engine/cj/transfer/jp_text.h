// Shift-JIS text helpers of the Japanese generator: suffix tests and edits that respect
// character boundaries.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace cj {

// True when a character starts at byte pos of text (pos == size counts).
bool isCharBoundary(std::string_view text, std::size_t pos);
// First occurrence of needle that starts at a character boundary, or npos.
std::size_t findAtBoundary(std::string_view text, std::string_view needle);
inline bool containsAtBoundary(std::string_view text, std::string_view needle) {
  return !needle.empty() && findAtBoundary(text, needle) != std::string_view::npos;
}

// The text ends with suffix, and the suffix starts at a character boundary.
bool textEndsWith(std::string_view text, std::string_view suffix);
// Cuts the last two bytes; a text shorter than two bytes is left alone.
void dropLastChar(std::string& text);
// The last two bytes, or empty for a shorter text.
std::string_view lastChar(std::string_view text);
// Replaces the ending suffix by replacement; false (text unchanged) when it does not end so.
bool replaceSuffix(std::string& text, std::string_view suffix, std::string_view replacement);
// Replaces the last character (two bytes) by replacement when the text has one.
void replaceLastChar(std::string& text, std::string_view replacement);

}  // namespace cj
