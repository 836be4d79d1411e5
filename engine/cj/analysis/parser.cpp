#include "engine/cj/analysis/parser.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/predicate_marks.h"
#include "engine/cj/analysis/rule_conditions.h"
#include "engine/common/word_table.h"
#include "platform/core/notify.h"

namespace cj {

namespace {

constinit ListedKey kNpCheck1Key{"parserChecks.npBefore1"};    // 15 words
constinit ListedKey kNpPairKey{"parserChecks.npLastPair"};      // 5 two-character words
constinit ListedKey kNpCheck4Key{"parserChecks.npBefore4"};    // 1 word
constinit ListedKey kNpCheck5Key{"parserChecks.npBefore5"};    // 2 words
constinit ListedKey kVpEndingsKey{"parserChecks.vpEndings"};   // checks 10 to 15, in order
// The 149-word list of the predicate finder.
const ListedKey& kPredicateListKey = predicate_words::kList149;

const WordKeySpec kWordKeys[] = {
    {kNpCheck1Key, 15, 1, 2}, {kNpPairKey, 5, 2, 2},     {kNpCheck4Key, 1, 1, 1},
    {kNpCheck5Key, 2, 1, 1},  {kVpEndingsKey, 6, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// Parser blocks of the sentence: block 0 heads the list, the items follow, newest last.
CjParserBlock toBlock(const CjAgendaItem& item) {
  CjParserBlock b{};
  b[0] = item.entry;
  b[1] = item.start;
  b[2] = item.current;
  std::memcpy(&b[3], item.state, sizeof item.state);
  b[5] = item.consumed;
  b[6] = item.position;
  return b;
}

CjAgendaItem fromBlock(const CjParserBlock& b) {
  CjAgendaItem item;
  item.entry = b[0];
  item.start = b[1];
  item.current = b[2];
  std::memcpy(item.state, &b[3], sizeof item.state);
  item.state[sizeof item.state - 1] = 0;
  item.consumed = b[5];
  item.position = b[6];
  return item;
}

std::string_view textOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CHI.view() : ""; }
std::string_view catOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CAT.view() : ""; }
const CjFeatures* featuresOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? &s.nodes[i].features : nullptr; }
std::string_view sylaOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].SYLA.view() : ""; }

bool isVerbCatExactly(const CjSentence& s, int i) { return catOf(s, i) == "VP" || catOf(s, i) == "V"; }
bool cValHas(const CjSentence& s, int i, std::string_view code) {
  const CjFeatures* f = featuresOf(s, i);
  return f && f->C_VAL.contains(code);
}
bool isVOrVP(const CjSentence& s, int i) { return hasCat(s, i, "V") || hasCat(s, i, "VP"); }

// The syllable tests of NP checks 2, 3, 4 and 9 with node a as the span's leading node.
bool syllablePatternForbids(const CjSentence& s, int a, int last) {
  std::string_view sa = sylaOf(s, a), sl = sylaOf(s, last);
  if (sa == "2" && sl == "1") return true;
  if (sa == "2" && isListedWord(kNpPairKey, textOf(s, last))) return true;
  return sa == "1" && sl != "1";
}

bool npCheck3Forbids(const CjSentence& s, int before, int first, int last) {
  std::string_view sf = sylaOf(s, first);
  if (!isVOrVP(s, before) || (sf != "1" && sf != "2")) return false;
  return syllablePatternForbids(s, first, last);
}

