// Class rules: each settles a word of one candidate set from its neighbours.
#include "engine/cj/analysis/verb_continuation.h"
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"

namespace cj {

using namespace pos;
using namespace pos::keys;

#define CJ_NEIGHBOURS                                                                                \
  [[maybe_unused]] const int w = i, p = prevNode(s, w), n = nextNode(s, w), n2 = nextNode(s, n), \
                             n3 = nextNode(s, n2)

namespace {

bool is9or11(const CjSentence& s, int k) { return is(s, k, kLw9) || is(s, k, kLw11); }

// Node a lies after node b on b's chain.
bool liesAfter(const CjSentence& s, int a, int b) {
  if (a == 0 || b == 0) return false;
  for (int k = nextNode(s, b), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (k == a) return true;
  }
  return false;
}

// The first verbal node after k. A localiser that may also be a verb (上, 下) right after a noun
// closes a place phrase (在桌子上) and is no verb.
int nextVerbalPastPlace(const CjSentence& s, int k) {
  if (k < 1) return 0;
  for (int j = nextNode(s, k), steps = 0; j != 0 && steps < kMaxNodes; j = nextNode(s, j), ++steps) {
    if (!isVerbalNode(s, j)) continue;
    if (s.nodes[j].CAT.view().find('L') != std::string_view::npos && has(s, prevNode(s, j), "N")) continue;
    return j;
  }
  return 0;
}

constexpr KeyList kIjvFollowers = {kLw215, kLw216, kLw217, kLw218, kLw219, kLw220, kLw221, kLw222, kLw223};

}  // namespace

const char* resolveClassAI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, w, kLw31) && isIn(s, n, {kLw32, kLw33, kLw34, kLw35})) return "A";
  if (attr(s, n)) return "I";
  if (is(s, n, kLw9)) return "A";
  if (!rb(s, n)) return "I";
  return "A";
}

const char* resolveClassVAG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, n) || rb(s, n)) return "A";
  if (verbAfter(s, n)) return "G";
  return "V";
}

const char* resolveClassVAI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (attr(s, n)) return "I";
  if (isIn(s, p, kSetS6)) return "A";
  if (is(s, n, kLw9)) return "A";
  if (rb(s, n)) return "A";
  if (isIn(s, n, {kLw12, kLw29, kLw30})) return "V";
  return "A";
}

const char* resolveClassNH(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (!is(s, n, kLw9) && !is(s, n, kLw1)) return "N";
  if (is(s, n2, kLw65) || is(s, n2, kLw63)) return "H";
  return "N";
}

const char* resolveClassNFI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (attr(s, n)) return "I";
  if (is(s, n, kLw9)) return "N";
  return "F";
}

const char* resolveClassNFL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (lb(s, w) && is(s, n, kLw9)) return "N";
  return "F";
}

const char* resolveClassVSL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (verb(s, p)) return "V";
  if (is(s, p, kLw36) && hasU(s, p)) return "S";
  if (lb(s, w)) return "V";
  return "L";
}

const char* resolveClassVFR(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "F";
  if (is(s, n, kLw1)) return "F";
  if (has(s, n, "F")) return "F";
  if (has(s, p, "R") && is(s, w, kLw61) && attr(s, n) && !verbAfter(s, w)) return "V";
  return "R";
}

const char* resolveClassNFC(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") || has(s, n, "A") || attr(s, n)) return "C";
  if (is9or11(s, n)) return "C";
  if (is(s, n, kLw1)) return "F";
  if (hasAny(s, n, {"R", "V", "A"})) return "F";
  if (rb(s, n)) return "N";
  return "F";
}

const char* resolveClassFH(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, n)) return "H";
  return "F";
}

const char* resolveClassSNA(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, {kLw36, kLw53, kLw54, kLw55}) || hasU(s, p)) return "S";
  if (has(s, p, "C")) return "S";
  if (p != 0 && !is9or11(s, p) && ((!has(s, p, "A") && !has(s, p, "R")) || !endsIn(s, p, kLw9))) return "S";
  if (!has(s, n, "N")) return "N";
  if (!cval(s, n, "A")) return "N";
  return "A";
}

const char* resolveClassVE(CjSentence& s, int i) { return keep(s, i); }

