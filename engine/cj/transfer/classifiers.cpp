#include "engine/cj/transfer/classifiers.h"

#include <array>
#include <initializer_list>

#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/transfer_navigation.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

const WordKeySpec kWordKeys[] = {
    {kNumeralOneTwo, 2, 2, 2}, {kTimeClassifiers, 4, 1, 2}, {kTwoNumeral, 1, 1, 1},
    {kClassFWord, 1, 1, 1},    {kEveryFollowers, 2, 1, 1},  {kNumeralList1, 22, 1, 1},
    {kNumeralList2, 14, 1, 1}, {kNumeralList3, 9, 1, 1},    {kNumeralExclusions, 8, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

char catLetter(CjTransferContext& c, int i) { return node(c, i).CAT[0]; }

// Index of the word in a listed key, -1 when absent.
int listedIndex(const char* key, std::string_view word) {
  const auto& words = listedWords(key);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (!word.empty() && words[k] == word) return static_cast<int>(k);
  }
  return -1;
}

bool classTest(CjTransferContext& c, int i, char own, std::initializer_list<const char*> sems) {
  if (i < 1) return false;
  char l = catLetter(c, i);
  if (l != 'S' && l != own) return false;
  for (const char* s : sems) {
    if (node(c, i).features.M_SEM.contains(s)) return true;
  }
  return false;
}

bool isUnitCategory(CjTransferContext& c, int p) {
  std::string_view cat = node(c, p).CAT.view();
  return cat == "U" || cat == "UG";
}

}  // namespace

std::string counterOfClassifier(CjTransferContext& c, int classifier) {
  CjTargetNode* t = targetNode(c, classifier);
  if (!t || classifier < 1) return {};
  translateSpecialWord(c, classifier, 'N');
  std::string_view code = t->candidates.empty() ? t->jcat.view() : t->candidates.front().code.view();
  std::size_t open = code.find('<');
  if (open == std::string_view::npos) return {};
  std::string_view rest = code.substr(open + 1);
  std::string_view counter = rest.substr(0, rest.find('>'));
  return std::string(counter.substr(0, fitAtCharBoundary(counter, kCounterTextLimit)));
}

bool isNumeralClassA(CjTransferContext& c, int i) { return classTest(c, i, 'A', {"A"}); }
bool isNumeralClassB(CjTransferContext& c, int i) { return classTest(c, i, 'B', {"B"}); }
bool isNumeralClassC(CjTransferContext& c, int i) { return classTest(c, i, 'C', {"C", "J", "H"}); }
bool isNumeralClassF(CjTransferContext& c, int i) { return classTest(c, i, 'C', {"F"}); }

bool isListedNumeral(CjTransferContext& c, int i) {
  if (!isTargetWord(c, i) || i < 1) return false;
  std::string_view w = node(c, i).CHI.view();
  if (!isListedWord(kNumeralList1, w) && !isListedWord(kNumeralList2, w) && !isListedWord(kNumeralList3, w))
    return false;
  return !isListedWord(kNumeralExclusions, w);
}

