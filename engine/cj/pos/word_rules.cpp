// Word rules: words with a category rule of their own.
#include "engine/cj/analysis/verb_continuation.h"
#include "engine/cj/analysis/word_combination.h"
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"

namespace cj {

using namespace pos;

#define CJ_NEIGHBOURS                                                                                 \
  [[maybe_unused]] const int w = i, p = prevNode(s, w), n = nextNode(s, w), n2 = nextNode(s, n),  \
                             n3 = nextNode(s, n2), p2 = prevNode(s, p)

namespace {

bool is9or11(const CjSentence& s, int k) { return is(s, k, 9) || is(s, k, 11); }

// lwK occurs somewhere after node k.
bool follows(const CjSentence& s, int k, int label) {
  return !lw(label).empty() && findFollowingWord(s, k, lw(label)) != 0;
}
// lwK occurs somewhere before node k.
bool precedes(const CjSentence& s, int k, int label) {
  return !lw(label).empty() && isPrecededByWord(s, k, lw(label)) != 0;
}
bool fourBytes(const CjSentence& s, int k) { return isNodeIndex(s, k) && chiLength(s, k) == 4; }
bool dateLike(const CjSentence& s, int k) { return ms(s, k, "D") && fourBytes(s, k); }

// Node a lies after node b on b's chain.
bool liesAfter(const CjSentence& s, int a, int b) {
  if (a == 0 || b == 0) return false;
  for (int k = nextNode(s, b), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (k == a) return true;
  }
  return false;
}

constexpr std::initializer_list<int> kMeasureFollowers = {208, 209, 210, 211, 212, 213, 214, 204, 203};

}  // namespace

const char* resolveWord01(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p) || letters(s, p, "A")) return "N";
  if (is(s, n, 9)) return "N";
  if (isIn(s, n, {13, 178, 106})) return "V";
  if (follows(s, w, 64) || follows(s, w, 179) || follows(s, w, 180)) return "I";
  if (has(s, n, "R")) return "I";
  if (has(s, n, "V")) return "F";
  if (letters(s, p, "F") || letters(s, p, "G")) return "V";
  if (has(s, n, "N") && ms(s, n, "Z")) return "I";
  return "N";
}

const char* resolveWord02(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 12)) return "V";
  if (lb(s, w)) return "N";
  return "L";
}

const char* resolveWord03(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "R") && ms(s, p, "A")) return "V";
  if (has(s, p, "N") && ms(s, p, "Z")) return "V";
  if (has(s, n, "N") && ms(s, n, "P")) return "V";
  if (has(s, n, "N") && has(s, n2, "N") && ms(s, n2, "P")) return "V";
  if (has(s, n, "N") && is(s, n2, 9) && has(s, n3, "N") && ms(s, n3, "P")) return "V";
  if (inLabelList(s, n, 325)) return "N";
  if (inLabelList(s, n, 326)) return "N";
  if (has(s, p, "F") || has(s, p, "G") || is(s, n, 14)) return "V";
  if (is(s, n, 12) || is(s, n, 13)) return "V";
  if (!verbAfter(s, n)) return "V";
  if (!lb(s, w)) return "V";
  return "J";
}

const char* resolveWord04(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {12, 169, 14, 2, 13, 9})) return "V";
  if (has(s, n, "N") && isIn(s, n2, {170, 171, 172})) return "V";
  if (n2 == 0) return "V";
  for (int k = n2, steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if ((has(s, k, "S") || has(s, k, "C")) && ms(s, k, "C")) return "I";
    if (has(s, k, "A")) return "I";
    if (isIn(s, k, {173, 174, 175, 91, 176, 92, 177})) return "I";
  }
  return "V";
}

const char* resolveWord05(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  const int v = verbAfter(s, w);
  if (v == 0) return "V";
  if (is(s, n, 12)) return "V";
  if (!lb(s, w)) return "F";
  if (follows(s, v, 12)) return "F";
  return "G";
}

const char* resolveWord06(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (findPrecedingListedNode(s, prevVerbWord(s, w), w)) return "V";
  const int v = verbAfter(s, w);
  if (v == 0) return "V";
  if (findPrecedingListedNode(s, n, v)) return "R";
  return "V";
}

