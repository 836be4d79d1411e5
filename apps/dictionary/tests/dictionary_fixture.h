// Generated dictionaries of both directions on a temporary storage card.
#pragma once
#include "apps/dictionary/dictionary_files.h"
#include "apps/dictionary/entry_text.h"
#include "platform/core/device.h"
#include "platform/core/notify_recorder.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/viewer_dictionary_source.h"
#include "tools/datagen/viewer_dictionary_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace dicttest {

// A control pair: 0x0E and a letter.
inline std::string ctl(char letter) { return std::string("\x0E") + letter; }

// Chinese text in the engine code.
inline std::string cw(std::u16string_view text) { return datagen::toEngineCode(text); }

inline std::string halfWidth(const std::string& s) {
  std::string out;
  dict::normaliseToHalfWidth(s, out);
  return out;
}

inline const char* kJcData = "\\Storage Card\\Talvenro\\Chinese\\HarbrookDic\\JCDIC\\JcsDicV6.dic";
inline const char* kJcIndex = "\\Storage Card\\Talvenro\\Chinese\\HarbrookDic\\JCDIC\\JcsDicV6.ind";
inline const char* kCjData = "\\Storage Card\\Talvenro\\Chinese\\HarbrookDic\\CJDIC\\CjsDicV6.dic";
inline const char* kCjIndex = "\\Storage Card\\Talvenro\\Chinese\\HarbrookDic\\CJDIC\\CjsDicV6.ind";

class DictionaryFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    // Japanese-to-Chinese: two-kana readings, each with a kanji headword in brackets.
    const char* kana[] = {"あ", "い", "う", "え", "お", "か", "き", "く", "け", "こ"};
    for (const char* a : kana) {
      for (const char* b : {"い", "か", "こ"}) {
        std::string reading = std::string(a) + b;
        jcReadings_.push_back(reading);
        jc_.push_back({ctl('B') + reading + "（注）【語】\r\n" + ctl('C') + cw(u"词语") + "\r\n", {halfWidth(reading)}});
      }
    }
    // Chinese-to-Japanese: hanzi and pinyin keys; 行 has two readings.
    struct Word {
      const char16_t* hanzi;
      const char* pinyin;  // body pinyin with toned vowel bytes
      const char* key;     // pinyin key
    } words[] = {
        {u"爱", "\xA9i", "AI4"},          {u"北京", "b\xACij\xAEng", "BEIJING31"},
        {u"行", "h\xA7ng", "HANG2"},       {u"行", "x\xAFng", "XING2"},
        {u"中国", "zh\xB2nggu\xB3", "ZHONGGUO12"}, {u"学生", "xu\xABsh\xAAng", "XUESHENG21"},
        {u"人", "r\xABn", "REN2"},         {u"大", "d\xA9", "DA4"},
        {u"小", "xi\xA8o", "XIAO3"},       {u"山", "sh\xA6n", "SHAN1"},
        {u"水", "shu\xB0", "SHUI3"},       {u"火", "hu\xB4", "HUO3"},
    };
    for (const Word& w : words) {
      cj_.push_back({cw(w.hanzi) + " " + w.pinyin + "\r\n" + ctl('J') + "\x8C\xEA\r\n", {cw(w.hanzi), w.key}});
    }
    jcFiles_ = datagen::writeViewerDictionary(0, jc_, 4);
    cjFiles_ = datagen::writeViewerDictionary(1, cj_, 3);
    writeAll();
  }

  void writeAll() {
    ASSERT_TRUE(dev_.write(kJcData, jcFiles_.data));
    ASSERT_TRUE(dev_.write(kJcIndex, jcFiles_.index));
    ASSERT_TRUE(dev_.write(kCjData, cjFiles_.data));
    ASSERT_TRUE(dev_.write(kCjIndex, cjFiles_.index));
  }

  int open(dict::DictionaryFiles& files) { return files.openDictionaries(kJcData, kJcIndex, kCjData, kCjIndex); }

  // What each message says, without the line that names its file.
  std::vector<std::u16string> messageTexts() const {
    std::vector<std::u16string> out;
    for (const auto& m : notes_.messages) out.push_back(m.text.substr(0, m.text.find(u'\n')));
    return out;
  }

  datagen::TempDevice dev_;
  plat::NotifyRecorder notes_;
  std::vector<std::string> jcReadings_;
  std::vector<datagen::ViewerRecord> jc_, cj_;
  datagen::ViewerDictionary jcFiles_, cjFiles_;
};

}  // namespace dicttest
