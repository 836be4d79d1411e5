#include "engine/cj/analysis/reduplication.h"

#include <array>
#include <new>
#include <string>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

constinit ListedKey kL{"reduplication.L"};
constinit ListedKey kY{"reduplication.Y"};
constinit ListedKey kB{"reduplication.B"};
constinit ListedKey kS1{"reduplication.S1"};
constinit ListedKey kS2{"reduplication.S2"};
constinit ListedKey kT{"reduplication.T"};
constinit ListedKey kE{"reduplication.E"};
constinit ListedKey kZ1{"reduplication.Z1"};
constinit ListedKey kZ2{"reduplication.Z2"};
constinit ListedKey kQ1{"reduplication.Q1"};
constinit ListedKey kQ2{"reduplication.Q2"};
constinit ListedKey kD1{"reduplication.D1"};
constinit ListedKey kD2{"reduplication.D2"};
constinit ListedKey kA1{"reduplication.A1"};
constinit ListedKey kJ{"reduplication.J"};
constinit ListedKey kK{"reduplication.K"};
constinit ListedKey kW1{"reduplication.W1"};
constinit ListedKey kW2{"reduplication.W2"};
constinit ListedKey kP{"reduplication.P"};
constinit ListedKey kX1{"reduplication.X1"};
constinit ListedKey kX2{"reduplication.X2"};
constinit ListedKey kM1{"reduplication.M1"};
constinit ListedKey kM2{"reduplication.M2"};
constinit ListedKey kR1{"reduplication.R1"};
constinit ListedKey kR2{"reduplication.R2"};
constinit ListedKey kR3{"reduplication.R3"};
constinit ListedKey kR4{"reduplication.R4"};