const char* resolveClassAF(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "R")) return "F";
  if (prefA(s, w)) return "A";
  if (has(s, n, "V")) return "F";
  if (has(s, n, "G")) return "F";
  if (is(s, n, kLw1)) return "F";
  if (has(s, n, "N")) return "A";
  if (is(s, p, kLw2)) return has(s, n2, "A") ? "F" : "A";
  if (has(s, n, "P")) return "A";
  if (has(s, p, "F")) return "A";
  if (has(s, n, "A") && has(s, n2, "P")) return "F";
  if (is(s, n, kLw2)) return "A";
  if (has(s, n, "I") || has(s, n, "F")) return "F";
  if (has(s, p, "N") && has(s, n, "A")) return "F";
  if (isIn(s, p, kSetS6)) return "A";
  if (!has(s, p, "V")) return "A";
  if (end(s, n)) return "A";
  return keep(s, i);
}

const char* resolveClassNAF(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS6)) return "A";
  if (is(s, n, kLw9)) return "A";
  if (is(s, n, kLw1)) return "F";
  if (has(s, p, "F") && has(s, n, "V")) return "F";
  if (has(s, p, "F")) return resolveClassAF(s, i);
  if (letters(s, n, "N")) return "A";
  if (letters(s, n, "V")) return "F";
  return "N";
}

const char* resolveClassNVAF(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw9) && !attr(s, n)) return "N";
  if (isIn(s, p, kSetS6)) return "A";
  if (is(s, n, kLw9) && attr(s, n2)) return "A";
  if (is(s, n, kLw1)) return "F";
  if (verb(s, w)) return "V";
  if (has(s, p, "G") && ms(s, p, "A")) return "V";
  if (is(s, n, kLw2)) return "V";
  if (is(s, w, kLw10) && has(s, n, "N") && (prop(s, n, "B") || prop(s, n, "C"))) return "A";
  if (is(s, n, kLw9)) return "A";
  return "N";
}

const char* resolveClassVF(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, w, {kLw16, kLw17, kLw18, kLw19, kLw20, kLw21, kLw22, kLw23, kLw24, kLw25, kLw26, kLw27})) return verbAfter(s, n) ? "F" : "V";
  if (has(s, n, "V")) return "F";
  if (has(s, n, "A")) return "F";
  if (is(s, w, kLw28) && hasAny(s, n, {"F", "G", "DP", "I"})) return "F";
  if (isIn(s, n, kSetV3)) return "V";
  if (is(s, n, kLw1)) return "F";
  if (verb(s, w)) return "V";
  if (verb(s, n)) return "F";
  if (has(s, p, "R") && is(s, n, kLw9)) return "V";
  const CjSense* first = nullptr;
  for (const CjSense& sense : s.nodes[w].senses) {
    if (sense.catLetter == 'V') {
      first = &sense;
      break;
    }
  }
  if (!first) return keep(s, i);
  if (first->C_VAL.contains("1")) return anur(s, n) ? "V" : "F";
  if (!first->C_VAL.contains("0")) return keep(s, i);
  if (anur(s, n)) return "F";
  if (n != 0 && !has(s, n, "P")) return keep(s, i);
  if (has(s, p, "V")) return keep(s, i);
  return "V";
}

const char* resolveClassVAF(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if ((p == 0 || has(s, p, "N")) && (n == 0 || has(s, n, "P"))) return "V";
  if (has(s, p, "V") && is(s, n, kLw12)) return "A";
  if (has(s, p, "V") && isOneCharWord(s, p)) return "A";
  if (has(s, n, "V")) return "F";
  if (isIn(s, n, kSetV3)) return "V";
  if (is(s, n, kLw1)) return "F";
  if (is(s, n, kLw9)) return "A";
  if (has(s, p, "S") && has(s, n, "N")) return "A";
  if (has(s, p, "A") && hasAny(s, n, {"P", "E", "I"})) return "A";
  if (has(s, n, "A")) return "F";
  if (isIn(s, p, kSetS6)) return "A";
  if (has(s, p, "F")) return "A";
  if (!has(s, n, "N")) return "V";
  if (!cval(s, w, "0")) return "V";
  return "A";
}

const char* resolveClassAG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw9) || rb(s, n)) return "A";
  return "G";
}

const char* resolveClassVAIS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS6)) return "A";
  if (anur(s, n)) return "I";
  if (verb(s, w)) return "V";
  if (hasU(s, p)) return "S";
  if (has(s, p, "F")) return "A";
  if (has(s, n, "E")) return "A";
  if (has(s, p, "J")) return "I";
  if (!has(s, p, "V")) return "V";
  return resolveClassAIS(s, i);
}

const char* resolveClassAIS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS4)) return "A";
  if (hasU(s, p)) return "S";
  if (has(s, p, "R")) return "I";
  if (attr(s, n)) return "I";
  if (rb(s, n)) return "A";
  return resolveClassAI(s, i);
}

