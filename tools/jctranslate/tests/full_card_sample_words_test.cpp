// The full card keeps the sample card's words: each noun, adverb, interjection, verb, adjective and
// 形容動詞 of the sample card's Japanese lexicon, in every form of its conjugation type, alone on a
// line and in a sentence, translates on the full card (build tree: fullcard/device) as on the
// sample card.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/core/device.h"
#include "tools/datagen/build_programs.h"
#include "tools/datagen/temp_device.h"

namespace {

namespace fs = std::filesystem;

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

std::vector<std::string> fields(const std::string& line, char sep) {
  std::vector<std::string> out;
  std::istringstream s(line);
  for (std::string f; std::getline(s, f, sep);) out.push_back(f);
  return out;
}

// The endings of a conjugation type after the stem, the dictionary form's first (from
// data/full/conjugations.txt): polite, past, negative and te-form for verbs, past, negative and
// te-form for adjectives, polite, past and negative for 形容動詞.
std::vector<std::string> endingsOf(int type, const std::string& dictionary) {
  static const std::map<int, std::vector<const char8_t*>> kVerbs = {
      {1, {u8"ます", u8"た", u8"ない", u8"ている"}},           {2, {u8"きます", u8"いた", u8"かない", u8"いている"}},
      {3, {u8"きます", u8"った", u8"かない", u8"っている"}},   {4, {u8"ぎます", u8"いだ", u8"がない", u8"いでいる"}},
      {5, {u8"します", u8"した", u8"さない", u8"している"}},   {6, {u8"ちます", u8"った", u8"たない", u8"っている"}},
      {7, {u8"にます", u8"んだ", u8"なない", u8"んでいる"}},   {8, {u8"びます", u8"んだ", u8"ばない", u8"んでいる"}},
      {9, {u8"みます", u8"んだ", u8"まない", u8"んでいる"}},   {10, {u8"ります", u8"った", u8"らない", u8"っている"}},
      {11, {u8"います", u8"った", u8"らない", u8"っている"}},  {12, {u8"います", u8"った", u8"わない", u8"っている"}},
      {13, {u8"います", u8"うた", u8"わない", u8"うている"}},  {16, {u8"します", u8"した", u8"しない", u8"している"}},
      {17, {u8"じます", u8"じた", u8"じない", u8"じている"}},  {18, {u8"かった", u8"くない", u8"くて"}},
      {21, {u8"です", u8"だった", u8"ではない"}}};
  std::vector<std::string> out = {dictionary};
  auto it = kVerbs.find(type);
  if (it != kVerbs.end())
    for (const char8_t* e : it->second) out.push_back(utf8(e));
  return out;
}

// Every form of the lexicon's words: nouns (6), adverbs (8) and interjections (12) by their keys,
// verbs (2), adjectives (3) and 形容動詞 (3, type 21) by their stems in every form of their
// conjugation type (the dictionary form's ending from data/full/conjugations.txt), each alone and
// in a sentence; each once, in the lexicon's order.
std::vector<std::string> sampleWords(const std::string& lexicon, const std::string& conjugations) {
  std::map<std::string, std::string> endings;  // "pos.type" -> ending
  std::ifstream c(conjugations, std::ios::binary);
  for (std::string l; std::getline(c, l);) {
    const auto f = fields(l, '\t');
    if (!l.empty() && l[0] != '#' && f.size() == 4) endings.emplace(f[1] + '.' + f[2], f[3]);
  }
  std::ifstream in(lexicon, std::ios::binary);
  std::vector<std::string> out;
  std::set<std::string> seen;
  const auto add = [&](const std::string& line) {
    if (seen.insert(line).second) out.push_back(line);
  };
  for (std::string l; std::getline(in, l);) {
    if (l.empty() || l[0] == '#') continue;
    const auto f = fields(l, '\t');
    if (f.size() < 2 || f[0].empty()) continue;
    const auto codes = fields(f[1], '.');
    if (codes.size() != 4) continue;
    if (codes[0] == "6") {
      add(f[0]);
      add(utf8(u8"これは") + f[0] + utf8(u8"です。"));
    } else if (codes[0] == "8" || codes[0] == "12") {
      add(f[0]);
    } else if ((codes[0] == "2" || codes[0] == "3") && codes[3] == "0") {
      auto e = endings.find(codes[0] + '.' + codes[2]);
      if (e == endings.end()) continue;
      const std::string stem = f[0];
      const std::vector<std::string> forms = endingsOf(std::atoi(codes[2].c_str()), e->second);
      for (const std::string& form : forms) add(stem + form);
      if (codes[0] == "2") add(utf8(u8"彼は") + stem + forms[1] + utf8(u8"。"));
      else if (codes[2] == "21") add(utf8(u8"とても") + stem + utf8(u8"な人です。"));
      else add(utf8(u8"とても") + stem + e->second + utf8(u8"人です。"));
    }
  }
  return out;
}

// Each line through jctranslate on a device folder, from a program folder of its own.
std::vector<std::string> translate(const std::string& root, const std::vector<std::string>& lines) {
  std::string tmpl = (fs::temp_directory_path() / "jc-sample-words-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) return {};
  const std::string program = tmpl;
  datagen::linkOrCopy(datagen::binFolder() + "/jctranslate", program + "/jctranslate");
  datagen::linkOrCopy(datagen::binFolder() + "/Synparse.so", program + "/Synparse.so");
  const std::string command =
      "SUITE_DEVICE_ROOT=" + datagen::shellQuoted(root) + " " + datagen::shellQuoted(program + "/jctranslate");
  std::vector<std::string> out = datagen::runOnLines(command, program, lines).lines;
  fs::remove_all(program);
  return out;
}

TEST(FullCardSampleWords, TranslateAsOnTheSampleCard) {
  const std::string full = datagen::buildFolder() + "/fullcard/device";
  ASSERT_TRUE(fs::exists(full + "/Card/Talvenro/Chinese/LindqvarDic/JCSystemdic")) << full;
  datagen::TempDevice sample;
  ASSERT_TRUE(datagen::writeCardWithProgram(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample",
                                            plat::hostPath(sample.card())));
  const std::vector<std::string> words =
      sampleWords(std::string(SUITE_TEST_SOURCE_DIR) + "/data/sample/jc/lexicon.txt",
                  std::string(SUITE_TEST_SOURCE_DIR) + "/data/full/conjugations.txt");
  ASSERT_GT(words.size(), 1300u);
  const std::vector<std::string> onSample = translate(sample.root(), words);
  const std::vector<std::string> onFull = translate(full, words);
  ASSERT_EQ(onSample.size(), words.size());
  ASSERT_EQ(onFull.size(), words.size());
  // Words the full card translates otherwise, and why.
  const std::map<std::string, std::string> listed = {
      {utf8(u8"多くて"), "the te-form of an adjective is untranslated on both cards"},
      {utf8(u8"難しくて"), "the te-form of an adjective is untranslated on both cards"},
      {utf8(u8"易しくて"), "the te-form of an adjective is untranslated on both cards"},
      {utf8(u8"感じます"), "感到 on the full card, 感觉 on the sample card: both right"},
      {utf8(u8"感じた"), "感到 on the full card, 感觉 on the sample card: both right"},
      {utf8(u8"感じている"), "感到 on the full card, 感觉 on the sample card: both right"},
      {utf8(u8"彼は感じます。"), "感到 on the full card, 感觉 on the sample card: both right"},
      {utf8(u8"信じます"), "rough on the full card: 认为 where 相信 is meant"},
      {utf8(u8"信じた"), "rough on the full card: 认为 where 相信 is meant"},
      {utf8(u8"信じている"), "rough on the full card: 认为 where 相信 is meant"},
      {utf8(u8"彼は信じます。"), "rough on the full card: 认为 where 相信 is meant"},
  };
  for (std::size_t i = 0; i < words.size(); ++i) {
    const bool differs = onSample[i] != onFull[i];
    auto why = listed.find(words[i]);
    if (why == listed.end())
      EXPECT_FALSE(differs) << words[i] << ": sample card " << onSample[i] << ", full card " << onFull[i];
    else
      EXPECT_TRUE(differs) << words[i] << " is listed (" << why->second << ") but translates as on the sample card";
  }
}

}  // namespace