const char* resolveWord07(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  const int n4 = nextNode(s, n3), n5 = nextNode(s, n4);
  if (isIn(s, n, {181, 182, 183, 184, 185})) return "V";
  if (dateLike(s, n)) return "I";
  const bool nominal = hasAny(s, n, {"R", "A", "N"});
  if (nominal && dateLike(s, n2)) return "I";
  if (nominal && is(s, n2, 9) && dateLike(s, n3)) return "I";
  if (has(s, n, "U") && has(s, n2, "S") && is(s, n3, 9) && dateLike(s, n4)) return "I";
  if (is(s, n, 47) && has(s, n2, "U") && has(s, n3, "S") && is(s, n4, 9) && dateLike(s, n5)) return "I";
  if (verb(s, w)) return "V";
  return "IV";
}

const char* resolveWord08(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  int last = s.lastTop;
  if (has(s, last, "P")) last = prevNode(s, last);
  if (is(s, last, 186) && is(s, prevNode(s, last), 9)) return "J";
  if (verbAfter(s, w)) return "J";
  if (follows(s, w, 187)) return "F";
  if (follows(s, w, 188)) return "F";
  if (isText(s, n, ":") || is(s, n, 109)) return "F";
  if (is(s, n, 78)) return "F";
  return "I";
}

const char* resolveWord09(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 9)) return "A";
  if (is(s, p, 9)) return "A";
  if (isText(s, n, "R")) return "V";
  if (!has(s, n, "N")) return "V";
  if (ms(s, n, "Z")) return "V";
  return "A";
}

const char* resolveWord10(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "N";
  if (is(s, n, 11) && has(s, n2, "UG")) return "U";
  if (has(s, n, "A") || has(s, n, "V")) return "F";
  if (is(s, p, 9) || has(s, p, "A")) return "N";
  if (is(s, n, 9)) return "A";
  if (n == 0 || has(s, n, "P")) return "N";
  if (isIn(s, p, {90, 101, 52, 204, 207, 14, 51, 139}) || isIn(s, n, kMeasureFollowers)) return "N";
  if (is(s, p, 68)) return "F";
  if (has(s, n, "S")) return "U";
  return "F";
}

const char* resolveWord11(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, {5, 7, 8, 6, 166})) return "A";
  if (is(s, n, 9)) return "A";
  if (is(s, p, 9)) return "N";
  if (has(s, n, "N") || has(s, n, "R")) return "I";
  if (n == 0 || has(s, n, "P")) return "V";
  if (!verbAfter(s, w)) return "V";
  return "I";
}

const char* resolveWord12(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "F";
  if (n == 0) return "J";
  if (has(s, n, "P")) return "J";
  if (!verbAfter(s, w)) return "V";
  return "J";
}

const char* resolveWord13(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (w == s.firstTop) return "I";
  if (!has(s, p, "V") && !verbAfter(s, w)) return "V";
  return "I";
}

const char* resolveWord14(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 12)) return "V";
  if (has(s, n, "V") && !isIn(s, n, {43, 42, 45, 41})) return "F";
  if (has(s, n, "G") && !isText(s, n, "F")) return "F";
  if (has(s, n, "I")) return verbAfter(s, w) ? "F" : "V";
  if (is9or11(s, p)) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, 9)) return "N";
  if (has(s, p, "C")) return "N";
  if (p == 0 || has(s, p, "U")) return "N";
  return "V";
}

const char* resolveWord15(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, n, {"F", "V", "G"})) return "J";
  return "I";
}

const char* resolveWord16(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  const int p3 = prevNode(s, p2), p4 = prevNode(s, p3);
  if (p == 0 || has(s, p, "P")) return "V";
  if (p2 == 0 && (has(s, p, "R") || !has(s, p, "N"))) return "V";
  if (has(s, p, "N") && has(s, p2, "N")) return "E";
  if (n == 0 || has(s, n, "P")) return "E";
  if (hasAny(s, n, {"V", "DP", "A", "U", "UG"})) return "E";
  if (is(s, n, 225)) return "E";
  if (is(s, p2, 188) || is(s, p3, 188) || is(s, p4, 188)) return "E";
  if (hasAny(s, p, {"I", "F", "G", "E", "L", "R", "O", "H"})) return "V";
  if (verb(s, w)) return "V";
  if (hasU(s, p)) return "N";
  return "E";
}

