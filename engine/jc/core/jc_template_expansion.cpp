#include "engine/jc/core/jc_template_expansion.h"

#include <string>
#include <string_view>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/common/dbcs_text.h"

namespace jc {

namespace {

const RenderingKeySpec kKeys[] = {{kLocaliserWordsKey, 2, 2, 2}};
const RenderingKeyRegistrar registrar(kKeys, 1);

// Labels whose dependents follow the references of a template rather than precede them.
constexpr std::string_view kRelationWords = "|QT|COMP|OBJ2|OBJ1|SOC|NUM|HT|VAA|PUNC|";
constexpr std::size_t kTemplateRoom = decltype(JcTargetNode::templateText)::capacity();

bool isTarget(const JcSentence* r, int n) { return n >= 1 && n <= r->lastTarget && n < kJcMaxNodes; }

bool inBarList(std::string_view list, std::string_view code) {
  if (code.empty() || code.size() > 28) return false;
  return list.find("|" + std::string(code) + "|") != std::string_view::npos;
}

bool isMarkerPost(std::string_view post) {
  for (std::string_view m : {"[TOOL]", "[LOCb]", "[LOC1]", "NENG", "ASP", "[LAST]", "NARU()"})
    if (post == m) return true;
  return false;
}

// A reference names a phrase that the template's reader marked, beside i and depending on it
// (or i itself), and that has words of its own.
bool isValidReference(const JcSentence* r, int i, int n) {
  if (!isTarget(r, n)) return false;
  const JcTargetNode& t = r->targets[n];
  if (!(t.mark == "K") || t.parent != r->targets[i].parent) return false;
  if (n == i) return true;
  return r->nodes[n].headPhrase == i && !isTargetLeaf(r, n);
}

// "[LOC]": a place phrase ending in に whose noun is marked '1' or '2' takes a localiser word.
void placeLocaliser(JcSentence* r, int n) {
  int l = targetLastLeaf(r, n);
  while (l > 0 && isSymbol(r, l)) --l;
  if (l < 2 || !(r->nodes[l].surface == "に")) return;
  const JcCandidate* c = r->targets[l - 1].candidates;
  if (!c || c->extra.size() < 2) return;
  const std::vector<std::string>& words = renderings(kLocaliserWordsKey);
  if (words.size() < 2) return;
  char which = c->extra.view()[1];
  if (which == '1') r->targets[n].headText = words[0];
  else if (which == '2') r->targets[n].headText = words[1];
}

// Appends the next character of s at p (both bytes of a double-byte one) to out.
void takeCharacter(std::string_view s, std::size_t& p, std::string& out) {
  std::size_t step = dbcs::charSize(s, p);
  out.append(s.substr(p, step));
  p += step;
}

// Scans PRE{n}POST groups, fills the referenced nodes' slots and returns the valid references.
std::vector<int> applyGroups(JcSentence* r, int i, std::string_view s) {
  std::vector<int> refs;
  std::string pre, post;
  std::size_t p = 0;
  while (p < s.size()) {
    if (s[p] != '{') {
      takeCharacter(s, p, pre);
      continue;
    }
    ++p;
    int n = 0;
    while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
      if (n < kJcMaxNodes) n = n * 10 + (s[p] - '0');
      ++p;
    }
    if (p < s.size() && s[p] == '}') ++p;
    while (p < s.size() && s[p] != '+') takeCharacter(s, p, post);
    if (p < s.size()) ++p;  // the '+'
    if (isValidReference(r, i, n)) {
      JcTargetNode& t = r->targets[n];
      if (post == "[LOC]") placeLocaliser(r, n);
      else if (!post.empty() && !isMarkerPost(post)) t.headText = post;
      if (!pre.empty()) {
        setTargetSlot(t, 11, pre);
        t.slotSource[slotSourceEntry(11)] = targetLastLeaf(r, n);
      }
      t.mark = "K";
      refs.push_back(n);
    }
    pre.clear();
    post.clear();
  }
  return refs;
}

// Lists d when no earlier reference or rule has placed it yet.
bool takeDependent(JcSentence* r, int d) {
  if (!isTarget(r, d) || !(r->targets[d].mark == "*")) return false;
  r->targets[d].mark = "?";
  return true;
}

// Keeps whole indices: cut at the last '+' that leaves the list within the field.
std::string fitIndexList(const std::string& list) {
  if (list.size() <= kTemplateRoom) return list;
  std::size_t cut = list.rfind('+', kTemplateRoom);
  return cut == std::string::npos ? std::string() : list.substr(0, cut);
}

}  // namespace

void expandTemplate(JcSentence* record, int i) {
  if (!record || i < 0 || i >= kJcMaxNodes) return;
  const std::string source = record->targets[i].templateText.str();
  if (source.empty()) return;
  const std::vector<int> refs = applyGroups(record, i, source);

  std::string list, label;
  for (std::size_t k = 0; k < refs.size(); ++k) {
    const int n = refs[k];
    // The governor's other dependents that stand before n go in front of it; relation words
    // and later dependents are handed back for the tail.
    std::vector<int> handBack;
    for (int d; (d = claimNextDependent(record, i, &label)) != 0;) {
      if (inBarList(kRelationWords, label) || isLaterSibling(record, n, d)) handBack.push_back(d);
      else if (takeDependent(record, d)) list += std::to_string(d) + "+";
    }
    for (int d : handBack) unclaimRelation(record, d, i);
    list += std::to_string(n);
    if (k + 1 < refs.size()) list += "+";
  }
  for (int d; (d = claimNextDependent(record, i, &label)) != 0;)
    if (takeDependent(record, d)) list += "+" + std::to_string(d);

  if (list.size() > kTemplateRoom) record->listCut = 1;
  record->targets[i].templateText = fitIndexList(list);
  if (findGovernorOf(record, i, &label) != 0 && label != "KK") record->targets[i].mark = "*";
}

bool expandAllTemplates(JcSentence* record) {
  for (int i = 0; i <= record->lastTarget && i < kJcMaxNodes; ++i) expandTemplate(record, i);
  bool ok = true;
  for (int i = 1; i <= record->lastTarget && i < kJcMaxNodes; ++i)
    if (!governsNoRelation(record, i) && !addRelation(record, i, i, "GOV")) ok = false;
  return ok;
}

}  // namespace jc
