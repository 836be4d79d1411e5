#include "engine/jc/core/jc_template_expansion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "engine/jc/core/jc_links.h"
#include "engine/jc/test_support/jc_sentence_builder.h"
#include "engine/jc/core/tests/rendering_fill.h"

namespace jc {
namespace {

// 私は 本を 読む: phrases 6 and 7 depend on the root 8, whose template and relations follow.
std::string sentence(const std::string& rootTemplate = "", const std::string& relations = "") {
  return "m 私 pos=6/1; m は pos=9/2; m 本 pos=6/1; m を pos=9/1; m 読む pos=2/1;"
         "p 1-2 head=p3 label=D1; p 3-4 head=p3 label=D11; p 5-5" +
         (rootTemplate.empty() ? "" : " tpl=" + rootTemplate) + ";" + relations;
}

class TemplateExpansion : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(loadSyntheticRenderings(), kRenderingTableLoaded); }
  void TearDown() override { clearRenderingTable(); }

  void build(const std::string& notation) {
    std::string error;
    ASSERT_TRUE(s.build(notation, &error)) << error;
  }
  void mark(int n, const char* m) { s->targets[n].mark = m; }
  std::string tpl(int n) { return s->targets[n].templateText.str(); }

  JcSentenceHolder s;
};

TEST_F(TemplateExpansion, PreAndPostGoIntoTheReferencedNode) {
  struct Case {
    const char* tpl;
    const char* headText;
    const char* slot11;
  };
  const Case cases[] = {
      {"\x88\x9F{7}[TOOL]+{8}", "", "\x88\x9F"},  // PRE is kept even when POST is a marker
      {"{7}\x88\xA0+{8}", "\x88\xA0", ""},        // any other POST is the head word
      {"\x88\x9F\x88\xA0{7}\x89\x40+{8}", "\x89\x40", "\x88\x9F\x88\xA0"},
      {"{7}NENG+{8}", "", ""},
      {"{7}ASP+{8}", "", ""},
      {"{7}NARU()+{8}", "", ""},
      {"{7}[LAST]+{8}", "", ""},
  };
  for (const Case& c : cases) {
    build(sentence(c.tpl));
    mark(7, "K");
    mark(8, "K");
    expandTemplate(s.get(), 8);
    EXPECT_EQ(s->targets[7].headText.view(), c.headText) << c.tpl;
    EXPECT_EQ(targetSlot(s->targets[7], 11), c.slot11) << c.tpl;
    EXPECT_EQ(s->targets[7].slotSource[slotSourceEntry(11)], c.slot11[0] ? 4 : 0) << c.tpl;
    EXPECT_EQ(tpl(8), "7+8") << c.tpl;
    EXPECT_EQ(s->targets[7].mark.view(), "K") << c.tpl;
  }
}

TEST_F(TemplateExpansion, LocaliserFollowsTheMarkOfThePlace) {
  const std::vector<std::string>& words = renderings(kLocaliserWordsKey);
  ASSERT_EQ(words.size(), 2u);
  struct Case {
    const char* extra;
    const char* tail;  // words after に inside the phrase
    std::string expected;
  };
  const Case cases[] = {
      {"x1", "", words[0]}, {"x2", "", words[1]}, {"x3", "", ""},
      {"1", "", ""},  // a one-character field names no place
      {"x2", "m 、 pos=1;", words[1]},  // symbols after に are stepped over
  };
  for (const Case& c : cases) {
    const bool symbol = *c.tail != 0;
    build(std::string("m 私 pos=6/1; m は pos=9/2; m 机 pos=6/1 zh=\\x88\\x9F:N1:") + c.extra + "; m に pos=9/1;" +
          c.tail + "m 置く pos=2/1; p 1-2 head=p3; p 3-" + (symbol ? "5" : "4") + " head=p3 label=D13; p " +
          (symbol ? "6-6" : "5-5") + " tpl={" + (symbol ? "8" : "7") + "}[LOC]");
    const int place = symbol ? 8 : 7, root = symbol ? 9 : 8;
    mark(place, "K");
    expandTemplate(s.get(), root);
    EXPECT_EQ(s->targets[place].headText.view(), c.expected) << c.extra << c.tail;
  }
}

TEST_F(TemplateExpansion, DependentsStandBeforeTheReferenceUnlessRelationWordsOrLater) {
  struct Case {
    const char* tpl;
    const char* relations;
    const char* expected;
  };
  const Case cases[] = {
      // The subject precedes the object reference; the object's own item adds nothing.
      {"\x88\x9F{7}+{8}", "r 8 6 SUB; r 8 7 OBJ1", "6+7+8"},
      {"{7}", "r 8 6 SUB; r 8 7 OBJ1", "6+7"},
      // A relation word is handed back and listed after the references.
      {"{8}", "r 8 6 OBJ2", "8+6"},
      // A dependent after the reference waits for the next one.
      {"{6}+{8}", "r 8 6 SUB; r 8 7 ADV", "6+7+8"},
      // Without a valid reference the list starts with '+'.
      {"{3}", "r 8 6 SUB; r 8 7 OBJ1", "+6+7"},
      {"{3}", "", ""},
  };
  for (const Case& c : cases) {
    build(sentence(c.tpl, c.relations));
    // The reader marks the phrases that a template refers to.
    for (int n : {6, 7, 8}) mark(n, std::string(c.tpl).find("{" + std::to_string(n) + "}") == std::string::npos ? "*" : "K");
    expandTemplate(s.get(), 8);
    EXPECT_EQ(tpl(8), c.expected) << c.tpl << " / " << c.relations;
    // Every item of the governor ends claimed.
    for (const JcLink* l = s->relationAgenda; l && l->next; l = l->next)
      EXPECT_EQ(l->claimMark, '*') << c.tpl << " / " << c.relations;
  }
  // A listed dependent is marked as placed.
  build(sentence("{7}", "r 8 6 SUB"));
  mark(7, "K");
  expandTemplate(s.get(), 8);
  EXPECT_EQ(s->targets[6].mark.view(), "?");
}

