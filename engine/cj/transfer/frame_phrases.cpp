#include "engine/cj/transfer/frame_phrases.h"

#include <array>
#include <string>

#include "engine/common/word_table.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/frame_rule_support.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

using namespace frames;

const WordKeySpec kWordKeys[] = {
    {kFrameLocaliserPrepositions, 5, 1, 2}, {kFrameSourcePrepositions, 2, 1, 1}, {kFrameDemonstrative, 1, 2, 2},
    {kLocUp, 8, 1, 2}, {kLocAbout, 1, 2, 2}, {kLocDown, 9, 1, 2}, {kLocFront, 10, 1, 2}, {kLocBack, 8, 1, 2},
    {kLocAround, 1, 2, 2}, {kLocEast, 8, 1, 2}, {kLocWest, 8, 1, 2}, {kLocSouth, 8, 1, 2}, {kLocNorth, 8, 1, 2},
    {kLocLeft, 8, 1, 2}, {kLocRight, 8, 1, 2}, {kLocInside, 7, 1, 2}, {kLocOutside, 8, 1, 2},
    {kLocWithin, 5, 1, 2}, {kLocAmong, 6, 1, 2}, {kLocBetween, 2, 1, 2}, {kLocAspect, 1, 2, 2},
    {kLocSide, 5, 1, 2}, {kLocWhen, 8, 1, 2}, {kLocBefore, 1, 2, 2}, {kLocAfter, 1, 2, 2},
    {kLocJudging, 2, 2, 2}, {kUpUnmarked, 1, 1, 2}, {kUpPlainEndings, 2, 1, 1}, {kDownUnmarked, 1, 1, 2},
    {kDownCompanyWord, 1, 1, 1}, {kDownCompanion, 1, 2, 2}, {kFrontPastForms, 3, 1, 2},
    {kBackPastForms, 3, 1, 2}, {kWhenNegative, 1, 1, 2}, {kSourceAmong, 5, 1, 2}, {kSourceStart, 3, 1, 2},
    {kStartPairP, 6, 1, 2}, {kStartPairE, 6, 1, 2}, {kViewPairP, 2, 1, 2}, {kViewPairE, 2, 1, 2},
    {kSpeakPairP, 4, 1, 2}, {kSpeakPairE, 4, 1, 2}, {kSpanFrom, 2, 1, 1}, {kSpanEnd, 2, 1, 2},
    {kSpanTo, 2, 1, 2}, {kSpanFrom2, 2, 1, 1}, {kSpanTo2, 2, 1, 2}, {kPairResponseP, 3, 1, 2},
    {kPairResponseStandpointE, 4, 1, 2}, {kPairSpeakP, 2, 1, 2}, {kPairSpeakE, 3, 1, 2}, {kCompareP1, 10, 1, 2},
    {kCompareE1, 6, 1, 2}, {kCompareP2, 13, 1, 2}, {kCompareE2, 1, 1, 2}, {kComparePairP, 43, 1, 2},
    {kComparePairE, 43, 1, 2}, {kCompareE3, 1, 1, 2}, {kCompareDiffer, 2, 1, 2}, {kCompareSame, 5, 1, 2},
    {kTogetherP, 6, 1, 2}, {kTogetherE, 4, 1, 2}, {kPointFollowers, 2, 1, 2}, {kTimeFollower, 1, 1, 2},
    {kChanceFollowers, 2, 1, 2},
    {"framePairs.inclusionP", 0, 1, 3}, {"framePairs.inclusionE", 0, 1, 3},
    {"framePairs.noChangeP", 0, 1, 3}, {"framePairs.noChangeE", 0, 1, 3},
    {"framePairs.exclusionP", 0, 1, 3}, {"framePairs.exclusionE", 0, 1, 3},
    {"framePairs.pointInTimeP", 0, 1, 3}, {"framePairs.pointInTimeE", 0, 1, 3},
    {"framePairs.limitP", 0, 1, 3}, {"framePairs.limitE", 0, 1, 3},
    {"framePairs.timeP", 0, 1, 3}, {"framePairs.timeE", 0, 1, 3},
    {"framePairs.standpointP", 0, 1, 3}, {"framePairs.standpointE", 0, 1, 3},
    {"framePairs.savingFaceP", 0, 1, 3}, {"framePairs.savingFaceE", 0, 1, 3},
    {"framePairs.headMarkP", 0, 1, 3}, {"framePairs.headMarkE", 0, 1, 3},
    {"framePairs.hearsayP", 0, 1, 3}, {"framePairs.hearsayE", 0, 1, 3},
    {"framePairs.purposeP", 0, 1, 3}, {"framePairs.purposeE", 0, 1, 3},
    {"framePairs.keptPrepositionP", 0, 1, 3}, {"framePairs.keptPrepositionE", 0, 1, 3},
    {"framePairs.unrelatedP", 0, 1, 3}, {"framePairs.unrelatedE", 0, 1, 3},
    {"framePairs.withP", 0, 1, 3}, {"framePairs.withE", 0, 1, 3},
    {"framePairs.chanceP", 0, 1, 3}, {"framePairs.chanceE", 0, 1, 3},
    {"framePairs.relatedP", 0, 1, 3}, {"framePairs.relatedE", 0, 1, 3},
    {"framePairs.droppedP", 0, 1, 3}, {"framePairs.droppedE", 0, 1, 3},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

struct GroupTexts {
  const char* key;
  const char* plain;
  std::array<const char*, 3> forms;  // texts of words 1, 2, 3
};

const GroupTexts kGroupTexts[] = {
    {kLocUp, "上", {"以上", "上方", "上部"}},      {kLocAbout, "くらい", {}},
    {kLocDown, "下", {"以下", "下方", "下部"}},    {kLocFront, "前", {"前方", "前部"}},
    {kLocBack, "後", {"後方", "後部"}},            {kLocAround, "前後", {}},
    {kLocEast, "東", {"東方", "東部"}},            {kLocWest, "西", {"西方", "西部"}},
    {kLocSouth, "南", {"南方", "南部"}},           {kLocNorth, "北", {"北方", "北部"}},
    {kLocLeft, "左", {}},                          {kLocRight, "右", {}},
    {kLocInside, "中", {}},                        {kLocOutside, "外", {}},
    {kLocWithin, "内", {}},                        {kLocAmong, "中", {}},
    {kSourceAmong, "中", {}},                      {kLocBetween, "間", {}},
    {kLocAspect, "方面", {}},                      {kLocSide, "側", {}},
    {kLocWhen, "時", {"時期", "途中", "と同時"}},  {kLocBefore, "前", {}},
    {kLocAfter, "後", {}},
};

bool catIsMeasureOrTime(CjTransferContext& c, int h) { return catIsOneOf(c, h, {"UP", "Ntp", "UG", "U", "Ntl"}); }

// The nodes a frame rule works on; ok is false when the phrase lacks its first or last child.
struct Frame {
  int phrase = 0, p = 0, e = 0, h = 0, w = 0;
  bool ok = false;
};

Frame frameOf(CjTransferContext& c, int phrase) {
  Frame f;
  CjTargetNode* t = at(c, phrase);
  if (!t) return f;
  f.phrase = phrase;
  f.p = t->firstChild;
  f.e = t->lastChild;
  f.h = frameHead(c, phrase);
  f.w = f.h > 0 ? targetHead(c, f.h) : 0;
  f.ok = f.p > 0 && f.e > 0;
  return f;
}

void marks(CjTransferContext& c, const Frame& f, char form) {
  setForm(c, f.h, form);
  setForm(c, f.w, form);
}

// Runs the group's member for localiser L; 0 when no group lists L, 1 when the phrase still
// needs its closing step, 2 when the member finished it.
int runLocaliserMember(CjTransferContext& c, const Frame& f, int l, int t) {
  // L's word picks the group; E's own word picks the variant within it.
  const std::string_view group = chiOf(c, l);
  const std::string_view word = chiOf(c, f.e);
  auto in = [&](const char* key) { return listed(key, group); };
  auto common = [&](const char* key, bool timeMarks) {
    retire(c, f.p);
    if (timeMarks) marks(c, f, 't');
    setJapanese(c, f.e, localiserText(key, word));
  };
  if (in(kLocUp)) {
    common(kLocUp, !listed(kUpUnmarked, word));
    if (isPredicatePhrase(c, f.phrase)) {
      if (listed(kUpPlainEndings, lastCharOf(chiOf(c, t)))) {
        setAtt(c, f.phrase, "で");
        return 2;
      }
    }
    closePlacePhrase(c, f.phrase);
  } else if (in(kLocAbout)) {
    common(kLocAbout, !catIsMeasureOrTime(c, f.h));
    closePlacePhrase(c, f.phrase);
  } else if (in(kLocDown)) {
    common(kLocDown, !listed(kDownUnmarked, word));
    const int before = f.e - 1;
    if (listed(kDownCompanyWord, chiOf(c, f.e)) && before > 0 && listed(kDownCompanion, chiOf(c, before))) {
      setJapanese(c, before, "お供");
      setAtt(c, before, "で");
      retire(c, f.e);
      return 2;
    }
    closePlacePhrase(c, f.phrase);
  } else if (in(kLocFront)) {
    common(kLocFront, true);
    if (listed(kFrontPastForms, word) && at(c, f.w)) at(c, f.w)->ten = 'A';
    closeTimePhrase(c, f.phrase);
  } else if (in(kLocBack)) {
    common(kLocBack, true);
    if (listed(kBackPastForms, word) && at(c, f.w)) at(c, f.w)->ten = 'B';
    closeAfterPhrase(c, f.phrase);
  } else if (in(kLocAround)) {
    const bool unit = catIsOneOf(c, f.h, {"U", "UG"});
    common(kLocAround, !catIsMeasureOrTime(c, f.h));
    if (unit) marks(c, f, 'z');
    closeAfterPhrase(c, f.phrase);
  } else if (in(kLocEast) || in(kLocWest) || in(kLocSouth) || in(kLocNorth) || in(kLocLeft) || in(kLocRight) ||
             in(kLocInside)) {
    for (const char* key : {kLocEast, kLocWest, kLocSouth, kLocNorth, kLocLeft, kLocRight, kLocInside}) {
      if (in(key)) {
        common(key, true);
        break;
      }
    }
    closePlacePhrase(c, f.phrase);
  } else if (in(kLocOutside)) {
    if (catOf(c, f.h) == "UP") {
      retire(c, f.p);
      marks(c, f, 'N');
      setJapanese(c, f.e, "先");
    } else {
      common(kLocOutside, true);
      if (hasVerbalHead(c, f.phrase)) setJapanese(c, f.e, "以外");
    }
    closeTimePhrase(c, f.phrase);
  } else if (in(kLocWithin)) {
    const bool span = catOf(c, f.h) == "Ntl";
    common(kLocWithin, !span);
    if (span) {
      marks(c, f, 'z');
      setJapanese(c, f.e, "以内");
    }
    closePlacePhrase(c, f.phrase);
  } else if (in(kLocAmong)) {
    common(kLocAmong, true);
    closeAfterPhrase(c, f.phrase);
  } else if (in(kLocBetween) || in(kLocAspect) || in(kLocSide)) {
    common(in(kLocBetween) ? kLocBetween : in(kLocAspect) ? kLocAspect : kLocSide, true);
    closePlacePhrase(c, f.phrase);
  } else if (in(kLocWhen)) {
    retire(c, f.p);
    marks(c, f, 't');
    const int target = targetHead(c, f.e);
    const int form = listedIndex(kLocWhen, word);
    if (form == 3) marks(c, f, 'z');
    setJapanese(c, target, localiserText(kLocWhen, word));
    if (form == 4 && catLetterOf(c, f.w) == 'N' && !isPlaceTimeHead(c, f.w)) {
      marks(c, f, 'z');
      setJapanese(c, target, listed(kWhenNegative, chiOf(c, f.p)) ? "にいない(ない)時" : "にいる(ある)時");
    }
    closeSpanPhrase(c, f.phrase);
  } else if (in(kLocBefore)) {
    common(kLocBefore, true);
    closeTimePhrase(c, f.phrase);
  } else if (in(kLocAfter)) {
    common(kLocAfter, true);
    closeAfterPhrase(c, f.phrase);
  } else if (in(kLocJudging)) {
    retire(c, f.p);
    retire(c, f.e);
    if (CjTargetNode* e = at(c, f.e)) setAtt(c, e->prevSibling, "からすると");
    return 2;
  } else {
    return 0;
  }
  return 1;
}

}  // namespace

