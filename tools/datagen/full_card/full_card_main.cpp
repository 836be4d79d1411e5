// Writes the full card's readable sources: the sample folder with its word lists grown from open
// dictionaries.
//   datagen_fullcard SAMPLE FULL-LISTS WORD-LIST IPA-CSV UNIHAN-VARIANTS UNIHAN-OTHER
//                    CHINESE-VARIANTS JAPANESE-FORMS CAP HANZI-READINGS EDICT CEDICT OUT
// FULL-LISTS is data/full; IPA-CSV the IPA dictionary's CSV files joined, in UTF-8; CAP the number
// of most frequent list words looked at; HANZI-READINGS the generated reading table of the hanzi;
// EDICT the Japanese-English dictionary in UTF-8 and CEDICT CC-CEDICT's lines, "-" for none: with
// both, the words the characters do not pair are paired through English, and the Chinese words take
// CC-CEDICT's readings.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/datagen/full_card_hand_pairs.h"
#include "tools/datagen/full_card_measure.h"
#include "tools/datagen/full_card_pivot.h"
#include "tools/datagen/full_card_same_characters.h"
#include "tools/datagen/full_card_sources.h"
#include "tools/datagen/full_card_time_nouns.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 13, 13,
                           "SAMPLE FULL-LISTS WORD-LIST IPA-CSV UNIHAN-VARIANTS UNIHAN-OTHER CHINESE-VARIANTS "
                           "JAPANESE-FORMS CAP HANZI-READINGS EDICT CEDICT OUT"))
    return tools::kUsageExit;
  const std::string sample = argv[1], lists = argv[2], out = argv[13];
  std::string text[10];
  const std::string paths[10] = {argv[3], argv[4], argv[5], argv[6], argv[7], argv[8],
                                 lists + "/tags.txt", lists + "/false_friends.txt", lists + "/core.txt",
                                 sample + "/cj/words.txt"};
  for (int i = 0; i < 10; ++i) {
    if (!tools::readFile(paths[i], text[i])) {
      std::fprintf(stderr, "datagen_fullcard: cannot read %s\n", paths[i].c_str());
      return 1;
    }
  }
  std::string sampleLexicon, coreLexicon;
  if (!tools::readFile(sample + "/jc/lexicon.txt", sampleLexicon)) {
    std::fprintf(stderr, "datagen_fullcard: cannot read %s/jc/lexicon.txt\n", sample.c_str());
    return 1;
  }
  if (!tools::readFile(lists + "/core_jc.txt", coreLexicon)) {
    std::fprintf(stderr, "datagen_fullcard: cannot read %s/core_jc.txt\n", lists.c_str());
    return 1;
  }
  // The hand-made Japanese core follows the sample's lexicon; generated lines never repeat its keys.
  if (!sampleLexicon.empty() && sampleLexicon.back() != '\n') sampleLexicon += '\n';
  sampleLexicon += "# The hand-made Japanese core of the full card\n" + coreLexicon;
  std::map<std::string, datagen::FullTag> tags;
  std::map<std::string, std::string> falseFriends;
  std::string error;
  if (!datagen::parseFullTags(text[6], tags, &error) || !datagen::parseFalseFriends(text[7], falseFriends, &error)) {
    std::fprintf(stderr, "datagen_fullcard: %s\n", error.c_str());
    return 1;
  }
  std::string framesText;
  std::map<std::string, char> frames;
  if (!tools::readFile(lists + "/verb_frames.txt", framesText) || !datagen::parseVerbFrameList(framesText, frames, &error)) {
    std::fprintf(stderr, "datagen_fullcard: verb_frames.txt: %s\n", error.c_str());
    return 1;
  }
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(text[1], japanese);
  const auto forms = datagen::japaneseForms({text[2], text[3], text[4], text[5]});
  auto traditional = datagen::traditionalForms(text[4]);
  datagen::addUnihanTraditional(text[2], traditional);
  const auto twins = datagen::joyoTwins(text[3]);
  auto list = datagen::parseChineseWordList(text[0]);
  std::string sampleWords;
  if (!tools::readFile(sample + "/cj/words.txt", sampleWords)) {
    std::fprintf(stderr, "datagen_fullcard: cannot read %s/cj/words.txt\n", sample.c_str());
    return 1;
  }
  datagen::dropNumeralClassifierWords(list, sampleWords);

  std::string conjugationText;
  std::map<std::string, datagen::FullConjugation> conjugations;
  if (!tools::readFile(lists + "/conjugations.txt", conjugationText) ||
      !datagen::parseFullConjugations(conjugationText, conjugations, &error)) {
    std::fprintf(stderr, "datagen_fullcard: conjugations.txt: %s\n", error.c_str());
    return 1;
  }
  // Pairs given by hand past the most frequent words, each way.
  std::vector<datagen::HandPair> handCj, handJc;
  std::vector<std::string> repeatedCj, repeatedJc;
  for (auto [name, pairs, repeated] : {std::tuple{"pairs_cj.txt", &handCj, &repeatedCj}, std::tuple{"pairs_jc.txt", &handJc, &repeatedJc}}) {
    std::string handText;
    if (!tools::readFile(lists + "/" + name, handText) || !datagen::parseHandPairs(handText, *pairs, repeated, &error)) {
      std::fprintf(stderr, "datagen_fullcard: %s: %s\n", name, error.c_str());
      return 1;
    }
  }
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::remove_all(out, ec);
  fs::copy(sample, out, fs::copy_options::recursive, ec);
  if (ec) {
    std::fprintf(stderr, "datagen_fullcard: cannot copy %s to %s\n", sample.c_str(), out.c_str());
    return 1;
  }
  std::string lexicon = std::string(datagen::kGeneratedLexiconHeading) + " with the Chinese words written with them\n";
  datagen::FullCardSizes sizes;
  std::string wordsSoFar = datagen::fullCjWords(text[9], text[8], list, tags, falseFriends, japanese, forms,
                                                 traditional, twins, std::atoi(argv[9]), sampleLexicon, lexicon, sizes, frames);
  // The open dictionaries through English, when both are given.
  std::vector<datagen::EdictEntry> edict;
  std::vector<datagen::CedictEntry> cedict;
  const std::string edictPath = argv[11], cedictPath = argv[12];
  if (edictPath != "-" && cedictPath != "-") {
    std::string edictText, cedictText;
    if (!tools::readFile(edictPath, edictText) || !tools::readFile(cedictPath, cedictText)) {
      std::fprintf(stderr, "datagen_fullcard: cannot read %s or %s\n", edictPath.c_str(), cedictPath.c_str());
      return 1;
    }
    edict = datagen::parseEdict(edictText);
    cedict = datagen::parseCedict(cedictText);
  }
  // A common word written with the characters of a Japanese name only is left to the later sources.
  int nameSpellings = 0;
  wordsSoFar = datagen::withoutNameSpellings(wordsSoFar, japanese, edict, cedict, nameSpellings);
  // Pairs graded by hand: the wrong ones are left out, the right and rough ones kept.
  const std::string gradedCj = tools::readFile(lists + "/measure_cj.tsv") + tools::readFile(lists + "/singles_cj.tsv");
  const std::string gradedJc = tools::readFile(lists + "/measure_jc.tsv") + tools::readFile(lists + "/singles_jc.tsv");
  datagen::PivotSizes pivot;
  const datagen::SpellingsOf spellings =
      edict.empty() ? datagen::SpellingsOf{} : datagen::listSpellings(list, tags, forms, traditional, twins, std::atoi(argv[9]));
  std::string words = wordsSoFar + "# Words paired through English\n" +
                      datagen::pivotCjWords(wordsSoFar, list, tags, falseFriends, japanese, edict, cedict,
                                            std::atoi(argv[9]), pivot, spellings, datagen::acceptedPairs(gradedCj));
  // Then the words whose Japanese is of another class, the compounds, and the Chinese names by their
  // characters; not the words whose pair through English rested on a vague gloss.
  auto leftOut = falseFriends;
  for (const std::string& w : pivot.vague) leftOut.emplace(w, "-");
  int crossClass = 0, compounds = 0, names = 0;
  // The characters of another class are a second source: a word whose pair rested on a vague gloss
  // may take them.
  words += "# Words whose Japanese is of another class\n" +
           datagen::crossClassCjWords(words, list, tags, falseFriends, japanese, forms, traditional, twins, edict,
                                      cedict, std::atoi(argv[9]), crossClass);
  words += "# Nouns written as Japanese compounds\n" +
           datagen::compoundCjWords(words, list, tags, leftOut, japanese, forms, traditional, twins,
                                    std::atoi(argv[9]), compounds);
  words += "# Chinese names written in their characters\n" +
           datagen::nameCjWords(words, list, tags, leftOut, japanese, forms, traditional, twins, cedict,
                                std::atoi(argv[9]), names);
  // Last, the words still without a pair take a common Japanese word whose first senses meet on two
  // glosses or more.
  datagen::PivotSizes last;
  words += "# Words paired through English, first senses meeting\n" +
           datagen::pivotCjWords(words, list, tags, leftOut, japanese, edict, cedict, std::atoi(argv[9]), last,
                                 spellings, datagen::acceptedPairs(gradedCj), true);
  // Then the nouns and verbs the hand-made Japanese lexicon writes a Japanese word for.
  int fromHandLexicon = 0;
  words += "# Words the hand-made Japanese lexicon gives a Japanese word\n" +
           datagen::handLexiconCjWords(words, sampleLexicon, list, tags, leftOut, std::atoi(argv[9]), fromHandLexicon);
  // Words written alike in both languages with another sense in one take the table's pair.
  std::vector<datagen::FalseFriendPair> falseFriendTable;
  if (!datagen::parseFalseFriendTable(tools::readFile(lists + "/false_friends_table.tsv"), falseFriendTable, &error)) {
    std::fprintf(stderr, "datagen_fullcard: %s\n", error.c_str());
    return 1;
  }
  int falseFriendLines = 0;
  words = datagen::withFalseFriendTableCj(words, falseFriendTable, falseFriendLines);
  // Pairs graded wrong by hand (the measures and the single characters) are left out.
  const auto wrongCj = datagen::wrongPairs(gradedCj);
  const auto wrongJc = datagen::wrongPairs(gradedJc);
  int wrongDropped = 0;
  words = datagen::withoutWrongChinesePairs(words, wrongCj, wrongDropped);
  // A single character paired with a kanji that is a piece of words only is left without a pair.
  int boundKanji = 0;
  words = datagen::withoutBoundKanji(words, edict, cedict, datagen::acceptedPairs(gradedCj), boundKanji);
  // The hand pairs take their words' place, over the rules and the grades.
  datagen::HandPairReport handReportCj, handReportJc;
  words = datagen::withHandPairsCj(words, handCj, list, tags, falseFriends, falseFriendTable, japanese, conjugations, edict,
                                   handReportCj);
  int cedictReadings = 0;
  words = datagen::withCedictReadings(words, datagen::cedictReadings(cedict), cedictReadings);
  std::string hanziTable;
  if (!tools::readFile(argv[10], hanziTable)) {
    std::fprintf(stderr, "datagen_fullcard: cannot read %s\n", argv[10]);
    return 1;
  }
  if (!tools::writeFile(out + "/cj/words.txt", datagen::withCertainReadings(words, datagen::certainReadings(hanziTable))) || !tools::writeFile(out + "/jc/lexicon.txt", sampleLexicon + "\n" + lexicon)) {
    std::fprintf(stderr, "datagen_fullcard: cannot write to %s\n", out.c_str());
    return 1;
  }
  // Verbs and adjectives of the hand-made core, by the IPA dictionary's conjugation types.
  std::set<std::string> keys = datagen::lexiconStemKeys(sampleLexicon + lexicon);
  const std::string inflected = datagen::inflectedLexiconLines(text[8], japanese, conjugations, keys);
  // Then the IPA dictionary's verbs and adjectives whose kanji spell a Chinese verb or adjective.
  int bulk = 0;
  const std::string more = datagen::bulkInflectedLines(list, tags, falseFriends, japanese, conjugations, forms,
                                                       traditional, twins, std::atoi(argv[9]), keys, bulk);
  std::string full = sampleLexicon + "\n" + lexicon + "# Verbs and adjectives of the hand-made core\n" + inflected +
                     "# Verbs and adjectives of the IPA dictionary\n" + more;
  // Then the Japanese words whose kanji spell a Chinese word of another class, before the pairs
  // through English.
  int sameCharacters = 0;
  full += "# Words whose kanji spell a Chinese word\n" +
          datagen::sameCharactersJcLines(full, list, tags, falseFriends, japanese, forms, traditional, twins,
                                         std::atoi(argv[9]), sameCharacters);
  full += "# Words of EDICT paired through English\n" +
          datagen::pivotJcLexicon(full, list, tags, falseFriends, japanese, conjugations, edict, cedict,
                                  std::atoi(argv[9]), pivot, spellings, datagen::acceptedPairs(gradedJc));
  full += "# Words of EDICT paired through English, first senses meeting\n" +
          datagen::pivotJcLexicon(full, list, tags, falseFriends, japanese, conjugations, edict, cedict,
                                  std::atoi(argv[9]), last, spellings, datagen::acceptedPairs(gradedJc), true);
  int pastCap = 0;
  full += "# Words whose kanji spell a Chinese word past the cap\n" +
          datagen::pastCapJcLines(full, list, tags, falseFriends, japanese, forms, traditional, twins, edict, cedict,
                                  std::atoi(argv[9]), pastCap);
  full = datagen::withFalseFriendTableJc(full, falseFriendTable, conjugations, falseFriendLines);
  full = datagen::withoutWrongJapanesePairs(full, wrongJc, conjugations, wrongDropped);
  // Other spellings take the corrected pairs; the tables then apply to them too.
  int variants = 0, again = 0;
  full += "# Other spellings of words paired above\n" + datagen::spellingVariantJcLines(full, edict, variants);
  full = datagen::withFalseFriendTableJc(full, falseFriendTable, conjugations, again);
  full = datagen::withoutWrongJapanesePairs(full, wrongJc, conjugations, again);
  full = datagen::withHandPairsJc(full, handJc, list, tags, falseFriendTable, japanese, conjugations, edict, handReportJc);
  // Time nouns of the generated lines take the time code.
  int timeNouns = 0;
  full = datagen::withTimeCodes(full, sampleLexicon.size(), japanese, list, timeNouns);
  if (!tools::writeFile(out + "/jc/lexicon.txt", full)) {
    std::fprintf(stderr, "datagen_fullcard: cannot write to %s\n", out.c_str());
    return 1;
  }
  // The hand pairs the card keeps otherwise or cannot write, one a line, beside the card's sources.
  const std::string reportDir = fs::path(out).parent_path().string();
  std::string refused = "# side\tword\ttranslation\treason\n", kept = refused;
  for (auto [side, report, repeated] : {std::tuple{"cj", &handReportCj, &repeatedCj}, std::tuple{"jc", &handReportJc, &repeatedJc}}) {
    for (const std::string& line : report->refused) refused += std::string(side) + '\t' + line + '\n';
    for (const std::string& line : report->kept) kept += std::string(side) + '\t' + line + '\n';
    for (const std::string& line : *repeated) kept += std::string(side) + "\t" + line + "\t\trepeated: the first line of the word holds\n";
  }
  if (!tools::writeFile((reportDir.empty() ? std::string(".") : reportDir) + "/hand_pairs_refused.tsv", refused) ||
      !tools::writeFile((reportDir.empty() ? std::string(".") : reportDir) + "/hand_pairs_kept.tsv", kept)) {
    std::fprintf(stderr, "datagen_fullcard: cannot write the hand pairs' report beside %s\n", out.c_str());
    return 1;
  }
  std::printf("Hand pairs: Chinese to Japanese %d written, %d left without a pair, %zu kept by the hand-made lists, "
              "%zu refused, %zu repeated; Japanese to Chinese %d, %d, %zu, %zu, %zu (hand_pairs_refused.tsv)\n",
              handReportCj.written, handReportCj.removed, handReportCj.kept.size(), handReportCj.refused.size(),
              repeatedCj.size(), handReportJc.written, handReportJc.removed, handReportJc.kept.size(),
              handReportJc.refused.size(), repeatedJc.size());
  std::printf("Full card sources: %d list words looked at, %d translated, %d Japanese nouns and %d verbs and "
              "adjectives added\n",
              sizes.listed, sizes.translated, sizes.japanese, bulk);
  std::printf("Time nouns given their time code: %d\n", timeNouns);
  std::printf("Japanese words by their kanji, of another class in Chinese: %d\n", sameCharacters);
  std::printf("Japanese words by their kanji, of a Chinese word past the cap: %d\n", pastCap);
  std::printf("Japanese words spelt otherwise than a word paired: %d\n", variants);
  std::printf("Through English (%zu EDICT and %zu CC-CEDICT entries): %d Chinese and %d Japanese words paired; "
              "%d readings from CC-CEDICT\n",
              edict.size(), cedict.size(), pivot.chineseToJapanese, pivot.japaneseToChinese, cedictReadings);
  std::printf("Pairs graded wrong by hand, left out: %d\n", wrongDropped);
  std::printf("Lines paired by the false friends' table: %d; words from the hand-made Japanese lexicon: %d; common "
              "words spelt like a Japanese name only, left to later sources: %d; single characters paired with a "
              "kanji no common word spells, left out: %d\n",
              falseFriendLines, fromHandLexicon, nameSpellings, boundKanji);
  std::printf("Chinese words of another class in Japanese: %d, nouns as Japanese compounds: %d, Chinese names by "
              "their characters: %d\n",
              crossClass, compounds, names);
  return 0;
}
