#include "engine/cj/analysis/node_predicates.h"

#include <cctype>

#include "engine/cj/analysis/node_build.h"
#include "engine/common/word_table.h"
#include "engine/common/dbcs_text.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kNodePredicatesHeadWordsKey{"nodePredicates.headWords"};
constinit ListedKey kNodePredicatesVerbHeadsKey{"nodePredicates.verbHeads"};
constinit ListedKey kNodePredicatesEndingPairKey{"nodePredicates.endingPair"};
constinit ListedKey kNodePredicatesSharedWordsKey{"nodePredicates.sharedWords"};
constinit ListedKey kNodePredicatesCountedNounWordsKey{"nodePredicates.countedNounWords"};
constinit ListedKey kNodePredicatesRWordsKey{"nodePredicates.rWords"};
constinit ListedKey kNodePredicatesStopWordKey{"nodePredicates.stopWord"};
constinit ListedKey kVerbContextC4Key{"verbContext.c4"};
constinit ListedKey kVerbContextC5Key{"verbContext.c5"};
constinit ListedKey kVerbContextC7Key{"verbContext.c7"};
constinit ListedKey kVerbContextC8Key{"verbContext.c8"};
constinit ListedKey kVerbContextC9Key{"verbContext.c9"};
constinit ListedKey kVerbContextC11Key{"verbContext.c11"};
constinit ListedKey kVerbContextC12Key{"verbContext.c12"};
constinit ListedKey kVerbContextC14Key{"verbContext.c14"};
constinit ListedKey kVerbContextC16Key{"verbContext.c16"};
constinit ListedKey kVerbContextC17Key{"verbContext.c17"};
constinit ListedKey kVerbContextC18Key{"verbContext.c18"};
constinit ListedKey kVerbContextC19Key{"verbContext.c19"};
constinit ListedKey kVerbContextC20Key{"verbContext.c20"};
constinit ListedKey kVerbContextC21Key{"verbContext.c21"};
constinit ListedKey kVerbContextC24Key{"verbContext.c24"};
constinit ListedKey kVerbContextC25Key{"verbContext.c25"};
constinit ListedKey kVerbContextC26Key{"verbContext.c26"};
constinit ListedKey kNounContextC6Key{"nounContext.c6"};
constinit ListedKey kNounContextC9Key{"nounContext.c9"};
constinit ListedKey kNounContextC11Key{"nounContext.c11"};
constinit ListedKey kNounContextC12Key{"nounContext.c12"};
constinit ListedKey kNounContextC15Key{"nounContext.c15"};
constinit ListedKey kNounContextC17aKey{"nounContext.c17a"};
constinit ListedKey kNounContextC17bKey{"nounContext.c17b"};
constinit ListedKey kNounContextC18Key{"nounContext.c18"};
constinit ListedKey kNounContextC19Key{"nounContext.c19"};
constinit ListedKey kNounContextC20Key{"nounContext.c20"};
constinit ListedKey kLw1{"nodePredicates.lw1"};
constinit ListedKey kLw2{"nodePredicates.lw2"};
constinit ListedKey kLw3{"nodePredicates.lw3"};
constinit ListedKey kLw5{"nodePredicates.lw5"};
constinit ListedKey kLw6{"nodePredicates.lw6"};
constinit ListedKey kLw7{"nodePredicates.lw7"};
constinit ListedKey kLw9{"nodePredicates.lw9"};
constinit ListedKey kLw162{"nodePredicates.lw162"};
constinit ListedKey kLw163{"nodePredicates.lw163"};
constinit ListedKey kLw164{"nodePredicates.lw164"};
constinit ListedKey kLw165{"nodePredicates.lw165"};
constinit ListedKey kLw166{"nodePredicates.lw166"};
}  // namespace

