#include "tools/resgen/jp2cw_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/core/codepage.h"
#include "tools/datagen/cvdata_tables.h"
#include "tools/resgen/variant_tables.h"

namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A compressed Unihan file of the system's unicode-data, decompressed.
std::string readUnihan(const char* name) {
  std::string text;
  if (std::FILE* p = ::popen(("bzip2 -dc /usr/share/unicode/" + std::string(name) + ".bz2 2>/dev/null").c_str(), "r")) {
    char buf[65536];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, p)) > 0;) text.append(buf, n);
    ::pclose(p);
  }
  return text;
}

std::u16string wide(const char8_t* s) { return plat::utf8ToWide(reinterpret_cast<const char*>(s)); }

// The engine code the table holds for a Shift-JIS character.
unsigned cellOf(const std::string& table, unsigned lead, unsigned trail) {
  const unsigned row = lead <= 0x9F ? lead - 0x87 : lead - 0xE0 + 25;
  const unsigned t = trail - 0x40, cell = (t / 16) * 17 + t % 16;
  const std::size_t at = 6 + row * 414 + cell * 2;
  return static_cast<unsigned char>(table[at]) << 8 | static_cast<unsigned char>(table[at + 1]);
}

bool inGb2312(char16_t c) {
  const std::string gb = plat::wideToMultiByte(936, std::u16string(1, c));
  return gb.size() == 2 && static_cast<unsigned char>(gb[0]) >= 0xA1 && static_cast<unsigned char>(gb[1]) >= 0xA1;
}

class Jp2CwTable : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string source = std::string(RESGEN_SOURCE_ROOT) + "/data/tables/";
    chineseVariants_ = new std::string(readText(source + "chinese_variants.txt"));
    unihan_ = new std::string(readUnihan("Unihan_Variants.txt"));
    other_ = new std::string(readUnihan("Unihan_OtherMappings.txt"));
    const std::string& other = *other_;
    const std::string listed = readText(source + "japanese_forms.txt");
    sources_ = new resgen::VariantSource;
    std::string error;
    ASSERT_TRUE(resgen::buildVariantTables(*chineseVariants_, *sources_, error)) << error;
    forms_ = new std::map<char16_t, char16_t>(datagen::japaneseForms({*unihan_, other, *chineseVariants_, listed}));
    resgen::addListedForms(listed, *forms_);
  }
  static void TearDownTestSuite() {
    delete chineseVariants_;
    delete unihan_;
    delete other_;
    delete sources_;
    delete forms_;
  }
  static std::string* chineseVariants_;
  static std::string* unihan_;
  static std::string* other_;
  static resgen::VariantSource* sources_;
  static std::map<char16_t, char16_t>* forms_;
};

std::string* Jp2CwTable::chineseVariants_ = nullptr;
std::string* Jp2CwTable::unihan_ = nullptr;
std::string* Jp2CwTable::other_ = nullptr;
resgen::VariantSource* Jp2CwTable::sources_ = nullptr;
std::map<char16_t, char16_t>* Jp2CwTable::forms_ = nullptr;

