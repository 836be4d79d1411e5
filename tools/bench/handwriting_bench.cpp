// handwriting_bench: accuracy and speed of the recogniser on ink made from the stroke medians.
//   handwriting_bench MEDIAN-FOLDER DICTIONARY-FOLDER [TYPE [SAMPLES [mild|strong]]]
// Each character of the type's dictionary is written SAMPLES times (jittered, in an 80-pixel box)
// and once as drawn; top-1 and top-10 accuracy and milliseconds per character (wall clock and CPU) are reported.
// Mild jitter (the default) scales, moves and shakes the writing a little; strong jitter also
// stretches, turns and shears it and scales each stroke.
#include "input/recogniser/recogniser_api.h"
#include "platform/core/device.h"
#include "tools/common/tool_arguments.h"
#include "tools/datagen/recog_medians.h"

#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

namespace {

constexpr int kBox = 80;

std::uint16_t toBcd(std::uint16_t code) {
  auto b = [](unsigned v) { return (v / 10) << 4 | (v % 10); };
  return static_cast<std::uint16_t>(b(code >> 8) << 8 | b(code & 0xFF));
}

// CPU time of this thread: unlike the wall clock, not stretched by other work on a busy machine.
double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Tally {
  long written = 0, top1 = 0, top10 = 0;
  double seconds = 0, cpuSeconds = 0;
  void print(const char* what) const {
    std::printf("%-10s %6ld characters  top-1 %5.1f %%  top-10 %5.1f %%  %.3f ms/character (%.3f ms CPU)\n", what,
                written, 100.0 * top1 / std::max(1L, written), 100.0 * top10 / std::max(1L, written),
                1000.0 * seconds / std::max(1L, written), 1000.0 * cpuSeconds / std::max(1L, written));
  }
};

void recognise(const std::vector<datagen::RecogStroke>& strokes, std::uint16_t expected, Tally& tally) {
  recog::StrokeInput in{};
  std::vector<std::uint16_t> x, y;
  int n = 0;
  for (const auto& s : strokes) {
    if (n == recog::kMaxInputStrokes) break;
    in.pointCounts[n++] = static_cast<std::uint16_t>(s.size());
    for (const auto& p : s) {
      x.push_back(static_cast<std::uint16_t>(p.x));
      y.push_back(static_cast<std::uint16_t>(p.y));
    }
  }
  in.strokeCount = static_cast<std::uint8_t>(n);
  in.boxWidth = kBox;
  in.boxHeight = kBox - 1;
  in.classMask = 127;
  recog::RecogResult r{};
  auto start = std::chrono::steady_clock::now();
  double cpuStart = threadCpuSeconds();
  int rc = Mel_Recog(&in, x.data(), y.data(), &r);
  tally.cpuSeconds += threadCpuSeconds() - cpuStart;
  tally.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ++tally.written;
  if (rc != 0) return;
  for (int i = 0; i < r.count; ++i) {
    if (r.candidates[i].code != expected) continue;
    if (i == 0) ++tally.top1;
    ++tally.top10;
    break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* kUsage = "MEDIAN-FOLDER DICTIONARY-FOLDER [TYPE [SAMPLES [mild|strong]]]";
  if (!tools::argumentsFit(argc, argv, 2, 5, kUsage)) return tools::kUsageExit;
  int type = argc > 3 ? std::atoi(argv[3]) : 0;
  int samples = argc > 4 ? std::atoi(argv[4]) : 1;
  std::string mode = argc > 5 ? argv[5] : "mild";
  if (mode != "mild" && mode != "strong") {
    tools::printUsage(argv, kUsage);
    return tools::kUsageExit;
  }
  bool strong = mode == "strong";
  std::vector<datagen::MedianCharacter> characters;
  std::string error;
  if (!datagen::readMedianFolder(argv[1], characters, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  ::setenv(plat::kDeviceRootEnv, argv[2], 1);
  if (int rc = Mel_Init(type); rc != 0) {
    std::fprintf(stderr, "Mel_Init(%d) failed with %d\n", type, rc);
    return 1;
  }
  datagen::RecogTemplateSet set = datagen::medianTemplates(type, characters);
  std::vector<datagen::RecogStroke> strokesOf;
  Tally drawn, jittered;
  std::uint32_t seed = 1;
  std::set<std::uint16_t> inDictionary;
  for (const auto& t : set.templates) inDictionary.insert(t.code);
  for (const auto& ch : characters) {
    std::uint16_t code = datagen::recogCharacterCode(type, ch.character);
    if (!inDictionary.count(code)) continue;
    std::uint16_t expected = type == 0 ? toBcd(code) : code;
    recognise(datagen::medianInk(ch.strokes, kBox), expected, drawn);
    for (int s = 0; s < samples; ++s, ++seed) {
      recognise(strong ? datagen::distortedMedianInk(ch.strokes, kBox, seed) : datagen::medianInk(ch.strokes, kBox, seed),
                expected, jittered);
    }
  }
  Mel_Close();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("Recogniser type %d, %zu templates\n", type, set.templates.size());
  drawn.print("as drawn");
  jittered.print(strong ? "strong" : "jittered");
  std::printf("peak memory %.1f MB\n", usage.ru_maxrss / 1024.0);
  return 0;
}
