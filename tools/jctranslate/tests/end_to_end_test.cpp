// The console driver on the sample card: the card is built by datagen_card into a temporary
// device, the driver and its parser library are laid out in a program folder of their own, and
// lines go through jctranslate as through the translator's Japanese-to-Chinese direction.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/pinned_sentences.h"

namespace {

namespace fs = std::filesystem;

// A program folder outside the device: the driver and, when given, a parser library as Synparse.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& parser) {
    std::string tmpl = (fs::temp_directory_path() / "jctranslate-XXXXXX").string();
    if (char* made = ::mkdtemp(tmpl.data())) path_ = made;
    datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", path_ + "/jctranslate");
    if (!parser.empty()) datagen::linkOrCopy(parser, path_ + "/Synparse.so");
  }
  ~ProgramFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::set<std::string> files() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(path_)) names.insert(e.path().filename().string());
    return names;
  }

 private:
  std::string path_;
};

class EndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    device_ = new datagen::TempDevice();
    cardBuilt_ = datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                               plat::hostPath(device_->card()));
  }
  static void TearDownTestSuite() {
    delete device_;
    device_ = nullptr;
  }

  // Lines through the driver of the program folder; one output line per input line.
  std::vector<std::string> translate(const ProgramFolder& program, const std::vector<std::string>& lines,
                                     std::string* errors = nullptr) {
    datagen::LinesRun run = datagen::runOnLines(datagen::shellQuoted(program.path() + "/jctranslate"), device_->root(), lines);
    status_ = run.status;
    if (errors) *errors = run.errors;
    return run.lines;
  }

  // The pinned sentences of a table through the driver of the program folder: each output line is
  // the expected translation, and nothing goes to standard error.
  void expectTranslations(const ProgramFolder& program, const std::string& table) {
    std::vector<datagen::PinnedSentence> cases;
    std::string why;
    ASSERT_TRUE(datagen::readPinnedSentencesFile(table, cases, &why)) << why;
    std::vector<std::string> lines;
    for (const auto& k : cases) lines.push_back(k.input);
    std::string errors;
    const std::vector<std::string> out = translate(program, lines, &errors);
    ASSERT_EQ(status_, 0) << errors;
    ASSERT_EQ(out.size(), lines.size()) << errors;
    for (std::size_t i = 0; i < lines.size(); ++i)
      EXPECT_EQ(out[i], cases[i].expected) << cases[i].id << ' ' << cases[i].input << " (" << cases[i].note << ')';
    // Only the characters carried through are named, each on a row that says it carries.
    std::istringstream notes(errors);
    for (std::string note; std::getline(notes, note);) {
      EXPECT_NE(note.find("is carried through unchanged"), std::string::npos) << note;
      const std::size_t at = note.find("line ");
      ASSERT_NE(at, std::string::npos) << note;
      const std::size_t row = std::stoul(note.substr(at + 5)) - 1;
      ASSERT_LT(row, cases.size()) << note;
      EXPECT_NE(cases[row].note.find("carried"), std::string::npos) << cases[row].id << ": " << note;
    }
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
  int status_ = -1;
  const std::set<std::string> justTheProgram_{"jctranslate", "Synparse.so"};
};

datagen::TempDevice* EndToEnd::device_ = nullptr;
bool EndToEnd::cardBuilt_ = false;

// The pinned sentences of the sample card (data/tests/jc_sample.tsv).
TEST_F(EndToEnd, PinnedSentencesOfTheSampleCard) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  expectTranslations(program, datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/jc_sample.tsv");
  // The temporary files are gone again.
  EXPECT_EQ(program.files(), justTheProgram_);
}

TEST_F(EndToEnd, EverySentenceOfALineIsTranslated) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::string errors;
  const std::vector<std::string> out =
      translate(program, {"私は本を読んだ。彼は学生だ。猫が好きだ。明日東京へ行く。本を読む。", "猫が好きだ。本を読む。"}, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), 2u) << errors;
  // Five sentences: the fifth is there too, all on one line; after a full stop 本 is the noun
  // (书), not the counter.
  EXPECT_EQ(out[0], "我读了书。他是学生。喜欢猫。明天去东京。读书。");
  EXPECT_EQ(out[1], "喜欢猫。读书。");
}

