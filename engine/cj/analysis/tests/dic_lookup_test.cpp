#include "engine/cj/analysis/dic_lookup.h"

#include <gtest/gtest.h>

#include "engine/cj/analysis/tests/cj_dictionary_fixture.h"

namespace cj {
namespace {

using cjtest::DicWord;
using cjtest::engineText;
using cjtest::readableText;

const std::vector<DicWord> kWords = {
    {"的", "U\\U[U]"},
    {"中国", "NA\\U[N]a[HP]b[x]Z[12]U[A]S[k]U[N]h[3]"},
    {"人民", "N\\a[Q]t[AB]"},                    // no U item
    {"民", "N\\Z[]a[K]"},                         // empty reference
    {"人", "N\\Z[0]k[zz]U[N]N[7]a[G$e[LOC]"},     // unknown tags skipped, '$' ends a value
    {"国", "NVAFRSTUWX\\U[N]"},                   // more category letters than CAT holds
    {"长", "N\\U[N]a[ABCDEFGH]T[中国人民]"},      // values wider than their fields
    {"短", "V\\U[V]p[H]q[I]X[J]r[R]s[S]u[U]v[W]w[1]x[2]y[3]z[4]A[5]B[6]C[7]D[8]E[9]F[a]G[b]H[c]I[d]J[e]K[f]L[g]"
           "M[h]O[i]Q[j]R[k]c[l]d[m]P[n]f[o]g[p]i[q]j[r]l[s]m[t]n[u]o[v]e[w]"},
};

class DicLookupTest : public cjtest::EngineFixture {
 protected:
  void SetUp() override { ASSERT_TRUE(start({kWords, {}, {}, {}})); }

