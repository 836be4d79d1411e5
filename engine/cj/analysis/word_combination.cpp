#include "engine/cj/analysis/rule_probe.h"
#include "engine/cj/analysis/word_combination.h"

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

constinit ListedKey kRunList1{"wordCombination.runList1"};
constinit ListedKey kRunList2{"wordCombination.runList2"};
constinit ListedKey kRunList3{"wordCombination.runList3"};
constinit ListedKey kHeadList1{"wordCombination.headList1"};
constinit ListedKey kHeadList2{"wordCombination.headList2"};
constinit ListedKey kTailList1{"wordCombination.tailList1"};
constinit ListedKey kTailList2{"wordCombination.tailList2"};
constinit ListedKey kListW{"wordCombination.listW"};
constinit ListedKey kSuffixList{"wordCombination.suffixList"};
constinit ListedKey kSenseList{"wordCombination.senseList"};
constinit ListedKey kPairChar{"wordCombination.pairChar"};
constinit ListedKey kPrefix1{"wordCombination.prefix1"};
constinit ListedKey kPrefix2{"wordCombination.prefix2"};
constinit ListedKey kPrefix3{"wordCombination.prefix3"};
constinit ListedKey kNumeralPrefix{"wordCombination.numeralPrefix"};
constinit ListedKey kWPrefix1{"wordCombination.wPrefix1"};
constinit ListedKey kWPrefix2{"wordCombination.wPrefix2"};
constinit ListedKey kWPrefix3{"wordCombination.wPrefix3"};
constinit ListedKey kNounPrefix{"wordCombination.nounPrefix"};
constinit ListedKey kBlockingWord{"wordCombination.blockingWord"};
constinit ListedKey kFollower3{"wordCombination.follower3"};
constinit ListedKey kFollower4{"wordCombination.follower4"};
constinit ListedKey kNeighbour1{"wordCombination.neighbour1"};
constinit ListedKey kNeighbour2{"wordCombination.neighbour2"};
constinit ListedKey kNeighbour3{"wordCombination.neighbour3"};
constinit ListedKey kNeighbour4{"wordCombination.neighbour4"};
constinit ListedKey kNounSuffix1{"wordCombination.nounSuffix1"};
constinit ListedKey kNounSuffix2{"wordCombination.nounSuffix2"};

