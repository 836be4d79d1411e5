#include "engine/cj/transfer/rule_actions.h"

#include <algorithm>

#include "engine/cj/analysis/grammar.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/adjective_conjugation.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/classifiers.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/predicate_generation.h"
#include "engine/cj/transfer/rule_entry_points.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {

namespace {

const WordKeySpec kWordKeys[] = {
    {kHyxLastWord, 1, 1, 1},     {kFgNegativeWords, 2, 1, 2}, {kNominalKeepWords, 2, 1, 1}, {kSerialWordA, 1, 1, 0},
    {kSerialWordF, 1, 1, 0},     {kSerialLastA, 1, 1, 0},     {kSerialLastF, 1, 1, 0},      {kSerialFollower, 1, 1, 0},
    {kReportingVerbs, 56, 1, 0}, {kReportedMark, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool listed(const ListedKey& key, std::string_view word) { return !word.empty() && isListedWord(key, word); }

// Applies a write to n and to its target head.
template <typename F>
void onNodeAndHead(CjTransferContext& c, int n, F write) {
  if (CjTargetNode* t = writable(c, n)) write(*t);
  int h = targetHead(c, n);
  if (h != n) {
    if (CjTargetNode* t = writable(c, h)) write(*t);
  }
}

// Byte length of the character at i of an action text.
std::size_t stepAt(std::string_view t, std::size_t i) {
  return static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1;
}

// First position at or after i of one of the stop bytes, whole characters skipped; npos when none.
std::size_t findStop(std::string_view t, std::size_t i, std::string_view stops) {
  while (i < t.size()) {
    if (static_cast<unsigned char>(t[i]) < 0x80 && stops.find(t[i]) != std::string_view::npos) return i;
    i += stepAt(t, i);
  }
  return std::string_view::npos;
}

// The child of the phrase (along the sentence links) carrying the role label; 0 when none.
int childLabelled(CjTransferContext& c, int phrase, std::string_view label) {
  if (label.empty() || label == "0") return 0;
  int steps = 0;
  for (int k = node(c, phrase).firstChild; k > 0 && k < kMaxNodes && steps < kMaxNodes; k = node(c, k).next, ++steps) {
    if (node(c, k).roleLabel.view() == label) return k;
  }
  return 0;
}

void resetBttMarks(CjTargetNode& t) {
  t.neg = 0;
  t.voi = 0;
  t.neng = 0;
  t.shiyi = 0;
  t.yuanyi = 0;
  t.buding = 0;
  t.chuanwen = 0;
  t.yangtai = 0;
  t.yinggai = 0;
  t.ten = 'A';
  t.asp = 'A';
}

void applyHyx(CjTransferContext& c, int n, char b) {
  CjTargetNode* nt = writable(c, n);
  if (!nt || nt->vform == b) return;
  int t = 0;
  if (node(c, n).CAT.view() == "DP") {
    int last = nt->lastChild;
    if (last > 0 && c.targets[last].alive) t = last;
  } else {
    t = targetHead(c, n);
  }
  nt->vform = b;
  CjTargetNode* tt = writable(c, t);
  if (!tt) return;
  if (tt->att.empty()) {
    tt->vform = b;
  } else if (b == 't') {
    tt->att.append("の");
  }
}

void keepOrderHyx(CjTransferContext& c, int phrase) {
  RuleWatch watch(c, "ruleActions.keepOrderHyx");
  const int last = node(c, phrase).lastChild;
  int steps = 0;
  for (int k = node(c, phrase).firstChild; k > 0 && k < kMaxNodes && k != last && steps < kMaxNodes;
       k = node(c, k).next, ++steps) {
    c.targets[k].vform = 't';
  }
  if (last < 1 || !isListedText(*c.sentence, last, kHyxLastWord)) return;
  const int before = node(c, last).prev;
  if (before > 0 && node(c, before).CAT.view() == "N") {
    c.targets[before].vform = 'z';
    c.targets[last].japanese = "法";
  }
}

void fgProcess(CjTransferContext& c, int phrase) {
  RuleWatch watch(c, "ruleActions.fgProcess");
  const int f = node(c, phrase).firstChild, l = node(c, phrase).lastChild;
  const int h = targetHead(c, l);
  CjTargetNode* ht = writable(c, h);
  CjTargetNode* ft = writable(c, f);
  if (!ht || !ft) return;
  const CjFeatures& ff = node(c, f).features;
  auto upper = [](char b) { return static_cast<char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b); };
  if (upper(ff.TEN) == 'B' || upper(ff.TEN) == 'C') ht->ten = upper(ff.TEN);
  if (upper(ff.ASP) == 'B' || upper(ff.ASP) == 'C') ht->asp = upper(ff.ASP);
  if (listed(kFgNegativeWords, node(c, f).CHI.view()) || ff.NEG == 'M' || ff.NEG == 'm') {
    ht->neg1 = 1;
    ft->alive = 0;
  }
  if (ff.NEG == 'N' || ff.NEG == 'n') {
    ht->neg = 1;
    ft->alive = 0;
  }
  if (ff.VOI == 'P') {
    ht->voi = 1;
    ft->alive = 0;
  }
  generateAdverbialPattern(c, f, h);
}

// "CLAS(" X "," Y ")" at the start of a child's text.
void renderPlaceholders(CjTransferContext& c, int phrase) {
  int steps = 0;
  for (int k = c.targets[phrase].firstChild; k > 0 && k < kMaxNodes && steps < kMaxNodes;
       k = c.targets[k].nextSibling, ++steps) {
    std::string_view text = c.targets[k].japanese.view();
    if (!c.targets[k].japanese.contains("CLAS(") || text.substr(0, 5) != "CLAS(") continue;
    std::string_view rest = text.substr(5);
    std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) continue;
    std::size_t close = rest.find(')', comma);
    if (close == std::string_view::npos) continue;
    std::string_view x = rest.substr(0, comma), y = rest.substr(comma + 1, close - comma - 1);
    if (x.size() > 2 || y.size() > 2) continue;
    renderClassifierPlaceholder(c, childLabelled(c, phrase, x), childLabelled(c, phrase, y), k);
  }
}

void runElementList(CjTransferContext& c, int phrase, std::string_view text) {
  CjTargetNode& p = c.targets[phrase];
  int previous = 0;
  std::vector<int> placed;
  std::size_t i = 0;
  while (true) {
    std::size_t open = findStop(text, i, "(");
    if (open == std::string_view::npos) break;
    std::size_t close = findStop(text, open + 1, ")");
    if (close == std::string_view::npos) break;  // a designator without its end ends the list
    std::string_view designator = text.substr(open + 1, close - open - 1);
    std::size_t end = findStop(text, close + 1, "+");
    std::string_view items =
        text.substr(close + 1, end == std::string_view::npos ? std::string_view::npos : end - close - 1);
    i = end == std::string_view::npos ? text.size() : end + 1;

    int n = 0;
    if (designator.size() == 1 && designator[0] >= 'a' && designator[0] <= 'e') {
      n = addTargetNode(c);
    } else {
      n = childLabelled(c, phrase, designator);
    }
    if (n == 0) continue;
    // A child named again keeps its first place (relinking it would cut the chain) but takes
    // the items of every element that names it.
    if (std::find(placed.begin(), placed.end(), n) == placed.end()) {
      placed.push_back(n);
      CjTargetNode& t = c.targets[n];
      t.prevSibling = static_cast<std::int16_t>(previous);
      if (previous == 0) {
        p.firstChild = static_cast<std::int16_t>(n);
      } else {
        c.targets[previous].nextSibling = static_cast<std::int16_t>(n);
      }
      p.lastChild = static_cast<std::int16_t>(n);
      t.nextSibling = 0;
      previous = n;
    }

    std::size_t k = 0;
    while (k < items.size()) {
      if (items[k] == '&') {
        ++k;
        continue;
      }
      std::size_t stop = findStop(items, k, "[&");
      std::string_view name = items.substr(k, stop == std::string_view::npos ? std::string_view::npos : stop - k);
      std::string_view value;
      if (stop != std::string_view::npos && items[stop] == '[') {
        std::size_t shut = findStop(items, stop + 1, "]");
        if (shut == std::string_view::npos) break;  // an unclosed value is not applied
        value = items.substr(stop + 1, shut - stop - 1);
        k = shut + 1;
      } else {
        k = stop == std::string_view::npos ? items.size() : stop;
      }
      applyActionItem(c, n, name, value);
    }
  }
}

}  // namespace

