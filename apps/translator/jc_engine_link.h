// What the translator calls of the Japanese-to-Chinese engine: the analyser's life at start-up,
// on a direction switch and at exit, and the line driver that the Translate command calls.
#pragma once
#include <string>
#include <string_view>

#include "engine/jc/analyser/jp_analyzer.h"

namespace orvale {

class CTranslatorApp;

// One Shift-JIS line translated into Chinese (simplified) in result: 0 on success, -1 on failure,
// 1 when a piece of the line could not be translated (its Japanese stands in the result). The
// renderings of the rules are those start-up read from the card's Japanese data folder.
int translateJapaneseLine(CTranslatorApp& app, const std::string& line, std::u16string& result);

// A new analyser (constructed, not initialised) in the application's engine, replacing the one it
// held; false when memory runs out.
bool newJpAnalyzer(CTranslatorApp& app);
// The JP2CW_TBL table of the analyser, loaded again.
void reloadJp2CwTable(jc::JpAnalyzer* analyser);

// Fail point of the allocation of an analyser.
inline constexpr std::string_view kJpAnalyzerFailPoint = "translator.jpAnalyzer";

}  // namespace orvale
