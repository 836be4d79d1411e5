#include "engine/cj/transfer/predicate_generation.h"

#include "engine/common/word_table.h"
#include "engine/cj/transfer/adjective_conjugation.h"
#include "engine/cj/transfer/attributive_particle.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/kanji_tests.h"
#include "engine/cj/transfer/rule_entry_points.h"
#include "engine/cj/transfer/verb_conjugation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kPredicateGenerationNumeralLinkWordsKey{"predicateGeneration.numeralLinkWords"};
constinit ListedKey kPredicateGenerationLetterLinkWordsKey{"predicateGeneration.letterLinkWords"};
constinit ListedKey kPredicateGenerationMuchWordsKey{"predicateGeneration.muchWords"};
constinit ListedKey kPredicateGenerationLittleWordsKey{"predicateGeneration.littleWords"};
constinit ListedKey kPredicateGenerationManyWordsKey{"predicateGeneration.manyWords"};
constinit ListedKey kPredicateGenerationFewWordsKey{"predicateGeneration.fewWords"};
constinit ListedKey kPredicateGenerationSomeWordKey{"predicateGeneration.someWord"};
constinit ListedKey kPredicateGenerationWhatKindWordKey{"predicateGeneration.whatKindWord"};
constinit ListedKey kPredicateGenerationHonorificWordsKey{"predicateGeneration.honorificWords"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"predicateGeneration.manyWords", 4, 1, 0},       // "多くの"
    {"predicateGeneration.fewWords", 3, 1, 0},        // "少しの"
    {"predicateGeneration.someWord", 1, 1, 0},        // "ある"
    {"predicateGeneration.whatKindWord", 1, 1, 0},    // "どんな"
    {"predicateGeneration.honorificWords", 4, 1, 0},  // "さん" after a person name
    {"predicateGeneration.muchWords", 4, 1, 0},       // "多い"
    {"predicateGeneration.littleWords", 2, 1, 0},     // "少ない"
    {"predicateGeneration.numeralLinkWords", 2, 1, 1},
    {"predicateGeneration.letterLinkWords", 2, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool isCopulaLike(std::string_view code) { return isAdjectiveCode(code); }

bool hasAnyRoleLink(CjTransferContext& c, int node) {
  if (!c.roleLinks) return false;
  for (const CjRoleLink& l : *c.roleLinks) {
    if (l.head == node || l.dependent == node) return true;
  }
  return false;
}

// The te/ta forms end in "た" or "だ".
bool endsInPast(std::string_view text) { return textEndsWith(text, "た") || textEndsWith(text, "だ"); }

void nominalNeg(std::string& text, std::string& code, const CjModalities& m) {
  if (m.neg && isNounCode(code)) {
    text += "でない";
    code = "KYOSI";
  }
}

void conjugateNominal(CjTransferContext& c, int node, std::string& text, std::string& code, CjModalities& m) {
  CjTargetNode& t = c.targets[node];
  if (!t.japanese.empty()) {
    nominalNeg(text, code, m);
    return;
  }
  const char* flags[] = {&m.shiyi, &m.voi, &m.neng, &m.yuanyi};
  void (*steps[])(std::string&, std::string&) = {appendCausative, appendPassive, appendPotential,
                                                  appendDesiderative};
  for (int k = 0; k < 4; ++k) {
    if (!*flags[k]) continue;
    text += "をする";
    code = "SHT00";
    steps[k](text, code);
    break;
  }
  if (m.neg || m.neg1) {
    if (isNounCode(code)) {
      text += "でない";
      code = "KYOSI";
    } else if (isVerbClassCode(code)) {
      if (m.neg) negateVerb(text, code);
      else appendNotYet(text, code);
    } else if (m.neg && isNaAdjectiveCode(code)) {
      conjugateCopula('y', text, '2');
      text += "はない";
      code = "KYOSI";
    } else if (m.neg && isAdjectiveCode(code)) {
      conjugateIAdjective('y', text, '1');
      text += "ない";
    }
  }
  char cat = slotNode(c, node).CAT[0];
  if ((cat == 'A' || cat == 'V') && isNounCode(code) && t.vform == 'z') {
    text += "だ";
    code = "KYODO";
    applyFormSteps('z', text, code, m);
    return;
  }
  applyFormSteps('z', text, code, m);
  if (isNounCode(code)) translateDeterminer(c, node);
}

void conjugateNominalContinuing(CjTransferContext& c, int node, std::string& text, std::string& code,
                                CjModalities& m) {
  nominalNeg(text, code, m);
  char cat = slotNode(c, node).CAT[0];
  if ((cat == 'A' || cat == 'V') && isNounCode(code)) text += "で";
  else if (isCopulaLike(code)) predicateTeForm(text, code);
}

void conjugateNominalAttributive(CjTransferContext& c, int node, std::string& text, std::string& code,
                                 CjModalities& m) {
  nominalNeg(text, code, m);
  if (isCopulaLike(code)) {
    applyFormSteps('t', text, code, m);
    return;
  }
  if (!isNounCode(code)) return;
  CjTargetNode& t = c.targets[node];
  char cat = slotNode(c, node).CAT[0];
  int next = t.nextSibling;
  std::string_view nextChi = next ? slotNode(c, next).CHI.view() : std::string_view{};
  if (cat == 'U' && !tallied(next && isListedWord(kPredicateGenerationNumeralLinkWordsKey, nextChi),
                             "predicateGeneration.conjugateNominalAttributive"))
    return;
  if (cat == 'W' && !tallied(next && isListedWord(kPredicateGenerationLetterLinkWordsKey, nextChi),
                             "predicateGeneration.conjugateNominalAttributive"))
    return;
  const CjTargetNode* n = next ? &c.targets[next] : nullptr;
  if (t.att == "の") return;
  if (t.att.empty() && n && n->prefixText == "の") return;
  if (t.att.empty() && n && n->prefixText.empty() && n->japanese == "の") return;
  if (cat == 'N') chooseAttributiveParticle(c, node);
  else text += "の";
}

void conjugateNominalAdverbial(std::string& text, std::string& code, CjModalities& m) {
  nominalNeg(text, code, m);
  if (isCopulaLike(code)) applyFormSteps('y', text, code, m);
  else if (code == "NJN00") text += "に";
}

// Form letters of the verb, adjective and na-adjective members.
bool isMemberLetter(char f) {
  switch (f) {
    case 'r': case 'z': case 'j': case 'l': case 'd': case 'm': case 't': case 'y': case 'Y': case 'i': case '?':
      return true;
    default: return false;
  }
}

void conjugateVerbCode(CjTransferContext& c, int node, char f, std::string& text, std::string& code,
                       CjModalities& m) {
  if (f == 'W' || f == 'w') {
    conjugateStem('w', f == 'W' ? '1' : '2', text, verbClassOf(code));
    return;
  }
  if (f == 'N' || f == 'n' || f == 'E') {
    const CjTargetNode& t = c.targets[node];
    if (verbClassOf(code) == 's' && t.parent == 0 && !hasAnyRoleLink(c, node)) {
      if (isKanjiSuru(text)) {
        text.resize(text.size() - 4);
      } else if (isKanjiWoSuru(text)) {
        text.resize(text.size() - 6);
      } else if (!isObjectKanjiSuru(text)) {
        verbFormConjugator('t', text, code, m);
        text += "こと";
      } else {
        replaceFirst(text, "を", "の");
        text.resize(text.size() - 4);
      }
    } else {
      verbFormConjugator('t', text, code, m);
      text += "こと";
    }
    code = "N0000";
    return;
  }
  verbFormConjugator(f, text, code, m);
}

void conjugateCopulaLike(CjTransferContext& c, int node, char f, std::string& text, std::string& code,
                         CjModalities& m) {
  if (f == 'W' || f == 'w') {
    dropLastChar(text);
    text += "くなる";
    code = "TG000";
    conjugateStem('w', f == 'W' ? '1' : '2', text, verbClassOf(code));
    return;
  }
  if (f == 'N' || f == 'E' || f == 'n') {
    adjectiveFormConjugator('t', text, code, m);
    text += "こと";
    code = "N0000";
    return;
  }
  if (f == 'z' || f == '?') {
    std::string_view chi = slotNode(c, node).CHI.view();
    if (tallied(isListedWord(kPredicateGenerationMuchWordsKey, chi), "predicateGeneration.conjugateCopulaLike")) {
      text = "多い";
      code = "KYOSI";
    } else if (tallied(isListedWord(kPredicateGenerationLittleWordsKey, chi), "predicateGeneration.conjugateCopulaLike")) {
      text = "少ない";
      code = "KYOSI";
    }
  }
  if (isMemberLetter(f)) adjectiveFormConjugator(f, text, code, m);
}

void conjugateKyodo(char f, std::string& text, std::string& code, CjModalities& m) {
  if (f == 'W' || f == 'w') {
    dropLastChar(text);
    text += "になる";
    code = "TG000";
    conjugateStem('w', f == 'W' ? '1' : '2', text, verbClassOf(code));
    return;
  }
  if (f == 'E') {
    naAdjectiveFormConjugator('z', text, code, m);
    if (code == "KYODO" && replaceSuffix(text, "だ", "であること")) {
    } else {
      text += "こと";
    }
    code = "N0000";
    return;
  }
  if (f == 'N' || f == 'n') {
    naAdjectiveFormConjugator('t', text, code, m);
    text += "こと";
    code = "N0000";
    return;
  }
  if (f == '?') {
    naAdjectiveFormConjugator('z', text, code, m);
    if (replaceSuffix(text, "だ", "です")) code = "DOKU0";
    return;
  }
  if (isMemberLetter(f)) naAdjectiveFormConjugator(f, text, code, m);
}

void conjugateNominalCode(CjTransferContext& c, int node, char f, std::string& text, std::string& code,
                          CjModalities& m) {
  switch (f) {
    case 'S':
      text = "だ";
      code = "KYODO";
      break;
    case 'N': case 'n': case 'z':
      conjugateNominal(c, node, text, code, m);
      break;
    case 'E':
      conjugateNominal(c, node, text, code, m);
      if (code == "KYODO" && replaceSuffix(text, "だ", "であること")) {
      } else {
        text += "であること";
      }
      code = "N0000";
      break;
    case 'd': conjugateNominalContinuing(c, node, text, code, m); break;
    case 't': conjugateNominalAttributive(c, node, text, code, m); break;
    case 'y': case 'Y': conjugateNominalAdverbial(text, code, m); break;
    default: break;
  }
}

void conjugateOtherCode(CjTransferContext& c, int node, char f, std::string& text, std::string& code,
                        CjModalities& m) {
  if (code == "RETAI") return;
  if (code == "GION0" || code == "GITAI") {
    if (f == 'N' || f == 'n' || f == 'E') text += "という音";
    else if (f == 'z' || f == 'm' || f == 't' || f == '?') text += "という";
    else if (f == 'd' || f == 'y' || f == 'Y') text += "と";
    return;
  }
  if (code == "DOKU0" || code == "DOKU1" || code == "DOKU2") {
    if (m.neg) {
      if (text == "よくなった") {
        text = "悪くなった";
      } else {
        text += endsInPast(text) ? "のではない" : "ではない";
        code = "KYOSI";
      }
    }
    if (f == 't') {
      if (!isCopulaLike(code) && !endsInPast(text)) text += "の";
    } else if (f == 'd' || f == 'y') {
      if (isCopulaLike(code)) {
        predicateTeForm(text, code);
      } else if (!replaceSuffix(text, "た", "て")) {
        replaceSuffix(text, "だ", "で");
      }
    } else if (f == 'n') {
      if (endsInPast(text)) text += "の";
    }
    return;
  }
  if (code == "SEIGO") {
    if (f == 't') text += "の";
    return;
  }
  if (f == 'y') generateAdverbial(c, node, findGovernor(c, node));
  else if (f == 't') text += "の";
}

}  // namespace

