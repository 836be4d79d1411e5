#include "engine/common/keyed_word_table.h"
#include "engine/common/word_key_refusals.h"

#include <atomic>
#include <optional>

#include "engine/common/code_convert.h"
#include "engine/common/compiled_word_table.h"
#include "engine/common/descramble.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "engine/common/dbcs_text.h"

namespace dbcs {
namespace {

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
  // The geta mark stands for a GB2312 code the engine code lacks, unless the text asked for it.
  std::size_t getas = 0, getasAsked = 0;
  for (std::size_t i = 0; i + 1 < gb.size(); ++i) {
    auto b = static_cast<unsigned char>(gb[i]);
    if (!dbcs::isLeadByte(b)) continue;
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

// Characters of an engine-code word (a lead byte and its trail count as one).
int characterCount(std::string_view word) {
  int n = 0;
  for (std::size_t i = 0; i < word.size(); ++i, ++n) {
    if (dbcs::isLeadByte(static_cast<unsigned char>(word[i])) && i + 1 < word.size()) ++i;
  }
  return n;
}

// The items of a value: those of a bar list "|a|b|" (empty ones included), else the value itself.
// False for a bar list without its closing bar.
bool splitValue(std::string_view value, std::vector<std::string_view>& items) {
  items.clear();
  if (value.empty() || value.front() != '|') {
    items.push_back(value);
    return true;
  }
  if (value.size() < 2 || value.back() != '|') return false;
  std::size_t from = 1;
  while (from < value.size()) {
    const std::size_t bar = value.find('|', from);
    items.push_back(value.substr(from, bar - from));
    from = bar + 1;
  }
  return true;
}

bool hasEmptyItem(const std::vector<std::string_view>& items) {
  for (std::string_view item : items) {
    if (item.empty()) return true;
  }
  return false;
}

// Bytes of the character at i: two for a lead byte with its trail.
std::size_t characterLength(std::string_view t, std::size_t i) {
  return dbcs::charSize(t, i);
}

// Lists this long are searched through a set.
constexpr std::size_t kSetFrom = 8;

// Length of the UTF-8 sequence at i, 0 when it is invalid (overlong, surrogate, beyond U+10FFFF).
std::size_t utf8SequenceLength(std::string_view t, std::size_t i) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
  const unsigned char c = b(i);
  if (c < 0x80) return 1;
  std::size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
  if (n == 0 || i + n > t.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((b(i + k) & 0xC0) != 0x80) return 0;
  const unsigned char d = b(i + 1);
  if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d > 0x9F) || (c == 0xF0 && d < 0x90) || (c == 0xF4 && d > 0x8F))
    return 0;
  return n;
}

bool isUtf8(std::string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    const std::size_t n = utf8SequenceLength(t, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

// UTF-16 by its byte-order mark, or by the zero bytes every ASCII character carries: a zero in a
// quarter of the units or more, all on one side. A stray NUL is a fault of its own line.
bool looksLikeUtf16(std::string_view t) {
  if (t.size() >= 2 && ((t[0] == '\xFF' && t[1] == '\xFE') || (t[0] == '\xFE' && t[1] == '\xFF'))) return true;
  std::size_t zeros[2] = {0, 0};
  for (std::size_t i = 0; i < t.size(); ++i) zeros[i % 2] += t[i] == '\0';
  const std::size_t units = t.size() / 2;
  return units > 0 && ((zeros[0] * 4 >= units && zeros[1] == 0) || (zeros[1] * 4 >= units && zeros[0] == 0));
}

bool refuse(KeyedWordRefusal& refusal, KeyedWordFault fault, int line, std::string_view key) {
  refusal.fault = fault;
  refusal.line = line;
  refusal.key = std::string(key);
  return false;
}

}  // namespace

bool isInWordList(std::string_view list, std::string_view word) {
  if (word.empty() || word.size() > kLongestBarListWord) return false;
  // "|word|" at a character start: the bar and the first byte are tested before the rest.
  const std::size_t n = word.size() + 2;
  if (list.size() < n) return false;
  const char first = word[0];
  for (std::size_t i = 0; i + n <= list.size(); i += characterLength(list, i)) {
    if (list[i] == '|' && list[i + 1] == first && list[i + n - 1] == '|' &&
        list.compare(i + 1, word.size(), word) == 0)
      return true;
  }
  return false;
}

bool isWholeWithoutBar(std::string_view word) {
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (word[i] == '|') return false;
    if (dbcs::isLeadByte(static_cast<unsigned char>(word[i]))) {
      if (i + 1 >= word.size()) return false;
      ++i;
    }
  }
  return true;
}

bool addWordKeyShape(WordKeySchema& schema, const WordKeyShape& shape) {
  if (!shape.key || !*shape.key || shape.minSize < 1 ||
      (shape.maxSize != 0 && shape.maxSize < shape.minSize)) {
    return false;
  }
  auto [it, inserted] = schema.emplace(shape.key, shape);
  if (inserted) return true;
  const WordKeyShape& o = it->second;
  return o.count == shape.count && o.minSize == shape.minSize && o.maxSize == shape.maxSize;
}

bool tableWordToEngineCode(std::string_view source, std::string& out) {
  out.clear();
  std::string run;
  auto flush = [&]() {
    if (run.empty()) return true;
    std::optional<std::string> e = toEngineCode(plat::utf8ToWide(run));
    run.clear();
    if (!e) return false;
    out += *e;
    return true;
  };
  for (std::size_t i = 0; i < source.size(); ++i) {
    if (source[i] == '\\' && i + 3 < source.size() && source[i + 1] == 'x' && hexDigit(source[i + 2]) >= 0 &&
        hexDigit(source[i + 3]) >= 0) {
      if (!flush()) return false;
      out.push_back(static_cast<char>(hexDigit(source[i + 2]) * 16 + hexDigit(source[i + 3])));
      i += 3;
      continue;
    }
    run.push_back(source[i]);
  }
  return flush();
}

bool parseKeyedWordTable(std::string_view text, const WordKeySchema& schema, const KeyedWordRules& rules,
                         KeyedWordTable& out, KeyedWordRefusal& refusal, SkippedKeys* skipped) {
  refusal = KeyedWordRefusal{};
  if (looksLikeUtf16(text)) return refuse(refusal, KeyedWordFault::kUtf16Text, 1, {});
  // A UTF-8 byte-order mark is no part of the first key.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  int lineNumber = 0;
  std::size_t from = 0;
  std::vector<std::string_view> items;
  while (from < text.size()) {
    // Lines end in LF, CR LF or a lone CR.
    std::size_t end = text.find_first_of("\r\n", from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    from = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    ++lineNumber;
    if (line.find('\0') != std::string_view::npos) return refuse(refusal, KeyedWordFault::kNulByte, lineNumber, {});
    if (!isUtf8(line)) return refuse(refusal, KeyedWordFault::kNotUtf8, lineNumber, {});
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return refuse(refusal, KeyedWordFault::kNoTab, lineNumber, {});
    if (tab == 0) return refuse(refusal, KeyedWordFault::kEmptyKey, lineNumber, {});
    const std::string_view key = line.substr(0, tab);
    const std::string_view value = line.substr(tab + 1);
    const auto spec = schema.find(key);
    if (spec == schema.end()) {
      if (rules.skipUnknownKeys) {
        if (skipped) skipped->emplace_back(lineNumber, std::string(key));
        continue;
      }
      return refuse(refusal, KeyedWordFault::kUnknownKey, lineNumber, key);
    }
    if (out.count(key)) return refuse(refusal, KeyedWordFault::kKeyTwice, lineNumber, key);
    if (!splitValue(value, items) || (rules.emptyWordMalformsValue && hasEmptyItem(items))) {
      return refuse(refusal, KeyedWordFault::kMalformedValue, lineNumber, key);
    }
    const WordKeyShape& s = spec->second;
    refusal.shape = s;
    refusal.itemCount = static_cast<int>(items.size());
    if ((s.count > 0 && refusal.itemCount != s.count) || (s.count < 0 && refusal.itemCount > -s.count)) {
      return refuse(refusal, KeyedWordFault::kWrongCount, lineNumber, key);
    }
    KeyedWords entry;
    entry.barList = "|";
    for (std::string_view item : items) {
      refusal.item = std::string(item);
      if (item.empty()) return refuse(refusal, KeyedWordFault::kEmptyWord, lineNumber, key);
      std::string word;
      if (!tableWordToEngineCode(item, word)) return refuse(refusal, KeyedWordFault::kNoEngineCode, lineNumber, key);
      const int size = rules.sizeInCharacters ? characterCount(word) : static_cast<int>(word.size());
      if (size < s.minSize || (s.maxSize != 0 && size > s.maxSize)) {
        refusal.size = size;
        return refuse(refusal, KeyedWordFault::kWrongSize, lineNumber, key);
      }
      entry.barList += word + "|";
      entry.words.push_back(std::move(word));
    }
    out.emplace(std::string(key), std::move(entry));
  }
  for (const auto& [name, shape] : schema) {
    if (!out.count(name)) {
      refusal.shape = shape;
      return refuse(refusal, KeyedWordFault::kMissingKey, lineNumber, name);
    }
  }
  refusal = KeyedWordRefusal{};
  return true;
}

namespace {
std::uint64_t sizeBit(std::size_t size) { return std::uint64_t{1} << (size < 63 ? size : 63); }
}  // namespace

bool KeyedWords::contains(std::string_view word) const {
  if (indexed) {
    if (!(sizes & sizeBit(word.size()))) return false;
    if (!word.empty()) {
      const unsigned char first = static_cast<unsigned char>(word[0]);
      if (!(firstBytes[first >> 6] & (std::uint64_t{1} << (first & 63)))) return false;
    }
  }
  if (!members.empty()) return members.count(word) != 0;
  for (const std::string& w : words) {
    if (w.size() == word.size() && (word.empty() || w[0] == word[0]) && w == word) return true;
  }
  return false;
}

void KeyedWords::index() {
  members.clear();
  plainBars = true;
  firstBytes = {};
  sizes = 0;
  for (const std::string& w : words) {
    if (!isWholeWithoutBar(w)) plainBars = false;
    sizes |= sizeBit(w.size());
    if (!w.empty()) {
      const unsigned char first = static_cast<unsigned char>(w[0]);
      firstBytes[first >> 6] |= std::uint64_t{1} << (first & 63);
    }
  }
  indexed = true;
  if (words.size() < kSetFrom) return;
  for (const std::string& w : words) members.insert(w);
}

std::vector<std::string>& refusedWordKeyLog() {
  static std::vector<std::string> log;
  return log;
}

bool KeyedWordRegistry::registerKeys(std::span<const WordKeyShape> shapes) {
  bool ok = true;
  for (const WordKeyShape& s : shapes) {
    if (!addWordKeyShape(schema_, s)) {
      refusedWordKeyLog().push_back(s.key);
      ok = false;
      continue;
    }
    const std::string& key = schema_.find(s.key)->first;
    slots_.try_emplace(key, static_cast<int>(slots_.size()));
  }
  return ok;
}

int KeyedWordRegistry::slotOf(std::string_view key) const {
  auto it = slots_.find(key);
  return it == slots_.end() ? kNoSlot : it->second;
}

std::atomic<unsigned>& KeyedWordRegistry::loadGenerations() {
  // Loads are numbered past kNoLoadGeneration, in every registry at once.
  static std::atomic<unsigned> lastGeneration{kNoLoadGeneration};
  return lastGeneration;
}

KeyedWordLoadPtr KeyedWordRegistry::parse(std::string_view text, KeyedWordRefusal& refusal) const {
  static std::atomic<unsigned>& lastGeneration = loadGenerations();
  KeyedWordTable parsed;
  SkippedKeys skipped;
  if (!parseKeyedWordTable(text, schema_, rules_, parsed, refusal, &skipped)) return nullptr;
  auto made = std::make_shared<KeyedWordLoad>();
  made->skippedKeys = std::move(skipped);
  made->slots.resize(slots_.size());
  for (auto& [key, words] : parsed) made->slots[slots_.find(key)->second] = std::move(words);
  for (KeyedWords& k : made->slots) k.index();
  made->generation = ++lastGeneration;
  return made;
}

std::uint64_t KeyedWordRegistry::fingerprint() const {
  std::string shape;
  shape += rules_.skipUnknownKeys ? 'u' : '-';
  shape += rules_.sizeInCharacters ? 'c' : '-';
  shape += rules_.emptyWordMalformsValue ? 'e' : '-';
  return wordTableHash(shape);
}

bool KeyedWordRegistry::wordsByKey(std::string_view text, std::vector<CompiledWordEntry>& out) const {
  out.clear();
  KeyedWordRefusal refusal;
  const KeyedWordLoadPtr load = parse(text, refusal);
  if (!load) return false;
  for (const auto& [key, s] : schema_)
    out.push_back({key, s.count, s.minSize, s.maxSize, load->slots[static_cast<std::size_t>(slotOf(key))].words});
  return true;
}

namespace {

// Reads the compiled form's fields in order; any read past the end fails the whole reading.
struct CompiledReader {
  std::string_view bytes;
  std::size_t at = 0;
  bool ok = true;

  std::uint64_t number(std::size_t size) {
    if (!ok || bytes.size() - at < size) {
      ok = false;
      return 0;
    }
    std::uint64_t v = 0;
    for (std::size_t k = 0; k < size; ++k) v |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + k])) << (8 * k);
    at += size;
    return v;
  }
  std::string_view text(std::size_t size) {
    if (!ok || bytes.size() - at < size) {
      ok = false;
      return {};
    }
    at += size;
    return bytes.substr(at - size, size);
  }
};

}  // namespace

