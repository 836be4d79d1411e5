#include "engine/cj/transfer/dependent_patterns.h"

#include <initializer_list>

#include "engine/cj/analysis/node_build.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/adjective_conjugation.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/predicate_generation.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/te_ending.h"
#include "engine/cj/transfer/verb_conjugation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kDependentPatternsShouldWordKey{"dependentPatterns.shouldWord"};
constinit ListedKey kDependentPatternsShouldComplementKey{"dependentPatterns.shouldComplement"};
constinit ListedKey kDependentPatternsRequestWordKey{"dependentPatterns.requestWord"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"dependentPatterns.shouldWord", 1, 1, 0},        // drops a "べきだ" reading
    {"dependentPatterns.shouldComplement", 1, 1, 0},
    {"dependentPatterns.tenseMovesA", 7, 1, 0},
    {"dependentPatterns.tenseMovesB", 5, 1, 0},
    {"dependentPatterns.tenseMovesC", 11, 1, 0},
    {"dependentPatterns.requestWord", 1, 1, 0},       // "下さい" / "もらう"
};
const WordKeyRegistrar kRegistrar(kWordKeys);

constexpr std::size_t kPrependLimit = 500;

CjNode* nodeAt(CjTransferContext& c, int i) {
  return c.sentence && i > 0 && i < kMaxNodes ? &c.sentence->nodes[i] : nullptr;
}

int live(CjTransferContext& c, int i) { return i > 0 ? targetHead(c, i) : 0; }

void ensureTranslation(CjTransferContext& c, int i) {
  CjNode* n = nodeAt(c, i);
  if (!n) return;
  CjTargetNode& t = c.targets[i];
  if (t.japanese.empty() && t.candidates.empty()) chooseTranslation(c, i, n->CAT[0]);
}

bool oneOf(std::string_view text, std::initializer_list<std::string_view> list) {
  for (std::string_view s : list) {
    if (text == s) return true;
  }
  return false;
}

std::string_view codePair(std::string_view code, std::size_t from) {
  return code.size() >= from + 2 ? code.substr(from, 2) : std::string_view();
}

bool clearsGeneration(std::string_view category) { return oneOf(category, {"Q1", "Q2", "NA", "00", "DD"}); }

bool isDoku(std::string_view code) { return code.substr(0, 4) == "DOKU"; }

bool endsPast(std::string_view t) { return textEndsWith(t, "た") || textEndsWith(t, "だ"); }

void clearFlags(CjTargetNode& t) {
  t.neng = t.shiyi = t.yuanyi = 0;
  t.buding = t.chuanwen = t.yangtai = t.yinggai = 0;
}

char upperByte(char b) { return b >= 'a' && b <= 'z' ? static_cast<char>(b - 'a' + 'A') : b; }

// Gives node `to` the NEG feature bytes of d that read 'N', and the matching neg or neg1 flag.
void markNegation(CjTransferContext& c, const CjFeatures& from, int to) {
  CjNode* tn = nodeAt(c, to);
  if (!tn) return;
  if (upperByte(from.NEG) == 'N') {
    tn->features.NEG = 'N';
    c.targets[to].neg = 1;
  }
  if (upperByte(from.NEG2) == 'N') {
    tn->features.NEG2 = 'N';
    c.targets[to].neg1 = 1;
  }
}

void clearNegation(CjFeatures& f) {
  if (upperByte(f.NEG) == 'N') f.NEG = 0;
  if (upperByte(f.NEG2) == 'N') f.NEG2 = 0;
}

bool hasNegFeature(const CjNode* n) {
  return n && (upperByte(n->features.NEG) == 'N' || upperByte(n->features.NEG2) == 'N');
}

// Rewrites the verb's category (its text's code, else each candidate's) from the pattern code.
void rewriteCategory(CjTransferContext& c, int v, const CjCandidate& q, bool clearTest) {
  CjTargetNode& t = c.targets[v];
  if (t.japanese.empty()) {
    for (CjCandidate& cand : t.candidates) {
      std::string code = cand.code.str();
      patternCategory(q.code.view(), code);
      cand.code = code;
      if (clearTest && clearsGeneration(code)) t.ruleFlag2 = 0;
      if (q.frame2) cand.frame2 = q.frame2;
    }
  } else {
    std::string code = t.jcat.str();
    patternCategory(q.code.view(), code);
    t.jcat = code;
    if (clearTest && clearsGeneration(code)) t.ruleFlag2 = 0;
  }
}

