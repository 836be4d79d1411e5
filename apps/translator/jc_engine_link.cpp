#include "apps/translator/jc_engine_link.h"

#include <new>

#include "engine/jc/core/jp_input_prep.h"

namespace orvale {
namespace {

int gLive = 0;
bool gFailNext = false;

}  // namespace

jc::JpAnalyzer* newJpAnalyzer() {
  if (gFailNext) {
    gFailNext = false;
    return nullptr;
  }
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

int liveJpAnalyzers() { return gLive; }
void failNextJpAnalyzerAllocation() { gFailNext = true; }

}  // namespace orvale
