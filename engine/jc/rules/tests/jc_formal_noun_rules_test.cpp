#include "engine/jc/rules/jc_formal_noun_rules.h"

#include <utility>
#include <vector>

#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

using namespace formal_noun_keys;

struct Case {
  const char* what;
  std::string sentence;
  const char* live;
  std::vector<std::pair<int, Slot>> slotAt;  // node, slot
  std::vector<std::string> slotText;
  std::vector<std::pair<int, char>> kinds;
};

class FormalNouns : public RuleTest {
 protected:
  void check(const Case& c) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    applyFormalNounRules(s);
    EXPECT_EQ(live(), c.live);
    for (std::size_t k = 0; k < c.slotAt.size(); ++k) {
      EXPECT_EQ(slot(c.slotAt[k].first, c.slotAt[k].second), c.slotText[k])
          << "node " << c.slotAt[k].first << " slot " << c.slotAt[k].second;
    }
    for (auto [node, kind] : c.kinds) EXPECT_EQ(s->targets[node].kind, kind) << "node " << node;
  }
};

TEST_F(FormalNouns, TheNoRuleKeepsDropsOrLinks) {
  const std::string mark = word(kEndMark);
  const Case cases[] = {
      {"の after a ta-form keeps its word", "m 行った base=行く pos=2/1 conj=5/8 kind=l; m の pos=6/8; m は pos=9/2; p 1-3 kind=l", "111",
       {{2, Slot::kOwnRendering}}, {word(kNoAfterPast)}, {{1, 'z'}, {4, 'z'}}},
      {"の after a base form goes", "m 行く pos=2/1 conj=5/2 kind=l; m の pos=6/8; m は pos=9/2; p 1-3", "101", {{2, Slot::kOwnRendering}}, {""},
       {{1, 'z'}}},
      {"の + particle after an adjective keeps its word", "m 赤い pos=3 conj=18/2 kind=l; m の pos=6/8; m が pos=9/1; p 1-3", "111",
       {{2, Slot::kOwnRendering}}, {word(kNoAfterAdjective)}, {{1, 'z'}}},
      {"の + particle after ない goes", "m ない pos=3 conj=18/2; m の pos=6/8; m が pos=9/1; p 1-3", "101", {{2, Slot::kOwnRendering}}, {""},
       {}},
      {"の after など", "m 本 pos=6/1; m など pos=9/2 kind=l; m の pos=6/8; m 話 pos=6/1; p 1-4", "1111", {{3, Slot::kOwnRendering}},
       {word(kNoAfterNado)}, {{2, 'z'}}},
      {"の before a symbol", "m 彼 pos=6/1 kind=l; m の pos=6/8; m 。 pos=1/1; p 1-3", "111", {{2, Slot::kOwnRendering}}, {word(kNoBeforeSymbol)},
       {{1, 'z'}}},
      {"の between nominals makes its phrase attributive", "m 私 pos=6/1; m の pos=6/8; m 本 pos=6/1; p 1-2 head=p2; p 3-3",
       "101", {{2, Slot::kOwnRendering}}, {""}, {{4, 't'}}},
      {"の before & goes", "m 私 pos=6/1 kind=l; m の pos=6/8; m 本 pos=6/1 zh=&; p 1-2 head=p2 kind=l; p 3-3 kind=l", "101", {}, {},
       {{1, 'z'}, {4, 'z'}, {5, 'l'}}},
      {"の after a word rendered with the attributive word",
       "m 静か pos=3/2 conj=21/1 kind=l zh=\\x88\\x9F" + mark + "; m の pos=6/8; m 本 pos=6/1; p 1-2 head=p2 kind=l; p 3-3", "101", {}, {},
       {{1, 'z'}, {4, 'z'}}},
      {"a noun rendered with it does not count",
       "m 静か pos=6/1 zh=\\x88\\x9F" + mark + "; m の pos=6/8; m 本 pos=6/1; p 1-2 head=p2; p 3-3", "101", {}, {},
       {{4, 't'}}},
      {"ん at word 1 has no word before it", "m ん pos=6/8; m だ pos=14/7 conj=25/2; p 1-2", "01", {}, {}, {}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(FormalNouns, KotoHazuTsumoriMono) {
  const Case cases[] = {
      {"ことだ after an adnominal predicate goes with the copula",
       "m 行く pos=2/1 conj=5/2; m こと pos=6/8; m だ pos=14/7 conj=25/2; p 1-3 kind=l", "100", {}, {}, {{4, 'z'}}},
      {"ことです", "m 行く pos=2/1 conj=5/2; m こと pos=6/8; m です pos=14/7 conj=29/2; p 1-3", "100", {}, {}, {}},
      {"こと elsewhere keeps its word", "m 仕事 pos=6/1; m の pos=9/1; m こと pos=6/8; p 1-3", "111", {{3, Slot::kOwnRendering}},
       {word(kKoto)}, {}},
      {"はず after a live ない",
       "m 来 base=来る pos=2/1 conj=15/3; m ない pos=14/7 conj=18/2; m はず pos=6/8; m だ pos=14/7 conj=25/2; p 1-4 kind=l",
       "1001", {{5, Slot::kAfterSubject}}, {word(kHazuNegative)}, {{5, 'z'}}},
      {"わけ after a base form", "m 来る pos=2/1 conj=15/2; m わけ pos=6/8; m だ pos=14/7 conj=25/2; p 1-3", "101", {{4, Slot::kAfterSubject}},
       {word(kHazu)}, {}},
      {"はず after a te-form is only dropped", "m 来て base=来る pos=2/1 conj=15/11; m はず pos=6/8; p 1-2", "10", {{3, Slot::kAfterSubject}},
       {""}, {}},
      {"つもり after a base form", "m 行く pos=2/1 conj=5/2; m つもり pos=6/8; m だ pos=14/7 conj=25/2; p 1-3 kind=l", "101",
       {{4, Slot::kModal}}, {word(kTsumori)}, {{4, 'z'}}},
      {"つもり as a noun", "m その pos=7/2; m つもり pos=6/8; p 1-2", "10", {{2, Slot::kOwnRendering}, {3, Slot::kModal}}, {word(kTsumoriNoun), ""}, {}},
      {"ものだ", "m 行く pos=2/1 conj=5/2; m もの pos=6/8; m だ pos=14/7 conj=25/2; p 1-3", "100", {}, {}, {}},
      {"ものか", "m 行く pos=2/1 conj=5/2; m もん pos=6/8; m か pos=9/4; p 1-3", "100", {{4, Slot::kAfterSubject}}, {word(kMonoKa)}, {}},
      {"もの elsewhere", "m 甘い pos=3 conj=18/2; m もの pos=6/8; m が pos=9/1; p 1-3", "111", {{2, Slot::kOwnRendering}}, {word(kMono)}, {}},
  };
  for (const Case& c : cases) check(c);
  // ものと: the と phrase is read by its TO3 row later.
  build("m 行く pos=2/1 conj=5/2; m もの pos=6/8; m と pos=9/1; m 思う pos=2/1 conj=5/2; p 1-3 head=p2 kind=l; p 4-4");
  applyFormalNounRules(s);
  EXPECT_EQ(live(), "1011");
  EXPECT_EQ(s->nodes[5].usageCode.str(), "TO3");
  EXPECT_EQ(s->targets[5].kind, 'z');
}

TEST_F(FormalNouns, TheSourcesOfTheClauseSlotsAreTheFormalNoun) {
  build("m 来 base=来る pos=2/1 conj=15/3; m ない pos=14/7 conj=18/2; m はず pos=6/8; p 1-3");
  applyFormalNounRules(s);
  EXPECT_EQ(source(4, Slot::kAfterSubject), 3);
  build("m 行く pos=2/1 conj=5/2; m つもり pos=6/8; p 1-2");
  applyFormalNounRules(s);
  EXPECT_EQ(source(3, Slot::kModal), 2);
}

TEST_F(FormalNouns, WordsOfSubPosNineComeOnlyAfterTheLastFormalNoun) {
  build("m こと pos=6/9; m 行く pos=2/1 conj=5/2; m こと pos=6/8; m の pos=9/1; m こと pos=6/9; p 1-5");
  applyFormalNounRules(s);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), "");
  EXPECT_EQ(slot(3, Slot::kOwnRendering), word(kKoto));
  EXPECT_EQ(slot(5, Slot::kOwnRendering), word(kKoto));
}

TEST_F(FormalNouns, ConditionalsMarkTheirClauseAndTakeMoshi) {
  build("m もし pos=8; m 雨 pos=6/1; m が pos=9/1; m 降れ base=降る pos=2/1 conj=5/6 zh=\\x88\\x9F:V1;"
        "m ば pos=9/3; m 行く pos=2/1 conj=5/2 zh=\\x88\\xA0:VTA1; m もし pos=8;"
        "p 1-1 head=p3; p 2-3 head=p3; p 4-5 head=p4; p 6-7");
  markConditionalClauses(s);
  EXPECT_EQ(live(), "0111110");
  EXPECT_EQ(s->targets[10].kind, 'j');
  EXPECT_EQ(s->targets[4].candidates->valency.str(), "V1;@");
  EXPECT_EQ(s->targets[6].candidates->valency.str(), "VTA1");
  // A long code is left as it is.
  build("m もし pos=8; m 降れ base=降る pos=2/1 conj=5/6 zh=\\x88\\x9F:VTA1; p 1-2");
  markConditionalClauses(s);
  EXPECT_EQ(s->targets[2].candidates->valency.str(), "VTA1");
  EXPECT_EQ(live(), "01");
  // Without a conditional もし stays.
  build("m もし pos=8; m 降る pos=2/1 conj=5/2 zh=\\x88\\x9F:V1; p 1-2");
  markConditionalClauses(s);
  EXPECT_EQ(live(), "11");
  EXPECT_EQ(s->targets[2].candidates->valency.str(), "V1");
}

TEST_F(FormalNouns, TheRenderingEndsWithTheMarkAtAWholeCharacter) {
  const std::string mark = word(kEndMark);
  const std::string a = ec(u8"甲"), b = ec(u8"乙");
  build("m 甲 pos=6/1 zh=" + a + "; m 乙 pos=6/1; p 1-2");
  EXPECT_FALSE(renderingEndsWithMark(s, 1));
  EXPECT_FALSE(renderingEndsWithMark(s, 2));  // no rendering at all
  EXPECT_FALSE(renderingEndsWithMark(s, 0));
  s->targets[1].candidates->chinese = a + mark;
  EXPECT_TRUE(renderingEndsWithMark(s, 1));
  s->targets[1].slots[17] = b;  // kOwnRendering comes first
  EXPECT_FALSE(renderingEndsWithMark(s, 1));
  s->targets[1].slots[17] = mark;
  EXPECT_TRUE(renderingEndsWithMark(s, 1));
  // The mark's two bytes after a lead byte are no whole character.
  s->targets[1].slots[17] = "\x88" + mark;
  EXPECT_FALSE(renderingEndsWithMark(s, 1));
}

}  // namespace
}  // namespace jc
