// What the post-parse (the driver, postParse, is in engine/cj/stages) keeps of the sentence header,
// and its keys.
#pragma once
#include "engine/cj/analysis/sentence.h"
#include "engine/common/word_table.h"

namespace cj {

// Key of the four closing words and the word K whose text a closing word makes empty.
inline constinit ListedKey kPostParseClosingWords{"postParse.closingWords"};
inline constinit ListedKey kPostParseWordK{"postParse.wordK"};

// Copies the header into the summary block (every word but the unused one).
void saveSummary(CjSentence& s);
// Copies the summary back into the header; the node count stays.
void restoreSummary(CjSentence& s);
// Ends the top-level chain with a "P" node (kind '?', spanMark '*') unless it already ends in one.
// Returns the node appended, 0 when none.
int appendEndMark(CjSentence& s);
bool isDelimitedPhrase(const CjSentence& s, int i);
bool isDelimiter(const CjSentence& s, int i);

}  // namespace cj
