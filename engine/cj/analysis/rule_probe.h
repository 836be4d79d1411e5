// Runs one rule of the analysis over a sentence and, when the rule tally is counting, counts the
// rule once for each run that changed a node (text, class, marks, links or senses). Off, a run
// costs one relaxed load.
#pragma once
#include <cstdint>
#include <string_view>

#include "engine/cj/analysis/sentence.h"
#include "engine/common/rule_tally.h"

namespace cj {

// A hash of every field of the sentence's nodes that a rule may change.
inline std::uint64_t sentenceFingerprint(const CjSentence& s) {
  std::uint64_t h = 1469598103934665603ull;
  auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ull; };
  auto mixText = [&mix](std::string_view t) {
    for (unsigned char c : t) mix(c);
    mix(0xFF);
  };
  mix(static_cast<std::uint32_t>(s.nodeCount));
  mix(static_cast<std::uint32_t>(s.firstTop));
  mix(static_cast<std::uint32_t>(s.lastTop));
  mix(static_cast<std::uint32_t>(s.govNode));
  mix(s.roleLinks.size());
  for (const CjRoleLink& l : s.roleLinks) {
    mix(static_cast<std::uint32_t>(l.head));
    mix(static_cast<std::uint32_t>(l.dependent));
    mixText(l.label.view());
  }
  for (int i = 1; i <= s.nodeCount && i < static_cast<int>(s.nodes.size()); ++i) {
    const CjNode& n = s.nodes[i];
    mix(static_cast<unsigned char>(n.kind));
    mixText(n.CHI.view());
    mixText(n.CAT.view());
    mixText(n.SYS.view());
    mixText(n.roleLabel.view());
    mix(static_cast<unsigned char>(n.spanMark));
    mix(static_cast<unsigned char>(n.structureClass));
    mix(static_cast<unsigned char>(n.subtype));
    mix(static_cast<std::uint32_t>(n.ruleNumber));
    mix(static_cast<unsigned char>(n.predicateMark));
    mix(static_cast<unsigned char>(n.secondMark));
    mix(static_cast<std::uint32_t>(n.parent));
    mix(static_cast<std::uint32_t>(n.next));
    mix(static_cast<std::uint32_t>(n.prev));
    mix(static_cast<std::uint32_t>(n.headChild));
    mix(static_cast<std::uint32_t>(n.governor));
    mix(n.senses.size());
  }
  return h;
}

// Runs rule(s, args...), counted under name ("family.function", a string literal).
template <typename Rule, typename... Args>
inline void runRule(const char* name, Rule&& rule, CjSentence& s, Args&&... args) {
  if (!ruletally::on()) {
    rule(s, static_cast<Args&&>(args)...);
    return;
  }
  ruletally::declare(name);
  const std::uint64_t before = sentenceFingerprint(s);
  rule(s, static_cast<Args&&>(args)...);
  ruletally::noteIf(sentenceFingerprint(s) != before, name);
}

}  // namespace cj

// CJ_RULE(family, function, s, ...) runs function(s, ...) counted as "family.function".
#define CJ_RULE(family, function, ...) ::cj::runRule(#family "." #function, function, __VA_ARGS__)
