#include "engine/cj/transfer/cj_engine.h"

#include "engine/cj/transfer/sentence_driver.h"
#include "engine/common/code_convert.h"

namespace cj {

std::unique_ptr<CjEngine> openCjEngine(std::u16string_view dataFolder) {
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
  std::string code;
  unicodeToGb(engine.tables, code, text);
  gbToInternal(engine.tables, code);
  return code;
}

int translateChineseLine(CjEngine& engine, std::u16string_view line, std::u16string& output) {
  std::string text = engineCodeOf(engine, line);
  return translateChineseText(engine, text, output);
}

}  // namespace cj
