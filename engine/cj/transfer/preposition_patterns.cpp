// Preposition patterns of special structures: the Japanese postpositions and fixed phrases that
// replace a Chinese preposition or frame.
#include <string>

#include "engine/cj/analysis/node_build.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/particles.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kPrepositionPatternsTimeWordsKey{"prepositionPatterns.timeWords"};
constinit ListedKey kPrepositionPatternsPerWordKey{"prepositionPatterns.perWord"};
constinit ListedKey kPrepositionPatternsAroundWordsKey{"prepositionPatterns.aroundWords"};
constinit ListedKey kPrepositionPatternsUnlinkedFirstWordKey{"prepositionPatterns.unlinkedFirstWord"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"prepositionPatterns.perWord", 1, 1, 0},          // its own text is dropped
    {"prepositionPatterns.aroundWords", 2, 1, 0},      // "あたりの" instead of "ごとに"
    {"prepositionPatterns.unlinkedFirstWord", 1, 1, 0},
    {"prepositionPatterns.timeWords", 22, 1, 0},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// Writes aimed at node 0 or outside the slots go to a scratch node.
CjTargetNode& at(CjTransferContext& c, int i) {
  if (i < 1 || i >= kMaxNodes) {
    c.scratch = CjTargetNode{};
    return c.scratch;
  }
  return c.targets[i];
}

int live(CjTransferContext& c, int i) { return i > 0 ? targetHead(c, i) : 0; }

void setForm(CjTransferContext& c, int i, char form) {
  if (i < 1) return;
  at(c, i).vform = form;
  at(c, live(c, i)).vform = form;
}

void drop(CjTransferContext& c, int i) { at(c, i).alive = 0; }

void setJapanese(CjTransferContext& c, int i, std::string_view text) { at(c, i).japanese = text; }

// A verb first child that reads as past when nothing before it marks the time.
void pastRule(CjTransferContext& c, int c1) {
  const int v = live(c, c1);
  if (node(c, c1).CAT[0] == 'V' && v > 0 && isUnmarkedPast(c, v) && !isAttributiveOnly(c, v)) at(c, v).ten = 'B';
}

void appendParticle(CjTransferContext& c, int argument, int verb) {
  if (argument < 1) return;
  at(c, argument).att.append(particleForArgument(c, argument, verb));
}

}  // namespace

int isUnmarkedPast(CjTransferContext& c, int v) {
  if (v == 1) return 1;
  for (int k = v - 1; k >= 1; --k) {
    const CjNode& n = node(c, k);
    if (n.features.TEN == 'C') return 0;
    if (tallied(isListedWord(kPrepositionPatternsTimeWordsKey, n.CHI.view()), "prepositionPatterns.isUnmarkedPast")) return 0;
  }
  return 1;
}

int isAttributiveOnly(CjTransferContext& c, int v) {
  if (v < 1 || !sourceNode(c, v)) return 0;
  CjTargetNode& t = c.targets[v];
  if (t.japanese.empty() && t.candidates.empty()) chooseTranslation(c, v, node(c, v).CAT[0]);
  std::string code = !t.japanese.empty() ? t.jcat.str() : t.candidates.empty() ? "" : t.candidates.front().code.str();
  return isAdjectiveCode(code) || isNaAdjectiveCode(code) ? 1 : 0;
}

