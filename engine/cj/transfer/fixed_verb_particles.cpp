#include "engine/cj/transfer/fixed_verb_particles.h"

#include <string_view>

#include "engine/common/word_table.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kFixedVerbParticlesExistenceNiVerbsKey{"fixedVerbParticles.existenceNiVerbs"};
constinit ListedKey kFixedVerbParticlesNiVerbsKey{"fixedVerbParticles.niVerbs"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"fixedVerbParticles.niVerbs", 2, 2, 2},
    {"fixedVerbParticles.existenceNiVerbs", 5, 2, 4},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

}  // namespace

std::string particleForFixedVerb(CjTransferContext& c, int, int verb) {
  const CjTargetNode* t = verb > 0 ? targetNode(c, verb) : nullptr;
  const CjNode* n = verb > 0 ? sourceNode(c, verb) : nullptr;
  if (!t || !n) return "";
  std::string_view jcat = t->jcat.view();
  if (jcat == "DOKU0") return "を";
  if (jcat == "DOKU1") return "に";
  if (jcat == "DOKU2") return "が";
  // "ではない" holds "ない" but is the negated copula, not a verb of existence.
  bool existence = false;
  for (std::string_view word : {"ある", "いる", "現れる", "存在する", "ない", "なかった", "あった"}) {
    if (containsAtBoundary(t->japanese.view(), word)) existence = true;
  }
  if (t->japanese == "ではない") existence = false;
  std::string_view chi = n->CHI.view();
  if (existence)
    return tallied(isListedWord(kFixedVerbParticlesExistenceNiVerbsKey, chi), "fixedVerbParticles.particleForFixedVerb")
               ? "に"
               : "が";
  if (tallied(isListedWord(kFixedVerbParticlesNiVerbsKey, chi), "fixedVerbParticles.particleForFixedVerb")) return "に";
  if (isIntransitiveCode(jcat) && !isTransitiveCode(jcat)) return "に";
  if (t->japanese == "だ" || t->japanese == "ではない") return "";
  return "を";
}

}  // namespace cj
