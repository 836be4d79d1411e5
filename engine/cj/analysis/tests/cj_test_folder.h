// A temporary device with a Chinese-to-Japanese data folder, for the start-up tests.
#pragma once
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/tests/cj_test_engine.h"
#include "engine/common/word_table.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/cj_scramble.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/word_table_writer.h"

#include <string>

namespace cjtest {

// Synthetic words for every key this program registered.
inline std::string syntheticWords() {
  return datagen::wordTableText(datagen::syntheticWordTable(datagen::wordKeyShapes(cj::registeredWordKeys())));
}

// Points the engine at a data folder on the device's card.
inline std::string useFolder(const datagen::TempDevice& device, const std::string& sub = "") {
  std::string folder = sub.empty() ? datagen::cjDataFolder(device.card()) : device.card() + "\\" + sub + "\\";
  cjtest::engine().dataFolderPath = plat::utf8ToWide(folder);
  return folder;
}

}  // namespace cjtest
