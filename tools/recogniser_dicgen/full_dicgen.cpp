// Writes the three full recogniser dictionaries from a folder of stroke-median records; the sample
// templates add what the records lack (kana, letters) with their pairs and companions.
// Each character is written SAMPLES times with a careless hand's distortions in the panel's 80-pixel
// box; a projection matrix is learnt from these writings (the directions that keep characters apart
// relative to how one character's writings vary), and each character is stored as drawn and as the
// centres of its distorted writings (MEMBERS - 1 of them):
//   recogniser_fulldic MEDIAN-FOLDER SAMPLE-FOLDER OUTPUT-FOLDER [SAMPLES [MEMBERS]]
#include "input/recogniser/recog_dictionary.h"
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/recog_medians.h"
#include "tools/recogniser_dicgen/discriminant.h"
#include "tools/recogniser_dicgen/template_features.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <thread>

namespace {

const char* kSampleFiles[] = {"chujian.txt", "chufan.txt", "churi.txt"};

// The panel's writing box.
constexpr int kBox = 80;
constexpr std::size_t kStrokes = 25;
// Seeds of the learning writings, apart from the ones benchmarks write with.
constexpr std::uint32_t kLearningSeeds = 0x40000000u;
// Seven tenths of a careless hand's distortions: as sturdy on careless writing as the full ones (0.5-1.0
// differ by about a point), a little better on neat writing.
constexpr double kLearningStrength = 0.7;
constexpr int kWorkers = 3;

using datagen::RecogFeatureVector;
using datagen::RecogVector;

struct CharacterWritings {
  bool used = false;
  RecogFeatureVector drawn{};
  std::vector<RecogFeatureVector> distorted;
  // Members after projection: the drawing first.
  std::vector<RecogVector> members;
};

bool inkFeatures(const std::vector<datagen::RecogStroke>& ink, const datagen::RecogSqrtTable& table,
                 RecogFeatureVector& out) {
  datagen::RecogTemplate t;
  t.strokes = ink;
  return recog::templateFeatures(t, kBox, kBox - 1, table, out);
}

RecogVector clampedVector(const std::array<double, datagen::kRecogDimensions>& v) {
  RecogVector out;
  for (int i = 0; i < datagen::kRecogDimensions; ++i)
    out[i] = static_cast<std::uint8_t>(std::clamp(std::lround(v[i]), 0L, 255L));
  return out;
}

RecogVector projected(const recog::RecogMatrix& matrix, const RecogFeatureVector& f) {
  auto v = datagen::recogProject(matrix, f);
  std::array<double, datagen::kRecogDimensions> d;
  std::copy(v.begin(), v.end(), d.begin());
  return clampedVector(d);
}

// Centres of a character's projected writings by Lloyd's iterations, seeded by farthest points.
std::vector<RecogVector> centresOf(const std::vector<std::array<int, datagen::kRecogDimensions>>& vs, int k) {
  using Point = std::array<double, datagen::kRecogDimensions>;
  auto dist = [](const Point& a, const std::array<int, datagen::kRecogDimensions>& b) {
    double d = 0;
    for (int i = 0; i < datagen::kRecogDimensions; ++i) d += (a[i] - b[i]) * (a[i] - b[i]);
    return d;
  };
  int n = static_cast<int>(vs.size());
  k = std::min(k, n);
  std::vector<Point> centres;
  Point mean{};
  for (const auto& v : vs)
    for (int i = 0; i < datagen::kRecogDimensions; ++i) mean[i] += v[i] / static_cast<double>(n);
  if (k <= 1) return {clampedVector(mean)};
  // Farthest-point seeds from the mean.
  std::vector<double> nearestD(n);
  for (int t = 0; t < n; ++t) nearestD[t] = dist(mean, vs[t]);
  for (int c = 0; c < k; ++c) {
    int far = static_cast<int>(std::max_element(nearestD.begin(), nearestD.end()) - nearestD.begin());
    Point p;
    std::copy(vs[far].begin(), vs[far].end(), p.begin());
    centres.push_back(p);
    for (int t = 0; t < n; ++t) nearestD[t] = c == 0 ? dist(p, vs[t]) : std::min(nearestD[t], dist(p, vs[t]));
  }
  std::vector<int> assign(n, -1);
  for (int round = 0; round < 30; ++round) {
    bool changed = false;
    for (int t = 0; t < n; ++t) {
      int best = 0;
      for (int c = 1; c < k; ++c)
        if (dist(centres[c], vs[t]) < dist(centres[best], vs[t])) best = c;
      changed |= best != assign[t];
      assign[t] = best;
    }
    for (int c = 0; c < k; ++c) {
      Point sum{};
      int count = 0;
      for (int t = 0; t < n; ++t) {
        if (assign[t] != c) continue;
        ++count;
        for (int i = 0; i < datagen::kRecogDimensions; ++i) sum[i] += vs[t][i];
      }
      if (count == 0) continue;
      for (int i = 0; i < datagen::kRecogDimensions; ++i) centres[c][i] = sum[i] / count;
    }
    if (!changed) break;
  }
  std::vector<RecogVector> out;
  for (const Point& c : centres) out.push_back(clampedVector(c));
  return out;
}

// The sample's templates of codes the medians lack, with the sample's pairs, companions and substitutions.
bool readSample(const std::string& path, const std::set<std::uint16_t>& have, datagen::RecogTemplateSet& extra) {
  std::string text, error;
  if (!tools::readFile(path, text) || !datagen::parseRecogTemplates(text, extra, &error)) {
    std::fprintf(stderr, "%s: cannot read %s\n", path.c_str(), error.c_str());
    return false;
  }
  std::vector<datagen::RecogTemplate> kept;
  for (auto& t : extra.templates)
    if (!have.count(t.code)) kept.push_back(std::move(t));
  extra.templates = std::move(kept);
  return true;
}

void runWorkers(std::size_t count, const std::function<void(std::size_t)>& job) {
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w)
    workers.emplace_back([&, w] {
      for (std::size_t i = static_cast<std::size_t>(w); i < count; i += kWorkers) job(i);
    });
  for (std::thread& t : workers) t.join();
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "MEDIAN-FOLDER SAMPLE-FOLDER OUTPUT-FOLDER [SAMPLES [MEMBERS]]";
  if (!tools::argumentsFit(argc, argv, 3, 5, usage)) return tools::kUsageExit;
  int samples = argc > 4 ? std::atoi(argv[4]) : 24;
  int members = argc > 5 ? std::atoi(argv[5]) : 2;
  if (samples < 2 || samples > 200 || members < 1 || members > 16) {
    tools::printUsage(argv, usage);
    return tools::kUsageExit;
  }
  auto start = std::chrono::steady_clock::now();
  auto seconds = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
  std::vector<datagen::MedianCharacter> characters;
  std::string error;
  if (!datagen::readMedianFolder(argv[1], characters, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  // Each type's templates and the character behind each of its codes.
  datagen::RecogTemplateSet sets[3];
  std::map<std::uint16_t, std::size_t> characterOf[3];
  std::vector<CharacterWritings> writings(characters.size());
  for (int type = 0; type < 3; ++type) {
    sets[type] = datagen::medianTemplates(type, characters);
    std::set<std::uint16_t> codes;
    for (const auto& t : sets[type].templates) codes.insert(t.code);
    for (std::size_t i = 0; i < characters.size(); ++i) {
      std::uint16_t code = datagen::recogCharacterCode(type, characters[i].character);
      if (!codes.count(code)) continue;
      characterOf[type][code] = i;
      writings[i].used = true;
    }
  }
  const datagen::RecogSqrtTable table = datagen::recogSqrtTable();
  bool inkFailed = false;
  runWorkers(characters.size(), [&](std::size_t i) {
    CharacterWritings& w = writings[i];
    if (!w.used) return;
    const auto& all = characters[i].strokes;
    std::vector<datagen::RecogStroke> strokes(all.begin(), all.begin() + std::min(all.size(), kStrokes));
    if (!inkFeatures(datagen::medianInk(strokes, kBox), table, w.drawn)) inkFailed = true;
    w.distorted.resize(static_cast<std::size_t>(samples));
    for (int s = 0; s < samples; ++s) {
      auto seed = static_cast<std::uint32_t>(kLearningSeeds + i * 256 + static_cast<std::size_t>(s));
      if (!inkFeatures(datagen::distortedMedianInk(strokes, kBox, seed, kLearningStrength), table, w.distorted[s]))
        inkFailed = true;
    }
  });
  if (inkFailed) {
    std::fprintf(stderr, "a character's writing has no features\n");
    return 1;
  }
  double written = seconds();
  std::vector<recog::FeatureClass> classes;
  for (const CharacterWritings& w : writings) {
    if (!w.used) continue;
    recog::FeatureClass c;
    c.samples = w.distorted;
    c.samples.push_back(w.drawn);
    classes.push_back(std::move(c));
  }
  recog::RecogMatrix matrix{};
  recog::DiscriminantReport report;
  if (!recog::discriminantMatrix(classes, matrix, &report)) {
    std::fprintf(stderr, "too few characters to learn a projection\n");
    return 1;
  }
  classes.clear();
  std::printf("%zu characters written %d times in %.1f s; projection learnt in %.1f s: %.2f units per deviation (bytes allow %.2f), "
              "spread %.1f to %.1f deviations, %ld values clipped\n",
              writings.size(), samples, written, seconds() - written, report.scale, report.byteScale, report.firstRatio,
              report.lastRatio, report.clipped);
  runWorkers(writings.size(), [&](std::size_t i) {
    CharacterWritings& w = writings[i];
    if (!w.used) return;
    w.members.push_back(projected(matrix, w.drawn));
    if (members > 1) {
      std::vector<std::array<int, datagen::kRecogDimensions>> vs;
      for (const auto& f : w.distorted) vs.push_back(datagen::recogProject(matrix, f));
      for (const RecogVector& c : centresOf(vs, members - 1)) w.members.push_back(c);
    }
    w.distorted.clear();
    w.distorted.shrink_to_fit();
  });

  // The three dictionaries, side by side.
  std::string reports[3];
  bool ok[3] = {false, false, false};
  auto writeType = [&](int type) {
    const datagen::RecogTemplateSet& set = sets[type];
    std::set<std::uint16_t> have;
    for (const auto& t : set.templates) have.insert(t.code);
    datagen::RecogTemplateSet extra;
    if (!readSample(std::string(argv[2]) + "/" + kSampleFiles[type], have, extra)) return;
    // Every code's drawing first, so that the drawings shape the clusters.
    std::vector<RecogVector> vs;
    std::vector<std::uint16_t> codes;
    for (std::size_t pass = 0; pass < static_cast<std::size_t>(members); ++pass) {
      for (const auto& t : set.templates) {
        const CharacterWritings& w = writings[characterOf[type].at(t.code)];
        if (pass >= w.members.size()) continue;
        vs.push_back(w.members[pass]);
        codes.push_back(t.code);
      }
      if (pass > 0) continue;
      for (const auto& t : extra.templates) {
        RecogFeatureVector f;
        if (!recog::templateFeatures(t, extra.boxWidth, extra.boxHeight, table, f)) {
          reports[type] = "type " + std::to_string(type) + ": a sample template has no features";
          return;
        }
        vs.push_back(projected(matrix, f));
        codes.push_back(t.code);
      }
    }
    datagen::RecogDictionaryImage image;
    image.sqrtTable = table;
    image.matrix = matrix;
    int k = std::clamp((static_cast<int>(vs.size()) + 29) / 30, 1, 255);
    image.clusters = datagen::clusterRecogVectors(vs, codes, k);
    image.sizePairs = extra.sizePairs;
    image.companions = extra.companions;
    image.substitutions = extra.substitutions;
    std::string path = std::string(argv[3]) + "/" + recog::dictionaryFileName(type);
    std::string file = datagen::writeRecogDictionary(image, type);
    if (!tools::writeFile(path, file)) {
      reports[type] = path + ": cannot write";
      return;
    }
    char line[240];
    std::snprintf(line, sizeof line,
                  "%s: %zu characters (%zu from the medians), %zu members, %zu clusters, %zu bytes, %.1f s",
                  recog::dictionaryFileName(type), set.templates.size() + extra.templates.size(),
                  set.templates.size(), vs.size(), image.clusters.size(), file.size(), seconds());
    reports[type] = line;
    ok[type] = true;
  };
  std::vector<std::thread> workers;
  for (int type = 0; type < 3; ++type) workers.emplace_back(writeType, type);
  for (std::thread& t : workers) t.join();
  for (int type = 0; type < 3; ++type) {
    if (!reports[type].empty()) std::fprintf(ok[type] ? stdout : stderr, "%s\n", reports[type].c_str());
    if (!ok[type]) return 1;
  }
  return 0;
}