// A line of the pinned sentences translates to their translations one by one.
TEST_F(EndToEnd, ALineOfSentencesTranslatesAsItsSentencesOneByOne) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  const std::vector<std::string> sentences = {"私は本を読んだ。", "彼は学生だ。", "二千五百円です。", "猫が好きだ。",
                                              "ラーメンを食べる。", "明日東京へ行く。"};
  std::string line, errors;
  for (const std::string& s : sentences) line += s;
  std::vector<std::string> lines = sentences;
  lines.push_back(line);
  const std::vector<std::string> out = translate(program, lines, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), lines.size()) << errors;
  std::string oneByOne;
  for (std::size_t i = 0; i < sentences.size(); ++i) oneByOne += out[i];
  EXPECT_EQ(out.back(), oneByOne);
}

// Without its end mark (。, ．, . or none).
std::string withoutEndMark(std::string s) {
  for (const char* mark : {"。", "．", "."})
    if (s.size() >= std::strlen(mark) && s.compare(s.size() - std::strlen(mark), std::string::npos, mark) == 0)
      return s.substr(0, s.size() - std::strlen(mark));
  return s;
}

// The single-sentence rows of the sample table without their end mark.
std::vector<std::string> singleSentenceStems() {
  std::vector<datagen::PinnedSentence> cases;
  std::string why;
  if (!datagen::readPinnedSentencesFile(datagen::pinnedTablesFolder(SUITE_TEST_SOURCE_DIR) + "/jc_sample.tsv", cases, &why))
    ADD_FAILURE() << why;
  std::vector<std::string> stems;
  for (const auto& k : cases) {
    const std::string stem = withoutEndMark(k.input);
    bool single = stem.size() < k.input.size();
    for (const char* mark : {"。", "？", "！", "?", "!", "．", "."}) single = single && stem.find(mark) == std::string::npos;
    if (single) stems.push_back(stem);
  }
  return stems;
}

// A sentence ending in ． or . translates as the same sentence ending in 。, apart from the end mark
// itself: every single-sentence row of the sample table; and two sentences ending in ． on one
// line translate as each alone.
TEST_F(EndToEnd, FullWidthAndAsciiFullStopsEndSentencesAsTheFullStopDoes) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  const std::vector<std::string> stems = singleSentenceStems();
  ASSERT_GE(stems.size(), 200u);
  std::vector<std::string> lines;
  for (const std::string& s : stems)
    for (const char* mark : {"。", "．", "."}) lines.push_back(s + mark);
  const std::size_t pairs = 200;
  for (std::size_t i = 0; i < pairs; ++i) lines.push_back(stems[i] + "．" + stems[i + 1] + "．");
  std::string errors;
  const std::vector<std::string> out = translate(program, lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < stems.size(); ++i) {
    const std::string& full = out[3 * i];
    EXPECT_EQ(withoutEndMark(out[3 * i + 1]), withoutEndMark(full)) << stems[i] << "．";
    EXPECT_EQ(withoutEndMark(out[3 * i + 2]), withoutEndMark(full)) << stems[i] << ".";
  }
  for (std::size_t i = 0; i < pairs; ++i)
    EXPECT_EQ(out[3 * stems.size() + i], out[3 * i + 1] + out[3 * (i + 1) + 1]) << stems[i] << "．" << stems[i + 1] << "．";
}

