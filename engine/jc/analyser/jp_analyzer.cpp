#include "engine/jc/analyser/jp_analyzer.h"

#include <cstring>
#include <new>
#include <string>

#include "engine/common/code_convert.h"
#include "platform/core/notify.h"
#include "platform/core/little_endian.h"

namespace jc {

namespace {

constexpr char kConnectType[] = "CONNECT";
constexpr int kWordOffsetArea = 4;  // connection entries start after the four-digit count

// Walks a table text: calls line(group, k, text) for every line that is not a comment.
template <typename F>
void walkTable(std::string_view text, F line) {
  int group = 0, k = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (static_cast<unsigned char>(text[pos]) == 0x1A) break;
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view l = text.substr(pos, end - pos);
    pos = end + 1;
    if (l.substr(0, 2) == "//") continue;
    if (l.empty() || l[0] == '\r') {
      ++group;
      k = 0;
      continue;
    }
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    line(group, k, l);
    ++k;
  }
}

// The word that starts at text (up to a blank or a CR).
std::string_view firstWord(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] != ' ' && text[n] != '\t' && text[n] != '\r') ++n;
  return text.substr(0, n);
}

std::string_view skipBlanks(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && (text[n] == ' ' || text[n] == '\t')) ++n;
  return text.substr(n);
}

int parseNumber(std::string_view text) {
  int sign = 1, v = 0;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') sign = -1, ++i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') v = v * 10 + (text[i++] - '0');
  return sign * v;
}

const std::uint8_t* entryAt(const JpAnalyzer* a, int entry) {
  if (!a->connectionEntries || entry < 0 || entry >= a->connectionCount) return nullptr;
  return a->connectionEntries + static_cast<std::size_t>(entry) * kJpConnectionEntrySize;
}

bool hasMatrix(const JpAnalyzer* a) { return a->matrixCells && a->matrixRows > 0 && a->matrixColumns > 0; }

}  // namespace

const std::u16string& jpDictionaryPath(const JpAnalyzer* a) { return a->dictionaryPath; }

void constructJpAnalyzer(JpAnalyzer* a) {
  a->dictionary = nullptr;
  a->ready = 0;
  a->input[0] = 0;
  a->connectionEntries = a->matrixCells = nullptr;
  a->connectionCount = a->matrixRows = a->matrixColumns = 0;
  a->hinsiTable = a->katuyouTable = a->connectionTable = a->connectionMatrix = plat::ResourceData{};
  a->jp2cw = Jp2CwTable{};
}

void loadHinsiTable(JpAnalyzer* a) {
  for (auto& group : a->posTable)
    for (JpPosLine& l : group) l = JpPosLine{};
  a->hinsiTable = plat::findResource(kConnectType, "HINSI_TBL");
  if (!a->hinsiTable) return;
  walkTable(a->hinsiTable.bytes(), [a](int group, int k, std::string_view l) {
    if (group >= kJpPosGroups || k >= kJpPosLines) return;
    JpPosLine& line = a->posTable[group][k];
    std::string_view name = firstWord(l);
    line.name = name;
    std::string_view rest = skipBlanks(l.substr(name.size()));
    line.cost = parseNumber(rest);
    line.conjugates = parseNumber(skipBlanks(rest.substr(firstWord(rest).size())));
  });
  dbcs::unlockTable(a->hinsiTable.data);
  a->hinsiTable = plat::ResourceData{};
}

