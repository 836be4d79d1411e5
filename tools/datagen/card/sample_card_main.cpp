// Builds the sample storage card:
//   datagen_card SAMPLE-FOLDER CARD-FOLDER
//   datagen_card --schema      (lists the registered listed-word and rendering keys)
// CARD-FOLDER is a host folder directly under the device root ("device/Storage Card"); the
// programs' registry keys are created in that device too.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/core/device.h"
#include "tools/datagen/card/card_inputs.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--schema") {
    datagen::SampleCardInputs inputs = datagen::engineCardInputs();
    for (const auto& s : inputs.cjWordKeys) std::printf("cj\t%s\t%d\t%d\t%d\n", s.key.c_str(), s.count, s.minChars, s.maxChars);
    for (const auto& s : inputs.jcRenderingKeys) std::printf("jc\t%s\t%d\t%d\t%d\n", s.key.c_str(), s.count, s.minChars, s.maxChars);
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SAMPLE-FOLDER CARD-FOLDER\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path card = fs::absolute(argv[2], ec).lexically_normal();
  if (card.filename().empty()) card = card.parent_path();
  fs::create_directories(card, ec);
  if (!fs::is_directory(card)) {
    std::fprintf(stderr, "%s: not a folder\n", argv[2]);
    return 1;
  }
  // The card's parent is the device root; the marker makes the folder a storage card.
  ::setenv(plat::kDeviceRootEnv, card.parent_path().c_str(), 1);
  std::ofstream(card / plat::kStorageCardMarker, std::ios::app);

  datagen::SampleCardInputs inputs = datagen::engineCardInputs();
  std::vector<std::string> notes;
  std::string error;
  std::string cardPath(1, '\\');
  cardPath += card.filename().string();
  bool ok = datagen::writeSampleCard(argv[1], cardPath, inputs, &notes, &error);
  for (const std::string& n : notes) std::fprintf(stderr, "note: %s\n", n.c_str());
  if (!ok) {
    std::fprintf(stderr, "sample card: %s\n", error.c_str());
    return 1;
  }
  if (!datagen::writeProgramRegistry()) {
    std::fprintf(stderr, "sample card: cannot write the registry\n");
    return 1;
  }
  std::printf("Sample card written to %s\n", card.c_str());
  return 0;
}
