// MORPH.TMP: the morpheme lines of one analysed line and the closing "E" line.
#pragma once
#include <string_view>

#include "engine/jc/analyser/jp_analyzer.h"

namespace jc {

enum MorphFileStatus { kMorphFileOk = 0, kMorphFileOpenError = -1, kMorphFileWriteError = -2 };

// Analyses the sentence in a->input and writes MORPH.TMP at path (mode "wt"): the cheapest path's
// lines when the analysis succeeds, then "E". Nothing but "E" when the analysis fails.
int writeMorphFile(JpAnalyzer* a, std::u16string_view path);

}  // namespace jc
