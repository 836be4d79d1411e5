// The viewer's dictionaries from readable UTF-8 text.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/viewer_dictionary_writer.h"

namespace datagen {

// Chinese text in the engine code, as the engine writes it (toned pinyin vowels as single
// bytes), ASCII as it is; '?' for what has no code.
std::string toEngineCode(std::u16string_view text);

// One record a line: "key|key...<TAB>body". In the body "{X}" writes the control pair 0x0E X,
// "\n" a CR LF and "\\" a backslash. Japanese text is written in Shift-JIS and Chinese text in the
// engine code: a body starts in the language of its direction's headwords (Japanese for
// direction 0), {C} and {E} switch to Chinese, {J} and {B} to Japanese. Keys are in the
// headwords' language; Japanese keys are stored as a search makes them (kana and full-width
// letters in their single-byte forms, letters in capitals, no spaces). Blank lines and lines starting with '#' are skipped.
bool parseViewerSource(int direction, std::string_view text, std::vector<ViewerRecord>& out, std::string& error);

// Example sentences, one pair a line: "Japanese<TAB>Chinese" in UTF-8, as examples.dat's lines
// (Shift-JIS, engine code). Blank lines and lines starting with '#' are skipped.
bool parseViewerExamples(std::string_view text, std::vector<std::pair<std::string, std::string>>& out,
                         std::string& error);

}  // namespace datagen
