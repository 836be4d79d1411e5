#include "engine/jc/test_support/jc_sentence_builder.h"

#include <gtest/gtest.h>

#include "engine/jc/core/jc_links.h"

namespace jc {
namespace {

TEST(JcSentenceBuilder, BuildsMorphemesPhrasesAndLinks) {
  JcSentenceHolder s;
  std::string error;
  ASSERT_TRUE(s.build(
      "m 私 pos=6/1 sem=1/2 zh=\\x88\\x9F:N1:x zh=\\x88\\xA0;"
      "m は pos=9/2;"
      "m 本 pos=6/1;"
      "m を pos=9/1;"
      "m 読んだ base=読む pos=2/1 conj=9/8 slot17=\\x89\\x40 kind=l;"
      "p 1-2 head=p3 label=D1 usage=WA1 j=J1 s=S2 ab=A1,A6 hm=1;"
      "p 3-4 head=p3 label=D11 usage=WO1 j=J14 class=2;"
      "p 5-5 s=S1 tpl=6+7;"
      "r 8 6 SUB; r 8 7 OBJ1",
      &error))
      << error;
  JcSentence* r = s.get();
  EXPECT_EQ(r->lastNode, 8);
  EXPECT_EQ(r->firstTop, 6);
  EXPECT_EQ(r->lastTop, 8);
  EXPECT_EQ(r->rootPhrase, 8);
  EXPECT_EQ(r->lastMorpheme, 5);
  EXPECT_EQ(r->nodes[5].baseForm.view(), "読む");
  EXPECT_EQ(r->nodes[5].conjForm.view(), "8");
  EXPECT_EQ(r->nodes[1].semCodes.view(), "1/2");
  // Tree links: morphemes are siblings only inside their phrase.
  EXPECT_EQ(r->nodes[2].nextSibling, 0);
  EXPECT_EQ(r->nodes[3].prevSibling, 0);
  EXPECT_EQ(r->nodes[3].parent, 7);
  EXPECT_EQ(r->nodes[6].head, 1);
  EXPECT_EQ(r->nodes[7].head, 4);
  EXPECT_EQ(r->nodes[7].nextSibling, 8);
  EXPECT_EQ(r->nodes[8].nextSibling, 0);
  EXPECT_EQ(r->nodes[6].prevSibling, 0);
  EXPECT_EQ(r->nodes[7].classChar, '2');
  // Phrase fields and dependencies.
  EXPECT_EQ(r->nodes[6].headPhrase, 8);
  EXPECT_EQ(r->nodes[6].depLabel.view(), "D1");
  EXPECT_EQ(r->nodes[6].labelHeads[0], 8);
  EXPECT_EQ(r->nodes[7].labelHeads[10], 8);
  EXPECT_EQ(r->nodes[6].usageCode.view(), "WA1");
  EXPECT_EQ(r->nodes[6].sFeatures.view(), "|S2|");
  EXPECT_EQ(r->nodes[6].abFeatures.view(), "|A1|A6|");
  EXPECT_EQ(r->nodes[7].jCode.view(), "J14");
  const JcLink* d = r->dependencyList;
  ASSERT_TRUE(d && d->next);
  EXPECT_EQ(d->governor, 8);
  EXPECT_EQ(d->dependent, 6);
  ASSERT_TRUE(d->next->next);
  EXPECT_EQ(d->next->dependent, 7);
  EXPECT_EQ(d->next->label.view(), "D11");
  std::string label;
  EXPECT_EQ(claimNextDependent(r, 8, &label), 6);
  EXPECT_EQ(label, "SUB");
  // Target side.
  EXPECT_EQ(r->lastTarget, 8);
  EXPECT_EQ(r->firstTopTarget, 6);
  EXPECT_EQ(r->defaultRelationTarget, 8);
  EXPECT_EQ(r->targets[7].firstChild, 3);
  EXPECT_EQ(r->targets[7].headChild, 4);
  EXPECT_EQ(r->targets[3].parent, 7);
  EXPECT_EQ(r->targets[8].templateText.view(), "6+7");
  EXPECT_EQ(targetSlot(r->targets[5], 17), "\x89\x40");
  EXPECT_EQ(r->targets[5].kind, 'l');
  ASSERT_NE(r->targets[1].candidates, nullptr);
  EXPECT_EQ(r->targets[1].candidates->chinese.view(), "\x88\x9F");
  EXPECT_EQ(r->targets[1].candidates->valency.view(), "N1");
  EXPECT_EQ(r->targets[1].candidates->extra.view(), "x");
  ASSERT_NE(r->targets[1].candidates->next, nullptr);
  EXPECT_EQ(r->targets[1].candidates->next->chinese.view(), "\x88\xA0");
}

TEST(JcSentenceBuilder, MorphemesWithoutPhrasesStandAtTheTop) {
  JcSentenceHolder s;
  ASSERT_TRUE(s.build("m 表 pos=6/1\nm ソ pos=15/2\n"));
  EXPECT_EQ(s->nodes[1].surface.view(), "表");  // a 0x5C trail byte is no escape
  EXPECT_EQ(s->firstTop, 1);
  EXPECT_EQ(s->lastTop, 2);
  EXPECT_EQ(s->lastMorpheme, 2);
  EXPECT_EQ(s->nodes[2].nextSibling, 0);
  EXPECT_EQ(s->nodes[1].nextSibling, 2);
}

TEST(JcSentenceBuilder, RefusesBadNotation) {
  const char* bad[] = {
      "m 私",                          // no pos
      "m 私 pos=6 color=red",          // unknown field
      "m 私 pos=6; p 1-2",             // phrase beyond the morphemes
      "m 私 pos=6; p 1-1 head=p5",     // no such phrase
      "m 私 pos=6; p 1-1 hm=2",        // head child outside the phrase
      "q 1",                           // unknown item
      "m 私 pos=6; d 1 9 D1",          // link to a node that does not exist
  };
  for (const char* text : bad) {
    JcSentenceHolder s;
    std::string error;
    EXPECT_FALSE(s.build(text, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
  std::string many;
  for (int i = 0; i < 300; ++i) many += "m a pos=6;";
  JcSentenceHolder s;
  EXPECT_FALSE(s.build(many));
}

}  // namespace
}  // namespace jc
