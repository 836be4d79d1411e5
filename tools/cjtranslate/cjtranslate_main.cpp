// cjtranslate [data folder]: starts the Chinese-to-Japanese engine on a data folder of the device
// (SUITE_DEVICE_ROOT) and translates each UTF-8 line of standard input to a line of standard output.
// Without a folder, the first storage card holding the translator's data folder is used.
// --traditional reads every line as traditional Chinese; without it a line is read so when it holds
// characters GB2312 lacks that the conversion to simplified characters gives.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "apps/common/resource_tables.h"
#include "engine/common/code_convert.h"
#include "engine/common/dbcs_text.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/cj_engine.h"
#include "engine/cj/transfer/sentence_driver.h"
#include "engine/cj/transfer/status_text.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/console/console_driver.h"
#include "tools/console/console_lines.h"

namespace {

const console::Driver kDriver{
    "cjtranslate", "\\Talvenro\\Chinese\\LindqvarDic\\CJSYSTEMDIC\\", "from Chinese to Japanese",
    "With --traditional every line is converted from traditional to simplified characters first; without it "
    "a line is converted when it holds traditional characters GB2312 lacks. "
    "A character without a Chinese code, or a symbol the engine cannot write back as itself, is carried "
    "through unchanged and named on standard error."};

// True when c has a GB2312 code; '?' itself has one.
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

// True when a character of the text lacks a GB2312 code that its simplified form has.
bool holdsTraditionalOutsideGb(const apptext::VariantTables& variants, const dbcs::ConversionTables& tables,
                               std::u16string_view text) {
  for (char16_t c : text) {
    if (dbcs::gbHolds(tables, c)) continue;
    std::u16string simplified(1, c);
    apptext::toSimplified(variants, simplified);
    if (simplified[0] != c && dbcs::gbHolds(tables, simplified[0])) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);  // std::cin in blocks; the line loop flushes std::cout
  // --traditional may stand anywhere; the rest are the driver's arguments.
  bool traditional = false;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && std::strcmp(argv[i], "--traditional") == 0) {
      traditional = true;
    } else {
      args.push_back(argv[i]);
    }
  }
  std::string folder;
  if (const int exitCode = console::dataFolderFromArguments(kDriver, static_cast<int>(args.size()), args.data(), folder);
      exitCode >= 0)
    return exitCode;
  apptext::VariantTables variants;
  if (!apptext::loadTranslatorVariantTables(variants)) {
    std::fprintf(stderr, "cjtranslate: the traditional-to-simplified tables are missing from the program\n");
    return console::kExitCannotStart;
  }
  const std::unique_ptr<cj::CjEngine> engine = cj::openCjEngine(plat::utf8ToWide(folder));
  const int status = engine->engineStatus;
  if (status != 0) {
    std::fprintf(stderr, "%s\n", plat::wideToUtf8(u"システム初期化エラー（ コード = " + plat::utf8ToWide(std::to_string(status)) + u" ）").c_str());
    std::fprintf(stderr, "cjtranslate: the engine did not start: %s (%d)\n", cj::statusText(status), status);
    if (!engine->dataFileProblem.empty()) std::fprintf(stderr, "cjtranslate: %s\n", engine->dataFileProblem.c_str());
    if (!engine->wordTableProblem.empty()) std::fprintf(stderr, "cjtranslate: %s\n", engine->wordTableProblem.c_str());
    return console::kExitCannotStart;
  }
  for (const std::string& note : engine->wordTableNotes) std::fprintf(stderr, "cjtranslate: %s\n", note.c_str());
  console::LineLoop loop(kDriver);
  console::InputLine input;
  while (loop.next(input)) {
    if (traditional) {
      apptext::toSimplified(variants, input.text);
    } else if (holdsTraditionalOutsideGb(variants, engine->tables, input.text)) {
      apptext::toSimplified(variants, input.text);
      loop.note("read as traditional Chinese and converted to simplified characters");
    }
    std::u16string japanese, carried;
    bool fallbackOnly = true, anyHanzi = false, refused = false;
    const int failure = dbcs::translateAround(
        input.text, [&](char16_t c) { return cj::engineHoldsChineseChar(engine->tables, c); },
        [&](std::u16string_view run, std::u16string& part) {
          std::string text = cj::engineCodeOf(*engine, run);
          const int fallbacks = engine->fallbackSentences;
          const int result = cj::translateChineseText(*engine, text, part);
          carried += engine->unwrittenHanzi;
          engine->unwrittenHanzi.clear();
          refused = refused || part == cj::kCodeErrorNotice;
          if (hasHanzi(text)) {
            anyHanzi = true;
            if (engine->fallbackSentences == fallbacks) fallbackOnly = false;
          }
          return result;
        },
        japanese, carried, true);
    // Named apart: characters without a Chinese code, and those the Japanese output cannot write.
    std::u16string noCode, noJapanese;
    for (std::size_t i = 0; i < carried.size(); ++i) {
      const bool pair = carried[i] >= 0xD800 && carried[i] <= 0xDBFF && i + 1 < carried.size();
      (!pair && dbcs::gbHolds(engine->tables, carried[i]) ? noJapanese : noCode) += carried.substr(i, pair ? 2 : 1);
      if (pair) ++i;
    }
    if (!noCode.empty()) loop.note(plat::wideToUtf8(noCode) + " has no Chinese code and is carried through unchanged");
    if (!noJapanese.empty())
      loop.note(plat::wideToUtf8(noJapanese) + " cannot be written in Japanese and is carried through unchanged");
    if (failure != 0) {
      std::fprintf(stderr, "%s\n", plat::wideToUtf8(u"翻訳に失敗しました").c_str());
      loop.failed(std::string(cj::statusText(failure)) + " (status " + std::to_string(failure) + ")");
    } else if (refused) {
      loop.failed("the engine refuses text with so many code faults (replacement marks)");
    } else if (anyHanzi && fallbackOnly) {
      // Every sentence was too fragmented to analyse: the characters came back one by one.
      loop.failed("too many short words to analyse");
    } else if (console::hasText(input.text) && !console::hasText(japanese)) {
      loop.failed("it gives no translation");
    }
    std::cout << plat::wideToUtf8(japanese) << '\n';
  }
  cj::closeCjEngine(*engine);
  return loop.exitCode();
}
