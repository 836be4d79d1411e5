// The console driver on the full card that the build lays out beside the sample card
// (build tree: fullcard/device): everyday Japanese sentences whose words the sample card lacks.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/datagen/build_programs.h"

namespace {

namespace fs = std::filesystem;

// Each line through jctranslate on a device folder, from a program folder of its own (the
// driver writes its temporary files there); one output line per input line.
std::vector<std::string> translate(const std::string& device, const std::vector<std::string>& lines) {
  std::string tmpl = (fs::temp_directory_path() / "jc-full-card-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) return {};
  const std::string program = tmpl;
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", program + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", program + "/Synparse.so");
  const std::string command =
      "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(device) + " " + datagen::shellQuoted(program + "/jctranslate");
  datagen::LinesRun run = datagen::runOnLines(command, program, lines);
  EXPECT_EQ(run.status, 0) << run.errors;
  fs::remove_all(program);
  return run.lines;
}

TEST(FullCardEndToEnd, EverydaySentencesOutsideTheSampleCard) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(fs::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic")) << device;
  ASSERT_TRUE(fs::exists(datagen::buildFolder() + "/bin/Synparse.so"));
  const struct {
    const char* japanese;
    const char* chinese;
  } cases[] = {
      // Good.
      {"祖父は毎朝牛乳を飲む。", "祖父每天早上喝牛奶。"},
      {"祖母は毎晩日記を書く。", "祖母每天晚上写日记。"},
      {"祖母は毎朝牛乳を飲む。", "祖母每天早上喝牛奶。"},
      {"兄は毎晩小説を読む。", "哥哥每天晚上读小说。"},
      {"作家は書斎で小説を書いた。", "作家在书斋写了小说。"},
      {"祖父は書斎で手紙を書いた。", "祖父在书斋写了信。"},
      {"彼は薬を飲んだ。", "他喝了药。"},
      {"私は地図を見た。", "我看了地图。"},
      {"私の祖父は医者だ。", "我的祖父是医生。"},
      {"祖父は病院に行った。", "祖父去了医院。"},          // the goal of a verb of going: its object
      {"兄は銀行に戻った。", "哥哥回了银行。"},
      {"弟は毎日図書館に通っている。", "弟弟每天去图书馆。"},
      // Understandable, not yet natural.
      {"彼は経済の先生だ。", "他是经济的老师。"},          // 经济老师 needs no 的
      {"姉は経済を勉強している。", "姐姐学习着经济。"},    // 在学习 is the usual progressive
      {"彼は窓を開けた。", "他打开了窗户。"},
      {"叔父は空港で友達を待った。", "叔父在空港等了朋友。"},  // 空港 for 机场
      {"私は台所で野菜を切った。", "我在厨房切了蔬菜。"},
      {"祖母は台所で豚肉を焼いた。", "祖母在厨房烧了豚肉。"},  // 豚肉 for 猪肉
      {"私の叔父は弁護士だ。", "我的叔父是辩护士。"},    // 辩护士 for 律师
      {"叔父は空港に着いた。", "叔父到了空港。"},        // 空港 for 机场
  };
  std::vector<std::string> lines;
  for (const auto& k : cases) lines.push_back(k.japanese);
  const std::vector<std::string> out = translate(device, lines);
  ASSERT_EQ(out.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(out[i], cases[i].chinese) << lines[i];
    EXPECT_EQ(out[i].find("〓"), std::string::npos) << lines[i];
  }
}

}  // namespace
