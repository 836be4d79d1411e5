// Japanese to Chinese by the characters, from the Japanese side: a Japanese word of the IPA
// dictionary whose kanji, in their simplified forms, spell a Chinese word of the list takes it,
// whatever class the list gives the Chinese word (直接, 有毒, 高速, 同席); the line's class is the
// Japanese word's.
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/full_card_sources.h"

namespace datagen {

// The keys of a jc/lexicon.txt that stand as words (nouns, na-adjectives, adverbs, set phrases):
// every key but the stems of verbs and inflecting adjectives.
std::set<std::string> lexiconWordKeys(std::string_view lexicon);

// jc/lexicon.txt lines for the words `lexicon` lacks:
// - a サ変 noun of two or more kanji that stands only as a verb stem (準備 of 準備する) gets its
//   noun line, with the verb's Chinese word;
// - a common word of two or more kanji of the IPA dictionary (a noun, na-adjective or adverb, no
//   name) whose spelling one of the `cap` most frequent list words of a tag of `tags` (or a word of
//   distinction, place, numeral or pronoun: b, f, m, r) gives (by japaneseSpellings; the most
//   frequent word first; words of one character and names of people none; a false friend only
//   the spelling its correction names: 发现, 発見する) gets that word. The line takes the Japanese class that the Chinese tag's category names (a サ変 noun
//   of a Chinese verb is a verb with する too, intransitive for a tag with t[0]), else the Japanese
//   word's own: a サ変 noun, a na-adjective, a time noun, a noun, an adverb, in that order.
// `added` counts the words given.
std::string sameCharactersJcLines(std::string_view lexicon, const std::vector<ChineseListWord>& list,
                                  const std::map<std::string, FullTag>& tags,
                                  const std::map<std::string, std::string>& falseFriends,
                                  const JapaneseIndex& japanese, const std::map<char16_t, char16_t>& forms,
                                  const TraditionalForms& traditional, const std::map<char16_t, char16_t>& twins,
                                  int cap, int& added);

}  // namespace datagen
