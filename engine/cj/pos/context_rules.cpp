// The context rule sets: short patterns over neighbouring nodes that settle several nodes at once.
// Each set is a table of small rules tried in order; the first that applies ends X's turn.
#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/role_assignment.h"
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"
#include "engine/common/rule_tally.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace cj {

using namespace pos;
using namespace pos::keys;

namespace {

// X and the nodes around it, read once before any rule writes: N1 .. N5 follow X, P precedes it.
struct Window {
  int x, n1, n2, n3, n4, n5, p;
  bool first;  // X is the chain's first node
};

Window windowAt(const CjSentence& s, int x) {
  Window w{};
  w.x = x;
  w.n1 = nextNode(s, x);
  w.n2 = nextNode(s, w.n1);
  w.n3 = nextNode(s, w.n2);
  w.n4 = nextNode(s, w.n3);
  w.n5 = nextNode(s, w.n4);
  w.p = prevNode(s, x);
  w.first = x == s.firstTop;
  return w;
}

// The categories of every node, for the rule counts: a rule may write any node near X.
std::vector<std::string> chainCategories(const CjSentence& s) {
  std::vector<std::string> out;
  const int count = s.nodeCount < kMaxNodes ? s.nodeCount : kMaxNodes - 1;
  out.reserve(static_cast<std::size_t>(count) + 1);
  for (int k = 0; k <= count; ++k) out.emplace_back(s.nodes[k].CAT.view());
  return out;
}

// What a main rule answers: it did not apply, it applied (the walk goes on with X's next node),
// or a node index after which the walk resumes.
constexpr int kNoMatch = -2;
constexpr int kNormal = -1;

bool is9or11(const CjSentence& s, int k) { return is(s, k, kLw9) || is(s, k, kLw11); }
bool len(const CjSentence& s, int k, int bytes) { return isNodeIndex(s, k) && chiLength(s, k) == bytes; }
bool missingOrP(const CjSentence& s, int k) { return k == 0 || has(s, k, "P"); }
bool hasAF(const CjSentence& s, int k) { return has(s, k, "AF") || has(s, k, "FA"); }
bool hasVN(const CjSentence& s, int k) { return has(s, k, "VN") || has(s, k, "NV"); }
bool nounZAJI(const CjSentence& s, int k) {
  return has(s, k, "N") && (ms(s, k, "Z") || ms(s, k, "A") || ms(s, k, "J") || ms(s, k, "I"));
}
bool isOneOf16To27(const CjSentence& s, int k) {
  return isIn(s, k, {kLw16, kLw17, kLw18, kLw19, kLw20, kLw21, kLw22, kLw23, kLw24, kLw25, kLw26, kLw27});
}
// Verb code "0" on the head and none of "1", "H", "E".
bool headIntransitive(const CjSentence& s, int k) {
  return headHasVerbCVal(s, k, "0") && !headHasVerbCVal(s, k, "1") && !headHasVerbCVal(s, k, "H") &&
         !headHasVerbCVal(s, k, "E");
}
// N2 can close a measure phrase.
bool closesMeasure(const CjSentence& s, int k) { return prefA(s, k) || noun(s, k) || is9or11(s, k); }
void settleMeasureTail(CjSentence& s, int k) {
  if (prefA(s, k)) {
    setCat(s, k, "A");
  } else if (!is9or11(s, k)) {
    setCat(s, k, "N");
  }
}
// The words that join two verbs or two nouns.
bool isJoiner(const CjSentence& s, int k) { return isIn(s, k, {kLw1052, kLw1054, kLw1142}); }
bool isVerbJoiner(const CjSentence& s, int k) { return isIn(s, k, {kLw1052, kLw1012, kLw1142, kLw1080, kLw1157}); }

// ---- Main rules ----

int evenNounAfterLinker(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && has(s, w.n1, "N") && chiLength(s, w.n1) % 4 == 0 &&
        (has(s, w.n2, "F") || has(s, w.n2, "G") || (has(s, w.n2, "V") && (is(s, w.n3, kLw12) || is(s, w.n3, kLw14))))))
    return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int twoCharVerbBeforeList1IsNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && len(s, w.x, 4) && inListOf(s, w.n1, kWl1))) return kNoMatch;
  setCat(s, w.x, "N");
  return kNormal;
}

int twoCharNounAfterLeader(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x,
             {kLw53, kLw54, kLw127, kLw128, kLw1018, kLw120, kLw1109, kLw121, kLw1110, kLw1111, kLw119, kLw1112,
              kLw1113}) &&
        has(s, w.n1, "N") && len(s, w.n1, 4) &&
        (w.n2 == 0 || hasAny(s, w.n2, {"P", "I", "L", "F", "G", "V"}) || is(s, w.n2, kLw9))))
    return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int twoCharNounAfterLongLeader(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw1114, kLw1115, kLw52, kLw1116}) && has(s, w.n1, "N") && len(s, w.n1, 4))) return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

bool isLw91Like(const CjSentence& s, int k) { return is(s, k, kLw91) || is(s, k, kLw1117); }

int closingTwoCharVerbAfterLw91IsNoun(CjSentence& s, const Window& w) {
  if (!(isLw91Like(s, w.x) && has(s, w.n1, "V") && len(s, w.n1, 4) && missingOrP(s, w.n2))) return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int closingTwoCharVerbAfterLw91AndNounIsNoun(CjSentence& s, const Window& w) {
  if (!(isLw91Like(s, w.x) && has(s, w.n1, "N") && has(s, w.n2, "V") && len(s, w.n2, 4) && missingOrP(s, w.n3)))
    return kNoMatch;
  setCat(s, w.n2, "N");
  return kNormal;
}

int verbBeforeFConjunction(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && has(s, w.n1, "C") && ms(s, w.n1, "F"))) return kNoMatch;
  setCat(s, w.x, "V");
  return kNormal;
}

int openingVerbBeforeGIsNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && w.first && !cval(s, w.x, "H") && !cval(s, w.x, "E") && has(s, w.n1, "G")))
    return kNoMatch;
  setCat(s, w.x, "N");
  return kNormal;
}

int lw2BetweenPredicatesIsE(CjSentence& s, const Window& w) {
  if (!((has(s, w.x, "A") || has(s, w.x, "V")) && is(s, w.n1, kLw2) && hasAny(s, w.n2, {"F", "A", "V"})))
    return kNoMatch;
  setCat(s, w.n1, "E");
  return kNormal;
}