bool npForbids(const CjSentence& s, int check, int start, int length) {
  const int before = prevNode(s, start), before2 = prevNode(s, before);
  const int first = start, second = nthNode(s, start, 2), last = nthNode(s, start, length);
  const bool beforeVerbWithObject = isVerbCatExactly(s, before) && cValHas(s, before, "2");
  switch (check) {
    case 1:
      return isListedWord(kNpCheck1Key, textOf(s, lexicalHead(s, before))) || beforeVerbWithObject;
    case 2:
    case 3:
      return npCheck3Forbids(s, before, first, last);
    case 4:
      if (isListedWord(kNpCheck4Key, textOf(s, lexicalHead(s, before)))) return true;
      return npCheck3Forbids(s, before, first, last);
    case 5:
      if (beforeVerbWithObject) return true;
      return isListedWord(kNpCheck5Key, textOf(s, before)) && isVerbCatExactly(s, before2) && cValHas(s, before2, "2");
    case 6: {
      const CjFeatures* f = featuresOf(s, first);
      return isVerbCatExactly(s, before) && f && f->M_SEM == "F";
    }
    case 7: {
      const CjFeatures* f = featuresOf(s, last);
      if (!f) return false;
      return f->PROP == 'A' || f->PROP == 'B' || f->PROP == 'C' || f->PROP == 'E';
    }
    case 8:
      return isVerbCatExactly(s, before);
    case 9:
      return syllablePatternForbids(s, second, last);
    default:
      return false;
  }
}

// The three tests of VP checks 6 and 7: a plain verb that takes no clause.
bool isPlainVerb(const CjSentence& s, int i) {
  if (isInListedBarList(kPredicateListKey, textOf(s, i))) return false;
  if (hasVerbCVal(s, i, "H") || hasVerbCVal(s, i, "E") || hasVerbCVal(s, i, "3")) return false;
  return !hasCat(s, i, "G");
}

bool vpAllows(const CjSentence& s, int check, int start, int length) {
  const int first = start, second = nthNode(s, start, 2), last = nthNode(s, start, length);
  switch (check) {
    case 1:
    case 2:
    case 4:
    case 5:
      return textOf(s, first) == textOf(s, last);
    case 3:
      return textOf(s, second) == textOf(s, last);
    case 6:
      return isPlainVerb(s, first);
    case 7:
      // The node after first by index; past the node count there is none and the tests pass.
      return isPlainVerb(s, first + 1);
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: {
      const auto& endings = listedWords(kVpEndingsKey);
      std::size_t k = static_cast<std::size_t>(check - 10);
      return k < endings.size() && hasSuffix(textOf(s, first), endings[k]);
    }
    default:
      return true;
  }
}

// Bound on the steps of one pass; a grammar that needs more is taken to loop.
constexpr long kStepLimit = 2000000;

// The parse position of one pass; the state as its key and its number.
struct Position {
  std::uint64_t state = kGotoStartKey;
  int stateNumber = 0;
  int start = 0;
  int current = 0;
  int entry = 0;
  int consumed = 0;
  int position = 0;
  bool endFlag = false;
};

inline bool isEndMark(const std::vector<CjGotoEntry>& gotos, int i) {
  return i < 0 || static_cast<std::size_t>(i) >= gotos.size() || gotos[i].stateKey == kGotoEndKey;
}

inline bool hasNextAlternative(const std::vector<CjGotoEntry>& gotos, int i) {
  return !isEndMark(gotos, i) && !isEndMark(gotos, i + 1) && gotos[i + 1].stateKey == gotos[i].stateKey;
}

// The first entry from i on whose state is the key, or the end mark; runs of another state are
// skipped whole.
inline int findState(const std::vector<CjGotoEntry>& gotos, int i, std::uint64_t key) {
  while (!isEndMark(gotos, i) && gotos[i].stateKey != key) i = gotos[i].runEnd;
  return i;
}

// findState from entry i for the state of i's target, as the table resolved it where it could.
inline int findTargetState(const std::vector<CjGotoEntry>& gotos, int i, std::uint64_t key) {
  if (!isEndMark(gotos, i) && gotos[i].targetEntry >= 0 && gotos[i].targetKey == key) return gotos[i].targetEntry;
  return findState(gotos, i, key);
}

// The state text of a key, as an agenda item keeps it.
void keyText(std::uint64_t key, char (&out)[8]) {
  const std::size_t n = static_cast<std::size_t>(key >> 56);
  for (std::size_t k = 0; k < 8; ++k) out[k] = k < n ? static_cast<char>((key >> (8 * k)) & 0xFF) : 0;
}

