// Pairs given by hand past the most frequent words (data/full/pairs_cj.txt, pairs_jc.txt): each
// takes its word's place on the full card over whatever the rules wrote, or leaves the word without
// a pair. Lines "word<TAB>translation<TAB>note": a Chinese word and a Japanese word in its dictionary
// form (政府, 落とす, 紹介する, 高い, 静か), or a Japanese word and a simplified Chinese word; "-" for
// the translation leaves the word without a pair.
#pragma once
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/full_card_measure.h"
#include "tools/datagen/full_card_pivot.h"
#include "tools/datagen/full_card_sources.h"

namespace datagen {

struct HandPair {
  std::string word, translation, note;
  int line = 0;
};

// The pairs of a hand file in order; a later line of a word already given is left out and named in
// `repeated` ("line N: word translation"). False for a line without a word and a translation.
bool parseHandPairs(std::string_view text, std::vector<HandPair>& out, std::vector<std::string>* repeated = nullptr,
                    std::string* error = nullptr);

struct HandPairReport {
  int written = 0;   // words given the hand pair
  int removed = 0;   // words left without a pair ("-")
  // "word<TAB>translation<TAB>reason" a line: pairs the hand-made lists already give (kept as they
  // are) and pairs that cannot be written.
  std::vector<std::string> kept, refused;
};

// cj/words.txt with the hand pairs: every generated line of a pair's word (below the open list's
// heading) is left out, and the word takes a line in the class of its list tag, the Japanese word's
// class and conjugation from the IPA dictionary (a verb or adjective by its conjugation type, a noun
// with する, a 形容動詞 stem with or without だ, an adverb, a noun), transitivity from EDICT; where
// the Japanese word has not the tag's class, the line takes the Japanese word's class. Words of the
// sample card and the core (above the heading), of false_friends.txt and of the false friends'
// table keep their lines.
std::string withHandPairsCj(std::string_view words, const std::vector<HandPair>& pairs,
                            const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                            const std::map<std::string, std::string>& falseFriends,
                            const std::vector<FalseFriendPair>& falseFriendTable, const JapaneseIndex& japanese,
                            const std::map<std::string, FullConjugation>& conjugations,
                            const std::vector<EdictEntry>& edict, HandPairReport& report);

// jc/lexicon.txt likewise: the generated lines of a pair's Japanese word (a stem by its dictionary
// form, a verb with する by its noun) are left out and the word takes the lexicon lines of its
// class with the Chinese word (a サ変 noun paired with a Chinese verb: the noun and the noun with
// する). Words of the hand-made lexicon (above the generated heading) and the false friends' table
// keep their lines.
std::string withHandPairsJc(std::string_view lexicon, const std::vector<HandPair>& pairs,
                            const std::vector<ChineseListWord>& list, const std::map<std::string, FullTag>& tags,
                            const std::vector<FalseFriendPair>& falseFriendTable, const JapaneseIndex& japanese,
                            const std::map<std::string, FullConjugation>& conjugations,
                            const std::vector<EdictEntry>& edict, HandPairReport& report);

}  // namespace datagen
