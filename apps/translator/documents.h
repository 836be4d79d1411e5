// The saved document (.lq): the Japanese text, the Chinese text and, when there is one, the
// reading in the slot of its reading mode, each UTF-16 little-endian with a zero unit.
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace orvale {

// The file name offered when saving: the start of the Japanese text up to its first line break
// or character that a file name cannot hold; "文例１" when nothing is left.
std::u16string defaultDocumentName(std::u16string_view japanese);

// The bytes of a document.
std::string documentImage(std::u16string_view japanese, std::u16string_view chinese, std::u16string_view reading,
                          int readingMode);

// A document's strings: Japanese, Chinese and the four reading slots (empty when absent).
struct DocumentTexts {
  std::u16string japanese, chinese;
  std::array<std::u16string, 4> readings;
};
DocumentTexts splitDocument(std::string_view bytes);

// The text of an imported text file: UTF-32 or UTF-16 after a byte-order mark (either order), UTF-8
// after its mark or when its characters outside ASCII outnumber twice the bytes that are not UTF-8,
// else UTF-16 without a mark when its units read as text and the bytes do not as Shift-JIS,
// else bytes of the system code page. Zero characters are dropped and the text after them kept; a
// byte or unit that is no character reads as U+FFFD (・ in Shift-JIS), and `replaced` counts them.
std::u16string importedText(std::string_view bytes, std::size_t* replaced = nullptr);

}  // namespace orvale
