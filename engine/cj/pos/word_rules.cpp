// Word rules: words with a category rule of their own.
#include "engine/cj/analysis/predicate_marks.h"
#include "engine/cj/analysis/verb_continuation.h"
#include "engine/cj/analysis/word_combination.h"
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"

namespace cj {

using namespace pos;
using namespace pos::keys;

#define CJ_NEIGHBOURS                                                                                 \
  [[maybe_unused]] const int w = i, p = prevNode(s, w), n = nextNode(s, w), n2 = nextNode(s, n),  \
                             n3 = nextNode(s, n2), p2 = prevNode(s, p)

namespace {

bool is9or11(const CjSentence& s, int k) { return is(s, k, kLw9) || is(s, k, kLw11); }

// The listed word occurs somewhere after node k.
bool follows(const CjSentence& s, int k, const ListedKey& key) {
  const std::string& word = wordOf(key);
  return !word.empty() && findFollowingWord(s, k, word) != 0;
}
// The listed word occurs somewhere before node k.
bool precedes(const CjSentence& s, int k, const ListedKey& key) {
  const std::string& word = wordOf(key);
  return !word.empty() && isPrecededByWord(s, k, word) != 0;
}
bool fourBytes(const CjSentence& s, int k) { return isNodeIndex(s, k) && chiLength(s, k) == 4; }
bool dateLike(const CjSentence& s, int k) { return ms(s, k, "D") && fourBytes(s, k); }

constexpr KeyList kMeasureFollowers = {kLw208, kLw209, kLw210, kLw211, kLw212, kLw213, kLw214, kLw204, kLw203};
constexpr KeyList kWord21Followers = {kLw90, kLw191, kLw201, kLw202, kLw203, kLw204, kLw205, kLw206};

}  // namespace

const char* resolveWord01(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p) || letters(s, p, "A")) return "N";
  if (is(s, n, kLw9)) return "N";
  if (isIn(s, n, {kLw13, kLw178, kLw106})) return "V";
  if (follows(s, w, kLw64) || follows(s, w, kLw179) || follows(s, w, kLw180)) return "I";
  if (has(s, n, "R")) return "I";
  if (has(s, n, "V")) return "F";
  if (letters(s, p, "F") || letters(s, p, "G")) return "V";
  if (has(s, n, "N") && ms(s, n, "Z")) return "I";
  return "N";
}

const char* resolveWord02(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw12)) return "V";
  if (lb(s, w)) return "N";
  return "L";
}

const char* resolveWord03(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "R") && ms(s, p, "A")) return "V";
  if (has(s, p, "N") && ms(s, p, "Z")) return "V";
  if (has(s, n, "N") && ms(s, n, "P")) return "V";
  if (has(s, n, "N") && has(s, n2, "N") && ms(s, n2, "P")) return "V";
  if (has(s, n, "N") && is(s, n2, kLw9) && has(s, n3, "N") && ms(s, n3, "P")) return "V";
  if (inListOf(s, n, kLw325)) return "N";
  if (inListOf(s, n, kLw326)) return "N";
  if (has(s, p, "F") || has(s, p, "G") || is(s, n, kLw14)) return "V";
  if (is(s, n, kLw12) || is(s, n, kLw13)) return "V";
  if (!verbAfter(s, n)) return "V";
  if (!lb(s, w)) return "V";
  return "J";
}

const char* resolveWord04(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {kLw12, kLw169, kLw14, kLw2, kLw13, kLw9})) return "V";
  if (has(s, n, "N") && isIn(s, n2, {kLw170, kLw171, kLw172})) return "V";
  if (n2 == 0) return "V";
  for (int k = n2, steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if ((has(s, k, "S") || has(s, k, "C")) && ms(s, k, "C")) return "I";
    if (has(s, k, "A")) return "I";
    if (isIn(s, k, {kLw173, kLw174, kLw175, kLw91, kLw176, kLw92, kLw177})) return "I";
  }
  return "V";
}