void fetchRuleAction(CjTransferContext& c, std::string_view category, char subtype, int ruleNumber, std::string& out) {
  out.clear();
  struct Group {
    const char* name;
    char lowest, highest;
  };
  static const Group kGroups[] = {{"S", 0, 0},  {"NP", '1', '6'}, {"VP", '1', '5'},  {"AP", '1', '3'}, {"FP", '1', '1'},
                                  {"UP", 0, 0}, {"UG", '1', '3'}, {"Ntp", '1', '3'}, {"Ntl", '1', '4'}};
  for (const Group& g : kGroups) {
    if (category != g.name) continue;
    char digit = subtype;
    if (g.lowest == 0) {
      digit = '1';  // "S" and "UP" are one group each
    } else if (subtype < g.lowest || subtype > g.highest) {
      return;
    }
    const CjRuleAction* action = ruleAction(engineOf(c), category, digit, ruleNumber);
    if (action) out.assign(*action, 0, fitAtCharBoundary(*action, kActionTextSize - 1));
    return;
  }
}

void runRuleAction(CjTransferContext& c, int phrase, std::string_view actionText) {
  if (phrase < 1 || phrase >= kMaxNodes) return;
  auto has = [&](std::string_view k) { return actionText.find(k) != std::string_view::npos; };
  if (has("KEEPORDER_HYX[t]")) return keepOrderHyx(c, phrase);
  if (has("KEEPORDER")) return;
  if (has("FG_Process")) return fgProcess(c, phrase);
  if (has("Process_Mei1")) return Process_Mei1(c, phrase);
  if (has("Process_Mei2")) return Process_Mei2(c, phrase);
  if (has("Process_Mei3")) return Process_Mei3(c, phrase);
  if (has("Process_Mei4")) return Process_Mei4(c, phrase);
  runElementList(c, phrase, actionText);
  renderPlaceholders(c, phrase);
}

