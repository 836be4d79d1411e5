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
//   core_jc.txt       lines of jc/lexicon.txt: the hand-made Japanese core (kana words, verbs
//                     whose kanji spell no Chinese word of their meaning), after the sample's lines
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
  kJpOrganisation = 128, // 名詞,固有名詞,組織
  kJpCommon = 256        // a common noun reading (一般, サ変接続, 形容動詞語幹, 副詞可能): the word is
                         // no name, whatever names it also spells
};

struct JapaneseIndex {
  std::map<std::string, unsigned> classes;       // written form -> JapaneseClass bits
  std::map<std::string, int> cost;               // written form -> lowest word cost
  std::map<std::string, std::string> conjugation;  // base form of a verb or adjective -> IPA type
  std::map<std::string, int> inflectedCost;        // base form of a verb or adjective -> its cost
  std::map<std::string, int> counters;             // counter (名詞,接尾,助数詞: キロ) -> its cost
  std::set<std::string> prefixes;  // 接頭詞,名詞接続 (総, 反): a compound's first piece
  std::set<std::string> suffixes;  // 名詞,接尾 but counters (者, 区, 化): a compound's last piece
  // The middle word cost of nouns, verbs and adjectives: a word as costly weighs 10.
  int nounMedian = 0, verbMedian = 0, adjectiveMedian = 0;
};

// Simplified character -> its traditional candidates, the project's first candidate leading.
using TraditionalForms = std::map<char16_t, std::vector<char16_t>>;

// A row of data/full/conjugations.txt.
struct FullConjugation {
  int pos = 0, type = 0;
  std::string ending;
};

// Each content line of `text` with its number from 1: CR removed, comment (#) and blank lines left out.
template <typename F>
void eachContentLine(std::string_view text, F&& f) {
  int number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;
    f(number, line);
  }
}

// The fields of `text` between each `sep`, empty ones kept ("a\t\tb": a, "", b).
std::vector<std::string> splitOn(std::string_view text, char sep);

bool parseFullTags(std::string_view text, std::map<std::string, FullTag>& out, std::string* error = nullptr);
bool parseFalseFriends(std::string_view text, std::map<std::string, std::string>& out, std::string* error = nullptr);
// data/full/verb_frames.txt: word<TAB>particle. A generated verb listed there is an intransitive
// サ変 verb (SHZ00): "に", "と", "で" or "が" is the particle of its complement (frame character 6,
// 8, 5, 2; the Chinese verb keeps its object), "-" none (the Chinese verb takes no object, t[0]).
// `out` maps the word to its frame character, '-' for none.
bool parseVerbFrameList(std::string_view text, std::map<std::string, char>& out, std::string* error = nullptr);
// The list's lines "word frequency tag", most frequent first (ties in list order).
std::vector<ChineseListWord> parseChineseWordList(std::string_view text);
// The card's classifiers: the words of cj/words.txt text whose categories begin with S.
std::set<std::string> classifierWords(std::string_view cardWords);
// Numerals then one classifier (三本): the analysis counts such a run itself.
bool isNumeralAndClassifier(std::string_view word, const std::set<std::string>& classifiers);
// Leaves out of the list the words spelled as numerals and a classifier of the card, so that a place
// name like 三本 does not swallow the count in 三本书.
void dropNumeralClassifierWords(std::vector<ChineseListWord>& list, std::string_view cardWords);
// Adds the entries of IPA CSV text (surface,left,right,cost,pos1..pos4,...) and sets the medians.
void addJapaneseEntries(std::string_view csv, JapaneseIndex& index);

// The lexicon weight of a word of the IPA cost `cost` in a class whose middle cost is `median`:
// 10 for the middle, down to 8 for the most frequent words, up to 12 for the rarest.
int weightOfCost(int cost, int median);

// The aspect digits of a verb's lexicon line, as the sample lexicon gives them: the first for the
// past and ている (1: 了 and 着), the second for ていた (2: 了, 3: 在). An intransitive verb (sub-POS
// 2: 行く, 起きる) is "12", a transitive one or one of either kind "13".
std::string verbAspectDigits(int sub);

// The Joyo kanji standing for a character of another form: the Joyo kanji whose CCCII code is the
// character's in another layer (same row and cell, plane six apart), or the Joyo new form that the
// name kanji list gives an old form (增: 増), from Unihan_OtherMappings.txt.
std::map<char16_t, char16_t> joyoTwins(std::string_view unihanOtherMappings);