// Moves a past tense from the verb to the pattern when the pattern does not keep it inside.
char patternTense(CjTransferContext& c, int owner, int v) {
  if (!tenseStaysInside(c, owner) && c.targets[v].ten == 'B') {
    c.targets[v].ten = 'A';
    return 'B';
  }
  return 'A';
}

// Generates the verb's own form, then joins the suffix; ruleFlag2 stays 0 without a suffix.
void generateUnderPattern(CjTransferContext& c, int owner, int v, std::string_view suffix, bool reset) {
  ensureTranslation(c, v);
  generatePredicate(c, v);
  if (reset) resetModalities(c, v);
  c.targets[v].ruleFlag2 = 0;
  attachPatternSuffix(c, owner, v, suffix, true);
  if (!suffix.empty()) c.targets[v].ruleFlag2 = 1;
}

template <std::size_t N>
void prependBounded(FixedText<N>& field, std::string_view text) {
  if (field.size() + text.size() >= kPrefixTextLimit) return;
  std::string s = field.str();
  prependText(s, text);
  field = s;
}

// The "KYODO" rule: its engine in 'y', and a working suffix loses a leading "て".
void kyodoRule(std::string& t, std::string& work) {
  conjugateCopula('y', t, '2');
  if (work.compare(0, 2, "て") == 0) work.erase(0, 2);
}

}  // namespace

bool isPatternCandidate(const CjCandidate& q) { return q.code[0] == 'A' || q.code[0] == 'B'; }

void splitPatternText(std::string_view text, std::string& prefix, std::string& suffix) {
  const std::size_t at = findAtBoundary(text, "…");
  std::string_view before = at == std::string_view::npos ? text : text.substr(0, at);
  std::string_view after = at == std::string_view::npos ? std::string_view() : text.substr(at + 2);
  prefix.assign(before.substr(0, fitAtCharBoundary(before, kPatternPrefixSize - 1)));
  suffix.assign(after.substr(0, fitAtCharBoundary(after, kPatternSuffixSize - 1)));
}

void patternCategory(std::string_view patternCode, std::string& out) {
  static const std::pair<std::string_view, std::string_view> kTable[] = {
      {"KY", "KYOSI"}, {"KD", "KYODO"}, {"N0", "N0000"}, {"FU", "FUKU0"}, {"G0", "ZG000"}, {"G1", "ZG001"},
      {"G2", "ZG002"}, {"G3", "ZG003"}, {"I0", "ZI000"}, {"SH", "SHZ00"}, {"KH", "KHZ00"}, {"Q1", "Q1"},
      {"Q2", "Q2"},    {"NA", "NA"},    {"00", "00"},    {"DD", "DD"}};
  std::string_view pair = codePair(patternCode, 3);
  for (const auto& [from, to] : kTable) {
    if (pair == from) {
      out = to;
      return;
    }
  }
}

int tenseStaysInside(CjTransferContext& c, int p) {
  const CjNode* n = nodeAt(c, p);
  if (!n || c.targets[p].candidates.empty()) return 0;
  const CjCandidate& q = c.targets[p].candidates.front();
  if (oneOf(codePair(q.code.view(), 1), {"TI", "ZN", "TE"})) return 0;
  std::string_view chi = n->CHI.view();
  for (std::string_view key : {"dependentPatterns.tenseMovesA", "dependentPatterns.tenseMovesB",
                               "dependentPatterns.tenseMovesC"}) {
    if (isListedWord(key, chi)) return 0;
  }
  std::string_view text = q.text.view();
  if (textEndsWith(text, "なければならない")) return 0;
  for (std::string_view s : {"…ことができ", "…こともでき", "…ことはでき", "…ことしかでき", "…ことがどうしてでき"}) {
    if (containsAtBoundary(text, s)) return 0;
  }
  return 1;
}

void mergeModalities(CjTransferContext& c, int from, int to) {
  CjTargetNode* a = targetNode(c, from);
  CjTargetNode* b = targetNode(c, to);
  if (!a || !b || from < 1 || to < 1) return;
  if (b->asp == 0 || b->asp == 'A') b->asp = a->asp;
  if (b->ten == 0 || b->ten == 'A') b->ten = a->ten;
  if (a->neg == 1) {
    b->neg = b->neg == 1 ? 0 : 1;
  } else {
    b->neg = a->neg;
  }
  if (a->voi) b->voi = a->voi;
}