const char* resolveWord05(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  const int v = verbAfter(s, w);
  if (v == 0) return "V";
  if (is(s, n, kLw12)) return "V";
  if (!lb(s, w)) return "F";
  if (follows(s, v, kLw12)) return "F";
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
  if (isIn(s, n, {kLw181, kLw182, kLw183, kLw184, kLw185})) return "V";
  if (dateLike(s, n)) return "I";
  const bool nominal = hasAny(s, n, {"R", "A", "N"});
  if (nominal && dateLike(s, n2)) return "I";
  if (nominal && is(s, n2, kLw9) && dateLike(s, n3)) return "I";
  if (has(s, n, "U") && has(s, n2, "S") && is(s, n3, kLw9) && dateLike(s, n4)) return "I";
  if (is(s, n, kLw47) && has(s, n2, "U") && has(s, n3, "S") && is(s, n4, kLw9) && dateLike(s, n5)) return "I";
  if (verb(s, w)) return "V";
  return "IV";
}

const char* resolveWord08(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  int last = s.lastTop;
  if (has(s, last, "P")) last = prevNode(s, last);
  if (is(s, last, kLw186) && is(s, prevNode(s, last), kLw9)) return "J";
  if (verbAfter(s, w)) return "J";
  if (follows(s, w, kLw187)) return "F";
  if (follows(s, w, kLw188)) return "F";
  if (isText(s, n, ":") || is(s, n, kLw109)) return "F";
  if (is(s, n, kLw78)) return "F";
  return "I";
}

const char* resolveWord09(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw9)) return "A";
  if (is(s, p, kLw9)) return "A";
  if (isText(s, n, "R")) return "V";
  if (!has(s, n, "N")) return "V";
  if (ms(s, n, "Z")) return "V";
  return "A";
}

const char* resolveWord10(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p)) return "N";
  if (is(s, n, kLw11) && has(s, n2, "UG")) return "U";
  if (has(s, n, "A") || has(s, n, "V")) return "F";
  if (is(s, p, kLw9) || has(s, p, "A")) return "N";
  if (is(s, n, kLw9)) return "A";
  if (n == 0 || has(s, n, "P")) return "N";
  if (isIn(s, p, {kLw90, kLw101, kLw52, kLw204, kLw207, kLw14, kLw51, kLw139}) || isIn(s, n, kMeasureFollowers)) return "N";
  if (is(s, p, kLw68)) return "F";
  if (has(s, n, "S")) return "U";
  return "F";
}

const char* resolveWord11(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, {kLw5, kLw7, kLw8, kLw6, kLw166})) return "A";
  if (is(s, n, kLw9)) return "A";
  if (is(s, p, kLw9)) return "N";
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
  if (is(s, n, kLw12)) return "V";
  if (has(s, n, "V") && !isIn(s, n, {kLw43, kLw42, kLw45, kLw41})) return "F";
  if (has(s, n, "G") && !isText(s, n, "F")) return "F";
  if (has(s, n, "I")) return verbAfter(s, w) ? "F" : "V";
  if (is9or11(s, p)) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, kLw9)) return "N";
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
  if (is(s, n, kLw225)) return "E";
  if (is(s, p2, kLw188) || is(s, p3, kLw188) || is(s, p4, kLw188)) return "E";
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
  if (is(s, n, kLw9)) return "A";
  if (has(s, n, "E")) return "A";
  if (has(s, n, "O")) return "A";
  // A preposition needs its object: at the clause end the word is the adjective (说得对).
  if (n == 0 || has(s, n, "P")) return "A";
  return "I";
}

const char* resolveWord18(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (has(s, p, "F") || has(s, p, "G")) return resolveClassVF(s, i);
  if (is(s, p, kLw9)) return "N";
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
  if (!endsIn(s, p, kLw9) && has(s, p, "R") && ms(s, p, "A")) return "F";
  if (has(s, n, "V")) return "F";
  if (verb(s, n)) return "F";
  if (is(s, p, kLw9)) return "N";
  if (has(s, n, "A") && rb(s, n2)) return "N";
  return keep(s, i);
}