TEST_F(TemplateExpansion, InvalidReferencesDropTheirWords) {
  struct Case {
    const char* what;
    const char* tpl;
    const char* markOf7;
  };
  const Case cases[] = {
      {"not marked by the reader", "\x88\x9F{7}\x88\xA0", "*"},
      {"a word inside another phrase", "\x88\x9F{3}\x88\xA0", "K"},
      {"beyond the last target", "\x88\x9F{250}\x88\xA0", "K"},
      {"no number", "\x88\x9F{}\x88\xA0", "K"},
  };
  for (const Case& c : cases) {
    build(sentence(c.tpl, "r 8 6 SUB"));
    mark(7, c.markOf7);
    mark(3, "K");
    expandTemplate(s.get(), 8);
    EXPECT_EQ(tpl(8), "+6") << c.what;
    EXPECT_TRUE(s->targets[7].headText.empty()) << c.what;
    EXPECT_TRUE(targetSlot(s->targets[7], 11).empty()) << c.what;
    EXPECT_TRUE(targetSlot(s->targets[3], 11).empty()) << c.what;
  }
  // A phrase that depends elsewhere is no reference of this one.
  build("m 私 pos=6/1; m は pos=9/2; m 本 pos=6/1; m を pos=9/1; m 読む pos=2/1;"
        "p 1-2 head=p3; p 3-4 head=p3 tpl={6}\x88\x9F; p 5-5");
  mark(6, "K");
  expandTemplate(s.get(), 7);
  EXPECT_EQ(tpl(7), "");
  EXPECT_TRUE(s->targets[6].headText.empty());
}

TEST_F(TemplateExpansion, PlacedDependentsAreNotListedAgain) {
  build(sentence("{8}", "r 8 6 SUB"));
  mark(8, "K");
  mark(6, "?");
  expandTemplate(s.get(), 8);
  EXPECT_EQ(tpl(8), "8");
}

TEST_F(TemplateExpansion, ANodeWithAGovernorIsFreedForItUnlessKK) {
  for (const char* label : {"OBJ1", "KK"}) {
    build(std::string("m 本 pos=6/1; m を pos=9/1; m 読む pos=2/1; p 1-2 head=p2 tpl={4}; p 3-3; r 5 4 ") + label);
    mark(4, "K");
    expandTemplate(s.get(), 4);
    EXPECT_EQ(tpl(4), "4");
    EXPECT_EQ(s->targets[4].mark.view(), std::string(label) == "KK" ? "K" : "*") << label;
  }
}

TEST_F(TemplateExpansion, EveryGovernorGetsItsOwnItem) {
  build(sentence("", "r 8 6 SUB; r 8 7 OBJ1; r 7 3 NUM"));
  expandAllTemplates(s.get());
  std::vector<std::tuple<int, int, std::string>> items;
  for (const JcLink* l = s->relationAgenda; l && l->next; l = l->next)
    items.emplace_back(l->governor, l->dependent, l->label.str());
  using Items = std::vector<std::tuple<int, int, std::string>>;
  // Empty templates stay empty; a GOV item goes after the dependents that precede its governor
  // among the siblings (3 lies inside 7, so 7's comes first).
  EXPECT_EQ(items, (Items{{8, 6, "SUB"}, {8, 7, "OBJ1"}, {8, 8, "GOV"}, {7, 7, "GOV"}, {7, 3, "NUM"}}));
  EXPECT_TRUE(s->targets[8].templateText.empty());
}

TEST_F(TemplateExpansion, HandedBackItemsAreNeverCapped) {
  // 31 handed-back items whose dependents are placed, then one that is not: it is still listed.
  std::string notation;
  for (int k = 1; k <= 40; ++k) notation += "m w pos=6/1;";
  notation += "m v pos=2/1;";  // 41
  for (int k = 1; k <= 31; ++k) notation += "r 41 " + std::to_string(k) + " OBJ1;";
  notation += "r 41 35 OBJ1";
  build(notation);
  s->targets[41].templateText = "{41}";
  mark(41, "K");
  for (int k = 1; k <= 31; ++k) mark(k, "?");
  expandTemplate(s.get(), 41);
  EXPECT_EQ(tpl(41), "41+35");
  EXPECT_EQ(s->targets[35].mark.view(), "?");
  EXPECT_EQ(s->listCut, 0);
}

TEST_F(TemplateExpansion, ALongListIsCutBetweenWholeIndices) {
  std::string notation;
  for (int k = 1; k <= 40; ++k) notation += "m w pos=6/1;";
  for (int k = 10; k <= 33; ++k) notation += "r 34 " + std::to_string(k) + " OBJ1;";
  build(notation);
  s->targets[34].templateText = "{34}";
  mark(34, "K");
  expandTemplate(s.get(), 34);
  std::string expected = "34";
  for (int k = 10; k <= 24; ++k) expected += "+" + std::to_string(k);
  ASSERT_EQ(expected.size(), 47u);  // "+25" would not fit in 49 bytes
  EXPECT_EQ(tpl(34), expected);
  // The record tells that dependents were left out, so that the caller can translate in pieces.
  EXPECT_EQ(s->listCut, 1);
}

TEST_F(TemplateExpansion, EmptyTemplateChangesNothing) {
  build(sentence());
  JcTargetNode before = s->targets[8];
  expandTemplate(s.get(), 8);
  EXPECT_EQ(std::memcmp(&before, &s->targets[8], sizeof before), 0);
}

}  // namespace
}  // namespace jc