void copyModalities(CjTransferContext& c, int from, int to) {
  CjTargetNode* a = targetNode(c, from);
  CjTargetNode* b = targetNode(c, to);
  if (!a || !b || from < 1 || to < 1) return;
  b->asp = a->asp;
  b->ten = a->ten;
  b->neg = a->neg;
  b->voi = a->voi;
  b->neg1 = a->neg1;
  b->neng = a->neng;
  b->shiyi = a->shiyi;
  b->yuanyi = a->yuanyi;
  b->buding = a->buding;
  b->chuanwen = a->chuanwen;
  b->yangtai = a->yangtai;
  b->yinggai = a->yinggai;
}

void resetModalities(CjTransferContext& c, int node) {
  CjTargetNode* t = targetNode(c, node);
  if (!t || node < 1) return;
  t->neg = t->neg1 = t->voi = 0;
  clearFlags(*t);
  t->ten = 'A';
  t->asp = 'A';
}

int spanHasWord(CjTransferContext& c, char direction, int node, std::string_view word) {
  if (!nodeAt(c, node) || word.empty()) return 0;
  const CjSentence& s = *c.sentence;
  const int head = lexicalHead(s, node);
  const int first = leftmostWord(s, node);
  const int last = rightmostWord(s, node);
  if (head < 1 || first < 1 || last < 1) return 0;
  const int from = direction == 'f' ? head + 1 : first;
  const int to = direction == 'f' ? last : head - 1;
  for (int i = from; i <= to && i < kMaxNodes; ++i) {
    if (s.nodes[i].CHI.view() == word) return 1;
  }
  return 0;
}

void prependText(std::string& buffer, std::string_view text) {
  std::string joined(text);
  joined += buffer;
  buffer.assign(joined, 0, fitAtCharBoundary(joined, kPrependLimit - 1));
}

namespace {

// Seams where a verb text ending in ある meets a suffix: ある goes and the suffix becomes
// `becomes` (null: it stays).
struct AruSeam {
  std::string_view suffix;
  const char* becomes;
};
constexpr AruSeam kAruSeams[] = {
    {"なければならない", "なくてはならない"}, {"ない", nullptr}, {"ていない", "ない"}, {"てない", "ない"}};

// The seam between the verb's ending and the suffix, when one applies; it settles the form.
bool joinAtSeam(const CjCandidate& q, std::string& t, std::string& work) {
  if (textEndsWith(t, "ある")) {
    for (const AruSeam& s : kAruSeams) {
      if (work != s.suffix) continue;
      t.resize(t.size() - 4);
      if (s.becomes) work = s.becomes;
      return true;
    }
  }
  if (textEndsWith(q.text.view(), "なければならない") && textEndsWith(t, "ない")) {
    t += "ので";
    return true;
  }
  return false;
}

// One join of a verb text with a pattern's suffix: the text, the suffix, and what the word's code
// says of it.
struct SuffixJoin {
  std::string& t;
  std::string& work;
  std::string_view code;
  std::string_view kind;  // characters 2-3 of the pattern's code
  bool past;              // the verb is in the past tense
  bool doku, nominal, adjective, kyodo, verb, particle;
  char verbClass;

