#include "engine/jc/core/jc_sentence_output.h"

#include <new>
#include <utility>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/core/jc_slot.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/common/dbcs_text.h"

namespace jc {

namespace {

const RenderingKeySpec kKeys[] = {
    {kLinkingWordKey, 1, 2, 2},    {kBareWordKey, 1, 2, 2},       {kSplitWordKey, 1, 2, 2},
    {kAspectAWordKey, 1, 2, 2},    {kAspectBWordKey, 1, 2, 2},    {kAspectCWordKey, 1, 2, 2},
    {kFlagSlot13WordKey, 1, 2, 2}, {kFlagSlot4WordKey, 1, 2, 2},  {kFlagSlot7WordKey, 1, 2, 2},
    {kFlagSlot7TextKey, 1, 6, 6},
};
const RenderingKeyRegistrar registrar(kKeys);

// The fixed words, looked up once per step.
struct Words {
  std::string_view linking, bare, split, aspectA, aspectB, aspectC, flag13, flag4, flag7, flag7Text;
};

Words loadWords() {
  return {rendering(kLinkingWordKey),    rendering(kBareWordKey),       rendering(kSplitWordKey),
          rendering(kAspectAWordKey),    rendering(kAspectBWordKey),    rendering(kAspectCWordKey),
          rendering(kFlagSlot13WordKey), rendering(kFlagSlot4WordKey),  rendering(kFlagSlot7WordKey),
          rendering(kFlagSlot7TextKey)};
}

bool isIndex(int i) { return i >= 1 && i < kJcMaxNodes; }

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

std::size_t characterLength(std::string_view s, std::size_t p) {
  return dbcs::charSize(s, p);
}

// Start of the last character of s; npos when s is empty.
std::size_t lastCharacterAt(std::string_view s) {
  std::size_t last = std::string_view::npos;
  for (std::size_t p = 0; p < s.size(); p += characterLength(s, p)) last = p;
  return last;
}

bool endsWithCharacter(std::string_view s, std::string_view mark) {
  std::size_t p = lastCharacterAt(s);
  return p != std::string_view::npos && s.substr(p) == mark;
}

// Position of a double-byte character in s, at a character boundary; npos when none.
std::size_t findCharacter(std::string_view s, std::string_view ch) {
  for (std::size_t p = 0; p < s.size(); p += characterLength(s, p))
    if (s.substr(p, ch.size()) == ch) return p;
  return std::string_view::npos;
}

void emit(JcSentence* r, std::string_view text) { r->output.append(text); }

// An adverb, or a word of an i-adjective or na-adjective type.
bool isAdverbOrAdjectiveWord(const JcSentence* r, int i) {
  return isAdverb(r, i) || isIAdjective(r, i) || isNaAdjective(r, i);
}

// --- Cursor stack ---------------------------------------------------------------------------

bool pushCursor(JcSentence* r, int node) {
  JcOrderCursor* c = new (std::nothrow) JcOrderCursor{};
  if (!c) return false;
  c->node = node;
  c->next = r->orderCursor;
  r->orderCursor = c;
  return true;
}

void popCursor(JcSentence* r) {
  JcOrderCursor* c = r->orderCursor;
  r->orderCursor = c->next;
  delete c;
}

bool isOnStack(const JcSentence* r, int node) {
  for (const JcOrderCursor* c = r->orderCursor; c && c->next; c = c->next)
    if (c->node == node) return true;
  return false;
}

void markBareWordWith(JcSentence* r, int i, const Words& w) {
  if (isIndex(i) && r->targets[i].kind == 'l') r->targets[i].text3 = w.bare;
}

// --- Ordering -------------------------------------------------------------------------------

// The governor's slots 15 and 7 go to its adverbial dependent; an empty one leaves the
// dependent's own (高くありません keeps its 不).
void moveAdverbialVerbSlots(JcTargetNode& g, JcTargetNode& d) {
  for (int k : {15, 7}) {
    if (g.slots[k].empty()) continue;
    d.slots[k] = g.slots[k];
    g.slots[k].clear();
  }
}

void appendToSlot(JcTargetNode& t, int slot, std::string_view text) {
  std::string joined(targetSlot(t, slot));
  joined.append(text);
  setTargetSlot(t, slot, joined);
}

// Moves the governor's slot 1 to dependent d: a subject takes it as its own tail, others take it
// into targetSlot unless the governor has a topic or ga-subject. True when the text moved.
bool handOverSlot1(JcSentence* r, int g, int d, const std::string& label, int targetSlot) {
  JcTargetNode& gt = r->targets[g];
  JcTargetNode& dt = r->targets[d];
  const int e1 = slotSourceEntry(1);
  std::string_view dep = r->nodes[d].depLabel.view();
  if (label == "SUB" || (label == "KK" && (dep == "D1" || dep == "D20"))) {
    dt.text5.append(gt.slots[1].view());
    gt.slots[1].clear();
    gt.slotSource[e1] = 0;
    return true;
  }
  if (findDependencyDependent(r, g, "D1") || findDependencyDependent(r, g, "D20")) return false;
  appendToSlot(dt, targetSlot, gt.slots[1].view());
  gt.slots[1].clear();
  if (gt.slotSource[e1]) {
    int et = slotSourceEntry(targetSlot);
    if (dt.slotSource[et] == 0 || dt.slotSource[et] > gt.slotSource[e1]) dt.slotSource[et] = gt.slotSource[e1];
    gt.slotSource[e1] = 0;
  }
  return true;
}

// A finished governor hands its trailing texts to the dependent placed last, which now ends
// the phrase in Chinese order.
void handOverTail(JcSentence* r, int g, int last) {
  JcTargetNode& gt = r->targets[g];
  JcTargetNode& lt = r->targets[last];
  gt.headText2.append(gt.text3.view());
  gt.headText2.append(gt.text4.view());
  lt.text4.append(gt.headText2.view());
  gt.headText2.clear();
  gt.text3.clear();
  gt.text4.clear();
  std::swap(gt.kind, lt.kind);
}

bool orderRelationsWith(JcSentence* r, int start, const Words& w) {
  JcOrderCursor* const base = r->orderCursor;
  if (!base) return false;
  base->node = base->visited = base->templatePosition = 0;
  base->placed = 0;
  if (!isIndex(start)) return true;
  if (governsNoRelation(r, start)) {
    markBareWordWith(r, start, w);
    return appendOrderItem(r, start);
  }
  if (!pushCursor(r, start)) return false;
  bool ok = true;
  bool handOver = true;
  int last = 0;
  std::string label;
  while (r->orderCursor != base) {
    JcOrderCursor* top = r->orderCursor;
    const int d = nextOrderLabel(r, &label);
    if (d) last = d;
    top->visited += 1;
    const int g = top->node;
    if (d == 0) {
      if (top->placed != '*' && !appendOrderItem(r, g)) ok = false;
      markBareWordWith(r, g, w);
      if (isIndex(last) && last != g) handOverTail(r, g, last);
      popCursor(r);
      handOver = true;
      if (!ok) break;
      continue;
    }
    if (!isIndex(d)) continue;
    JcTargetNode& gt = r->targets[g];
    JcTargetNode& dt = r->targets[d];
    // A clause of its own (a conditional, or one its own word opens: 如果, 因为) never takes the
    // governor's slot 1: 请 and 不 stay in the main clause.
    const bool ownClause = d != g && (dt.kind == 'j' || !dt.slot0.empty());
    // The main clause's 就 then comes first (就请来, 就不去).
    const int sequence = slotIndex(Slot::kSequence), sequenceSource = slotSourceEntry(sequence);
    if (ownClause && !gt.slots[1].empty() && !gt.slots[sequence].empty() &&
        (sequenceSource < 0 || gt.slotSource[sequenceSource] == 0)) {
      gt.slots[1] = gt.slots[sequence].str() + gt.slots[1].str();
      gt.slots[sequence].clear();
    }
    if (d != g && !gt.slots[9].empty() && (label == "ADV" || label == "ADVV") &&
        isAdverbOrAdjectiveWord(r, targetLastLeaf(r, d))) {
      dt.slots[9] = gt.slots[9];
      gt.slots[9].clear();
    }
    if (top->visited == 1 && !gt.slot0.empty() && d != g) {
      dt.slot0 = gt.slot0.str() + dt.slot0.str();
      gt.slot0.clear();
      const int e0 = slotSourceEntry(0);
      if (gt.slotSource[e0]) {
        if (dt.slotSource[e0] == 0 || dt.slotSource[e0] > gt.slotSource[e0]) dt.slotSource[e0] = gt.slotSource[e0];
        gt.slotSource[e0] = 0;
      }
    }
    // A governor already being ordered further up is placed as a plain dependent.
    const bool governs = !governsNoRelation(r, d) && (d == g || !isOnStack(r, d));
    if (governs && d == g) {
      if (top->placed != '*') {
        if (!appendOrderItem(r, g)) {
          ok = false;
          break;
        }
        top->placed = '*';
      }
      handOver = false;
    } else if (governs) {
      if (handOver && !gt.slots[1].empty() && !ownClause) {
        handOverSlot1(r, g, d, label, 1);
        if (label == "ADVV") moveAdverbialVerbSlots(gt, dt);
      }
      if (!pushCursor(r, d)) {
        ok = false;
        break;
      }
      handOver = true;
    } else {
      if (!appendOrderItem(r, d)) {
        ok = false;
        break;
      }
      if (handOver && g != d && !ownClause && !gt.slots[1].empty() && handOverSlot1(r, g, d, label, 2)) handOver = false;
      if (label == "ADVV" && d != g) moveAdverbialVerbSlots(gt, dt);
    }
  }
  while (r->orderCursor != base) popCursor(r);
  return ok;
}

// --- Emission -------------------------------------------------------------------------------

void applyMarkerFlagsWith(JcSentence* r, int i, const Words& w) {
  JcTargetNode& t = r->targets[i];
  if (t.flags & 4) appendToSlot(t, 13, w.flag13);
  if (t.aspectA == 'B') t.headText.append(w.aspectA);
  if (t.aspectB == 'B') appendToSlot(t, 8, w.aspectB);
  if (t.aspectB == 'C') t.headText.append(w.aspectC);
  if (t.flags & 8) appendToSlot(t, 4, w.flag4);
  if (t.flags & 2) appendToSlot(t, 7, w.flag7);
  if (t.flags & 1) appendToSlot(t, 7, w.flag7Text);
}

// Rewrites a candidate as the output reads it: the variant of a two-way verb chosen by its
// code, and a split rendering "A/B" joined (around the split word when the head text holds it).
void settleCandidate(JcTargetNode& t, JcCandidate& c, bool keepAmpersand, const Words& w) {
  std::string z = c.chinese.str();
  const std::size_t e = findCharacter(z, kMarkEllipsis);
  std::string_view code = c.valency.view();
  if (e != std::string::npos && startsWith(code, "VT")) {
    if (startsWith(code, "VTA")) {
      z = z.substr(e + kMarkEllipsis.size());
    } else if (startsWith(code, "VTB")) {
      std::string before = z.substr(0, e);
      if (!keepAmpersand && !before.empty() && before[0] == '&') before.erase(0, 1);
      z = before + "/" + z.substr(e + kMarkEllipsis.size());
      c.valency = "V1/N";
    }
  }
  const std::size_t slash = findSingleByte(z, '/');
  if (slash != std::string::npos && slash > 0) {
    std::string middle;
    if (!w.split.empty() && t.headText == w.split) {
      middle = std::string(w.split);
      t.headText.clear();
    }
    z = z.substr(0, slash) + middle + z.substr(slash + 1);
  }
  c.chinese = z;
}

void emitHeadWord(JcSentence* r, int i, const Words& w) {
  JcTargetNode& t = r->targets[i];
  const JcNode& n = r->nodes[i];
  std::string_view own = targetSlot(t, 17);
  if (own == "?" || own == kMarkQuestion) {
    emit(r, kMarkQuestion);
    return;
  }
  if (!own.empty()) {
    emit(r, (own == "," || own == kMarkComma) && !(n.pos == "W") ? kMarkPauseComma : own);
    return;
  }
  const bool keepAmpersand = n.pos == "1";
  JcCandidate* first = t.candidates;
  if (first && !keepAmpersand && startsWith(first->chinese.view(), "&"))
    first->chinese = first->chinese.str().substr(1);
  for (JcCandidate* c = first; c; c = c->next) {
    settleCandidate(t, *c, keepAmpersand, w);
    std::string_view z = c->chinese.view();
    if (!z.empty() && z != kMarkNoTranslation) {
      emit(r, z);
      return;
    }
  }
}

void emitLeafWith(JcSentence* r, int i, const Words& w) {
  if (!isIndex(i) || !r->targets[i].live) return;
  applyMarkerFlagsWith(r, i, w);
  emitSlots(r, i);
  emitHeadWord(r, i, w);
  const JcTargetNode& t = r->targets[i];
  emit(r, t.headText.view());
  emit(r, t.headText2.view());
  emit(r, t.text4.view());
  emit(r, t.text5.view());
}

// The number of commas text starts with.
std::size_t leadingCommas(std::string_view text) {
  std::size_t n = 0;
  while (text.substr(n * kMarkComma.size(), kMarkComma.size()) == kMarkComma) ++n;
  return n;
}

// Drops the first mark of every comma-full stop, comma-comma and full stop-full stop pair; a run of
// two or more commas (the writer's own run of 、) is kept whole.
std::string mergeMarkPairs(std::string text) {
  std::string_view prev;
  for (bool changed = true; changed;) {
    changed = false;
    prev = {};
    for (std::size_t p = 0; p < text.size(); prev = std::string_view(text).substr(p, characterLength(text, p)),
                     p += characterLength(text, p)) {
      std::size_t q = p + characterLength(text, p);
      if (q >= text.size()) break;
      std::string_view a = std::string_view(text).substr(p, q - p);
      std::string_view b = std::string_view(text).substr(q, characterLength(text, q));
      if (a == kMarkComma && (b == kMarkComma || prev == kMarkComma)) continue;
      if ((a == kMarkComma && b == kMarkFullStop) || (a == kMarkFullStop && b == kMarkFullStop)) {
        text.erase(p, a.size());
        changed = true;
        break;
      }
    }
  }
  return text;
}

void emitInnerTailWith(JcSentence* r, int i, const Words& w) {
  if (!isIndex(i)) return;
  const JcTargetNode& t = r->targets[i];
  emit(r, t.headText.view());
  emit(r, t.headText2.view());
  emit(r, t.text3.view());
  if (t.kind == 't') {
    const int l = targetLastLeaf(r, i);
    if (isIndex(l)) {
      const JcNode& ln = r->nodes[l];
      if ((ln.pos == "7" && ln.subPos == "2") || ln.pos == "10" || ln.pos == "11") return;
    }
    std::string_view out = r->output.view();
    if (out.size() >= 2 && out.substr(out.size() - 2) != w.linking) emit(r, w.linking);
  }
  std::string tail = t.text4.str();
  if (leadingCommas(tail) >= 2) {
    // A run of commas: its first is merged as a lone comma would be, the others stay.
    tail = mergeMarkPairs(tail);
    std::string_view out = r->output.view();
    if (endsWithCharacter(out, kMarkComma) || endsWithCharacter(out, kMarkFullStop) ||
        (out.empty() && !(r->nodes[1].surface == "、")))
      tail.erase(0, kMarkComma.size());
  } else if (tail.size() < 4 && (tail == kMarkComma || tail == kMarkFullStop)) {
    std::string_view out = r->output.view();
    if (endsWithCharacter(out, kMarkComma)) {
      if (tail != kMarkComma) {
        std::string merged(out.substr(0, out.size() - kMarkComma.size()));
        merged.append(kMarkFullStop);
        r->output = merged;
      }
      tail.clear();
    } else if (endsWithCharacter(out, kMarkFullStop)) {
      tail.clear();
    } else if (out.empty() && tail == kMarkComma && !(r->nodes[1].surface == "、")) {
      tail.clear();
    }
  } else if (tail.size() >= 4) {
    tail = mergeMarkPairs(tail);
  }
  emit(r, tail);
  emit(r, t.text5.view());
}

// The next child of the cursor's node, counting from its first child; 0 when none is left.
int nextChildToVisit(JcSentence* r, JcOrderCursor* c) {
  if (c->visited >= kJcMaxNodes) return 0;
  int child = r->targets[c->node].firstChild;
  for (int k = 0; k < c->visited && isIndex(child); ++k) child = r->targets[child].nextSibling;
  c->visited += 1;
  return isIndex(child) ? child : 0;
}

bool emitSubtreeWith(JcSentence* r, int i, const Words& w) {
  JcOrderCursor* const floor = r->orderCursor;
  if (!floor) return false;
  int depth = 0;
  for (;;) {
    if (isIndex(i) && !isTargetLeaf(r, i) && depth < kJcMaxNodes) {
      emitSlots(r, i);
      if (!pushCursor(r, i)) {
        while (r->orderCursor != floor) popCursor(r);
        return false;
      }
      r->orderCursor->visited = 1;  // the first child is taken now
      ++depth;
      i = r->targets[i].firstChild;
      continue;
    }
    if (isIndex(i)) {
      flushPending(r, i);
      emitLeafWith(r, i, w);
    }
    for (;;) {
      if (r->orderCursor == floor) return true;
      const int child = nextChildToVisit(r, r->orderCursor);
      if (child) {
        i = child;
        break;
      }
      emitInnerTailWith(r, r->orderCursor->node, w);
      popCursor(r);
      --depth;
    }
  }
}

constexpr bool kSlotFlushes[kJcSlotCount] = {true,  true, true, false, true,  true,  true,  true,  false,
                                             true,  false, true, true,  true, true,  true,  false, false};

const char* const kClosingBrackets[] = {"』", "」", "》", "＞", "〕", "】", "≫", "｝", "］", "’", "）", "〉"};

bool isClosingBracket(std::string_view s) {
  for (const char* b : kClosingBrackets)
    if (s == b) return true;
  return false;
}

// An opening mark waits for a node in t's own phrase: the closing bracket stays with it.
bool pendingStartsBeside(const JcSentence* r, int t) {
  for (int k = 0; k < kJcPendingCount; ++k) {
    int from = r->pendingFrom[k];
    if (isIndex(from) && r->nodes[from].parent == r->nodes[t].parent) return true;
  }
  return false;
}

// The nearest live target from c back through its previous siblings; 0 when none.
int lastLiveSibling(const JcSentence* r, int c) {
  for (int steps = 0; isIndex(c) && steps < kJcMaxNodes; ++steps) {
    if (r->targets[c].live) return c;
    c = r->targets[c].prevSibling;
  }
  return 0;
}

}  // namespace

bool resetOrderWalk(JcSentence* record) {
  while (record->orderCursor) popCursor(record);
  while (record->orderList) {
    JcOrderItem* next = record->orderList->next;
    delete record->orderList;
    record->orderList = next;
  }
  record->orderListTail = nullptr;
  record->orderCursor = new (std::nothrow) JcOrderCursor{};
  record->orderList = new (std::nothrow) JcOrderItem{};
  if (!record->orderCursor || !record->orderList) {
    delete record->orderCursor;
    delete record->orderList;
    record->orderCursor = nullptr;
    record->orderList = nullptr;
    return false;
  }
  record->orderListTail = record->orderList;
  return true;
}

int nextOrderLabel(JcSentence* record, std::string* outLabel) {
  std::string scratch;
  std::string& label = outLabel ? *outLabel : scratch;
  label.clear();
  JcOrderCursor* top = record->orderCursor;
  if (!top) return 0;
  const int g = top->node;
  if (hasTemplate(record, g)) return templateRefAt(record, g, &top->templatePosition, &label);
  if (int d = claimOtherThan(record, "OBJ", g, &label)) return d;
  auto byLabel = [&](const char* l) {
    int d = claimDependentByLabel(record, g, l);
    if (d) label = l;
    return d;
  };
  for (const char* l : {"LOG", "TOP"})
    if (int d = byLabel(l)) return d;
  if (int d = claimAdverbial(record, g, &label)) return d;
  if (int d = byLabel("SUB")) return d;
  if (int d = claimAdverbialOrG(record, g, &label)) return d;
  for (const char* l : {"ADVV", "GOV", "COMP", "OBJ1", "OBJ2", "NUM", "HT"})
    if (int d = byLabel(l)) return d;
  return claimNextDependent(record, g, &label);
}

bool appendOrderItem(JcSentence* record, int node) {
  if (!record->orderListTail) return false;
  JcOrderItem* item = new (std::nothrow) JcOrderItem{};
  if (!item) return false;
  item->node = node;
  record->orderListTail->next = item;
  record->orderListTail = item;
  return true;
}

void linkSiblings(JcSentence* record, int previous, int next) {
  if (!isIndex(next)) return;
  record->targets[next].prevSibling = previous;
  if (isIndex(previous)) record->targets[previous].nextSibling = next;
}

void relinkOrderedSiblings(JcSentence* record) {
  int previous = 0;
  for (const JcOrderItem* item = record->orderList ? record->orderList->next : nullptr; item; item = item->next) {
    if (!isIndex(item->node)) continue;
    if (!previous) record->firstTopTarget = item->node;
    linkSiblings(record, previous, item->node);
    previous = item->node;
  }
  if (previous) record->targets[previous].nextSibling = 0;
}

int lastTopLevelTarget(const JcSentence* record) {
  int n = record->firstTopTarget;
  for (int steps = 0; isIndex(n) && isIndex(record->targets[n].nextSibling) && steps < kJcMaxNodes; ++steps)
    n = record->targets[n].nextSibling;
  return n;
}

bool orderRelations(JcSentence* record, int start) { return orderRelationsWith(record, start, loadWords()); }

bool orderFromDefault(JcSentence* record) { return orderRelations(record, record->defaultRelationTarget); }

bool moveClosingBrackets(JcSentence* record) {
  const Words w = loadWords();
  JcSnapshot* snap = record->snapshot;
  if (snap) *snap = {record->firstTopTarget, record->lastTopTarget, record->defaultRelationTarget};
  bool ok = true;
  for (int i = 1; i <= record->lastTarget && i < kJcMaxNodes; ++i) {
    if (isTargetLeaf(record, i)) continue;
    const int c = record->nodes[i].lastChild;
    if (!isIndex(c)) continue;
    if (!isTargetLeaf(record, c)) {
      if (governsNoRelation(record, c)) continue;
      // An embedded clause: its words become i's children in Chinese order.
      record->defaultRelationTarget = c;
      if (orderRelationsWith(record, c, w) && record->orderList && record->orderList->next) {
        relinkOrderedSiblings(record);
        JcTargetNode& t = record->targets[i];
        t.firstChild = record->firstTopTarget;
        t.lastChild = lastTopLevelTarget(record);
        if (isIndex(t.firstChild)) record->targets[t.firstChild].parent = i;
        if (isIndex(t.lastChild)) record->targets[t.lastChild].parent = i;
      } else {
        ok = false;
      }
      if (!resetOrderWalk(record)) {
        ok = false;
        break;
      }
    } else if (hasPredicateFeature(record, i)) {
      const int t = lastLiveSibling(record, c);
      if (!t || !isClosingBracket(record->nodes[t].surface.view()) || pendingStartsBeside(record, t)) continue;
      const JcCandidate* cand = record->targets[t].candidates;
      std::string text = cand ? cand->chinese.str() : record->nodes[t].surface.str();
      text += record->targets[i].text4.str();
      record->targets[i].text4 = text;
      record->targets[t].live = 0;
    }
  }
  if (snap) {
    record->firstTopTarget = snap->firstTopTarget;
    record->lastTopTarget = snap->lastTopTarget;
    record->defaultRelationTarget = snap->defaultRelationTarget;
  }
  return ok;
}

void markBareWord(JcSentence* record, int i) { markBareWordWith(record, i, loadWords()); }

void flushPending(JcSentence* record, int i) {
  const int first = targetFirstLeaf(record, i);
  for (int k = 0; k < kJcPendingCount; ++k) {
    if (record->pendingFrom[k] == 0 || first < record->pendingFrom[k] || first > record->pendingTo[k]) continue;
    emit(record, record->pendingText[k].view());
    record->pendingFrom[k] = record->pendingTo[k] = 0;
    record->pendingText[k].clear();
  }
}

void emitSlots(JcSentence* record, int i) {
  if (!isIndex(i)) return;
  const JcTargetNode& t = record->targets[i];
  for (Slot k : kSlotEmissionOrder) {
    const int slot = slotIndex(k);
    if (kSlotFlushes[slot]) {
      int source = t.slotSource[slotSourceEntry(slot)];
      if (source) flushPending(record, source);
    }
    emit(record, targetSlot(t, slot));
  }
}

void applyMarkerFlags(JcSentence* record, int i) {
  if (isIndex(i)) applyMarkerFlagsWith(record, i, loadWords());
}

void emitLeaf(JcSentence* record, int i) { emitLeafWith(record, i, loadWords()); }

void emitInnerTail(JcSentence* record, int i) { emitInnerTailWith(record, i, loadWords()); }

bool emitSubtree(JcSentence* record, int i) { return emitSubtreeWith(record, i, loadWords()); }

bool emitSentence(JcSentence* record) {
  if (!record->orderList || !record->orderList->next) return true;
  const Words w = loadWords();
  record->firstTopTarget = record->orderList->next->node;
  bool ok = true;
  for (const JcOrderItem* item = record->orderList->next; item; item = item->next)
    if (!emitSubtreeWith(record, item->node, w)) ok = false;
  return ok;
}

bool isVerbCode(std::string_view code) {
  return !code.empty() && code.find('V') != std::string_view::npos && code != "V0";
}

bool isVerbTemplate(const JcSentence* record, int i) {
  if (!isIndex(i)) return false;
  const JcTargetNode& t = record->targets[i];
  return isVerbCode(t.code.view()) || (t.candidates && isVerbCode(t.candidates->valency.view()));
}

bool hasTemplate(const JcSentence* record, int i) {
  return i >= 0 && i < kJcMaxNodes && !record->targets[i].templateText.empty();
}

std::size_t findSingleByte(std::string_view text, char ch) {
  for (std::size_t p = 0; p < text.size(); p += characterLength(text, p))
    if (text[p] == ch) return p;
  return std::string_view::npos;
}

}  // namespace jc