const char* resolveClassVASL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS4)) return "A";
  if (has(s, p, "V") && isOneCharWord(s, p)) return "V";
  if (has(s, p, "N") && end(s, n)) return "L";
  if (is(s, p, kLw12)) return "S";
  if (verb(s, w)) return "V";
  if (verb(s, p)) return "V";
  if (is(s, p, kLw36) && hasU(s, p)) return "S";
  if (hasU(s, n) && has(s, n2, "S")) return "A";
  if (has(s, n, "S")) return "A";
  if (hasU(s, n) && is(s, n2, kLw37)) return "A";
  if (isIn(s, n, {kLw37, kLw38, kLw39})) return "A";
  if (has(s, n, "N") && ms(s, n, "I")) return "A";
  if (has(s, p, "F")) return "V";
  if (isIn(s, n, kSetV3)) return "V";
  if (has(s, n, "N")) return "V";
  if (has(s, n, "V") && ms(s, n, "J")) return "V";
  if (has(s, p, "R")) return "V";
  if (has(s, p, "N")) return "L";
  if (p == 0) return "V";
  if (has(s, n, "P")) return "L";
  return resolveClassVAS(s, i);
}

const char* resolveClassNA(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS6)) {
    setCat(s, p, "F");
    return "A";
  }
  if (has(s, p, "F") || has(s, p, "G")) return "A";
  if (!has(s, p, "V") && is(s, n, kLw12)) return "A";
  if (is(s, n, kLw9)) return "A";
  if (is(s, p, kLw2)) return "A";
  if (is(s, n, kLw40)) return "N";
  if (has(s, p, "R") && ms(s, p, "C")) return attr(s, n) ? "A" : "N";
  if (isIn(s, n, kSetT5)) return "N";
  if (has(s, p, "I") && has(s, n, "V")) return "N";
  if (has(s, p, "V") && has(s, n, "P")) return "N";
  if (has(s, p, "R") && ms(s, p, "B") && has(s, n, "F")) return "N";
  if (has(s, n, "L")) return "N";
  if (has(s, n, "V") && is(s, n2, kLw46) && is(s, n3, kLw9)) {
    setCat(s, n, "V");
    setCat(s, n2, "L");
    return "N";
  }
  if (exactly(s, n, "N")) return "A";
  if (is(s, p, kLw9)) return "N";
  if (is(s, p, kLw11)) return "N";
  if ((has(s, p, "A") || has(s, p, "R")) && endsIn(s, p, kLw9)) return "N";
  if (!attr(s, n)) return "N";
  if (!has(s, n, "F")) return "A";
  if (!has(s, n2, "V")) return "A";
  return "N";
}

const char* resolveClassNAS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS6)) return "A";
  if (hasU(s, p)) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "S";
  return "N";
}

const char* resolveClassNAU(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS6)) return "A";
  if (has(s, n, "S")) return "S";
  if (is(s, p, kLw47)) return "U";
  return "N";
}

const char* resolveClassNVA(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw9) && !attr(s, n)) return "N";
  if (isIn(s, p, kSetS6)) return "A";
  if (verb(s, w)) return "V";
  if (like9(s, p) && !anur(s, n)) return "N";
  if (is(s, n, kLw9)) return "A";
  if (is(s, n, kLw2)) return resolveClassVA(s, i);
  if (has(s, n, "G")) return "V";
  if (hasU(s, p) && is(s, w, kLw37)) return "N";
  if (has(s, p, "F") || has(s, p, "G")) return resolveClassVA(s, i);
  if (has(s, p, "S") && has(s, n, "P")) return "N";
  if (!has(s, n, "P")) return ms(s, p, "C") ? "A" : "N";
  int v = prevVerbWord(s, w);
  if (v == 0) return "A";
  return matchVerbContinuation(s, v, w) == 1 ? "N" : "A";
}

const char* resolveClassAR(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS6)) return "A";
  if (hasU(s, n)) return "R";
  if (has(s, n, "S")) return "R";
  if (has(s, n, "N") && (ms(s, n, "A") || ms(s, n, "I"))) return "R";
  if (has(s, n, "V")) return "R";
  return "A";
}

const char* resolveClassAS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "S";
  if (has(s, p, "R")) return "S";
  return "A";
}

const char* resolveClassVAS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS4)) return "A";
  if (verb(s, w)) return "V";
  if (hasU(s, p) && is(s, p, kLw49)) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "S";
  return resolveClassVA(s, i);
}