// True when the entry's symbol holds on the node; consumes tells whether a shift on it moves on.
bool symbolHolds(CjSentence& s, int node, const CjGotoEntry& e, bool& consumes) {
  const std::string& symbol = e.symbol;
  consumes = symbol[0] != 'Z';
  if (e.always) return true;
  if (e.compiled.ready) {
    consumes = !e.compiled.endsWithSentenceStart;
    return evaluateCompiled(s, node, e.compiled);
  }
  CjLastTerm last;
  const bool holds = evaluateSymbol(s, node, symbol, &last);
  consumes = !(last.name == "SYS" && last.value == "SB");
  return holds;
}

// A shift's consumption: the node gets its position label and the walk moves on.
// Past the end of the chain a consuming symbol still counts.
void consume(CjSentence& s, Position& p) {
  if (p.current == 0) {
    ++p.consumed;
    return;
  }
  if (inArray(p.current)) s.nodes[p.current].roleLabel = std::to_string(p.position);
  p.current = slotNext(s, p.current);
  ++p.consumed;
}

void resetPosition(Position& p, int node) {
  p.start = p.current = node;
  p.state = kGotoStartKey;
  p.stateNumber = 0;
  p.entry = 0;
  p.consumed = 0;
  p.position = 0;
}

void restore(Position& p, const CjAgendaItem& item) {
  p.entry = item.entry;
  p.start = item.start;
  p.current = item.current;
  p.state = gotoKey(std::string_view(item.state, strnlen(item.state, sizeof item.state)));
  p.stateNumber = std::atoi(item.state);
  p.consumed = item.consumed;
  p.position = item.position;
}

// One pass of runRuleGroup, with its tables.
class GroupPass {
 public:
  GroupPass(CjSentence& s, char subtype, const std::vector<CjRuleDescriptor>& rules,
            const std::vector<CjGotoEntry>& gotos, int countMode)
      : s_(s), subtype_(subtype), rules_(rules), gotos_(gotos), countMode_(countMode) {}

  void run() {
    clearAgenda(s_);
    resetPosition(p_, s_.firstTop);
    unbindQuestion(s_, true);
    unbindHash(s_, true);
    // Searches only go forward, so a run of shifts that consume nothing, between two back-ups, can
    // visit each entry once; more than that is a shift to its own state that never ends.
    const int idleLimit = static_cast<int>(gotos_.size()) + 1;
    long steps = 0;
    while (!ended_ && (p_.current != 0 || p_.endFlag)) {
      if (++steps > kStepLimit) {
        failScan();
        return;
      }
      const int i = findTargetState(gotos_, p_.entry, p_.state);
      if (isEndMark(gotos_, i)) {
        failScan();
        return;
      }
      p_.entry = i;
      const CjGotoEntry& e = gotos_[i];
      bool consumes = true;
      if (!symbolHolds(s_, p_.current, e, consumes)) {
        if (hasNextAlternative(gotos_, i)) {
          ++p_.entry;
        } else {
          resetPosition(p_, slotNext(s_, p_.start));
          unbindQuestion(s_, false);
          unbindHash(s_, false);
          idleShifts_ = 0;
        }
        continue;
      }
      if (e.action == kGotoReduce) {
        reduce(e.ruleNumber);
        idleShifts_ = 0;
        continue;
      }
      if (e.action == kGotoFail) {
        backUp();
        continue;
      }
      if (!consumes && ++idleShifts_ > idleLimit) {
        failScan();
        return;
      }
      shift(e, consumes);
      if (consumes) idleShifts_ = 0;
      if (p_.current == 0) endOfChainScan();
    }
    clearAgenda(s_);
  }

 private:
  void failScan() {
    plat::consolePrint("ERR in SCAN");
    s_.engine->engineStatus = kStatusScanFailed;
    ended_ = true;
  }