// Questions and exclamations end their sentences too: nothing of the next sentence moves into them.
TEST_F(EndToEnd, QuestionsAndExclamationsOnOneLineTranslateAsOneByOne) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  const std::vector<std::string> sentences = {
      "あなたは学生ですか？", "私は本を読んだ。", "彼は本を読みますか？", "猫が好きだ！", "明日東京へ行く。",
      "駅はどこですか？", "彼は医者ではない。", "昨日友達と映画を見た。", "あなたは何を食べたいですか？", "雨が降った。",
      "この本は面白い。", "彼女は日本語を勉強する。", "本を読んだ！", "三冊の本を買った。", "彼は学生ですか？",
      "私は水を飲みたい。", "机の上に本がある。", "明日は学校に行かない。", "あなたは先生ですか。", "彼は早く起きる。"};
  std::string line, errors;
  for (const std::string& s : sentences) line += s;
  std::vector<std::string> lines = sentences;
  lines.push_back(line);
  const std::vector<std::string> out = translate(program, lines, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), lines.size()) << errors;
  std::string oneByOne;
  for (std::size_t i = 0; i < sentences.size(); ++i) oneByOne += out[i];
  EXPECT_EQ(out.back(), oneByOne);
}

// Characters Shift-JIS lacks, and symbols with no Chinese code nor a close one, stay at their place.
TEST_F(EndToEnd, CharactersWithoutACodeAreCarriedAtTheirPlace) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::string errors;
  const std::vector<std::string> out =
      translate(program, {"本を読む。", "本を読む。😀", "〒本を読む。♪", "二〇二四年", "ラーメンを食べる。", "ジョン・スミス"},
                &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), 6u) << errors;
  EXPECT_EQ(out[1], out[0] + "😀");
  EXPECT_EQ(out[2], "〒" + out[0] + "♪");
  EXPECT_EQ(out[3], "二零二四年");
  // An unknown katakana word stays katakana: its long mark as GB2312's dash, never as 〖.
  EXPECT_EQ(out[4], "吃ラ—メン。");
  EXPECT_EQ(out[5], "ジョン·スミス");
  EXPECT_NE(errors.find("line 2: 😀 has no Japanese or Chinese code"), std::string::npos) << errors;
  EXPECT_NE(errors.find("line 3: 〒♪ has no Chinese code"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 4"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 5"), std::string::npos) << errors;
}

TEST_F(EndToEnd, EmptyAndOverlongLines) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::string errors;
  // Widened to full-width letters the long line no longer fits the analyser's input: it is
  // analysed in parts, and passes through as text without Japanese does.
  const std::vector<std::string> out = translate(program, {"", std::string(60000, 'a'), "本を読む。"}, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), 3u) << errors;
  EXPECT_EQ(out[0], "");
  EXPECT_TRUE(out[1] == std::string(60000, 'a')) << out[1].size();
  EXPECT_EQ(out[2], "读书。");
  EXPECT_EQ(errors, "");
  EXPECT_EQ(program.files(), justTheProgram_);
}

TEST_F(EndToEnd, AParserThatFailsLeavesTheLineUntranslated) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(FAILING_PARSER);
  std::string errors;
  const std::vector<std::string> out = translate(program, {"本を読む。", "猫が好きだ。"}, &errors);
  ASSERT_EQ(status_, 1) << errors;
  EXPECT_EQ(out, (std::vector<std::string>{"", ""}));
  // No message box: the failure is only the line's code.
  EXPECT_EQ(errors, "jctranslate: line 1 not translated: the engine could not translate it (status -1)\njctranslate: line 2 not translated: the engine could not translate it (status -1)\n");
  EXPECT_EQ(program.files(), justTheProgram_);
}

TEST_F(EndToEnd, WithoutTheParserLibraryTheDriverDoesNotStart) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program("");
  std::string errors;
  const std::vector<std::string> out = translate(program, {"本を読む。"}, &errors);
  // 2, as for any driver that cannot start; 1 is for lines not translated.
  EXPECT_EQ(status_, 2);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(errors,
            "メモリ不足のため、DLLがロードできませんでした。\nソフトリセットや、ほかのプログラムを終了するなどして"
            "使用可能メモリ量を確保してから起動しなおしてください。\n");
  EXPECT_EQ(program.files(), std::set<std::string>{"jctranslate"});
}