namespace {

// Listed words of these tests, with their counts and lengths in characters.
const WordKeySpec kWordKeys[] = {
    {"nodePredicates.headWords", 10, 1, 0},
    {"nodePredicates.verbHeads", 9, 1, 0},
    {"nodePredicates.endings", 10, 1, 1},
    {"nodePredicates.endingPair", 1, 2, 2},
    {"nodePredicates.sharedWords", 12, 1, 0},
    {"nodePredicates.countedNounWords", 3, 1, 0},
    {"nodePredicates.rWords", 5, 1, 0},
    {"nodePredicates.stopWord", 1, 1, 0},
    {"nodePredicates.lw1", 1, 1, 1},
    {"nodePredicates.lw2", 1, 1, 1},
    {"nodePredicates.lw3", 1, 2, 2},
    {"nodePredicates.lw5", 1, 1, 1},
    {"nodePredicates.lw6", 1, 2, 2},
    {"nodePredicates.lw7", 1, 1, 1},
    {"nodePredicates.lw9", 1, 1, 1},
    {"nodePredicates.lw162", 1, 2, 2},
    {"nodePredicates.lw163", 1, 2, 2},
    {"nodePredicates.lw164", 1, 1, 1},
    {"nodePredicates.lw165", 1, 1, 1},
    {"nodePredicates.lw166", 1, 2, 2},
    {"verbContext.c4", 1, 1, 1},
    {"verbContext.c5", 1, 1, 1},
    {"verbContext.c6", 1, 1, 1},
    {"verbContext.c7", 1, 1, 1},
    {"verbContext.c8", 2, 1, 1},
    {"verbContext.c9", 1, 1, 1},
    {"verbContext.c11", 5, 1, 3},
    {"verbContext.c12", 7, 1, 2},
    {"verbContext.c14", 18, 1, 2},
    {"verbContext.c16", 1, 1, 1},
    {"verbContext.c17", 1, 1, 1},
    {"verbContext.c18", 1, 1, 1},
    {"verbContext.c19", 1, 1, 1},
    {"verbContext.c20", 1, 1, 1},
    {"verbContext.c21", 1, 1, 1},
    {"verbContext.c24", 2, 1, 1},
    {"verbContext.c25", 1, 2, 2},
    {"verbContext.c26", 1, 2, 2},
    {"nounContext.prevPair", 2, 1, 1},
    {"nounContext.prevEnding", 1, 1, 1},
    {"nounContext.prevPair2", 2, 1, 1},
    {"nounContext.prevEnding2", 1, 1, 1},
    {"nounContext.c6", 5, 1, 3},
    {"nounContext.c9", 1, 1, 1},
    {"nounContext.c11", 2, 1, 1},
    {"nounContext.c12", 1, 1, 1},
    {"nounContext.c15", 2, 1, 1},
    {"nounContext.c17a", 1, 1, 1},
    {"nounContext.c17b", 1, 1, 1},
    {"nounContext.c18", 1, 1, 1},
    {"nounContext.c19", 5, 1, 3},
    {"nounContext.c20", 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

std::size_t charLength(std::string_view t, std::size_t i) {
  return dbcs::charSize(t, i);
}

// True when byte position pos starts a character of t.
bool isCharStart(std::string_view t, std::size_t pos) {
  std::size_t i = 0;
  while (i < pos) i += charLength(t, i);
  return i == pos;
}

std::string_view chi(const CjSentence& s, int k) {
  return k >= 0 && k <= s.nodeCount && k < kMaxNodes ? s.nodes[k].CHI.view() : std::string_view();
}

std::string_view cat(const CjSentence& s, int k) {
  return k >= 0 && k <= s.nodeCount && k < kMaxNodes ? s.nodes[k].CAT.view() : std::string_view();
}

bool catContains(const CjSentence& s, int k, std::string_view letters) {
  return isNodeIndex(s, k) && cat(s, k).find(letters) != std::string_view::npos;
}

bool listed(const ListedKey& key, std::string_view word) { return !word.empty() && isListedWord(key, word); }
bool listed(std::string_view key, std::string_view word) { return !word.empty() && isListedWord(key, word); }

bool endsWithListed(std::string_view key, std::string_view text) {
  for (const std::string& w : listedWords(key)) {
    if (hasSuffix(text, w)) return true;
  }
  return false;
}

bool containsListedChar(const ListedKey& key, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); i += charLength(text, i)) {
    if (listed(key, text.substr(i, charLength(text, i)))) return true;
  }
  return false;
}

bool hasRorA(const CjSentence& s, int k) { return hasCat(s, k, "R") || hasCat(s, k, "A"); }

template <typename Pass>
int featureTest(const CjSentence& s, int i, Pass pass) {
  if (!isNodeIndex(s, i)) return 0;
  const CjNode& n = s.nodes[i];
  if (!isWordNode(s, i)) return pass(n.features) ? 1 : 0;
  for (const CjSense& sense : n.senses) {
    if (pass(sense)) return 1;
  }
  return 0;
}

char firstByte(std::string_view v) { return v.empty() ? 0 : v[0]; }

int children(const CjSentence& s, int p, int out[4]) {
  int count = 0;
  for (int k = s.nodes[p].firstChild; k != 0 && count < kMaxNodes; k = nextNode(s, k)) {
    if (count < 4) out[count] = k;
    ++count;
  }
  return count;
}

}  // namespace

