#include "engine/cj/transfer/japanese_output.h"

#include <memory>
#include <new>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/predicate_generation.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/structural_transfer.h"
#include "platform/core/codepage.h"
#include "platform/core/fail_point.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

bool pushOutputFrame(CjTransferContext& c, int n) {
  CjTransferFrame f;
  f.node = n;
  try {
    c.frameStack.push_back(f);
  } catch (const std::bad_alloc&) {
    showTransferOutOfMemory();
    return false;
  }
  return true;
}

void chooseFirstTranslation(CjTransferContext& c, int i) {
  CjTargetNode& t = c.targets[i];
  const char letter = node(c, i).CAT[0];
  if (letter != 'A') {
    chooseTranslation(c, i, letter);
    return;
  }
  if (t.vform == 't' && t.neg == 0) {
    if (translateSpecialWord(c, i, 'a')) {
      t.ten = 'B';
    } else {
      chooseTranslation(c, i, 'A');
    }
  } else if (t.vform == 'y' || t.vform == 'd') {
    if (!translateSpecialWord(c, i, 'a')) chooseTranslation(c, i, 'A');
  } else {
    chooseTranslation(c, i, 'A');
  }
}

}  // namespace

bool initTransferContext(CjTransferContext& c, CjSentence* sentence, std::vector<CjRoleLink>* roleLinks,
                         CjSentenceSummary* summary) {
  c.result.clear();
  c.sentence = sentence;
  c.roleLinks = roleLinks;
  c.summary = summary;
  initTargetNodes(c);
  bool ok = copyRoleLinks(c) != 0;
  if (ok) {
    ok = !plat::failPointHit(kWalkListsFailPoint);
    if (ok) {
      try {
        c.savedHeader = std::make_unique<CjSentenceSummary>();
        c.frameStack.assign(1, CjTransferFrame{});
        c.orderList.clear();
        c.orderList.reserve(8);
      } catch (const std::bad_alloc&) {
        ok = false;
      }
    }
    if (!ok) showTransferOutOfMemory();
  }
  if (!ok) {
    c.savedHeader.reset();
    freeFrameStack(c);
    freeOrderList(c);
  }
  return ok;
}

// A sentence without its context: its engine learns why (a missing sentence has none to tell).
static void reportOutOfMemory(CjSentence* sentence) {
  if (sentence && sentence->engine) sentence->engine->engineStatus = kStatusOutOfMemory;
}

void generateJapanese(CjSentence* sentence, std::vector<CjRoleLink>* roleLinks, CjSentenceSummary* summary,
                      std::u16string& output, CjLineState& line) {
  CjEngine* engine = sentence ? sentence->engine : nullptr;
  std::unique_ptr<CjTransferContext> c;
  if (!plat::failPointHit(kContextFailPoint)) {
    if (engine && engine->spareContext) {
      c.reset(engine->spareContext.release());
    } else {
      c.reset(new (std::nothrow) CjTransferContext);
    }
  }
  if (!c) {
    showTransferOutOfMemory();
    reportOutOfMemory(sentence);
    return;
  }
  if (!sentence || !roleLinks || !summary || !initTransferContext(*c, sentence, roleLinks, summary)) {
    reportOutOfMemory(sentence);
    freeTransferContext(c, 1);
    return;
  }
  c->line = line;
  declareTransferRules();
  transferStructure(*c);
  writeJapaneseOutput(*c);
  line = c->line;
  output = plat::multiByteToWide(plat::kSystemCodePage, c->result);
  if (!engine) {
    freeTransferContext(c, 1);
    return;
  }
  // Kept for the engine's next sentence, which sets it up again.
  noteTargetsInUse(*c);
  engine->spareContext = {c.release(), [](CjTransferContext* kept) { delete kept; }};
}

void writeJapaneseOutput(CjTransferContext& c) {
  int steps = 0;
  for (int n = c.firstTop; n > 0 && n < kMaxNodes && steps < kMaxNodes; n = c.targets[n].nextSibling, ++steps) {
    walkTargetTree(c, n);
  }
}

bool frameStackEmpty(const CjTransferContext& c) { return c.frameStack.size() <= 1; }

int nextFrameChild(CjTransferContext& c) {
  if (c.frameStack.empty()) return 0;
  CjTransferFrame& f = c.frameStack.back();
  const int k = ++f.childCounter;
  const CjTargetNode* t = targetNode(c, f.node);
  int n = t ? t->firstChild : 0;
  for (int step = 0; step < k && n > 0 && n < kMaxNodes; ++step) n = c.targets[n].nextSibling;
  return n > 0 && n < kMaxNodes ? n : 0;
}