const char* resolveClassAV(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS4)) return "A";
  if (is(s, n, kLw2) && isIn(s, n2, {kLw5, kLw50})) return "A";
  if (verb(s, w)) return "V";
  if (has(s, n, "V") && ms(s, n, "J")) return "V";
  if (has(s, p, "V") && has(s, n, "E")) return "A";
  if (has(s, p, "V") && cval(s, p, "E") && has(s, n, "V")) return "V";
  if (is(s, n, kLw9) && has(s, n2, "N")) return "A";
  if (has(s, n, "E") && ms(s, n, "A")) return "V";
  if (has(s, p, "V") && !cval(s, p, "E") && has(s, n, "P")) return "A";
  if (is(s, n, kLw14)) return "V";
  if (has(s, p, "R") && ms(s, p, "C")) return "A";
  if (is(s, n, kLw51)) return "V";
  if (is(s, p, kLw52) && has(s, n, "P")) return "A";
  if (p == 0 || !is(s, w, kLw2)) return "V";
  if (!has(s, p, "F")) return "V";
  return "A";
}

const char* resolveClassNVFE(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isCatLetter(s, p, 'A') || is9or11(s, p)) return "N";
  if (verb(s, w)) return "V";
  if (verb(s, p) && end(s, n)) return "E";
  if (verb(s, p) && has(s, n, "N") && !ms(s, n, "H")) return "E";
  if (has(s, n, "E") && ms(s, n, "A")) return "V";
  if (is(s, n, kLw2)) return "V";
  if (has(s, p, "V")) return keep(s, i);
  if (is(s, w, kLw30)) return "N";
  return "V";
}

const char* resolveClassFRE(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, n, {"U", "UG", "C"})) return "R";
  if (has(s, n, "S")) return "R";
  if (isText(s, n, "P")) return "E";
  return "F";
}

const char* resolveClassNE(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "L")) return "N";
  if (!is(s, p, kLw56) && !is(s, p, kLw57) && has(s, p, "V")) return "N";
  if (isIn(s, p, {kLw58, kLw59, kLw60})) return "N";
  if (has(s, p, "J")) return "N";
  if (isIn(s, p, {kLw12, kLw14, kLw13, kLw9, kLw11})) return "N";
  if (!has(s, p, "A") && !has(s, p, "R")) return "E";
  if (endsIn(s, p, kLw9)) return "N";
  if (has(s, p, "A")) return "N";
  return "E";
}

const char* resolveClassNVE(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (has(s, p, "U")) return "N";
  if (has(s, p, "UG")) return "N";
  if (!has(s, p, "R")) return "V";
  if (!ms(s, p, "C")) return "V";
  return "N";
}

const char* resolveClassRE(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V")) return "R";
  return "E";
}

const char* resolveClassVA(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw2) && !has(s, p, "V") && is(s, n, kLw12)) return "V";
  if (isIn(s, p, kSetS6)) return "A";
  if (has(s, p, "F") && ms(s, p, "B")) return "A";
  if (has(s, p, "F") && chiLength(s, p) == 2) return "A";
  if (verb(s, w)) return "V";
  if (is(s, p, kLw48)) return "V";
  if (is(s, n, kLw9) && has(s, n2, "N")) return "A";
  if (has(s, n, "N") && ms(s, n, "I")) return "A";
  if (!has(s, n, "N")) return "AV";
  if (!ms(s, n, "C")) return "AV";
  return "V";
}

const char* resolveClassFG(CjSentence&, int) { return "G"; }
const char* resolveClassNFG(CjSentence&, int) { return "G"; }

const char* resolveClassVFRG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "F";
  if (is(s, n, kLw1)) return "F";
  if (verb(s, w)) return "V";
  if (has(s, n, "E") && ms(s, n, "A")) return "V";
  if (has(s, n, "R") && ms(s, n, "A")) return "V";
  if (has(s, n, "F")) return "G";
  if (has(s, n, "I")) return "G";
  if (has(s, n, "N")) return "R";
  return "V";
}

const char* resolveClassFI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, n, {"F", "V", "DP"})) return "F";
  if (hasAny(s, n, {"N", "S", "U", "UG"})) return "I";
  if (has(s, n, "R") && (ms(s, n, "A") || ms(s, n, "C"))) return "I";
  if (has(s, n, "R") && ms(s, n, "B") && ss(s, n, "A")) return "I";
  return "F";
}

const char* resolveClassNVFI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isCatLetter(s, p, 'A') || is9or11(s, p)) return "N";
  if (verb(s, w)) return "V";
  if (has(s, n, "V")) return "F";
  if (has(s, n, "R") && ms(s, n, "A")) return "F";
  if (!is(s, p, kLw62)) return "N";
  if (!is(s, n, kLw62)) return "N";
  return "V";
}

