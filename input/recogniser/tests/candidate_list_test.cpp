#include "input/recogniser/candidate_list.h"

#include <gtest/gtest.h>

using namespace recog;

namespace {

std::vector<std::uint16_t> codesOf(const std::vector<Candidate>& list) {
  std::vector<std::uint16_t> out;
  for (const Candidate& c : list) out.push_back(c.code);
  return out;
}

TEST(ClassFilter, RangesPerTypeAndBit) {
  struct Case {
    int type;
    std::uint8_t mask;
    std::uint16_t code;
    bool passes;
  };
  const Case cases[] = {
      {0, 0x01, 0x1001, true},  {0, 0x01, 0x3759, true},  {0, 0x01, 0x375A, false}, {0, 0x02, 0x3801, true},
      {0, 0x04, 0xA4C2, false}, {0, 0x04, 0xA4C3, true},  {0, 0x08, 0x0321, true},  {0, 0x20, 0x0310, true},
      {0, 0x40, 0x035E, true},  {0, 0x40, 0x0310, false}, {0, 0x7E, 0x1001, false}, {0, 0x00, 0x1001, false},
      {1, 0x01, 0xA440, true},  {1, 0x01, 0xF9D6, false}, {1, 0x08, 0xA2AF, true},  {1, 0x10, 0xA3BF, true},
      {1, 0x10, 0xA2CF, false}, {2, 0x01, 0x82C2, true},  {2, 0x02, 0x815B, true},  {2, 0x02, 0x815C, false},
      {2, 0x40, 0x989F, true},  {2, 0x80, 0x879F, true},  {2, 0x80, 0x8492, false}, {2, 0xFF, 0x0041, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(passesClassFilter(c.type, c.mask, c.code), c.passes)
        << c.type << " " << int(c.mask) << " " << std::hex << c.code;
  }
}

class CandidateList : public ::testing::Test {
 protected:
  RecogDictionary dict;
  void SetUp() override { dict.type = kSimplified; }
};

TEST_F(CandidateList, SubstitutesSkipsRepeatsAndFilters) {
  dict.substitutions = {{0x1002, 0x1005}, {0x1002, 0x1006}};
  std::vector<Match> members = {
      {0x1001, 10}, {0x1002, 20}, {0x1005, 30}, {0x0041, 40}, {0x1003, 70000},
  };
  std::vector<Candidate> list = buildCandidateList(dict, members, 0x01, 1);
  EXPECT_EQ(codesOf(list), (std::vector<std::uint16_t>{0x1001, 0x1005, 0x1003}));
  EXPECT_EQ(list[1].distance, 20);
  EXPECT_EQ(list[2].distance, 65535);  // saturated, not wrapped

  // A code the mask refuses is not substituted.
  dict.substitutions = {{0x3801, 0x1001}};
  list = buildCandidateList(dict, {{0x3801, 5}}, 0x01, 1);
  EXPECT_TRUE(list.empty());
}

TEST_F(CandidateList, CompanionsFollowTheirCode) {
  dict.companions = {
      {0x1001, 0x1010, 0},  // any stroke count
      {0x1001, 0x1011, 2},  // only two strokes
      {0x1001, 0x3801, 0},  // refused by the mask
      {0x1002, 0x1001, 0},  // already in the list
  };
  std::vector<Match> members = {{0x1001, 10}, {0x1002, 20}, {0x1001, 30}};
  EXPECT_EQ(codesOf(buildCandidateList(dict, members, 0x01, 3)),
            (std::vector<std::uint16_t>{0x1001, 0x1010, 0x1002}));
  std::vector<Candidate> two = buildCandidateList(dict, members, 0x01, 2);
  EXPECT_EQ(codesOf(two), (std::vector<std::uint16_t>{0x1001, 0x1010, 0x1011, 0x1002}));
  EXPECT_EQ(two[2].distance, 10);
}

TEST_F(CandidateList, StopsAtTwentyCodes) {
  std::vector<Match> members;
  for (std::uint16_t i = 0; i < 30; ++i) members.push_back({static_cast<std::uint16_t>(0x1001 + i), i});
  dict.companions = {{0x1013, 0x2001, 0}, {0x1013, 0x2002, 0}};
  std::vector<Candidate> list = buildCandidateList(dict, members, 0x01, 1);
  ASSERT_EQ(list.size(), 20u);
  EXPECT_EQ(list[19].code, 0x2001);  // the 19th code's first companion fills the list
}

TEST_F(CandidateList, SizePairsSwapOnlyTheCodes) {
  dict.sizePairs = {{0x1001, 0x1002}};
  struct Case {
    bool small;
    std::vector<Candidate> in;
    std::vector<std::uint16_t> out;
  };
  const Case cases[] = {
      {true, {{0x1001, 0}, {0x1002, 5}}, {0x1002, 0x1001}},
      {true, {{0x1002, 0}, {0x1001, 5}}, {0x1002, 0x1001}},
      {false, {{0x1002, 0}, {0x1001, 5}}, {0x1001, 0x1002}},
      {false, {{0x1001, 0}, {0x1002, 5}}, {0x1001, 0x1002}},
      {true, {{0x1001, 0}, {0x1003, 5}, {0x1002, 6}}, {0x1001, 0x1003, 0x1002}},
      {true, {{0x1001, 0}}, {0x1001}},
  };
  for (const Case& c : cases) {
    std::vector<Candidate> list = c.in;
    applySizePairs(dict, c.small, list);
    EXPECT_EQ(codesOf(list), c.out);
    EXPECT_EQ(list[0].distance, 0);
  }
}

}  // namespace
