// A temporary device with a small speech data folder written by the data writers.
#pragma once
#include "speech/engine/speech_files.h"
#include "tools/datagen/speech_tables_writer.h"
#include "tools/datagen/speech_units_writer.h"
#include "tools/datagen/temp_device.h"

#include <gtest/gtest.h>

#include <string>

namespace speechtest {

inline constexpr const char* kSource = R"(
# characters
hanzi 中 zhong1,zhong4 weight=300
hanzi 国 guo2 weight=200
hanzi 重 zhong4,chong2,zhong5 weight=100
hanzi 一 yi1 prop=1
hanzi 张 zhang1 surname=zhang1 prop=0x40
word 中国 500
word 中国人 400
word 中华人民 300
word 国家 250
polyword 重庆 0 1
polyword 举足轻重 3 2
symbol 、 顿号
symbol @ 艾特
standin 這 这
standin 愛 爱
)";

class SpeechFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = device_.card() + "\\Talvenro\\Chinese\\ChTTSData\\";
    std::string error;
    ASSERT_TRUE(datagen::parseSpeechSource(kSource, source_, &error)) << error;
    ASSERT_TRUE(datagen::writeSpeechTables(folder_, source_));
    std::vector<datagen::SyllableRecording> syllables = {
        {0, {datagen::syntheticUnitSamples(0, 0)}},
        {7, {{}, datagen::syntheticUnitSamples(7, 1), datagen::syntheticUnitSamples(7, 2)}},
    };
    ASSERT_TRUE(datagen::writeSyllableUnits(folder_, syllables));
    ASSERT_TRUE(datagen::writeLetterUnits(folder_, {datagen::syntheticUnitSamples(4200, 0), datagen::syntheticUnitSamples(4201, 0)}));
  }

  std::string path(const char* name) const { return folder_ + name; }

  datagen::TempDevice device_;
  datagen::SpeechSource source_;
  std::string folder_;
};

}  // namespace speechtest
