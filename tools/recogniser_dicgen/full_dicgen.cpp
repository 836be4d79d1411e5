// Writes the three full recogniser dictionaries from a folder of stroke-median records; the sample
// templates add what the records lack (kana, letters) with their pairs and companions. Each character
// of the records is stored as drawn and RENDERINGS - 1 times more from distorted writings of it (1 by default):
//   recogniser_fulldic MEDIAN-FOLDER SAMPLE-FOLDER OUTPUT-FOLDER [RENDERINGS]
#include "input/recogniser/recog_dictionary.h"
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/recog_medians.h"
#include "tools/recogniser_dicgen/template_features.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <thread>

namespace {

const char* kSampleFiles[] = {"chujian.txt", "chufan.txt", "churi.txt"};

// Seeds of the stored distortions, apart from the small ones benchmarks write with.
constexpr std::uint32_t kRenderingSeeds = 0x40000000u;
// The stored distortions are a third of a careless hand's: stronger ones crowd out the drawings.
constexpr double kRenderingStrength = 0.3;

// Further members of each template: distorted writings of its strokes in the template box.
void addRenderings(datagen::RecogTemplateSet& set, int renderings) {
  std::size_t drawn = set.templates.size();
  for (std::size_t t = 0; t < drawn; ++t) {
    for (int r = 1; r < renderings; ++r) {
      datagen::RecogTemplate variant;
      variant.code = set.templates[t].code;
      auto seed = static_cast<std::uint32_t>(kRenderingSeeds + t * 64 + static_cast<std::size_t>(r));
      variant.strokes = datagen::distortedMedianInk(set.templates[t].strokes, set.boxWidth, seed, kRenderingStrength);
      set.templates.push_back(std::move(variant));
    }
  }
}

// The sample's templates of codes the medians lack, moved into the medians' box.
bool addSample(const std::string& path, datagen::RecogTemplateSet& set) {
  std::string text, error;
  datagen::RecogTemplateSet sample;
  if (!tools::readFile(path, text) || !datagen::parseRecogTemplates(text, sample, &error)) {
    std::fprintf(stderr, "%s: cannot read %s\n", path.c_str(), error.c_str());
    return false;
  }
  std::set<std::uint16_t> have;
  for (const auto& t : set.templates) have.insert(t.code);
  for (auto t : sample.templates) {
    if (have.count(t.code)) continue;
    for (auto& stroke : t.strokes) {
      for (auto& p : stroke) {
        p.x = p.x * set.boxWidth / sample.boxWidth;
        p.y = p.y * set.boxHeight / sample.boxHeight;
      }
    }
    set.templates.push_back(std::move(t));
  }
  set.sizePairs = sample.sizePairs;
  set.companions = sample.companions;
  set.substitutions = sample.substitutions;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "MEDIAN-FOLDER SAMPLE-FOLDER OUTPUT-FOLDER [RENDERINGS]";
  if (!tools::argumentsFit(argc, argv, 3, 4, usage)) return tools::kUsageExit;
  int renderings = argc > 4 ? std::atoi(argv[4]) : 1;
  if (renderings < 1 || renderings > 64) {
    tools::printUsage(argv, usage);
    return tools::kUsageExit;
  }
  auto start = std::chrono::steady_clock::now();
  std::vector<datagen::MedianCharacter> characters;
  std::string error;
  if (!datagen::readMedianFolder(argv[1], characters, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  // The three dictionaries are written side by side.
  std::string reports[3];
  bool ok[3] = {false, false, false};
  auto writeType = [&](int type) {
    datagen::RecogTemplateSet set = datagen::medianTemplates(type, characters);
    std::size_t fromMedians = set.templates.size();
    addRenderings(set, renderings);
    std::size_t members = set.templates.size();
    std::string why;
    if (!addSample(std::string(argv[2]) + "/" + kSampleFiles[type], set)) return;
    datagen::RecogDictionaryImage image;
    if (!datagen::buildRecogDictionary(set, recog::templateFeatures, image, &why)) {
      reports[type] = "type " + std::to_string(type) + ": " + why;
      return;
    }
    std::string path = std::string(argv[3]) + "/" + recog::dictionaryFileName(type);
    std::string file = datagen::writeRecogDictionary(image, type);
    if (!tools::writeFile(path, file)) {
      reports[type] = path + ": cannot write";
      return;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    char line[240];
    std::snprintf(line, sizeof line,
                  "%s: %zu characters (%zu from the medians), %zu members, %zu clusters, %zu bytes, %.1f s",
                  recog::dictionaryFileName(type), set.templates.size() - (members - fromMedians), fromMedians,
                  set.templates.size(), image.clusters.size(), file.size(), seconds);
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
