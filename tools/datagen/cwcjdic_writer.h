// Writer of the Chinese-Japanese translation dictionary: one entry per Chinese word, a head
// line and continuation lines, each line scrambled with the key phase of its file offset.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace datagen {

// One translation line: kind character, Japanese text (Shift-JIS bytes), category code (up to
// five characters) and the two optional flag characters (0 = absent).
struct CjDicLine {
  char kind = 'N';
  std::string text;
  std::string code;
  char frame = 0;
  char frame2 = 0;
};

// One entry: the Chinese word in engine code (the key the references are handed back by) and
// its lines, the first being the head line.
struct CjDicEntry {
  std::string word;
  std::vector<CjDicLine> lines;
};

// Every line, CR LF included, must stay under this many bytes.
inline constexpr std::size_t kCwcjdicMaxLine = 128;

// The plain text of one line, without its CR LF.
std::string cwcjdicLineText(const CjDicLine& line, bool continuation);

// Writes the file. references receives each word's dictionary reference (entry offset + 1), as
// the word dictionary stores it. False, with error set, for an entry without lines, a line of
// 128 bytes or more, a '\' or line end inside a text or code, or a byte that cannot be scrambled.
bool cwcjdicFile(const std::vector<CjDicEntry>& entries, std::string& out,
                 std::map<std::string, std::int32_t>& references, std::string* error = nullptr);

// Scrambles given plain line texts (without line ends) as a file; offsets receives each line's
// offset. For readers fed odd lines.
bool cwcjdicRawFile(const std::vector<std::string>& lines, std::string& out, std::vector<long>& offsets,
                    std::string* error = nullptr);

}  // namespace datagen
