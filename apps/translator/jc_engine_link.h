// What the translator calls of the Japanese-to-Chinese engine: the analyser's life at start-up,
// on a direction switch and at exit, and the line driver that the Translate command calls.
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "engine/jc/core/jp_analyzer.h"

namespace orvale {

class CTranslatorApp;

// One Shift-JIS line translated into Chinese (simplified) in result: 0 on success, -1 on failure.
// The renderings of the rules are read from the card's Japanese data folder at the first line;
// a test may put a stand-in driver in the engine's place.
int translateJapaneseLine(CTranslatorApp& app, const std::string& line, std::u16string& result);
// Test hook: a stand-in for the line driver (empty: none).
void setJapaneseLineStandIn(std::function<int(const std::string&, std::u16string&)> standIn);

// A freshly allocated and constructed analyser; null when memory runs out.
jc::JpAnalyzer* newJpAnalyzer();
// Frees the analyser's tables and dictionary and deletes it (null is ignored).
void deleteJpAnalyzer(jc::JpAnalyzer* analyser);
// The JP2CW_TBL table of the analyser, loaded again.
void reloadJp2CwTable(jc::JpAnalyzer* analyser);

// Analysers allocated and not yet deleted.
int liveJpAnalyzers();
// Fail point of the allocation of an analyser.
inline constexpr std::string_view kJpAnalyzerFailPoint = "translator.jpAnalyzer";

}  // namespace orvale
