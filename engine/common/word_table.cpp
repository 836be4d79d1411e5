#include "engine/common/word_table.h"

#include "engine/common/keyed_word_table.h"

#include <string_view>
#include <utility>

namespace cj {
namespace {

dbcs::KeyedWordRegistry& registry() { return detail::wordRegistry(); }

const std::string& noWord() {
  static const std::string none;
  return none;
}

std::string refusalText(const dbcs::KeyedWordRefusal& r) {
  std::string why;
  switch (r.fault) {
    case dbcs::KeyedWordFault::kNoTab:
      why = "no tab between key and value";
      break;
    case dbcs::KeyedWordFault::kKeyTwice:
      why = "key " + r.key + " given twice";
      break;
    case dbcs::KeyedWordFault::kWrongCount:
      why = r.key + " has " + std::to_string(r.itemCount) + " words, expected " +
            (r.shape.count < 0 ? "at most " + std::to_string(-r.shape.count) : std::to_string(r.shape.count));
      break;
    case dbcs::KeyedWordFault::kNoEngineCode:
      why = "word \"" + r.item + "\" has a character without an engine code";
      break;
    case dbcs::KeyedWordFault::kWrongSize:
      why = r.key + ": word \"" + r.item + "\" has " + std::to_string(r.size) + " characters";
      break;
    case dbcs::KeyedWordFault::kUtf16Text:
      why = "the file is UTF-16; save it as UTF-8";
      break;
    case dbcs::KeyedWordFault::kNotUtf8:
      why = "not valid UTF-8";
      break;
    case dbcs::KeyedWordFault::kNulByte:
      why = "a NUL byte";
      break;
    case dbcs::KeyedWordFault::kEmptyKey:
      why = "a value without its key";
      break;
    case dbcs::KeyedWordFault::kMissingKey:
      why = "key " + r.key + " missing";
      break;
    default:
      why = "malformed value for " + r.key;
      break;
  }
  return "line " + std::to_string(r.line) + ": " + why;
}

// Keys whose lists pair up by place (the leading words with the words after a comma): a load
// whose two lists differ in length is refused.
constexpr std::pair<std::string_view, std::string_view> kPairedKeys[] = {
    {"textChecks.leadingWord", "textChecks.commaWord"},
};

// True when every pair registered in this program has lists of one length; else the cause.
template <typename Count>
bool pairedListsMatch(Count&& count, std::string* error) {
  for (const auto& [first, second] : kPairedKeys) {
    if (registry().slotOf(first) < 0 || registry().slotOf(second) < 0) continue;
    const std::size_t a = count(first), b = count(second);
    if (a != b) {
      if (error)
        *error = std::string(first) + " has " + std::to_string(a) + " words and " + std::string(second) + " " +
                 std::to_string(b) + ": they pair up by place";
      return false;
    }
  }
  return true;
}

}  // namespace

bool registerWordKeys(std::span<const WordKeySpec> specs) {
  std::vector<dbcs::WordKeyShape> shapes;
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
  const dbcs::KeyedWords& e = listedEntry(key);
  if (word.empty() || word.size() > dbcs::kLongestBarListWord) return false;
  if (e.plainBars && dbcs::isWholeWithoutBar(word)) return e.contains(word);
  return dbcs::isInWordList(e.barList, word);
}

void clearWordTable() { registry().clear(); }

void useWordTable(const dbcs::KeyedWordLoadPtr& own) { registry().use(own); }

WordTableStatus loadWordTableText(std::string_view text, std::string* error) {
  clearWordTable();
  dbcs::KeyedWordRefusal refusal;
  if (!registry().load(text, refusal)) {
    if (error) *error = refusalText(refusal);
    return kWordTableRefused;
  }
  if (!pairedListsMatch([](std::string_view key) { return registry().entry(key).words.size(); }, error)) {
    clearWordTable();
    return kWordTableRefused;
  }
  return kWordTableLoaded;
}

WordTableStatus loadWordTable(std::string_view dataFolder, std::string* error) {
  clearWordTable();
  std::string text, path;
  if (!dbcs::readKeyedWordFile(dataFolder, kWordTableFileName, text, path)) {
    if (error) *error = "cannot read " + path;
    return kWordTableMissing;
  }
  return loadWordTableText(text, error);
}

WordTableStatus readWordTable(std::string_view dataFolder, dbcs::KeyedWordLoadPtr& out, std::string* error) {
  out.reset();
  std::string text, path;
  if (!dbcs::readKeyedWordFile(dataFolder, kWordTableFileName, text, path)) {
    if (error) *error = "cannot read " + path;
    return kWordTableMissing;
  }
  dbcs::KeyedWordRefusal refusal;
  out = registry().parseWithCompiled(dataFolder, kWordTableFileName, text, refusal);
  if (!out) {
    if (error) *error = refusalText(refusal);
    return kWordTableRefused;
  }
  const dbcs::KeyedWordLoad& load = *out;
  const auto count = [&load](std::string_view key) {
    const int slot = registry().slotOf(key);
    return static_cast<std::size_t>(slot) < load.slots.size() ? load.slots[static_cast<std::size_t>(slot)].words.size()
                                                               : std::size_t{0};
  };
  if (!pairedListsMatch(count, error)) {
    out.reset();
    return kWordTableRefused;
  }
  return kWordTableLoaded;
}

}  // namespace cj