void loadKatuyouTable(JpAnalyzer* a) {
  for (int t = 0; t < kJpConjTypes; ++t) {
    a->conjTypeNames[t].clear();
    for (JpConjForm& f : a->forms[t]) f = JpConjForm{};
  }
  a->katuyouTable = plat::findResource(kConnectType, "KATUYOU_TBL");
  if (!a->katuyouTable) return;
  walkTable(a->katuyouTable.bytes(), [a](int type, int k, std::string_view l) {
    if (type >= kJpConjTypes || k >= kJpConjForms) return;
    if (k == 0) {
      a->conjTypeNames[type] = firstWord(l);
      return;
    }
    JpConjForm& f = a->forms[type][k];
    f.name = firstWord(l);
    std::string_view rest = l.substr(f.name.size());
    if (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
    f.ending = firstWord(rest);
  });
  // The form table points into the text, which stays in the program image.
  dbcs::unlockTable(a->katuyouTable.data);
}

void loadConnectionTable(JpAnalyzer* a) {
  a->connectionTable = plat::findResource(kConnectType, "CON_TBL_PDA");
  a->connectionEntries = nullptr;
  a->connectionCount = 0;
  if (!a->connectionTable || a->connectionTable.size < kWordOffsetArea) return;
  a->connectionCount = parseNumber(a->connectionTable.bytes().substr(0, 4));
  a->connectionEntries = a->connectionTable.data + kWordOffsetArea;
  std::size_t room = (a->connectionTable.size - kWordOffsetArea) / kJpConnectionEntrySize;
  if (a->connectionCount < 0 || static_cast<std::size_t>(a->connectionCount) > room)
    a->connectionCount = static_cast<std::int32_t>(room);
}

void loadConnectionMatrix(JpAnalyzer* a) {
  a->connectionMatrix = plat::findResource(kConnectType, "CON_MTR");
  a->matrixCells = nullptr;
  a->matrixRows = a->matrixColumns = 0;
  if (!a->connectionMatrix || a->connectionMatrix.size < 8) return;
  std::int32_t rows = plat::readLe32s(a->connectionMatrix.data), cols = plat::readLe32s(a->connectionMatrix.data + 4);
  if (rows <= 0 || cols <= 0 ||
      static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols) > a->connectionMatrix.size - 8)
    return;
  a->matrixRows = rows;
  a->matrixColumns = cols;
  a->matrixCells = a->connectionMatrix.data + 8;
}

void initConnectionIndices(JpAnalyzer* a) {
  a->unknownPos = 15;
  a->katakanaSubPos = 2;
  a->alphabetSubPos = 3;
  a->otherSubPos = 1;
  a->katakanaEntry = findConnectionEntry(a, 15, 2);
  a->alphabetEntry = findConnectionEntry(a, 15, 3);
  a->otherEntry = findConnectionEntry(a, 15, 1);
  a->numeralPos = 6;
  a->numeralSubPos = 7;
  a->bracketPos = 1;
  a->openingBracketSubPos = 3;
  a->closingBracketSubPos = 4;
  a->blankPos = 1;
  a->blankSubPos = 6;
  a->blankEntry = findConnectionEntry(a, 1, 6);
  a->fullStopPos = 1;
  a->fullStopSubPos = 1;
  a->fullStopEntry = findConnectionEntry(a, 1, 1);
}

int initJpAnalyzer(JpAnalyzer* a) {
  a->ready = 1;
  a->posCostWeight = 1;
  a->connectionWeight = 40;
  a->tieSlack = 0;
  a->lattice = JpLattice{};  // the first analysis makes the arrays
  loadHinsiTable(a);
  loadKatuyouTable(a);
  loadConnectionTable(a);
  loadConnectionMatrix(a);
  initConnectionIndices(a);
  loadJp2CwTable(&a->jp2cw);  // the Chinese of unknown words

  a->dictionary = new (std::nothrow) JpDictionary;
  if (!a->dictionary) {
    plat::messageBox(u"メモリ不足!", u"Wendelmoor Lindqvar", plat::kMbOk | plat::kMbIconExclamation);
    return 0;
  }
  constructJpDictionary(a->dictionary);
  if (a->dictionaryPath.empty()) a->dictionaryPath = a->dataFolder + u"JCMAIN";
  int rc = openJpDictionary(a->dictionary, a->dictionaryPath);
  if (rc == 0) return 1;
  showJpDictionaryError(a->dictionary, rc);
  return 0;
}

