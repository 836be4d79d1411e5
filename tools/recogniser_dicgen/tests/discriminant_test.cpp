// The learnt projection: eigen decomposition and the discriminant on synthetic characters.
#include "tools/recogniser_dicgen/discriminant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using datagen::kRecogDimensions;
using datagen::kRecogFeatures;

TEST(SymmetricEigen, RebuildsTheMatrixFromOrthonormalVectorsInFallingOrder) {
  const int n = 7;
  std::mt19937 rng(5);
  std::uniform_real_distribution<double> u(-3, 3);
  std::vector<double> a(n * n);
  for (int i = 0; i < n; ++i)
    for (int j = i; j < n; ++j) a[i * n + j] = a[j * n + i] = u(rng);
  std::vector<double> original = a, values, vectors;
  recog::symmetricEigen(a, n, values, vectors);
  ASSERT_EQ(values.size(), static_cast<std::size_t>(n));
  for (int k = 1; k < n; ++k) EXPECT_GE(values[k - 1], values[k]);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      double rebuilt = 0, dot = 0;
      for (int k = 0; k < n; ++k) {
        rebuilt += values[k] * vectors[k * n + i] * vectors[k * n + j];
        dot += vectors[i * n + k] * vectors[j * n + k];
      }
      EXPECT_NEAR(rebuilt, original[i * n + j], 1e-9) << i << "," << j;
      EXPECT_NEAR(dot, i == j ? 1.0 : 0.0, 1e-9) << i << "," << j;
    }
  }
}

// Characters that differ in as many features as the projection keeps, each varying a little within a
// character, while every other feature varies widely within each character and tells nothing: only a
// projection that leaves the wide ones out keeps the characters apart.
struct Synthetic {
  std::vector<std::array<double, kRecogFeatures>> centres;
  std::mt19937 rng{11};
  explicit Synthetic(int characters) {
    std::uniform_real_distribution<double> u(0, 1);
    for (int c = 0; c < characters; ++c) {
      std::array<double, kRecogFeatures> centre;
      centre.fill(1500);
      for (int j = 0; j < kRecogDimensions; ++j) centre[j] = 1000 + 300 * u(rng);
      centres.push_back(centre);
    }
  }
  datagen::RecogFeatureVector writing(int c) {
    std::normal_distribution<double> small(0, 60), wide(0, 400);
    datagen::RecogFeatureVector f;
    for (int j = 0; j < kRecogFeatures; ++j)
      f[j] = static_cast<std::uint16_t>(std::clamp(centres[c][j] + (j < kRecogDimensions ? small(rng) : wide(rng)), 0.0, 3000.0));
    return f;
  }
};

TEST(DiscriminantMatrix, KeepsCharactersApartWhereTheirWritingsVaryLeast) {
  const int characters = 40;
  Synthetic data(characters);
  std::vector<recog::FeatureClass> classes(characters);
  for (int c = 0; c < characters; ++c)
    for (int s = 0; s < 60; ++s) classes[c].samples.push_back(data.writing(c));
  recog::RecogMatrix matrix{};
  recog::DiscriminantReport report;
  ASSERT_TRUE(recog::discriminantMatrix(classes, matrix, &report));
  EXPECT_GT(report.scale, 0.5);
  EXPECT_EQ(report.clipped, 0);

  // Fresh writings go to the nearest character mean in the projected space.
  std::vector<std::array<double, kRecogDimensions>> means(characters);
  for (int c = 0; c < characters; ++c)
    for (const auto& f : classes[c].samples) {
      auto v = datagen::recogProject(matrix, f);
      for (int i = 0; i < kRecogDimensions; ++i) means[c][i] += v[i] / 60.0;
    }
  int right = 0, total = 0;
  for (int c = 0; c < characters; ++c) {
    for (int s = 0; s < 10; ++s, ++total) {
      auto v = datagen::recogProject(matrix, data.writing(c));
      for (int x : v) {
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 255);
      }
      int best = 0;
      double bestDistance = 1e300;
      for (int k = 0; k < characters; ++k) {
        double d = 0;
        for (int i = 0; i < kRecogDimensions; ++i) d += (v[i] - means[k][i]) * (v[i] - means[k][i]);
        if (d < bestDistance) {
          bestDistance = d;
          best = k;
        }
      }
      right += best == c;
    }
  }
  EXPECT_GE(right, total * 95 / 100);
}

TEST(DiscriminantMatrix, NeedsTwoCharactersOfTwoWritings) {
  recog::RecogMatrix matrix{};
  std::vector<recog::FeatureClass> classes(3);
  datagen::RecogFeatureVector f{};
  classes[0].samples = {f, f};
  classes[1].samples = {f};
  EXPECT_FALSE(recog::discriminantMatrix(classes, matrix, nullptr));
}

}  // namespace
