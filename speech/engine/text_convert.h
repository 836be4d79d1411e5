// Conversion of the request text into the internal code.
#pragma once
#include "speech/engine/text_code.h"

#include <string_view>
#include <vector>

namespace speech {

// UTF-16 (encoding 3): reads unicode.dat at first use; a character without an internal code
// becomes a space. The result ends in a zero unit. False when the table cannot be read.
bool convertUtf16Text(std::u16string_view text, std::vector<Unit>& out);
// GBK bytes (encodings 0 and 1) or Big5 bytes (2) into internal units, the stand-ins of the
// code-page tables applied. False when big5.dat cannot be read.
bool convertByteText(std::string_view bytes, int encoding, std::vector<Unit>& out);

// The request text by its encoding (parameter 0): 3 is UTF-16 ending in a zero unit, 0-2 bytes
// ending in a zero byte.
bool convertUtteranceText(const void* text, int encoding, std::vector<Unit>& out);

}  // namespace speech
