#include "engine/jc/analyser/jp_morph_analysis.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/core/fail_point.h"
#include "platform/core/notify.h"
#include "engine/common/dbcs_text.h"

namespace jc {

namespace {

constexpr int kDictResultSlots = 512;

struct AdjectiveCostRow {
  int types[4];
  int form;
  int percent;
};
constexpr AdjectiveCostRow kAdjectiveCosts[] = {
    {{18, 19, 20, 0}, 6, 110}, {{21, 0, 0, 0}, 7, 160},   {{22, 23, 0, 0}, 8, 160},  {{21, 0, 0, 0}, 11, 110},
    {{22, 23, 0, 0}, 12, 110}, {{18, 19, 20, 0}, 16, 200}, {{21, 22, 23, 24}, 1, 160},
};

bool outOfMemory(JpAnalyzer* a) {
  if (!a->lattice.failed) {
    plat::messageBeep(plat::kMbIconStop);
    plat::messageBox(u"メモリ不足!", kJpDictMessageCaption, plat::kMbOk | plat::kMbIconStop);
  }
  a->lattice.failed = true;
  return false;
}

// Room for one more element; the storage doubles (at least kJpLatticeStep entries), so a long
// line costs time linear in its length. A failed growth keeps the old storage.
template <typename V>
bool roomFor(JpAnalyzer* a, V& v) {
  if (v.size() < v.capacity()) return true;
  if (plat::failPointHit(kLatticeGrowthFailPoint)) return outOfMemory(a);
  try {
    v.reserve(std::max<std::size_t>(v.capacity() * 2, kJpLatticeStep));
  } catch (const std::bad_alloc&) {
    return outOfMemory(a);
  }
  return true;
}

bool addPredecessor(JpAnalyzer* a, PathEntry& e, int p) {
  if (static_cast<int>(e.predecessors.size()) >= kJpMaxPredecessors) return true;  // further ties dropped
  try {
    e.predecessors.push_back(p);
  } catch (const std::bad_alloc&) {
    return outOfMemory(a);
  }
  return true;
}

LatticeNode& nodeOf(JpAnalyzer* a, int edge) { return a->lattice.nodes[a->lattice.pathEntries[edge].node]; }

int columnOf(const JpAnalyzer* a, int entry) {
  if (!a->connectionEntries || entry < 0 || entry >= a->connectionCount) return -1;
  return a->connectionEntries[static_cast<std::size_t>(entry) * kJpConnectionEntrySize + 1];
}

int ownCost(const JpAnalyzer* a, const LatticeNode& n) {
  int cost = posCost(a, n.pos, n.subPos) * n.weight * a->posCostWeight;
  if (n.pos == 3 && n.subPos == 0)
    for (const AdjectiveCostRow& r : kAdjectiveCosts)
      if (r.form == n.conjForm && std::find(std::begin(r.types), std::end(r.types), n.conjType) != std::end(r.types))
        return cost * r.percent / 100;
  return cost;
}

// A new zeroed node; -1 when the array cannot grow.
int newNode(JpAnalyzer* a) {
  JpLattice& l = a->lattice;
  if (!roomFor(a, l.nodes)) return -1;
  l.nodes.emplace_back();  // value-initialised: all zero
  l.nodes.back().weight = 10;
  l.nodes.back().connection = -1;
  l.nodes.back().recordNumber = -1;
  return static_cast<int>(l.nodes.size()) - 1;
}

int copyNode(JpAnalyzer* a, int from) {
  JpLattice& l = a->lattice;
  if (!roomFor(a, l.nodes)) return -1;
  l.nodes.push_back(l.nodes[static_cast<std::size_t>(from)]);  // within capacity: the source stays put
  return static_cast<int>(l.nodes.size()) - 1;
}

int pushEdge(JpAnalyzer* a, PathEntry e) {
  JpLattice& l = a->lattice;
  if (!roomFor(a, l.pathEntries)) return -2;
  l.pathEntries.push_back(std::move(e));
  return static_cast<int>(l.pathEntries.size()) - 1;
}

void setEndMarker(LatticeNode& n, std::string_view name) {
  std::memset(static_cast<void*>(&n), 0, sizeof n);
  n.surface = name;
  n.weight = 10;
  n.connection = 0;
}

std::string_view textAt(const JpAnalyzer* a, int position) {
  return std::string_view(a->input + position, static_cast<std::size_t>(a->lattice.length - position));
}

void copyRecordToNode(const JpDictRecord& r, LatticeNode& n) {
  n.pos = static_cast<std::int8_t>(r.pos());
  n.subPos = static_cast<std::int8_t>(r.subPos());
  n.conjType = static_cast<std::int8_t>(r.conjType());
  n.conjForm = static_cast<std::int8_t>(r.conjForm());
  n.savedSubPos = 0;
  if (n.pos == 2 || n.pos == 12) {
    n.savedSubPos = static_cast<std::uint8_t>(n.subPos);
    n.subPos = 0;
  }
  const std::string_view key = r.key();
  n.surface = key;
  n.length = static_cast<std::int32_t>(n.surface.size());
  n.chinese = r.chinese();
  n.code = r.code();
  n.field = r.field();
  n.semantic = r.semantic();
  n.weight = static_cast<std::uint8_t>(r.weight());
  n.connection = r.connection();
  n.recordNumber = r.number();
  n.key = key;
  for (int i = 0; i < 4; ++i) n.recordCodes[i] = r.bytes[kJpRecPos + i];
  n.firstExtra = 0;
  n.compoundPart = 0;
}

// Finds the first form from *form on whose ending follows the stem in the sentence.
int matchEnding(JpAnalyzer* a, int position, int stemLength, int type, int* form, int* length) {
  std::string_view after = textAt(a, std::min(position + stemLength, a->lattice.length));
  for (int f = *form; !conjFormName(a, type, f).empty(); ++f) {
    std::string_view ending = conjFormEnding(a, type, f);
    if (after.substr(0, ending.size()) == ending) {
      *form = f;
      *length = stemLength + static_cast<int>(ending.size());
      return 1;
    }
  }
  return 0;
}

int raisedEntry(int entry, int form) { return entry >= 0 && form > 0 ? entry + form - 1 : entry; }

// The scoring step: places the node at start after the cheapest edges ending there. The new edge
// index; -1 when no edge connects; -2 when memory ran out.
int addPathEntry(JpAnalyzer* a, int start, int node) {
  JpLattice& l = a->lattice;
  const LatticeNode& n = l.nodes[static_cast<std::size_t>(node)];
  int own = ownCost(a, n);
  int column = columnOf(a, n.connection);
  ColumnCacheSlot* slot =
      column >= 0 && column < static_cast<int>(l.columnCache.size()) ? &l.columnCache[static_cast<std::size_t>(column)] : nullptr;
  PathEntry e{};
  e.node = node;
  e.start = start;
  e.end = start + n.length;
  e.live = 1;
  if (slot && slot->position == start && slot->entry >= 1) {
    e.cost = slot->score + own;
    try {
      e.predecessors = l.pathEntries[static_cast<std::size_t>(slot->entry)].predecessors;
    } catch (const std::bad_alloc&) {
      outOfMemory(a);
      return -2;
    }
    return pushEdge(a, std::move(e));
  }
  int best = -1, bestScore = 0;
  for (std::size_t i = 0; l.endingHere[i] != -1; ++i) {
    int p = l.endingHere[i];
    int k = connectionCost(a, nodeOf(a, p).connection, n.connection);
    if (!k) continue;
    int score = a->connectionWeight * k + l.pathEntries[static_cast<std::size_t>(p)].cost;
    if (best < 0 || score < bestScore) best = p, bestScore = score;
  }
  if (best < 0) return -1;
  if (!addPredecessor(a, e, best)) return -2;
  for (std::size_t i = 0; l.endingHere[i] != -1; ++i) {
    int p = l.endingHere[i];
    if (p == best) continue;
    int k = connectionCost(a, nodeOf(a, p).connection, n.connection);
    if (!k) continue;
    int score = a->connectionWeight * k + l.pathEntries[static_cast<std::size_t>(p)].cost;
    if (score <= bestScore + a->tieSlack && !addPredecessor(a, e, p)) return -2;
  }
  e.cost = bestScore + own;
  int index = pushEdge(a, std::move(e));
  if (index >= 0 && slot) {
    *slot = ColumnCacheSlot{index, start, bestScore};
    if (l.cachedColumns.size() < l.cachedColumns.capacity()) l.cachedColumns.push_back(column);
    else l.cachedColumnsOverflow = true;
  }
  return index;
}

int collectEndingHere(JpAnalyzer* a, int position, int hint) {
  JpLattice& l = a->lattice;
  l.endingHere.clear();
  int count = static_cast<int>(l.pathEntries.size());
  for (int i = hint; i < count; ++i) {
    const PathEntry& e = l.pathEntries[static_cast<std::size_t>(i)];
    if (e.end == position && e.live) {
      if (!roomFor(a, l.endingHere)) return hint;
      l.endingHere.push_back(i);
    }
  }
  if (roomFor(a, l.endingHere)) l.endingHere.push_back(-1);
  while (hint < count && (l.pathEntries[static_cast<std::size_t>(hint)].end <= position ||
                          !l.pathEntries[static_cast<std::size_t>(hint)].live))
    ++hint;
  return hint;
}

void joinNumerals(JpAnalyzer* a, int position, int node) {
  JpLattice& l = a->lattice;
  auto isNumeral = [a](const LatticeNode& n) { return n.pos == a->numeralPos && n.subPos == a->numeralSubPos; };
  if (!isNumeral(l.nodes[static_cast<std::size_t>(node)])) return;
  for (std::size_t i = 0; l.endingHere[i] != -1 && !l.failed; ++i) {
    int e = l.endingHere[i];
    const LatticeNode& earlier = nodeOf(a, e);
    const LatticeNode& later = l.nodes[static_cast<std::size_t>(node)];
    if (!isNumeral(earlier) || connectionCost(a, earlier.connection, later.connection) == 0) continue;
    if (earlier.surface.size() + later.surface.size() > static_cast<std::size_t>(kJpMaxRunBytes)) break;
    int m = copyNode(a, l.pathEntries[static_cast<std::size_t>(e)].node);
    if (m < 0) return;
    LatticeNode& joined = l.nodes[static_cast<std::size_t>(m)];
    const LatticeNode& part = l.nodes[static_cast<std::size_t>(node)];
    joined.surface.append(part.surface.view());
    joined.chinese.append(part.chinese.view());
    joined.length += part.length;
    int extra = posCost(a, part.pos, part.subPos) * (part.weight - joined.weight) * a->posCostWeight;
    joined.weight = part.weight;
    joined.connection = part.connection;
    PathEntry copy = l.pathEntries[static_cast<std::size_t>(e)];
    copy.node = m;
    copy.end = position + part.length;
    copy.cost += extra;
    if (pushEdge(a, std::move(copy)) < 0) return;
  }
}

// A bracket or blank passes the class of the word before it on to the next word.
void addTransparentEdges(JpAnalyzer* a, int position, int node) {
  JpLattice& l = a->lattice;
  if (!isBracketOrBlank(l.nodes[static_cast<std::size_t>(node)])) return;
  for (std::size_t i = 0; l.endingHere[i] != -1 && !l.failed; ++i) {
    int e = l.endingHere[i];
    int wanted = nodeOf(a, e).connection;
    int match = -1;
    for (int k = node; k < static_cast<int>(l.nodes.size()); ++k) {
      const LatticeNode& c = l.nodes[static_cast<std::size_t>(k)];
      const LatticeNode& b = l.nodes[static_cast<std::size_t>(node)];
      if (c.pos == b.pos && c.subPos == b.subPos && c.weight == b.weight && c.connection == wanted &&
          c.surface.view() == b.surface.view()) {
        match = k;
        break;
      }
    }
    if (match < 0) {
      match = copyNode(a, node);
      if (match < 0) return;
      l.nodes[static_cast<std::size_t>(match)].connection = wanted;
    }
    int own = ownCost(a, l.nodes[static_cast<std::size_t>(match)]);
    // Edges made at this position come last; the node is new, so its edge is among them.
    int edge = -1;
    for (int k = static_cast<int>(l.pathEntries.size()) - 1; k >= 0 && edge < 0; --k) {
      const PathEntry& pe = l.pathEntries[static_cast<std::size_t>(k)];
      if (pe.start < position) break;
      if (pe.node == match && pe.start == position) edge = k;
    }
    if (edge < 0) {
      PathEntry t{};
      t.node = match;
      t.start = position;
      t.end = position + l.nodes[static_cast<std::size_t>(match)].length;
      t.live = 1;
      t.cost = l.pathEntries[static_cast<std::size_t>(e)].cost + own;
      if (!addPredecessor(a, t, e) || pushEdge(a, std::move(t)) < 0) return;
      continue;
    }
    PathEntry& t = l.pathEntries[static_cast<std::size_t>(edge)];
    if (!addPredecessor(a, t, e)) return;
    int lowest = l.pathEntries[static_cast<std::size_t>(t.predecessors[0])].cost;
    for (int p : t.predecessors) lowest = std::min(lowest, l.pathEntries[static_cast<std::size_t>(p)].cost);
    PredecessorList kept;
    try {
      for (int p : t.predecessors)
        if (l.pathEntries[static_cast<std::size_t>(p)].cost <= lowest + a->tieSlack) kept.push_back(p);
    } catch (const std::bad_alloc&) {
      outOfMemory(a);
      return;
    }
    t.predecessors = std::move(kept);
    t.cost = lowest + own;
  }
}

bool addDictionaryRecord(JpAnalyzer* a, int position, const JpDictRecord& r) {
  JpLattice& l = a->lattice;
  int n = newNode(a);
  if (n < 0) return false;
  copyRecordToNode(r, l.nodes[static_cast<std::size_t>(n)]);
  LatticeNode& node = l.nodes[static_cast<std::size_t>(n)];
  if (!posConjugates(a, node.pos, node.subPos)) {
    if (addPathEntry(a, position, n) == -2) return false;
    joinNumerals(a, position, n);
    addTransparentEdges(a, position, n);
    return !l.failed;
  }
  if (node.conjForm != 0) {
    std::string_view ending = conjFormEnding(a, node.conjType, node.conjForm);
    if (ending.size() <= node.surface.size()) node.surface = node.surface.view().substr(0, node.surface.size() - ending.size());
    return addPathEntry(a, position, n) != -2;
  }
  int stem = static_cast<int>(node.surface.size());
  int type = node.conjType;
  int entry = node.connection;
  int form = 1, length = 0;
  bool first = true;
  while (matchEnding(a, position, stem, type, &form, &length)) {
    int m = first ? n : copyNode(a, n);
    if (m < 0) return false;
    first = false;
    LatticeNode& f = l.nodes[static_cast<std::size_t>(m)];
    f.conjForm = static_cast<std::int8_t>(form);
    f.length = length;
    f.connection = raisedEntry(entry, form);
    if (addPathEntry(a, position, m) == -2) return false;
    ++form;
  }
  return true;
}

// A compound head at records[head], its parts after it.
bool addCompound(JpAnalyzer* a, int position, const JpDictRecord* records, int head, int parts) {
  JpLattice& l = a->lattice;
  const JpDictRecord& h = records[head];
  int w = h.weight();
  int headEntry = h.connection();
  std::vector<int> nodes;
  int start = position;
  std::vector<int> starts;
  for (int j = 0; j < parts; ++j) {
    int n = newNode(a);
    if (n < 0) return false;
    LatticeNode& p = l.nodes[static_cast<std::size_t>(n)];
    copyRecordToNode(records[head + 1 + j], p);
    p.compoundPart = 1;
    if (j < parts - 1 && posConjugates(a, p.pos, p.subPos)) {
      p.length += static_cast<int>(conjFormEnding(a, p.conjType, p.conjForm).size());
      p.connection = raisedEntry(p.connection, p.conjForm);
    }
    nodes.push_back(n);
    starts.push_back(start);
    start += p.length;
  }
  if (start > l.length) return true;
  const LatticeNode last = l.nodes[static_cast<std::size_t>(nodes.back())];
  std::vector<int> forms;
  if (!posConjugates(a, last.pos, last.subPos)) {
    forms.push_back(0);
  } else {
    int f = last.conjForm ? last.conjForm : 1, length = 0;
    while (matchEnding(a, starts.back(), last.length, last.conjType, &f, &length)) {
      if (last.conjForm && f != last.conjForm) break;
      forms.push_back(f);
      if (last.conjForm) break;
      ++f;
    }
  }
  for (std::size_t fi = 0; fi < forms.size(); ++fi) {
    int f = forms[fi];
    int lastNode = nodes.back();
    if (fi > 0) {
      lastNode = copyNode(a, nodes.back());
      if (lastNode < 0) return false;
      l.nodes[static_cast<std::size_t>(lastNode)] = last;
    }
    int firstNode = parts == 1 ? lastNode : nodes[0];
    int entryForForm = headEntry == -1 ? -1 : headEntry + (f ? f - 1 : 0);
    int saved = l.nodes[static_cast<std::size_t>(firstNode)].connection;
    if (headEntry != -1 && columnHasConnection(a, entryForForm))
      l.nodes[static_cast<std::size_t>(firstNode)].connection = entryForForm;
    int edge = addPathEntry(a, position, firstNode);
    l.nodes[static_cast<std::size_t>(firstNode)].connection = saved;
    if (edge == -2) return false;
    if (edge < 0) continue;
    PathEntry& fe = l.pathEntries[static_cast<std::size_t>(edge)];
    fe.live = 0;
    fe.cost += ownCost(a, l.nodes[static_cast<std::size_t>(firstNode)]) * (w - 10) / 10;
    int prev = edge;
    for (int j = 1; j < parts; ++j) {
      int nj = j == parts - 1 ? lastNode : nodes[static_cast<std::size_t>(j)];
      const LatticeNode& pn = nodeOf(a, prev);
      const LatticeNode& cn = l.nodes[static_cast<std::size_t>(nj)];
      int c = connectionCost(a, pn.connection, cn.connection);
      if (!c) c = 10;
      PathEntry e{};
      e.node = nj;
      e.start = l.pathEntries[static_cast<std::size_t>(prev)].end;
      e.end = e.start + cn.length;
      e.cost = l.pathEntries[static_cast<std::size_t>(prev)].cost + (ownCost(a, cn) + a->connectionWeight * c) * w / 10;
      e.live = 0;
      if (!addPredecessor(a, e, prev)) return false;
      prev = pushEdge(a, std::move(e));
      if (prev < 0) return false;
    }
    PathEntry& le = l.pathEntries[static_cast<std::size_t>(prev)];
    LatticeNode& ln = l.nodes[static_cast<std::size_t>(lastNode)];
    le.live = 1;
    if (headEntry != -1 && rowHasConnection(a, entryForForm)) ln.connection = headEntry;
    if (f != 0) {
      ln.conjForm = static_cast<std::int8_t>(f);
      ln.connection = raisedEntry(ln.connection, f);
      int ending = static_cast<int>(conjFormEnding(a, ln.conjType, f).size());
      ln.length += ending;
      le.end += ending;
    }
  }
  return true;
}

bool sameCodes(const LatticeNode& n, const JpDictRecord& r) {
  for (int i = 0; i < 4; ++i)
    if (n.recordCodes[i] != r.bytes[kJpRecPos + i]) return false;
  return true;
}

bool appendExtraCandidate(JpAnalyzer* a, int node, const JpDictRecord& r) {
  JpLattice& l = a->lattice;
  if (!roomFor(a, l.extraCandidates)) return false;
  ExtraCandidate c{};
  c.chinese = r.chinese();
  c.code = r.code();
  c.field = r.field();
  c.semantic = r.semantic();
  c.recordNumber = r.number();
  c.next = 0;
  l.extraCandidates.push_back(c);
  int index = static_cast<int>(l.extraCandidates.size()) - 1;
  std::int32_t* link = &l.nodes[static_cast<std::size_t>(node)].firstExtra;
  while (*link) link = &l.extraCandidates[static_cast<std::size_t>(*link)].next;
  *link = index;
  return true;
}

int lookupDictionaryWords(JpAnalyzer* a, int position) {
  JpLattice& l = a->lattice;
  if (!a->dictionary) return 1;
  int rc = searchJpDictionary(a->dictionary, textAt(a, position), l.dictResults.data(), kDictResultSlots);
  if (rc < 0) {
    showJpDictionaryError(a->dictionary, rc);
    return 0;
  }
  l.lookupFirstNode = static_cast<int>(l.nodes.size());
  const JpDictRecord* records = l.dictResults.data();
  for (int i = 0; i < kDictResultSlots && !records[i].isEnd(); ++i) {
    const JpDictRecord& r = records[i];
    if (r.isCompoundHead()) {
      int parts = r.subPos();
      int available = 0;
      while (available < parts && i + 1 + available < kDictResultSlots && !records[i + 1 + available].isEnd())
        ++available;
      if (available == parts && parts > 0 && !addCompound(a, position, records, i, parts)) return l.failed ? 0 : 1;
      i += available;
      continue;
    }
    bool matched = false;
    const std::string_view key = r.key();
    for (int n = l.lookupFirstNode; n < static_cast<int>(l.nodes.size()); ++n) {
      const LatticeNode& node = l.nodes[static_cast<std::size_t>(n)];
      if (node.compoundPart || !sameCodes(node, r) || node.key.view() != key) continue;
      if (!appendExtraCandidate(a, n, r)) return 0;
      matched = true;
    }
    if (!matched && !addDictionaryRecord(a, position, r)) return l.failed ? 0 : 1;
  }
  return 1;
}

int runBytes(std::string_view text, int position, JpCharClass cls) {
  int n = 0;
  while (position + n < static_cast<int>(text.size())) {
    JpCharClass c = charClass(text, position + n);
    // A Latin run takes ． only between letters (U.S.A), so that a full stop after a word ends it.
    bool same = c == cls || (cls == kCharKatakana && c == kCharLongMark) ||
                (cls == kCharLatin && c == kCharFullStop && charClass(text, position + n + 2) == kCharLatin);
    if (!same) break;
    auto b = static_cast<unsigned char>(text[static_cast<std::size_t>(position + n)]);
    int width = dbcs::isLeadByte(b) && position + n + 1 < static_cast<int>(text.size()) ? 2 : 1;
    if (n + width > kJpMaxRunBytes) break;
    n += width;
  }
  return n;
}

// ． is a full stop, as 。 is, except between digits (a decimal point).
bool isSentenceFullStop(std::string_view text, int position, JpCharClass cls) {
  if (cls != kCharFullStop) return false;
  return !(charClass(text, position - 2) == kCharDigit && charClass(text, position + 2) == kCharDigit);
}

void addUnknownWord(JpAnalyzer* a, int position) {
  JpLattice& l = a->lattice;
  std::string_view text = textAt(a, 0);
  JpCharClass cls = charClass(text, position);
  if (cls == kCharEnd) return;
  auto b = static_cast<unsigned char>(text[static_cast<std::size_t>(position)]);
  int width = dbcs::isLeadByte(b) && position + 1 < l.length ? 2 : 1;
  int n = newNode(a);
  if (n < 0) return;
  LatticeNode& node = l.nodes[static_cast<std::size_t>(n)];
  int length;
  if (isSentenceFullStop(text, position, cls)) {
    length = width;
    node.surface = text.substr(static_cast<std::size_t>(position), static_cast<std::size_t>(length));
    node.pos = static_cast<std::int8_t>(a->fullStopPos);
    node.subPos = static_cast<std::int8_t>(a->fullStopSubPos);
    node.connection = a->fullStopEntry;
  } else if (cls == kCharBlank) {
    length = 1;
    node.surface = "\\ ";
    node.pos = static_cast<std::int8_t>(a->blankPos);
    node.subPos = static_cast<std::int8_t>(a->blankSubPos);
    node.connection = a->blankEntry;
  } else {
    length = cls == kCharHiragana || cls == kCharKanji ? width : runBytes(text, position, cls);
    if (length < width) length = width;
    node.surface = text.substr(static_cast<std::size_t>(position), static_cast<std::size_t>(length));
    node.pos = static_cast<std::int8_t>(a->unknownPos);
    if (cls == kCharKatakana) {
      node.subPos = static_cast<std::int8_t>(a->katakanaSubPos);
      node.connection = a->katakanaEntry;
    } else if (cls == kCharLatin) {
      node.subPos = static_cast<std::int8_t>(a->alphabetSubPos);
      node.connection = a->alphabetEntry;
    } else {
      node.subPos = static_cast<std::int8_t>(a->otherSubPos);
      node.connection = a->otherEntry;
    }
  }
  // Every unknown word, the blank too, carries its surface in the Chinese code.
  std::string chinese;
  // The quotation marks before the word tell whether a closing mark closes a kept opening one.
  convertJpToEngineCode(a->jp2cw, narrowAscii(node.surface.view(), text.substr(0, static_cast<std::size_t>(position))),
                        chinese);
  node.chinese = chinese;
  node.length = length;
  if (addPathEntry(a, position, n) == -2) return;
  if (cls == kCharBlank) addTransparentEdges(a, position, n);
}

void prepareLattice(JpAnalyzer* a) {
  JpLattice& l = a->lattice;
  auto initial = [](auto& v) {
    if (v.capacity() < static_cast<std::size_t>(kJpLatticeStep)) v.reserve(kJpLatticeStep);
  };
  initial(l.nodes);
  initial(l.extraCandidates);
  initial(l.pathEntries);
  initial(l.endingHere);
  initial(l.walkStack);
  if (l.dictResults.size() != static_cast<std::size_t>(kDictResultSlots)) l.dictResults.resize(kDictResultSlots);
  initial(l.cachedColumns);
  // Only the slots the last sentence wrote need their reset.
  if (l.columnCache.size() != static_cast<std::size_t>(kJpColumnCacheSlots) || l.cachedColumnsOverflow) {
    l.columnCache.assign(static_cast<std::size_t>(kJpColumnCacheSlots), ColumnCacheSlot{0, -1, 0});
  } else {
    for (std::int32_t c : l.cachedColumns) l.columnCache[static_cast<std::size_t>(c)] = ColumnCacheSlot{0, -1, 0};
  }
  l.cachedColumns.clear();
  l.cachedColumnsOverflow = false;
  l.nodes.clear();
  l.extraCandidates.clear();
  l.pathEntries.clear();
  l.morphs.clear();
  l.failed = false;
  l.endEdge = -1;
  l.nodes.emplace_back();
  setEndMarker(l.nodes.back(), "(文頭)");
  l.extraCandidates.emplace_back();  // index 0 means none
  PathEntry start{};
  start.live = 1;
  l.pathEntries.push_back(std::move(start));
}

// Room for the most a line can need (a run of numerals joins each character with up to
// kJpMaxRunBytes of numerals before it), so that a long line grows no array while it is
// analysed; the pages are touched only as they fill. A growth refused by the fail point fails
// the sentence as any growth does; when the system cannot give that much, the arrays grow as
// they fill instead.
bool reserveForLine(JpAnalyzer* a) {
  JpLattice& l = a->lattice;
  const std::size_t most = static_cast<std::size_t>(l.length / 2 + 1) * (kJpMaxRunBytes / 2 + 2);
  if (l.nodes.capacity() >= most && l.pathEntries.capacity() >= most) return true;
  if (plat::failPointHit(kLatticeGrowthFailPoint)) return outOfMemory(a);
  try {
    if (l.nodes.capacity() < most) l.nodes.reserve(most);
    if (l.pathEntries.capacity() < most) l.pathEntries.reserve(most);
  } catch (const std::bad_alloc&) {
  }
  return true;
}

// Morph records of one lattice edge; k is its place in its group.
void collectMorphRecord(JpAnalyzer* a, int edge, int k, int groupFirst) {
  JpLattice& l = a->lattice;
  const LatticeNode& n = nodeOf(a, edge);
  if (k > 0) {
    if (isBracketOrBlank(n)) return;
    const LatticeNode& g = nodeOf(a, groupFirst);
    if (n.compoundPart && n.surface.view() == g.surface.view() && std::memcmp(n.recordCodes, g.recordCodes, 4) == 0 &&
        n.chinese.view() == g.chinese.view() && n.code.view() == g.code.view() && n.field.view() == g.field.view() &&
        n.semantic.view() == g.semantic.view() && n.savedSubPos == g.savedSubPos)
      return;
  }
  MorphRecord m{};
  m.surface = n.surface.view();
  m.baseForm = n.surface.view();
  if (n.conjType > 0 && n.conjForm > 0) {
    m.surface.append(conjFormEnding(a, n.conjType, n.conjForm));
    for (int f = 1; !conjFormName(a, n.conjType, f).empty(); ++f)
      if (conjFormName(a, n.conjType, f) == "基本形") {
        m.baseForm.append(conjFormEnding(a, n.conjType, f));
        break;
      }
  }
  m.pos = static_cast<std::uint8_t>(n.pos);
  m.subPos = static_cast<std::uint8_t>(n.savedSubPos ? n.savedSubPos : n.subPos);
  m.conjType = static_cast<std::uint8_t>(n.conjType);
  m.conjForm = static_cast<std::uint8_t>(n.conjForm);
  m.chinese = n.chinese.view();
  m.code = n.code.view();
  m.field = n.field.view();
  m.semantic = n.semantic.view();
  m.recordNumber = n.recordNumber;
  if (static_cast<int>(l.morphs.size()) >= kJpMaxMorphRecords) return;
  l.morphs.push_back(m);
  for (int c = n.firstExtra; c && static_cast<int>(l.morphs.size()) < kJpMaxMorphRecords;
       c = l.extraCandidates[static_cast<std::size_t>(c)].next) {
    const ExtraCandidate& x = l.extraCandidates[static_cast<std::size_t>(c)];
    MorphRecord d = m;
    d.chinese = x.chinese.view();
    d.code = x.code.view();
    d.field = x.field.view();
    d.semantic = x.semantic.view();
    d.recordNumber = x.recordNumber;
    l.morphs.push_back(d);
  }
}

// A number as "%02u" writes it.
void appendTwoDigits(std::string& out, unsigned v) {
  if (v >= 100) {
    out += std::to_string(v);
    return;
  }
  out += static_cast<char>('0' + v / 10);
  out += static_cast<char>('0' + v % 10);
}

// The lines of the group, written at once.
void writeMorphemeLines(JpAnalyzer* a, std::FILE* file) {
  std::string text;
  bool first = true;
  for (const MorphRecord& m : a->lattice.morphs) {
    if (!first) text += 'D';
    text += '\t';
    text += m.surface.c_str();
    text += '\t';
    text += m.baseForm.c_str();
    text += '\t';
    appendTwoDigits(text, m.pos);
    appendTwoDigits(text, m.subPos);
    appendTwoDigits(text, m.conjType);
    appendTwoDigits(text, m.conjForm);
    text += '\t';
    text += m.chinese.c_str();
    text += '\t';
    text += m.code.c_str();
    text += '\t';
    text += m.recordNumber == 0 ? "U" : m.field.c_str();
    text += '\t';
    text += m.semantic.c_str();
    text += '\n';
    first = false;
  }
  if (!text.empty()) std::fwrite(text.data(), 1, text.size(), file);
}

// Writes the groups of the walk stack, the earliest in the sentence first.
void writePath(JpAnalyzer* a, std::FILE* file, int lastGroup) {
  JpLattice& l = a->lattice;
  std::vector<int> starts;
  for (int i = 2; i <= lastGroup;) {
    starts.push_back(i);
    while (l.walkStack[static_cast<std::size_t>(i)] != -1) ++i;
    ++i;
  }
  for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
    l.morphs.clear();
    int groupFirst = l.walkStack[static_cast<std::size_t>(*it)];
    for (int k = 0; l.walkStack[static_cast<std::size_t>(*it + k)] != -1; ++k)
      collectMorphRecord(a, l.walkStack[static_cast<std::size_t>(*it + k)], k, groupFirst);
    writeMorphemeLines(a, file);
  }
}

struct WalkFrame {
  int groupStart, top, length, start;
  bool prefer;
};

// The tie-break walk from the end marker back to the sentence start: among equally cheap paths
// the shortest preceding word wins, except that a two-character word is preferred after a
// two-character word preceded by a word of two to four characters.
int walkBestPath(JpAnalyzer* a, std::FILE* file) {
  JpLattice& l = a->lattice;
  auto edge = [&l](int i) -> const PathEntry& { return l.pathEntries[static_cast<std::size_t>(i)]; };
  std::vector<WalkFrame> frames{{0, 2, 0, 0, false}};
  while (!frames.empty()) {
    WalkFrame& f = frames.back();
    if (f.length == 0) {
      const PathEntry& g0 = edge(l.walkStack[static_cast<std::size_t>(f.groupStart)]);
      if (!g0.predecessors.empty() && g0.predecessors[0] == 0) {
        writePath(a, file, f.groupStart);
        return 1;
      }
      f.start = g0.start;
      if (f.start < 1) {
        frames.pop_back();
        continue;
      }
      f.prefer = false;
      for (int i = f.groupStart; l.walkStack[static_cast<std::size_t>(i)] != -1 && !f.prefer; ++i)
        for (int p : edge(l.walkStack[static_cast<std::size_t>(i)]).predecessors) {
          if (edge(p).start != f.start - 4) continue;
          for (int q : edge(p).predecessors)
            if (edge(q).start >= f.start - 12 && edge(q).start <= f.start - 8) f.prefer = true;
        }
    }
    ++f.length;
    if (f.length > f.start) {
      frames.pop_back();
      continue;
    }
    int span = f.length;
    if (f.prefer && span == 2) span = 4;
    else if (f.prefer && span == 4) span = 2;
    l.walkStack.resize(static_cast<std::size_t>(f.top));
    for (int i = f.groupStart; l.walkStack[static_cast<std::size_t>(i)] != -1; ++i)
      for (int p : edge(l.walkStack[static_cast<std::size_t>(i)]).predecessors)
        if (edge(p).start == f.start - span &&
            std::find(l.walkStack.begin() + f.top, l.walkStack.end(), p) == l.walkStack.end())
          l.walkStack.push_back(p);
    if (static_cast<int>(l.walkStack.size()) == f.top) continue;
    l.walkStack.push_back(-1);
    frames.push_back(WalkFrame{f.top, static_cast<int>(l.walkStack.size()), 0, 0, false});
  }
  return 0;
}

}  // namespace

