#include "engine/common/word_table.h"

#include "engine/common/keyed_word_table.h"

namespace cj {
namespace {

KeyedWordRegistry& registry() { return detail::wordRegistry(); }

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
    case KeyedWordFault::kUtf16Text:
      why = "the file is UTF-16; save it as UTF-8";
      break;
    case KeyedWordFault::kNotUtf8:
      why = "not valid UTF-8";
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

bool registerWordKeys(std::span<const WordKeySpec> specs) {
  std::vector<WordKeyShape> shapes;
  for (const WordKeySpec& s : specs) shapes.push_back({s.key, s.count, s.minChars, s.maxChars});
  return registry().registerKeys(shapes);
}

std::vector<WordKeySpec> registeredWordKeys() {
  std::vector<WordKeySpec> keys;
  for (const auto& [name, s] : registry().schema()) keys.push_back({s.key, s.count, s.minSize, s.maxSize});
  return keys;
}

const std::vector<std::string>& listedWords(std::string_view key) { return registry().entry(key).words; }

bool isListedWord(std::string_view key, std::string_view word) { return registry().entry(key).contains(word); }

const std::string& listedWord(std::string_view key) {
  const std::vector<std::string>& words = listedWords(key);
  return words.empty() ? noWord() : words.front();
}

const std::string& listedBarList(std::string_view key) { return registry().entry(key).barList; }

bool isInListedBarList(const ListedKey& key, std::string_view word) {
  const KeyedWords& e = listedEntry(key);
  if (word.empty() || word.size() > kLongestBarListWord) return false;
  if (e.plainBars && isWholeWithoutBar(word)) return e.contains(word);
  return isInWordList(e.barList, word);
}

void clearWordTable() { registry().clear(); }

void useWordTable(const KeyedWordLoadPtr& own) { registry().use(own); }

WordTableStatus loadWordTableText(std::string_view text, std::string* error) {
  clearWordTable();
  KeyedWordRefusal refusal;
  if (!registry().load(text, refusal)) {
    if (error) *error = refusalText(refusal);
    return kWordTableRefused;
  }
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

WordTableStatus readWordTable(std::string_view dataFolder, KeyedWordLoadPtr& out, std::string* error) {
  out.reset();
  std::string text, path;
  if (!readKeyedWordFile(dataFolder, kWordTableFileName, text, path)) {
    if (error) *error = "cannot read " + path;
    return kWordTableMissing;
  }
  KeyedWordRefusal refusal;
  out = registry().parse(text, refusal);
  if (!out) {
    if (error) *error = refusalText(refusal);
    return kWordTableRefused;
  }
  return kWordTableLoaded;
}

}  // namespace cj
