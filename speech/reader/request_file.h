// The request file Vocra.tmp in the runtime folder, between a requester and the reader it runs.
#pragma once
#include "platform/core/window.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vocra {

struct ReadingRequest {
  plat::Hwnd requester = 0;
  std::uint32_t repeatCount = 0;
  std::u16string text;  // as the reader speaks it: a leading comma, then the text
};

// Host path of the request file in the runtime folder: readers of other runtime folders, and
// a read-only program folder, leave it alone.
std::string requestFilePath();

// The file's bytes: requester, repeat count, the text and a zero unit.
std::string requestFileImage(plat::Hwnd requester, std::uint32_t repeatCount, std::u16string_view text);
// Writes the file anew; false when it cannot be written.
bool writeRequestFile(plat::Hwnd requester, std::uint32_t repeatCount, std::u16string_view text);
bool deleteRequestFile();

enum class RequestRead { kOk, kCannotOpen, kTooShort };
// Reads the request: the header, then at most 65,534 bytes of text up to its zero unit, behind
// a comma; 32,767 units read leave room for the comma and 32,766 of them. A file shorter than
// its header is refused.
RequestRead readRequestFile(ReadingRequest& out);

}  // namespace vocra
