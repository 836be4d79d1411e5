// jctranslate [data folder]: starts the Japanese-to-Chinese engine on a data folder of the device
// (SUITE_DEVICE_ROOT) and translates each UTF-8 line of standard input to a line of standard
// output. Without a folder, the first storage card holding the translator's data folder is used.
// The parser library Synparse and the temporary files are in the program's own folder; message
// boxes go to standard error.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "engine/common/code_convert.h"
#include "engine/jc/core/jc_app_state.h"
#include "engine/jc/core/jp_analyzer.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/jc/pipeline/jc_line_translation.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/notify.h"
#include "tools/console/console_driver.h"
#include "tools/console/console_lines.h"

namespace {

const console::Driver kDriver{"jctranslate", "\\Talvenro\\Chinese\\LindqvarDic\\JCSYSTEMDIC\\",
                              "from Japanese to Chinese", "Synparse is loaded from the program's folder."};

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

  // The application's state, as the translator sets it at start-up.
  jc::programFolder = plat::utf8ToWide(plat::programFolder() + "/");
  jc::morphFileName = u"MORPH.TMP";
  jc::chngenFileName = u"CHNGEN.TMP";
  jc::japaneseSystemDictionaryFolder = plat::utf8ToWide(folder);

  std::string why;
  if (jc::loadRenderingTable(folder, &why) != jc::kRenderingTableLoaded) {
    std::fprintf(stderr, "jctranslate: %s\n", why.c_str());
    return 1;
  }
  jc::SynparseLibrary parser;
  if (!jc::bindSynparse(parser)) {
    jc::showMessage(
        u"メモリ不足のため、DLLがロードできませんでした。\nソフトリセットや、ほかのプログラムを終了するなどして"
        u"使用可能メモリ量を確保してから起動しなおしてください。");
    return 1;
  }
  if (parser.initJpnParse(jc::japaneseSystemDictionaryFolder.c_str()) != 0) {
    std::fprintf(stderr, "jctranslate: the parser did not start\n");
    jc::unbindSynparse(parser);
    return 1;
  }
  std::unique_ptr<jc::JpAnalyzer> analyzer(new jc::JpAnalyzer());
  jc::constructJpAnalyzer(analyzer.get());
  int status = 0;
  if (jc::initJpAnalyzer(analyzer.get()) == 0) {
    std::fprintf(stderr, "jctranslate: the Japanese analyser did not start\n");
    status = 1;
  }
  const cj::ConversionTables tables = cj::loadConversionTables();
  std::unique_ptr<char[]> parseBuffer(new char[synparse::kParseBufferSize]());
  const jc::JcApplication app{analyzer.get(), parseBuffer.get(), parser.jpnParse, &tables};

  console::LineLoop loop(kDriver);
  console::InputLine input;
  while (status == 0 && loop.next(input)) {
    std::u16string chinese, carried;
    const int result = console::translateAround(
        input.text, [](char16_t c) { return c == u'?' || plat::wideToMultiByte(932, std::u16string_view(&c, 1)) != "?"; },
        [&](std::u16string_view run, std::u16string& part) {
          return jc::translateJapaneseLine(app, plat::wideToMultiByte(932, run), part);
        },
        chinese, carried);
    if (!carried.empty()) loop.note(plat::wideToUtf8(carried) + " has no Japanese code and is carried through unchanged");
    if (result != 0) loop.failed("the engine could not translate it (status " + std::to_string(result) + ")");
    std::cout << plat::wideToUtf8(chinese) << '\n' << std::flush;
  }
  jc::freeJpAnalyzer(analyzer.get());
  parser.terminateJpnParse();
  jc::unbindSynparse(parser);
  return status != 0 ? status : loop.exitCode();
}
