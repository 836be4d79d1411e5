// jctranslate [data folder]: starts the Japanese-to-Chinese engine on a data folder of the device
// (SUITE_DEVICE_ROOT) and translates each UTF-8 line of standard input to a line of standard
// output. Without a folder, the first storage card holding the translator's data folder is used.
// The parser library Synparse is in the program's own folder, the temporary files in a folder of
// the process's own; message boxes go to standard error. A piece of a line that cannot be
// translated stays Japanese in the output and is named on standard error.
// With SUITE_JC_RETIRED naming a file, every word a rule retires is written to it, a line each:
// the input line's number, the rule's function, the word's surface, base form and conjugation type.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "engine/common/code_convert.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/core/jc_predicates_search.h"
#include "engine/jc/pipeline/jc_engine.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/notify.h"
#include "tools/console/console_driver.h"
#include "tools/console/console_lines.h"

namespace {

std::FILE* retiredFile = nullptr;
int lineNumber = 0;

std::string fromSjis(std::string_view text) { return plat::wideToUtf8(plat::multiByteToWide(932, text)); }

void writeRetired(const jc::JcSentence* s, int i, const std::source_location& where) {
  const jc::JcNode& n = s->nodes[i];
  std::fprintf(retiredFile, "%d\t%s\t%s\t%s\t%s\n", lineNumber, where.function_name(), fromSjis(n.surface.view()).c_str(),
               fromSjis(n.baseForm.view()).c_str(), std::string(n.conjType.view()).c_str());
}

const console::Driver kDriver{"jctranslate", "\\Talvenro\\Chinese\\LindqvarDic\\JCSYSTEMDIC\\",
                              "from Japanese to Chinese", "Synparse is loaded from the program's folder."};

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);  // std::cin in blocks; the line loop flushes std::cout
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
    return console::kExitCannotStart;
  }
  int status = 0;
  jc::JcLineReport report;
  if (const char* path = std::getenv("SUITE_JC_RETIRED"); path && *path) {
    retiredFile = std::fopen(path, "w");
    if (retiredFile) jc::setRetireWatch(writeRetired);
  }

  console::LineLoop loop(kDriver);
  console::InputLine input;
  while (status == 0 && loop.next(input)) {
    ++lineNumber;
    std::u16string chinese, carried;
    std::vector<std::string> kept;
    const int result = dbcs::translateAround(
        input.text, [](char16_t c) { return jc::engineHoldsJapaneseChar(c); },
        [&](std::u16string_view run, std::u16string& part) {
          const int r = jc::translateJcLine(engine, plat::wideToMultiByte(932, run), part, &report);
          kept.insert(kept.end(), report.untranslated.begin(), report.untranslated.end());
          return r == jc::kJcLineIncomplete ? 0 : r;
        },
        chinese, carried, false, [](char16_t c) { return jc::kanjiLacksChineseCode(c); });
    // A line translated again reports its pieces again.
    for (std::size_t i = 0; i < kept.size(); ++i)
      kept.erase(std::remove(kept.begin() + static_cast<std::ptrdiff_t>(i) + 1, kept.end(), kept[i]), kept.end());
    // Named apart: characters Shift-JIS lacks, and kanji without a Chinese code.
    std::u16string noCode, noChinese;
    for (std::size_t i = 0; i < carried.size(); ++i) {
      const bool pair = carried[i] >= 0xD800 && carried[i] <= 0xDBFF && i + 1 < carried.size();
      const std::u16string_view c = std::u16string_view(carried).substr(i, pair ? 2 : 1);
      (!pair && plat::wideToMultiByte(932, c) != "?" ? noChinese : noCode) += c;
      if (pair) ++i;
    }
    if (!noCode.empty()) loop.note(plat::wideToUtf8(noCode) + " has no Japanese or Chinese code and is carried through unchanged");
    if (!noChinese.empty()) loop.note(plat::wideToUtf8(noChinese) + " has no Chinese code and is carried through unchanged");
    for (const std::string& piece : kept)
      loop.failed(plat::wideToUtf8(plat::multiByteToWide(932, piece)) + " could not be translated and stands as it is");
    if (result != 0) {
      loop.failed("the engine could not translate it (status " + std::to_string(result) + ")");
    } else if (kept.empty() && console::hasText(input.text) && !console::hasText(chinese)) {
      loop.failed("it gives no translation");
    }
    std::cout << plat::wideToUtf8(chinese) << '\n';
  }
  jc::closeJcEngine(engine);
  if (retiredFile) std::fclose(retiredFile);
  return status != 0 ? status : loop.exitCode();
}
