// The candidate-set dispatcher: the first set with the word's letters gives its class rule.
#include "engine/cj/pos/pos_rules.h"
#include "engine/cj/pos/pos_words.h"
#include "engine/common/rule_tally.h"

namespace cj {

namespace {

struct CandidateSet {
  const char* letters;
  PosRule rule;
  const char* name;  // the rule's name in the rule counts
};

#define CJ_POS_SET_ENTRY(set) {#set, resolveClass##set, "posClass.resolveClass" #set},
constexpr CandidateSet kCandidateSets[] = {CJ_POS_CANDIDATE_SETS(CJ_POS_SET_ENTRY)};
#undef CJ_POS_SET_ENTRY

}  // namespace

void writeCategory(CjSentence& s, int i, const char* result) {
  if (!isNodeIndex(s, i) || result == nullptr) return;
  const std::string copy(result);  // the result may be the node's own CAT
  s.nodes[i].CAT = copy;
}

void resolveByCandidateSet(CjSentence& s, int i) {
  if (!isNodeIndex(s, i)) return;
  for (const CandidateSet& set : kCandidateSets) {
    if (catHasSameLetters(s, i, set.letters)) {
      if (!ruletally::on()) {
        writeCategory(s, i, set.rule(s, i));
        return;
      }
      const std::string before(s.nodes[i].CAT.view());
      writeCategory(s, i, set.rule(s, i));
      ruletally::noteIf(s.nodes[i].CAT.view() != before, set.name);
      return;
    }
  }
}

void declareClassRules() {
  for (const CandidateSet& set : kCandidateSets) ruletally::declare(set.name);
}

}  // namespace cj
