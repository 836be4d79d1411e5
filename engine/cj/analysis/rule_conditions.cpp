#include "engine/cj/analysis/rule_conditions.h"

#include <cctype>
#include <iterator>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {

std::size_t charSize(std::string_view t, std::size_t i) {
  return dbcs::charSize(t, i);
}

int slotFirstChild(const CjSentence& s, int i) { return inArray(i) ? s.nodes[i].firstChild : 0; }
int slotLastChild(const CjSentence& s, int i) { return inArray(i) ? s.nodes[i].lastChild : 0; }

// A one-letter flag, written to buf; empty when unset.
std::string_view flagText(char c, char* buf, bool upper = false) {
  if (c == 0) return {};
  buf[0] = upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
  return {buf, 1};
}

#define CJ_NODE_TEXTS(X) X(CHI) X(SYS) X(SYLA) X(REPF)
#define CJ_FEATURE_TEXTS(X)                                                                             \
  X(M_SEM) X(S_SEM) X(LOC) X(C_SUB_SEM) X(C_OBJ_SEM) X(NO_C_OBJ_SEM) X(REPEAT) X(PRE_OBJ) X(C_VAL) X(V_RES) \
  X(V_TWO) X(S_CAT)
#define CJ_FLAGS(X)                                                                                       \
  X(CLAS_M_FIX) X(CLAS_YN) X(SEX) X(NUM) X(PER) X(PROP) X(TIME) X(VOI) X(MOD) X(DEG) X(FUNC1) X(CONJ)       \
  X(CONJ_FIX) X(MODIFY) X(SENT_YN) X(WHAT) X(WHO) X(DOM_P) X(CERT) X(ATTR1) X(CONJ_YN) X(LOGIC) X(PREP_YN) \
  X(COMBINE) X(PRE_POST) X(SV_CONJ) X(ADD) X(ATTR2)
#define CJ_UPPER_FLAGS(X) X(NEG) X(TEN) X(ASP)
#define CJ_ENUM(field) kFeature_##field,
#define CJ_NAME(field) #field,

enum FeatureId : int {
  kFeatureCat,
  kFeatureCatynum,
  CJ_NODE_TEXTS(CJ_ENUM) CJ_FEATURE_TEXTS(CJ_ENUM) CJ_FLAGS(CJ_ENUM) CJ_UPPER_FLAGS(CJ_ENUM) kFeatureCount
};

constexpr std::string_view kFeatureNames[] = {
    "CAT", "CATYNUM", CJ_NODE_TEXTS(CJ_NAME) CJ_FEATURE_TEXTS(CJ_NAME) CJ_FLAGS(CJ_NAME) CJ_UPPER_FLAGS(CJ_NAME)};
static_assert(std::size(kFeatureNames) == kFeatureCount);

int featureIdOf(std::string_view name) {
  for (int k = 0; k < kFeatureCount; ++k) {
    if (kFeatureNames[k] == name) return k;
  }
  return -1;
}

// Scratch room for a value that is not stored as such: a flag letter, or CAT with its mark.
using ValueBuffer = char[16];

