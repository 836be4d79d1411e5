// Measures the full card's translations of frequent words, each way: 200 words drawn at random
// (seeded) from the 2,000 most frequent, with the card's translation, the check through English and
// the grade given by hand.
//   full_card_measure CARD-SOURCE FULL-LISTS WORD-LIST IPA-CSV EDICT CEDICT SEED OUT [COUNT]
// CARD-SOURCE is the card's readable sources (fullcard/source); the grades are read from
// FULL-LISTS/measure_cj.tsv and measure_jc.tsv, and written again with every drawn pair to
// OUT/measure_cj.tsv and OUT/measure_jc.tsv ("?" for a pair not graded yet). The tallies go to
// standard output. COUNT draws another number of words (2000: every frequent word, in a random order).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/full_card_measure.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 8, 9, "CARD-SOURCE FULL-LISTS WORD-LIST IPA-CSV EDICT CEDICT SEED OUT [COUNT]"))
    return tools::kUsageExit;
  const std::string card = argv[1], lists = argv[2], out = argv[8];
  const std::string paths[] = {card + "/cj/words.txt", card + "/jc/lexicon.txt", argv[3], argv[4], argv[5], argv[6],
                               lists + "/tags.txt", lists + "/conjugations.txt"};
  std::string text[8];
  for (int i = 0; i < 8; ++i) {
    if (!tools::readFile(paths[i], text[i])) {
      std::fprintf(stderr, "full_card_measure: cannot read %s\n", paths[i].c_str());
      return 1;
    }
  }
  std::map<std::string, datagen::FullTag> tags;
  std::map<std::string, datagen::FullConjugation> conjugations;
  std::string error;
  if (!datagen::parseFullTags(text[6], tags, &error) || !datagen::parseFullConjugations(text[7], conjugations, &error)) {
    std::fprintf(stderr, "full_card_measure: %s\n", error.c_str());
    return 1;
  }
  datagen::JapaneseIndex japanese;
  datagen::addJapaneseEntries(text[3], japanese);
  const auto edict = datagen::parseEdict(text[4]);
  const auto cedict = datagen::parseCedict(text[5]);
  const unsigned seed = static_cast<unsigned>(std::strtoul(argv[7], nullptr, 10));
  const int drawn = argc > 9 ? std::atoi(argv[9]) : 200;
  if (drawn <= 0 || drawn > datagen::kFrequentWords) {
    std::fprintf(stderr, "full_card_measure: COUNT must lie in 1..%d\n", datagen::kFrequentWords);
    return tools::kUsageExit;
  }
  auto cj = datagen::measureChinese(text[0], datagen::parseChineseWordList(text[2]), tags, edict, cedict,
                                    datagen::kFrequentWords, drawn, seed);
  auto jc = datagen::measureJapanese(text[1], japanese, conjugations, edict, cedict, datagen::kFrequentWords, drawn, seed);
  datagen::applyGrades(tools::readFile(lists + "/measure_cj.tsv"), cj);
  datagen::applyGrades(tools::readFile(lists + "/measure_jc.tsv"), jc);
  const std::string head = "# word\ttranslation\tcheck through English\tgrade (right, rough, wrong; none)\n";
  if (!tools::writeFile(out + "/measure_cj.tsv", head + datagen::gradeLines(cj)) ||
      !tools::writeFile(out + "/measure_jc.tsv", head + datagen::gradeLines(jc))) {
    std::fprintf(stderr, "full_card_measure: cannot write to %s\n", out.c_str());
    return 1;
  }
  std::printf("Chinese to Japanese, seed %u: %s\n", seed, datagen::tally(cj).c_str());
  std::printf("Japanese to Chinese, seed %u: %s\n", seed, datagen::tally(jc).c_str());
  return 0;
}
