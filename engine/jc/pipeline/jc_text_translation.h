// The sentences of one parse text translated, and their Chinese written to CHNGEN.TMP as one line.
#pragma once
#include <cstdio>
#include <string_view>

#include "engine/jc/core/jc_parse_reader.h"

namespace jc {

enum JcTextStatus {
  kJcTextOk = 1,
  kJcTextMorphOpenError = -1,   // MORPH.TMP cannot be opened
  kJcTextChngenOpenError = -3,  // CHNGEN.TMP cannot be opened
  kJcTextNoMemory = -4,         // the record or a step's memory could not be allocated
};

// Reads the parse text at the cursor sentence by sentence (the morphemes from morph), runs the
// pipeline on each and writes the outputs of sentence firstSentence (1-based; 0 for all) on to
// chngen, without separators and without the closing LF. Every sentence of the text is translated.
// filled (when given) counts the sentences whose Chinese filled the record's output field or
// that had more dependents of one node than its index list holds.
int translateParsedSentences(int firstSentence, std::FILE* morph, const char* parseBuffer, ParseCursor& cursor,
                             std::FILE* chngen, int* filled = nullptr);

// The same over the two files by path, then one LF.
int translateJapaneseText(int firstSentence, std::u16string_view morphPath, const char* parseBuffer,
                          std::u16string_view chngenPath, ParseCursor& cursor);

}  // namespace jc
