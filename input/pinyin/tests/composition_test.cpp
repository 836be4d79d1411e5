#include <gtest/gtest.h>

#include "input/pinyin/composition.h"
#include "input/pinyin/pinyin_keys.h"
#include "input/pinyin/tests/table_fixture.h"

namespace pinyin {
namespace {

using datagen::PinyinRecord;
using test::candidates;
using test::keys;

// Key codes by name, for readability.
constexpr std::uint16_t B = 129, D = 133, N = 135, L = 136, G = 137, J = 140, Z = 143, ZH = 146, R = 149;
constexpr std::uint16_t Y_I = 150, W_U = 151;
constexpr std::uint16_t FA = 153, FE = 154, FI = 155, FU = 156, FANG = 157, FENG = 158, FING = 159, FAN = 161,
                        FEN = 162, FIN = 163, FONG = 160, FUN = 164, FO = 169;
constexpr std::uint16_t T1 = 173, T2 = 174, T3 = 175, T4 = 176, T0 = 177;

const test::FixtureRuns& runs() {
  static const test::FixtureRuns r = [] {
    test::FixtureRuns f;
    f["zhi"] = {{u'之', '1', 60}, {u'只', '3', 58}};
    f["zi"] = {{u'子', '0', 60}};
    f["bi"] = {{u'比', '3', 60}, {u'必', '4', 59}};
    f["ban"] = {{u'班', '1', 60}, {u'般', '1', 50}};
    f["bang"] = {{u'帮', '1', 60}, {u'棒', '4', 55}};
    f["ba"] = {{u'把', '3', 60}, {u'把', '4', 60, true}, {u'八', '1', 58}, {u'吧', '0', 57}};
    f["lve"] = {{u'略', '4', 60}, {u'掠', '3', 55}};
    f["yuan"] = {{u'元', '2', 60}};
    f["yu"] = {{u'于', '2', 60}};
    f["gui"] = {{u'贵', '4', 60}};
    f["liu"] = {{u'六', '4', 60}};
    f["nan"] = {{u'南', '2', 60}};
    f["lan"] = {{u'蓝', '2', 61}};
    f["ren"] = {{u'人', '2', 60}};
    f["yin"] = {{u'因', '1', 59}};
    f["jun"] = {{u'军', '1', 60}};
    f["jiong"] = {{u'窘', '3', 59}};
    // Long runs for paging and the 512 cut: dan and dang.
    std::vector<PinyinRecord> dan, dang;
    for (int i = 0; i < 300; ++i) {
      dan.push_back({static_cast<char16_t>(0x4E00 + i), '1', 60 - i / 10});
      dang.push_back({static_cast<char16_t>(0x5000 + i), '1', 60 - i / 10});
    }
    f["dan"] = dan;
    f["dang"] = dang;
    return f;
  }();
  return r;
}

const test::OwnedTables& tables() {
  static const test::OwnedTables t = test::fixtureTables(runs());
  return t;
}

TEST(Composition, KeysComposeTheSyllablesTheyShouldLookUp) {
  struct Case {
    std::initializer_list<std::uint16_t> keys;
    const char16_t* plain;   // without tone marks
    const char16_t* marked;  // with tone marks
    const char16_t* found;
  };
  const Case cases[] = {
      {{ZH}, u"zh", u"zh", u"之只"},                        // zh alone looks up zhi
      {{B, Y_I}, u"bi", u"bi", u"比必"},                    // b then y/i looks up bi
      {{L, W_U, FE, T4}, u"lve4", u"lüè", u"略"},           // l, w/u, e: lüe
      {{Y_I, W_U, FAN}, u"yuan", u"yuan", u"元"},           // y then w gives yu; with an, yuan
      {{Y_I, FU}, u"yu", u"yu", u"于"},                     // y then the final u: yu
      {{G, W_U, FI, T4}, u"gui4", u"guì", u"贵"},           // ui marks the i
      {{L, Y_I, FU, T2}, u"liu2", u"liú", u""},            // iu marks the u; 六 has no record of tone 2
      {{G, FU, FA}, u"gua", u"gua", u""},                   // a second final makes the first the medial
      {{ZH, T0}, u"zh0", u"zh", u""},                       // the neutral tone writes 0 and no mark
  };
  for (const Case& k : cases) {
    PinyinEngine e = test::engineWith(tables().tables);
    PinyinComposition c;
    keys(e, c, k.keys);
    EXPECT_EQ(compositionText(e, c, false), k.plain);
    EXPECT_EQ(compositionText(e, c, true), k.marked);
    EXPECT_EQ(std::u16string(c.syllableText.data()), k.marked);
    EXPECT_EQ(candidates(c), k.found);
  }
}

TEST(Composition, ToneSelectsRecordsAndToneFlagsFollowTheRun) {
  PinyinEngine e = test::engineWith(tables().tables);
  PinyinComposition c;
  keys(e, c, {B, FA});
  // Without a tone a character with two tones is listed once, and every tone found is offered.
  EXPECT_EQ(candidates(c), u"把八吧");
  EXPECT_TRUE(c.tonesPresent[0] && c.tonesPresent[1] && c.tonesPresent[3] && c.tonesPresent[4]);
  EXPECT_FALSE(c.tonesPresent[2]);
  EXPECT_TRUE(isKeyEnabled(e, c, T4));
  EXPECT_FALSE(isKeyEnabled(e, c, T2));
  composeKey(e, c, T4);
  EXPECT_EQ(candidates(c), u"把");  // the repeat record of tone 4
  // Backspace takes the tone only.
  composeKey(e, c, kKeyBackspace);
  EXPECT_EQ(c.tone, 0);
  EXPECT_EQ(c.final, kFinalA);
  EXPECT_EQ(candidates(c), u"把八吧");
  composeKey(e, c, T1);
  EXPECT_EQ(candidates(c), u"八");
  composeKey(e, c, kKeyBackspace);
  composeKey(e, c, kKeyBackspace);
  composeKey(e, c, kKeyBackspace);
  EXPECT_FALSE(isComposing(c));
  composeKey(e, c, kKeyBackspace);  // nothing left: nothing changes
  EXPECT_FALSE(isComposing(c));
}

TEST(Composition, FuzzyVariantsMergeByPriorityEarlierListWinningTies) {
  PinyinEngine e = test::engineWith(tables().tables, 0, kFuzzyAnAng);
  PinyinComposition c;
  keys(e, c, {B, FAN});
  EXPECT_EQ(candidates(c), u"班帮棒般");  // 班 60 ties 帮 60 and wins as typed; 棒 55, 般 50
  PinyinComposition d;
  PinyinEngine e2 = test::engineWith(tables().tables, 0, kFuzzyAnAng);
  keys(e2, d, {B, FANG});
  EXPECT_EQ(candidates(d), u"帮班棒般");
  // Without the flag only ban.
  PinyinEngine plain = test::engineWith(tables().tables);
  PinyinComposition p;
  keys(plain, p, {B, FAN});
  EXPECT_EQ(candidates(p), u"班般");

  struct Case {
    std::uint32_t flags;
    std::initializer_list<std::uint16_t> keys;
    const char16_t* found;
  };
  const Case cases[] = {
      {kFuzzyLN, {N, FAN}, u"蓝南"},          // nan with lan, lan's priority higher
      {kFuzzyRY, {R, FEN}, u"人因"},           // ren → yin in layout 0
      {kFuzzyRY, {Y_I, FIN}, u"人因"},         // yin → ren, ren's priority higher
      {kFuzzyUnOng, {J, FUN}, u"军窘"},        // jun → jiong: ong after j takes the medial i
  };
  for (const Case& k : cases) {
    PinyinEngine f = test::engineWith(tables().tables, 0, k.flags);
    PinyinComposition x;
    keys(f, x, k.keys);
    EXPECT_EQ(candidates(x), k.found);
  }
}

TEST(Composition, PagingAndTheCandidateLimit) {
  PinyinEngine e = test::engineWith(tables().tables);
  PinyinComposition c;
  keys(e, c, {D, FAN});
  ASSERT_EQ(c.candidateCount, 300);
  EXPECT_TRUE(hasNextPage(c));
  EXPECT_FALSE(hasPreviousPage(c));
  EXPECT_TRUE(isKeyEnabled(e, c, kKeyNextPage));
  c.pageStart = 296;
  EXPECT_FALSE(hasNextPage(c));
  EXPECT_TRUE(hasPreviousPage(c));
  c.pageStart = 288;
  EXPECT_TRUE(hasNextPage(c));
  // A new key starts again at the first page.
  composeKey(e, c, T1);
  EXPECT_EQ(c.pageStart, 0);

  // dang and dan together hold 600 characters: 512 are kept.
  PinyinEngine f = test::engineWith(tables().tables, 0, kFuzzyAnAng);
  PinyinComposition d;
  keys(f, d, {D, FANG});
  EXPECT_EQ(d.candidateCount, kMaxCandidates);
  EXPECT_EQ(d.candidates[kMaxCandidates], 0);
  // Ten records of each run share the top priority: dang, as typed, wins every tie.
  EXPECT_EQ(d.candidates[9], 0x5009);
  EXPECT_EQ(d.candidates[10], 0x4E00);
  EXPECT_EQ(d.candidates[20], 0x500A);
}

TEST(Composition, SettingsAreReadAtTheFirstKeyOfEachSyllable) {
  int reads = 0;
  std::uint32_t charset = 0;
  PinyinEngine e = test::engineWith(tables().tables);
  e.readSettings = [&](std::uint32_t& c, std::uint32_t& f) {
    ++reads;
    c = charset;
    f = 0;
  };
  PinyinComposition c;
  keys(e, c, {B, FA});
  EXPECT_EQ(reads, 1);
  EXPECT_EQ(c.traditional, 0);
  charset = 7;  // changed by the options page meanwhile
  composeKey(e, c, T3);
  EXPECT_EQ(c.traditional, 0);
  composeKey(e, c, kKeyEnter);  // any other key ends the syllable, keeping its list
  EXPECT_FALSE(isComposing(c));
  EXPECT_EQ(candidates(c), u"把");
  EXPECT_TRUE(isKeyEnabled(e, c, kKeyFirstSlot));
  composeKey(e, c, ZH);
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(c.traditional, 1);
}

TEST(KeyEnabling, OffersOnlyKeysThatCanContinueTheSyllable) {
  PinyinEngine e = test::engineWith(tables().tables);
  struct Case {
    std::initializer_list<std::uint16_t> keys;
    std::initializer_list<std::uint16_t> on;
    std::initializer_list<std::uint16_t> off;
  };
  const Case cases[] = {
      // Empty: initials, medials, finals that stand alone; slots empty.
      {{}, {B, ZH, Y_I, W_U, FA, FE, FANG}, {FI, FU, FIN, kKeyFirstSlot, kKeyNextPage, T1}},
      // b: finals of b, y/i and w/u; no initials; slots and tones wait for more.
      {{B}, {FA, FAN, FI, FU, FIN, FING, Y_I, W_U}, {D, FONG, kKeyFirstSlot, T1}},
      // f, g, k and h take no y/i.
      {{G}, {W_U, FA}, {Y_I}},
      // b + an: the syllable is complete; only slots, tones, backspace and enter.
      {{B, FAN}, {kKeyFirstSlot, T1, kKeyBackspace, kKeyEnter}, {FA, Y_I, D, T4}},
      // l + u: e makes lüe; a second final after u.
      {{L, FU}, {FE, FAN, FO, kKeyFirstSlot}, {Y_I, W_U}},
      // b + i (bi): in and ing judged without the medial, ian with it.
      {{B, Y_I}, {FAN, FIN, FING, FE}, {Y_I, W_U, FONG}},
      // zh alone is a syllable.
      {{ZH}, {kKeyFirstSlot, FI, Y_I}, {FIN, B}},
      // y: in, ing, un and ong follow it (yin, ying, yun, yong).
      {{Y_I}, {FIN, FING, FUN, FONG, FA, FI, FU}, {FEN, W_U}},
      // y then u: only e and an (yue, yuan).
      {{Y_I, FU}, {FE, FAN}, {FA, FING}},
  };
  for (const Case& k : cases) {
    PinyinComposition c;
    keys(e, c, k.keys);
    for (std::uint16_t on : k.on) EXPECT_TRUE(isKeyEnabled(e, c, on)) << "key " << on << " after " << k.keys.size();
    for (std::uint16_t off : k.off) EXPECT_FALSE(isKeyEnabled(e, c, off)) << "key " << off << " after " << k.keys.size();
  }
}

TEST(Zhuyin, TheSecondModeKeysZhuyinAndWritesItsLabels) {
  PinyinEngine e = test::engineWith(tables().tables, 0, 0, true);
  PinyinComposition c;
  keys(e, c, {ZH});
  EXPECT_EQ(candidates(c), u"之只");
  EXPECT_EQ(compositionText(e, c, false), u"ㄓ");
  composeKey(e, c, kKeyBackspace);
  keys(e, c, {B, Y_I, FAN, T3});  // ㄅㄧㄢˇ
  EXPECT_EQ(compositionText(e, c, false), u"ㄅㄧㄢˇ");
  PinyinComposition d;
  keys(e, d, {L, 152, 172, T4});  // ㄌㄩㄝˋ
  EXPECT_EQ(candidates(d), u"略");
  EXPECT_EQ(compositionText(e, d, false), u"ㄌㄩㄝˋ");
  // While composing every key outside the syllable keys is shut, the space counting as tone 1.
  EXPECT_FALSE(isKeyEnabled(e, d, kKeyLayout0));
  PinyinComposition g;
  keys(e, g, {G});
  EXPECT_TRUE(isKeyEnabled(e, g, W_U));
  EXPECT_FALSE(isKeyEnabled(e, g, Y_I));
  EXPECT_FALSE(isKeyEnabled(e, g, 0x3000));  // g alone makes no lookup
}

}  // namespace
}  // namespace pinyin
