#include "engine/cj/transfer/particles.h"

#include <gtest/gtest.h>

#include "engine/cj/transfer/candidate_narrowing.h"
#include "engine/cj/transfer/fixed_verb_particles.h"
#include "engine/cj/transfer/tests/generation_fixture.h"

namespace {

using cjtest::candidate;
using cjtest::listed;

class Particles : public cjtest::GenerationFixture {
 protected:
  std::vector<std::string> codes(int i) {
    std::vector<std::string> out;
    for (const cj::CjCandidate& k : target(i).candidates) out.push_back(k.code.str());
    return out;
  }
};

TEST_F(Particles, ByFrameCharacterAndCode) {
  struct Case {
    const char* argument;  // fields of word 1; the verb is word 2
    char frame;
    const char* code;
    const char* particle;
  };
  const Case cases[] = {
      {"N", '2', "TG000", "が"},
      {"N", '3', "ZG000", "を"},
      {"N", '5', "TG000", "で"},
      {"N", '6', "TG000", "に"},
      {"N", '8', "TG000", "と"},
      {"N", 'A', "TG000", "と"},
      {"N", 'h', "TG000", "は"},
      {"N", 'j', "TG000", "から"},
      {"N M_SEM=H", 'k', "TG000", "から"},
      {"N", 'k', "TG000", "が"},
      {"N M_SEM=J", 'J', "ZG000", "から"},
      {"N", 'J', "ZG000", "を"},
      {"N M_SEM=A", 'N', "TG000", "に"},
      {"N", 'N', "ZG000", "を"},
      {"N M_SEM=H", '9', "TG000", "まで"},
      {"Ntp", '9', "TG000", "まで"},
      {"N", '9', "ZG000", "に"},  // falls to the class: intransitive
      {"N", 'K', "TG000", "を"},  // not a person: the class decides
      {"N", 0, "DOKU0", "を"},
      {"N", 0, "DOKU1", "に"},
      {"N", 0, "DOKU2", "が"},
      {"N", '7', "TG000", "を"},
      {"N", 0, "ZI000", "に"},
      {"N", 0, "VONAI", "に"},
      {"N", 0, "N0000", "を"},
  };
  for (const Case& k : cases) {
    build(std::string("w - ") + k.argument + "; w - V");
    target(2).candidates = {candidate("行く", k.code, k.frame)};
    EXPECT_EQ(cj::particleForArgument(*context, 1, 2), k.particle) << k.argument << ' ' << k.frame << ' ' << k.code;
  }
}

TEST_F(Particles, EarlyAnswers) {
  build("w - N; w - V; w $particles.locativeVerbs#3 V; w - N M_SEM=P; w $particles.subjectVerb V");
  target(2).candidates = {candidate("行く", "TG000", '2')};
  target(3).candidates = {candidate("行く", "TG000", '2')};
  target(5).candidates = {candidate("行く", "TG000", '3')};
  target(1).caseOpen = 0;
  EXPECT_EQ(cj::particleForArgument(*context, 1, 2), "");  // a particle is already placed
  target(1).caseOpen = 1;
  EXPECT_EQ(cj::particleForArgument(*context, 1, 0), "を");  // no predicate
  EXPECT_EQ(cj::particleForArgument(*context, 4, 3), "に");  // a place with a listed verb
  EXPECT_EQ(cj::particleForArgument(*context, 1, 3), "が");  // not a place: the frame
  EXPECT_EQ(cj::particleForArgument(*context, 1, 5), "が");  // the fixed verb
  target(2).candidates = {candidate("…ことができる", "AZN00")};
  EXPECT_EQ(cj::particleForArgument(*context, 1, 2), "");  // a pattern takes no particle
  target(2).candidates.clear();
  target(2).japanese = "あった";
  EXPECT_EQ(cj::particleForArgument(*context, 1, 2), "が");  // the fixed verb's particle
}

TEST_F(Particles, PredicateOfAPhrase) {
  // 5 = VP over an adverb and a verb; 6 = VP over 5 and a noun; 4 a noun.
  build("w - F; w - V; w - N; w - N; p 1 2 VP; p 5 3 VP");
  EXPECT_EQ(cj::predicateOf(*context, 2), 2);
  EXPECT_EQ(cj::predicateOf(*context, 4), 4);  // not verbal: itself
  EXPECT_EQ(cj::predicateOf(*context, 5), 2);
  EXPECT_EQ(cj::predicateOf(*context, 6), 2);
  // A dead node stands for its substitute.
  target(6).alive = 0;
  target(6).substitute = 4;
  EXPECT_EQ(cj::predicateOf(*context, 6), 4);
  EXPECT_EQ(cj::predicateOf(*context, 0), 0);
}

TEST_F(Particles, ClauseArgumentOfAFrameFourVerb) {
  build("w - V; w - V; p 1 1 VP");
  target(2).candidates = {candidate("思う", "TG000", '4'), candidate("考える", "TI000", '3'),
                          candidate("言う", "TG000", '4')};
  EXPECT_EQ(cj::particleForArgument(*context, 3, 2), "と");
  EXPECT_EQ(target(3).vform, 'z');
  EXPECT_EQ(target(1).vform, 'z');
  EXPECT_EQ(codes(2), (std::vector<std::string>{"TG000", "TG000"}));  // frame '4' only
}

TEST_F(Particles, ByVerbEnding) {
  const std::string until = listed("particles.untilEnding");
  const std::string subject = listed("particles.subjectEnding");
  // Listed verbs that end in the endings, as real ones do.
  reloadWords({{"particles.untilExceptions", {"\xFB\x43" + until, "\xFB\x50", "\xFB\x51", "\xFB\x52", "\xFB\x53"}},
               {"particles.subjectEndingVerbs",
                {"\xFB\x44" + subject, "\xFB\x54", "\xFB\x55", "\xFB\x56", "\xFB\x57", "\xFB\x58"}}});
  struct Case {
    std::string verb;
    const char* argument;
    const char* particle;
  };
  const Case cases[] = {
      {"\xFB\x41" + until, "Ntp", "まで"},
      {"\xFB\x41" + until, "UG", "まで"},
      {"\xFB\x41" + until, "N M_SEM=I", "まで"},
      {"\xFB\x41" + until, "N", "を"},  // no ending rule: the frame
      {"\xFB\x43" + until, "Ntp", "を"},
      {"\xFB\x41" + subject, "Ntl", "を"},  // not one of its verbs
      {"\xFB\x44" + subject, "Ntl", "が"},
      {"\xFB\x44" + subject, "UG", "が"},
      {"\xFB\x44" + subject, "N", "を"},
  };
  for (const Case& k : cases) {
    build(std::string("w - ") + k.argument + "; w - V");
    sentence->nodes[2].CHI = k.verb;
    target(2).candidates = {candidate("行く", "TG000", '3')};
    EXPECT_EQ(cj::particleForArgument(*context, 1, 2), k.particle) << k.argument;
  }
  // A unit phrase whose word ends in a unit character takes none; another takes "まで".
  for (auto [unit, particle] : {std::pair{listed("particles.unitEndChars", 1), ""}, {std::string("\xFB\x42"), "まで"}}) {
    build("w - U; w - C; p 1 2 UP; w - V");
    sentence->nodes[2].CHI = unit;
    sentence->nodes[3].CHI = "\xFB\x41" + until;
    target(3).candidates = {candidate("行く", "TG000", '3')};
    EXPECT_EQ(cj::particleForArgument(*context, 4, 3), particle);
  }
}

TEST_F(Particles, DefaultByClassNarrowsTheCandidates) {
  struct Case {
    std::string verb;
    std::vector<cj::CjCandidate> list;
    const char* particle;
    std::vector<std::string> kept;
  };
  const Case cases[] = {
      // An existence verb: "が", only transitive-class candidates from the first on.
      {"\xFB\x41", {candidate("ある", "ZG001"), candidate("持つ", "TG000"), candidate("居る", "ZI000")}, "が",
       {"TG000"}},
      // One of the five exceptions: "に", intransitive ones.
      {listed("particles.existenceNiVerbs", 1),
       {candidate("ある", "ZG001"), candidate("持つ", "TG000"), candidate("居る", "ZI000")}, "に",
       {"ZG001", "ZI000"}},
      {"\xFB\x41", {candidate("静かだ", "KYODO"), candidate("高い", "KYOSI"), candidate("行く", "TG000")}, "が",
       {"KYODO", "KYOSI"}},
      {listed("particles.copulaNiVerbs", 9), {candidate("静かだ", "KYODO"), candidate("行く", "ZG000")}, "に",
       {"ZG000"}},
      {listed("particles.niVerbs", 0), {candidate("書く", "TG000"), candidate("行く", "ZG000")}, "に", {"ZG000"}},
      {"\xFB\x41", {candidate("だ", "N0000"), candidate("行く", "ZG000")}, "", {"N0000", "ZG000"}},
      {"\xFB\x41", {candidate("ではない", "KYOSI")}, "が", {"KYOSI"}},
  };
  for (const Case& k : cases) {
    build("w - N; w - V");
    sentence->nodes[2].CHI = k.verb;
    target(2).candidates = k.list;
    EXPECT_EQ(cj::particleForArgument(*context, 1, 2), k.particle) << k.list[0].text.str();
    EXPECT_EQ(codes(2), k.kept) << k.list[0].text.str();
  }
  // One verb: "を" for a unit argument, "に" otherwise.
  for (auto [cat, particle] : {std::pair{"U", "を"}, {"N", "に"}}) {
    build(std::string("w - ") + cat + "; w $particles.objectOrNiVerb V");
    target(2).candidates = {candidate("書く", "TG000"), candidate("行く", "ZG000")};
    EXPECT_EQ(cj::particleForArgument(*context, 1, 2), particle) << cat;
  }
}

TEST_F(Particles, FixedVerbParticles) {
  struct Case {
    const char* verb;
    const char* japanese;
    const char* jcat;
    const char* particle;
  };
  const Case cases[] = {
      {"-", "言った", "DOKU0", "を"},
      {"-", "言った", "DOKU1", "に"},
      {"-", "言った", "DOKU2", "が"},
      {"-", "あった", "DOKU9", "が"},
      {"$fixedVerbParticles.existenceNiVerbs#4", "あった", "ZG001", "に"},
      {"-", "ではない", "KYOSI", ""},
      {"-", "だ", "KYODO", ""},
      {"-", "走る", "ZG001", "に"},
      {"$fixedVerbParticles.niVerbs#1", "書く", "TG000", "に"},
      {"-", "書く", "TG000", "を"},
  };
  for (const Case& k : cases) {
    build(std::string("w - N; w ") + k.verb + " V");
    target(2).japanese = k.japanese;
    target(2).jcat = k.jcat;
    EXPECT_EQ(cj::particleForFixedVerb(*context, 1, 2), k.particle) << k.japanese << ' ' << k.jcat;
  }
}

TEST_F(Particles, SubjectParticle) {
  build("w - N; w - V; w - L; w $particles.locativeHead V; w - R M_SEM=B; w - V; w - N; w - F; w - V;"
        "l 2 1 SUB; l 4 3 SUB; l 6 5 SUB; l 9 7 SUB; l 7 8 ADVN");
  EXPECT_EQ(cj::subjectParticle(*context, 1, 2), "は");
  EXPECT_EQ(cj::subjectParticle(*context, 3, 4), "に");
  EXPECT_EQ(cj::subjectParticle(*context, 3, 2), "は");
  EXPECT_EQ(cj::subjectParticle(*context, 5, 6), "が");  // an animate pronoun
  EXPECT_EQ(cj::subjectParticle(*context, 7, 9), "が");  // the subject has an ADVN dependent
  target(1).caseOpen = 0;
  EXPECT_EQ(cj::subjectParticle(*context, 1, 2), "");
  // A governed head takes "が".
  build("w - N; w - V; w - V; l 2 1 SUB; l 3 2 OBJ1");
  EXPECT_EQ(cj::subjectParticle(*context, 1, 2), "が");
}

TEST_F(Particles, TransitivityByObject) {
  const std::vector<cj::CjCandidate> list = {candidate("上がる", "ZG000"), candidate("上げる", "TI000"),
                                             candidate("走る", "ZG000"), candidate("書く", "TG000")};
  // With an object: transitive ones from the first transitive candidate on.
  build("w - N; w - V; w - N; l 2 3 OBJ1");
  target(2).candidates = list;
  cj::chooseTransitivity(*context, 2);
  EXPECT_EQ(codes(2), (std::vector<std::string>{"TI000", "TG000"}));
  // A frame '6' candidate before the first transitive one keeps the list.
  build("w - N; w - V; w - N; l 2 3 OBJ1");
  target(2).candidates = list;
  target(2).candidates[0].frame = '6';
  cj::chooseTransitivity(*context, 2);
  EXPECT_EQ(codes(2).size(), 4u);
  // No object, a noun before and "P" after: intransitive ones.
  build("w - N; w - V; w - P");
  target(2).candidates = list;
  cj::chooseTransitivity(*context, 2);
  EXPECT_EQ(codes(2), (std::vector<std::string>{"ZG000", "ZG000"}));
  // A verb with a fixed text or the ruleFlag3 mark is left alone.
  build("w - N; w - V; w - P");
  target(2).candidates = list;
  target(2).ruleFlag3 = 1;
  cj::chooseTransitivityForAll(*context);
  EXPECT_EQ(codes(2).size(), 4u);
}

TEST_F(Particles, NarrowingFailsWithoutAPassingCandidate) {
  build("w - V");
  target(1).candidates = {candidate("高い", "KYOSI")};
  EXPECT_EQ(cj::narrowCandidates(*context, 1, 0, '1'), 0);
  EXPECT_EQ(target(1).candidates.size(), 1u);
  target(1).candidates = {candidate("a", "N0000"), candidate("b", "N0000"), candidate("c", "N0000")};
  target(1).candidates[0].kind = 'N';
  target(1).candidates[1].kind = 'N';
  target(1).candidates[2].kind = 'V';
  EXPECT_EQ(cj::narrowCandidatesByKind(*context, 1, 1, 'N'), 1);
  ASSERT_EQ(target(1).candidates.size(), 1u);
  EXPECT_EQ(target(1).candidates[0].text, "b");
  EXPECT_FALSE(cj::candidateHasClass(nullptr, '1'));
}

}  // namespace
