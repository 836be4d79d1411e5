// Fixed expressions: bracketed and quoted stretches, discontinuous word frames, the repeated-word
// frame and the sentence-final word pair, each wrapped into one phrase node.
#pragma once
#include <string_view>

#include "engine/cj/analysis/sentence.h"

namespace cj {

// The whole pass: split words, the bracket table, the frames, the final pair, the word tables.
void applyFixedExpressions(CjSentence& s);

// One delimiter pattern over the top-level chain. Modes with an effect: 'V' (the closer becomes an
// adverbial verb phrase), 'T' (the first closer loses its last n characters), 'X' (an opening
// word cut in two after its first n characters is joined), 'Y' (the same for a closing word).
void wrapDelimitedSpans(CjSentence& s, std::string_view openWord, std::string_view closeWord, std::string_view label,
                        char mode, int n);
// The same search, the span built by 'N' (plain), 'L' (empty word in front), 'R' (empty word at the
// back) or 'B' (both); any other letter builds nothing.
void wrapDelimitedSpansWithBuilder(CjSentence& s, std::string_view openWord, std::string_view closeWord,
                                   std::string_view label, char builder);
// The first delimiter table (brackets, quotes, the first word pairs); the second and third tables.
void wrapBracketsAndQuotes(CjSentence& s);
void wrapListedWordPairs(CjSentence& s);

// Moves the last nBytes of the node's text into a new word node after it and reads both words
// again from the dictionary; nothing when the text is not longer than nBytes or no slot is left.
void splitWordTail(CjSentence& s, int node, int nBytes);

void applyFrameRule1(CjSentence& s);
void applyFrameRule2(CjSentence& s);
void applyFrameRule3(CjSentence& s);
void applyFrameRule4(CjSentence& s);
void applyFrameRule5(CjSentence& s);
void wrapRepeatedWordFrame(CjSentence& s);
void rewriteFinalWordPair(CjSentence& s);
void splitListedWords(CjSentence& s);

// Links the adverbial words between opener and verb to the verb and wraps them with it in a "VP";
// 0 when exactly one node lies between, the verb when no word was linked.
int buildAdverbialVerbPhrase(CjSentence& s, int opener, int verb);

// Takes the node out of its chain; its slot and text stay.
void unlinkNode(CjSentence& s, int node);

// Bar list of the logic words that buildAdverbialVerbPhrase links as "LOG" (also read by the role
// assignment).
const std::string& logicWordList();

}  // namespace cj
