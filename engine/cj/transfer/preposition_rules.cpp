#include "engine/cj/transfer/preposition_rules.h"

#include <vector>

#include "engine/common/word_table.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/frame_rule_support.h"
#include "engine/cj/transfer/jp_text.h"
#include "engine/cj/transfer/role_link_queries.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

using enum PrepositionRule;

const std::array<PrepositionGroup, 44> prepositionGroupTable = {{
    {"prepositionGroups.group01", 8, 1, 2, kFrom},    {"prepositionGroups.group02", 5, 1, 2, kAtTime},
    {"prepositionGroups.group03", 5, 1, 2, kAt},    {"prepositionGroups.group04", 3, 1, 1, kUntil},
    {"prepositionGroups.group05", 1, 2, 2, kFacing},    {"prepositionGroups.group06", 2, 1, 1, kCause},
    {"prepositionGroups.group07", 3, 2, 2, kThrough},    {"prepositionGroups.group08", 2, 1, 2, kRiding},
    {"prepositionGroups.group09", 2, 1, 2, kFollowing},    {"prepositionGroups.group10", 1, 1, 1, kRidingOn},
    {"prepositionGroups.group11", 1, 1, 1, kRidingIn},  {"prepositionGroups.group12", 1, 1, 1, kBefore},
    {"prepositionGroups.group13", 8, 1, 2, kToward},  {"prepositionGroups.group14", 4, 1, 2, kAlong},
    {"prepositionGroups.group15", 4, 1, 2, kAgainst},  {"prepositionGroups.group16", 11, 1, 2, kByMeans},
    {"prepositionGroups.group17", 2, 1, 2, kLeaningOn},  {"prepositionGroups.group18", 2, 1, 2, kByAgent},
    {"prepositionGroups.group19", 3, 1, 2, kThrough},   {"prepositionGroups.group20", 6, 1, 2, kDependingOn},
    {"prepositionGroups.group21", 1, 1, 1, kWith},  {"prepositionGroups.group22", 2, 1, 1, kIn},
    {"prepositionGroups.group23", 4, 1, 2, kObject},  {"prepositionGroups.group24", 1, 2, 2, kInLightOf},
    {"prepositionGroups.group25", 1, 1, 1, kUsing},  {"prepositionGroups.group26", 3, 1, 2, kAbout},
    {"prepositionGroups.group27", 1, 2, 2, kAs},  {"prepositionGroups.group28", 2, 2, 2, kConcerning},
    {"prepositionGroups.group29", 5, 2, 2, kRegarding},  {"prepositionGroups.group30", 1, 1, 1, kForPurpose},
    {"prepositionGroups.group31", 9, 1, 2, kTogetherWith},  {"prepositionGroups.group32", 5, 1, 1, kTo},
    {"prepositionGroups.group33", 3, 1, 2, kInOrderTo},  {"prepositionGroups.group34", 3, 1, 2, kForSake},
    {"prepositionGroups.group35", 4, 1, 2, kCause},   {"prepositionGroups.group36", 4, 1, 2, kComparedWith},
    {"prepositionGroups.group37", 4, 1, 2, kExcept},  {"prepositionGroups.group38", 4, 1, 2, kUpTo},
    {"prepositionGroups.group39", 1, 1, 1, kEven},  {"prepositionGroups.group40", 1, 2, 2, kEveryTime},
    {"prepositionGroups.group41", 9, 1, 2, kLike},  {"prepositionGroups.group42", 1, 1, 1, kAccordingTo},
    {"prepositionGroups.group43", 1, 2, 2, kTowards},  {"prepositionGroups.group44", 5, 2, 2, kLike},
}};

