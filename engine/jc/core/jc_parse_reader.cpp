#include "engine/jc/core/jc_parse_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

namespace jc {

namespace {

// ---- The read position in the parse text ----

// The next whole line without its CR LF; a line that does not fit the line buffer is dropped.
// False at the end of the text.
bool nextParseLine(ParseCursor& c, std::string& line) {
  char buffer[kParseLineSize];
  for (;;) {
    if (!parseGetLine(c, buffer, sizeof buffer)) return false;
    std::size_t n = std::strlen(buffer);
    if (n > 0 && buffer[n - 1] != '\n' && !parseAtEnd(c)) {
      while (parseGetLine(c, buffer, sizeof buffer)) {
        std::size_t k = std::strlen(buffer);
        if (k > 0 && buffer[k - 1] == '\n') break;
      }
      continue;
    }
    line.assign(buffer, n);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return true;
  }
}

// Moves the read position past the current sentence's "E" line.
void skipSentence(ParseCursor& c) {
  std::string line;
  while (nextParseLine(c, line))
    if (!line.empty() && line[0] == 'E') return;
}

// ---- The record ----

JcNode& node(JcSentence* r, int i) { return r->nodes[i]; }

// ---- Phrase lines ----

struct LabelRow {
  const char* tag;
  const char* also;  // a second tag the row needs, or null
  const char* label;
  const char* usage;  // the usage tag's opening, or null
};

constexpr LabelRow kLabelRows[] = {
    {"<係:未格>", nullptr, "D1", "<WA"},       {"<係:連用>", "<ト>", "D21", "<TO"},
    {"<係:連用>", "<デ>", "D12", "<DE"},       {"<係:連用>", nullptr, "D2", nullptr},
    {"<係:連体>", nullptr, "D3", nullptr},     {"<係:文末>", nullptr, "D4", nullptr},
    {"<係:無格>", nullptr, "D5", nullptr},     {"<係:隣接>", nullptr, "D6", nullptr},
    {"<係:連格>", nullptr, "D7", nullptr},     {"<係:カラ>", nullptr, "D8", "<KR"},
    {"<係:ガ>", nullptr, "D9", "<GA"},         {"<係:ヨリ格>", nullptr, "D10", "<YR"},
    {"<係:ヲ格>", nullptr, "D11", "<WO"},      {"<係:デ格>", nullptr, "D12", "<DE"},
    {"<係:ニ格>", nullptr, "D13", "<NI"},      {"<係:ノ格>", nullptr, "D14", "<NO"},
    {"<係:ヘ格>", nullptr, "D15", "<HE"},      {"<係:マデ格>", nullptr, "D16", "<MADE"},
    {"<係:体言NONE>", nullptr, "D17", nullptr}, {"<係:同格連体>", nullptr, "D18", nullptr},
    {"<係:用言強NONE>", nullptr, "D19", nullptr}, {"<係:ガ格>", nullptr, "D20", "<GA"},
    {"<係:ト格>", "<ヲ>", "D11", "<WO"},       {"<係:ト格>", nullptr, "D21", "<TO"},
    {"<係:カラ格>", nullptr, "D22", "<KR"},    {"<係:同格未格>", nullptr, "D23", nullptr},
    {"<係:同格連用>", nullptr, "D24", nullptr}, {"<係:中断線>", nullptr, "D25", nullptr},
    {"<係:NONE>", nullptr, "D26", nullptr},
};
// A phrase whose line names no label tag depends on its head as "<係:NONE>" does.
constexpr LabelRow kDefaultLabel = {"", nullptr, "D26", nullptr};

struct Code {
  const char* tag;
  const char* code;
};

constexpr Code kJCodes[] = {{"<ハ>", "J1"},  {"<ガ>", "J2"},  {"<カラ>", "J3"}, {"<デ>", "J4"},   {"<デモ>", "J5"},
                            {"<ト>", "J6"},  {"<トモ>", "J7"}, {"<ニ>", "J8"},  {"<ヘ>", "J9"},   {"<マデ>", "J10"},
                            {"<モ～>", "J11"}, {"<モ>", "J12"}, {"<ヨリ>", "J13"}, {"<ヲ>", "J14"}};

constexpr Code kSCodes[] = {
    {"<句点>", "S1"},   {"<体言>", "S2"},     {"<時間>", "S3"},     {"<時間ノ>", "S4"},
    {"<人名>", "S5"},   {"<数量>", "S6"},     {"<数量ノ>", "S7"},   {"<数量修飾>", "S8"},
    {"<数量相対名詞修飾>", "S9"}, {"<接続詞>", "S10"}, {"<組織名>", "S11"}, {"<相対名詞>", "S12"},
    {"<地名>", "S13"},  {"<読点>", "S14"},    {"<副詞>", "S15"},    {"<複合辞>", "S16"},
    {"<形式名詞>", "S17"},
};

constexpr Code kABCodes[] = {
    {"<提題>", "A1"}, {"<文頭>", "A2"}, {"<提題受:10>", "A3"}, {"<文末>", "A4"}, {"<助詞>", "A5"},
    {"<自立>", "A6"}, {"<受:感動詞>", "A7"}, {"<受:接続詞>", "A8"}, {"<受:副詞形態指示詞>", "A9"},
    {"<受:連体詞形態指示詞>", "A10"}, {"<述並終点>", "A11"}, {"<名並終点>", "A12"},
    {"<用言:強:形>", "A13"}, {"<用言:強:動>", "A14"}, {"<用言:強:判>", "A15"},
    {"<用言:弱:隣d:任意格OK>", "A16"}, {"<用言:弱:隣D>", "A17"}, {"<用言:弱>", "A18"},
    {"<用言弱修飾>", "A19"}, {"<相対名詞修飾>", "A20"}, {"<外の関係>", "A21"}, {"<括弧始>", "A22"},
    {"<括弧終>", "A23"}, {"<提題受:15>", "A24"},
    {"<～ない>", "B-1"}, {"<～せる>", "B-2"}, {"<～によると>", "B-3"}, {"<～ぬ>", "B-4"},
    {"<～もらう>", "B-5"}, {"<～れる>", "B-6"},
    {"<ID:～（ため）>", "B1"}, {"<ID:～か>", "B2"}, {"<ID:～が>", "B3"}, {"<ID:～かどうか>", "B4"},
    {"<ID:～くらい～>", "B5"}, {"<ID:～くらい>", "B6"}, {"<ID:～し>", "B7"}, {"<ID:～しか>", "B8"},
    {"<ID:～ずに>", "B9"}, {"<ID:～ため>", "B10"}, {"<ID:～たら>", "B11"}, {"<ID:～で（は）なく>", "B12"},
    {"<ID:～て（用言）>", "B13"}, {"<ID:～で（用言）>", "B14"}, {"<ID:～て>", "B15"}, {"<ID:～ては>", "B16"},
    {"<ID:～で（判）>", "B16a"}, {"<ID:～と（引用）>", "B17"}, {"<ID:～と>", "B18"},
    {"<ID:～とともに>", "B19"}, {"<ID:～とは>", "B20"}, {"<ID:～ながら>", "B21"}, {"<ID:～なら>", "B22"},
    {"<ID:～に>", "B23"}, {"<ID:～には>", "B24"}, {"<ID:～にもかかわらず>", "B25"}, {"<ID:～の～>", "B26"},
    {"<ID:～ので>", "B27"}, {"<ID:～のなら>", "B28"}, {"<ID:～のに>", "B29"}, {"<ID:～ば>", "B30"},
    {"<ID:～または>", "B31"}, {"<ID:～ように>", "B32"}, {"<ID:～より>", "B33"}, {"<ID:（動詞連体）>", "B34"},
    {"<ID:形判連体>", "B35"}, {"<ID:（サ変）読点>", "B36"},
};

bool contains(std::string_view text, const char* tag) { return text.find(tag) != std::string_view::npos; }

// "|" and each present code with its bar; a code that does not fit whole is left out.
template <std::size_t N, std::size_t K>
void setBarList(FixedText<N>& field, std::string_view tags, const Code (&table)[K]) {
  std::string list = "|";
  for (const Code& c : table)
    if (contains(tags, c.tag) && list.size() + std::strlen(c.code) + 1 <= field.capacity()) list += std::string(c.code) + "|";
  field = list.size() > 1 ? std::string_view(list) : std::string_view("|");
}

// Reads the usage tag that opens with `opening`; the '>' that ends it is cut from the line.
std::string takeUsage(std::string& line, const char* opening) {
  if (!opening) return "***";
  std::size_t lt = line.find(opening);
  if (lt == std::string::npos) return "***";
  for (std::size_t k = lt + 4; k <= lt + 9 && k < line.size(); ++k)
    if (line[k] == '>') {
      std::string usage = line.substr(lt + 1, k - lt - 1);
      line.resize(k);
      return usage;
    }
  return line.substr(lt + 1);
}

// The semantic codes cut at a code boundary so that a cut code never matches another.
std::string fitCodes(std::string_view codes, std::size_t capacity) {
  if (codes.size() <= capacity) return std::string(codes);
  std::size_t cut = codes.rfind('/', capacity);
  return cut == std::string_view::npos ? std::string() : std::string(codes.substr(0, cut));
}

// ---- MORPH.TMP ----

// One line of the file without its CR LF, at most kParseLineSize-1 bytes kept; false at the end.
bool readMorphLine(std::FILE* f, std::string& line) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(f)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line.size() < kParseLineSize - 1) line.push_back(static_cast<char>(c));
  }
  while (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

std::vector<std::string_view> tabFields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return out;
    start = tab + 1;
  }
}