const char* resolveClassVFI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "F";
  if (n == 0 || has(s, n, "P")) return "V";
  if (attr(s, n)) return "I";
  if (has(s, n, "F") || has(s, n, "G")) return "F";
  if (is(s, p, kLw63)) return "V";
  return "F";
}

const char* resolveClassFJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (lb(s, p) && rb(s, n)) return "J";
  if (has(s, p, "P") && is(s, w, kLw64)) return "J";
  if (!has(s, n, "V") && has(s, n, "A")) return "J";
  if (attr(s, n)) return "J";
  return "F";
}

const char* resolveClassNFJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "P")) return "J";
  return "N";
}

const char* resolveClassFJR(CjSentence& s, int i) { return keep(s, i); }

const char* resolveClassFL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (lb(s, w)) return "F";
  if (has(s, n, "V")) return "F";
  if (has(s, n, "F")) return "F";
  if (!has(s, n, "G")) return "L";
  return "F";
}

const char* resolveClassNF(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw9)) return "N";
  if (is(s, n, kLw1)) return "F";
  if (letters(s, p, "A")) return "N";
  if (has(s, n, "V")) return "F";
  if (has(s, n, "A")) return "F";
  if (anur(s, n)) return "N";
  return "F";
}

const char* resolveClassNFRS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "S";
  if (is(s, p, kLw53)) return "S";
  if (has(s, p, "R") && ms(s, p, "C") && anur(s, n)) return "S";
  if (has(s, n, "G") || isIn(s, n, {kLw66, kLw67, kLw45, kLw42, kLw41, kLw44, kLw68})) return "F";
  if (has(s, n, "N")) return "R";
  if (has(s, p, "S")) return "N";
  if (!is(s, n, kLw69)) return keep(s, i);
  if (!has(s, n2, "N")) return keep(s, i);
  return "N";
}

const char* resolveClassNVF(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isCatLetter(s, p, 'A') || is9or11(s, p)) return "N";
  if (has(s, p, "R") && ms(s, p, "C")) return "N";
  if (has(s, p, "R") && endsIn(s, p, kLw9)) return "N";
  if (has(s, n, "A")) return "N";
  if (hasAny(s, n, {"V", "G", "I", "DP"})) return "F";
  if (verb(s, w)) return "V";
  if (!has(s, p, "F") && !has(s, p, "G") && !has(s, n, "E")) return keep(s, i);
  return resolveClassVF(s, i);
}

const char* resolveClassFR(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, n, {"U", "UG", "C"})) return "R";
  if (is9or11(s, n)) return "R";
  if (has(s, n, "F") || has(s, n, "V")) return "F";
  if (has(s, n, "N")) return "R";
  if (has(s, n, "G")) return "R";
  if (!end(s, n)) return keep(s, i);
  if (has(s, n, "A")) return "F";
  return "R";
}

const char* resolveClassFS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, n)) return "S";
  if (hasU(s, p)) return "S";
  if (isListedRWord(s, p) && has(s, n, "N")) return "S";
  if (isListedRWord(s, p) && has(s, n, "A")) return "S";
  if (is(s, w, kLw70) && is(s, n, kLw71)) return "S";
  if (p == 0) return "F";
  if (verb(s, n) || has(s, n, "G")) return "F";
  if (!has(s, p, "R")) return keep(s, i);
  if (!ms(s, p, "C")) return keep(s, i);
  return "F";
}

const char* resolveClassFU(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p) && !is(s, p, kLw72)) return "U";
  if (has(s, n, "S")) return "U";
  if (has(s, n, "N")) return "U";
  if (has(s, n, "V")) return "F";
  if (has(s, n, "F")) return "F";
  if (!has(s, n, "G")) return keep(s, i);
  return "F";
}

const char* resolveClassFY(CjSentence& s, int i) { return keep(s, i); }

const char* resolveClassIG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") || has(s, n, "R")) return "I";
  return "G";
}

const char* resolveClassVIG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "G";
  if (verb(s, w)) return "V";
  if (has(s, n, "N")) return "I";
  if (!has(s, n, "R")) return keep(s, i);
  return "I";
}

const char* resolveClassGJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") || has(s, n, "R")) return "J";
  if (has(s, p, "N") || has(s, p, "R") || has(s, n, "V")) return "G";
  if (has(s, p, "P")) return "J";
  return keep(s, i);
}

