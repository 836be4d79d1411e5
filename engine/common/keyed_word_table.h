// A table of words kept as data: UTF-8 "key<TAB>value" lines, a value being one word or a bar
// list "|a|b|c|", "\xHH" writing a raw byte and '#' starting a comment line. Each word is
// converted to engine code and checked against a compiled-in schema of key shapes; a file that
// breaks the schema is refused whole.
#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/common/compiled_word_table.h"

namespace dbcs {

// The shape of one key: count words (0 = any number, at least one; -n = one to n words), each minSize..maxSize long
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
  // Built at load: the words as a set, for the longer lists.
  std::unordered_set<std::string_view> members;
  // True when every word is whole characters without a bar, so that a bar-list test on a whole-character
  // word without a bar is a plain membership test.
  bool plainBars = false;
  // Built at load: the first bytes and the sizes (63 for any longer) of the words, so that most words
  // that are not among them are turned away before a hash or a compare.
  bool indexed = false;
  std::array<std::uint64_t, 4> firstBytes{};
  std::uint64_t sizes = 0;

  // The word is one of the words.
  bool contains(std::string_view word) const;
  // Fills members and plainBars; call once the words stay where they are.
  void index();
};

using KeyedWordTable = std::map<std::string, KeyedWords, std::less<>>;

// The bar-list test: word is one of the items of list "|a|b|c|", compared at the list's character
// starts; false for an empty word or one longer than kLongestBarListWord bytes.
inline constexpr std::size_t kLongestBarListWord = 28;
bool isInWordList(std::string_view list, std::string_view word);

// Whole characters of engine code (no lead byte left without its trail), none of them a bar.
bool isWholeWithoutBar(std::string_view word);

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
  kUtf16Text,  // the file is UTF-16 (line 1)
  kNotUtf8,    // the line is not valid UTF-8
  kNulByte,    // the line holds a NUL byte (the file is no text of this kind)
  kEmptyKey,   // the line has a TAB first: a value without its key
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
// Keys skipped as unknown (rules.skipUnknownKeys) go to skipped with their line numbers.
using SkippedKeys = std::vector<std::pair<int, std::string>>;
bool parseKeyedWordTable(std::string_view text, const WordKeySchema& schema, const KeyedWordRules& rules,
                         KeyedWordTable& out, KeyedWordRefusal& refusal, SkippedKeys* skipped = nullptr);

// One word as written in the table (UTF-8 with "\xHH" raw bytes) in engine code; false when a
// character has no engine code.
bool tableWordToEngineCode(std::string_view text, std::string& out);

// Reads "<dataFolder>\<fileName>" (a backslash is put between them when the folder lacks a
// separator); false when the file cannot be read, with path set either way.
bool readKeyedWordFile(std::string_view dataFolder, const char* fileName, std::string& text, std::string& path);

// One load of a table: the words of every slot of its registry, fixed once made. An engine holds
// the load of its own data folder; the rules read the load in use.
struct KeyedWordLoad {
  std::vector<KeyedWords> slots;
  unsigned generation = 0;  // unique to this load
  SkippedKeys skippedKeys;  // keys outside the schema that the rules let the load skip, by line
};
using KeyedWordLoadPtr = std::shared_ptr<const KeyedWordLoad>;

// One direction's keyed word table: the schema its rule families register and the load the rules
// read. Every key gets a slot when it is registered, so a rule can resolve its key once and read
// its words without a lookup. The load in use is the one of the engine at work; an engine without
// a load of its own, and a program without an engine, read the standing load (load(), clear()).
class KeyedWordRegistry {
 public:
  static constexpr int kNoSlot = -1;

  explicit KeyedWordRegistry(KeyedWordRules rules) : rules_(rules) {}

  // Adds keys to the schema; false when one is malformed or already there with another shape.
  bool registerKeys(std::span<const WordKeyShape> shapes);
  const WordKeySchema& schema() const { return schema_; }
  // The slot of a registered key; kNoSlot for any other.
  int slotOf(std::string_view key) const;
  // The words of a slot or key in the load in use; an empty entry when none are loaded.
  const KeyedWords& entry(int slot) const {
    return inUse_ && slot >= 0 && static_cast<std::size_t>(slot) < inUse_->slots.size() ? inUse_->slots[slot]
                                                                                        : kNoWords;
  }
  const KeyedWords& entry(std::string_view key) const { return entry(slotOf(key)); }

  // Parses table text into a new load; null, with refusal filled, when the text breaks the schema.
  // Nothing the registry holds changes.
  KeyedWordLoadPtr parse(std::string_view text, KeyedWordRefusal& refusal) const;
  // The load of table text from its compiled form (compiled_word_table.h); null when the compiled
  // form is not of this text, not of this schema or damaged: the text is then parsed instead.
  KeyedWordLoadPtr readCompiled(std::string_view text, std::string_view compiled) const;
  // The load of the text of "<dataFolder>\<fileName>": from the compiled form beside it when that
  // is of this text and schema, else parsed from the text (null, refusal filled, when refused).
  KeyedWordLoadPtr parseWithCompiled(std::string_view dataFolder, const char* fileName, std::string_view text,
                                     KeyedWordRefusal& refusal) const;
  // Every key of the schema with its shape and the text's words, in the schema's key order, for the
  // compiled form; false (out empty) when the text breaks the schema.
  bool wordsByKey(std::string_view text, std::vector<CompiledWordEntry>& out) const;
  // The fingerprint of the rules a compiled form is made under.
  std::uint64_t fingerprint() const;
  // Puts an engine's load in use; a null load puts the standing load in use.
  void use(const KeyedWordLoadPtr& load) {
    const KeyedWordLoadPtr& next = load ? load : standing_;
    if (inUse_.get() != next.get()) inUse_ = next;
  }

  // The standing load: parses table text and, on success, makes it the standing load and puts it
  // in use; on refusal both stay as they were.
  bool load(std::string_view text, KeyedWordRefusal& refusal);
  // Drops the standing load and puts no load in use.
  void clear();
  // The generation of the load in use: it changes whenever another load is put in use.
  unsigned generation() const { return inUse_ ? inUse_->generation : kNoLoadGeneration; }

 private:
  static constexpr unsigned kNoLoadGeneration = 1;
  static std::atomic<unsigned>& loadGenerations();
  KeyedWordRules rules_;
  WordKeySchema schema_;
  std::unordered_map<std::string_view, int> slots_;  // keys as the schema holds them
  KeyedWordLoadPtr standing_;
  KeyedWordLoadPtr inUse_;
  static inline const KeyedWords kNoWords{};
};

// A key as a rule holds it: resolved to its slot on first use, then read without a lookup.
class KeyedWordHandle {
 public:
  constexpr explicit KeyedWordHandle(const char* key) : key_(key) {}
  constexpr const char* key() const { return key_; }
  const KeyedWords& in(const KeyedWordRegistry& registry) const {
    if (slot_ == KeyedWordRegistry::kNoSlot) slot_ = registry.slotOf(key_);
    return registry.entry(slot_);
  }

 private:
  const char* key_;
  mutable int slot_ = KeyedWordRegistry::kNoSlot;
};

}  // namespace dbcs
