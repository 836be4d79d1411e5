// Grows a speech source with the words of a Chinese-English dictionary in CC-CEDICT's line format
// ("trad simp [pin1 yin1] /sense/"): every word of 2 to 4 GB2312 hanzi whose reading differs from
// its characters' default readings becomes a word of the segmenter and a polyphone word for each
// character read otherwise (a reading the character lacks is added to its polyphone). Erhua "r5"
// is read er5. Words the source already lists keep their lines; words whose lowercase entries
// disagree on the reading, and proper names, are left out. The most frequent words come first
// until the tables' formats are full.
#pragma once
#include <string_view>

#include "tools/datagen/speech_tables_writer.h"

namespace datagen {

struct SpeechGrowth {
  int words = 0;            // words added
  int polyWords = 0;        // polyphone words added
  int newPolyphones = 0;    // characters that became polyphones
  int addedReadings = 0;    // readings added to characters
  int ambiguous = 0;        // words left out: their entries disagree
  int full = 0;             // words left out: a table was full
};

// `frequencies`: a word list of "word count [tag]" lines (the most frequent first in the result);
// may be empty.
SpeechGrowth growSpeechSource(SpeechSource& src, std::string_view cedict, std::string_view frequencies);

}  // namespace datagen