const char* resolveClassNG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, n, {"I", "F", "V"})) return "G";
  if (has(s, p, "S") || has(s, p, "U") || has(s, n, "UG")) return "N";
  if (isIn(s, p, {kLw74, kLw9, kLw11})) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, kLw9)) return "N";
  if (prefA(s, p)) return "N";
  if (isIn(s, p, {kLw75, kLw76, kLw77})) return "N";
  if (!has(s, p, "R") || ms(s, p, "C")) return keep(s, i);
  if (ms(s, p, "E")) return keep(s, i);
  return "G";
}

const char* resolveClassNVG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "G";
  if (has(s, n, "N")) return "V";
  if (anur(s, n)) return "V";
  if (verb(s, w)) return "V";
  if (is(s, p, kLw9)) return "N";
  if (rb(s, n) && (letters(s, p, "S") || letters(s, p, "A"))) return "N";
  if (rb(s, n) && has(s, p, "R") && ms(s, p, "C")) return "N";
  return resolveClassVG(s, i);
}

const char* resolveClassVRG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (has(s, n, "N")) return "G";
  if (has(s, n, "G")) return "R";
  if (has(s, n, "V")) return "R";
  if (!has(s, n, "F")) return "V";
  return "R";
}

const char* resolveClassVG(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, n, {"V", "DP", "I"})) return "G";
  if (has(s, n, "F")) return "G";
  return "V";
}

const char* resolveClassIJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") && end(s, n2)) return "J";
  return keep(s, i);
}

const char* resolveClassNVIJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (is(s, n, kLw13)) return "V";
  return keep(s, i);
}

const char* resolveClassNI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (attr(s, n)) return "I";
  if (is9or11(s, p)) return "N";
  if (letters(s, p, "A") || letters(s, p, "U") || letters(s, p, "S")) return "N";
  if (letters(s, p, "R") && ms(s, p, "C")) return "N";
  if (rb(s, n)) return "N";
  return keep(s, i);
}

const char* resolveClassNVI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (attr(s, n)) return "I";
  if (is9or11(s, p)) return "N";
  if (letters(s, p, "A")) return "N";
  if (has(s, p, "R") && ms(s, p, "C")) return "N";
  if (letters(s, p, "S") || letters(s, p, "C")) return "N";
  if (has(s, p, "R") && endsIn(s, p, kLw9)) return "N";
  if (verb(s, w)) return "V";
  if (rb(s, n)) return "N";
  if (is(s, n, kLw78)) return "N";
  if (isText(s, n, ",")) return "N";
  return "V";
}

const char* resolveClassIS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "S";
  if (has(s, p, "G")) return "I";
  if (isIn(s, p, {kLw79, kLw80, kLw81, kLw82})) return "I";
  return keep(s, i);
}

const char* resolveClassVI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, kSetV3)) return "V";
  const int verbal = nextVerbalPastPlace(s, n);
  if (verbal == 0) return "V";
  const std::string& before = wordOf(kLw84);
  const std::string& later = wordOf(kLw83);
  if (!before.empty() && isPrecededByWord(s, w, before) && !later.empty()) {
    const int after = findFollowingWord(s, w, later);
    if (after != 0 && liesAfter(s, verbal, after)) return "V";
  }
  return "I";
}

const char* resolveClassNJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw74)) return "N";
  if (letters(s, p, "A")) return "N";
  if (is9or11(s, p)) return "N";
  if (is(s, w, kLw85) || is(s, w, kLw86)) return "J";
  if (!lb(s, w)) return keep(s, i);
  if (!has(s, n, "V")) return keep(s, i);
  if (isListedHeadWord(s, n)) return keep(s, i);
  return "J";
}

const char* resolveClassRJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, n)) return "R";
  if (isText(s, n, "S")) return "R";
  if ((is(s, w, kLw87) || is(s, w, kLw54)) && (has(s, n, "R") || is(s, n, kLw88) || is(s, n, kLw66))) return "J";
  if (is(s, w, kLw54) && attr(s, n)) return "R";
  if (is(s, w, kLw54) && is(s, n, kLw41)) return "R";
  if (hasAny(s, n, {"V", "G", "F"})) return "J";
  return keep(s, i);
}

const char* resolveClassVRJ(CjSentence& s, int i) { return keep(s, i); }

const char* resolveClassJS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "S";
  if (!has(s, p, "R")) return "J";
  if (!ms(s, p, "C")) return "J";
  return "S";
}

const char* resolveClassNL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, w, kLw89)) return "N";
  if (has(s, p, "N")) return "L";
  if (has(s, p, "U")) return "N";
  if (!has(s, p, "UG")) return keep(s, i);
  return "N";
}

const char* resolveClassRL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "N")) return "L";
  if (is(s, n, kLw9)) return "R";
  return keep(s, i);
}

