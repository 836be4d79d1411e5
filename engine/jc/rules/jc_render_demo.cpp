#include "engine/jc/rules/jc_render_demo.h"

#include <string>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_rule_kit.h"

namespace jc {

namespace {

using namespace demo_keys;

const RenderingKeySpec kKeys[] = {
    {kEven, 1, 2, 2}, {kAfterQuestionWord, 1, 2, 2}, {kPairFirst, 1, 2, 2}, {kPairSecond, 1, 2, 2}};
const RenderingKeyRegistrar registrar(kKeys, 4);

const RuleWord wEven(kEven), wAfterQuestionWord(kAfterQuestionWord), wPairFirst(kPairFirst), wPairSecond(kPairSecond);

constexpr std::string_view kQuestionWordsBefore = "|誰|だれ|どこ|どちら|どれ|";

// kOwnRendering of i goes into kInclusive of the clause c, and i is consumed.
void handOver(JcSentence* s, int i, int c) {
  const JcTargetNode* t = ruleTarget(s, i);
  const std::string word(t ? targetSlot(*t, Slot::kOwnRendering) : std::string_view());
  setSlot(s, c, Slot::kInclusive, word, i);
  consumeWord(s, i);
}

}  // namespace

void renderDemo(JcSentence* s, int i) {
  if (i < 1 || i > s->lastMorpheme || i >= kJcMaxNodes) return;
  const int w = i - 1;
  if (isInBarList(kQuestionWordsBefore, s->nodes[w].surface.view())) {
    setOwnRendering(s, i, wAfterQuestionWord);
  } else if (isCounterSuffix(s, w) && findNegation(s, i + 1) == 0) {
    consumeWord(s, i);
    return;
  } else if (targetSlot(s->targets[i], Slot::kOwnRendering).empty()) {
    setOwnRendering(s, i, wEven);
  }

  const int c = findClauseHead(s, i);
  if (c == 0) return;
  const int h = headPhraseOf(s, maximalProjection(s, i));
  if (c != h) {
    handOver(s, i, c);
    return;
  }
  // AもBも: the two stay, each with its half of the pair.
  int e = targetLastLeaf(s, h);
  while (e > 1 && isSymbol(s, e)) --e;
  if (isLiveSurface(s, e, "も")) {
    setOwnRendering(s, i, wPairFirst);
    setOwnRendering(s, e, wPairSecond);
    return;
  }
  handOver(s, i, h);
}

}  // namespace jc