  void shift(const CjGotoEntry& e, bool consumes) {
    CjAgendaItem item;
    item.entry = p_.entry;
    item.start = p_.start;
    item.current = p_.current;
    keyText(p_.state, item.state);
    item.consumed = p_.consumed;
    item.position = p_.position;
    pushAgenda(s_, item);
    if (e.targetKey != p_.state) ++p_.position;
    p_.state = e.targetKey;
    p_.stateNumber = e.targetNumber;
    if (consumes) consume(s_, p_);
  }

  void endOfChainScan() {
    p_.endFlag = false;
    for (int i = p_.entry; !isEndMark(gotos_, i); ++i) {
      const CjGotoEntry& e = gotos_[i];
      if (e.stateKey == p_.state) {
        if (e.symbol != "*") continue;
        if (e.action == kGotoReduce) {
          p_.endFlag = true;
          p_.entry = i;
          return;
        }
        if (e.action == kGotoFail) {
          backUp();
          return;
        }
      } else if (e.stateNumber > p_.stateNumber) {
        unwind();
        return;
      }
    }
  }

  void unwind() {
    idleShifts_ = 0;
    if (agendaIsEmpty(s_)) {
      ended_ = true;
      return;
    }
    CjAgendaItem item;
    while (popAgenda(s_, item)) {
    }
    restore(p_, item);
    clearAgenda(s_);
    if (hasNextAlternative(gotos_, p_.entry)) {
      ++p_.entry;
    } else {
      resetPosition(p_, slotNext(s_, item.start));
      unbindQuestion(s_, false);
      unbindHash(s_, false);
    }
  }

  void backUp() {
    p_.endFlag = false;
    idleShifts_ = 0;
    for (;;) {
      CjAgendaItem item;
      if (!popAgenda(s_, item)) {
        resetPosition(p_, slotNext(s_, p_.start));
        return;
      }
      restore(p_, item);
      if (!hasNextAlternative(gotos_, p_.entry)) continue;
      ++p_.entry;
      if (s_.matchQuestionNode != 0 && s_.matchQuestionNode >= p_.current) unbindQuestion(s_, false);
      if (s_.matchHashNode != 0 && s_.matchHashNode >= p_.current) unbindHash(s_, false);
      return;
    }
  }

  void reduce(int k) {
    const bool atEnd = p_.endFlag;
    if (k < 0 || static_cast<std::size_t>(k) >= rules_.size()) {
      backUp();
      return;
    }
    const CjRuleDescriptor& d = rules_[k];
    const int length = countMode_ == 0 ? d.elementCount : p_.consumed;
    const int check = std::atoi(d.atTag.c_str());
    if (length < 1 || !checkReduction(s_, d.lhs, check, p_.start, length)) {
      backUp();
      return;
    }
    const int node = length == 1 ? wrapSingle(d, k) : reduceSpan(s_, p_.start, d, subtype_, k, d.numberTag, length);
    if (node == 0) {
      backUp();
      return;
    }
    const int first = s_.nodes[node].firstChild;
    s_.nodes[node].headChild = nthNode(s_, first, d.headElement);
    if (!d.percentTag.empty()) applyRuleFeatures(s_, node, k, rules_);
    copyNodeFeature(s_, node, s_.nodes[node].headChild, "ALL");
    if (d.secondElement != 0) s_.nodes[node].secondHead = nthNode(s_, first, d.secondElement);
    resetPosition(p_, s_.nodes[node].next);
    unbindQuestion(s_, false);
    unbindHash(s_, false);
    clearAgenda(s_);
    p_.endFlag = false;
    if (atEnd) ended_ = true;
  }

