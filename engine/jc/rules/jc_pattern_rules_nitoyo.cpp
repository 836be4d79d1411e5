// The scans に…よ and よ…を: at every word, ordered lists of fixed expressions (にほかならない …
// ように, よりしかたがない … んばかりだ); the first row whose guard holds acts and ends the word's turn.
#include <initializer_list>
#include <source_location>
#include <string>

#include "engine/jc/rules/jc_pattern_rules_to_scans.h"
#include "engine/jc/rules/jc_pattern_scan_common.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X) \
  X(R1E1, "ruleNiToYoPatterns.r01e1", 1, 8) \
  X(R2E1, "ruleNiToYoPatterns.r02e1", 1, 2) \
  X(R2E2, "ruleNiToYoPatterns.r02e2", 1, 4) \
  X(R3E1, "ruleNiToYoPatterns.r03e1", 1, 8) \
  X(R3E2, "ruleNiToYoPatterns.r03e2", 1, 4) \
  X(R4E1, "ruleNiToYoPatterns.r04e1", 1, 8) \
  X(R5E1, "ruleNiToYoPatterns.r05e1", 1, 6) \
  X(R6E1, "ruleNiToYoPatterns.r06e1", 1, 4) \
  X(R6E2, "ruleNiToYoPatterns.r06e2", 1, 2) \
  X(R7E1, "ruleNiToYoPatterns.r07e1", 1, 4) \
  X(R8E1, "ruleNiToYoPatterns.r08e1", 1, 4) \
  X(R8E2, "ruleNiToYoPatterns.r08e2", 1, 2) \
  X(R9E1, "ruleNiToYoPatterns.r09e1", 1, 4) \
  X(R9E2, "ruleNiToYoPatterns.r09e2", 1, 2) \
  X(R10E1, "ruleNiToYoPatterns.r10e1", 1, 4) \
  X(R10E2, "ruleNiToYoPatterns.r10e2", 1, 10) \
  X(R11E1, "ruleNiToYoPatterns.r11e1", 1, 4) \
  X(R11E2, "ruleNiToYoPatterns.r11e2", 1, 4) \
  X(R12E1, "ruleNiToYoPatterns.r12e1", 1, 4) \
  X(R13E1, "ruleNiToYoPatterns.r13e1", 1, 4) \
  X(R14E1, "ruleNiToYoPatterns.r14e1", 1, 2) \
  X(R14E2, "ruleNiToYoPatterns.r14e2", 1, 12) \
  X(R15E1, "ruleNiToYoPatterns.r15e1", 1, 4) \
  X(R16E1, "ruleNiToYoPatterns.r16e1", 1, 4) \
  X(R17E1, "ruleNiToYoPatterns.r17e1", 1, 4) \
  X(R17E2, "ruleNiToYoPatterns.r17e2", 1, 4) \
  X(R18E1, "ruleNiToYoPatterns.r18e1", 1, 4) \
  X(R19E1, "ruleNiToYoPatterns.r19e1", 1, 4) \
  X(R20E1, "ruleNiToYoPatterns.r20e1", 1, 2) \
  X(R20E2, "ruleNiToYoPatterns.r20e2", 1, 6) \
  X(R21E1, "ruleNiToYoPatterns.r21e1", 1, 8) \
  X(R22E1, "ruleNiToYoPatterns.r22e1", 1, 6) \
  X(R23E1, "ruleNiToYoPatterns.r23e1", 1, 2) \
  X(R23E2, "ruleNiToYoPatterns.r23e2", 1, 6) \
  X(R24E1, "ruleNiToYoPatterns.r24e1", 1, 2) \
  X(R24E2, "ruleNiToYoPatterns.r24e2", 1, 2) \
  X(R25E1, "ruleNiToYoPatterns.r25e1", 1, 2) \
  X(R25E2, "ruleNiToYoPatterns.r25e2", 1, 2) \
  X(R26E1, "ruleNiToYoPatterns.r26e1", 1, 4) \
  X(R27E1, "ruleNiToYoPatterns.r27e1", 1, 6) \
  X(R28E1, "ruleNiToYoPatterns.r28e1", 1, 4) \
  X(R28E2, "ruleNiToYoPatterns.r28e2", 1, 6) \
  X(R29E1, "ruleNiToYoPatterns.r29e1", 1, 2) \
  X(R29E2, "ruleNiToYoPatterns.r29e2", 1, 4) \
  X(R29E3, "ruleNiToYoPatterns.r29e3", 1, 4) \
  X(R29E4, "ruleNiToYoPatterns.r29e4", 1, 4) \
  X(R29E5, "ruleNiToYoPatterns.r29e5", 1, 4) \
  X(R30E1, "ruleNiToYoPatterns.r30e1", 1, 4) \
  X(R31E1, "ruleNiToYoPatterns.r31e1", 1, 4) \
  X(R31E2, "ruleNiToYoPatterns.r31e2", 1, 2) \
  X(R32E1, "ruleNiToYoPatterns.r32e1", 1, 4) \
  X(R33E1, "ruleNiToYoPatterns.r33e1", 1, 4) \
  X(R34E1, "ruleNiToYoPatterns.r34e1", 1, 4) \
  X(R35E1, "ruleNiToYoPatterns.r35e1", 1, 2) \
  X(R35E2, "ruleNiToYoPatterns.r35e2", 1, 6) \
  X(R36E1, "ruleNiToYoPatterns.r36e1", 1, 2) \
  X(R36E2, "ruleNiToYoPatterns.r36e2", 1, 4) \
  X(R37E1, "ruleNiToYoPatterns.r37e1", 1, 4) \
  X(R37E2, "ruleNiToYoPatterns.r37e2", 1, 4) \
  X(R38E1, "ruleNiToYoPatterns.r38e1", 1, 4) \
  X(R39E1, "ruleNiToYoPatterns.r39e1", 1, 2) \
  X(R39E2, "ruleNiToYoPatterns.r39e2", 1, 2) \
  X(R40E1, "ruleNiToYoPatterns.r40e1", 1, 4) \
  X(R41E1, "ruleNiToYoPatterns.r41e1", 1, 4) \
  X(R42E1, "ruleNiToYoPatterns.r42e1", 1, 2) \
  X(R42E2, "ruleNiToYoPatterns.r42e2", 1, 4) \
  X(R43E1, "ruleNiToYoPatterns.r43e1", 1, 2) \
  X(R43E2, "ruleNiToYoPatterns.r43e2", 1, 4) \
  X(R44E1, "ruleNiToYoPatterns.r44e1", 1, 2) \
  X(R44E2, "ruleNiToYoPatterns.r44e2", 1, 2) \
  X(R45E1, "ruleNiToYoPatterns.r45e1", 1, 4) \
  X(R46E1, "ruleNiToYoPatterns.r46e1", 1, 4) \
  X(R47E1, "ruleNiToYoPatterns.r47e1", 1, 6) \
  X(R47E2, "ruleNiToYoPatterns.r47e2", 1, 4) \
  X(R48E1, "ruleNiToYoPatterns.r48e1", 1, 4) \
  X(R49E1, "ruleNiToYoPatterns.r49e1", 1, 4) \
  X(R50E1, "ruleNiToYoPatterns.r50e1", 1, 4) \
  X(R51E1, "ruleNiToYoPatterns.r51e1", 1, 4) \
  X(R52E1, "ruleNiToYoPatterns.r52e1", 1, 4) \
  X(R53E1, "ruleNiToYoPatterns.r53e1", 1, 4) \
  X(R54E1, "ruleNiToYoPatterns.r54e1", 1, 4) \
  X(R54E2, "ruleNiToYoPatterns.r54e2", 1, 4) \
  X(R55E1, "ruleNiToYoPatterns.r55e1", 1, 4) \
  X(R55E2, "ruleNiToYoPatterns.r55e2", 1, 4) \
  X(R56E1, "ruleNiToYoPatterns.r56e1", 1, 2) \
  X(R56E2, "ruleNiToYoPatterns.r56e2", 1, 4) \
  X(R57E1, "ruleNiToYoPatterns.r57e1", 1, 2) \
  X(R57E2, "ruleNiToYoPatterns.r57e2", 1, 4) \
  X(R58E1, "ruleNiToYoPatterns.r58e1", 1, 2) \
  X(R58E2, "ruleNiToYoPatterns.r58e2", 1, 4) \
  X(R59E1, "ruleNiToYoPatterns.r59e1", 1, 2) \
  X(R59E2, "ruleNiToYoPatterns.r59e2", 1, 4) \
  X(R60E1, "ruleNiToYoPatterns.r60e1", 1, 4) \
  X(R60E2, "ruleNiToYoPatterns.r60e2", 1, 4) \
  X(R60E3, "ruleNiToYoPatterns.r60e3", 1, 4) \
  X(R60E4, "ruleNiToYoPatterns.r60e4", 1, 2) \
  X(R61E1, "ruleNiToYoPatterns.r61e1", 1, 4) \
  X(R62E1, "ruleNiToYoPatterns.r62e1", 1, 4) \
  X(R63E1, "ruleNiToYoPatterns.r63e1", 1, 4) \
  X(R64E1, "ruleNiToYoPatterns.r64e1", 1, 4) \
  X(R65E1, "ruleNiToYoPatterns.r65e1", 1, 4) \
  X(R66E1, "ruleNiToYoPatterns.r66e1", 1, 4) \
  X(R66E2, "ruleNiToYoPatterns.r66e2", 1, 4) \
  X(R67E1, "ruleNiToYoPatterns.r67e1", 1, 4) \
  X(R67E2, "ruleNiToYoPatterns.r67e2", 1, 4) \
  X(R68E1, "ruleNiToYoPatterns.r68e1", 1, 6) \
  X(R68E2, "ruleNiToYoPatterns.r68e2", 1, 6) \
  X(R69E1, "ruleNiToYoPatterns.r69e1", 1, 6) \
  X(R69E2, "ruleNiToYoPatterns.r69e2", 1, 6) \
  X(R70E1, "ruleNiToYoPatterns.r70e1", 1, 6) \
  X(R71E1, "ruleNiToYoPatterns.r71e1", 1, 4) \
  X(R71E2, "ruleNiToYoPatterns.r71e2", 1, 2) \
  X(R72E1, "ruleNiToYoPatterns.r72e1", 1, 4) \
  X(R74E1, "ruleNiToYoPatterns.r74e1", 1, 4) \
  X(R75E1, "ruleNiToYoPatterns.r75e1", 1, 4) \
  X(R76E1, "ruleNiToYoPatterns.r76e1", 1, 4) \
  X(R76E2, "ruleNiToYoPatterns.r76e2", 1, 4) \
  X(R77E1, "ruleNiToYoPatterns.r77e1", 1, 4) \
  X(R77E2, "ruleNiToYoPatterns.r77e2", 1, 2) \
  X(R78E1, "ruleNiToYoPatterns.r78e1", 1, 4) \
  X(R78E2, "ruleNiToYoPatterns.r78e2", 1, 2) \
  X(R79E1, "ruleNiToYoPatterns.r79e1", 1, 2) \
  X(R79E2, "ruleNiToYoPatterns.r79e2", 1, 2) \
  X(R80E1, "ruleNiToYoPatterns.r80e1", 1, 4) \
  X(R81E1, "ruleNiToYoPatterns.r81e1", 1, 4) \
  X(R82E1, "ruleNiToYoPatterns.r82e1", 1, 4) \
  X(R83E1, "ruleNiToYoPatterns.r83e1", 1, 4) \
  X(R84E1, "ruleNiToYoPatterns.r84e1", 1, 4) \
  X(R85E1, "ruleNiToYoPatterns.r85e1", 1, 4) \
  X(R86E1, "ruleNiToYoPatterns.r86e1", 1, 4) \
  X(R87E1, "ruleNiToYoPatterns.r87e1", 1, 4) \
  X(R88E1, "ruleNiToYoPatterns.r88e1", 1, 4) \
  X(R89E1, "ruleNiToYoPatterns.r89e1", 1, 10) \
  X(R90E1, "ruleNiToYoPatterns.r90e1", 1, 2) \
  X(R91E1, "ruleNiToYoPatterns.r91e1", 1, 4) \
  X(R91E2, "ruleNiToYoPatterns.r91e2", 1, 4) \
  X(R93E1, "ruleNiToYoPatterns.r93e1", 1, 4) \
  X(R94E1, "ruleNiToYoPatterns.r94e1", 1, 10) \
  X(R95E1, "ruleNiToYoPatterns.r95e1", 1, 10) \
  X(R96E1, "ruleNiToYoPatterns.r96e1", 1, 10) \
  X(R97E1, "ruleNiToYoPatterns.r97e1", 1, 4) \
  X(Y1E1, "ruleYoToWoPatterns.r01e1", 1, 4) \
  X(Y2E1, "ruleYoToWoPatterns.r02e1", 1, 4) \
  X(Y3E1, "ruleYoToWoPatterns.r03e1", 1, 2) \
  X(Y3E2, "ruleYoToWoPatterns.r03e2", 1, 2) \
  X(Y4E1, "ruleYoToWoPatterns.r04e1", 1, 6) \
  X(Y5E1, "ruleYoToWoPatterns.r05e1", 1, 6) \
  X(Y6E1, "ruleYoToWoPatterns.r06e1", 1, 2) \
  X(Y6E2, "ruleYoToWoPatterns.r06e2", 1, 2) \
  X(Y7E1, "ruleYoToWoPatterns.r07e1", 1, 4) \
  X(Y8E1, "ruleYoToWoPatterns.r08e1", 1, 4) \
  X(Y9E1, "ruleYoToWoPatterns.r09e1", 1, 6) \
  X(Y10E1, "ruleYoToWoPatterns.r10e1", 1, 4) \
  X(Y11E1, "ruleYoToWoPatterns.r11e1", 1, 4) \
  X(Y12E1, "ruleYoToWoPatterns.r12e1", 1, 4) \
  X(Y13E1, "ruleYoToWoPatterns.r13e1", 1, 4) \
  X(Y14E1, "ruleYoToWoPatterns.r14e1", 1, 2) \
  X(Y14E2, "ruleYoToWoPatterns.r14e2", 1, 4) \
  X(Y15E1, "ruleYoToWoPatterns.r15e1", 1, 2) \
  X(Y15E2, "ruleYoToWoPatterns.r15e2", 1, 4) \
  X(Y16E1, "ruleYoToWoPatterns.r16e1", 1, 4) \
  X(Y17E1, "ruleYoToWoPatterns.r17e1", 1, 6) \
  X(Y18E1, "ruleYoToWoPatterns.r18e1", 1, 2) \
  X(Y19E1, "ruleYoToWoPatterns.r19e1", 1, 2) \
  X(Y19E2, "ruleYoToWoPatterns.r19e2", 1, 6) \
  X(Y20E1, "ruleYoToWoPatterns.r20e1", 1, 4) \
  X(Y21E1, "ruleYoToWoPatterns.r21e1", 1, 4) \
  X(Y22E1, "ruleYoToWoPatterns.r22e1", 1, 6)