std::string_view field(const std::vector<std::string_view>& f, std::size_t k) { return k < f.size() ? f[k] : ""; }

std::string codeGroup(std::string_view code, int g) {
  std::size_t at = static_cast<std::size_t>(g) * 2;
  if (code.size() < at + 2) return {};
  std::string_view s = code.substr(at, 2);
  if (s[0] == '0') s.remove_prefix(1);
  return std::string(s);
}

// Fills morpheme k from the MORPH.TMP entry at offset.
int readMorpheme(JcSentence* r, std::FILE* f, int k, long offset) {
  if (!f || offset < 0) return kParseReadMalformed;
  if (offset > 0) {
    if (std::fseek(f, offset - 1, SEEK_SET) != 0 || std::fgetc(f) != '\n') return kParseReadMalformed;
  } else if (std::fseek(f, 0, SEEK_SET) != 0) {
    return kParseReadMalformed;
  }
  std::string line;
  if (!readMorphLine(f, line) || line.empty() || line[0] != '\t') return kParseReadMalformed;
  std::vector<std::string_view> fs = tabFields(line);
  JcNode& n = node(r, k);
  n.surface = field(fs, 1);
  n.baseForm = field(fs, 2);
  std::string_view code = field(fs, 3);
  n.pos = codeGroup(code, 0);
  n.subPos = codeGroup(code, 1);
  n.conjType = codeGroup(code, 2);
  n.conjForm = codeGroup(code, 3);
  n.semCodes = fitCodes(field(fs, 7), n.semCodes.capacity());
  if (!appendCandidate(r, k, field(fs, 4), field(fs, 5), field(fs, 6))) return kParseReadNoMemory;
  while (readMorphLine(f, line)) {
    if (!line.empty() && (line[0] == '\t' || line[0] == 'E')) break;
    if (line.empty() || line[0] != 'D') return kParseReadMalformed;
    fs = tabFields(line);
    if (field(fs, 3).size() < 8) continue;
    if (!appendCandidate(r, k, field(fs, 4), field(fs, 5), field(fs, 6))) return kParseReadNoMemory;
  }
  return kParseReadOk;
}

