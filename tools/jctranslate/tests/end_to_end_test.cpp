// The console driver on the sample card: the card is built by datagen_card into a temporary
// device, the driver and its parser library are laid out in a program folder of their own, and
// lines go through jctranslate as through the translator's Japanese-to-Chinese direction.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
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

  // The sentences through the driver of the program folder: each output line is the pinned
  // translation, and nothing goes to standard error.
  template <typename Cases>
  void expectTranslations(const ProgramFolder& program, const Cases& cases) {
    std::vector<std::string> lines;
    for (const auto& k : cases) lines.push_back(k.japanese);
    std::string errors;
    const std::vector<std::string> out = translate(program, lines, &errors);
    ASSERT_EQ(status_, 0) << errors;
    ASSERT_EQ(out.size(), lines.size()) << errors;
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(out[i], cases[i].chinese) << lines[i];
    EXPECT_EQ(errors, "");
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
  int status_ = -1;
  const std::set<std::string> justTheProgram_{"jctranslate", "Synparse.so"};
};

datagen::TempDevice* EndToEnd::device_ = nullptr;
bool EndToEnd::cardBuilt_ = false;

TEST_F(EndToEnd, SentencesOfTheSampleCard) {
  ASSERT_TRUE(cardBuilt_);
  struct Case {
    const char* japanese;
    const char* chinese;
  } cases[] = {
      // What the rules make of the sample card's words.
      {"本を読む。", "读书。"},                        // verb and object
      {"私は本を読んだ。", "我读了书。"},              // topic; the past takes 了
      {"彼は学生だ。", "他是学生。"},                  // copula
      {"猫が好きだ。", "喜欢猫。"},                    // na-adjective predicate with が
      {"明日東京へ行く。", "明天去往东京。"},          // time noun, へ
      {"あなたは学生ですか。", "你是学生吗？"},        // question with か
      {"彼は本を読みますか。", "他读书吗？"},          // polite question
      {"彼は本を読まない。", "他不读书。"},            // negation
      {"彼は医者ではない。", "他不是医生。"},          // negated copula
      {"私は学校へ行かなかった。", "我没去往学校。"},  // negated past
      {"パンを食べて、学校へ行った。", "吃面包，去了往学校。"},  // て-form sequence
      {"私が読んだ本は面白い。", "我读的书有意思。"},  // relative clause takes the linking word
      {"本が読まれた。", "书被读了。"},                // passive
      {"三冊の本を買った。", "买了三本书。"},          // numeral and measure word
      {"彼は図書館で本を読む。", "他在图书馆读书。"},  // place of an action with で
      {"昨日友達と映画を見た。", "昨天和朋友看了电影。"},  // と of a companion
      {"この本は面白い。", "这个书有意思。"},          // demonstrative, adjective predicate
      {"彼は早く起きる。", "他很早地起床。"},          // adverbial adjective
      {"机の上に本がある。", "在桌子的上面有书。"},  // existence at a place
      {"私は水を飲みたい。", "我想喝水。"},            // たい
      {"本を読みます。", "读书。"},                    // polite form
      {"彼女は日本語を勉強する。", "她学习日语。"},    // サ変 verb
      {"雨が降った。", "雨下了。"},                    // intransitive verb in the past
      {"hello 123", "hello 123"},                       // no Japanese: passed through
  };
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  expectTranslations(program, cases);
  // The temporary files are gone again.
  EXPECT_EQ(program.files(), justTheProgram_);
}