void applyActionItem(CjTransferContext& c, int n, std::string_view name, std::string_view v) {
  CjTargetNode* t = writable(c, n);
  if (!t) return;
  const char b = v.empty() ? 0 : v[0];
  const int head = targetHead(c, n);
  if (name == "ATT") {
    t->att = v;
  } else if (name == "BTT") {
    applyBttItem(c, n, v);
  } else if (name == "JP") {
    if (v.find("ATOV") != std::string_view::npos) {
      if (head > 0 && c.sentence && !c.sentence->nodes[head].CAT.empty()) {
        std::string cat = c.sentence->nodes[head].CAT.str();
        cat[0] = 'V';
        c.sentence->nodes[head].CAT = cat;
      }
    } else {
      t->japanese = v;
    }
  } else if (name == "JCAT") {
    t->jcat = v;
  } else if (name == "VFORM") {
    onNodeAndHead(c, n, [b](CjTargetNode& x) { x.vform = b; });
  } else if (name == "TONARU()") {
    applyTonaruItem(c, n, v);
  } else if (name == "ASP") {
    onNodeAndHead(c, n, [b](CjTargetNode& x) { x.asp = b; });
  } else if (name == "TEN") {
    if (b != 'B' || isUnmarkedPast(c, head)) onNodeAndHead(c, n, [b](CjTargetNode& x) { x.ten = b; });
  } else if (name == "NEG" || name == "NEG1" || name == "VOI") {
    if (b != 'T') return;
    if (name == "NEG") onNodeAndHead(c, n, [](CjTargetNode& x) { x.neg = 1; });
    if (name == "NEG1") onNodeAndHead(c, n, [](CjTargetNode& x) { x.neg1 = 1; });
    if (name == "VOI") onNodeAndHead(c, n, [](CjTargetNode& x) { x.voi = 1; });
  } else if (name == "HYX") {
    applyHyx(c, n, b);
  } else if (name == "SHIYI") {
    onNodeAndHead(c, n, [b](CjTargetNode& x) { x.shiyi = b; });
  } else if (name == "NENG" || name == "YUANYI" || name == "BUDING" || name == "CHUANWEN" || name == "YANGTAI" ||
             name == "YINGGAI") {
    const char on = v.empty() ? 0 : 1;
    onNodeAndHead(c, n, [on, name](CjTargetNode& x) {
      if (name == "NENG") x.neng = on;
      if (name == "YUANYI") x.yuanyi = on;
      if (name == "BUDING") x.buding = on;
      if (name == "CHUANWEN") x.chuanwen = on;
      if (name == "YANGTAI") x.yangtai = on;
      if (name == "YINGGAI") x.yinggai = on;
    });
  } else if (name == "HJP") {
    if (CjTargetNode* h = writable(c, head)) h->japanese = v;
  } else if (name == "NOMI") {
    t->att.append("の");
  } else if (name == "DELS") {
    const CjNode& nn = node(c, n);
    if (nn.firstChild > 0 && nn.lastChild > 0 && nn.firstChild != nn.lastChild &&
        node(c, nn.lastChild).CAT.view() == "S")
      c.targets[nn.lastChild].alive = 0;
  } else if (name == "INTOARB()") {
    convertToArabic(c, n);
  }
}

