#include "engine/cj/transfer/cj_engine.h"

#include "engine/cj/transfer/sentence_driver.h"
#include "engine/common/code_convert.h"
#include "platform/core/process.h"

#include <utility>

namespace cj {
namespace {

// Characters GB2312 lacks that the engine reads as another character: 〇 as 零.
constexpr std::pair<char16_t, char16_t> kReadAs[] = {{u'\u3007', u'\u96F6'}};
// Symbols whose engine code writes a close counterpart in Japanese: · ・, — ―, ‖ ∥.
constexpr std::pair<char16_t, char16_t> kCloseCounterparts[] = {
    {u'\u00B7', u'\u30FB'}, {u'\u2014', u'\u2015'}, {u'\u2016', u'\u2225'}};

char16_t readAs(char16_t c) {
  for (const auto& [from, to] : kReadAs)
    if (from == c) return to;
  return 0;
}

}  // namespace

bool engineHoldsChineseChar(const dbcs::ConversionTables& tables, char16_t c) {
  if (readAs(c)) return true;
  if (!gbHolds(tables, c)) return false;
  const char16_t shown = japaneseOfGbSymbol(tables, c);
  if (shown == 0 || shown == c) return true;
  for (const auto& [symbol, counterpart] : kCloseCounterparts)
    if (symbol == c) return shown == counterpart;
  return false;
}

std::unique_ptr<CjEngine> openCjEngine(std::u16string_view dataFolder) {
  // Each sentence builds and frees records of some hundred kilobytes: the freed memory is kept.
  plat::keepFreedMemory();
  auto engine = std::make_unique<CjEngine>();
  engine->dataFolderPath = dataFolder;
  engine->tables = loadConversionTables();
  initCjEngine(*engine);
  return engine;
}

int restartCjEngine(CjEngine& engine) {
  closeCjEngine(engine);
  return initCjEngine(engine);
}

std::string engineCodeOf(const CjEngine& engine, std::u16string_view text) {
  std::u16string read(text);
  for (char16_t& c : read)
    if (const char16_t r = readAs(c)) c = r;
  std::string code;
  unicodeToGb(engine.tables, code, read);
  gbToInternal(engine.tables, code);
  return code;
}

int translateChineseLine(CjEngine& engine, std::u16string_view line, std::u16string& output) {
  std::string text = engineCodeOf(engine, line);
  return translateChineseText(engine, text, output);
}

}  // namespace cj