const WordKeySpec kWordKeys[] = {
    {kL, 1, 1, 1},  {kY, 1, 1, 1},  {kB, 1, 1, 1},  {kS1, 1, 1, 1}, {kS2, 1, 1, 1}, {kT, 1, 1, 1},
    {kE, 9, 1, 1},  {kZ1, 1, 1, 1}, {kZ2, 1, 1, 1}, {kQ1, 1, 1, 1}, {kQ2, 1, 1, 1}, {kD1, 1, 1, 1},
    {kD2, 1, 1, 1}, {kA1, 1, 1, 1}, {kJ, 1, 1, 1},  {kK, 1, 1, 1},  {kW1, 1, 2, 2}, {kW2, 1, 2, 2},
    {kP, 1, 1, 1},  {kX1, 1, 1, 1}, {kX2, 1, 1, 1}, {kM1, 1, 2, 2}, {kM2, 1, 1, 1}, {kR1, 1, 1, 1},
    {kR2, 1, 1, 1}, {kR3, 1, 1, 1}, {kR4, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// The window w1..w5 of a pass (w[0] unused); 0 where the chain has ended.
using Window = std::array<int, 6>;

// What a pass found at one window.
struct Match {
  int last = 0;  // 0: nothing at this window
  const char* name = "";
  int rule = 0;
  int head = 0;    // 0: w1
  int source = 0;  // node whose features are copied; 0: none
  const char* cat = nullptr;  // nullptr: CAT not written
  bool cvalZero = false;
};

enum class Step { kNothing, kBuild, kEndPass };

struct Outcome {
  Step step = Step::kNothing;
  Match match;
};

Outcome nothing() { return {}; }
Outcome build(const Match& m) { return {Step::kBuild, m}; }
Outcome endPass() { return {Step::kEndPass, {}}; }

std::string_view text(const CjSentence& s, int i) { return nodeText(s, i); }
bool same(const CjSentence& s, int a, int b) { return isNodeIndex(s, a) && isNodeIndex(s, b) && text(s, a) == text(s, b); }
bool is(const CjSentence& s, int i, const ListedKey& key) { return isListedText(s, i, key); }
bool sameFirstChar(const CjSentence& s, int a, int b) {
  std::string_view ca = charOf(text(s, a), 0);
  return !ca.empty() && ca == charOf(text(s, b), 0);
}
bool containsListed(std::string_view t, const ListedKey& key) { return containsText(t, listedWord(key)); }

// CAT from w by V, A, F; nullptr when w has none of them.
const char* catByVAF(const CjSentence& s, int w) {
  if (hasCat(s, w, "V")) return "V";
  if (hasCat(s, w, "A")) return "A";
  if (hasCat(s, w, "F")) return "F";
  return nullptr;
}

int labelMatch(CjSentence& s, int w1, const Match& m) {
  int n = builtnewnode(s, w1, m.last);
  if (!n) return 0;
  CjNode& node = s.nodes[n];
  node.structureClass = '3';
  node.ruleNumber = m.rule;
  node.headChild = m.head ? m.head : w1;
  if (m.source) copyNodeFeature(s, n, m.source, "ALL");
  node.REPF = m.name;
  if (m.cat) node.CAT = m.cat;
  if (m.cvalZero) node.features.C_VAL = "0";
  return n;
}

// The walk every pass shares. needs: how many window nodes must exist; skipAfter: how many nodes
// after a new node the scan goes on from.
template <class Decide>
void runPass(CjSentence& s, int needs, int skipAfter, Decide decide) {
  int w1 = s.firstTop;
  for (int steps = 0; w1 != 0 && steps < 2 * kMaxNodes; ++steps) {
    Window w{};
    w[1] = isNodeIndex(s, w1) ? w1 : 0;
    for (int k = 2; k <= 5; ++k) w[k] = w[k - 1] ? nextNode(s, w[k - 1]) : 0;
    for (int k = 1; k <= needs; ++k) {
      if (!w[k]) return;
    }
    Outcome o = decide(w);
    if (o.step == Step::kEndPass) return;
    if (o.step == Step::kNothing) {
      w1 = nextNode(s, w1);
      continue;
    }
    int n = labelMatch(s, w1, o.match);
    if (!n) return;
    w1 = n;
    for (int k = 0; k < skipAfter && w1; ++k) w1 = nextNode(s, w1);
  }
}

// The common tests: the first words nodes are words and w1 begins with a Chinese character.
bool commonWords(const CjSentence& s, const Window& w, int words) {
  for (int k = 1; k <= words; ++k) {
    if (!isWordAt(s, w[k])) return false;
  }
  return isChineseAt(s, w[1]);
}

Match repeat(const char* name, int last, int rule, const char* cat, int source, bool cvalZero = false,
             int head = 0) {
  Match m;
  m.last = last;
  m.name = name;
  m.rule = rule;
  m.cat = cat;
  m.source = source;
  m.cvalZero = cvalZero;
  m.head = head;
  return m;
}

// AAA's closing test: the suffix word decides the span and the category.
Match suffixTest(const CjSentence& s, int w1, int spanLast, int suffix) {
  if (is(s, suffix, kS1)) return repeat("AAA", suffix, 14, "F", w1);
  if (is(s, suffix, kS2)) return repeat("AAA", suffix, 14, "A", w1);
  return repeat("AAA", spanLast, 14, hasCat(s, w1, "H") ? "H" : nullptr, w1);
}

}  // namespace

void mergeAABB(CjSentence& s) {
  runPass(s, 3, 2, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 3)) return nothing();
    auto aabb = [&](int last, const char* cat) { return build(repeat("AABB", last, 4, cat, w[1])); };
    std::string_view t1 = text(s, w[1]), t2 = text(s, w[2]), t3 = text(s, w[3]);
    if (hasChars(s, w[1], 1)) {
      if (hasChars(s, w[2], 2) && hasChars(s, w[3], 1)) {
        bool joins = std::string(t1) + std::string(t3) == t2;
        if ((hasCat(s, w[2], "A") || hasCat(s, w[2], "V") || hasCat(s, w[2], "F")) && joins)
          return aabb(w[3], catByVAF(s, w[2]));
        return nothing();
      }
      // The doubled pair completed by w3's first character, w3 ending in a suffix character.
      if (hasChars(s, w[2], 2) && hasChars(s, w[3], 2)) {
        bool joins = std::string(t1) + std::string(charOf(t3, 0)) == t2;
        std::string_view tail = charOf(t3, 1);
        bool suffix = tail == listedWord(kS1) || tail == listedWord(kS2);
        if (joins && suffix && catByVAF(s, w[2])) return aabb(w[3], catByVAF(s, w[2]));
      }
      if (same(s, w[1], w[2]) && isReduplicatedWord(t3)) return aabb(w[3], catByVAF(s, w[2]));
      if (!isWordAt(s, w[4])) return nothing();
      if (same(s, w[1], w[2]) && same(s, w[3], w[4])) return aabb(w[4], catByVAF(s, w[2]));
      if (same(s, w[1], w[2]) && sameFirstChar(s, w[3], w[4])) return aabb(w[3], catByVAF(s, w[2]));
      return nothing();
    }
    if (hasChars(s, w[1], 2) && isReduplicatedWord(t1)) {
      std::string joined = std::string(charOf(t1, 0)) + std::string(charOf(t2, 0));
      if (isDictionaryWord(*s.engine, joined) && hasChars(s, w[2], 2) && isReduplicatedWord(t2) &&
          s.nodes[w[2]].CAT == s.nodes[w[3]].CAT.view()) {
        const char* cat = catByVAF(s, w[2]);
        if (!cat && hasCat(s, w[2], "N")) cat = "N";
        return aabb(w[2], cat);
      }
      if (hasChars(s, w[2], 1) && beginsWith(t3, t2)) return aabb(w[3], catByVAF(s, w[2]));
    }
    return nothing();
  });
}