  void cutCopula() {
    if (textEndsWith(t, "だ")) dropLastChar(t);
  }
};

void joinN0(SuffixJoin& j) {
  std::string& t = j.t;
  if (j.doku) {
    if (!endsPast(t)) t += "の";
  } else if (j.past && endsPast(t)) {
  } else if (j.nominal) {
    t += "の";
  } else if (j.adjective) {
    conjugateIAdjective('t', t, '1');
  } else if (j.kyodo) {
    conjugateCopula('t', t, '1');
  } else if (j.verb) {
    conjugateStem('t', '1', t, j.verbClass);
  } else if (j.particle) {
    t += "の";
  }
}

// D1, KK and F2: a past text, and any text of a DOKU code, takes の after its past ending and
// nothing else; true when that settled the join.
bool joinPastWithNo(SuffixJoin& j) {
  if (j.past && endsPast(j.t)) {
    j.t += "の";
    return true;
  }
  if (!j.doku) return false;
  if (endsPast(j.t)) j.t += "の";
  return true;
}

void joinD1(SuffixJoin& j) {
  if (joinPastWithNo(j)) return;
  std::string& t = j.t;
  if (j.adjective || j.verb || j.particle) {
    t += "の";
  } else if (j.kyodo) {
    j.cutCopula();
  }
}

// NA, NG and NT.
void joinNaNgNt(SuffixJoin& j) {
  std::string& t = j.t;
  if (j.past && j.verb) {
    dropLastChar(t);
    t += "てい";
  } else if (j.past && (j.adjective || j.kyodo)) {
    t += "ので";
  } else if (j.doku) {
    if (j.kind == "NA") {
      t += endsPast(t) ? "ので" : "で";
    } else if (endsPast(t)) {
      dropLastChar(t);
      t += "ので";
    } else {
      t += "が";
    }
  } else if (j.nominal) {
    t += j.kind == "NA" ? "で" : "が";
  } else if (j.adjective) {
    conjugateIAdjective('y', t, '1');
  } else if (j.kyodo) {
    kyodoRule(t, j.work);
  } else if (j.verb) {
    if (j.kind == "NT") {
      verbTeForm(t, j.code);
    } else if (j.kind == "NA" && textEndsWith(t, "ある")) {
      t.resize(t.size() - 4);
    } else {
      conjugateStem('w', '1', t, j.verbClass);
    }
  }
}

void joinKK(SuffixJoin& j) {
  if (joinPastWithNo(j)) return;
  std::string& t = j.t;
  if (j.adjective) {
    t += "の";
  } else if (j.kyodo) {
    conjugateCopula('t', t, '1');
    t += "の";
  } else if (j.verb) {
    t += "の";
  }
}

void joinF0(SuffixJoin& j) {
  if (j.past && endsPast(j.t)) {
  } else if (j.adjective) {
  } else if (j.kyodo) {
    conjugateCopula('t', j.t, '1');
  }
}

void joinF2(SuffixJoin& j) {
  if (!joinPastWithNo(j) && j.kyodo) j.cutCopula();
}

void joinSZ(SuffixJoin& j) {
  std::string& t = j.t;
  if (j.past && endsPast(t)) {
  } else if (j.doku) {
    if (!endsPast(t)) t += "だ";
  } else if (j.nominal) {
    t += "だ";
  }
}

void joinZN(SuffixJoin& j) {
  if (j.verb) conjugateStem('t', '1', j.t, j.verbClass);
}

void joinTE(SuffixJoin& j) {
  std::string& t = j.t;
  if (j.adjective) {
    conjugateIAdjective('y', t, '1');
  } else if (j.kyodo) {
    kyodoRule(t, j.work);
  } else if (j.verbClass == '5') {
    // The te-form carries its own voicing ("書いて", "読んで"); the suffix then loses its "て".
    verbTeForm(t, j.code);
    if (j.work.compare(0, 2, "て") == 0) j.work.erase(0, 2);
  } else if (j.verb) {
    conjugateStem('y', '1', t, j.verbClass);
  }
}

void joinTN(SuffixJoin& j) {
  std::string& t = j.t;
  // A past text without its final た/だ goes on to the steps below.
  const bool endsTa = textEndsWith(t, "た"), endsDa = textEndsWith(t, "だ");
  if (j.doku || (j.past && (endsTa || endsDa))) {
    if (endsTa) {
      dropLastChar(t);
    } else if (endsDa) {
      dropLastChar(t);
      if (j.work == "て") j.work = "で";
    }
  } else if (j.nominal || j.adjective || j.kyodo) {
    std::string k(j.code);
    predicateTeForm(t, k);
    replaceSuffix(t, "なる", "なっ");
  } else if (j.verb) {
    verbTeForm(t, j.code);
    if (textEndsWith(t, "て")) {
      dropLastChar(t);
    } else if (textEndsWith(t, "で")) {
      dropLastChar(t);
      if (j.work == "て") j.work = "で";
    }
  }
}

void joinTI(SuffixJoin& j) {
  if (j.verb) conjugateStem('y', '1', j.t, j.verbClass);
}

// How the verb's text meets the suffix, by the kind of the pattern (characters 2-3 of its code).
struct KindJoin {
  std::string_view kind;
  void (*join)(SuffixJoin&);
};
constexpr KindJoin kKindJoins[] = {
    {"N0", joinN0}, {"D1", joinD1}, {"NA", joinNaNgNt}, {"NG", joinNaNgNt}, {"NT", joinNaNgNt}, {"KK", joinKK},
    {"F0", joinF0}, {"F2", joinF2}, {"SZ", joinSZ},     {"ZN", joinZN},     {"TE", joinTE},     {"TN", joinTN},
    {"TI", joinTI},
};

}  // namespace