PATTERN_REGISTER(WORDS)

// Word i's classes and hosts, read once per turn.
struct Turn {
  JcSentence* s;
  int i;
  bool n, nw, plain;
  int mp, p, r;
  Turn(JcSentence* sentence, int word)
      : s(sentence),
        i(word),
        n(isNominal(sentence, word)),
        nw(isNominalWord(sentence, word)),
        plain(isPlainBaseOrPastForm(sentence, word)),
        mp(maximalProjection(sentence, word)),
        p(parentOf(sentence, word)),
        r(rootOf(sentence, word)) {}
  bool at(int k, Forms forms) const { return pattern::at(s, i + k, forms); }
  bool atBase(int k, Forms forms) const { return pattern::atBase(s, i + k, forms); }
  // Consumes the words at the offsets.
  void eats(std::initializer_list<int> offsets, const std::source_location& where = std::source_location::current()) const {
    for (int k : offsets) consumeWord(s, i + k, where);
  }
  void eatsTo(int from, int to, const std::source_location& where = std::source_location::current()) const {
    eat(s, i + from, i + to, where);
  }
};

// The candidate-code rule: a first candidate whose code is shorter than 4 characters gets ";@".
void markShortCandidate(JcSentence* s, int i) {
  JcCandidate* c = firstCandidate(s, i);
  if (c && c->valency.size() < 4) c->valency.append(";@");
}

