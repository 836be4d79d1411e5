// jctranslate [data folder]: starts the Japanese-to-Chinese engine on a data folder of the device
// (SUITE_DEVICE_ROOT) and translates each UTF-8 line of standard input to a line of standard
// output. Without a folder, the first storage card holding the translator's data folder is used.
// The parser library Synparse is in the program's own folder, the temporary files in a folder of
// the process's own; message boxes go to standard error. A piece of a line that cannot be
// translated stays Japanese in the output and is named on standard error.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "engine/jc/pipeline/jc_engine.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/notify.h"
#include "tools/console/console_driver.h"

namespace {

const console::Driver kDriver{"jctranslate", "\\Talvenro\\Chinese\\LindqvarDic\\JCSYSTEMDIC\\",
                              "from Japanese to Chinese", "Synparse is loaded from the program's folder."};

// The characters of a line that Shift-JIS lacks.
std::u16string unconvertible(const std::u16string& line) {
  std::u16string bad;
  for (char16_t c : line) {
    if (c != u'?' && plat::wideToMultiByte(932, std::u16string_view(&c, 1)) == "?") bad.push_back(c);
  }
  return bad;
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  if (const int exitCode = console::dataFolderFromArguments(kDriver, argc, argv, folder); exitCode >= 0) return exitCode;
  plat::NotifyHook hook;
  hook.messageBox = [](const std::u16string& text, const std::u16string&, unsigned) {
    std::fprintf(stderr, "%s\n", plat::wideToUtf8(text).c_str());
    return static_cast<int>(plat::kIdOk);
  };
  hook.beep = [](unsigned) {};
  plat::setNotifyHook(hook);

  jc::JcEngine engine;
  std::string why;
  const jc::JcEngineStatus opened = jc::openJcEngine(engine, plat::utf8ToWide(folder), &why);
  if (opened != jc::kJcEngineReady) {
    if (opened != jc::kJcEngineNoParser) std::fprintf(stderr, "jctranslate: %s\n", why.c_str());
    jc::closeJcEngine(engine);
    return 1;
  }
  int status = 0;
  jc::JcLineReport report;

  std::string line;
  for (int number = 1; status == 0 && std::getline(std::cin, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::u16string chinese;
    const std::u16string wide = plat::utf8ToWide(line);
    const std::u16string bad = unconvertible(wide);
    if (!bad.empty()) {
      std::fprintf(stderr, "jctranslate: line %d not translated: %s has no Japanese code\n", number,
                   plat::wideToUtf8(bad).c_str());
    } else if (!line.empty()) {
      const int result = jc::translateJcLine(engine, plat::wideToMultiByte(932, wide), chinese, &report);
      if (result == jc::kJcLineIncomplete) {
        for (const std::string& piece : report.untranslated)
          std::fprintf(stderr, "jctranslate: line %d: kept untranslated: %s\n", number,
                       plat::wideToUtf8(plat::multiByteToWide(932, piece)).c_str());
      } else if (result != 0) {
        std::fprintf(stderr, "jctranslate: line %d not translated (%d)\n", number, result);
      }
    }
    std::cout << plat::wideToUtf8(chinese) << '\n' << std::flush;
  }
  jc::closeJcEngine(engine);
  return status;
}
