// cjtranslate [data folder]: starts the Chinese-to-Japanese engine on a data folder of the device
// (SUITE_DEVICE_ROOT) and translates each UTF-8 line of standard input to a line of standard output.
// Without a folder, the first storage card holding the translator's data folder is used.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "engine/common/code_convert.h"
#include "engine/common/dbcs_text.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/cj_engine.h"
#include "engine/cj/transfer/sentence_driver.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/console/console_driver.h"

namespace {

const console::Driver kDriver{"cjtranslate", "\\Talvenro\\Chinese\\LindqvarDic\\CJSYSTEMDIC\\",
                              "from Chinese to Japanese", ""};

// The characters of a line that have no Chinese code: the converter would hand them over as '?'.
std::u16string unconvertible(const cj::ConversionTables& tables, const std::u16string& line) {
  std::u16string bad;
  for (char16_t c : line) {
    if (c == u'?') continue;
    std::string gb;
    cj::unicodeToGb(tables, gb, std::u16string_view(&c, 1));
    if (gb == "?") bad.push_back(c);
  }
  return bad;
}

// True when the text holds a hanzi (engine codes from 0x874A on).
bool hasHanzi(const std::string& engine) {
  for (std::size_t i = 0; i + 1 < engine.size(); ++i) {
    const unsigned lead = static_cast<unsigned char>(engine[i]);
    if (!dbcs::isLeadByte(lead)) continue;
    if ((lead << 8 | static_cast<unsigned char>(engine[i + 1])) >= 0x874A) return true;
    ++i;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  if (const int exitCode = console::dataFolderFromArguments(kDriver, argc, argv, folder); exitCode >= 0) return exitCode;
  const std::unique_ptr<cj::CjEngine> engine = cj::openCjEngine(plat::utf8ToWide(folder));
  const int status = engine->engineStatus;
  if (status != 0) {
    std::fprintf(stderr, "%s\n", plat::wideToUtf8(u"システム初期化エラー（ コード = " + plat::utf8ToWide(std::to_string(status)) + u" ）").c_str());
    return 1;
  }
  const cj::ConversionTables& tables = engine->tables;
  std::string line;
  for (int number = 1; std::getline(std::cin, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::u16string japanese;
    const std::u16string wide = plat::utf8ToWide(line);
    const std::u16string bad = unconvertible(tables, wide);
    if (!bad.empty()) {
      std::fprintf(stderr, "cjtranslate: line %d not translated: %s has no Chinese code\n", number,
                   plat::wideToUtf8(bad).c_str());
    } else if (!line.empty()) {
      std::string text = cj::engineCodeOf(*engine, wide);
      const int result = cj::translateChineseText(*engine, text, japanese);
      if (result != 0) std::fprintf(stderr, "%s (%d)\n", plat::wideToUtf8(u"翻訳に失敗しました").c_str(), result);
      // A sentence the engine cannot analyse comes back character by character.
      std::string fallback;
      cj::convertSentenceFallback(text, fallback);
      if (result == 0 && hasHanzi(text) && japanese == plat::multiByteToWide(932, fallback)) {
        std::fprintf(stderr, "cjtranslate: line %d not translated: too many short words to analyse\n", number);
      }
    }
    std::cout << plat::wideToUtf8(japanese) << '\n' << std::flush;
  }
  cj::closeCjEngine(*engine);
  return 0;
}