void renderClassifierPlaceholder(CjTransferContext& c, int numeral, int classifier, int target) {
  RuleWatch watch(c, "numeralRules.renderClassifierPlaceholder");
  CjTargetNode* t = targetNode(c, target);
  if (!t || target < 1) return;
  const int p = node(c, numeral).prev;
  const int N = numeral > 0 ? targetHead(c, numeral) : 0;
  const int C = classifier > 0 ? targetHead(c, classifier) : 0;
  const int q = listedIndex(kNumeralOneTwo, node(c, N).CHI.view());
  if (q < 0 && N > 0 && catLetter(c, N) == 'C') {
    translateSpecialWord(c, target, catLetter(c, target));
    return;
  }
  if (N > 0 && N != target && c.sentence) c.sentence->nodes[target].dictionaryRef = node(c, N).dictionaryRef;

  if (q >= 0) {
    CjTargetNode& n = c.targets[N];
    const std::string k = counterOfClassifier(c, C);
    const int time = C > 0 ? listedIndex(kTimeClassifiers, node(c, C).CHI.view()) : -1;
    if (!k.empty()) {
      n.japanese = q == 0 ? "１" : "２";
      n.japanese.append(k);
      n.jcat = "N0000";
    } else if (time < 0) {
      n.japanese = q == 0 ? "１つ" : "２つ";
      t->jcat = "N0000";
    } else {
      CjTargetNode& ct = c.targets[C];
      n.japanese = q == 0 ? "１" : "２";
      if (time == 0) ct.japanese = "時間";
      if (time == 1 || time == 2) ct.japanese = "週間";
      ct.jcat = "N0000";
      n.jcat = "N0000";
      n.vform = 'z';
    }
    return;
  }

  if (isNumeralClassA(c, N)) {
    std::string k = counterOfClassifier(c, C);
    if (!isUnitCategory(c, p)) {
      if (p == 0) {
        if (k.empty()) {
          t->japanese.clear();
          t->ruleFlag2 = 0;
        } else {
          t->japanese = "1";
          t->japanese.append(k);
        }
        t->jcat = "N0000";
      } else if (node(c, p).CAT.view() != "R") {
        t->japanese.clear();
      }
      return;
    }
    if (!k.empty() && k != "つ") {
      t->japanese = k;
      t->jcat = "N0000";
      return;
    }
    if (isPlaceTimeHead(c, C)) return;
    if (k.empty() && translateSpecialWord(c, target, 'S') && !t->candidates.empty())
      k = t->candidates.front().text.str();
    if (!k.empty() && k != "つ") return;
    if (isListedNumeral(c, p)) {
      t->japanese = "つ";
      t->jcat = "N0000";
    } else {
      t->japanese = "の";
      t->jcat.clear();
    }
    return;
  }

  if (!isNumeralClassB(c, N)) {
    if (isNumeralClassC(c, N)) {
      translateSpecialWord(c, target, 'S');
      if (p == 0) t->prefixText = "1";
    } else if (isNumeralClassF(c, N) && isListedText(*c.sentence, N, kClassFWord)) {
      translateSpecialWord(c, target, 'S');
    }
    return;
  }

  if (isUnitCategory(c, p)) {
    if (!translateSpecialWord(c, target, 'S')) translateSpecialWord(c, target, 'N');
  } else if (p == 0) {
    if (isListedText(*c.sentence, N, kTwoNumeral)) {
      t->japanese = "２";
      t->jcat = "N0000";
    } else {
      translateSpecialWord(c, target, 'S');
      t->prefixText = "ひとつの";
    }
  } else if (node(c, p).CAT.view() == "R") {
    translateSpecialWord(c, target, 'S');
  } else if (!translateSpecialWord(c, target, 'S')) {
    t->japanese = "多く";
    t->jcat = "N0000";
  }
}

namespace {

// The every phrase over `count` children; a missing child leaves the phrase as it is.
void everyPhrase(CjTransferContext& c, int i, int count) {
  RuleWatch watch(c, "numeralRules.everyPhrase");
  CjTargetNode* pt = targetNode(c, i);
  if (!pt || i < 1 || count < 2 || count > 5) return;
  std::array<int, 6> ch{};
  int k = node(c, i).firstChild;
  for (int n = 1; n <= count; ++n) {
    if (k < 1 || k >= kMaxNodes) return;
    ch[n] = k;
    k = node(c, k).next;
  }
  CjTargetNode& c1 = c.targets[ch[1]];
  CjTargetNode& c2 = c.targets[ch[2]];
  CjTargetNode& cl = c.targets[ch[count]];
  const int last = lastWordOf(c, i);
  const int limit = c.wordCount > 0 ? c.wordCount : c.nodeCount;
  const int w = last > 0 && last + 1 <= limit ? last + 1 : 0;
  const bool x = isNumeralClassC(c, ch[2]);
  const bool mei1 = count == 2;
  if (count >= 4) {
    c1.vform = 'z';
    c2.vform = 't';
    c.targets[ch[3]].vform = 't';
    cl.vform = 'z';
  }
  if (w > 0 && isListedWord(kEveryFollowers, node(c, w).CHI.view())) {
    if (!x) {
      c1.japanese = mei1 ? "すべて" : "すべての";
      c2.alive = 0;
      c1.vform = 'z';
    } else {
      c1.japanese = "一";
      c2.att = mei1 ? "あたり" : "あたりの";
      c1.vform = 'z';
      c2.vform = 'z';
    }
    if (!mei1) cl.vform = 't';
    return;
  }
  cl.caseOpen = 0;
  pt->caseOpen = 0;
  if (mei1) {
    c1.japanese = "一";
    c2.att = "ごとに";
    c1.vform = 'z';
    c2.vform = 'z';
    return;
  }
  if (!x) {
    c1.alive = 0;
    c2.alive = 0;
  } else {
    c1.japanese = "一";
  }
  cl.att = "ごとに";
  cl.vform = 'z';
  if (count == 3) {
    c1.vform = 'z';
    c2.vform = 't';
  }
}

}  // namespace

void Process_Mei1(CjTransferContext& c, int i) { everyPhrase(c, i, 2); }
void Process_Mei2(CjTransferContext& c, int i) { everyPhrase(c, i, 3); }
void Process_Mei3(CjTransferContext& c, int i) { everyPhrase(c, i, 4); }
void Process_Mei4(CjTransferContext& c, int i) { everyPhrase(c, i, 5); }

}  // namespace cj