bool sameBase(const JcSentence* s, int a, int b) {
  return a >= 1 && b >= 1 && a <= s->lastNode && b <= s->lastNode && b < kJcMaxNodes &&
         s->nodes[a].baseForm.view() == s->nodes[b].baseForm.view();
}

bool arimasen(const Turn& t, int k) { return t.at(k, {"あり", "有り"}) && t.at(k + 1, {"ませ"}) && t.at(k + 2, {"ん"}); }

// Row 29: a noun + ばかり.
void nounBakari(const Turn& t) {
  JcSentence* s = t.s;
  const int i = t.i;
  markZ(s, t.r);
  t.eats({1});
  if (t.at(2, {"で"}) && t.atBase(3, {"ない"})) {
    writeThenAppend(s, t.r, Slot::kConcession, R29E1, R29E2, i + 1);
    t.eats({2, 3});
    return;
  }
  const int a = parentOf(s, i);
  const bool quantity = isNumeral(s, i) || (a >= 1 && a <= s->lastNode &&
                                            isInBarList("|" + s->nodes[a].sFeatures.str(), "S6"));
  if (quantity) {
    setHeadText(s, i, R29E3);
    return;
  }
  const int b = parentOf(s, i + 2);
  if (!isVerb(s, i + 2) || headPhraseAt(s, a) != b) {
    setSlot(s, t.r, Slot::kRestriction, R29E4, i + 1);
    if (t.atBase(2, {"だ"})) t.eats({2});
    return;
  }
  // a depends on the verb phrase b: the link becomes a D27 link of the same pair.
  relinkDependent(s, b, a, "D27");
  if (isSahenNoun(s, i) && t.atBase(2, {"する"})) t.eats({2});
  setSlot(s, b, Slot::kConcession, R29E5);
}

// Row 60: ほど after a plain predicate or a nominal; the rendering of ほど is its kOwnRendering.
void hodo(const Turn& t) {
  JcSentence* s = t.s;
  const int i = t.i;
  const int n = findNegation(s, i + 3);
  if (n && !(isLiveSurface(s, n - 1, "は") && !isLiveSurface(s, n - 2, "で") && !isAdjectiveConnective(s, n - 2))) {
    setSlot(s, maximalProjection(s, i + 1), Slot::kCopula, R60E1, i + 1);
    ruleArimasen(s, n);
    setOwnRendering(s, i + 1, R60E2);
  }
  if (!isNumeral(s, i) && !isCounterSuffix(s, i)) setOwnRendering(s, i + 1, R60E3);
  if (isLiveSurface(s, i, "これ")) setOwnRendering(s, i + 1, R60E4);
}

