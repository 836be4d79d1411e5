// Measures the full card's translations of frequent words, each way: 200 words drawn at random
// (seeded) from the 2,000 most frequent, with the card's translation, the check through English and
// the grade given by hand.
//   full_card_measure CARD-SOURCE FULL-LISTS WORD-LIST IPA-CSV EDICT CEDICT SEED OUT [COUNT [FIRST-LAST]]
// CARD-SOURCE is the card's readable sources (fullcard/source); the grades are read from
// FULL-LISTS/measure_cj.tsv and measure_jc.tsv, and written again with every drawn pair to
// OUT/measure_cj.tsv and OUT/measure_jc.tsv ("?" for a pair not graded yet). The tallies go to
// standard output. COUNT draws another number of words (2000: every frequent word, in a random order);
// FIRST-LAST draws from those ranks instead (2001-10000: the words past the 2,000 most frequent);
// "singles" takes the COUNT most frequent single characters each way, in order, graded from
// FULL-LISTS/singles_cj.tsv and singles_jc.tsv. A draw from FIRST-LAST is also written bare to
// OUT/draw_cj.tsv and draw_jc.tsv: rank, word and the card's translation a line, nothing else.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/full_card_measure.h"

int main(int argc, char** argv) {
  if (!tools::argumentsFit(argc, argv, 8, 10,
                           "CARD-SOURCE FULL-LISTS WORD-LIST IPA-CSV EDICT CEDICT SEED OUT [COUNT [FIRST-LAST|singles]]"))
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
  const bool singles = argc > 10 && std::string(argv[10]) == "singles";
  int first = 1, last = singles ? 5000 : datagen::kFrequentWords;
  if (argc > 10 && !singles && (std::sscanf(argv[10], "%d-%d", &first, &last) != 2 || first < 1 || last < first)) {
    std::fprintf(stderr, "full_card_measure: FIRST-LAST must be two ranks, 2001-10000\n");
    return tools::kUsageExit;
  }
  if (drawn <= 0 || drawn > last - first + 1) {
    std::fprintf(stderr, "full_card_measure: COUNT must lie in 1..%d\n", last - first + 1);
    return tools::kUsageExit;
  }
  const auto list = datagen::parseChineseWordList(text[2]);
  auto cj = singles ? datagen::measureChineseSingles(text[0], list, tags, edict, cedict, drawn)
                    : datagen::measureChinese(text[0], list, tags, edict, cedict, last, drawn, seed, first - 1);
  auto jc = singles ? datagen::measureJapaneseSingles(text[1], japanese, edict, cedict, drawn)
                    : datagen::measureJapanese(text[1], japanese, conjugations, edict, cedict, last, drawn, seed, first - 1);
  const std::string graded = singles ? "/singles_" : "/measure_";
  datagen::applyGrades(tools::readFile(lists + graded + "cj.tsv"), cj);
  datagen::applyGrades(tools::readFile(lists + graded + "jc.tsv"), jc);
  const std::string head = "# word\ttranslation\tcheck through English\tgrade (right, rough, wrong; none)\n";
  if (!tools::writeFile(out + graded + "cj.tsv", head + datagen::gradeLines(cj)) ||
      !tools::writeFile(out + graded + "jc.tsv", head + datagen::gradeLines(jc))) {
    std::fprintf(stderr, "full_card_measure: cannot write to %s\n", out.c_str());
    return 1;
  }
  // A draw from other ranks is also written bare, for a grader who sees nothing but it.
  if (argc > 10 && !singles &&
      (!tools::writeFile(out + "/draw_cj.tsv", datagen::drawLines(cj)) ||
       !tools::writeFile(out + "/draw_jc.tsv", datagen::drawLines(jc)))) {
    std::fprintf(stderr, "full_card_measure: cannot write to %s\n", out.c_str());
    return 1;
  }
  std::printf("Chinese to Japanese, seed %u: %s\n", seed, datagen::tally(cj).c_str());
  std::printf("Japanese to Chinese, seed %u: %s\n", seed, datagen::tally(jc).c_str());
  return 0;
}
