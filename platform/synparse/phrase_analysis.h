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
  char voiceClass;  // '1' causative, '2' passive, '4' passive of an intransitive verb; 0 none
};

struct Sentence {
  int first, last;  // morpheme indices, inclusive
  std::vector<Phrase> phrases;
};

// Cuts at each full stop (which ends its sentence); a rest without one is a sentence too.
std::vector<Sentence> cutSentences(const std::vector<Morpheme>& m);
// A content word starts a phrase; function words and symbols join it; a prefix or an opening
// bracket stays with the word after it, noun runs and a サ変 verb after its noun stay together.
void cutPhrases(const std::vector<Morpheme>& m, Sentence& s);
// Attaches every phrase to a later one, right to left, along the chain of heads of the phrase
// after it (so no two dependencies cross); the last phrase is the root. Writes the tags.
void attachPhrases(const std::vector<Morpheme>& m, Sentence& s, const WordLists& lists);

}  // namespace synparse