KeyedWordLoadPtr KeyedWordRegistry::readCompiled(std::string_view text, std::string_view compiled) const {
  static std::atomic<unsigned>& lastGeneration = loadGenerations();
  CompiledReader r{compiled};
  if (r.text(kCompiledWordTableMagic.size()) != kCompiledWordTableMagic || r.number(4) != kCompiledWordTableVersion ||
      r.number(8) != text.size() || r.number(8) != wordTableHash(text) || r.number(8) != fingerprint()) {
    return nullptr;
  }
  const std::uint64_t bodyHash = r.number(8);
  const std::uint64_t keys = r.number(4);
  if (!r.ok || wordTableHash(compiled.substr(r.at)) != bodyHash) return nullptr;
  // A table that skips keys it does not know may hold more keys than this program registers; each
  // registered key must be there once, with the shape it has here. A table that refuses unknown keys
  // holds exactly the registered ones.
  if (rules_.skipUnknownKeys ? keys < schema_.size() : keys != schema_.size()) return nullptr;
  auto made = std::make_shared<KeyedWordLoad>();
  made->slots.resize(slots_.size());
  std::vector<char> filled(slots_.size(), 0);
  std::size_t found = 0;
  for (std::uint64_t k = 0; k < keys; ++k) {
    const std::string_view key = r.text(static_cast<std::size_t>(r.number(2)));
    const auto count = static_cast<std::int32_t>(r.number(4));
    const auto minSize = static_cast<std::int32_t>(r.number(4));
    const auto maxSize = static_cast<std::int32_t>(r.number(4));
    const std::uint64_t words = r.number(4);
    if (!r.ok || words > compiled.size()) return nullptr;
    const auto shape = schema_.find(key);
    KeyedWords* entry = nullptr;
    if (shape != schema_.end()) {
      const WordKeyShape& s = shape->second;
      const int slot = slotOf(key);
      if (slot < 0 || filled[static_cast<std::size_t>(slot)] || s.count != count || s.minSize != minSize ||
          s.maxSize != maxSize)
        return nullptr;
      filled[static_cast<std::size_t>(slot)] = 1;
      ++found;
      entry = &made->slots[static_cast<std::size_t>(slot)];
      entry->barList = "|";
      entry->words.reserve(static_cast<std::size_t>(words));
    } else if (!rules_.skipUnknownKeys) {
      return nullptr;
    }
    for (std::uint64_t w = 0; w < words; ++w) {
      const std::string_view word = r.text(static_cast<std::size_t>(r.number(2)));
      if (!r.ok) return nullptr;
      if (!entry) continue;
      entry->barList.append(word).push_back('|');
      entry->words.emplace_back(word);
    }
  }
  if (found != schema_.size()) return nullptr;
  if (r.at != compiled.size()) return nullptr;
  for (KeyedWords& k : made->slots) k.index();
  made->generation = ++lastGeneration;
  return made;
}

KeyedWordLoadPtr KeyedWordRegistry::parseWithCompiled(std::string_view dataFolder, const char* fileName,
                                                       std::string_view text, KeyedWordRefusal& refusal) const {
  refusal = KeyedWordRefusal{};
  std::string compiled, path;
  if (readKeyedWordFile(dataFolder, compiledWordTableName(fileName).c_str(), compiled, path)) {
    if (KeyedWordLoadPtr load = readCompiled(text, compiled)) return load;
  }
  return parse(text, refusal);
}

bool KeyedWordRegistry::load(std::string_view text, KeyedWordRefusal& refusal) {
  KeyedWordLoadPtr made = parse(text, refusal);
  if (!made) return false;
  standing_ = made;
  inUse_ = std::move(made);
  return true;
}

void KeyedWordRegistry::clear() {
  standing_.reset();
  inUse_.reset();
}

bool readKeyedWordFile(std::string_view dataFolder, const char* fileName, std::string& text, std::string& path) {
  path = std::string(dataFolder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path.push_back('\\');
  path += fileName;
  return plat::readWholeFile(path, text);
}

}  // namespace dbcs