TEST_F(EndToEnd, AProgramFolderWithoutWritePermissionTranslates) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  // The temporary files live in a folder of the process's own under TMPDIR, gone at exit.
  const std::string tmp = program.path() + "-tmp";
  fs::create_directory(tmp);
  fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
  datagen::LinesRun run = datagen::runOnLines(
      "TMPDIR=" + datagen::shellQuoted(tmp) + " " + datagen::shellQuoted(program.path() + "/jctranslate"),
      device_->root(), {"本を読む。", "彼は学生だ。"});
  fs::permissions(program.path(), fs::perms::owner_all);
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.lines, (std::vector<std::string>{"读书。", "他是学生。"}));
  EXPECT_EQ(run.errors, "");
  EXPECT_EQ(program.files(), justTheProgram_);
  EXPECT_TRUE(fs::is_empty(tmp));
  fs::remove_all(tmp);
}

TEST_F(EndToEnd, WithoutAPrivateFolderTheDriverDoesNotStart) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  datagen::LinesRun run = datagen::runOnLines(
      "TMPDIR=" + datagen::shellQuoted(program.path() + "/none") + " " + datagen::shellQuoted(program.path() + "/jctranslate"),
      device_->root(), {"本を読む。"});
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_EQ(run.errors, "jctranslate: no private folder for the temporary files: no private folder can be made in " +
                            program.path() + "/none: No such file or directory\n");
}

// A run of exclamation or question marks comes through whole, however long.
TEST_F(EndToEnd, ARunOfMarksIsKeptWhole) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::string thirty;
  for (int k = 0; k < 30; ++k) thirty += "！";
  const std::vector<std::string> out =
      translate(program, {"本を読んだ" + thirty, "本を読んだ！！茶を飲んだ？？？", "本を読んだ!!!", "！！", "本を読んだ！"});
  EXPECT_EQ(status_, 0);
  EXPECT_EQ(out, (std::vector<std::string>{"读了书" + thirty, "读了书！！喝了茶？？？", "读了书！！！", "！！", "读了书！"}));
}

// A run of exclamation and question marks, alike or mixed, full-width or ASCII, follows its
// sentence whole: every single-sentence row of the sample table with a run of 2 to 40 marks (！？
// alternating, or a pattern of the four marks) translates as the sentence ending in the run's first
// mark, then the rest of the run in full-width marks.
TEST_F(EndToEnd, AMixedRunOfMarksFollowsItsSentenceWhole) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  const std::vector<std::string> stems = singleSentenceStems();
  ASSERT_GE(stems.size(), 200u);
  const char* marks[] = {"！", "？", "!", "?"};
  std::vector<std::string> lines;
  std::vector<std::string> rests;  // the run after its first mark, full-width
  for (std::size_t i = 0; i < stems.size(); ++i) {
    const std::size_t length = 2 + (i * 7) % 39;
    std::string run, rest;
    for (std::size_t k = 0; k < length; ++k) {
      // Even rows alternate ！ and ？ (starting with either); odd rows mix widths as well.
      const std::size_t m = i % 2 == 0 ? (k + i / 2) % 2 : (k * 3 + i + (k * k) / 3) % 4;
      run += marks[m];
      if (k > 0) rest += marks[m % 2];
    }
    lines.push_back(stems[i] + run);
    lines.push_back(stems[i] + run.substr(0, run.compare(0, 1, "!") == 0 || run.compare(0, 1, "?") == 0 ? 1 : 3));
    rests.push_back(rest);
  }
  std::string errors;
  const std::vector<std::string> out = translate(program, lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < stems.size(); ++i) EXPECT_EQ(out[2 * i], out[2 * i + 1] + rests[i]) << lines[2 * i];
}

