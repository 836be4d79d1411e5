// The console driver on the sample card: the card is built by datagen_card into a temporary
// device, and lines go through cjtranslate as through the translator's engine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/build_programs.h"

namespace {

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

  // Each line through the console driver; one output line per input line.
  std::vector<std::string> translate(const std::vector<std::string>& lines, std::string* errors = nullptr) {
    datagen::LinesRun run =
        datagen::runOnLines(datagen::shellQuoted(datagen::binFolder() + "/cjtranslate"), device_->root(), lines);
    status_ = run.status;
    if (errors) *errors = run.errors;
    return run.lines;
  }

  static datagen::TempDevice* device_;
  static bool cardBuilt_;
  int status_ = -1;
};

datagen::TempDevice* EndToEnd::device_ = nullptr;
bool EndToEnd::cardBuilt_ = false;

TEST_F(EndToEnd, SentencesOfTheSampleCard) {
  ASSERT_TRUE(cardBuilt_);
  struct Case {
    const char* chinese;
    const char* japanese;
  } cases[] = {
      // What the rules make of the sample card's words and grammar.
      {"他喝水。", "彼は水を飲む。"},  // subject, verb, object
      {"他很高兴。", "彼はとてもうれしい。"},  // adjective predicate
      {"你喝茶吗？", "あなたはお茶を飲むか？"},  // question with the final particle
      {"我不去学校。", "私は学校に行かない。"},  // negation
      {"今天我去北京。", "今日私は北京に行く。"},  // time word before the subject
      {"他在学校学习。", "彼は学校で勉強する。"},  // preposition phrase
      {"桌子上有三本书。", "机の上に三冊の本がある。"},  // localiser phrase
      {"我买了两本书。", "私は二冊の本を買った。"},  // numeral and classifier; 了 gives the past
      {"这本书很好。", "この本はとてもよい。"},  // demonstrative and classifier
      {"我喝了一杯茶。", "私は一杯のお茶を飲んだ。"},  // another classifier's counter
      {"这是我买的书。", "これは私が買う本だ。"},  // relative clause with the linker
      // Reporting verb and quotation. The line is cut after "：" and after the end mark inside the
      // quotation: "”" is a sentence of its own without hanzi and passes through; the "“" left
      // without its partner is no quoted span and takes no role, but keeps its place.
      {"他说：“我明天去。”", "彼は言う：“私の明日行く。”"},
      // The same cut before the question's closing mark: no sentence node wraps the clause, so
      // the particle's "か" and the question mark's "か？" both appear.
      {"他说：“你喝茶吗？”", "彼は言う：“あなたお茶を飲むかか？”"},
      {"他说：“我明天去”", "彼は言う：“私は明日行く”"},  // a whole quotation keeps both marks
      {"他在学校。", "彼は学校にいる。"},  // the verb of being somewhere takes に
      {"我没有钱。", "私はお金がない。"},  // negated existence
      {"他喝茶吧。", "彼はお茶を飲むでしょう。"},  // final particle of supposition
      {"hello 123", "hello 123"},  // no hanzi: passed through
      {"我āāāā", "★★中国語原文コードに誤りがあるため翻訳しません★★"},  // broken code: refused
      {"(1)他喝水。", "(1)彼は水を飲む。"},  // item number in front
      {"他喝水。他很高兴。", "彼は水を飲む。彼はとてもうれしい。"},  // two sentences in one line
  };
  std::vector<std::string> lines;
  for (const Case& k : cases) lines.push_back(k.chinese);
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(status_, 0) << errors;
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(out[i], cases[i].japanese) << lines[i];
    // The corpus has no hanzi without a Japanese form, and no "every" word.
    EXPECT_EQ(out[i].find("〓"), std::string::npos) << lines[i];
    EXPECT_EQ(out[i].find("ごとに"), std::string::npos) << lines[i];
  }
}

