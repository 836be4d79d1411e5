#include "engine/jc/rules/jc_particle_rules.h"

#include <string>
#include <vector>

#include "engine/jc/core/jc_predicates.h"
#include "engine/jc/rules/jc_render_demo.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

using namespace particle_keys;

struct Write {
  int node;
  Field field;
  std::string text;
  int source = -1;  // checked when not -1
};
struct Case {
  const char* what;
  std::string sentence;
  const char* live;
  std::vector<Write> writes;
  std::vector<std::pair<int, char>> kinds = {};
};

class Particles : public RuleTest {
 protected:
  void expectWrites(const Case& c) {
    EXPECT_EQ(live(), c.live);
    for (const Write& w : c.writes) {
      EXPECT_EQ(field(w.node, w.field), w.text) << "node " << w.node << " field " << w.field;
      if (w.source != -1) {
        EXPECT_EQ(source(w.node, w.field.slot), w.source) << "node " << w.node << " slot " << w.field;
      }
    }
    for (auto [node, kind] : c.kinds) EXPECT_EQ(s->targets[node].kind, kind) << "node " << node;
  }
  void check(const Case& c) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    applyParticleRules(s);
    expectWrites(c);
  }
  // Relation items from governor to dependent, as "label,label".
  std::string relations(int governor, int dependent) const {
    std::string out;
    for (const JcLink* l = s->relationAgenda; l && l->next; l = l->next) {
      if (l->governor != governor || l->dependent != dependent) continue;
      if (!out.empty()) out += ',';
      out += l->label.str();
    }
    return out;
  }
};