TEST_F(Jp2CwTable, JapaneseKanjiReachTheirChineseCounterparts) {
  ASSERT_FALSE(unihan_->empty()) << "unicode-data's Unihan files are missing";
  const struct {
    const char8_t* kanji;
    const char8_t* chinese;
  } cases[] = {
      {u8"円", u8"圆"}, {u8"売", u8"卖"}, {u8"齢", u8"龄"}, {u8"続", u8"续"}, {u8"気", u8"气"},
      {u8"価", u8"价"}, {u8"発", u8"发"}, {u8"幹", u8"干"}, {u8"学", u8"学"}, {u8"國", u8"国"},
      // Japanese forms that reach their simplified form through the older form only.
      {u8"壊", u8"坏"}, {u8"駅", u8"驿"}, {u8"払", u8"拂"}, {u8"仏", u8"佛"}, {u8"絵", u8"绘"},
      {u8"広", u8"广"}, {u8"乗", u8"乘"}, {u8"遊", u8"游"}, {u8"増", u8"增"}, {u8"蔵", u8"藏"},
      {u8"従", u8"从"}, {u8"児", u8"儿"}, {u8"恵", u8"惠"}, {u8"仮", u8"假"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(resgen::chineseCounterpart(wide(c.kanji)[0], sources_->pairs, *forms_, *unihan_, *other_),
              wide(c.chinese)[0])
        << reinterpret_cast<const char*>(c.kanji);
  }
}

// Every kanji of JIS X 0208 with a variant in GB2312 has a code in the table; the others keep the
// mark, and the count and a few of them are printed.
TEST_F(Jp2CwTable, OnlyKanjiWithoutACounterpartKeepTheMark) {
  ASSERT_FALSE(unihan_->empty()) << "unicode-data's Unihan files are missing";
  const std::string table = resgen::makeJp2CwTable(sources_->pairs, *forms_, *unihan_, *other_);
  const std::string without = resgen::makeJp2CwTable(sources_->pairs);
  // Every variant Unihan names, in either direction, besides the simplified forms.
  std::map<char16_t, std::vector<char16_t>> variants;
  std::istringstream lines(*unihan_);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string code, kind, value;
    fields >> code >> kind;
    if (kind == "kSpoofingVariant") continue;
    const char16_t c = static_cast<char16_t>(std::stoul(code.substr(2), nullptr, 16) & 0xFFFF);
    if (std::stoul(code.substr(2), nullptr, 16) > 0xFFFF) continue;
    while (fields >> value) {
      const unsigned long v = std::stoul(value.substr(2), nullptr, 16);
      if (v <= 0xFFFF) variants[c].push_back(static_cast<char16_t>(v));
    }
  }
  int kanji = 0, marked = 0, gained = 0, wrong = 0;
  std::u16string examples;
  for (unsigned lead = 0x88; lead <= 0xEA; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F || (lead == 0x88 && trail < 0x9F)) continue;
      const char sjis[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string u = plat::multiByteToWide(932, std::string_view(sjis, 2));
      if (u.size() != 1 || u[0] < 0x4E00 || u[0] > 0x9FFF) continue;
      ++kanji;
      bool reachable = inGb2312(u[0]);
      for (char16_t v : variants[u[0]]) reachable = reachable || inGb2312(v);
      const unsigned cell = cellOf(table, lead, trail);
      if (cell == 0x81AC) {
        ++marked;
        if (examples.size() < 10) examples += u[0];
        if (reachable) ++wrong;
      }
      if (cellOf(without, lead, trail) == 0x81AC && cell != 0x81AC) ++gained;
    }
  }
  EXPECT_GT(kanji, 6300);
  EXPECT_GT(gained, 0);
  std::printf("JIS X 0208 kanji: %d; without a Chinese counterpart: %d (e.g. %s); through the variants now: %d; "
              "reachable but marked: %d\n",
              kanji, marked, plat::wideToUtf8(examples).c_str(), gained, wrong);
  EXPECT_EQ(wrong, 0);
}

// JIS level 1 (0x889F-0x9872): the kanji that keep the mark are exactly these, each for its reason.
TEST_F(Jp2CwTable, CommonKanjiKeepTheMarkOnlyWhenListed) {
  ASSERT_FALSE(unihan_->empty()) << "unicode-data's Unihan files are missing";
  const struct {
    const char8_t* kanji;
    const char* reason;
  } listed[] = {
      {u8"鰯榎樫椛粁粂込榊笹鴫雫糎凧辻働峠栃凪匂硲畑畠噺塀麿粍杢籾匁鑓枠", "made in Japan: Chinese has no such character"},
      {u8"姶鯵噂浬橿梶潟鞄罫紘狛瑳蔀偲椙栴岨揃詑騨辿捗栂槻嬬梼瀞薙楢畷覗萩筈醗塙樋柊俵鋲蕗鉾槙柾桝葎", "GB2312 has neither it nor a simplified or variant form of it"},
      {u8"讃惣鎗", "the simplified form (赞 总 枪) has another Japanese form (賛 総 槍), which a listed pair would change"},
  };
  std::u16string expected;
  for (const auto& l : listed) expected += wide(l.kanji);
  std::sort(expected.begin(), expected.end());
  const std::string table = resgen::makeJp2CwTable(sources_->pairs, *forms_, *unihan_, *other_);
  std::u16string marked;
  for (unsigned lead = 0x88; lead <= 0x98; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F || (lead == 0x88 && trail < 0x9F) || (lead == 0x98 && trail > 0x72)) continue;
      const char sjis[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::u16string u = plat::multiByteToWide(932, std::string_view(sjis, 2));
      if (u.size() == 1 && cellOf(table, lead, trail) == 0x81AC) marked += u;
    }
  }
  std::sort(marked.begin(), marked.end());
  EXPECT_EQ(plat::wideToUtf8(marked), plat::wideToUtf8(expected));
}

}  // namespace