int lw2AfterNominalIsGOrV(CjSentence& s, const Window& w) {
  if (!(hasAny(s, w.x, {"R", "N", "U", "C"}) && is(s, w.n1, kLw2))) return kNoMatch;
  setCat(s, w.n1, has(s, w.n2, "F") || has(s, w.n2, "V") ? "G" : "V");
  return kNormal;
}

int openingLw2BeforeVerbIsG(CjSentence& s, const Window& w) {
  if (!(is(s, w.x, kLw2) && w.first && (has(s, w.n1, "F") || has(s, w.n1, "V")))) return kNoMatch;
  setCat(s, w.x, "G");
  return kNormal;
}

int openingLw2BeforeNominalIsV(CjSentence& s, const Window& w) {
  if (!(is(s, w.x, kLw2) && w.first && hasAny(s, w.n1, {"N", "R", "U", "C", "A"}))) return kNoMatch;
  setCat(s, w.x, "V");
  return kNormal;
}

int numeralClassifierPhrase(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "U") && has(s, w.n1, "S") && closesMeasure(s, w.n2))) return kNoMatch;
  setCat(s, w.x, "U");
  setCat(s, w.n1, "S");
  settleMeasureTail(s, w.n2);
  return kNormal;
}

int listedWordClassifierPhrase(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw152, kLw36, kLw1013, kLw53, kLw54, kLw55, kLw1109, kLw120, kLw121}) && has(s, w.n1, "S") &&
        closesMeasure(s, w.n2)))
    return kNoMatch;
  setCat(s, w.n1, "S");
  settleMeasureTail(s, w.n2);
  return kNormal;
}

int joinedNounsAfterPreposition(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "I") && !has(s, w.x, "V") && has(s, w.n1, "N") && (is(s, w.n2, kLw1052) || is(s, w.n2, kLw1054)) &&
        has(s, w.n3, "N") && missingOrP(s, w.n4)))
    return kNoMatch;
  setCat(s, w.x, "I");
  setCat(s, w.n1, "N");
  setCat(s, w.n2, "J");
  setCat(s, w.n3, "N");
  return kNormal;
}

int list2WordBeforeEndIsA(CjSentence& s, const Window& w) {
  if (!(inListOf(s, w.x, kWl2) &&
        (w.n1 == 0 || has(s, w.n1, "P") || isIn(s, w.n1, {kLw9, kLw11, kLw1118, kLw1119, kLw1120, kLw1121}))))
    return kNoMatch;
  setCat(s, w.x, "A");
  return kNormal;
}

int adverbVerbAndListedComplement(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw238, kLw149, kLw1122}) && has(s, w.n1, "V") &&
        isIn(s, w.n2, {kLw230, kLw239, kLw1123, kLw238})))
    return kNoMatch;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "V");
  setCat(s, w.n2, "I");
  return kNormal;
}

int predicateBeforeBoundaryIsNoun(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw9, kLw11, kLw12}) && rb(s, w.n2))) return kNoMatch;
  if (!isListedHeadWord(s, w.n1) && !isListedVerbHead(s, w.n1) && !is(s, w.n1, kLw1124) && !is(s, w.n1, kLw1125) &&
      (has(s, w.n1, "V") || has(s, w.n1, "A")))
    setCat(s, w.n1, "N");
  return kNormal;
}

int adverbVerbAfterLinkerAreAN(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && has(s, w.n1, "F") && has(s, w.n2, "V") && missingOrP(s, w.n3))) return kNoMatch;
  setCat(s, w.n1, "A");
  setCat(s, w.n2, "N");
  return kNormal;
}

int adjectiveBeforeLinkerIsA(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw1126, kLw1127, kLw87, kLw150}) && has(s, w.n1, "A") && is9or11(s, w.n2))) return kNoMatch;
  setCat(s, w.n1, "A");
  return kNormal;
}

int closingVerbAfterLw1128IsNoun(CjSentence& s, const Window& w) {
  if (!((is(s, w.x, kLw1128) || is(s, w.x, kLw1129)) && has(s, w.n1, "V") && missingOrP(s, w.n2))) return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int gBeforeVerb(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "G") && has(s, w.n1, "V") && !has(s, w.n1, "I"))) return kNoMatch;
  setCat(s, w.x, "G");
  setCat(s, w.n1, "V");
  return kNormal;
}

int gBeforeClosingAdjective(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "G") && has(s, w.n1, "A") && missingOrP(s, w.n2))) return kNoMatch;
  setCat(s, w.x, "G");
  return kNormal;
}

int objectOfTransitiveVerbIsNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && cval(s, w.x, "1") && has(s, w.n1, "N") && (has(s, w.n2, "P") || is(s, w.n2, kLw9))))
    return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

// Applies whenever X or N2 is a numeral (or X a listed one); the rules after it never see X.
int list5WordAroundNumeralIsU(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw1130, kLw1131, kLw1132}) || has(s, w.x, "U") || has(s, w.n2, "U"))) return kNoMatch;
  if (inListOf(s, w.n1, kWl5)) setCat(s, w.n1, "U");
  return kNormal;
}

int degreeWordBeforeClosingAdjective(CjSentence& s, const Window& w) {
  if (!((has(s, w.x, "G") || has(s, w.x, "F")) &&
        isIn(s, w.n1, {kLw5, kLw3, kLw166, kLw6, kLw1133, kLw1134, kLw7, kLw8}) && has(s, w.n2, "A") &&
        has(s, w.n3, "P")))
    return kNoMatch;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "F");
  setCat(s, w.n2, "A");
  return kNormal;
}

int twoAdverbsBeforeClosingVerb(CjSentence& s, const Window& w) {
  if (!((isIn(s, w.x, {kLw149, kLw68}) || has(s, w.x, "F")) && has(s, w.n1, "F") && has(s, w.n2, "V") &&
        has(s, w.n3, "P")))
    return kNoMatch;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "F");
  setCat(s, w.n2, "V");
  return kNormal;
}

int gAdverbBeforeClosingVerb(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "G") && has(s, w.n1, "F") && has(s, w.n2, "V") && has(s, w.n3, "P"))) return kNoMatch;
  setCat(s, w.x, "G");
  setCat(s, w.n1, "F");
  setCat(s, w.n2, "V");
  return kNormal;
}

