// suite_bench: speed of the suite's hot paths on the sample card, one thread each.
//   suite_bench [--sample FOLDER] [--full FOLDER] [--seconds S] [--sentences N] [--dump FILE]
//               [--rule-counts FILE]
// The card is built from FOLDER (default: the source tree's data/sample) into a temporary device
// folder; --full names the full card's build folder (default: the build tree's fullcard), whose
// Japanese-to-Chinese row is skipped when it is absent. Each figure is measured for at least S
// seconds (default 2) and printed with the machine's core count.
// --dump writes the translations of the Chinese corpus to FILE (status<TAB>Japanese, one a line),
// then each pinned table of data/tests through its console driver: a line "# <table>", then the
// table's rows with the driver's output in the place of the expected line, so that a translation
// change shows as a diff against the table. Tables of the full card need the build's fullcard.
// Last come the Japanese corpora of the two cards (status<TAB>Japanese<TAB>Chinese, one a line).
// --rule-counts translates the Chinese sentences of FILE (UTF-8, one a line) on the sample card and,
// when the build laid it out, the full card, and prints how often each Chinese-to-Japanese rule
// changed a sentence: "card<TAB>rule<TAB>count", one a line, then nothing else is measured.
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "apps/common/resource_tables.h"
#include "engine/common/code_convert.h"
#include "engine/common/rule_tally.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/cj_engine.h"
#include "engine/cj/transfer/sentence_driver.h"
#include "engine/jc/analyser/jp_analyzer.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/analyser/jp_morph_analysis.h"
#include "engine/jc/pipeline/jc_engine.h"
#include "input/recogniser/recogniser_api.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/bench/corpus.h"
#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/card/card_inputs.h"
#include "tools/datagen/cj_data_folder.h"
#include "tools/datagen/pinned_sentences.h"
#include "tools/datagen/recog_dictionary_writer.h"
#include "tools/datagen/temp_device.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  std::string sample = SUITE_SAMPLE_DIR;
  double seconds = 2.0;
  int sentences = 2000;
  std::string dump;  // --dump: the translations, one a line; only the translation figures
  std::string full = SUITE_FULLCARD_DIR;  // the full card's build folder (device/, source/); skipped when absent
  std::string ruleCorpus;                 // --rule-counts: the Chinese sentences to count the rules over
};

unsigned cores() {
  unsigned n = std::thread::hardware_concurrency();
  return n ? n : 1;
}

// Runs round() (which returns the units it handled) until at least `seconds` have passed; the
// units per second and the rounds run.
template <typename Round>
double perSecond(double seconds, int& rounds, Round round) {
  double units = 0;
  rounds = 0;
  const Clock::time_point start = Clock::now();
  double elapsed = 0;
  do {
    units += round();
    ++rounds;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < seconds);
  return units / elapsed;
}

void report(const char* what, double value, const char* unit, const std::string& detail) {
  std::printf("%-34s %12.3f %-16s (%s; %u cores)\n", what, value, unit, detail.c_str(), cores());
  std::fflush(stdout);
}

std::string sjis(const std::string& utf8) { return plat::wideToMultiByte(932, plat::utf8ToWide(utf8)); }

// Chinese sentences through the Chinese-to-Japanese engine, as the console translator runs them.
bool benchTranslation(const Options& o, const std::string& card, const std::vector<std::string>& corpus) {
  const std::unique_ptr<cj::CjEngine> engine = cj::openCjEngine(plat::utf8ToWide(datagen::cjDataFolder(card)));
  if (engine->engineStatus != 0) {
    std::fprintf(stderr, "suite_bench: the Chinese-to-Japanese engine does not start (%d)\n", engine->engineStatus);
    return false;
  }
  std::vector<std::string> lines;
  for (const std::string& s : corpus) lines.push_back(cj::engineCodeOf(*engine, plat::utf8ToWide(s)));
  int failed = 0, rounds = 0;
  std::u16string japanese;
  const double rate = perSecond(o.seconds, rounds, [&] {
    failed = 0;
    for (const std::string& line : lines) {
      std::string text = line;
      if (cj::translateChineseText(*engine, text, japanese) != 0 || japanese.empty()) ++failed;
    }
    return static_cast<double>(lines.size());
  });
  if (!o.dump.empty()) {
    std::string out;
    for (const std::string& line : lines) {
      std::string text = line;
      const int status = cj::translateChineseText(*engine, text, japanese);
      out += std::to_string(status) + '\t' + plat::wideToUtf8(japanese) + '\n';
    }
    if (FILE* f = std::fopen(o.dump.c_str(), "wb")) {
      std::fwrite(out.data(), 1, out.size(), f);
      std::fclose(f);
    }
  }
  cj::closeCjEngine(*engine);
  report("Chinese-to-Japanese translation", rate, "sentences/s",
         std::to_string(lines.size()) + " sentences x " + std::to_string(rounds) + ", " + std::to_string(failed) +
             " failed");
  return true;
}