std::string_view localiserText(std::string_view groupKey, std::string_view word) {
  for (const GroupTexts& g : kGroupTexts) {
    if (groupKey != g.key) continue;
    const int k = listedIndex(groupKey, word);
    if (k >= 1 && k <= 3 && g.forms[k - 1] != nullptr) return g.forms[k - 1];
    return g.plain;
  }
  return {};
}

void dispatchFramePhrase(CjTransferContext& c, int phrase) {
  const Frame f = frameOf(c, phrase);
  if (!f.ok) return;
  const std::string_view p = chiOf(c, f.p);
  if (listed(kFrameLocaliserPrepositions, p)) {
    applyLocaliserFrame(c, phrase);
  } else if (listed(kFrameSourcePrepositions, p)) {
    applySourceFrame(c, phrase);
  } else {
    applyFramePair(c, phrase);
  }
}

void applyLocaliserFrame(CjTransferContext& c, int phrase) {
  RuleWatch watch(c, "framePhrases.applyLocaliserFrame");
  const Frame f = frameOf(c, phrase);
  if (!f.ok) return;
  const int l = targetHead(c, f.e);
  int b = at(c, l) ? at(c, l)->prevSibling : 0;
  for (int steps = 0; b > 0 && catOf(c, b) == "P" && steps < kMaxNodes; ++steps) b = c.targets[b].prevSibling;
  const int t = b > 0 ? lastWordOf(c, b) : 0;
  if (runLocaliserMember(c, f, l, t) == 0) return;
  if (listed(kFrameDemonstrative, chiOf(c, f.p))) {
    CjTargetNode& pn = c.targets[f.p];
    pn.alive = 1;
    pn.japanese = "この";
    pn.jcat = "RETAI";
  }
}