  // A phrase node over the start node alone, in its place; 0 when no slot is free.
  int wrapSingle(const CjRuleDescriptor& d, int k) {
    const int start = p_.start;
    if (!isNodeIndex(s_, start) || s_.nodeCount + 1 >= kMaxNodes) return 0;
    const int p = ++s_.nodeCount;
    CjNode& node = s_.nodes[p];
    CjNode& child = s_.nodes[start];
    node.prev = child.prev;
    node.next = child.next;
    node.parent = child.parent;
    if (child.prev) s_.nodes[child.prev].next = p;
    if (child.next) s_.nodes[child.next].prev = p;
    if (s_.firstTop == start) s_.firstTop = p;
    if (s_.lastTop == start) s_.lastTop = p;
    node.firstChild = node.lastChild = start;
    node.headChild = start;
    node.secondHead = 0;
    child.parent = p;
    child.prev = child.next = 0;
    node.CAT = d.lhs;
    node.CATYNUM = d.numberTag;
    node.subtype = subtype_;
    node.ruleNumber = k;
    return p;
  }

  CjSentence& s_;
  char subtype_;
  const std::vector<CjRuleDescriptor>& rules_;
  const std::vector<CjGotoEntry>& gotos_;
  int countMode_;
  Position p_;
  bool ended_ = false;
  int idleShifts_ = 0;
};

// Links a temporary punctuation node after the chain's last node; 0 when none is needed or no
// slot is free.
int linkTemporaryEnd(CjSentence& s) {
  const int last = s.lastTop;
  if (hasCat(s, last, "P")) return 0;
  const int t = s.nodeCount + 1;
  if (t >= kMaxNodes) return -1;
  initNode(s, t);
  s.nodes[t].CAT = "P";
  s.nodes[t].prev = last;
  if (inArray(last)) s.nodes[last].next = t;
  return t;
}

void unlinkTemporaryEnd(CjSentence& s, int& t) {
  if (t <= 0) return;
  const int before = s.nodes[t].prev;
  if (inArray(before) && s.nodes[before].next == t) s.nodes[before].next = 0;
  initNode(s, t);
  t = 0;
}

}  // namespace

bool agendaIsEmpty(const CjSentence& s) { return s.parserBlocks.size() <= 1; }

bool pushAgenda(CjSentence& s, const CjAgendaItem& item) {
  try {
    if (s.parserBlocks.empty()) s.parserBlocks.push_back(CjParserBlock{});
    s.parserBlocks.push_back(toBlock(item));
  } catch (const std::bad_alloc&) {
    plat::consolePrint("NO Memory in allocating agenda!");
    return false;
  }
  return true;
}

bool popAgenda(CjSentence& s, CjAgendaItem& item) {
  if (agendaIsEmpty(s)) return false;
  item = fromBlock(s.parserBlocks.back());
  s.parserBlocks.pop_back();
  return true;
}

void clearAgenda(CjSentence& s) {
  // Erase, not resize: only a shrink, and no path that could append for the optimiser to warn about.
  if (s.parserBlocks.size() > 1) s.parserBlocks.erase(s.parserBlocks.begin() + 1, s.parserBlocks.end());
}

int nthNode(const CjSentence& s, int i, int n) {
  for (int k = 1; k < n && k < kMaxNodes; ++k) {
    int next = slotNext(s, i);
    if (next == 0) break;
    i = next;
  }
  return i;
}

int findChildByLabel(const CjSentence& s, int node, std::string_view label) {
  if (label == "0" || !inArray(node)) return 0;
  int k = s.nodes[node].firstChild;
  for (int steps = 0; k != 0 && inArray(k) && steps < kMaxNodes; ++steps, k = s.nodes[k].next) {
    if (s.nodes[k].roleLabel.view() == label) return k;
  }
  return 0;
}

void applyRuleFeatures(CjSentence& s, int node, int rule, const std::vector<CjRuleDescriptor>& descriptors) {
  if (rule < 0 || static_cast<std::size_t>(rule) >= descriptors.size()) return;
  const CjRuleDescriptor& d = descriptors[rule];
  const int child = findChildByLabel(s, node, d.percentTag);
  if (isNodeIndex(s, child)) setSenseFromItems(s.nodes[child], d.percentText);
}

