// Every rule of the Japanese-to-Chinese engine that retires a negation (ない, ぬ, ず, ん, なく…,
// なければ…) still says no, on the sample card and on the full card the build lays out.
//
// The rules are found two ways. The sources: every function of engine/jc that retires words and
// names a negation (its words, findNegation, the negation slot) is in the table below, with a
// sentence it acts on, or among the functions left out, with the reason. The translations:
// jctranslate writes every word a rule retires (SUITE_JC_RETIRED), so each row shows that its rule
// retired a negation word of its sentence, and the pinned sentences of both cards may retire a
// negation only in rules the table holds.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/common/tool_files.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/pinned_sentences.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

// What the translation must show.
enum class Says {
  kNo,       // a negation: 不, 没, 别, 未, 无 or 非
  kAffirms,  // a double negation or a negative idiom that affirms: the word given
};

struct Row {
  const char* rules;  // the function that retires the negation; alternatives split by '|'
  const char* sentence;
  Says says;
  const char* word;   // kAffirms: a word the translation holds
  const char* cards;  // "sf" both cards, "f" the full card only (the sample card lacks a word)
};

// Rule function (as the trace names it) -> sentences it retires a negation of.
const Row kRows[] = {
    {"ruleNegationSuffix", "私は本を読まない。", Says::kNo, "", "sf"},
    {"ruleNegationSuffix", "私は本を読みませんでした。", Says::kNo, "", "sf"},
    {"ruleNegationSuffix|patternRule181", "彼は来なくなった。", Says::kNo, "", "sf"},
    {"ruleNegationSuffix", "彼は笑わなくなった。", Says::kNo, "", "sf"},
    {"ruleArimasenPlace", "この本は高くありません。", Says::kNo, "", "sf"},
    {"ruleArimasenPlace", "この部屋は寒くありません。", Says::kNo, "", "sf"},
    {"ruleCopulaNegation", "この本は高くない。", Says::kNo, "", "sf"},
    {"ruleCopulaNegation", "今は勉強どころではない。", Says::kNo, "", "sf"},
    {"ruleKanarazushimo", "この本は必ずしも高いとは言えない。", Says::kNo, "", "sf"},
    {"ruleKanarazushimo", "この本は必ずしも高いわけではない。", Says::kNo, "", "sf"},
    {"pairedAdverbWithNegation", "彼は一向に来ない。", Says::kNo, "", "sf"},
    {"pairedAdverbWithNegation", "彼は一向に手紙を書かない。", Says::kNo, "", "sf"},
    {"adverbBeforeNegatedVerb", "あえて何も言わない。", Says::kNo, "", "sf"},
    {"adverbBeforeNegatedVerb", "私は決して行かない。", Says::kNo, "", "sf"},
    {"adverbBeforeNegatedVerb", "彼は決して来ない。", Says::kNo, "", "sf"},
    {"ruleSorehodo", "それほど高くない。", Says::kNo, "", "sf"},
    {"patternRule129", "あまり高くない。", Says::kNo, "", "sf"},
    {"ruleZu", "朝ご飯を食べずに出かけた。", Says::kNo, "", "sf"},
    {"ruleZu", "休まずに働いた。", Says::kNo, "", "sf"},
    {"tohaAt", "彼は学生とは限らない。", Says::kNo, "", "sf"},
    {"tohaAt", "彼は学生とは言えない。", Says::kNo, "", "sf"},
    {"tohaAt", "彼が来ないとは限らない。", Says::kNo, "", "sf"},
    {"ruleKotoWaNai", "私は日本へ行ったことがない。", Says::kNo, "", "sf"},
    {"ruleKotoWaNai", "心配することはない。", Says::kNo, "", "sf"},
    {"rowsNiToBa", "彼が来るはずがない。", Says::kNo, "", "sf"},
    {"rowsNiToBa", "彼が行くわけがない。", Says::kNo, "", "sf"},
    {"rowsYoToWo", "彼は来るわけではない。", Says::kNo, "", "sf"},
    {"rowsMoToYouni", "金もなければ時間もない。", Says::kNo, "", "sf"},
    {"patternRule183", "私は行きたくない。", Says::kNo, "", "sf"},
    {"patternRule054", "私は泳ぐことができない。", Says::kNo, "", "sf"},
    {"miscSecond", "彼は休むことなく働いた。", Says::kNo, "", "sf"},
    {"naiAt", "行かないことはない。", Says::kNo, "", "sf"},
    {"ruleDenaiKagiri", "学生でなければ入れない。", Says::kNo, "", "sf"},
    {"ruleDewanaiKa", "彼は学生じゃない。", Says::kNo, "", "sf"},
    {"ruleDewanaiKa", "彼は学生ではないか。", Says::kNo, "", "sf"},
    {"ruleHouDewanai", "彼は強い方ではない。", Says::kNo, "", "sf"},
    {"ruleNakanaka", "なかなか来ない。", Says::kNo, "", "sf"},
    {"rulePassiveSuffix", "子供といえども許されない。", Says::kNo, "", "sf"},
    {"ruleTanniDake", "単に本だけではない。", Says::kNo, "", "sf"},
    {"ruleDake", "本だけではない。", Says::kNo, "", "sf"},
    {"ruleTsumori", "私は行くつもりはない。", Says::kNo, "", "sf"},
    {"toIuAt", "彼は学生というわけではない。", Says::kNo, "", "sf"},
    {"teFormAt", "行かないでください。", Says::kNo, "", "sf"},
    {"teFormAt", "テレビを見ないでください。", Says::kNo, "", "sf"},
    {"niPatterns1", "彼に限らず。", Says::kNo, "", "sf"},
    {"ruleTemoIi", "行っても差し支えない。", Says::kNo, "", "f"},
    {"consumeNegation", "友達に手伝ってもらわなかった。", Says::kNo, "", "f"},
    // Double negations and negative idioms that affirm.
    {"renderObligation", "行かなければならない。", Says::kAffirms, "必须", "sf"},
    {"renderObligation", "行かなくてはならない。", Says::kAffirms, "必须", "sf"},
    {"naPatterns", "行かなくてはいけない。", Says::kAffirms, "必须", "sf"},
    {"naiAt", "行かないわけにはいかない。", Says::kAffirms, "只好", "sf"},
    {"ruleKamoshirenai", "彼は来るかもしれない。", Says::kAffirms, "说不定", "sf"},
    {"rowsHitsuyouToMade", "行くほかはない。", Says::kAffirms, "只好", "sf"},
    {"ruleShikaNai", "行くしかない。", Says::kAffirms, "只有", "sf"},
    {"ruleShikaNai", "彼は肉しか食べない。", Says::kAffirms, "只吃", "sf"},
    {"ruleMettaNi", "彼はめったに来ない。", Says::kAffirms, "很少", "sf"},
    {"ruleToshikaOmoenai", "彼は病気としか思えない。", Says::kAffirms, "只能", "sf"},
    {"renderNiSuginai", "それは言い訳にすぎません。", Says::kAffirms, "只不过", "sf"},
    {"renderKureru", "手伝ってくれませんか。", Says::kAffirms, "请", "f"},
};