void applySourceFrame(CjTransferContext& c, int phrase) {
  RuleWatch watch(c, "framePhrases.applySourceFrame");
  const Frame f = frameOf(c, phrase);
  if (!f.ok) return;
  const std::string_view e = chiOf(c, f.e);
  const std::string_view pw = chiOf(c, f.p);
  for (const char* key : {kLocUp, kLocAbout, kLocDown, kLocFront, kLocBack, kLocAround, kLocEast, kLocWest,
                          kLocSouth, kLocNorth, kLocLeft, kLocRight, kLocInside, kLocOutside, kLocWithin,
                          kSourceAmong, kLocBetween, kLocSide, kSourceStart}) {
    if (!listed(key, e)) continue;
    retire(c, f.p);
    std::string text = std::string(localiserText(key, e)) + "から";
    bool timeMarks = !(key == kLocUp && listed(kUpUnmarked, e)) && !(key == kLocDown && listed(kDownUnmarked, e));
    if (key == kLocAround) text = "くらいから";
    if (key == kSourceStart) {
      text = "から";
      timeMarks = false;
    }
    if (key == kLocOutside && catOf(c, f.h) == "UP") {
      text = "先から";
      marks(c, f, 'N');
      timeMarks = false;
    }
    if (timeMarks) marks(c, f, 't');
    setJapanese(c, f.e, text);
    break;
  }
  if (listed(kSourceStart, e) || listedPair(kStartPairP, kStartPairE, pw, e)) {
    retire(c, f.p);
    if (catOf(c, f.w) == "V") setForm(c, f.w, 'd');
    if (takeAttributiveMarker(c, phrase)) {
      setJapanese(c, f.e, "からの");
    } else if (isPredicatePhrase(c, phrase)) {
      setJapanese(c, f.e, "から始める", "ZI000");
      c.targets[phrase].headChild = static_cast<std::int16_t>(f.e);
      copyModalities(c, phrase, f.e);
    } else {
      setJapanese(c, f.e, "から");
    }
    return;
  }
  const bool view = listedPair(kViewPairP, kViewPairE, pw, e);
  if (view || listedPair(kSpeakPairP, kSpeakPairE, pw, e)) {
    retire(c, f.p);
    if (f.w > 0) {
      setForm(c, f.w, 'N');
      setForm(c, f.h, 'N');
    }
    if (isPredicatePhrase(c, phrase) || takeAttributiveMarker(c, phrase)) {
      setJapanese(c, f.e, view ? "から見る" : "から言う", view ? "TI000" : "TG001");
      copyModalities(c, phrase, f.e);
    } else {
      setJapanese(c, f.e, view ? "から見て" : "から言って");
    }
    return;
  }
  applySpanFrame(c, phrase);
}

