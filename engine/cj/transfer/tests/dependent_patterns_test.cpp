#include "engine/cj/transfer/dependent_patterns.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/tests/generation_fixture.h"

namespace {

using cjtest::candidate;
using cjtest::listed;

class DependentPatterns : public cjtest::GenerationFixture {
 protected:
  std::string text(int i) {
    return target(i).japanese.empty() && !target(i).candidates.empty() ? target(i).candidates[0].text.str()
                                                                        : target(i).japanese.str();
  }
};

TEST_F(DependentPatterns, SplitAndCategory) {
  struct Split {
    std::string text, prefix, suffix;
  };
  const std::string longSuffix = std::string("…") + std::string(50, 'x');
  const Split splits[] = {
      {"…ことができる", "", "ことができる"},
      {"もし…なら", "もし", "なら"},
      {"すぐ", "すぐ", ""},
      {"a…b…c", "a", "b…c"},
      // The suffix buffer holds 39 bytes; a double-byte character is not split.
      {longSuffix, "", std::string(39, 'x')},
      {"…" + std::string(38, 'x') + "ある", "", std::string(38, 'x')},
  };
  for (const Split& k : splits) {
    std::string prefix = "old", suffix = "old";
    cj::splitPatternText(k.text, prefix, suffix);
    EXPECT_EQ(prefix, k.prefix) << k.text;
    EXPECT_EQ(suffix, k.suffix) << k.text;
  }
  const std::pair<const char*, const char*> categories[] = {
      {"ATIKY", "KYOSI"}, {"ATIKD", "KYODO"}, {"AN0N0", "N0000"}, {"AN0G1", "ZG001"}, {"BNAI0", "ZI000"},
      {"ANASH", "SHZ00"}, {"ANAQ2", "Q2"},    {"ANADD", "DD"},    {"ANAXY", "TG000"}, {"A", "TG000"},
  };
  for (const auto& [code, want] : categories) {
    std::string out = "TG000";
    cj::patternCategory(code, out);
    EXPECT_EQ(out, want) << code;
  }
}

TEST_F(DependentPatterns, TenseStaysInside) {
  struct Case {
    const char* word;
    const char* text;
    const char* code;
    int inside;
  };
  const Case cases[] = {
      {"-", "…はずだ", "AN0KD", 1},
      {"-", "…たい", "ATIKY", 0},
      {"-", "…ずに", "AZN00", 0},
      {"-", "…て", "ATE00", 0},
      {"-", "…なければならない", "AN0KY", 0},
      {"-", "…ことができる", "AN0G1", 0},
      {"-", "…ことしかできない", "AN0KY", 0},
      {"$dependentPatterns.tenseMovesB#4", "…はずだ", "AN0KD", 0},
      {"$dependentPatterns.tenseMovesC#10", "…はずだ", "AN0KD", 0},
  };
  for (const Case& k : cases) {
    build(std::string("w ") + k.word + " V");
    target(1).candidates = {candidate(k.text, k.code)};
    EXPECT_EQ(cj::tenseStaysInside(*context, 1), k.inside) << k.text << ' ' << k.word;
  }
  build("w - V");
  EXPECT_EQ(cj::tenseStaysInside(*context, 1), 0);
}

TEST_F(DependentPatterns, Modalities) {
  build("w - V; w - V");
  // Double negation: a negated pattern word over a negated verb.
  target(1).neg = 1;
  target(2).neg = 1;
  target(1).ten = 'B';
  target(1).asp = 'C';
  target(1).voi = 1;
  target(2).asp = 'B';
  cj::mergeModalities(*context, 1, 2);
  EXPECT_EQ(target(2).neg, 0);
  EXPECT_EQ(target(2).ten, 'B');
  EXPECT_EQ(target(2).asp, 'B');  // its own aspect stays
  EXPECT_EQ(target(2).voi, 1);
  cj::mergeModalities(*context, 1, 2);
  EXPECT_EQ(target(2).neg, 1);
  target(1).neg = 0;
  cj::mergeModalities(*context, 1, 2);
  EXPECT_EQ(target(2).neg, 0);

  target(1).yinggai = 1;
  target(1).neg1 = 1;
  cj::copyModalities(*context, 1, 2);
  EXPECT_EQ(target(2).yinggai, 1);
  EXPECT_EQ(target(2).neg1, 1);
  EXPECT_EQ(target(2).asp, 'C');
  cj::resetModalities(*context, 2);
  EXPECT_EQ(target(2).yinggai, 0);
  EXPECT_EQ(target(2).neg1, 0);
  EXPECT_EQ(target(2).voi, 0);
  EXPECT_EQ(target(2).ten, 'A');
  EXPECT_EQ(target(2).asp, 'A');
}

TEST_F(DependentPatterns, JoinBySuffixKind) {
  struct Case {
    const char* pattern;  // the owner's first candidate: text and code
    const char* code;
    const char* verb;     // the verb's text and code
    const char* verbCode;
    char ten;
    const char* want;
  };
  const Case cases[] = {
      {"…こと", "AN000", "書く", "TG000", 'A', "書くこと"},
      {"…こと", "AN000", "学生", "N0000", 'A', "学生のこと"},
      {"…こと", "AN000", "書いた", "DOKU0", 'A', "書いたこと"},
      {"…ので", "AD100", "静かだ", "KYODO", 'A', "静かので"},
      {"…ず", "ANA00", "学生", "N0000", 'A', "学生でず"},
      {"…ず", "ANA00", "書いた", "TG000", 'B', "書いていず"},
      {"…ず", "ANA00", "書く", "TG000", 'A', "書かず"},
      {"…も", "ANG00", "学生", "N0000", 'A', "学生がも"},
      {"…は", "AKK00", "書く", "TG000", 'A', "書くのは"},
      {"…だ", "ASZ00", "学生", "N0000", 'A', "学生だだ"},
      {"…てもいい", "ATE00", "書く", "TG000", 'A', "書いてもいい"},
      {"…てもいい", "ATE00", "読む", "TG000", 'A', "読んでもいい"},
      {"…てもいい", "ATE00", "見る", "TI000", 'A', "見てもいい"},
      {"…て", "ATN00", "読んだ", "DOKU0", 'A', "読んで"},
      {"…てから", "ATN00", "書く", "TG000", 'A', "書いてから"},
      // A past verb whose text has no final た/だ goes on to the verb step.
      {"…て", "ATN00", "書く", "TG000", 'B', "書いて"},
      {"…て", "ATN00", "書いた", "TG000", 'B', "書いて"},
      {"…たい", "ATI00", "書く", "TG000", 'A', "書きたい"},
      {"…音", "AXX00", "どん", "GION0", 'A', "どんという音"},
      // Seams: "ある" before a negative suffix.
      {"…ない", "ANA00", "書いてある", "TG000", 'A', "書いてない"},
      {"…なければならない", "ATI00", "書いてある", "TG000", 'A', "書いてなくてはならない"},
  };
  for (const Case& k : cases) {
    build("w - V; w - V");
    target(1).candidates = {candidate(k.pattern, k.code)};
    target(2).ten = k.ten;
    std::string prefix, suffix;
    cj::splitPatternText(k.pattern, prefix, suffix);
    std::string t = k.verb;
    EXPECT_EQ(cj::joinPatternSuffix(*context, 1, 2, t, k.verbCode, suffix, true), 1);
    EXPECT_EQ(t, k.want) << k.pattern << ' ' << k.code << ' ' << k.verb;
  }
  // An owner without candidates changes nothing.
  build("w - V; w - V");
  std::string t = "書く";
  EXPECT_EQ(cj::joinPatternSuffix(*context, 1, 2, t, "TG000", "たい", true), 0);
  EXPECT_EQ(t, "書く");
}

TEST_F(DependentPatterns, JoinedTextStaysUnder58Bytes) {
  build("w - V; w - V");
  target(1).candidates = {candidate("…x", "AXX00")};
  for (auto [length, joined] : {std::pair{49, true}, {50, false}}) {
    std::string t(static_cast<std::size_t>(length), 'a');
    cj::joinPatternSuffix(*context, 1, 2, t, "N0000", "12345678", true);
    EXPECT_EQ(t.size(), static_cast<std::size_t>(joined ? length + 8 : length)) << length;
  }
}

TEST_F(DependentPatterns, VerbalObjectTakesTheFrame) {
  struct Case {
    const char* pattern;
    const char* code;
    char verbTense;
    const char* want;
    const char* wantCode;
    char wantTense;
  };
  const Case cases[] = {
      {"…たい", "ATIKY", 'A', "書きたい", "KYOSI", 'A'},
      // The frame takes the past over ("書きたかった" is the frame's to make).
      {"…たい", "ATIKY", 'B', "書きたい", "KYOSI", 'B'},
      // Kept inside: the verb is past within the frame, and the frame is not.
      {"…はずだ", "AN0KD", 'B', "書いたはずだ", "KYODO", 'A'},
  };
  for (const Case& k : cases) {
    build("w - V; w - V; w - N; l 1 2 OBJ1; l 2 3 OBJ1");
    target(1).candidates = {candidate(k.pattern, k.code)};
    target(2).candidates = {candidate("書く", "TG000")};
    target(2).ten = k.verbTense;
    target(1).vform = 't';
    EXPECT_EQ(cj::generateVerbalObject(*context, 2, 1), 1);
    EXPECT_EQ(text(2), k.want) << k.pattern << ' ' << k.verbTense;
    EXPECT_EQ(target(2).candidates[0].code, k.wantCode) << k.pattern;
    EXPECT_EQ(target(2).ten, k.wantTense) << k.pattern << ' ' << k.verbTense;
    EXPECT_EQ(target(2).ruleFlag2, 1);
    EXPECT_EQ(target(2).vform, 't');  // the pattern word's form
    EXPECT_EQ(target(1).alive, 0);
    EXPECT_EQ(target(1).substitute, 2);
  }
  // A word that is no pattern is left to the other rules.
  build("w - V; w - V; l 1 2 OBJ1");
  target(1).candidates = {candidate("言う", "TG000")};
  EXPECT_EQ(cj::generateVerbalObject(*context, 2, 1), 0);
  EXPECT_EQ(target(1).alive, 1);
}

TEST_F(DependentPatterns, RequestWordBecomesAPoliteRequest) {
  build("w $dependentPatterns.requestWord V; w - V; l 1 2 OBJ1");
  target(2).japanese = "書く";
  target(2).jcat = "TG000";
  target(2).att = "を";
  target(2).caseOpen = 0;
  EXPECT_EQ(cj::generateVerbalObject(*context, 2, 1), 1);
  EXPECT_EQ(target(2).japanese, "書いて");
  EXPECT_EQ(target(2).att, "");
  EXPECT_EQ(target(1).japanese, "下さい");
  EXPECT_EQ(target(1).ruleFlag2, 0);
  // With a subject: "もらう".
  build("w - N; w $dependentPatterns.requestWord V; w - V; l 2 1 SUB; l 2 3 OBJ1");
  target(3).japanese = "書く";
  target(3).jcat = "TG000";
  EXPECT_EQ(cj::generateVerbalObject(*context, 3, 2), 1);
  EXPECT_EQ(target(2).japanese, "もらう");
  EXPECT_EQ(target(2).jcat, "ZG001");
}

TEST_F(DependentPatterns, NominalObjectSplitsAroundTheNoun) {
  build("w - V; w - N; l 1 2 OBJ1");
  target(1).candidates = {candidate("もし…なら", "BN0Q1")};
  target(2).candidates = {candidate("学生", "N0000")};
  EXPECT_EQ(cj::generateNominalObject(*context, 2, 1), 1);
  EXPECT_EQ(target(2).prefixText, "もし");
  EXPECT_EQ(target(2).caseOpen, 0);
  EXPECT_EQ(text(2), "学生の");  // joined without the suffix
  EXPECT_EQ(target(1).japanese, "なら");
  EXPECT_EQ(target(1).jcat, "Q1");
  EXPECT_EQ(target(1).ruleFlag2, 0);
}

TEST_F(DependentPatterns, AdverbialPattern) {
  // Adverb 1 over verb 2 with object 3.
  build("w - F; w - V; w - N; l 2 1 G; l 2 3 OBJ1");
  target(1).candidates = {candidate("まるで…ようだ", "ANAKD")};
  target(2).candidates = {candidate("書く", "TG000")};
  target(3).prefixText = "";
  EXPECT_EQ(cj::generateAdverbialPattern(*context, 1, 2), 1);
  EXPECT_EQ(target(3).prefixText, "まるで");
  EXPECT_EQ(text(2), "書かようだ");
  EXPECT_EQ(target(2).candidates[0].code, "KYODO");
  EXPECT_EQ(target(1).alive, 0);

  // A prefix that would make prefixText reach 50 bytes is not added.
  for (auto [length, added] : {std::pair{43, true}, {44, false}}) {
    build("w - F; w - V; w - N; l 2 1 G; l 2 3 OBJ1");
    target(1).candidates = {candidate("まるで…ようだ", "ANAKD")};
    target(2).candidates = {candidate("書く", "TG000")};
    target(3).prefixText = std::string(static_cast<std::size_t>(length), 'p');
    cj::generateAdverbialPattern(*context, 1, 2);
    EXPECT_EQ(target(3).prefixText.size(), static_cast<std::size_t>(added ? length + 6 : length)) << length;
  }

  // A negated adverb that is no pattern passes its negation to the verb.
  build("w - F NEG=N; w - V; l 2 1 G");
  target(1).candidates = {candidate("すぐ", "FUKU0")};
  EXPECT_EQ(cj::generateAdverbialPattern(*context, 1, 2), 0);
  EXPECT_EQ(target(1).vform, 'y');
  EXPECT_EQ(target(2).neg, 1);
  EXPECT_EQ(target(1).neg, 1);
  EXPECT_EQ(sentence->nodes[2].features.NEG, 'N');
  EXPECT_EQ(sentence->nodes[1].features.NEG, 0);
}

TEST_F(DependentPatterns, AdverbialPatternMovesNegationAndCategory) {
  // A negated pattern adverb: its negation moves to the verb, a "Q1" result stops the verb's
  // own generation and the second frame field travels along.
  build("w - F NEG=N; w - V; l 2 1 ADVN");
  target(1).candidates = {candidate("…ことはない", "ANAQ1", 0, 'G')};
  target(2).candidates = {candidate("書く", "TG000")};
  EXPECT_EQ(cj::generateAdverbialPattern(*context, 1, 2), 1);
  EXPECT_EQ(text(2), "書かことはない");
  EXPECT_EQ(target(2).candidates[0].code, "Q1");
  EXPECT_EQ(target(2).candidates[0].frame2, 'G');
  EXPECT_EQ(target(2).ruleFlag2, 0);
  EXPECT_EQ(target(2).neg, 1);
  EXPECT_EQ(target(2).ten, 'A');
  EXPECT_EQ(sentence->nodes[2].features.NEG, 'N');
  EXPECT_EQ(sentence->nodes[1].features.NEG, 0);
}

TEST_F(DependentPatterns, VerbalObjectPrefixGoesToTheObject) {
  build("w - V; w - V; w - N; l 1 2 OBJ1; l 2 3 OBJ1");
  target(1).candidates = {candidate("まるで…ようだ", "ANAKD")};
  target(2).candidates = {candidate("書く", "TG000")};
  target(2).vform = 'N';
  target(3).prefixText = "x";
  EXPECT_EQ(cj::generateVerbalObject(*context, 2, 1), 1);
  EXPECT_EQ(target(3).prefixText, "xまるで");
  EXPECT_EQ(target(2).prefixText, "");
  EXPECT_EQ(target(2).vform, 'N');  // a nominal form is kept
  EXPECT_EQ(text(2), "書かようだ");
}

TEST_F(DependentPatterns, OnlyMovesToAUnitComplement) {
  build("w - F; w - V; w - U; l 2 1 G; l 2 3 COMP");
  target(1).candidates = {candidate("…だけ", "AXX00")};
  target(2).candidates = {candidate("書く", "TG000")};
  target(3).candidates = {candidate("三冊", "N0000")};
  EXPECT_EQ(cj::generateAdverbialPattern(*context, 1, 2), 1);
  EXPECT_EQ(text(3), "三冊だけ");
  EXPECT_EQ(text(2), "書く");
}

TEST_F(DependentPatterns, PrependAndSpans) {
  std::string buffer = "bc";
  cj::prependText(buffer, "a");
  EXPECT_EQ(buffer, "abc");
  buffer = std::string(498, 'x');
  cj::prependText(buffer, "あ");
  EXPECT_EQ(buffer.size(), 499u);
  EXPECT_EQ(buffer.substr(0, 2), "あ");
  // Phrase 4 over 1..3 headed by 2.
  build("w \\xFB\\x41 N; w \\xFB\\x42 V; w \\xFB\\x43 N; p 1 3 VP");
  sentence->nodes[4].headChild = 2;
  EXPECT_EQ(cj::spanHasWord(*context, 'f', 4, "\xFB\x43"), 1);
  EXPECT_EQ(cj::spanHasWord(*context, 'f', 4, "\xFB\x41"), 0);
  EXPECT_EQ(cj::spanHasWord(*context, 'b', 4, "\xFB\x41"), 1);
  EXPECT_EQ(cj::spanHasWord(*context, 'b', 4, "\xFB\x42"), 0);
}

}  // namespace