const char* resolveWord21(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {kLw14, kLw12, kLw13, kLw2})) return "V";
  if (has(s, n, "V") || has(s, n, "F")) return "G";
  if (has(s, n, "DP")) return "I";
  for (const ListedKey& key : kWord21Followers) {
    if (follows(s, w, key)) return "I";
  }
  if (!is(s, p, kLw9) && anur(s, n)) return verbAfter(s, w) == 0 ? "V" : "I";
  if (!isIn(s, p, {kLw9, kLw74, kLw12})) return is(s, n, kLw9) ? "V" : "I";
  if (precedes(s, p, kLw106)) return "N";
  if (is(s, n, kLw9)) return "V";
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
  if (is(s, p, kLw9)) return "N";
  return "V";
}

const char* resolveWord24(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (!has(s, p, "V") && is(s, n, kLw12)) return "V";
  if (isIn(s, n, {kLw14, kLw13, kLw90}) || has(s, n, "I") || has(s, n, "L")) return "V";
  // Before an adjective the word is the adverb (还早), before an object the verb (还我钱).
  if (anur(s, n) && !has(s, n, "A")) return "V";
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
  if (endsIn(s, p, kLw9)) return "N";
  return "V";
}

const char* resolveWord27(CjSentence&, int) { return "N"; }

const char* resolveWord28(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw91)) return "N";
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
  if (is(s, n, kLw9)) return "N";
  return "S";
}

const char* resolveWord32(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") || is(s, n, kLw9)) return "N";
  if (is(s, n, kLw12) && !end(s, n2)) return "V";
  if (has(s, p, "R") && ms(s, p, "A") && !has(s, n2, "V")) return "V";
  if (!has(s, p, "G")) return "N";
  return "V";
}

const char* resolveWord33(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (verb(s, w)) return "V";
  if (p != 0 && has(s, w, "R") && ms(s, w, "C") && hasU(s, p)) return "S";
  if (has(s, p, "R") && ms(s, p, "C")) return "N";
  if (hasU(s, p) && is(s, n, kLw193)) return "N";
  if (hasU(s, p) && hasAny(s, n, {"I", "R", "V", "F", "G"})) return "N";
  if (is(s, n, kLw194) && has(s, n, "N")) return "S";
  if (isIn(s, n, {kLw195, kLw196, kLw197, kLw198})) return "S";
  if (has(s, p, "V")) return "S";
  return keep(s, i);
}

const char* resolveWord34(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw226)) {
    if (isIn(s, n, kMeasureFollowers)) return "N";
    if (has(s, n, "N") && ms(s, n, "D")) return "C";
    if (isIn(s, n, {kLw227, kLw228})) return "C";
    return "N";
  }
  if (isIn(s, p, {kLw90, kLw51, kLw139}) || isIn(s, n, kMeasureFollowers)) return "N";
  if (has(s, n, "N") && ms(s, n, "D")) return "C";
  if (isIn(s, n, {kLw227, kLw228})) return "C";
  if (isIn(s, n, {kLw64, kLw179, kLw68})) return "F";
  if (!has(s, n, "N") || ms(s, n, "A") || prop(s, n, "A") || prop(s, n, "B") || prop(s, n, "C")) return "N";
  if (!prop(s, n, "E")) return "A";
  return "N";
}

const char* resolveWord35(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, kSetV3) || isIn(s, p, {kLw90, kLw68, kLw28, kLw199, kLw92, kLw200})) return "V";
  if (hasAny(s, n, {"V", "F", "I", "G", "DP"})) return "F";
  if (has(s, p, "F") || has(s, p, "G")) return "V";
  if (!anur(s, n)) return "F";
  if (ms(s, n, "D")) return "F";
  if (ms(s, n, "F")) return "F";
  return "V";
}

const char* resolveWord36(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {kLw13, kLw12, kLw14, kLw2})) return "V";
  if (is(s, n, kLw9)) return "A";
  if (prefA(s, w)) return "A";
  if (isIn(s, n, {kLw189, kLw190}) || isIn(s, p, {kLw191, kLw192})) return "V";
  if (has(s, n, "U")) return "N";
  return "A";
}

