// Tests on nodes, their senses and their neighbours; 0 is false, a node index 0 is none.
#pragma once
#include <string_view>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/common/keyed_word_table.h"

namespace cj {

// Word lists and texts; matches start and end at character boundaries (isInWordList is the keyed
// tables').
bool hasSuffix(std::string_view text, std::string_view suffix);
bool hasTrailingMatch(std::string_view text, std::string_view pattern);
int isListedHeadWord(const CjSentence& s, int i);
int isListedVerbHead(const CjSentence& s, int i);
int hasListedEnding(std::string_view text);
int isInSharedWordList(const CjSentence& s, std::string_view word);
int isCountedNounPhrase(const CjSentence& s, int i);
int isMeasuredPhrase(const CjSentence& s, int i);

// Feature tests: a phrase node on its own field, a word node on any of its senses.
int hasSenseCat(const CjSentence& s, int i, std::string_view value);
int hasMSem(const CjSentence& s, int i, std::string_view value);
int hasSSem(const CjSentence& s, int i, std::string_view value);
int isClasMFix(const CjSentence& s, int i, std::string_view value);
int isClasYn(const CjSentence& s, int i, std::string_view value);
int hasLoc(const CjSentence& s, int i, std::string_view value);
int isSex(const CjSentence& s, int i, std::string_view value);
int isNum(const CjSentence& s, int i, std::string_view value);
int isPer(const CjSentence& s, int i, std::string_view value);
int isProp(const CjSentence& s, int i, std::string_view value);
int isTime(const CjSentence& s, int i, std::string_view value);
int isNeg(const CjSentence& s, int i, std::string_view value);
int isVoi(const CjSentence& s, int i, std::string_view value);
int isTen(const CjSentence& s, int i, std::string_view value);
int isAsp(const CjSentence& s, int i, std::string_view value);
int hasCSubSem(const CjSentence& s, int i, std::string_view value);
int hasCObjSem(const CjSentence& s, int i, std::string_view value);
int hasNoCObjSem(const CjSentence& s, int i, std::string_view value);
int hasRepeat(const CjSentence& s, int i, std::string_view value);
int hasPreObj(const CjSentence& s, int i, std::string_view value);
int hasVRes(const CjSentence& s, int i, std::string_view value);
int hasVTwo(const CjSentence& s, int i, std::string_view value);
int isMod(const CjSentence& s, int i, std::string_view value);
int isDeg(const CjSentence& s, int i, std::string_view value);
int isFunc1(const CjSentence& s, int i, std::string_view value);
int isConj(const CjSentence& s, int i, std::string_view value);
int isConjFix(const CjSentence& s, int i, std::string_view value);
int isModify(const CjSentence& s, int i, std::string_view value);
int isSentYn(const CjSentence& s, int i, std::string_view value);
int isWhat(const CjSentence& s, int i, std::string_view value);
int isWho(const CjSentence& s, int i, std::string_view value);
int isDomP(const CjSentence& s, int i, std::string_view value);
int isCert(const CjSentence& s, int i, std::string_view value);
int isAttr1(const CjSentence& s, int i, std::string_view value);
int isConjYn(const CjSentence& s, int i, std::string_view value);
int isLogic(const CjSentence& s, int i, std::string_view value);
int isPrepYn(const CjSentence& s, int i, std::string_view value);
int isCombine(const CjSentence& s, int i, std::string_view value);
int isPrePost(const CjSentence& s, int i, std::string_view value);
int isSvConj(const CjSentence& s, int i, std::string_view value);
int isAdd(const CjSentence& s, int i, std::string_view value);
int isAttr2(const CjSentence& s, int i, std::string_view value);
int hasSCat(const CjSentence& s, int i, std::string_view value);
int alwaysTrue(const CjSentence& s, int i, std::string_view value);

// Category, text and value tests.
// A word node's category contains cat; a phrase node's category is cat.
inline int hasCat(const CjSentence& s, int i, std::string_view cat) {
  if (!isNodeIndex(s, i)) return 0;
  const std::string_view own = s.nodes[i].CAT.view();
  if (!isWordNode(s, i)) return own == cat ? 1 : 0;
  if (cat.size() == 1) {
    for (char c : own)
      if (c == cat[0]) return 1;
    return 0;
  }
  return own.find(cat) != std::string_view::npos ? 1 : 0;
}
int isCat(const CjSentence& s, int i, std::string_view cat);
int chiLength(const CjSentence& s, int i);
int isChi(const CjSentence& s, int i, std::string_view word);
int hasVerbCVal(const CjSentence& s, int i, std::string_view code);
int hasVerbCatCVal(const CjSentence& s, int i, std::string_view code);
int catHasSameLetters(const CjSentence& s, int i, std::string_view letters);
int isCatLetter(const CjSentence& s, int i, char letter);
int isCatExactlyF(const CjSentence& s, int i);
int isListedRWord(const CjSentence& s, int i);

// Context predicates along the chain of node i.
int nextVerbInContext(const CjSentence& s, int i);
int findNextVerbalNode(const CjSentence& s, int i);
int prevVerbWord(const CjSentence& s, int i);
int isPrecededByWord(const CjSentence& s, int i, std::string_view word);
int findFollowingWord(const CjSentence& s, int i, std::string_view word);
int findPrecedingListedNode(const CjSentence& s, int limit, int i);
int isAttributiveNode(const CjSentence& s, int i);
int isVerbalNode(const CjSentence& s, int i);
int isVerbInContext(const CjSentence& s, int i);
int isNounInContext(const CjSentence& s, int i);
// Sets the middle child of a three-child phrase to "N" when it can be a noun.
void settleMiddleNoun(CjSentence& s, int p);

// Clause and category tests.
bool isOneCharWord(const CjSentence& s, int i);
bool isTwoCharWord(const CjSentence& s, int i);
bool hasCatANUR(const CjSentence& s, int i);
bool isAtClauseEnd(const CjSentence& s, int i);
bool hasNoPreviousNode(const CjSentence& s, int i);
bool isClauseEndOrShortVerb(const CjSentence& s, int i);
bool prefersCatA(const CjSentence& s, int i);
bool isRightBoundary(const CjSentence& s, int i);
bool isLeftBoundary(const CjSentence& s, int i);

}  // namespace cj