const char* resolveWord17(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "S";
  if (anur(s, n)) return "I";
  if (has(s, n, "R")) return "I";
  if (verb(s, w)) return "V";
  if (has(s, n, "N") && !ms(s, n, "D") && !ms(s, n, "H") && !ms(s, n, "I") && !ms(s, n, "J") &&
      !prop(s, n, "A") && !prop(s, n, "B") && !prop(s, n, "C") && !prop(s, n, "E") && isIn(s, p, kSetQ4))
    return "S";
  if (has(s, p, "F")) return "A";
  if (has(s, p, "R") && ms(s, p, "A")) return "A";
  if (is(s, n, 9)) return "A";
  if (has(s, n, "E")) return "A";
  if (has(s, n, "O")) return "A";
  return "I";
}

const char* resolveWord18(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (has(s, p, "F") || has(s, p, "G")) return resolveClassVF(s, i);
  if (is(s, p, 9)) return "N";
  if (has(s, n, "E")) return resolveClassVF(s, i);
  if (has(s, p, "U")) return "F";
  if (has(s, p, "UG")) return "F";
  if (p != 0 && hasU(s, w) && (has(s, p, "S") || has(s, p, "N"))) return "F";
  if (hasU(s, n) && has(s, w, "S") && has(s, p, "N")) return "F";
  return keep(s, i);
}

const char* resolveWord19(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") && ms(s, n, "B") && (ss(s, n, "A") || ss(s, n, "F"))) return "A";
  return "V";
}

const char* resolveWord20(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (anur(s, n) || has(s, n, "R")) return "I";
  if (hasAny(s, p, {"F", "G", "N"})) return "F";
  if (!endsIn(s, p, 9) && has(s, p, "R") && ms(s, p, "A")) return "F";
  if (has(s, n, "V")) return "F";
  if (verb(s, n)) return "F";
  if (is(s, p, 9)) return "N";
  if (has(s, n, "A") && rb(s, n2)) return "N";
  return keep(s, i);
}

const char* resolveWord21(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {14, 12, 13, 2})) return "V";
  if (has(s, n, "V") || has(s, n, "F")) return "G";
  if (has(s, n, "DP")) return "I";
  for (int label : {90, 191, 201, 202, 203, 204, 205, 206}) {
    if (follows(s, w, label)) return "I";
  }
  if (!is(s, p, 9) && anur(s, n)) return verbAfter(s, w) == 0 ? "V" : "I";
  if (!isIn(s, p, {9, 74, 12})) return is(s, n, 9) ? "V" : "I";
  if (precedes(s, p, 106)) return "N";
  if (is(s, n, 9)) return "V";
  return "I";
}

const char* resolveWord22(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (n == 0 || has(s, n, "P")) return "A";
  if (has(s, n, "A")) return "F";
  if (has(s, n, "V")) return "F";
  return "V";
}

const char* resolveWord23(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") && !cval(s, p, "0")) return "E";
  if (is(s, p, 9)) return "N";
  return "V";
}

const char* resolveWord24(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (!has(s, p, "V") && is(s, n, 12)) return "V";
  if (isIn(s, n, {14, 13, 90}) || has(s, n, "I") || has(s, n, "L")) return "V";
  if (anur(s, n)) return "V";
  return "F";
}

const char* resolveWord25(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, kSetV3)) return "V";
  return "F";
}

const char* resolveWord26(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p)) return "N";
  if (!has(s, p, "R") && !has(s, p, "A")) return "V";
  if (endsIn(s, p, 9)) return "N";
  return "V";
}

const char* resolveWord27(CjSentence&, int) { return "N"; }

const char* resolveWord28(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, 91)) return "N";
  return "V";
}

const char* resolveWord29(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") && cval(s, p, "1")) return "N";
  if (isIn(s, n, kSetV3)) return "V";
  return "N";
}

const char* resolveWord30(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (!has(s, n, "R") && !has(s, n, "N")) return "J";
  if (end(s, n2)) return "V";
  return "J";
}

const char* resolveWord31(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p) || isIn(s, p, kSetQ4)) return "S";
  if (has(s, n, "V")) return "E";
  if (is(s, n, 9)) return "N";
  return "S";
}

const char* resolveWord32(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") || is(s, n, 9)) return "N";
  if (is(s, n, 12) && !end(s, n2)) return "V";
  if (has(s, p, "R") && ms(s, p, "A") && !has(s, n2, "V")) return "V";
  if (!has(s, p, "G")) return "N";
  return "V";
}

