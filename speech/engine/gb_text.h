// Text helpers of the front end. Word lists are written in the sources that use them, which are
// compiled with the Chinese code page as execution character set: a literal holds GBK bytes.
#pragma once
#include "speech/engine/text_code.h"

#include <initializer_list>
#include <vector>

namespace speech {

using Text = std::vector<Unit>;

// GBK bytes (ending in a zero byte) as internal units.
Text gb(const char* bytes);

// A set of single characters.
struct CharSet {
  Text units;
  bool has(Unit u) const;
};
CharSet charSet(const char* bytes);

// A list of words.
struct WordList {
  std::vector<Text> words;
  // Index of the first word that stands at `pos`; -1 when none.
  int matchAt(const Unit* text, int length, int pos) const;
  // Index of the first word that ends right before `pos`; -1 when none.
  int endsAt(const Unit* text, int length, int pos) const;
};
WordList wordList(std::initializer_list<const char*> words);
// A list of words of two characters each, given as one literal.
WordList pairList(const char* bytes);

bool matchesAt(const Unit* text, int length, int pos, const Text& word);
bool endsBefore(const Unit* text, int length, int pos, const Text& word);

}  // namespace speech