// Predicates: the auxiliaries after a verb are suffixes of their own that the rules render.
TEST_F(EndToEnd, PredicatesOfTheSampleCard) {
  ASSERT_TRUE(cardBuilt_);
  struct Case {
    const char* japanese;
    const char* chinese;
  } cases[] = {
      // Negation: plain, polite, past, polite past; the negation of existence.
      {"私は本を読まない。", "我不读书。"},
      {"私は本を読みません。", "我不读书。"},
      {"私は本を読まなかった。", "我没读书。"},
      {"私は本を読みませんでした。", "我没读书。"},
      {"彼は寝ませんでした。", "他没睡觉。"},
      {"机の上に本がありません。", "在桌子的上面没有书。"},
      {"この本は高くない。", "这个书不高。"},
      {"彼は医者ではありません。", "他不是医生。"},
      {"彼女はきれいではない。", "她不漂亮。"},
      {"私は猫が好きではない。", "我不喜欢猫。"},
      // Polite and past forms, also of 来る.
      {"彼は本を読みます。", "他读书。"},
      {"私はパンを食べました。", "我吃了面包。"},
      {"授業が始まりました。", "课开始了。"},
      {"彼は来ました。", "他来了。"},
      {"彼は来ない。", "他不来。"},
      {"彼は来なかった。", "他没来。"},
      {"彼は宿題をした。", "他做了作业。"},
      // サ変 verbs: the aspect of the whole predicate.
      {"彼は日本語を勉強した。", "他学习了日语。"},
      {"私は散歩しました。", "我散步了。"},
      {"私は日本語を勉強しています。", "我学习着日语。"},
      // ている: the verb's aspect digits; its negation.
      {"彼は本を読んでいる。", "他读着书。"},
      {"彼は本を読んでいた。", "他在读书。"},
      {"私は本を読んでいない。", "我没读书。"},
      {"雨が降っていない。", "雨没下。"},
      // Conjecture.
      {"明日は雨が降るでしょう。", "明天雨下吧。"},
      {"明日は寒いでしょう。", "明天冷吧。"},
      {"彼は学生でしょう。", "他是学生吧。"},
      // Desire, passive, causative, potential.
      {"私は行きたい。", "我想去。"},
      {"私は本を読みたくない。", "我不想读书。"},
      {"彼女はコーヒーを飲みたかった。", "她想喝咖啡。"},
      {"私は彼に見られた。", "我被他看了。"},
      {"手紙が書かれた。", "信被写了。"},
      // られる after an ichidan verb in its base form reads as the potential.
      {"私は魚を食べられる。", "我能吃鱼。"},
      {"私は肉を食べられません。", "我不能吃肉。"},
      {"母は私に本を読ませた。", "母亲让我读了书。"},
      {"私は泳ぐことができない。", "我不能游泳。"},
      // Requests, prohibition, obligation, completion, likelihood, intention.
      {"本を読んでください。", "请读书。"},
      {"テレビを見ないでください。", "请别看电视。"},
      {"本を読むな。", "别读书。"},
      {"私は本を読まなければならない。", "我必须读书。"},
      {"彼は本を読んでしまった。", "他读书了。"},
      {"明日は雨が降るかもしれない。", "明天雨说不定下。"},
      {"雨が降りそうだ。", "雨快要下了。"},
      {"私は明日行くつもりだ。", "我打算明天去。"},
      {"彼は学生らしい。", "他好像学生。"},
      // ながら after the continuative.
      {"彼は本を読みながら、コーヒーを飲んだ。", "他一边读书，一边喝了咖啡。"},
  };
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  expectTranslations(program, cases);
}