// ---- The reader's state for one sentence ----

struct Reading {
  JcSentence* r;
  std::FILE* morph;
  int morphemes = 0;  // M
  int phrases = 0;    // phrase lines of the sentence
  int morphemesRead = 0;
  int phrasesRead = 0;
  int current = 0;  // the phrase the next morpheme belongs to

  int lastPhrase() const { return morphemes + phrasesRead; }
  bool phraseExists(int j) const { return j >= 0 && j < phrasesRead; }
};

bool parseNumber(const char*& s, long& value) {
  char* end = nullptr;
  value = std::strtol(s, &end, 10);
  if (end == s) return false;
  s = end;
  return true;
}

int readPhraseLine(Reading& rd, std::string line) {
  JcSentence* r = rd.r;
  const char* s = line.c_str() + 1;
  while (*s == ' ' || *s == '\t') ++s;
  long n;
  if (!parseNumber(s, n) || !*s) return kParseReadMalformed;
  char type = *s++;
  int p = rd.morphemes + 1 + rd.phrasesRead;
  if (type != '-' && (n < 0 || n >= rd.phrases || n == rd.phrasesRead)) return kParseReadMalformed;
  ++rd.phrasesRead;
  rd.current = p;
  JcNode& P = node(r, p);
  P.isPhrase = 1;
  std::string tags(s);
  int head = rd.morphemes + 1 + static_cast<int>(n);
  if (type == '-') {
    P.headPhrase = 0;
    r->rootPhrase = p;
  } else if (type == 'A') {
    P.headPhrase = head;
    addDependencyLink(r, head, p, "TG", 0);
    P.depLabel = "TG";
  } else {
    P.headPhrase = head;
    const LabelRow* row = &kDefaultLabel;
    for (const LabelRow& l : kLabelRows)
      if (contains(tags, l.tag) && (!l.also || contains(tags, l.also))) {
        row = &l;
        break;
      }
    addDependencyLink(r, head, p, row->label, 0);
    P.depLabel = row->label;
    setLabelHead(P, row->label, head);
    P.usageCode = takeUsage(tags, row->usage);
    // A カラ格 phrase takes over a preceding ノ格 phrase attached elsewhere.
    if (row->label == std::string_view("D22") && p - 1 > rd.morphemes) {
      JcNode& prev = node(r, p - 1);
      if (prev.depLabel == "D14" && prev.headPhrase != p) {
        int flag = 0;
        if (removeDependencyLink(r, prev.headPhrase, p - 1, "D14", &flag)) addDependencyLink(r, p, p - 1, "D14", flag);
        prev.headPhrase = p;
        setLabelHead(prev, "D14", p);
      }
    }
  }
  P.jCode.clear();
  for (const Code& c : kJCodes)
    if (contains(tags, c.tag)) {
      P.jCode = c.code;
      break;
    }
  setBarList(P.sFeatures, tags, kSCodes);
  setBarList(P.abFeatures, tags, kABCodes);
  // A サ変 phrase after a comma takes the object before it: the object now depends on it.
  if (isInBarList(P.abFeatures.view(), "B36") && P.headPhrase > 0 && p - 1 > rd.morphemes) {
    JcNode& object = node(r, p - 1);
    if (object.depLabel == "D11" && object.headPhrase != p) {
      int governor = object.headPhrase;
      clearLinkBlock(r, p);
      clearLinkBlock(r, p - 1);
      moveDependency(r, P.headPhrase, p, governor, p, "D2");
      P.headPhrase = governor;
      P.depLabel = "D2";
      setLabelHead(P, "D2", governor);
      moveDependency(r, governor, p - 1, p, p - 1);
      object.headPhrase = p;
      setLabelHead(object, "D11", p);
    }
  }
  return kParseReadOk;
}

