// Morphological analysis of one prepared Shift-JIS sentence: the word lattice over dictionary
// words, inflections, compounds, numerals, brackets and unknown words, its costs, and the
// cheapest path written as MORPH.TMP lines.
#pragma once
#include <cstdio>
#include <string_view>

#include "engine/jc/analyser/jp_analyzer.h"

namespace jc {

enum JpCharClass {
  kCharEnd,
  kCharBlank,
  kCharSingleByte,
  kCharFullStop,
  kCharLongMark,
  kCharSymbol,
  kCharDigit,
  kCharLatin,
  kCharHiragana,
  kCharKatakana,
  kCharOtherNonKanji,
  kCharKanji,
};

// Analyses the sentence in a->input. Nonzero on success; 0 for an empty sentence, after a
// dictionary error (its message shown) or when memory ran out (the message shown).
int analyzeSentence(JpAnalyzer* a);
// Writes the cheapest path as morpheme lines; 1 when a path was written, 0 when none reaches the
// sentence start (nothing written). The caller writes the closing "E" line.
int writeMorphemes(JpAnalyzer* a, std::FILE* file);

JpCharClass charClass(std::string_view text, int position);
bool isBracketOrBlank(const LatticeNode& node);

}  // namespace jc