bool hasSuffix(std::string_view text, std::string_view suffix) {
  if (suffix.size() > 35 || suffix.size() > text.size()) return false;
  std::size_t start = text.size() - suffix.size();
  return text.substr(start) == suffix && isCharStart(text, start);
}

bool hasTrailingMatch(std::string_view text, std::string_view pattern) {
  if (text.empty() || pattern.empty() || pattern.size() > text.size()) return false;
  if (pattern.size() == text.size()) return text == pattern;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, pattern.size(), pattern) == 0) {
      if (i + pattern.size() == text.size()) return true;
      i += pattern.size();
      continue;
    }
    i += charLength(text, i);
  }
  return false;
}

int isListedHeadWord(const CjSentence& s, int i) {
  return listed(kNodePredicatesHeadWordsKey, chi(s, lexicalHead(s, i))) ? 1 : 0;
}

int isListedVerbHead(const CjSentence& s, int i) {
  return hasCat(s, i, "V") && listed(kNodePredicatesVerbHeadsKey, chi(s, lexicalHead(s, i))) ? 1 : 0;
}

int hasListedEnding(std::string_view text) {
  if (endsWithListed("nodePredicates.endings", text)) return 1;
  return hasTrailingMatch(text, listedWord(kNodePredicatesEndingPairKey)) ? 1 : 0;
}

int isInSharedWordList(const CjSentence&, std::string_view word) {
  return isInWordList(listedBarList(kNodePredicatesSharedWordsKey), word) ? 1 : 0;
}

int isCountedNounPhrase(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i) || isWordNode(s, i)) return 0;
  int c[4] = {};
  int n = children(s, i, c);
  if (n == 1) return listed(kNodePredicatesCountedNounWordsKey, chi(s, c[0])) ? 1 : 0;
  if (n < 2) return 0;
  int lastChildNode = s.nodes[i].lastChild;
  if (!(hasCat(s, lastChildNode, "N") && hasMSem(s, lastChildNode, "I"))) return 0;
  if (n == 2) return hasCat(s, c[0], "UP") || hasCat(s, c[0], "U") || hasCat(s, c[0], "C");
  if (n == 3) return hasCat(s, c[0], "U") && hasCat(s, c[1], "S");
  return 0;
}

int isMeasuredPhrase(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i) || isWordNode(s, i)) return 0;
  int last = s.nodes[i].lastChild;
  if (!(hasCat(s, last, "C") || hasCat(s, last, "S") || hasCat(s, last, "U") || hasCat(s, last, "UP") ||
        hasCat(s, last, "UG")))
    return 0;
  int c[4] = {};
  int n = children(s, i, c);
  if (n == 1) return 1;
  if (n == 2) return hasCat(s, c[0], "UG") || hasCat(s, c[0], "U");
  if (n == 3) return (hasCat(s, c[0], "U") || hasCat(s, c[0], "UG")) && (hasCat(s, c[1], "S") || hasCat(s, c[1], "C"));
  return 0;
}

