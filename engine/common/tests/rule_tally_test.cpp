#include "engine/common/rule_tally.h"

#include <gtest/gtest.h>

namespace {

long countOf(const char* rule) {
  for (const ruletally::RuleCount& c : ruletally::counts())
    if (c.rule == rule) return c.count;
  return -1;  // not listed
}

TEST(RuleTally, CountsOnlyWhileOnAndListsDeclaredRulesAtZero) {
  ruletally::stop();
  ruletally::note("a.before");  // off: not counted, not listed
  ruletally::start();
  ruletally::declare("a.never");
  ruletally::note("a.twice");
  ruletally::noteIf(true, "a.twice");
  ruletally::noteIf(false, "a.twice");
  ruletally::noteIf(false, "a.unchanged");
  ruletally::stop();
  ruletally::note("a.twice");  // off again: the counts stay
  EXPECT_EQ(countOf("a.before"), -1);
  EXPECT_EQ(countOf("a.never"), 0);
  EXPECT_EQ(countOf("a.twice"), 2);
  EXPECT_EQ(countOf("a.unchanged"), -1);
  ruletally::start();  // a new run starts from nothing
  EXPECT_EQ(countOf("a.twice"), -1);
  ruletally::stop();
}

}  // namespace