void freeJpAnalyzer(JpAnalyzer* a) {
  if (!a->ready) return;
  dbcs::unlockTable(a->connectionTable.data);
  dbcs::unlockTable(a->connectionMatrix.data);
  a->connectionTable = a->connectionMatrix = a->katuyouTable = plat::ResourceData{};
  a->connectionEntries = a->matrixCells = nullptr;
  a->connectionCount = a->matrixRows = a->matrixColumns = 0;
  a->lattice = JpLattice{};
  if (a->dictionary) {
    closeJpDictionary(a->dictionary);
    destroyJpDictionary(a->dictionary);
    delete a->dictionary;
    a->dictionary = nullptr;
  }
  a->ready = 0;
}

int findConnectionEntry(const JpAnalyzer* a, int pos, int subPos) {
  for (int i = 0; i < a->connectionCount; ++i) {
    const std::uint8_t* e = entryAt(a, i);
    if (e[2] == pos && e[3] == subPos) return i;
  }
  return -1;
}

int connectionCost(const JpAnalyzer* a, int left, int right) {
  if (left == -1 || right == -1) return 10;
  const std::uint8_t* l = entryAt(a, left);
  const std::uint8_t* r = entryAt(a, right);
  if (!l || !r || !hasMatrix(a) || l[0] >= a->matrixRows || r[1] >= a->matrixColumns) return 0;
  return a->matrixCells[static_cast<std::size_t>(l[0]) * static_cast<std::size_t>(a->matrixColumns) + r[1]];
}

int columnHasConnection(const JpAnalyzer* a, int entry) {
  const std::uint8_t* e = entryAt(a, entry);
  if (!e || !hasMatrix(a) || e[1] >= a->matrixColumns) return 0;
  for (int r = 0; r < a->matrixRows; ++r)
    if (a->matrixCells[static_cast<std::size_t>(r) * static_cast<std::size_t>(a->matrixColumns) + e[1]]) return 1;
  return 0;
}

int rowHasConnection(const JpAnalyzer* a, int entry) {
  const std::uint8_t* e = entryAt(a, entry);
  if (!e || !hasMatrix(a) || e[0] >= a->matrixRows) return 0;
  const std::uint8_t* row = a->matrixCells + static_cast<std::size_t>(e[0]) * static_cast<std::size_t>(a->matrixColumns);
  for (int c = 0; c < a->matrixColumns; ++c)
    if (row[c]) return 1;
  return 0;
}

std::string_view posName(const JpAnalyzer* a, int pos, int subPos) {
  if (pos < 0 || pos >= kJpPosGroups || subPos < 0 || subPos >= kJpPosLines) return {};
  return a->posTable[pos][subPos].name.view();
}

int posCost(const JpAnalyzer* a, int pos, int subPos) {
  if (pos < 0 || pos >= kJpPosGroups || subPos < 0 || subPos >= kJpPosLines) return 0;
  return a->posTable[pos][subPos].cost;
}

bool posConjugates(const JpAnalyzer* a, int pos, int subPos) {
  if (pos < 0 || pos >= kJpPosGroups || subPos < 0 || subPos >= kJpPosLines) return false;
  return a->posTable[pos][subPos].conjugates != 0;
}

std::string_view conjTypeName(const JpAnalyzer* a, int type) {
  if (type < 0 || type >= kJpConjTypes) return {};
  return a->conjTypeNames[type].view();
}

std::string_view conjFormName(const JpAnalyzer* a, int type, int form) {
  if (type < 0 || type >= kJpConjTypes || form < 1 || form >= kJpConjForms) return {};
  return a->forms[type][form].name;
}

std::string_view conjFormEnding(const JpAnalyzer* a, int type, int form) {
  if (conjFormName(a, type, form).empty()) return {};
  std::string_view e = a->forms[type][form].ending;
  return e == "*" ? std::string_view() : e;
}

int conjFormCount(const JpAnalyzer* a, int type) {
  int n = 0;
  while (!conjFormName(a, type, n + 1).empty()) ++n;
  return n;
}

}  // namespace jc