#define CJ_STRING_TEST(fn, field)                                                    \
  int fn(const CjSentence& s, int i, std::string_view value) {                       \
    return featureTest(s, i, [&](const CjFeatures& f) {                              \
      return f.field.view().find(value) != std::string_view::npos;                   \
    });                                                                              \
  }
#define CJ_BYTE_TEST(fn, field)                                                                       \
  int fn(const CjSentence& s, int i, std::string_view value) {                                        \
    return featureTest(s, i, [&](const CjFeatures& f) { return f.field == firstByte(value); });       \
  }

CJ_BYTE_TEST(hasSenseCat, catLetter)
CJ_STRING_TEST(hasMSem, M_SEM)
CJ_STRING_TEST(hasSSem, S_SEM)
CJ_BYTE_TEST(isClasMFix, CLAS_M_FIX)
CJ_BYTE_TEST(isClasYn, CLAS_YN)
CJ_STRING_TEST(hasLoc, LOC)
CJ_BYTE_TEST(isSex, SEX)
CJ_BYTE_TEST(isNum, NUM)
CJ_BYTE_TEST(isPer, PER)
CJ_BYTE_TEST(isProp, PROP)
CJ_BYTE_TEST(isTime, TIME)
CJ_BYTE_TEST(isVoi, VOI)
CJ_BYTE_TEST(isTen, TEN)
CJ_BYTE_TEST(isAsp, ASP)
CJ_STRING_TEST(hasCSubSem, C_SUB_SEM)
CJ_STRING_TEST(hasCObjSem, C_OBJ_SEM)
CJ_STRING_TEST(hasNoCObjSem, NO_C_OBJ_SEM)
CJ_STRING_TEST(hasRepeat, REPEAT)
CJ_STRING_TEST(hasPreObj, PRE_OBJ)
CJ_STRING_TEST(hasVRes, V_RES)
CJ_STRING_TEST(hasVTwo, V_TWO)
CJ_BYTE_TEST(isMod, MOD)
CJ_BYTE_TEST(isDeg, DEG)
CJ_BYTE_TEST(isFunc1, FUNC1)
CJ_BYTE_TEST(isConj, CONJ)
CJ_BYTE_TEST(isConjFix, CONJ_FIX)
CJ_BYTE_TEST(isModify, MODIFY)
CJ_BYTE_TEST(isSentYn, SENT_YN)
CJ_BYTE_TEST(isWhat, WHAT)
CJ_BYTE_TEST(isWho, WHO)
CJ_BYTE_TEST(isDomP, DOM_P)
CJ_BYTE_TEST(isCert, CERT)
CJ_BYTE_TEST(isAttr1, ATTR1)
CJ_BYTE_TEST(isConjYn, CONJ_YN)
CJ_BYTE_TEST(isLogic, LOGIC)
CJ_BYTE_TEST(isPrepYn, PREP_YN)
CJ_BYTE_TEST(isCombine, COMBINE)
CJ_BYTE_TEST(isPrePost, PRE_POST)
CJ_BYTE_TEST(isSvConj, SV_CONJ)
CJ_BYTE_TEST(isAdd, ADD)
CJ_BYTE_TEST(isAttr2, ATTR2)
CJ_STRING_TEST(hasSCat, S_CAT)
#undef CJ_STRING_TEST
#undef CJ_BYTE_TEST

int isNeg(const CjSentence& s, int i, std::string_view value) {
  return featureTest(s, i, [&](const CjFeatures& f) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(f.NEG))) == firstByte(value);
  });
}

int alwaysTrue(const CjSentence&, int, std::string_view) { return 1; }