int adjectiveBeforeListedWordIsA(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "A") && !has(s, w.x, "V") && isIn(s, w.n1, {kLw52, kLw1116, kLw101, kLw1010}))) return kNoMatch;
  setCat(s, w.x, "A");
  return kNormal;
}

int verbBeforeLw225IsNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && !is(s, w.x, kLw1032) && !is(s, w.x, kLw1056) && is(s, w.n1, kLw225))) return kNoMatch;
  setCat(s, w.x, "N");
  return kNormal;
}

int intransitiveVerbBeforeLw1IsF(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && headIntransitive(s, w.x) && is(s, w.n1, kLw1))) return kNoMatch;
  setCat(s, w.x, "F");
  return kNormal;
}

int twoCharIntransitiveVerbBeforeNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && len(s, w.x, 4) && headIntransitive(s, w.x) && has(s, w.n1, "N"))) return kNoMatch;
  if (hasNounSense(s, w.x)) setCat(s, w.x, "N");
  return kNormal;
}

int adjectiveAfterDegreeWord(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw5, kLw7, kLw3, kLw166}) && has(s, w.n1, "A"))) return kNoMatch;
  setCat(s, w.n1, "A");
  return kNormal;
}

int verbAfterPrepositionBeforeIOrLIsNoun(CjSentence& s, const Window& w) {
  if (!(exactly(s, w.x, "I") && has(s, w.n1, "V") && (has(s, w.n2, "I") || has(s, w.n2, "L")))) return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int modifierBeforeNounIsNoun(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw1135, kLw1136, kLw1137, kLw1138, kLw1139}) && has(s, w.n2, "N"))) return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int closingVerbAfterVerbIsNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && ms(s, w.x, "1") && has(s, w.n1, "V") && has(s, w.n2, "P"))) return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int oneCharClassifierAfterVerb(CjSentence& s, const Window& w) {
  if (!(!is(s, w.n1, kLw73) && ((has(s, w.x, "V") && len(s, w.x, 2)) || is(s, w.x, kLw12)) &&
        !is(s, w.n1, kLw1057) && has(s, w.n1, "S") && len(s, w.n1, 2) && (has(s, w.n2, "A") || has(s, w.n2, "N"))))
    return kNoMatch;
  setCat(s, w.n1, "S");
  return kNormal;
}

int twoCharVerbAndList6WordAreNouns(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && !ms(s, w.x, "K") && len(s, w.x, 4) && inListOf(s, w.n1, kWl6))) return kNoMatch;
  if (!(is(s, w.n1, kLw1141) && prevVerbWord(s, w.x) == 0 && verbAfter(s, w.x) == 0)) {
    setCat(s, w.x, "N");
    setCat(s, w.n1, "N");
  }
  return kNormal;
}

int adjectiveNounAfterLinkerOrVerb(CjSentence& s, const Window& w) {
  if (!((isIn(s, w.x, {kLw9, kLw11, kLw12}) || (has(s, w.x, "V") && ms(s, w.x, "1"))) && hasAF(s, w.n1) &&
        hasVN(s, w.n2) && has(s, w.n3, "P")))
    return kNoMatch;
  setCat(s, w.n1, "A");
  setCat(s, w.n2, "N");
  return w.n3;
}

int adverbVerbBeforeLw12(CjSentence& s, const Window& w) {
  if (!(hasAF(s, w.x) && hasVN(s, w.n1) && isIn(s, w.n2, {kLw12, kLw13, kLw14}))) return kNoMatch;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "V");
  return w.n1;
}

int verbBeforeLw9LeftAlone(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && is(s, w.n1, kLw9) && has(s, w.n3, "P"))) return kNoMatch;
  return kNormal;
}

int closingNounAfterLinker(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && has(s, w.n1, "N") && has(s, w.n2, "P"))) return kNoMatch;
  setCat(s, w.n1, "N");
  return w.n2;
}

int intransitiveVerbAndList3WordAreNouns(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && cval(s, w.x, "0") && !cval(s, w.x, "1") && !cval(s, w.x, "E") && !cval(s, w.x, "H") &&
        !cval(s, w.x, "2") && !cval(s, w.x, "3") && len(s, w.x, 4) && inListOf(s, w.n1, kWl3) && has(s, w.x, "N")))
    return kNoMatch;
  setCat(s, w.x, "N");
  setCat(s, w.n1, "N");
  return w.n1;
}

int nounAfterLw11(CjSentence& s, const Window& w) {
  if (!(is(s, w.x, kLw11) && has(s, w.n1, "N"))) return kNoMatch;
  setCat(s, w.n1, "N");
  return w.n1;
}

int twoVerbsBeforeJoinedNounAreNouns(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && has(s, w.n1, "V") && has(s, w.n2, "V") && has(s, w.n3, "J") && has(s, w.n4, "N") &&
        has(s, w.n5, "P")))
    return kNoMatch;
  setCat(s, w.n1, "N");
  setCat(s, w.n2, "N");
  return w.n5;
}

int verbBeforeJoinedNounIsNoun(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && has(s, w.n1, "V") && has(s, w.n2, "J") && has(s, w.n3, "N") && has(s, w.n3, "P")))
    return kNoMatch;
  setCat(s, w.n1, "N");
  return w.n4;
}

int adjectiveNounAfterAdverb(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "F") && hasAF(s, w.n1) && hasVN(s, w.n2) && has(s, w.n3, "P"))) return kNoMatch;
  setCat(s, w.n1, "A");
  setCat(s, w.n2, "N");
  return w.n3;
}

int closingVerbAfterJoinerIsNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "N") && isIn(s, w.n1, {kLw1052, kLw1142, kLw1054}) && has(s, w.n2, "V") && has(s, w.n3, "P")))
    return kNoMatch;
  setCat(s, w.n2, "N");
  return w.n3;
}

int listedWordBeforeVerbIsG(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw1030, kLw110, kLw248, kLw1143, kLw1144}) && has(s, w.n1, "V"))) return kNoMatch;
  setCat(s, w.x, "G");
  setCat(s, w.n1, "V");
  return w.n1;
}

int verbNumeralClassifier(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && has(s, w.n1, "U") && has(s, w.n2, "S") && ms(s, w.n2, "F"))) return kNoMatch;
  setCat(s, w.x, "V");
  setCat(s, w.n1, "U");
  setCat(s, w.n2, "S");
  return w.n2;
}

