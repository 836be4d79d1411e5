#include "engine/cj/analysis/rule_probe.h"
#include "engine/cj/analysis/pre_parse.h"

#include <new>
#include <string>

#include "engine/cj/analysis/dic_lookup.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/reduplication.h"
#include "engine/cj/analysis/text_checks.h"
#include "engine/common/word_table.h"

namespace cj {

// A grouped run of numerals reads as one numeral word.
static void markNumeralGroup(CjNode& node) {
  node.CAT = "UG";
  node.CATYNUM = "1";
  node.structureClass = '3';
  node.ruleNumber = 32;
}

namespace {

const WordKeySpec kWordKeys[] = {
    {kPreParseLeadWords, 3, 3, 3}, {kPreParseNumeralsA, 49, 2, 4}, {kPreParseNumeralsB, 24, 2, 4},
    {kPreParsePairs1, 16, 2, 4},   {kPreParsePairs2, 9, 2, 2},     {kPreParsePairs3, 2, 3, 3},
    {kPreParsePairs4, 15, 2, 4},   {kPreParseRunC, 27, 1, 1},      {kPreParseRunD, 41, 1, 1},
    {kPreParseRunStop, 1, 2, 2},   {kClockWords, 5, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);
// The decimal point between two numerals; its shape is registered by the Arabic numerals.
constinit ListedKey kDecimalPoint{"arabicNumerals.pointWords"};

constinit ListedKey kLeadingCharacters{"nodeBuilding.prefixChars"};

std::string_view textOf(const CjSentence& s, int i) { return isNodeIndex(s, i) ? s.nodes[i].CHI.view() : ""; }

bool inList(const ListedKey& key, std::string_view word) { return !word.empty() && isInListedBarList(key, word); }
bool nodeInList(const CjSentence& s, int i, const ListedKey& key) { return isNodeIndex(s, i) && inList(key, textOf(s, i)); }
bool inAorB(const CjSentence& s, int i) {
  return nodeInList(s, i, kPreParseNumeralsA) || nodeInList(s, i, kPreParseNumeralsB);
}
bool hasU(const CjSentence& s, int i) { return isNodeIndex(s, i) && hasCat(s, i, "U") != 0; }
void giveU(CjSentence& s, int i) {
  if (isNodeIndex(s, i)) s.nodes[i].CAT = "U";
}

bool isAsciiDigit(std::string_view t) { return t.size() == 1 && t[0] >= '0' && t[0] <= '9'; }

bool hasRunStop(const CjSentence& s, int i) {
  const std::string& stop = listedWord(kPreParseRunStop);
  return !stop.empty() && textOf(s, i).find(stop) != std::string_view::npos;
}

bool isWordAt(const CjSentence& s, int i) { return isNodeIndex(s, i) && isWordNode(s, i); }

bool continuesRun(const CjSentence& s, int n) {
  if (!isWordAt(s, n) || hasRunStop(s, n)) return false;
  const std::string_view t = textOf(s, n);
  return hasU(s, n) || inList(kPreParseRunC, t) || inList(kPreParseRunD, t) || isAsciiDigit(t) ||
         inList(kPreParseNumeralsB, t);
}

// The split step: the word after the run gives up its leading listed characters. Returns the run's
// new last node; -1 when no record could be had.
int takeLeadingCharacters(CjSentence& s, int last) {
  const int m = last + 1;
  // Only the word that still follows the run on the chain, within the nodes built.
  if (!isWordAt(s, m) || nextNode(s, last) != m || hasCat(s, m, "S")) return last;
  const std::string_view text = textOf(s, m);
  if (text.size() < 2 || !inList(kLeadingCharacters, text.substr(0, 2))) return last;
  std::string prefix, rest;
  if (splitListedPrefix(text, prefix, rest) == 0) return m;
  CjNode* record = new (std::nothrow) CjNode;
  if (!record) return -1;
  if (!loadWordRecord(*s.engine, rest, record)) {
    freeWordRecord(record);
    return last;
  }
  CjNode& word = s.nodes[m];
  word.CAT = record->CAT.view();
  word.dictionaryRef = record->dictionaryRef;
  freeSenseList(word.senses);
  word.senses = std::move(record->senses);
  word.kind = '4';
  s.nodes[last].CHI.append(prefix);
  s.nodes[last].dictionaryRef = 0;
  word.CHI = rest;
  delete record;
  return last;
}

}  // namespace

bool isNumeralWordPair(std::string_view first, std::string_view second) {
  if (inList(kPreParsePairs1, second)) return true;
  if (inList(kPreParsePairs1, first) && inList(kPreParsePairs2, second)) return true;
  return inList(kPreParsePairs3, first) && inList(kPreParsePairs4, second);
}

void tagNumeralWords(CjSentence& s) {
  int steps = 0;
  for (int w = s.firstTop; isNodeIndex(s, w) && steps < kMaxNodes; w = nextNode(s, w), ++steps) {
    const int x = nextNode(s, w);
    const int y = nextNode(s, x);
    const bool wInA = nodeInList(s, w, kPreParseNumeralsA);
    const bool wInB = nodeInList(s, w, kPreParseNumeralsB);
    if (inList(kPreParseLeadWords, textOf(s, w)) && inAorB(s, x)) {
      giveU(s, x);
    } else if (hasU(s, w) && hasU(s, y) && inAorB(s, x)) {
      giveU(s, x);
    } else if (wInA && hasU(s, x)) {
      giveU(s, w);
      giveU(s, x);
    } else if (wInA && nodeInList(s, x, kPreParseNumeralsB)) {
      if (isNumeralWordPair(textOf(s, w), textOf(s, x))) {
        giveU(s, w);
        giveU(s, x);
      }
    } else if (wInB && nodeInList(s, x, kPreParseNumeralsA) && isNumeralWordPair(textOf(s, w), textOf(s, x))) {
      giveU(s, w);
      giveU(s, x);
    }
  }
}

void groupNumeralRun(CjSentence& s) {
  int w = s.firstTop;
  for (int steps = 0; isNodeIndex(s, w) && steps < 2 * kMaxNodes; ++steps) {
    if (hasRunStop(s, w) || !isWordNode(s, w) || !(hasU(s, w) || nodeInList(s, w, kPreParseNumeralsB))) {
      w = nextNode(s, w);
      continue;
    }
    const int start = w;
    int last = w;
    for (int n = nextNode(s, last); continuesRun(s, n); n = nextNode(s, last)) last = n;
    last = takeLeadingCharacters(s, last);
    if (last < 0) return;
    if (last != start) {
      const int group = builtnewnode(s, start, last);
      if (group == 0) return;
      markNumeralGroup(s.nodes[group]);
      w = nextNode(s, group);
      continue;
    }
    // The node that ended the run cannot start one either.
    w = nextNode(s, nextNode(s, last));
  }
}

namespace {

// A word of numeral characters ending in a word of the list, as the segmenter reads some hours,
// whole parts and minutes in one word: 一点, 零点 (point), 十分 (clock word).
bool numeralsThen(const CjSentence& s, int i, const ListedKey& tail) {
  if (!isWordAt(s, i)) return false;
  const std::string_view t = textOf(s, i);
  for (const std::string& end : listedWords(tail)) {
    if (end.empty() || t.size() <= end.size() || t.substr(t.size() - end.size()) != end) continue;
    const std::string_view head = t.substr(0, t.size() - end.size());
    if (head.size() % 2 != 0) continue;
    bool numerals = true;
    for (std::size_t k = 0; numerals && k < head.size(); k += 2) numerals = inList(kPreParseRunC, head.substr(k, 2));
    if (numerals) return true;
  }
  return false;
}

// After the point: a clock word, a numeral run with or without its clock word, or a numeral word that
// ends in its clock word (十分). The group's last node; 0 when nothing follows that fits.
int afterPoint(const CjSentence& s, int y) {
  if (!isWordAt(s, y)) return 0;
  if (nodeInList(s, y, kClockWords) || numeralsThen(s, y, kClockWords)) return y;  // 十点半, 一点十分
  if (!hasU(s, y)) return 0;
  while (isWordAt(s, nextNode(s, y)) && hasU(s, nextNode(s, y)) && !nodeInList(s, nextNode(s, y), kClockWords))
    y = nextNode(s, y);
  const int z = nextNode(s, y);
  return isWordAt(s, z) && (nodeInList(s, z, kClockWords) || numeralsThen(s, z, kClockWords)) ? z : y;
}

}  // namespace

// A numeral run, the point word and a numeral run: a decimal (六十五点三公斤, 百分之三点五) unless a
// clock word follows (三点五十分); a clock time (三点五十分, 七点一刻, 十点半) with its clock word. The
// point may end a word of numerals (一点十分, 十一点半, 零点五).
void groupDecimalNumerals(CjSentence& s) {
  int w = s.firstTop;
  for (int steps = 0; isNodeIndex(s, w) && steps < kMaxNodes; ++steps) {
    int end = 0;
    if (numeralsThen(s, w, kDecimalPoint)) {
      end = afterPoint(s, nextNode(s, w));
    } else if (isWordAt(s, w) && hasU(s, w) && !nodeInList(s, w, kClockWords)) {
      int last = w;
      while (isWordAt(s, nextNode(s, last)) && hasU(s, nextNode(s, last)) &&
             !nodeInList(s, nextNode(s, last), kClockWords))
        last = nextNode(s, last);
      const int x = nextNode(s, last);
      if (isWordAt(s, x) && nodeInList(s, x, kDecimalPoint)) end = afterPoint(s, nextNode(s, x));
      else if (numeralsThen(s, x, kDecimalPoint)) end = afterPoint(s, nextNode(s, x));
    }
    const int group = end ? builtnewnode(s, w, end) : 0;
    if (end && group == 0) return;
    if (group == 0) {
      w = nextNode(s, w);
      continue;
    }
    markNumeralGroup(s.nodes[group]);
    w = nextNode(s, group);
  }
}

void applyReduplicationPatterns(CjSentence& s) {
  // The chain starts at node 1 again, unless the sentence end has taken node 1 out of it.
  const bool firstOnChain = !isNodeIndex(s, 1) || s.nodes[1].next != 0 || s.lastTop == 1;
  if (firstOnChain) s.firstTop = 1;
  CJ_RULE(reduplication, mergeAABB, s);
  CJ_RULE(reduplication, mergeAAB, s);
  CJ_RULE(reduplication, mergeABB, s);
  CJ_RULE(reduplication, mergeAAA, s);
  CJ_RULE(reduplication, mergeAA, s);
  CJ_RULE(reduplication, mergeALYA, s);
  CJ_RULE(reduplication, mergeZAYA, s);
  CJ_RULE(reduplication, mergeALAQ, s);
  CJ_RULE(reduplication, mergeAQBL, s);
  CJ_RULE(reduplication, mergeYAYA, s);
  CJ_RULE(reduplication, mergeYAYB, s);
  CJ_RULE(reduplication, mergeALAB, s);
  CJ_RULE(reduplication, mergeALA, s);
  CJ_RULE(reduplication, mergeALB, s);
  CJ_RULE(numeralRuns, groupDecimalNumerals, s);
  CJ_RULE(numeralRuns, groupNumeralRun, s);
}

}  // namespace cj