int checkReduction(const CjSentence& s, std::string_view lhs, int check, int start, int length) {
  if (check == 0) return 1;
  if (lhs == "NP") return npForbids(s, check, start, length) ? 0 : 1;
  if (lhs == "VP") return vpAllows(s, check, start, length) ? 1 : 0;
  return 1;
}

int reduceSpan(CjSentence& s, int start, const CjRuleDescriptor& d, char subtype, int ruleNumber,
               std::string_view numberTag, int length) {
  int last = start;
  for (int k = 1; k < length; ++k) {
    last = slotNext(s, last);
    if (last == 0) break;
  }
  const int p = builtnewnode(s, start, last);
  if (p == 0) return 0;
  CjNode& node = s.nodes[p];
  node.CAT = d.lhs;
  node.CATYNUM = numberTag;
  node.subtype = subtype;
  node.ruleNumber = ruleNumber;
  return p;
}

void runRuleGroup(CjSentence& s, char subtype, const std::vector<CjRuleDescriptor>& descriptors,
                  const std::vector<CjGotoEntry>& gotos, int countMode) {
  GroupPass(s, subtype, descriptors, gotos, countMode).run();
}

int runSentenceGroup(CjSentence& s, const std::vector<CjRuleDescriptor>& descriptors,
                     const std::vector<CjGotoEntry>& gotos) {
  if (s.firstTop == 0) return 0;
  int temp = linkTemporaryEnd(s);
  if (temp < 0) return 0;
  Position p;
  resetPosition(p, s.firstTop);
  unbindQuestion(s, true);
  unbindHash(s, true);
  // Every step moves the entry index on or starts a block again, which needs a later entry.
  for (std::size_t steps = 0; steps <= gotos.size() * 2 + 2; ++steps) {
    while (!isEndMark(gotos, p.entry) && gotos[p.entry].stateKey != p.state) {
      if (gotos[p.entry].stateNumber <= p.stateNumber) {
        ++p.entry;
        continue;
      }
      p.entry = findState(gotos, p.entry, kGotoStartKey);
      if (isEndMark(gotos, p.entry)) break;
      p.current = s.firstTop;
      p.state = kGotoStartKey;
      p.stateNumber = 0;
      p.consumed = 0;
      p.position = 0;
      unbindQuestion(s, false);
      unbindHash(s, false);
    }
    if (isEndMark(gotos, p.entry)) break;
    const CjGotoEntry& e = gotos[p.entry];
    bool consumes = true;
    if (!symbolHolds(s, p.current, e, consumes)) {
      ++p.entry;
      continue;
    }
    if (e.action == kGotoFail) {
      p.state = kGotoStartKey;
      p.stateNumber = 0;
      ++p.entry;
      continue;
    }
    if (e.action == kGotoReduce) {
      const int k = e.ruleNumber;
      if (k >= 0 && static_cast<std::size_t>(k) < descriptors.size() && p.consumed > 1) {
        const CjRuleDescriptor& d = descriptors[k];
        if (checkReduction(s, d.lhs, std::atoi(d.atTag.c_str()), p.start, p.consumed)) {
          unlinkTemporaryEnd(s, temp);
          const int node = reduceSpan(s, p.start, d, '1', k, d.numberTag, p.consumed - 1);
          if (node == 0) return 0;
          s.wordCount = node;
          s.nodes[node].headChild = nthNode(s, s.nodes[node].firstChild, d.headElement);
          copyNodeFeature(s, node, s.nodes[node].headChild, "ALL");
          return 1;
        }
      }
      p.state = kGotoStartKey;
      p.stateNumber = 0;
      p.current = s.firstTop;
      ++p.entry;
      continue;
    }
    if (e.targetKey != p.state) ++p.position;
    p.state = e.targetKey;
    p.stateNumber = e.targetNumber;
    if (consumes) consume(s, p);
    ++p.entry;
  }
  unlinkTemporaryEnd(s, temp);
  return 0;
}

}  // namespace cj
