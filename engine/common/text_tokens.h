// Runs of text that are not words: numbers with their separators and units, dates, times, phone
// numbers, percentages, URLs, mail addresses, Latin words, and characters the engine cannot hold.
// Both directions find them before analysis, hand the engine one stand-in word for each, and put
// each run back whole, byte for byte, where its stand-in comes out.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dbcs {

struct TextRun {
  std::size_t at = 0;      // offset in the text (UTF-16 units)
  std::size_t length = 0;  // length in UTF-16 units
  bool carried = false;    // holds a character the engine cannot hold
};

// The runs of a line that are not words, in order and apart. holds() tells whether the engine can
// hold a character; one it cannot is a run of its own (joined with a run right beside it). With
// numeralsRead, a run of bare digits (3本, 2026年) is left to the engine's numeral rules.
std::vector<TextRun> findTextRuns(std::u16string_view text, const std::function<bool(char16_t)>& holds,
                                  bool numeralsRead = false);

// The stand-in word the engine reads for the k-th run of a line (k below kMaxStandIns).
inline constexpr std::size_t kMaxStandIns = 26 * 26;
std::u16string standInWord(std::size_t k);

// Translates a line with each run of findTextRuns() replaced by its stand-in: the runs come back
// whole at the places their stand-ins take in the translation, and characters holds() refuses are
// added to carried. When the translation loses a stand-in or writes one twice, the line is
// translated around its runs instead (each piece between two runs on its own, the runs between
// them), so that no run is lost. writesAsMark, when given, tells the characters the engine holds but
// writes as the replacement mark 〓 where no word renders them: a mark they leave in the translation
// is put back as the character and the character added to carried (when several such characters
// could have left it, the line is translated again with them carried as runs). The first non-zero
// result of translate, or 0; translate may be called again for the same text.
int translateAround(std::u16string_view text, const std::function<bool(char16_t)>& holds,
                    const std::function<int(std::u16string_view, std::u16string&)>& translate,
                    std::u16string& out, std::u16string& carried, bool numeralsRead = false,
                    const std::function<bool(char16_t)>& writesAsMark = {});

}  // namespace dbcs