void applyBttItem(CjTransferContext& c, int n, std::string_view v) {
  CjTargetNode* nt = writable(c, n);
  if (!nt) return;
  nt->vform = 'z';
  nt->ten = 'A';
  const int h = targetHead(c, n);
  CjTargetNode* ht = writable(c, h);
  if (!ht) return;
  if (ht->japanese.empty() && ht->candidates.empty()) chooseTranslation(c, h, node(c, n).CAT[0]);
  const std::string_view code = v.substr(0, 2);
  const std::string_view rest = v.size() > 2 ? v.substr(2) : std::string_view();
  const bool ka = code == "か", te = code == "て", ta = code == "た";
  auto convert = [&](std::string& text, std::string& jcat) {
    if (ka && isNaAdjectiveCode(jcat)) ht->vform = 'r';
    CjModalities marks = *ht;
    conjugate(c, h, ht->vform, text, jcat, marks);
    if (ka) {
      text += v;
    } else if (te) {
      predicateTeForm(text, jcat);
      text += rest;
    } else {
      predicatePast(text, jcat);
      text += rest;
    }
  };
  if (ka || te || ta) {
    if (!ht->japanese.empty()) {
      std::string text = ht->japanese.str(), jcat = ht->jcat.str();
      convert(text, jcat);
      ht->japanese = text;
      ht->jcat = jcat;
    } else {
      for (CjCandidate& cand : ht->candidates) {
        std::string text = cand.text.str(), jcat = cand.code.str();
        convert(text, jcat);
        cand.text = text;
        cand.code = jcat;
      }
    }
    if (ka) ht->ruleFlag1 = 0;
    resetBttMarks(*ht);
  } else {
    resetBttMarks(*nt);
  }
}

void applyTonaruItem(CjTransferContext& c, int n, std::string_view v) {
  const int h = targetHead(c, n);
  CjTargetNode* ht = writable(c, h);
  if (!ht) return;
  if (ht->japanese.empty() && ht->candidates.empty()) chooseTranslation(c, h, node(c, h).CAT[0]);
  bool replaced = false;
  if (!ht->candidates.empty()) {
    std::string_view first = ht->candidates.front().text.view();
    if (hasSuffix(first, "ている") || hasSuffix(first, "でいる")) {
      freeCandidateLists(c, h);
      chooseTranslation(c, h, 'a');
      replaced = true;
    }
  }
  if (!ht->japanese.empty()) {
    std::string text = ht->japanese.str(), jcat = ht->jcat.str();
    appendNaru(text, jcat);
    ht->japanese = text;
    ht->jcat = jcat;
  } else if (!replaced) {
    const bool skipNouns = !v.empty() && v[0] == '1';
    for (CjCandidate& cand : ht->candidates) {
      if (skipNouns && isNounCode(cand.code.view())) continue;
      std::string text = cand.text.str(), jcat = cand.code.str();
      appendNaru(text, jcat);
      cand.text = text;
      cand.code = jcat;
    }
  }
}