const char* resolveWord33(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (p != 0 && has(s, w, "R") && ms(s, w, "C") && hasU(s, p)) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "N";
  if (hasU(s, p) && is(s, n, 193)) return "N";
  if (hasU(s, p) && hasAny(s, n, {"I", "R", "V", "F", "G"})) return "N";
  if (is(s, n, 194) && has(s, n, "N")) return "S";
  if (isIn(s, n, {195, 196, 197, 198})) return "S";
  if (has(s, p, "V")) return "S";
  return keep(s, i);
}

const char* resolveWord34(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, 226)) {
    if (isIn(s, n, kMeasureFollowers)) return "N";
    if (has(s, n, "N") && ms(s, n, "D")) return "C";
    if (isIn(s, n, {227, 228})) return "C";
    return "N";
  }
  if (isIn(s, p, {90, 51, 139}) || isIn(s, n, kMeasureFollowers)) return "N";
  if (has(s, n, "N") && ms(s, n, "D")) return "C";
  if (isIn(s, n, {227, 228})) return "C";
  if (isIn(s, n, {64, 179, 68})) return "F";
  if (!has(s, n, "N") || ms(s, n, "A") || prop(s, n, "A") || prop(s, n, "B") || prop(s, n, "C")) return "N";
  if (!prop(s, n, "E")) return "A";
  return "N";
}

const char* resolveWord35(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, kSetV3) || isIn(s, p, {90, 68, 28, 199, 92, 200})) return "V";
  if (hasAny(s, n, {"V", "F", "I", "G", "DP"})) return "F";
  if (has(s, p, "F") || has(s, p, "G")) return "V";
  if (!anur(s, n)) return "F";
  if (ms(s, n, "D")) return "F";
  if (ms(s, n, "F")) return "F";
  return "V";
}

const char* resolveWord36(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {13, 12, 14, 2})) return "V";
  if (is(s, n, 9)) return "A";
  if (prefA(s, w)) return "A";
  if (isIn(s, n, {189, 190}) || isIn(s, p, {191, 192})) return "V";
  if (has(s, n, "U")) return "N";
  return "A";
}

const char* resolveWord37(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 9)) return "A";
  if (verb(s, n)) return "F";
  if (hasAny(s, n, {"F", "A", "G", "R", "V"})) return "F";
  if (p == 0) return "A";
  return "F";
}

const char* resolveWord38(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (n != 0 && s.nodes[n].CAT.size() >= 2) resolveByCandidateSet(s, n);
  if (has(s, n, "N")) return "I";
  if (has(s, n, "F")) return "F";
  if (has(s, n, "V")) return "F";
  if (n == 0 || has(s, n, "P") || has(s, n, "E")) return "V";
  if (hasAny(s, n, {"R", "U", "UG"}) || anur(s, n)) return "I";
  if (verb(s, n)) return "F";
  if (p == 0) return "I";
  if (has(s, n, "I")) {
    const int v = verbAfter(s, n);
    if (v != 0 && !is9or11(s, nextNode(s, v))) return "F";
  }
  return "I";
}

const char* resolveWord39(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, n) && !cval(s, n, "0") && is(s, n2, 12)) return "F";
  if (is(s, n, 12) || is(s, n, 14)) return "V";
  if (verbAfter(s, w)) return "I";
  if (prevVerbWord(s, w)) return "I";
  return "V";
}

const char* resolveWord40(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, {167, 53, 54}) && (has(s, n, "N") || rb(s, n))) return "S";
  if (is(s, p, 168) || hasAny(s, p, {"G", "F", "J"}) || isInSharedWordList(s, text(s, w))) return "I";
  if (isIn(s, n, {13, 12, 14, 2})) return "V";
  if (hasU(s, p) || isIn(s, p, {53, 54})) return "S";
  if (hasAny(s, p, {"F", "G", "R", "N"})) return "I";
  if (verb(s, w)) return "V";
  if (p == 0) return "I";
  if (is(s, p, 127) || is(s, p, 128)) return "N";
  return "I";
}

const char* resolveWord41(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 137)) return "F";
  return keep(s, i);
}

const char* resolveWord42(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 63) || is(s, n, 12)) return "V";
  if (has(s, n, "A")) return "F";
  return keep(s, i);
}