TEST_F(EndToEnd, WhatTheReaderSeesOfNumbersAndCharacters) {
  ASSERT_TRUE(cardBuilt_);
  const struct {
    const char* chinese;
    const char* japanese;
  } cases[] = {
      {"三千五百万人。", "3500万の人。"},  // numerals read in the card's order
      {"一百零五个学生。", "105個の学生。"},
      {"我有二十本书。", "私は20冊の本がある。"},
      // Simplified characters take their Japanese forms, not 〓, also inside dictionary words.
      {"虽然下雨，但是我去。", "雖然雨が降って、私は行く。"},
      {"谢谢你。", "あなたに感謝する。"},
      {"我很喜欢你。", "私はとてもあなたが好きだ。"},
      {"他不喜欢喝咖啡。", "彼はコーヒーを飲むのが好きではない。"},
      {"我饿了。", "私はお腹が空いた。"},
      {"我对他说话。", "私は彼に話す。"},
      {"这本书很有意思。", "この本はとても面白い。"},
      {"请坐。", "座って下さい。"},
      {"我被老师批评了。", "私は先生に批判された。"},
      {"2000年我在上海。", "2000年私上海にいる。"},  // a run of nouns is no per phrase
      {"我有100元。", "私は100元がある。"},  // an amount of money as the object of 有
      {"他每天都工作。", "彼は毎日みな働く。"},
      // Everyday shapes of the card's grammar.
      {"我昨天没去学校。", "私は昨日学校に行かなかった。"},  // subject before a time word; 没 is past
      {"我去过北京。", "私は北京に行ったことがある。"},        // 过 as experience
      {"我吃了饭。", "私はご飯を食べた。"},                    // 了
      {"我把书给他了。", "私は本を彼にあげた。"},              // 把
      {"他被妈妈叫了。", "彼はお母さんに呼ばれた。"},          // 被
      {"他比我高。", "彼は私より高い。"},                      // 比
      {"你呢？", "あなたは？"},                                // 呢 asks about the person
      {"我想去日本。", "私は日本に行きたい。"},                // 想
      {"我会说汉语。", "私は中国語を話せる。"},                // 会; 说 a language is 話す
      {"你去哪里？", "あなたはどこに行く？"},
      {"我有两个朋友。", "私は二人の友達がいる。"},  // persons exist with いる and count with 人
      {"桌子上有一只猫。", "机の上に一匹の猫がいる。"},
      {"他们在学校学习汉语。", "彼らは学校で中国語を勉強する。"},
  };
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.chinese);
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(out[i], cases[i].japanese) << lines[i];
    EXPECT_EQ(out[i].find("〓"), std::string::npos) << lines[i];
    EXPECT_EQ(out[i].find("ごとに"), std::string::npos) << lines[i];
  }
}

