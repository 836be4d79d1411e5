// Conversion of the request text into the internal code.
#pragma once
#include "speech/engine/text_code.h"

#include <string_view>
#include <vector>

namespace speech {

// The encodings of a request text (parameter 0).
enum TextEncoding : int {
  kTextGb = 0,     // GBK bytes
  kTextGbk = 1,    // GBK bytes, read as kTextGb
  kTextBig5 = 2,   // Big5 bytes
  kTextUtf16 = 3,  // UTF-16: the one encoding a caller may set
};

// UTF-16 (kTextUtf16): reads unicode.dat at first use; a character without an internal code
// becomes a space. The result ends in a zero unit. False when the table cannot be read.
bool convertUtf16Text(std::u16string_view text, std::vector<Unit>& out);
// GBK bytes (kTextGb, kTextGbk) or Big5 bytes (kTextBig5) into internal units, the stand-ins of the
// code-page tables applied. False when big5.dat cannot be read.
bool convertByteText(std::string_view bytes, int encoding, std::vector<Unit>& out);

// The request text by its encoding (parameter 0): kTextUtf16 ends in a zero unit, the byte
// encodings in a zero byte; any other value fails.
bool convertUtteranceText(const void* text, int encoding, std::vector<Unit>& out);

}  // namespace speech
