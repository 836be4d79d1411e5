#include "engine/cj/transfer/particles.h"
#include "engine/cj/transfer/rule_watch.h"

#include <initializer_list>
#include <string_view>

#include "engine/cj/analysis/node_build.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/candidate_narrowing.h"
#include "engine/cj/transfer/case_frames.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/entity_tests.h"
#include "engine/cj/transfer/fixed_verb_particles.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/role_link_queries.h"

namespace cj {

namespace {
// Keys read here, held so that each is looked up once.
constinit ListedKey kParticlesUnitEndCharsKey{"particles.unitEndChars"};
constinit ListedKey kParticlesUntilEndingKey{"particles.untilEnding"};
constinit ListedKey kParticlesUntilExceptionsKey{"particles.untilExceptions"};
constinit ListedKey kParticlesSubjectEndingKey{"particles.subjectEnding"};
constinit ListedKey kParticlesSubjectEndingVerbsKey{"particles.subjectEndingVerbs"};
constinit ListedKey kParticlesUnitEndingsKey{"particles.unitEndings"};
constinit ListedKey kParticlesCopulaNiVerbsKey{"particles.copulaNiVerbs"};
constinit ListedKey kParticlesNiVerbsKey{"particles.niVerbs"};
constinit ListedKey kParticlesObjectOrNiVerbKey{"particles.objectOrNiVerb"};
constinit ListedKey kParticlesExistenceNiVerbsKey{"particles.existenceNiVerbs"};
constinit ListedKey kParticlesLocativeVerbsKey{"particles.locativeVerbs"};
constinit ListedKey kParticlesSubjectVerbKey{"particles.subjectVerb"};
constinit ListedKey kParticlesLocativeHeadKey{"particles.locativeHead"};
}  // namespace
namespace {

const WordKeySpec kWordKeys[] = {
    {"particles.locativeVerbs", 15, 1, 0},      // "に" for a person, organisation or place
    {"particles.subjectVerb", 1, 2, 2},          // "が"
    {"particles.untilEnding", 1, 1, 1},          // "まで"
    {"particles.untilExceptions", 5, 1, 0},
    {"particles.subjectEnding", 1, 1, 1},        // "が"
    {"particles.subjectEndingVerbs", 6, 1, 0},
    {"particles.unitEndings", 5, 1, 1},
    {"particles.unitEndChars", 2, 1, 1},         // unit words that take no particle
    {"particles.copulaNiVerbs", 10, 1, 0},
    {"particles.niVerbs", 8, 1, 0},
    {"particles.objectOrNiVerb", 1, 1, 0},
    {"particles.existenceNiVerbs", 5, 1, 0},
    {"particles.locativeHead", 1, 1, 1},         // subject "に" for a place
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool isWord(CjTransferContext& c, int i) { return c.sentence && i > 0 && isWordNode(*c.sentence, i); }

bool verbal(const CjNode& n) { return n.CAT[0] == 'V' || n.CAT[0] == 'A'; }

bool hasSem(const CjNode& n, char code) { return n.features.M_SEM.view().find(code) != std::string_view::npos; }

bool oneOf(std::string_view text, std::initializer_list<std::string_view> list) {
  for (std::string_view s : list) {
    if (text == s) return true;
  }
  return false;
}

// A dead node stands for its substitute or a neighbour.
int standIn(CjTransferContext& c, int i) {
  const CjTargetNode& t = c.targets[i];
  if (t.alive) return i;
  if (t.substitute) return t.substitute;
  if (t.nextSibling) return t.nextSibling;
  if (t.prevSibling) return t.prevSibling;
  return i;
}

// The word of a unit phrase ends in one of the two unit characters.
bool unitWordEndsInUnitChar(CjTransferContext& c, int a) {
  const CjNode& n = node(c, a);
  const int word = isWord(c, a) ? 0 : n.lastChild;
  if (word == 0) return false;
  for (const std::string& ch : listedWords(kParticlesUnitEndCharsKey)) {
    if (textEndsWith(node(c, word).CHI.view(), ch)) return true;
  }
  return false;
}

bool isUnitPhrase(const CjNode& n) { return n.CAT == "UP" || n.CAT == "C"; }

// Time or place noun: its lexical word is "Ntp" or "Ntl", or "N" with an I code.
bool isTimeOrPlaceNoun(CjTransferContext& c, int a) {
  const int w = c.sentence ? lexicalHead(*c.sentence, a) : 0;
  const CjNode& n = node(c, w ? w : a);
  return n.CAT == "Ntp" || n.CAT == "Ntl" || (n.CAT == "N" && hasSem(n, 'I'));
}

// The ending rules of step 8; found is false when they give no answer.
std::string byVerbEnding(CjTransferContext& c, int a, int live, int p, bool& found) {
  found = true;
  const CjNode& arg = node(c, a);
  std::string_view chi = node(c, p).CHI.view();
  std::string_view cat = arg.CAT.view();
  if (textEndsWith(chi, listedWord(kParticlesUntilEndingKey)) && !listedWord(kParticlesUntilEndingKey).empty()) {
    if (!isListedWord(kParticlesUntilExceptionsKey, chi)) {
      if (cat == "Ntp" || cat == "Ntl") return "まで";
      const CjNode& l = node(c, live);
      if (l.CAT == "N" && hasSem(l, 'I')) return "まで";
      if (cat == "UG" || cat == "U") return "まで";
      if (isUnitPhrase(arg)) return unitWordEndsInUnitChar(c, a) ? "" : "まで";
    }
    found = false;
    return "";
  }
  if (textEndsWith(chi, listedWord(kParticlesSubjectEndingKey)) && !listedWord(kParticlesSubjectEndingKey).empty()) {
    if (isListedWord(kParticlesSubjectEndingVerbsKey, chi)) {
      if (cat == "Ntl" || cat == "UG" || cat == "U") return "が";
      if (isUnitPhrase(arg)) return unitWordEndsInUnitChar(c, a) ? "" : "が";
    } else if (isUnitPhrase(arg) && unitWordEndsInUnitChar(c, a)) {
      return "";
    }
    found = false;
    return "";
  }
  for (const std::string& ending : listedWords(kParticlesUnitEndingsKey)) {
    if (textEndsWith(chi, ending)) {
      if (isUnitPhrase(arg) && unitWordEndsInUnitChar(c, a)) return "";
      break;
    }
  }
  found = false;
  return "";
}

bool isExistenceText(std::string_view text) {
  return oneOf(text, {"ある", "いる", "現れる", "存在する", "ない", "なかった", "あった"});
}

// Step 14: the particle by the class of the first candidate, narrowing the list on the way.
std::string byClass(CjTransferContext& c, int a, int p) {
  std::string_view chi = node(c, p).CHI.view();
  const CjCandidate q = c.targets[p].candidates.front();
  if (isCopulaClassCode(q.code.view())) {
    if (tallied(isListedWord(kParticlesCopulaNiVerbsKey, chi), "particles.byClass")) {
      narrowCandidates(c, p, 0, '2');
      return "に";
    }
    narrowCandidates(c, p, 0, '3');
    return "が";
  }
  if (tallied(isListedWord(kParticlesNiVerbsKey, chi), "particles.byClass")) {
    narrowCandidates(c, p, 0, '2');
    return "に";
  }
  if (tallied(isListedWord(kParticlesObjectOrNiVerbKey, chi), "particles.byClass")) {
    if (node(c, a).CAT[0] == 'U') {
      narrowCandidates(c, p, 0, '1');
      return "を";
    }
    narrowCandidates(c, p, 0, '2');
    return "に";
  }
  if (!isExistenceText(q.text.view())) {
    if (candidateHasClass(&q, '1') || q.frame == '3') return "を";
    if (candidateHasClass(&q, '2')) return "に";
    if (q.text == "だ" || q.text == "ではない") return "";
    return "を";
  }
  if (!tallied(isListedWord(kParticlesExistenceNiVerbsKey, chi), "particles.byClass")) {
    narrowCandidates(c, p, 0, '1');
    return "が";
  }
  narrowCandidates(c, p, 0, '2');
  return "に";
}

}  // namespace

int predicateOf(CjTransferContext& c, int verb) {
  if (verb < 1 || !sourceNode(c, verb)) return 0;
  int n = standIn(c, verb);
  if (!verbal(node(c, n)) || isWord(c, n)) return n;
  for (int steps = 0; steps < kMaxNodes && !isWord(c, n); ++steps) {
    int child = c.targets[n].firstChild;
    if (child == 0 || child == n) break;
    child = standIn(c, child);
    if (child == n) break;
    n = child;
  }
  for (int steps = 0; n != 0 && steps < kMaxNodes; ++steps) {
    if (verbal(node(c, n))) return n;
    n = c.targets[n].nextSibling;
  }
  return 0;
}

std::string particleForArgument(CjTransferContext& c, int a, int verb) {
  CjTargetNode* at = targetNode(c, a);
  if (!at || a < 1) return "";
  if (at->caseOpen == 0) return "";
  const int p = predicateOf(c, verb);
  if (p == 0) return "を";
  const int live = targetHead(c, a) ? targetHead(c, a) : a;
  CjTargetNode& pt = c.targets[p];
  if (pt.japanese.empty() && pt.candidates.empty()) chooseTranslation(c, p, node(c, verb).CAT[0]);
  if (containsAtBoundary(pt.japanese.view(), "…") ||
      (!pt.candidates.empty() && containsAtBoundary(pt.candidates.front().text.view(), "…"))) {
    return "";
  }
  if (pt.japanese.empty() && !pt.candidates.empty()) matchCaseFrame(c, p, live, &pt.candidates);
  std::string_view chi = node(c, p).CHI.view();
  if (isListedWord(kParticlesLocativeVerbsKey, chi) &&
      (node(c, live).CAT[0] == 'R' || isPersonName(c, live) || isPlaceName(c, live) ||
       isPersonOrOrganisationWord(c, live) || isPlaceWord(c, live))) {
    return tallied(true, "particles.particleForArgument") ? "に" : "";
  }
  if (tallied(isListedWord(kParticlesSubjectVerbKey, chi), "particles.particleForArgument")) return "が";
  bool found = false;
  std::string byEnding = byVerbEnding(c, a, live, p, found);
  if (tallied(found, "particles.byVerbEnding")) return byEnding;
  if (!pt.japanese.empty()) return particleForFixedVerb(c, a, p);
  if (pt.candidates.empty()) return "";
  const CjCandidate& q = pt.candidates.front();
  if (q.code == "DOKU0") return "を";
  if (q.code == "DOKU1") return "に";
  if (q.code == "DOKU2") return "が";
  const CjNode& arg = node(c, a);
  if (oneOf(arg.CAT.view(), {"IP", "DP", "LP", "A", "AP", "VP", "V"}) && q.frame == '4') {
    narrowCandidates(c, p, 0, '4');
    at->vform = 'z';
    c.targets[live].vform = 'z';
    return "と";
  }
  const bool person = isPersonOrOrganisationWord(c, live) != 0;
  switch (q.frame) {
    case '2': return "が";
    case '3': return "を";
    case '5': return "で";
    case '6': return "に";
    case '8': return "と";
    case '9':
      if (person || isTimeOrPlaceNoun(c, a)) return "まで";
      break;
    case 'A': return "と";
    case 'h': return "は";
    case 'K':
      if (person) return "から";
      break;
    case 'k': return person ? "から" : "が";
    case 'J': return person ? "から" : "を";
    case 'j': return "から";
    case 'N':
      return person || isPersonName(c, live) || isPlaceWord(c, live) || hasSem(node(c, live), 'A') ? "に" : "を";
    default: break;
  }
  return byClass(c, a, p);
}

std::string subjectParticle(CjTransferContext& c, int a, int h) {
  CjTargetNode* at = targetNode(c, a);
  if (!at || a < 1) return "";
  if (at->caseOpen == 0) return "";
  if (findAdvn(c, a) || findLog(c, a)) return "が";
  const CjNode& arg = node(c, a);
  const std::string& locativeHead = listedWord(kParticlesLocativeHeadKey);
  if (!locativeHead.empty() && node(c, h).CHI.view() == locativeHead) {
    if (tallied(arg.CAT == "L" || (arg.CAT == "N" && !arg.senses.empty() && arg.senses.front().M_SEM == "L"),
                "particles.subjectParticle"))
      return "に";
  }
  if (findGovernor(c, h) || arg.parent != 0) return "が";
  auto isAnimateMarker = [&](int i) {
    const CjNode& n = node(c, i);
    return isWord(c, i) && n.CAT[0] == 'R' && hasSem(n, 'B');
  };
  if (isAnimateMarker(a)) return "が";
  for (int k = arg.firstChild, steps = 0; k != 0 && steps < kMaxNodes; k = node(c, k).next, ++steps) {
    if (isAnimateMarker(k)) return "が";
  }
  return "は";
}

}  // namespace cj
