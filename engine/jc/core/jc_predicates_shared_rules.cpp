#include "engine/jc/core/jc_predicates_shared_rules.h"

#include "engine/jc/core/jc_predicates_form.h"
#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/core/jc_predicates_semantic.h"
#include "engine/jc/core/jc_predicates_tree.h"
#include "engine/jc/core/rendering_table.h"

namespace jc {

namespace {

// Negating prefixes of ruleArimasen (one character each) and the renderings of the か codes.
constexpr const char* kNotBeing = "ruleArimasen.notBeing";  // nominal + では + ない
constexpr const char* kWithout = "ruleArimasen.without";    // nominal + particle | ない
constexpr const char* kKaChoice = "translateKaDouka.code3M";
constexpr const char* kKaOr = "translateKaDouka.code4M";
constexpr const char* kKaWhether = "translateKaDouka.code5";

const RenderingKeySpec kKeys[] = {
    {kNotBeing, 1, 2, 2}, {kWithout, 1, 2, 2}, {kKaChoice, 1, 4, 4}, {kKaOr, 1, 4, 4}, {kKaWhether, 1, 6, 6},
};
const RenderingKeyRegistrar registrar(kKeys);

void clearFlagBit0(JcSentence* s, int i) {
  if (i >= 1 && i < kJcMaxNodes) s->targets[i].flags &= static_cast<std::uint16_t>(~1u);
}

void writeSlot12(JcSentence* s, int target, std::string_view text, int source) {
  if (target < 1 || target >= kJcMaxNodes) return;
  setTargetSlot(s->targets[target], 12, text);
  s->targets[target].slotSource[slotSourceEntry(12)] = source > 0 ? source : 0;
}

}  // namespace

void copyUsageCode(const JcSentence* s, int i, std::string& out) {
  out.clear();
  if (i < 1 || !inNodeRange(s, i)) return;
  const JcTargetNode& t = s->targets[i];
  int n = t.firstChild == 0 && t.lastChild == 0 ? t.parent : i;
  // A phrase grouped with its modifier hands its code to the group it heads: follow it there.
  for (int up = 0; n >= 1 && n < kJcMaxNodes && s->nodes[n].usageCode.empty() && up < kJcMaxNodes; ++up) {
    const int m = s->targets[n].parent;
    if (m < 1 || m >= kJcMaxNodes || s->targets[m].lastChild != n) break;
    n = m;
  }
  if (n >= 1 && isLive(s, n)) out = s->nodes[n].usageCode.str();
}

int ruleArimasen(JcSentence* s, int i, const std::source_location& where) {
  if (i < 1 || !inNodeRange(s, i)) return 0;
  clearFlagBit0(s, i);
  if (!isMorpheme(s, i)) return 0;
  clearFlagBit0(s, parentOf(s, i));

  if (prevSiblingOf(s, i) != 0) {
    if (isLiveSurface(s, i - 2, "あり") || isLiveSurface(s, i - 2, "有り")) {
      if (isLiveSurface(s, i - 1, "ませ") && isLiveSurface(s, i, "ん")) {
        if (isIAdjectiveContinuative(s, i - 3) || isAdjectiveConnective(s, i - 4)) {
          retireWord(s, i - 2, where);
          retireWord(s, i - 1, where);
          retireWord(s, i, where);
          JcCandidate* c = i - 3 >= 1 ? s->targets[i - 3].candidates : nullptr;
          if (c && c->valency.size() < 4) c->valency.append(";@");
          return 1;
        }
      }
    }
    retireWord(s, i, where);
    return 0;
  }

  int answer = 0;
  if (isSurface(s, i - 1, "で")) {
    answer = 1;
  } else if (isNominalWord(s, i - 3) && isSurface(s, i - 2, "で") && isSurface(s, i - 1, "は")) {
    writeSlot12(s, maximalProjection(s, i - 3), rendering(kNotBeing), i - 3);
  } else if (isNominalWord(s, i - 2)) {
    writeSlot12(s, maximalProjection(s, i - 1), rendering(kWithout), i - 3);
  }
  retireWord(s, i, where);
  return answer;
}

void translateKaDouka(const JcSentence* s, int i, std::string_view surface, std::string& out) {
  out.clear();
  if (i < 1 || !inNodeRange(s, i) || surface != "か") return;
  if (isSurface(s, i + 1, "どう") && isSurface(s, i + 2, "か")) {
    out = kKaDouka;
    return;
  }
  // A pair of か after nominals: the phrases of the two nominals must be neighbours.
  int f = findSurfaceForward(s, i + 1, "か");
  if (f && isNominal(s, i - 1) && isNominal(s, f - 1)) {
    if (parentOf(s, i - 1) + 1 == parentOf(s, f - 1)) out = kKaFirstOfPair;
    return;
  }
  int b = findSurfaceBackward(s, i - 1, "か");
  if (b && isNominal(s, i - 1) && isNominal(s, b - 1)) {
    if (parentOf(s, i - 1) == parentOf(s, b - 1) + 1) out = kKaSecondOfPair;
    return;
  }
  if (hasQuestionWordBefore(s, i)) {
    out = kKaQuestionWordBefore;
  } else if (isQuestionWord(s, i + 1)) {
    out = kKaBeforeQuestionWord;
  } else if (isNominal(s, i - 1) && isNominal(s, i + 1)) {
    out = kKaBetweenNominals;
  } else {
    out = kKaOther;
  }
}

const std::string& kaDoukaRendering(std::string_view code) {
  static const std::string none;
  if (code == kKaFirstOfPair) return rendering(kKaChoice);
  if (code == kKaBetweenNominals) return rendering(kKaOr);
  if (code == kKaDouka) return rendering(kKaWhether);
  return none;
}

}  // namespace jc