void walkTargetTree(CjTransferContext& c, int n) {
  if (n < 1 || n >= kMaxNodes) return;
  if (c.frameStack.empty() && !pushOutputFrame(c, 0)) return;
  // Every node is entered once per tree; the bound guards a damaged sibling chain.
  for (int guard = 0; guard < 4 * kMaxNodes; ++guard) {
    bool childless = false;
    while (!isTargetWord(c, n)) {
      appendPrefixToResult(c, n);
      if (!pushOutputFrame(c, n)) return;
      n = c.targets[n].firstChild;
      if (n == 0) {
        // A phrase whose children were all unlinked is closed at once.
        appendAttToResult(c, c.frameStack.back().node);
        c.frameStack.pop_back();
        childless = true;
        break;
      }
    }
    if (!childless) {
      appendPrefixToResult(c, n);
      renderWord(c, n);
    }
    n = 0;
    while (!frameStackEmpty(c)) {
      n = nextFrameChild(c);
      if (n != 0) break;
      appendAttToResult(c, c.frameStack.back().node);
      c.frameStack.pop_back();
    }
    if (n == 0) return;
  }
}

// An A-not-A phrase heading the question's predicate (这样好不好？) has written its か already.
static bool askedByPhrase(const CjTransferContext& c, int i) {
  if (!c.sentence) return false;
  for (int k = i, steps = 0; k > 0 && k < kMaxNodes && steps < kMaxNodes; ++steps) {
    const CjNode& n = c.sentence->nodes[k];
    if (n.structureClass == '3' && (n.ruleNumber == 7 || n.ruleNumber == 33)) return true;
    const int h = c.targets[k].headChild;
    if (h == k || h <= 0) break;
    k = h;
  }
  return false;
}

void renderWord(CjTransferContext& c, int i) {
  if (i < 1 || i >= kMaxNodes) return;
  CjTargetNode& t = c.targets[i];
  if (!t.alive) {
    if (t.substitute != 0) appendAttToResult(c, i);
    return;
  }
  if (t.japanese.empty() && t.candidates.empty()) chooseFirstTranslation(c, i);
  if (!t.alive) return;
  generatePredicate(c, i);
  const CjNode& n = node(c, i);
  if (t.japanese == "?" || t.japanese == "？") {
    const CjNode& prev = node(c, t.prevSibling);
    const std::string_view before = prev.CAT.view();
    // After a final particle (吗 written か, 吧, 呢) the particle has asked already: no second か.
    const bool afterParticle = before == "E" || (prev.CHI == "ma" && before == "P");
    if (t.prevSibling > 0 && (before == "S" || before == "K" || afterParticle || askedByPhrase(c, t.prevSibling))) {
      c.result += "？";
    } else {
      c.result += questionNeedsKa(c, c.govWork) ? "か？" : "？";
    }
    appendAttToResult(c, i);
  } else if (n.CHI == "ma" && n.CAT == "P") {
    c.result += "か";
    appendAttToResult(c, i);
  } else if (t.japanese.empty()) {
    for (CjCandidate& k : t.candidates) {
      if (!t.keepEllipsis && containsAtBoundary(k.text.view(), "…")) k.text.clear();
      if (!k.text.empty()) {
        c.result += k.text.view();
        break;
      }
    }
    appendAttToResult(c, i);
  } else if (n.CAT == "W") {
    c.result += t.japanese.view();
    appendAttToResult(c, i);
  } else {
    if (t.japanese == "," || t.japanese == "，") {
      c.result += c.line.reportingVerbState == 1 ? "。" : "、";
    } else if (c.line.reportingVerbState == 1 && (t.japanese == ":" || t.japanese == "：")) {
      // A reporting clause held behind its quotation ends the line: its colon becomes the full stop.
      c.result += "。";
    } else {
      c.result += t.japanese.view();
    }
    appendAttToResult(c, i);
  }
}

bool questionNeedsKa(CjTransferContext& c, int g) {
  const int h = targetHead(c, g);
  std::string code, text;
  if (h > 0 && !c.targets[h].japanese.empty()) {
    const CjTargetNode* gov = c.govNode > 0 ? targetNode(c, c.govNode) : nullptr;
    if (gov) {
      code = gov->jcat.str();
      text = gov->japanese.str();
    }
  } else {
    if (h < 1 || c.targets[h].candidates.empty()) return true;
    code = c.targets[h].candidates.front().code.str();
    text = c.targets[h].candidates.front().text.str();
  }
  if (code == "Q1" || code == "Q2" || code == "NA") return false;
  if (code == "00" || code.rfind("DOKU", 0) == 0) return textEndsWith(text, "た") || textEndsWith(text, "です");
  return true;
}

}  // namespace cj
