#include "engine/jc/core/jc_predicates_semantic.h"

#include <algorithm>
#include <initializer_list>

#include "engine/jc/core/jc_predicates_form.h"
#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/core/jc_predicates_tree.h"

namespace jc {

const std::string_view kQuestionWords =
    "|誰|だれ|何|なに|何処|何所|どこ|何時|いつ|どのぐらい|幾つ|いくつ|どちら|何人|";

namespace {

using Codes = std::string_view;

bool beginsAny(Codes codes, std::initializer_list<std::string_view> values) {
  for (std::string_view v : values)
    if (beginsWith(codes, v)) return true;
  return false;
}

bool containsAny(Codes codes, std::initializer_list<std::string_view> values) {
  for (std::string_view v : values)
    if (codes.find(v) != std::string_view::npos) return true;
  return false;
}

// The first digits.size() characters of codes, read as a number, lie in lo..hi (same width).
bool beginsInRange(Codes codes, std::string_view lo, std::string_view hi) {
  if (codes.size() < lo.size()) return false;
  Codes head = codes.substr(0, lo.size());
  if (!std::all_of(head.begin(), head.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  return head >= lo && head <= hi;
}

bool subPosHolds(const JcNode& n, char digit) { return n.subPos.view().find(digit) != std::string_view::npos; }

bool isTimeCode(Codes codes) { return beginsWith(codes, "116") || codes.find("/116") != std::string_view::npos; }

const JcNode* wordFrom1(const JcSentence* s, int i) { return i >= 1 && inNodeRange(s, i) ? &s->nodes[i] : nullptr; }

}  // namespace

int isQuestionWord(const JcSentence* s, int i) {
  return inNodeRange(s, i) && isInBarList(kQuestionWords, s->nodes[i].surface.view());
}

int findQuestionWordBackward(const JcSentence* s, int i) {
  if (!s || i < 1) return 0;
  for (int k = std::min(i, s->lastNode); k >= 1; --k)
    if (isQuestionWord(s, k)) return k;
  return 0;
}

int findQuestionWordForward(const JcSentence* s, int i) {
  if (!s || i < 1) return 0;
  for (int k = i; inNodeRange(s, k); ++k)
    if (isQuestionWord(s, k)) return k;
  return 0;
}

int hasQuestionWordBefore(const JcSentence* s, int i) {
  for (int k = 0; k < i && inNodeRange(s, k); ++k)
    if (isQuestionWord(s, k)) return 1;
  return 0;
}

int isQuantityQuestion(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  std::string_view w = s->nodes[i].surface.view();
  if (beginsWith(w, "何") || beginsWith(w, "数") || beginsWith(w, "幾")) return 1;
  return !w.empty() && beginsWith(w.substr(charLengthAt(w, 0)), "数");
}

int isPersonOrOrganisation(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  if (!n) return 0;
  return (n->pos == "6" && (subPosHolds(*n, '5') || subPosHolds(*n, '6'))) || beginsWith(n->semCodes.view(), "12");
}

int hasPersonSemantics(const JcSentence* s, int i) {
  int h = headMorpheme(s, i);
  const JcNode* n = wordFrom1(s, h);
  if (!n) return 0;
  if (n->pos == "6" && (subPosHolds(*n, '5') || subPosHolds(*n, '6'))) return 1;
  Codes codes = n->semCodes.view();
  if (codes.empty() || beginsAny(codes, {"12", "156"})) return 1;
  if (codes.size() > 7) {
    std::size_t slash = codes.find('/');
    if (slash != std::string_view::npos && beginsAny(codes.substr(slash + 1), {"12", "156"})) return 1;
  }
  int next = n->nextSibling;
  return next >= 1 && inNodeRange(s, next) && beginsAny(s->nodes[next].semCodes.view(), {"12", "156"});
}

int isNonTemporalNoun(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  if (!n) return 0;
  if (n->pos != "6" || n->subPos == "5" || n->subPos == "6") return 1;
  Codes codes = n->semCodes.view();
  if (isTimeCode(codes)) return 0;
  if (beginsWith(codes, "14") && codes.size() > 2 && codes[2] >= '0' && codes[2] < '5') return 0;
  return n->subPos != "10";
}

int isTimeNoun(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  if (!n) return 0;
  return (n->pos == "6" && n->subPos == "10") || isTimeCode(n->semCodes.view());
}

int isTimePointNoun(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  if (!n) return 0;
  if (n->pos == "6" && n->subPos == "10") return 1;
  return containsAny(n->semCodes.view(), {"11610", "11611", "11612", "11613", "11620", "11623", "11624",
                                          "11630", "11631", "11632", "11633", "11634", "11635", "11641",
                                          "11642", "11643", "11650", "11670", "11671"});
}

int isPlaceOrTimeWord(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  if (!n) return 0;
  std::string_view pos = n->pos.view(), sub = n->subPos.view();
  if ((pos == "7" && sub == "1") || (pos == "14" && sub == "2") || (pos == "6" && sub == "4")) return 1;
  Codes codes = n->semCodes.view();
  return containsAny(codes, {"12590", "/116", "/117", "/126"}) || beginsAny(codes, {"116", "117", "126"});
}

int isPlaceNoun(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  if (!n) return 0;
  if (n->pos == "6" && subPosHolds(*n, '4')) return 1;
  Codes codes = n->semCodes.view();
  return beginsAny(codes, {"117", "152"}) || beginsInRange(codes, "1251", "1255") ||
         beginsInRange(codes, "1259", "1266") || beginsInRange(codes, "144", "147");
}

int hasSemantic1174Group(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  return n && containsAny(n->semCodes.view(), {"11740", "11741", "11742", "11750", "11760", "11770", "11771", "11780"});
}

int hasSemantic1465Group(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  return n && containsAny(n->semCodes.view(), {"14650", "14660", "14670"});
}

int hasSemantic12Group(const JcSentence* s, int i) {
  const JcNode* n = wordFrom1(s, i);
  return n && containsAny(n->semCodes.view(),
                          {"12030", "12120", "12210", "12220", "12320", "12410", "12411", "12420", "12430"});
}

int findCausative(const JcSentence* s, int i) {
  if (i < 1) return 0;
  int k = lastWordForTest(s, i);
  for (int steps = 0; k >= 1 && steps < kJcMaxNodes; ++steps) {
    if (isBaseForm(s, k, "せる") || isBaseForm(s, k, "させる")) {
      return isVerbIrrealis(s, k - 1) || isSahenVerb(s, k - 1);
    }
    k = prevSiblingOf(s, k);
  }
  return 0;
}

}  // namespace jc
