#include "engine/cj/transfer/special_structures.h"

#include <array>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/common/word_table.h"
#include "engine/cj/transfer/arabic_numerals.h"
#include "engine/cj/transfer/candidate_narrowing.h"
#include "engine/cj/transfer/category_codes.h"
#include "engine/cj/transfer/dependent_patterns.h"
#include "engine/cj/transfer/dictionary_lookup.h"
#include "engine/cj/transfer/frame_rule_support.h"
#include "engine/cj/transfer/particles.h"
#include "engine/cj/transfer/rule_actions.h"
#include "engine/cj/transfer/rule_watch.h"

namespace cj {
namespace {

using namespace frames;

// The analysis's negation of its A-not-A and 不A不B patterns: 不A不B negates both words.
constinit ListedKey kPatternNegation{"reduplication.B"};

const WordKeySpec kWordKeys[] = {
    {kSpecialHonorifics, 3, 1, 1},   {kSpecialPersonWord, 1, 1, 1},    {kSpecialHostWord, 1, 2, 2},
    {kSpecialMemberWords, 2, 1, 1},  {kSpecialSuffixWords, 4, 1, 1},   {kSpecialEachWord, 1, 1, 1},
    {kSpecialOneWord, 1, 1, 1},      {kSpecialQuestionWord, 1, 1, 2},  {kSpecialLittleWord, 1, 1, 2},
    {kSpecialPastWord, 1, 1, 2},     {kSpecialEachDropWords, 2, 1, 1}, {kSpecialNowWord, 1, 1, 2},
    {kSpecialSymbolWord, 1, 1, 1},   {kSpecialQuoteFollower, 1, 1, 2}, {kSpecialRedupChar, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

// The phrase's first child F, the siblings after it (s[1] = S1 ...) and its last child E, taken
// before any word is dropped.
struct Span {
  int phrase = 0, f = 0, e = 0;
  std::array<int, 6> s{};
  bool has(int k) const { return s[k] > 0; }
};

Span spanOf(CjTransferContext& c, int phrase) {
  Span sp;
  sp.phrase = phrase;
  CjTargetNode* t = at(c, phrase);
  if (!t) return sp;
  sp.f = t->firstChild;
  sp.e = t->lastChild;
  sp.s[0] = sp.f;
  for (std::size_t k = 1; k < sp.s.size() && sp.s[k - 1] > 0; ++k) sp.s[k] = c.targets[sp.s[k - 1]].nextSibling;
  return sp;
}

void drop(CjTransferContext& c, int i) {
  if (i > 0) unlinkTargetNode(c, i);
}

void setHead(CjTransferContext& c, int phrase, int i) {
  if (i > 0) c.targets[phrase].headChild = static_cast<std::int16_t>(i);
}

// True when the phrase heads the main predicate of a question (你去不去？) or closes it
// (我们去看电影好不好？): the question form asks it.
bool asksMainQuestion(const CjTransferContext& c, int phrase) {
  if (c.sentenceType != "?" || !c.sentence) return false;
  const int mark = c.targets[phrase].nextSibling;
  if (c.sentence->nodes[phrase].parent == 0 && mark > 0 && mark < kMaxNodes && c.targets[mark].nextSibling == 0 &&
      c.sentence->nodes[mark].CAT == "P")
    return true;
  for (int k = c.govNode, steps = 0; k > 0 && k < kMaxNodes && steps < kMaxNodes; ++steps) {
    if (k == phrase) return true;
    const int h = c.sentence->nodes[k].headChild;
    if (h == k || h <= 0) break;
    k = h;
  }
  return false;
}

void nameOf(CjTransferContext& c, int i) {
  std::string jp;
  copyCwToJp(chiOf(c, i), jp);
  setJapanese(c, i, jp);
}

// The code of a node's Japanese, or of its first candidate when it has no Japanese yet.
std::string_view codeOf(CjTransferContext& c, int i) {
  const CjTargetNode& t = c.targets[i];
  if (!t.japanese.empty() || t.candidates.empty()) return t.jcat.view();
  return t.candidates.front().code.view();
}

// Looks a compound up; true with the entry in list.
bool lookUp(CjTransferContext& c, const std::string& key, std::vector<CjCandidate>& list) {
  return readWholeEntry(c, key, &list) == 1 && !list.empty();
}

void giveCandidates(CjTransferContext& c, int i, std::vector<CjCandidate>& list) {
  freeCandidateLists(c, i);
  c.targets[i].candidates = std::move(list);
}

// S1 takes the first candidate of F's list and becomes the phrase's head.
void measureToS1(CjTransferContext& c, const Span& sp, const CjCandidate& first) {
  CjTargetNode& s1 = c.targets[sp.s[1]];
  s1.japanese = first.text.view();
  s1.jcat = first.code.view();
  c.targets[sp.f].ruleFlag1 = 0;
  s1.ruleFlag1 = 0;
  setHead(c, sp.phrase, sp.s[1]);
  mergeModalities(c, sp.phrase, sp.s[1]);
  s1.vform = 'y';
}

void applyNameWithTitle(CjTransferContext& c, const Span& sp, int pattern) {
  switch (pattern) {
    case 1:
    case 2:
      retire(c, sp.f);
      setAtt(c, sp.e, "(さん)");
      chooseTranslation(c, sp.e, 'M');
      if (pattern == 1) setHead(c, sp.phrase, sp.e);
      break;
    case 3:
      nameOf(c, sp.f);
      nameOf(c, sp.e);
      break;
    case 4:
    case 5:
      nameOf(c, sp.f);
      chooseTranslation(c, sp.e, 'N');
      break;
    default:
      break;
  }
}

void personName(CjTransferContext& c, int f) {
  chooseTranslation(c, f, 'M');
  if (c.targets[f].candidates.empty()) {
    nameOf(c, f);
    c.targets[f].jcat = "N0000";
  }
}

void applyNameCompound(CjTransferContext& c, const Span& sp, int pattern) {
  RuleWatch watch(c, "specialStructures.applyNameCompound");
  switch (pattern) {
    case 1:
      personName(c, sp.f);
      if (listed(kSpecialHonorifics, chiOf(c, sp.e))) {
        setJapanese(c, sp.e, "さん", "N0000");
      } else if (listed(kSpecialPersonWord, chiOf(c, sp.e))) {
        setJapanese(c, sp.e, "という人", "N0000");
      }
      break;
    case 2:
      personName(c, sp.f);
      chooseTranslation(c, sp.e, 'N');
      break;
    case 3:
      for (int k = sp.f, steps = 0; k > 0 && steps < kMaxNodes; k = c.targets[k].nextSibling, ++steps) {
        CjNode& n = c.sentence->nodes[k];
        if (!n.senses.empty() && n.senses.front().catLetter == 'N' && n.senses.front().M_SEM.contains("Z")) {
          n.CAT = "N";
          n.features.M_SEM = "Z";
        } else {
          nameOf(c, k);
        }
      }
      break;
    case 4:
      nameOf(c, sp.f);
      retire(c, sp.e);
      break;
    case 5: {
      static const char* const kSuffixes[] = {"性", "達", "者", "度(度合)"};
      if (sp.f > 0) {
        if (!listed(kSpecialHostWord, chiOf(c, sp.f))) {
          chooseTranslation(c, sp.f, 'N');
          CjTargetNode& ft = c.targets[sp.f];
          ft.ruleFlag2 = 0;
          const std::string_view code = codeOf(c, sp.f);
          if (isVerbClassCode(code) || isAdjectiveCode(code) || isNaAdjectiveCode(code)) {
            ft.vform = 't';
            ft.ruleFlag2 = 1;
          }
        } else {
          setJapanese(c, sp.f, "主催");
        }
      }
      const std::string_view e = chiOf(c, sp.e);
      if (listed(kSpecialMemberWords, e)) {
        setJapanese(c, sp.e, "員");
      } else if (const int k = listedIndex(kSpecialSuffixWords, e); k >= 0 && k < 4) {
        setJapanese(c, sp.e, kSuffixes[k]);
      }
      break;
    }
    case 6:
      for (int k = sp.f, steps = 0; k > 0 && steps < kMaxNodes; k = c.targets[k].nextSibling, ++steps) {
        chooseTranslation(c, k, 'N');
      }
      break;
    default:
      break;
  }
}

// Nodes each pattern of class '3' needs (S1 = 1 ...); a pattern stops when one is missing.
// Patterns 4, 11, 13 and 14 drop what exists of their later words: the analysis builds their
// phrases over two to four words.
int neededSiblings(int pattern) {
  switch (pattern) {
    case 3: case 4: case 5: case 6: case 7: case 11: case 13: case 14: case 19: return 1;
    case 12: case 18: return 2;
    case 8: case 9: case 10: case 16: case 17: case 23: return 3;
    default: return 0;
  }
}

// True when needle occurs in text starting at a character boundary of the engine code.
bool containsAtBoundaryEngine(std::string_view text, std::string_view needle) {
  if (needle.empty()) return false;
  for (std::size_t i = 0; i < text.size(); i += charSizeAt(text, i)) {
    if (text.compare(i, needle.size(), needle) == 0) return true;
  }
  return false;
}

bool isCountCategory(CjTransferContext& c, int i) { return catIsOneOf(c, i, {"C", "N", "U", "S"}); }

void applyFixedPattern(CjTransferContext& c, const Span& sp, int pattern) {
  RuleWatch watch(c, "specialStructures.applyFixedPattern");
  const int f = sp.f, e = sp.e, s1 = sp.s[1], s2 = sp.s[2], s3 = sp.s[3], s4 = sp.s[4];
  const int phrase = sp.phrase;
  for (int k = 1; k <= neededSiblings(pattern); ++k) {
    if (!sp.has(k)) return;
  }
  switch (pattern) {
    case 1: {
      const bool each = listed(kSpecialEachWord, chiOf(c, e));
      drop(c, e);
      if (!each) {
        if (catLetterOf(c, f) == 'V') {
          c.targets[f].prefixText = "すこし";
          chooseTranslation(c, f, 'V');
        }
      } else if (isCountCategory(c, f)) {
        if (f + 1 <= c.nodeCount) setJapanese(c, f + 1, "ずつ");
      } else {
        setForm(c, f, 'r');
        setForm(c, c.targets[f].nextSibling, 'd');
      }
      break;
    }
    case 2:
      drop(c, f);
      if (catLetterOf(c, e) == 'V') {
        c.targets[e].prefixText = "すこし";
        chooseTranslation(c, e, 'V');
      } else if (catLetterOf(c, e) == 'A') {
        c.targets[e].prefixText = "とても";
        chooseTranslation(c, e, 'A');
      }
      setHead(c, phrase, e);
      break;
    case 3:
      drop(c, s1);
      if (e != f && e != s1) drop(c, e);
      c.targets[f].prefixText = "ちょっと";
      setHead(c, phrase, f);
      break;
    case 4: {
      std::vector<CjCandidate> list;
      if (!lookUp(c, std::string(firstCharOf(chiOf(c, f))) + std::string(lastCharOf(chiOf(c, e))), list)) break;
      giveCandidates(c, f, list);
      copyModalities(c, phrase, f);
      c.targets[f].ruleFlag1 = 0;
      for (int k : {s1, s2, s3, s4}) drop(c, k);
      setHead(c, phrase, f);
      break;
    }
    case 5: {
      const int after = c.targets[s1].nextSibling;
      if (!listed(kSpecialOneWord, chiOf(c, f))) {
        chooseTranslation(c, f, 'C');
        if (!c.targets[f].candidates.empty()) measureToS1(c, sp, c.targets[f].candidates.front());
      } else {
        std::vector<CjCandidate> list;
        const std::string s1First(firstCharOf(chiOf(c, s1)));
        if (lookUp(c, std::string(chiOf(c, f)) + s1First, list)) {
          giveCandidates(c, f, list);
          narrowCandidatesByKind(c, f, 0, 'C');
          if (!c.targets[f].candidates.empty()) measureToS1(c, sp, c.targets[f].candidates.front());
        } else if (lookUp(c, s1First, list)) {
          std::string jp = "一";
          jp += list.front().text.view();
          setJapanese(c, f, jp, "N0000");
          const CjCandidate first = list.front();
          giveCandidates(c, s1, list);
          measureToS1(c, sp, first);
        }
      }
      drop(c, after);
      break;
    }
    case 6: {
      if (e == s1) return;
      const std::string_view middle = chiOf(c, s1);
      drop(c, f);
      drop(c, s1);
      chooseTranslation(c, e, 'V');
      CjTargetNode& et = c.targets[e];
      et.ruleFlag1 = 0;
      et.ruleFlag2 = 0;
      if (listed(kSpecialQuestionWord, middle)) {
        et.att = "か";
      } else if (listed(kSpecialLittleWord, middle)) {
        et.prefixText = "すこし";
        et.ten = 'B';
        et.ruleFlag2 = 1;
      }
      break;
    }
    case 7:
      drop(c, s1);
      if (e != f && e != s1) drop(c, e);
      chooseTranslation(c, f, catLetterOf(c, f));
      c.targets[f].ruleFlag1 = 0;
      c.targets[f].ruleFlag2 = 0;
      c.targets[f].att = asksMainQuestion(c, phrase) ? "か" : "かどうか";
      break;
    case 8:
      for (int k : {s1, s2, s3}) drop(c, k);
      chooseTranslation(c, f, 'V');
      c.targets[f].prefixText = "何回も";
      c.targets[f].ruleFlag1 = 0;
      c.targets[f].ruleFlag2 = 1;
      setHead(c, phrase, f);
      break;
    case 9:
    case 10:
      for (int k : {f, s2, s3}) drop(c, k);
      chooseTranslation(c, s1, 'V');
      c.targets[s1].ruleFlag1 = 0;
      c.targets[s1].ruleFlag2 = 0;
      c.targets[s1].prefixText = "あっちもこっちも";
      setHead(c, phrase, s1);
      break;
    case 11:
      c.targets[f].prefixText = "あちこち";
      chooseTranslation(c, f, 'V');
      c.targets[f].ruleFlag1 = 0;
      c.targets[f].ruleFlag2 = 0;
      for (int k : {s1, s2, s3}) drop(c, k);
      setHead(c, phrase, f);
      break;
    case 12: {
      if (e == s1 || e == s2) return;
      std::vector<CjCandidate> list;
      if (lookUp(c, std::string(chiOf(c, f)) + std::string(chiOf(c, s2)), list)) {
        giveCandidates(c, f, list);
        narrowCandidates(c, f, 0, 'V');
        copyModalities(c, phrase, f);
        c.targets[f].ruleFlag1 = 0;
        drop(c, s1);
        drop(c, s2);
      } else {
        swapTargetNodes(c, f, s2);
        drop(c, s1);
        chooseTranslation(c, f, 'V');
        chooseTranslation(c, s2, catLetterOf(c, s2));
        c.targets[f].ruleFlag1 = 0;
        c.targets[s2].ruleFlag1 = 0;
        c.targets[s2].att = particleForArgument(c, s2, f);
        c.targets[s2].caseOpen = 0;
      }
      c.targets[f].vform = 'y';
      setJapanese(c, e, "はじめる", isTransitiveCode(codeOf(c, f)) ? "TI000" : "ZI000");
      c.targets[e].ruleFlag1 = 0;
      setHead(c, phrase, e);
      mergeModalities(c, phrase, e);
      break;
    }
    case 13: {
      std::vector<CjCandidate> list;
      if (!lookUp(c, std::string(chiOf(c, f)) + std::string(chiOf(c, e)), list)) break;
      giveCandidates(c, f, list);
      copyModalities(c, phrase, f);
      if (listed(kSpecialPastWord, chiOf(c, s1))) c.targets[f].ten = 'B';
      c.targets[f].ruleFlag1 = 0;
      for (int k : {s1, s2, s3, s4}) drop(c, k);
      setHead(c, phrase, f);
      break;
    }
    case 14:
      if (listed(kSpecialEachDropWords, chiOf(c, e)) && e != f) drop(c, e);
      if (catOf(c, phrase) != "F") {
        setForm(c, f, 'r');
        setForm(c, s1, 'r');
        setForm(c, s2, 'd');
      } else if (isCountCategory(c, f)) {
        c.targets[f].att = "ずつ";
        drop(c, s1);
        drop(c, s2);
      }
      break;
    case 16:
      drop(c, f);
      chooseTranslation(c, s1, 'V');
      c.targets[s1].vform = 'y';
      c.targets[s1].att = "ながら";
      setJapanese(c, s2, ",");
      chooseTranslation(c, s3, 'V');
      mergeModalities(c, phrase, s3);
      setHead(c, phrase, s3);
      break;
    case 17: {
      if (listed(kSpecialNowWord, chiOf(c, f)) || listed(kPatternNegation, chiOf(c, f))) {
        drop(c, f);
        drop(c, s2);
        mergeModalities(c, phrase, s3);
        c.targets[s1].vform = 'd';
        c.targets[s1].neg = 1;
        c.targets[s3].neg = 1;
        setHead(c, phrase, s3);
        break;
      }
      const char letter = catLetterOf(c, phrase);
      if (letter == 'V') {
        drop(c, f);
        drop(c, s2);
        chooseTranslation(c, s1, 'V');
        chooseTranslation(c, s3, 'V');
        applyBttItem(c, s1, "たり,");
        applyBttItem(c, s3, "たり");
        const char form = c.targets[phrase].vform;
        if (form == 'y' || form == 'd') {
          setHead(c, phrase, s3);
          c.targets[s3].ruleFlag2 = 0;
        } else if (const int n = addTargetNode(c); n > 0) {
          insertTargetNode(c, n, s3, c.targets[s3].nextSibling);
          setJapanese(c, n, "する", "SHT00");
          setHead(c, phrase, n);
        }
      } else if (letter == 'A' || letter == 'F') {
        drop(c, f);
        drop(c, s2);
        c.targets[s1].vform = 'd';
        chooseTranslation(c, s1, letter);
        chooseTranslation(c, s3, letter);
        setHead(c, phrase, s3);
      } else {
        break;
      }
      mergeModalities(c, phrase, c.targets[phrase].headChild);
      break;
    }
    case 18: {
      const int last = e != s2 ? e : 0;
      if (last == 0) return;
      drop(c, f);
      drop(c, s2);
      c.targets[s1].att = "か";
      chooseTranslation(c, s1, 'V');
      c.targets[last].att = "か";
      chooseTranslation(c, last, 'V');
      c.targets[last].att.append("勝手にしろ");
      mergeModalities(c, phrase, last);
      c.targets[last].neg = 1;
      setHead(c, phrase, last);
      break;
    }
    case 19:
      if (listed(kSpecialSymbolWord, chiOf(c, s1))) c.sentence->nodes[s1].CAT = "S";
      if (listed(kSpecialQuoteFollower, chiOf(c, e + 1))) c.targets[e].att = "と";
      break;
    case 21: {
      const int before = c.targets[e].prevSibling;
      const int twoBefore = before > 0 ? c.targets[before].prevSibling : 0;
      const std::string_view ew = chiOf(c, e);
      const std::string& mark = listedWord(kSpecialRedupChar);
      if (twoBefore < 1 || mark.empty() || !containsAtBoundaryEngine(ew, mark)) break;
      const std::string_view tw = chiOf(c, twoBefore);
      if (!containsAtBoundaryEngine(ew, tw)) break;
      if (!c.targets[twoBefore].japanese.empty()) {
        setJapanese(c, e, c.targets[twoBefore].japanese.view(), c.targets[twoBefore].jcat.view());
      } else {
        c.sentence->nodes[e].dictionaryRef = c.sentence->nodes[twoBefore].dictionaryRef;
        c.sentence->nodes[e].CAT = c.sentence->nodes[twoBefore].CAT;
      }
      c.targets[e].ruleFlag1 = 1;
      break;
    }
    case 23: {
      chooseTranslation(c, s1, catLetterOf(c, s1));
      CjTargetNode& a = c.targets[s1];
      CjTargetNode& b = c.targets[s2];
      a.vform = 'j';
      b.japanese = a.japanese.view();
      b.jcat = a.jcat.view();
      b.candidates.insert(b.candidates.end(), a.candidates.begin(), a.candidates.end());
      retire(c, f);
      b.att = "ほど";
      b.ruleFlag2 = 0;
      applyTonaruItem(c, s3, "0");
      mergeModalities(c, phrase, s3);
      setHead(c, phrase, s3);
      break;
    }
    case 32:
      convertToArabic(c, phrase);
      break;
    case 33: {
      const int before = c.targets[e].prevSibling;
      c.targets[e].att = "かどうか";
      retire(c, before);
      if (before > 0) retire(c, c.targets[before].prevSibling);
      break;
    }
    case 34: {
      const int before = c.targets[e].prevSibling;
      drop(c, before);
      if (f != e && f != before) drop(c, f);
      c.targets[e].prefixText = "ちょっと";
      setHead(c, phrase, e);
      break;
    }
    default:
      break;
  }
}

}  // namespace

void applySpecialStructure(CjTransferContext& c, int phrase) {
  const CjNode* n = phrase > 0 ? sourceNode(c, phrase) : nullptr;
  if (!n || !c.sentence) return;
  const Span sp = spanOf(c, phrase);
  if (sp.f < 1 || sp.e < 1) return;
  const int pattern = n->ruleNumber;
  switch (n->structureClass) {
    case '1':
      applyNameWithTitle(c, sp, pattern);
      break;
    case '2':
      applyNameCompound(c, sp, pattern);
      break;
    case '3':
      applyFixedPattern(c, sp, pattern);
      break;
    default:
      break;
  }
}

}  // namespace cj
