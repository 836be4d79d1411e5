// The time code of the full card's time nouns (冬休み, 正月, 誕生日, 放課後): a noun line of
// jc/lexicon.txt that names a time takes the time class (6.10), so that the grammar writes no case
// word before it and keeps it before the verb.
#pragma once
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datagen/full_card_sources.h"

namespace datagen {

// A noun names a time when the IPA dictionary classes it so (名詞,副詞可能), when the Chinese word
// the line gives is a time word of the list (tag t: 暑假, 生日, 春节), or when it is a compound of
// a time: a time noun of the lexicon and 休み (冬休み, 昼休み), a サ変 noun and 中 (授業中), a noun
// of two or more characters and 後 (放課後, 食事後).
bool namesTime(std::string_view japanese, std::string_view chinese, const JapaneseIndex& index,
               const std::set<std::string>& chineseTimeWords, const std::set<std::string>& lexiconTimeNouns);

// `lexicon` with every plain noun line (6.1.0.0) of a time noun from byte `from` on (the generated
// lines, after the hand-made ones) turned into a time noun line (6.10.0.0); `changed` counts them.
std::string withTimeCodes(std::string_view lexicon, std::size_t from, const JapaneseIndex& index,
                          const std::vector<ChineseListWord>& list, int& changed);

}  // namespace datagen
