#include "engine/jc/rules/jc_suffix_rules.h"

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_rule_kit.h"

namespace jc {

namespace {

using namespace suffix_keys;

const RenderingKeySpec kKeys[] = {
    {kNegation, 1, 2, 2},      {kKanenai, 1, 4, 4},       {kSplitMark, 1, 2, 2},    {kAspect1, 1, 2, 2},
    {kAspect2, 1, 2, 2},       {kBuriNoun, 1, 4, 4},      {kBuriTime, 1, 4, 4},     {kAteTo, 1, 2, 2},
    {kAteAlone, 1, 2, 2},      {kDesire, 1, 2, 2},        {kPassiveNegation, 1, 2, 2}, {kPassive2, 1, 2, 2},
    {kPassive5, 1, 2, 2},      {kCausative, 1, 4, 4},     {kProhibition, 1, 2, 2},  {kRequest, 1, 2, 2},
    {kCannot1, 1, 2, 2},       {kCannot2, 1, 2, 2},       {kNot, 1, 2, 2},          {kNotYet, 1, 2, 2},
    {kNotYetKnow, 1, 2, 2},    {kPast, 1, 2, 2},          {kPastKnow, 1, 2, 2},      {kNotExisting, 1, 2, 2},
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

const RuleWord wNegation(kNegation), wKanenai(kKanenai), wSplitMark(kSplitMark), wAspect1(kAspect1),
    wAspect2(kAspect2), wBuriNoun(kBuriNoun), wBuriTime(kBuriTime), wAteTo(kAteTo), wAteAlone(kAteAlone),
    wDesire(kDesire), wPassiveNegation(kPassiveNegation), wPassive2(kPassive2), wPassive5(kPassive5),
    wCausative(kCausative), wProhibition(kProhibition), wRequest(kRequest), wCannot1(kCannot1),
    wCannot2(kCannot2), wNot(kNot), wNotYet(kNotYet), wNotYetKnow(kNotYetKnow), wPast(kPast), wPastKnow(kPastKnow),
    wNotExisting(kNotExisting);

std::string_view surfaceOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? s->nodes[i].surface.view() : ""; }
std::string_view baseOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? s->nodes[i].baseForm.view() : ""; }

bool surfaceIn(const JcSentence* s, int i, std::string_view bars) { return isInBarList(bars, surfaceOf(s, i)); }
bool baseIn(const JcSentence* s, int i, std::string_view bars) { return isInBarList(bars, baseOf(s, i)); }

// The suffix table, in its order: the first row whose test holds chooses the rule.
enum class Test { kBase, kSurface, kLiveBase };
struct Row {
  Test test;
  std::string_view words;
  void (*rule)(JcSentence*, int);
};
const Row kRows[] = {
    {Test::kBase, "|いる|る|", ruleProgressive},
    {Test::kSurface, "|過ぎ|すぎ|未満|あたり|当たり|当り|おき|ごと|", ruleSuffixGeneric},
    {Test::kSurface, "|ぶり|", ruleSuffixBuri},
    {Test::kSurface, "|目|め|だらけ|気味|ぎみ|むき|向き|入り|がかり|足らず|たらず|がらみ|ぐるみ|ならでは|ずみ|",
     ruleSuffixGeneric},
    {Test::kSurface, "|あて|宛|", ruleSuffixAte},
    {Test::kSurface, "|ぞろい|ずくめ|尽くし|づくし|無し|ごとき|如き|たて|放題|ほうだい|", ruleSuffixGeneric},
    {Test::kBase, "|がちだ|気味だ|ぎみだ|", ruleSuffixGeneric},
    {Test::kBase, "|たい|", ruleDesireSuffix},
    {Test::kBase, "|やすい|よい|にくい|がたい|難い|づらい|がちだ|そうだ|いける|なる|みる|得る|過ぎる|すぎる|がる|",
     ruleSuffixGeneric},
    {Test::kBase, "|たがる|", ruleDesireSuffix},
    {Test::kBase, "|かかる|かける|かねる|", ruleSuffixGeneric},
    {Test::kLiveBase, "|れる|られる|", rulePassiveSuffix},
    {Test::kBase, "|しめる|せる|させる|", ruleCausativeSuffix},
    {Test::kLiveBase, "|ない|ぬ|", ruleNegationSuffix},
};

bool rowMatches(const JcSentence* s, int i, const Row& row) {
  switch (row.test) {
    case Test::kSurface:
      return surfaceIn(s, i, row.words);
    case Test::kLiveBase:
      return isLive(s, i) && baseIn(s, i, row.words);
    default:
      return baseIn(s, i, row.words);
  }
}

constexpr std::string_view kPunctuation = "|｡|。|、|，|,|．|";
constexpr std::string_view kKnowingVerbs = "|知る|わかる|分かる|";

// The negation of a te-form verb: its own word for the verbs of knowing.
std::string_view teFormNegation(const JcSentence* s, int verb) {
  return baseIn(s, verb, kKnowingVerbs) ? wNotYetKnow.text() : wNotYet.text();
}

// A te-form at k, or は after a te-form at k - 1; the verb's index, 0 when neither.
int teFormAt(const JcSentence* s, int k) {
  if (isVerbTeForm(s, k)) return k;
  if (isSurface(s, k, "は") && isVerbTeForm(s, k - 1)) return k - 1;
  return 0;
}

bool isPoliteEnding(const JcSentence* s, int i) { return isSurface(s, i, "ませ"); }

}  // namespace

