#include "tools/resgen/connect/connect_tables.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <sstream>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/little_endian.h"

namespace resgen {

namespace {

constexpr std::size_t kWordAreaSize = 2393;

bool fail(std::string* error, const std::string& text) {
  if (error) *error = text;
  return false;
}

std::vector<std::string_view> lines(std::string_view text) {
  std::vector<std::string_view> out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::string_view l = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    out.push_back(l);
    pos = nl == std::string_view::npos ? text.size() : nl + 1;
  }
  return out;
}

std::vector<std::string> words(std::string_view line) {
  std::vector<std::string> out;
  std::istringstream in{std::string(line)};
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

bool toSjis(std::string_view utf8, std::string& out) {
  std::u16string wide = plat::utf8ToWide(utf8);
  out = plat::wideToMultiByte(932, wide);
  return plat::multiByteToWide(932, out) == wide;
}

// Form names of every conjugation type, read like the analyser reads KATUYOU_TBL.
std::map<int, std::vector<std::string>> conjugationForms(std::string_view katuyou) {
  std::map<int, std::vector<std::string>> forms;
  int type = 0, line = 0;
  for (std::string_view l : lines(katuyou)) {
    if (l.substr(0, 2) == "//") continue;
    if (l.empty()) {
      ++type;
      line = 0;
      continue;
    }
    if (line > 0) forms[type].push_back(words(l).empty() ? std::string() : words(l)[0]);
    ++line;
  }
  return forms;
}

// "*" matches every class, "X*" the class X and every "X.<...>", "*.Y" every class ending ".Y".
bool matchesClass(const std::string& pattern, const std::string& name) {
  if (pattern == "*") return true;
  if (pattern.size() > 2 && pattern.compare(0, 2, "*.") == 0) {
    std::string tail = pattern.substr(1);
    return name.size() > tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
  }
  if (pattern.back() == '*') {
    std::string stem = pattern.substr(0, pattern.size() - 1);
    return name == stem || name.compare(0, stem.size() + 1, stem + ".") == 0;
  }
  return pattern == name;
}

struct Entry {
  int row = 0, col = 0, pos = 0, sub = 0, type = 0, form = 0;
  std::uint16_t word = 0;
};

}  // namespace

bool makeConnectText(std::string_view utf8, std::string& out, std::string* error) {
  out.clear();
  for (std::string_view l : lines(utf8)) {
    std::string s;
    if (!toSjis(l, s)) return fail(error, "no Shift-JIS form: " + std::string(l));
    out += s + "\r\n";
  }
  out += "\x1A\r\n";
  return true;
}

bool makeConnectionTables(std::string_view classesUtf8, std::string_view katuyouUtf8, std::string& conTblPda,
                          std::string& conMtr, std::string* error) {
  std::map<int, std::vector<std::string>> forms = conjugationForms(katuyouUtf8);
  int size = 0, rows = 0, cols = 0;
  std::vector<std::pair<std::string, std::string>> formRows;
  std::vector<Entry> entries;
  std::vector<std::string> rowNames{"BOS"}, colNames{"BOS"};
  std::map<std::string, int> rowIndex{{"BOS", 0}}, colIndex{{"BOS", 0}};
  std::string wordArea(1, '\0');  // the empty word first
  std::map<std::string, std::uint16_t> wordOffsets{{"", 0}};
  std::vector<std::vector<std::string>> costLines;
  int lineNo = 0;

  auto classOf = [](std::vector<std::string>& names, std::map<std::string, int>& index, const std::string& n) {
    auto it = index.find(n);
    if (it != index.end()) return it->second;
    names.push_back(n);
    return index[n] = static_cast<int>(names.size() - 1);
  };

  for (std::string_view l : lines(classesUtf8)) {
    ++lineNo;
    std::string where = "line " + std::to_string(lineNo) + ": ";
    std::vector<std::string> w = words(l);
    if (w.empty() || w[0][0] == '#') continue;
    if (w[0] == "size") {
      if (w.size() != 4) return fail(error, where + "size needs three numbers");
      size = std::stoi(w[1]), rows = std::stoi(w[2]), cols = std::stoi(w[3]);
      if (size < 1 || size > 9999 || rows < 1 || rows > 255 || cols < 1 || cols > 255)
        return fail(error, where + "size out of range");
      continue;
    }
    if (w[0] == "formrow") {
      if (w.size() != 3) return fail(error, where + "formrow needs a text and a suffix");
      formRows.emplace_back(w[1], w[2]);
      continue;
    }
    if (w[0] == "cost") {
      if (w.size() != 4) return fail(error, where + "cost needs row, column and value");
      w.push_back(std::to_string(lineNo));
      costLines.push_back(w);
      continue;
    }
    // An entry line.
    std::size_t k = 0;
    if (w[0][0] == '@') {
      int at = std::stoi(w[0].substr(1));
      if (at < static_cast<int>(entries.size())) return fail(error, where + "index already taken");
      entries.resize(static_cast<std::size_t>(at));
      k = 1;
    }
    if (w.size() != k + 7) return fail(error, where + "entry needs pos sub type forms word row column");
    int pos = std::stoi(w[k]), sub = std::stoi(w[k + 1]), type = std::stoi(w[k + 2]);
    const std::string& formSpec = w[k + 3];
    std::string word = w[k + 4] == "-" ? "" : w[k + 4];
    const std::string& row = w[k + 5];
    const std::string& col = w[k + 6];
    int first = 0, last = 0;
    if (formSpec == "all") {
      if (!forms.count(type)) return fail(error, where + "unknown conjugation type");
      first = 1, last = static_cast<int>(forms[type].size());
    } else if (formSpec.find('-') != std::string::npos) {
      first = std::stoi(formSpec), last = std::stoi(formSpec.substr(formSpec.find('-') + 1));
    } else {
      first = last = std::stoi(formSpec);
    }
    if (first > 0 && (!forms.count(type) || last > static_cast<int>(forms[type].size()) || first > last))
      return fail(error, where + "forms out of range for the type");
    std::string sjisWord;
    if (!toSjis(word, sjisWord)) return fail(error, where + "word has no Shift-JIS form");
    if (!wordOffsets.count(sjisWord)) {
      wordOffsets[sjisWord] = static_cast<std::uint16_t>(wordArea.size());
      wordArea += sjisWord;
      wordArea.push_back('\0');
    }
    for (int f = first; f <= last; ++f) {
      std::string rowName = row;
      if (rowName.size() > 2 && rowName.compare(rowName.size() - 2, 2, ".*") == 0) {
        if (f == 0) return fail(error, where + "a per-form row needs conjugated forms");
        const std::string& formName = forms[type][static_cast<std::size_t>(f - 1)];
        std::string suffix;
        for (const auto& [text, suf] : formRows)
          if (text == "*" || formName.find(text) != std::string::npos) {
            suffix = suf;
            break;
          }
        if (suffix.empty()) return fail(error, where + "no formrow for " + formName);
        rowName = rowName.substr(0, rowName.size() - 1) + suffix;
      }
      Entry e;
      e.row = classOf(rowNames, rowIndex, rowName);
      e.col = classOf(colNames, colIndex, col);
      e.pos = pos, e.sub = sub, e.type = f ? type : 0, e.form = f;
      e.word = wordOffsets[sjisWord];
      entries.push_back(e);
    }
  }
  if (size == 0) return fail(error, "no size line");
  if (static_cast<int>(entries.size()) > size) return fail(error, "more entries than the size");
  if (static_cast<int>(rowNames.size()) > rows || static_cast<int>(colNames.size()) > cols)
    return fail(error, "more row or column classes than the matrix holds");
  entries.resize(static_cast<std::size_t>(size));
  if (wordArea.size() < kWordAreaSize) wordArea.resize(kWordAreaSize, '\0');

  std::vector<std::uint8_t> cells(static_cast<std::size_t>(rows) * cols, 0);
  for (const std::vector<std::string>& c : costLines) {
    int value = std::stoi(c[3]);
    if (value < 0 || value > 255) return fail(error, "line " + c[4] + ": cost out of range");
    bool any = false;
    for (std::size_t r = 0; r < rowNames.size(); ++r) {
      if (!matchesClass(c[1], rowNames[r])) continue;
      for (std::size_t k = 0; k < colNames.size(); ++k) {
        if (!matchesClass(c[2], colNames[k])) continue;
        cells[r * static_cast<std::size_t>(cols) + k] = static_cast<std::uint8_t>(value);
        any = true;
      }
    }
    if (!any) return fail(error, "line " + c[4] + ": cost names no class");
  }

  const std::size_t areaStart = 4 + entries.size() * 8;
  if (areaStart + wordArea.size() > 0xFFFF) return fail(error, "word area beyond 16-bit offsets");
  char count[5];
  std::snprintf(count, sizeof count, "%04d", size);
  conTblPda.assign(count, 4);
  for (const Entry& e : entries) {
    std::uint16_t off = static_cast<std::uint16_t>(areaStart + e.word);
    std::uint8_t b[8] = {static_cast<std::uint8_t>(e.row),  static_cast<std::uint8_t>(e.col),
                         static_cast<std::uint8_t>(e.pos),  static_cast<std::uint8_t>(e.sub),
                         static_cast<std::uint8_t>(e.type), static_cast<std::uint8_t>(e.form)};
    plat::writeLe16(b + 6, off);
    conTblPda.append(reinterpret_cast<const char*>(b), 8);
  }
  conTblPda += wordArea;

  conMtr.clear();
  for (int v : {rows, cols})
    plat::appendLe32(conMtr, static_cast<std::uint32_t>(v));
  conMtr.append(reinterpret_cast<const char*>(cells.data()), cells.size());
  return true;
}

}  // namespace resgen