int verbBeforeAspectAndList4Word(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && isIn(s, w.n1, {kLw68, kLw2, kLw12}) && inListOf(s, w.n2, kWl4))) return kNoMatch;
  setCat(s, w.x, "V");
  return w.n2;
}

int verbBeforeList4Word(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && !has(s, w.x, "G") && !has(s, w.x, "F") && inListOf(s, w.n1, kWl4))) return kNoMatch;
  setCat(s, w.x, "V");
  return kNormal;
}

int clauseOpeningVerbBeforeLw12IsV(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && isIn(s, w.n1, {kLw12, kLw13, kLw2}))) return kNoMatch;
  if (missingOrP(s, w.p)) setCat(s, w.x, "V");
  return kNormal;
}

int nounVerbAfterLw1145IsNoun(CjSentence& s, const Window& w) {
  if (!(is(s, w.x, kLw1145) && has(s, w.n1, "V") && has(s, w.n1, "N"))) return kNoMatch;
  setCat(s, w.n1, "N");
  return kNormal;
}

int nounVerbBeforeLocaliserIsNoun(CjSentence& s, const Window& w) {
  if (!(is(s, w.x, kLw90) && has(s, w.n1, "V") && has(s, w.n1, "N") && has(s, w.n2, "L"))) return kNoMatch;
  setCat(s, w.n1, "N");
  return w.n1;
}

int lw1019BeforeNounIsR(CjSentence& s, const Window& w) {
  if (!(!hasAny(s, w.x, {"R", "U", "UG"}) && is(s, w.n1, kLw1019) && has(s, w.n2, "N"))) return kNoMatch;
  setCat(s, w.n1, "R");
  return w.n1;
}

bool isGV(const CjSentence& s, int k) { return s.nodes[k].CAT == "GV" || s.nodes[k].CAT == "VG"; }

// Every X that is not "GV" or "VG" ends its turn here.
int wordsAfterLw12OrLw1032(CjSentence& s, const Window& w) {
  if (isGV(s, w.x)) return kNoMatch;
  if (is(s, w.x, kLw12) && has(s, w.n1, "N") && !is(s, w.n2, kLw90)) {
    setCat(s, w.n1, "N");
  } else if (is(s, w.x, kLw12) && has(s, w.n1, "A") && has(s, w.n2, "N")) {
    setCat(s, w.n1, "A");
    setCat(s, w.n2, "N");
  } else if (is(s, w.x, kLw12) && has(s, w.n1, "N") && has(s, w.n2, "N")) {
    setCat(s, w.n1, "N");
    setCat(s, w.n2, "N");
  } else if (is(s, w.x, kLw1032) && is(s, w.n1, kLw225)) {
    setCat(s, w.x, "E");
    setCat(s, w.n1, "N");
  }
  return kNormal;
}

int gvByWhatFollows(CjSentence& s, const Window& w) {
  if (has(s, w.n1, "V")) {
    setCat(s, w.x, "G");
  } else if ((has(s, w.n1, "F") || (has(s, w.n1, "N") && ms(s, w.n1, "I"))) && has(s, w.n2, "V")) {
    setCat(s, w.x, "G");
  } else if (missingOrP(s, w.n1)) {
    setCat(s, w.x, "V");
  } else if (!is(s, w.x, kLw2)) {
    setCat(s, w.x, "V");
  } else if (verbAfter(s, w.x)) {
    setCat(s, w.x, hasAny(s, w.n1, {"N", "S", "U", "R", "A"}) ? "V" : "G");
  } else {
    setCat(s, w.x, "V");
  }
  return kNormal;
}