// Functions of the sources that name a negation and retire words but retire none of these
// sentences' negations, and why.
const std::map<std::string, std::string> kLeftOut = {
    {"applyConjunctiveParticleFamily", "its ん is the nominaliser of んだ, not a negation"},
    {"applyFocusParticleFamily", "tests ない after a focus particle to choose the case; the negation stays"},
    {"applyHazuRule", "はずがない and ないはずだ are taken first by rowsNiToBa"},
    {"applyNoNominaliserRule", "tests ない only to leave it out"},
    {"applySentenceFinalRules", "hands a final ぬ to ruleNegationSuffix"},
    {"patternRule001", "retires 必ずしも only; ruleKanarazushimo and the slot writer carry the negation"},
    {"ruleZaruoEnai", "ざるを得ない: the analyser cuts ざる apart on both cards"},
    {"ruleArimasen", "the shared negation step: the trace names the rule that calls it"},
    {"ruleCaseGa", "tests ない to choose 没有 (お金がない 没有钱); the negation stays"},
    {"ruleProgressive", "tests the negation to choose the aspect (読んでいない 没读); it stays"},
    {"ruleSuffixGeneric", "tests the negation after a suffix; ruleNegationSuffix renders it"},
    {"ruleKiri", "たきり … ない: keeps the negation (行ったきり帰らない 去了之后不回)"},
    {"ruleSae", "さえ … なければ: keeps the negation (雨さえ降らなければ 如果连雨不下)"},
    {"ruleSuraNai", "すら … ない: keeps the negation (子供すら知らない 甚至孩子都不知道)"},
    {"ruleSugiru", "its に過ぎない is renderNiSuginai's"},
    {"renderDemo", "tests that no negation follows"},
    {"patternRule029", "writes まい's negation itself and retires only the particles; まい reaches neither card as one word"},
    {"ruleMai", "まい reaches neither card's analyser as one word (行くまい)"},
    {"patternRule190", "すみません: the polite set phrase, no negation of meaning"},
    {"miscFirst", "申し訳ない, ございません: 申し訳 is on neither card"},
    {"patternRule011", "言うまでもない: the analyser does not give まで も ない apart after 言う on either card"},
    {"patternRule031", "V のではない: の is taken as a nominaliser first"},
    {"patternRule034", "ものともしない: the words are on neither card"},
    {"patternRule035", "V にも V-potential ない: the analyser reads 行こうにも as one form"},
    {"patternRule037", "ことができない is taken first by patternRule054"},
    {"patternRule041", "たことがない is taken first by ruleKotoWaNai"},
    {"patternRule163", "ようはずがない: the volitional form reaches neither card as a verb"},
    {"niPatterns2", "にとどまらず: 止まる is on neither card"},
    {"nounBakari", "ばかりでない: taken first by ruleCopulaNegation"},
    {"ruleDekiru", "できない is taken first by ruleNegationSuffix (不能)"},
    {"ruleDemoNakerebaDemoNai", "でも … なければ … でもない: the analyser gives でも as one word"},
    {"ruleKotoDakePatterns", "ないことには: the analyser gives こと に は apart as nouns and particles"},
    {"ruleSouniMoNai", "そうにもない: そう reaches neither card as the auxiliary"},
    {"ruleTakuteShikataganai", "たくてしかたがない: しかた is on neither card"},
    {"ruleTariTariShinai", "たり … なかったり: the analyser ends the second たり as り"},
    {"ruleToNaku", "何度となく: 何度 is no quantity question on either card"},
    {"ruleToiwazu", "と言わず … と言わず: taken first by ruleZu"},
    {"toiedomoGroupA", "といえども: the analyser cuts いえど も"},
    {"toiedomoGroupB", "といえども: the analyser cuts いえど も"},
    {"tokoroAt", "どころではない: taken first by ruleCopulaNegation"},
    {"tomoAt", "ともなく: the words are on neither card"},
};

