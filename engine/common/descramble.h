// Descrambling of the engine's data files: a byte-wise subtraction of a repeating ten-byte key.
#pragma once
#include <cstddef>
#include <string>

#include "engine/common/dbcs_text.h"

namespace dbcs {

// Bytes a dictionary entry read covers.
inline constexpr std::size_t kDicEntryReadSize = 228;

// Line routines. `buf` holds the `len` bytes read at `fileOffset` and has room for one byte more.
// On return it holds one descrambled line, NUL-terminated; the result is the line's length. The
// walk never goes past the bytes read.
std::size_t descrambleGrammarLine(char* buf, std::size_t len, long fileOffset);
std::size_t descrambleCjDicLine(char* buf, std::size_t len, long fileOffset);
std::size_t descrambleListLine(char* buf, std::size_t len, long fileOffset);
// A dictionary entry: as the line routines, but a raw zero byte does not stop the walk and the
// walk ends after at most 228 bytes.
std::size_t descrambleDicEntry(char* buf, std::size_t len, long fileOffset);

// The same on a string of the bytes read; the string is cut to the line.
void descrambleGrammarLine(std::string& buf, long fileOffset);
void descrambleCjDicLine(std::string& buf, long fileOffset);
void descrambleListLine(std::string& buf, long fileOffset);
void descrambleDicEntry(std::string& buf, long fileOffset);

// A fixed-length record, descrambled in place from key position 0.
void descrambleRecord(char* record, std::size_t length);

}  // namespace dbcs