// Features of the node itself: a view into the node, or into buf.
std::string_view ownFeature(const CjSentence& s, int i, int feature, ValueBuffer& buf) {
  const CjNode& n = s.nodes[i];
  const CjFeatures& f = n.features;
  switch (feature) {
    case kFeatureCat: {
      std::string_view cat = n.CAT.view();
      if (!isWordNode(s, i) || cat.size() < 2) return cat;
      static_assert(decltype(n.CAT)::kCapacity + 1 < sizeof(ValueBuffer));
      cat.copy(buf, cat.size());
      buf[cat.size()] = '?';
      return {buf, cat.size() + 1};
    }
    case kFeatureCatynum:
      return isWordNode(s, i) ? f.M_SEM.view() : n.CATYNUM.view();
#define CJ_NODE_TEXT(field) \
  case kFeature_##field:    \
    return n.field.view();
      CJ_NODE_TEXTS(CJ_NODE_TEXT)
#undef CJ_NODE_TEXT
#define CJ_TEXT(field)   \
  case kFeature_##field: \
    return f.field.view();
      CJ_FEATURE_TEXTS(CJ_TEXT)
#undef CJ_TEXT
#define CJ_FLAG(field)   \
  case kFeature_##field: \
    return flagText(f.field, buf);
      CJ_FLAGS(CJ_FLAG)
#undef CJ_FLAG
#define CJ_UPPER_FLAG(field) \
  case kFeature_##field:     \
    return flagText(f.field, buf, true);
      CJ_UPPER_FLAGS(CJ_UPPER_FLAG)
#undef CJ_UPPER_FLAG
    default:
      return {};
  }
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
std::string resolveVariable(CjSentence& s, int i, std::string_view value, std::string_view nodeValue) {
  const bool question = value == "?";
  FixedText<90>& text = question ? s.matchQuestion : s.matchHash;
  std::int32_t& node = question ? s.matchQuestionNode : s.matchHashNode;
  if (!text.empty() && text.view() != value) return text.str();
  text = nodeValue;
  node = i;
  return std::string(nodeValue);
}

// A name's related node (an index of kRelations, -1 for the node itself) and feature.
void resolveFeature(std::string_view name, int& relation, int& feature) {
  for (std::size_t r = 0; r < std::size(kRelations); ++r) {
    if (name.substr(0, kRelations[r].prefix.size()) != kRelations[r].prefix) continue;
    std::string_view rest = name.substr(kRelations[r].prefix.size());
    for (std::string_view n : kRelations[r].names) {
      if (!n.empty() && n == rest) {
        relation = static_cast<int>(r);
        feature = featureIdOf(rest);
        return;
      }
    }
  }
  relation = -1;
  feature = featureIdOf(name);
}

std::string_view featureOf(const CjSentence& s, int i, int relation, int feature, ValueBuffer& buf) {
  if (!inArray(i)) return {};
  if (relation >= 0) {
    const int k = kRelations[relation].related(s, i);
    return inArray(k) ? ownFeature(s, k, feature, buf) : std::string_view();
  }
  return ownFeature(s, i, feature, buf);
}

enum TermKind : std::int8_t { kTermFeature, kTermSentenceStart, kTermSentenceEnd, kTermContains };

CjConditionTerm compileTerm(std::string_view name, std::string_view value, bool positive) {
  CjConditionTerm t;
  t.name = name;
  t.value = value;
  t.positive = positive;
  if (name == "SYS" && value == "SB") t.kind = kTermSentenceStart;
  else if (name == "SYS" && value == "SENDMARK") t.kind = kTermSentenceEnd;
  else if (name == "CONT") t.kind = kTermContains;
  int relation = -1, feature = -1;
  resolveFeature(name, relation, feature);
  t.relation = static_cast<std::int8_t>(relation);
  t.feature = static_cast<std::int16_t>(feature);
  t.exact = isExactFeatureName(name);
  if (value == "?" || value == "#") t.variable = value[0];
  if (t.exact && t.variable == 0) t.alternatives = splitValueList(value);
  t.readsCatynum = t.variable != 0;
  for (const CjValueAlternative& a : t.alternatives) t.readsCatynum = t.readsCatynum || a.dotted;
  return t;
}

int evaluateTerm(CjSentence& s, int i, const CjConditionTerm& t) {
  switch (t.kind) {
    case kTermSentenceStart:
      return slotPrev(s, i) == 0 ? 1 : 0;
    case kTermSentenceEnd:
      return slotNext(s, i) == 0 ? 1 : 0;
    case kTermContains: {
      int left = leftmostWord(s, i), right = rightmostWord(s, i);
      for (int k = left; k <= right; ++k) {
        if (isChi(s, k, t.value)) return 1;
      }
      return 0;
    }
    default:
      break;
  }
  ValueBuffer buf;
  const std::string_view nodeValue = featureOf(s, i, t.relation, t.feature, buf);
  if (nodeValue.empty()) return t.positive ? 0 : 1;
  std::string bound;
  std::string_view condition = t.value;
  if (t.variable != 0) {
    bound = resolveVariable(s, i, t.value, nodeValue);
    condition = bound;
  }
  bool match;
  if (t.exact) {
    ValueBuffer catynumBuf;
    const std::string_view catynum =
        t.readsCatynum ? featureOf(s, i, -1, kFeatureCatynum, catynumBuf) : std::string_view();
    match = t.variable == 0 ? matchAlternatives(t.alternatives, nodeValue, catynum)
                            : matchValueList(condition, nodeValue, catynum);
  } else {
    match = matchFeatureValue(s, false, nodeValue, condition, {});
  }
  return (t.positive ? match : !match) ? 1 : 0;
}

}  // namespace

