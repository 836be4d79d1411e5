#include "apps/translator/jc_engine_link.h"

#include "apps/translator/translator_app.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/pipeline/jc_engine.h"
#include "platform/core/fail_point.h"

namespace orvale {

bool newJpAnalyzer(CTranslatorApp& app) {
  jc::releaseJcAnalyzer(app.jcEngine);
  if (plat::failPointHit(kJpAnalyzerFailPoint)) return false;
  return jc::createJcAnalyzer(app.jcEngine);
}

void reloadJp2CwTable(jc::JpAnalyzer* analyser) {
  if (analyser) jc::loadJp2CwTable(&analyser->jp2cw);
}

int translateJapaneseLine(CTranslatorApp& app, const std::string& line, std::u16string& result) {
  result.clear();
  // The renderings of the rules were read at start; this keeps them in use.
  app.jcEngine.dataFolder = app.japaneseSystemFolder;
  if (jc::loadJcRenderings(app.jcEngine) != jc::kJcEngineReady) return -1;
  return jc::translateJcLine(app.jcEngine, line, result);
}

}  // namespace orvale
