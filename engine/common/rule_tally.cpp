#include "engine/common/rule_tally.h"

#include <map>
#include <mutex>

namespace ruletally {

std::atomic<bool> gCounting{false};

namespace {

std::mutex gMutex;

std::map<std::string, long>& table() {
  static std::map<std::string, long> t;
  return t;
}

}  // namespace

void note(const char* rule) {
  if (!on() || !rule) return;
  std::lock_guard<std::mutex> lock(gMutex);
  ++table()[rule];
}

void declare(const char* rule) {
  if (!on() || !rule) return;
  std::lock_guard<std::mutex> lock(gMutex);
  table().try_emplace(rule, 0);
}

void start() {
  std::lock_guard<std::mutex> lock(gMutex);
  table().clear();
  gCounting.store(true, std::memory_order_relaxed);
}

void stop() { gCounting.store(false, std::memory_order_relaxed); }

std::vector<RuleCount> counts() {
  std::lock_guard<std::mutex> lock(gMutex);
  std::vector<RuleCount> out;
  out.reserve(table().size());
  for (const auto& [rule, count] : table()) out.push_back({rule, count});
  return out;
}

}  // namespace ruletally
