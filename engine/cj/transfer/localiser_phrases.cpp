#include "engine/cj/transfer/localiser_phrases.h"

#include "engine/common/word_table.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/frame_phrases.h"
#include "engine/cj/transfer/frame_rule_support.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

using namespace frames;

const WordKeySpec kWordKeys[] = {
    {kLpInside, 8, 1, 2}, {kLpOutside, 9, 1, 2},        {kLpInsideOutside, 2, 2, 2},
    {kLpSince, 2, 1, 2},  {kLpBackVerbForms, 3, 1, 2}, {kLpTimeWords, 9, 2, 3},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// 't' (or another form) on a node and on the word that heads it.
void marksOn(CjTransferContext& c, int h, char form) {
  setForm(c, h, form);
  setForm(c, targetHead(c, h), form);
}

bool isTimeWord(std::string_view word) {
  const auto& words = listedWords(kLpTimeWords);
  for (std::size_t k = 0; k < words.size() && !word.empty(); ++k) {
    if (word == words[k]) return true;
    if (k + 1 < words.size() && word.substr(0, words[k].size()) == words[k]) return true;
  }
  return false;
}

}  // namespace

void dispatchLocaliserPhrase(CjTransferContext& c, int phrase) {
  RuleWatch watch(c, "localiserPhrases.dispatchLocaliserPhrase");
  CjTargetNode* ph = at(c, phrase);
  if (!ph || ph->firstChild < 1 || ph->lastChild < 1) return;
  const int l = ph->lastChild;
  if (ph->firstChild == l) {
    c.targets[l].att.append("に(の)");
    return;
  }
  const int hc = ph->headChild;
  const int governor = findGovernor(c, targetHeadChild(c, phrase));
  const int byGovernor = governor > 0 ? governor : hc;
  const std::string_view word = chiOf(c, l);
  CjTargetNode& lt = c.targets[l];
  auto in = [&](const char* key) { return listed(key, word); };
  // Localiser text and time marks on h; the phrase's closing step follows.
  auto member = [&](const char* key, int h) {
    lt.japanese = localiserText(key, word);
    marksOn(c, h, 't');
  };
  if (in(kLocUp) || in(kLocDown)) {
    member(in(kLocUp) ? kLocUp : kLocDown, hc);
    closePlacePhrase(c, phrase);
  } else if (in(kLocAbout)) {
    lt.japanese = "くらい";
    closePlacePhrase(c, phrase);
  } else if (in(kLocFront)) {
    member(kLocFront, hc);
    const int w = targetHead(c, hc);
    if (listed(kFrontPastForms, word) && at(c, w)) c.targets[w].ten = 'A';
    if (isPlaceTimeHead(c, phrase)) setForm(c, w, 'z');
    closeTimePhrase(c, phrase);
  } else if (in(kLocBack)) {
    const int form = listedIndex(kLocBack, word);
    member(kLocBack, hc);
    if (form == 3 || form == 4) lt.japanese = "(以)後";
    if (isPlaceTimeHead(c, phrase)) marksOn(c, hc, 'z');
    if (listed(kLpBackVerbForms, word)) {
      int k = hc;
      for (int steps = 0; k > 0 && steps < kMaxNodes; ++steps, k = c.targets[k].prevSibling) {
        const char letter = catLetterOf(c, k);
        if (letter != 'A' && letter != 'V') continue;
        const int w = targetHead(c, k);
        applyTonaruItem(c, w, "0");
        if (at(c, w)) c.targets[w].ten = 'B';
        lt.japanese = "後";
      }
    }
    closeTimePhrase(c, phrase);
  } else if (in(kLocAround)) {
    lt.japanese = "前後";
    marksOn(c, byGovernor, 't');
    closeTimePhrase(c, phrase);
  } else if (in(kLocEast) || in(kLocWest) || in(kLocSouth) || in(kLocNorth)) {
    member(in(kLocEast) ? kLocEast : in(kLocWest) ? kLocWest : in(kLocSouth) ? kLocSouth : kLocNorth, hc);
    closePlacePhrase(c, phrase);
  } else if (in(kLocLeft) || in(kLocRight) || in(kLpInside) || in(kLpOutside) || in(kLocWithin)) {
    lt.japanese = in(kLocLeft) ? "左" : in(kLocRight) ? "右" : in(kLpInside) ? "中" : in(kLpOutside) ? "外" : "内";
    marksOn(c, byGovernor, 't');
    closePlacePhrase(c, phrase);
  } else if (in(kLocAmong)) {
    lt.japanese = "中";
    marksOn(c, frameHead(c, phrase), 't');
    closeAfterPhrase(c, phrase);
  } else if (in(kLocBetween)) {
    lt.japanese = "間";
    marksOn(c, byGovernor, 't');
    closePlacePhrase(c, phrase);
  } else if (in(kLocSide)) {
    lt.japanese = "側";
    marksOn(c, byGovernor, 't');
    closePlacePhrase(c, phrase);
  } else if (in(kLpInsideOutside)) {
    lt.japanese = "内外";
    marksOn(c, byGovernor, 't');
    closePlacePhrase(c, phrase);
  } else if (in(kLpSince)) {
    lt.japanese = "から";
    const int w = targetHead(c, frameHead(c, phrase));
    if (w > 0) {
      applyTonaruItem(c, w, "1");
      setForm(c, w, 'd');
    }
  } else if (in(kLocWhen)) {
    lt.japanese = localiserText(kLocWhen, word);
    marksOn(c, byGovernor, 't');
    if (listedIndex(kLocWhen, word) == 3) setForm(c, targetHead(c, byGovernor), 'z');
    closeSpanPhrase(c, phrase);
  } else if (isTimeWord(word)) {
    marksOn(c, byGovernor, 't');
    if (lt.japanese.empty() && lt.candidates.empty()) chooseTranslation(c, l, 'N');
    closeSpanPhrase(c, phrase);
  }
}

}  // namespace cj
