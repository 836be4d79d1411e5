// How often each rule changed the sentence it ran on, counted over a corpus by a measuring tool.
// Counting is off unless the tool switches it on; a call site asks on() first, so an engine that
// is not being measured pays one relaxed load per rule call.
#pragma once
#include <atomic>
#include <string>
#include <vector>

namespace ruletally {

extern std::atomic<bool> gCounting;

inline bool on() { return gCounting.load(std::memory_order_relaxed); }

// Counts one change made by `rule` ("family.function", a string literal); nothing when off.
void note(const char* rule);
// Counts one change when `changed` holds.
inline void noteIf(bool changed, const char* rule) {
  if (changed && on()) note(rule);
}
// Lists `rule` with a count of zero until it changes something; nothing when off.
void declare(const char* rule);

// Zeroes every count and switches counting on; stop() switches it off and keeps the counts.
void start();
void stop();

struct RuleCount {
  std::string rule;
  long count = 0;
};
// Every declared or noted rule, by name.
std::vector<RuleCount> counts();

}  // namespace ruletally
