#include "engine/cj/stages/parse_stages.h"

#include "engine/cj/analysis/pre_parse.h"
#include "engine/cj/analysis/rule_probe.h"
#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/parse_cascade.h"
#include "engine/cj/analysis/word_combination.h"
#include "engine/cj/pos/pos_rules.h"

namespace cj {

void preParse(CjSentence& s) {
  CJ_RULE(parseCascade, markSentenceEnd, s);
  CJ_RULE(numeralRuns, tagNumeralWords, s);
  applyReduplicationPatterns(s);
  combineWords(s);
  applyFixedExpressions(s);
  resolvePosAmbiguity(s);
}

}  // namespace cj
