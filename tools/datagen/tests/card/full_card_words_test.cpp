// The full card's sources that the build writes (build tree: fullcard/source) from the real word
// list, IPA dictionary and Unihan: words whose characters have several Japanese forms take the
// one the IPA dictionary spells them with, and the IPA verbs and adjectives come with Chinese.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "tools/datagen/build_programs.h"
#include "tools/datagen/full_card_hand_pairs.h"
#include "tools/datagen/full_card_measure.h"
#include "tools/datagen/full_card_pivot.h"

namespace {

std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

// The lines of a source by their first field (the first line of a key wins).
std::multimap<std::string, std::string> linesByKey(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::multimap<std::string, std::string> out;
  for (std::string l; std::getline(in, l);)
    if (!l.empty() && l[0] != '#') out.emplace(l.substr(0, l.find('\t')), l);
  return out;
}

TEST(FullCardWords, CharactersOfSeveralFormsTakeTheIpaSpelling) {
  const auto words = linesByKey(datagen::buildFolder() + "/fullcard/source/cj/words.txt");
  ASSERT_GT(words.size(), 10000u);
  const struct {
    const char8_t* chinese;
    const char8_t* japanese;
  } cases[] = {
      {u8"发展", u8",発展する,"}, {u8"发表", u8",発表する,"}, {u8"毛发", u8",毛髪,"},  // 发: 発 or 髪
      {u8"干部", u8",幹部,"},     {u8"干杯", u8",乾杯,"},                                // 干: 幹 or 乾
      {u8"以后", u8",以後,"},     {u8"关系", u8",関係,"},     {u8"台风", u8",台風,"},  // 后, 系, 台
      {u8"历史", u8",歴史,"},     {u8"体系", u8",体系,"},
      {u8"计划", u8",計画,"},     {u8"预定", u8",予定する,"}, {u8"联合", u8",連合する,"},  // Japanese forms
      {u8"发展", u8"\tN,発展,N0000 | V,"},                     // a vn word: the noun first
      {u8"经费", u8"\tN,経費,"},                               // a vn word spelling a plain noun
      {u8"开车", u8",運転する,"}, {u8"关门", u8",閉まる,"},     // the hand-made core
      {u8"城市", u8"\tN,都市,"},   {u8"取消", u8"\tV,取り消す,"},  // false friends corrected
      {u8"进行", u8"\tV,行う,"},  {u8"系统", u8"\tN,システム,"},  // the core's choice over 進行, 系統
      {u8"复杂", u8"\tA,複雑だ,KYODO"}, {u8"简单", u8"\tA,簡単だ,KYODO"},  // na-adjectives end in だ
  };
  for (const auto& c : cases) {
    auto it = words.find(utf8(c.chinese));
    ASSERT_NE(it, words.end()) << utf8(c.chinese);
    EXPECT_NE(it->second.find(utf8(c.japanese)), std::string::npos) << it->second;
  }
}

TEST(FullCardWords, IpaVerbsAndAdjectivesCarryTheirChineseWord) {
  const auto lexicon = linesByKey(datagen::buildFolder() + "/fullcard/source/jc/lexicon.txt");
  // Stem, numbering, Chinese: verbs of the IPA dictionary by their conjugation types.
  const struct {
    const char8_t* stem;
    const char8_t* codesAndChinese;
  } cases[] = {
      {u8"変わ", u8"\t2.2.10.0\t=\t变\t"}, {u8"変え", u8"\t2.1.1.0\t=\t变\t"},  // 変わる/変える
      {u8"倒れ", u8"\t2.2.1.0\t=\t倒\t"}, {u8"倒", u8"\t2.1.5.0\t=\t倒\t"},      // 倒れる/倒す
      {u8"消え", u8"\t2.2.1.0\t=\t消\t"},                                           // 消える/消す
      {u8"濃", u8"\t3.0.18.0\t=\t浓\t"}, {u8"発展", u8"\t6.2.0.0\t=\t发展\t"},
      // Words whose Chinese the core translates otherwise (进行 行う) keep their pair back.
      {u8"進行", u8"\t2.1.16.0\t=\t进行\t"}, {u8"系統", u8"\t6.1.0.0\t=\t系统\t"},
  };
  for (const auto& c : cases) {
    bool found = false;
    auto [from, to] = lexicon.equal_range(utf8(c.stem));
    for (auto it = from; it != to; ++it) found = found || it->second.find(utf8(c.codesAndChinese)) != std::string::npos;
    EXPECT_TRUE(found) << utf8(c.stem) << utf8(c.codesAndChinese);
  }
}

// Everyday verbs reach tense and aspect: サ変 nouns are verbs with する too, and verbs carry the
// aspect digits; words the characters cannot find come from the hand-made Japanese core.
TEST(FullCardWords, EverydayVerbsCarryAspectAndKanaWordsTheirChinese) {
  const auto lexicon = linesByKey(datagen::buildFolder() + "/fullcard/source/jc/lexicon.txt");
  const struct {
    const char8_t* stem;
    const char8_t* codesAndChinese;
  } cases[] = {
      {u8"結婚", u8"\t2.2.16.0\t=\t结婚\tV1\t12\t"}, {u8"発展", u8"\t2.1.16.0\t=\t发展\tVT\t13\t"},
      {u8"笑", u8"\t2.2.12.0\t=\t笑\tV1\t12\t"},     {u8"泣", u8"\t2.2.2.0\t=\t哭\tV1\t12\t"},
      {u8"準備", u8"\t2.1.16.0\t=\t准备\tVT\t13\t"}, {u8"倒", u8"\t2.1.5.0\t=\t倒\tVT\t13\t"},
      {u8"遅れ", u8"\t2.2.1.0\t=\t迟到\tV1\t12"},      {u8"疲れ", u8"\t2.2.1.0\t=\t累\tV1\t12"},
      {u8"閉ま", u8"\t2.2.10.0\t=\t关\tV1\t12"},       {u8"開", u8"\t2.2.2.0\t=\t开\tV1\t12"},
      {u8"質問", u8"\t2.1.16.0\t=\t提问\tVT\t13"},     {u8"かか", u8"\t2.2.10.0\t=\t需要\tV1\t12"},
      {u8"なかなか", u8"\t8.2.0.0\t=\t相当"},     {u8"毎週", u8"\t6.10.0.0\t=\t每周\tN"},
      {u8"遅刻", u8"\t2.2.16.0\t=\t迟到\tV1\t12"}, {u8"について", u8"\tc\t=\t关于"},
      {u8"バス", u8"\t6.1.0.0\t=\t公共汽车\tN"},   {u8"閉め", u8"\t2.1.1.0\t=\t关\tVT\t13"},
  };
  for (const auto& c : cases) {
    auto [from, to] = lexicon.equal_range(utf8(c.stem));
    bool found = false;
    for (auto it = from; it != to; ++it) found = found || it->second.find(utf8(c.codesAndChinese)) != std::string::npos;
    EXPECT_TRUE(found) << utf8(c.stem) << utf8(c.codesAndChinese);
  }
}

// Words no other rule pairs: a Chinese word takes a rarer EDICT word written with its characters
// whose first sense shares a gloss with its own (全军 全軍, 树种 樹種), a Japanese word another
// spelling's pair (売上げ as 売り上げ, 締切 as 締め切り). Refused: 可怜 (可憐 meets on a later sense),
// 語り (its witness 語 is one kanji), 霜降り (a false friend).
TEST(FullCardWords, RarerSpellingsOfTheSameWordTakeItsPair) {
  const auto words = linesByKey(datagen::buildFolder() + "/fullcard/source/cj/words.txt");
  const auto lexicon = linesByKey(datagen::buildFolder() + "/fullcard/source/jc/lexicon.txt");
  const auto has = [](const std::multimap<std::string, std::string>& lines, const char8_t* key, const char8_t* part) {
    auto [from, to] = lines.equal_range(utf8(key));
    for (auto it = from; it != to; ++it)
      if (it->second.find(utf8(part)) != std::string::npos) return true;
    return false;
  };
  const struct {
    bool japanese;
    const char8_t* key;
    const char8_t* part;
    bool paired;
  } cases[] = {
      {false, u8"全军", u8"\tN,全軍,N0000", true},        {false, u8"树种", u8"\tN,樹種,N0000", true},
      {false, u8"两院制", u8"\tN,両院制,N0000", true},    {false, u8"高等教育", u8"\tN,高等教育,", true},
      {false, u8"可怜", u8",可憐", false},
      {true, u8"売上げ", u8"\t6.1.0.0\t=\t销售额\t", true}, {true, u8"締切", u8"\t6.1.0.0\t=\t截止日期\t", true},
      {true, u8"落ち葉", u8"\t=\t落叶\t", true},          {true, u8"焼き肉", u8"\t=\t烤肉\t", true},  // a hand pair now
      {true, u8"語り", u8"\t=\t语\t", false},            {true, u8"霜降り", u8"\t", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(has(c.japanese ? lexicon : words, c.key, c.part), c.paired) << utf8(c.key) << utf8(c.part);
}

// The false friends' table read back through the written card: every word of it is on the card, its
// generated lines carry the table's pair and none the same-character one, a "-" word has none.
TEST(FullCardWords, FalseFriendsTakeTheTablesPair) {
  std::ifstream in(std::string(SUITE_TEST_SOURCE_DIR) + "/data/full/false_friends_table.tsv", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::vector<datagen::FalseFriendPair> table;
  std::string error;
  ASSERT_TRUE(datagen::parseFalseFriendTable(text.str(), table, &error)) << error;
  ASSERT_GT(table.size(), 100u);
  const auto generatedLines = [](const std::string& path, std::string_view heading) {
    std::ifstream file(path, std::ios::binary);
    std::multimap<std::string, std::string> out;
    bool generated = false;
    for (std::string l; std::getline(file, l);) {
      generated = generated || l.rfind(std::string(heading), 0) == 0;
      if (generated && !l.empty() && l[0] != '#') out.emplace(l.substr(0, l.find('\t')), l);
    }
    return out;
  };
  const auto words = generatedLines(datagen::buildFolder() + "/fullcard/source/cj/words.txt", datagen::kOpenListHeading);
  const auto lexicon =
      generatedLines(datagen::buildFolder() + "/fullcard/source/jc/lexicon.txt", datagen::kGeneratedLexiconHeading);
  ASSERT_GT(words.size(), 10000u);
  ASSERT_GT(lexicon.size(), 10000u);
  for (const datagen::FalseFriendPair& p : table) {
    const auto& lines = p.japanese ? lexicon : words;
    auto [from, to] = lines.equal_range(p.word);
    if (p.pair == "-") {
      EXPECT_EQ(from, to) << p.word;
      continue;
    }
    EXPECT_NE(from, to) << p.word << " has no line on the card";
    for (auto it = from; it != to; ++it) {
      std::vector<std::string> f;
      std::stringstream fields(it->second);
      for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
      ASSERT_GE(f.size(), 4u) << it->second;
      // A verb's or adjective's stem (心得る: 心得) is another word than the noun of the table.
      if (p.japanese && f[1].size() >= 5 && (f[1][0] == '2' || f[1][0] == '3') &&
          f[1].find(f[1][0] == '2' ? ".16." : ".21.") == std::string::npos)
        continue;
      if (p.japanese)
        EXPECT_EQ(f[3], p.pair) << it->second;
      else if (p.pair.find(',') != std::string::npos)
        EXPECT_EQ(f[3], p.pair) << it->second;
      else
        EXPECT_EQ(f[3].substr(0, f[3].find(" |")).find("," + p.pair + ","), 1u) << it->second;
    }
  }
}

// Every hand pair of data/full is on the card: Chinese to Japanese the word's line names the
// Japanese word, Japanese to Chinese a line of the word (by its key, its noun before する or a stem
// of its dictionary form) carries the Chinese word; a pair the card cannot write or keeps otherwise
// is listed beside the card's sources, and "-" leaves no generated line.
TEST(FullCardWords, HandPairsAreOnTheCardOrListed) {
  const auto read = [](const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  };
  const std::string folder = datagen::buildFolder() + "/fullcard";
  std::set<std::string> listed;  // "side\tword"
  for (const char* name : {"/hand_pairs_refused.tsv", "/hand_pairs_kept.tsv"}) {
    std::istringstream in(read(folder + name));
    for (std::string l; std::getline(in, l);) {
      const std::size_t tab = l.find('\t'), tab2 = l.find('\t', tab + 1);
      if (!l.empty() && l[0] != '#' && tab2 != std::string::npos) listed.insert(l.substr(0, tab2));
    }
  }
  const auto generated = [&](const std::string& path, std::string_view heading) {
    std::istringstream in(read(path));
    std::multimap<std::string, std::string> out;
    bool below = false;
    for (std::string l; std::getline(in, l);) {
      below = below || l.rfind(std::string(heading), 0) == 0;
      if (below && !l.empty() && l[0] != '#') out.emplace(l.substr(0, l.find('\t')), l);
    }
    return out;
  };
  const auto words = generated(folder + "/source/cj/words.txt", datagen::kOpenListHeading);
  const auto lexicon = generated(folder + "/source/jc/lexicon.txt", datagen::kGeneratedLexiconHeading);
  ASSERT_GT(words.size(), 10000u);
  for (const char* side : {"cj", "jc"}) {
    std::vector<datagen::HandPair> pairs;
    std::string error;
    ASSERT_TRUE(datagen::parseHandPairs(read(std::string(SUITE_TEST_SOURCE_DIR) + "/data/full/pairs_" + side + ".txt"),
                                        pairs, nullptr, &error))
        << error;
    const bool cj = side[0] == 'c';
    for (const datagen::HandPair& p : pairs) {
      if (listed.count(side + std::string("\t") + p.word)) continue;
      const auto& lines = cj ? words : lexicon;
      if (p.translation == "-") {
        if (cj) EXPECT_EQ(lines.count(p.word), 0u) << p.word;
        continue;
      }
      bool found = false;
      if (cj) {
        auto [from, to] = lines.equal_range(p.word);
        for (auto it = from; it != to; ++it) {
          const std::string head = it->second.substr(it->second.rfind('\t') + 1);
          // A サ変 noun for a Chinese verb takes する, a 形容動詞 stem だ.
          for (const char* ending : {"", "する", "だ"})
            found = found || head.find("," + p.translation + ending + ",") != std::string::npos;
        }
      } else {
        // The key itself, the noun of a verb with する, or a stem the dictionary form begins with.
        for (std::size_t cut = p.word.size(); cut > 0 && !found; --cut) {
          auto [from, to] = lines.equal_range(p.word.substr(0, cut));
          for (auto it = from; it != to; ++it) found = found || it->second.find("\t=\t" + p.translation + "\t") != std::string::npos;
        }
      }
      EXPECT_TRUE(found) << side << " " << p.word << " " << p.translation;
    }
  }
}

}  // namespace
