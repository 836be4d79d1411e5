// Paths the translator application sets at start-up for the Japanese-to-Chinese engine.
#pragma once
#include <string>

namespace jc {

// UTF-16 device paths ending in a separator.
extern std::u16string programFolder;
extern std::u16string japaneseSystemDictionaryFolder;
// "MORPH.TMP" and "CHNGEN.TMP".
extern std::u16string morphFileName;
extern std::u16string chngenFileName;

// The application's message box with the exclamation icon.
void showMessage(const std::u16string& text);

}  // namespace jc
