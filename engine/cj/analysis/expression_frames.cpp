// Frames that open with a listed word and close at a word of a listed class, the repeated-word
// frame, and the adverbial verb phrase some of them end in.
#include <string>

#include "engine/cj/analysis/dependent_features.h"
#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

constinit ListedKey kLogicWords{"fixedExpressions.logicWords"};
constinit ListedKey kFrame1Openers{"expressionFrames.frame1Openers"};
constinit ListedKey kFrame1Stops{"expressionFrames.frame1Stops"};
constinit ListedKey kFrame1NotSecond{"expressionFrames.frame1NotSecond"};
constinit ListedKey kFrame1NotInside{"expressionFrames.frame1NotInside"};
// Openers that frame only up to a listed time word within their clause (在…时候).
constinit ListedKey kFrame1TimeOpeners{"expressionFrames.frame1TimeOpeners"};
constinit ListedKey kClauseComma{"nodePredicates.stopWord"};
constinit ListedKey kFrame2Opener{"expressionFrames.frame2Opener"};
constinit ListedKey kFrame2Stops{"expressionFrames.frame2Stops"};
constinit ListedKey kFrame2MoreStops{"expressionFrames.frame2MoreStops"};
constinit ListedKey kFrame3Opener{"expressionFrames.frame3Opener"};
constinit ListedKey kFrame3Stops{"expressionFrames.frame3Stops"};
constinit ListedKey kFrame4Openers{"expressionFrames.frame4Openers"};
constinit ListedKey kFrame4SplitWord{"expressionFrames.frame4SplitWord"};
constinit ListedKey kFrame4Stops{"expressionFrames.frame4Stops"};
constinit ListedKey kFrame5Openers{"expressionFrames.frame5Openers"};
constinit ListedKey kFrame5SplitWord{"expressionFrames.frame5SplitWord"};
constinit ListedKey kFrame5VerbStops{"expressionFrames.frame5VerbStops"};
constinit ListedKey kFrame5Stops{"expressionFrames.frame5Stops"};
constinit ListedKey kFrame5PairFirst{"expressionFrames.frame5PairFirst"};
constinit ListedKey kFrame5PairSecond{"expressionFrames.frame5PairSecond"};
constinit ListedKey kRepeatedRule23{"expressionFrames.repeatedRule23Words"};
constinit ListedKey kRepeatedOther{"expressionFrames.repeatedOtherWords"};