int isCat(const CjSentence& s, int i, std::string_view c) { return isNodeIndex(s, i) && cat(s, i) == c ? 1 : 0; }

int chiLength(const CjSentence& s, int i) { return static_cast<int>(chi(s, i).size()); }

int isChi(const CjSentence& s, int i, std::string_view word) { return isNodeIndex(s, i) && chi(s, i) == word ? 1 : 0; }

int hasVerbCVal(const CjSentence& s, int i, std::string_view code) {
  if (!isNodeIndex(s, i)) return 0;
  int k = isWordNode(s, i) ? i : headChild(s, i);
  if (!isNodeIndex(s, k)) return 0;
  for (const CjSense& sense : s.nodes[k].senses) {
    if (sense.catLetter == 'V' && sense.C_VAL.view().find(code) != std::string_view::npos) return 1;
  }
  return 0;
}

int hasVerbCatCVal(const CjSentence& s, int i, std::string_view code) {
  if (!isNodeIndex(s, i)) return 0;
  int k = isWordNode(s, i) ? i : headChild(s, i);
  if (!isNodeIndex(s, k)) return 0;
  return cat(s, k) == "V" && s.nodes[k].features.C_VAL.view().find(code) != std::string_view::npos ? 1 : 0;
}

int catHasSameLetters(const CjSentence& s, int i, std::string_view letters) {
  std::string_view c = cat(s, i);
  if (c.size() != letters.size()) return 0;
  for (char l : letters) {
    if (c.find(l) == std::string_view::npos) return 0;
  }
  return 1;
}

int isCatLetter(const CjSentence& s, int i, char letter) {
  return isNodeIndex(s, i) && cat(s, i).size() == 1 && cat(s, i)[0] == letter ? 1 : 0;
}

int isCatExactlyF(const CjSentence& s, int i) { return i >= 1 && hasCat(s, i, "F") && cat(s, i).size() == 1; }

int isListedRWord(const CjSentence& s, int i) {
  return i >= 1 && hasCat(s, i, "R") && listed(kNodePredicatesRWordsKey, chi(s, i)) ? 1 : 0;
}

namespace {

// The first node after i on its chain that passes, 0 for none.
template <typename Pass>
int findForward(const CjSentence& s, int i, Pass pass) {
  if (i < 1) return 0;
  for (int k = nextNode(s, i), steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (pass(k)) return k;
  }
  return 0;
}

template <typename Pass>
int findBackward(const CjSentence& s, int i, Pass pass) {
  if (i < 1) return 0;
  for (int k = prevNode(s, i), steps = 0; k != 0 && steps < kMaxNodes; k = prevNode(s, k), ++steps) {
    if (pass(k)) return k;
  }
  return 0;
}

}  // namespace

int nextVerbInContext(const CjSentence& s, int i) {
  return findForward(s, i, [&](int k) { return isVerbInContext(s, k) != 0; });
}

int findNextVerbalNode(const CjSentence& s, int i) {
  return findForward(s, i, [&](int k) { return isVerbalNode(s, k) != 0; });
}

int prevVerbWord(const CjSentence& s, int i) {
  return findBackward(s, i, [&](int k) { return hasCat(s, k, "V") != 0; });
}

int isPrecededByWord(const CjSentence& s, int i, std::string_view word) {
  return findBackward(s, i, [&](int k) { return chi(s, k) == word; }) ? 1 : 0;
}

int findFollowingWord(const CjSentence& s, int i, std::string_view word) {
  return findForward(s, i, [&](int k) { return chi(s, k) == word; });
}

int findPrecedingListedNode(const CjSentence& s, int limit, int i) {
  if (limit < 0 || i < 1) return 0;
  const std::string& stop = listedWord(kNodePredicatesStopWordKey);
  for (int k = prevNode(s, i), steps = 0; k != 0 && steps < kMaxNodes; k = prevNode(s, k), ++steps) {
    if (!stop.empty() && chi(s, k) == stop) return 0;
    if (hasCat(s, k, "N") && (hasMSem(s, k, "A") || hasMSem(s, k, "Z"))) return k;
    if (hasCat(s, k, "R") && hasMSem(s, k, "A")) return k;
  }
  return 0;
}

