// Counting of the transfer rules that read listed words: a watch taken at the top of a rule
// function notes the rule when the sentence or its Japanese nodes differ on leaving. Off unless a
// measuring tool switched the tally on; then one relaxed load per rule call.
#pragma once
#include <cstdint>
#include <string_view>

#include "engine/cj/transfer/transfer_context.h"
#include "engine/common/rule_tally.h"

namespace cj {

// A digest of what a rule may change: the header, every node's text, class and links, every
// Japanese node's texts, forms and links, and the line's state.
std::uint64_t transferDigest(const CjTransferContext& c);

// Lists every counted transfer rule at zero (when counting is on).
void declareTransferRules();

class RuleWatch {
 public:
  RuleWatch(const CjTransferContext& c, const char* rule) {
    if (ruletally::on()) {
      c_ = &c;
      rule_ = rule;
      before_ = transferDigest(c);
    }
  }
  ~RuleWatch() {
    if (c_) ruletally::noteIf(transferDigest(*c_) != before_, rule_);
  }
  RuleWatch(const RuleWatch&) = delete;
  RuleWatch& operator=(const RuleWatch&) = delete;

 private:
  const CjTransferContext* c_ = nullptr;
  const char* rule_ = nullptr;
  std::uint64_t before_ = 0;
};

// A rule that answers rather than changes: counted when it answers yes.
inline bool tallied(bool applied, const char* rule) {
  ruletally::noteIf(applied, rule);
  return applied;
}

}  // namespace cj