const char* resolveClassSL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "S";
  if (is(s, p, kLw54) || is(s, p, kLw55)) return "S";
  if (has(s, p, "V")) return "S";
  return "L";
}

const char* resolveClassVL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "F") || has(s, p, "G")) return "V";
  if (!has(s, n, "V") && isInSharedWordList(s, text(s, p))) return "V";
  if (has(s, p, "N") && (ms(s, p, "Z") || ms(s, p, "A"))) return "V";
  if (has(s, n, "V") && has(s, n2, "E")) return "L";
  if (is(s, n, kLw9)) return "L";
  if (p != 0 && has(s, w, "V") && !cval(s, w, "0") && has(s, p, "N")) return "L";
  if (has(s, p, "N") && is(s, n, kLw91)) return "L";
  if (is(s, n, kLw92)) return "L";
  if (has(s, p, "N") && has(s, n, "V")) return "L";
  if (has(s, p, "V")) return "V";
  return keep(s, i);
}

const char* resolveClassNR(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N")) return "R";
  return "N";
}

const char* resolveClassNS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "R") && ms(s, p, "C")) {
    if (n == 0) return "N";
    if (has(s, n, "P")) return "N";
    if (attr(s, n)) return "S";
  }
  if (hasU(s, p)) return "S";
  if (has(s, p, "V") && has(s, n, "V")) return "S";
  if (has(s, p, "R") && !ms(s, p, "C")) return "N";
  if (has(s, p, "N")) return "N";
  if (has(s, p, "P") && !is(s, w, kLw93)) return "N";
  if (has(s, n, "L")) return "N";
  if (is9or11(s, p)) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, kLw9)) return "N";
  if (isIn(s, p, {kLw94, kLw95, kLw96})) return "S";
  if (n == 0 || has(s, n, "P")) return "N";
  if (has(s, p, "S")) return "N";
  if (has(s, p, "R") && ms(s, p, "C")) return "S";
  if (is(s, p, kLw54) && is(s, w, kLw104)) return "S";
  return "N";
}

const char* resolveClassNUS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "U";
  if (has(s, n, "S")) return "U";
  if (hasU(s, n) && has(s, n2, "S")) return "U";
  if (has(s, n, "N") && ms(s, n, "B") && ss(s, n, "B")) return "S";
  if (has(s, p, "R") && ms(s, p, "S")) return "S";
  if (has(s, p, "R") && ms(s, p, "E")) return "N";
  if (is(s, p, kLw9) && has(s, w, "N") && ms(s, w, "A")) return "N";
  if (!has(s, p, "R") && !has(s, p, "N")) return keep(s, i);
  if (is(s, n, kLw9)) return "N";
  return keep(s, i);
}

const char* resolveClassNVS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (p == 0 && has(s, n, "R") && ms(s, n, "A")) return "V";
  if (verb(s, w)) return "V";
  if (has(s, p, "U")) return "S";
  if (has(s, p, "UG")) return "S";
  if (is(s, p, kLw53)) return "S";
  if (is(s, p, kLw54)) return "S";
  if ((is(s, w, kLw105) || is(s, w, kLw107)) && is(s, n, kLw106)) return "V";
  if (is(s, n, kLw108)) return "V";
  if (!is9or11(s, p) && is(s, w, kLw100) && (isText(s, n, ":") || is(s, n, kLw109))) return "V";
  if (has(s, p, "R") && ms(s, p, "A")) return "V";
  if (has(s, p, "R") && ms(s, p, "C") && has(s, n, "N")) return "S";
  if (has(s, p, "N") && has(s, n, "P")) return "N";
  if (has(s, p, "R") && ms(s, p, "C")) return "S";
  if (has(s, p, "V") && has(s, n, "N")) return "V";
  if (is(s, p, kLw110)) return "V";
  return resolveClassNV(s, i);
}

const char* resolveClassNU(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "S")) return "U";
  return "N";
}

const char* resolveClassVO(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (is(s, n, kLw12)) return "V";
  if (is(s, p, kLw111)) return "O";
  if (is(s, n, kLw111)) return "O";
  return keep(s, i);
}

const char* resolveClassUS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "S")) return "U";
  if (hasU(s, p)) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "S";
  if (has(s, n, "N")) return "U";
  return keep(s, i);
}