// Points the device root at `device` for its life (empty: leaves it as it is), then puts it back.
class DeviceRootFor {
 public:
  explicit DeviceRootFor(const std::string& device) : set_(!device.empty()) {
    const char* previous = std::getenv(plat::kDeviceRootEnv);
    had_ = previous != nullptr;
    if (had_) saved_ = previous;
    if (set_) ::setenv(plat::kDeviceRootEnv, device.c_str(), 1);
  }
  ~DeviceRootFor() {
    if (!set_) return;
    if (had_)
      ::setenv(plat::kDeviceRootEnv, saved_.c_str(), 1);
    else
      ::unsetenv(plat::kDeviceRootEnv);
  }
  DeviceRootFor(const DeviceRootFor&) = delete;
  DeviceRootFor& operator=(const DeviceRootFor&) = delete;

 private:
  bool set_, had_ = false;
  std::string saved_;
};

// How often each Chinese-to-Japanese rule changed a sentence of the corpus on one card, printed as
// "card<TAB>rule<TAB>count". The device root is pointed at `device` for the run (empty: as it is).
bool countRules(const char* cardName, const std::string& device, const std::string& card,
                const std::vector<std::string>& corpus) {
  const DeviceRootFor root(device);
  bool ok = false;
  {
    const std::unique_ptr<cj::CjEngine> engine = cj::openCjEngine(plat::utf8ToWide(datagen::cjDataFolder(card)));
    if (engine->engineStatus != 0) {
      std::fprintf(stderr, "suite_bench: the Chinese-to-Japanese engine does not start on the %s card (%d)\n",
                   cardName, engine->engineStatus);
    } else {
      std::u16string japanese;
      int failed = 0;
      ruletally::start();
      for (const std::string& s : corpus) {
        std::string text = cj::engineCodeOf(*engine, plat::utf8ToWide(s));
        if (cj::translateChineseText(*engine, text, japanese) != 0) ++failed;
      }
      ruletally::stop();
      for (const ruletally::RuleCount& c : ruletally::counts())
        std::printf("%s\t%s\t%ld\n", cardName, c.rule.c_str(), c.count);
      std::fprintf(stderr, "suite_bench: %zu sentences on the %s card, %d failed\n", corpus.size(), cardName, failed);
      ok = true;
    }
    cj::closeCjEngine(*engine);
  }
  return ok;
}

// Japanese lines prepared and analysed, the cheapest path written out, as for MORPH.TMP.
// Japanese sentences from the words of a lexicon, in Shift-JIS; false when the lexicon lacks a
// word class the sentences need.
bool japaneseCorpus(const jc::JpAnalyzer* a, const std::string& lexicon, int count, std::vector<std::string>& lines) {
  bench::JapaneseWords words;
  if (!bench::readJapaneseWords(lexicon, words)) return false;
  // Endings by the names of the analyser's own forms.
  auto ending = [&](int type, bench::Form form) {
    const bool na = jc::conjTypeName(a, type) == sjis("ナ形容詞");
    const char* name = form == bench::kBaseForm      ? "基本形"
                       : form == bench::kTaForm      ? (na ? "ダ列タ形" : "タ形")
                       : na                          ? "ダ列基本連体形"
                                                     : "基本形";
    const std::string wanted = sjis(name);
    for (int k = 0; k < jc::kJpConjForms; ++k)
      if (jc::conjFormName(a, type, k) == wanted)
        return plat::wideToUtf8(plat::multiByteToWide(932, std::string(jc::conjFormEnding(a, type, k))));
    return std::string();
  };
  lines.clear();
  for (const std::string& s : bench::japaneseSentences(words, ending, count)) lines.push_back(sjis(s));
  return true;
}