// Case phrases and time words: where each lands before the verb, and the word it takes.
TEST_F(EndToEnd, CasePhrasesAndTimeWords) {
  ASSERT_TRUE(cardBuilt_);
  struct Case {
    const char* japanese;
    const char* chinese;
  } cases[] = {
      {"私は友達と映画を見た。", "我和朋友看了电影。"},      // a person と a thing: with the verb
      {"本と雑誌を買った。", "买了书和杂志。"},              // two things: one object
      {"母と父が来た。", "母亲和父亲来了。"},                  // two persons: one subject
      {"彼女は毎朝コーヒーを飲みます。", "她每天早上喝咖啡。"},  // 毎朝 one time word
      {"彼は三時に来た。", "他三点来了。"},                    // a time point with に: before the verb
      {"会議は三時に始まります。", "会议三点开始。"},
      {"子供たちが公園で遊んでいる。", "孩子们在公园玩着。"},  // で of a place: before the verb
      {"五月に日本へ行った。", "五月去了往日本。"},
      {"友達に手紙を書きました。", "给朋友写了信。"},        // に of a receiver
      {"東京に行く。", "去东京。"},                          // に of a goal: the object of a verb of going
      {"東京に住んでいる。", "在东京住着。"},                // に of a place
      {"静かな部屋で本を読む。", "在安静的房间读书。"},      // で after a place by its codes
      {"家から駅まで歩きます。", "从家到车站走。"},          // から, まで
      {"新しい友達に手紙を書いた。", "给新的朋友写了信。"},  // the case word of a noun with a modifier
      {"私の部屋で本を読む。", "在我的房间读书。"},
      {"私は鉛筆で手紙を書いた。", "我用铅笔写了信。"},      // で of a means
      {"母は車で駅へ行った。", "母亲坐汽车去了往车站。"},  // で of a vehicle; 了 before 往 is not natural yet
      {"私の友達の本です。", "是我的朋友的书。"},            // a chain of の
      {"三枚の写真を見た。", "看了三张照片。"},              // a measure word takes no 的
      {"三歳の子供が来た。", "三岁的孩子来了。"},              // an age does
      {"本を三冊買った。", "买了书三本。"},                  // a counter before its verb
      {"彼女はご飯を食べた。", "她吃了饭。"},                // a prefix after a particle
      {"彼は子供に親切だ。", "他对孩子亲切。"},              // に before an adjective
      {"友達と新しい映画を見た。", "和朋友看了新的电影。"},  // past the adjective to the verb
      {"本と新しい雑誌を買った。", "买了书和新的杂志。"},    // past the adjective to the noun
      {"東京では雨が降った。", "东京雨下了。"},              // では: で and は retired
      {"友達とは映画を見た。", "和朋友看了电影。"},          // とは: a companion still
      {"月曜日から金曜日まで学校へ行く。", "从星期一到星期五去往学校。"},
      {"会議は何時ですか。", "会议是几点？"},                // 何時 a question word of its own
      {"家の後ろに山がある。", "在家的后面有山。"},          // a place beside a noun
      {"駅の前に銀行がある。", "在车站的前有银行。"},        // understandable: 车站前 is better
      {"三年前に日本へ行った。", "在三年前去了往日本。"},    // a time ago
      {"毎日二時間勉強する。", "每天学习二个小时。"},        // a length of time after the verb
      {"三十分待った。", "等了三十分钟。"},
      {"父は銀行から金を借りた。", "父亲从银行借了钱。"},    // から after a noun: from
      {"ご両親は元気ですか。", "父母好吗？"},                // the prefix ご leaves nothing behind
      {"私は台所で料理を作った。", "我在厨房做了菜。"},      // で after a room
      {"私は友達と昼ご飯を食べた。", "我和朋友中午吃了饭。"},  // a noun before a prefixed noun
      {"彼は学校に行きました。", "他去了学校。"},            // に after 行く, 来る, 帰る: no 到
      {"家に帰る。", "回家。"},
      {"学校には行かない。", "不去学校。"},                  // には: the に still marks the goal
      {"机の上には本がある。", "在桌子的上面有书。"},        // には of a place
      {"私は毎日電車で会社に通っています。", "我每天坐电车去公司。"},  // 通う: to (去), a habit takes no 着
      {"この問題について話し合いましょう。", "关于这个问题商量吧。"},  // について one set phrase
      {"彼は病院に入院した。", "他在医院住院了。"},          // a サ変 verb keeps its past
      {"天気がいいので散歩に出かけた。", "因为天气好出去了散步。"},  // the purpose of going: no 到
  };
  ProgramFolder program(datagen::binFolder() + "/Synparse.so");
  expectTranslations(program, cases);
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
  EXPECT_EQ(out[0], "我读了书。他是学生。喜欢猫。明天去往东京。读书。");
  EXPECT_EQ(out[1], "喜欢猫。读书。");
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
  ASSERT_EQ(status_, 0) << errors;
  EXPECT_EQ(out, (std::vector<std::string>{"", ""}));
  // No message box: the failure is only the line's code.
  EXPECT_EQ(errors, "jctranslate: line 1 not translated (-1)\njctranslate: line 2 not translated (-1)\n");
  EXPECT_EQ(program.files(), justTheProgram_);
}

TEST_F(EndToEnd, WithoutTheParserLibraryTheDriverDoesNotStart) {
  ASSERT_TRUE(cardBuilt_);
  ProgramFolder program("");
  std::string errors;
  const std::vector<std::string> out = translate(program, {"本を読む。"}, &errors);
  EXPECT_EQ(status_, 1);
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
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(run.lines.empty());
  EXPECT_EQ(run.errors, "jctranslate: no private folder for the temporary files\n");
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

}  // namespace
