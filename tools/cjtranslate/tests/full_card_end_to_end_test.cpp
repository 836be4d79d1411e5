// The console driver on the full card that the build lays out beside the sample card
// (build tree: fullcard/device): everyday sentences whose words the sample card lacks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/build_programs.h"

namespace {

// Each line through cjtranslate on a device folder; one output line per input line.
std::vector<std::string> translate(const std::string& device, const std::vector<std::string>& lines) {
  const std::string scratch = ::testing::TempDir() + "full_card_" + std::to_string(::getpid());
  std::filesystem::create_directories(scratch);
  const std::string command = "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(device) + " " +
                              datagen::shellQuoted(datagen::binFolder() + "/cjtranslate");
  datagen::LinesRun run = datagen::runOnLines(command, scratch, lines);
  EXPECT_EQ(run.status, 0) << run.errors;
  std::filesystem::remove_all(scratch);
  return run.lines;
}

TEST(FullCardEndToEnd, EverydaySentencesOutsideTheSampleCard) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/CJSYSTEMDIC/cwcdic.dic")) << device;
  const struct {
    const char* chinese;
    const char* japanese;
  } cases[] = {
      {"我的弟弟在厨房做饭。", "私の弟は台所で料理を作る。"},
      {"我姐姐喜欢唱歌。", "私の姉は歌を歌うのが好きだ。"},
      {"我丈夫是司机。", "私の夫は運転手だ。"},  // a false friend corrected
      {"老板明天出发。", "社長は明日出発する。"},
      {"我们下午休息。", "私たちは午後休む。"},
      {"我哥哥在大学研究物理。", "私の兄は大学で物理を研究する。"},  // words of the open list
      {"我找到了我的雨伞。", "私は私の傘を見つけた。"},
      {"我妹妹会游泳。", "私の妹は泳げる。"},
      {"他们在餐厅吃晚饭。", "彼らはレストランで晩ご飯を食べる。"},
      {"我的儿子很聪明。", "私の息子はとても賢い。"},
      {"我的妻子在医院工作。", "私の妻は病院で働く。"},
      {"我们明天去机场。", "私たちは明日空港に行く。"},
      {"她的女儿很可爱。", "彼女の娘はとてもかわいい。"},
      {"我每天早上喝牛奶。", "私は毎日朝牛乳を飲む。"},  // subject before two time words
      // Everyday shapes of the card's grammar with the full card's words.
      {"我们一起去唱歌吧。", "私たちは一緒に歌を歌いに行きましょう。"},
      {"他们正在吃晚饭。", "彼らは晩ご飯を食べている。"},
      {"我昨天买了一个手机。", "私は昨日携帯電話を買った。"},
      {"请给我一杯咖啡。", "一杯のコーヒーを下さい。"},
      {"我住在东京。", "私は東京に住んでいる。"},
      {"这是我的雨伞吗？", "これは私の傘ですか？"},
      // Understandable, not yet natural: the object of 参加 takes を.
      {"我明天参加会议。", "私は明日会議を参加する。"},
      // Existence, A-not-A, 还没 and vehicles with the full card's words.
      {"我的雨伞在哪儿？", "私の傘はどこにある？"},
      {"我的手机不在这里。", "私の携帯電話はここにない。"},
      {"你去不去机场？", "あなたは空港に行くか？"},
      {"我还没找到我的雨伞。", "私はまだ私の傘を見つけていない。"},
      {"我坐出租车去机场。", "私はタクシーで空港に行く。"},
      {"他今天不上班。", "彼は今日出勤しない。"},
  };
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.chinese);
  const std::vector<std::string> out = translate(device, lines);
  ASSERT_EQ(out.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(out[i], cases[i].japanese) << lines[i];
    EXPECT_EQ(out[i].find("〓"), std::string::npos) << lines[i];
  }
}

}  // namespace