int isAttributiveNode(const CjSentence& s, int i) {
  if (hasCat(s, i, "C") || hasCat(s, i, "U")) return 1;
  if (isNounInContext(s, i)) return 1;
  if (hasCat(s, i, "R") && (hasMSem(s, i, "B") || hasMSem(s, i, "A"))) return 1;
  return hasCat(s, i, "R") && hasMSem(s, i, "C") ? 1 : 0;
}

int isVerbalNode(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  std::string_view c = cat(s, i);
  if (c == "V" || c == "VP") return 1;
  int p = prevNode(s, i);
  if (c.find('V') == std::string_view::npos) return 0;
  if (listed(kVerbContextC4Key, chi(s, p)) || listed(kVerbContextC5Key, chi(s, p))) return 0;
  if (hasRorA(s, p) && endsWithListed("verbContext.c6", chi(s, p))) return 0;
  if ((hasCat(s, p, "U") || hasCat(s, p, "UG")) && listed(kVerbContextC7Key, chi(s, i))) return 0;
  return hasCat(s, i, "V");
}

int isVerbInContext(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  std::string_view c = cat(s, i);
  if (c == "V" || c == "VP") return 1;
  if (c.find('V') == std::string_view::npos) return 0;
  const int p = prevNode(s, i), n = nextNode(s, i), n2 = nextNode(s, n), q = p ? nextNode(s, p) : 0;
  const std::string_view pw = chi(s, p), nw = chi(s, n);
  if (hasCat(s, p, "R") && hasMSem(s, p, "A")) return 1;                                      // 1
  if (hasCat(s, p, "N") && hasMSem(s, p, "A")) return 1;                                      // 2
  if (hasCat(s, p, "N") && hasMSem(s, p, "Z")) return 1;                                      // 3
  if (listed(kVerbContextC4Key, pw)) return 0;                                                 // 4
  if (listed(kVerbContextC5Key, pw)) return 0;                                                 // 5
  if (hasRorA(s, p) && endsWithListed("verbContext.c6", pw)) return 0;                        // 6
  if ((hasCat(s, p, "U") || hasCat(s, p, "UG")) && listed(kVerbContextC7Key, chi(s, i))) return 0;  // 7
  if (listed(kVerbContextC8Key, pw)) return 1;                                                 // 8
  if (listed(kVerbContextC9Key, pw) && isAtClauseEnd(s, n)) return 1;                          // 9
  if (hasCat(s, p, "F") && hasCat(s, n, "R")) return 1;                                       // 10
  if (listed(kVerbContextC11Key, pw) && hasCat(s, n, "R")) return 1;                           // 11
  if (isOneCharWord(s, i) && listed(kVerbContextC12Key, nw)) return 1;                         // 12
  if (hasCat(s, n, "V") && hasMSem(s, n, "J")) return 1;                                      // 13
  if (listed(kVerbContextC14Key, nw)) return 1;                                                // 14
  if ((hasCat(s, p, "G") || hasCat(s, p, "F")) && !hasCat(s, i, "I")) return 1;               // 15
  if (hasCat(s, p, "E") && !listed(kVerbContextC16Key, pw) && hasCat(s, n, "P")) return 1;     // 16
  if (hasCat(s, p, "R") && !hasMSem(s, p, "C") && !containsListedChar(kVerbContextC17Key, pw) &&
      isClauseEndOrShortVerb(s, n))
    return 1;  // 17
  if (hasCat(s, p, "R") && hasMSem(s, p, "A") && hasCat(s, n, "E") && !listed(kVerbContextC18Key, nw) &&
      (hasMSem(s, n, "A") || hasMSem(s, n, "B")))
    return 1;                                                                                 // 18
  if (listed(kVerbContextC19Key, pw) && hasCat(s, q, "F")) return 1;                           // 19
  if (listed(kVerbContextC20Key, pw) && !hasVerbCVal(s, i, "0")) return 1;                     // 20
  if (hasCat(s, p, "R") && hasMSem(s, p, "A") && listed(kVerbContextC21Key, nw)) return 1;     // 21
  const bool qVerbE = hasCat(s, q, "V") && hasVerbCVal(s, q, "E");
  if (qVerbE && hasCat(s, p, "E") && hasCat(s, n, "P")) return 1;                             // 22
  if (qVerbE && hasCat(s, p, "E") && hasCat(s, n, "E") && hasCat(s, n2, "P")) return 1;       // 23
  if (listed(kVerbContextC24Key, pw) && hasCat(s, n, "R") && hasMSem(s, n, "B")) return 1;     // 24
  if (listed(kVerbContextC25Key, pw)) return 1;                                                // 25
  return listed(kVerbContextC26Key, pw) ? 1 : 0;                                               // 26
}

