#include "engine/jc/rules/jc_pattern_common.h"

namespace jc::pattern {

namespace {

const RuleWord kWriterWord(kOverrideWordKey);

bool isNode(const JcSentence* s, int i) { return s && i >= 1 && i <= s->lastNode && i < kJcMaxNodes; }

}  // namespace

bool hasSemanticCode(const JcSentence* s, int i, Forms codes) {
  if (!isNode(s, i)) return false;
  std::string_view list = s->nodes[i].semCodes.view();
  for (std::string_view c : codes) {
    if (beginsWith(list, c)) return true;
    for (std::size_t at = list.find('/'); at != std::string_view::npos; at = list.find('/', at + 1)) {
      if (beginsWith(list.substr(at + 1), c)) return true;
    }
  }
  return false;
}

bool hasSFeature(const JcSentence* s, int i, std::string_view code) {
  return isNode(s, i) && isInBarList(s->nodes[i].sFeatures.view(), code);
}

std::string_view nodeMark(const JcSentence* s, int i) {
  const JcTargetNode* t = ruleTarget(s, i);
  return t ? t->mark.view() : std::string_view();
}

void setNodeMark(JcSentence* s, int i, std::string_view mark) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->mark = mark;
}

void clearTemplate(JcSentence* s, int i) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->templateText.clear();
}

void appendText3(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->text3.append(text);
}

void setUsageCode(JcSentence* s, int i, std::string_view code) {
  if (isNode(s, i)) s->nodes[i].usageCode = code;
}

void appendThroughWriter(JcSentence* s, int i, Slot slot, std::string_view text) {
  if (!s) return;
  if (s->slotOverride > 0) {
    --s->slotOverride;
    text = kWriterWord.text();
  }
  appendSlot(s, i, slot, text);
}

void writePieces(JcSentence* s, int i, Slot slot, std::initializer_list<std::string_view> pieces, int source) {
  bool first = true;
  for (std::string_view piece : pieces) {
    if (first) {
      writeTargetSlot(s, i, slot, piece);
      first = false;
    } else {
      appendSlot(s, i, slot, piece);
    }
  }
  setSlotSource(s, i, slot, source);
}

bool sameSurface(const JcSentence* s, int i, int j) {
  return wordAt(s, i) && wordAt(s, j) && s->nodes[i].surface.view() == s->nodes[j].surface.view();
}

}  // namespace jc::pattern
