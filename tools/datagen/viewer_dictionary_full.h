// The viewer's dictionary sources of the full card (viewer_dictionary_source.h's line format), from
// the full card's translator sources: Chinese headwords with their pinyin (CC-CEDICT's, else the
// word list's) and Japanese translations, Japanese headwords with their kana (the IPA dictionary's
// readings) and Chinese translations. The sample card's entries come first and keep their
// headwords; generated entries follow for every other headword: first the translator's pairs, then
// (with EDICT and CC-CEDICT) every word of either dictionary that the two pair through English
// (viewerPairs), at most three translations each. Entries are in the order of their readings
// (pinyin keys, kana keys), as the viewer steps through them.
#pragma once
#include <string>
#include <string_view>

namespace datagen {

struct ViewerFullInputs {
  std::string_view sampleCj, sampleJc;  // the sample card's viewer/cj.txt and viewer/jc.txt
  std::string_view cjWords;             // cj/words.txt of the full card
  std::string_view jcLexicon;           // jc/lexicon.txt of the full card
  std::string_view ipadic;              // the IPA dictionary's CSV lines, UTF-8
  std::string_view cedict;              // CC-CEDICT lines; may be empty
  std::string_view edict;               // EDICT lines, UTF-8; may be empty
  std::string_view wordList;            // the Chinese word list ("word frequency tag"); may be empty
};

struct ViewerFullSources {
  std::string cj, jc;
  int cjGenerated = 0, jcGenerated = 0;
};

ViewerFullSources viewerFullSources(const ViewerFullInputs& in);

// "zhong4 yao4" / "zhong4yao4" -> "zhòngyào"; empty when it is no pinyin.
std::string tonedPinyin(std::string_view numbered);
// Full-width katakana (or hiragana) -> half-width katakana; other characters are kept.
std::u16string halfWidthKatakana(std::u16string_view kana);

}  // namespace datagen
