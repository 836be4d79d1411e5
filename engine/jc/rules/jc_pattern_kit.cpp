#include "engine/jc/rules/jc_pattern_kit.h"

namespace jc::pattern {

std::string_view RuleWordList::operator[](std::size_t k) const {
  const unsigned now = renderingTableGeneration();
  if (!words_ || generation_ != now) {
    words_ = &renderings(key_);
    generation_ = now;
  }
  return k < words_->size() ? std::string_view((*words_)[k]) : std::string_view();
}

int findFirstSurface(const JcSentence* s, int i, Forms forms) {
  for (std::string_view f : forms) {
    if (int k = findLiveSurface(s, i, f)) return k;
  }
  return 0;
}

int findFirstBase(const JcSentence* s, int i, Forms forms) {
  for (std::string_view f : forms) {
    if (int k = findLiveBaseForm(s, i, f)) return k;
  }
  return 0;
}

bool liveSurfaceIn(const JcSentence* s, int i, Forms forms) {
  for (std::string_view f : forms) {
    if (isLiveSurface(s, i, f)) return true;
  }
  return false;
}

bool liveBaseIn(const JcSentence* s, int i, Forms forms) {
  for (std::string_view f : forms) {
    if (isLiveBaseForm(s, i, f)) return true;
  }
  return false;
}

bool surfaceIn(const JcSentence* s, int i, Forms forms) {
  for (std::string_view f : forms) {
    if (isSurface(s, i, f)) return true;
  }
  return false;
}

bool isVolitionalVerb(const JcSentence* s, int i) {
  return live(s, i) && isVerb(s, i) && s->nodes[i].conjForm == "4";
}

void setCode(JcSentence* s, int i, std::string_view code) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->code = code;
}
void setHeadText(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText = text;
}
void appendHeadText(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText.append(text);
}
void setHeadText2(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->headText2 = text;
}
void setText3(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->text3 = text;
}
void setText5(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, i)) t->text5 = text;
}

void releaseTemplateMark(JcSentence* s, int i) {
  if (JcTargetNode* t = ruleTarget(s, i); t && t->mark == "K") t->mark = "*";
}

void renderPairedAdverb(JcSentence* s, int i, std::string_view text) {
  setOwnRendering(s, i, text);
  setCode(s, i, "F");
}

bool isRendered(const JcSentence* s, int i) {
  const JcTargetNode* t = ruleTarget(s, i);
  return t && !targetSlot(*t, Slot::kOwnRendering).empty();
}

}  // namespace jc::pattern
