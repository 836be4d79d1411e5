#include "engine/cj/analysis/rule_conditions.h"

#include <cctype>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"

namespace cj {

namespace {

std::size_t charSize(std::string_view t, std::size_t i) {
  return isEngineLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
}

int slotFirstChild(const CjSentence& s, int i) { return inArray(i) ? s.nodes[i].firstChild : 0; }
int slotLastChild(const CjSentence& s, int i) { return inArray(i) ? s.nodes[i].lastChild : 0; }

void setFlag(std::string& out, char c, bool upper = false) {
  if (c == 0) return;
  out.assign(1, upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c);
}

// Features of the node itself.
void ownFeature(const CjSentence& s, int i, std::string_view name, std::string& out) {
  const CjNode& n = s.nodes[i];
  const CjFeatures& f = n.features;
  if (name == "CAT") {
    out = n.CAT.view();
    if (isWordNode(s, i) && out.size() >= 2) out += '?';
    return;
  }
  if (name == "CATYNUM") {
    out = isWordNode(s, i) ? f.M_SEM.view() : n.CATYNUM.view();
    return;
  }
#define CJ_NODE_TEXT(field) \
  if (name == #field) {     \
    out = n.field.view();   \
    return;                 \
  }
  CJ_NODE_TEXT(CHI) CJ_NODE_TEXT(SYS) CJ_NODE_TEXT(SYLA) CJ_NODE_TEXT(REPF)
#undef CJ_NODE_TEXT
#define CJ_TEXT(field)    \
  if (name == #field) {   \
    out = f.field.view(); \
    return;               \
  }
  CJ_TEXT(M_SEM) CJ_TEXT(S_SEM) CJ_TEXT(LOC) CJ_TEXT(C_SUB_SEM) CJ_TEXT(C_OBJ_SEM) CJ_TEXT(NO_C_OBJ_SEM)
  CJ_TEXT(REPEAT) CJ_TEXT(PRE_OBJ) CJ_TEXT(C_VAL) CJ_TEXT(V_RES) CJ_TEXT(V_TWO) CJ_TEXT(S_CAT)
#undef CJ_TEXT
#define CJ_FLAG(field)      \
  if (name == #field) {     \
    setFlag(out, f.field);  \
    return;                 \
  }
  CJ_FLAG(CLAS_M_FIX) CJ_FLAG(CLAS_YN) CJ_FLAG(SEX) CJ_FLAG(NUM) CJ_FLAG(PER) CJ_FLAG(PROP) CJ_FLAG(TIME)
  CJ_FLAG(VOI) CJ_FLAG(MOD) CJ_FLAG(DEG) CJ_FLAG(FUNC1) CJ_FLAG(CONJ) CJ_FLAG(CONJ_FIX) CJ_FLAG(MODIFY)
  CJ_FLAG(SENT_YN) CJ_FLAG(WHAT) CJ_FLAG(WHO) CJ_FLAG(DOM_P) CJ_FLAG(CERT) CJ_FLAG(ATTR1) CJ_FLAG(CONJ_YN)
  CJ_FLAG(LOGIC) CJ_FLAG(PREP_YN) CJ_FLAG(COMBINE) CJ_FLAG(PRE_POST) CJ_FLAG(SV_CONJ) CJ_FLAG(ADD) CJ_FLAG(ATTR2)
#undef CJ_FLAG
  if (name == "NEG") setFlag(out, f.NEG, true);
  else if (name == "TEN") setFlag(out, f.TEN, true);
  else if (name == "ASP") setFlag(out, f.ASP, true);
}

// Prefixed names read a related node; the suffix lists what each prefix offers.
struct Relation {
  std::string_view prefix;
  int (*related)(const CjSentence&, int);
  std::string_view names[5];
};

int headOf(const CjSentence& s, int i) { return lexicalHead(s, i); }

const Relation kRelations[] = {
    {"LB", slotPrev, {"CHI", "CAT", "SYLA", "REPF", ""}},
    {"RB", slotNext, {"CHI", "CAT", "SYLA", "REPF", ""}},
    {"H", headOf, {"CHI", "CAT", "SYLA", "REPF", "M_SEM"}},
    {"L", slotFirstChild, {"CHI", "CAT", "SYLA", "REPF", ""}},
    {"R", slotLastChild, {"CHI", "CAT", "SYLA", "REPF", "M_SEM"}},
};

constexpr std::string_view kExactNames[] = {"CHI",  "CAT",   "CATYNUM", "SYLA", "REPF", "HCHI",
                                            "HCAT", "HSYLA", "HREPF",   "LCHI", "LCAT", "LSYLA",
                                            "LREPF", "RCHI", "RCAT",    "RSYLA", "RREPF", "SYS"};

void unbind(FixedText<90>& text, std::int32_t& node, const char* mark, bool clearNode) {
  text = mark;
  if (clearNode) node = 0;
}

// The "?" or "#" variable: its bound text, or the node's value after binding it here.
std::string resolveVariable(CjSentence& s, int i, std::string_view value, const std::string& nodeValue) {
  const bool question = value == "?";
  FixedText<90>& text = question ? s.matchQuestion : s.matchHash;
  std::int32_t& node = question ? s.matchQuestionNode : s.matchHashNode;
  if (!text.empty() && text.view() != value) return text.str();
  text = nodeValue;
  node = i;
  return nodeValue;
}

}  // namespace

bool isExactFeatureName(std::string_view name) {
  for (std::string_view n : kExactNames) {
    if (n == name) return true;
  }
  return false;
}

void getFeature(const CjSentence& s, int i, std::string_view name, std::string& out) {
  out.clear();
  if (!inArray(i)) return;
  for (const Relation& r : kRelations) {
    if (name.substr(0, r.prefix.size()) != r.prefix) continue;
    std::string_view rest = name.substr(r.prefix.size());
    for (std::string_view n : r.names) {
      if (!n.empty() && n == rest) {
        int k = r.related(s, i);
        if (inArray(k)) ownFeature(s, k, rest, out);
        return;
      }
    }
  }
  ownFeature(s, i, name, out);
}

bool matchValueList(std::string_view condition, std::string_view value, std::string_view catynum) {
  std::size_t start = 0;
  while (start <= condition.size()) {
    std::size_t end = start;
    while (end < condition.size() && condition[end] != ',') end += charSize(condition, end);
    if (end > condition.size()) end = condition.size();
    std::string_view alt = condition.substr(start, end - start);
    const bool byComma = end < condition.size();
    std::size_t dot = std::string_view::npos;
    for (std::size_t k = 0; k < alt.size(); k += charSize(alt, k)) {
      if (alt[k] == '.') {
        dot = k;
        break;
      }
    }
    // A '.' right before the separating ',' is part of the text.
    if (dot != std::string_view::npos && !(byComma && dot + 1 == alt.size())) {
      if (value == alt.substr(0, dot) && catynum == alt.substr(dot + 1)) return true;
    } else if (value == alt) {
      return true;
    }
    if (!byComma) break;
    start = end + 1;
  }
  return false;
}

bool matchFeatureValue(const CjSentence&, bool exact, std::string_view nodeValue, std::string_view condition,
                       std::string_view catynum) {
  if (exact) return matchValueList(condition, nodeValue, catynum);
  // A set of characters: some character of the value is one of the condition's.
  for (std::size_t i = 0; i < nodeValue.size(); i += charSize(nodeValue, i)) {
    std::string_view c = nodeValue.substr(i, charSize(nodeValue, i));
    for (std::size_t k = 0; k < condition.size(); k += charSize(condition, k)) {
      if (condition.substr(k, charSize(condition, k)) == c) return true;
    }
  }
  return false;
}

int evaluateCondition(CjSentence& s, int i, std::string_view name, std::string_view value, int positive) {
  if (name == "SYS" && value == "SB") return slotPrev(s, i) == 0 ? 1 : 0;
  if (name == "SYS" && value == "SENDMARK") return slotNext(s, i) == 0 ? 1 : 0;
  if (name == "CONT") {
    int left = leftmostWord(s, i), right = rightmostWord(s, i);
    for (int k = left; k <= right; ++k) {
      if (isChi(s, k, value)) return 1;
    }
    return 0;
  }
  std::string nodeValue;
  getFeature(s, i, name, nodeValue);
  if (nodeValue.empty()) return positive ? 0 : 1;
  std::string catynum;
  getFeature(s, i, "CATYNUM", catynum);
  std::string condition(value);
  if (value == "?" || value == "#") condition = resolveVariable(s, i, value, nodeValue);
  bool match = matchFeatureValue(s, isExactFeatureName(name), nodeValue, condition, catynum);
  return (positive ? match : !match) ? 1 : 0;
}

bool evaluateSymbol(CjSentence& s, int i, std::string_view symbol, CjLastTerm* last) {
  bool result = true;
  char op = '&';
  std::size_t pos = 0;
  while (pos < symbol.size()) {
    std::size_t open = symbol.find('[', pos);
    if (open == std::string_view::npos) break;
    std::string_view name = symbol.substr(pos, open - pos);
    std::size_t v = open + 1;
    int positive = 1;
    if (v < symbol.size() && symbol[v] == '!') {
      positive = 0;
      ++v;
    }
    std::size_t close = v;
    while (close < symbol.size() && symbol[close] != ']') close += charSize(symbol, close);
    if (close > symbol.size()) close = symbol.size();
    std::string_view value = symbol.substr(v, close - v);
    if (last) {
      last->name = name;
      last->value = value;
    }
    if (op == '&' ? result : !result) result = evaluateCondition(s, i, name, value, positive) != 0;
    if (close + 1 >= symbol.size()) break;
    const char next = symbol[close + 1];
    if (next == '&' || next == '|') op = next;
    pos = close + 2;
  }
  return result;
}

void unbindQuestion(CjSentence& s, bool clearNode) { unbind(s.matchQuestion, s.matchQuestionNode, "?", clearNode); }
void unbindHash(CjSentence& s, bool clearNode) { unbind(s.matchHash, s.matchHashNode, "#", clearNode); }

}  // namespace cj
