// Cutting the source text into the pieces that the Translate command hands on one at a time.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace orvale {

// Copies the next piece of text into piece and returns where the rest of the text begins; a cut
// at the end gives the whole text and returns its length. A non-empty text gives a non-empty piece.
std::size_t nextSentence(std::u16string_view text, std::u16string& piece);

}  // namespace orvale