bool benchAnalysis(const Options& o, const std::string& card, const std::string& lexicon) {
  std::unique_ptr<jc::JpAnalyzer> a{new jc::JpAnalyzer()};
  a->dataFolder = plat::utf8ToWide(datagen::jcDataFolder(card));
  jc::constructJpAnalyzer(a.get());
  if (jc::initJpAnalyzer(a.get()) != 1) {
    std::fprintf(stderr, "suite_bench: the Japanese analyser does not start\n");
    return false;
  }
  std::vector<std::string> lines;
  if (!japaneseCorpus(a.get(), lexicon, o.sentences, lines)) {
    std::fprintf(stderr, "suite_bench: jc/lexicon.txt lacks a word class the sentences need\n");
    jc::freeJpAnalyzer(a.get());
    return false;
  }
  std::size_t bytes = 0;
  for (const std::string& line : lines) bytes += line.size();
  std::FILE* sink = std::fopen("/dev/null", "w");
  if (!sink) return false;
  int failed = 0, rounds = 0;
  const double rate = perSecond(o.seconds, rounds, [&] {
    failed = 0;
    for (const std::string& line : lines) {
      if (jc::prepareJapaneseLine(line, a->input, jc::kJpInputSize) <= 0 || !jc::analyzeSentence(a.get())) {
        ++failed;
        continue;
      }
      if (!jc::writeMorphemes(a.get(), sink)) ++failed;
    }
    return static_cast<double>(bytes);
  });
  std::fclose(sink);
  report("Japanese analysis", rate / 1e6, "MB/s (Shift-JIS)",
         std::to_string(lines.size()) + " sentences, " + std::to_string(bytes) + " bytes x " +
             std::to_string(rounds) + ", " + std::to_string(failed) + " failed");
  // A run of kanji numerals: one line of 16,000 三.
  std::string numerals;
  for (int k = 0; k < 16000; ++k) numerals += sjis("三");
  // Processor time: the figure should not depend on what else the machine runs.
  const std::clock_t start = std::clock();
  const bool analysed =
      jc::prepareJapaneseLine(numerals, a->input, jc::kJpInputSize) > 0 && jc::analyzeSentence(a.get());
  const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  jc::freeJpAnalyzer(a.get());
  report("Kanji numeral run", seconds, "s (processor)",
         std::string("16,000 characters on one line") + (analysed ? "" : ", failed"));
  return true;
}

// Japanese sentences of a card's lexicon through the Japanese-to-Chinese engine, as the console
// translator runs them. The device root is pointed at `device` for the row (empty: as it is).
// With a dump, each sentence's status, Japanese and Chinese are appended to it.
bool benchJcTranslation(const Options& o, const char* what, const std::string& device, const std::string& dataFolder,
                        const std::string& lexicon, std::string* dump) {
  const DeviceRootFor root(device);
  bool ok = false;
  jc::JcEngine engine;
  std::string why;
  std::vector<std::string> lines;
  if (jc::openJcEngine(engine, plat::utf8ToWide(dataFolder), &why) != jc::kJcEngineReady) {
    std::fprintf(stderr, "suite_bench: the Japanese-to-Chinese engine does not start: %s\n", why.c_str());
  } else if (!japaneseCorpus(engine.analyzer.get(), lexicon, o.sentences, lines)) {
    std::fprintf(stderr, "suite_bench: the lexicon lacks a word class the sentences need\n");
  } else {
    int failed = 0, rounds = 0;
    std::u16string chinese;
    const double rate = perSecond(o.seconds, rounds, [&] {
      failed = 0;
      for (const std::string& line : lines)
        if (jc::translateJcLine(engine, line, chinese) != 0 || chinese.empty()) ++failed;
      return static_cast<double>(lines.size());
    });
    if (dump) {
      for (const std::string& line : lines) {
        const int status = jc::translateJcLine(engine, line, chinese);
        *dump += std::to_string(status) + '\t' + plat::wideToUtf8(plat::multiByteToWide(932, line)) + '\t' +
                 plat::wideToUtf8(chinese) + '\n';
      }
    }
    report(what, rate, "sentences/s",
           std::to_string(lines.size()) + " sentences x " + std::to_string(rounds) + ", " + std::to_string(failed) +
               " failed");
    ok = true;
  }
  jc::closeJcEngine(engine);
  return ok;
}

