// A repeatable measure of the full card's translations: frequent words drawn at random (seeded)
// each way, with the card's translation, the check of the pair through English and a grade given by
// hand (kept in a file and reused while the pair stays the same).
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/full_card_pivot.h"
#include "tools/datagen/full_card_sources.h"

namespace datagen {

// How a pair's English senses meet: the first senses agree (the first gloss of each lies in the
// other's first sense), some senses share a gloss, none does, or a word has no entry.
enum class SenseCheck { kAgree, kMeet, kApart, kUnknown };
const char* senseCheckName(SenseCheck check);
SenseCheck checkSenses(const std::vector<const EdictEntry*>& japanese, const std::vector<const CedictEntry*>& chinese);

// `n` distinct indexes below `population`, drawn with the Mersenne twister of `seed`, in draw order.
std::vector<std::size_t> drawSeeded(std::size_t population, std::size_t n, unsigned seed);

struct MeasuredWord {
  std::string word;
  std::string translation;  // empty: the card has none
  SenseCheck check = SenseCheck::kUnknown;
  std::string grade;        // "right", "rough", "wrong"; "none" without a translation; "?" not graded yet
};

// Chinese to Japanese: of the `frequent` most frequent list words with a tag of the card's classes,
// `n` drawn; each with the Japanese word of the first rendering of its cj/words.txt line.
std::vector<MeasuredWord> measureChinese(std::string_view words, const std::vector<ChineseListWord>& list,
                                         const std::map<std::string, FullTag>& tags,
                                         const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                         int frequent, int n, unsigned seed);
// Japanese to Chinese: of the `frequent` EDICT words marked common with the lowest IPA costs (nouns,
// verbs, adjectives, adverbs, expressions), `n` drawn; each with the Chinese of the first jc/lexicon.txt
// line of its key, or of its stem in its conjugation type.
std::vector<MeasuredWord> measureJapanese(std::string_view lexicon, const JapaneseIndex& japanese,
                                          const std::map<std::string, FullConjugation>& conjugations,
                                          const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                          int frequent, int n, unsigned seed);

// Grades: lines "word<TAB>translation<TAB>check<TAB>grade"; a word takes the grade given to the same
// pair, "none" without a translation, else "?".
void applyGrades(std::string_view graded, std::vector<MeasuredWord>& words);
std::string gradeLines(const std::vector<MeasuredWord>& words);
// "200 drawn: 180 right, 10 rough, 8 wrong, 2 none, 0 not graded; through English 150 agree, 30 meet,
// 15 apart, 5 unknown"
std::string tally(const std::vector<MeasuredWord>& words);

}  // namespace datagen
