#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/common/dbcs_text.h"
#include "engine/jc/core/jc_predicates.h"

#include <algorithm>

namespace jc {

namespace {

const RenderingKeySpec kKeys[] = {{kOverrideWordKey, 1, 6, 6}};
const RenderingKeyRegistrar registrar(kKeys, 1);

const RuleWord kOverrideWord(kOverrideWordKey);

bool isTarget(const JcSentence* s, int i) {
  return s && i >= 1 && i < kJcMaxNodes && i <= std::max(s->lastTarget, s->lastNode);
}

bool isDigit0To4(char c) { return c >= '0' && c <= '4'; }

}  // namespace

const std::string& RuleWord::text() const {
  const unsigned now = renderingTableGeneration();
  if (!word_ || generation_ != now) {
    word_ = &rendering(key_);
    generation_ = now;
  }
  return *word_;
}

JcTargetNode* ruleTarget(JcSentence* s, int i) { return isTarget(s, i) ? &s->targets[i] : nullptr; }
const JcTargetNode* ruleTarget(const JcSentence* s, int i) { return isTarget(s, i) ? &s->targets[i] : nullptr; }

void setSlotSource(JcSentence* s, int i, Slot slot, int source) {
  JcTargetNode* t = ruleTarget(s, i);
  const int entry = slotSourceEntry(slot);
  if (!t || entry < 0) return;
  t->slotSource[entry] = source >= 1 && source <= s->lastNode ? source : 0;
}

void setSlot(JcSentence* s, int i, Slot slot, std::string_view text, int source) {
  JcTargetNode* t = ruleTarget(s, i);
  if (!t) return;
  setTargetSlot(*t, slot, text);
  if (source != kNoSource) setSlotSource(s, i, slot, source);
}

void appendSlot(JcSentence* s, int i, Slot slot, std::string_view text, int source) {
  JcTargetNode* t = ruleTarget(s, i);
  if (!t) return;
  std::string joined(targetSlot(*t, slot));
  joined.append(text.substr(0, text.find('\0')));
  setTargetSlot(*t, slot, joined);
  if (source != kNoSource) setSlotSource(s, i, slot, source);
}

void writeTargetSlot(JcSentence* s, int i, Slot slot, std::string_view text) {
  if (!s) return;
  if (s->slotOverride > 0) {
    --s->slotOverride;
    text = kOverrideWord.text();
  }
  setSlot(s, i, slot, text);
}

void consumeWord(JcSentence* s, int i, const std::source_location& where) {
  if (!s || i < 1 || i > s->lastMorpheme || i >= kJcMaxNodes) return;
  noteRetired(s, i, where);
  s->targets[i].live = 0;
}

void setKind(JcSentence* s, int i, char kind) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->kind = kind;
}

void setOwnRendering(JcSentence* s, int i, std::string_view text) { setSlot(s, i, Slot::kOwnRendering, text); }

JcCandidate* firstCandidate(JcSentence* s, int i) {
  JcTargetNode* t = ruleTarget(s, i);
  return t ? t->candidates : nullptr;
}

const JcCandidate* firstCandidate(const JcSentence* s, int i) {
  const JcTargetNode* t = ruleTarget(s, i);
  return t ? t->candidates : nullptr;
}

std::string_view firstChinese(const JcSentence* s, int i) {
  const JcCandidate* c = firstCandidate(s, i);
  return c ? c->chinese.view() : std::string_view();
}

std::size_t findAtCharacter(std::string_view text, std::string_view needle) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t i = 0; i + needle.size() <= text.size();) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
    i += dbcs::charSize(text, i);
  }
  return std::string_view::npos;
}

bool hasPersonCode(const JcSentence* s, int i) {
  if (!s || i < 0 || i > s->lastNode || i >= kJcMaxNodes) return false;
  std::string_view codes = s->nodes[i].semCodes.view();
  if (codes.size() >= 3 && codes.substr(0, 2) == "12" && isDigit0To4(codes[2])) return true;
  std::size_t at = codes.find("/12");
  return at != std::string_view::npos && at + 3 < codes.size() && isDigit0To4(codes[at + 3]);
}

bool isVerbOfGoing(const JcSentence* s, int i) {
  for (std::string_view base : {"行く", "いく", "来る", "くる", "帰る", "かえる", "出かける", "でかける", "戻る", "もどる"})
    if (isBaseForm(s, i, base)) return true;
  return false;
}

}  // namespace jc