TEST_F(EndToEnd, EverydaySentences) {
  ASSERT_TRUE(cardBuilt_);
  const struct {
    const char* chinese;
    const char* japanese;
  } cases[] = {
      {"你叫什么名字？", "あなたの名前は何ですか？"},  // the name question asks for the name
      {"你叫什么？", "あなたの名前は何ですか？"},
      {"我们一起去吃饭吧。", "私たちは一緒にご飯を食べに行きましょう。"},  // 吧 after 我们 suggests; 去 + verb phrase is ～に行く
      {"我们去北京吧。", "私たちは北京に行きましょう。"},
      {"今天天气很好。", "今日は天気がとてもよい。"},  // a time word before a noun subject takes は
      {"我不知道他在哪里。", "私は彼がどこにいるか知らない。"},  // a place question as the object of 知道
      {"他在哪里？", "彼はどこにいる？"},
      {"请给我一杯水。", "一杯の水を下さい。"},  // 请 + 给我 asks for something
      {"他给我一本书。", "彼は一冊の本をくれる。"},
      {"他给我打电话。", "彼は私に電話する。"},  // 给我 before a verb
      {"我昨天看了一个电影。", "私は昨日映画を見た。"},  // 一个 before a noun is not said
      {"我有一个哥哥。", "私は兄がいる。"},
      {"你有几个孩子？", "あなたは何人の子供がいる？"},  // persons are counted with 人
      {"他是一位老师。", "彼は一人の先生だ。"},
      {"他们正在开会。", "彼らは会議をしている。"},  // 正在 is progressive
      {"他在图书馆看书。", "彼は図書館で本を読む。"},  // 看 + 书 reads
      {"我看过这本书。", "私はこの本を読んだことがある。"},  // 过 as experience
      {"我没去过日本。", "私は日本に行ったことがない。"},  // negated experience
      {"他来过。", "彼は来たことがある。"},
      {"这个苹果很好吃。", "このりんごはとてもおいしい。"},
      {"这个多少钱？", "これはいくらですか？"},  // 这个 without a noun; price question
      {"我买了三张纸。", "私は三枚の紙を買った。"},
      {"这本书是我买的。", "この本は私が買ったのだ。"},  // 是…的
      {"我是昨天来的。", "私は昨日来たのだ。"},
      {"他们是中国人吗？", "彼らは中国人ですか？"},  // copula questions
      {"这是什么？", "これは何ですか？"},
      {"我住在北京。", "私は北京に住んでいる。"},  // 住在 + place
      {"我不会说汉语。", "私は中国語を話せない。"},  // negated modals; 说 + language
      {"你不能去。", "あなたは行けない。"},
      {"我不想去。", "私は行きたくない。"},
      {"你可以走了。", "あなたは行ってもいい。"},  // 可以 as permission
      {"今天太热了。", "今日はあまりにも暑い。"},  // 太…了
      {"我今天早上喝了咖啡。", "私は今日朝コーヒーを飲んだ。"},
      {"因为下雨，所以我不去。", "雨が降るので、だから私は行かない。"},  // 因为 as ので; 所以 keeps だから, for it may stand alone
      {"如果下雨，我不去。", "もし雨が降れば、私は行かない。"},  // 如果 + verb phrase is conditional
      {"我去吃饭。", "私はご飯を食べに行く。"},
      {"我去商店买面包。", "私は店にパンを買いに行く。"},  // 去 + place + verb: the purpose takes に
      {"我想去日本旅行。", "私は日本に旅行しに行きたい。"},
      {"她很漂亮。", "彼女はとてもきれいだ。"},  // na-adjectives end in だ and take な before a noun
      {"她不漂亮。", "彼女はきれいではない。"},  // 不 + adjective
      {"这本书不贵。", "この本は高くない。"},
      {"我买了漂亮的衣服。", "私はきれいな服を買った。"},  // verb + adjective 的 noun
      {"我喜欢新的电脑。", "私は新しいコンピューターが好きだ。"},
      {"我给他打电话。", "私は彼に電話する。"},  // 给 + person before a verb
      {"我给妈妈写信。", "私はお母さんに手紙を書く。"},
      {"我把门关了。", "私はドアを閉めた。"},
      {"我被他打了。", "私は彼に殴られた。"},
      {"他也是学生。", "彼も学生だ。"},  // 也 after the subject is も
      {"她也很漂亮。", "彼女もとてもきれいだ。"},
      {"你几岁？", "あなたは何歳？"},  // numeral and classifier as the predicate
      {"他三十岁。", "彼は30歳だ。"},
      {"你好吗？", "お元気ですか？"},
      {"谁是你的老师？", "誰があなたの先生ですか？"},  // a question word as the subject takes が
      {"你是哪国人？", "あなたは何人ですか？"},
      {"现在几点？", "今は何時？"},
      {"他在做什么？", "彼は何をしている？"},  // 在 before a verb phrase is progressive
      {"我有很多朋友。", "私は多くの友達がいる。"},
      {"我还没吃饭。", "私はまだご飯を食べていない。"},  // 还没: not yet
      {"谢谢。", "ありがとう。"},
      // ASCII digits reach the dictionary widened and join their classifier like numeral words.
      {"我有5本书。", "私は5冊の本がある。"},
      {"他26岁。", "彼は26歳だ。"},
      {"我有100块钱。", "私は100元のお金がある。"},
      {"现在3点。", "今は3時。"},
      // A thing in a place is ある, a person いる.
      {"我的书在哪儿？", "私の本はどこにある？"},
      {"书在桌子上。", "本は机の上にある。"},
      {"我的书不在这里。", "私の本はここにない。"},
      {"他不在家。", "彼は家にいない。"},
      {"他还没来。", "彼はまだ来ていない。"},  // 还没 + verb: not yet
      {"因为很忙，所以他没来。", "とても忙しいので、だから彼は来なかった。"},
      // A-not-A questions ask like 吗; the two verbs must be the same word.
      {"你去不去？", "あなたは行くか？"},
      {"你有没有钱？", "あなたはお金があるか？"},
      {"你是不是学生？", "あなたは学生ですか？"},
      {"你吃不吃苹果？", "あなたはりんごを食べるか？"},
      // 比 with the difference after the adjective; age differences as 年上 and 年下.
      {"他比我大三岁。", "彼は私より三歳年上だ。"},
      {"我比他小两岁。", "私は彼より二歳年下だ。"},
      // A plural pronoun with a count of persons stands in apposition; 吧 still suggests.
      {"我们两个人去。", "私たち二人は行く。"},
      {"我们三个人一起去吃饭吧。", "私たち三人は一緒にご飯を食べに行きましょう。"},
      {"我们点菜吧。", "私たちは注文しましょう。"},
      // Shopping, travel, weather and requests.
      {"我要买两斤苹果。", "私は二斤のりんごを買いたい。"},
      {"我买了3本书。", "私は3冊の本を買った。"},
      {"我的哥哥26岁。", "私の兄は26歳だ。"},
      {"飞机场在哪儿？", "空港はどこにある？"},
      {"钥匙在桌子上。", "鍵は机の上にある。"},
      {"我坐公共汽车去学校。", "私はバスで学校に行く。"},  // 坐 + vehicle + 去 + place
      {"你去不去北京？", "あなたは北京に行くか？"},
      {"北京的冬天很冷。", "北京の冬はとても寒い。"},
      {"我很累。", "私はとても疲れた。"},
      {"请等一下。", "ちょっと待って下さい。"},
      {"我还没买票。", "私はまだ切符を買っていない。"},
      {"我们三个人去北京。", "私たち三人は北京に行く。"},
      // 是 + pronoun + 的 at the end owns the subject.
      {"这本书是谁的？", "この本は誰のですか？"},
      {"这本书是我的。", "この本は私のだ。"},
      {"这是谁的书？", "これは誰の本ですか？"},
  };
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.chinese);
  std::string errors;
  const std::vector<std::string> out = translate(lines, &errors);
  ASSERT_EQ(out.size(), lines.size()) << errors;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(out[i], cases[i].japanese) << lines[i];
    EXPECT_EQ(out[i].find("〓"), std::string::npos) << lines[i];
  }
}