const WordKeySpec kWordKeys[] = {
    // Membership lists of names and name characters: as many as the card gives.
    {kRunList1, 0, 1, 1},      {kRunList2, 0, 1, 1},       {kRunList3, 0, 1, 1},     {kHeadList1, 0, 1, 1},
    {kHeadList2, 0, 1, 2},     {kTailList1, 0, 1, 1},      {kTailList2, 0, 1, 1},    {kListW, 94, 2, 4},
    {kSuffixList, 15, 1, 1},   {kSenseList, 12, 1, 1},     {kPairChar, 1, 1, 1},     {kPrefix1, 1, 1, 1},
    {kPrefix2, 1, 1, 1},       {kPrefix3, 1, 1, 1},        {kNumeralPrefix, 1, 1, 1}, {kWPrefix1, 1, 1, 1},
    {kWPrefix2, 1, 1, 1},      {kWPrefix3, 1, 1, 1},       {kNounPrefix, 1, 1, 1},   {kBlockingWord, 1, 2, 2},
    {kFollower3, 1, 1, 1},     {kFollower4, 1, 1, 1},      {kNeighbour1, 1, 1, 1},   {kNeighbour2, 1, 1, 1},
    {kNeighbour3, 1, 1, 1},    {kNeighbour4, 1, 1, 1},     {kNounSuffix1, 1, 1, 1},  {kNounSuffix2, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// Builds a noun node over first..last; 0 when the work area has no slot left.
int buildNoun(CjSentence& s, int first, int last, char structureClass, int rule, int head) {
  int n = builtnewnode(s, first, last);
  if (!n) return 0;
  CjNode& node = s.nodes[n];
  node.structureClass = structureClass;
  node.ruleNumber = rule;
  node.CAT = "N";
  if (head) node.headChild = head;
  return n;
}

// What a pass decided at one window.
struct Merge {
  int last = 0;  // 0: nothing to build
  char structureClass = 0;
  int rule = 0;
  int head = 0;  // 0: w1
};

// The walk of passes 2 to 9: window w1, w2; after a build the scan goes on after the new node.
template <class Decide>
void walkPairs(CjSentence& s, Decide decide) {
  int w1 = s.firstTop;
  for (int steps = 0; w1 != 0 && steps < 2 * kMaxNodes; ++steps) {
    int w2 = nextNode(s, w1);
    if (!isNodeIndex(s, w1) || !isNodeIndex(s, w2)) return;
    Merge m = decide(w1, w2);
    int n = m.last ? buildNoun(s, w1, m.last, m.structureClass, m.rule, m.head) : 0;
    w1 = nextNode(s, n ? n : w1);
  }
}

bool bothChineseWords(const CjSentence& s, int w1, int w2) {
  return isWordAt(s, w1) && isWordAt(s, w2) && isChineseAt(s, w1) && isChineseAt(s, w2);
}

bool inTailList(const CjSentence& s, int i) { return isInListedBar(s, i, kTailList1) || isInListedBar(s, i, kTailList2); }

bool inTailList(std::string_view text) {
  return isInListedBarList(kTailList1, text) || isInListedBarList(kTailList2, text);
}

bool isRunMember(const CjSentence& s, int i, bool start) {
  if (isInListedBar(s, i, kRunList1)) return true;
  if (!start && (isInListedBar(s, i, kRunList2) || isInListedBar(s, i, kRunList3))) return true;
  return hasCat(s, i, "N") && hasMSem(s, i, "Z");
}

bool isFollower(const CjSentence& s, int i) {
  return isListedText(s, i, kPrefix1) || isListedText(s, i, kWPrefix1) || isListedText(s, i, kFollower3) ||
         isListedText(s, i, kFollower4);
}

bool passesNeighbourTest(const CjSentence& s, int w1) {
  int p = prevNode(s, w1), n = nextNode(s, w1);
  if (isListedText(s, w1, kNeighbour1)) {
    return !(isListedText(s, p, kNeighbour2) || hasCat(s, p, "U") || (hasCat(s, n, "N") && isClasMFix(s, n, "K")));
  }
  if (isListedText(s, w1, kNeighbour3) || isListedText(s, w1, kNeighbour4)) {
    return !(isListedText(s, p, kNeighbour2) || hasCat(s, p, "U") || hasCat(s, p, "S") || hasCat(s, n, "N"));
  }
  return true;
}

Merge headMerge(int last, int rule, int head) { return Merge{last, '2', rule, head}; }

// Pass 6 at one window; branchA tells which head list w1 came from.
Merge decideHeadCharacter(const CjSentence& s, int w2, bool branchA) {
  if (isFollower(s, w2)) return headMerge(w2, 1, w2);
  bool longer = nodeText(s, w2).size() > 2;
  if ((branchA ? longer : true) && isInListedBar(s, w2, kListW)) return headMerge(w2, 2, w2);
  if (hasChars(s, w2, 2) && !hasCat(s, w2, "V") && (branchA || !hasCat(s, w2, "N"))) {
    if (inTailList(charOf(nodeText(s, w2), 1))) return headMerge(w2, 3, w2);
    return {};
  }
  if (!hasChars(s, w2, 1) || hasCat(s, w2, "R") || (!branchA && hasCat(s, w2, "V"))) return {};
  int w3 = nextNode(s, w2);
  if (isWordAt(s, w3) && isChineseAt(s, w3)) {
    if (hasChars(s, w3, 1)) {
      if (inTailList(s, w3)) return headMerge(w3, 3, branchA ? w3 : w2);
      if (inTailList(s, w2)) return headMerge(w2, 3, w2);
      return {};
    }
    if (branchA) return {};
    if (inTailList(s, w2)) return headMerge(w2, 3, w2);
    return {};
  }
  if (inTailList(s, w2)) return headMerge(w2, 3, w2);
  return {};
}

}  // namespace

void combineCharacterRuns(CjSentence& s) {
  int w = s.firstTop;
  for (int steps = 0; w != 0 && steps < 2 * kMaxNodes; ++steps) {
    if (!isNodeIndex(s, w)) return;
    if (!isRunMember(s, w, true)) {
      w = nextNode(s, w);
      continue;
    }
    int last = w;
    std::size_t bytes = nodeText(s, w).size();
    int k = nextNode(s, w);
    for (int n = 0; k != 0 && isRunMember(s, k, false) && n < kMaxNodes; ++n) {
      last = k;
      bytes += nodeText(s, k).size();
      k = nextNode(s, k);
    }
    int built = 0;
    if (last != w && bytes > 5) built = buildNoun(s, w, last, '2', 3, w);
    if (built) {
      w = nextNode(s, built);
    } else {
      // The node that ended the run is not tried as a start.
      w = k ? nextNode(s, k) : 0;
    }
  }
}

void combinePrefixedHeads(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (!bothChineseWords(s, w1, w2)) return {};
    if (isListedText(s, w1, kPairChar) && hasChars(s, w2, 1)) return {w2, '2', 3, w2};
    bool prefix3 = isListedText(s, w1, kPrefix3);
    if (!(isListedText(s, w1, kPrefix1) || isListedText(s, w1, kPrefix2) || prefix3)) return {};
    if (isInListedBar(s, w2, kHeadList1) || isInListedBar(s, w2, kHeadList2)) return {w2, '1', 1, w2};
    if (!prefix3) return {};
    int after = nextNode(s, w2);
    if (isNodeIndex(s, after) && hasCat(s, after, "N")) return {};
    if (hasChars(s, w2, 1) && inTailList(s, w2)) return {w2, '1', 2, w2};
    return {};
  });
}

