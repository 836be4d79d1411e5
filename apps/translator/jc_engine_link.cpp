#include "apps/translator/jc_engine_link.h"

#include <new>

#include "apps/translator/translator_app.h"
#include "engine/jc/core/jp_input_prep.h"
#include "engine/jc/core/rendering_table.h"
#include "engine/jc/pipeline/jc_line_translation.h"
#include "platform/core/codepage.h"
#include "platform/core/fail_point.h"

namespace orvale {
namespace {

int gLive = 0;
std::function<int(const std::string&, std::u16string&)> gStandIn;

}  // namespace

jc::JpAnalyzer* newJpAnalyzer() {
  if (plat::failPointHit(kJpAnalyzerFailPoint)) return nullptr;
  auto* a = new (std::nothrow) jc::JpAnalyzer;
  if (!a) return nullptr;
  jc::constructJpAnalyzer(a);
  ++gLive;
  return a;
}

void deleteJpAnalyzer(jc::JpAnalyzer* analyser) {
  if (!analyser) return;
  jc::freeJpAnalyzer(analyser);
  delete analyser;
  --gLive;
}

void reloadJp2CwTable(jc::JpAnalyzer* analyser) {
  if (analyser) jc::loadJp2CwTable(&analyser->jp2cw);
}

int translateJapaneseLine(CTranslatorApp& app, const std::string& line, std::u16string& result) {
  result.clear();
  if (gStandIn) return gStandIn(line, result);
  // The renderings of the rules come from the card's Japanese data folder, read once.
  static std::u16string loadedFrom;
  if (loadedFrom != app.japaneseSystemFolder) {
    if (jc::loadRenderingTable(plat::wideToUtf8(app.japaneseSystemFolder)) != jc::kRenderingTableLoaded) return -1;
    loadedFrom = app.japaneseSystemFolder;
  }
  const jc::JcApplication engine{app.analyser, app.parseBuffer.get(), app.JpnParse, &app.gbTables};
  if (!engine.analyzer || !engine.parseBuffer || !engine.jpnParse) return -1;
  return jc::translateJapaneseLine(engine, line, result);
}

void setJapaneseLineStandIn(std::function<int(const std::string&, std::u16string&)> standIn) { gStandIn = std::move(standIn); }

int liveJpAnalyzers() { return gLive; }

}  // namespace orvale
