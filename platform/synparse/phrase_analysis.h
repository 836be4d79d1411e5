// Sentences, phrases and their dependencies over the morphemes of MORPH.TMP.
#pragma once
#include <string>
#include <vector>

#include "platform/synparse/morph_reader.h"
#include "platform/synparse/word_lists.h"

namespace synparse {

struct Phrase {
  int first, last;  // morpheme indices, inclusive
  int head;         // the phrase it depends on; -1 for the sentence's root
  std::string tags;
  // '1' causative, '2' passive, '3' causative passive, '4' passive of an intransitive verb; 0 none
  char voiceClass;
};

struct Sentence {
  int first, last;  // morpheme indices, inclusive
  std::vector<Phrase> phrases;
};

// Nodes a sentence may use in the reader's record: its morphemes, its phrases and one group per
// phrase that the reader may form, below the record's 300 nodes.
inline constexpr int kSentenceNodeLimit = 290;

// A に phrase of a time, a count or a clause's circumstances (五時に, 三回に, 来た際に): an adverbial,
// never the partner of a verb's frame.
bool isCircumstanceNi(const std::vector<Morpheme>& m, const Phrase& p, const WordLists& lists);
// Cuts after each full stop, exclamation or question mark outside brackets; a run of such marks
// and the closing brackets after it stay with the sentence.
// A rest without a full stop is a sentence too.
std::vector<Sentence> cutSentences(const std::vector<Morpheme>& m);
// A content word starts a phrase; function words and symbols join it; a prefix or an opening
// bracket stays with the word after it, noun runs and a サ変 verb after its noun stay together.
void cutPhrases(const std::vector<Morpheme>& m, Sentence& s);
// Cuts a sentence whose morphemes and phrases (twice, for the groups) pass the node limit into
// parts at phrase boundaries.
std::vector<Sentence> splitAtNodeLimit(const Sentence& s);
// Attaches every phrase to a later one, right to left, along the chain of heads of the phrase
// after it (so no two dependencies cross); the last phrase is the root. A topic and a
// conjunction seek the last predicate, case phrases, clauses and bare nouns the first one, an
// adnominal phrase the first noun, a noun with と before a noun the next phrase. Writes the tags,
// the usage code last, and the voice class.
void attachPhrases(const std::vector<Morpheme>& m, Sentence& s, const WordLists& lists);

}  // namespace synparse
