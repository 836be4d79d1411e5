// The compiled form of a keyed word table ("cjwords.bin" beside "cjwords.txt"): the words of every
// key in engine code, as a load of the text gives them, so that a start reads them without
// converting a word. It names the text it was compiled from (size and hash), the rules of the table
// (a fingerprint) and the shape each key was loaded with; a reader takes it only while the text and
// the rules still stand, its own hash holds and every key it registers is there with its shape, and
// reads the text otherwise. Little-endian:
//   "KWTB", u32 version, u64 text size, u64 text hash, u64 rules fingerprint, u64 body hash,
//   u32 key count; the body: per key u16 key size, the key, i32 count, i32 least size, i32 most
//   size, u32 word count, per word u16 size and the word's bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dbcs {

inline constexpr std::string_view kCompiledWordTableMagic = "KWTB";
inline constexpr std::uint32_t kCompiledWordTableVersion = 2;
inline constexpr std::size_t kCompiledWordTableHeaderSize = 4 + 4 + 8 + 8 + 8 + 8 + 4;

// One key of a table as loaded: its shape and its words in engine code.
struct CompiledWordEntry {
  std::string key;
  int count = 0;
  int minSize = 0;
  int maxSize = 0;
  std::vector<std::string> words;
};

// FNV-1a, 64 bits.
inline std::uint64_t wordTableHash(std::string_view bytes, std::uint64_t h = 0xcbf29ce484222325ull) {
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 0x100000001b3ull;
  }
  return h;
}

// The compiled file beside a text file: the name with ".bin" for its extension.
inline std::string compiledWordTableName(std::string_view textName) {
  const std::size_t dot = textName.rfind('.');
  return std::string(textName.substr(0, dot)) + ".bin";
}

}  // namespace dbcs
