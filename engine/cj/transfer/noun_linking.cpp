#include "engine/cj/transfer/noun_linking.h"
#include "engine/cj/transfer/rule_watch.h"

#include <string>

#include "engine/cj/analysis/node_build.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/entity_tests.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/role_link_queries.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kNounLinkingCompoundEndingKey{"nounLinking.compoundEnding"};
constinit ListedKey kNamePairExcluded{"nounLinking.namePairExcluded"};
constinit ListedKey kNameCompoundExcluded{"nounLinking.nameCompoundExcluded"};
constinit ListedKey kNameCompoundNext{"nounLinking.nameCompoundNext"};
constinit ListedKey kPlacePersonExcluded{"nounLinking.placePersonExcluded"};
constinit ListedKey kCompoundWords{"nounLinking.compoundWords"};
constinit ListedKey kCountedWords{"nounLinking.countedWords"};
constinit ListedKey kCountedNext{"nounLinking.countedNext"};
constinit ListedKey kCountedDropped{"nounLinking.countedDropped"};
constinit ListedKey kCountedBack{"nounLinking.countedBack"};
constinit ListedKey kCountedBackFurther{"nounLinking.countedBackFurther"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {kNamePairExcluded, 2, 1, 1},
    {kNameCompoundExcluded, 2, 1, 1},
    {kNameCompoundNext, 5, 2, 2},
    {kPlacePersonExcluded, 2, 1, 1},
    {kNounLinkingCompoundEndingKey, 1, 2, 2},
    {kCompoundWords, 3, 1, 2},
    {kCountedWords, 17, 1, 0},
    {kCountedNext, 2, 1, 1},
    {kCountedDropped, 2, 2, 2},
    {kCountedBack, 2, 1, 1},
    {kCountedBackFurther, 2, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

const CjNode* nodeAt(CjTransferContext& c, int i) { return i > 0 ? sourceNode(c, i) : nullptr; }

bool isWord(CjTransferContext& c, int i) { return c.sentence && i > 0 && isWordNode(*c.sentence, i); }

bool chiListed(CjTransferContext& c, const ListedKey& key, int i) {
  const CjNode* n = nodeAt(c, i);
  return n && isListedWord(key, n->CHI.view());
}

// The node's code after making sure it has a translation; empty when it has none.
std::string codeOf(CjTransferContext& c, int i) {
  const CjNode* n = nodeAt(c, i);
  if (!n) return "";
  CjTargetNode& t = c.targets[i];
  if (t.japanese.empty() && t.candidates.empty()) chooseTranslation(c, i, n->CAT[0]);
  if (!t.japanese.empty()) return t.jcat.str();
  return t.candidates.empty() ? "" : t.candidates.front().code.str();
}

// The word after node i's head word.
int followingWord(CjTransferContext& c, int i) {
  const int h = targetHead(c, i);
  return h > 0 && h + 1 < kMaxNodes ? h + 1 : 0;
}

// Node i's next node when it is a word other than the two words of key.
int nextWordNotIn(CjTransferContext& c, int i, const ListedKey& key) {
  const CjNode* n = nodeAt(c, i);
  if (!n || !isWord(c, n->next) || chiListed(c, key, n->next)) return 0;
  return n->next;
}

bool hasSem(const CjNode* n, char code) {
  return n && n->features.M_SEM.view().find(code) != std::string_view::npos;
}

}  // namespace

int hasCode(CjTransferContext& c, int i, std::string_view code) { return nodeAt(c, i) && codeOf(c, i) == code ? 1 : 0; }

int isNamePair(CjTransferContext& c, int i) {
  const int f = followingWord(c, i);
  if (!nodeAt(c, i) || !isWord(c, f) || chiListed(c, kNamePairExcluded, f)) return 0;
  return isPersonName(c, i) && isPersonName(c, f) ? 1 : 0;
}

int isNameCompound(CjTransferContext& c, int i) {
  const int next = nextWordNotIn(c, i, kNameCompoundExcluded);
  if (!next) return 0;
  if (isPersonName(c, i) && (isPlaceWord(c, next) || isPersonName(c, next))) return 1;
  return nodeAt(c, i)->CAT[0] == 'N' && chiListed(c, kNameCompoundNext, next) ? 1 : 0;
}

int isPlacePersonPair(CjTransferContext& c, int i) {
  const int next = nextWordNotIn(c, i, kPlacePersonExcluded);
  if (!next) return 0;
  return isPlaceName(c, i) && isPersonOrOrganisationWord(c, next) ? 1 : 0;
}

int isCompoundNoun(CjTransferContext& c, int i) {
  const CjNode* n = nodeAt(c, i);
  if (!n) return 0;
  const std::string code = codeOf(c, i);
  const int f = followingWord(c, i);
  if (code == "NJ000" || code == "NJX00") {
    const std::string next = nodeAt(c, f) ? codeOf(c, f) : "";
    if (code == "NJ000" && (next == "NJX00" || next == "NJN00")) return 1;
    if (code == "NJX00" && next == "NJX00") return 1;
  }
  const std::string& ending = listedWord(kNounLinkingCompoundEndingKey);
  if (!ending.empty() && textEndsWith(n->CHI.view(), ending)) return tallied(true, "nounLinking.isCompoundNoun");
  return tallied(chiListed(c, kCompoundWords, i), "nounLinking.isCompoundNoun") ? 1 : 0;
}

int nextHasFrameSeven(CjTransferContext& c, int i) {
  if (!nodeAt(c, i) || !nodeAt(c, i + 1)) return 0;
  // Reads the candidates the node has; translating it here would fix its rendering early.
  const std::vector<CjCandidate>& list = c.targets[i + 1].candidates;
  return !list.empty() && list.front().frame == '7' ? 1 : 0;
}

int isCountedObject(CjTransferContext& c, int i) {
  const CjNode* n = nodeAt(c, i);
  if (!n || !chiListed(c, kCountedWords, i) || !chiListed(c, kCountedNext, n->next)) {
    return 0;
  }
  const int twoOn = nodeAt(c, n->next) ? nodeAt(c, n->next)->next : 0;
  if (chiListed(c, kCountedDropped, twoOn)) {
    c.targets[twoOn].alive = 0;
    return 1;
  }
  int back = n->prev;
  if (chiListed(c, kCountedBack, back)) back = nodeAt(c, back)->prev;
  if (chiListed(c, kCountedBackFurther, back)) back = nodeAt(c, back)->prev;
  if (const CjNode* b = nodeAt(c, back)) {
    const CjNode* parent = nodeAt(c, n->parent);
    if (b->CAT[0] != 'U' || !parent) return 0;
    if (!(parent->CAT == "UP" || parent->CAT.view().substr(0, 2) == "Nt")) return 0;
  }
  int g = n->parent;
  if (const CjNode* parent = nodeAt(c, g); parent && parent->parent) g = parent->parent;
  if (g < 1) return 0;
  return findObj1(c, findGovernor(c, g)) == g ? 1 : 0;
}

int isNounBeforeVerb(CjTransferContext& c, int i) {
  const CjNode* n = nodeAt(c, i);
  if (!n) return 0;
  const std::string code = codeOf(c, i);
  if (code != "NJ000" && code != "NJX00" && code != "NJN00") return 0;
  const CjNode* next = nodeAt(c, n->next);
  if (!next) return 0;
  const char l = next->CAT[0];
  return l == 'I' || l == 'F' || l == 'V' || l == 'A' ? 1 : 0;
}

int isSemanticPair(CjTransferContext& c, int i) {
  const CjNode* n = nodeAt(c, i);
  if (!n) return 0;
  const CjNode* next = nodeAt(c, n->next);
  if (!next || !hasSem(next, 'g')) return 0;
  return hasSem(n, 'g') && hasSem(n, 'J') && hasSem(n, 'H') ? 1 : 0;
}

}  // namespace cj