using MainRule = int (*)(CjSentence& s, const Window& w);
struct NamedMainRule {
  MainRule rule;
  const char* name;
};
constexpr NamedMainRule kMainRules[] = {
    {evenNounAfterLinker, "posContext.evenNounAfterLinker"},
    {twoCharVerbBeforeList1IsNoun, "posContext.twoCharVerbBeforeList1IsNoun"},
    {twoCharNounAfterLeader, "posContext.twoCharNounAfterLeader"},
    {twoCharNounAfterLongLeader, "posContext.twoCharNounAfterLongLeader"},
    {closingTwoCharVerbAfterLw91IsNoun, "posContext.closingTwoCharVerbAfterLw91IsNoun"},
    {closingTwoCharVerbAfterLw91AndNounIsNoun, "posContext.closingTwoCharVerbAfterLw91AndNounIsNoun"},
    {verbBeforeFConjunction, "posContext.verbBeforeFConjunction"},
    {openingVerbBeforeGIsNoun, "posContext.openingVerbBeforeGIsNoun"},
    {lw2BetweenPredicatesIsE, "posContext.lw2BetweenPredicatesIsE"},
    {lw2AfterNominalIsGOrV, "posContext.lw2AfterNominalIsGOrV"},
    {openingLw2BeforeVerbIsG, "posContext.openingLw2BeforeVerbIsG"},
    {openingLw2BeforeNominalIsV, "posContext.openingLw2BeforeNominalIsV"},
    {numeralClassifierPhrase, "posContext.numeralClassifierPhrase"},
    {listedWordClassifierPhrase, "posContext.listedWordClassifierPhrase"},
    {joinedNounsAfterPreposition, "posContext.joinedNounsAfterPreposition"},
    {list2WordBeforeEndIsA, "posContext.list2WordBeforeEndIsA"},
    {adverbVerbAndListedComplement, "posContext.adverbVerbAndListedComplement"},
    {predicateBeforeBoundaryIsNoun, "posContext.predicateBeforeBoundaryIsNoun"},
    {adverbVerbAfterLinkerAreAN, "posContext.adverbVerbAfterLinkerAreAN"},
    {adjectiveBeforeLinkerIsA, "posContext.adjectiveBeforeLinkerIsA"},
    {closingVerbAfterLw1128IsNoun, "posContext.closingVerbAfterLw1128IsNoun"},
    {gBeforeVerb, "posContext.gBeforeVerb"},
    {gBeforeClosingAdjective, "posContext.gBeforeClosingAdjective"},
    {objectOfTransitiveVerbIsNoun, "posContext.objectOfTransitiveVerbIsNoun"},
    {list5WordAroundNumeralIsU, "posContext.list5WordAroundNumeralIsU"},
    {degreeWordBeforeClosingAdjective, "posContext.degreeWordBeforeClosingAdjective"},
    {twoAdverbsBeforeClosingVerb, "posContext.twoAdverbsBeforeClosingVerb"},
    {gAdverbBeforeClosingVerb, "posContext.gAdverbBeforeClosingVerb"},
    {adjectiveBeforeListedWordIsA, "posContext.adjectiveBeforeListedWordIsA"},
    {verbBeforeLw225IsNoun, "posContext.verbBeforeLw225IsNoun"},
    {intransitiveVerbBeforeLw1IsF, "posContext.intransitiveVerbBeforeLw1IsF"},
    {twoCharIntransitiveVerbBeforeNoun, "posContext.twoCharIntransitiveVerbBeforeNoun"},
    {adjectiveAfterDegreeWord, "posContext.adjectiveAfterDegreeWord"},
    {verbAfterPrepositionBeforeIOrLIsNoun, "posContext.verbAfterPrepositionBeforeIOrLIsNoun"},
    {modifierBeforeNounIsNoun, "posContext.modifierBeforeNounIsNoun"},
    {closingVerbAfterVerbIsNoun, "posContext.closingVerbAfterVerbIsNoun"},
    {oneCharClassifierAfterVerb, "posContext.oneCharClassifierAfterVerb"},
    {twoCharVerbAndList6WordAreNouns, "posContext.twoCharVerbAndList6WordAreNouns"},
    {adjectiveNounAfterLinkerOrVerb, "posContext.adjectiveNounAfterLinkerOrVerb"},
    {adverbVerbBeforeLw12, "posContext.adverbVerbBeforeLw12"},
    {verbBeforeLw9LeftAlone, "posContext.verbBeforeLw9LeftAlone"},
    {closingNounAfterLinker, "posContext.closingNounAfterLinker"},
    {intransitiveVerbAndList3WordAreNouns, "posContext.intransitiveVerbAndList3WordAreNouns"},
    {nounAfterLw11, "posContext.nounAfterLw11"},
    {twoVerbsBeforeJoinedNounAreNouns, "posContext.twoVerbsBeforeJoinedNounAreNouns"},
    {verbBeforeJoinedNounIsNoun, "posContext.verbBeforeJoinedNounIsNoun"},
    {adjectiveNounAfterAdverb, "posContext.adjectiveNounAfterAdverb"},
    {closingVerbAfterJoinerIsNoun, "posContext.closingVerbAfterJoinerIsNoun"},
    {listedWordBeforeVerbIsG, "posContext.listedWordBeforeVerbIsG"},
    {verbNumeralClassifier, "posContext.verbNumeralClassifier"},
    {verbBeforeAspectAndList4Word, "posContext.verbBeforeAspectAndList4Word"},
    {verbBeforeList4Word, "posContext.verbBeforeList4Word"},
    {clauseOpeningVerbBeforeLw12IsV, "posContext.clauseOpeningVerbBeforeLw12IsV"},
    {nounVerbAfterLw1145IsNoun, "posContext.nounVerbAfterLw1145IsNoun"},
    {nounVerbBeforeLocaliserIsNoun, "posContext.nounVerbBeforeLocaliserIsNoun"},
    {lw1019BeforeNounIsR, "posContext.lw1019BeforeNounIsR"},
    {wordsAfterLw12OrLw1032, "posContext.wordsAfterLw12OrLw1032"},
    {gvByWhatFollows, "posContext.gvByWhatFollows"},
};

// The main rules at x; the node after which the walk resumes, or kNormal.
int applyMainRules(CjSentence& s, int x) {
  const Window w = windowAt(s, x);
  if (!ruletally::on()) {
    for (const NamedMainRule& rule : kMainRules) {
      const int result = rule.rule(s, w);
      if (result != kNoMatch) return result;
    }
    return kNormal;
  }
  const std::vector<std::string> before = chainCategories(s);
  for (const NamedMainRule& rule : kMainRules) {
    const int result = rule.rule(s, w);
    if (result != kNoMatch) {
      ruletally::noteIf(chainCategories(s) != before, rule.name);
      return result;
    }
  }
  return kNormal;
}

// ---- Leading rules ----

bool nounBeforeBoundaryAfterLinker(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && hasAny(s, w.n1, {"C", "A", "U"}) && has(s, w.n2, "N") && rb(s, w.n3))) return false;
  setCat(s, w.n2, "N");
  return true;
}

bool degreeWordBeforeAdjective(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw5, kLw7, kLw3, kLw1146, kLw1134, kLw6, kLw166}) && has(s, w.n1, "A"))) return false;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "A");
  return true;
}

bool afVnAfterLinkerAreAN(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && letters(s, w.n1, "AF") && letters(s, w.n2, "VN") &&
        (has(s, w.n3, "I") || has(s, w.n3, "DP") || is9or11(s, w.n3) || rb(s, w.n3))))
    return false;
  setCat(s, w.n1, "A");
  setCat(s, w.n2, "N");
  return true;
}

bool afVnAtLeftBoundaryAreFV(CjSentence& s, const Window& w) {
  if (!(lb(s, w.x) && letters(s, w.x, "AF") && letters(s, w.n1, "VN"))) return false;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "V");
  return true;
}

bool afVnAfterNominalAreFV(CjSentence& s, const Window& w) {
  if (!((has(s, w.x, "R") || has(s, w.x, "N")) && letters(s, w.n1, "AF") && letters(s, w.n2, "VN"))) return false;
  setCat(s, w.n1, "F");
  setCat(s, w.n2, "V");
  return true;
}

bool afVnBeforeNominalAreFV(CjSentence& s, const Window& w) {
  if (!(letters(s, w.x, "AF") && letters(s, w.n1, "VN") && hasAny(s, w.n2, {"R", "N", "U"}))) return false;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "V");
  return true;
}

// Takes X out of the chain.
bool linkerBeforeLocaliserLeaves(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && isIn(s, w.n1,
                                {kLw203, kLw205, kLw1147, kLw1148, kLw1149, kLw1150, kLw1151, kLw1152, kLw1153,
                                 kLw1154})))
    return false;
  unlinkNode(s, w.x);
  setCat(s, w.n1, "L");
  return true;
}

bool fgvBeforeNounIsV(CjSentence& s, const Window& w) {
  if (!(letters(s, w.x, "FGV") && letters(s, w.n1, "N"))) return false;
  setCat(s, w.x, "V");
  return true;
}