const char* resolveWord43(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") && ms(s, n, "C") && ss(s, n, "J")) return "V";
  return keep(s, i);
}

const char* resolveWord44(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") && is(s, n, 9)) return "E";
  if (has(s, p, "V") && anur(s, n)) return "I";
  if (precedes(s, p, 138) || precedes(s, p, 139) || precedes(s, p, 140)) return "I";
  if (verbAfter(s, n)) return "I";
  if (has(s, n, "U")) return "I";
  if (has(s, n, "UG")) return "I";
  if (has(s, n, "N") && ms(s, n, "I")) return "I";
  if ((has(s, n, "R") || has(s, n, "A")) && has(s, n2, "N") && ms(s, n2, "I")) return "I";
  if (!has(s, n, "R") || !ms(s, n, "C")) return "V";
  if (has(s, n2, "P")) return "I";
  if (has(s, n2, "E")) return "I";
  return "V";
}

const char* resolveWord45(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "A") || has(s, p, "V")) return "E";
  if (hasAny(s, n, {"V", "F", "I"})) return "G";
  if (isIn(s, n, kSetV3)) return "V";
  if (p == 0) return "V";
  return "E";
}

const char* resolveWord46(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "Y") || has(s, p, "F") || has(s, n, "V")) return "E";
  if (has(s, p, "A") && !contains(s, p, 9)) return "E";
  if (p == 0) return "N";
  if (is9or11(s, p)) return "N";
  if (!has(s, p, "R") && !has(s, p, "A")) return noun(s, w) ? "N" : keep(s, i);
  if (endsIn(s, p, 9)) return "N";
  if (noun(s, w)) return "N";
  return keep(s, i);
}

const char* resolveWord47(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if ((hasU(s, p) || is(s, p, 53) || is(s, p, 54)) && (is(s, n, 141) || is(s, n, 142))) {
    if (has(s, p, "U")) setCat(s, p, "U");
    setCat(s, n, "N");
    return "S";
  }
  if (is(s, n, 141)) return "S";
  if (has(s, p, "S")) return "N";
  if (is(s, p, 53)) return "N";
  if (is(s, p, 54)) return "N";
  return keep(s, i);
}

const char* resolveWord48(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, 81)) return "F";
  return "V";
}

const char* resolveWord49(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 9)) return "A";
  if (has(s, p, "F")) return "A";
  if (hasU(s, n) && (has(s, n2, "N") || has(s, n2, "S") || !ms(s, n2, "C"))) return "A";
  if (isIn(s, n, kSetT5)) return "N";
  if (!has(s, p, "A")) return keep(s, i);
  if (!ms(s, p, "A")) return keep(s, i);
  return "A";
}

const char* resolveWord50(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 9) && has(s, n2, "N") && ms(s, n2, "A")) return "V";
  if (!has(s, p, "N") || ms(s, p, "A") || ms(s, p, "Z")) return keep(s, i);
  if (!has(s, n, "E")) return "N";
  return keep(s, i);
}

const char* resolveWord51(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (inLabelList(s, p, 324)) {
    if (has(s, n, "V")) return "F";
    if (has(s, n, "G")) return "V";
    return "N";
  }
  if (hasAny(s, n, {"V", "G", "F"})) return "F";
  if (hasAny(s, p, {"F", "G", "R", "V"})) return "V";
  if (verb(s, w)) return "V";
  if (is9or11(s, n)) return "N";
  if (p == 0) return "N";
  return keep(s, i);
}

const char* resolveWord52(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") && is9or11(s, n)) return "N";
  if (precedes(s, p, 90)) return "L";
  if (inLabelList(s, p, 324)) return has(s, n, "V") ? "F" : "N";
  if (prevVerbWord(s, p)) return "L";
  if (hasAny(s, n, {"V", "G", "F"})) return "F";
  if (p == 0) return "F";
  return keep(s, i);
}

const char* resolveWord53(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") || is(s, n, 9)) return "A";
  if (is(s, n, 36)) return "F";
  if (has(s, p, "N") && ms(s, p, "K") && ss(s, p, "L") && is(s, n, 12)) return "V";
  if (has(s, p, "F") && ms(s, p, "B")) return "A";
  if (is(s, n, 2)) return "A";
  if (n == 0 || has(s, n, "P")) return "A";
  if (has(s, n, "F") && ms(s, n, "B")) return "F";
  if (has(s, n, "V")) return "F";
  return keep(s, i);
}