// A run of 、 comes out as as many commas, where a lone 、 would stand; a lone one as before.
TEST_F(EndToEnd, ARunOfCommasKeepsEveryComma) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  struct Case {
    const char* before;  // the sentence around the run: {} is the run
    const char* after;   // its translation: {} is the run's commas
    const char* lone;    // the translation with one 、, when the run's place is not the lone comma's
  } cases[] = {
      {"彼は{}学生だ。", "他{}是学生。", nullptr},
      {"パンを食べて{}学校へ行った。", "吃面包{}去了学校。", nullptr},
      {"彼は本を読みながら{}コーヒーを飲んだ。", "他一边读书{}一边喝了咖啡。", nullptr},
      {"{}彼は学生だ。", "{}他是学生。", nullptr},
      {"私は本を読んだ{}", "我读了书{}", nullptr},
      // A lone comma before the full stop merges into it; a run is kept.
      {"本{}を読んだ。", "读了书{}。", "读了书。"},
  };
  const auto fill = [](std::string text, const std::string& run) { return text.replace(text.find("{}"), 2, run); };
  std::vector<std::string> lines, expected;
  for (const Case& c : cases) {
    for (int n = 1; n <= 3; ++n) {
      std::string marks, commas;
      for (int k = 0; k < n; ++k) marks += "、", commas += "，";
      lines.push_back(fill(c.before, marks));
      expected.push_back(n == 1 && c.lone ? c.lone : fill(c.after, commas));
    }
  }
  std::string errors;
  const std::vector<std::string> out = translate(program, lines, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(out[i], expected[i]) << lines[i];
}

// A relative TMPDIR is taken from the current folder; one that names no folder is refused with
// its cause. A driver ended by a signal or a closed pipe leaves no folder behind.
// Starts the driver in `work` with TMPDIR=rel, gives it one line, reads its translation, then
// sends the signal; the line read comes back and the driver's wait status in status.
std::string translateThenSignal(const std::string& driver, const std::string& work, int signal, int& status) {
  int in[2], out[2];
  if (::pipe(in) != 0 || ::pipe(out) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(in[0], 0);
    ::dup2(out[1], 1);
    for (int fd : {in[0], in[1], out[0], out[1]}) ::close(fd);
    if (::chdir(work.c_str()) != 0) ::_exit(127);
    ::setenv("TMPDIR", "rel", 1);
    ::execl(driver.c_str(), "jctranslate", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  const std::string line = "本を読む。\n";
  std::string got;
  if (::write(in[1], line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
    char c;
    while (::read(out[0], &c, 1) == 1 && c != '\n') got.push_back(c);
  }
  ::kill(pid, signal);
  ::waitpid(pid, &status, 0);
  ::close(in[1]);
  ::close(out[0]);
  return got;
}

TEST_F(EndToEnd, ARelativeTmpdirAndAnEndedDriverLeaveNothingBehind) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  const std::string driver = datagen::shellQuoted(program.path() + "/jctranslate");
  const std::string work = program.path() + "-work";
  fs::create_directories(work + "/rel");
  const std::string inWork = "cd " + datagen::shellQuoted(work) + " && ";
  datagen::LinesRun run = datagen::runOnLines(inWork + "TMPDIR=rel " + driver, device_->root(), {"本を読む。"});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(run.lines, std::vector<std::string>{"读书。"});
  EXPECT_EQ(run.errors, "");
  EXPECT_TRUE(fs::is_empty(work + "/rel"));

  // No private folder: the driver cannot start.
  run = datagen::runOnLines(inWork + "TMPDIR=none " + driver, device_->root(), {"本を読む。"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.errors, "jctranslate: no private folder for the temporary files: TMPDIR (none) is not an existing "
                        "folder: No such file or directory\n");

  // The reader of the output stops after one line: the driver's next write meets a closed pipe.
  std::vector<std::string> many(200, "本を読む。");
  run = datagen::runOnLines(inWork + "{ TMPDIR=rel " + driver + " | head -n 1; }", device_->root(), many);
  EXPECT_EQ(run.lines, std::vector<std::string>{"读书。"});
  EXPECT_TRUE(fs::is_empty(work + "/rel"));

  // Terminated, interrupted or hung up after a line, while it waits for the next.
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    int status = 0;
    EXPECT_EQ(translateThenSignal(program.path() + "/jctranslate", work, signal, status), "读书。") << signal;
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << " " << status;
    EXPECT_TRUE(fs::is_empty(work + "/rel")) << signal;
  }
  fs::remove_all(work);
}

// Each sentence alone, then all of them on lines: a line translates to its sentences'
// translations in order, however many the parse buffer holds at once.
TEST_F(EndToEnd, LongLinesLoseNoSentence) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  const std::vector<std::string> sentences = {
      "彼は図書館で本を読む。", "昨日友達と映画を見た。",   "私が読んだ本は面白い。", "パンを食べて、学校へ行った。",
      "机の上に本がある。",     "彼女は日本語を勉強する。", "私は学校へ行かなかった。", "彼は本を読みますか。",
  };
  std::string errors;
  const std::vector<std::string> alone = translate(program, sentences, &errors);
  ASSERT_EQ(alone.size(), sentences.size()) << errors;
  // 80 sentences, about 1,000 characters.
  std::string line, expected;
  for (int k = 0; k < 80; ++k) {
    line += sentences[static_cast<std::size_t>(k) % sentences.size()];
    expected += alone[static_cast<std::size_t>(k) % sentences.size()];
  }
  const std::vector<std::string> out = translate(program, {line}, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0], expected);
  EXPECT_EQ(errors, "");
}

