// The noun-or-verb rule: settles a word whose letters are "N" and "V".
#include "engine/cj/analysis/verb_continuation.h"
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"

namespace cj {

using namespace pos;
using namespace pos::keys;

namespace {

int vc(const CjSentence& s, int a, int b) { return matchVerbContinuation(s, a, b); }

bool isOneChar(const CjSentence& s, int k) { return isNodeIndex(s, k) && chiLength(s, k) == 2; }

bool hasNounSenseWithMSem(const CjSentence& s, int k, std::string_view c) {
  if (!isNodeIndex(s, k)) return false;
  for (const CjSense& sense : s.nodes[k].senses) {
    if (sense.catLetter == 'N' && sense.M_SEM.contains(c)) return true;
  }
  return false;
}

bool singleLetter(const CjSentence& s, int k) { return isNodeIndex(s, k) && s.nodes[k].CAT.size() == 1; }

// Step 1: the verb-continuation search over the following nouns.
const char* continuationStep(const CjSentence& s, int w, int n) {
  if (cval(s, w, "0")) return nullptr;
  for (int f = n, steps = 0; f != 0 && steps < kMaxNodes; f = nextNode(s, f), ++steps) {
    if (!hasAny(s, f, {"N", "R", "S"})) continue;
    const int r = vc(s, w, f);
    if (r == 1) return "V";
    if (r == 2 && f == n) {
      const int after = nextNode(s, n);
      if (after == 0) return "N";
      if (has(s, after, "P")) return "N";
      if (!is(s, after, kLw9)) return "N";
    }
    if (r != 0) return nullptr;
  }
  return nullptr;
}

// Step 3: a noun before the word.
const char* afterNounStep(const CjSentence& s, int w, int p, int n) {
  if (!exactly(s, p, "N")) return nullptr;
  const int v = prevVerbWord(s, p);
  if (isIn(s, v, {kLw12, kLw221, kLw222, kLw223, kLw1001})) return "N";
  if (has(s, v, "V") && !cval(s, v, "0") && !cval(s, w, "0")) {
    if (n != 0) {
      if (has(s, n, "P") && vc(s, v, w) == 1) return "N";
    } else if (vc(s, v, w) == 1) {
      return "N";
    }
  }
  if (prop(s, w, "W")) {
    if (has(s, n, "V")) return "N";
    if (has(s, n, "P")) return "N";
    if (n == 0) return "N";
  }
  return nullptr;
}

// Step 8: words with verb code "H".
const char* codeHStep(const CjSentence& s, int w, int p, int n) {
  if (!cval(s, w, "H") || cval(s, w, "1")) return nullptr;
  if (p == 0) return isIn(s, n, {kLw45, kLw41, kLw42, kLw44}) ? "N" : "V";
  if (is(s, p, kLw9) || is(s, p, kLw11)) return "N";
  if (exactly(s, p, "A") || has(s, p, "C") || has(s, p, "S")) return "N";
  if ((has(s, p, "A") || has(s, p, "R")) && endsIn(s, p, kLw9)) return "N";
  if (n != 0 && !has(s, n, "P")) return "V";
  return nullptr;
}

// Step 9: a word at the start of the chain.
const char* firstWordStep(const CjSentence& s, int w, int p, int n, int n2) {
  if (p != 0) return nullptr;
  if (cval(s, w, "1") && !cval(s, w, "E")) {
    if (isIn(s, n, {kLw12, kLw13, kLw2})) return "V";
    if (has(s, n, "A") && (has(s, n2, "P") || n2 == 0)) return "N";
    if (!hasAny(s, n, {"N", "C", "U", "UG", "A"})) return "N";
    if (!has(s, n, "N")) return "V";
    if (vc(s, w, n) != 2) return "V";
  }
  if (cval(s, w, "0")) {
    if (hasAny(s, n, {"N", "C", "U", "A"})) return "N";
    if (has(s, n, "V") && cval(s, n, "0")) return "V";
  }
  return nullptr;
}

// Step 10: words with verb code "E".
const char* codeEStep(const CjSentence& s, int w, int p, int n) {
  if (!cval(s, w, "E")) return nullptr;
  if (p == 0 && has(s, n, "V")) return "V";
  const int vn = verbAfter(s, w);
  if (vn == 0) return nullptr;
  for (int k = nextNode(s, w), steps = 0; k != 0 && k != vn && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (has(s, k, "N")) return nullptr;
  }
  return "V";
}

// Step 88: no lw9 or lw11 from n2 on.
bool noLinkWordFrom(const CjSentence& s, int k) {
  for (int steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (is(s, k, kLw11) || is(s, k, kLw9)) return false;
  }
  return true;
}

}  // namespace

const char* resolveClassNV(CjSentence& s, int i) {
  const int w = i, p = prevNode(s, w), n = nextNode(s, w), n2 = nextNode(s, n), p2 = prevNode(s, p);
  if (const char* r = continuationStep(s, w, n)) return r;
  if (i > 1 && is(s, i - 1, kLw218)) return "V";
  if (const char* r = afterNounStep(s, w, p, n)) return r;
  // A demonstrative (这个, 这些, 这种) before the word modifies it; a lone pronoun is its subject.
  if (isIn(s, p, {kLw1135, kLw1136, kLw1137, kLw1139, kLw1024, kLw1025, kLw127, kLw128})) return "N";
  if (has(s, p, "R") && singleLetter(s, p)) return "V";
  if (exactly(s, p, "V") && cval(s, p, "0") && !cval(s, p, "1")) return "V";
  if (exactly(s, p, "A")) return "N";
  if (prop(s, n, "W") && (has(s, n2, "V") || has(s, n2, "P") || n2 == 0)) {
    setCat(s, n, "N");
    return "N";
  }
  if (const char* r = codeHStep(s, w, p, n)) return r;
  if (const char* r = firstWordStep(s, w, p, n, n2)) return r;
  if (const char* r = codeEStep(s, w, p, n)) return r;
  if (has(s, p, "V") && cval(s, 1, "1") && !cval(s, 1, "E") && has(s, n, "N")) {
    if (n2 != 0) {
      if (has(s, n2, "P") && vc(s, p, n) == 1) return "N";
    } else if (vc(s, p, n) == 1) {
      return "N";
    }
  }
  if (has(s, p, "C") && !ms(s, p, "F")) return "N";
  if (like9(s, p)) {
    if (isIn(s, n, {kLw43, kLw1002, kLw45, kLw68, kLw1003, kLw161, kLw1004, kLw160})) return "N";
    if (hasAny(s, n, {"F", "I", "G"})) return "N";
  }
  if (has(s, p, "DP") && has(s, n, "P")) return "V";
  if (isIn(s, p, {kLw1005, kLw1006, kLw127, kLw128})) return "N";
  if (has(s, p, "S")) {
    if (has(s, p2, "U")) return "N";
    if (is(s, p2, kLw53) || is(s, p2, kLw54)) return "N";
  }
  if (is(s, w, kLw123)) return hasAny(s, n, {"V", "I", "G", "F"}) ? "N" : "V";
  if (isIn(s, n, {kLw63, kLw1007, kLw1008, kLw1009, kLw101, kLw1010, kLw52, kLw241, kLw178})) return "V";
  if (isIn(s, p, {kLw64, kLw1011, kLw179, kLw5, kLw6, kLw166, kLw1012, kLw153})) return "V";
  if (exactly(s, p, "F") || exactly(s, p, "G")) return "V";
  if (p == 0) {
    if (!cval(s, w, "0") && anur(s, n)) return "V";
    if (cval(s, w, "H") && hasAny(s, n, {"F", "G", "V"})) return "V";
  }
  if (is(s, p, kLw1013) || is(s, p, kLw1014)) {
    setCat(s, p, "R");
    return "N";
  }
  if (isIn(s, p, {kLw130, kLw129, kLw132, kLw131, kLw1015, kLw134, kLw133, kLw135, kLw136, kLw1016, kLw1017})) return "V";
  if (isOneCharWord(s, w)) {
    if (has(s, p, "N")) return "V";
    if (has(s, p, "R") && ms(s, p, "A")) return "V";
    if (has(s, p, "R") && (who(s, p, "E") || who(s, p, "G"))) return "V";
  }
  if (is(s, p, kLw1018)) return "N";
  if (isIn(s, w, {kLw221, kLw222, kLw223, kLw1001}) && has(s, n, "V")) return "V";
  if (like9(s, p) && has(s, n, "V") && isIn(s, n2, {kLw13, kLw12, kLw14})) return "N";
  if (like9(s, p)) {
    if (end(s, n)) return "N";
    if (has(s, n, "I")) return "N";
  }
  if ((noun(s, n2) || noun(s, p2)) && is(s, p, kLw188) && is(s, n, kLw188)) return "N";
  if (isTwoCharWord(s, w) && cval(s, w, "0") && isTwoCharWord(s, n) && has(s, n, "N") && ms(s, n, "D")) return "N";
  if (isIn(s, p, {kLw1019, kLw1020, kLw1021, kLw1022, kLw1023, kLw1024, kLw1025, kLw1026})) return "N";
  if (isOneCharWord(s, w)) {
    if (has(s, n, "N") || has(s, n, "R")) return "V";
    if (isIn(s, n, {kLw1027, kLw1028, kLw2, kLw68}) &&
        (isIn(s, n2, {kLw12, kLw106, kLw46, kLw154, kLw178}) || (has(s, n2, "V") && ms(s, n2, "J"))))
      return "V";
    if (isIn(s, n, {kLw12, kLw106, kLw46, kLw154, kLw178})) return "V";
    if (has(s, n, "V") && ms(s, n, "J")) return "V";
  }
  if (is(s, p, kLw48)) return "V";
  if (isIn(s, p, {kLw12, kLw13, kLw14}) && end(s, n)) return "N";
  if (verb(s, p) && cval(s, p, "E")) return "V";
  if (((has(s, p, "S") && !ms(s, p, "F")) || is(s, p, kLw74)) && !has(s, n, "N") && !has(s, n2, "N")) return "N";
  if (isOneChar(s, w)) {
    if (has(s, n, "V") && ms(s, n, "J")) return "V";
    if (has(s, n, "E") && (ms(s, n, "F") || ms(s, n, "C"))) return "V";
  }
  if (has(s, p, "R") && (who(s, p, "E") || who(s, p, "G")) && !contains(s, p, kLw9) && isOneChar(s, w)) return "V";
  if (like9(s, p)) return "N";
  if (isIn(s, p, {kLw1029, kLw1030, kLw110}) && !is(s, n, kLw9)) return "V";
  if (is(s, p, kLw68) || is(s, p, kLw235)) return "V";
  if (has(s, p, "I") && has(s, n, "L")) return "N";
  if (has(s, p, "R") && has(s, n, "R")) return "V";
  if (has(s, p, "R") && has(s, n, "N") && !cval(s, w, "0")) return "V";
  if (has(s, p, "N") && has(s, n, "R") && !cval(s, w, "0")) return "V";
  if (has(s, p, "N") && has(s, n, "N") && !cval(s, w, "0")) return "V";
  if (is(s, p, kLw90) && end(s, n)) {
    setCat(s, p, "F");
    return "V";
  }
  if (is(s, p, kLw1031) && !isOneChar(s, w)) return "N";
  if (is(s, p, kLw138) && isIn(s, n, {kLw158, kLw106})) return "N";
  if (isIn(s, p, {kLw43, kLw42, kLw45, kLw41, kLw44}) && hasAny(s, n, {"R", "N", "A"})) return "V";
  if (is(s, p, kLw1031) && has(s, n, "L")) return "N";
  if (isOneChar(s, w) && isIn(s, n, {kLw152, kLw101, kLw236, kLw52, kLw237})) return "V";
  if (has(s, p, "N") && has(s, n, "R") && end(s, n2)) return "V";
  if (has(s, n, "V") &&
      (ms(s, n, "J") ||
       isIn(s, n, {kLw154, kLw238, kLw239, kLw15, kLw106, kLw46, kLw240, kLw241, kLw242, kLw243, kLw244, kLw245, kLw246, kLw170, kLw13, kLw12, kLw14, kLw2, kLw162})))
    return "V";
  if (has(s, p, "G") || has(s, p, "F")) return "V";
  if (has(s, p, "A") && isIn(s, n, {kLw41, kLw43, kLw45, kLw44})) return "N";
  if (has(s, p, "R") && !contains(s, p, kLw9) && (has(s, n, "F") || has(s, n, "E"))) return "V";
  if (is(s, n, kLw2) && !isIn(s, n2, {kLw12, kLw13, kLw14})) return "V";
  if (has(s, p2, "V") && cval(s, p2, "2")) {
    if (has(s, p, "N") && has(s, n, "P")) return "N";
    if (!has(s, p, "N") && has(s, p, "R") && has(s, n, "P")) return "N";
  }
  if (has(s, p, "E") && !is(s, p, kLw1) && has(s, n, "P")) return "V";
  if (has(s, p, "R") && ms(s, p, "A") && has(s, n, "E") && !is(s, n, kLw9) && (ms(s, n, "A") || ms(s, n, "B")))
    return "V";
  if (is(s, p, kLw1)) return "V";
  if (has(s, p, "V") && !cval(s, p, "E") && has(s, n, "P")) return "N";
  if (isIn(s, n, {kLw13, kLw12, kLw14})) return "V";
  if (is(s, n, kLw1032)) return "N";
  if (is(s, p, kLw149) && !cval(s, w, "0")) return "V";
  if (is(s, w, kLw1033) && is(s, n, kLw9) && has(s, n2, "N") && ms(s, n2, "A")) return "V";
  if (has(s, p, "R") && ms(s, p, "A") && is(s, n, kLw9)) return "V";
  if (!is(s, p, kLw149) && is(s, n, kLw9) && isText(s, n2, "N")) return "N";
  if (has(s, n, "L") && !is(s, n, kLw106)) return "N";
  if (has(s, p, "N") && (prop(s, p, "B") || prop(s, p, "C"))) return "N";
  if (has(s, p, "A")) return "N";
  if (is(s, p, kLw221) || is(s, p, kLw222)) return "N";
  if ((has(s, p, "R") || has(s, p, "C") || ms(s, p, "E")) && hasAny(s, n, {"F", "G", "V"})) return "N";
  const bool closedByN = has(s, n, "P") || (has(s, n, "E") && has(s, n2, "P"));
  if (has(s, p2, "V") && cval(s, p2, "E") && has(s, p, "E") && closedByN) return "V";
  if (has(s, p2, "V") && !cval(s, p2, "E") && has(s, p, "E") && closedByN) return "N";
  if (is(s, n, kLw231)) return "N";
  if (has(s, p, "S") && hasAny(s, n, {"P", "V", "E"})) return "N";
  if (is(s, p, kLw153) && is(s, w, kLw233)) return "N";
  if (is(s, n, kLw15) && has(s, n2, "P")) return "N";
  if (is(s, p, kLw154) && has(s, p2, "V")) return "N";
  if (is(s, p, kLw154) && has(s, p2, "N") && ms(s, p2, "I") && verbAfter(s, w) == 0) return "V";
  if (has(s, n, "V") && ms(s, n, "J") && !is(s, n, kLw1034)) return "V";
  if (hasU(s, p) && has(s, n, "P")) return "N";
  if (has(s, p, "V") && ms(s, p, "K") && end(s, n)) return "N";
  if (isText(s, p, "R") && isClauseEndOrShortVerb(s, n)) return "N";
  if (isIn(s, p, {kLw1035, kLw1036, kLw221, kLw222})) return "N";
  if (isIn(s, p, {kLw247, kLw248}) && has(s, n, "R") && ms(s, n, "B")) return "V";
  if (is(s, p, kLw73) && isClauseEndOrShortVerb(s, n)) return "N";
  if (is(s, p, kLw168)) return "V";
  if (has(s, p, "E") && end(s, n)) return "N";
  if (has(s, p, "N") && has(s, n, "R")) return "V";
  if (hasNounSenseWithMSem(s, p, "L") && has(s, n, "P")) return "V";
  if (hasU(s, p) || hasU(s, n)) {
    for (const char* k : {"1", "2", "3", "H", "E"}) {
      if (cval(s, w, k)) return "V";
    }
  }
  if (has(s, p, "DP")) return "V";
  if (!cval(s, w, "0") && exactly(s, n, "N")) return "V";
  if (!cval(s, w, "E") && has(s, n, "V") && !cval(s, n, "0")) {
    if (n2 == 0) return "N";
    if (noLinkWordFrom(s, n2)) return "N";
  }
  if (!cval(s, w, "0") && verbAfter(s, w) == 0) {
    int last = s.lastTop;
    for (int steps = 0; last != 0 && has(s, last, "P") && steps < kMaxNodes; ++steps) last = prevNode(s, last);
    if (last != w && exactly(s, last, "N")) return "V";
  }
  if (n == 0 || has(s, n, "P")) {
    const int vp = prevVerbWord(s, w);
    if (vp != 0) {
      if (!cval(s, w, "0") && !cval(s, vp, "0") && vc(s, vp, w) == 1) return "N";
      if (vp != p && vc(s, vp, p) == 1) return "V";
      if (vc(s, vp, w) == 2) return "V";
    } else if (cval(s, w, "0")) {
      return "V";
    }
  }
  if (exactly(s, p, "V")) return "N";
  return keep(s, i);
}

}  // namespace cj
