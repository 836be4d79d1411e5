// The Japanese analyser on the full card that the build lays out (build tree: fullcard/device):
// it starts on the grown dictionary pair and finds the added words in everyday text.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/jc/analyser/jp_analyzer.h"
#include "engine/jc/analyser/jp_input_prep.h"
#include "engine/jc/analyser/jp_morph_analysis.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "tools/datagen/viewer_dictionary_source.h"
#include "tools/datagen/build_programs.h"

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }
std::string sjis(const std::string& s) { return plat::wideToMultiByte(932, plat::utf8ToWide(s)); }

// The morpheme lines of one sentence, in Shift-JIS.
std::string analyse(jc::JpAnalyzer* a, const std::string& sentence) {
  if (jc::prepareJapaneseLine(sjis(sentence), a->input, jc::kJpInputSize) <= 0 || !jc::analyzeSentence(a)) return {};
  std::FILE* f = std::tmpfile();
  if (!f) return {};
  jc::writeMorphemes(a, f);
  std::string out(static_cast<std::size_t>(std::ftell(f)), '\0');
  std::rewind(f);
  out.resize(std::fread(out.data(), 1, out.size(), f));
  std::fclose(f);
  return out;
}

TEST(FullCardAnalysis, StartsOnTheFullLexiconAndFindsEverydayWords) {
  const std::string device = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(std::filesystem::exists(device + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic/JCMAIN.DIC")) << device;
  ::setenv(plat::kDeviceRootEnv, device.c_str(), 1);
  std::unique_ptr<jc::JpAnalyzer> a{new jc::JpAnalyzer()};
  a->dataFolder = u"\\Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\";
  jc::constructJpAnalyzer(a.get());
  ASSERT_EQ(jc::initJpAnalyzer(a.get()), 1);
  loadJp2CwTable(&a->jp2cw);
  // Sentence, a word the sample lexicon lacks, its Chinese on the card.
  const struct {
    const char8_t* sentence;
    const char8_t* word;
    const char16_t* chinese;
  } cases[] = {
      {u8"経済の問題は重要だ。", u8"経済", u"经济"},
      {u8"私は銀行に行った。", u8"銀行", u"银行"},
      {u8"彼は大学で物理を研究した。", u8"物理", u"物理"},
      {u8"空港で切符を買った。", u8"空港", u"机场"},  // from the hand-made core
      {u8"新しい政府は改革を始めた。", u8"政府", u"政府"},
      {u8"この地域の人口は多い。", u8"人口", u"人口"},
      {u8"彼女は音楽の歴史を勉強する。", u8"歴史", u"历史"},
      {u8"週末に家族と公園へ行く。", u8"家族", u"家人"},
      // Verbs and adjectives of the hand-made core, inflected.
      {u8"毎朝顔を洗った。", u8"洗った", u"洗"},
      {u8"駅は遠い。", u8"遠い", u"远"},
  };
  std::vector<std::string> results;
  for (const auto& c : cases) results.push_back(analyse(a.get(), utf8(c.sentence)));
  jc::freeJpAnalyzer(a.get());
  for (std::size_t i = 0; i < results.size(); ++i) {
    const auto& c = cases[i];
    const std::string& morphemes = results[i];
    ASSERT_FALSE(morphemes.empty()) << utf8(c.sentence);
    const std::string line = "\t" + sjis(utf8(c.word)) + "\t";
    const std::size_t at = morphemes.find(line);
    ASSERT_NE(at, std::string::npos) << utf8(c.sentence) << "\n" << plat::wideToUtf8(plat::multiByteToWide(932, morphemes));
    // The line's Chinese column (after the base form and the codes) holds the card's Chinese word.
    const std::size_t codes = morphemes.find('\t', at + line.size()) + 1;
    const std::size_t chinese = morphemes.find('\t', codes) + 1;
    const std::string expected = datagen::toEngineCode(c.chinese);
    EXPECT_EQ(morphemes.substr(chinese, expected.size()), expected) << utf8(c.sentence);
  }
}

}  // namespace