bool nounAfterVerbEndingInLw12(CjSentence& s, const Window& w) {
  if (!(exactly(s, w.x, "V") && endsIn(s, w.x, kLw12) && has(s, w.n1, "N") && rb(s, w.n2))) return false;
  setCat(s, w.n1, "N");
  return true;
}

bool nounAfterVerbAndLw12(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && is(s, w.n1, kLw12) && has(s, w.n2, "N") && rb(s, w.n3))) return false;
  setCat(s, w.n2, "N");
  return true;
}

bool adverbBeforeLw92(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "F") && is(s, w.n1, kLw92))) return false;
  setCat(s, w.x, "F");
  return true;
}

bool gBeforeLw92(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "G") && is(s, w.n1, kLw92))) return false;
  setCat(s, w.x, "G");
  return true;
}

bool adjectivesAroundLw1155(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "A") && is(s, w.n1, kLw1155) && has(s, w.n2, "A") && is9or11(s, w.n3))) return false;
  setCat(s, w.x, "A");
  setCat(s, w.n2, "A");
  return true;
}

bool nounAndLw1156BeforeLw9(CjSentence& s, const Window& w) {
  if (!(letters(s, w.x, "N") && is(s, w.n1, kLw1156) && is(s, w.n2, kLw9))) return false;
  setCat(s, w.x, "N");
  setCat(s, w.n1, "N");
  return true;
}

bool nounJoinedToNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "N") && isIn(s, w.n1, {kLw1052, kLw1142, kLw1080, kLw1157}) && letters(s, w.n2, "N")))
    return false;
  setCat(s, w.x, "N");
  setCat(s, w.n1, "J");
  return true;
}

bool joinedVerbsBeforeAspect(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "V") && isVerbJoiner(s, w.n1) && has(s, w.n2, "V") &&
        isIn(s, w.n3, {kLw14, kLw13, kLw12, kLw2})))
    return false;
  setCat(s, w.x, "V");
  setCat(s, w.n1, "J");
  setCat(s, w.n2, "V");
  return true;
}

bool joinedVerbsAfterAdverb(CjSentence& s, const Window& w) {
  if (!((has(s, w.x, "F") || has(s, w.x, "G")) && has(s, w.n1, "V") && isVerbJoiner(s, w.n2) && has(s, w.n3, "V")))
    return false;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "V");
  setCat(s, w.n2, "J");
  setCat(s, w.n3, "V");
  return true;
}

bool fvnBeforePredicateIsF(CjSentence& s, const Window& w) {
  if (!(letters(s, w.x, "FVN") && hasAny(s, w.n1, {"I", "DP", "V"}))) return false;
  setCat(s, w.x, "F");
  return true;
}

bool gvBeforePredicateIsG(CjSentence& s, const Window& w) {
  if (!(letters(s, w.x, "GV") && hasAny(s, w.n1, {"I", "DP", "V"}))) return false;
  setCat(s, w.x, "G");
  return true;
}

bool gaByWhatFollows(CjSentence& s, const Window& w) {
  if (!letters(s, w.x, "GA")) return false;
  setCat(s, w.x, !is(s, w.n1, kLw9) && !rb(s, w.n1) ? "G" : "A");
  return true;
}

bool faBeforePredicateIsF(CjSentence& s, const Window& w) {
  if (!(letters(s, w.x, "FA") && (has(s, w.n1, "I") || has(s, w.n1, "DP") || letters(s, w.n1, "V")))) return false;
  setCat(s, w.x, "F");
  return true;
}

bool faBeforeNounIsA(CjSentence& s, const Window& w) {
  if (!(letters(s, w.x, "FA") && letters(s, w.n1, "N"))) return false;
  setCat(s, w.x, "A");
  return true;
}

bool numeralClassifierBeforeNoun(CjSentence& s, const Window& w) {
  if (!(hasU(s, w.x) && has(s, w.n1, "S") && has(s, w.n2, "N"))) return false;
  if (has(s, w.x, "U")) setCat(s, w.x, "U");
  setCat(s, w.n1, "S");
  return true;
}

// X and the nodes after it each hold the category of the run: then each is fixed to it.
bool fixCategoryRun(CjSentence& s, const Window& w, std::initializer_list<const char*> run) {
  const int nodes[] = {w.x, w.n1, w.n2, w.n3, w.n4, w.n5};
  std::size_t i = 0;
  for (const char* cat : run) {
    if (!has(s, nodes[i++], cat)) return false;
  }
  i = 0;
  for (const char* cat : run) setCat(s, nodes[i++], cat);
  return true;
}

bool adverbGAdverbVerb(CjSentence& s, const Window& w) { return fixCategoryRun(s, w, {"F", "G", "F", "V"}); }

bool adverbGVerb(CjSentence& s, const Window& w) { return fixCategoryRun(s, w, {"F", "G", "V"}); }

bool gAdverbAdverbVerb(CjSentence& s, const Window& w) { return fixCategoryRun(s, w, {"G", "F", "F", "V"}); }

bool gAdverbVerb(CjSentence& s, const Window& w) { return fixCategoryRun(s, w, {"G", "F", "V"}); }

bool lw167ClassifierNoun(CjSentence& s, const Window& w) {
  if (!(is(s, w.x, kLw167) && has(s, w.n1, "S") && has(s, w.n2, "N"))) return false;
  setCat(s, w.x, "R");
  setCat(s, w.n1, "S");
  return true;
}

bool adverbBeforePlainVerb(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "F") && !has(s, w.x, "A") && !has(s, w.x, "I") && has(s, w.n1, "V") &&
        !hasAny(s, w.n1, {"I", "N", "A", "F"})))
    return false;
  setCat(s, w.x, "F");
  setCat(s, w.n1, "V");
  return true;
}

bool leadingGBeforeVerb(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "G") && has(s, w.n1, "V") && !has(s, w.n1, "I"))) return false;
  setCat(s, w.x, "G");
  setCat(s, w.n1, "V");
  return true;
}

bool transitiveVerbBeforeObject(CjSentence& s, const Window& w) {
  if (!(!is(s, w.x, kLw9) && !has(s, w.n1, "J") && !has(s, w.n1, "I") && has(s, w.n1, "V") && cval(s, w.n1, "1") &&
        (has(s, w.n2, "R") || nounZAJI(s, w.n2))))
    return false;
  setCat(s, w.n1, "V");
  return true;
}