const WordKeySpec kWordKeys[] = {
    {kLogicWords, 0, 1, 0},      {kFrame1Openers, 5, 1, 2},    {kFrame1Stops, 9, 1, 2},
    {kFrame1NotSecond, 2, 1, 1},   {kFrame1NotInside, 1, 1, 1},  {kFrame1TimeOpeners, 0, 1, 1},
    {kFrame2Opener, 1, 1, 1},
    {kFrame2Stops, 5, 2, 3},       {kFrame2MoreStops, 2, 1, 2},  {kFrame3Opener, 1, 1, 1},
    {kFrame3Stops, 3, 2, 2},       {kFrame4Openers, 4, 1, 2},    {kFrame4SplitWord, 1, 3, 3},
    {kFrame4Stops, 3, 2, 2},       {kFrame5Openers, 4, 1, 1},    {kFrame5SplitWord, 1, 3, 3},
    {kFrame5VerbStops, 6, 2, 3},   {kFrame5Stops, 6, 2, 2},      {kFrame5PairFirst, 1, 1, 1},
    {kFrame5PairSecond, 1, 2, 2},  {kRepeatedRule23, 2, 1, 1},   {kRepeatedOther, 3, 1, 2},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// Where a frame stops: the span's last node, the rule number, the node marked 'r' and the node
// whose CAT changes (catNode 0 or cat null: unchanged).
struct FrameStop {
  int last = 0;
  int rule = 0;
  int rightMark = 0;
  int catNode = 0;
  const char* cat = nullptr;
};

FrameStop stopAt(int node, int rule, const char* cat) { return {node, rule, node, node, cat}; }

// The walk of every frame rule. scan(opener, candidate, stop) answers true at a stop; a false
// from it with stop.last set to -1 ends the scan of this opener.
template <class Opener, class Scan>
void runFrame(CjSentence& s, Opener isOpener, Scan scan) {
  int k = s.firstTop;
  for (int steps = 0; k != 0 && steps < 2 * kMaxNodes; ++steps) {
    if (!isOpener(k)) {
      k = nextNode(s, k);
      continue;
    }
    FrameStop stop;
    bool found = false;
    for (int c = nextNode(s, k), m = 0; c != 0 && m < kMaxNodes; ++m) {
      if (scan(k, c, stop)) {
        found = true;
        break;
      }
      c = nextNode(s, c);
    }
    int p = found && stop.last ? builtnewnode(s, k, stop.last) : 0;
    if (!p) {
      k = nextNode(s, k);
      continue;
    }
    CjNode& node = s.nodes[p];
    node.headChild = k;
    node.CAT = "DP";
    node.structureClass = '4';
    node.ruleNumber = stop.rule;
    node.spanMark = 'y';
    s.nodes[k].spanMark = 'l';
    s.nodes[k].CAT = "I";
    if (isNodeIndex(s, stop.rightMark)) s.nodes[stop.rightMark].spanMark = 'r';
    if (stop.cat && isNodeIndex(s, stop.catNode)) s.nodes[stop.catNode].CAT = stop.cat;
    k = nextNode(s, p);
  }
}

bool hasNounSenseWithMSem(const CjSentence& s, int i, std::string_view code) {
  if (!isNodeIndex(s, i)) return false;
  for (const CjSense& sense : s.nodes[i].senses) {
    if (sense.catLetter == 'N' && sense.M_SEM.contains(code)) return true;
  }
  return false;
}

// The role an adverbial word takes before a verb; null when it takes none.
const char* adverbialRole(const CjSentence& s, int k) {
  if ((hasCat(s, k, "F") && isConj(s, k, "B")) || (hasCat(s, k, "J") && hasMSem(s, k, "B")) ||
      isInWordList(logicWordList(), nodeText(s, k)))
    return "LOG";
  if (hasCat(s, k, "F")) return "ADVN";
  if (hasCat(s, k, "G")) return "G";
  return nullptr;
}

}  // namespace

const std::string& logicWordList() { return listedBarList(kLogicWords); }

int buildAdverbialVerbPhrase(CjSentence& s, int opener, int verb) {
  if (!isNodeIndex(s, verb)) return 0;
  int before = prevNode(s, verb);
  if (before != 0 && before == nextNode(s, opener)) return 0;
  if (before == 0) return verb;
  int leftmost = 0;
  for (int k = before, m = 0; k != 0 && k != opener && m < kMaxNodes; ++m, k = prevNode(s, k)) {
    const char* role = adverbialRole(s, k);
    if (!role) break;
    addRoleLink(s, verb, k, role);
    propagateDependentFeatures(s, verb, k);
    leftmost = k;
  }
  if (!leftmost) return verb;
  int p = builtnewnode(s, leftmost, verb);
  if (!p) return 0;
  s.nodes[p].headChild = verb;
  s.nodes[p].CAT = "VP";
  s.nodes[p].features.C_VAL = "0";
  return p;
}

void applyFrameRule1(CjSentence& s) {
  int second = 0;         // the word two places after the opener, fixed when the scan starts
  bool timeOnly = false;  // the opener frames only up to a listed stop of its own clause, or a place
  runFrame(
      s,
      [&](int k) {
        timeOnly = !isAmongListed(s, k, kFrame1Openers);
        if (timeOnly) {
          // These open a frame only at the head of a clause: 我在家的时候 keeps its subject.
          const int before = prevNode(s, k);
          if (!isAmongListed(s, k, kFrame1TimeOpeners) || !(before == 0 || hasCat(s, before, "P"))) return false;
        }
        second = nextNode(s, nextNode(s, k));
        return true;
      },
      [&](int, int c, FrameStop& stop) {
        if (isAmongListed(s, c, kFrame1Stops)) return stop = stopAt(c, 4, "L"), true;
        if (timeOnly) {
          // A clause mark first: no frame for this opener.
          if (hasCat(s, c, "P")) return stop = FrameStop{}, true;
          // A localiser just before the comma closes a place: 在学校里，
          if (hasCat(s, c, "L") && isListedText(s, nextNode(s, c), kClauseComma))
            return stop = stopAt(c, 5, "L"), true;
          return false;
        }
        if (hasCat(s, c, "L")) return stop = stopAt(c, 5, "L"), true;
        if (hasNounSenseWithMSem(s, c, "L") && !isAmongListed(s, second, kFrame1NotSecond) &&
            !containsText(nodeText(s, c), listedWord(kFrame1NotInside)))
          return stop = stopAt(c, 5, "N"), true;
        return false;
      });
}