  // A word node read from the entry of a dictionary word.
  CjNode read(const std::string& utf8, int* result = nullptr) {
    CjNode node;
    node.CHI = engineText(utf8);
    int r = readDicEntry(cjtest::engine(), node, static_cast<int32_t>(offsetOf(utf8)));
    if (result) *result = r;
    return node;
  }
};

TEST_F(DicLookupTest, EntryGivesCategoriesSensesAndReference) {
  int result = 0;
  CjNode n = read("中国", &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(n.CAT.view(), "NA");
  EXPECT_EQ(n.dictionaryRef, 13);
  ASSERT_EQ(n.senses.size(), 3u);
  EXPECT_EQ(n.senses[0].catLetter, 'N');
  EXPECT_EQ(n.senses[0].M_SEM.view(), "HP");
  EXPECT_EQ(n.senses[0].S_SEM.view(), "x");
  EXPECT_EQ(n.senses[1].catLetter, 'A');
  EXPECT_EQ(n.senses[1].ATTR2, 'k');
  EXPECT_EQ(n.senses[1].M_SEM.view(), "");
  EXPECT_EQ(n.senses[2].catLetter, 'N');
  EXPECT_EQ(n.senses[2].PER, '3');
}

TEST_F(DicLookupTest, EntryEdgeCases) {
  CjNode noSense = read("人民");
  ASSERT_EQ(noSense.senses.size(), 1u);
  EXPECT_EQ(noSense.senses[0].catLetter, 0);
  EXPECT_EQ(noSense.senses[0].M_SEM.view(), "Q");
  EXPECT_EQ(noSense.senses[0].C_VAL.view(), "AB");
  EXPECT_EQ(noSense.dictionaryRef, 0);

  EXPECT_EQ(read("民").dictionaryRef, 0);
  EXPECT_EQ(read("民").senses[0].M_SEM.view(), "K");

  CjNode skipped = read("人");
  EXPECT_EQ(skipped.dictionaryRef, 1);
  ASSERT_EQ(skipped.senses.size(), 1u);
  EXPECT_EQ(skipped.senses[0].catLetter, 'N');
  EXPECT_EQ(skipped.senses[0].M_SEM.view(), "G");
  EXPECT_EQ(skipped.senses[0].LOC.view(), "LOC");

  EXPECT_EQ(read("国").CAT.view(), "NVAFRSTUW");
  // Values are cut to their fields, and never inside a character.
  CjNode wide = read("长");
  EXPECT_EQ(wide.senses[0].M_SEM.view(), "ABCD");
  EXPECT_EQ(readableText(wide.senses[0].S_CAT.view()), "中国人");
}

TEST_F(DicLookupTest, EveryTagLandsInItsField) {
  const CjNode node = read("短");
  ASSERT_EQ(node.senses.size(), 1u);
  const CjSense& s = node.senses[0];
  EXPECT_EQ(s.catLetter, 'V');
  EXPECT_EQ(s.C_SUB_SEM.view(), "H");
  EXPECT_EQ(s.C_OBJ_SEM.view(), "I");
  EXPECT_EQ(s.NO_C_OBJ_SEM.view(), "J");
  EXPECT_EQ(s.REPEAT.view(), "R");
  EXPECT_EQ(s.PRE_OBJ.view(), "S");
  EXPECT_EQ(s.V_RES.view(), "U");
  EXPECT_EQ(s.V_TWO.view(), "W");
  EXPECT_EQ(s.LOC.view(), "w");
  const std::string letters = {s.MOD, s.DEG, s.FUNC1, s.CONJ, s.CONJ_FIX, s.MODIFY, s.SENT_YN, s.WHAT, s.WHO,
                               s.DOM_P, s.CERT, s.ATTR1, s.CONJ_YN, s.LOGIC, s.PREP_YN, s.COMBINE, s.PRE_POST,
                               s.SV_CONJ, s.ADD};
  EXPECT_EQ(letters, "123456789abkdefghij");  // R overrides H's ATTR1
  const std::string more = {s.CLAS_M_FIX, s.CLAS_YN, s.SEX, s.NUM, s.PROP, s.TIME, s.NEG, s.VOI, s.TEN, s.ASP};
  EXPECT_EQ(more, "lnopqrstuv");  // P overrides d's CLAS_YN
}

TEST_F(DicLookupTest, CategoriesSetWithoutReading) {
  const std::string enumeration = listedWords("textChecks.enumerationChars").at(5);
  const std::string punctuation = listedWords("dicLookup.punctuation").at(2);
  struct Case {
    std::string word;
    int32_t offset;
    const char* cat;
    int result;
  } cases[] = {
      {enumeration, 77, "U", 0},
      {punctuation, 77, "P", 0},
      {"?", 77, "P", 0},
      {"abc", 77, "W", 0},
      {engineText("我"), 0, "W", 0},          // offset 0 is only the listed first word's
      {engineText("的"), 0, "U", 1},
  };
  for (const Case& c : cases) {
    CjNode n;
    n.CHI = c.word;
    n.dictionaryRef = 9;
    cjtest::engine().engineStatus = kStatusOk;
    EXPECT_EQ(readDicEntry(cjtest::engine(), n, c.offset), c.result) << readableText(c.word);
    EXPECT_EQ(cjtest::engine().engineStatus, kStatusOk) << readableText(c.word);
    EXPECT_EQ(n.CAT.view(), c.cat) << readableText(c.word);
    if (c.word == enumeration) {
      EXPECT_EQ(n.dictionaryRef, 0);
    }
  }
}

// An entry that cannot be read is a failure with status 2, not a word the dictionary lacks.
TEST_F(DicLookupTest, FailedReadSetsTheStatus) {
  CjNode n;
  n.CHI = engineText("中国");
  cjtest::engine().engineStatus = kStatusOk;
  EXPECT_EQ(readDicEntry(cjtest::engine(), n, 100000), 0);  // an offset past the file
  EXPECT_EQ(cjtest::engine().engineStatus, 2);
  cjtest::engine().engineStatus = kStatusOk;
}

TEST_F(DicLookupTest, LongEntryIsReadWithinItsBuffer) {
  // An entry longer than one read, without a line end inside it.
  std::string items = "N\\U[N]";
  while (items.size() < 400) items += "a[AB]";
  std::vector<uint32_t> offsets;
  std::string dic = datagen::cjDicEntryFile({engineText("U\\U[U]"), items}, &offsets);
  datagen::CjDataFiles extra = {{"cwcdic.dic", dic}};
  closeCjEngine(cjtest::engine());
  ASSERT_TRUE(start({kWords, {}, {}, {}}, &extra));
  CjNode n;
  n.CHI = engineText("中国");
  EXPECT_EQ(readDicEntry(cjtest::engine(), n, static_cast<int32_t>(offsets[1])), 1);
  EXPECT_EQ(n.CAT.view(), "N");
  ASSERT_EQ(n.senses.size(), 1u);
  EXPECT_EQ(n.senses[0].M_SEM.view(), "AB");
}

TEST_F(DicLookupTest, NodesFromSegments) {
  std::vector<SegmentEntry> merged(7);
  const struct {
    char kind;
    std::string text;
    int32_t value;
  } segs[] = {
      {'4', engineText("中国"), static_cast<int32_t>(offsetOf("中国"))},
      {'U', "12", 0},
      {'P', ",", 0},
      {'W', "ab", 0},
      {'1', engineText("张三"), 55},
      {'4', engineText("我"), 0},
  };
  for (int i = 0; i < 6; ++i) {
    merged[i + 1].kind = segs[i].kind;
    merged[i + 1].text = segs[i].text;
    merged[i + 1].value = segs[i].value;
  }
  std::unique_ptr<CjSentence> s = buildSentence(6);
  ASSERT_TRUE(s);
  s->engine = &cjtest::engine();
  EXPECT_EQ(fillNodesFromSegments(*s, merged), 0);
  const struct {
    const char* cat;
    char kind;
    int32_t ref;
    std::size_t senses;
  } expected[] = {{"NA", '4', 13, 3}, {"U", 'W', 0, 0}, {"P", 'W', 0, 0}, {"N", 'W', 0, 0} /* Latin letters: a noun */, {"N", '1', 55, 0},
                  {"W", '4', 0, 0}};
  for (int i = 0; i < 6; ++i) {
    const CjNode& n = s->nodes[i + 1];
    EXPECT_EQ(n.CHI.view(), segs[i].text) << i;
    EXPECT_EQ(n.CAT.view(), expected[i].cat) << i;
    EXPECT_EQ(n.kind, expected[i].kind) << i;
    EXPECT_EQ(n.dictionaryRef, expected[i].ref) << i;
    EXPECT_EQ(n.senses.size(), expected[i].senses) << i;
  }
  destroySentence(s, 0);
  ASSERT_TRUE(s);
  EXPECT_TRUE(s->nodes[1].senses.empty());
  destroySentence(s, 1);
  EXPECT_FALSE(s);
  destroySentence(s, 1);
}

TEST_F(DicLookupTest, SenseFromItems) {
  CjNode n = read("中国");
  ASSERT_EQ(n.senses.size(), 3u);
  setSenseFromItems(n, "U[V]t[H]");
  EXPECT_EQ(n.CAT.view(), "V");
  ASSERT_EQ(n.senses.size(), 1u);
  EXPECT_EQ(n.senses[0].catLetter, 'V');
  EXPECT_EQ(n.senses[0].C_VAL.view(), "H");
  EXPECT_EQ(n.senses[0].M_SEM.view(), "");  // reset, not merged
  EXPECT_EQ(n.features.catLetter, 0);       // the node's own block is left alone

  struct Case {
    const char* text;
    const char* cat;
    const char* mSem;
    const char* sCat;
  } cases[] = {
      {"U[N]a[HP]T[ABCDEFGHIJ]", "N", "HP", "ABCDEFG"},  // wider than S_CAT: cut
      {"U[N]a[HP]b", "N", "HP", ""},                      // an item without '[' ends the parse
      {"U[N]a[HP", "N", "", ""},                          // an item without ']' ends the parse
      {"U[N]Z[5]U[V]a[Q]", "N", "Q", ""},                 // Z and U do nothing here
      {"V[N]a[H]", "V", "", ""},                          // not a sense: unchanged
  };
  for (const Case& c : cases) {
    CjNode m;
    m.senses.emplace_back();
    m.CAT = "V";
    setSenseFromItems(m, c.text);
    EXPECT_EQ(m.CAT.view(), c.cat) << c.text;
    EXPECT_EQ(m.senses[0].M_SEM.view(), c.mSem) << c.text;
    EXPECT_EQ(m.senses[0].S_CAT.view(), c.sCat) << c.text;
    EXPECT_EQ(m.dictionaryRef, 0) << c.text;
  }
  CjNode bare;
  setSenseFromItems(bare, "U[V]t[H]");
  EXPECT_TRUE(bare.CAT.empty());
  EXPECT_TRUE(bare.senses.empty());
}

TEST_F(DicLookupTest, WordRecords) {
  CjNode* node = new CjNode;
  EXPECT_NE(loadWordRecord(cjtest::engine(), engineText("中国"), node), 0);
  EXPECT_EQ(node->CHI.view(), engineText("中国"));
  EXPECT_EQ(node->CAT.view(), "NA");
  EXPECT_EQ(node->senses.size(), 3u);
  EXPECT_EQ(node->dictionaryRef, 13);

  // Two dictionary words, and an unknown character: not one word; the node keeps its defaults.
  for (const char* text : {"中国人民", "我", ""}) {
    node->CAT = "X";
    EXPECT_EQ(loadWordRecord(cjtest::engine(), engineText(text), node), 0) << text;
    EXPECT_TRUE(node->CHI.empty()) << text;
    EXPECT_TRUE(node->CAT.empty()) << text;
    EXPECT_TRUE(node->senses.empty()) << text;
  }
  EXPECT_NE(isDictionaryWord(cjtest::engine(), engineText("人民")), 0);
  EXPECT_EQ(isDictionaryWord(cjtest::engine(), engineText("人民中")), 0);
  freeWordRecord(node);
  freeWordRecord(nullptr);
}

}  // namespace
}  // namespace cj
