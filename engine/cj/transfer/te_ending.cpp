#include "engine/cj/transfer/te_ending.h"

#include <string>

#include "engine/cj/transfer/adjective_conjugation.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/predicate_generation.h"

namespace cj {
namespace {

void teForm(CjTransferContext& c, int h, std::string& text, std::string& code) {
  CjTargetNode& t = c.targets[h];
  CjModalities m = t;
  conjugate(c, h, t.vform, text, code, m);
  predicateTeForm(text, code);
}

}  // namespace

void attachTeEnding(CjTransferContext& c, int n) {
  CjTargetNode* node = targetNode(c, n);
  const CjNode* source = sourceNode(c, n);
  if (!node || !source || n < 1) return;
  node->vform = 'z';
  node->ten = 'A';
  const int h = targetHead(c, n);
  if (h < 1) return;
  CjTargetNode& t = c.targets[h];
  if (t.japanese.empty() && t.candidates.empty()) chooseTranslation(c, h, source->CAT[0]);
  if (!t.japanese.empty()) {
    std::string text = t.japanese.str(), code = t.jcat.str();
    teForm(c, h, text, code);
    t.japanese = text;
    t.jcat = code;
  } else {
    for (CjCandidate& cand : t.candidates) {
      std::string text = cand.text.str(), code = cand.code.str();
      teForm(c, h, text, code);
      cand.text = text;
      cand.code = code;
    }
  }
  t.ruleFlag1 = 0;
  t.neg = 0;
  t.voi = 0;
  t.neng = t.shiyi = t.yuanyi = 0;
  t.buding = t.chuanwen = t.yangtai = t.yinggai = 0;
  t.ten = 'A';
  t.asp = 'A';
}

}  // namespace cj
