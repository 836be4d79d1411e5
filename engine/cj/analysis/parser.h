// The table-driven phrase parser: one rule group's goto table run as a backtracking state machine
// over the top-level chain, and the non-backtracking sentence pass.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/cj/analysis/grammar.h"
#include "engine/cj/analysis/sentence.h"

namespace cj {

// One choice point, kept in a 32-byte parser block of the sentence.
struct CjAgendaItem {
  std::int32_t entry = 0;
  std::int32_t start = 0;
  std::int32_t current = 0;
  char state[8] = {};
  std::int32_t consumed = 0;
  std::int32_t position = 0;
};

bool agendaIsEmpty(const CjSentence& s);
// False (after the console message) when the item cannot be stored.
bool pushAgenda(CjSentence& s, const CjAgendaItem& item);
// False when the agenda is empty.
bool popAgenda(CjSentence& s, CjAgendaItem& item);
void clearAgenda(CjSentence& s);

// The node n-1 steps after i along next links, stopping at the chain's end; i when n is below 2.
int nthNode(const CjSentence& s, int i, int n);

// The first child of node whose position label is label; 0 for the label "0" or none.
int findChildByLabel(const CjSentence& s, int node, std::string_view label);

// Gives the child named by the rule's percent tag the rule's sense text.
void applyRuleFeatures(CjSentence& s, int node, int rule, const std::vector<CjRuleDescriptor>& descriptors);

// The reduction constraints of the NP and VP families; 1 = allowed.
int checkReduction(const CjSentence& s, std::string_view lhs, int check, int start, int length);

// Builds the phrase node over length nodes from start and labels it; 0 when nothing was built.
int reduceSpan(CjSentence& s, int start, const CjRuleDescriptor& d, char subtype, int ruleNumber,
               std::string_view numberTag, int length);

// One pass of one group. Count mode 0 reduces the rule's element count, 1 the nodes consumed.
void runRuleGroup(CjSentence& s, char subtype, const std::vector<CjRuleDescriptor>& descriptors,
                  const std::vector<CjGotoEntry>& gotos, int countMode);

// The sentence pass; 1 when a sentence node was built.
int runSentenceGroup(CjSentence& s, const std::vector<CjRuleDescriptor>& descriptors,
                     const std::vector<CjGotoEntry>& gotos);

}  // namespace cj
