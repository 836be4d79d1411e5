#include "engine/cj/analysis/word_table.h"

#include "engine/cj/analysis/code_convert.h"
#include "engine/cj/analysis/descramble.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"

#include <map>
#include <optional>

namespace cj {
namespace {

struct LoadedKey {
  std::vector<std::string> words;
  std::string barList;  // "|a|b|c|"
};

std::map<std::string, WordKeySpec, std::less<>>& schema() {
  static std::map<std::string, WordKeySpec, std::less<>> s;
  return s;
}

std::map<std::string, LoadedKey, std::less<>>& table() {
  static std::map<std::string, LoadedKey, std::less<>> t;
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

// UTF-16 text to engine code through GB2312; nothing when a character has no code.
std::optional<std::string> toEngineCode(std::u16string_view text) {
  std::string gb = plat::wideToMultiByte(936, text);
  // '?' stands for a character code page 936 lacks.
  std::size_t questions = 0, asked = 0;
  for (char c : gb) questions += c == '?';
  for (char16_t c : text) asked += c == u'?';
  if (questions != asked) return std::nullopt;
  // Only GB2312 codes have a place in the engine code.
  for (std::size_t i = 0; i < gb.size(); ++i) {
    auto lead = static_cast<unsigned char>(gb[i]);
    if (lead < 0x80) continue;
    if (i + 1 >= gb.size() || lead < 0xA1 || lead > 0xF7) return std::nullopt;
    auto trail = static_cast<unsigned char>(gb[++i]);
    if (trail < 0xA1 || trail > 0xFE) return std::nullopt;
  }
  gbToInternal(ConversionTables{}, gb);
  // The geta mark stands for a GB2312 code the engine code lacks (or for itself).
  std::size_t getas = 0, getasAsked = 0;
  for (std::size_t i = 0; i < gb.size(); ++i) {
    auto b = static_cast<unsigned char>(gb[i]);
    if (!isLeadByte(b) || i + 1 >= gb.size()) continue;
    getas += b == 0x81 && static_cast<unsigned char>(gb[i + 1]) == 0xAC;
    ++i;
  }
  for (char16_t c : text) getasAsked += c == u'\u3013';
  if (getas != getasAsked) return std::nullopt;
  return gb;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One word of the file (UTF-8 with \xHH raw bytes) in engine code.
bool convertWord(std::string_view source, std::string& out, std::string& why) {
  out.clear();
  std::string run;
  auto flush = [&]() {
    if (run.empty()) return true;
    std::optional<std::string> e = toEngineCode(plat::utf8ToWide(run));
    if (!e) return false;
    out += *e;
    run.clear();
    return true;
  };
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '\\' && i + 3 < source.size() && source[i + 1] == 'x' && hexDigit(source[i + 2]) >= 0 &&
        hexDigit(source[i + 3]) >= 0) {
      if (!flush()) break;
      out.push_back(static_cast<char>(hexDigit(source[i + 2]) * 16 + hexDigit(source[i + 3])));
      i += 3;
      continue;
    }
    run.push_back(source[i]);
  }
  if (!flush()) {
    why = "word \"" + std::string(source) + "\" has a character without an engine code";
    return false;
  }
  return true;
}

// Characters of an engine-code word (a lead byte and its trail count as one).
int characterCount(std::string_view word) {
  int n = 0;
  for (std::size_t i = 0; i < word.size(); ++i, ++n) {
    if (isLeadByte(static_cast<unsigned char>(word[i])) && i + 1 < word.size()) ++i;
  }
  return n;
}

// The items of a value: "|a|b|" or a single word.
bool splitValue(std::string_view value, std::vector<std::string_view>& items) {
  items.clear();
  if (value.empty() || value.front() != '|') {
    items.push_back(value);
    return !value.empty();
  }
  if (value.size() < 2 || value.back() != '|') return false;
  std::size_t from = 1;
  while (from < value.size()) {
    std::size_t bar = value.find('|', from);
    items.push_back(value.substr(from, bar - from));
    if (items.back().empty()) return false;
    from = bar + 1;
  }
  return true;
}

void refuse(std::string* error, int lineNumber, const std::string& why) {
  if (error) *error = "line " + std::to_string(lineNumber) + ": " + why;
}

}  // namespace

bool registerWordKeys(const WordKeySpec* specs, int n) {
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const WordKeySpec& s = specs[i];
    if (!s.key || !*s.key || s.count < 0 || s.minChars < 1 || (s.maxChars != 0 && s.maxChars < s.minChars)) {
      ok = false;
      continue;
    }
    auto [it, inserted] = schema().emplace(s.key, s);
    if (!inserted) {
      const WordKeySpec& o = it->second;
      if (o.count != s.count || o.minChars != s.minChars || o.maxChars != s.maxChars) ok = false;
    }
  }
  return ok;
}

std::vector<WordKeySpec> registeredWordKeys() {
  std::vector<WordKeySpec> keys;
  for (const auto& [name, spec] : schema()) keys.push_back(spec);
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
  std::map<std::string, LoadedKey, std::less<>> loaded;
  int lineNumber = 0;
  std::size_t from = 0;
  std::vector<std::string_view> items;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    from = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) {
      refuse(error, lineNumber, "no tab between key and value");
      return kWordTableRefused;
    }
    std::string_view key = line.substr(0, tab);
    std::string_view value = line.substr(tab + 1);
    auto spec = schema().find(key);
    // Keys of rule families this program does not carry are skipped.
    if (spec == schema().end()) continue;
    if (loaded.count(key)) {
      refuse(error, lineNumber, "key " + std::string(key) + " given twice");
      return kWordTableRefused;
    }
    if (!splitValue(value, items)) {
      refuse(error, lineNumber, "malformed value for " + std::string(key));
      return kWordTableRefused;
    }
    const WordKeySpec& s = spec->second;
    if (s.count != 0 && static_cast<int>(items.size()) != s.count) {
      refuse(error, lineNumber,
             std::string(key) + " has " + std::to_string(items.size()) + " words, expected " + std::to_string(s.count));
      return kWordTableRefused;
    }
    LoadedKey entry;
    for (std::string_view item : items) {
      std::string word, why;
      if (!convertWord(item, word, why)) {
        refuse(error, lineNumber, why);
        return kWordTableRefused;
      }
      int chars = characterCount(word);
      if (chars < s.minChars || (s.maxChars != 0 && chars > s.maxChars)) {
        refuse(error, lineNumber,
               std::string(key) + ": word \"" + std::string(item) + "\" has " + std::to_string(chars) + " characters");
        return kWordTableRefused;
      }
      entry.words.push_back(std::move(word));
    }
    entry.barList = "|";
    for (const std::string& w : entry.words) entry.barList += w + "|";
    loaded.emplace(std::string(key), std::move(entry));
  }
  for (const auto& [name, spec] : schema()) {
    if (!loaded.count(name)) {
      refuse(error, lineNumber, "key " + name + " missing");
      return kWordTableRefused;
    }
  }
  table() = std::move(loaded);
  return kWordTableLoaded;
}

WordTableStatus loadWordTable(std::string_view dataFolder, std::string* error) {
  clearWordTable();
  std::string path(dataFolder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path.push_back('\\');
  path += kWordTableFileName;
  std::string text;
  if (!plat::readWholeFile(path, text)) {
    if (error) *error = "cannot read " + path;
    return kWordTableMissing;
  }
  return loadWordTableText(text, error);
}

}  // namespace cj
