// The reader of the parser's text: one sentence of the parse buffer, with the MORPH.TMP lines it
// points to, becomes a filled sentence record; then modifiers, と-coordinations and time nouns are
// grouped with their heads (jc_phrase_grouping.h).
//
// Parse text, one line per item:
//   "#..."                       the sentence id (its first 18 bytes are kept)
//   "* <n><t> <tags>"            a phrase: head phrase n (0-based), head type t ('D', 'A' or '-')
//   "! <offset>"                 a morpheme: byte offset of its first MORPH.TMP line
//   "/<n> <c> [R$template$fields]"   phrase n's class c, head rendering R and Chinese template
//   "E"                          the end of the sentence
#pragma once
#include <cstdio>

#include "engine/jc/core/jc_phrase_grouping.h"
#include "engine/jc/core/jc_sentence.h"

namespace jc {

inline constexpr int kParseLineSize = 500;

// The read position in a parse text; its owner keeps it from one sentence to the next.
// parseStart sets the text (NUL-terminated) and its start.
struct ParseCursor {
  const char* text = nullptr;
  long position = 0;
};
void parseStart(ParseCursor& cursor, const char* text);
bool parseAtEnd(const ParseCursor& cursor);
long parseTell(const ParseCursor& cursor);
void parseSeek(ParseCursor& cursor, long position);
// Copies up to and including a LF, or size-1 bytes; NUL-terminates. Null at the end of the text.
char* parseGetLine(ParseCursor& cursor, char* buffer, int size);

enum ParseReadStatus { kParseReadOk = 0, kParseReadAtEnd = 1, kParseReadMalformed = -2, kParseReadNoMemory = -4 };

// Reads the next sentence at the cursor into an initialised record. On -2 or -4 the record keeps
// what was read and the read position stands after the sentence's "E" line.
int readParsedSentence(JcSentence* record, std::FILE* morphFile, ParseCursor& cursor);

}  // namespace jc
