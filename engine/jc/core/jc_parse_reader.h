// The reader of the parser's text: one sentence of the parse buffer, with the MORPH.TMP lines it
// points to, becomes a filled sentence record; then modifiers, と-coordinations and time nouns are
// grouped with their heads.
//
// Parse text, one line per item:
//   "#..."                       the sentence id (its first 18 bytes are kept)
//   "* <n><t> <tags>"            a phrase: head phrase n (0-based), head type t ('D', 'A' or '-')
//   "! <offset>"                 a morpheme: byte offset of its first MORPH.TMP line
//   "/<n> <c> [R$template$fields]"   phrase n's class c, head rendering R and Chinese template
//   "E"                          the end of the sentence
#pragma once
#include <cstdio>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

inline constexpr int kParseLineSize = 500;

// The one read position in the parse text. parseStart sets the text (NUL-terminated) and its start.
void parseStart(const char* text);
bool parseAtEnd();
long parseTell();
void parseSeek(long position);
// Copies up to and including a LF, or size-1 bytes; NUL-terminates. Null at the end of the text.
char* parseGetLine(char* buffer, int size);

enum ParseReadStatus { kParseReadOk = 0, kParseReadAtEnd = 1, kParseReadMalformed = -2, kParseReadNoMemory = -4 };

// Reads the next sentence into an initialised record. On -2 or -4 the record keeps what was read
// and the read position stands after the sentence's "E" line.
int readParsedSentence(JcSentence* record, std::FILE* morphFile);

// Groups phrases with a following noun they are coordinated with by と ("D21" with "TO5"); start 0
// walks all phrases, start > 0 begins there and, with mode 1, also groups the target nodes.
void reattachToPhrase(JcSentence* record, int start, int mode);

// Groups the sibling run a..b under a new node; its index, or 0.
int builtnewnode(JcSentence* record, int a, int b);
// The same on the target side; the new target index, or 0.
int builtnewnodeCHN(JcSentence* record, int a, int b);

}  // namespace jc