void prepareSuffixes(JcSentence* s) {
  for (int i = 1; i <= s->lastNode && i < kJcMaxNodes; ++i) {
    const JcTargetNode& t = s->targets[i];
    if (t.firstChild != 0 || t.lastChild != 0) break;
    const JcNode& n = s->nodes[i];
    const JcTargetNode* next = ruleTarget(s, i + 1);
    if (n.pos == "14" && n.subPos == "3" && isLiveSurface(s, i + 1, "の") && next && targetSlot(*next, Slot::kOwnRendering).empty()) {
      if (beginsWith(n.semCodes.view(), "11960")) {
        consumeWord(s, i + 1);
        setKind(s, parentOf(s, i + 1), 'z');
      } else if (isNumeral(s, i - 1) && n.surface == "人" && hasPersonCode(s, i + 2)) {
        consumeWord(s, i + 1);
        consumeWord(s, i);
      }
    } else if (n.surface == "の" && surfaceIn(s, i + 1, "|上|下|前|後|右|左|中|")) {
      consumeWord(s, i);
    }
  }
}

void applySuffixRules(JcSentence* s) {
  prepareSuffixes(s);
  for (int i = findPosForward(s, 1, "14", ""); i != 0; i = findPosForward(s, i + 1, "14", "")) {
    if (!isLive(s, i)) continue;
    const Row* chosen = nullptr;
    for (const Row& row : kRows) {
      if (rowMatches(s, i, row)) {
        chosen = &row;
        break;
      }
    }
    if (chosen) {
      chosen->rule(s, i);
    } else if (surfaceIn(s, i, kPunctuation)) {
      consumeWord(s, i);
      setOwnRendering(s, i, surfaceOf(s, i));
    } else if (const JcCandidate* c = firstCandidate(s, i); c && c->valency == "T") {
      appendSlot(s, maximalProjection(s, i), Slot::kCopula, c->chinese.view(), i);
      consumeWord(s, i);
    }
  }
}

void ruleSuffixGeneric(JcSentence* s, int i) {
  const int p = parentOf(s, i - 1);
  setKind(s, p, 'z');
  const JcCandidate* c = firstCandidate(s, i);
  if (!c) return;
  consumeWord(s, i);

  const bool negated = isLiveBaseForm(s, i + 1, "ない") ||
                       (isSurface(s, i + 1, "ませ") && isLiveBaseForm(s, i + 2, "ぬ")) || isSurface(s, i + 1, "ず");
  if (negated) {
    writeTargetSlot(s, p, Slot::kAfterSubject, wNegation);
    setSlotSource(s, p, Slot::kAfterSubject, i + 1);
    consumeWord(s, i + 1);
    if (isLiveBaseForm(s, i + 2, "ぬ")) consumeWord(s, i + 2);
    if (isBaseForm(s, i, "かねる")) {
      setSlot(s, p, Slot::kAfterSubject, wKanenai, i);
      return;
    }
  }

  // A discontinuous equivalent: the part before the mark goes before the verb, the rest after it.
  const std::string_view chinese = c->chinese.view();
  const std::size_t mark = findAtCharacter(chinese, wSplitMark.text());
  if (mark != std::string_view::npos && beginsWith(c->valency.view(), "VT")) {
    appendSlot(s, p, Slot::kNearAdverbial, chinese.substr(0, mark), i);
    if (JcTargetNode* t = ruleTarget(s, p)) t->headText.append(chinese.substr(mark + wSplitMark.text().size()));
  }
}

