#include "engine/cj/analysis/dependent_features.h"

#include <cctype>
#include <string>

#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

constinit ListedKey kSkipWord{"dependentFeatures.skipWord"};
constinit ListedKey kSkipList{"dependentFeatures.skipList"};
constinit ListedKey kNegPrepChar{"dependentFeatures.negativePrepositionChar"};
constinit ListedKey kAspectPhraseWord{"dependentFeatures.aspectPhraseWord"};
constinit ListedKey kNegPhraseWord{"dependentFeatures.negativePhraseWord"};
constinit ListedKey kPastWord{"dependentFeatures.pastWord"};
constinit ListedKey kAspectBWords{"dependentFeatures.aspectBWords"};
constinit ListedKey kAspectCWords{"dependentFeatures.aspectCWords"};
constinit ListedKey kAspectNegWord{"dependentFeatures.aspectNegativeWord"};
constinit ListedKey kNegWord{"dependentFeatures.negativeWord"};
constinit ListedKey kTenseWords{"dependentFeatures.tenseWords"};

const WordKeySpec kWordKeys[] = {
    {kSkipWord, 1, 1, 1},        {kSkipList, 14, 1, 0},     {kNegPrepChar, 1, 1, 1},   {kAspectPhraseWord, 1, 2, 2},
    {kNegPhraseWord, 1, 2, 2},   {kPastWord, 1, 1, 1},      {kAspectBWords, 3, 1, 0},  {kAspectCWords, 3, 1, 0},
    {kAspectNegWord, 1, 2, 2},   {kNegWord, 1, 1, 1},       {kTenseWords, 24, 1, 0},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
bool isBorC(char c) { return c == 'B' || c == 'C' || c == 'b' || c == 'c'; }

}  // namespace

bool noEarlierTenseMark(const CjSentence& s, int node) {
  for (int k = node - 1; k >= 1; --k) {
    if (!isNodeIndex(s, k)) continue;
    if (s.nodes[k].features.TEN == 'C' || isAmongListed(s, k, kTenseWords)) return false;
  }
  return true;
}

void propagateDependentFeatures(CjSentence& s, int head, int dependent) {
  if (!isNodeIndex(s, head) || !isNodeIndex(s, dependent)) return;
  if (isListedText(s, dependent, kSkipWord) || isAmongListed(s, dependent, kSkipList)) return;
  int lexical = lexicalHead(s, head);
  int targets[2] = {head, isNodeIndex(s, lexical) ? lexical : head};
  auto forBoth = [&](auto change) {
    change(s.nodes[targets[0]].features);
    if (targets[1] != targets[0]) change(s.nodes[targets[1]].features);
  };
  CjFeatures& dep = s.nodes[dependent].features;
  std::string_view firstText = nodeText(s, firstChild(s, dependent));
  if (hasCat(s, dependent, "IP") && beginsWith(firstText, listedWord(kNegPrepChar))) {
    forBoth([](CjFeatures& f) { f.NEG2 = 'N'; });
  } else if (hasCat(s, dependent, "DP")) {
    if (!firstText.empty() && firstText == listedWord(kAspectPhraseWord)) forBoth([](CjFeatures& f) { f.ASP = 'B'; });
    else if (!firstText.empty() && firstText == listedWord(kNegPhraseWord)) forBoth([](CjFeatures& f) { f.NEG2 = 'N'; });
  }
  if (isListedText(s, dependent, kPastWord)) {
    if (noEarlierTenseMark(s, targets[1])) forBoth([](CjFeatures& f) { f.TEN = 'B'; });
    return;
  }
  if (isBorC(dep.TEN)) {
    const char ten = upper(dep.TEN);
    forBoth([&](CjFeatures& f) {
      if (f.TEN == 0 || f.TEN == 'a' || f.TEN == 'b' || f.TEN == 'c') f.TEN = ten;
    });
  }
  if (isBorC(dep.ASP)) {
    const char asp = upper(dep.ASP);
    forBoth([&](CjFeatures& f) { f.ASP = asp; });
  }
  if (dep.NEG == 'N' || dep.NEG == 'n') {
    forBoth([](CjFeatures& f) { f.NEG = 'N'; });
    dep.NEG = 0;
  } else if (dep.NEG == 'm') {
    forBoth([](CjFeatures& f) { f.NEG2 = 'N'; });
    dep.NEG2 = 0;
  }
  if (dep.VOI == 'P') forBoth([](CjFeatures& f) { f.VOI = 'P'; });
  // Negation carried by a word goes to a following G word when there is one.
  auto moveNegation = [&] {
    int after = nextNode(s, dependent);
    if (hasCat(s, after, "G")) s.nodes[after].features.NEG2 = 'N';
    else forBoth([](CjFeatures& f) { f.NEG2 = 'N'; });
    dep.NEG2 = 0;
  };
  if (isAmongListed(s, dependent, kAspectBWords)) {
    forBoth([](CjFeatures& f) { f.ASP = 'B'; });
  } else if (isAmongListed(s, dependent, kAspectCWords)) {
    forBoth([](CjFeatures& f) { f.ASP = 'C'; });
  } else if (isListedText(s, dependent, kAspectNegWord)) {
    forBoth([](CjFeatures& f) { f.ASP = 'B'; });
    moveNegation();
  } else if (isListedText(s, dependent, kNegWord)) {
    moveNegation();
  }
}

}  // namespace cj
