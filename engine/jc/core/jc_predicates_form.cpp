#include "engine/jc/core/jc_predicates_form.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/core/jc_predicates_tree.h"

namespace jc {

namespace {

// A bar list of conjugation codes ("|18|19|20|") with its small numbers held as bits: a code in
// plain decimal below 64 is looked up there, any other code in the list itself.
struct CodeSet {
  std::string_view list;
  std::uint64_t bits = 0;
  bool plain = true;  // the list is ASCII, so its bars are its only fences

  template <std::size_t N>
  consteval CodeSet(const char (&l)[N]) : CodeSet(std::string_view(l, N - 1)) {}
  consteval CodeSet(std::string_view l) : list(l) {
    std::uint64_t value = 0;
    bool number = false, leadingZero = false;
    for (std::size_t i = 0; i < l.size(); ++i) {
      const char c = l[i];
      if (static_cast<unsigned char>(c) >= 0x80) plain = false;
      if (c == '|') {
        if (number && !leadingZero && value < 64) bits |= std::uint64_t{1} << value;
        value = 0;
        number = i + 1 < l.size() && l[i + 1] >= '0' && l[i + 1] <= '9';
        leadingZero = number && l[i + 1] == '0' && i + 2 < l.size() && l[i + 2] != '|';
      } else if (c >= '0' && c <= '9') {
        value = value < 64 ? value * 10 + static_cast<std::uint64_t>(c - '0') : value;
      } else {
        number = false;
      }
    }
  }