int joinPatternSuffix(CjTransferContext& c, int o, int v, std::string& t, std::string_view code,
                      std::string_view suffixIn, bool append) {
  if (o < 1 || !targetNode(c, o) || c.targets[o].candidates.empty()) return 0;
  const CjCandidate& q = c.targets[o].candidates.front();
  std::string work(suffixIn);
  if (code == "GION0" || code == "GITAI") t += "という";
  if (!joinAtSeam(q, t, work)) {
    const char verbClass = verbClassOf(code);
    SuffixJoin j{t,
                 work,
                 code,
                 codePair(q.code.view(), 1),
                 v > 0 && c.targets[v].ten == 'B',
                 isDoku(code),
                 isNounCode(code),
                 isAdjectiveCode(code),
                 isNaAdjectiveCode(code),
                 verbClass != '*',
                 isParticleCode(code),
                 verbClass};
    for (const KindJoin& k : kKindJoins) {
      if (k.kind != j.kind) continue;
      k.join(j);
      break;
    }
  }
  if (append && t.size() + work.size() < kJoinedTextLimit) t += work;
  return 1;
}

int attachPatternSuffix(CjTransferContext& c, int owner, int verb, std::string_view suffix, bool append) {
  const int v = live(c, verb);
  if (v < 1) return 0;
  CjTargetNode& t = c.targets[v];
  int result = 0;
  if (!t.japanese.empty()) {
    std::string text = t.japanese.str();
    result = joinPatternSuffix(c, owner, v, text, t.jcat.view(), suffix, append);
    t.japanese = text;
    return result;
  }
  for (CjCandidate& cand : t.candidates) {
    std::string text = cand.text.str();
    result = joinPatternSuffix(c, owner, v, text, cand.code.view(), suffix, append);
    cand.text = text;
  }
  return result;
}

int generateAdverbialPattern(CjTransferContext& c, int d, int h) {
  RuleWatch watch(c, "dependentPatterns.generateAdverbialPattern");
  if (!nodeAt(c, d) || !nodeAt(c, h)) return 0;
  int hp = c.targets[h].alive ? h : c.targets[h].substitute;
  if (hp < 1) return 0;
  int v = live(c, followVaaChain(c, hp));
  ensureTranslation(c, d);
  CjTargetNode& dt = c.targets[d];
  if (dt.candidates.empty()) return 0;
  const std::string& should = listedWord(kDependentPatternsShouldWordKey);
  const std::string& comp = listedWord(kDependentPatternsShouldComplementKey);
  if (!should.empty() && nodeAt(c, d)->CHI.view() == should &&
      (hasLinkToWord(c, hp, "COMP", comp) || spanHasWord(c, 'f', h, comp)) &&
      containsAtBoundary(dt.candidates.front().text.view(), "べきだ") && dt.candidates.size() > 1) {
    dt.candidates.erase(dt.candidates.begin());
  }
  const CjCandidate q = dt.candidates.front();
  if (!isPatternCandidate(q)) {
    dt.vform = 'y';
    if (hasNegFeature(nodeAt(c, d))) {
      CjFeatures& f = nodeAt(c, d)->features;
      markNegation(c, f, hp);
      markNegation(c, f, lexicalHead(*c.sentence, hp));
      if (upperByte(f.NEG) == 'N') dt.neg = 1;
      if (upperByte(f.NEG2) == 'N') dt.neg1 = 1;
      clearNegation(f);
    }
    return 0;
  }
  std::string prefix, suffix;
  splitPatternText(q.text.view(), prefix, suffix);
  if (suffix == "だけ") {
    const int compDependent = findComp(c, hp);
    const CjNode* cn = nodeAt(c, compDependent);
    int to = cn && oneOf(cn->CAT.view(), {"U", "UG", "UP", "Ntl"}) ? compDependent : findObj1(c, hp);
    if (to > 0) {
      hp = to;
      v = live(c, followVaaChain(c, to));
    }
  }
  if (v < 1) return 0;
  CjTargetNode& vt = c.targets[v];
  const char savedForm = vt.vform;
  vt.vform = 'z';
  int prefixOwner = nodeAt(c, d)->CAT[0] == 'J' ? findFirstArgument(c, h) : findObj1(c, hp);
  if (prefixOwner < 1 && nodeAt(c, d)->CAT[0] != 'J') prefixOwner = hp;
  if (prefixOwner > 0) prependBounded(c.targets[prefixOwner].prefixText, prefix);
  const char tense = patternTense(c, d, v);
  generateUnderPattern(c, d, v, suffix, true);
  rewriteCategory(c, v, q, true);
  vt.neg = vt.neg1 = vt.voi = 0;
  clearFlags(vt);
  vt.ten = tense;
  vt.asp = 'A';
  if (hasNegFeature(nodeAt(c, d))) {
    markNegation(c, nodeAt(c, d)->features, v);
    clearNegation(nodeAt(c, d)->features);
  }
  vt.vform = savedForm;
  if (oneOf(codePair(q.code.view(), 3), {"00", "Q1", "Q2", "NA", "DD", "FU"})) vt.ten = 'A';
  dt.alive = 0;
  return 1;
}