const char* resolveWord54(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N")) return "A";
  return keep(s, i);
}

const char* resolveWord55(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 12)) return "V";
  if (has(s, p, "F")) return "V";
  if (has(s, p, "G")) return "V";
  if (isIn(s, p, {11, 9, 143, 144, 145, 146}) || has(s, p, "A")) return "N";
  if (!has(s, n, "A") && !has(s, n, "F")) return end(s, w) ? "N" : keep(s, i);
  if (end(s, n)) return "N";
  if (end(s, w)) return "N";
  return keep(s, i);
}

const char* resolveWord56(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 147)) return "N";
  if (is(s, n, 148)) return "V";
  if (is(s, p, 148)) return "N";
  return keep(s, i);
}

const char* resolveWord57(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 2)) return "V";
  return keep(s, i);
}

const char* resolveWord58(CjSentence& s, int i) { return keep(s, i); }

const char* resolveWord59(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, 74)) return "N";
  return "F";
}

const char* resolveWord60(CjSentence&, int) { return "J"; }

const char* resolveWord61(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") && ms(s, n, "A") && (ss(s, n, "F") || ss(s, n, "E"))) return "A";
  if (!has(s, n, "N")) return keep(s, i);
  if (prop(s, n, "B") || prop(s, n, "C")) return "A";
  return keep(s, i);
}

const char* resolveWord62(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {73, 149}) || hasAny(s, n, {"V", "G", "F", "I"})) return "F";
  if (anur(s, n)) return "V";
  return keep(s, i);
}

const char* resolveWord63(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V") && cval(s, n, "0") && !cval(s, n, "1") && has(s, n2, "N") &&
      ((n3 != 0 && isListedHeadWord(s, n3)) || has(s, n3, "P") || rb(s, n3)))
    return "V";
  if (has(s, n, "A") && rb(s, n2)) return "F";
  if (has(s, n, "N") && (has(s, n2, "A") || isIn(s, n2, {87, 150}))) return "I";
  if ((has(s, n, "R") || has(s, n, "A")) && is(s, n2, 9)) return "V";
  if (hasAny(s, n, {"V", "G", "I", "F"})) return "F";
  return "V";
}

const char* resolveWord64(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "S")) return "R";
  return keep(s, i);
}

const char* resolveWord65(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "S")) return "R";
  if (is(s, n, 104)) return "R";
  if (is(s, n, 45)) return "R";
  return keep(s, i);
}

const char* resolveWord66(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "N";
  if (has(s, p, "R") && ms(s, p, "C")) return "N";
  if (has(s, p, "V")) return "V";
  return keep(s, i);
}

const char* resolveWord67(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 2)) return "V";
  return "N";
}

const char* resolveWord68(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {12, 151, 152, 101})) return "V";
  if (hasAny(s, p, {"R", "U", "UG"})) return "N";
  if (ms(s, n, "H")) return "N";
  if (ms(s, n, "J")) return "N";
  return keep(s, i);
}

const char* resolveWord69(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, p, {"U", "UG", "A"}) || is(s, p, 9)) return "N";
  if (has(s, p, "I") && has(s, n, "V")) return "N";
  if (is(s, p, 153)) return "V";
  return keep(s, i);
}

const char* resolveWord70(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 154) || is(s, n, 12)) return "V";
  if (has(s, p, "U")) return "N";
  if (has(s, p, "UG")) return "N";
  return keep(s, i);
}

const char* resolveWord71(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, p, {"S", "U", "UG"})) return "N";
  if (is9or11(s, p)) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, 9)) return "N";
  if (is(s, n, 9)) return "N";
  if (is(s, p, 91) && has(s, n, "P")) return "N";
  if (is(s, p, 92) && has(s, n, "P")) return "N";
  if (has(s, p, "N")) return "V";
  if (has(s, p, "R") && !contains(s, n, 9)) return "V";
  if (has(s, p, "R")) return "N";
  if (p == 0) return "N";
  if (has(s, p, "A")) return "N";
  if (has(s, n, "V")) return "N";
  if (has(s, n, "J")) return "N";
  return keep(s, i);
}

const char* resolveWord72(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 48) && is(s, n2, 155)) return "V";
  if (is(s, p, 48)) return "V";
  return keep(s, i);
}