// The short name of a function as std::source_location gives it: "void jc::f(...)" -> "f".
std::string shortName(const std::string& full) {
  std::string s = full.substr(0, full.find('('));
  if (const std::size_t sp = s.rfind(' '); sp != std::string::npos) s = s.substr(sp + 1);
  if (const std::size_t c = s.rfind("::"); c != std::string::npos) s = s.substr(c + 2);
  return s;
}

// A word that is a negation: its base form, or the negative forms the analyser keeps whole.
bool isNegationWord(const std::string& surface, const std::string& base, const std::string& conjType) {
  for (const char* b : {"ない", "無い", "ぬ", "ず", "ん"})
    if (base == b) return true;
  for (const char* f : {"なく", "なけれ", "なかっ"})
    if (surface.starts_with(f)) return true;
  return conjType == "27";
}

bool saysNo(const std::string& zh) {
  for (const char* n : {"不", "没", "别", "未", "无", "非"})
    if (zh.find(n) != std::string::npos) return true;
  return false;
}

struct Traced {
  std::vector<std::string> lines;                 // the translations
  std::vector<std::set<std::string>> negations;   // per line: the rules that retired a negation word
};

Traced translate(const std::string& device, const std::vector<std::string>& lines) {
  Traced t;
  std::string tmpl = (fs::temp_directory_path() / "jc-negations-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) return t;
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", tmpl + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", tmpl + "/Synparse.so");
  const std::string trace = tmpl + "/retired.txt";
  datagen::LinesRun run = datagen::runOnLines("SUITE_JC_RETIRED=" + datagen::shellQuoted(trace) + " SUITE_DEVICE_ROOT=" +
                                                  datagen::shellQuoted(device) + " " +
                                                  datagen::shellQuoted(tmpl + "/jctranslate"),
                                              tmpl, lines);
  t.lines = run.lines;
  t.negations.resize(lines.size());
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
    if (f.size() < 5) f.resize(5);
    const std::size_t n = static_cast<std::size_t>(std::atoi(f[0].c_str()));
    if (n >= 1 && n <= lines.size() && isNegationWord(f[2], f[3], f[4])) t.negations[n - 1].insert(shortName(f[1]));
  }
  fs::remove_all(tmpl);
  return t;
}

std::set<std::string> tableRules() {
  std::set<std::string> out;
  for (const Row& r : kRows) {
    std::istringstream alts(r.rules);
    for (std::string a; std::getline(alts, a, '|');) out.insert(a);
  }
  return out;
}

class RetiredNegations : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sample_ = new datagen::TempDevice;
    ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                              plat::hostPath(sample_->card())));
  }
  static void TearDownTestSuite() {
    delete sample_;
    sample_ = nullptr;
  }
  // 's' the sample card, 'f' the full card when the build tree holds it.
  static std::vector<std::pair<char, std::string>> cards() {
    std::vector<std::pair<char, std::string>> out{{'s', sample_->root()}};
    const std::string full = datagen::buildFolder() + "/fullcard/device";
    if (fs::exists(full)) out.push_back({'f', full});
    return out;
  }
  static datagen::TempDevice* sample_;
};
datagen::TempDevice* RetiredNegations::sample_ = nullptr;

