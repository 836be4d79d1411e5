#include "engine/jc/pipeline/jc_pipeline.h"

#include "engine/jc/core/jc_sentence_output.h"
#include "engine/jc/core/jc_template_expansion.h"
#include "engine/jc/rules/jc_case_relation_rules.h"
#include "engine/jc/rules/jc_formal_noun_rules.h"
#include "engine/jc/rules/jc_leading_symbols.h"
#include "engine/jc/rules/jc_particle_rules.h"
#include "engine/jc/rules/jc_predicate_expression_rules.h"
#include "engine/jc/rules/jc_sentence_final_rules.h"
#include "engine/jc/rules/jc_sentence_patterns.h"
#include "engine/jc/rules/jc_suffix_rules.h"

namespace jc {
namespace {

template <void (*F)(JcSentence*)>
bool always(JcSentence* s) {
  F(s);
  return true;
}

// The steps in their fixed order.
const std::array<JcPipelineEntry, kJcPipelineSteps> kSteps = {{
    {"copyLeadingSymbols", always<copyLeadingSymbols>},
    {"applySentencePatternRules", always<applySentencePatternRules>},
    {"applyPredicateExpressionRules", always<applyPredicateExpressionRules>},
    {"applyFormalNounRules", always<applyFormalNounRules>},
    {"applySuffixRules", always<applySuffixRules>},
    {"applySentenceFinalRules", always<applySentenceFinalRules>},
    {"applyCaseRelationRules", always<applyCaseRelationRules>},
    {"expandAllTemplates", expandAllTemplates},
    {"applyParticleRules", always<applyParticleRules>},
    {"moveClosingBrackets", moveClosingBrackets},
    {"orderFromDefault", orderFromDefault},
    {"emitSentence", emitSentence},
}};

}  // namespace

const std::array<JcPipelineEntry, kJcPipelineSteps>& jcPipelineSteps() { return kSteps; }

bool runJcPipeline(JcSentence* record) {
  for (const JcPipelineEntry& step : kSteps) {
    if (!step.run(record)) return false;
  }
  return true;
}

}  // namespace jc