// The written forms a Chinese word may have in Japanese. Each character stands for itself (a
// character of code page 932) or for its form in `forms`, then for its Joyo twin, then for each of
// its traditional candidates and their twins; the spellings are every combination, the first
// candidates' first, at most kMaxSpellings of them.
constexpr std::size_t kMaxSpellings = 64;
std::vector<std::string> japaneseSpellings(std::string_view chinese, const std::map<char16_t, char16_t>& forms,
                                           const TraditionalForms& traditional,
                                           const std::map<char16_t, char16_t>& twins = {});

struct FullCardSizes {
  int listed = 0;       // words of the list looked at
  int translated = 0;   // words given a translation
  int japanese = 0;     // lexicon lines added
};

// cj/words.txt of the full card: the sample's words, the core's, then each of the `cap` most
// frequent list words whose Japanese spelling the IPA dictionary holds in a class its category
// takes (false friends left out or corrected; verbs of `frames` made intransitive). `lexicon` gets
// the reverse lines for jc/lexicon.txt (Japanese nouns the sample lexicon lacks, with their Chinese word).
std::string fullCjWords(std::string_view sampleWords, std::string_view coreWords,
                        const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                        const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                        const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                        const std::map<char16_t, char16_t>& twins, int cap, std::string_view sampleLexicon,
                        std::string& lexicon, FullCardSizes& sizes, const std::map<std::string, char>& frames = {});

// data/full/conjugations.txt: IPA conjugation type -> the analyser's numbering.
bool parseFullConjugations(std::string_view text, std::map<std::string, FullConjugation>& out,
                           std::string* error = nullptr);

// The stem of a verb or adjective's base form by its conjugation's ending; empty when it does not end so.
std::string stemOf(const std::string& base, const FullConjugation& conj);
// The lexicon weight of a verb (pos 2) or adjective (3) by its IPA cost; 10 when it has none.
int inflectedWeight(const JapaneseIndex& japanese, const std::string& base, int pos);
// A jc/lexicon.txt line of a verb or adjective stem (verbs with their aspect digits).
std::string lexiconLine(const std::string& stem, int pos, int sub, int type, const std::string& chinese,
                        const std::string& code, int weight);

// Lexicon lines (jc/lexicon.txt) for the verbs and adjectives of cj/words.txt lines: the head
// translation's Japanese base form, found in the IPA dictionary, by its stem and numbering (a verb
// with t[0] is intransitive); a サ変 verb (V,準備する,SHT00) by its noun's stem, intransitive for
// SHZ; stem keys `have` holds are left out, and the new ones added to it. Verbs carry their aspect
// digits.
std::string inflectedLexiconLines(std::string_view wordsText, const JapaneseIndex& japanese,
                                  const std::map<std::string, FullConjugation>& conjugations,
                                  std::set<std::string>& have);

// The first fields of a source's content lines: the keys it holds.
std::set<std::string> sourceKeys(std::string_view text);

// A verb or adjective stem with its part of speech and conjugation type, as `have` sets hold them.
std::string stemKey(std::string_view stem, int pos, int type);
// The stem keys of the lines of a jc/lexicon.txt.
std::set<std::string> lexiconStemKeys(std::string_view lexicon);

// Lexicon lines for the IPA dictionary's verbs and adjectives whose base form is kanji then kana
// and whose kanji spell a Chinese verb (or adjective) of the list's `cap` most frequent words, the
// most frequent such word being the translation; false friends give none. A verb in す is
// transitive and a verb of the same kanji beside it intransitive (回す/回る); an -aru verb beside
// its -eru twin is intransitive and the twin transitive (上がる/上げる); any other verb is sub-POS 3
// (either). The weight comes from the IPA cost. Stem keys `have` holds
// are left out, new ones added; `added` counts the lines.
std::string bulkInflectedLines(const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                               const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                               const std::map<std::string, FullConjugation>& conjugations,
                               const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                               const std::map<char16_t, char16_t>& twins, int cap, std::set<std::string>& have,
                               int& added);

// The characters of a hanzi reading table (lines "hanzi X r1,r2,... weight=N") that have one reading.
std::map<char16_t, std::string> certainReadings(std::string_view hanziTable);
// cj/words.txt lines with "-" in the reading column take the reading of their word when every
// character of it has one reading ("zhong1guo2"); other lines stay as they are.
std::string withCertainReadings(std::string_view words, const std::map<char16_t, std::string>& readings);

// Simplified -> traditional candidates, from the project's chinese_variants.txt ("pair" lines and
// every candidate of "st" lines).
TraditionalForms traditionalForms(std::string_view chineseVariants);
// Adds Unihan's kTraditionalVariant candidates (Unihan_Variants.txt) after those already listed.
void addUnihanTraditional(std::string_view unihanVariants, TraditionalForms& out);

}  // namespace datagen