// The translator's simplified/traditional conversion over the Chinese corpus, both directions.
bool benchVariants(const Options& o, const std::vector<std::string>& corpus) {
  apptext::VariantTables tables;
  if (!apptext::loadTranslatorVariantTables(tables)) {
    std::fprintf(stderr, "suite_bench: the variant tables are missing\n");
    return false;
  }
  std::string joined;
  for (const std::string& s : corpus) joined += s + "\r\n";
  const std::u16string simplified = plat::utf8ToWide(joined);
  std::u16string traditional = simplified;
  apptext::toTraditional(tables, traditional);
  int changed = 0;
  for (std::size_t i = 0; i < simplified.size(); ++i) changed += simplified[i] != traditional[i];
  const double bytes = 2.0 * static_cast<double>(simplified.size());
  const std::string detail = std::to_string(simplified.size()) + " characters, " + std::to_string(changed) + " differ";
  int rounds = 0;
  double rate = perSecond(o.seconds, rounds, [&] {
    std::u16string text = simplified;
    apptext::toTraditional(tables, text);
    return bytes;
  });
  report("Simplified to traditional", rate / 1e6, "MB/s (UTF-16)", detail + ", x " + std::to_string(rounds));
  rate = perSecond(o.seconds, rounds, [&] {
    std::u16string text = traditional;
    apptext::toSimplified(tables, text);
    return bytes;
  });
  report("Traditional to simplified", rate / 1e6, "MB/s (UTF-16)", detail + ", x " + std::to_string(rounds));
  return true;
}

// A stroke sampled as a pen would: a point every two units along each segment.
void addDenseStroke(const datagen::RecogStroke& s, std::vector<std::uint16_t>& x, std::vector<std::uint16_t>& y,
                    std::vector<std::uint16_t>& counts) {
  std::size_t n = 0;
  auto point = [&](double px, double py) {
    x.push_back(static_cast<std::uint16_t>(px + 0.5));
    y.push_back(static_cast<std::uint16_t>(py + 0.5));
    ++n;
  };
  for (std::size_t k = 0; k < s.size(); ++k) {
    if (k == 0) {
      point(s[0].x, s[0].y);
      continue;
    }
    const double dx = s[k].x - s[k - 1].x, dy = s[k].y - s[k - 1].y;
    const int steps = std::max(1, static_cast<int>(std::hypot(dx, dy) / 2));
    for (int t = 1; t <= steps; ++t) point(s[k - 1].x + dx * t / steps, s[k - 1].y + dy * t / steps);
  }
  counts.push_back(static_cast<std::uint16_t>(n));
}

// Every sample template written again, through the recogniser's exports on the card's dictionaries.
bool benchRecognition(const Options& o) {
  struct Character {
    recog::StrokeInput input{};
    std::vector<std::uint16_t> x, y;
  };
  struct Set {
    int type = 0;
    std::vector<Character> characters;
  };
  std::vector<Set> sets;
  std::size_t characters = 0;
  for (const char* name : {"chujian.txt", "chufan.txt", "churi.txt"}) {
    datagen::RecogTemplateSet templates;
    if (!datagen::parseRecogTemplates(tools::readFile(o.sample + "/recogniser/" + name), templates)) {
      std::fprintf(stderr, "suite_bench: recogniser/%s does not read\n", name);
      return false;
    }
    Set set;
    set.type = templates.type;
    for (const datagen::RecogTemplate& t : templates.templates) {
      Character c;
      std::vector<std::uint16_t> counts;
      for (const datagen::RecogStroke& s : t.strokes) addDenseStroke(s, c.x, c.y, counts);
      c.input.strokeCount = static_cast<std::uint8_t>(std::min<std::size_t>(counts.size(), recog::kMaxInputStrokes));
      for (int k = 0; k < c.input.strokeCount; ++k) c.input.pointCounts[k] = counts[static_cast<std::size_t>(k)];
      c.input.boxWidth = static_cast<std::uint16_t>(templates.boxWidth);
      c.input.boxHeight = static_cast<std::uint16_t>(templates.boxHeight);
      c.input.classMask = 0xFF;
      set.characters.push_back(std::move(c));
    }
    characters += set.characters.size();
    sets.push_back(std::move(set));
  }
  // Each dictionary is loaded once; only the recognition calls are timed.
  int failed = 0;
  double recognised = 0, seconds = 0;
  for (Set& set : sets) {
    if (Mel_Init(set.type) != 0) {
      std::fprintf(stderr, "suite_bench: no recogniser dictionary of type %d on the card\n", set.type);
      return false;
    }
    int rounds = 0;
    const double rate = perSecond(o.seconds / static_cast<double>(sets.size()), rounds, [&] {
      for (Character& c : set.characters) {
        recog::RecogResult r{};
        if (Mel_Recog(&c.input, c.x.data(), c.y.data(), &r) != 0 || r.count == 0) ++failed;
      }
      return static_cast<double>(set.characters.size());
    });
    Mel_Close();
    recognised += rounds * static_cast<double>(set.characters.size());
    seconds += rounds * static_cast<double>(set.characters.size()) / rate;
  }
  report("Handwriting recognition", seconds * 1000.0 / recognised, "ms/character",
         std::to_string(characters) + " characters of three dictionaries, " +
             std::to_string(static_cast<long>(recognised)) + " recognised, " + std::to_string(failed) + " failed");
  return true;
}

