// The engine's status codes in words, for the programs that report them.
#pragma once

namespace cj {

// What a status code of the Chinese-to-Japanese engine means ("ok" for 0, "unknown status" for a
// code the engine does not set).
const char* statusText(int code);

}  // namespace cj