TEST_F(EndToEnd, ConsoleDriverSaysWhatItDoesNotTranslate) {
  ASSERT_TRUE(cardBuilt_);
  std::string errors;
  // A character without a Chinese code is not handed over as '?'; a long run of short words the
  // analysis gives up on comes back unchanged, and the driver says so.
  const std::vector<std::string> out =
      translate({"我喝茶€", "我喝茶他喝水你喝茶我喝茶他喝水你喝茶我喝茶他喝水你喝茶我喝茶他喝水你喝茶", "我喝茶。"}, &errors);
  ASSERT_EQ(out.size(), 3u) << errors;
  EXPECT_EQ(out[0], "");
  EXPECT_EQ(out[2], "私はお茶を飲む。");
  EXPECT_NE(errors.find("line 1 not translated: € has no Chinese code"), std::string::npos) << errors;
  EXPECT_NE(errors.find("line 2 not translated"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("line 3"), std::string::npos) << errors;

  const std::string bin = datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  const std::string log = device_->root() + "/driver.txt";
  EXPECT_EQ(std::system((bin + " --help >" + datagen::shellQuoted(log) + " 2>&1").c_str()), 0);
  EXPECT_NE(datagen::readWholeFile(log).find("usage:"), std::string::npos);
  // Without the data folder on any card, the message names the folder looked for.
  const std::string empty = device_->root() + "/empty-device";
  std::system(("mkdir -p " + datagen::shellQuoted(empty)).c_str());
  EXPECT_NE(std::system(("SUITE_DEVICE_ROOT=" + datagen::shellQuoted(empty) + " " + bin + " </dev/null >" + datagen::shellQuoted(log) + " 2>&1").c_str()),
            0);
  EXPECT_NE(datagen::readWholeFile(log).find("CJSYSTEMDIC"), std::string::npos) << datagen::readWholeFile(log);
  EXPECT_NE(datagen::readWholeFile(log).find(empty), std::string::npos) << datagen::readWholeFile(log);
}

}  // namespace