bool isBracketOrBlank(const LatticeNode& n) { return n.pos == 1 && (n.subPos == 3 || n.subPos == 4 || n.subPos == 6); }

JpCharClass charClass(std::string_view text, int position) {
  if (position < 0 || position >= static_cast<int>(text.size())) return kCharEnd;
  auto b = static_cast<unsigned char>(text[static_cast<std::size_t>(position)]);
  if (b == 0) return kCharEnd;
  if (b == ' ') return kCharBlank;
  if (!dbcs::isLeadByte(b) || position + 1 >= static_cast<int>(text.size())) return kCharSingleByte;
  unsigned code = b << 8 | static_cast<unsigned char>(text[static_cast<std::size_t>(position) + 1]);
  if (code == 0x8144) return kCharFullStop;
  if (code == 0x815B) return kCharLongMark;
  if (code < 0x824F) return kCharSymbol;
  if (code <= 0x825F) return kCharDigit;
  if (code <= 0x829E) return kCharLatin;
  if (code <= 0x833F) return kCharHiragana;
  if (code <= 0x839E) return kCharKatakana;
  if (code <= 0x889E) return kCharOtherNonKanji;
  return kCharKanji;
}

int analyzeSentence(JpAnalyzer* a) {
  JpLattice& l = a->lattice;
  l.length = static_cast<int>(strnlen(a->input, sizeof a->input));
  if (l.length == 0 || l.length >= kJpInputSize) return 0;
  try {
    prepareLattice(a);
  } catch (const std::bad_alloc&) {
    outOfMemory(a);
    return 0;
  }
  if (!reserveForLine(a)) return 0;
  int position = 0, hint = 0, step = 0;
  while (position < l.length) {
    hint = collectEndingHere(a, position, hint);
    if (l.failed) return 0;
    if (l.endingHere[0] != -1) {
      if (dbcs::isLeadByte(static_cast<unsigned char>(a->input[position]))) {
        if (!lookupDictionaryWords(a, position)) return 0;
        step = 2;
      } else {
        step = 1;
      }
      addUnknownWord(a, position);
      if (l.failed) return 0;
    }
    position += step;
  }
  int end = newNode(a);
  if (end < 0) return 0;
  setEndMarker(l.nodes[static_cast<std::size_t>(end)], "(文末)");
  collectEndingHere(a, l.length, hint);
  if (l.failed) return 0;
  int edge = addPathEntry(a, l.length, end);
  if (edge == -2) return 0;
  l.endEdge = edge;
  return 1;
}

int writeMorphemes(JpAnalyzer* a, std::FILE* file) {
  JpLattice& l = a->lattice;
  if (l.failed || l.endEdge < 1) return 0;
  l.walkStack.assign({l.endEdge, -1});
  return walkBestPath(a, file);
}

}  // namespace jc