const char* resolveClassVS(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, w, kLw112)) {
    if (!has(s, p, "U") && !is(s, p, kLw53) && !is(s, p, kLw54) && !has(s, p, "V")) return "V";
    if (isIn(s, n, {kLw113, kLw114, kLw115})) return "S";
    return "V";
  }
  if (isInSharedWordList(s, text(s, p))) return "V";
  if (has(s, p, "R") && ms(s, p, "B")) return "V";
  if (has(s, p, "G")) return "V";
  if (verb(s, w)) return "V";
  if (is(s, p, kLw48) && (isIn(s, n, {kLw116, kLw117, kLw118}) || has(s, n, "U"))) return "S";
  if (hasU(s, p)) return "S";
  if (has(s, p, "R") && ms(s, p, "C") && !who(s, p, "E") && !who(s, p, "G")) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "V";
  if (has(s, p, "N")) return "V";
  if (has(s, p, "R") && !contains(s, p, kLw9)) return "V";
  if (is(s, p, kLw12) && anur(s, n)) return "S";
  if (is(s, p, kLw119)) return "S";
  if (has(s, p, "R") && !ms(s, p, "C")) return "V";
  return "V";
}

const char* resolveClassVU(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (has(s, n, "S")) return "U";
  return "V";
}

const char* resolveClassNJL(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (noun(s, w)) return "N";
  return "L";
}

const char* resolveClassAU(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetS6)) return "A";
  if (prefA(s, w)) return "A";
  if (has(s, n, "N")) return "U";
  if (anur(s, n)) return "U";
  return "A";
}

const char* resolveClassNJC(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (noun(s, w)) return "N";
  if (has(s, n, "N")) return "C";
  if (!attr(s, n)) return "J";
  return "C";
}

const char* resolveClassNC(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (noun(s, w)) return "N";
  if (has(s, n, "N")) return "C";
  if (!attr(s, n)) return "N";
  return "C";
}

const char* resolveClassFC(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, n)) return "C";
  if (is(s, n, kLw1)) return "F";
  if (hasAny(s, n, {"R", "V", "A"})) return "F";
  if (has(s, n, "N")) return "C";
  return "F";
}

const char* resolveClassJV(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verbAfter(s, w)) return "J";
  return "V";
}

const char* resolveClassVSI(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetQ4)) return "S";
  if (hasU(s, p)) return "S";
  if (has(s, p, "R") && ms(s, p, "B")) return "V";
  if (has(s, p, "R") && ms(s, p, "C") && !who(s, p, "E") && !who(s, p, "G")) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "V";
  if (has(s, p, "N")) return "V";
  if (has(s, p, "R") && !contains(s, p, kLw9)) return "V";
  if (has(s, p, "G")) return "V";
  if (verb(s, w)) return "V";
  if (is(s, p, kLw12) && anur(s, n)) return "S";
  if (is(s, p, kLw119)) return "S";
  if (has(s, p, "R") && !ms(s, p, "C")) return "V";
  return "V";
}

const char* resolveClassVH(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p)) return "H";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, kLw9)) return "H";
  if (is(s, n, kLw9)) return "H";
  if (is(s, n, kLw122)) return "H";
  if (is(s, p, kLw65)) return "H";
  if (has(s, p, "G")) return "V";
  return "V";
}

const char* resolveClassRV(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, w, kLw123)) return hasAny(s, n, {"V", "I", "G", "F"}) ? "N" : "V";
  return "R";
}

const char* resolveClassIJV(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (p == 0 || has(s, p, "V")) return "I";
  if (has(s, p, "F") || has(s, p, "G") || is(s, p, kLw1)) return "I";
  if (is(s, n, kLw12)) return "V";
  // 老师与学生都来了: a noun or pronoun and lw68 after the word join two subjects.
  if ((has(s, n, "N") || has(s, n, "R")) && is(s, n2, kLw68)) return "J";
  for (const ListedKey& key : kIjvFollowers) {
    const std::string& word = wordOf(key);
    if (!word.empty() && findFollowingWord(s, w, word)) return "I";
  }
  const int v = verbAfter(s, w);
  if (v == 0) return "J";
  for (const char* c : {"B", "C", "I", "O", "K", "E", "J"}) {
    if (ms(s, v, c)) return "J";
  }
  if (is(s, w, kLw224)) return "V";
  return "I";
}

const char* resolveClassNVJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, {kLw74, kLw53, kLw54, kLw127, kLw128})) return "N";
  if (has(s, p, "G")) return "V";
  if (verb(s, w)) return "V";
  return "V";
}

const char* resolveClassGR(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "G";
  return "R";
}

const char* resolveClassLJN(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, kSetQ4)) return "N";
  if (has(s, n, "V")) return "J";
  return "N";
}

const char* resolveClassVFJ(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V")) return "F";
  if (has(s, n, "N") && ms(s, n, "A")) return "F";
  if (verbAfter(s, w)) return "F";
  return "V";
}

}  // namespace cj