int generateVerbalObject(CjTransferContext& c, int d, int h) {
  RuleWatch watch(c, "dependentPatterns.generateVerbalObject");
  const int hv = live(c, h);
  const int v = live(c, followVaaChain(c, d));
  CjNode* hn = nodeAt(c, hv);
  if (!hn || !nodeAt(c, d) || v < 1) return 0;
  const std::string& request = listedWord(kDependentPatternsRequestWordKey);
  if (!request.empty() && hn->CHI.view() == request) {
    CjTargetNode& dt = c.targets[d];
    std::string att = dt.att.str();
    if (dt.caseOpen == 0 && (textEndsWith(att, "を") || textEndsWith(att, "に") || textEndsWith(att, "が"))) {
      dropLastChar(att);
      dt.att = att;
    }
    dt.caseOpen = 0;
    attachTeEnding(c, live(c, d));
    if (findSub(c, hv) == 0 && hv == 1) {
      c.targets[1].japanese = "下さい";
      c.targets[1].ruleFlag2 = 0;
    } else {
      c.targets[hv].japanese = "もらう";
      c.targets[hv].jcat = "ZG001";
    }
    return 1;
  }
  ensureTranslation(c, hv);
  CjTargetNode& ht = c.targets[hv];
  if (ht.candidates.empty() || !isPatternCandidate(ht.candidates.front())) return 0;
  const CjCandidate q = ht.candidates.front();
  std::string prefix, suffix;
  splitPatternText(q.text.view(), prefix, suffix);
  const int object = findObj1(c, d);
  const int prefixOwner = hn->CAT[0] == 'J' || object == 0 ? d : object;
  c.targets[prefixOwner].prefixText.append(prefix);
  CjTargetNode& vt = c.targets[v];
  const char savedForm = vt.vform;
  vt.vform = 'z';
  const char tense = patternTense(c, hv, v);
  generateUnderPattern(c, hv, v, suffix, false);
  rewriteCategory(c, v, q, false);
  vt.neg = vt.voi = 0;
  clearFlags(vt);
  vt.ten = tense;
  vt.asp = 'A';
  vt.vform = savedForm == 'N' ? 'N' : ht.vform;
  mergeModalities(c, hv, v);
  ht.alive = 0;
  ht.substitute = static_cast<std::int16_t>(v);
  return 1;
}

int generateNominalObject(CjTransferContext& c, int d, int h) {
  const int hv = live(c, h);
  if (!nodeAt(c, hv) || !nodeAt(c, d)) return 0;
  ensureTranslation(c, hv);
  CjTargetNode& ht = c.targets[hv];
  if (ht.candidates.empty() || !isPatternCandidate(ht.candidates.front())) return 0;
  const CjCandidate q = ht.candidates.front();
  std::string prefix, suffix;
  splitPatternText(q.text.view(), prefix, suffix);
  attachPatternSuffix(c, hv, d, suffix, false);
  c.targets[d].prefixText = prefix;
  c.targets[d].caseOpen = 0;
  ht.japanese = suffix;
  std::string code = ht.jcat.str();
  patternCategory(q.code.view(), code);
  ht.jcat = code;
  if (clearsGeneration(codePair(q.code.view(), 3))) ht.ruleFlag2 = 0;
  return 1;
}

void generateAdverbial(CjTransferContext& c, int node, int governor) { generateAdverbialPattern(c, node, governor); }

}  // namespace cj