bool openingTransitiveVerbBeforeObject(CjSentence& s, const Window& w) {
  if (!(lb(s, w.x) && !has(s, w.x, "I") && !has(s, w.x, "J") && has(s, w.x, "V") && cval(s, w.x, "1") &&
        (has(s, w.n1, "R") || nounZAJI(s, w.n1))))
    return false;
  if (!isOneOf16To27(s, w.x)) setCat(s, w.x, "V");
  return true;
}

bool verbAfterSubjectNoun(CjSentence& s, const Window& w) {
  if (!(nounZAJI(s, w.x) && has(s, w.n1, "V") && !hasAny(s, w.n1, {"F", "I", "J"}) &&
        hasAny(s, w.n2, {"N", "R", "A", "S", "U"})))
    return false;
  setCat(s, w.n1, "V");
  return true;
}

bool openingVerbBeforeObject(CjSentence& s, const Window& w) {
  if (!(lb(s, w.x) && !has(s, w.x, "I") && !has(s, w.x, "J") && has(s, w.x, "V") && !cval(s, w.x, "0") &&
        (has(s, w.n1, "R") || (has(s, w.n1, "N") && (ms(s, w.n1, "Z") || ms(s, w.n1, "A"))))))
    return false;
  if (!isOneOf16To27(s, w.x)) setCat(s, w.x, "V");
  return true;
}

bool plainNounAfterAdjectiveOrLinker(CjSentence& s, const Window& w) {
  if (!((exactly(s, w.x, "A") || is9or11(s, w.x)) && has(s, w.n1, "N") && !has(s, w.n1, "V"))) return false;
  setCat(s, w.n1, "N");
  return true;
}

bool lw1158BeforeLongNoun(CjSentence& s, const Window& w) {
  if (!(is(s, w.x, kLw1158) && has(s, w.n1, "N") && !len(s, w.n1, 2) && !has(s, w.n2, "N"))) return false;
  setCat(s, w.x, "R");
  setCat(s, w.n1, "N");
  return true;
}

bool classifierAfterListedWord(CjSentence& s, const Window& w) {
  if (!(isIn(s, w.x, {kLw167, kLw53, kLw54, kLw120, kLw121}) && has(s, w.n1, "S"))) return false;
  setCat(s, w.n1, "S");
  return true;
}

bool isFC(const CjSentence& s, int k) { return has(s, k, "F") && has(s, k, "C"); }

bool fcBeforeLinkerIsC(CjSentence& s, const Window& w) {
  if (!(isFC(s, w.x) && is9or11(s, w.n1))) return false;
  setCat(s, w.x, "C");
  return true;
}

bool fcBeforePlainNounIsC(CjSentence& s, const Window& w) {
  if (!(isFC(s, w.x) && has(s, w.n1, "N") && !has(s, w.n1, "V"))) return false;
  setCat(s, w.x, "C");
  setCat(s, w.n1, "N");
  return true;
}

bool fcBeforeTransitiveNounIsC(CjSentence& s, const Window& w) {
  if (!(isFC(s, w.x) && has(s, w.n1, "N") && has(s, w.n1, "V") && !cval(s, w.n1, "0"))) return false;
  setCat(s, w.x, "C");
  setCat(s, w.n1, "N");
  return true;
}

bool fcBeforeAdjectiveAndLinkerIsC(CjSentence& s, const Window& w) {
  if (!(isFC(s, w.x) && has(s, w.n1, "A") && is9or11(s, w.n2))) return false;
  setCat(s, w.x, "C");
  setCat(s, w.n1, "A");
  return true;
}

bool conjunctionBeforeAdjectiveNoun(CjSentence& s, const Window& w) {
  if (!(has(s, w.x, "C") && has(s, w.n1, "A") && (has(s, w.n2, "N") || (is(s, w.n2, kLw9) && has(s, w.n3, "N")))))
    return false;
  setCat(s, w.x, "C");
  setCat(s, w.n1, "A");
  return true;
}

bool classifierBeforeLetterN(CjSentence& s, const Window& w) {
  if (!((has(s, w.x, "U") || has(s, w.x, "R")) && has(s, w.n1, "S") && isText(s, w.n2, "N"))) return false;
  setCat(s, w.n1, "S");
  setCat(s, w.n2, "N");
  return true;
}

bool joinedVerbsAfterAdverbOutsideLinker(CjSentence& s, const Window& w) {
  if (!((has(s, w.x, "G") || has(s, w.x, "F")) && has(s, w.n1, "V") && isJoiner(s, w.n2) && has(s, w.n3, "V")))
    return false;
  if (!is9or11(s, w.p)) {
    setCat(s, w.n1, "V");
    setCat(s, w.n2, "J");
    setCat(s, w.n3, "V");
  }
  return true;
}

bool joinedNounsAfterLinker(CjSentence& s, const Window& w) {
  if (!(is9or11(s, w.x) && has(s, w.n1, "N") && isIn(s, w.n2, {kLw1052, kLw1142, kLw1054}) && has(s, w.n3, "N")))
    return false;
  setCat(s, w.n1, "N");
  setCat(s, w.n2, "J");
  setCat(s, w.n3, "N");
  return true;
}

bool openingVerbBeforePrepositionIsV(CjSentence& s, const Window& w) {
  if (!((has(s, w.x, "G") || has(s, w.x, "V")) && (has(s, w.n1, "I") || has(s, w.n1, "DP")))) return false;
  if (lb(s, w.x)) setCat(s, w.x, "V");
  return true;
}

bool twoCharVerbBeforeLocaliserIsNoun(CjSentence& s, const Window& w) {
  if (!has(s, w.x, "V")) return false;
  if (!has(s, w.n1, "L") &&
      !isIn(s, w.n1, {kLw1159, kLw1160, kLw204, kLw206, kLw203, kLw1161, kLw214, kLw211, kLw210, kLw213, kLw1154}))
    return false;
  const bool keepAll = (w.p != 0 && !has(s, w.p, "P") && !has(s, w.p, "I") && !is(s, w.p, kLw12)) ||
                       isListedHeadWord(s, w.x) || isListedVerbHead(s, w.x) || chiLength(s, w.x) % 4 != 0 ||
                       !inListOf(s, w.n1, kWl7);
  if (!keepAll) setCat(s, w.x, "N");
  return true;
}