const char* resolveWord37(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw9)) return "A";
  if (verb(s, n)) return "F";
  if (hasAny(s, n, {"F", "A", "G", "R", "V"})) return "F";
  if (p == 0) return "A";
  return "F";
}

const char* resolveWord38(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  // The next word settles first, a listed word by its own rule (家 after 在 is the noun).
  if (n != 0 && s.nodes[n].CAT.size() >= 2) resolveByWord(s, n);
  if (n != 0 && s.nodes[n].CAT.size() >= 2) resolveByCandidateSet(s, n);
  // A place with no verb after it in the clause is where something is: 在 is the verb (书在桌子上).
  auto verbInClause = [&s](int k) {
    for (int steps = 0; (k = nextNode(s, k)) != 0 && !has(s, k, "P") && steps < kMaxNodes; ++steps)
      if (has(s, k, "V") && !has(s, k, "L")) return true;  // not a localiser (上, 下)
    return false;
  };
  if (has(s, n, "N")) return verbInClause(n) ? "I" : "V";
  if (has(s, n, "F")) return "F";
  if (has(s, n, "V")) return "F";
  if (n == 0 || has(s, n, "P") || has(s, n, "E")) return "V";
  if (has(s, n, "R") && !verbInClause(n)) return "V";
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
  if (verb(s, n) && !cval(s, n, "0") && is(s, n2, kLw12)) return "F";
  if (is(s, n, kLw12) || is(s, n, kLw14)) return "V";
  if (verbAfter(s, w)) return "I";
  if (prevVerbWord(s, w)) return "I";
  return "V";
}

const char* resolveWord40(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, p, {kLw167, kLw53, kLw54}) && (has(s, n, "N") || rb(s, n))) return "S";
  if (is(s, p, kLw168) || hasAny(s, p, {"G", "F", "J"}) || isInSharedWordList(s, text(s, w))) return "I";
  if (isIn(s, n, {kLw13, kLw12, kLw14, kLw2})) return "V";
  if (hasU(s, p) || isIn(s, p, {kLw53, kLw54})) return "S";
  if (hasAny(s, p, {"F", "G", "R", "N"})) return "I";
  if (verb(s, w)) return "V";
  if (p == 0) return "I";
  if (is(s, p, kLw127) || is(s, p, kLw128)) return "N";
  return "I";
}

const char* resolveWord41(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw137)) return "F";
  return keep(s, i);
}

const char* resolveWord42(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw63) || is(s, n, kLw12)) return "V";
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
  if (has(s, p, "V") && is(s, n, kLw9)) return "E";
  if (has(s, p, "V") && anur(s, n)) return "I";
  if (precedes(s, p, kLw138) || precedes(s, p, kLw139) || precedes(s, p, kLw140)) return "I";
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
  if (has(s, p, "A") && !contains(s, p, kLw9)) return "E";
  if (p == 0) return "N";
  if (is9or11(s, p)) return "N";
  if (!has(s, p, "R") && !has(s, p, "A")) return noun(s, w) ? "N" : keep(s, i);
  if (endsIn(s, p, kLw9)) return "N";
  if (noun(s, w)) return "N";
  return keep(s, i);
}

const char* resolveWord47(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if ((hasU(s, p) || is(s, p, kLw53) || is(s, p, kLw54)) && (is(s, n, kLw141) || is(s, n, kLw142))) {
    if (has(s, p, "U")) setCat(s, p, "U");
    setCat(s, n, "N");
    return "S";
  }
  if (is(s, n, kLw141)) return "S";
  if (has(s, p, "S")) return "N";
  if (is(s, p, kLw53)) return "N";
  if (is(s, p, kLw54)) return "N";
  return keep(s, i);
}

const char* resolveWord48(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw81)) return "F";
  return "V";
}

const char* resolveWord49(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw9)) return "A";
  if (has(s, p, "F")) return "A";
  if (hasU(s, n) && (has(s, n2, "N") || has(s, n2, "S") || !ms(s, n2, "C"))) return "A";
  if (isIn(s, n, kSetT5)) return "N";
  if (!has(s, p, "A")) return keep(s, i);
  if (!ms(s, p, "A")) return keep(s, i);
  return "A";
}

