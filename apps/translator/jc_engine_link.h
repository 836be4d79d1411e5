// What the translator calls of the Japanese-to-Chinese engine at start-up, on a direction switch
// and at exit. The line driver is reached by the Translate command; until it exists the engine
// is started and released here and nothing translates in that direction.
#pragma once
#include "engine/jc/core/jp_analyzer.h"

namespace orvale {

// A freshly allocated and constructed analyser; null when memory runs out.
jc::JpAnalyzer* newJpAnalyzer();
// Frees the analyser's tables and dictionary and deletes it (null is ignored).
void deleteJpAnalyzer(jc::JpAnalyzer* analyser);
// The JP2CW_TBL table of the analyser, loaded again.
void reloadJp2CwTable(jc::JpAnalyzer* analyser);

// Analysers allocated and not yet deleted.
int liveJpAnalyzers();
// Test hook: the next allocation fails.
void failNextJpAnalyzerAllocation();

}  // namespace orvale