void mergeAAB(CjSentence& s) {
  runPass(s, 2, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 2)) return nothing();
    if (!hasChars(s, w[1], 1) || !hasChars(s, w[2], 2) || !beginsWith(text(s, w[2]), text(s, w[1]))) return nothing();
    for (const char* cat : {"V", "A", "F"}) {
      if (hasCat(s, w[1], cat) && hasCat(s, w[2], cat)) return build(repeat("AAB", w[2], 2, cat, w[1]));
    }
    return nothing();
  });
}

void mergeABB(CjSentence& s) {
  runPass(s, 2, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 2)) return nothing();
    std::string_view t1 = text(s, w[1]), t2 = text(s, w[2]), t3 = text(s, w[3]);
    bool w2Nominal = hasCat(s, w[2], "S") || hasCat(s, w[2], "N");
    bool excluded = containsListed(t2, kY);
    for (const std::string& e : listedWords(kE)) excluded = excluded || containsText(t2, e);
    if (is(s, w[1], kY) && w2Nominal && !excluded) {
      if (hasChars(s, w[2], 2)) {
        return isReduplicatedWord(t2) ? build(repeat("ABB", w[2], 5, "S", w[1])) : nothing();
      }
      if (!hasChars(s, w[2], 1) || !w[3]) return nothing();
      if (hasCat(s, w[3], "S") || hasCat(s, w[3], "N")) {
        return same(s, w[3], w[2]) ? build(repeat("ABB", w[3], 5, "S", w[1])) : nothing();
      }
      if (beginsWith(t3, t2) && (containsListed(t3, kS1) || containsListed(t3, kS2)))
        return build(repeat("ABB", w[3], 5, "F", w[1]));
      return nothing();
    }
    const std::string& y = listedWord(kY);
    bool w1FromY = hasChars(s, w[1], 2) && beginsWith(t1, y);
    if (hasChars(s, w[2], 1) && w1FromY && w2Nominal && containsText(t1, t2))
      return build(repeat("ABB", w[2], 5, "S", w[1], false, w[2]));
    if (hasChars(s, w[2], 2) && w1FromY && charOf(t1, 1) == charOf(t2, 0) && containsListed(t2, kS1))
      return build(repeat("ABB", w[2], 5, "F", w[1], false, w[2]));
    return nothing();
  });
}

void mergeAAA(CjSentence& s) {
  runPass(s, 2, 1, [&](const Window& w) -> Outcome {
    if (hasCat(s, w[1], "U") || !commonWords(s, w, 2)) return nothing();
    std::string_view t1 = text(s, w[1]), t2 = text(s, w[2]);
    if (hasChars(s, w[1], 1)) {
      if (hasChars(s, w[2], 2) && isReduplicatedWord(t2)) {
        return containsText(t2, t1) ? build(suffixTest(s, w[1], w[2], w[3])) : nothing();
      }
      if (hasChars(s, w[2], 1) && isWordAt(s, w[3]) && same(s, w[2], w[1]) && same(s, w[3], w[1]))
        return build(suffixTest(s, w[1], w[3], w[4]));
      return nothing();
    }
    if (hasChars(s, w[2], 1) && hasChars(s, w[1], 2) && isReduplicatedWord(t1) && containsText(t1, t2))
      return build(suffixTest(s, w[1], w[2], w[3]));
    return nothing();
  });
}

void mergeAA(CjSentence& s) {
  runPass(s, 2, 1, [&](const Window& w) -> Outcome {
    if (hasCat(s, w[1], "U") || !commonWords(s, w, 2) || hasCat(s, w[1], "R") || !same(s, w[1], w[2]))
      return nothing();
    if (is(s, w[3], kS1)) return build(repeat("AA", w[3], 1, "F", w[1]));
    if (beginsWith(text(s, w[3]), listedWord(kS2))) return build(repeat("AA", w[2], 1, "NA", w[1]));
    const char* cat = hasCat(s, w[1], "V") ? "V" : hasCat(s, w[1], "A") ? "AN" : hasCat(s, w[1], "N") ? "N" : nullptr;
    return build(repeat("AA", w[2], 1, cat, w[1]));
  });
}