// The pinned tables of data/tests through the console drivers of the build, appended to the dump:
// jc_* tables through jctranslate, cj_* through cjtranslate; *_sample on the sample card as the
// build's datagen_card writes it (with every rule family's renderings), *_full on the build's full
// card. The drivers run from a program folder of their own.
bool dumpPinnedTables(const std::string& dump, const std::string& sample) {
  namespace fs = std::filesystem;
  datagen::TempDevice sampleDevice;
  if (!datagen::writeCardWithProgram(sample, plat::hostPath(sampleDevice.card()))) {
    std::fprintf(stderr, "suite_bench: datagen_card did not write the sample card\n");
    return false;
  }
  const std::string& deviceRoot = sampleDevice.root();
  std::vector<fs::path> tables;
  for (const auto& e : fs::directory_iterator(SUITE_PINNED_DIR))
    if (e.path().extension() == ".tsv") tables.push_back(e.path());
  std::sort(tables.begin(), tables.end());
  std::string program = (fs::temp_directory_path() / "suite-bench-XXXXXX").string();
  if (!::mkdtemp(program.data())) return false;
  bool ok = true;
  for (const char* file : {"jctranslate", "cjtranslate", "Synparse.so"})
    ok = datagen::linkOrCopy(datagen::binFolder() + "/" + file, program + "/" + file) && ok;
  std::string out;
  for (const fs::path& table : tables) {
    const std::string name = table.stem().string();
    const std::string driver = name.rfind("jc_", 0) == 0 ? "jctranslate" : name.rfind("cj_", 0) == 0 ? "cjtranslate" : "";
    const bool full = name.size() > 5 && name.compare(name.size() - 5, 5, "_full") == 0;
    const std::string device = full ? datagen::buildFolder() + "/fullcard/device" : deviceRoot;
    std::vector<datagen::PinnedSentence> rows;
    std::string why;
    if (full && !fs::exists(device)) {
      out += "# " + table.filename().string() + ": not run, the build has no full card (target fullcard)\n";
      continue;
    }
    if (driver.empty() || !datagen::readPinnedSentencesFile(table.string(), rows, &why)) {
      std::fprintf(stderr, "suite_bench: %s not dumped: %s\n", table.filename().c_str(),
                   why.empty() ? "no driver of that name" : why.c_str());
      ok = false;
      continue;
    }
    std::vector<std::string> lines;
    for (const auto& r : rows) lines.push_back(r.input);
    const std::string command =
        "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(device) + " " + datagen::shellQuoted(program + "/" + driver);
    const datagen::LinesRun run = datagen::runOnLines(command, program, lines);
    if (run.status != 0) {
      std::fprintf(stderr, "suite_bench: %s: %s exited with %d\n%s", table.filename().c_str(), driver.c_str(), run.status,
                   run.errors.c_str());
      ok = false;
    }
    out += "# " + table.filename().string() + '\n';
    for (std::size_t i = 0; i < rows.size(); ++i) {
      datagen::PinnedSentence got = rows[i];
      got.expected = i < run.lines.size() ? run.lines[i] : std::string();
      out += datagen::pinnedSentenceLine(got);
    }
  }
  std::error_code ec;
  fs::remove_all(program, ec);
  if (FILE* f = std::fopen(dump.c_str(), "ab")) {
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
  } else {
    ok = false;
  }
  return ok;
}