// A sentence too long for the parse buffer is cut at its clause marks, one without them at
// word boundaries: every piece is translated.
TEST_F(EndToEnd, OverlongSentencesAreTranslatedInPieces) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::string clauses, unpunctuated;
  for (int k = 0; k < 60; ++k) clauses += "本を読み、";
  clauses += "水を飲む。";
  for (int k = 0; k < 1250; ++k) unpunctuated += "本を読む";  // 5,000 characters
  std::string errors;
  const std::vector<std::string> out = translate(program, {clauses, unpunctuated}, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(errors, "");
  auto count = [](const std::string& text, const std::string& word) {
    std::size_t n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++n;
    return n;
  };
  EXPECT_EQ(count(out[0], "读"), 60u) << out[0];
  EXPECT_EQ(count(out[0], "喝水"), 1u) << out[0];
  EXPECT_EQ(count(out[1], "读"), 1250u);
  EXPECT_EQ(count(out[1], "书"), 1250u);
}

// A sentence cut for the buffer is cut between phrases, never between a verb and its negation:
// each 読まない stays 不读.
TEST_F(EndToEnd, CutsForTheBufferFallBetweenPhrases) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::string line;
  for (int k = 0; k < 600; ++k) line += "彼は本を読まない";
  std::string errors;
  const std::vector<std::string> out = translate(program, {line}, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), 1u);
  auto count = [&](const std::string& word) {
    std::size_t n = 0;
    for (std::size_t at = out[0].find(word); at != std::string::npos; at = out[0].find(word, at + word.size())) ++n;
    return n;
  };
  EXPECT_EQ(count("他"), 600u);
  EXPECT_EQ(count("不读"), 600u);
  EXPECT_EQ(count("读书不"), 0u);
}

// One sentence of n clauses joined by 、 gives each clause as the clause alone does, also when
// the dependents of its last verb outgrow that verb's list (all the topics hang on it).
TEST_F(EndToEnd, ClausesJoinedByCommasAreAllTranslated) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  struct Clause {
    std::string japanese, word;  // word: one per clause in the Chinese
  };
  const std::vector<Clause> clauses = {{"私は友達に会った、", "朋友"}, {"私は本を読んだ、", "书"}};
  std::vector<std::string> alone;
  for (const Clause& c : clauses) alone.push_back(c.japanese);
  std::string errors;
  alone = translate(program, alone, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(alone, (std::vector<std::string>{"我跟朋友见面了，", "我读了书，"}));
  auto count = [](const std::string& text, const std::string& word) {
    std::size_t n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++n;
    return n;
  };
  // 111 clauses of nine characters make a line of 999.
  for (std::size_t n : {11u, 12u, 13u, 20u, 40u, 111u}) {
    for (std::size_t c = 0; c < clauses.size(); ++c) {
      std::string line, expected;
      for (std::size_t k = 0; k < n; ++k) {
        line += clauses[c].japanese;
        expected += alone[c];
      }
      const std::vector<std::string> out = translate(program, {line}, &errors);
      ASSERT_EQ(status_, 0) << errors;
      ASSERT_EQ(out.size(), 1u) << errors;
      EXPECT_EQ(count(out[0], "我"), n) << n << ' ' << out[0];
      EXPECT_EQ(count(out[0], clauses[c].word), n) << n << ' ' << out[0];
      EXPECT_EQ(out[0], expected) << n;
      EXPECT_EQ(errors, "");
    }
  }
}