int isNounInContext(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return 0;
  std::string_view c = cat(s, i);
  if (c == "N" || c == "W") return 1;
  if (c.find('N') == std::string_view::npos) return 0;
  const int p = prevNode(s, i), n = nextNode(s, i), n2 = nextNode(s, n), q = p ? nextNode(s, p) : 0;
  const std::string_view pw = chi(s, p), nw = chi(s, n);
  auto prevPairOrEnding = [&](std::string_view pair, std::string_view ending) {
    return listed(pair, pw) || (hasRorA(s, p) && endsWithListed(ending, pw));
  };
  const bool prevMarks = prevPairOrEnding("nounContext.prevPair", "nounContext.prevEnding");
  if (c.size() == 1) return 1;                                                                // 1
  if (isAtClauseEnd(s, n) && prevMarks) return 1;                                             // 2
  if (hasNoPreviousNode(s, p) && hasCat(s, n, "V") && hasMSem(s, n, "K")) return 1;           // 3
  if (hasCat(s, p, "I") && hasCat(s, n, "L")) return 1;                                       // 4
  if (hasCat(s, n, "L") && prevMarks) return 1;                                               // 5
  if (hasCat(s, n, "A") && listed(kNounContextC6Key, nw)) return 1;                            // 6
  if (hasCat(s, q, "A") && hasVerbCVal(s, q, "2") && hasCat(s, n, "P") && (hasCat(s, p, "N") || hasCat(s, p, "R")))
    return 1;                                                                                 // 7
  if (hasCat(s, p, "V") && !hasVerbCVal(s, p, "E") && hasCat(s, n, "P")) return 1;            // 8
  if (hasCat(s, n, "L") && !listed(kNounContextC9Key, nw)) return 1;                           // 9
  if (hasCat(s, p, "N") && (isProp(s, p, "B") || isProp(s, p, "C"))) return 1;               // 10
  if (hasCat(s, p, "A") || listed(kNounContextC11Key, pw)) return 1;                           // 11
  if (listed(kNounContextC12Key, nw) && prevMarks) return 1;                                   // 12
  const bool qVerbNotE = hasCat(s, q, "V") && !hasVerbCVal(s, q, "E");
  if (qVerbNotE && hasCat(s, p, "E") && hasCat(s, n, "P")) return 1;                          // 13
  if (qVerbNotE && hasCat(s, p, "E") && hasCat(s, n, "E") && hasCat(s, n2, "P")) return 1;    // 14
  if (listed(kNounContextC15Key, nw)) return 1;                                                // 15
  if (hasCat(s, p, "S") && (hasCat(s, n, "P") || hasCat(s, n, "V") || hasCat(s, n, "E"))) return 1;  // 16
  if (listed(kNounContextC17aKey, pw) && listed(kNounContextC17bKey, chi(s, i))) return 1;      // 17
  if (listed(kNounContextC18Key, nw) && hasCat(s, n2, "P")) return 1;                          // 18
  if (hasCat(s, n, "N") && prevMarks && listed(kNounContextC19Key, chi(s, n2))) return 1;      // 19
  if (listed(kNounContextC20Key, pw) || hasCat(s, p, "U")) return 1;                           // 20
  if (hasCat(s, p, "UG") && hasCat(s, n, "P")) return 1;                                      // 21
  if (isAtClauseEnd(s, n) && prevPairOrEnding("nounContext.prevPair2", "nounContext.prevEnding2")) return 1;  // 22
  return hasCat(s, p, "E") && isAtClauseEnd(s, n) ? 1 : 0;                                    // 23
}

