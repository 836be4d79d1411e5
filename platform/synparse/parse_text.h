// The dependency-annotated parse text of one MORPH.TMP, sentence by sentence:
//   "# S-ID:<n>"                    the sentence
//   "* <head><type> <tags>"          a phrase: the head phrase (0-based; "-1-" for the root) and
//                                   type 'D', then its tags, the usage tag last
//   "! <offset>"                    a morpheme: the byte offset of its first MORPH.TMP line
//   "/<phrase> <class>"             the voice class of a causative or passive phrase
//   "E"                             the end of the sentence
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/synparse/morph_reader.h"
#include "platform/synparse/word_lists.h"

namespace synparse {

// The text of every sentence, in order.
std::vector<std::string> parseSentences(const std::vector<Morpheme>& morphemes, const WordLists& lists);

// Writes whole sentences while they fit in size bytes with the closing NUL; returns how many were
// written, or -1 when not even the first fits (the buffer then holds an empty text).
int fillParseBuffer(const std::vector<std::string>& sentences, char* buffer, std::size_t size);

// The library's state behind its three entry points.
int initParser(const char16_t* dictionaryPath);
int parseMorphFile(const char16_t* morphPath, char* buffer);
void terminateParser();

}  // namespace synparse