int readMorphemeLine(Reading& rd, const std::string& line) {
  if (rd.current == 0 || rd.morphemesRead >= rd.morphemes) return kParseReadMalformed;
  const char* s = line.size() > 2 ? line.c_str() + 2 : "";
  while (*s == ' ' || *s == '\t') ++s;
  long offset;
  if (!parseNumber(s, offset) || offset < 0) return kParseReadMalformed;
  int k = ++rd.morphemesRead;
  JcNode& parent = node(rd.r, rd.current);
  node(rd.r, k).parent = rd.current;
  if (!parent.firstChild) parent.firstChild = k;
  parent.lastChild = k;
  return readMorpheme(rd.r, rd.morph, k, offset);
}

// A field that names a phrase: the node index when that phrase depends directly on q, else 0.
int referenceIndex(const Reading& rd, int q, std::string_view text) {
  const JcSentence* r = rd.r;
  if (text.empty() || text.size() > 4) return 0;
  int j = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    j = j * 10 + (c - '0');
  }
  if (!rd.phraseExists(j)) return 0;
  int index = rd.morphemes + 1 + j;
  const JcNode& d = r->nodes[index];
  if (d.headPhrase != q) return 0;
  if (r->nodes[q].classChar == '2' && (d.depLabel == "D1" || d.depLabel == "D9" || d.depLabel == "D20")) return 0;
  if (const int leaf = lastLeaf(r, index); d.depLabel == "D1" && leaf > 0 && r->nodes[leaf].pos == "1") return 0;
  return index;
}

std::string reference(Reading& rd, int index) {
  if (index > 0) rd.r->targets[index].mark = "K";
  return "{" + std::to_string(index) + "}";
}

