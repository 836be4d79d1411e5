// A table of words kept as data: UTF-8 "key<TAB>value" lines, a value being one word or a bar
// list "|a|b|c|", "\xHH" writing a raw byte and '#' starting a comment line. Each word is
// converted to engine code and checked against a compiled-in schema of key shapes; a file that
// breaks the schema is refused whole.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace cj {

// The shape of one key: count words (0 = any number, at least one), each minSize..maxSize long
// (maxSize 0 = no upper bound), the size being counted as the table's rules say.
struct WordKeyShape {
  const char* key;
  int count;
  int minSize;
  int maxSize;
};

using WordKeySchema = std::map<std::string, WordKeyShape, std::less<>>;

// Adds a key's shape to the schema; false when the shape is malformed (nothing added) or the key
// is already there with another shape (the first shape stays).
bool addWordKeyShape(WordKeySchema& schema, const WordKeyShape& shape);

struct KeyedWords {
  std::vector<std::string> words;  // engine code
  std::string barList;             // "|a|b|c|"
};

using KeyedWordTable = std::map<std::string, KeyedWords, std::less<>>;

// How one table reads its file.
struct KeyedWordRules {
  bool skipUnknownKeys;        // false: a key outside the schema refuses the file
  bool sizeInCharacters;       // false: word sizes are engine-code bytes
  bool emptyWordMalformsValue;  // true: an empty value or bar-list item is a malformed value,
                                // found before the count; false: an empty word, found in turn
};

enum class KeyedWordFault {
  kNone,
  kNoTab,
  kUnknownKey,
  kKeyTwice,
  kMalformedValue,  // an unterminated bar list (or, by the rules, an empty word)
  kWrongCount,
  kEmptyWord,
  kNoEngineCode,
  kWrongSize,
  kMissingKey,
};

// Why a file was refused: the line (for a missing key, the number of lines read), the key, the
// word at fault as written, the words the value held and the size of the word at fault.
struct KeyedWordRefusal {
  KeyedWordFault fault = KeyedWordFault::kNone;
  int line = 0;
  std::string key;
  std::string item;
  int itemCount = 0;
  int size = 0;
  WordKeyShape shape{};
};

// Parses table text against the schema into out; false with refusal filled when the text breaks
// it (out is then left partly filled and must be dropped).
bool parseKeyedWordTable(std::string_view text, const WordKeySchema& schema, const KeyedWordRules& rules,
                         KeyedWordTable& out, KeyedWordRefusal& refusal);

// One word as written in the table (UTF-8 with "\xHH" raw bytes) in engine code; false when a
// character has no engine code.
bool tableWordToEngineCode(std::string_view text, std::string& out);

// Reads "<dataFolder>\<fileName>" (a backslash is put between them when the folder lacks a
// separator); false when the file cannot be read, with path set either way.
bool readKeyedWordFile(std::string_view dataFolder, const char* fileName, std::string& text, std::string& path);

}  // namespace cj
