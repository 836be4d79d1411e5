// Listed words: the Chinese words the Chinese-to-Japanese rules compare node texts with, kept as
// data in the engine's data folder ("cjwords.txt") and checked against a schema the rule families
// register. A table of that engine (namespace cj) on the keyed word tables of the common layer.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/common/keyed_word_table.h"

namespace cj {

// One key of the compiled-in schema: a rule family's list of Chinese words, named by family and
// label ("phraseRules.L1"). count 0 = any number of words (at least one), -n = one to n words; minChars/maxChars are
// Chinese characters per word, maxChars 0 = any.
struct WordKeySpec {
  const char* key;
  int count;
  int minChars;
  int maxChars;
};

// Each rule family registers its keys once (a static registrar object in the family's source file).
// False when a key is already registered with another shape or a shape is malformed.
bool registerWordKeys(std::span<const WordKeySpec> specs);
inline bool registerWordKeys(const WordKeySpec* specs, int n) {
  return registerWordKeys(std::span<const WordKeySpec>(specs, n < 0 ? 0 : static_cast<std::size_t>(n)));
}
struct WordKeyRegistrar {
  explicit WordKeyRegistrar(std::span<const WordKeySpec> s) { registerWordKeys(s); }
  WordKeyRegistrar(const WordKeySpec* s, int n) { registerWordKeys(s, n); }
};

// Every registered key, sorted by key.
std::vector<WordKeySpec> registeredWordKeys();

// A key as a rule holds it: its slot is found once, its words then read without a lookup.
class ListedKey : public dbcs::KeyedWordHandle {
 public:
  using dbcs::KeyedWordHandle::KeyedWordHandle;
  constexpr operator const char*() const { return key(); }
  constexpr operator std::string_view() const { return key(); }
};

namespace detail {
// Keys of rule families this program does not carry are skipped.
inline constexpr dbcs::KeyedWordRules kWordTableRules = {
    .skipUnknownKeys = true, .sizeInCharacters = true, .emptyWordMalformsValue = true};
// Made on first use, before the registrars of the rule families add their keys.
inline dbcs::KeyedWordRegistry& wordRegistry() {
  static dbcs::KeyedWordRegistry r(kWordTableRules);
  return r;
}
}  // namespace detail

// The table's words by slot (empty entries when not loaded).
inline const dbcs::KeyedWordRegistry& wordTable() { return detail::wordRegistry(); }

// Words of a key in engine code (empty when not loaded); membership; the single word of a one-word
// key (empty when not loaded).
const std::vector<std::string>& listedWords(std::string_view key);
bool isListedWord(std::string_view key, std::string_view word);
const std::string& listedWord(std::string_view key);
// The words of a key as a bar list "|a|b|c|" for the bar-list tests (empty when not loaded).
const std::string& listedBarList(std::string_view key);

// The same through a held key.
inline const dbcs::KeyedWords& listedEntry(const ListedKey& key) { return key.in(wordTable()); }
inline const std::vector<std::string>& listedWords(const ListedKey& key) { return listedEntry(key).words; }
inline bool isListedWord(const ListedKey& key, std::string_view word) { return listedEntry(key).contains(word); }
inline const std::string& listedWord(const ListedKey& key) {
  static const std::string none;
  const std::vector<std::string>& words = listedWords(key);
  return words.empty() ? none : words.front();
}
inline const std::string& listedBarList(const ListedKey& key) { return listedEntry(key).barList; }
// The bar-list test of a word against a key's list, as isInWordList(listedBarList(key), word).
bool isInListedBarList(const ListedKey& key, std::string_view word);

// File name of the table inside the engine's data folder.
inline constexpr const char* kWordTableFileName = "cjwords.txt";

enum WordTableStatus {
  kWordTableLoaded = 0,
  kWordTableMissing = 1,   // file absent or unreadable
  kWordTableRefused = 2,   // file breaks the schema
};

// An engine's own table: read from its data folder (device path, with or without a trailing
// backslash) into `out`, touching no other load; null with `error` (when given) saying why when the
// file is missing or refused.
WordTableStatus readWordTable(std::string_view dataFolder, dbcs::KeyedWordLoadPtr& out, std::string* error = nullptr);
// Puts an engine's table in use for the rules (null: the standing table).
void useWordTable(const dbcs::KeyedWordLoadPtr& own);

// The standing table, read by programs and tests that hold no engine: loaded from a data folder
// or from table text (UTF-8, "key<TAB>value" lines) and put in use. Loading forgets the standing
// table first; on refusal nothing of the file is kept and `error` (when given) says why.
WordTableStatus loadWordTable(std::string_view dataFolder, std::string* error = nullptr);
WordTableStatus loadWordTableText(std::string_view text, std::string* error = nullptr);
// Forgets the standing table.
void clearWordTable();

}  // namespace cj