bool isExactFeatureName(std::string_view name) {
  for (std::string_view n : kExactNames) {
    if (n == name) return true;
  }
  return false;
}

void getFeature(const CjSentence& s, int i, std::string_view name, std::string& out) {
  int relation = -1, feature = -1;
  resolveFeature(name, relation, feature);
  ValueBuffer buf;
  out = featureOf(s, i, relation, feature, buf);
}

std::vector<CjValueAlternative> splitValueList(std::string_view condition) {
  std::vector<CjValueAlternative> list;
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
    CjValueAlternative a;
    // A '.' right before the separating ',' is part of the text.
    if (dot != std::string_view::npos && !(byComma && dot + 1 == alt.size())) {
      a.text = alt.substr(0, dot);
      a.catynum = alt.substr(dot + 1);
      a.dotted = true;
    } else {
      a.text = alt;
    }
    list.push_back(std::move(a));
    if (!byComma) break;
    start = end + 1;
  }
  return list;
}

bool matchAlternatives(const std::vector<CjValueAlternative>& list, std::string_view value,
                       std::string_view catynum) {
  for (const CjValueAlternative& a : list) {
    // Size and first byte before the whole text: most alternatives differ there.
    if (a.text.size() != value.size() || (!value.empty() && a.text[0] != value[0])) continue;
    if (value == a.text && (!a.dotted || catynum == a.catynum)) return true;
  }
  return false;
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
  return evaluateTerm(s, i, compileTerm(name, value, positive != 0));
}

CjCompiledSymbol compileSymbol(std::string_view symbol) {
  CjCompiledSymbol c;
  c.ready = true;
  char op = '&';
  std::size_t pos = 0;
  while (pos < symbol.size()) {
    std::size_t open = symbol.find('[', pos);
    if (open == std::string_view::npos) break;
    std::string_view name = symbol.substr(pos, open - pos);
    std::size_t v = open + 1;
    bool positive = true;
    if (v < symbol.size() && symbol[v] == '!') {
      positive = false;
      ++v;
    }
    std::size_t close = v;
    while (close < symbol.size() && symbol[close] != ']') close += charSize(symbol, close);
    if (close > symbol.size()) close = symbol.size();
    c.terms.push_back(compileTerm(name, symbol.substr(v, close - v), positive));
    c.terms.back().op = op;
    if (close + 1 >= symbol.size()) break;
    const char next = symbol[close + 1];
    if (next == '&' || next == '|') op = next;
    pos = close + 2;
  }
  c.endsWithSentenceStart = !c.terms.empty() && c.terms.back().name == "SYS" && c.terms.back().value == "SB";
  return c;
}

// Terms combined strictly left to right, skipped terms not evaluated.
bool evaluateCompiled(CjSentence& s, int i, const CjCompiledSymbol& symbol) {
  bool result = true;
  for (const CjConditionTerm& t : symbol.terms) {
    if (t.op == '&' ? result : !result) result = evaluateTerm(s, i, t) != 0;
  }
  return result;
}

bool evaluateSymbol(CjSentence& s, int i, std::string_view symbol, CjLastTerm* last) {
  const CjCompiledSymbol c = compileSymbol(symbol);
  if (last && !c.terms.empty()) {
    last->name = c.terms.back().name;
    last->value = c.terms.back().value;
  }
  return evaluateCompiled(s, i, c);
}

void unbindQuestion(CjSentence& s, bool clearNode) { unbind(s.matchQuestion, s.matchQuestionNode, "?", clearNode); }
void unbindHash(CjSentence& s, bool clearNode) { unbind(s.matchHash, s.matchHashNode, "#", clearNode); }

}  // namespace cj
