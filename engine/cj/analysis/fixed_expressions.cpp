#include "engine/cj/analysis/rule_probe.h"
#include "engine/cj/analysis/fixed_expressions.h"

#include <memory>
#include <new>
#include <string>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

constinit ListedKey kSplitWord{"fixedExpressions.splitWord"};
constinit ListedKey kSplitFollowers{"fixedExpressions.splitFollowers"};
constinit ListedKey kFinalWord{"fixedExpressions.finalWord"};
constinit ListedKey kFinalBefore{"fixedExpressions.finalBefore"};
constinit ListedKey kFinalDropAfter{"fixedExpressions.finalDropAfter"};
constinit ListedKey kFinalKeepAfter{"fixedExpressions.finalKeepAfter"};
constinit ListedKey kFinalReplacement{"fixedExpressions.finalReplacement"};

const WordKeySpec kWordKeys[] = {
    {kSplitWord, 1, 2, 2},     {kSplitFollowers, 2, 1, 2},  {kFinalWord, 1, 1, 1},        {kFinalBefore, 1, 1, 1},
    {kFinalDropAfter, 0, 1, 0}, {kFinalKeepAfter, 6, 1, 0}, {kFinalReplacement, 1, 2, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// Reads text from the dictionary into node i, keeping its place in the tree and its marks.
void readWordInto(CjSentence& s, int i, std::string_view text) {
  CjNode& node = s.nodes[i];
  freeSenseList(node.senses);
  node.CHI = text;
  std::unique_ptr<CjNode> record(new (std::nothrow) CjNode);
  if (!record) return;
  loadWordRecord(*s.engine, text, record.get());
  node.dictionaryRef = record->dictionaryRef;
  node.CAT = record->CAT.view();
  node.features = record->features;
  node.senses = std::move(record->senses);
  node.SYLA = record->SYLA.view();
}

// True when one of the words of key occurs before node i.
bool anyPrecedes(const CjSentence& s, int i, const char* key) {
  for (const std::string& w : listedWords(key)) {
    if (isPrecededByWord(s, i, w)) return true;
  }
  return false;
}

}  // namespace

void splitWordTail(CjSentence& s, int node, int nBytes) {
  if (nBytes <= 0 || !isNodeIndex(s, node)) return;
  std::string whole(nodeText(s, node));
  if (whole.size() <= static_cast<std::size_t>(nBytes)) return;
  std::size_t cut = whole.size() - static_cast<std::size_t>(nBytes);
  // Cut only between characters.
  if (fitAtCharBoundary(whole, cut) != cut) return;
  int tail = insertEmptyNode(s, node, nextNode(s, node));
  if (!tail) return;
  readWordInto(s, tail, std::string_view(whole).substr(cut));
  readWordInto(s, node, std::string_view(whole).substr(0, cut));
}

void unlinkNode(CjSentence& s, int node) {
  if (!isNodeIndex(s, node)) return;
  CjNode& x = s.nodes[node];
  const int p = x.prev, n = x.next, parent = x.parent;
  if (isNodeIndex(s, parent)) {
    CjNode& up = s.nodes[parent];
    if (up.lastChild == node) up.lastChild = n ? n : p;
    if (up.firstChild == node) up.firstChild = p ? p : n;
    if (up.headChild == node) up.headChild = n ? n : p;
  }
  if (isNodeIndex(s, p)) s.nodes[p].next = n;
  if (isNodeIndex(s, n)) s.nodes[n].prev = p;
  x.prev = x.next = x.parent = 0;
  if (s.lastTop == node) s.lastTop = p;
  if (s.firstTop == node) s.firstTop = n;
}

void rewriteFinalWordPair(CjSentence& s) {
  int e = s.lastTop;
  if (hasCat(s, e, "P")) e = prevNode(s, e);
  int d = prevNode(s, e);
  if (!isListedText(s, e, kFinalWord) || !isListedText(s, d, kFinalBefore)) return;
  if (anyPrecedes(s, d, kFinalDropAfter)) {
    unlinkNode(s, d);
    unlinkNode(s, e);
    return;
  }
  if (anyPrecedes(s, d, kFinalKeepAfter)) return;
  const std::string& replacement = listedWord(kFinalReplacement);
  if (replacement.empty()) return;
  // The new word goes in first: without a slot for it the pair stays.
  int front = insertEmptyNode(s, 0, s.firstTop);
  if (!front) return;
  readWordInto(s, front, replacement);
  unlinkNode(s, d);
  unlinkNode(s, e);
}

void splitListedWords(CjSentence& s) {
  const std::string& word = listedWord(kSplitWord);
  if (word.empty()) return;
  int k = s.firstTop;
  for (int steps = 0; k != 0 && steps < 2 * kMaxNodes; ++steps) {
    if (nodeText(s, k) == word) {
      bool followed = false;
      for (const std::string& f : listedWords(kSplitFollowers)) followed = followed || findFollowingWord(s, k, f) != 0;
      if (!followed) return;
      splitWordTail(s, k, 2);
    }
    k = nextNode(s, k);
  }
}

void applyFixedExpressions(CjSentence& s) {
  CJ_RULE(fixedExpressions, splitListedWords, s);
  CJ_RULE(fixedExpressions, wrapBracketsAndQuotes, s);
  CJ_RULE(expressionFrames, applyFrameRule1, s);
  CJ_RULE(expressionFrames, applyFrameRule2, s);
  CJ_RULE(expressionFrames, applyFrameRule3, s);
  CJ_RULE(expressionFrames, applyFrameRule4, s);
  CJ_RULE(expressionFrames, applyFrameRule5, s);
  CJ_RULE(expressionFrames, wrapRepeatedWordFrame, s);
  CJ_RULE(fixedExpressions, rewriteFinalWordPair, s);
  CJ_RULE(fixedExpressions, wrapListedWordPairs, s);
}

}  // namespace cj