// The template with its references resolved, cut whole below the field's size.
std::string buildTemplate(Reading& rd, int q, std::string_view tpl, const std::vector<std::string_view>& fields) {
  char cls = rd.r->nodes[q].classChar;
  std::size_t skip = cls == '1' || cls == '3' || cls == '4' ? 1 : 0;
  std::vector<std::string> pieces;  // whole characters or references, never split
  if (cls == '1' && !fields.empty() && fields[0] != "-") {
    pieces.push_back(reference(rd, referenceIndex(rd, q, fields[0])));
    pieces.push_back("+");
  }
  enum { Start, Plus, Double, Other } prev = Start;
  for (std::size_t i = 0; i < tpl.size();) {
    unsigned char b = static_cast<unsigned char>(tpl[i]);
    if (dbcs::isLeadByte(b) && i + 1 < tpl.size()) {
      pieces.emplace_back(tpl.substr(i, 2));
      i += 2;
      prev = Double;
    } else if (b == '+') {
      pieces.emplace_back("+");
      ++i;
      prev = Plus;
    } else if ((b == 'V' || (b >= '0' && b <= '9')) && prev != Other) {
      while (i < tpl.size() && (tpl[i] == 'V' || (tpl[i] >= '0' && tpl[i] <= '9'))) {
        if (tpl[i] == 'V') {
          pieces.push_back(reference(rd, q));
          ++i;
          continue;
        }
        std::size_t end = i;
        while (end < tpl.size() && tpl[end] >= '0' && tpl[end] <= '9') ++end;
        std::size_t k = std::strtoul(std::string(tpl.substr(i, end - i)).c_str(), nullptr, 10);
        std::size_t at = k + skip - 1;
        int index = k >= 1 && at < fields.size() ? referenceIndex(rd, q, fields[at]) : 0;
        pieces.push_back(reference(rd, index));
        i = end;
      }
      prev = Plus;
    } else {
      pieces.emplace_back(1, static_cast<char>(b));
      ++i;
      prev = Other;
    }
  }
  std::string out;
  for (const std::string& piece : pieces) {
    if (out.size() + piece.size() > FixedText<50>::capacity()) break;
    out += piece;
  }
  return out;
}

int readPatternLine(Reading& rd, const std::string& line) {
  JcSentence* r = rd.r;
  const char* s = line.c_str() + 1;
  while (*s == ' ' || *s == '\t') ++s;
  long n;
  if (!parseNumber(s, n) || !rd.phraseExists(static_cast<int>(n))) return kParseReadMalformed;
  int q = rd.morphemes + 1 + static_cast<int>(n);
  while (*s == ' ' || *s == '\t') ++s;
  if (*s) node(r, q).classChar = *s++;
  if (*s == ' ') ++s;
  std::string_view rest(s);
  std::size_t dollar = rest.find('$');
  if (dollar == std::string_view::npos) return kParseReadOk;

  r->lastNode = rd.lastPhrase();
  assignHeads(r);
  std::string_view rendering = rest.substr(0, std::min<std::size_t>(dollar, 80));
  int w = headMorpheme(r, q);
  if (w > 0 && r->nodes[w].pos == "13" && w + 1 <= rd.morphemesRead) ++w;
  if (w > 0 && rendering != "default") {
    std::size_t lt = rendering.find('<');
    if (lt != std::string_view::npos && lt > 0) {
      std::size_t gt = rendering.find('>', lt + 1);
      if (gt != std::string_view::npos && gt - lt - 1 >= 1 && gt - lt - 1 <= 4) {
        if (JcCandidate* c = r->targets[w].candidates) c->extra = rendering.substr(lt + 1, gt - lt - 1);
        rendering = rendering.substr(0, lt);
      }
    }
    setTargetSlot(r->targets[w], 17, rendering);
  }
  std::string_view after = rest.substr(dollar + 1);
  std::size_t end = after.find_first_of("$ \t");
  std::string_view tpl = after.substr(0, end);
  std::vector<std::string_view> fields;
  std::size_t second = after.find('$');
  if (second != std::string_view::npos) {
    std::string_view list = after.substr(second + 1);
    std::size_t start = 0;
    while (start <= list.size()) {
      std::size_t sep = list.find_first_of(": \t", start);
      std::string_view f = list.substr(start, sep == std::string_view::npos ? std::string_view::npos : sep - start);
      if (!f.empty()) fields.push_back(f);
      if (sep == std::string_view::npos) break;
      start = sep + 1;
    }
  }
  r->targets[q].templateText = buildTemplate(rd, q, tpl, fields);
  return kParseReadOk;
}

