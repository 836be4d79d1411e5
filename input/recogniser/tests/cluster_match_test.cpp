#include "input/recogniser/cluster_match.h"
#include "input/recogniser/recogniser_errors.h"

#include <gtest/gtest.h>

using namespace recog;

namespace {

// A cluster whose members all carry the cluster's offsets (no bit fields).
void addCluster(RecogDictionary& d, int centre, std::vector<std::uint16_t> codes) {
  Cluster c{};
  c.centroid.fill(0);
  c.offset.fill(static_cast<std::uint8_t>(centre));
  c.width.fill(0);
  c.position = static_cast<std::uint32_t>(d.members.size());
  c.memberCount = 0;
  d.clusters.push_back(c);
  for (std::uint16_t code : codes) {
    d.members.push_back(static_cast<std::uint8_t>(code & 0xFF));
    d.members.push_back(static_cast<std::uint8_t>(code >> 8));
    ++d.clusters.back().memberCount;
  }
}

TEST(NearestClusters, KeepsThirtyPercentAndAtLeastOne) {
  struct Case {
    int clusters;
    std::size_t kept;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {3, 1}, {4, 1}, {10, 3}, {255, 76}};
  for (const Case& c : cases) {
    RecogDictionary d;
    for (int i = 0; i < c.clusters; ++i) addCluster(d, (i * 37) % 256, {});
    Projected v;
    v.fill(100);
    std::vector<int> kept = nearestClusters(d, v);
    EXPECT_EQ(kept.size(), c.kept) << c.clusters;
    if (c.clusters == 10) {
      // 100 is nearest to 111 (i = 3), then 77 (i = 9), then 74 (i = 2).
      EXPECT_EQ(kept, (std::vector<int>{3, 9, 2}));
    }
  }
}

TEST(MatchMembers, FirstPassDistanceSaturates) {
  // 16 dimensions 64 apart sum to exactly 65,536: wrapped it would look like a perfect match.
  RecogDictionary d;
  addCluster(d, 164, {0x1001});
  addCluster(d, 110, {0x1002});
  Projected v;
  v.fill(100);
  std::vector<Match> out;
  ASSERT_EQ(matchMembers(d, {0, 1}, v, out), 0);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].code, 0x1002);
  EXPECT_EQ(out[0].distance, 80u * 100);
}

// Members far from the writing are each saturated, and the diagnostic comes once per writing.
TEST(MatchMembers, TheOverflowDiagnosticComesOncePerWriting) {
  RecogDictionary d;
  std::vector<std::uint16_t> codes;
  for (std::uint16_t k = 0; k < 500; ++k) codes.push_back(static_cast<std::uint16_t>(0x1001 + k));
  addCluster(d, 255, codes);
  Projected v;
  v.fill(0);
  std::vector<Match> out;
  for (int writing = 0; writing < 2; ++writing) {
    testing::internal::CaptureStderr();
    ASSERT_EQ(matchMembers(d, {0}, v, out), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "**********over flow************\n");
  }
}

TEST(MatchMembers, KeepsTheBinWhereTheCountPassesTheCut) {
  // 150 members in bin 0, 100 in bin 1 (16 dimensions 1 apart), 10 in bin 14: the running count
  // passes 200 in bin 1, so bins 0 and 1 are kept whole and bin 14 goes.
  RecogDictionary d;
  addCluster(d, 100, std::vector<std::uint16_t>(150, 0x1001));
  addCluster(d, 101, std::vector<std::uint16_t>(100, 0x1002));
  addCluster(d, 103, std::vector<std::uint16_t>(10, 0x1003));
  Projected v;
  v.fill(100);
  std::vector<Match> out;
  ASSERT_EQ(matchMembers(d, {0, 1, 2}, v, out), 0);
  ASSERT_EQ(out.size(), 250u);
  EXPECT_EQ(out.front().code, 0x1001);
  EXPECT_EQ(out.back().code, 0x1002);
  EXPECT_EQ(out.back().distance, 80u);
}

TEST(MatchMembers, MemberPastTheBlockIsAnError) {
  RecogDictionary d;
  addCluster(d, 100, {0x1001});
  d.clusters[0].memberCount = 2;
  Projected v;
  v.fill(100);
  std::vector<Match> out;
  EXPECT_EQ(matchMembers(d, {0}, v, out), kErrMemberIndex);
}

}  // namespace
