// Readings of Chinese text for the reading pane: pinyin with tone marks, without tones, with tone
// numbers, or syllable readings from the reading table.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"

namespace cj {

// Reading display modes (the application's pyType setting).
enum ReadingMode : int { kReadingTable = 0, kReadingToneMarks = 1, kReadingNoTones = 2, kReadingToneNumbers = 3 };

// Room of one sentence's annotation (terminator included); a longer one is cut at a character.
inline constexpr std::size_t kSentenceReadingSize = 2048;
// Bytes of a dictionary reading kept.
inline constexpr std::size_t kReadingSize = 49;

// Word-table key of the four words whose reading is fixed.
inline constinit ListedKey kPinyinSpecialWords{"pinyin.specialWords"};

// The readings of every sentence of an engine-code text, concatenated into out (replaced). -1 when
// the text has no Chinese character or a sentence comes out empty (the annotation stops there).
int annotatePinyinText(CjEngine& engine, std::string_view text, std::string& out, int mode);
// One sentence's reading into out (replaced); -1 for an empty sentence or when the work area
// cannot be had, else 0.
int annotatePinyinSentence(CjEngine& engine, std::string_view sentence, std::string& out, int mode);

// One syllable ("Zhong1") formatted in place for the reading mode.
void toToneMarks(std::string& syllable, int mode);
// Appends the table reading of each syllable of reading (separated by ' ' or '/') to out.
std::string& mapReadingSyllables(const CjEngine& engine, std::string_view reading, std::string& out);
// Picks one candidate of a list "text/digit text/digit ..." in place.
void postProcessReading(std::string& list);

// A dictionary reading ("Zhong1Guo2", "Hao3/Hao4") formatted for the reading mode.
std::string formatReading(std::string_view reading, int mode);
// Reads the pinyin entry of a word node at offset: sets CAT "P" or "W" when the word has no
// entry, else stores the reading. 1 when a reading was read.
int readPinyinEntry(std::FILE* dictionary, CjNode& node, int32_t offset, std::string& reading);

}  // namespace cj
