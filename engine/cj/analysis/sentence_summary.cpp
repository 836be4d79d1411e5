#include "engine/cj/analysis/post_parse.h"

#include "engine/cj/analysis/node_predicates.h"

namespace cj {

void saveSummary(CjSentence& s) { summaryOf(s); }

void restoreSummary(CjSentence& s) {
  if (!s.summary) return;
  restoreHeaderFields(s, *s.summary);
}

int appendEndMark(CjSentence& s) {
  const int last = s.lastTop;
  if (!isNodeIndex(s, last) || hasCat(s, last, "P")) return 0;
  const int n = s.nodeCount + 1;
  if (n >= kMaxNodes) return 0;
  s.nodeCount = n;
  initNode(s, n);
  CjNode& node = s.nodes[n];
  const int parent = s.nodes[last].parent;
  node.prev = last;
  node.next = 0;
  node.parent = parent;
  node.spanMark = '*';
  node.kind = '?';
  node.CAT = "P";
  s.nodes[last].next = n;
  if (isNodeIndex(s, parent)) s.nodes[parent].lastChild = n;
  s.lastTop = n;
  return n;
}

bool isDelimitedPhrase(const CjSentence& s, int i) { return isNodeIndex(s, i) && s.nodes[i].spanMark == 'y'; }

bool isDelimiter(const CjSentence& s, int i) {
  return isNodeIndex(s, i) && (s.nodes[i].spanMark == 'l' || s.nodes[i].spanMark == 'r');
}

}  // namespace cj