namespace {

using namespace frames;

bool registerKeys() {
  std::vector<WordKeySpec> specs;
  for (const PrepositionGroup& g : prepositionGroupTable) specs.push_back({g.key, g.count, g.minChars, g.maxChars});
  specs.push_back({kPrepExistNegative, 1, 2, 2});
  specs.push_back({kPrepExistFollowers, 2, 1, 1});
  specs.push_back({kPrepToward, 1, 1, 1});
  specs.push_back({kPrepReason, 2, 2, 2});
  specs.push_back({kPrepAgent, 1, 1, 1});
  specs.push_back({kPrepDegree, 1, 2, 2});
  specs.push_back({kPrepMuch, 1, 2, 2});
  return registerWordKeys(specs.data(), static_cast<int>(specs.size()));
}
const bool kRegistered = registerKeys();

// Postpositions of the rules that only retire the preposition and write the object's particle.
const char* plainPostposition(PrepositionRule rule) {
  switch (rule) {
    case kThrough: return "を通じて(通って)";
    case kRiding: case kRidingOn: case kRidingIn: return "に乗って";
    case kFollowing: return "に従って";
    case kBefore: return "前に";
    case kToward: return "に向って";
    case kAlong: return "に沿って";
    case kAgainst: case kTowards: return "に対して";
    case kByMeans: case kByAgent: case kDependingOn: return "によって";
    case kLeaningOn: return "に頼って(寄りかかって)";
    case kWith: case kIn: case kUsing: return "で";
    case kInLightOf: return "にかんがみて";
    case kAbout: case kConcerning: return "について";
    case kAs: return "として";
    case kRegarding: return "に関して";
    case kTogetherWith: return "と";
    case kTo: return "に";
    case kExcept: return "を除いて";
    case kUpTo: return "まで";
    case kEven: return "さえ";
    case kEveryTime: return "たびに";
    case kAccordingTo: return "におううじて";
    default: return nullptr;
  }
}

bool isPlaceTimeCategory(CjTransferContext& c, int i) {
  const CjNode* n = i > 0 ? sourceNode(c, i) : nullptr;
  if (!n) return false;
  return n->CAT == "Ntp" || n->CAT == "Ntl" || (n->CAT == "N" && n->features.M_SEM.contains("I"));
}

void applyExistence(CjTransferContext& c, int phrase, int p, int o) {
  RuleWatch watch(c, "prepositionRules.applyExistence");
  CjTargetNode& obj = c.targets[o];
  obj.vform = 'z';
  if (isPlainAdverbial(c, phrase)) {
    obj.att = placeClass(c, phrase) == 1 ? "に" : "で";
  } else if (takeAttributiveMarker(c, phrase)) {
    obj.att = placeClass(c, phrase) == 1 ? "にの" : "での";
    const int next = c.targets[phrase].nextSibling;
    if (next > 0 && listed(kPrepExistFollowers, chiOf(c, next))) retire(c, next);
  } else if (isPredicatePhrase(c, phrase)) {
    obj.att = "に";
    obj.caseOpen = 0;
    const bool animate = animacyClass(c, findSub(c, phrase)) == 1;
    if (listed(kPrepExistNegative, chiOf(c, p))) {
      setJapanese(c, p, animate ? "いない" : "ない", "KYOSI");
    } else {
      setJapanese(c, p, animate ? "いる" : "ある", animate ? "ZI000" : "ZG001");
    }
    copyModalities(c, phrase, p);
    const int n = addTargetNode(c);
    if (n == 0) return;
    insertTargetNode(c, n, o, c.targets[o].nextSibling);
    setJapanese(c, n, c.targets[p].japanese.view(), c.targets[p].jcat.view());
    c.targets[phrase].headChild = static_cast<std::int16_t>(n);
    copyModalities(c, p, n);
    c.targets[n].vform = c.targets[p].vform;
    retire(c, p);
  }
}

void applyPurpose(CjTransferContext& c, int phrase, int p, const char* text) {
  retire(c, p);
  const int hc = targetHeadChild(c, phrase);
  const int governor = findGovernor(c, hc);
  const int g = governor > 0 ? governor : hc;
  setForm(c, g, 't');
  const int w = targetHead(c, g);
  if (CjTargetNode* wt = at(c, w)) {
    wt->vform = 't';
    wt->att = text;
    if (catLetterOf(c, w) == 'N') wt->joinWithNo = 1;
  }
}

void runPrepositionRule(CjTransferContext& c, int phrase, PrepositionRule rule) {
  RuleWatch watch(c, "prepositionRules.runPrepositionRule");
  CjTargetNode& ph = c.targets[phrase];
  const int p = ph.firstChild, o = ph.lastChild, hc = ph.headChild;
  CjTargetNode& obj = c.targets[o];
  const std::string_view pw = chiOf(c, p);
  if (const char* text = plainPostposition(rule)) {
    retire(c, p);
    obj.att = text;
    if (rule == kEven) setForm(c, targetHead(c, hc), 'n');
    return;
  }
  switch (rule) {
    case kFrom: {
      retire(c, p);
      obj.att = "から";
      int k = hc;
      for (int steps = 0; k > 0 && steps < kMaxNodes; ++steps, k = c.targets[k].prevSibling) {
        if (catIsOneOf(c, k, {"VP", "V"})) {
          setForm(c, k, 'd');
          setForm(c, targetHead(c, k), 'd');
          break;
        }
      }
      break;
    }
    case kAtTime:
      setForm(c, hc, 't');
      setAtt(c, hc, "時に");
      setForm(c, targetHead(c, hc), 't');
      break;
    case kAt:
      applyExistence(c, phrase, p, o);
      break;
    case kUntil:
      retire(c, p);
      obj.att = "まで(へ)";
      if (isPlaceTimeCategory(c, hc)) {
        obj.att = "まで";
      } else if (listed(kPrepToward, pw)) {
        obj.att = "へ";
      }
      break;
    case kFacing:
      retire(c, p);
      if (isPlainAdverbial(c, phrase)) obj.att = "に向かって";
      if (takeAttributiveMarker(c, phrase)) obj.att = "に向かう";
      if (isPredicatePhrase(c, phrase)) obj.att = "に向かう";
      break;
    case kCause: {
      retire(c, p);
      const int h = targetHead(c, hc);
      obj.att = "から";
      if (listed(kPrepReason, pw)) {
        obj.att = "ため";
        setForm(c, h, 't');
        if (o == h && catLetterOf(c, h) == 'N') obj.joinWithNo = 1;
      } else if (listed(kPrepAgent, pw)) {
        obj.att = "が";
        setForm(c, h, 'N');
      }
      break;
    }
    case kObject:
      retire(c, p);
      setForm(c, hc, 'N');
      ph.att = "を";
      break;
    case kForPurpose:
    case kInOrderTo:
      applyPurpose(c, phrase, p, "ために");
      break;
    case kForSake:
      applyPurpose(c, phrase, p, "ため");
      break;
    case kComparedWith:
      retire(c, p);
      obj.att = listed(kPrepDegree, pw) ? "ほど" : "より(に比べて)";
      if (listed(kPrepMuch, pw)) obj.att = "より(に比べて)ずっと";
      break;
    case kLike:
      retire(c, p);
      setJapanese(c, o, "ようだ", "KYODO");
      setForm(c, hc, 't');
      setForm(c, targetHead(c, hc), 't');
      ph.headChild = static_cast<std::int16_t>(o);
      copyModalities(c, phrase, o);
      break;
    default:
      break;
  }
}

}  // namespace

