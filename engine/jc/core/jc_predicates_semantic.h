// Predicate library, part four: question words, semantic-code tests and the causative test.
// Semantic codes are 4- or 5-digit codes separated by '/' ("11610/12000"). A code list begins
// with a value when its first characters are that value, and contains it when the value occurs
// anywhere in it. Conventions as in jc_predicates_search.h.
#pragma once
#include <string_view>

#include "engine/jc/core/jc_sentence.h"

namespace jc {

// The question words, a bar list of whole surfaces.
extern const std::string_view kQuestionWords;

int isQuestionWord(const JcSentence* s, int i);
// i down to 1 / i up to lastNode: the first question word; 0 when none.
int findQuestionWordBackward(const JcSentence* s, int i);
int findQuestionWordForward(const JcSentence* s, int i);
// Some word below i (node 0 included) is a question word.
int hasQuestionWordBefore(const JcSentence* s, int i);
// The surface begins with 何, 数 or 幾, or its second character is 数.
int isQuantityQuestion(const JcSentence* s, int i);

// Semantic tests, 1..lastNode.
int isPersonOrOrganisation(const JcSentence* s, int i);
// On the head morpheme of i; a word without codes counts as a person.
int hasPersonSemantics(const JcSentence* s, int i);
int isNonTemporalNoun(const JcSentence* s, int i);
int isTimeNoun(const JcSentence* s, int i);
int isTimePointNoun(const JcSentence* s, int i);
int isPlaceOrTimeWord(const JcSentence* s, int i);
int isPlaceNoun(const JcSentence* s, int i);
int hasSemantic1174Group(const JcSentence* s, int i);
int hasSemantic1465Group(const JcSentence* s, int i);
int hasSemantic12Group(const JcSentence* s, int i);

// From the last word of i back over its previous siblings to せる / させる: 1 when the word
// before it is a verb irrealis or of a サ変 / ザ変 type.
int findCausative(const JcSentence* s, int i);

}  // namespace jc
