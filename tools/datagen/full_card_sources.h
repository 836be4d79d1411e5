// The full card's readable sources from open dictionaries: the Chinese word list (word, frequency,
// tag), the IPA dictionary's entries (UTF-8 CSV), the Japanese forms of simplified characters and
// the hand-made lists of data/full. The results are the sample card's source files cj/words.txt and
// jc/lexicon.txt, grown; the card writers take them from there.
//
// data/full sources (UTF-8, '#' starts a comment line):
//   tags.txt          tag<TAB>category<TAB>entry    a word-list tag, the category letter the
//                     translation follows (N, V, A, F) and the entry of cj/words.txt
//   false_friends.txt chinese<TAB>translations     "-" leaves the word out; else the translations
//                     column of cj/words.txt replaces the one found by the characters
//   core.txt          lines of cj/words.txt: the hand-made core, before every generated word
#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct FullTag {
  char category = 0;  // N noun, V verb, A adjective, F adverb
  std::string entry;
};

struct ChineseListWord {
  std::string word;  // UTF-8
  long frequency = 0;
  std::string tag;
};

// The IPA dictionary's classes of a written form that the translations use.
enum JapaneseClass : unsigned {
  kJpNoun = 1,          // 名詞 of any subclass but those below
  kJpSuruNoun = 2,      // 名詞,サ変接続
  kJpAdjectiveStem = 4, // 名詞,形容動詞語幹
  kJpAdverb = 8,        // 副詞
  kJpPerson = 16,       // 名詞,固有名詞,人名
  kJpPlace = 32,        // 名詞,固有名詞,地域
  kJpTime = 64,         // 名詞,副詞可能
  kJpOrganisation = 128 // 名詞,固有名詞,組織
};

struct JapaneseIndex {
  std::map<std::string, unsigned> classes;       // written form -> JapaneseClass bits
  std::map<std::string, int> cost;               // written form -> lowest word cost
  std::map<std::string, std::string> conjugation;  // base form of a verb or adjective -> IPA type
};

// A row of data/full/conjugations.txt.
struct FullConjugation {
  int pos = 0, type = 0;
  std::string ending;
};

bool parseFullTags(std::string_view text, std::map<std::string, FullTag>& out, std::string* error = nullptr);
bool parseFalseFriends(std::string_view text, std::map<std::string, std::string>& out, std::string* error = nullptr);
// The list's lines "word frequency tag", most frequent first (ties in list order).
std::vector<ChineseListWord> parseChineseWordList(std::string_view text);
// Adds the entries of IPA CSV text (surface,left,right,cost,pos1..pos4,...).
void addJapaneseEntries(std::string_view csv, JapaneseIndex& index);

// The Joyo kanji standing for a character of another form: the Joyo kanji whose CCCII code is the
// character's in another layer (same row and cell, plane six apart), from Unihan_OtherMappings.txt.
std::map<char16_t, char16_t> joyoTwins(std::string_view unihanOtherMappings);

// The written forms a Chinese word may have in Japanese: its characters through `forms` (characters
// of code page 932 stay), then with each character's listed traditional form where that differs,
// then with each character's Joyo twin.
std::vector<std::string> japaneseSpellings(std::string_view chinese, const std::map<char16_t, char16_t>& forms,
                                           const std::map<char16_t, char16_t>& traditional,
                                           const std::map<char16_t, char16_t>& twins = {});

struct FullCardSizes {
  int listed = 0;       // words of the list looked at
  int translated = 0;   // words given a translation
  int japanese = 0;     // lexicon lines added
};

// cj/words.txt of the full card: the sample's words, the core's, then each of the `cap` most
// frequent list words whose Japanese spelling the IPA dictionary holds in a class its category
// takes (false friends left out or corrected). `lexicon` gets the reverse lines for jc/lexicon.txt
// (Japanese nouns the sample lexicon lacks, with their Chinese word).
std::string fullCjWords(std::string_view sampleWords, std::string_view coreWords,
                        const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                        const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                        const std::map<char16_t, char16_t>& forms, const std::map<char16_t, char16_t>& traditional,
                        const std::map<char16_t, char16_t>& twins, int cap, std::string_view sampleLexicon, std::string& lexicon, FullCardSizes& sizes);

// data/full/conjugations.txt: IPA conjugation type -> the analyser's numbering.
bool parseFullConjugations(std::string_view text, std::map<std::string, FullConjugation>& out,
                           std::string* error = nullptr);

// Lexicon lines (jc/lexicon.txt) for the verbs and adjectives of cj/words.txt lines: the head
// translation's Japanese base form, found in the IPA dictionary, by its stem and numbering (a verb
// with t[0] is intransitive); stems `have` holds are left out, and the new ones added to it.
std::string inflectedLexiconLines(std::string_view wordsText, const JapaneseIndex& japanese,
                                  const std::map<std::string, FullConjugation>& conjugations,
                                  std::set<std::string>& have);

// The first fields of a source's content lines: the keys it holds.
std::set<std::string> sourceKeys(std::string_view text);

// Simplified -> first traditional candidate, from the project's chinese_variants.txt.
std::map<char16_t, char16_t> traditionalForms(std::string_view chineseVariants);

}  // namespace datagen
