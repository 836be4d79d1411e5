#include "engine/jc/rules/jc_case_particle_rules.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/core/jc_parse_reader.h"
#include "engine/jc/rules/jc_case_relation_rules.h"
#include "engine/jc/rules/jc_rule_kit.h"
#include "engine/jc/rules/tests/rule_fixture.h"

namespace jc {
namespace {

using namespace case_particle_keys;


struct Expect {
  int node;
  Field slot;
  const char* key;  // the word expected; null: empty
};

struct Case {
  const char* what;
  std::string sentence;
  const char* agenda;
  const char* live;
  std::vector<Expect> texts;
  std::function<void(JcSentence*)> prepare = nullptr;
};

std::string agendaOf(const JcSentence* s) {
  std::vector<std::string> items;
  for (const JcLink* l = s->relationAgenda; l && l->next; l = l->next)
    items.push_back(l->label.str() + "(" + std::to_string(l->governor) + "," + std::to_string(l->dependent) + ")");
  std::sort(items.begin(), items.end());
  std::string out;
  for (const std::string& i : items) out += (out.empty() ? "" : " ") + i;
  return out;
}

class CaseParticles : public RuleTest {
 protected:
  void check(const Case& c) {
    SCOPED_TRACE(c.what);
    build(c.sentence);
    if (c.prepare) c.prepare(s);
    applyCaseRelationRules(s);
    EXPECT_EQ(agendaOf(s), c.agenda);
    EXPECT_EQ(live(), c.live);
    for (const Expect& e : c.texts)
      EXPECT_EQ(field(e.node, e.slot), e.key ? word(e.key) : "") << "node " << e.node << " slot " << e.slot;
  }
  void checkAll(const std::vector<Case>& cases) {
    for (const Case& c : cases) check(c);
  }
};

// "m <noun>; m <particle>; m <verb>" with the particle phrase (node 4) on the verb phrase (node 5).
std::string simple(const std::string& noun, const std::string& particle, const std::string& label,
                   const std::string& usage, const std::string& verb = "m 置く pos=2/1 conj=5/2") {
  return "m " + noun + "; m " + particle + " pos=9/1; " + verb + "; p 1-2 head=p2 label=" + label +
         (usage.empty() ? "" : " usage=" + usage) + "; p 3-3";
}

const char* kTemplateVerb = "m 置く pos=2/1 conj=5/2 zh=@caseNi.NI5:V1";

TEST_F(CaseParticles, Ni) {
  checkAll({
      {"NI1 after a time noun", simple("夏 pos=6/1 sem=11690", "に", "D13", "NI1"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kNi1}, {4, Text::kHeadText, kNi1Head}}},
      {"NI1 after 後: no head text", simple("後 pos=6/1 sem=11690", "に", "D13", "NI1"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kNi1}, {4, Text::kHeadText, nullptr}}},
      {"NI1 after a time point: nothing", simple("正月 pos=6/10", "に", "D13", "NI1"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, nullptr}, {4, Text::kHeadText, nullptr}}},
      {"NI2 after a person", simple("先生 pos=6/1 sem=12000", "に", "D13", "NI2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kNi2}, {4, Text::kHeadText, kNi2Head}}},
      {"NI2 after a place", simple("東京 pos=6/4", "に", "D13", "NI2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kNi2Place}, {4, Text::kHeadText, nullptr}}},
      {"NI3 without a verb template", simple("机 pos=6/1", "に", "D13", "NI3"), "COMP(5,4)", "101", {{4, Slot::kPreposition, kNi3Plain}}},
      {"NI3 with a verb template", simple("机 pos=6/1", "に", "D13", "NI3", kTemplateVerb), "COMP(5,4)", "101",
       {{4, Slot::kPreposition, kNi3Comp}}},
      {"NI3 + は with a verb template",
       "m 机 pos=6/1; m に pos=9/1; m は pos=9/2; " + std::string(kTemplateVerb) + "; p 1-3 head=p2 label=D13 usage=NI3; p 4-4",
       "ADV(6,5)", "1011", {{5, Slot::kPreposition, kNi3Adv}}},
      {"NI4", simple("机 pos=6/1", "に", "D13", "NI4"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kNi4}}},
      {"NI5 with a Chinese particle", simple("机 pos=6/1", "に zh=@caseNi.NI6", "D13", "NI5"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kNi5}}},
      {"NI6 without", simple("机 pos=6/1", "に", "D13", "NI6"), "ADV(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"NI7", simple("机 pos=6/1", "に", "D13", "NI7"), "OBJ1(5,4)", "101", {{4, Slot::kPreposition, kNi7}}},
      {"NI7 after a numeral", simple("三 pos=6/7", "に", "D13", "NI7"), "OBJ1(5,4)", "101", {{4, Slot::kPreposition, kNi7Numeral}}},
      {"NI8", simple("机 pos=6/1", "に", "D13", "NI8"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kNi8}}},
      {"NI10 object of a verb", simple("机 pos=6/1", "に", "D13", "NI10", kTemplateVerb), "OBJ1(5,4)", "101",
       {{4, Slot::kPreposition, nullptr}}},
      {"NI10 otherwise", simple("机 pos=6/1", "に", "D13", "NI10"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kNi10Other}}},
      {"NI11", simple("机 pos=6/1", "に", "D13", "NI11"), "ADV(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"NI15", simple("机 pos=6/1", "に", "D13", "NI15"), "OBJ1(5,4)", "101", {}},
      {"NI16 is adverbial", simple("静か pos=3/2 conj=21/1", "に", "D13", "NI16", "m 話す pos=2/1 conj=5/2"), "ADV(5,4)",
       "101", {}},
      {"NI98", simple("机 pos=6/1", "に", "D13", "NI98"), "OBJ2(5,4)", "101", {}},
      {"NI99", simple("机 pos=6/1", "に", "D13", "NI99"), "OBJ1(5,4)", "101", {}},
      {"どこか に", "m どこ pos=6/1; m か pos=9/2; m に pos=9/1; m 行く pos=2/1 conj=5/2; p 1-3 head=p2 label=D13; p 4-4",
       "ADV(6,5)", "1101", {{5, Slot::kPreposition, kNiWhere}}},
      {"an adjective after に", simple("駅 pos=6/1", "に", "D13", "", "m 近い pos=3 conj=18/2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kNiAdjective}}},
      {"no に after word 1", "m に pos=9/1; m 行く pos=2/1 conj=5/2; p 1-1 head=p2 label=D13 usage=NI4; p 2-2", "", "11",
       {{3, Slot::kPreposition, nullptr}}},
      {"a template reference without template keeps に", simple("机 pos=6/1", "に", "D13", "NI4"), "", "111",
       {{4, Slot::kPreposition, nullptr}}, [](JcSentence* s) { s->targets[4].mark = "K"; }},
  });
}

TEST_F(CaseParticles, NiBeforeACommaGoesByTheNoun) {
  auto comma = [](const std::string& noun, const std::string& particle) {
    return "m " + noun + "; m " + particle + " pos=9/1; m 、 pos=1/2; m 行く pos=2/1 conj=5/2;"
           "p 1-3 head=p2 label=D13 usage=NI4; p 4-4";
  };
  checkAll({
      {"a place: NI2", comma("東京 pos=6/4", "に"), "ADV(6,5)", "1011", {{5, Slot::kPreposition, kNi2Place}}},
      {"a time: NI1", comma("夏 pos=6/1 sem=11690", "に"), "ADV(6,5)", "1011", {{5, Slot::kPreposition, kNi1}, {5, Text::kHeadText, kNi1Head}}},
      {"anything else: NI5", comma("机 pos=6/1", "に zh=@caseNi.NI6"), "ADV(6,5)", "1011", {{5, Slot::kPreposition, kNi5}}},
  });
}

TEST_F(CaseParticles, De) {
  checkAll({
      {"no で: でも is adverbial", simple("彼 pos=6/1", "でも", "D12", ""), "ADV(5,4)", "111", {}},
      {"ひとりで", simple("ひとり pos=6/1", "で", "D12", "DE1"), "ADV(5,4)", "101", {{1, Slot::kOwnRendering, kDeAlone}, {4, Slot::kPreposition, nullptr}}},
      {"一人で", "m 一 pos=6/7; m 人 pos=14/3; m で pos=9/1; m 行く pos=2/1 conj=5/2; p 1-3 head=p2 label=D12; p 4-4",
       "ADV(6,5)", "0101", {{2, Slot::kOwnRendering, kDeAlone}}},
      {"では", "m 東京 pos=6/4; m で pos=9/1; m は pos=9/2; m 違う pos=2/1 conj=5/2; p 1-3 head=p2 label=D12 usage=DE1;"
       "p 4-4", "ADV(6,5)", "1001", {{5, Slot::kPreposition, nullptr}}},
      {"でも: the place stays, an adverbial", "m 東京 pos=6/4; m で pos=9/1; m も pos=9/2; m 違う pos=2/1 conj=5/2;"
       "p 1-3 head=p2 label=D12 usage=DE1; p 4-4", "ADV(6,5)", "1011", {}},
      {"でも: the thing stays, the object of a transitive verb", "m 本 pos=6/1; m で pos=9/1; m も pos=9/2;"
       "m 読む pos=2/1 conj=5/2; p 1-3 head=p2 label=D12 usage=DE2; p 4-4", "OBJ1(6,5)", "1011", {}},
      {"でも: after an intransitive verb an adverbial", "m 一日 pos=6/1; m で pos=9/1; m も pos=9/2;"
       "m 休む pos=2/2 conj=5/2; p 1-3 head=p2 label=D12 usage=DE2; p 4-4", "ADV(6,5)", "1011", {}},
      {"contrast with a は phrase", "m 兄 pos=6/1 sem=12010; m は pos=9/2; m 弟 pos=6/1 sem=12020; m で pos=9/1;"
       "m 働く pos=2/1 conj=5/2; p 1-2 head=p3 label=D1 j=J1; p 3-4 head=p3 label=D12 usage=DE1; p 5-5",
       "ADV(8,7) SUB(8,6)", "11101", {{6, Text::kHeadText, kDeContrastWa}, {7, Slot::kPreposition, nullptr}}},
      {"contrast with a も phrase", "m 兄 pos=6/1 sem=12010; m も pos=9/2; m 弟 pos=6/1 sem=12020; m で pos=9/1;"
       "m 働く pos=2/1 conj=5/2; p 1-2 head=p3 label=D1 j=J12; p 3-4 head=p3 label=D12 usage=DE1; p 5-5",
       "ADV(8,7) SUB(8,6)", "11101", {{7, Slot::kCopula, kDeContrastMo}, {7, Slot::kPreposition, nullptr}}},
      {"DE1 at a place", simple("東京 pos=6/4", "で", "D12", "DE1"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kDe1Place}}},
      {"DE1 elsewhere", simple("ペン pos=6/1", "で", "D12", "DE1"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kDe1}}},
      {"DE2 by the 1465 group", simple("病気 pos=6/1 sem=14650", "で", "D12", "DE2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kDe2Group}}},
      {"DE5 by 13510", simple("風 pos=6/1 sem=13510", "で", "D12", "DE5"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kDe5Short}}},
      {"DE5 otherwise", simple("風 pos=6/1", "で", "D12", "DE5"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kDe5}}},
      {"DE3", simple("風 pos=6/1", "で", "D12", "DE3"), "ADV(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"DE9 with head text", simple("風 pos=6/1", "で", "D12", "DE9"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kDe9}, {4, Text::kHeadText, kDe9Head}}},
      {"DEB", simple("風 pos=6/1", "で", "D12", "DEB"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kDeB}, {4, Text::kHeadText, kDeBHead}}},
      {"DEC", simple("風 pos=6/1", "で", "D12", "DEC"), "OBJ2(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"the particle's own sub-code wins", simple("風 pos=6/1", "で zh=@caseDe.DE6::8", "D12", "DE1"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kDe8}}},
      {"F gives DE0", simple("東京 pos=6/4", "で zh=@caseDe.DE6::F", "D12", "DE1"), "ADV(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
  });
}

TEST_F(CaseParticles, Wo) {
  checkAll({
      {"WO1", simple("本 pos=6/1", "を", "D11", "WO1"), "OBJ1(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"WO2 of a verb", simple("道 pos=6/1", "を", "D11", "WO2", kTemplateVerb), "OBJ1(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"WO2 through a place", simple("公園 pos=6/4", "を", "D11", "WO2", "m 歩く pos=2/2 conj=5/2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kWo2Place}}},
      {"WO2 otherwise", simple("道 pos=6/1", "を", "D11", "WO2", "m 歩く pos=2/2 conj=5/2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, nullptr}}},
      {"WO2 after an earlier step took を", simple("道 pos=6/1", "を", "D11", "WO2", "m 歩く pos=2/2 conj=5/2"), "ADV(5,4)",
       "101", {{4, Slot::kPreposition, kWo2Retired}, {4, Text::kHeadText, kWo2RetiredHead}}, [](JcSentence* s) { consumeWord(s, 2); }},
      {"WO3", simple("道 pos=6/1", "を", "D11", "WO3"), "ADV(5,4)", "101", {}},
      {"no code", simple("本 pos=6/1", "を", "D11", ""), "OBJ1(5,4)", "101", {}},
  });
}

TEST_F(CaseParticles, HeMadeYori) {
  checkAll({
      {"HE1 of a verb", simple("東京 pos=6/4", "へ", "D15", "HE1", kTemplateVerb), "COMP(5,4)", "101", {{4, Slot::kPreposition, kHe1Verb}}},
      {"HE1 before a symbol", "m 東京 pos=6/4; m へ pos=9/1; m 、 pos=1/2; m 行く pos=2/1 conj=5/2;"
       "p 1-3 head=p2 label=D15 usage=HE1; p 4-4", "ADV(6,5)", "1011", {{5, Slot::kPreposition, kHe1}}},
      {"HE2", simple("東京 pos=6/4", "へ", "D15", "HE2"), "COMP(5,4)", "101", {{4, Slot::kPreposition, kHe2}}},
      {"へ otherwise", simple("東京 pos=6/4", "へ", "D15", "HE9"), "ADV(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"これまで", simple("これ pos=6/1", "まで", "D16", ""), "ADV(5,4)", "101", {{1, Slot::kOwnRendering, kMadeKore}, {4, Slot::kPreposition, nullptr}}},
      {"まで after a plain noun", simple("机 pos=6/1", "まで", "D16", ""), "ADV(5,4)", "101", {{4, Slot::kClauseOpener, kMadeUntil}}},
      {"まで after a place", simple("駅 pos=6/4", "まで", "D16", ""), "ADV(5,4)", "101", {{4, Slot::kPreposition, kMadeTo}}},
      {"まで after a place under A14", "m 駅 pos=6/4; m まで pos=9/1; m 遠い pos=3 conj=18/2; p 1-2 head=p2 label=D16;"
       "p 3-3 ab=A14", "HT(5,4)", "101", {{4, Slot::kPreposition, kMadeTo}}},
      {"YR1", simple("山 pos=6/1", "より", "D10", "YR1"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kYr1}}},
      {"YR1 before 大きな", simple("山 pos=6/1", "より", "D10", "YR1", "m 大きな pos=7/2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kYr1Big}}},
      {"YR2 next to its governor", simple("山 pos=6/1", "より", "D10", "YR2"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kYr2Next}}},
      {"YR3", simple("山 pos=6/1", "より", "D10", "YR3"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kYr3}}},
      {"より otherwise", simple("山 pos=6/1", "より", "D10", ""), "ADV(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
  });
}

TEST_F(CaseParticles, KaraGaNo) {
  checkAll({
      {"KR1", simple("駅 pos=6/1", "から", "D8", "KR1"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kKr1}}},
      {"KR4", simple("駅 pos=6/1", "から", "D22", "KR4"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kKr4}}},
      {"KR5 after a noun", simple("駅 pos=6/1", "から", "D8", "KR5"), "ADV(5,4)", "101", {{4, Slot::kPreposition, kKr5Nominal}}},
      {"KR5 after a verb", simple("行っ base=行く pos=2/1 conj=5/9", "から", "D8", "KR5"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kKr5}}},
      {"KR6 into kNearAdverbial", simple("駅 pos=6/1", "から", "D8", "KR6"), "ADV(5,4)", "101", {{4, Slot::kNearAdverbial, kKr6}, {4, Slot::kPreposition, nullptr}}},
      {"から otherwise", simple("駅 pos=6/1", "から", "D8", ""), "ADV(5,4)", "101", {{4, Slot::kPreposition, kKrOther}}},
      {"が under a verb", simple("彼 pos=6/1 sem=12000", "が", "D9", "", "m 来る pos=2/1 conj=15/2"), "SUB(5,4)", "101", {}},
      {"が under ない", simple("金 pos=6/1", "が", "D9", "", "m ない pos=3 conj=18/2"), "OBJ1(5,4)", "101", {}},
      {"が under ある", simple("金 pos=6/1", "が", "D20", "", "m ある pos=2/2 conj=5/2"), "OBJ1(5,4)", "101", {}},
      {"が under 好きだ", simple("猫 pos=6/1", "が", "D9", "", "m 好き base=好きだ pos=3/2 conj=21/2"), "OBJ1(5,4)", "101",
       {}},
      {"が under ではない",
       "m 本 pos=6/1; m が pos=9/1; m 学生 pos=6/1; m で pos=9/1; m は pos=9/2; m ない pos=3 conj=18/2;"
       "p 1-2 head=p3 label=D9; p 3-5 head=p3 label=D12 usage=DE3; p 6-6", "ADV(9,8) SUB(9,7)", "101001", {}},
      {"が under ない with an object: no relation",
       "m 時間 pos=6/1; m が pos=9/1; m 本 pos=6/1; m を pos=9/1; m ない pos=3 conj=18/2;"
       "p 1-2 head=p3 label=D9; p 3-4 head=p3 label=D11 usage=WO1; p 5-5", "OBJ1(8,7)", "10101", {}},
      {"NO1 before a title", simple("私 pos=6/1 sem=12000", "の", "D14", "NO1", "m 先生 pos=6/1 sem=12490"), "ADJ(5,4)",
       "101", {}},
      {"NO1 otherwise keeps の", simple("机 pos=6/1", "の", "D14", "NO1", "m 上 pos=6/1"), "ADJ(5,4)", "111", {}},
      {"NO2 before an adjective",
       "m 彼 pos=6/1 sem=12000; m の pos=9/1; m 好きな base=好きだ pos=3/2 conj=21/4; p 1-2 head=p2 label=D14 usage=NO2 hm=1;"
       "p 3-3", "ADJ(5,4)", "101", {{4, Text::kHeadText, kNo2Head}}},
      {"NO2 otherwise is a subject", simple("彼 pos=6/1 sem=12000", "の", "D14", "NO2", "m 行く pos=2/1 conj=5/2"),
       "SUB(5,4)", "101", {{4, Text::kHeadText, nullptr}}},
  });
}

TEST_F(CaseParticles, NoSetsKinds) {
  build(simple("私 pos=6/1 sem=12000", "の", "D14", "NO1", "m 兄 pos=6/1 sem=12490"));
  applyCaseRelationRules(s);
  EXPECT_EQ(s->targets[4].kind, 'z');
  build(simple("机 pos=6/1", "の", "D14", "NO3", "m 上 pos=6/1"));
  applyCaseRelationRules(s);
  EXPECT_EQ(s->targets[4].kind, 'z');
  EXPECT_EQ(s->targets[4].relation.str(), "SUB");
}

TEST_F(CaseParticles, To) {
  checkAll({
      {"TO1 一緒", simple("彼 pos=6/1 sem=12000", "と", "D21", "TO1", "m 一緒 pos=8"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kToTogether}}},
      {"TO1 companion", simple("彼 pos=6/1 sem=12000", "と", "D21", "TO1", "m 会う pos=2/1 conj=5/2"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kToWith}}},
      {"TO1 quotation before a verb", "m 「 pos=1/4; m 雨 pos=6/1; m 」 pos=1/5; m と pos=9/1; m 言う pos=2/1 conj=5/2;"
       "p 1-4 head=p2 label=D21 usage=TO1; p 5-5", "OBJ1(7,6)", "11101", {{6, Slot::kPreposition, nullptr}}},
      {"TO1 after a numeral", simple("三 pos=6/7", "と", "D21", "TO1", "m 四 pos=6/7"), "ADV(5,4)", "101", {{4, Slot::kPreposition, nullptr}}},
      {"TO2", simple("彼 pos=6/1", "と", "D21", "TO2"), "OBJ1(5,4)", "101", {}},
      {"TO3 分からない", "m 雨 pos=6/1; m と pos=9/1; m 分から base=分かる pos=2/1 conj=5/3; m ない pos=5 conj=18/2;"
       "p 1-2 head=p2 label=D21 usage=TO3; p 3-4", "ADV(6,5)", "1011", {{5, Text::kHeadText2, kTo3Know}}},
      {"TO3 before a verb", simple("雨 pos=6/1", "と", "D21", "TO3", "m 思う pos=2/1 conj=5/2"), "OBJ1(5,4)", "101", {}},
      {"TO3 before a noun", simple("雨 pos=6/1", "と", "D21", "TO3", "m 雪 pos=6/1"), "ADV(5,4)", "101", {}},
      {"TO4", simple("雨 pos=6/1", "と", "D21", "TO4"), "ADV(5,4)", "101", {}},
      {"TO5 without a predicate", simple("雨 pos=6/1", "と", "D21", "TO5", "m 雪 pos=6/1"), "ADV(5,4)", "101",
       {{4, Text::kHeadText, kTo5Head}}},
      {"TO5 appends to text4", simple("雨 pos=6/1", "と", "D21", "TO5", "m 雪 pos=6/1"), "ADV(5,4)", "101",
       {{4, Text::kHeadText, nullptr}}, [](JcSentence* s) { s->targets[4].text4 = "x"; }},
      {"TO6 before a verb", simple("雨 pos=6/1", "と", "D21", "TO6", "m 言う pos=2/1 conj=5/2"), "OBJ2(5,4)", "101", {}},
      {"TO6 after a base form", "m 行く pos=2/1 conj=5/2; m と pos=9/1; m 、 pos=1/2; m 困る pos=2/2 conj=5/2;"
       "p 1-3 head=p2 label=D21 usage=TO6; p 4-4", "ADV(6,5)", "1011", {{5, Text::kHeadText2, kTo6Head2}}},
      {"TO6 after a noun", simple("雨 pos=6/1", "と", "D21", "TO6", "m 雪 pos=6/1"), "ADV(5,4)", "101",
       {{4, Text::kHeadText2, nullptr}}},
  });
  build(simple("雨 pos=6/1", "と", "D21", "TO5", "m 雪 pos=6/1"));
  s->targets[4].text4 = "x";
  applyCaseRelationRules(s);
  EXPECT_EQ(s->targets[4].text4.str(), "x" + word(kTo5Text4));
}

// A TO5 phrase that cannot move under a predicate becomes TO1 and is met again after the restart.
TEST_F(CaseParticles, ToFiveIsTakenTwice) {
  checkAll({
      {"under a predicate", simple("彼 pos=6/1 sem=12000", "と", "D21", "TO5", "m 会う pos=2/1 conj=5/2") + " ab=A12",
       "ADV(5,4)", "101", {{4, Slot::kPreposition, kToWith}, {4, Text::kHeadText, nullptr}}},
      {"before a live 一緒", simple("彼 pos=6/1 sem=12000", "と", "D21", "TO5", "m 一緒 pos=8"), "ADV(5,4)", "101",
       {{4, Slot::kPreposition, kToTogether}}},
  });
  EXPECT_EQ(s->nodes[4].usageCode.str(), "TO1");
}

// りんごとみかん with [りんごと] the first child of the noun phrase it coordinates with: it stands
// before that phrase, hangs on it as TO5, and after the restart is met under its new code.
TEST_F(CaseParticles, CoordinationMovesTheFirstChildOut) {
  build("m りんご pos=6/1 sem=14000; m と pos=9/1; m みかん pos=6/1 sem=14000; p 1-2; p 3-3");
  const int g = builtnewnode(s, 4, 5);
  ASSERT_EQ(builtnewnodeCHN(s, 4, 5), g);
  s->nodes[g].sFeatures = "|S2|";
  s->nodes[4].headPhrase = g;
  s->nodes[4].depLabel = "D21";
  s->nodes[4].usageCode = "TO1";
  ASSERT_TRUE(addDependencyLink(s, g, 4, "D21", 0));
  applyCaseRelationRules(s);
  EXPECT_EQ(s->nodes[4].usageCode.str(), "TO5");
  EXPECT_EQ(s->nodes[4].headPhrase, g);
  EXPECT_EQ(s->nodes[4].nextSibling, g);
  EXPECT_EQ(s->nodes[g].prevSibling, 4);
  EXPECT_EQ(s->nodes[g].firstChild, 5);
  EXPECT_EQ(s->targets[4].nextSibling, g);
  EXPECT_EQ(s->targets[g].firstChild, 5);
  EXPECT_EQ(agendaOf(s), "ADV(" + std::to_string(g) + ",4)");
  EXPECT_EQ(slot(4, Slot::kPreposition), "");
  EXPECT_EQ(s->targets[4].headText.str(), word(kTo5Head));
  EXPECT_EQ(live(), "101");
}

// りんごとみかんを買う: [りんごと] moves from the verb to [みかんを]; the two are grouped and the
// walk meets the と phrase again as TO5 under its new head.
TEST_F(CaseParticles, CoordinationBeforeWoRepointsTheDependency) {
  build("m りんご pos=6/1 sem=14000; m と pos=9/1; m みかん pos=6/1 sem=14000; m を pos=9/1; m 買う pos=2/1 conj=5/2;"
        "p 1-2 head=p3 label=D21 usage=TO1; p 3-4 head=p3 label=D11 usage=WO1; p 5-5");
  applyCaseRelationRules(s);
  EXPECT_EQ(s->nodes[6].headPhrase, 7);
  EXPECT_EQ(s->nodes[6].usageCode.str(), "TO5");
  const int group = s->nodes[6].parent;
  ASSERT_GT(group, 8);
  EXPECT_EQ(s->nodes[7].parent, group);
  EXPECT_EQ(agendaOf(s), "ADV(7,6) OBJ1(8," + std::to_string(group) + ")");
  EXPECT_EQ(s->targets[6].headText.str(), word(kTo5Head));
  EXPECT_EQ(live(), "10101");
}

TEST_F(CaseParticles, DesiderativeNonPerson) {
  build("m 水 pos=6/1 sem=15000; m が pos=9/1; m 飲み base=飲む pos=2/1 conj=5/7; m たい pos=5 conj=18/2;"
        "p 1-2 head=p2 label=D9 hm=1; p 3-4");
  EXPECT_TRUE(isDesiderativeNonPerson(s, 6, 5));
  s->nodes[1].semCodes = "12000";
  EXPECT_FALSE(isDesiderativeNonPerson(s, 6, 5));
}

}  // namespace
}  // namespace jc