  bool has(std::string_view code) const {
    if (plain && !code.empty() && code.size() <= 2 && code[0] >= '0' && code[0] <= '9' &&
        (code.size() == 1 || (code[0] != '0' && code[1] >= '0' && code[1] <= '9'))) {
      const unsigned v = code.size() == 1 ? static_cast<unsigned>(code[0] - '0')
                                          : static_cast<unsigned>((code[0] - '0') * 10 + (code[1] - '0'));
      if (v < 64) return (bits >> v) & 1;
    }
    return isInBarList(list, code) != 0;
  }
};

// A form set: conjugation types and the forms that count for them.
struct FormSet {
  CodeSet types;
  CodeSet forms;
};

bool inForms(const JcNode& n, std::initializer_list<FormSet> sets) {
  for (const FormSet& f : sets)
    if (f.types.has(n.conjType.view()) && f.forms.has(n.conjForm.view())) return true;
  return false;
}

int formTest(const JcSentence* s, int i, std::initializer_list<FormSet> sets) {
  return inNodeRange(s, i) && inForms(s->nodes[i], sets);
}

int formTestFrom1(const JcSentence* s, int i, std::initializer_list<FormSet> sets) {
  return i >= 1 && formTest(s, i, sets);
}

int posTest(const JcSentence* s, int i, std::string_view pos, std::string_view sub = {}) {
  return inNodeRange(s, i) && s->nodes[i].pos == pos && (sub.empty() || s->nodes[i].subPos == sub);
}

int typeTest(const JcSentence* s, int i, const CodeSet& types) {
  return inNodeRange(s, i) && types.has(s->nodes[i].conjType.view());
}

bool isNominalClass(const JcNode& n) {
  std::string_view pos = n.pos.view(), sub = n.subPos.view();
  return pos == "6" || (pos == "7" && sub == "1") || (pos == "14" && isInBarList("|1|2|3|", sub)) || pos == "15" ||
         (pos == "1" && isInBarList("|3|4|5|", sub));
}

bool isVerbPos(const JcNode& n) { return n.pos == "2" || (n.pos == "14" && n.subPos == "7"); }

}  // namespace

int isSymbol(const JcSentence* s, int i) { return posTest(s, i, "1"); }
int isParticle(const JcSentence* s, int i) { return posTest(s, i, "9"); }
int isAdverbialParticle(const JcSentence* s, int i) { return posTest(s, i, "9", "2"); }
int isFinalParticle(const JcSentence* s, int i) { return posTest(s, i, "9", "4"); }
int isAdverb(const JcSentence* s, int i) { return posTest(s, i, "8"); }
int isConjunction(const JcSentence* s, int i) { return posTest(s, i, "10"); }
int isSahenNoun(const JcSentence* s, int i) { return posTest(s, i, "6", "2"); }
int isNumeral(const JcSentence* s, int i) { return i >= 1 && posTest(s, i, "6", "7"); }
int isCounterSuffix(const JcSentence* s, int i) { return i >= 1 && posTest(s, i, "14", "3"); }
int isIntransitiveVerb(const JcSentence* s, int i) { return posTest(s, i, "2", "2"); }

int isPredicateWord(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  const JcNode& n = s->nodes[i];
  return isInBarList("|2|3|4|5|", n.pos.view()) || (n.pos == "14" && isInBarList("|5|6|7|", n.subPos.view()));
}

int isNominalWord(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  const JcNode& n = s->nodes[i];
  std::string_view pos = n.pos.view(), sub = n.subPos.view();
  return pos == "6" || (pos == "7" && sub == "1") || (pos == "14" && isInBarList("|1|2|3|", sub)) || pos == "15";
}

int isNominal(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  int w = isMorpheme(s, i) ? i : lastLeaf(s, i);
  while (w > 1 && isParticle(s, w) && s->nodes[w - 1].parent == s->nodes[w].parent) --w;
  if (isNominalClass(s->nodes[w])) return 1;
  return isInBarList(s->nodes[i].sFeatures.view(), "S2") || isInBarList(s->nodes[w].sFeatures.view(), "S2");
}

int isNominalOrAdnominal(const JcSentence* s, int i) { return i >= 1 && (isNominal(s, i) || isAdnominal(s, i)); }

int isVerb(const JcSentence* s, int i) {
  int h = headMorpheme(s, i);
  return h >= 1 && isVerbPos(s->nodes[h]);
}

int isNounHead(const JcSentence* s, int i) {
  int h = headMorpheme(s, i);
  return h >= 1 && s->nodes[h].pos == "6";
}

int isIAdjective(const JcSentence* s, int i) { return i >= 1 && typeTest(s, i, kIAdjectiveTypes); }
int isNaAdjective(const JcSentence* s, int i) { return typeTest(s, i, "|21|22|23|"); }
int isSahenVerb(const JcSentence* s, int i) { return typeTest(s, i, kSahenTypes); }
int isSahenVerbAlt(const JcSentence* s, int i) { return typeTest(s, i, kSahenTypes); }

int isVerbTaForm(const JcSentence* s, int i) { return formTest(s, i, {{kVerbTypes, "|8|"}}); }
int isNotVerbTaForm(const JcSentence* s, int i) { return i >= 1 && inNodeRange(s, i) && !isVerbTaForm(s, i); }
int isVerbBaseForm(const JcSentence* s, int i) { return formTest(s, i, {{kVerbAndPotentialTypes, "|2|"}}); }
int isVerbContinuative(const JcSentence* s, int i) { return formTest(s, i, {{kVerbTypes, "|7|"}}); }
int isVerbConditional(const JcSentence* s, int i) { return formTest(s, i, {{kVerbTypes, "|6|10|"}}); }
int isVerbTeForm(const JcSentence* s, int i) { return formTest(s, i, {{kVerbTypes, "|11|"}}); }
int isIAdjectiveContinuative(const JcSentence* s, int i) { return formTest(s, i, {{kIAdjectiveTypes, "|6|"}}); }
int isIAdjectiveStem(const JcSentence* s, int i) { return formTest(s, i, {{kIAdjectiveTypes, "|1|"}}); }
int isNaAdjectiveStem(const JcSentence* s, int i) { return formTest(s, i, {{kNaAdjectiveAllTypes, "|1|"}}); }

int isNaAdjectiveContinuative(const JcSentence* s, int i) {
  return formTest(s, i, {{"|21|", "|7|"}, {"|22|23|", "|8|"}, {"|24|", "|3|"}, {"|25|", "|11|"}});
}

int isAdjectiveConnective(const JcSentence* s, int i) {
  return formTest(s, i, {{"|21|", "|11|"}, {"|22|23|", "|12|"}, {kIAdjectiveTypes, "|6|"}});
}

int isNaAdjectiveAdnominal(const JcSentence* s, int i) {
  return formTest(s, i, {{kNaAdjectiveCopulaTypes, "|4|"}, {"|24|", "|2|"}});
}

int isAdjectiveTeForm(const JcSentence* s, int i) {
  return formTestFrom1(s, i, {{kIAdjectiveTypes, "|10|"}, {"|21|", "|11|"}, {"|22|23|", "|12|"}});
}

int isAdjectiveBaseOrPast(const JcSentence* s, int i) { return formTestFrom1(s, i, {{kIAdjectiveTypes, "|2|7|"}}); }
int testAdjectiveBaseOrPast(const JcSentence* s, int i) { return isAdjectiveBaseOrPast(s, i); }

int isVerbBaseOrPast(const JcSentence* s, int i) {
  if (i < 1 || !inNodeRange(s, i)) return 0;
  const JcNode& n = s->nodes[i];
  bool baseOrTa = n.conjForm == "2" || n.conjForm == "8";
  return (n.pos == "2" && baseOrTa) || (n.conjType == "16" && n.conjForm == "15") ||
         (n.pos == "14" && n.subPos == "7" && baseOrTa);
}

int isContinuativeForm(const JcSentence* s, int i) {
  return isVerbContinuative(s, i) || isIAdjectiveContinuative(s, i) || isNaAdjectiveContinuative(s, i);
}

int isPastForm(const JcSentence* s, int i) {
  return formTest(s, i,
                  {{kVerbTypes, "|8|"},
                   {kIAdjectiveTypes, "|7|8|9|11|"},
                   {"|21|", "|8|9|10|12|21|22|23|25|29|30|31|"},
                   {"|22|23|", "|9|10|11|13|22|23|24|26|30|31|32|34|"},
                   {"|25|", "|8|9|10|12|19|20|21|23|28|29|31|"},
                   {"|27|", "|6|7|9|11|"},
                   {"|32|33|", "|5|6|7|9|"},
                   {"|31|", "|5|6|8|"}});
}

int isPlainBaseOrPastForm(const JcSentence* s, int i) {
  return formTestFrom1(s, i,
                       {{kVerbTypes, "|2|8|"},
                        {kIAdjectiveTypes, "|2|7|"},
                        {"|21|", "|4|8|16|"},
                        {"|22|23|", "|4|9|17|"},
                        {"|24|", "|2|"},
                        {"|25|", "|14|19|"},
                        {"|32|33|", "|2|5|"}});
}

int isBaseOrPastForm(const JcSentence* s, int i) {
  return formTestFrom1(s, i,
                       {{kVerbTypes, "|2|8|"},
                        {kIAdjectiveTypes, "|2|7|"},
                        {"|21|", "|2|8|16|21|"},
                        {"|22|23|", "|2|9|17|22|"},
                        {"|25|", "|2|8|14|19|24|27|"},
                        {"|27|", "|2|6|"},
                        {"|28|29|31|", "|2|4|5|"},
                        {"|32|33|", "|2|5|"}});
}

int isAdnominalPredicate(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  if (formTest(s, i, {{kVerbTypes, "|2|8|"}, {"|32|33|", "|2|5|"}})) return 1;
  // A verbal parent phrase attached adnominally.
  int p = s->nodes[i].parent;
  if (p < 1 || !inNodeRange(s, p)) return 0;
  const JcNode& parent = s->nodes[p];
  int h = headMorpheme(s, p);
  if (h < 1 || s->nodes[h].pos != "2") return 0;
  return parent.depLabel == "D3" || isInBarList(parent.abFeatures.view(), "B34") ||
         isInBarList(parent.abFeatures.view(), "B35");
}

int isAdnominal(const JcSentence* s, int i) {
  if (i < 1 || !inNodeRange(s, i)) return 0;
  const JcNode& n = s->nodes[i];
  if (!isMorpheme(s, i)) {
    if (!isInBarList(kAdnominalLabels, n.depLabel.view())) return 0;
    return n.depLabel != "D6" || !isSurface(s, lastLeaf(s, i), "近く");
  }
  return isAdnominalPredicate(s, i) ||
         formTest(s, i,
                  {{kIAdjectiveTypes, "|2|"},
                   {kNaAdjectiveCopulaTypes, "|4|"},
                   {"|22|", "|5|"},
                   {"|23|", "|15|"},
                   {"|24|", "|2|"},
                   {"|25|", "|5|"},
                   {"|27|", "|2|"}});
}

int lastWordForTest(const JcSentence* s, int i) {
  if (!inNodeRange(s, i)) return 0;
  const JcTargetNode& t = s->targets[i];
  if (t.firstChild == 0 && t.lastChild == 0) return i;
  int w = lastLeaf(s, i);
  if (w > 1 && isSymbol(s, w) && s->nodes[w].parent == s->nodes[w - 1].parent) --w;
  return w;
}

int isVerbImperative(const JcSentence* s, int i) {
  int w = lastWordForTest(s, i);
  return w >= 1 && s->nodes[w].pos == "2" && isInBarList("|5|17|", s->nodes[w].conjForm.view());
}

int isVerbIrrealis(const JcSentence* s, int i) {
  int w = lastWordForTest(s, i);
  return w >= 1 && formTest(s, w, {{kVerbTypes, "|3|16|"}});
}

int isVerbVolitional(const JcSentence* s, int i) {
  int w = lastWordForTest(s, i);
  return w >= 1 && isVerb(s, w) && s->nodes[w].conjForm == "4";
}

int isConjecture(const JcSentence* s, int i) {
  int w = lastWordForTest(s, i);
  if (w < 1) return 0;
  const JcNode& n = s->nodes[w];
  if (n.surface == "でしょう" || n.surface == "だろう" || n.surface == "であろう") return 1;
  if (n.surface == "ましょう" && s->nodes[w - 1].conjForm == "7") return 1;
  return isVerb(s, w) && isInBarList(kIAdjectiveTypes, n.conjType.view()) && isInBarList("|4|9|", n.conjForm.view());
}

int isConditionalForm(const JcSentence* s, int i) {
  int w = lastWordForTest(s, i);
  return w >= 1 && formTest(s, w,
                            {{kVerbTypes, "|6|10|"},
                             {"|21|", "|6|10|"},
                             {kIAdjectiveTypes, "|5|9|"},
                             {"|22|23|", "|7|11|"},
                             {"|25|", "|7|10|17|"},
                             {"|27|", "|7|14|"},
                             {"|28|", "|3|"},
                             {"|31|", "|6|"},
                             {"|32|33|", "|4|7|"}});
}

int isPotential(const JcSentence* s, int i) {
  int w = lastWordForTest(s, i);
  if (w < 1) return 0;
  if (s->nodes[w].baseForm == "できる") return 1;
  if (isVerb(s, w) && isBaseForm(s, w + 1, "られる")) return 1;
  return isSahenNoun(s, w) && isBaseForm(s, w + 1, "できる");
}

}  // namespace jc
