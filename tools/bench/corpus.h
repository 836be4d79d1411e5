// Benchmark corpora made from the sample card's readable sources: Chinese sentences from the
// word list (cj/words.txt) and Japanese sentences from the lexicon (jc/lexicon.txt), both on a
// few sentence patterns and drawn with a fixed seed, so that every run reads the same text.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// Words of the card's Chinese word list by the class the patterns need (UTF-8).
struct ChineseWords {
  std::vector<std::string> people, times, places, things, verbs, adjectives, numerals, classifiers;
};

// False when a class the patterns need stays empty.
bool readChineseWords(std::string_view wordsTxt, ChineseWords& out);
std::vector<std::string> chineseSentences(const ChineseWords& words, int count);

// Entries of the card's Japanese lexicon (UTF-8): uninflected words and stems with their
// conjugation type.
struct JapaneseStem {
  std::string stem;
  int type = 0;
};
struct JapaneseWords {
  std::vector<std::string> nouns, sahenNouns, people, places, times;
  std::vector<JapaneseStem> transitiveVerbs, intransitiveVerbs, iAdjectives, naAdjectives;
};

bool readJapaneseWords(std::string_view lexiconTxt, JapaneseWords& out);
// The forms the patterns use; a na-adjective's adnominal form ends in な, a verb's is its base form.
enum Form { kBaseForm, kTaForm, kAdnominalForm };
// The ending of a form of a conjugation type (UTF-8), from the analyser's own table.
using FormEnding = std::function<std::string(int type, Form form)>;
std::vector<std::string> japaneseSentences(const JapaneseWords& words, const FormEnding& ending, int count);

}  // namespace bench