// Each row's rule retires a negation word of its sentence, and the translation says no (or holds
// the word of the affirming idiom).
TEST_F(RetiredNegations, EachRuleStillSaysNo) {
  std::vector<std::string> inputs;
  for (const Row& r : kRows) inputs.push_back(r.sentence);
  for (const auto& [card, device] : cards()) {
    const Traced t = translate(device, inputs);
    ASSERT_EQ(t.lines.size(), inputs.size()) << device;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
      const Row& r = kRows[i];
      if (std::string(r.cards).find(card) == std::string::npos) continue;
      bool retired = false;
      std::istringstream alts(r.rules);
      for (std::string a; std::getline(alts, a, '|');) retired = retired || t.negations[i].count(a) > 0;
      std::string seen;
      for (const std::string& n : t.negations[i]) seen += n + " ";
      EXPECT_TRUE(retired) << card << ' ' << r.rules << ": " << r.sentence << " -> " << t.lines[i] << " (retired by: " << seen
                           << ')';
      if (r.says == Says::kNo)
        EXPECT_TRUE(saysNo(t.lines[i])) << card << ' ' << r.rules << ": " << r.sentence << " -> " << t.lines[i];
      else
        EXPECT_NE(t.lines[i].find(r.word), std::string::npos)
            << card << ' ' << r.rules << ": " << r.sentence << " -> " << t.lines[i];
    }
  }
}

// The pinned sentences of both cards retire negations only in rules the table holds.
TEST_F(RetiredNegations, PinnedSentencesRetireNegationsOnlyInListedRules) {
  const std::set<std::string> listed = tableRules();
  const std::string folder = datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR);
  for (const auto& [card, device] : cards()) {
    std::vector<datagen::PinnedSentence> cases;
    std::string why;
    ASSERT_TRUE(datagen::readPinnedSentencesFile(folder + (card == 's' ? "/jc_sample.tsv" : "/jc_full.tsv"), cases, &why))
        << why;
    std::vector<std::string> inputs;
    for (const auto& c : cases) inputs.push_back(c.input);
    const Traced t = translate(device, inputs);
    ASSERT_EQ(t.negations.size(), inputs.size());
    for (std::size_t i = 0; i < inputs.size(); ++i)
      for (const std::string& rule : t.negations[i])
        EXPECT_TRUE(listed.count(rule)) << card << ' ' << rule << " retires a negation of " << inputs[i];
  }
}

// Every function of engine/jc that retires words and names a negation is in the table or left out
// with its reason; no name is in both, and none of either is gone from the sources.
TEST(RetiredNegationSources, EveryRuleIsListed) {
  const std::regex retires(R"(\b(consumeWord|retireWord|eat|eats|eatsTo|consumeRange|consumeNegation)\s*\()");
  const std::regex negation(
      R"re("(ない|無い|ぬ|ず|ん|なく|なくて|なければ|なかっ|なかった|ませ|なくなる|ならない|なけれ)"|findNegation|kNegation)re");
  const std::regex definition(R"(^[A-Za-z][^;=]*?\b([A-Za-z_]\w*)\s*\()");
  std::set<std::string> found;
  for (const auto& e : fs::recursive_directory_iterator(std::string(SUITE_TEST_SOURCE_DIR) + "/engine/jc")) {
    const std::string path = e.path().string();
    if (e.path().extension() != ".cpp" || path.find("/tests/") != std::string::npos) continue;
    std::ifstream in(path);
    std::string name, body;
    bool inBody = false;
    for (std::string line; std::getline(in, line);) {
      if (!inBody) {
        std::smatch m;
        if (!line.starts_with("namespace") && !line.starts_with("using") && std::regex_search(line, m, definition) &&
            line.find(';') == std::string::npos) {
          name = m[1];
          body.clear();
        }
        if (!name.empty() && !line.empty() && line.back() == '{') inBody = true;
        if (!inBody && line.find(';') != std::string::npos) name.clear();
        continue;
      }
      if (line == "}") {
        if (std::regex_search(body, retires) && std::regex_search(body, negation)) found.insert(name);
        inBody = false;
        name.clear();
        continue;
      }
      body += line.substr(0, line.find("//")) + '\n';
    }
  }
  ASSERT_GE(found.size(), 40u);
  const std::set<std::string> listed = tableRules();
  for (const std::string& f : found)
    EXPECT_TRUE(listed.count(f) || kLeftOut.count(f)) << f << " retires words and names a negation but is not listed";
  for (const auto& [f, why] : kLeftOut) {
    EXPECT_FALSE(listed.count(f)) << f << " is listed twice";
    EXPECT_TRUE(found.count(f)) << f << " is left out but no longer retires words and names a negation";
  }
}

}  // namespace