const char* resolveWord73(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, 156)) {
    setCat(s, p, "S");
    return "N";
  }
  if (is(s, p, 157) && !has(s, w, "V")) {
    setCat(s, p, "S");
    return "N";
  }
  if (hasU(s, w) && has(s, p, "S")) {
    setCat(s, p, "S");
    return "N";
  }
  if (isIn(s, p, {12, 14, 9, 13})) return "N";
  if (is9or11(s, n)) return "N";
  if (has(s, p, "A") && !attr(s, n)) return "N";
  if (has(s, p, "A") && rb(s, n)) return "N";
  if (has(s, p, "E") || has(s, p, "F")) return "V";
  if (isIn(s, n, {106, 147, 158, 159})) return "N";
  if (exactly(s, p, "V")) return "N";
  return "V";
}

const char* resolveWord74(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 14)) return "V";
  if (is(s, n, 106)) return "V";
  return keep(s, i);
}

const char* resolveWord75(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") && has(s, n, "N")) return "S";
  return keep(s, i);
}

const char* resolveWord76(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, 12)) return "V";
  return keep(s, i);
}

const char* resolveWord77(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, w, 160) || is(s, w, 161)) return "V";
  if (verb(s, w)) return "V";
  if (has(s, n2, "V") && is(s, n3, 12)) return "V";
  const int v = verbAfter(s, w);
  if (v == 0) return "V";
  if (cval(s, v, "0")) return "V";
  if (is(s, nextNode(s, v), 12)) return "I";
  if (is(s, nextNode(s, v), 14)) return "I";
  return "V";
}

const char* resolveWord78(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p)) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, 9)) return "N";
  if (has(s, p, "R") && ms(s, p, "A") && (has(s, n, "F") || has(s, n, "V"))) return "F";
  if (is9or11(s, n) && has(s, n2, "N")) return "A";
  if (!has(s, p, "F") && !has(s, p, "N")) return noun(s, w) ? "N" : "F";
  if (has(s, n, "F") || has(s, n, "V")) return "F";
  if (noun(s, w)) return "N";
  return "F";
}

const char* resolveWord79(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "N") || has(s, p, "R")) return "F";
  if (verb(s, n)) return "F";
  if (n != 0 && isListedWithSuccessor(s, n)) return "N";
  return "F";
}

const char* resolveWord80(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (noun(s, w)) return "N";
  if (hasAny(s, p, {"U", "UG", "R"})) return "S";
  if (is(s, n, 9)) return "A";
  if (p != 0) return "S";
  if (!end(s, n)) return "S";
  return "A";
}

const char* resolveWord81(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p) || isIn(s, p, {53, 54, 120, 121, 55})) return "S";
  if (has(s, n, "A")) return "F";
  if (verb(s, w)) return "V";
  return keep(s, i);
}

const char* resolveWord82(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p)) return "N";
  if (letters(s, p, "A")) return "N";
  if (has(s, p, "R") || has(s, p, "DP")) {
    if (is(s, n, 9)) return "V";
    if (has(s, n, "V")) return "G";
    if (n == 0) return "V";
    if (has(s, n, "P")) return "V";
  }
  if (letters(s, p, "F")) return "G";
  if (hasU(s, p)) return "N";
  if (has(s, p, "C")) return "N";
  return "VGNA";
}

const char* resolveWord83(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isNodeIndex(s, n) && chiLength(s, n) > 4) return "N";
  if (has(s, n, "V")) return "N";
  return "AN";
}

const char* resolveWord84(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (!has(s, n, "V")) return "AN";
  if (has(s, p, "P")) return "N";
  return "AN";
}

const char* resolveWord85(CjSentence&, int) { return "N"; }

const char* resolveWord86(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "N";
  return keep(s, i);
}

const char* resolveWord87(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  // Word nodes stand in text order, so "before W" compares positions: the marked word may sit
  // inside a phrase built earlier, where next links stop.
  const int marked = findMarkedWord(s, 1);
  if (marked != 0 && marked < w && contains(s, marked, 230)) return "F";
  if (has(s, n, "V") && (n2 == 0 || has(s, n, "P"))) return "G";
  if (is9or11(s, p)) return "N";
  if (is(s, n, 12) || n2 == 0) return "V";
  if (has(s, n, "P")) return "V";
  return "F";
}

}  // namespace cj
