#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

struct Digest {
  std::uint64_t h = 1469598103934665603ull;
  void byte(unsigned char b) {
    h ^= b;
    h *= 1099511628211ull;
  }
  void text(std::string_view s) {
    for (char ch : s) byte(static_cast<unsigned char>(ch));
    byte(0);
  }
  void number(std::int64_t v) {
    for (int i = 0; i < 8; ++i) byte(static_cast<unsigned char>(v >> (8 * i)));
  }
};

// Every counted rule, by family and function.
constexpr const char* kTransferRules[] = {
    "arabicNumerals.convertToArabic",
    "arabicNumerals.clockReading",
    "arabicNumerals.specialReading",
    "arabicNumerals.percentReading",
    "arabicNumerals.splitReading",
    "dependentOrder.actionA",
    "dependentOrder.actionB",
    "dependentOrder.actionC",
    "dependentPatterns.generateAdverbialPattern",
    "dependentPatterns.generateVerbalObject",
    "dictionaryLookup.categoryFallback",
    "dictionaryLookup.approximateCount",
    "dictionaryLookup.fixedWordTranslation",
    "dictionaryLookup.translateSpecialWord",
    "entityTests.isPersonName",
    "entityTests.isPlaceWord",
    "entityTests.isPersonOrOrganisationWord",
    "determiners.translateDeterminer",
    "fixedVerbParticles.particleForFixedVerb",
    "framePhrases.applyLocaliserFrame",
    "framePhrases.applySourceFrame",
    "framePhrases.applySpanFrame",
    "framePairs.applyFramePair",
    "localiserPhrases.dispatchLocaliserPhrase",
    "nounLinking.isCompoundNoun",
    "numeralRules.everyPhrase",
    "numeralRules.renderClassifierPlaceholder",
    "particles.particleForArgument",
    "particles.byVerbEnding",
    "particles.byClass",
    "particles.subjectParticle",
    "predicateGeneration.conjugateNominalAttributive",
    "predicateGeneration.conjugateCopulaLike",
    "predicateGeneration.generatePredicate",
    "prepositionPatterns.applyPrepositionPattern",
    "prepositionPatterns.isUnmarkedPast",
    "prepositionRules.applyExistence",
    "prepositionRules.runPrepositionRule",
    "roleForms.subjectForm",
    "roleForms.objectForm",
    "roleForms.fixSpeechVerb",
    "roleForms.translateCountryAbbreviation",
    "roleForms.applyFWordRule",
    "ruleActions.keepOrderHyx",
    "ruleActions.fgProcess",
    "ruleActions.runSpecialRule",
    "ruleActions.checkReportingVerb",
    "specialStructures.applyNameCompound",
    "specialStructures.applyFixedPattern",
    "structuralTransfer.transferWord",
    "transferNavigation.takeAttributiveMarker",
    "transferNavigation.makeExistencePredicate",
    "transferNavigation.closePlacePhrase",
};

}  // namespace

std::uint64_t transferDigest(const CjTransferContext& c) {
  Digest d;
  d.number(c.nodeCount);
  d.number(c.govWork);
  d.text(c.sentenceType.view());
  d.number(c.line.reportingVerbState);
  const int count = c.nodeCount < 0 ? 0 : c.nodeCount >= kMaxNodes ? kMaxNodes - 1 : c.nodeCount;
  for (int k = 1; k <= count; ++k) {
    if (c.sentence) {
      const CjNode& n = c.sentence->nodes[k];
      d.text(n.CHI.view());
      d.text(n.CAT.view());
      d.number(n.parent);
      d.number(n.next);
      d.number(n.firstChild);
    }
    const CjTargetNode& t = c.targets[k];
    for (char ch : {t.alive, t.ruleFlag1, t.ruleFlag2, t.vform, t.caseOpen, t.joinWithNo, t.neg, t.neg1, t.voi,
                    t.ten, t.asp, t.neng, t.shiyi, t.yuanyi})
      d.byte(static_cast<unsigned char>(ch));
    d.text(t.prefixText.view());
    d.text(t.japanese.view());
    d.text(t.jcat.view());
    d.text(t.att.view());
    d.number(static_cast<std::int64_t>(t.candidates.size()));
    d.number(t.parent);
    d.number(t.firstChild);
    d.number(t.nextSibling);
    d.number(t.headChild);
    d.number(t.substitute);
  }
  return d.h;
}

void declareTransferRules() {
  if (!ruletally::on()) return;
  for (const char* rule : kTransferRules) ruletally::declare(rule);
}

}  // namespace cj
