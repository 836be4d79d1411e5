#include "engine/jc/pipeline/jc_pipeline.h"

#include "engine/jc/core/jc_sentence_output.h"
#include "engine/jc/core/jc_template_expansion.h"
#include "engine/jc/rules/jc_case_relation_rules.h"
#include "engine/jc/rules/jc_formal_noun_rules.h"
#include "engine/jc/rules/jc_leading_symbols.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/jc_suffix_rules.h"

namespace jc {
namespace {

template <void (*F)(JcSentence*)>
bool always(JcSentence* s) {
  F(s);
  return true;
}

// The steps in their fixed order. A step whose rule family is not in the engine yet stands as
// null at its place and is passed over: steps 3 (applyPredicateExpressionRules), 6
// (applySentenceFinalRules) and 9 (applyParticleRules) join here as always<...>.
const std::array<JcPipelineEntry, kJcPipelineSteps> kSteps = {{
    {"copyLeadingSymbols", always<copyLeadingSymbols>},
    {"applySentencePatternRules", always<applySentencePatternRules>},
    {"applyPredicateExpressionRules", nullptr},
    {"applyFormalNounRules", always<applyFormalNounRules>},
    {"applySuffixRules", always<applySuffixRules>},
    {"applySentenceFinalRules", nullptr},
    {"applyCaseRelationRules", always<applyCaseRelationRules>},
    {"expandAllTemplates", expandAllTemplates},
    {"applyParticleRules", nullptr},
    {"moveClosingBrackets", moveClosingBrackets},
    {"orderFromDefault", orderFromDefault},
    {"emitSentence", emitSentence},
}};

}  // namespace

const std::array<JcPipelineEntry, kJcPipelineSteps>& jcPipelineSteps() { return kSteps; }

bool runJcPipeline(JcSentence* record) {
  for (const JcPipelineEntry& step : kSteps) {
    if (step.run && !step.run(record)) return false;
  }
  return true;
}

}  // namespace jc