// Rows 1-39; true when a row's guard held.
bool rowsNiToBa(const Turn& t) {
  JcSentence* s = t.s;
  const int i = t.i;
  const bool ni = t.at(1, {"に"});
  if (t.n && ni && t.atBase(2, {"外ならない", "ほかならない", "他ならない"})) {  // 1
    setSlot(s, t.mp, Slot::kCopula, R1E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (t.n && ni && t.at(2, {"まで"})) {  // 2
    setSlot(s, t.mp, Slot::kPreposition, R2E1, i + 1);
    setHeadText(s, t.mp, R2E2);
    t.eats({1, 2});
    return true;
  }
  if (t.at(1, {"まで"}) && t.at(2, {"に"})) {  // 3
    if (isLiveSurface(s, i, "これ")) {
      setHeadText(s, t.mp, R3E1);
      t.eats({0});
    } else {
      setHeadText(s, t.mp, R3E2);
    }
    setNodeMark(s, parentOf(s, i + 2), "*");
    t.eats({1, 2});
    return true;
  }
  if (t.nw && ni && t.atBase(2, {"見える", "みえる"})) {  // 4
    setSlot(s, t.mp, Slot::kSeeming, R4E1);
    t.eats({1, 2});
    return true;
  }
  if ((isNaAdjectiveContinuative(s, i) || isIAdjectiveContinuative(s, i)) && t.atBase(1, {"見える", "みえる"})) {  // 5
    setSlot(s, t.mp, Slot::kSeeming, R5E1);
    t.eats({1});
    markShortCandidate(s, i);
    return true;
  }
  const int fs = firstSibling(s, t.p);
  if ((t.n || t.plain) && ni && t.at(2, {"も"}) && t.at(3, {"関わらず", "拘わらず", "かかわらず"})) {  // 6
    setSlot(s, fs, Slot::kConcession, R6E1);
    if (t.nw) appendSlot(s, fs, Slot::kConcession, R6E2);
    setSlotSource(s, fs, Slot::kConcession, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if ((t.n || t.plain) && ni && t.at(2, {"も"}) && t.at(3, {"関わら", "拘わら", "かかわら"}) && t.at(4, {"ず"})) {  // 7
    setSlot(s, fs, Slot::kConcession, R7E1, i + 1);
    t.eatsTo(1, 4);
    return true;
  }
  const bool kakawarazu = ni && t.at(2, {"関わらず", "拘わらず", "かかわらず"});                              // 8
  const bool kakawara = ni && t.at(2, {"関わら", "拘わら", "かかわら"}) && t.at(3, {"ず"});                  // 9
  if (kakawarazu || kakawara) {
    setSlot(s, fs, Slot::kConcession, kakawarazu ? R8E1 : R9E1);
    if (t.nw) appendSlot(s, fs, Slot::kConcession, kakawarazu ? R8E2 : R9E2);
    setSlotSource(s, fs, Slot::kConcession, i + 1);
    t.eatsTo(1, kakawarazu ? 2 : 3);
    if (isLiveSurface(s, i, "と")) t.eats({0});
    return true;
  }
  if (t.n && ni && t.at(2, {"よって"}) && t.at(3, {"は"})) {  // 10
    setSlot(s, t.p, Slot::kPreposition, R10E1, i + 1);
    setHeadText(s, t.p, R10E2);
    t.eatsTo(1, 3);
    return true;
  }
  if (t.n && ni && t.at(2, {"よって", "より"})) {  // 11
    setSlot(s, t.mp, Slot::kConcession, t.at(2, {"よって"}) ? R11E1 : R11E2, i + 1);
    setNodeMark(s, t.mp, "*");
    t.eats({1, 2});
    return true;
  }
  if (t.n && ni && t.at(2, {"よる"}) && t.at(3, {"と"})) {  // 12
    setSlot(s, t.mp, Slot::kConcession, R12E1, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if (t.n && ni && t.at(2, {"よれば"})) {  // 13
    setSlot(s, t.mp, Slot::kPreposition, R13E1, i + 1);
    t.eats({1, 2});
    markZ(s, parentOf(s, i + 2));
    return true;
  }
  if (t.n && ni && t.at(2, {"よる", "負う", "おう"}) && t.at(3, {"ところ"}) && t.at(4, {"が"}) &&
      t.atBase(5, {"大きい", "おおきい"})) {  // 14
    setSlot(s, t.mp, Slot::kPreposition, R14E1, i + 1);
    setHeadText(s, t.mp, R14E2);
    t.eatsTo(1, 5);
    markZ(s, parentOf(s, i + 2));
    return true;
  }
  if (t.n && ni && t.at(2, {"よる"}) && isAdnominal(s, parentOf(s, i + 2))) {  // 15
    setSlot(s, t.mp, Slot::kConcession, R15E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (t.n && ni && t.at(2, {"わたって", "わたり"})) {  // 16
    setSlot(s, t.r, Slot::kCopula, R16E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (t.n && ni && t.at(2, {"わたる"})) {  // 17
    if (!(isNominalOrAdnominal(s, i + 3) && isMorpheme(s, i + 3))) {
      const bool time = isTimeNoun(s, i) || surfaceIn(s, i, {"回", "度"});
      setSlot(s, maximalProjection(s, i + 1), Slot::kCopula, time ? R17E2 : R17E1, i + 1);
    }
    t.eats({1, 2});
    return true;
  }
  if (isVerbIrrealis(s, i) && t.at(1, {"ねば"}) && t.atBase(2, {"ならない"})) {  // 18
    markZ(s, t.mp);
    setSlot(s, t.mp, Slot::kAfterSubject, R18E1, i + 1);
    markZ(s, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (isVerbIrrealis(s, i) && t.at(1, {"ねば"}) && t.atBase(2, {"なる"}) && t.atBase(3, {"ます"}) &&
      t.atBase(4, {"ぬ"})) {  // 19
    markZ(s, t.mp);
    setSlot(s, t.mp, Slot::kAfterSubject, R19E1, i + 1);
    markZ(s, i + 1);
    markZ(s, i + 3);
    t.eats({1, 2, 4});
    return true;
  }
  if ((t.n || t.plain) && t.at(1, {"のみ"}) && t.at(2, {"で"}) && t.at(3, {"なく"})) {  // 20
    markZ(s, t.r);
    writeThenAppend(s, t.r, Slot::kConcession, R20E1, R20E2, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if (isLiveSurface(s, i, "で") && t.at(1, {"は"}) && t.at(2, {"なく"}) && t.atBase(3, {"なる"})) {  // 21
    appendSlot(s, t.r, Slot::kConcession, R21E1, i);
    t.eatsTo(0, 3);
    return true;
  }
  if (isAdjectiveConnective(s, i) && t.at(1, {"は"}) && t.atBase(2, {"なくなる"})) {  // 22
    appendSlot(s, t.r, Slot::kConcession, R22E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if ((t.n || t.plain) && t.at(1, {"ばかり"}) && t.at(2, {"で"}) && t.at(3, {"なく"})) {  // 23
    markZ(s, t.r);
    writeThenAppend(s, t.r, Slot::kConcession, R23E1, R23E2, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  const bool motoNi = t.n && t.at(1, {"の"}) && t.at(2, {"もと"}) && t.at(3, {"に"});  // 24
  const bool motoDe = t.n && t.at(1, {"の"}) && t.at(2, {"もとで"});                    // 25
  if (motoNi || motoDe) {
    markZ(s, t.p);
    markZ(s, t.r);
    setSlot(s, t.r, Slot::kPreposition, motoNi ? R24E1 : R25E1, i + 1);
    setHeadText(s, t.r, motoNi ? R24E2 : R25E2);
    t.eatsTo(1, motoNi ? 3 : 2);
    return true;
  }
  if (t.plain && t.at(1, {"の"}) && t.at(2, {"やら"}) && t.atBase(4, {"ない"}) && t.at(5, {"の"}) &&
      t.at(6, {"やら"})) {  // 26
    markZ(s, t.r);
    setSlot(s, t.r, Slot::kConcession, R26E1, i + 1);
    t.eatsTo(1, 6);
    return true;
  }
  if (isConditionalForm(s, i) && t.atBase(1, {"よい", "よろしい", "良い", "いい"})) {  // 27
    markZ(s, t.p);
    markZ(s, t.r);
    setHeadText(s, t.r, R27E1);
    t.eats({1});
    return true;
  }
  if (isLiveSurface(s, i, "ばかり") && t.at(1, {"か"})) {  // 28
    markZ(s, t.p);
    setSlot(s, t.p, Slot::kConcession, R28E1, i + 1);
    setHeadText(s, t.p, R28E2);
    t.eats({0});
    return true;
  }
  if (t.n && t.at(1, {"ばかり"})) {  // 29
    nounBakari(t);
    return true;
  }
  const bool taOrAdnominal = isVerbTaForm(s, i) || isAdnominalPredicate(s, i);
  if (taOrAdnominal && t.at(1, {"ばかりに"}) && t.at(2, {"なって"}) && t.atBase(3, {"いる"})) {  // 30
    markZ(s, t.r);
    setSlot(s, t.r, Slot::kSequence, R30E1);
    t.eatsTo(1, 3);
    return true;
  }
  if (taOrAdnominal && t.at(1, {"ばかりに"})) {  // 31
    markZ(s, t.p);
    setSlot(s, t.p, Slot::kConcession, R31E1, i + 1);
    setHeadText(s, t.p, R31E2);
    t.eats({1});
    return true;
  }
  if (isVerbContinuative(s, i)) {
    if (t.atBase(1, {"はじめる", "始める"})) {  // 32
      setSlot(s, t.p, Slot::kNearAdverbial, R32E1, i + 1);
      t.eats({1});
      return true;
    }
    if (t.atBase(1, {"続ける", "つづける"})) {  // 33
      setSlot(s, t.p, Slot::kNearAdverbial, R33E1, i + 1);
      t.eats({1});
      return true;
    }
    if (t.atBase(1, {"だす", "出す"})) {  // 34
      setSlot(s, i, Slot::kNearAdverbial, R34E1, i + 1);
      t.eats({1});
      return true;
    }
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"はず", "わけ"}) && t.at(3, {"が", "は"}) && t.atBase(4, {"ない", "無い"})) {  // 35
    markZ(s, t.mp);
    writeThenAppend(s, t.mp, Slot::kAfterSubject, R35E1, R35E2, i + 1);
    t.eatsTo(1, 4);
    markZ(s, t.p);
    return true;
  }
  if (t.plain && t.at(1, {"はず", "わけ"}) && t.at(2, {"が", "は"}) && t.atBase(3, {"ない", "無い"})) {  // 36
    writeThenAppend(s, t.mp, Slot::kAfterSubject, R36E1, R36E2, i + 1);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    return true;
  }
  if (t.plain && t.at(1, {"筈", "はず", "わけ", "訳"}) && t.atBase(2, {"だ"})) {  // 37
    markZ(s, t.mp);
    if (isLiveSurface(s, i, "ない")) {
      setSlot(s, t.mp, Slot::kAfterSubject, R37E1, i + 1);
      t.eats({0});
    } else {
      setSlot(s, t.mp, Slot::kAfterSubject, R37E2, i + 1);
    }
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (t.nw && t.at(1, {"の"}) && t.at(2, {"はず", "筈", "わけ", "訳"}) && t.atBase(3, {"だ"})) {  // 38
    setSlot(s, t.r, Slot::kAfterSubject, R38E1, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if ((sameBase(s, i, i + 1) || isLiveBaseForm(s, i + 1, "する")) && isConditionalForm(s, i) &&
      isPlainBaseOrPastForm(s, i + 1) && t.at(2, {"だけ", "ほど"})) {  // 39
    setSlot(s, t.p, Slot::kRestriction, R39E1);
    setHeadText(s, t.p, R39E2);
    markZ(s, t.p);
    markZ(s, parentOf(s, i + 1));
    t.eats({1, 2});
    markShortCandidate(s, i);
    return true;
  }
  return false;
}

// Rows 40-65.
bool rowsHitsuyouToMade(const Turn& t) {
  JcSentence* s = t.s;
  const int i = t.i;
  const bool adnominal = isAdnominal(s, i);
  const bool ga = t.at(3, {"が", "は"});
  if (t.n && t.at(1, {"の"}) && t.at(2, {"必要"}) && ga && t.atBase(4, {"ある"})) {  // 40
    setSlot(s, t.r, Slot::kModal, R40E1, i + 1);
    t.eatsTo(1, 4);
    markZ(s, t.p);
    return true;
  }
  if (adnominal && t.at(1, {"必要"}) && t.at(2, {"が", "は"}) && t.atBase(3, {"ある"})) {  // 41
    setSlot(s, t.r, Slot::kAfterSubject, R41E1, i + 1);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    return true;
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"必要"}) && ga && t.atBase(4, {"ない"})) {  // 42
    writeThenAppend(s, t.r, Slot::kAfterSubject, R42E1, R42E2, i + 1);
    t.eatsTo(1, 4);
    markZ(s, t.p);
    return true;
  }
  if (adnominal && t.at(1, {"必要"}) && t.at(2, {"が", "は"}) && t.atBase(3, {"ない"})) {  // 43
    writeThenAppend(s, t.r, Slot::kAfterSubject, R43E1, R43E2, i + 1);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    return true;
  }
  const bool verb = isVerbBaseOrPast(s, i) || isSahenVerbAlt(s, i);
  if (verb && t.at(1, {"べからず"})) {  // 44
    writeThenAppend(s, t.r, Slot::kModal, R44E1, R44E2, i + 1);
    t.eats({1});
    markZ(s, t.p);
    return true;
  }
  if (verb && t.at(1, {"べき"}) && t.atBase(2, {"だ"})) {  // 45
    setSlot(s, t.p, Slot::kPreposition, R45E1, i + 1);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"方", "ほう"}) && ga && t.atBase(4, {"いい", "よい", "良い"})) {  // 46
    markZ(s, t.r);
    setSlot(s, t.r, Slot::kAfterSubject, R46E1, i + 1);
    markZ(s, t.p);
    t.eatsTo(1, 4);
    return true;
  }
  if (t.plain && t.at(1, {"方", "ほう"}) && t.at(2, {"が", "は"}) && t.atBase(3, {"いい", "よい", "良い"})) {  // 47
    markZ(s, t.r);
    setSlot(s, t.r, Slot::kAfterSubject, isVerbTaForm(s, i) ? R47E1 : R47E2, i + 1);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    return true;
  }
  auto otherwiseNot = [&](int host, std::string_view text, int last) {
    setSlot(s, host, Slot::kConcession, text, i + 1);
    t.eatsTo(1, last);
    markZ(s, t.p);
    return true;
  };
  const bool noHoka = t.n && t.at(1, {"の"}) && t.at(2, {"ほか"}) && t.at(3, {"は"});
  if (noHoka && t.atBase(4, {"ない"})) return otherwiseNot(t.r, R48E1, 4);  // 48
  if (noHoka && arimasen(t, 4)) return otherwiseNot(t.r, R49E1, 6);          // 49
  const bool adnPred = isAdnominalPredicate(s, i);
  if (adnPred && t.at(1, {"ほか"})) {
    if (t.at(2, {"は"}) && t.atBase(3, {"ない"})) return otherwiseNot(t.r, R50E1, 3);  // 50
    if (t.at(2, {"は"}) && arimasen(t, 3)) return otherwiseNot(t.r, R51E1, 5);         // 51
    if (t.at(2, {"ない"})) return otherwiseNot(t.p, R52E1, 2);                          // 52
    if (arimasen(t, 2)) return otherwiseNot(t.p, R53E1, 4);                             // 53
  }
  if (adnPred && t.at(1, {"外", "他", "ほか"})) {  // 54
    setSlot(s, t.p, Slot::kConcession, R54E1);
    markZ(s, t.p);
    setSlotSource(s, t.p, Slot::kConcession, i + 1);
    setHeadText(s, parentOf(s, i + 1), R54E2);
    t.eats({1});
    if (t.at(2, {"に"})) t.eats({2});
    return true;
  }
  if (t.nw && t.at(1, {"の"}) && t.at(2, {"外", "他", "ほか"})) {  // 55
    setSlot(s, t.mp, Slot::kConcession, R55E1, i + 1);
    setHeadText(s, t.mp, R55E2);
    markZ(s, t.mp);
    t.eats({1, 2});
    if (t.at(3, {"に"})) t.eats({3});
    return true;
  }
  if (adnPred && t.at(1, {"ほど"}) && t.at(2, {"の"}) && t.at(3, {"こと"})) {
    int last = 0;
    std::string_view first, second;
    if (t.at(4, {"は"}) && t.atBase(5, {"ない"})) {  // 56
      last = 5, first = R56E1, second = R56E2;
    } else if (t.at(4, {"で"}) && t.at(5, {"は"}) && t.atBase(6, {"ない"})) {  // 57
      last = 6, first = R57E1, second = R57E2;
    } else if (t.at(4, {"は"}) && arimasen(t, 5)) {  // 58
      last = 7, first = R58E1, second = R58E2;
    } else if (t.at(4, {"で"}) && t.at(5, {"は"}) && arimasen(t, 6)) {  // 59
      last = 8, first = R59E1, second = R59E2;
    }
    if (last) {
      writeThenAppend(s, t.r, Slot::kCopula, first, second, i + 1);
      t.eatsTo(1, last);
      return true;
    }
  }
  if ((t.plain || t.n) && t.at(1, {"ほど"})) {  // 60
    hodo(t);
    return true;
  }
  if (t.plain) {
    if (t.at(1, {"まで"}) && t.at(2, {"の"}) && t.at(3, {"こと"}) && t.atBase(4, {"だ"})) return otherwiseNot(t.p, R61E1, 4);
    if (t.at(1, {"まで"}) && t.atBase(2, {"だ"})) return otherwiseNot(t.p, R62E1, 2);
    if (t.at(1, {"ま"}) && t.at(2, {"で"}) && t.atBase(3, {"だ"})) return otherwiseNot(t.p, R63E1, 3);
    if (t.at(1, {"まで"}) && t.at(2, {"も"}) && t.atBase(3, {"ない"})) return otherwiseNot(t.p, R64E1, 3);
    if (t.at(1, {"まで"}) && t.at(2, {"も"}) && arimasen(t, 3)) return otherwiseNot(t.p, R65E1, 5);
  }
  return false;
}

// Rows 66-97.
bool rowsMoToYouni(const Turn& t) {
  JcSentence* s = t.s;
  const int i = t.i;
  const bool neither = t.n || isVerbContinuative(s, i) || isSahenVerbAlt(s, i);
  // kConcession of the root emptied through the slot writer, then the first half appended.
  auto firstHalf = [&](std::string_view text) { writeThenAppend(s, t.r, Slot::kConcession, "", text, i + 1); };
  if (neither && t.at(1, {"も"}) && t.at(2, {"し"})) {
    if (t.at(3, {"なければ"}) && isNominal(s, i + 4) && t.at(5, {"も"}) && t.at(6, {"し"}) && t.atBase(7, {"ない"})) {  // 66
      firstHalf(R66E1);
      setSlot(s, i + 4, Slot::kConcession, R66E2, i + 5);
      t.eats({1, 2, 3, 5, 6, 7});
      markZ(s, parentOf(s, i + 3));
      return true;
    }
    if (t.at(3, {"ない"}) && t.at(4, {"し"}) && isNominal(s, i + 5) && t.at(6, {"も"}) && t.at(7, {"し"}) &&
        t.atBase(8, {"ない"})) {  // 67
      firstHalf(R67E1);
      setSlot(s, i + 5, Slot::kConcession, R67E2, i + 4);
      t.eats({1, 2, 3, 4, 6, 7, 8});
      return true;
    }
  }
  if (neither && t.at(1, {"も"})) {
    if (t.at(2, {"なければ"}) && isNominal(s, i + 3) && t.at(4, {"も"}) && t.atBase(5, {"ない"})) {  // 68
      firstHalf(R68E1);
      setSlot(s, i + 3, Slot::kConcession, R68E2, i + 4);
      t.eats({1, 2, 4, 5});
      markZ(s, parentOf(s, i + 2));
      return true;
    }
    if (t.at(2, {"ない"}) && t.at(3, {"し"}) && isNominal(s, i + 4) && t.at(5, {"も"}) && t.atBase(6, {"ない"})) {  // 69
      firstHalf(R69E1);
      setSlot(s, i + 4, Slot::kConcession, R69E2, i + 5);
      t.eats({1, 2, 3, 5, 6});
      return true;
    }
  }
  if (t.n && t.at(1, {"も", "は"}) && t.at(2, {"もちろん", "もとより"})) {  // 70
    setSlot(s, t.r, Slot::kConcession, R70E1, i + 1);
    t.eats({1, 2});
    if (t.at(3, {"の"}) && t.at(4, {"こと"})) t.eats({3, 4});
    return true;
  }
  if (t.plain && t.at(1, {"もの", "もん"}) && t.at(2, {"か"})) {  // 71
    const int k = i + 2;
    if (k <= s->lastNode && s->nodes[k].pos == "9" && s->nodes[k].subPos == "4") {
      setSlot(s, t.r, Slot::kConcession, R71E1, i + 1);
      setHeadText2(s, t.r, R71E2);
      t.eats({1, 2});
      markZ(s, t.p);
    }
    return true;
  }
  if (t.plain && t.at(1, {"もの"}) && t.atBase(2, {"だ"}) && t.at(3, {"から"})) {  // 72
    setSlot(s, t.r, Slot::kConcession, R72E1, i + 1);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    return true;
  }
  if (t.plain && t.at(1, {"もの"}) && t.atBase(2, {"だ"})) {  // 73
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  const bool potential = !t.plain && isPotential(s, i);
  if ((t.plain || potential) && t.at(1, {"もの"}) && t.atBase(2, {"なら"})) {  // 74, 75
    setSlot(s, t.r, Slot::kConcession, t.plain ? R74E1 : R75E1, i + 1);
    t.eats({1, 2});
    if (t.p >= 1 && t.p <= s->lastNode && s->nodes[t.p].classChar == '2') s->nodes[t.p].classChar = '5';
    markZ(s, t.p);
    return true;
  }
  if (t.plain && t.at(1, {"もの"}) && t.at(2, {"の"})) {  // 76
    setSlot(s, t.mp, Slot::kConcession, R76E1, i + 1);
    t.eats({1, 2});
    appendTrailer4(s, maximalProjection(s, i + 2), R76E2);
    markZ(s, t.p);
    return true;
  }
  const bool vbp = isVerbBaseOrPast(s, i);
  if (vbp && t.at(1, {"や"}) && t.at(2, {"否や"})) {  // 77
    setSlot(s, t.r, Slot::kSequence, R77E1);
    setSlot(s, governorOf(s, i + 2), Slot::kSequence, R77E2);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (vbp && t.at(1, {"やいなや"})) {  // 78
    setSlot(s, t.r, Slot::kSequence, R78E1);
    setSlot(s, governorOf(s, i + 1), Slot::kSequence, R78E2);
    t.eats({1});
    markZ(s, t.p);
    return true;
  }
  if (t.n && t.at(1, {"や"}) && isNominal(s, i + 2) && t.at(3, {"など", "等"})) {  // 79
    setOwnRendering(s, i + 1, R79E1);
    setOwnRendering(s, i + 3, R79E2);
    return true;
  }
  if (t.n && t.at(1, {"故", "ゆえ"}) && t.at(2, {"に"})) {  // 80
    setSlot(s, t.r, Slot::kConcession, R80E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"故", "ゆえ"}) && t.at(3, {"に"})) {  // 81
    setSlot(s, t.r, Slot::kConcession, R81E1, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if (t.plain && t.at(1, {"が"}) && t.at(2, {"故", "ゆえ"}) && t.at(3, {"に"})) {  // 82
    setSlot(s, t.r, Slot::kConcession, R82E1, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if (t.plain && t.at(1, {"故", "ゆえ"}) && t.at(2, {"に"})) {  // 83
    setSlot(s, t.r, Slot::kConcession, R83E1, i + 1);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (isVerbContinuative(s, i) && t.at(1, {"よう"}) && t.at(2, {"が", "も"}) && t.atBase(3, {"ない"})) {  // 84
    setSlot(s, t.p, Slot::kNegation, R84E1, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  const bool adnPred = isAdnominalPredicate(s, i);
  if (adnPred && t.at(1, {"ような"}) && t.at(2, {"こと"}) && t.at(3, {"は"})) {
    const bool plainNeg = t.atBase(4, {"ない"});  // 85
    if (plainNeg || arimasen(t, 4)) {             // 86
      setSlot(s, t.r, Slot::kModal, plainNeg ? R85E1 : R86E1, i + 1);
      t.eatsTo(1, plainNeg ? 4 : 6);
      markZ(s, t.p);
      return true;
    }
  }
  if (t.plain && t.at(1, {"よう"}) && t.at(2, {"なら"})) {  // 87
    setSlot(s, t.r, Slot::kConcession, R87E1, i + 1);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (t.plain && t.at(1, {"ように"}) && t.atBase(2, {"思われる"})) {  // 88
    setSlot(s, t.r, Slot::kSeeming, R88E1);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"ように"}) && t.atBase(3, {"思われる"})) {  // 89
    setSlot(s, t.r, Slot::kSeeming, R89E1);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    return true;
  }
  if (adnPred && t.at(1, {"ように"}) && t.atBase(2, {"する"})) {  // 90
    setSlot(s, rootOf(s, i + 1), Slot::kClauseOpener, R90E1, i + 2);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"ように"}) && t.atBase(3, {"する"})) {  // 91
    setSlot(s, t.r, Slot::kCopula, R91E1, i + 1);
    setHeadText(s, t.r, R91E2);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    return true;
  }
  if (adnPred && t.at(1, {"ように"}) && t.at(2, {"なって"}) && t.atBase(3, {"いる"})) {  // 92
    t.eatsTo(1, 3);
    return true;
  }
  if (adnPred && t.at(1, {"ように"}) && t.atBase(2, {"なる"})) {  // 93
    setSlot(s, t.r, Slot::kCopula, R93E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"ように"}) && t.atBase(3, {"見える", "みえる"})) {  // 94
    setSlot(s, t.r, Slot::kSeeming, R94E1);
    t.eatsTo(1, 3);
    markZ(s, t.p);
    t.eats({4});  // the word after 見える; nothing past the last word
    return true;
  }
  if (t.plain && t.at(1, {"ように"}) && t.atBase(2, {"見える", "みえる"})) {  // 95
    setSlot(s, t.r, Slot::kSeeming, R95E1);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (t.plain && t.at(1, {"か"}) && t.at(2, {"の"}) && t.at(3, {"ように"}) && t.atBase(4, {"見える", "みえる"})) {  // 96
    setSlot(s, t.r, Slot::kSeeming, R96E1);
    t.eatsTo(1, 4);
    markZ(s, t.p);
    return true;
  }
  if (t.plain && t.at(1, {"ように"})) {  // 97
    setSlot(s, rootOf(s, i + 1), Slot::kClauseOpener, R97E1, i + 1);
    t.eats({1});
    markZ(s, t.p);
    return true;
  }
  return false;
}

// The rows of よ to を.
bool rowsYoToWo(const Turn& t) {
  JcSentence* s = t.s;
  const int i = t.i;
  const bool adnPred = isAdnominalPredicate(s, i);
  if (adnPred && t.at(1, {"より"}) && (t.at(2, {"仕方がない"}) || t.atBase(2, {"しかたがない"}))) {  // 1
    markZ(s, t.mp);
    setSlot(s, t.mp, Slot::kAfterSubject, Y1E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (adnPred && t.at(1, {"より"}) && t.at(2, {"ほか", "他", "外"}) && t.at(3, {"に"}) &&
      t.at(4, {"仕方がない", "しかたがない"})) {  // 2
    markZ(s, t.mp);
    setSlot(s, t.mp, Slot::kAfterSubject, Y2E1, i + 1);
    t.eatsTo(1, 4);
    return true;
  }
  if ((t.n || t.plain) && t.at(1, {"より"}) && t.at(2, {"も"})) {  // 3
    markZ(s, t.r);
    setSlot(s, t.r, Slot::kPreposition, Y3E1, i + 1);
    setHeadText(s, t.r, Y3E2);
    t.eats({1, 2});
    return true;
  }
  if (t.n && t.at(1, {"らしい"}) && isNominal(s, i + 2) && s->nodes[i].surface.view() == s->nodes[i + 2].surface.view()) {  // 4
    setSlot(s, t.r, Slot::kBeforeHead, Y4E1);
    t.eats({1, 2});
    markZ(s, parentOf(s, i + 1));
    return true;
  }
  if (t.plain && t.at(1, {"わけ", "はず"}) && t.at(2, {"で"}) && t.at(3, {"は"}) && t.atBase(4, {"ない"})) {  // 5
    // Before the predicate, after the subject (高い本が難しいわけではない: 高的书并不是难).
    setSlot(s, climbAdnominalChain(s, i), Slot::kCopula, Y5E1, i + 4);
    markZ(s, t.p);
    t.eatsTo(1, 4);
    return true;
  }
  if (t.plain && t.at(1, {"わけ"}) && t.at(2, {"に"}) && t.at(3, {"は"}) && t.at(4, {"いか"}) && t.atBase(5, {"ない"})) {  // 6
    writeThenAppend(s, t.p, Slot::kConcession, Y6E1, Y6E2, i + 1);
    t.eatsTo(1, 5);
    return true;
  }
  if (t.n && t.at(1, {"の"}) && t.at(2, {"割", "わり", "割り"}) && t.at(3, {"に"})) {  // 7
    markZ(s, t.r);
    setSlot(s, t.r, Slot::kPreposition, Y7E1, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if (isAdnominal(s, i) && t.at(1, {"割", "わり", "割り"}) && t.at(2, {"に"})) {  // 8
    setSlot(s, t.r, Slot::kConcession, Y8E1, i + 1);
    t.eats({1, 2});
    markZ(s, t.p);
    return true;
  }
  if (!t.n || !t.at(1, {"を"})) {
    if (isVerbIrrealis(s, i) && t.at(1, {"ん"})) {
      if (t.at(2, {"が"}) && t.at(3, {"ため", "為"})) {  // 20
        setSlot(s, t.r, Slot::kPreposition, Y20E1, i + 1);
        t.eatsTo(1, 3);
        markZ(s, t.p);
        if (t.at(4, {"に"})) {
          t.eats({4});
          if (t.at(5, {"は"})) t.eats({5});
        }
        return true;
      }
      if (t.at(2, {"と"}) && t.atBase(3, {"する"})) {  // 21
        setSlot(s, t.r, Slot::kPreposition, Y21E1, i + 1);
        t.eatsTo(1, 3);
        return true;
      }
      if (t.atBase(2, {"ばかりだ"})) {  // 22
        setSlot(s, t.r, Slot::kPreposition, Y22E1, i + 1);
        t.eats({1, 2});
        return true;
      }
    }
    return false;
  }
  // Rows 9-19: a nominal + を.
  if (t.at(2, {"明らかに"}) && t.atBase(3, {"する"})) {  // 9
    setOwnRendering(s, i + 3, Y9E1);
    t.eats({2});
    return true;
  }
  if (t.at(2, {"当て", "あて"}) && t.atBase(3, {"に"}) && t.atBase(4, {"する"})) {  // 10
    setOwnRendering(s, i + 4, Y10E1);
    t.eats({2, 3});
    return true;
  }
  if (t.at(2, {"通じて", "通して"})) {  // 11
    setOwnRendering(s, i + 2, Y11E1);
    return true;
  }
  if (t.at(2, {"問わ"}) && t.at(3, {"ず"})) {  // 12
    setSlot(s, t.mp, Slot::kConcession, Y12E1, i + 1);
    t.eatsTo(1, 3);
    return true;
  }
  if (t.at(2, {"除いて", "除き", "除けば"})) {  // 13
    setOwnRendering(s, i + 2, Y13E1);
    markZ(s, parentOf(s, i + 2));
    return true;
  }
  if (t.at(2, {"初め", "始め", "はじめ"})) {
    if (t.at(3, {"と"}) && t.atBase(4, {"する"}) && isNominalOrAdnominal(s, i + 5)) {  // 14
      setSlot(s, t.r, Slot::kPreposition, Y14E1, i + 1);
      setHeadText(s, t.r, Y14E2);
      t.eatsTo(1, 4);
      return true;
    }
    setSlot(s, t.r, Slot::kPreposition, Y15E1, i + 1);  // 15
    setHeadText(s, t.r, Y15E2);
    t.eats({1, 2});
    if (t.at(3, {"と"}) && t.at(4, {"して"})) t.eats({3, 4});
    return true;
  }
  if (t.at(2, {"めぐって"})) {  // 16
    setSlot(s, t.r, Slot::kCopula, Y16E1, i + 1);
    t.eats({1, 2});
    return true;
  }
  if (t.at(2, {"以って", "もって", "以て"})) {
    if (t.at(3, {"すれば"})) {  // 17
      setSlot(s, t.r, Slot::kPreposition, Y17E1, i + 1);
      t.eatsTo(1, 3);
      markZ(s, parentOf(s, i + 3));
      return true;
    }
    setSlot(s, t.r, Slot::kPreposition, Y18E1, i + 1);  // 18
    t.eats({1, 2});
    return true;
  }
  if (t.at(2, {"もと", "元"}) && t.at(3, {"に"}) && t.atBase(4, {"する"})) {  // 19
    setSlot(s, t.r, Slot::kPreposition, Y19E1, i + 1);
    setHeadText(s, t.r, Y19E2);
    t.eatsTo(1, 4);
    return true;
  }
  return false;
}

}  // namespace

void ruleNiToYoPatterns(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) {
    const Turn t(s, i);
    if (rowsNiToBa(t) || rowsHitsuyouToMade(t)) continue;
    rowsMoToYouni(t);
  }
}

void ruleYoToWoPatterns(JcSentence* s) {
  for (int i = 1; i <= lastWord(s); ++i) rowsYoToWo(Turn(s, i));
}

}  // namespace jc
