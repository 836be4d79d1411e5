#include "engine/cj/transfer/dependent_order.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/tests/generation_fixture.h"

namespace {

using cjtest::candidate;
using cjtest::listed;

class DependentOrder : public cjtest::GenerationFixture {
 protected:
  // Every dependent and label the walk hands out for the top frame, "N:LABEL" joined by spaces.
  std::string drain() {
    std::string out, label;
    for (int guard = 0; guard < 40; ++guard) {
      int d = cj::nextDependentInOrder(*context, label);
      if (d == 0) {
        EXPECT_EQ(label, "");
        break;
      }
      if (!out.empty()) out += " ";
      out += std::to_string(d) + ":" + label;
    }
    return out;
  }
};

TEST_F(DependentOrder, PlainTableOrder) {
  // Head 9. Adverbials 1 and 3 stand before and after the subject 2; 4 is a G link; two objects;
  // a PIVT and an unknown label are never handed out by the plain table.
  build("w - F; w - N; w - F; w - F; w - N; w - N; w - N; w - W; w - V; w - N; w - N; w - C; w - N; w - N; w - N;"
        "l 9 1 ADVF; l 9 2 SUB; l 9 3 ADVN; l 9 4 G; l 9 5 OBJ1; l 9 6 OBJ1; l 9 7 HT; l 9 8 PUNC;"
        "l 9 10 TOP; l 9 11 LOG; l 9 12 VAB; l 9 13 QT; l 9 14 PIVT; l 9 15 XYZ");
  visit(9);
  EXPECT_EQ(drain(), "12:VAB 11:LOG 10:TOP 1:ADVF 2:SUB 3:ADVN 4:G 13:QT 5:OBJ1 6:OBJ1 7:HT 8:PUNC");
  // Every link handed out is marked used.
  int used = 0;
  for (const cj::CjRoleLink& l : sentence->roleLinks) used += l.flag == '*';
  EXPECT_EQ(used, 12);
}

TEST_F(DependentOrder, HeadWithoutLinksGivesNothingInEveryTable) {
  build("w - V; w - N; l 2 1 SUB");
  visit(1);
  using Next = int (*)(cj::CjTransferContext&, std::string&);
  for (Next next : {cj::nextDependentPlain, cj::nextDependentPivotSubject, cj::nextDependentRequest,
                    cj::nextDependentCausative, cj::nextDependentDirective}) {
    std::string label = "stale";
    EXPECT_EQ(next(*context, label), 0);
    EXPECT_EQ(label, "");
  }
  context->frameStack.clear();
  std::string label = "stale";
  EXPECT_EQ(cj::nextDependentInOrder(*context, label), 0);
  EXPECT_EQ(label, "");
}

TEST_F(DependentOrder, DirectiveTableSkipsObjectsAndAppliesActionD) {
  // Head 1 (no listed word) with a SOC verb 3: directive table; OBJ1 4 is never handed out.
  build("w - V; w - N; w - V; w - N; w - N; l 1 5 SUB; l 1 2 PIVT; l 1 3 SOC; l 1 4 OBJ1");
  visit(1);
  EXPECT_EQ(drain(), "5:SUB 2:PIVT 3:SOC");
  EXPECT_EQ(target(2).att, "に");
  EXPECT_EQ(target(2).caseOpen, 0);
  EXPECT_EQ(target(3).vform, 't');
  EXPECT_EQ(target(3).att, "ように");
}

TEST_F(DependentOrder, PivotSubjectActions) {
  // Action A: head phrase 5 (a listed head node) over the listed head word 2, with the listed
  // complement 4. Action E: the pivot 1 takes "が" and the SOC verb at the end of its VAA chain
  // (3 -> 6) takes the attributive form.
  build("w - N; w $dependentOrder.becomeHeads V; w - V; w $dependentOrder.becomeComplement N; w - V;"
        "p 2 2 VP; l 6 3 SOC; l 6 4 COMP; l 6 1 PIVT; l 3 5 VAA");
  sentence->nodes[6].CHI = listed("dependentOrder.pivotSubjectHeadNodes", 2);
  visit(6);
  EXPECT_EQ(drain(), "4:COMP 3:SOC 1:PIVT");
  EXPECT_EQ(target(2).japanese, "なくなった");
  EXPECT_EQ(target(2).jcat, "DOKU0");
  EXPECT_EQ(target(3).vform, 't');  // action A on the SOC dependent
  EXPECT_EQ(target(1).att, "が");
  EXPECT_EQ(target(5).vform, 't');  // action E on the chain's end
}

TEST_F(DependentOrder, RequestActionB) {
  struct Case {
    const char* pivot;
    bool subject;
    const char* head;
    const char* pivotAtt;
    char pivotAlive;
  };
  const Case cases[] = {
      {"-", false, "もらう", "に", 1},
      {"$dependentOrder.requestPivots#1", false, "下さい", "", 0},
      {"$dependentOrder.requestPivots#0", true, "もらう", "", 1},
  };
  for (const Case& k : cases) {
    build(std::string("w ") + k.pivot + " N; w $dependentOrder.requestHeads#1 V; w - V; w - N;" +
          "l 2 1 PIVT; l 2 3 SOC" + (k.subject ? "; l 2 4 SUB" : ""));
    target(3).japanese = "書く";
    target(3).jcat = "TG000";
    target(3).ruleFlag1 = 0;
    visit(2);
    drain();
    EXPECT_EQ(target(3).japanese, "書いて") << k.pivot;
    EXPECT_EQ(target(2).japanese, k.head) << k.pivot;
    EXPECT_EQ(target(1).att, k.pivotAtt) << k.pivot;
    EXPECT_EQ(target(1).alive, k.pivotAlive) << k.pivot;
  }
}

TEST_F(DependentOrder, CausativeActionC) {
  struct Case {
    const char* code;
    bool negated;
    const char* particle;
  };
  const Case cases[] = {{"ZG000", false, "を"}, {"TG000", true, "に"}, {"VONAI", false, "を"}};
  for (const Case& k : cases) {
    // Head 2 is governed by 5, so the SOC verb 3 takes the nominal form.
    build("w - N; w $dependentOrder.causativeHeads#3 V; w - V; w - V; w - V;"
          "l 2 1 PIVT; l 2 3 SOC; l 3 4 VAA; l 5 2 OBJ1");
    target(3).candidates = {candidate("走る", k.code)};
    target(2).neg = k.negated;
    visit(2);
    EXPECT_EQ(drain(), "1:PIVT 3:SOC") << k.code;
    EXPECT_EQ(target(1).att, k.particle) << k.code;
    EXPECT_EQ(target(2).alive, 0);
    EXPECT_EQ(target(2).substitute, 3);
    EXPECT_EQ(target(3).vform, 'N');
    EXPECT_EQ(target(4).shiyi, 1);  // the end of the VAA chain
    EXPECT_EQ(target(4).neg, k.negated ? 1 : 0) << k.code;
  }
}

TEST_F(DependentOrder, SettingTheCaseParticle) {
  struct Case {
    const char* att;
    char caseOpen;
    const char* want;
  };
  const Case cases[] = {
      {"", 1, "が"}, {"を", 0, "が"}, {"に", 0, "が"}, {"を", 1, "をが"}, {"から", 0, "からが"},
  };
  build("w - N");
  for (const Case& k : cases) {
    target(1).att = k.att;
    target(1).caseOpen = k.caseOpen;
    cj::setCaseParticle(*context, 1, "が");
    EXPECT_EQ(target(1).att, k.want) << k.att << int(k.caseOpen);
    EXPECT_EQ(target(1).caseOpen, 0);
  }
}

TEST_F(DependentOrder, CutFrameStackKeepsTheTop) {
  build("w - V; w - V; w - V");
  visit(1);
  visit(2);
  visit(3);
  cj::cutFrameStack(*context);
  ASSERT_EQ(context->frameStack.size(), 1u);
  EXPECT_EQ(context->frameStack.back().node, 3);
}

}  // namespace