void combineNumeralPrefix(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (isWordAt(s, w1) && isChineseAt(s, w1) && isListedText(s, w1, kNumeralPrefix) && hasCat(s, w2, "U"))
      return {w2, '1', 3, 0};
    return {};
  });
}

void combineListedWordPrefix(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (!isWordAt(s, w1) || !isWordAt(s, w2) || !isChineseAt(s, w2)) return {};
    bool prefix =
        isListedText(s, w1, kWPrefix1) || isListedText(s, w1, kWPrefix2) || isListedText(s, w1, kWPrefix3);
    if (prefix && nodeText(s, w2).size() > 2 && isInListedBar(s, w2, kListW)) return {w2, '1', 4, 0};
    return {};
  });
}

void combineNounPrefix(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (!bothChineseWords(s, w1, w2) || !isListedText(s, w1, kNounPrefix)) return {};
    const std::string& blocking = listedWord(kBlockingWord);
    if (!blocking.empty() && findFollowingWord(s, w1, blocking)) return {};
    if (hasCat(s, w2, "N")) return {w2, '1', 5, 0};
    return {};
  });
}

void combineHeadCharacter(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (!bothChineseWords(s, w1, w2)) return {};
    if (isInListedBar(s, w1, kHeadList1)) return decideHeadCharacter(s, w2, true);
    if (isInListedBar(s, w1, kHeadList2) && passesNeighbourTest(s, w1)) return decideHeadCharacter(s, w2, false);
    return {};
  });
}

void combineNounSuffix(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (bothChineseWords(s, w1, w2) && hasCat(s, w1, "N") && isListedText(s, w2, kNounSuffix1)) return {w2, '2', 4, 0};
    return {};
  });
}

void combineWordSuffix(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (!bothChineseWords(s, w1, w2)) return {};
    if (isListedText(s, w2, kNounSuffix2)) return {w2, '2', 6, 0};
    if (hasChars(s, w1, 2) && isInListedBar(s, w2, kSuffixList)) return {w2, '2', 5, 0};
    return {};
  });
}

void combineShortWordSuffix(CjSentence& s) {
  walkPairs(s, [&](int w1, int w2) -> Merge {
    if (bothChineseWords(s, w1, w2) && hasChars(s, w1, 1) && isListedText(s, w2, kNounSuffix1)) return {w2, '2', 5, 0};
    return {};
  });
}

void giveListedNounSenses(CjSentence& s) {
  int w = s.firstTop;
  for (int steps = 0; w != 0 && steps < 2 * kMaxNodes; ++steps) {
    if (!isNodeIndex(s, w)) return;
    if (isInListedBar(s, w, kSenseList)) {
      int x = nextNode(s, w);
      bool opensBeforeVerb = w == 1 && hasCat(s, x, "V");
      bool beforeNoun = hasCat(s, x, "N") && (hasMSem(s, x, "J") || hasMSem(s, x, "H") || hasMSem(s, x, "A"));
      if (opensBeforeVerb || beforeNoun) setSenseFromItems(s.nodes[w], "U[N]a[JJJ]");
    }
    w = nextNode(s, w);
  }
}

void combineWords(CjSentence& s) {
  CJ_RULE(wordCombination, combineCharacterRuns, s);
  CJ_RULE(wordCombination, combinePrefixedHeads, s);
  CJ_RULE(wordCombination, combineNumeralPrefix, s);
  CJ_RULE(wordCombination, combineListedWordPrefix, s);
  CJ_RULE(wordCombination, combineNounPrefix, s);
  CJ_RULE(wordCombination, combineHeadCharacter, s);
  CJ_RULE(wordCombination, combineNounSuffix, s);
  CJ_RULE(wordCombination, combineWordSuffix, s);
  CJ_RULE(wordCombination, combineShortWordSuffix, s);
  CJ_RULE(wordCombination, giveListedNounSenses, s);
}

bool isListedWithSuccessor(const CjSentence& s, int i) {
  if (isInListedBar(s, i, kListW)) return true;
  if (!isListedText(s, i, kWPrefix1) && !isListedText(s, i, kWPrefix2)) return false;
  return isInListedBarList(kListW, nodeText(s, nextNode(s, i)));
}

}  // namespace cj
