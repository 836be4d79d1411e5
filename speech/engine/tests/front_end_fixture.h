// Speech tables with the readings the front-end tests speak, loaded into the engine, and helpers
// that show unit lists as text.
#pragma once
#include "platform/core/codepage.h"
#include "speech/engine/front_end.h"
#include "speech/engine/speech_data.h"
#include "tools/datagen/speech_tables_writer.h"
#include "tools/datagen/speech_units_writer.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace speechtest {

inline constexpr const char* kFrontSource = R"(
hanzi 妈 ma1 weight=10
hanzi 你 ni3 weight=50
hanzi 好 hao3,hao4 weight=50
hanzi 爱 ai4 weight=40
hanzi 我 wo3 weight=50
hanzi 很 hen3 weight=40
hanzi 是 shi4 weight=60
hanzi 不 bu4 weight=60
hanzi 看 kan4 weight=30
hanzi 个 ge4 prop=0x40
hanzi 只 zhi3,zhi1 prop=0x40
hanzi 一 yi1 prop=3
hanzi 二 er4 prop=3
hanzi 三 san1 prop=3
hanzi 四 si4 prop=3
hanzi 五 wu3 prop=3
hanzi 六 liu4 prop=3
hanzi 七 qi1 prop=3
hanzi 八 ba1 prop=3
hanzi 九 jiu3 prop=3
hanzi 十 shi2 prop=3
hanzi 零 ling2 prop=3
hanzi 百 bai3 prop=3
hanzi 千 qian1 prop=3
hanzi 万 wan4 prop=3
hanzi 幺 yao1
hanzi 点 dian3
hanzi 整 zheng3
hanzi 分 fen1
hanzi 之 zhi1
hanzi 比 bi3
hanzi 年 nian2
hanzi 月 yue4
hanzi 日 ri4
hanzi 杠 gang4
hanzi 转 zhuan3
hanzi 又 you4
hanzi 除 chu2
hanzi 以 yi3
hanzi 公 gong1
hanzi 里 li3
hanzi 每 mei3
hanzi 小 xiao3
hanzi 时 shi2
hanzi 电 dian4
hanzi 话 hua4
hanzi 银 yin2
hanzi 行 xing2,hang2
hanzi 研 yan2 weight=20
hanzi 究 jiu1 weight=20
hanzi 生 sheng1 weight=20
hanzi 命 ming4 weight=20
hanzi 起 qi3 weight=20
hanzi 源 yuan2 weight=20
hanzi 说 shuo1
hanzi 他 ta1
hanzi 的 de5
hanzi 书 shu1
hanzi 王 wang2 surname=wang2
hanzi 先 xian1
hanzi 儿 er2,er5
hanzi 冒 mao4 prop=0x100
hanzi 号 hao4 prop=0x100
hanzi 吃 chi1 prop=0x200
hanzi 哪 na3
hanzi 为 wei4,wei2
hanzi 什 shen2
hanzi 么 me5
hanzi 下 xia4
hanzi 午 wu3
hanzi 赛 sai4
word 下午 100 time
word 比赛 100
word 妈妈 100
word 你好 100
word 爱好 100
word 银行 100
word 研究 100
word 研究生 90
word 生命 100
word 起源 100
word 先生 100
word 哪儿 100
word 什么 100
word 为什么 100
polyword 爱好 1 1
polyword 银行 1 1
polyword 为什么 0 1
polyword 哪儿 1 1
symbol @ 艾特
symbol § 一二三四五
hanzi 克 ke4 prop=0x400000
hanzi 林 lin2 prop=0xC00000
hanzi 顿 dun4 prop=0xC00000
hanzi 尔 er3 prop=0xC00000
hanzi 斯 si1 prop=0x4400000
symbol : 冒号
hanzi 春 chun1
hanzi 夏 xia4
hanzi 秋 qiu1
hanzi 冬 dong1
hanzi 雪 xue3
hanzi 金 jin1
hanzi 木 mu4
hanzi 水 shui3
hanzi 火 huo3
hanzi 土 tu3
word 春夏秋 100
word 冬雪 100
word 春夏 100
word 秋冬雪 100
word 金木水 100
word 火土 100
word 水火土 100
)";

class FrontEndFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = device_.card() + "\\ChTTSData\\";
    std::string error;
    datagen::SpeechSource source;
    ASSERT_TRUE(datagen::parseSpeechSource(kFrontSource, source, &error)) << error;
    ASSERT_TRUE(datagen::writeSpeechTables(folder_, source));
    ASSERT_TRUE(datagen::writeSyllableUnits(folder_, {{0, {datagen::syntheticUnitSamples(0, 0)}}}));
    ASSERT_TRUE(datagen::writeLetterUnits(folder_, {datagen::syntheticUnitSamples(4200, 0)}));
    ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
  }
  void TearDown() override {
    speech::setPieceHook(nullptr);
    speech::freeSpeechData();
  }

  datagen::TempDevice device_;
  std::string folder_;
};

// Internal units as UTF-8.
inline std::string utf8Of(const speech::Text& units) {
  std::string bytes;
  for (speech::Unit u : units) {
    bytes.push_back(static_cast<char>(speech::leadByte(u)));
    if (!speech::isSingleByteUnit(u)) bytes.push_back(static_cast<char>(speech::trailByte(u)));
  }
  return plat::wideToUtf8(plat::multiByteToWide(936, bytes));
}

inline speech::Text unitsOf(const char* utf8) { return datagen::speechUnits(utf8); }

// A unit code as text: "ma1", "ma1r" (joined by 儿), "a" for a letter, "|4300" for a pause, "_" without sound.
inline std::string codeText(std::uint16_t code) {
  if (code < 2100) return datagen::syllableName(code / 5) + std::to_string(code % 5 + 1);
  if (code < 4200) return codeText(static_cast<std::uint16_t>(code - 2100)) + "r";
  if (code < 4226) return std::string(1, static_cast<char>('a' + code - 4200));
  if (code >= 4300 && code < 4400) return "|" + std::to_string(code);
  return "_";
}

// The codes of a unit list, separated by spaces.
inline std::string spoken(const std::vector<speech::SpeechUnit>& units) {
  std::string out;
  for (const auto& u : units) {
    if (!u.character) break;
    if (!out.empty()) out += ' ';
    out += codeText(u.code);
  }
  return out;
}

// The words of a unit list, separated by "/".
inline std::string words(const std::vector<speech::SpeechUnit>& units) {
  speech::Text text;
  for (const auto& u : units) {
    if (!u.character) break;
    if (!text.empty() && u.posInWord == 0) text.push_back('/');
    text.push_back(u.character >= 512 && u.character <= 767 ? speech::Unit{'|'} : u.character);
  }
  return utf8Of(text);
}

}  // namespace speechtest