void mergeALYA(CjSentence& s) {
  runPass(s, 4, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 4)) return nothing();
    if (same(s, w[1], w[4]) && hasCat(s, w[1], "V") && is(s, w[2], kL) && (is(s, w[3], kY) || is(s, w[3], kT)))
      return build(repeat("ALYA", w[4], 8, "V", w[1], true));
    return nothing();
  });
}

void mergeZAYA(CjSentence& s) {
  struct Frame {
    const ListedKey* first;
    const ListedKey* third;
    const char* name;
    int rule;
  };
  static const Frame kFrames[] = {
      {&kZ1, &kZ2, "ZAYA", 9}, {&kQ1, &kQ2, "QAHA", 9}, {&kD1, &kD2, "DAXA", 9}, {&kA1, &kB, "AABA", 18}};
  runPass(s, 4, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 4) || !same(s, w[2], w[4]) || !hasCat(s, w[2], "V")) return nothing();
    for (const Frame& f : kFrames) {
      if (is(s, w[1], *f.first) && is(s, w[3], *f.third)) return build(repeat(f.name, w[4], f.rule, "V", w[1], true));
    }
    return nothing();
  });
}

void mergeALAQ(CjSentence& s) {
  runPass(s, 4, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 4)) return nothing();
    auto alaq = [&](int last) { return build(repeat("ALAQ", last, 11, "V", w[1], true)); };
    std::string_view t1 = text(s, w[1]), t2 = text(s, w[2]), t3 = text(s, w[3]);
    const std::string& j = listedWord(kJ);
    const std::string& k = listedWord(kK);
    if (same(s, w[1], w[3]) && hasCat(s, w[3], "V")) {
      if ((is(s, w[2], kJ) && is(s, w[4], kK)) || (is(s, w[2], kW1) && is(s, w[4], kW2))) return alaq(w[4]);
      return nothing();
    }
    if (hasChars(s, w[1], 2) && hasCat(s, w[1], "V") && !j.empty() && charOf(t1, 1) == j && charOf(t1, 0) == t2 &&
        hasCat(s, w[2], "V") && is(s, w[3], kK))
      return alaq(w[3]);
    if (hasChars(s, w[3], 2) && hasCat(s, w[1], "V") && !k.empty() && charOf(t3, 1) == k && charOf(t3, 0) == t1 &&
        hasCat(s, w[2], "V") && is(s, w[2], kJ))
      return alaq(w[3]);
    if (hasChars(s, w[1], 2) && hasChars(s, w[2], 2) && sameFirstChar(s, w[1], w[2]) && hasCat(s, w[1], "V") &&
        hasCat(s, w[2], "V") && !j.empty() && charOf(t1, 1) == j && charOf(t2, 1) == k)
      return alaq(w[2]);
    return nothing();
  });
}

void mergeAQBL(CjSentence& s) {
  runPass(s, 4, 1, [&](const Window& w) -> Outcome {
    if (hasCat(s, w[1], "V") && is(s, w[2], kP) && is(s, w[4], kJ)) return build(repeat("AQBL", w[4], 12, "V", w[1], true));
    return nothing();
  });
}

void mergeYAYA(CjSentence& s) {
  runPass(s, 4, 1, [&](const Window& w) -> Outcome {
    if (!isChineseAt(s, w[1])) return endPass();
    if (!commonWords(s, w, 4)) return nothing();
    bool frame = is(s, w[1], kY) && is(s, w[3], kY);
    bool bothS = hasCat(s, w[2], "S") && hasCat(s, w[4], "S");
    bool bothN = hasCat(s, w[2], "N") && hasCat(s, w[4], "N");
    if ((bothS || bothN) && frame && is(s, w[5], kS1)) return build(repeat("YAYA", w[5], 21, "F", 0, true));
    std::string_view t4 = text(s, w[4]);
    if (hasChars(s, w[4], 2) && sameFirstChar(s, w[4], w[2]) && containsListed(t4, kS1) && frame &&
        (hasCat(s, w[2], "N") || hasCat(s, w[2], "S")))
      return build(repeat("YAYA", w[4], 21, "F", 0, true));
    return nothing();
  });
}