// A long line whose only sentence mark is its last 。 is translated whole: no clause lost, none
// twice. (Where a line too long for the analyser is cut is pinned by the LineCut tests.)
TEST_F(EndToEnd, ALongLineWithOneFinalFullStopIsCutBetweenWords) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  auto count = [](const std::string& text, const std::string& word) {
    std::size_t n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + word.size())) ++n;
    return n;
  };
  for (std::size_t n : {60u, 120u, 199u}) {
    std::string line;
    for (std::size_t k = 0; k < n; ++k) line += "本を読んで";
    line += "寝た。";
    std::string errors;
    const std::vector<std::string> out = translate(program, {line}, &errors);
    ASSERT_EQ(status_, 0) << errors;
    ASSERT_EQ(out.size(), 1u) << errors;
    EXPECT_EQ(count(out[0], "书"), n) << n << ' ' << out[0];
    EXPECT_EQ(count(out[0], "。"), 1u) << n << ' ' << out[0];
    EXPECT_EQ(errors, "");
  }
}

// Four drivers of one program folder at once give what one gives after another.
TEST_F(EndToEnd, TranslatorsRunSideBySide) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::vector<std::string> lines;
  for (int k = 0; k < 40; ++k)
    for (const char* s : {"本を読む。", "私は本を読んだ。彼は学生だ。", "明日東京へ行く。", "猫が好きだ。"}) lines.push_back(s);
  std::string errors;
  const std::vector<std::string> one = translate(program, lines, &errors);
  ASSERT_EQ(one.size(), lines.size()) << errors;
  std::vector<datagen::LinesRun> runs(4);
  std::vector<std::thread> threads;
  for (std::size_t k = 0; k < runs.size(); ++k) {
    const std::string scratch = program.path() + "-run" + std::to_string(k);
    fs::create_directory(scratch);
    threads.emplace_back([&, k, scratch] {
      runs[k] = datagen::runOnLines(datagen::shellQuoted(program.path() + "/jctranslate"), scratch, lines);
    });
  }
  for (std::thread& t : threads) t.join();
  for (std::size_t k = 0; k < runs.size(); ++k) {
    EXPECT_EQ(runs[k].status, 0) << runs[k].errors;
    EXPECT_EQ(runs[k].errors, "");
    EXPECT_EQ(runs[k].lines, one) << "run " << k;
    fs::remove_all(program.path() + "-run" + std::to_string(k));
  }
  EXPECT_EQ(program.files(), justTheProgram_);
}

// A mark at the start of any line is skipped; a blank line gives a blank line and no failure;
// --help lists the exit statuses.
TEST_F(EndToEnd, MarksOnAnyLineAreSkippedAndHelpListsTheStatuses) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  std::string errors;
  const std::vector<std::string> out = translate(program, {"本を読む。", "\xEF\xBB\xBF本を読む。", " "}, &errors);
  ASSERT_EQ(out.size(), 3u) << errors;
  EXPECT_EQ(out[1], out[0]);
  EXPECT_EQ(out[1].find("\xEF\xBB\xBF"), std::string::npos);
  EXPECT_EQ(errors, "");
  EXPECT_EQ(status_, 0);

  const std::string log = device_->root() + "/help.txt";
  EXPECT_EQ(std::system((datagen::shellQuoted(program.path() + "/jctranslate") + " --help >" + datagen::shellQuoted(log)).c_str()), 0);
  const std::string help = datagen::readWholeFile(log);
  for (const char* part : {"Exit status: 0 when every line was translated", "1 when a line was not", "2 when"})
    EXPECT_NE(help.find(part), std::string::npos) << help;
}

}  // namespace