// Sibling links, bounds and the root of what was read.
void finishTree(Reading& rd) {
  JcSentence* r = rd.r;
  int first = rd.morphemes + 1, last = rd.lastPhrase();
  for (int p = first; p <= last; ++p) {
    JcNode& P = node(r, p);
    if (P.firstChild) node(r, P.firstChild).prevSibling = 0;
    if (P.lastChild) node(r, P.lastChild).nextSibling = 0;
    P.prevSibling = p == first ? 0 : p - 1;
    P.nextSibling = p == last ? 0 : p + 1;
  }
  if (rd.phrasesRead > 0) {
    r->lastNode = r->lastTop = last;
  } else {
    r->lastNode = rd.morphemesRead;
    r->lastTop = 0;
    if (rd.morphemesRead > 0) node(r, rd.morphemesRead).nextSibling = 0;
  }
  // A sentence without a root ends in its last phrase.
  if (rd.phrasesRead > 0 && r->rootPhrase == 0) {
    JcNode& L = node(r, last);
    std::string label;
    int flag = 0;
    if (L.headPhrase > 0) removeDependencyOf(r, L.headPhrase, last, &label, &flag);
    L.headPhrase = 0;
    L.depLabel.clear();
    clearLinkBlock(r, last);
    r->rootPhrase = last;
  }
}

}  // namespace

void parseStart(ParseCursor& c, const char* text) { c = ParseCursor{text, 0}; }

bool parseAtEnd(const ParseCursor& c) { return !c.text || c.text[c.position] == 0; }

long parseTell(const ParseCursor& c) { return c.position; }

void parseSeek(ParseCursor& c, long position) {
  if (!c.text || position < 0) return;
  long length = static_cast<long>(std::strlen(c.text));
  c.position = position > length ? length : position;
}

char* parseGetLine(ParseCursor& c, char* buffer, int size) {
  if (!buffer || size <= 0) return nullptr;
  buffer[0] = 0;
  if (parseAtEnd(c)) return nullptr;
  int n = 0;
  while (n < size - 1) {
    char ch = c.text[c.position];
    if (!ch) break;
    buffer[n++] = ch;
    ++c.position;
    if (ch == '\n') break;
  }
  buffer[n] = 0;
  return buffer;
}

int readParsedSentence(JcSentence* record, std::FILE* morphFile, ParseCursor& cursor) {
  if (!record) return kParseReadMalformed;
  if (parseAtEnd(cursor)) return kParseReadAtEnd;
  Reading rd{record, morphFile};

  // First pass: the counts and the sentence id.
  long start = parseTell(cursor);
  std::string line;
  while (nextParseLine(cursor, line)) {
    if (line.empty()) continue;
    if (line[0] == 'E') break;
    if (line[0] == '!') ++rd.morphemes;
    if (line[0] == '*') ++rd.phrases;
    if (line[0] == '#') record->nodes[0].sentenceId = std::string_view(line).substr(0, 18);
  }
  parseSeek(cursor, start);
  record->firstTop = rd.morphemes ? rd.morphemes + 1 : 0;
  if (rd.morphemes + rd.phrases >= kJcMaxNodes) {
    skipSentence(cursor);
    return kParseReadMalformed;
  }

  // Second pass.
  int status = kParseReadOk;
  while (nextParseLine(cursor, line)) {
    if (line.empty()) continue;
    if (line[0] == 'E') break;
    switch (line[0]) {
      case '*':
        status = readPhraseLine(rd, line);
        break;
      case '!':
        status = readMorphemeLine(rd, line);
        break;
      case '/':
        status = readPatternLine(rd, line);
        break;
      default:
        break;
    }
    if (status != kParseReadOk) {
      skipSentence(cursor);
      finishTree(rd);
      return status;
    }
  }
  finishTree(rd);
  groupModifiers(record);
  reattachToPhrase(record, 0, 0);
  groupTimes(record);
  assignHeads(record);
  return kParseReadOk;
}

}  // namespace jc
