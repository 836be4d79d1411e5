#include "engine/cj/analysis/rule_probe.h"
#include "engine/cj/analysis/parse_cascade.h"

#include "engine/cj/analysis/coordination.h"
#include "engine/cj/analysis/fixed_expressions.h"
#include "engine/cj/analysis/grammar.h"
#include "engine/cj/analysis/node_build.h"
#include "engine/cj/analysis/node_predicates.h"
#include "engine/cj/analysis/node_text.h"
#include "engine/cj/analysis/parser.h"
#include "engine/cj/analysis/phrase_repair.h"
#include "engine/cj/analysis/phrase_rules.h"
#include "engine/cj/analysis/predicate_marks.h"
#include "engine/cj/analysis/role_assignment.h"
#include "engine/common/word_table.h"

namespace cj {
namespace {

constinit ListedKey kOpen1{"parseCascade.delimitedOpen"};
constinit ListedKey kClose1{"parseCascade.delimitedClose"};
constinit ListedKey kStopWords1{"parseCascade.delimitedStopWords"};
constinit ListedKey kVerbParticles{"parseCascade.verbParticles"};
constinit ListedKey kOpen2{"parseCascade.delimitedOpen2"};
constinit ListedKey kClose2{"parseCascade.delimitedClose2"};
constinit ListedKey kOpen3{"parseCascade.delimitedOpen3"};
constinit ListedKey kClose3{"parseCascade.delimitedClose3"};
constinit ListedKey kStopWords2{"parseCascade.delimitedStopWords2"};
constinit ListedKey kMarkA{"sentenceEnd.A"};  // the plain full stop
constinit ListedKey kMarkQ{"sentenceEnd.Q"};
constinit ListedKey kMarkX{"sentenceEnd.X"};
constinit ListedKey kMarkK{"sentenceEnd.K"};
constinit ListedKey kWordT{"sentenceEnd.T"};
constinit ListedKey kWordW{"sentenceEnd.W"};
constinit ListedKey kDropWords{"sentenceEnd.dropWords"};
constinit ListedKey kParticleA{"particleMarks.A"};
constinit ListedKey kParticleSuffixes{"particleMarks.suffixes"};
constinit ListedKey kParticleB{"particleMarks.B"};
constinit ListedKey kParticleBOthers{"particleMarks.BOthers"};
constinit ListedKey kParticleC{"particleMarks.C"};

const WordKeySpec kWordKeys[] = {
    {kOpen1, 1, 1, 1},       {kClose1, 1, 1, 1},       {kStopWords1, 2, 1, 0},     {kVerbParticles, 3, 1, 2},
    {kOpen2, 1, 1, 1},       {kClose2, 1, 1, 1},       {kOpen3, 1, 1, 1},          {kClose3, 1, 1, 1},
    {kStopWords2, 2, 1, 0},  {kMarkA, 1, 1, 1},        {kMarkQ, 1, 1, 1},          {kMarkX, 1, 1, 1},
    {kMarkK, 1, 1, 1},       {kWordT, 1, 1, 1},        {kWordW, 1, 1, 1},          {kDropWords, 7, 1, 1},
    {kParticleA, 1, 1, 1},   {kParticleSuffixes, 4, 1, 1}, {kParticleB, 1, 1, 1},  {kParticleBOthers, 3, 2, 3},
    {kParticleC, 1, 1, 1},
};
const WordKeyRegistrar kRegistrar(kWordKeys);

bool among(const CjSentence& s, int i, const char* key) { return isAmongListed(s, i, key); }

void group(CjSentence& s, int id, char subtype, int countMode) {
  const CjRuleGroup& g = ruleGroup(*s.engine, id);
  runRuleGroup(s, subtype, g.rules, g.gotos, countMode);
}

int phrase(CjSentence& s, int first, int last, const char* cat) {
  int p = builtnewnode(s, first, last);
  if (p) s.nodes[p].CAT = cat;
  return p;
}

// A verb phrase with C_VAL "0" and subtype 'Z'.
int zeroVerbPhrase(CjSentence& s, int first, int last, int head, int rule) {
  int p = phrase(s, first, last, "VP");
  if (!p) return 0;
  CjNode& n = s.nodes[p];
  n.features.C_VAL = "0";
  n.subtype = 'Z';
  n.headChild = head;
  n.ruleNumber = rule;
  return p;
}

// The delimited phrase over open..close and, when a node follows, the verb phrase over both.
void delimitedPhrase(CjSentence& s, int open, int close, int rule, const char* stopWords) {
  int dp = phrase(s, open, close, "DP");
  if (!dp) return;
  s.nodes[dp].spanMark = 'y';
  s.nodes[open].spanMark = 'l';
  s.nodes[close].spanMark = 'r';
  int n = nextNode(s, dp);
  if (n == 0) return;
  int vp = zeroVerbPhrase(s, dp, n, dp, rule);
  if (!vp) return;
  s.nodes[vp].predicateMark = among(s, nextNode(s, vp), stopWords) ? 'N' : 'C';
}

void ifListedPair(CjSentence& s, const char* openKey, const char* closeKey, int rule, const char* stopWords,
                  bool* found = nullptr) {
  int o = 0, c = 0;
  const std::string& open = listedWord(openKey);
  const std::string& close = listedWord(closeKey);
  bool ok = !open.empty() && !close.empty() && findDelimitedPair(s, open, close, o, c);
  if (found) *found = ok;
  if (ok) delimitedPhrase(s, o, c, rule, stopWords);
}

}  // namespace

bool findDelimitedPair(const CjSentence& s, std::string_view open, std::string_view close, int& first, int& last) {
  first = last = 0;
  int o = s.firstTop;
  for (int steps = 0; isNodeIndex(s, o) && nodeText(s, o) != open && steps < kMaxNodes; ++steps) o = nextNode(s, o);
  if (!isNodeIndex(s, o)) return false;
  int c = nextNode(s, o);
  for (int steps = 0; c != 0 && nodeText(s, c) != close && steps < kMaxNodes; ++steps) c = nextNode(s, c);
  if (c == 0) return false;
  first = o;
  last = c;
  return true;
}

void ruleDelimitedPhrase(CjSentence& s) { ifListedPair(s, kOpen1, kClose1, 1, kStopWords1); }

void ruleVerbParticleVP(CjSentence& s) {
  for (int u = s.firstTop, steps = 0; isNodeIndex(s, u) && steps < kMaxNodes; ++steps) {
    int w = nextNode(s, u);
    if (!(hasCat(s, u, "V") || hasCat(s, u, "VP")) || !among(s, w, kVerbParticles)) {
      u = nextNode(s, u);
      continue;
    }
    int n = nextNode(s, w);
    int p = n != 0 && !hasCat(s, n, "P") ? zeroVerbPhrase(s, u, n, u, 2) : zeroVerbPhrase(s, u, w, u, 3);
    if (!p) return;
    u = nextNode(s, p);
  }
}

void ruleDelimitedPhrase2(CjSentence& s) {
  bool found = false;
  ifListedPair(s, kOpen2, kClose2, 6, kStopWords2, &found);
  if (!found) ifListedPair(s, kOpen3, kClose3, 6, kStopWords2);
}

void repairDelimitedPhrases(CjSentence& s) {
  ruleDelimitedPhrase(s);
  ruleVerbParticleVP(s);
  ruleDelimitedPhrase2(s);
}

void markSentenceEnd(CjSentence& s) {
  if (!isNodeIndex(s, s.firstTop)) return;
  s.sentenceType.clear();
  const int last = lastTopNode(s);
  const bool punctuated = hasCat(s, last, "P") != 0;
  const int before = punctuated ? prevNode(s, last) : last;
  const std::string_view mark = punctuated ? nodeText(s, last) : std::string_view(listedWord(kMarkA));
  auto is = [&](const char* key) { return !listedWord(key).empty() && mark == listedWord(key); };
  const std::string& c1 = listedWord(predicate_words::kC1);
  if (is(kMarkQ) || mark == "?") {
    s.sentenceType = "?";
  } else if (is(kMarkX) || mark == "!") {
    s.sentenceType = "!";
  } else if (is(kMarkK) || is(predicate_words::kC1) || (mark == "," && punctuated)) {
    s.sentenceType = c1;
  } else if (hasCat(s, before, "E") && isListedText(s, before, kWordT)) {
    s.sentenceType = "T";
  } else if (hasCat(s, before, "E") && isListedText(s, before, kWordW)) {
    s.sentenceType = "?";
  } else {
    s.sentenceType = listedWord(kMarkA);
  }
  if (hasCat(s, last, "E") && isListedText(s, last, kWordW)) {
    s.nodes[last].CAT = "P";
    s.nodes[last].CHI = "ma";
    return;
  }
  // unlinkNode keeps the header's first and last nodes in step.
  if (hasChars(s, before, 1) && among(s, before, kDropWords)) unlinkNode(s, before);
}

void markParticleWords(CjSentence& s) {
  const auto& suffixes = listedWords(kParticleSuffixes);
  for (int i = 1; isNodeIndex(s, i) && isWordNode(s, i); ++i) {
    CjNode& n = s.nodes[i];
    if (isListedText(s, i, kParticleA)) {
      int verb = nextVerbInContext(s, i);
      std::string_view head = nodeText(s, lexicalHead(s, verb));
      bool suffix = false;
      for (const std::string& x : suffixes) suffix = suffix || (verb != 0 && hasSuffix(head, x));
      n.secondMark = suffix ? '1' : '2';
      n.features.C_VAL = suffix ? "3" : "1";
    } else if (isListedText(s, i, kParticleB) || among(s, i, kParticleBOthers)) {
      n.secondMark = n.CAT == "P" ? '2' : '1';
    } else if (isListedText(s, i, kParticleC)) {
      n.secondMark = '2';
    }
  }
}

void parseSentence(CjSentence& s) {
  s.govNode = 0;
  s.argCount = 0;
  CJ_RULE(coordination, ruleCoordination, s);
  CJ_RULE(coordination, ruleEnumerations, s);
  group(s, kGroupUG1, '1', 0);
  group(s, kGroupUG2, '2', 0);
  group(s, kGroupUG3, '3', 0);
  group(s, kGroupNtp1, '1', 0);
  group(s, kGroupNtp2, '2', 0);
  group(s, kGroupNtp3, '3', 1);
  group(s, kGroupNtl1, '1', 0);
  group(s, kGroupNtl2, '2', 0);
  group(s, kGroupNtl3, '3', 0);
  group(s, kGroupNtl4, '4', 0);
  group(s, kGroupUP1, '1', 0);
  group(s, kGroupAP1, '1', 1);
  group(s, kGroupAP2, '2', 0);
  group(s, kGroupAP3, '3', 0);
  group(s, kGroupFP1, '1', 0);
  group(s, kGroupNP1, '1', 0);
  CJ_RULE(phraseRepair, ruleVerbLinkerInsert, s);
  group(s, kGroupNP2, '2', 1);
  group(s, kGroupNP3, '3', 0);
  group(s, kGroupVP1, '1', 0);
  group(s, kGroupVP2, '2', 0);
  group(s, kGroupVP3, '3', 0);
  group(s, kGroupVP4, '4', 0);
  CJ_RULE(phraseRules, ruleZeroValVerbPairVP, s);
  CJ_RULE(phraseRepair, ruleAdverbialVP, s);

  CJ_RULE(phraseRules, ruleWNounNP, s);
  CJ_RULE(phraseRules, ruleVerbObjectNP, s);
  group(s, kGroupNP4, '4', 0);
  CJ_RULE(phraseRules, ruleZeroValNounNP, s);
  CJ_RULE(phraseRules, ruleRelativeClauseNP, s);
  CJ_RULE(phraseRepair, removeInsertedLinkers, s);
  group(s, kGroupNP2, '2', 1);
  CJ_RULE(phraseRules, rulePairedNominalNP, s);
  CJ_RULE(phraseRules, ruleConjoinedNominalNP, s);
  CJ_RULE(phraseRules, ruleVerbIntroducedIP, s);
  CJ_RULE(phraseRepair, ruleIntroducerNP, s);
  CJ_RULE(phraseRepair, ruleIntroducerClauseNP, s);
  CJ_RULE(phraseRepair, ruleIntroducerClauseNP2, s);
  CJ_RULE(phraseRules, ruleIntroducedNominalNP, s);
  group(s, kGroupNP5, '5', 0);
  CJ_RULE(phraseRepair, ruleIntroducerNP, s);
  CJ_RULE(phraseRepair, ruleIntroducerClauseNP, s);
  CJ_RULE(phraseRepair, ruleIntroducerClauseNP2, s);
  group(s, kGroupNP6, '6', 0);
  CJ_RULE(phraseRules, ruleEmbeddedClauseObjectNP, s);
  CJ_RULE(phraseRules, ruleNominalisedVerbNP, s);

  group(s, kGroupVP5, '5', 0);
  CJ_RULE(phraseRepair, ruleLocalizerPhrases, s);
  CJ_RULE(predicateMarks, markPredicates, s);
  CJ_RULE(predicateMarks, setMainPredicate, s);

  const CjRuleGroup& sentence = ruleGroup(*s.engine, kGroupS);
  if (runSentenceGroup(s, sentence.rules, sentence.gotos)) return;

  CJ_RULE(parseCascade, repairDelimitedPhrases, s);
  CJ_RULE(predicateMarks, markPredicates, s);
  CJ_RULE(predicateMarks, setMainPredicate, s);
  CJ_RULE(phraseRepair, ruleClauseIntroducers, s);
  CJ_RULE(predicateMarks, markPredicates, s);
  CJ_RULE(predicateMarks, setMainPredicate, s);
  CJ_RULE(phraseRepair, applyLinkerFallback, s);
  CJ_RULE(parseCascade, markParticleWords, s);
  CJ_RULE(coordination, ruleNounRuns, s);
  CJ_RULE(coordination, ruleCoordinatedNominals, s);
  CJ_RULE(phraseRepair, ruleSenseFromWord, s);
  CJ_RULE(roleAssignment, assignRoles, s);
}

}  // namespace cj