void applyFrameRule2(CjSentence& s) {
  runFrame(
      s, [&](int k) { return isListedText(s, k, kFrame2Opener); },
      [&](int, int c, FrameStop& stop) {
        if (hasCat(s, c, "L") || isAmongListed(s, c, kFrame2Stops) || isAmongListed(s, c, kFrame2MoreStops))
          return stop = stopAt(c, 8, "L"), true;
        return false;
      });
}

void applyFrameRule3(CjSentence& s) {
  runFrame(
      s, [&](int k) { return isListedText(s, k, kFrame3Opener); },
      [&](int, int c, FrameStop& stop) {
        if (isAmongListed(s, c, kFrame3Stops)) return stop = stopAt(c, 9, "L"), true;
        return false;
      });
}

void applyFrameRule4(CjSentence& s) {
  runFrame(
      s, [&](int k) { return isAmongListed(s, k, kFrame4Openers); },
      [&](int, int c, FrameStop& stop) {
        if (isListedText(s, c, kFrame4SplitWord)) splitWordTail(s, c, 2);
        if (isAmongListed(s, c, kFrame4Stops)) return stop = stopAt(c, 2, "L"), true;
        return false;
      });
}

void applyFrameRule5(CjSentence& s) {
  runFrame(
      s, [&](int k) { return isAmongListed(s, k, kFrame5Openers); },
      [&](int opener, int c, FrameStop& stop) {
        if (isListedText(s, c, kFrame5SplitWord)) splitWordTail(s, c, 2);
        if (isAmongListed(s, c, kFrame5VerbStops)) {
          int end = buildAdverbialVerbPhrase(s, opener, c);
          stop = stopAt(end, 11, nullptr);
          return true;
        }
        if (isAmongListed(s, c, kFrame5Stops)) return stop = stopAt(c, 15, "L"), true;
        int after = nextNode(s, c);
        if (isListedText(s, c, kFrame5PairFirst) && isListedText(s, after, kFrame5PairSecond)) {
          stop = {after, 11, c, after, "L"};
          return true;
        }
        return false;
      });
}

void wrapRepeatedWordFrame(CjSentence& s) {
  int x = s.firstTop;
  for (int steps = 0; x != 0 && steps < 2 * kMaxNodes; ++steps) {
    bool rule23 = isAmongListed(s, x, kRepeatedRule23);
    int y = nextNode(s, x), z = nextNode(s, y), w = nextNode(s, z);
    if (!(rule23 || isAmongListed(s, x, kRepeatedOther)) || !y || !z || !w) {
      x = nextNode(s, x);
      continue;
    }
    std::string_view tx = nodeText(s, x), ty = nodeText(s, y);
    int last = 0;
    if (tx != nodeText(s, z)) {
      std::size_t at = std::string_view::npos;
      for (std::size_t i = 0; i + tx.size() <= ty.size(); i += charSizeAt(ty, i)) {
        if (ty.compare(i, tx.size(), tx) == 0) {
          at = i;
          break;
        }
      }
      if (at != std::string_view::npos && at + tx.size() == ty.size() && s.nodes[z].CAT == "A") last = z;
    } else {
      last = w;
    }
    if (!last) {
      x = nextNode(s, x);
      continue;
    }
    int p = builtnewnode(s, x, last);
    if (!p) return;
    s.nodes[p].headChild = x;
    s.nodes[p].structureClass = '3';
    s.nodes[p].CAT = "V";
    s.nodes[p].ruleNumber = rule23 ? 23 : 16;
    x = nextNode(s, p);
  }
}

}  // namespace cj
