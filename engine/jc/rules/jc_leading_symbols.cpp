#include "engine/jc/rules/jc_leading_symbols.h"

#include <string>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/core/jc_sentence_output.h"
#include "engine/jc/rules/jc_formal_noun_rules.h"
#include "engine/jc/rules/jc_rule_kit.h"

namespace jc {

namespace {

constexpr std::string_view kBullets = "|●|■|▼|▲|◆|○|□|▽|△|◇|～|◎|※|";
constexpr std::string_view kFinalMarks = "|｡|。|？|!|！|…|……|";
constexpr std::string_view kCommaMarks = "|、|，|・|――|…|･･･|～|＝|";
constexpr std::string_view kClosingBrackets = "|』|」|》|＞|〕|】|≫|｝|］|’|）|〉|";

// Opening brackets and their counterparts.
struct BracketPair {
  std::string_view open, close;
};
constexpr BracketPair kBracketPairs[] = {
    {"「", "」"}, {"『", "』"}, {"（", "）"}, {"｛", "｝"}, {"＜", "＞"}, {"【", "】"}, {"［", "］"},
    {"《", "》"}, {"≪", "≫"}, {"〈", "〉"}, {"〔", "〕"}, {"‘", "’"},  {"“", "”"},
};

std::string_view surfaceOf(const JcSentence* s, int i) { return inNodeRange(s, i) ? s->nodes[i].surface.view() : ""; }
bool surfaceIn(const JcSentence* s, int i, std::string_view bars) { return isInBarList(bars, surfaceOf(s, i)); }

// A symbol's Chinese: its first candidate's, else its own surface (the punctuation rows of the two
// codes coincide).
std::string_view symbolText(const JcSentence* s, int i) {
  std::string_view chinese = firstChinese(s, i);
  return chinese.empty() ? surfaceOf(s, i) : chinese;
}

// The final particle か right before i.
bool afterQuestionParticle(const JcSentence* s, int i) {
  return inNodeRange(s, i - 1) && s->nodes[i - 1].pos == "9" && s->nodes[i - 1].subPos == "4" &&
         isSurface(s, i - 1, "か");
}

void appendTrailing(JcSentence* s, int i, std::string_view text) {
  if (JcTargetNode* t = ruleTarget(s, maximalProjection(s, i))) t->text4.append(text);
}

bool isCommaSurface(const JcSentence* s, int i) { return isSurface(s, i, "、") || isSurface(s, i, "，"); }

// i ends its phrase, perhaps followed by particles only; a comma also when the rest of its run of
// commas follows it, so that the whole run closes the phrase together.
bool endsPhrase(const JcSentence* s, int i) {
  bool inRun = isCommaSurface(s, i);
  int k = s->nodes[i].nextSibling;
  for (int steps = 0; k >= 1 && k < kJcMaxNodes && steps < kJcMaxNodes; ++steps, k = s->nodes[k].nextSibling) {
    inRun = inRun && k == i + 1 + steps && isCommaSurface(s, k);
    if (!inRun && !isParticle(s, k)) return false;
  }
  return true;
}

// i begins its phrase, perhaps after symbols only.
bool beginsPhrase(const JcSentence* s, int i) {
  int k = s->nodes[i].prevSibling;
  for (int steps = 0; k >= 1 && k < kJcMaxNodes && steps < kJcMaxNodes; ++steps, k = s->nodes[k].prevSibling) {
    if (!isSymbol(s, k)) return false;
  }
  return true;
}

bool pendingInPhraseOf(const JcSentence* s, int i) {
  for (int k = 0; k < kJcPendingCount; ++k) {
    if (s->pendingFrom[k] != 0 && parentOf(s, s->pendingFrom[k]) == parentOf(s, i)) return true;
  }
  return false;
}

void copyStartSymbol(JcSentence* s, int i) {
  s->output.append(symbolText(s, i));
  consumeWord(s, i);
}

void handleSymbol(JcSentence* s, int i) {
  if (surfaceIn(s, i, kFinalMarks) || (isSurface(s, i, "．") && s->nodes[i].nextSibling == 0)) {
    // An exclamation mark or an ellipsis stays itself after a question particle too (本当ですか！).
    const bool exclamation = surfaceIn(s, i, "|!|！|…|……|");
    appendTrailing(s, i, afterQuestionParticle(s, i) && !exclamation ? kMarkQuestion : surfaceOf(s, i));
    consumeWord(s, i);
    return;
  }
  if (surfaceIn(s, i, kCommaMarks)) {
    if (endsPhrase(s, i)) {
      std::string_view text = surfaceOf(s, i);
      if (afterQuestionParticle(s, i)) {
        text = kMarkQuestion;
      } else if (isSurface(s, i, "、")) {
        text = kMarkComma;
      } else if (isSurface(s, i, "・")) {
        text = kMarkPauseComma;
      }
      appendTrailing(s, i, text);
      consumeWord(s, i);
    } else if (JcCandidate* c = firstCandidate(s, i); c && isSurface(s, i, "、")) {
      c->chinese = kMarkComma;
    }
    return;
  }
  if (surfaceIn(s, i, kClosingBrackets)) {
    const int w = i - 1;
    const bool closesClause = isPredicateWord(s, w) || isPredicativeSuffix(s, w) || isSurface(s, w, "か") ||
                              isFinalParticle(s, w) || isSymbol(s, w);
    if (closesClause && !pendingInPhraseOf(s, i)) {
      appendTrailing(s, i, symbolText(s, i));
      consumeWord(s, i);
    }
    return;
  }
  for (const BracketPair& pair : kBracketPairs) {
    if (surfaceOf(s, i) != pair.open) continue;
    if (!beginsPhrase(s, i)) return;
    for (int k = 0; k < kJcPendingCount; ++k) {
      if (s->pendingFrom[k] != 0) continue;
      const int counterpart = findSurfaceForward(s, i + 1, pair.close);
      s->pendingFrom[k] = i;
      s->pendingTo[k] = counterpart ? counterpart : s->lastMorpheme;
      s->pendingText[k].assign(symbolText(s, i));
      consumeWord(s, i);
      return;
    }
    return;
  }
}

}  // namespace

bool isPredicativeSuffix(const JcSentence* s, int i) {
  return i >= 1 && inNodeRange(s, i) && s->nodes[i].pos == "14" && isInBarList("|5|6|7|", s->nodes[i].subPos.view());
}

void copyLeadingSymbols(JcSentence* s) {
  markConditionalClauses(s);

  // Bullets, a numeral standing alone, or a bracketed number at the start go straight out.
  int i = 1;
  for (; i <= s->lastMorpheme && i < kJcMaxNodes && surfaceIn(s, i, kBullets); ++i) copyStartSymbol(s, i);
  if (isNumeral(s, 1) && lastChildOf(s, parentOf(s, 1)) == 1) {
    copyStartSymbol(s, 1);
  } else if (isLive(s, 1) && (isSurface(s, 1, "(") || isSurface(s, 1, "（")) && isNumeral(s, 2) && isLive(s, 3) &&
             (isSurface(s, 3, ")") || isSurface(s, 3, "）"))) {
    for (int k = 1; k <= 3; ++k) copyStartSymbol(s, k);
  }

  // Symbols already copied out are not handled twice.
  for (i = 1; i <= s->lastMorpheme && i < kJcMaxNodes; ++i) {
    if (isLive(s, i)) handleSymbol(s, i);
  }

  // Bullets after the last other word close that word's phrase.
  const int last = lastLeaf(s, s->lastTop);
  int word = last;
  while (word >= 1 && surfaceIn(s, word, kBullets)) --word;
  if (word < 1 || word == last) return;
  for (int k = word + 1; k <= last; ++k) {
    if (!isLive(s, k)) continue;
    appendTrailing(s, word, symbolText(s, k));
    consumeWord(s, k);
  }
}

}  // namespace jc
