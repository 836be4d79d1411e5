// Translations of the full card through English: the Japanese-English dictionary (EDICT, UTF-8) and
// the Chinese-English one (CC-CEDICT's line format) pair the words whose two spellings differ
// (盗む 偷, 駅 车站), and CC-CEDICT gives every Chinese word its reading.
//
// A Japanese and a Chinese word are paired when the first sense of one shares a gloss with a sense of
// the other (glosses compared in lower case, without "to " and parentheses) and their classes agree.
// Of the candidates, a pair whose first senses meet comes first, then one whose first glosses each
// lie in the other's first sense, then (Japanese side) an EDICT word marked common, then one not in
// katakana unless the Chinese word is a name, then for a noun one that is no verb with する (航班:
// 便, not 逃走), then one sharing a character with the Chinese word,
// then more shared glosses, and last the most frequent word (the
// IPA dictionary's cost on the Japanese side, the list's frequency on the Chinese side). Words EDICT
// marks "usually kana" take their kana; verbs, adjectives and adverbs paired to Japanese must be
// marked common. Every pair takes first senses that agree (the first gloss of each lies in the
// other's first sense), a common EDICT word Chinese to Japanese, compared without the English words
// of two everyday senses ("cover", "moving", "mine") and without CC-CEDICT's variant and "see also"
// senses; Japanese to Chinese a noun of two or more characters takes no noun of one. A rendering is
// written in its language's script.
#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/full_card_sources.h"

