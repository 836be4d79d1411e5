#include "engine/jc/core/rendering_table.h"

#include <map>
#include <optional>
#include <set>

#include "engine/cj/analysis/code_convert.h"
#include "engine/jc/core/jc_text.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"

namespace jc {

namespace {

struct Loaded {
  std::vector<std::string> words;
  std::string barList;
};

std::map<std::string, RenderingKeySpec, std::less<>>& schema() {
  static std::map<std::string, RenderingKeySpec, std::less<>> s;
  return s;
}

std::map<std::string, Loaded, std::less<>>& table() {
  static std::map<std::string, Loaded, std::less<>> t;
  return t;
}

const Loaded& noEntry() {
  static const Loaded none;
  return none;
}

const Loaded& find(std::string_view key) {
  auto it = table().find(key);
  return it == table().end() ? noEntry() : it->second;
}

// UTF-16 to engine code through GB2312; nothing when a character has no GB2312 code.
std::optional<std::string> toEngineCode(std::u16string_view text) {
  std::string gb = plat::wideToMultiByte(936, text);
  std::size_t questions = 0, asked = 0;
  for (char c : gb) questions += c == '?';
  for (char16_t c : text) asked += c == u'?';
  if (questions != asked) return std::nullopt;
  for (std::size_t i = 0; i < gb.size(); ++i) {
    auto lead = static_cast<unsigned char>(gb[i]);
    if (lead < 0x80) continue;
    if (i + 1 >= gb.size() || lead < 0xA1 || lead > 0xF7) return std::nullopt;
    auto trail = static_cast<unsigned char>(gb[++i]);
    if (trail < 0xA1 || trail > 0xFE) return std::nullopt;
  }
  cj::gbToInternal(cj::ConversionTables{}, gb);
  // The geta mark stands for a code the engine lacks, unless the text asked for it.
  std::size_t getas = 0, getasAsked = 0;
  for (std::size_t i = 0; i + 1 < gb.size(); ++i) {
    auto b = static_cast<unsigned char>(gb[i]);
    if (!isLeadByteJc(b)) continue;
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

RenderingTableStatus refuse(std::string* error, std::string why) {
  if (error) *error = std::move(why);
  return kRenderingTableRefused;
}

}  // namespace

bool registerRenderingKeys(const RenderingKeySpec* specs, int n) {
  bool ok = true;
  for (int i = 0; i < n; ++i) {
    const RenderingKeySpec& s = specs[i];
    if (!s.key || !*s.key || s.count < 0 || s.minBytes < 1 || (s.maxBytes != 0 && s.maxBytes < s.minBytes)) {
      ok = false;
      continue;
    }
    auto [it, inserted] = schema().emplace(s.key, s);
    if (!inserted && (it->second.count != s.count || it->second.minBytes != s.minBytes ||
                      it->second.maxBytes != s.maxBytes))
      ok = false;
  }
  return ok;
}

std::vector<RenderingKeySpec> registeredRenderingKeys() {
  std::vector<RenderingKeySpec> out;
  for (const auto& [k, s] : schema()) out.push_back(s);
  return out;
}

const std::vector<std::string>& renderings(std::string_view key) { return find(key).words; }

const std::string& rendering(std::string_view key) {
  static const std::string none;
  const Loaded& l = find(key);
  return l.words.empty() ? none : l.words.front();
}

const std::string& renderingBarList(std::string_view key) { return find(key).barList; }

bool utf8ToEngineCode(std::string_view source, std::string& out) {
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

RenderingTableStatus loadRenderingTableText(std::string_view text, std::string* error) {
  std::map<std::string, Loaded, std::less<>> loaded;
  std::size_t pos = 0;
  int lineNo = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    pos = nl == std::string_view::npos ? text.size() : nl + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    std::string where = "line " + std::to_string(lineNo) + ": ";
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return refuse(error, where + "no TAB");
    std::string key(line.substr(0, tab));
    std::string_view value = line.substr(tab + 1);
    auto spec = schema().find(key);
    if (spec == schema().end()) return refuse(error, where + "unknown key " + key);
    if (loaded.count(key)) return refuse(error, where + "key given twice: " + key);
    std::vector<std::string_view> items;
    if (!value.empty() && value.front() == '|') {
      if (value.size() < 2 || value.back() != '|') return refuse(error, where + "unterminated bar list");
      std::size_t start = 1;
      while (start < value.size()) {
        std::size_t bar = value.find('|', start);
        items.push_back(value.substr(start, bar - start));
        start = bar + 1;
      }
    } else {
      items.push_back(value);
    }
    const RenderingKeySpec& s = spec->second;
    if (s.count > 0 && static_cast<int>(items.size()) != s.count)
      return refuse(error, where + key + " needs " + std::to_string(s.count) + " words");
    Loaded l;
    l.barList = "|";
    for (std::string_view item : items) {
      std::string word;
      if (item.empty()) return refuse(error, where + key + " has an empty word");
      if (!utf8ToEngineCode(item, word))
        return refuse(error, where + "\"" + std::string(item) + "\" has a character without an engine code");
      int n = static_cast<int>(word.size());
      if (n < s.minBytes || (s.maxBytes > 0 && n > s.maxBytes))
        return refuse(error, where + key + ": \"" + std::string(item) + "\" is " + std::to_string(n) +
                                 " bytes, the schema wants " + std::to_string(s.minBytes) + "-" +
                                 std::to_string(s.maxBytes));
      l.barList += word + "|";
      l.words.push_back(std::move(word));
    }
    loaded.emplace(std::move(key), std::move(l));
  }
  for (const auto& [k, s] : schema())
    if (!loaded.count(k)) return refuse(error, "missing key " + k);
  table() = std::move(loaded);
  return kRenderingTableLoaded;
}

RenderingTableStatus loadRenderingTable(std::string_view dataFolder, std::string* error) {
  std::string path(dataFolder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  path += kRenderingTableFileName;
  std::string text;
  if (!plat::readWholeFile(path, text)) {
    if (error) *error = "cannot read " + path;
    return kRenderingTableMissing;
  }
  return loadRenderingTableText(text, error);
}

void clearRenderingTable() { table().clear(); }

}  // namespace jc
