// cjtranslate [data folder]: starts the Chinese-to-Japanese engine on a data folder of the device
// (SUITE_DEVICE_ROOT) and translates each UTF-8 line of standard input to a line of standard output.
// Without a folder, the first storage card holding the translator's data folder is used.
#include <cstdio>
#include <iostream>
#include <string>

#include "engine/cj/analysis/code_convert.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/sentence_driver.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"

namespace {

const char kDataFolder[] = "\\Talvenro\\Chinese\\LindqvarDic\\CJSYSTEMDIC\\";

std::string findDataFolder() {
  for (const std::string& card : plat::storageCards()) {
    std::string folder = card + kDataFolder;
    if (plat::pathExists(folder)) return folder;
  }
  return "";
}

// UTF-8 text in the engine code, as the translator hands it over.
std::string engineText(const cj::ConversionTables& tables, const std::string& utf8) {
  std::string gb;
  cj::unicodeToGb(tables, gb, plat::utf8ToWide(utf8));
  cj::gbToInternal(tables, gb);
  return gb;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : findDataFolder();
  if (folder.empty()) {
    std::fprintf(stderr, "cjtranslate: no data folder (set %s or give the folder)\n", plat::kDeviceRootEnv);
    return 2;
  }
  if (folder.back() != '\\') folder += '\\';
  cj::dataFolderPath = plat::utf8ToWide(folder);
  const int status = cj::initCjEngine();
  if (status != 0) {
    std::fprintf(stderr, "%s\n", plat::wideToUtf8(u"システム初期化エラー（ コード = " + plat::utf8ToWide(std::to_string(status)) + u" ）").c_str());
    cj::closeCjEngine();
    return 1;
  }
  const cj::ConversionTables tables = cj::loadConversionTables();
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::u16string japanese;
    if (!line.empty()) {
      std::string text = engineText(tables, line);
      const int result = cj::translateChineseText(text, japanese);
      if (result != 0) std::fprintf(stderr, "%s (%d)\n", plat::wideToUtf8(u"翻訳に失敗しました").c_str(), result);
    }
    std::cout << plat::wideToUtf8(japanese) << '\n' << std::flush;
  }
  cj::closeCjEngine();
  return 0;
}