PrepositionRule prepositionRuleOf(std::string_view word) {
  (void)kRegistered;
  for (const PrepositionGroup& g : prepositionGroupTable) {
    if (listed(g.key, word)) return g.rule;
  }
  return kNoPrepositionRule;
}

void dispatchPrepositionPhrase(CjTransferContext& c, int phrase) {
  CjTargetNode* ph = at(c, phrase);
  if (!ph || ph->firstChild < 1 || ph->lastChild < 1) return;
  const PrepositionRule rule = prepositionRuleOf(chiOf(c, ph->firstChild));
  if (rule == kNoPrepositionRule) {
    applyPrepositionDefault(c, phrase);
  } else {
    runPrepositionRule(c, phrase, rule);
  }
}

void applyPrepositionDefault(CjTransferContext& c, int phrase) {
  CjTargetNode* ph = at(c, phrase);
  if (!ph || ph->firstChild < 1) return;
  const int p = ph->firstChild;
  setForm(c, ph->headChild, 'N');
  chooseTranslation(c, p, 'I');
  const CjTargetNode& pt = c.targets[p];
  if (!pt.candidates.empty()) {
    const std::string_view text = pt.candidates.front().text.view();
    const std::size_t dots = findAtBoundary(text, "…");
    ph->att.append(dots == std::string_view::npos ? text : text.substr(dots + std::string_view("…").size()));
  }
  retire(c, p);
}

}  // namespace cj