void applyPrepositionPattern(CjTransferContext& c, int p) {
  RuleWatch watch(c, "prepositionPatterns.applyPrepositionPattern");
  if (p < 1 || !sourceNode(c, p)) return;
  CjTargetNode& pt = c.targets[p];
  int child[4] = {0, 0, 0, 0};
  int k = pt.firstChild;
  for (int n = 0; n < 4 && k != 0; ++n) {
    child[n] = k;
    k = c.targets[k].nextSibling;
  }
  const int c1 = child[0], c2 = child[1], c3 = child[2], c4 = child[3];
  const int cl = pt.lastChild;
  pt.headChild = static_cast<std::int16_t>(cl);
  switch (node(c, p).ruleNumber) {
    case 1:
    case 2:
    case 4:
      setForm(c, c1, 't');
      if (c3 > 0 && at(c, c3).vform != 't') {
        setForm(c, c3, 'N');
        pt.headChild = static_cast<std::int16_t>(c3);
      }
      pastRule(c, c1);
      drop(c, c2);
      break;
    case 3:
      if (node(c, c1).CAT[0] == 'V' || node(c, c1).CAT[0] == 'A') {
        at(c, live(c, c1)).vform = 'n';
        drop(c, c2);
        pt.headChild = static_cast<std::int16_t>(c1);
        pastRule(c, c1);
      } else {
        at(c, live(c, c1)).vform = 'z';
        setJapanese(c, c2, "の");
        at(c, c2).jcat = "N0000";
        at(c, c2).vform = 'N';
        pt.headChild = static_cast<std::int16_t>(c2);
      }
      break;
    case 5:
      swapTargetNodes(c, c1, c2);
      appendParticle(c, c2, c1);
      setForm(c, c1, 't');
      if (c2 > 0) pt.firstChild = static_cast<std::int16_t>(c2);
      drop(c, c3);
      break;
    case 7: {
      // A run of nouns is a per phrase only when it starts with the per word: other runs ("2000年",
      // "北京大学") take no "ごとに".
      if (c1 > 0 && isListedWord(kPrepositionPatternsPerWordKey, node(c, c1).CHI.view())) {
        at(c, c1).japanese.clear();
        at(c, c1).ruleFlag1 = 0;
        at(c, c1).ruleFlag2 = 0;
        const int after = c.targets[c1].nextSibling;
        if (after > 0 && isListedWord(kPrepositionPatternsAroundWordsKey, node(c, after).CHI.view())) {
          at(c, cl).vform = 'z';
          at(c, cl).att = "あたりの";
        } else {
          pt.caseOpen = 0;
          at(c, cl).att = "ごとに";
        }
      }
      const std::string& unlinked = listedWord(kPrepositionPatternsUnlinkedFirstWordKey);
      int steps = 0;
      for (int x = c1; x > 0 && steps < kMaxNodes; x = c.targets[x].nextSibling, ++steps) {
        const int next = c.targets[x].nextSibling;
        const int first = c.sentence ? leftmostWord(*c.sentence, x) : 0;
        if (node(c, next).CAT == "KP") continue;
        if (!unlinked.empty() && node(c, first).CHI.view() == unlinked) continue;
        if (node(c, x).CAT == "J" || node(c, next).CAT == "J") continue;
        setForm(c, x, 't');
      }
      setForm(c, cl, 'z');
      break;
    }
    case 8:
      setForm(c, c1, 't');
      swapTargetNodes(c, c2, c3);
      at(c, c3).caseOpen = 0;
      setJapanese(c, c2, "に対する");
      drop(c, c4);
      at(c, c4).ruleFlag1 = 0;
      at(c, c4).ruleFlag2 = 0;
      break;
    case 9:
      setForm(c, c1, 't');
      drop(c, c2);
      at(c, c3).vform = 'z';
      setJapanese(c, c4, "での");
      break;
    case 10:
      setForm(c, c1, 't');
      break;
    case 11: {
      drop(c, c1);
      at(c, c2).vform = 'z';
      std::string_view sem = node(c, live(c, cl)).features.M_SEM.view();
      if (sem == "A" || sem == "B" || sem == "Z") {
        setJapanese(c, c3, "にいる");
      } else if (sem == "C") {
        setJapanese(c, c3, "にある");
      } else {
        setJapanese(c, c3, "での");
      }
      break;
    }
    case 12:
      swapTargetNodes(c, c1, c2);
      appendParticle(c, c2, c1);
      at(c, live(c, c1)).vform = 'E';
      break;
    case 13: {
      int steps = 0;
      for (int x = c1; x > 0 && steps < kMaxNodes; ++steps) {
        setForm(c, x, 't');
        const int sibling = c.targets[x].nextSibling;
        if (sibling == 0) break;
        drop(c, sibling);
        x = c.targets[sibling].nextSibling;
      }
      if (cl > 0 && at(c, cl).vform != 't') {
        setForm(c, cl, 'N');
        pt.headChild = static_cast<std::int16_t>(cl);
      }
      break;
    }
    case 14:
      drop(c, c1);
      setJapanese(c, c3, "に対する");
      break;
    default:
      break;
  }
}

}  // namespace cj
