#include "tools/recogniser_dicgen/discriminant.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace recog {

namespace {

constexpr int kF = datagen::kRecogFeatures;
constexpr int kD = datagen::kRecogDimensions;
// The recogniser's projected value: (y + 2,400,000) × 4 ÷ 80,000, so one unit is 20,000 of y and 0 sits at 120.
constexpr double kUnit = 20000.0;
constexpr double kZero = 120.0;
// Share of the samples allowed beyond 0-255 at either end of a direction.
constexpr double kTail = 0.001;
// Ridge added to the within-character scatter, as a share of its mean variance: it keeps the
// whitening from blowing up nearly constant features, which the signed bytes could not hold.
constexpr double kRidge = 0.1;

// m × n times n × p, row-major.
std::vector<double> multiply(const std::vector<double>& a, const std::vector<double>& b, int m, int n, int p) {
  std::vector<double> c(static_cast<std::size_t>(m) * p, 0.0);
  for (int i = 0; i < m; ++i)
    for (int k = 0; k < n; ++k) {
      double v = a[i * n + k];
      if (v == 0) continue;
      for (int j = 0; j < p; ++j) c[i * p + j] += v * b[k * p + j];
    }
  return c;
}

}  // namespace

void symmetricEigen(std::vector<double>& a, int n, std::vector<double>& values, std::vector<double>& vectors) {
  std::vector<double> v(static_cast<std::size_t>(n) * n, 0.0);
  for (int i = 0; i < n; ++i) v[i * n + i] = 1.0;
  for (int sweep = 0; sweep < 60; ++sweep) {
    double off = 0, diag = 0;
    for (int i = 0; i < n; ++i) {
      diag += a[i * n + i] * a[i * n + i];
      for (int j = i + 1; j < n; ++j) off += a[i * n + j] * a[i * n + j];
    }
    if (off <= 1e-22 * diag) break;
    for (int p = 0; p < n; ++p) {
      for (int q = p + 1; q < n; ++q) {
        double apq = a[p * n + q];
        if (std::fabs(apq) < 1e-300) continue;
        double theta = (a[q * n + q] - a[p * n + p]) / (2 * apq);
        double t = (theta >= 0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
        double c = 1 / std::sqrt(t * t + 1), s = t * c;
        for (int k = 0; k < n; ++k) {
          double akp = a[k * n + p], akq = a[k * n + q];
          a[k * n + p] = c * akp - s * akq;
          a[k * n + q] = s * akp + c * akq;
        }
        for (int k = 0; k < n; ++k) {
          double apk = a[p * n + k], aqk = a[q * n + k];
          a[p * n + k] = c * apk - s * aqk;
          a[q * n + k] = s * apk + c * aqk;
        }
        for (int k = 0; k < n; ++k) {
          double vkp = v[k * n + p], vkq = v[k * n + q];
          v[k * n + p] = c * vkp - s * vkq;
          v[k * n + q] = s * vkp + c * vkq;
        }
      }
    }
  }
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int x, int y) { return a[x * n + x] > a[y * n + y]; });
  values.assign(n, 0.0);
  vectors.assign(static_cast<std::size_t>(n) * n, 0.0);
  for (int r = 0; r < n; ++r) {
    values[r] = a[order[r] * n + order[r]];
    for (int k = 0; k < n; ++k) vectors[r * n + k] = v[k * n + order[r]];
  }
}

