#include "engine/cj/analysis/sentence.h"

#include <new>

#include "platform/core/notify.h"

namespace cj {

namespace {

void showOutOfMemory() { plat::messageBox(u"メモリ不足!", u"", plat::kMbOk | plat::kMbIconExclamation); }

}  // namespace

void clearFeatures(CjFeatures& f) { f = CjFeatures{}; }

void initSense(CjSense& sense) { clearFeatures(sense); }

void clearNodeFeatures(CjSentence& s, int i) {
  if (i < 0 || i >= kMaxNodes) return;
  clearFeatures(s.nodes[i].features);
}

void setNodeDefaults(CjNode& node) { node = CjNode{}; }

void initNode(CjSentence& s, int i) {
  if (i < 0 || i >= kMaxNodes) return;
  CjNode& n = s.nodes[i];
  n = CjNode{};
  n.headChild = i;
}

void linkWordChain(CjSentence& s) {
  CjNode& anchor = s.nodes[0];
  anchor.kind = '4';
  anchor.parent = anchor.firstChild = anchor.lastChild = anchor.prev = anchor.next = 0;
  anchor.headChild = anchor.secondHead = 0;
  int words = s.nodeCount < kMaxNodes ? s.nodeCount : kMaxNodes - 1;
  for (int i = 1; i <= words; ++i) {
    CjNode& n = s.nodes[i];
    n.kind = '4';
    n.parent = n.firstChild = n.lastChild = 0;
    n.headChild = i;
    n.prev = i - 1;
    n.next = i + 1;
    n.secondHead = 0;
  }
  if (words >= 1) {
    s.nodes[1].prev = 0;
    s.nodes[words].next = 0;
  }
  s.wordCount = words;
  s.lastTop = words;
  s.firstTop = 1;
}

std::unique_ptr<CjSentence> buildSentence(int count) {
  if (count < 0 || count >= kMaxNodes) return nullptr;
  std::unique_ptr<CjSentence> s(new (std::nothrow) CjSentence);
  if (!s) {
    showOutOfMemory();
    return nullptr;
  }
  try {
    s->nodeCount = count;
    s->parserBlocks.push_back(CjParserBlock{});
    s->roleLinks.reserve(16);
    s->summary = std::make_unique<CjSentenceSummary>();
  } catch (const std::bad_alloc&) {
    showOutOfMemory();
    return nullptr;
  }
  // The nodes of a new sentence are already as initNode leaves them, but for their own head.
  for (int i = 0; i < kMaxNodes; ++i) s->nodes[i].headChild = i;
  linkWordChain(*s);
  return s;
}

std::unique_ptr<CjSentence> reuseSentence(std::unique_ptr<CjSentence>& spare, int count) {
  if (!spare) return buildSentence(count);
  if (count < 0 || count >= kMaxNodes) return nullptr;
  std::unique_ptr<CjSentence> s = std::move(spare);
  s->nodeCount = count;
  linkWordChain(*s);
  return s;
}

void keepSentence(std::unique_ptr<CjSentence>& s, std::unique_ptr<CjSentence>& spare) {
  if (!s) return;
  CjSentence& r = *s;
  // Slots past the node count are written only by the parser's temporary end, one past it.
  const int used = r.nodeCount + 1 < kMaxNodes ? r.nodeCount + 1 : kMaxNodes - 1;
  try {
    for (int i = 0; i <= used; ++i) initNode(r, i);
    static_cast<CjSentenceHeader&>(r) = CjSentenceHeader{};
    r.engine = nullptr;
    r.matchQuestion = FixedText<90>{};
    r.matchHash = FixedText<90>{};
    r.matchQuestionNode = r.matchHashNode = 0;
    r.roleLinks.clear();
    if (r.summary) {
      *r.summary = CjSentenceSummary{};
    } else {
      r.summary = std::make_unique<CjSentenceSummary>();
    }
    r.parserBlocks.assign(1, CjParserBlock{});
  } catch (const std::bad_alloc&) {
    s.reset();
    return;
  }
  spare = std::move(s);
}

void releaseSentence(CjSentence& s) {
  s.parserBlocks.clear();
  s.parserBlocks.shrink_to_fit();
  s.roleLinks.clear();
  s.roleLinks.shrink_to_fit();
  s.summary.reset();
  int last = s.nodeCount < kMaxNodes ? s.nodeCount : kMaxNodes - 1;
  for (int i = 0; i <= last; ++i) {
    s.nodes[i].senses.clear();
    s.nodes[i].senses.shrink_to_fit();
  }
}

int applySenseFeatures(CjSentence& s, int i) {
  if (i < 0 || i > s.nodeCount || i >= kMaxNodes) return 0;
  CjNode& n = s.nodes[i];
  for (const CjSense& sense : n.senses) {
    if (sense.catLetter != n.CAT[0]) continue;
    CjFeatures& f = n.features;
    const char keepLetter = f.catLetter;
    const char keepNeg2 = f.NEG2;
    f = sense;
    f.catLetter = keepLetter;
    f.NEG2 = keepNeg2;
    return 0;
  }
  return 0;
}

std::vector<CjRoleLink>& roleLinksOf(CjSentence& s) { return s.roleLinks; }

CjSentenceSummary* summaryOf(CjSentence& s) {
  if (!s.summary) return nullptr;
  *s.summary = s;
  return s.summary.get();
}

}  // namespace cj
