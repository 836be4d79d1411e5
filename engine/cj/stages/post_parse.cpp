#include "engine/cj/stages/parse_stages.h"

#include "engine/cj/analysis/post_parse.h"
#include <initializer_list>

#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/parse_cascade.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/common/word_table.h"
#include "engine/cj/pos/pos_rules.h"

namespace cj {

namespace {

const WordKeySpec kWordKeys[] = {{kPostParseClosingWords, 4, 2, 2}, {kPostParseWordK, 1, 1, 1}};
const WordKeyRegistrar kRegistrar(kWordKeys);

std::string_view textOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CHI.view() : ""; }

bool isWordK(const CjSentence& s, int i) {
  const std::string& k = listedWord(kPostParseWordK);
  return !k.empty() && textOf(s, i) == k;
}

bool hasAnyCat(const CjSentence& s, int i, std::initializer_list<const char*> cats) {
  for (const char* c : cats) {
    if (hasCat(s, i, c)) return true;
  }
  return false;
}

bool isCoverbR(const CjSentence& s, int i) { return hasCat(s, i, "R") && hasMSem(s, i, "C"); }

// The word K before a listed closing word: its text becomes empty, and when it is not the last
// word of the content it is wrapped with what follows into an "NP" that takes the closer's place.
// Returns the node that closes the phrase now; 0 when a phrase could not be built.
int settleWordBeforeCloser(CjSentence& s, int phrase, int open, int close) {
  if (!isListedWord(kPostParseClosingWords, textOf(s, close))) return close;
  const int u1 = prevNode(s, close);
  const int u2 = prevNode(s, u1);
  const int u3 = prevNode(s, u2);
  int from = 0;
  if (u1 != open && isWordK(s, u1)) {
    s.nodes[u1].CHI.clear();
    return close;
  }
  if (u2 != open && u1 != open && isWordK(s, u2) && hasAnyCat(s, u1, {"R", "A", "C", "U", "UG"})) {
    from = u2;
  } else if (u3 != open && u2 != open && u1 != open && isWordK(s, u3) &&
             (isCoverbR(s, u2) || hasAnyCat(s, u2, {"C", "A", "U", "UG"})) &&
             (isCoverbR(s, u1) || hasAnyCat(s, u1, {"A", "U", "UG", "S"}))) {
    from = u3;
  } else {
    return close;
  }
  s.nodes[from].CHI.clear();
  const int np = builtnewnode(s, from, close);
  if (np == 0) return 0;
  CjNode& node = s.nodes[np];
  node.CAT = "NP";
  node.subtype = 'Z';
  node.ruleNumber = 6;
  node.spanMark = 'r';
  node.parent = phrase;
  s.nodes[phrase].lastChild = np;
  return np;
}

// The head of an analysed content: its main predicate, else its last node, passing over an
// appended end mark or a final "E" word.
int contentHead(const CjSentence& s, int last) {
  if (s.govNode != 0) return s.govNode;
  const int before = prevNode(s, last);
  if ((hasCat(s, last, "E") || s.nodes[last].kind == '?') && before != 0) return before;
  return last;
}

}  // namespace

void postParse(CjSentence& s) {
  saveSummary(s);
  for (int i = 1; i <= s.nodeCount && i < kMaxNodes; ++i) {
    if (isWordNode(s, i) || !isDelimitedPhrase(s, i)) continue;
    s.wordCount = 0;
    s.govNode = 0;
    s.argCount = 0;
    s.sentenceType.clear();
    const int open = s.nodes[i].firstChild;
    s.firstTop = open;
    s.lastTop = lastTopNode(s);
    const int c = nextNode(s, open);
    if (c == 0) continue;
    if (c == s.lastTop || nextNode(s, c) == s.lastTop) {
      s.nodes[i].headChild = c;
      continue;
    }
    const int close = settleWordBeforeCloser(s, i, open, s.lastTop);
    if (close == 0) break;
    s.lastTop = lastTopNode(s);
    // Both delimiters must still be marked before either is cut off.
    if (!isDelimiter(s, open) || !isDelimiter(s, s.lastTop)) break;
    const int first = nextNode(s, open);
    s.nodes[first].prev = 0;
    s.firstTop = first;
    const int last = prevNode(s, close);
    s.nodes[last].next = 0;
    s.lastTop = last;

    appendEndMark(s);
    resolvePosAmbiguity(s);
    applyFixedExpressions(s);
    parseSentence(s);

    const int chainFirst = s.firstTop;
    const int chainLast = lastTopNode(s);
    if (!isNodeIndex(s, chainFirst) || !isNodeIndex(s, chainLast)) break;
    s.nodes[chainLast].next = close;
    s.nodes[close].prev = chainLast;
    s.nodes[chainFirst].prev = open;
    s.nodes[open].next = chainFirst;
    s.nodes[i].firstChild = open;
    s.nodes[i].lastChild = close;
    s.nodes[i].headChild = contentHead(s, chainLast);
    int steps = 0;
    for (int k = chainFirst; isNodeIndex(s, k) && steps < kMaxNodes; k = s.nodes[k].next, ++steps) {
      s.nodes[k].parent = i;
    }
  }
  restoreSummary(s);
}

}  // namespace cj
