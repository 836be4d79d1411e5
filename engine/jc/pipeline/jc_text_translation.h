// The sentences of one parse text translated, and their Chinese written to CHNGEN.TMP as one line.
#pragma once
#include <string_view>

namespace jc {

enum JcTextStatus {
  kJcTextOk = 1,
  kJcTextMorphOpenError = -1,   // MORPH.TMP cannot be opened
  kJcTextChngenOpenError = -3,  // CHNGEN.TMP cannot be opened
  kJcTextNoMemory = -4,         // the record or a step's memory could not be allocated
};

// Reads the parse text sentence by sentence (the morphemes from MORPH.TMP), runs the pipeline on
// each and writes the outputs of sentence firstSentence (1-based; 0 for all) on, without
// separators, then one LF. Every sentence of the text is translated.
int translateJapaneseText(int firstSentence, std::u16string_view morphPath, const char* parseBuffer,
                          std::u16string_view chngenPath);

}  // namespace jc