TEST_F(Particles, CaseParticles) {
  const Case cases[] = {
      {"が goes", "m 彼 pos=6/1; m が pos=9/1; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 label=D9; p 3-3", "101", {}},
      {"から gives its word", "m 東京 pos=6/1; m から pos=9/1; m 来る pos=2/1 conj=15/2; p 1-2 head=p2; p 3-3", "101",
       {{4, Slot::kPreposition, word(kKara), 2}}},
      {"まで after a noun: to", "m 駅 pos=6/1; m まで pos=9/1; m 歩く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101",
       {{4, Slot::kClauseOpener, word(kMadeTo), 2}}},
      {"まで after a time: until", "m 五時 pos=6/10; m まで pos=9/1; m 寝る pos=2/1 conj=1/2; p 1-2 head=p2; p 3-3", "101",
       {{4, Slot::kPreposition, word(kMadeUntil), 2}, {4, Slot::kClauseOpener, ""}}},
      {"まで after a place: as after a time", "m 駅 pos=6/4; m まで pos=9/1; m 歩く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3",
       "101", {{4, Slot::kPreposition, word(kMadeUntil), 2}, {4, Slot::kClauseOpener, ""}}},
      {"これまで", "m これ pos=6/5; m まで pos=9/1; m 寝る pos=2/1 conj=1/2; p 1-2 head=p2; p 3-3", "101",
       {{1, Slot::kOwnRendering, word(kMadeKore)}}},
      {"と before か", "m 彼 pos=6/1; m と pos=9/1; m か pos=9/4; p 1-3", "110", {{2, Slot::kOwnRendering, word(kToKa)}}, {{4, 'z'}}},
      {"と of a TO3 phrase keeps a word", "m 彼 pos=6/1; m と pos=9/1; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 usage=TO3; p 3-3",
       "111", {{2, Slot::kOwnRendering, word(kTo)}}},
      {"と of another phrase goes", "m 彼 pos=6/1; m と pos=9/1; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 usage=TO2; p 3-3", "101",
       {{2, Slot::kOwnRendering, ""}}},
      {"で of a B16a A3 phrase", "m 車 pos=6/1; m で pos=9/1; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 ab=A3|B16a|; p 3-3", "101",
       {{4, Slot::kCopula, word(kDe), 2}}},
      {"で of an A13 phrase stays", "m 車 pos=6/1; m で pos=9/1; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 ab=A13|B16a|; p 3-3",
       "111", {{4, Slot::kCopula, ""}}},
      {"の between nominals", "m 私 pos=6/1; m の pos=9/1; m 本 pos=6/1; p 1-3", "111", {{2, Slot::kOwnRendering, word(kNo)}}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(Particles, ACaseParticleOfAClaimedPhraseIsNotVisited) {
  build("m 彼 pos=6/1; m が pos=9/1; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 label=D9; p 3-3");
  s->targets[4].mark = "K";
  applyParticleRules(s);
  EXPECT_EQ(live(), "111");
  s->targets[4].mark = "?";
  applyParticleRules(s);
  EXPECT_EQ(live(), "101");
}

TEST_F(Particles, FocusParticles) {
  const std::string even = word(demo_keys::kEven), everyone = word(demo_keys::kAfterQuestionWord);
  const Case cases[] = {
      {"は goes", "m 彼 pos=6/1; m は pos=9/2; m 行く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101", {}},
      {"も after 誰", "m 誰 pos=6/1; m も pos=9/2; m 来る pos=2/1 conj=15/2; p 1-2 head=p2 label=D1; p 3-3", "101",
       {{5, Slot::kInclusive, everyone, 2}}},
      {"も after a noun", "m 子供 pos=6/1; m も pos=9/2; m 来る pos=2/1 conj=15/2; p 1-2 head=p2 label=D1; p 3-3", "101",
       {{5, Slot::kInclusive, even, 2}}},
      {"なら", "m 彼 pos=6/1; m なら pos=9/2; m 行く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "101", {{4, Slot::kConcession, word(kNara), 2}}},
      {"さえ stays with two words", "m 水 pos=6/1; m さえ pos=9/2; m ない pos=3 conj=18/2; p 1-2 head=p2; p 3-3", "111",
       {{4, Slot::kConcession, word(kSae), 2}, {4, Text::kHeadText, word(kSaeHead)}}},
      {"だって after 誰", "m 誰 pos=6/1; m だって pos=9/2; p 1-2", "11", {{2, Slot::kOwnRendering, word(kDatteQuestion)}, {3, Slot::kConcession, ""}}},
      {"しか", "m 水 pos=6/1; m しか pos=9/2; m ない pos=3 conj=18/2; p 1-2 head=p2; p 3-3", "101",
       {{4, Text::kHeadText, word(kShika)}}},
      {"など after a noun keeps its word", "m 本 pos=6/1; m など pos=9/2; m 読む pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3", "111",
       {{2, Slot::kOwnRendering, word(kNado)}}},
      {"ばかり after a numeral", "m 十 pos=6/7; m ばかり pos=9/2; p 1-2", "11", {{2, Slot::kOwnRendering, word(kBakariNumeral)}}},
      {"だけ of a D5 phrase", "m 彼 pos=6/1; m だけ pos=9/2; m 来る pos=2/1 conj=15/2; p 1-2 head=p2 label=D5; p 3-3", "101",
       {{4, Slot::kRestriction, word(kDake), 2}}},
      {"だけ of a D11 phrase goes to the head", "m 本 pos=6/1; m だけ pos=9/2; m 読む pos=2/1 conj=5/2;"
       "p 1-2 head=p2 label=D11; p 3-3",
       "101", {{5, Slot::kRestriction, word(kDakeHead), 2}}},
      {"だけ after a verb takes the だ", "m 読む pos=2/1 conj=5/2; m だけ pos=9/2; m だ pos=5/1; p 1-3", "100",
       {{4, Slot::kRestriction, word(kDakeVerb), 2}}},
      {"だけ of a D20 phrase", "m 水 pos=6/1; m だけ pos=9/2; m ある pos=2/1 conj=5/2; p 1-2 head=p2 label=D20; p 3-3", "101",
       {{4, Slot::kRestriction, word(kDakeCase), 2}}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(Particles, ConjunctiveParticles) {
  const Case cases[] = {
      {"が opening its phrase", "m が pos=9/3; m 彼 pos=6/1; p 1-2", "11", {{1, Slot::kOwnRendering, word(kGaFirst)}}},
      {"が before a comma", "m 行く pos=2/1 conj=5/2; m が pos=9/3; m 、 pos=1/1; p 1-3", "101", {{4, Text::kHeadText2, word(kGa)}}},
      {"けれども", "m 行く pos=2/1 conj=5/2; m けれども pos=9/3; p 1-2", "10", {{3, Text::kHeadText2, word(kKeredomo)}}},
      {"および", "m 本 pos=6/1; m および pos=9/3; m ノート pos=6/1; p 1-3", "111", {{2, Slot::kOwnRendering, word(kOyobi)}}, {{4, 'z'}}},
      {"そして", "m そして pos=9/3; m 行く pos=2/1 conj=5/2; p 1-2", "11",
       {{1, Slot::kOwnRendering, word(particle_conjunction_keys::kSoshite)}}},
      {"なら", "m 行く pos=2/1 conj=5/2; m なら pos=9/3; m 。 pos=1/1; p 1-3", "101", {{4, Slot::kClauseOpener, word(kNaraConj), 2}}},
      {"から of a reason opens its clause", "m 痛い pos=3/0 conj=18/2; m から pos=9/3; m 。 pos=1/1; p 1-3", "101",
       {{4, Slot::kClauseOpener, word(kKaraReason), 2}}},
      {"から after a noun is no reason", "m 東京 pos=6/1; m から pos=9/3; m 。 pos=1/1; p 1-3", "111",
       {{4, Slot::kClauseOpener, ""}}},
      {"なら before the clause it governs: 就 there", "m 雨 pos=6/1; m なら pos=9/3; m 行く pos=2/1 conj=5/2; p 1-2 head=p2; p 3-3",
       "101", {{4, Slot::kClauseOpener, word(kNaraConj), 2}, {5, Slot::kSequence, word(kConditionalThen)}}},
      {"か before a particle goes", "m 行く pos=2/1 conj=5/2; m か pos=9/3; m も pos=9/2; p 1-3", "101", {}},
      {"か of AかB", "m 本 pos=6/1; m か pos=9/3; m ノート pos=6/1; p 1-2 head=p2; p 3-3", "111",
       {{2, Slot::kOwnRendering, kaDoukaRendering(kKaBetweenNominals)}}},
      {"かどうか: code 5", "m 行く pos=2/1 conj=5/2; m か pos=9/3; m どう pos=8; m か pos=9/3; m 知る pos=2/1 conj=5/2;"
       "p 1-4 head=p2; p 5-5",
       "11001", {{6, Slot::kAfterSubject, kaDoukaRendering(kKaDouka)}, {2, Slot::kOwnRendering, ""}}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(Particles, MadeTurnsTheRelationOfItsPhraseIntoHT) {
  build("m 来る pos=2/1 conj=15/2; m まで pos=9/3; m 待つ pos=2/1 conj=5/2; p 1-2 head=p2 label=D16; p 3-3; r 5 4 ADV");
  applyParticleRules(s);
  EXPECT_EQ(relations(5, 4), "HT");  // changed, not added
  EXPECT_EQ(s->targets[4].relation.str(), "HT");
  EXPECT_EQ(slot(4, Slot::kClauseOpener), word(kMadeConj));
  EXPECT_EQ(source(4, Slot::kClauseOpener), 2);
  EXPECT_EQ(live(), "101");

  build("m 来る pos=2/1 conj=15/2; m まで pos=9/3; m 待つ pos=2/1 conj=5/2; p 1-2 head=p2 label=D16; p 3-3");
  applyParticleRules(s);
  EXPECT_EQ(relations(5, 4), "HT");
}

TEST_F(Particles, FinalParticles) {
  const Case cases[] = {
      {"ね goes", "m 行く pos=2/1 conj=5/2; m ね pos=9/4; p 1-2", "10", {}},
      {"か asks", "m 行く pos=2/1 conj=5/2; m か pos=9/4; p 1-2", "10", {{3, Text::kText3, word(kKa)}}},
      {"か after a question word asks nothing more", "m 誰 pos=6/1; m が pos=9/1; m 行く pos=2/1 conj=5/2; m か pos=9/4;"
       "p 1-2 head=p2; p 3-4",
       "1010", {{6, Text::kText3, ""}}},
      {"な after a base form forbids", "m 行く pos=2/1 conj=5/2; m な pos=9/4; p 1-2", "10", {{3, Slot::kAfterSubject, word(kNa), 2}}},
      {"よ keeps its word", "m 行く pos=2/1 conj=5/2; m よ pos=9/4; p 1-2", "11", {{2, Slot::kOwnRendering, word(kYo)}}},
      {"なあ after an adjective", "m 高い pos=3 conj=18/2; m なあ pos=9/4; p 1-2", "11",
       {{2, Slot::kOwnRendering, word(kNaa)}, {1, Slot::kNearAdverbial, word(kNaaAdjective)}}},
      {"ぜ", "m 行く pos=2/1 conj=5/2; m ぜ pos=9/4; p 1-2", "10", {{3, Text::kHeadText2, word(kZe)}}},
  };
  for (const Case& c : cases) check(c);
}

TEST_F(Particles, TheClosingPassCompletesConditionalsAndPlacesAspectWords) {
  const std::string eat = ec(u8"吃"), rice = ec(u8"饭");
  const Case cases[] = {
      {"a conditional clause", "m 降れ base=降る pos=2/1 conj=5/6; m ば pos=9/3; m 行く pos=2/1 conj=5/2;"
       "p 1-2 head=p2 kind=j; p 3-3",
       "111", {{4, Slot::kClauseOpener, word(kConditional), 1}, {5, Slot::kSequence, word(kConditionalThen)}}},
      {"a conditional that ends the sentence: no 就", "m 降れ base=降る pos=2/1 conj=5/6; m ば pos=9/3; p 1-2 kind=j", "11",
       {{3, Slot::kClauseOpener, word(kConditional), 1}, {3, Slot::kSequence, ""}}},
      {"a split equivalent takes the word between its halves",
       "m 食べた base=食べる pos=2/1 conj=1/8 zh=&" + eat + "/" + rice + ":V1/N:1; m 。 pos=1/1; p 1-2", "11",
       {{1, Slot::kOwnRendering, eat + word(kAspect1) + rice}, {1, Text::kHeadText, ""}}},
      {"with kOwnRendering filled it goes to headText",
       "m 食べた base=食べる pos=2/1 conj=1/8 zh=" + eat + "/" + rice + ":V1/N:2 slot17=" + eat + "; m 。 pos=1/1; p 1-2",
       "11", {{1, Slot::kOwnRendering, eat}, {1, Text::kHeadText, word(kAspect2)}}},
      {"another valency: headText", "m 食べた base=食べる pos=2/1 conj=1/8 zh=" + eat + ":V1:1; m 。 pos=1/1; p 1-2", "11",
       {{1, Slot::kOwnRendering, ""}, {1, Text::kHeadText, word(kAspect1)}}},
      {"before a noun no aspect word", "m 食べた base=食べる pos=2/1 conj=1/8 zh=" + eat + ":V1:1; m 物 pos=6/1; p 1-2", "11",
       {{1, Text::kHeadText, ""}}},
  };
  for (const Case& c : cases) check(c);

  build("m 食べた base=食べる pos=2/1 conj=1/8 zh=" + eat + "/" + rice + ":V1/N:3; m 。 pos=1/1; p 1-2");
  applyParticleRules(s);
  EXPECT_EQ(slot(1, Slot::kOwnRendering), eat + rice);
  EXPECT_EQ(s->targets[1].aspectB, 'B');

  // The governed clause keeps a sequence word another rule wrote.
  build("m 降れ base=降る pos=2/1 conj=5/6; m ば pos=9/3; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 kind=j; p 3-3");
  s->targets[5].slots[slotIndex(Slot::kSequence)] = rice;
  applyParticleRules(s);
  EXPECT_EQ(slot(5, Slot::kSequence), rice);
}

TEST_F(Particles, TheConditionalWordStopsAtAWholeCharacterOfSlot0) {
  build("m 降れ base=降る pos=2/1 conj=5/6; m ば pos=9/3; m 行く pos=2/1 conj=5/2; p 1-2 head=p2 kind=j; p 3-3");
  const std::string filler(47, 'x');
  s->targets[4].slot0 = filler;
  applyParticleRules(s);
  EXPECT_EQ(slot(4, Slot::kClauseOpener), filler + word(kConditional).substr(0, 2));  // 49 bytes: one whole character
  EXPECT_EQ(source(4, Slot::kClauseOpener), 1);
}

}  // namespace
}  // namespace jc
