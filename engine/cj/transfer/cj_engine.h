// The Chinese-to-Japanese engine as a program holds it: opened once on a data folder, restarted
// when its files go stale, and fed UTF-16 lines.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "engine/cj/analysis/engine_data.h"

namespace cj {

// Makes an engine on a data folder (ending in a backslash) and starts it. The engine comes back
// in every case: its engineStatus is 0 when it is ready, else the code of the failing file or stage.
std::unique_ptr<CjEngine> openCjEngine(std::u16string_view dataFolder);
// Closes the engine's files and starts it again on its folder; the new status.
int restartCjEngine(CjEngine& engine);

// The engine code of UTF-16 text: GB2312 through the engine's tables, then engine code. A
// character GB2312 lacks that the engine reads as another (〇 as 零) is read so.
std::string engineCodeOf(const CjEngine& engine, std::u16string_view text);
// Whether a character reaches the Japanese output as itself or a close counterpart: a hanzi or
// ASCII with a GB2312 code, a symbol whose engine code writes it back (· as ・, — as ―, ‖ as ∥),
// or a character read as another. Callers carry any other character through and name it.
bool engineHoldsChineseChar(const dbcs::ConversionTables& tables, char16_t c);
// Translates one UTF-16 line (converted to the engine code) into output. 0 on success, else the
// code of the sentence that failed.
int translateChineseLine(CjEngine& engine, std::u16string_view line, std::u16string& output);

}  // namespace cj