bool parseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    if (arg == "--sample") {
      o.sample = value;
    } else if (arg == "--seconds") {
      o.seconds = std::atof(value);
      if (o.seconds <= 0) return false;
    } else if (arg == "--full") {
      o.full = value;
    } else if (arg == "--dump") {
      o.dump = value;
    } else if (arg == "--rule-counts") {
      o.ruleCorpus = value;
    } else if (arg == "--sentences") {
      o.sentences = std::atoi(value);
      if (o.sentences <= 0) return false;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parseOptions(argc, argv, o)) {
    tools::printUsage(argv, "[--sample FOLDER] [--full FOLDER] [--seconds S] [--sentences N] [--dump FILE] "
                                 "[--rule-counts FILE]");
    return tools::kUsageExit;
  }
  datagen::TempDevice device;
  std::vector<std::string> notes;
  std::string error;
  if (!datagen::writeSampleCard(o.sample, device.card(), datagen::engineCardInputs(), &notes, &error)) {
    std::fprintf(stderr, "suite_bench: sample card: %s\n", error.c_str());
    return 1;
  }
  bench::ChineseWords chinese;
  if (!bench::readChineseWords(tools::readFile(o.sample + "/cj/words.txt"), chinese)) {
    std::fprintf(stderr, "suite_bench: cj/words.txt lacks a word class the sentences need\n");
    return 1;
  }
  const std::vector<std::string> corpus = bench::chineseSentences(chinese, o.sentences);
  if (!o.ruleCorpus.empty()) {
    std::vector<std::string> sentences;
    std::istringstream in(tools::readFile(o.ruleCorpus));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] != '#') sentences.push_back(line);
    }
    if (sentences.empty()) {
      std::fprintf(stderr, "suite_bench: %s holds no sentence\n", o.ruleCorpus.c_str());
      return 1;
    }
    bool counted = countRules("sample", "", device.card(), sentences);
    if (!o.full.empty() && std::filesystem::exists(o.full + "/device"))
      counted = countRules("full", o.full + "/device", "\\Card", sentences) && counted;
    return counted ? 0 : 1;
  }

  std::printf("Sample card from %s; at least %.1f s per figure, one thread, %u cores\n", o.sample.c_str(), o.seconds,
              cores());
  bool ok = benchTranslation(o, device.card(), corpus);
  if (!o.dump.empty()) ok = dumpPinnedTables(o.dump, o.sample) && ok;
  // The Japanese-to-Chinese rows: the sample card, then the full card when the build laid it out.
  std::string jcDump;
  std::string* dump = o.dump.empty() ? nullptr : &jcDump;
  ok = benchJcTranslation(o, "Japanese-to-Chinese translation", "", datagen::jcDataFolder(device.card()),
                          tools::readFile(o.sample + "/jc/lexicon.txt"), dump) &&
       ok;
  const std::string fullLexicon = o.full + "/source/jc/lexicon.txt";
  if (!o.full.empty() && std::filesystem::exists(fullLexicon)) {
    ok = benchJcTranslation(o, "Japanese-to-Chinese (full card)", o.full + "/device",
                            "\\Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\", tools::readFile(fullLexicon), dump) &&
         ok;
  }
  if (!o.dump.empty()) {
    if (FILE* f = std::fopen(o.dump.c_str(), "ab")) {
      std::fwrite(jcDump.data(), 1, jcDump.size(), f);
      std::fclose(f);
    }
    return ok ? 0 : 1;
  }
  ok = benchAnalysis(o, device.card(), tools::readFile(o.sample + "/jc/lexicon.txt")) && ok;
  ok = benchVariants(o, corpus) && ok;
  ok = benchRecognition(o) && ok;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%-34s %12.1f MB\n", "Peak resident memory", usage.ru_maxrss / 1024.0);
  return ok ? 0 : 1;
}
