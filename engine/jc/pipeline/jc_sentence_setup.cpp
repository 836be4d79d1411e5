#include "engine/jc/pipeline/jc_sentence_setup.h"

#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/core/jc_predicates_form.h"
#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/core/jc_predicates_tree.h"
#include "engine/jc/core/jc_sentence_output.h"
#include "engine/jc/core/rendering_table.h"

namespace jc {
namespace {

using namespace setup_keys;

const RenderingKeySpec kKeys[] = {
    {kAdverbialWord, 1, 2, 2},
    {kFukaku, 1, 6, 6},
    {kMae, 1, 4, 4},
    {kAto, 1, 4, 4},
};
const RenderingKeyRegistrar registrar(kKeys, static_cast<int>(sizeof kKeys / sizeof kKeys[0]));

bool inRange(const JcSentence* r, int i) { return i >= 1 && i <= r->lastNode; }

std::string_view baseOf(const JcSentence* r, int i) {
  return i >= 0 && i < kJcMaxNodes ? r->nodes[i].baseForm.view() : std::string_view();
}
std::string_view surfaceOf(const JcSentence* r, int i) {
  return i >= 0 && i < kJcMaxNodes ? r->nodes[i].surface.view() : std::string_view();
}

bool s12Less(const JcSentence* r, int i) {
  const int h = r->nodes[i].headPhrase;
  if (h < 0 || h >= kJcMaxNodes) return true;
  return r->nodes[h].sFeatures.view().find("S12") == std::string_view::npos;
}

void setKindOf(JcSentence* r, int i) {
  JcNode& n = r->nodes[i];
  JcTargetNode& t = r->targets[i];
  const std::string_view label = n.depLabel.view();
  if ((label == "D3" || label == "D7") && isOrdinaryHeadPhrase(r, i)) {
    if (s12Less(r, i)) t.kind = 't';
    return;
  }
  if (label == "D14" && isOrdinaryHeadPhrase(r, i)) {
    if (s12Less(r, i) && n.usageCode.view().find("NO2") == std::string_view::npos) t.kind = 't';
    return;
  }
  const std::string_view ab = n.abFeatures.view();
  const bool adnominalFeature =
      ab.find("|B34|") != std::string_view::npos || ab.find("|B35|") != std::string_view::npos;
  if (adnominalFeature && isOrdinaryHeadPhrase(r, i)) {
    if (s12Less(r, i)) t.kind = 't';
    return;
  }
  if (!isConjecture(r, i) || isMorpheme(r, i)) {
    t.kind = 'z';
    return;
  }
  const int last = n.lastChild;
  if (last > 0 && last < kJcMaxNodes && r->nodes[last].firstChild == 0 && r->nodes[last].lastChild == 0) t.kind = 'l';
}

// An adjective in its continuative form used as an adverb.
void prepareAdverbialAdjective(JcSentence* r, int i) {
  if (!isNaAdjectiveContinuative(r, i) && !isIAdjectiveContinuative(r, i)) return;
  if (baseOf(r, i + 1) == "ない" || baseOf(r, i + 1) == "ある") return;
  JcTargetNode& t = r->targets[i];
  if (surfaceOf(r, i) == "深く") {
    setTargetSlot(t, 17, rendering(kFukaku));
    return;
  }
  const JcCandidate* c = t.candidates;
  if (!c) return;
  const std::string_view valency = c->valency.view();
  if (valency.find('A') == std::string_view::npos || valency.find('F') != std::string_view::npos) return;
  if (c->chinese.size() != 2) return;
  if (r->nodes[i - 1].pos == "8" || surfaceOf(r, i - 1) == "より") return;
  if (baseOf(r, i + 1) == "なる" || r->nodes[i].pos == "14") return;
  std::string joined = rendering(kAdverbialWord);
  joined += c->chinese.view();
  t.candidates->chinese.assign(joined);
}

void fixClass(JcSentence* r, int i) {
  JcNode& n = r->nodes[i];
  const int h = headMorpheme(r, i);
  if (inRange(r, h) && inRange(r, h + 1) && r->nodes[h].conjType == "1" && baseOf(r, h + 1) == "られる") {
    const std::string_view form = r->nodes[h + 1].conjForm.view();
    if (form == "2" || form == "6") n.classChar = '5';
    if (form == "3" || form == "7") {
      const std::string_view next = inRange(r, h + 2) ? surfaceOf(r, h + 2) : std::string_view();
      for (std::string_view w : {"ます", "ませ", "ない", "なければ", "なく", "なくて", "ぬ", "ず"}) {
        if (next == w) n.classChar = '5';
      }
    }
  }
  for (const JcLink* l = r->dependencyList; l && l->next; l = l->next) {
    if (l->governor != i || l->label.view() != "D13") continue;
    n.classChar = '2';
    int leaf = lastLeaf(r, l->dependent);
    if (inRange(r, leaf) && r->nodes[leaf].pos == "1") leaf -= 1;
    if (inRange(r, leaf) && surfaceOf(r, leaf) == "も") n.classChar = '5';
    break;
  }
}

}  // namespace

int isOrdinaryHeadPhrase(JcSentence* r, int i) {
  if (i < 0 || i >= kJcMaxNodes) return 1;
  const int f = firstLeaf(r, r->nodes[i].headPhrase);
  if (!inRange(r, f)) return 1;
  const std::string_view base = baseOf(r, f);
  if (base == "前" && isVerb(r, i)) {
    setTargetSlot(r->targets[f], 17, rendering(kMae));
    return 0;
  }
  if (base == "後") {
    setTargetSlot(r->targets[f], 17, rendering(kAto));
    return 0;
  }
  return base == "以前" || base == "以後" || base == "中" ? 0 : 1;
}

void prepareTargets(JcSentence* r) {
  r->lastTarget = r->lastNode;
  r->firstTopTarget = r->firstTop;
  r->lastTopTarget = r->lastTop;
  r->defaultRelationTarget = r->rootPhrase;
  for (int k = 0; k < kJcPendingCount; ++k) {
    r->pendingFrom[k] = r->pendingTo[k] = 0;
    r->pendingText[k].clear();
  }
  r->slotOverride = 0;
  for (int i = 0; i <= r->lastTarget && i < kJcMaxNodes; ++i) {
    const JcNode& n = r->nodes[i];
    JcTargetNode& t = r->targets[i];
    if (!t.parent) t.parent = n.parent;
    if (!t.firstChild) t.firstChild = n.firstChild;
    if (!t.lastChild) t.lastChild = n.lastChild;
    if (!t.prevSibling) t.prevSibling = n.prevSibling;
    if (!t.nextSibling) t.nextSibling = n.nextSibling;
    if (!t.headChild) t.headChild = n.head;
  }
  for (int i = 0; i <= r->lastTarget && i < kJcMaxNodes; ++i) {
    setKindOf(r, i);
    if (i >= 1) prepareAdverbialAdjective(r, i);
  }
}

JcSetupStatus prepareJcSentence(JcSentence* r, std::FILE* morphFile, ParseCursor& cursor) {
  if (initJcSentence(r) != kJcInitOk) return kJcSetupNoMemory;
  // A malformed or cut sentence keeps what was read and is translated as far as that goes.
  if (readParsedSentence(r, morphFile, cursor) == kParseReadAtEnd) return kJcSetupAtEnd;
  prepareTargets(r);
  r->lastMorpheme = r->lastTop > 0 ? lastLeaf(r, r->lastTop) : 0;
  for (int i = r->lastMorpheme + 1; i <= r->lastTarget && i < kJcMaxNodes; ++i) {
    if (r->nodes[i].classChar == '2') fixClass(r, i);
  }
  return resetOrderWalk(r) ? kJcSetupReady : kJcSetupNoMemory;
}

}  // namespace jc