namespace datagen {

// The classes a sense may have, from EDICT's parts of speech; a Chinese word's from its tag.
enum PivotClass : unsigned {
  kPvNoun = 1,
  kPvVerb = 2,        // v1, v5..., vk, vz; with vs, a noun and する
  kPvAdjective = 4,   // adj-i, adj-na
  kPvAdverb = 8,
  kPvCounter = 16,
  kPvExpression = 32, // exp, int
};

struct PivotSense {
  std::vector<std::string> glosses;  // normalised
  unsigned classes = 0;
};

struct EdictEntry {
  std::string written;     // first written form (the kana when it has none)
  std::string kana;        // first reading
  bool usuallyKana = false;  // "(uk)" on the first sense
  bool common = false;       // "(P)"
  bool suru = false, ichidan = false, godan = false, transitive = false, intransitive = false;
  bool adjectiveI = false, adjectiveNa = false;
  std::vector<PivotSense> senses;
  // The spelling the card uses: the kana of a "usually kana" word, else the first written form.
  const std::string& spelling() const { return usuallyKana ? kana : written; }
};

struct CedictEntry {
  std::string simplified;
  std::string reading;  // as given, "wo3 men5"
  std::vector<PivotSense> senses;
};

// A gloss as compared: lower case, parentheses and a leading "to " removed, blanks trimmed.
std::string normaliseGloss(std::string_view gloss);

// EDICT lines "written;... [kana;...] /(pos) (1) gloss/gloss/(2) .../(P)/EntL.../".
std::vector<EdictEntry> parseEdict(std::string_view text);
// CC-CEDICT lines "traditional simplified [pin1 yin1] /sense/sense/", a sense's glosses joined by "; ".
std::vector<CedictEntry> parseCedict(std::string_view text);

// The reading of each simplified word in the card's form ("Wo3Men0"): of several entries, the first
// of a common word (lower-case reading, no mere variant or surname).
std::map<std::string, std::string> cedictReadings(const std::vector<CedictEntry>& entries);
// cj/words.txt lines whose reading is "-" take the word's CC-CEDICT reading; `given` counts them.
std::string withCedictReadings(std::string_view words, const std::map<std::string, std::string>& readings, int& given);

// The most frequent words of each side, which the hand-made lists were reviewed over.
constexpr int kFrequentWords = 2000;
// The heading before the generated words of cj/words.txt: the lines above it are hand-made.
inline constexpr std::string_view kOpenListHeading = "# Words of the open list";
// The heading before the generated lines of jc/lexicon.txt: the lines above it are hand-made.
inline constexpr std::string_view kGeneratedLexiconHeading = "# Nouns of the IPA dictionary";

// A rendering written in the other language's script only: kanji and kana for Japanese, hanzi for
// Chinese (no Latin letters, digits or signs: 3Q).
bool pivotRenderingInScript(const std::string& word, bool japanese);
// The most frequent words of each side, most frequent first: the list's words of the card's
// classes (a tag of `tags`), at most `most`; EDICT's common words of the card's classes that the IPA
// dictionary holds as a verb, adjective, adverb or common noun, by the lowest cost, loanwords in
// katakana left out (their costs lie far below their use).
std::vector<std::string> frequentChinese(const std::vector<ChineseListWord>& list,
                                         const std::map<std::string, FullTag>& tags, int most);
std::vector<std::string> frequentJapanese(const std::vector<EdictEntry>& edict, const JapaneseIndex& japanese);
// The word splits into two or more words of the set (喝茶: 喝 and 茶).
bool spelledByWords(const std::string& word, const std::set<std::string>& words);

// Each list word's spellings in Japanese forms (混凝土, 马来西亚: 馬来西亜), as japaneseSpellings gives
// them. With them, the pairs through English also take an EDICT word written with the same
// characters, in its own spelling (混凝土 [コンクリート]: 混凝土 コンクリート, コンクリート 混凝土), when
// the first senses share a gloss: the characters are the second source. A spelling the IPA
// dictionary holds as it stands is left to the rules of the characters.
using SpellingsOf = std::map<std::string, std::vector<std::string>>;
SpellingsOf listSpellings(const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                          const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                          const std::map<char16_t, char16_t>& twins, int cap);

// Pairs graded right or rough by hand (word, rendering: 回忆 思い出す, 夕飯 晚饭): the rules of vague
// glosses and one-kanji keys leave them be.
using GradedPairs = std::set<std::pair<std::string, std::string>>;

struct PivotSizes {
  int chineseToJapanese = 0;  // cj/words.txt lines added
  int japaneseToChinese = 0;  // jc/lexicon.txt lines added
  // Chinese words whose best pair rested on a vague gloss: the rules after it leave them too.
  std::set<std::string> vague;
};

// The EDICT entries under each of their spellings, the kana one and the written one.
std::map<std::string, std::vector<const EdictEntry*>> edictBySpelling(const std::vector<EdictEntry>& edict);

// The translations column of a Chinese word paired with the Japanese word `j` in the classes `cls`
// (kPv*: a verb first, then an adjective, an adverb, a noun; a measure word's counter): "V,盗む,TG000",
// "V,準備する,SHT00", "A,若い,KYOSI", "A,静かだ,KYODO", "F,やがて,FUKU0", "N,駅,N0000".
std::string pairTranslation(const EdictEntry& j, unsigned cls, bool measure = false);
// The jc/lexicon.txt lines pairing the Japanese word `j` in the classes `cls` with `chinese`: a verb
// or adjective by its stem and the IPA dictionary's conjugation type, a verb with する as its noun and
// the noun with する, a 形容動詞 stem, an adverb, a noun by its IPA subclass (or a common EDICT noun
// the IPA dictionary lacks). Empty when it cannot be written, with the reason in `why`: the word is
// not of that class in the IPA dictionary, or the hand-made lexicon (`handMade`) or `stems` hold the
// stem (a new stem key goes into `stems`).
std::string pairLexiconLines(const EdictEntry& j, unsigned cls, const std::string& chinese, const JapaneseIndex& japanese,
                             const std::map<std::string, FullConjugation>& conjugations,
                             const std::set<std::string>& handMade, std::set<std::string>& stems,
                             std::string* why = nullptr);

// cj/words.txt lines for the `cap` most frequent list words that `words` (the card's lines so far)
// lacks: the Japanese word through English, by the class of the word's tag. Words that spell a word
// of the IPA dictionary as they stand (不在) are left out: their characters spell another class.
std::string pivotCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                         const std::map<std::string, FullTag>& tags,
                         const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                         const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict, int cap,
                         PivotSizes& sizes, const SpellingsOf& spellings = {}, const GradedPairs& vouched = {},
                         bool lastPass = false);

// cj/words.txt lines for the `cap` most frequent list words of two or more characters that `words`
// lacks and whose characters, in a Japanese form, spell a common word of the IPA dictionary in a
// class their tag does not take (努力 ad, 进步 d: 努力, 進歩, nouns with する): the Japanese word
// in its own class, when a sense of its EDICT entry shares a gloss with a sense of the Chinese
// word's. False friends and names are left out. `added` counts the lines.
std::string crossClassCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                              const std::map<std::string, FullTag>& tags,
                              const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                              const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                              const std::map<char16_t, char16_t>& twins, const std::vector<EdictEntry>& edict,
                              const std::vector<CedictEntry>& cedict, int cap, int& added);

// cj/words.txt lines for the `cap` most frequent list nouns (tags n, nz, s, t, nt) of three to eight
// characters that `words` lacks and whose Japanese spelling the IPA dictionary lacks but writes
// whole as two or more pieces: common nouns of two or more characters, the first may be a prefix
// and the last a suffix of the dictionary (劳动力: 労働 力, 国民经济: 国民 経済, 总人口: 総 人口):
// the compound so written, of the spelling of the fewest pieces, then the lowest cost. `added`
// counts the lines.
std::string compoundCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                            const std::map<std::string, FullTag>& tags,
                            const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                            const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                            const std::map<char16_t, char16_t>& twins, int cap, int& added);