bool discriminantMatrix(const std::vector<FeatureClass>& classes, RecogMatrix& matrix, DiscriminantReport* report) {
  // Character means, their mean, and the within- and between-character scatter.
  std::vector<std::array<double, kF>> means;
  std::array<double, kF> overall{};
  std::vector<double> within(kF * kF, 0.0), between(kF * kF, 0.0);
  long samples = 0;
  for (const FeatureClass& c : classes) {
    if (c.samples.size() < 2) continue;
    std::array<double, kF> mean{};
    for (const auto& f : c.samples)
      for (int j = 0; j < kF; ++j) mean[j] += f[j];
    for (double& m : mean) m /= static_cast<double>(c.samples.size());
    std::array<double, kF> d;
    for (const auto& f : c.samples) {
      for (int j = 0; j < kF; ++j) d[j] = f[j] - mean[j];
      for (int i = 0; i < kF; ++i) {
        double di = d[i];
        double* row = &within[i * kF];
        for (int j = i; j < kF; ++j) row[j] += di * d[j];
      }
    }
    samples += static_cast<long>(c.samples.size());
    for (int j = 0; j < kF; ++j) overall[j] += mean[j];
    means.push_back(mean);
  }
  if (means.size() < 2) return false;
  for (double& m : overall) m /= static_cast<double>(means.size());
  for (const auto& mean : means) {
    std::array<double, kF> d;
    for (int j = 0; j < kF; ++j) d[j] = mean[j] - overall[j];
    for (int i = 0; i < kF; ++i)
      for (int j = i; j < kF; ++j) between[i * kF + j] += d[i] * d[j];
  }
  double trace = 0;
  for (int i = 0; i < kF; ++i) {
    for (int j = i; j < kF; ++j) {
      within[i * kF + j] /= static_cast<double>(samples);
      within[j * kF + i] = within[i * kF + j];
      between[i * kF + j] /= static_cast<double>(means.size());
      between[j * kF + i] = between[i * kF + j];
    }
    trace += within[i * kF + i];
  }
  for (int i = 0; i < kF; ++i) within[i * kF + i] += kRidge * trace / kF;

  // Whitening of the within-character scatter: W = U Λ^-1/2 Uᵀ.
  std::vector<double> values, vectors, a = within;
  symmetricEigen(a, kF, values, vectors);
  std::vector<double> whiten(kF * kF, 0.0);
  for (int k = 0; k < kF; ++k) {
    double w = 1 / std::sqrt(std::max(values[k], 1e-12));
    for (int i = 0; i < kF; ++i)
      for (int j = 0; j < kF; ++j) whiten[i * kF + j] += w * vectors[k * kF + i] * vectors[k * kF + j];
  }
  std::vector<double> m = multiply(multiply(whiten, between, kF, kF, kF), whiten, kF, kF, kF);
  std::vector<double> bValues, bVectors;
  symmetricEigen(m, kF, bValues, bVectors);
  // Directions in feature space, each with unit within-character spread.
  std::vector<double> directions = multiply(bVectors, whiten, kF, kF, kF);
  directions.resize(static_cast<std::size_t>(kD) * kF);

  // The recogniser's projection has no constant term: each direction is moved along the feature
  // direction whose value varies least within a character relative to its mean (Sw⁻¹ μ), so that the
  // characters' projections centre on zero.
  std::vector<double> inverse(kF * kF, 0.0);
  for (int k = 0; k < kF; ++k) {
    double w = 1 / std::max(values[k], 1e-12);
    for (int i = 0; i < kF; ++i)
      for (int j = 0; j < kF; ++j) inverse[i * kF + j] += w * vectors[k * kF + i] * vectors[k * kF + j];
  }
  std::array<double, kF> level{};
  for (int i = 0; i < kF; ++i)
    for (int j = 0; j < kF; ++j) level[i] += inverse[i * kF + j] * overall[j];
  double levelAtMean = 0;
  for (int j = 0; j < kF; ++j) levelAtMean += level[j] * overall[j];
  for (int r = 0; r < kD; ++r) {
    double atMean = 0;
    for (int j = 0; j < kF; ++j) atMean += directions[r * kF + j] * overall[j];
    for (int j = 0; j < kF; ++j) directions[r * kF + j] -= atMean / levelAtMean * level[j];
  }

  // One scale for all directions (the distance stays Euclidean): the largest that keeps the signed
  // bytes in range and all but the tails of the samples' values within 0-255.
  double largest = 0;
  for (int k = 0; k < kD * kF; ++k) largest = std::max(largest, std::fabs(directions[k]));
  double scale = 127.0 / (largest * kUnit);  // units per within-character deviation
  double byteScale = scale;
  std::vector<double> z;
  for (int r = 0; r < kD; ++r) {
    z.clear();
    for (const FeatureClass& c : classes)
      for (const auto& f : c.samples) {
        double y = 0;
        for (int j = 0; j < kF; ++j) y += directions[r * kF + j] * f[j];
        z.push_back(y);
      }
    std::size_t tail = static_cast<std::size_t>(kTail * static_cast<double>(z.size()));
    std::nth_element(z.begin(), z.begin() + static_cast<long>(tail), z.end());
    double low = z[tail];
    std::nth_element(z.begin(), z.end() - 1 - static_cast<long>(tail), z.end());
    double high = z[z.size() - 1 - tail];
    // Turned so that the longer side faces the wider room above zero.
    if (-low > high) {
      for (int j = 0; j < kF; ++j) directions[r * kF + j] = -directions[r * kF + j];
      std::swap(low, high);
      low = -low;
      high = -high;
    }
    if (high > 0) scale = std::min(scale, (255.0 - kZero - 0.5) / high);
    if (low < 0) scale = std::min(scale, (kZero - 0.5) / -low);
  }
  for (int k = 0; k < kD * kF; ++k)
    matrix[k] = static_cast<std::int8_t>(std::clamp<long>(std::lround(directions[k] * scale * kUnit), -127, 127));
  if (report) {
    report->scale = scale;
    report->byteScale = byteScale;
    report->firstRatio = std::sqrt(std::max(0.0, bValues[0]));
    report->lastRatio = std::sqrt(std::max(0.0, bValues[kD - 1]));
    report->clipped = 0;
    for (const FeatureClass& c : classes)
      for (const auto& f : c.samples) {
        auto v = datagen::recogProject(matrix, f);
        for (int x : v) report->clipped += x < 0 || x > 255;
      }
  }
  return true;
}

}  // namespace recog