void mergeYAYB(CjSentence& s) {
  static const std::pair<const ListedKey*, const ListedKey*> kPairs[] = {{&kR1, &kT}, {&kT, &kT}, {&kR2, &kR2}, {&kB, &kB},
                                                                         {&kR3, &kR3}, {&kR4, &kR4}, {&kY, &kY}};
  runPass(s, 4, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 4)) return nothing();
    if (hasCat(s, w[2], "S") && hasCat(s, w[4], "S") && is(s, w[1], kY) && is(s, w[3], kY) &&
        text(s, w[2]).size() == text(s, w[4]).size())
      return build(repeat("YAYB", w[4], 19, "F", w[2], true, w[4]));
    bool framed = false;
    for (const auto& [first, third] : kPairs) framed = framed || (is(s, w[1], *first) && is(s, w[3], *third));
    if (!framed) return nothing();
    for (const char* cat : {"V", "A", "F"}) {
      if (hasCat(s, w[2], cat) && hasCat(s, w[4], cat)) return build(repeat("YAYB", w[4], 17, cat, w[2], true, w[2]));
    }
    return nothing();
  });
}

void mergeALAB(CjSentence& s) {
  runPass(s, 3, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 3)) return nothing();
    bool w1VA = hasCat(s, w[1], "V") || hasCat(s, w[1], "A");
    bool w3VA = hasCat(s, w[3], "V") || hasCat(s, w[3], "A");
    if (!w1VA || !hasChars(s, w[1], 1) || !beginsWith(text(s, w[3]), text(s, w[1])) || !hasChars(s, w[3], 2) || !w3VA)
      return nothing();
    if (is(s, w[2], kL)) return build(repeat("ALAB", w[3], 6, "V", w[1], true));
    if (is(s, w[2], kY)) return build(repeat("AYAB", w[3], 6, nullptr, w[1], true));
    if (is(s, w[2], kB)) return build(repeat("ABAB", w[3], 7, nullptr, w[1]));
    return nothing();
  });
}

void mergeALA(CjSentence& s) {
  runPass(s, 3, 1, [&](const Window& w) -> Outcome {
    if (!commonWords(s, w, 3)) return nothing();
    std::string_view t1 = text(s, w[1]), t2 = text(s, w[2]);
    auto ala = [&](int last, std::string_view infix, std::array<int, 3> rules, int head) -> Outcome {
      if (!infix.empty() && infix == listedWord(kL)) return build(repeat("ALA", last, rules[0], "V", w[1], false, head));
      if (!infix.empty() && infix == listedWord(kY)) return build(repeat("AYA", last, rules[1], "V", w[1], false, head));
      if (!infix.empty() && infix == listedWord(kB)) return build(repeat("ABA", last, rules[2], "V", w[1], false, head));
      return nothing();
    };
    bool tryB = true;
    if (same(s, w[1], w[3]) && (hasCat(s, w[1], "A") || hasCat(s, w[1], "V") || hasCat(s, w[1], "G"))) {
      Outcome o = ala(w[3], t2, {3, 3, 7}, w[1]);
      if (o.step == Step::kBuild) return o;
      tryB = false;
    }
    if (tryB && hasChars(s, w[1], 1) && hasChars(s, w[2], 2) && (hasCat(s, w[1], "A") || hasCat(s, w[1], "V")) &&
        charOf(t2, 1) == t1) {
      Outcome o = ala(w[2], charOf(t2, 0), {3, 3, 7}, w[1]);
      if (o.step == Step::kBuild) return o;
    }
    if (hasChars(s, w[1], 2) && hasChars(s, w[2], 1) && (hasCat(s, w[2], "A") || hasCat(s, w[2], "V")) &&
        charOf(t1, 0) == t2)
      return ala(w[2], charOf(t1, 1), {34, 34, 33}, w[2]);
    return nothing();
  });
}

void mergeALB(CjSentence& s) {
  runPass(s, 3, 1, [&](const Window& w) -> Outcome {
    if (is(s, w[1], kX1) || is(s, w[1], kX2) || !hasChars(s, w[1], 1) || !hasCat(s, w[1], "V")) return nothing();
    bool w3Infix = is(s, w[3], kY) || is(s, w[3], kM1) || is(s, w[3], kM2);
    bool w2Infix = is(s, w[2], kL) || is(s, w[2], kY) || is(s, w[2], kM1) || is(s, w[2], kM2);
    int last = 0;
    if (hasChars(s, w[4], 1) && is(s, w[2], kL) && w3Infix) last = w[4];
    else if (hasChars(s, w[3], 1) && w2Infix) last = w[3];
    if (!last) return nothing();
    std::string candidate = std::string(text(s, w[1])) + std::string(text(s, last));
    CjNode* record = new (std::nothrow) CjNode;
    if (!record) return endPass();
    bool verb = loadWordRecord(*s.engine, candidate, record) != 0 && hasSenseLetter(*record, "V");
    freeWordRecord(record);
    if (verb) return build(repeat("ALB", last, 13, "V", w[1]));
    return nothing();
  });
}

}  // namespace cj
