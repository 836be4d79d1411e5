// Scrambling of the Chinese-to-Japanese data files: adds a repeating ten-byte key to each byte.
// Line files take the key phase from each byte's file position; records start at phase 0.
#pragma once
#include <string>
#include <string_view>

namespace datagen {

enum class CjScrambleKey { Grammar, DicEntry, CjDicLine, ListLine, Record };

// The key string of a file kind (only its first ten characters are used).
const char* cjScrambleKeyString(CjScrambleKey key);

// Scrambles bytes that will lie at file offset `fileOffset`.
std::string scrambleAt(CjScrambleKey key, std::string_view plain, long fileOffset);

// A whole line file from offset 0. A raw zero byte ends a line when it is read back, so a byte
// that would scramble to zero (other than a zero itself or the trail of a double-byte
// character) is refused: false, and `error` says where.
bool scrambleLineFile(CjScrambleKey key, std::string_view plain, std::string& out, std::string* error = nullptr);

// One fixed-length record, phase 0 at its first byte.
std::string scrambleRecord(std::string_view record);

}  // namespace datagen