const char* resolveWord50(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw9) && has(s, n2, "N") && ms(s, n2, "A")) return "V";
  if (!has(s, p, "N") || ms(s, p, "A") || ms(s, p, "Z")) return keep(s, i);
  if (!has(s, n, "E")) return "N";
  return keep(s, i);
}

const char* resolveWord51(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (inListOf(s, p, predicate_words::kList149)) {
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
  if (precedes(s, p, kLw90)) return "L";
  if (inListOf(s, p, predicate_words::kList149)) return has(s, n, "V") ? "F" : "N";
  if (prevVerbWord(s, p)) return "L";
  if (hasAny(s, n, {"V", "G", "F"})) return "F";
  if (p == 0) return "F";
  return keep(s, i);
}

const char* resolveWord53(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "N") || is(s, n, kLw9)) return "A";
  if (is(s, n, kLw36)) return "F";
  if (has(s, p, "N") && ms(s, p, "K") && ss(s, p, "L") && is(s, n, kLw12)) return "V";
  if (has(s, p, "F") && ms(s, p, "B")) return "A";
  if (is(s, n, kLw2)) return "A";
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
  if (is(s, n, kLw12)) return "V";
  if (has(s, p, "F")) return "V";
  if (has(s, p, "G")) return "V";
  if (isIn(s, p, {kLw11, kLw9, kLw143, kLw144, kLw145, kLw146}) || has(s, p, "A")) return "N";
  if (!has(s, n, "A") && !has(s, n, "F")) return end(s, w) ? "N" : keep(s, i);
  if (end(s, n)) return "N";
  if (end(s, w)) return "N";
  return keep(s, i);
}

const char* resolveWord56(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw147)) return "N";
  if (is(s, n, kLw148)) return "V";
  if (is(s, p, kLw148)) return "N";
  return keep(s, i);
}

const char* resolveWord57(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw2)) return "V";
  return keep(s, i);
}

const char* resolveWord58(CjSentence& s, int i) { return keep(s, i); }

const char* resolveWord59(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw74)) return "N";
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
  if (isIn(s, n, {kLw73, kLw149}) || hasAny(s, n, {"V", "G", "F", "I"})) return "F";
  if (anur(s, n)) return "V";
  return keep(s, i);
}

const char* resolveWord63(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, n, "V") && cval(s, n, "0") && !cval(s, n, "1") && has(s, n2, "N") &&
      ((n3 != 0 && isListedHeadWord(s, n3)) || has(s, n3, "P") || rb(s, n3)))
    return "V";
  if (has(s, n, "A") && rb(s, n2)) return "F";
  if (has(s, n, "N") && (has(s, n2, "A") || isIn(s, n2, {kLw87, kLw150}))) return "I";
  if ((has(s, n, "R") || has(s, n, "A")) && is(s, n2, kLw9)) return "V";
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
  if (is(s, n, kLw104)) return "R";
  if (is(s, n, kLw45)) return "R";
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
  if (is(s, n, kLw2)) return "V";
  return "N";
}

const char* resolveWord68(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (isIn(s, n, {kLw12, kLw151, kLw152, kLw101})) return "V";
  if (hasAny(s, p, {"R", "U", "UG"})) return "N";
  if (ms(s, n, "H")) return "N";
  if (ms(s, n, "J")) return "N";
  return keep(s, i);
}

const char* resolveWord69(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, p, {"U", "UG", "A"}) || is(s, p, kLw9)) return "N";
  if (has(s, p, "I") && has(s, n, "V")) return "N";
  if (is(s, p, kLw153)) return "V";
  return keep(s, i);
}

const char* resolveWord70(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw154) || is(s, n, kLw12)) return "V";
  if (has(s, p, "U")) return "N";
  if (has(s, p, "UG")) return "N";
  return keep(s, i);
}