// cj/words.txt lines for the `cap` most frequent list words tagged as names (nr, nrfg, nrt, ns, nt)
// of at most eight characters that `words` lacks: a Chinese name is written in Japanese by its
// characters (江夏区, 韦小宝: 韋小宝), in the Japanese forms whose characters the IPA dictionary's
// words hold most (天安門広場, 張無忌), with the semantic code of its tag. A name is Chinese when
// CC-CEDICT lists it under a proper reading only and its first gloss spells the reading (Jiangxia,
// a district of Wuhan) or sends to a longer name of it (宜昌: see 宜昌市), or lacks it; words
// CC-CEDICT gives a common sense (令人, 小姐) and foreign names (巴黎: Paris) are left out, and
// with no CC-CEDICT there are none. `added` counts the lines.
std::string nameCjWords(std::string_view words, const std::vector<ChineseListWord>& list,
                        const std::map<std::string, FullTag>& tags,
                        const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                        const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                        const std::map<char16_t, char16_t>& twins, const std::vector<CedictEntry>& cedict, int cap,
                        int& added);

// jc/lexicon.txt lines for the EDICT words of the IPA dictionary that `lexicon` lacks (keys and
// stem keys): the most frequent Chinese list word through English whose first sense agrees with the
// Japanese word's first sense, a verb first for a noun with する. Keys of one or two hiragana are
// left out.
std::string pivotJcLexicon(std::string_view lexicon, const std::vector<ChineseListWord>& list,
                           const std::map<std::string, FullTag>& tags,
                           const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                           const std::map<std::string, FullConjugation>& conjugations,
                           const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict, int cap,
                           PivotSizes& sizes, const SpellingsOf& spellings = {}, const GradedPairs& vouched = {},
                         bool lastPass = false);

// jc/lexicon.txt lines for EDICT's common words of two or more kanji that `lexicon` lacks and whose
// spelling a list word past the `cap` most frequent gives (its Japanese forms, as japaneseSpellings
// gives them: 遮断, 未然, 表裏 表里), when a first sense of one shares an English word with a sense
// of the other, compared as stems (無言: silence; 无言: to remain silent): the characters and
// English agree. Then likewise the common words of CC-CEDICT that the list lacks (会话, 消防署). The
// Japanese word's class; a サ変 noun of a Chinese verb (of a CC-CEDICT word: a Japanese verb with
// する) is a verb with する too. False friends and names are left out; `added` counts the words.
std::string pastCapJcLines(std::string_view lexicon, const std::vector<ChineseListWord>& list,
                           const std::map<std::string, FullTag>& tags,
                           const std::map<std::string, std::string>& falseFriends, const JapaneseIndex& japanese,
                           const std::map<char16_t, char16_t>& forms, const TraditionalForms& traditional,
                           const std::map<char16_t, char16_t>& twins, const std::vector<EdictEntry>& edict,
                           const std::vector<CedictEntry>& cedict, int cap, int& added);

// jc/lexicon.txt lines for EDICT's common words that `lexicon` lacks and that are another
// spelling of a word it pairs: an EDICT entry of the same reading, the same kanji in the same
// order and the same first sense, written with more or less kana (売上げ: 売り上げ 销售额; 締切:
// 締め切り). The line is the paired spelling's (nouns, na-adjectives and adverbs only); `added`
// counts the words.
std::string spellingVariantJcLines(std::string_view lexicon, const std::vector<EdictEntry>& edict, int& added);

// Translations for the viewer's dictionaries, from every entry of the two dictionaries: a Chinese
// word (of a common CC-CEDICT entry) and an EDICT word are paired when their first senses share a
// gloss and the first gloss of one lies in the other's first sense. Each side keeps its `most` best
// partners: Japanese by how the senses meet, EDICT's common mark, no katakana for a Chinese word
// of its own, a shared character; Chinese the same, then the word list's frequency.
struct ViewerPair {
  std::vector<std::string> partners;  // best first
  unsigned classes = 0;               // the first sense's classes of the Japanese word (or its best partner's)
};
struct ViewerPairs {
  std::map<std::string, ViewerPair> chinese;  // simplified word -> Japanese spellings
  std::vector<ViewerPair> japanese;           // per EDICT entry -> Chinese words
};
ViewerPairs viewerPairs(const std::vector<EdictEntry>& edict, const std::vector<CedictEntry>& cedict,
                        const std::map<std::string, long>& frequency, std::size_t most);

}  // namespace datagen
