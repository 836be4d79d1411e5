// A repeatable measure of the full card's translations: frequent words drawn at random (seeded)
// each way, with the card's translation, the check of the pair through English and a grade given by
// hand (kept in a file and reused while the pair stays the same).
#pragma once
#include <map>
#include <set>
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
  int rank = 0;             // from 1, in the population's order of frequency
  std::string word;
  std::string translation;  // empty: the card has none
  SenseCheck check = SenseCheck::kUnknown;
  std::string grade;        // "right", "rough", "wrong"; "none" without a translation; "?" not graded yet
};

// Chinese to Japanese: of the `frequent` most frequent list words with a tag of the card's classes,
// past the first `from` (2000 of 10000: ranks 2,001-10,000), `n` drawn; each with the Japanese word of the first rendering of its cj/words.txt line.
std::vector<MeasuredWord> measureChinese(std::string_view words, const std::vector<ChineseListWord>& list,
                                         const std::map<std::string, FullTag>& tags,
                                         const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                         int frequent, int n, unsigned seed, int from = 0);
// Japanese to Chinese: of the `frequent` EDICT words marked common with the lowest IPA costs (nouns,
// verbs, adjectives, adverbs, expressions), past the first `from`, `n` drawn; each with the Chinese of the first jc/lexicon.txt
// line of its key, or of its stem in its conjugation type.
std::vector<MeasuredWord> measureJapanese(std::string_view lexicon, const JapaneseIndex& japanese,
                                          const std::map<std::string, FullConjugation>& conjugations,
                                          const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                          int frequent, int n, unsigned seed, int from = 0);

// The most frequent single characters each way, in order of frequency, at most `n`: Chinese, the
// list's words of one character of the card's classes, with their first Japanese rendering; Japanese,
// the single kanji of the IPA dictionary that stand as common nouns, na-adjectives or adverbs, by
// their lowest cost, with the Chinese of their first lexicon line as a word (a verb stem is none).
std::vector<MeasuredWord> measureChineseSingles(std::string_view words, const std::vector<ChineseListWord>& list,
                                                const std::map<std::string, FullTag>& tags,
                                                const std::vector<EdictEntry>& edict,
                                                const std::vector<CedictEntry>& cedict, int n);
std::vector<MeasuredWord> measureJapaneseSingles(std::string_view lexicon, const JapaneseIndex& japanese,
                                                 const std::vector<EdictEntry>& edict,
                                                 const std::vector<CedictEntry>& cedict, int n);

// Grades: lines "word<TAB>translation<TAB>check<TAB>grade"; a word takes the grade given to the same
// pair, "none" without a translation, else "?".
void applyGrades(std::string_view graded, std::vector<MeasuredWord>& words);
std::string gradeLines(const std::vector<MeasuredWord>& words);
// The draw for a grader who sees nothing else: "rank<TAB>word<TAB>translation" a line, in draw order.
std::string drawLines(const std::vector<MeasuredWord>& words);

// The pairs graded wrong by hand (word, translation): a wrong pair is worse than none, so the card
// leaves them out.
std::set<std::pair<std::string, std::string>> wrongPairs(std::string_view graded);
// The pairs graded right or rough: a pair through English that the rules of vague glosses and
// one-kanji keys would refuse stays.
std::set<std::pair<std::string, std::string>> acceptedPairs(std::string_view graded);
// cj/words.txt without its generated lines whose first rendering is a wrong pair; the hand-made
// lines (above the open list's heading) stay. `dropped` counts the lines left out.
std::string withoutWrongChinesePairs(std::string_view words, const std::set<std::pair<std::string, std::string>>& wrong,
                                     int& dropped);
// jc/lexicon.txt likewise: a generated line whose word (a stem by its dictionary form, by the
// endings of `conjugations`; a verb with する by its noun too) and Chinese are a wrong pair.
std::string withoutWrongJapanesePairs(std::string_view lexicon, const std::set<std::pair<std::string, std::string>>& wrong,
                                      const std::map<std::string, FullConjugation>& conjugations, int& dropped);
// cj/words.txt without the generated lines (below the open list's heading) that write a common
// Chinese word (CC-CEDICT gives it a lower-case reading and no name's) with a Japanese spelling the
// IPA dictionary holds only as a person's or a place's name and EDICT not at all (房子 房子, 镜子 鏡子,
// 水泥 水泥): such a pair meets on the characters of a name only. `dropped` counts the lines.
std::string withoutNameSpellings(std::string_view words, const JapaneseIndex& japanese,
                                 const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                                 int& dropped);
// cj/words.txt without the generated lines that pair a single Chinese character, no name's (CC-CEDICT
// gives it no upper-case reading), with a single kanji that no common EDICT word spells (效 効, 激 激,
// 赛 賽): such a kanji is a piece of words rather than a word; a pair graded right or rough by hand
// (`accepted`) stays.
std::string withoutBoundKanji(std::string_view words, const std::vector<EdictEntry>& edict,
                              const std::vector<CedictEntry>& cedict,
                              const std::set<std::pair<std::string, std::string>>& accepted, int& dropped);
// A line of data/full/false_friends_table.tsv: a word written alike in both languages with another
// sense in one, the side it is written on ("zh" a Chinese word, "ja" a Japanese one), its right pair
// and a note. A Chinese word's pair is a Japanese rendering (the line keeps its kind and code), a
// whole translation "kind,rendering,code", or "-" for none; a Japanese word's a Chinese word or "-".
struct FalseFriendPair {
  std::string word;
  bool japanese = false;
  std::string pair, note;
};
bool parseFalseFriendTable(std::string_view text, std::vector<FalseFriendPair>& out, std::string* error = nullptr);
// cj/words.txt with the Chinese words of the table paired as it says: each generated line of the
// word (below the open list's heading) takes the table's pair, or is left out for "-"; a word with no
// line at all takes one (a rendering alone is a noun).
std::string withFalseFriendTableCj(std::string_view words, const std::vector<FalseFriendPair>& table, int& replaced);
// jc/lexicon.txt likewise: each generated line of a Japanese word of the table (a stem by its
// dictionary form, a verb with する by its noun) takes the table's Chinese word, or is left out.
std::string withFalseFriendTableJc(std::string_view lexicon, const std::vector<FalseFriendPair>& table,
                                   const std::map<std::string, FullConjugation>& conjugations, int& replaced);
// Lines of cj/words.txt for the list words (of the `cap` most frequent) that `words` leaves without a
// line, taken back from the hand-made Japanese lexicon: a noun line (6.x) whose Chinese is the word
// gives a noun of the list its Japanese, and a verb of the list its Japanese with する where the
// lexicon lists it as a サ変 verb too (2.1.16 transitive, 2.2.16 intransitive).
std::string handLexiconCjWords(std::string_view words, std::string_view handLexicon,
                               const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                               const std::map<std::string, std::string>& leftOut, int cap, int& added);
// "200 drawn: 180 right, 10 rough, 8 wrong, 2 none, 0 not graded; through English 150 agree, 30 meet,
// 15 apart, 5 unknown"
std::string tally(const std::vector<MeasuredWord>& words);

}  // namespace datagen
