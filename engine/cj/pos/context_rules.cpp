// The context rule sets: short patterns over neighbouring nodes that settle several nodes at once.
#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/role_assignment.h"
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"

namespace cj {

using namespace pos;

namespace {

constexpr int kNormal = -1;  // the walk goes on with X's next node

bool is9or11(const CjSentence& s, int k) { return is(s, k, 9) || is(s, k, 11); }
bool len(const CjSentence& s, int k, int bytes) { return isNodeIndex(s, k) && chiLength(s, k) == bytes; }
bool missingOrP(const CjSentence& s, int k) { return k == 0 || has(s, k, "P"); }
bool hasAF(const CjSentence& s, int k) { return has(s, k, "AF") || has(s, k, "FA"); }
bool hasVN(const CjSentence& s, int k) { return has(s, k, "VN") || has(s, k, "NV"); }
bool nounZAJI(const CjSentence& s, int k) {
  return has(s, k, "N") && (ms(s, k, "Z") || ms(s, k, "A") || ms(s, k, "J") || ms(s, k, "I"));
}
bool isOneOf16To27(const CjSentence& s, int k) {
  for (int label = 16; label <= 27; ++label) {
    if (is(s, k, label)) return true;
  }
  return false;
}
// Verb code "0" on the head and none of "1", "H", "E".
bool headIntransitive(const CjSentence& s, int k) {
  return headHasVerbCVal(s, k, "0") && !headHasVerbCVal(s, k, "1") && !headHasVerbCVal(s, k, "H") &&
         !headHasVerbCVal(s, k, "E");
}
// N2 can close a measure phrase (rules 14 and 15).
bool closesMeasure(const CjSentence& s, int k) { return prefA(s, k) || noun(s, k) || is9or11(s, k); }
void settleMeasureTail(CjSentence& s, int k) {
  if (prefA(s, k)) {
    setCat(s, k, "A");
  } else if (!is9or11(s, k)) {
    setCat(s, k, "N");
  }
}

// The main rules at x; the node after which the walk resumes, or kNormal.
int applyMainRules(CjSentence& s, int x) {
  const int n1 = nextNode(s, x), n2 = nextNode(s, n1), n3 = nextNode(s, n2), n4 = nextNode(s, n3),
            n5 = nextNode(s, n4), p = prevNode(s, x);
  const bool first = x == s.firstTop;
  // 1
  if (is9or11(s, x) && has(s, n1, "N") && chiLength(s, n1) % 4 == 0 &&
      (has(s, n2, "F") || has(s, n2, "G") || (has(s, n2, "V") && (is(s, n3, 12) || is(s, n3, 14))))) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 2
  if (has(s, x, "V") && len(s, x, 4) && inContextList(s, n1, 1)) {
    setCat(s, x, "N");
    return kNormal;
  }
  // 3
  if (isIn(s, x, {53, 54, 127, 128, 1018, 120, 1109, 121, 1110, 1111, 119, 1112, 1113}) && has(s, n1, "N") &&
      len(s, n1, 4) && (n2 == 0 || hasAny(s, n2, {"P", "I", "L", "F", "G", "V"}) || is(s, n2, 9))) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 4
  if (isIn(s, x, {1114, 1115, 52, 1116}) && has(s, n1, "N") && len(s, n1, 4)) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 5, 6
  if (is(s, x, 91) || is(s, x, 1117)) {
    if (has(s, n1, "V") && len(s, n1, 4) && missingOrP(s, n2)) {
      setCat(s, n1, "N");
      return kNormal;
    }
    if (has(s, n1, "N") && has(s, n2, "V") && len(s, n2, 4) && missingOrP(s, n3)) {
      setCat(s, n2, "N");
      return kNormal;
    }
  }
  // 7
  if (has(s, x, "V") && has(s, n1, "C") && ms(s, n1, "F")) {
    setCat(s, x, "V");
    return kNormal;
  }
  // 8
  if (has(s, x, "V") && first && !cval(s, x, "H") && !cval(s, x, "E") && has(s, n1, "G")) {
    setCat(s, x, "N");
    return kNormal;
  }
  // 9 - 11
  if ((has(s, x, "A") || has(s, x, "V")) && is(s, n1, 2) && hasAny(s, n2, {"F", "A", "V"})) {
    setCat(s, n1, "E");
    return kNormal;
  }
  if (hasAny(s, x, {"R", "N", "U", "C"}) && is(s, n1, 2)) {
    setCat(s, n1, has(s, n2, "F") || has(s, n2, "V") ? "G" : "V");
    return kNormal;
  }
  // 12, 13
  if (is(s, x, 2) && first && (has(s, n1, "F") || has(s, n1, "V"))) {
    setCat(s, x, "G");
    return kNormal;
  }
  if (is(s, x, 2) && first && hasAny(s, n1, {"N", "R", "U", "C", "A"})) {
    setCat(s, x, "V");
    return kNormal;
  }
  // 14
  if (has(s, x, "U") && has(s, n1, "S") && closesMeasure(s, n2)) {
    setCat(s, x, "U");
    setCat(s, n1, "S");
    settleMeasureTail(s, n2);
    return kNormal;
  }
  // 15
  if (isIn(s, x, {152, 36, 1013, 53, 54, 55, 1109, 120, 121}) && has(s, n1, "S") && closesMeasure(s, n2)) {
    setCat(s, n1, "S");
    settleMeasureTail(s, n2);
    return kNormal;
  }
  // 16
  if (has(s, x, "I") && !has(s, x, "V") && has(s, n1, "N") && (is(s, n2, 1052) || is(s, n2, 1054)) &&
      has(s, n3, "N") && missingOrP(s, n4)) {
    setCat(s, x, "I");
    setCat(s, n1, "N");
    setCat(s, n2, "J");
    setCat(s, n3, "N");
    return kNormal;
  }
  // 17
  if (inContextList(s, x, 2) && (n1 == 0 || has(s, n1, "P") || isIn(s, n1, {9, 11, 1118, 1119, 1120, 1121}))) {
    setCat(s, x, "A");
    return kNormal;
  }
  // 18
  if (isIn(s, x, {238, 149, 1122}) && has(s, n1, "V") && isIn(s, n2, {230, 239, 1123, 238})) {
    setCat(s, x, "F");
    setCat(s, n1, "V");
    setCat(s, n2, "I");
    return kNormal;
  }
  // 19
  if (isIn(s, x, {9, 11, 12}) && rb(s, n2)) {
    if (!isListedHeadWord(s, n1) && !isListedVerbHead(s, n1) && !is(s, n1, 1124) && !is(s, n1, 1125) &&
        (has(s, n1, "V") || has(s, n1, "A")))
      setCat(s, n1, "N");
    return kNormal;
  }
  // 20
  if (is9or11(s, x) && has(s, n1, "F") && has(s, n2, "V") && missingOrP(s, n3)) {
    setCat(s, n1, "A");
    setCat(s, n2, "N");
    return kNormal;
  }
  // 21
  if (isIn(s, x, {1126, 1127, 87, 150}) && has(s, n1, "A") && is9or11(s, n2)) {
    setCat(s, n1, "A");
    return kNormal;
  }
  // 22
  if ((is(s, x, 1128) || is(s, x, 1129)) && has(s, n1, "V") && missingOrP(s, n2)) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 23, 24
  if (has(s, x, "G") && has(s, n1, "V") && !has(s, n1, "I")) {
    setCat(s, x, "G");
    setCat(s, n1, "V");
    return kNormal;
  }
  if (has(s, x, "G") && has(s, n1, "A") && missingOrP(s, n2)) {
    setCat(s, x, "G");
    return kNormal;
  }
  // 25
  if (has(s, x, "V") && cval(s, x, "1") && has(s, n1, "N") && (has(s, n2, "P") || is(s, n2, 9))) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 26
  if (isIn(s, x, {1130, 1131, 1132}) || has(s, x, "U") || has(s, n2, "U")) {
    if (inContextList(s, n1, 5)) setCat(s, n1, "U");
    return kNormal;
  }
  // 27 - 29
  if ((has(s, x, "G") || has(s, x, "F")) && isIn(s, n1, {5, 3, 166, 6, 1133, 1134, 7, 8}) && has(s, n2, "A") &&
      has(s, n3, "P")) {
    setCat(s, x, "F");
    setCat(s, n1, "F");
    setCat(s, n2, "A");
    return kNormal;
  }
  if ((isIn(s, x, {149, 68}) || has(s, x, "F")) && has(s, n1, "F") && has(s, n2, "V") && has(s, n3, "P")) {
    setCat(s, x, "F");
    setCat(s, n1, "F");
    setCat(s, n2, "V");
    return kNormal;
  }
  if (has(s, x, "G") && has(s, n1, "F") && has(s, n2, "V") && has(s, n3, "P")) {
    setCat(s, x, "G");
    setCat(s, n1, "F");
    setCat(s, n2, "V");
    return kNormal;
  }
  // 30
  if (has(s, x, "A") && !has(s, x, "V") && isIn(s, n1, {52, 1116, 101, 1010})) {
    setCat(s, x, "A");
    return kNormal;
  }
  // 31
  if (has(s, x, "V") && !is(s, x, 1032) && !is(s, x, 1056) && is(s, n1, 225)) {
    setCat(s, x, "N");
    return kNormal;
  }
  // 32, 33
  if (has(s, x, "V") && headIntransitive(s, x) && is(s, n1, 1)) {
    setCat(s, x, "F");
    return kNormal;
  }
  if (has(s, x, "V") && len(s, x, 4) && headIntransitive(s, x) && has(s, n1, "N")) {
    if (hasNounSense(s, x)) setCat(s, x, "N");
    return kNormal;
  }
  // 34
  if (isIn(s, x, {5, 7, 3, 166}) && has(s, n1, "A")) {
    setCat(s, n1, "A");
    return kNormal;
  }
  // 35
  if (exactly(s, x, "I") && has(s, n1, "V") && (has(s, n2, "I") || has(s, n2, "L"))) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 36
  if (isIn(s, x, {1135, 1136, 1137, 1138, 1139}) && has(s, n2, "N")) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 37
  if (has(s, x, "V") && ms(s, x, "1") && has(s, n1, "V") && has(s, n2, "P")) {
    setCat(s, n1, "N");
    return kNormal;
  }
  // 38
  if (!is(s, n1, 73) && ((has(s, x, "V") && len(s, x, 2)) || is(s, x, 12)) && !is(s, n1, 1057) &&
      has(s, n1, "S") && len(s, n1, 2) && (has(s, n2, "A") || has(s, n2, "N"))) {
    setCat(s, n1, "S");
    return kNormal;
  }
  // 39
  if (has(s, x, "V") && !ms(s, x, "K") && len(s, x, 4) && inContextList(s, n1, 6)) {
    if (!(is(s, n1, 1141) && prevVerbWord(s, x) == 0 && verbAfter(s, x) == 0)) {
      setCat(s, x, "N");
      setCat(s, n1, "N");
    }
    return kNormal;
  }
  // 40, 41
  if ((isIn(s, x, {9, 11, 12}) || (has(s, x, "V") && ms(s, x, "1"))) && hasAF(s, n1) && hasVN(s, n2) &&
      has(s, n3, "P")) {
    setCat(s, n1, "A");
    setCat(s, n2, "N");
    return n3;
  }
  // 42
  if (hasAF(s, x) && hasVN(s, n1) && isIn(s, n2, {12, 13, 14})) {
    setCat(s, x, "F");
    setCat(s, n1, "V");
    return n1;
  }
  // 43
  if (has(s, x, "V") && is(s, n1, 9) && has(s, n3, "P")) return kNormal;
  // 44
  if (is9or11(s, x) && has(s, n1, "N") && has(s, n2, "P")) {
    setCat(s, n1, "N");
    return n2;
  }
  // 45
  if (has(s, x, "V") && cval(s, x, "0") && !cval(s, x, "1") && !cval(s, x, "E") && !cval(s, x, "H") &&
      !cval(s, x, "2") && !cval(s, x, "3") && len(s, x, 4) && inContextList(s, n1, 3) && has(s, x, "N")) {
    setCat(s, x, "N");
    setCat(s, n1, "N");
    return n1;
  }
  // 46
  if (is(s, x, 11) && has(s, n1, "N")) {
    setCat(s, n1, "N");
    return n1;
  }
  // 47, 48
  if (is9or11(s, x) && has(s, n1, "V") && has(s, n2, "V") && has(s, n3, "J") && has(s, n4, "N") &&
      has(s, n5, "P")) {
    setCat(s, n1, "N");
    setCat(s, n2, "N");
    return n5;
  }
  if (is9or11(s, x) && has(s, n1, "V") && has(s, n2, "J") && has(s, n3, "N") && has(s, n3, "P")) {
    setCat(s, n1, "N");
    return n4;
  }
  // 49
  if (has(s, x, "F") && hasAF(s, n1) && hasVN(s, n2) && has(s, n3, "P")) {
    setCat(s, n1, "A");
    setCat(s, n2, "N");
    return n3;
  }
  // 50
  if (has(s, x, "N") && isIn(s, n1, {1052, 1142, 1054}) && has(s, n2, "V") && has(s, n3, "P")) {
    setCat(s, n2, "N");
    return n3;
  }
  // 51
  if (isIn(s, x, {1030, 110, 248, 1143, 1144}) && has(s, n1, "V")) {
    setCat(s, x, "G");
    setCat(s, n1, "V");
    return n1;
  }
  // 52
  if (has(s, x, "V") && has(s, n1, "U") && has(s, n2, "S") && ms(s, n2, "F")) {
    setCat(s, x, "V");
    setCat(s, n1, "U");
    setCat(s, n2, "S");
    return n2;
  }
  // 53, 54
  if (has(s, x, "V") && isIn(s, n1, {68, 2, 12}) && inContextList(s, n2, 4)) {
    setCat(s, x, "V");
    return n2;
  }
  if (has(s, x, "V") && !has(s, x, "G") && !has(s, x, "F") && inContextList(s, n1, 4)) {
    setCat(s, x, "V");
    return kNormal;
  }
  // 55
  if (has(s, x, "V") && isIn(s, n1, {12, 13, 2})) {
    if (missingOrP(s, p)) setCat(s, x, "V");
    return kNormal;
  }
  // 56, 57
  if (is(s, x, 1145) && has(s, n1, "V") && has(s, n1, "N")) {
    setCat(s, n1, "N");
    return kNormal;
  }
  if (is(s, x, 90) && has(s, n1, "V") && has(s, n1, "N") && has(s, n2, "L")) {
    setCat(s, n1, "N");
    return n1;
  }
  // 58
  if (!hasAny(s, x, {"R", "U", "UG"}) && is(s, n1, 1019) && has(s, n2, "N")) {
    setCat(s, n1, "R");
    return n1;
  }
  const bool gv = s.nodes[x].CAT == "GV" || s.nodes[x].CAT == "VG";
  // 59
  if (!gv) {
    if (is(s, x, 12) && has(s, n1, "N") && !is(s, n2, 90)) {
      setCat(s, n1, "N");
    } else if (is(s, x, 12) && has(s, n1, "A") && has(s, n2, "N")) {
      setCat(s, n1, "A");
      setCat(s, n2, "N");
    } else if (is(s, x, 12) && has(s, n1, "N") && has(s, n2, "N")) {
      setCat(s, n1, "N");
      setCat(s, n2, "N");
    } else if (is(s, x, 1032) && is(s, n1, 225)) {
      setCat(s, x, "E");
      setCat(s, n1, "N");
    }
    return kNormal;
  }
  // 60
  if (has(s, n1, "V")) {
    setCat(s, x, "G");
  } else if ((has(s, n1, "F") || (has(s, n1, "N") && ms(s, n1, "I"))) && has(s, n2, "V")) {
    setCat(s, x, "G");
  } else if (missingOrP(s, n1)) {
    setCat(s, x, "V");
  } else if (!is(s, x, 2)) {
    setCat(s, x, "V");
  } else if (verbAfter(s, x)) {
    setCat(s, x, hasAny(s, n1, {"N", "S", "U", "R", "A"}) ? "V" : "G");
  } else {
    setCat(s, x, "V");
  }
  return kNormal;
}

}  // namespace

bool applyLeadingContextRules(CjSentence& s, int x) {
  if (!isNodeIndex(s, x)) return false;
  const int n1 = nextNode(s, x), n2 = nextNode(s, n1), n3 = nextNode(s, n2), p = prevNode(s, x);
  // 1
  if (is9or11(s, x) && hasAny(s, n1, {"C", "A", "U"}) && has(s, n2, "N") && rb(s, n3)) {
    setCat(s, n2, "N");
    return true;
  }
  // 2
  if (isIn(s, x, {5, 7, 3, 1146, 1134, 6, 166}) && has(s, n1, "A")) {
    setCat(s, x, "F");
    setCat(s, n1, "A");
    return true;
  }
  // 3
  if (is9or11(s, x) && letters(s, n1, "AF") && letters(s, n2, "VN") &&
      (has(s, n3, "I") || has(s, n3, "DP") || is9or11(s, n3) || rb(s, n3))) {
    setCat(s, n1, "A");
    setCat(s, n2, "N");
    return true;
  }
  // 4
  if (lb(s, x) && letters(s, x, "AF") && letters(s, n1, "VN")) {
    setCat(s, x, "F");
    setCat(s, n1, "V");
    return true;
  }
  // 5
  if ((has(s, x, "R") || has(s, x, "N")) && letters(s, n1, "AF") && letters(s, n2, "VN")) {
    setCat(s, n1, "F");
    setCat(s, n2, "V");
    return true;
  }
  // 6
  if (letters(s, x, "AF") && letters(s, n1, "VN") && hasAny(s, n2, {"R", "N", "U"})) {
    setCat(s, x, "F");
    setCat(s, n1, "V");
    return true;
  }
  // 7
  if (is9or11(s, x) && isIn(s, n1, {203, 205, 1147, 1148, 1149, 1150, 1151, 1152, 1153, 1154})) {
    unlinkNode(s, x);
    setCat(s, n1, "L");
    return true;
  }
  // 8
  if (letters(s, x, "FGV") && letters(s, n1, "N")) {
    setCat(s, x, "V");
    return true;
  }
  // 9
  if (exactly(s, x, "V") && endsIn(s, x, 12) && has(s, n1, "N") && rb(s, n2)) {
    setCat(s, n1, "N");
    return true;
  }
  // 10
  if (has(s, x, "V") && is(s, n1, 12) && has(s, n2, "N") && rb(s, n3)) {
    setCat(s, n2, "N");
    return true;
  }
  // 11, 12
  if (has(s, x, "F") && is(s, n1, 92)) {
    setCat(s, x, "F");
    return true;
  }
  if (has(s, x, "G") && is(s, n1, 92)) {
    setCat(s, x, "G");
    return true;
  }
  // 13
  if (has(s, x, "A") && is(s, n1, 1155) && has(s, n2, "A") && is9or11(s, n3)) {
    setCat(s, x, "A");
    setCat(s, n2, "A");
    return true;
  }
  // 14
  if (letters(s, x, "N") && is(s, n1, 1156) && is(s, n2, 9)) {
    setCat(s, x, "N");
    setCat(s, n1, "N");
    return true;
  }
  // 15
  if (has(s, x, "N") && isIn(s, n1, {1052, 1142, 1080, 1157}) && letters(s, n2, "N")) {
    setCat(s, x, "N");
    setCat(s, n1, "J");
    return true;
  }
  // 16
  if (has(s, x, "V") && isIn(s, n1, {1052, 1012, 1142, 1080, 1157}) && has(s, n2, "V") &&
      isIn(s, n3, {14, 13, 12, 2})) {
    setCat(s, x, "V");
    setCat(s, n1, "J");
    setCat(s, n2, "V");
    return true;
  }
  // 17
  if ((has(s, x, "F") || has(s, x, "G")) && has(s, n1, "V") && isIn(s, n2, {1052, 1012, 1142, 1080, 1157}) &&
      has(s, n3, "V")) {
    setCat(s, x, "F");
    setCat(s, n1, "V");
    setCat(s, n2, "J");
    setCat(s, n3, "V");
    return true;
  }
  // 18, 19
  if (letters(s, x, "FVN") && hasAny(s, n1, {"I", "DP", "V"})) {
    setCat(s, x, "F");
    return true;
  }
  if (letters(s, x, "GV") && hasAny(s, n1, {"I", "DP", "V"})) {
    setCat(s, x, "G");
    return true;
  }
  // 20
  if (letters(s, x, "GA")) {
    setCat(s, x, !is(s, n1, 9) && !rb(s, n1) ? "G" : "A");
    return true;
  }
  // 21, 22
  if (letters(s, x, "FA") && (has(s, n1, "I") || has(s, n1, "DP") || letters(s, n1, "V"))) {
    setCat(s, x, "F");
    return true;
  }
  if (letters(s, x, "FA") && letters(s, n1, "N")) {
    setCat(s, x, "A");
    return true;
  }
  // 23
  if (hasU(s, x) && has(s, n1, "S") && has(s, n2, "N")) {
    if (has(s, x, "U")) setCat(s, x, "U");
    setCat(s, n1, "S");
    return true;
  }
  // 24 - 27
  if (has(s, x, "F") && has(s, n1, "G") && has(s, n2, "F") && has(s, n3, "V")) {
    setCat(s, x, "F");
    setCat(s, n1, "G");
    setCat(s, n2, "F");
    setCat(s, n3, "V");
    return true;
  }
  if (has(s, x, "F") && has(s, n1, "G") && has(s, n2, "V")) {
    setCat(s, x, "F");
    setCat(s, n1, "G");
    setCat(s, n2, "V");
    return true;
  }
  if (has(s, x, "G") && has(s, n1, "F") && has(s, n2, "F") && has(s, n3, "V")) {
    setCat(s, x, "G");
    setCat(s, n1, "F");
    setCat(s, n2, "F");
    setCat(s, n3, "V");
    return true;
  }
  if (has(s, x, "G") && has(s, n1, "F") && has(s, n2, "V")) {
    setCat(s, x, "G");
    setCat(s, n1, "F");
    setCat(s, n2, "V");
    return true;
  }
  // 28
  if (is(s, x, 167) && has(s, n1, "S") && has(s, n2, "N")) {
    setCat(s, x, "R");
    setCat(s, n1, "S");
    return true;
  }
  // 29
  if (has(s, x, "F") && !has(s, x, "A") && !has(s, x, "I") && has(s, n1, "V") &&
      !hasAny(s, n1, {"I", "N", "A", "F"})) {
    setCat(s, x, "F");
    setCat(s, n1, "V");
    return true;
  }
  // 30
  if (has(s, x, "G") && has(s, n1, "V") && !has(s, n1, "I")) {
    setCat(s, x, "G");
    setCat(s, n1, "V");
    return true;
  }
  // 31
  if (!is(s, x, 9) && !has(s, n1, "J") && !has(s, n1, "I") && has(s, n1, "V") && cval(s, n1, "1") &&
      (has(s, n2, "R") || nounZAJI(s, n2))) {
    setCat(s, n1, "V");
    return true;
  }
  // 32
  if (lb(s, x) && !has(s, x, "I") && !has(s, x, "J") && has(s, x, "V") && cval(s, x, "1") &&
      (has(s, n1, "R") || nounZAJI(s, n1))) {
    if (!isOneOf16To27(s, x)) setCat(s, x, "V");
    return true;
  }
  // 33
  if (nounZAJI(s, x) && has(s, n1, "V") && !hasAny(s, n1, {"F", "I", "J"}) &&
      hasAny(s, n2, {"N", "R", "A", "S", "U"})) {
    setCat(s, n1, "V");
    return true;
  }
  // 34
  if (lb(s, x) && !has(s, x, "I") && !has(s, x, "J") && has(s, x, "V") && !cval(s, x, "0") &&
      (has(s, n1, "R") || (has(s, n1, "N") && (ms(s, n1, "Z") || ms(s, n1, "A"))))) {
    if (!isOneOf16To27(s, x)) setCat(s, x, "V");
    return true;
  }
  // 35
  if ((exactly(s, x, "A") || is9or11(s, x)) && has(s, n1, "N") && !has(s, n1, "V")) {
    setCat(s, n1, "N");
    return true;
  }
  // 36
  if (is(s, x, 1158) && has(s, n1, "N") && !len(s, n1, 2) && !has(s, n2, "N")) {
    setCat(s, x, "R");
    setCat(s, n1, "N");
    return true;
  }
  // 37
  if (isIn(s, x, {167, 53, 54, 120, 121}) && has(s, n1, "S")) {
    setCat(s, n1, "S");
    return true;
  }
  // 38 - 41
  if (has(s, x, "F") && has(s, x, "C")) {
    if (is9or11(s, n1)) {
      setCat(s, x, "C");
      return true;
    }
    if (has(s, n1, "N") && !has(s, n1, "V")) {
      setCat(s, x, "C");
      setCat(s, n1, "N");
      return true;
    }
    if (has(s, n1, "N") && has(s, n1, "V") && !cval(s, n1, "0")) {
      setCat(s, x, "C");
      setCat(s, n1, "N");
      return true;
    }
    if (has(s, n1, "A") && is9or11(s, n2)) {
      setCat(s, x, "C");
      setCat(s, n1, "A");
      return true;
    }
  }
  // 42, 43
  if (has(s, x, "C") && has(s, n1, "A") && (has(s, n2, "N") || (is(s, n2, 9) && has(s, n3, "N")))) {
    setCat(s, x, "C");
    setCat(s, n1, "A");
    return true;
  }
  // 44
  if ((has(s, x, "U") || has(s, x, "R")) && has(s, n1, "S") && isText(s, n2, "N")) {
    setCat(s, n1, "S");
    setCat(s, n2, "N");
    return true;
  }
  // 45
  if ((has(s, x, "G") || has(s, x, "F")) && has(s, n1, "V") && isIn(s, n2, {1052, 1054, 1142}) && has(s, n3, "V")) {
    if (!is9or11(s, p)) {
      setCat(s, n1, "V");
      setCat(s, n2, "J");
      setCat(s, n3, "V");
    }
    return true;
  }
  // 46
  if (is9or11(s, x) && has(s, n1, "N") && isIn(s, n2, {1052, 1142, 1054}) && has(s, n3, "N")) {
    setCat(s, n1, "N");
    setCat(s, n2, "J");
    setCat(s, n3, "N");
    return true;
  }
  // 47, 48
  if ((has(s, x, "G") || has(s, x, "V")) && (has(s, n1, "I") || has(s, n1, "DP"))) {
    if (lb(s, x)) setCat(s, x, "V");
    return true;
  }
  // 49
  if (has(s, x, "V")) {
    if (!has(s, n1, "L") && !isIn(s, n1, {1159, 1160, 204, 206, 203, 1161, 214, 211, 210, 213, 1154})) return false;
    const bool keepAll = (p != 0 && !has(s, p, "P") && !has(s, p, "I") && !is(s, p, 12)) ||
                         isListedHeadWord(s, x) || isListedVerbHead(s, x) || chiLength(s, x) % 4 != 0 ||
                         !inContextList(s, n1, 7);
    if (!keepAll) setCat(s, x, "N");
    return true;
  }
  return false;
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