void runSpecialRule(CjTransferContext& c, int p) {
  RuleWatch watch(c, "ruleActions.runSpecialRule");
  if (p < 1 || p >= kMaxNodes || !c.sentence) return;
  const int rule = node(c, p).ruleNumber;
  if (rule == 9888) {
    int steps = 0;
    for (int k = node(c, p).firstChild; k > 0 && k < kMaxNodes && steps < kMaxNodes; k = node(c, k).next, ++steps) {
      if (listed(kNominalKeepWords, node(c, k).CHI.view()) || node(c, k).CAT.view() != "V") continue;
      c.sentence->nodes[k].CAT = "N";
      c.targets[k].vform = 'N';
    }
    return;
  }
  if (rule < 9890 || rule > 9892) return;
  const int f = node(c, p).firstChild;
  int l = node(c, p).lastChild;
  if (f < 1 || l < 1) return;
  int steps = 0;
  for (int k = f; k > 0 && k < kMaxNodes && k != l && steps < kMaxNodes; ++steps) {
    c.targets[k].vform = 'd';
    const int next = node(c, k).next;
    const char letter = node(c, k).CAT[0];
    const std::string_view nextChi = node(c, next).CHI.view();
    if (next > 0 &&
        ((letter == 'A' && listed(kSerialWordA, nextChi)) || (letter == 'F' && listed(kSerialWordF, nextChi)))) {
      c.targets[next].japanese.clear();
      c.targets[next].ruleFlag1 = 0;
      c.targets[next].ruleFlag2 = 0;
      if (next == l) break;
      k = node(c, next).next;
    } else {
      k = next;
    }
  }
  const int before = node(c, l).prev;
  const std::string_view lastChi = node(c, l).CHI.view();
  if ((before > 0 && node(c, before).CAT[0] == 'A' && listed(kSerialLastA, lastChi)) ||
      (f != l && node(c, l).CAT[0] == 'F' && listed(kSerialLastF, lastChi))) {
    unlinkTargetNode(c, l);
    l = before;
  }
  if (l < 1) return;
  const int follower = node(c, p).next;
  char& form = c.targets[l].vform;
  if (follower < 1) {
    form = 'z';
  } else if (listed(kSerialFollower, node(c, follower).CHI.view())) {
    form = 't';
  } else {
    const char mine = node(c, l).CAT[0], next = node(c, follower).CAT[0];
    if (mine == 'A') form = next == 'V' ? 'y' : next == 'P' ? 'z' : 't';
    if (mine == 'F' && (next == 'V' || next == 'A')) form = 'y';
    if (mine == 'F' && next == 'P') form = 'z';
  }
}

bool holdReportingClause(CjTransferContext& c, int gov, int after) {
  const int h = targetHead(c, gov);
  if (gov < 1 || gov >= kMaxNodes || node(c, gov).roleCounts[kCountObj1] != 0 || h < 1 ||
      !isInListedBarList(kReportingVerbs, node(c, h).CHI.view()) || node(c, after).CAT.view() != "P") {
    return false;
  }
  // A negated verb of saying reports nothing (什么也没说，).
  if (c.targets[h].neg != 0 || c.targets[h].neg1 != 0 || c.targets[gov].neg != 0 || c.targets[gov].neg1 != 0) return false;
  c.line.reportingVerbState = 1;
  c.sentenceType = listedWord(kReportedMark);
  return true;
}

void checkReportingVerb(CjTransferContext& c, int flag) {
  RuleWatch watch(c, "ruleActions.checkReportingVerb");
  c.govWork = c.govNode;
  for (const CjOrderItem& item : c.orderList) {
    if (item.label == "GOV" || item.label == "VAB" || item.label == "VAA") c.govWork = item.node;
  }
  std::string_view cat = node(c, c.govWork).CAT.view();
  if ((flag & 0xFF) == 0 && cat != "IP" && cat != "DP" && cat != "LP") {
    int steps = 0;
    while (c.govWork > 0 && c.govWork < kMaxNodes && !c.targets[c.govWork].alive && steps++ < kMaxNodes) {
      c.govWork = c.targets[c.govWork].substitute;
      if (c.govWork == 0 || !c.targets[c.govWork].att.empty()) break;
    }
  }
  CjTargetNode* g = writable(c, c.govWork);
  if (!g) return;
  const int h = targetHead(c, c.govWork);
  CjTargetNode* ht = writable(c, h);
  auto formOnBoth = [&](char form) {
    g->vform = form;
    if (ht && ht->att.empty()) ht->vform = form;
  };
  const std::string& statement = listedWord(kStatementMark);
  if (!statement.empty() && c.sentenceType.view() == statement) {
    if (holdReportingClause(c, c.govWork, node(c, c.govWork).next)) return;
    formOnBoth('d');
  } else if (c.sentenceType == "T") {
    formOnBoth('l');
  } else if (c.sentenceType == "?") {
    formOnBoth('?');
  }
}

}  // namespace cj