void ruleProgressive(JcSentence* s, int i) {
  const bool negated = isBaseForm(s, i + 1, "ない") || isNominalWord(s, i + 1) || isSurface(s, i + 1, "ませ") ||
                       isSurface(s, i + 2, "ん");
  if (!negated) {
    const int verb = isSurface(s, i - 1, "せて") || isSurface(s, i - 1, "させて") ? i - 2 : i - 1;
    const JcCandidate* c = firstCandidate(s, verb);
    if (c && beginsWith(c->valency.view(), "V") && !c->extra.empty()) {
      const bool past = isSurface(s, i, "いた") || (isSurface(s, i, "い") && isSurface(s, i + 1, "ました")) ||
                        isSurface(s, i, "た");
      const std::string_view digits = c->extra.view();
      const std::size_t at = past ? 1 : 0;
      const char digit = at < digits.size() ? digits[at] : 0;
      JcTargetNode* v = ruleTarget(s, verb);
      if (v && digit == '1') v->headText = wAspect1.text();
      if (v && digit == '2') v->headText = wAspect2.text();
      if (v && digit == '3') v->aspectB = 'B';
    }
  }
  consumeWord(s, i);
}

void ruleSuffixBuri(JcSentence* s, int i) {
  if (isNonTemporalNoun(s, i - 1)) {
    setOwnRendering(s, i, wBuriNoun);
    if (JcTargetNode* t = ruleTarget(s, i)) t->code = "N";
    return;
  }
  setSlot(s, parentOf(s, i - 1), Slot::kCopula, wBuriTime, i);
  consumeWord(s, i);
}

void ruleSuffixAte(JcSentence* s, int i) {
  const int p = parentOf(s, i - 1);
  const JcTargetNode* t = ruleTarget(s, p);
  if (!t || t->nextSibling == 0) {
    setOwnRendering(s, i, wAteAlone);
    return;
  }
  appendSlot(s, p, Slot::kPreposition, wAteTo, i);
  if (isSurface(s, i + 1, "に")) {
    ruleTarget(s, p)->mark = "*";
    consumeWord(s, i + 1);
  }
  consumeWord(s, i);
}

void ruleDesireSuffix(JcSentence* s, int i) {
  const int p = parentOf(s, i - 1);
  appendSlot(s, p, Slot::kModal, wDesire, i);
  consumeWord(s, i);
  JcTargetNode* t = ruleTarget(s, p);
  if (!t || t->mark.view() != "K") return;
  // An earlier sibling that ends in が and is referenced by the template too: the desire takes
  // its object as it stands.
  int steps = 0;
  for (int q = s->nodes[p].prevSibling; q >= 1 && q < kJcMaxNodes && steps < kJcMaxNodes; q = s->nodes[q].prevSibling, ++steps) {
    JcTargetNode* u = ruleTarget(s, q);
    if (u && isSurface(s, targetLastLeaf(s, q), "が") && u->mark.view() == "K") {
      t->mark = "*";
      u->mark = "*";
      t->templateText.clear();
      setOwnRendering(s, i - 1, "");
      return;
    }
  }
}

void rulePassiveSuffix(JcSentence* s, int i) {
  const int p = parentOf(s, i);
  consumeWord(s, i);
  if (isLiveBaseForm(s, i + 1, "ない") || isLiveBaseForm(s, i + 1, "ぬ")) {
    writeTargetSlot(s, p, Slot::kPreposition, wPassiveNegation);
    setSlotSource(s, p, Slot::kPreposition, i + 1);
    consumeWord(s, i + 1);
  }
  const char cls = p >= 1 && p <= s->lastNode ? s->nodes[p].classChar : 0;
  if (cls == '2') appendSlot(s, p, Slot::kPassive, wPassive2, i);
  if (cls == '5') appendSlot(s, p, Slot::kPreposition, wPassive5, i);
}

void ruleCausativeSuffix(JcSentence* s, int i) {
  setSlot(s, parentOf(s, i), Slot::kPassive, wCausative);
  consumeWord(s, i);
}

