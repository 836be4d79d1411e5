// Text a console hands to the reader: checked before it is sent, and cut into requests the
// request file can hold.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vocra {

// The most text units one request carries (the reader's buffer less its leading comma).
inline constexpr std::size_t kMaxRequestUnits = 32766;

// The text in pieces of at most `limit` units, each cut after the last sentence or clause end
// within the limit, else before the limit but never inside a surrogate pair.
std::vector<std::u16string_view> readingPieces(std::u16string_view text, std::size_t limit = kMaxRequestUnits);

// True when the text holds something the reader speaks: a Chinese character, a digit or a letter.
bool hasReadableCharacter(std::u16string_view text);

// UTF-8 console text as UTF-16; false when the bytes are not UTF-8 (GBK, say).
bool consoleTextToWide(std::string_view bytes, std::u16string& out);

}  // namespace vocra
