#include "engine/cj/analysis/word_table.h"

#include "engine/cj/analysis/keyed_word_table.h"

namespace cj {
namespace {

// Keys of rule families this program does not carry are skipped.
constexpr KeyedWordRules kRules = {.skipUnknownKeys = true, .sizeInCharacters = true, .emptyWordMalformsValue = true};

WordKeySchema& schema() {
  static WordKeySchema s;
  return s;
}

KeyedWordTable& table() {
  static KeyedWordTable t;
  return t;
}

const std::vector<std::string>& noWords() {
  static const std::vector<std::string> none;
  return none;
}

const std::string& noWord() {
  static const std::string none;
  return none;
}

std::string refusalText(const KeyedWordRefusal& r) {
  std::string why;
  switch (r.fault) {
    case KeyedWordFault::kNoTab:
      why = "no tab between key and value";
      break;
    case KeyedWordFault::kKeyTwice:
      why = "key " + r.key + " given twice";
      break;
    case KeyedWordFault::kWrongCount:
      why = r.key + " has " + std::to_string(r.itemCount) + " words, expected " + std::to_string(r.shape.count);
      break;
    case KeyedWordFault::kNoEngineCode:
      why = "word \"" + r.item + "\" has a character without an engine code";
      break;
    case KeyedWordFault::kWrongSize:
      why = r.key + ": word \"" + r.item + "\" has " + std::to_string(r.size) + " characters";
      break;
    case KeyedWordFault::kMissingKey:
      why = "key " + r.key + " missing";
      break;
    default:
      why = "malformed value for " + r.key;
      break;
  }
  return "line " + std::to_string(r.line) + ": " + why;
}

}  // namespace

bool registerWordKeys(const WordKeySpec* specs, int n) {
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const WordKeySpec& s = specs[i];
    if (!addWordKeyShape(schema(), {s.key, s.count, s.minChars, s.maxChars})) ok = false;
  }
  return ok;
}

std::vector<WordKeySpec> registeredWordKeys() {
  std::vector<WordKeySpec> keys;
  for (const auto& [name, s] : schema()) keys.push_back({s.key, s.count, s.minSize, s.maxSize});
  return keys;
}

const std::vector<std::string>& listedWords(std::string_view key) {
  auto it = table().find(key);
  return it == table().end() ? noWords() : it->second.words;
}

bool isListedWord(std::string_view key, std::string_view word) {
  for (const std::string& w : listedWords(key)) {
    if (w == word) return true;
  }
  return false;
}

const std::string& listedWord(std::string_view key) {
  const std::vector<std::string>& words = listedWords(key);
  return words.empty() ? noWord() : words.front();
}

const std::string& listedBarList(std::string_view key) {
  auto it = table().find(key);
  return it == table().end() ? noWord() : it->second.barList;
}

void clearWordTable() { table().clear(); }

WordTableStatus loadWordTableText(std::string_view text, std::string* error) {
  clearWordTable();
  KeyedWordTable loaded;
  KeyedWordRefusal refusal;
  if (!parseKeyedWordTable(text, schema(), kRules, loaded, refusal)) {
    if (error) *error = refusalText(refusal);
    return kWordTableRefused;
  }
  table() = std::move(loaded);
  return kWordTableLoaded;
}

WordTableStatus loadWordTable(std::string_view dataFolder, std::string* error) {
  clearWordTable();
  std::string text, path;
  if (!readKeyedWordFile(dataFolder, kWordTableFileName, text, path)) {
    if (error) *error = "cannot read " + path;
    return kWordTableMissing;
  }
  return loadWordTableText(text, error);
}

}  // namespace cj