void applySpanFrame(CjTransferContext& c, int phrase) {
  RuleWatch watch(c, "framePhrases.applySpanFrame");
  const Frame f = frameOf(c, phrase);
  if (!f.ok) return;
  const std::string_view pw = chiOf(c, f.p);
  auto findTo = [&](const char* key) {
    int k = c.targets[f.p].nextSibling;
    for (int steps = 0; k > 0 && steps < kMaxNodes; ++steps, k = c.targets[k].nextSibling) {
      if (listed(key, chiOf(c, k))) return k;
    }
    return 0;
  };
  const int beforeE = c.targets[f.e].prevSibling;
  if (listed(kSpanFrom, pw) && listed(kSpanEnd, chiOf(c, f.e))) {
    if (const int t = findTo(kSpanTo); t > 0) {
      retire(c, t);
      setAtt(c, c.targets[t].prevSibling, "から");
    }
    setAtt(c, beforeE, "まで");
  } else if (listed(kSpanFrom2, pw) && catIsOneOf(c, f.e, {"NP", "N"})) {
    if (const int t = findTo(kSpanTo2); t > 0) {
      retire(c, t);
      setAtt(c, c.targets[t].prevSibling, "から");
    }
    setAtt(c, f.e, "まで");
  }
}

namespace {

// A frame pair's two parallel keys, held so that their slots are found once.
struct PairKeys {
  ListedKey p;
  ListedKey e;
};
constinit PairKeys kFrameInclusion{ListedKey{"framePairs.inclusionP"}, ListedKey{"framePairs.inclusionE"}};
constinit PairKeys kFrameNoChange{ListedKey{"framePairs.noChangeP"}, ListedKey{"framePairs.noChangeE"}};
constinit PairKeys kFrameExclusion{ListedKey{"framePairs.exclusionP"}, ListedKey{"framePairs.exclusionE"}};
constinit PairKeys kFramePointInTime{ListedKey{"framePairs.pointInTimeP"}, ListedKey{"framePairs.pointInTimeE"}};
constinit PairKeys kFrameLimit{ListedKey{"framePairs.limitP"}, ListedKey{"framePairs.limitE"}};
constinit PairKeys kFrameTime{ListedKey{"framePairs.timeP"}, ListedKey{"framePairs.timeE"}};
constinit PairKeys kFrameStandpoint{ListedKey{"framePairs.standpointP"}, ListedKey{"framePairs.standpointE"}};
constinit PairKeys kFrameSavingFace{ListedKey{"framePairs.savingFaceP"}, ListedKey{"framePairs.savingFaceE"}};
constinit PairKeys kFrameHeadMark{ListedKey{"framePairs.headMarkP"}, ListedKey{"framePairs.headMarkE"}};
constinit PairKeys kFrameHearsay{ListedKey{"framePairs.hearsayP"}, ListedKey{"framePairs.hearsayE"}};
constinit PairKeys kFramePurpose{ListedKey{"framePairs.purposeP"}, ListedKey{"framePairs.purposeE"}};
constinit PairKeys kFrameKeptPreposition{ListedKey{"framePairs.keptPrepositionP"},
                                    ListedKey{"framePairs.keptPrepositionE"}};
constinit PairKeys kFrameUnrelated{ListedKey{"framePairs.unrelatedP"}, ListedKey{"framePairs.unrelatedE"}};
constinit PairKeys kFrameWith{ListedKey{"framePairs.withP"}, ListedKey{"framePairs.withE"}};
constinit PairKeys kFrameChance{ListedKey{"framePairs.chanceP"}, ListedKey{"framePairs.chanceE"}};
constinit PairKeys kFrameRelated{ListedKey{"framePairs.relatedP"}, ListedKey{"framePairs.relatedE"}};
constinit PairKeys kFrameDropped{ListedKey{"framePairs.droppedP"}, ListedKey{"framePairs.droppedE"}};

bool pairFrame(const PairKeys& keys, std::string_view p, std::string_view e) {
  return listedPair(keys.p, keys.e, p, e);
}

// The word after node w (its next sibling) is retired when the key lists it.
void retireFollower(CjTransferContext& c, int w, const ListedKey& key) {
  const int n = at(c, w) ? at(c, w)->nextSibling : 0;
  if (n > 0 && listed(key, chiOf(c, n))) retire(c, n);
}

void caseMarkW(CjTransferContext& c, int w, const char* particle) {
  if (CjTargetNode* t = at(c, w)) {
    t->att = particle;
    t->vform = 'N';
    t->caseOpen = 0;
  }
}

// Inserts a new node with a text right after node after; 0 when no slot is left.
int insertAfter(CjTransferContext& c, int after, std::string_view text, std::string_view code) {
  const int n = addTargetNode(c);
  if (n == 0) return 0;
  insertTargetNode(c, n, after, c.targets[after].nextSibling);
  setJapanese(c, n, text, code);
  return n;
}

}  // namespace