void ruleNegationSuffix(JcSentence* s, int i) {
  const bool liveNa = isLiveSurface(s, i, "な");
  consumeWord(s, i);
  const int p = parentOf(s, i);
  // kNegation of target n through the slot writer, with its source.
  auto negate = [&](int n, int source) {
    writeTargetSlot(s, n, Slot::kNegation, wNot);
    setSlotSource(s, n, Slot::kNegation, source);
  };
  auto negateTeForm = [&](int verb) { setSlot(s, parentOf(s, verb), Slot::kNegation, teFormNegation(s, verb), i); };
  const bool aru = isSurface(s, i - 2, "あり") || isSurface(s, i - 2, "有り");

  if (isSurface(s, i + 1, "ください") || liveNa) {
    setSlot(s, p, Slot::kAfterSubject, wProhibition, i);
  } else if (isSurface(s, i, "ないで") && isSurface(s, i + 1, "ね")) {
    setSlot(s, p, Slot::kAfterSubject, wRequest, i);
  } else if (isLiveBaseForm(s, i - 1, "できる")) {
    writeTargetSlot(s, p, Slot::kModal, wCannot1);
    appendSlot(s, p, Slot::kModal, wCannot2, i);
    consumeWord(s, i - 1);
  } else if ((isSurface(s, i - 2, "であり") && isPoliteEnding(s, i - 1)) ||
             (isSurface(s, i - 2, "で") && isSurface(s, i - 1, "は"))) {
    negate(rootOf(s, i - 2), i - 2);
    consumeWord(s, i - 1);
    consumeWord(s, i - 2);
  } else if (isSurface(s, i - 1, "で")) {
    negate(rootOf(s, i - 1), i);
    consumeWord(s, i - 1);
  } else if (isSurface(s, i - 4, "で") && isSurface(s, i - 3, "は") && aru && isPoliteEnding(s, i - 1)) {
    if (JcTargetNode* m = ruleTarget(s, maximalProjection(s, i - 2)); m && m->mark.view() == "K") m->mark = "*";
    negate(rootOf(s, i - 4), i);
    for (int k = i - 4; k < i; ++k) consumeWord(s, k);
  } else if (isAdjectiveConnective(s, i - 4) && isSurface(s, i - 3, "は") && aru && isPoliteEnding(s, i - 1)) {
    negate(rootOf(s, i - 4), i);
    for (int k = i - 3; k < i; ++k) consumeWord(s, k);
  } else if (aru && isPoliteEnding(s, i - 1)) {
    // ありません: the negation of existence has a word of its own.
    writeTargetSlot(s, p, Slot::kNegation, wNotExisting);
    setSlotSource(s, p, Slot::kNegation, i);
  } else if (i < kJcMaxNodes && s->nodes[i].prevSibling == 0 && s->nodes[i].nextSibling == 0) {
    negate(p, i);
  } else if (!isSurface(s, i - 1, "い") && !isSurface(s, i - 1, "おら")) {
    if (isSurface(s, i - 2, "い") && isPoliteEnding(s, i - 1)) {
      if (int verb = teFormAt(s, i - 3)) {
        setSlot(s, parentOf(s, i - 3), Slot::kNegation, teFormNegation(s, verb), i);
        consumeWord(s, i - 1);
        consumeWord(s, i - 2);
      } else {
        negate(p, i);
      }
    } else if (isVerbTeForm(s, i - 1)) {
      negateTeForm(i - 1);
    } else if (isVerbTeForm(s, i - 2) && isPoliteEnding(s, i - 1)) {
      negateTeForm(i - 2);
      consumeWord(s, i - 1);
    } else {
      // A plain negation; in the past (also ませんでした) the verbs of knowing keep their own word.
      const bool past = isPastForm(s, i) || isSurface(s, i + 1, "た") || isSurface(s, i + 1, "でした");
      std::string_view word = wNot.text();
      if (past) word = baseIn(s, i - 1, kKnowingVerbs) ? wPastKnow.text() : wPast.text();
      writeTargetSlot(s, p, Slot::kNegation, word);
      setSlotSource(s, p, Slot::kNegation, i);
    }
  } else if (int verb = teFormAt(s, i - 2)) {
    setSlot(s, parentOf(s, i - 2), Slot::kNegation, teFormNegation(s, verb), i);
    consumeWord(s, i - 1);
  } else {
    negate(p, i);
  }
}

}  // namespace jc
