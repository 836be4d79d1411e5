// The part-of-speech pass: every top-level word leaves it with one category.
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"
#include "engine/common/rule_tally.h"

namespace cj {

using namespace pos;
using namespace pos::keys;

namespace {

bool isAmbiguousWord(const CjSentence& s, int k) { return isWordNode(s, k) && s.nodes[k].CAT.size() >= 2; }

void removeLetter(CjSentence& s, int k, char letter) {
  std::string out;
  for (char c : s.nodes[k].CAT.view()) {
    if (c != letter) out.push_back(c);
  }
  s.nodes[k].CAT = out;
}

// A time noun keeps its noun reading only after lw9 or in an introducer's frame.
void checkTimeNoun(CjSentence& s, int x) {
  if (!has(s, x, "N") || !ms(s, x, "T")) return;
  const int p = prevNode(s, x), n = nextNode(s, x), n2 = nextNode(s, n);
  if (is(s, p, kLw9) && !is(s, n, kLw9)) {
    if (!has(s, n, "N")) {
      s.nodes[x].CAT = "N";
      return;
    }
    if (has(s, n, "V") && isIn(s, n2, {kLw12, kLw13, kLw14})) {
      s.nodes[x].CAT = "N";
      return;
    }
  }
  if (has(s, p, "I") && (is(s, n, kLw230) || is(s, n, kLw1060) || contains(s, n, kLw222))) {
    s.nodes[x].CAT = "N";
    return;
  }
  removeLetter(s, x, 'N');
}

}  // namespace

void keepFirstCandidate(CjSentence& s) {
  for (int k = s.firstTop, steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (isAmbiguousWord(s, k) && s.nodes[k].spanMark != '*') {
      const char first[2] = {s.nodes[k].CAT[0], 0};
      s.nodes[k].CAT = first;
    }
  }
}

void applySettledSenses(CjSentence& s) {
  for (int k = s.firstTop, steps = 0; k != 0 && steps < kMaxNodes; k = nextNode(s, k), ++steps) {
    if (isWordNode(s, k) && s.nodes[k].spanMark != '*' && s.nodes[k].CAT.size() == 1) applySenseFeatures(s, k);
  }
}

void resolvePosAmbiguity(CjSentence& s) {
  if (ruletally::on()) {
    declarePosRules();
    ruletally::declare("posPass.checkTimeNoun");
  }
  for (int x = s.firstTop, steps = 0; x != 0 && steps < kMaxNodes; x = nextNode(s, x), ++steps) {
    if (!isAmbiguousWord(s, x)) {
      if (is(s, x, kLw91)) resolveByWord(s, x);
      continue;
    }
    resolveByWord(s, x);
    if (s.nodes[x].CAT.size() <= 1) continue;
    if (!ruletally::on()) {
      checkTimeNoun(s, x);
      continue;
    }
    const std::string before(s.nodes[x].CAT.view());
    checkTimeNoun(s, x);
    ruletally::noteIf(s.nodes[x].CAT.view() != before, "posPass.checkTimeNoun");
  }
  applyContextRules(s);
  for (int x = s.firstTop, steps = 0; x != 0 && steps < kMaxNodes; x = nextNode(s, x), ++steps) {
    if (s.nodes[x].CAT == "DP") {
      settleMiddleNoun(s, x);
    } else if (isAmbiguousWord(s, x)) {
      resolveByCandidateSet(s, x);
    }
  }
  keepFirstCandidate(s);
  applySettledSenses(s);
}

}  // namespace cj