using LeadingRule = bool (*)(CjSentence& s, const Window& w);
struct NamedLeadingRule {
  LeadingRule rule;
  const char* name;
};
constexpr NamedLeadingRule kLeadingRules[] = {
    {nounBeforeBoundaryAfterLinker, "posContext.nounBeforeBoundaryAfterLinker"},
    {degreeWordBeforeAdjective, "posContext.degreeWordBeforeAdjective"},
    {afVnAfterLinkerAreAN, "posContext.afVnAfterLinkerAreAN"},
    {afVnAtLeftBoundaryAreFV, "posContext.afVnAtLeftBoundaryAreFV"},
    {afVnAfterNominalAreFV, "posContext.afVnAfterNominalAreFV"},
    {afVnBeforeNominalAreFV, "posContext.afVnBeforeNominalAreFV"},
    {linkerBeforeLocaliserLeaves, "posContext.linkerBeforeLocaliserLeaves"},
    {fgvBeforeNounIsV, "posContext.fgvBeforeNounIsV"},
    {nounAfterVerbEndingInLw12, "posContext.nounAfterVerbEndingInLw12"},
    {nounAfterVerbAndLw12, "posContext.nounAfterVerbAndLw12"},
    {adverbBeforeLw92, "posContext.adverbBeforeLw92"},
    {gBeforeLw92, "posContext.gBeforeLw92"},
    {adjectivesAroundLw1155, "posContext.adjectivesAroundLw1155"},
    {nounAndLw1156BeforeLw9, "posContext.nounAndLw1156BeforeLw9"},
    {nounJoinedToNoun, "posContext.nounJoinedToNoun"},
    {joinedVerbsBeforeAspect, "posContext.joinedVerbsBeforeAspect"},
    {joinedVerbsAfterAdverb, "posContext.joinedVerbsAfterAdverb"},
    {fvnBeforePredicateIsF, "posContext.fvnBeforePredicateIsF"},
    {gvBeforePredicateIsG, "posContext.gvBeforePredicateIsG"},
    {gaByWhatFollows, "posContext.gaByWhatFollows"},
    {faBeforePredicateIsF, "posContext.faBeforePredicateIsF"},
    {faBeforeNounIsA, "posContext.faBeforeNounIsA"},
    {numeralClassifierBeforeNoun, "posContext.numeralClassifierBeforeNoun"},
    {adverbGAdverbVerb, "posContext.adverbGAdverbVerb"},
    {adverbGVerb, "posContext.adverbGVerb"},
    {gAdverbAdverbVerb, "posContext.gAdverbAdverbVerb"},
    {gAdverbVerb, "posContext.gAdverbVerb"},
    {lw167ClassifierNoun, "posContext.lw167ClassifierNoun"},
    {adverbBeforePlainVerb, "posContext.adverbBeforePlainVerb"},
    {leadingGBeforeVerb, "posContext.leadingGBeforeVerb"},
    {transitiveVerbBeforeObject, "posContext.transitiveVerbBeforeObject"},
    {openingTransitiveVerbBeforeObject, "posContext.openingTransitiveVerbBeforeObject"},
    {verbAfterSubjectNoun, "posContext.verbAfterSubjectNoun"},
    {openingVerbBeforeObject, "posContext.openingVerbBeforeObject"},
    {plainNounAfterAdjectiveOrLinker, "posContext.plainNounAfterAdjectiveOrLinker"},
    {lw1158BeforeLongNoun, "posContext.lw1158BeforeLongNoun"},
    {classifierAfterListedWord, "posContext.classifierAfterListedWord"},
    {fcBeforeLinkerIsC, "posContext.fcBeforeLinkerIsC"},
    {fcBeforePlainNounIsC, "posContext.fcBeforePlainNounIsC"},
    {fcBeforeTransitiveNounIsC, "posContext.fcBeforeTransitiveNounIsC"},
    {fcBeforeAdjectiveAndLinkerIsC, "posContext.fcBeforeAdjectiveAndLinkerIsC"},
    {conjunctionBeforeAdjectiveNoun, "posContext.conjunctionBeforeAdjectiveNoun"},
    {classifierBeforeLetterN, "posContext.classifierBeforeLetterN"},
    {joinedVerbsAfterAdverbOutsideLinker, "posContext.joinedVerbsAfterAdverbOutsideLinker"},
    {joinedNounsAfterLinker, "posContext.joinedNounsAfterLinker"},
    {openingVerbBeforePrepositionIsV, "posContext.openingVerbBeforePrepositionIsV"},
    {twoCharVerbBeforeLocaliserIsNoun, "posContext.twoCharVerbBeforeLocaliserIsNoun"},
};

}  // namespace

bool applyLeadingContextRules(CjSentence& s, int x) {
  if (!isNodeIndex(s, x)) return false;
  const Window w = windowAt(s, x);
  if (!ruletally::on()) {
    for (const NamedLeadingRule& rule : kLeadingRules) {
      if (rule.rule(s, w)) return true;
    }
    return false;
  }
  const std::vector<std::string> before = chainCategories(s);
  for (const NamedLeadingRule& rule : kLeadingRules) {
    if (rule.rule(s, w)) {
      ruletally::noteIf(chainCategories(s) != before, rule.name);
      return true;
    }
  }
  return false;
}

void declareContextRules() {
  for (const NamedMainRule& rule : kMainRules) ruletally::declare(rule.name);
  for (const NamedLeadingRule& rule : kLeadingRules) ruletally::declare(rule.name);
}

void applyContextRules(CjSentence& s) {
  const int f = s.firstTop;
  if (has(s, f, "L")) {
    if (has(s, f, "N")) {
      setCat(s, f, "N");
    } else if (has(s, f, "F") || !has(s, f, "V")) {
      setCat(s, f, "F");
    }
  }
  int x = s.firstTop;
  for (int steps = 0; x != 0 && steps < kMaxNodes; ++steps) {
    if (applyLeadingContextRules(s, x)) {
      // A leading rule that took x out of the chain ends the walk: the nodes after it are left
      // to the class rules.
      const bool unlinked = s.nodes[x].next == 0 && s.nodes[x].prev == 0 && s.firstTop != x;
      if (unlinked) break;
      x = nextNode(s, x);
      continue;
    }
    const int resumeAfter = applyMainRules(s, x);
    x = resumeAfter == kNormal ? nextNode(s, x) : nextNode(s, resumeAfter);
  }
}

}  // namespace cj
