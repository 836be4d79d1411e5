#include "tools/datagen/recog_dictionary_writer.h"

#include "platform/core/codepage.h"
#include "platform/core/little_endian.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace datagen {

namespace {

int bitsFor(unsigned v) {
  int bits = 0;
  while (v) {
    ++bits;
    v >>= 1;
  }
  return bits;
}

bool fail(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

// A code written 0xHHHH or one character.
bool parseCode(int type, const std::string& token, std::uint16_t& code) {
  if (token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X')) {
    char* end = nullptr;
    unsigned long v = std::strtoul(token.c_str() + 2, &end, 16);
    if (*end || v > 0xFFFF) return false;
    code = static_cast<std::uint16_t>(v);
    return true;
  }
  code = recogCharacterCode(type, token);
  return code != 0;
}

bool parseStrokes(std::istringstream& in, std::vector<RecogStroke>& strokes) {
  strokes.assign(1, {});
  std::string tok;
  while (in >> tok) {
    if (tok == "/") {
      strokes.emplace_back();
      continue;
    }
    auto comma = tok.find(',');
    if (comma == std::string::npos) return false;
    char* end = nullptr;
    long x = std::strtol(tok.c_str(), &end, 10);
    if (end != tok.c_str() + comma) return false;
    long y = std::strtol(tok.c_str() + comma + 1, &end, 10);
    if (*end || x < 0 || y < 0 || x > 65535 || y > 65535) return false;
    strokes.back().push_back({static_cast<int>(x), static_cast<int>(y)});
  }
  return std::all_of(strokes.begin(), strokes.end(), [](const RecogStroke& s) { return !s.empty(); });
}

// A deterministic generator for the matrix.
struct SplitMix {
  std::uint64_t state;
  std::uint64_t next() {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double uniform() { return static_cast<double>(next() >> 11) / 9007199254740992.0 * 2.0 - 1.0; }
};

std::uint64_t distance(const std::array<int, kRecogDimensions>& a, const std::array<int, kRecogDimensions>& b) {
  std::uint64_t d = 0;
  for (int i = 0; i < kRecogDimensions; ++i) d += static_cast<std::uint64_t>((a[i] - b[i]) * (a[i] - b[i]));
  return d;
}

// Rounded mean of the vectors assigned to cluster c; false when it has none.
bool meanOf(const std::vector<RecogVector>& vs, const std::vector<int>& assign, int c,
            std::array<int, kRecogDimensions>& mean) {
  std::array<long, kRecogDimensions> sum{};
  long n = 0;
  for (std::size_t t = 0; t < vs.size(); ++t) {
    if (assign[t] != c) continue;
    ++n;
    for (int i = 0; i < kRecogDimensions; ++i) sum[i] += vs[t][i];
  }
  if (n == 0) return false;
  for (int i = 0; i < kRecogDimensions; ++i) mean[i] = static_cast<int>((2 * sum[i] + n) / (2 * n));
  return true;
}

int nearest(const std::vector<std::array<int, kRecogDimensions>>& centres, const RecogVector& v) {
  std::array<int, kRecogDimensions> w;
  std::copy(v.begin(), v.end(), w.begin());
  int best = 0;
  std::uint64_t bestDistance = distance(centres[0], w);
  for (int c = 1; c < static_cast<int>(centres.size()); ++c) {
    std::uint64_t d = distance(centres[c], w);
    if (d < bestDistance) {
      best = c;
      bestDistance = d;
    }
  }
  return best;
}

}  // namespace

std::vector<RecogClusterImage> clusterRecogVectors(const std::vector<RecogVector>& vs,
                                                   const std::vector<std::uint16_t>& codes, int k) {
  int n = static_cast<int>(vs.size());
  // A code's first vector shapes the clusters; its further renderings join the nearest cluster.
  std::vector<int> shaping;
  std::vector<bool> seen(65536, false);
  for (int t = 0; t < n; ++t) {
    if (seen[codes[t]]) continue;
    seen[codes[t]] = true;
    shaping.push_back(t);
  }
  int m = static_cast<int>(shaping.size());
  k = std::min(k, m);
  std::vector<std::array<int, kRecogDimensions>> centres(k);
  for (int c = 0; c < k; ++c) std::copy(vs[shaping[c * m / k]].begin(), vs[shaping[c * m / k]].end(), centres[c].begin());
  std::vector<int> assign(n, -1);
  for (int round = 0; round < 100; ++round) {
    bool changed = false;
    for (int t : shaping) {
      int c = nearest(centres, vs[t]);
      if (c != assign[t]) changed = true;
      assign[t] = c;
    }
    for (int c = 0; c < k; ++c) meanOf(vs, assign, c, centres[c]);
    if (!changed) break;
  }
  for (int t = 0; t < n; ++t) {
    if (assign[t] < 0) assign[t] = nearest(centres, vs[t]);
  }
  std::vector<RecogClusterImage> out;
  for (int c = 0; c < k; ++c) {
    std::array<int, kRecogDimensions> mean;
    if (!meanOf(vs, assign, c, mean)) continue;
    RecogClusterImage img;
    for (int i = 0; i < kRecogDimensions; ++i) img.centroid[i] = static_cast<std::uint8_t>(mean[i]);
    for (int t = 0; t < n; ++t) {
      if (assign[t] == c) img.members.push_back({codes[t], vs[t]});
    }
    out.push_back(std::move(img));
  }
  return out;
}

std::uint16_t recogCharacterCode(int type, std::string_view utf8) {
  static constexpr unsigned kCodePages[] = {936, 950, 932};
  if (type < 0 || type > 2) return 0;
  std::u16string wide = plat::utf8ToWide(utf8);
  if (wide.empty()) return 0;
  std::string bytes = plat::wideToMultiByte(kCodePages[type], wide);
  if (bytes.size() != 2 || plat::multiByteToWide(kCodePages[type], bytes) != wide) return 0;
  unsigned hi = static_cast<unsigned char>(bytes[0]), lo = static_cast<unsigned char>(bytes[1]);
  if (type == 0) {
    if (hi < 0xA1 || lo < 0xA1) return 0;
    return static_cast<std::uint16_t>((hi - 0xA0) << 8 | (lo - 0xA0));
  }
  return static_cast<std::uint16_t>(hi << 8 | lo);
}

bool parseRecogTemplates(std::string_view text, RecogTemplateSet& out, std::string* error) {
  out = RecogTemplateSet{};
  std::istringstream lines{std::string(text)};
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream in(line);
    std::string key;
    if (!(in >> key)) continue;
    std::string where = "line " + std::to_string(number) + ": ";
    std::string a, b;
    if (key == "type") {
      if (!(in >> out.type) || out.type < 0 || out.type > 2) return fail(error, where + "bad type");
    } else if (key == "box") {
      if (!(in >> out.boxWidth >> out.boxHeight) || out.boxWidth <= 0 || out.boxHeight <= 0 ||
          out.boxWidth > 65535 || out.boxHeight > 65535)
        return fail(error, where + "bad box");
    } else if (key == "clusters") {
      if (!(in >> out.clusterCount) || out.clusterCount < 1 || out.clusterCount > 255)
        return fail(error, where + "bad cluster count");
    } else if (key == "template") {
      RecogTemplate t;
      if (!(in >> a) || !parseCode(out.type, a, t.code)) return fail(error, where + "bad character");
      if (!parseStrokes(in, t.strokes)) return fail(error, where + "bad strokes");
      out.templates.push_back(std::move(t));
    } else if (key == "pair" || key == "substitute") {
      std::uint16_t x = 0, y = 0;
      if (!(in >> a >> b) || !parseCode(out.type, a, x) || !parseCode(out.type, b, y))
        return fail(error, where + "bad codes");
      (key == "pair" ? out.sizePairs : out.substitutions).push_back({x, y});
    } else if (key == "companion") {
      RecogCompanionEntry c;
      int strokes = -1;
      if (!(in >> a >> b >> strokes) || !parseCode(out.type, a, c.code) || !parseCode(out.type, b, c.companion) ||
          strokes < 0 || strokes > 255)
        return fail(error, where + "bad companion");
      c.strokes = static_cast<std::uint8_t>(strokes);
      out.companions.push_back(c);
    } else {
      return fail(error, where + "unknown item " + key);
    }
  }
  return true;
}

std::string writeRecogDictionary(const RecogDictionaryImage& image, int type) {
  std::string out;
  for (std::uint16_t v : image.sqrtTable) plat::appendLe16(out, v);
  for (std::int8_t m : image.matrix) out.push_back(static_cast<char>(m));
  plat::appendLe16(out, static_cast<unsigned>(image.sizePairs.size()));
  for (auto [a, b] : image.sizePairs) {
    plat::appendLe16(out, a);
    plat::appendLe16(out, b);
  }
  plat::appendLe16(out, static_cast<unsigned>(image.companions.size()));
  for (const RecogCompanionEntry& c : image.companions) {
    plat::appendLe16(out, c.code);
    plat::appendLe16(out, c.companion);
    out.push_back(static_cast<char>(c.strokes));
  }
  if (type == 0) {
    plat::appendLe16(out, static_cast<unsigned>(image.substitutions.size()));
    for (auto [a, b] : image.substitutions) {
      plat::appendLe16(out, a);
      plat::appendLe16(out, b);
    }
  }
  // Cluster records, then the packed members they point to.
  std::string members;
  plat::appendLe16(out, static_cast<unsigned>(image.clusters.size()));
  for (const RecogClusterImage& c : image.clusters) {
    RecogVector offset, width;
    offset.fill(255);
    std::array<int, kRecogDimensions> top{};
    for (const auto& m : c.members) {
      for (int i = 0; i < kRecogDimensions; ++i) {
        offset[i] = std::min(offset[i], m.second[i]);
        top[i] = std::max<int>(top[i], m.second[i]);
      }
    }
    if (c.members.empty()) offset.fill(0);
    int bits = 0;
    for (int i = 0; i < kRecogDimensions; ++i) {
      width[i] = static_cast<std::uint8_t>(bitsFor(static_cast<unsigned>(std::max(0, top[i] - offset[i]))));
      bits += width[i];
    }
    int packed = (bits + 7) / 8;
    std::string rec;
    for (int i = 0; i < kRecogDimensions; ++i)
      rec.push_back(static_cast<char>(std::clamp(c.centroid[i] - offset[i], 0, 255)));
    rec.append(reinterpret_cast<const char*>(offset.data()), kRecogDimensions);
    rec.append(reinterpret_cast<const char*>(width.data()), kRecogDimensions);
    plat::appendLe16(rec, static_cast<unsigned>(c.members.size()));
    plat::appendLe16(rec, 0);
    plat::appendLe32(rec, static_cast<std::uint32_t>(members.size()));
    rec.push_back(static_cast<char>(packed));
    rec.append(3, '\0');
    out += rec;
    for (const auto& m : c.members) {
      plat::appendLe16(members, m.first);
      std::string field(static_cast<std::size_t>(packed), '\0');
      int bit = 0;
      for (int i = 0; i < kRecogDimensions; ++i) {
        unsigned v = m.second[i] - offset[i];
        for (int w = width[i] - 1; w >= 0; --w, ++bit) {
          if ((v >> w) & 1u) field[bit / 8] = static_cast<char>(field[bit / 8] | (0x80 >> (bit % 8)));
        }
      }
      members += field;
    }
  }
  plat::appendLe32(out, static_cast<std::uint32_t>(members.size()));
  out += members;
  return out;
}

RecogSqrtTable recogSqrtTable() {
  RecogSqrtTable t{};
  for (int k = 0; k < kRecogSqrtSize; ++k) t[k] = static_cast<std::uint16_t>(std::lround(100.0 * std::sqrt(k)));
  return t;
}

std::array<int, kRecogDimensions> recogProject(
    const std::array<std::int8_t, kRecogDimensions * kRecogFeatures>& matrix, const RecogFeatureVector& features) {
  std::array<int, kRecogDimensions> v{};
  for (int i = 0; i < kRecogDimensions; ++i) {
    std::int64_t y = 0;
    for (int j = 0; j < kRecogFeatures; ++j) y += matrix[i * kRecogFeatures + j] * std::int64_t{features[j]};
    v[i] = static_cast<int>((y + 2400000) * 4 / 80000);
  }
  return v;
}

bool buildRecogDictionary(const RecogTemplateSet& set, const RecogFeatureFn& featureFn, RecogDictionaryImage& out,
                          std::string* error) {
  out = RecogDictionaryImage{};
  if (set.templates.empty()) return fail(error, "no templates");
  out.sqrtTable = recogSqrtTable();
  std::vector<RecogFeatureVector> features(set.templates.size());
  for (std::size_t t = 0; t < set.templates.size(); ++t) {
    if (!featureFn(set.templates[t], set.boxWidth, set.boxHeight, out.sqrtTable, features[t]))
      return fail(error, "template " + std::to_string(t) + " has no features");
  }
  // A fixed random matrix, scaled so that every template's projection stays well inside ±2,400,000.
  SplitMix rng{0x5EED5EEDull};
  std::vector<double> g(out.matrix.size());
  double maxG = 0;
  for (double& x : g) {
    x = rng.uniform() + rng.uniform() + rng.uniform();
    maxG = std::max(maxG, std::fabs(x));
  }
  double maxY = 0;
  for (const RecogFeatureVector& f : features) {
    for (int i = 0; i < kRecogDimensions; ++i) {
      double y = 0;
      for (int j = 0; j < kRecogFeatures; ++j) y += g[i * kRecogFeatures + j] * f[j];
      maxY = std::max(maxY, std::fabs(y));
    }
  }
  double alpha = 127.0 / maxG;
  if (maxY > 0) alpha = std::min(alpha, 1600000.0 / maxY);
  for (std::size_t k = 0; k < g.size(); ++k)
    out.matrix[k] = static_cast<std::int8_t>(std::clamp<long>(std::lround(alpha * g[k]), -127, 127));

  std::vector<RecogVector> vs(features.size());
  std::vector<std::uint16_t> codes(features.size());
  for (std::size_t t = 0; t < features.size(); ++t) {
    std::array<int, kRecogDimensions> v = recogProject(out.matrix, features[t]);
    for (int i = 0; i < kRecogDimensions; ++i) {
      if (v[i] < 0 || v[i] > 255) return fail(error, "projection out of range");
      vs[t][i] = static_cast<std::uint8_t>(v[i]);
    }
    codes[t] = set.templates[t].code;
  }
  int n = static_cast<int>(vs.size());
  int k = set.clusterCount > 0 ? set.clusterCount : (n + 29) / 30;
  k = std::clamp(k, 1, std::min(n, 255));
  out.clusters = clusterRecogVectors(vs, codes, k);
  out.sizePairs = set.sizePairs;
  out.companions = set.companions;
  out.substitutions = set.substitutions;
  return true;
}

}  // namespace datagen