void applyFramePair(CjTransferContext& c, int phrase) {
  RuleWatch watch(c, "framePairs.applyFramePair");
  const Frame f = frameOf(c, phrase);
  if (!f.ok) return;
  retire(c, f.p);
  c.targets[f.e].alive = 1;
  const std::string_view p = chiOf(c, f.p);
  const std::string_view e = chiOf(c, f.e);
  CjTargetNode& ph = c.targets[phrase];
  CjTargetNode& en = c.targets[f.e];
  const int responseIndex = listedIndex(kPairResponseP, p);
  if (responseIndex == 0) {
    caseMarkW(c, f.w, "に");
    const int n = insertAfter(c, f.e, "応じる", "ZI000");
    if (n == 0) return;
    ph.headChild = static_cast<std::int16_t>(n);
    copyModalities(c, phrase, n);
    if (takeAttributiveMarker(c, phrase)) {
      c.targets[n].vform = 't';
      c.targets[n].ten = 'B';
    } else if (isPredicatePhrase(c, phrase)) {
      c.targets[n].vform = 'z';
    } else if (isPlainAdverbial(c, phrase)) {
      c.targets[n].vform = 'd';
    }
    return;
  }
  if (responseIndex > 0 && listed(kPairResponseStandpointE, e)) {
    setForm(c, f.w, 'N');
    setJapanese(c, f.e, "にとって", "FUKU0");
    return;
  }
  if (listed(kPairSpeakP, p) && listed(kPairSpeakE, e)) {
    setForm(c, f.w, 'N');
    setJapanese(c, f.e, "から言えば", "FUKU0");
    return;
  }
  if ((listed(kCompareP1, p) && listed(kCompareE1, e)) || (listed(kCompareP2, p) && listed(kCompareE2, e)) ||
      listedPair(kComparePairP, kComparePairE, p, e) || listed(kCompareE3, e)) {
    setForm(c, f.w, 't');
    const char letter = catLetterOf(c, f.h);
    // 跟我不一样: the negated likeness is a difference.
    const int before = at(c, f.e) ? at(c, f.e)->prevSibling : 0;
    const std::string& no = listedWord(kCompareNegation);
    const bool negated = before > 0 && before != f.p && !no.empty() && chiOf(c, before) == no && listed(kCompareSame, e);
    if (negated) retire(c, before);
    if (negated || listed(kCompareDiffer, e)) {
      setJapanese(c, f.e, "と違う", "ZG001");
      setForm(c, f.w, 'N');
    } else if (letter != 'V' && letter != 'A' && listed(kCompareSame, e)) {
      setJapanese(c, f.e, "と同じだ", "KYODO");
      setForm(c, f.w, 'N');
    } else {
      setJapanese(c, f.e, "ようだ", "KYODO");
    }
    copyModalities(c, phrase, f.e);
    if (!takeAttributiveMarker(c, phrase)) en.vform = isPredicatePhrase(c, phrase) ? 'z' : 'y';
    return;
  }
  // With or without a relation: W takes "と", E the verb of the relation.
  auto relation = [&](bool un) {
    caseMarkW(c, f.w, "と");
    if (un) {
      setJapanese(c, f.e, "関係がない", "KYOSI");
    } else {
      setJapanese(c, f.e, "関係がある", "ZG001");
    }
    if (takeAttributiveMarker(c, phrase)) {
      en.vform = 't';
    } else if (isPredicatePhrase(c, phrase)) {
      copyModalities(c, phrase, f.e);
      en.vform = 'z';
    } else if (un) {
      en.vform = 'd';
    }
  };
  if (pairFrame(kFrameInclusion, p, e)) {
    setForm(c, f.w, 'N');
    setAtt(c, f.w, "を");
    setJapanese(c, f.e, "含める", "TI000");
    en.vform = isPredicatePhrase(c, phrase) ? 'z' : 'd';
  } else if (pairFrame(kFrameNoChange, p, e)) {
  } else if (pairFrame(kFrameExclusion, p, e)) {
    setJapanese(c, f.e, "以外", "N0000");
    if (!takeAttributiveMarker(c, phrase) && !isPredicatePhrase(c, phrase)) en.vform = 'd';
  } else if (pairFrame(kFramePointInTime, p, e)) {
    setJapanese(c, f.e, "前", "NJ000");
    setForm(c, f.w, 't');
    retireFollower(c, f.h, kPointFollowers);
    closeTimePhrase(c, phrase);
  } else if (pairFrame(kFrameLimit, p, e)) {
    setJapanese(c, f.e, "まで", "NJ000");
    setForm(c, f.w, 'z');
    if (f.w > 0) applyTonaruItem(c, f.w, "1");
  } else if (pairFrame(kFrameTime, p, e)) {
    setJapanese(c, f.e, "時");
    setForm(c, f.w, 't');
    retireFollower(c, f.h, kTimeFollower);
    en.vform = isPredicatePhrase(c, phrase) ? 'z' : 'y';
  } else if (pairFrame(kFrameStandpoint, p, e)) {
    setForm(c, f.w, 'N');
    setJapanese(c, f.e, "にとって", "NJ000");
  } else if (listed(kTogetherP, p) && listed(kTogetherE, e)) {
    caseMarkW(c, f.w, "と");
    if (takeAttributiveMarker(c, phrase)) {
      setJapanese(c, f.e, "一緒の");
    } else if (isPredicatePhrase(c, phrase)) {
      setJapanese(c, f.e, "一緒だ", "KYODO");
      en.vform = 'z';
      ph.headChild = static_cast<std::int16_t>(f.e);
      copyModalities(c, phrase, f.e);
    } else {
      setJapanese(c, f.e, "一緒に");
      en.ruleFlag2 = 0;
      ph.headChild = static_cast<std::int16_t>(f.e);
    }
  } else if (pairFrame(kFrameSavingFace, p, e)) {
    setForm(c, f.w, 't');
    setJapanese(c, f.e, "顔");
    const int n = insertAfter(c, f.e, "たてる", "TI000");
    if (n > 0) c.targets[n].vform = isPredicatePhrase(c, phrase) ? 'z' : 'y';
  } else if (pairFrame(kFrameHeadMark, p, e)) {
    setForm(c, targetHead(c, targetHeadChild(c, phrase)), 'n');
  } else if (pairFrame(kFrameHearsay, p, e)) {
    setForm(c, f.w, 't');
    setJapanese(c, f.e, "いうようだ", "KYODO");
    if (takeAttributiveMarker(c, phrase)) {
      en.vform = 't';
    } else if (!isPredicatePhrase(c, phrase)) {
      en.vform = 'y';
    } else {
      setJapanese(c, f.e, "いったとおりだ", "KYODO");
      en.vform = 'z';
    }
  } else if (pairFrame(kFramePurpose, p, e)) {
    setJapanese(c, f.e, "ために");
    setForm(c, f.w, 't');
    setForm(c, f.h, 't');
  } else if (pairFrame(kFrameKeptPreposition, p, e)) {
    setForm(c, f.w, 'N');
    setJapanese(c, f.e, "と");
    c.targets[f.p].alive = 1;
    retire(c, f.e);
  } else if (pairFrame(kFrameUnrelated, p, e)) {
    relation(true);
  } else if (pairFrame(kFrameWith, p, e)) {
    setJapanese(c, f.e, "で");
  } else if (pairFrame(kFrameChance, p, e)) {
    setForm(c, f.w, 't');
    retireFollower(c, f.w, kChanceFollowers);
    setJapanese(c, f.e, "機会を利用する", "VOSH0");
    if (takeAttributiveMarker(c, phrase)) {
      en.vform = 't';
      en.ten = 'B';
    } else if (!isPredicatePhrase(c, phrase)) {
      en.vform = 'd';
    }
  } else if (pairFrame(kFrameRelated, p, e)) {
    relation(false);
  } else if (pairFrame(kFrameDropped, p, e)) {
    retire(c, f.e);
  }
}

}  // namespace cj