void conjugate(CjTransferContext& c, int node, char f, std::string& text, std::string& code, CjModalities& m) {
  if (!targetNode(c, node)) return;
  if ((f == 't' || f == 'N' || f == 'n') &&
      (isCopulaLike(code) || isNaAdjectiveCode(code) || textEndsWith(text, "ている") ||
       textEndsWith(text, "でいる") || textEndsWith(text, "できる") || textEndsWith(text, "べきた") ||
       textEndsWith(text, "はずだ") || textEndsWith(text, "なければならない"))) {
    m.ten = 'A';
  }
  if (isVerbClassCode(code)) conjugateVerbCode(c, node, f, text, code, m);
  else if (isCopulaLike(code)) conjugateCopulaLike(c, node, f, text, code, m);
  else if (isNaAdjectiveCode(code)) conjugateKyodo(f, text, code, m);
  else if (isNounCode(code)) conjugateNominalCode(c, node, f, text, code, m);
  else conjugateOtherCode(c, node, f, text, code, m);
}

void generatePredicate(CjTransferContext& c, int n) {
  CjTargetNode* tp = targetNode(c, n);
  if (!tp || n < 1) return;
  CjTargetNode& t = *tp;
  const CjNode& src = slotNode(c, n);
  char cat = src.CAT[0];
  if ((cat == 'P' || cat == 'W') && t.vform != 't') return;
  if (t.ruleFlag2 == 0) return;

  if (t.vform == 't' && t.neg == 0 && t.ten != 'B' && t.japanese.empty()) {
    std::string_view chi = src.CHI.view();
    auto fix = [&](const char* jp, const char* code) {
      t.japanese = jp;
      t.jcat = code;
    };
    if (tallied(isListedWord(kPredicateGenerationManyWordsKey, chi), "predicateGeneration.generatePredicate")) return fix("多くの", "RETAI");
    if (tallied(isListedWord(kPredicateGenerationFewWordsKey, chi), "predicateGeneration.generatePredicate")) return fix("少しの", "RETAI");
    if (tallied(isListedWord(kPredicateGenerationSomeWordKey, chi), "predicateGeneration.generatePredicate")) return fix("ある", "RETAI");
    if (tallied(isListedWord(kPredicateGenerationWhatKindWordKey, chi), "predicateGeneration.generatePredicate")) return fix("どんな", "RETAI");
    if (isListedWord(kPredicateGenerationHonorificWordsKey, chi) && src.prev > 0 &&
        tallied(isPersonName(c, src.prev) != 0, "predicateGeneration.generatePredicate")) {
      return fix("さん", "N0000");
    }
    for (const CjCandidate& cand : t.candidates) {
      if (cand.code == "RETAI") {
        t.japanese = cand.text.view();
        return;
      }
    }
  }

  if ((t.vform == 'Y' || t.vform == 'y') && cat == 'A' && !t.candidates.empty() &&
      textEndsWith(t.candidates.front().text.view(), "ている")) {
    freeCandidateLists(c, n);
    chooseTranslation(c, n, 'a');
    if (t.candidates.empty() && t.japanese.empty()) chooseTranslation(c, n, cat);
  }

  if (t.japanese.empty()) {
    for (CjCandidate& cand : t.candidates) {
      std::string text = cand.text.str(), code = cand.code.str();
      if (cand.frame2 == 'G' && !containsAtBoundary(t.att.view(), "か")) {
        if (isVerbClassCode(code) || isCopulaLike(code)) {
          text += "か";
          code = "DOKU0";
        } else if (isNaAdjectiveCode(code)) {
          replaceSuffix(text, "だ", "");
          text += "か";
          code = "DOKU0";
        }
      }
      conjugate(c, n, t.vform, text, code, t);
      if (t.att.view().substr(0, 2) == "か" && code == "KYODO" &&
          textEndsWith(text, "だ")) {
        if (text == "だ" && t.att == "か") text = "です";
        else replaceSuffix(text, "だ", "");
        code = "DOKU0";
      }
      cand.text = text;
      cand.code = code;
    }
    return;
  }

  if (t.japanese == "だ") t.jcat = "KYODO";
  conjugate(c, n, t.vform, t.japanese, t.jcat, t);
  if (t.att.view().substr(0, 2) == "か" && t.jcat == "KYODO" && textEndsWith(t.japanese.view(), "だ") &&
      !(t.att == "から")) {
    std::string j = t.japanese.str();
    replaceSuffix(j, "だ", "です");
    t.japanese = j;
    t.jcat = "DOKU0";
  }
}

}  // namespace cj