void settleMiddleNoun(CjSentence& s, int p) {
  if (!isNodeIndex(s, p) || isWordNode(s, p)) return;
  int c[4] = {};
  if (children(s, p, c) != 3) return;
  if (hasCat(s, c[1], "N")) s.nodes[c[1]].CAT = "N";
}

bool isOneCharWord(const CjSentence& s, int i) {
  std::string_view w = chi(s, i);
  return isNodeIndex(s, i) && w.size() == 2 && static_cast<unsigned char>(w[0]) >= 0x80;
}

bool isTwoCharWord(const CjSentence& s, int i) {
  std::string_view w = chi(s, i);
  return isNodeIndex(s, i) && w.size() == 4 && static_cast<unsigned char>(w[0]) >= 0x80;
}

bool hasCatANUR(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return false;
  if (catContains(s, i, "A") || catContains(s, i, "N") || catContains(s, i, "U") || catContains(s, i, "UG")) return true;
  return catContains(s, i, "R") && !hasMSem(s, i, "B");
}

bool isAtClauseEnd(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return false;
  int n = nextNode(s, i);
  if (n == 0) return true;
  if (catContains(s, i, "E") && hasMSem(s, i, "C")) return true;
  if (catContains(s, i, "P")) return true;
  return chi(s, n) == "E" && hasMSem(s, n, "C");
}

bool hasNoPreviousNode(const CjSentence& s, int i) { return isNodeIndex(s, i) && prevNode(s, i) == 0; }

bool isClauseEndOrShortVerb(const CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return false;
  return isAtClauseEnd(s, i) || catContains(s, i, "E") || cat(s, i) == "V";
}

bool prefersCatA(const CjSentence& s, int i) {
  if (!catContains(s, i, "A")) return false;
  const int n = nextNode(s, i), n2 = nextNode(s, n), p = prevNode(s, i);
  const std::string_view nw = chi(s, n), pw = chi(s, p);
  auto is = [](const ListedKey& key, std::string_view w) { return !w.empty() && w == listedWord(key); };
  if (is(kLw162, nw) || is(kLw7, nw) || is(kLw163, nw) || is(kLw2, nw) || is(kLw9, nw) || catContains(s, n, "N"))
    return true;
  if (is(kLw1, nw)) return false;
  if (is(kLw5, pw) || is(kLw164, pw) || is(kLw165, pw) || is(kLw3, pw) || is(kLw166, pw) || is(kLw6, pw))
    return true;
  return is(kLw2, nw) && catContains(s, n2, "F") && !catContains(s, n2, "A");
}

bool isRightBoundary(const CjSentence& s, int i) {
  if (i == 0 || hasCat(s, i, "P")) return true;
  int k = i;
  if (hasCat(s, k, "E")) {
    k = nextNode(s, k);
    if (hasCat(s, k, "E")) k = nextNode(s, k);
    return k == 0 || hasCat(s, k, "P");
  }
  return false;
}

bool isLeftBoundary(const CjSentence& s, int i) {
  if (i == 0 || hasCat(s, i, "P")) return true;
  int p = prevNode(s, i);
  return p == 0 || hasCat(s, p, "P");
}

}  // namespace cj