const char* resolveWord71(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasAny(s, p, {"S", "U", "UG"})) return "N";
  if (is9or11(s, p)) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, kLw9)) return "N";
  if (is(s, n, kLw9)) return "N";
  if (is(s, p, kLw91) && has(s, n, "P")) return "N";
  if (is(s, p, kLw92) && has(s, n, "P")) return "N";
  if (has(s, p, "N")) return "V";
  if (has(s, p, "R") && !contains(s, n, kLw9)) return "V";
  if (has(s, p, "R")) return "N";
  if (p == 0) return "N";
  if (has(s, p, "A")) return "N";
  if (has(s, n, "V")) return "N";
  if (has(s, n, "J")) return "N";
  return keep(s, i);
}

const char* resolveWord72(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw48) && is(s, n2, kLw155)) return "V";
  if (is(s, p, kLw48)) return "V";
  return keep(s, i);
}

const char* resolveWord73(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, p, kLw156)) {
    setCat(s, p, "S");
    return "N";
  }
  if (is(s, p, kLw157) && !has(s, w, "V")) {
    setCat(s, p, "S");
    return "N";
  }
  if (hasU(s, w) && has(s, p, "S")) {
    setCat(s, p, "S");
    return "N";
  }
  if (isIn(s, p, {kLw12, kLw14, kLw9, kLw13})) return "N";
  if (is9or11(s, n)) return "N";
  if (has(s, p, "A") && !attr(s, n)) return "N";
  if (has(s, p, "A") && rb(s, n)) return "N";
  if (has(s, p, "E") || has(s, p, "F")) return "V";
  if (isIn(s, n, {kLw106, kLw147, kLw158, kLw159})) return "N";
  if (exactly(s, p, "V")) return "N";
  return "V";
}

const char* resolveWord74(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw14)) return "V";
  if (is(s, n, kLw106)) return "V";
  return keep(s, i);
}

const char* resolveWord75(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (has(s, p, "V") && has(s, n, "N")) return "S";
  return keep(s, i);
}

const char* resolveWord76(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, n, kLw12)) return "V";
  return keep(s, i);
}

const char* resolveWord77(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is(s, w, kLw160) || is(s, w, kLw161)) return "V";
  if (verb(s, w)) return "V";
  if (has(s, n2, "V") && is(s, n3, kLw12)) return "V";
  const int v = verbAfter(s, w);
  if (v == 0) return "V";
  if (cval(s, v, "0")) return "V";
  if (is(s, nextNode(s, v), kLw12)) return "I";
  if (is(s, nextNode(s, v), kLw14)) return "I";
  return "V";
}

const char* resolveWord78(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p)) return "N";
  if ((has(s, p, "R") || has(s, p, "A")) && endsIn(s, p, kLw9)) return "N";
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
  // After a numeral or a demonstrative the word counts (三本书), whatever its noun context.
  if (hasAny(s, p, {"U", "UG", "R"})) return "S";
  if (verb(s, w)) return "V";
  if (noun(s, w)) return "N";
  if (is(s, n, kLw9)) return "A";
  if (p != 0) return "S";
  if (!end(s, n)) return "S";
  return "A";
}

const char* resolveWord81(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (hasU(s, p) || isIn(s, p, {kLw53, kLw54, kLw120, kLw121, kLw55})) return "S";
  if (has(s, n, "A")) return "F";
  if (verb(s, w)) return "V";
  return keep(s, i);
}

const char* resolveWord82(CjSentence& s, int i) {
  CJ_NEIGHBOURS;
  if (is9or11(s, p)) return "N";
  if (letters(s, p, "A")) return "N";
  if (has(s, p, "R") || has(s, p, "DP")) {
    if (is(s, n, kLw9)) return "V";
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
  if (marked != 0 && marked < w && contains(s, marked, kLw230)) return "F";
  if (has(s, n, "V") && (n2 == 0 || has(s, n, "P"))) return "G";
  if (is9or11(s, p)) return "N";
  if (is(s, n, kLw12) || n2 == 0) return "V";
  if (has(s, n, "P")) return "V";
  return "F";
}

}  // namespace cj
