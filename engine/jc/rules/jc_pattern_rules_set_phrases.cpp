// Late sentence patterns: the set phrases of everyday conversation, the miscellany of fixed
// expressions and the preference predicates with their が object.
#include "engine/jc/core/jc_links.h"
#include "engine/jc/rules/jc_pattern_kit.h"
#include "engine/jc/rules/jc_sentence_patterns.h"

namespace jc {

using namespace pattern;

namespace {

#define WORDS(X)                                                  \
  X(w190Itte, "patternRule190.ittekimasu", 1, 6)                  \
  X(w190Question, "patternRule190.questionAfterWa", 1, 2)         \
  X(w190Sumimasen, "patternRule190.sumimasen", 1, 6)              \
  X(w190GenkiQuestion, "patternRule190.genkiQuestion", 1, 4)      \
  X(w190GenkiYo, "patternRule190.genkiYo", 1, 6)                  \
  X(w190GenkiKa, "patternRule190.genkiKa", 1, 2)                  \
  X(w190GenkiEnd, "patternRule190.genkiEnd", 1, 2)                \
  X(w190OgenkiQuestion, "patternRule190.ogenkiQuestion", 1, 6)    \
  X(w190OgenkiKa, "patternRule190.ogenkiKa", 1, 4)                \
  X(w190GenkiKaElsewhere, "patternRule190.genkiKaElsewhere", 1, 2) \
  X(w190Kochira, "patternRule190.kochira", 1, 2)                  \
  X(w190Sochira, "patternRule190.sochira", 1, 2)                  \
  X(w190Are, "patternRule190.areAtStart", 1, 4)                   \
  X(w190Demonstratives, "patternRule190.demonstratives", 3, 2)    \
  X(w190Ureshii, "patternRule190.ureshii", 1, 6)                  \
  X(w190ToOmou, "patternRule190.toOmou", 1, 6)                    \
  X(w191Matane, "patternRule191.matane", 1, 4)                    \
  X(w191YoroshikuSlot, "patternRule191.yoroshikuSlot", 1, 2)      \
  X(w191Yoroshiku, "patternRule191.yoroshiku", 1, 4)              \
  X(w191Naosu, "patternRule191.naosu", 1, 4)                      \
  X(w191Maamaa, "patternRule191.maamaa", 1, 6)                    \
  X(w191HanashiSuru, "patternRule191.hanashiwoSuru", 1, 2)        \
  X(w191NiSuru, "patternRule191.niSuru", 2, 4)                    \
  X(w191Denwa, "patternRule191.denwaVerbs", 4, 2)                 \
  X(w191MoushiwakeGozaimasen, "patternRule191.moushiwakeGozaimasen", 1, 8) \
  X(w191MoushiwakeArimasen, "patternRule191.moushiwakeArimasen", 1, 8)     \
  X(w191MoushiwakeNai, "patternRule191.moushiwakeNai", 2, 8)      \
  X(w191Jikan, "patternRule191.dorekuraiJikan", 1, 4)             \
  X(w191Dochirasama, "patternRule191.dochirasama", 1, 4)          \
  X(w191Oyobi, "patternRule191.oyobi", 1, 2)                      \
  X(w191Souzou, "patternRule191.souzouIjou", 1, 4)                \
  X(w191Chikaku, "patternRule191.chikaku", 1, 2)                  \
  X(w191Counters, "patternRule191.timeCounters", 4, 4)            \
  X(w191Kiku, "patternRule191.toWaKiku", 1, 4)                    \
  X(w191Todomaru, "patternRule191.nitodomaru", 1, 4)              \
  X(w191Group, "patternRule191.group", 1, 4)                      \
  X(w191KotoNaku, "patternRule191.kotoNaku", 1, 2)                \
  X(w191Yattekuru, "patternRule191.yattekuru", 1, 2)              \
  X(w191Korekara, "patternRule191.korekara", 1, 4)                \
  X(w191Sokusuru, "patternRule191.nisokusuru", 1, 4)              \
  X(w191Itte, "patternRule191.woItte", 1, 4)                      \
  X(w191Baai, "patternRule191.baai", 1, 4)                        \
  X(w191SakidatsuSlot, "patternRule191.sakidatsuSlot", 1, 2)      \
  X(w191SakidatsuHead, "patternRule191.sakidatsuHead", 1, 4)      \
  X(w191Ichibu, "patternRule191.ichibu", 1, 6)                    \
  X(w191Aratamete, "patternRule191.aratamete", 1, 4)              \
  X(w191Tsuzuite, "patternRule191.niTsuzuite", 1, 4)              \
  X(w191NakuSlot, "patternRule191.nounNakuSlot", 1, 4)            \
  X(w191NakuHead, "patternRule191.nounNakuHead", 1, 2)            \
  X(w191AdjectiveMo, "patternRule191.adjectiveMo", 1, 4)          \
  X(w191Soreto, "patternRule191.soreto", 1, 4)                    \
  X(w191Zutto, "patternRule191.zutto", 1, 4)                      \
  X(w191Itarumade, "patternRule191.niItarumade", 1, 4)            \
  X(w191Weekdays, "patternRule191.weekdays", 7, 6)                \
  X(w191Mousu, "patternRule191.toMousu", 1, 2)                    \
  X(w191Age, "patternRule191.ageCounter", 1, 2)

PATTERN_REGISTER(WORDS)

// Keys of one rendering for each word.
const RuleWordList wDemonstratives("patternRule190.demonstratives"), wNiSuru("patternRule191.niSuru"),
    wDenwa("patternRule191.denwaVerbs"), wMoushiwakeNai("patternRule191.moushiwakeNai"),
    wCounters("patternRule191.timeCounters"), wWeekdays("patternRule191.weekdays");

bool liveIs(const JcSentence* s, int i, int (*test)(const JcSentence*, int)) { return live(s, i) && test(s, i); }

bool atPhraseStart(const JcSentence* s, int i) { return i == 1 || (i > 1 && isSymbol(s, i - 1)); }
bool isQuestionMark(const JcSentence* s, int i) { return surfaceIn(s, i, {"?", "？"}); }
bool noNextSibling(const JcSentence* s, int i) { return inNodeRange(s, i) && s->nodes[i].nextSibling == 0; }

void setUsageCode(JcSentence* s, int i, std::string_view code) {
  if (i >= 1 && i <= s->lastNode && i < kJcMaxNodes) s->nodes[i].usageCode = code;
}

void setAspectB(JcSentence* s, int verb, int by) {
  if (JcTargetNode* t = ruleTarget(s, verb); t && isVerbTaForm(s, by)) t->aspectA = 'B';
}

// A noun (pos 6) whose sub-class holds the digit 1 or 2.
bool isNounOfSubClass12(const JcSentence* s, int i) {
  if (!inNodeRange(s, i) || !(s->nodes[i].pos == "6")) return false;
  const std::string_view sub = s->nodes[i].subPos.view();
  return sub.find('1') != std::string_view::npos || sub.find('2') != std::string_view::npos;
}

void genki(JcSentence* s, int k) {
  const int n = k + 1;
  const bool ka = surfaceIn(s, n, {"か", "かい"});
  if (atPhraseStart(s, k)) {
    if (isQuestionMark(s, n)) {
      setOwnRendering(s, k, w190GenkiQuestion);
    } else if (isSurface(s, n, "よ")) {
      setOwnRendering(s, k, w190GenkiYo);
    } else if (ka) {
      setOwnRendering(s, k, w190GenkiKa);
    } else if (isSymbol(s, n) || noNextSibling(s, k)) {
      setOwnRendering(s, k, w190GenkiEnd);
    }
  } else if (isSurface(s, k - 1, "お") && atPhraseStart(s, k - 1)) {
    if (isQuestionMark(s, n)) {
      setOwnRendering(s, k, w190OgenkiQuestion);
    } else if (ka) {
      setOwnRendering(s, k, w190OgenkiKa);
    }
  } else if (ka) {
    setOwnRendering(s, k, w190GenkiKaElsewhere);
  }
}

// The first chain of the miscellany at word w; true when an entry took w.
bool miscFirst(JcSentence* s, int w) {
  if (isLiveSurface(s, w, "また") && isSurface(s, w + 1, "ね")) {
    setOwnRendering(s, w, w191Matane);
    return true;
  }
  if (isLiveSurface(s, w, "に") && liveSurfaceIn(s, w + 1, {"よろしく", "宜しく"}) &&
      (isSymbol(s, w + 2) || (w + 2 <= lastWord(s) && noNextSibling(s, w + 2)))) {
    setSlot(s, maximalProjection(s, w), Slot::kPreposition, w191YoroshikuSlot, w);
    setOwnRendering(s, w + 1, w191Yoroshiku);
    return true;
  }
  if (liveIs(s, w, isVerbContinuative) && liveBaseIn(s, w + 1, {"直す", "なおす"})) {
    setSlot(s, w, Slot::kCopula, w191Naosu, w + 1);
    consumeWord(s, w + 1);
    setAspectB(s, w, w + 1);
    return true;
  }
  if (isLiveBaseForm(s, w, "まあまあ") && isLiveBaseForm(s, w + 1, "だ")) {
    setOwnRendering(s, w, w191Maamaa);
    return true;
  }
  if ((liveIs(s, w, isAdjectiveConnective) || isLiveSurface(s, w, "で")) && isSurface(s, w + 1, "す")) {
    consumeWord(s, w + 1);
    return true;
  }
  if (isSurface(s, w, "を") && isLiveBaseForm(s, w + 1, "する")) {
    if (isSurface(s, w - 1, "話")) setOwnRendering(s, w + 1, w191HanashiSuru);
    return true;
  }
  if (isSurface(s, w, "に") && isLiveBaseForm(s, w + 1, "する")) {
    const int noun = isSurface(s, w - 1, "目標") ? 0 : isSurface(s, w - 1, "頼り") ? 1 : -1;
    if (noun >= 0 && !isRendered(s, w + 1)) {
      setOwnRendering(s, w + 1, wNiSuru[noun]);
      setUsageCode(s, maximalProjection(s, w), "NI99");
    }
    return true;
  }
  if (isLiveSurface(s, w, "電話")) {
    int group = -1;
    if (isSurface(s, w + 1, "に") && liveBaseIn(s, w + 2, {"出る", "でる"})) {
      group = 0;
    } else if (isSurface(s, w + 1, "を")) {
      if (liveBaseIn(s, w + 2, {"かける", "掛ける"})) group = 1;
      else if (liveBaseIn(s, w + 2, {"いれる", "入れる"})) group = 2;
      else if (isLiveBaseForm(s, w + 2, "する")) group = 3;
    }
    if (group >= 0) setOwnRendering(s, w + 2, wDenwa[group]);
    return true;
  }
  if (liveSurfaceIn(s, w, {"申しわけ", "申し訳", "申訳", "申し"})) {
    if (isBaseForm(s, w + 1, "ございます") && isSurface(s, w + 2, "ん")) {
      setOwnRendering(s, w, w191MoushiwakeGozaimasen);
      consumeWord(s, w + 1);
      consumeWord(s, w + 2);
      return true;
    }
    if (isSurface(s, w + 1, "あり") && isSurface(s, w + 2, "ませ") && isSurface(s, w + 3, "ん")) {
      setOwnRendering(s, w, w191MoushiwakeArimasen);
      for (int k = w + 1; k <= w + 3; ++k) consumeWord(s, k);
      return true;
    }
    const int form = isBaseForm(s, w + 1, "ない") ? 0 : isBaseForm(s, w + 1, "訳ない") ? 1 : -1;
    if (form >= 0) {
      setOwnRendering(s, w, wMoushiwakeNai[form]);
      consumeWord(s, w + 1);
      return true;
    }
  }
  if (surfaceIn(s, w, {"どれくらい", "どのくらい"}) && isLiveBaseForm(s, w + 1, "時間")) {
    setOwnRendering(s, w + 1, w191Jikan);
    return true;
  }
  if (isSurface(s, w, "どちら") && surfaceIn(s, w + 1, {"さま", "様"})) {
    setOwnRendering(s, w, w191Dochirasama);
    return true;
  }
  if (isNominalWord(s, w) && surfaceIn(s, w + 1, {"および", "及び"}) && isNominalWord(s, w + 2)) {
    setOwnRendering(s, w + 1, w191Oyobi);
    return true;
  }
  if (isLiveBaseForm(s, w, "想像") && isLiveBaseForm(s, w + 1, "以上")) {
    setSlot(s, maximalProjection(s, w), Slot::kCopula, w191Souzou, w);
    consumeWord(s, w + 1);
    return true;
  }
  if (isLiveSurface(s, w, "近く") && isTimeNoun(s, w - 1)) {
    const int p = parentOf(s, w - 1);
    setSlot(s, p, Slot::kBeforeHead, w191Chikaku, w);
    consumeWord(s, w);
    if (noNextSibling(s, w) && p) {
      const JcNode& node = s->nodes[p];
      const int next = node.nextSibling;
      if (next && node.headPhrase == next && hasNounFeature(s, next) && node.depLabel == "D6" &&
          s->nodes[next].headPhrase) {
        const int head = s->nodes[next].headPhrase;
        int flag = 0;
        removeDependencyLink(s, next, p, "D6", &flag);
        s->nodes[p].headPhrase = head;
        addDependencyLink(s, head, p, "D6", 0);
      }
    }
    return true;
  }
  if (liveSurfaceIn(s, w, {"週", "年", "月", "日"}) && prevSiblingOf(s, w) == 0 &&
      (isNumeral(s, w + 1) || isQuantityQuestion(s, w + 1))) {
    const int which = isSurface(s, w, "週") ? 0 : isSurface(s, w, "年") ? 1 : isSurface(s, w, "月") ? 2 : 3;
    setOwnRendering(s, w, wCounters[which]);
    return true;
  }
  if (isLiveBaseForm(s, w, "する") && isSahenNoun(s, w - 1)) {
    consumeWord(s, w);
    return true;
  }
  if (isLiveBaseForm(s, w, "合意する") && isSurface(s, w - 2, "こと") && isSurface(s, w - 1, "で")) {
    const int m = maximalProjection(s, w - 1);
    if (m && s->nodes[m].headPhrase == parentOf(s, w) && beginsWith(s->nodes[m].usageCode.view(), "DE")) {
      s->nodes[m].usageCode = "DEC";
      consumeWord(s, w - 2);
      const int pd = parentOf(s, w - 1), prev = prevSiblingOf(s, pd);
      if (firstChildOf(s, pd) == w - 2 && prev && isAdnominalDependentOf(s, prev, pd)) setKind(s, prev, 'z');
    }
    return true;
  }
  if (isLiveSurface(s, w, "こと") && isSurface(s, w + 1, "を") &&
      (isPredicateWord(s, w - 1) || isBaseForm(s, w - 1, "ない") || isBaseForm(s, w - 1, "いる"))) {
    if (isBaseForm(s, w + 2, "強調する") || isBaseForm(s, w + 2, "明らかにする")) {
      consumeWord(s, w);
      setKind(s, parentOf(s, w - 1), 'z');
    }
    return true;
  }
  if (isLiveBaseForm(s, w, "聞く") && isSurface(s, w - 2, "と") && isSurface(s, w - 1, "は")) {
    if (isBaseForm(s, w + 1, "いる")) setOwnRendering(s, w, w191Kiku);
    return true;
  }
  if (isVerb(s, w) && isSurface(s, w + 1, "に") && isLiveBaseForm(s, w + 2, "とどまる")) {
    setSlot(s, maximalProjection(s, w + 1), Slot::kConcession, w191Todomaru);
    consumeWord(s, w + 2);
    setAspectB(s, w, w + 2);
    return true;
  }
  if (isSurface(s, w, "グループ") && w > 1 && s->nodes[w - 1].semCodes == "12640") {
    setOwnRendering(s, w, w191Group);
    return true;
  }
  return false;
}

// The second chain of the miscellany at word w.
void miscSecond(JcSentence* s, int w) {
  if (isVerb(s, w) && isSurface(s, w + 1, "こと") && isLiveSurface(s, w + 2, "なく")) {
    const int p = parentOf(s, w);
    setSlot(s, p, Slot::kNegation, w191KotoNaku, w + 2);
    consumeWord(s, w + 1);
    consumeWord(s, w + 2);
    setKind(s, p, 'z');
    return;
  }
  if (isSurface(s, w, "を") && (isBaseForm(s, w + 1, "やってくる") || isBaseForm(s, w + 1, "やって来る"))) {
    setOwnRendering(s, w + 1, w191Yattekuru);
    return;
  }
  if (liveSurfaceIn(s, w, {"悪い", "わるい", "いい", "良い"}) && isNominalWord(s, w + 1)) {
    if (liveSurfaceIn(s, w + 1, {"こと", "事", "人"})) setKind(s, parentOf(s, w), 'z');
    return;
  }
  if (isLiveSurface(s, w, "これ") && isLiveSurface(s, w + 1, "から")) {
    setOwnRendering(s, w, w191Korekara);
    consumeWord(s, w + 1);
    return;
  }
  if (isLiveSurface(s, w, "に") && isLiveBaseForm(s, w + 1, "則する")) {
    setSlot(s, maximalProjection(s, w), Slot::kCopula, w191Sokusuru, w + 1);
    consumeWord(s, w);
    consumeWord(s, w + 1);
    return;
  }
  if (isSurface(s, w, "を") && liveSurfaceIn(s, w + 1, {"行って", "行った"})) {
    if (!isRendered(s, w + 1)) setOwnRendering(s, w + 1, w191Itte);
    return;
  }
  if (isLiveBaseForm(s, w, "場合") && isVerb(s, w - 1)) {
    if (!findLiveSurfaceBackward(s, w - 1, "もし")) setSlot(s, rootOf(s, w), Slot::kConcession, w191Baai, w);
    consumeWord(s, w);
    setKind(s, prevSiblingOf(s, parentOf(s, w)), 'z');
    setKind(s, w - 1, 'z');
    return;
  }
  if (isSurface(s, w, "に") && liveBaseIn(s, w + 1, {"先立つ", "先だつ", "さきだつ"})) {
    const int m = maximalProjection(s, w);
    setSlot(s, m, Slot::kPreposition, w191SakidatsuSlot, w + 1);
    setHeadText(s, m, w191SakidatsuHead);
    consumeWord(s, w);
    consumeWord(s, w + 1);
    return;
  }
  if (isLiveSurface(s, w, "一部") && (isSurface(s, w - 1, "の") || isSurface(s, w + 1, "の"))) {
    setOwnRendering(s, w, w191Ichibu);
    return;
  }
  if (liveSurfaceIn(s, w, {"あらためて", "改めて"})) {
    renderPairedAdverb(s, w, w191Aratamete);
    return;
  }
  if (isSurface(s, w, "に") && isLiveSurface(s, w + 1, "続いて")) {
    setOwnRendering(s, w + 1, w191Tsuzuite);
    return;
  }
  if (isVerb(s, w) && liveSurfaceIn(s, w + 1, {"あと", "後"})) {
    setKind(s, parentOf(s, w), 'z');
    setKind(s, w, 'z');
    return;
  }
  if (isNounOfSubClass12(s, w) && isLiveSurface(s, w + 1, "なく")) {
    const int m = maximalProjection(s, w);
    setSlot(s, m, Slot::kCopula, w191NakuSlot, w + 1);
    setHeadText(s, m, w191NakuHead);
    consumeWord(s, w + 1);
    return;
  }
  if (liveIs(s, w, isIAdjective) && s->nodes[w].conjForm == "10" && isLiveSurface(s, w + 1, "も")) {
    setSlot(s, parentOf(s, w), Slot::kConcession, w191AdjectiveMo, w);
    return;
  }
  if (isLiveSurface(s, w, "それ") && isLiveSurface(s, w + 1, "と") && surfaceIn(s, w + 2, {"、", "､"}) && atPhraseStart(s, w)) {
    setOwnRendering(s, w, w191Soreto);
    consumeWord(s, w + 1);
    return;
  }
  if (isLiveSurface(s, w, "ずっと") && isIAdjective(s, w + 1)) {
    setHeadText(s, w + 1, w191Zutto);
    consumeWord(s, w);
    return;
  }
  if (isLiveSurface(s, w + 1, "に") && isLiveSurface(s, w + 2, "至るまで")) {
    setSlot(s, maximalProjection(s, w), Slot::kCopula, w191Itarumade);
    consumeWord(s, w + 1);
    consumeWord(s, w + 2);
    return;
  }
  if (isTimePointNoun(s, w - 2) && surfaceIn(s, w - 1, {"（", "("}) && surfaceIn(s, w + 1, {"）", ")"})) {
    static constexpr std::string_view kDays[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (std::size_t d = 0; d < 7; ++d) {
      if (isLiveSurface(s, w, kDays[d])) setOwnRendering(s, w, wWeekdays[d]);
    }
    return;
  }
  if (isLiveSurface(s, w, "と") && isLiveBaseForm(s, w + 1, "申す")) {
    const JcTargetNode* t = ruleTarget(s, w + 1);
    const bool noun = w > 1 && s->nodes[w - 1].pos == "6" &&
                      (findAtCharacter(s->nodes[w - 1].subPos.view(), "5") != std::string_view::npos ||
                       s->nodes[w - 1].semCodes == "12490");
    if (t && !(t->mark == "K") && noun) {
      const int p = parentOf(s, w);
      if (inNodeRange(s, p) && p && !s->nodes[p].usageCode.empty() && !(s->nodes[p].usageCode == "TO3")) {
        s->nodes[p].usageCode = "TO3";
      }
      setOwnRendering(s, w + 1, w191Mousu);
    }
    return;
  }
  if (isNumeral(s, w) && liveSurfaceIn(s, w + 1, {"才", "歳"})) setOwnRendering(s, w + 1, w191Age);
}

// The preference predicates and their adnominal forms.
constexpr std::string_view kPreferencePredicates[] = {"好きだ", "すきだ", "嫌いだ", "きらいだ",
                                                      "大好きだ", "大すきだ", "大嫌いだ", "大きらいだ"};
constexpr std::string_view kPreferenceAdnominals[] = {"好きな", "すきな", "嫌いな", "きらいな",
                                                      "大好きな", "大すきな", "大嫌いな", "大きらいな"};

bool surfaceAmong(const JcSentence* s, int i, const std::string_view (&list)[8]) {
  for (std::string_view w : list) {
    if (isSurface(s, i, w)) return true;
  }
  return false;
}

}  // namespace

void patternRule190(JcSentence* s) {
  const int last = lastWord(s);
  for (int k = 1; k <= last; ++k) {
    if (surfaceIn(s, k, {"いってき", "いって来", "行ってき", "行って来"}) && atPhraseStart(s, k) && isSurface(s, k + 1, "ます")) {
      setOwnRendering(s, k, w190Itte);
    }
  }
  for (int k = 2; k <= last; ++k) {
    if (isQuestionMark(s, k) && isSurface(s, k - 1, "は")) appendHeadText(s, parentOf(s, k - 1), w190Question);
  }
  for (int k = 1; k <= last; ++k) {
    if (!isSurface(s, k, "すみ") || !isSurface(s, k + 1, "ませ") || !isSurface(s, k + 2, "ん") || isRendered(s, k)) continue;
    setOwnRendering(s, k, w190Sumimasen);
    consumeWord(s, k + 1);
    consumeWord(s, k + 2);
    if (isSurface(s, k + 3, "でした")) consumeWord(s, k + 3);
  }
  for (int k = 1; k <= last; ++k) {
    if (isBaseForm(s, k, "元気") || isBaseForm(s, k, "元気だ")) genki(s, k);
  }
  for (int k = 1; k < last; ++k) {
    if (isSurface(s, k, "だ") && isSurface(s, k + 1, "い")) {
      consumeWord(s, k);
      consumeWord(s, k + 1);
    }
  }
  for (int k = 1; k <= last; ++k) {
    if (!isSurface(s, k + 1, "は")) continue;
    if (isSurface(s, k, "こちら")) setOwnRendering(s, k, w190Kochira);
    if (isSurface(s, k, "そちら")) setOwnRendering(s, k, w190Sochira);
  }
  static constexpr std::string_view kDemonstratives[] = {"これ", "それ", "あれ"};
  for (int k = 1; k <= last; ++k) {
    for (std::size_t d = 0; d < 3; ++d) {
      if (!isSurface(s, k, kDemonstratives[d])) continue;
      if (d == 2 && k == 1) {
        setOwnRendering(s, k, w190Are);
      } else if (isSurface(s, k + 1, "は")) {
        const int head = headPhraseOf(s, maximalProjection(s, k));
        if (head && isInBarList(s->nodes[head].abFeatures.view(), "A15")) {
          setOwnRendering(s, k, wDemonstratives[d]);
        }
      }
    }
  }
  for (int k = 2; k <= last; ++k) {
    if (isBaseForm(s, k, "うれしい") && isVerbTeForm(s, k - 1) && !isRendered(s, k)) setOwnRendering(s, k, w190Ureshii);
  }
  for (int k = 1; k <= last; ++k) {
    if (!isSurface(s, k, "と") || !(isBaseForm(s, k + 1, "おもう") || isBaseForm(s, k + 1, "思う")) ||
        !isSurface(s, k + 2, "こと") || !isSurface(s, k + 3, "で")) {
      continue;
    }
    int end = 0;
    if (isSurface(s, k + 4, "ない")) {
      end = k + 4;
    } else if ((isSurface(s, k + 4, "あり") || isSurface(s, k + 4, "ある")) && isSurface(s, k + 5, "ませ") &&
               isSurface(s, k + 6, "ん")) {  // before ませ the text has あり
      end = k + 6;
    }
    if (!end) continue;
    setOwnRendering(s, k + 1, w190ToOmou);
    setKind(s, parentOf(s, k + 1), 'z');
    consumeWord(s, k);
    for (int w = k + 2; w <= end; ++w) consumeWord(s, w);
  }
}

void patternRule191(JcSentence* s) {
  for (int w = 1; w <= lastWord(s); ++w) {
    miscFirst(s, w);
    miscSecond(s, w);
  }
}

void patternRule192(JcSentence* s) {
  for (int g = 2; g <= lastWord(s); ++g) {
    if (!isBaseForm(s, g, "が") || !isNominalWord(s, g - 1)) continue;
    const int pred = g + 1;
    const bool adnominal = surfaceAmong(s, pred, kPreferenceAdnominals);
    if (!adnominal && !surfaceAmong(s, pred, kPreferencePredicates)) continue;
    const int head = parentOf(s, pred);
    const int m = maximalProjection(s, g);
    if (m && head && s->nodes[m].headPhrase != head && s->nodes[m].depLabel == "D20") {
      int flag = 0;
      if (removeDependencyLink(s, s->nodes[m].headPhrase, m, "D20", &flag)) addDependencyLink(s, head, m, "D20", flag);
      releaseTemplateMark(s, m);
    }
    if (!adnominal || !head) continue;
    const int after = parentOf(s, pred + 1);
    if (!after || after == head || !hasNounFeature(s, after) || s->nodes[head].headPhrase == after) continue;
    int flag = 0;
    removeDependencyLink(s, s->nodes[head].headPhrase, head, s->nodes[head].depLabel.view(), &flag);
    clearLinkBlock(s, head);
    addDependencyLink(s, after, head, "D7", 0);
  }
}

}  // namespace jc
