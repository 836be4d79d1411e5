#include "platform/synparse/parse_text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/library.h"
#include "platform/synparse/synparse_api.h"
#include "tools/datagen/sample_card.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/viewer_dictionary_source.h"

namespace synparse {
namespace {

struct Line {
  const char* surface;
  const char* base;
  const char* codes;
  int extraCandidates = 0;
  const char* semCodes = "";
};

// MORPH.TMP text: a first line per morpheme, its further candidates as "D" lines, then "E".
std::string morphFile(const std::vector<Line>& lines) {
  std::string out;
  for (const Line& l : lines) {
    out += std::string("\t") + l.surface + "\t" + l.base + "\t" + l.codes + "\tzh\t\t\t" + l.semCodes + "\n";
    for (int k = 0; k < l.extraCandidates; ++k)
      out += std::string("D\t") + l.surface + "\t" + l.base + "\t" + l.codes + "\tzh" + std::to_string(k) + "\t\t\t\n";
  }
  return out + "E\n";
}

// The parse text read back the way its reader reads it.
struct ReadPhrase {
  int head;
  char type;
  std::string tags;
  std::vector<long> offsets;
  char voice = 0;
};
struct ReadSentence {
  std::string id;
  std::vector<ReadPhrase> phrases;
  bool ended = false;
};

std::vector<ReadSentence> readLayout(const std::string& text) {
  std::vector<ReadSentence> out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    std::string line = text.substr(pos, nl - pos);
    pos = nl == std::string::npos ? text.size() : nl + 1;
    if (line.empty()) continue;
    if (line[0] == '#') {
      out.push_back(ReadSentence{line, {}, false});
      continue;
    }
    EXPECT_FALSE(out.empty()) << line;
    if (out.empty()) break;
    ReadSentence& s = out.back();
    switch (line[0]) {
      case '*': {
        const char* p = line.c_str() + 1;
        while (*p == ' ' || *p == '\t') ++p;
        char* end = nullptr;
        ReadPhrase r{static_cast<int>(std::strtol(p, &end, 10)), *end, std::string(end + 1), {}};
        s.phrases.push_back(r);
        break;
      }
      case '!':
        EXPECT_FALSE(s.phrases.empty());
        if (!s.phrases.empty()) s.phrases.back().offsets.push_back(std::strtol(line.c_str() + 2, nullptr, 10));
        break;
      case '/': {
        int n = -1;
        char c = 0;
        EXPECT_EQ(std::sscanf(line.c_str() + 1, "%d %c", &n, &c), 2) << line;
        EXPECT_GE(n, 0);
        if (n >= 0 && n < static_cast<int>(s.phrases.size())) s.phrases[static_cast<std::size_t>(n)].voice = c;
        break;
      }
      case 'E':
        s.ended = true;
        break;
      default:
        ADD_FAILURE() << "unexpected line " << line;
    }
  }
  return out;
}

// Checks what every reader relies on: one root, later heads, no crossing, offsets at first lines
// of the morphemes in order.
void checkStructure(const std::string& text, const std::string& morph, const std::vector<Line>& lines) {
  std::vector<ReadSentence> sentences = readLayout(text);
  std::size_t next = 0;
  for (const ReadSentence& s : sentences) {
    EXPECT_TRUE(s.ended) << s.id;
    int n = static_cast<int>(s.phrases.size()), roots = 0;
    for (int i = 0; i < n; ++i) {
      const ReadPhrase& p = s.phrases[static_cast<std::size_t>(i)];
      if (p.type == '-') {
        ++roots;
        EXPECT_EQ(i, n - 1);
        continue;
      }
      EXPECT_EQ(p.type, 'D');
      EXPECT_GT(p.head, i);
      EXPECT_LT(p.head, n);
      for (int j = i + 1; j < p.head; ++j) {
        const ReadPhrase& q = s.phrases[static_cast<std::size_t>(j)];
        if (q.type != '-') {
          EXPECT_LE(q.head, p.head) << "phrases " << i << " and " << j << " cross";
        }
      }
      EXPECT_EQ(p.tags.back(), '>');
    }
    EXPECT_EQ(roots, 1) << s.id;
    for (const ReadPhrase& p : s.phrases)
      for (long off : p.offsets) {
        ASSERT_LT(next, lines.size());
        ASSERT_LT(static_cast<std::size_t>(off), morph.size());
        EXPECT_EQ(morph.compare(static_cast<std::size_t>(off), std::strlen(lines[next].surface) + 2,
                                std::string("\t") + lines[next].surface + "\t"),
                  0)
            << "offset " << off;
        ++next;
      }
  }
  EXPECT_EQ(next, lines.size());
}

class ParseTextTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(initParser(nullptr), 0); }
  void TearDown() override { terminateParser(); }

  // Parses the lines through MORPH.TMP into the buffer; returns the text.
  std::string parse(const std::vector<Line>& lines, int expected = kParseOk) {
    morph = morphFile(lines);
    EXPECT_TRUE(plat::writeWholeFile("\\MORPH.TMP", morph));
    std::vector<char> buffer(kParseBufferSize, 'x');
    EXPECT_EQ(parseMorphFile(u"\\MORPH.TMP", buffer.data()), expected);
    std::string text(buffer.data(), strnlen(buffer.data(), buffer.size()));
    if (expected == kParseOk) checkStructure(text, morph, lines);
    return text;
  }

  datagen::TempDevice dev;
  std::string morph;
};

TEST_F(ParseTextTest, PinsTheTextOfSmallSentences) {
  struct Case {
    const char* name;
    std::vector<Line> lines;
    std::string text;
  } cases[] = {
      {"subject, object, verb",
       {{"私", "私", "06010000"}, {"は", "は", "09020000"}, {"本", "本", "06010000", 1}, {"を", "を", "09010000"},
        {"読んだ", "読む", "02010908"}, {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 2D <係:未格><ハ><提題><体言><文頭><助詞><自立><WA1>\n! 0\n! 22\n"
       "* 2D <係:ヲ格><ヲ><体言><助詞><自立><WO1>\n! 44\n! 90\n"
       "* -1- <係:文末><句点><文末><自立><用言:強:動><提題受:10>\n! 112\n! 140\n"
       "E\n"},
      {"a topic and the copula",
       {{"彼", "彼", "06010000"}, {"は", "は", "09020000"}, {"学生", "学生", "06010000"}, {"だ", "だ", "04002502"},
        {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 1D <係:未格><ハ><提題><体言><文頭><助詞><自立><WA1>\n! 0\n! 22\n"
       "* -1- <係:文末><句点><体言><文末><自立><用言:強:判><提題受:10>\n! 44\n! 70\n! 92\n"
       "E\n"},
      {"に after a place of being",
       {{"東京", "東京", "06040000"}, {"に", "に", "09010000"}, {"住む", "住む", "02020902"}, {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 1D <係:ニ格><ニ><体言><地名><文頭><助詞><自立><NI2>\n! 0\n! 26\n"
       "* -1- <係:文末><句点><文末><自立><用言:強:動>\n! 48\n! 74\n"
       "E\n"},
      {"the topic goes to the last predicate, the object to the te-form",
       {{"私", "私", "06010000"}, {"は", "は", "09020000"}, {"本", "本", "06010000"}, {"を", "を", "09010000"},
        {"読んで", "読む", "02010911"}, {"寝た", "寝る", "02020108"}, {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 3D <係:未格><ハ><提題><体言><文頭><助詞><自立><WA1>\n! 0\n! 22\n"
       "* 2D <係:ヲ格><ヲ><体言><助詞><自立><WO1>\n! 44\n! 66\n"
       "* 3D <係:連用><自立><用言:強:動><用言:弱>\n! 88\n"
       "* -1- <係:文末><句点><文末><自立><用言:強:動><提題受:10>\n! 116\n! 142\n"
       "E\n"},
      {"a quotation stays one sentence",
       {{"「", "「", "01030000"}, {"本", "本", "06010000"}, {"を", "を", "09010000"}, {"読んだ", "読む", "02010908"},
        {"。", "。", "01010000"}, {"」", "」", "01040000"}, {"と", "と", "09010000"}, {"言った", "言う", "02011208"},
        {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 1D <係:ヲ格><ヲ><体言><文頭><助詞><自立><括弧始><WO1>\n! 0\n! 22\n! 44\n"
       "* 2D <係:ト格><ト><ID:～と（引用）><句点><助詞><自立><用言:強:動><括弧終><TO3>\n! 66\n! 94\n! 116\n! 138\n"
       "* -1- <係:文末><句点><文末><自立><用言:強:動>\n! 160\n! 188\n"
       "E\n"},
      {"adnominal before a noun",
       {{"新しい", "新しい", "03001802"}, {"本", "本", "06010000"}, {"を", "を", "09010000"},
        {"読む", "読む", "02010902"}},
       "# S-ID:1\n"
       "* 1D <係:連体><文頭><自立><用言:強:形>\n! 0\n"
       "* 2D <係:ヲ格><ヲ><体言><助詞><自立><WO1>\n! 30\n! 52\n"
       "* -1- <係:文末><文末><自立><用言:強:動>\n! 74\n"
       "E\n"},
      {"A and B as subject",
       {{"田中", "田中", "06050000"}, {"と", "と", "09010000"}, {"山田", "山田", "06050000"},
        {"が", "が", "09010000"}, {"来た", "来る", "02021508"}, {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 1D <係:連用><ト><体言><人名><文頭><助詞><自立><TO5>\n! 0\n! 26\n"
       "* 2D <係:ガ格><ガ><体言><人名><助詞><自立><GA1>\n! 48\n! 74\n"
       "* -1- <係:文末><句点><文末><自立><用言:強:動>\n! 96\n! 122\n"
       "E\n"},
      {"passive",
       {{"本", "本", "06010000"}, {"が", "が", "09010000"}, {"読ま", "読む", "02010903"},
        {"れた", "れる", "05000108"}, {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 1D <係:ガ格><ガ><体言><文頭><助詞><自立><GA1>\n! 0\n! 22\n"
       "* -1- <係:文末><句点><文末><自立><用言:強:動><～れる>\n! 44\n! 70\n! 96\n/1 2\n"
       "E\n"},
      {"two sentences",
       {{"雨", "雨", "06010000"}, {"が", "が", "09010000"}, {"降った", "降る", "02021008"},
        {"。", "。", "01010000"}, {"寝る", "寝る", "02020102"}, {"。", "。", "01010000"}},
       "# S-ID:1\n"
       "* 1D <係:ガ格><ガ><体言><文頭><助詞><自立><GA1>\n! 0\n! 22\n"
       "* -1- <係:文末><句点><文末><自立><用言:強:動>\n! 44\n! 72\n"
       "E\n"
       "# S-ID:2\n"
       "* -1- <係:文末><句点><文頭><文末><自立><用言:強:動>\n! 94\n! 120\n"
       "E\n"},
      {"no morphemes", {}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(parse(c.lines), c.text) << c.name;
}

// The heads of each sentence's phrases, "-" for the root.
std::string heads(const std::string& text) {
  std::string out;
  for (const ReadSentence& s : readLayout(text)) {
    if (!out.empty()) out += " / ";
    for (std::size_t k = 0; k < s.phrases.size(); ++k)
      out += (k ? "," : "") + (s.phrases[k].type == '-' ? std::string("-") : std::to_string(s.phrases[k].head));
  }
  return out;
}

TEST_F(ParseTextTest, EachKindOfPhraseFindsItsHead) {
  struct Case {
    const char* name;
    std::vector<Line> lines;
    const char* heads;
  } cases[] = {
      {"a conjunction goes to the last predicate, the subject to the first",
       {{"しかし", "しかし", "10000000"}, {"、", "、", "01020000"}, {"雨", "雨", "06010000"}, {"が", "が", "09010000"},
        {"降って", "降る", "02021011"}, {"寝た", "寝る", "02020108"}, {"。", "。", "01010000"}},
       "3,2,3,-"},
      {"an adnominal phrase goes to the first noun head, a copula after it allowed",
       {{"私", "私", "06010000"}, {"の", "の", "09010000"}, {"本", "本", "06010000"}, {"だ", "だ", "04002502"},
        {"。", "。", "01010000"}},
       "1,-"},
      {"an attributive clause goes to its noun, its object to its verb",
       {{"本", "本", "06010000"}, {"を", "を", "09010000"}, {"読んだ", "読む", "02010908"}, {"人", "人", "06010000"},
        {"が", "が", "09010000"}, {"来た", "来る", "02021508"}},
       "1,2,3,-"},
      {"a bare time noun goes to the predicate, not to the noun after it",
       {{"今日", "今日", "06100000"}, {"学校", "学校", "06010000"}, {"に", "に", "09010000"},
        {"行く", "行く", "02020302"}},
       "2,2,-"},
      {"A と B with an adjective before B: the coordination skips the adjective",
       {{"犬", "犬", "06010000", 0, "15601"}, {"と", "と", "09010000"}, {"小さい", "小さい", "03001802"},
        {"猫", "猫", "06010000", 0, "15601"}, {"が", "が", "09010000"}, {"いる", "いる", "02020102"}},
       "2,2,3,-"},
      {"a companion goes past an adjective before a noun to its verb",
       {{"友達", "友達", "06010000", 0, "12310"}, {"と", "と", "09010000"}, {"新しい", "新しい", "03001802"},
        {"映画", "映画", "06010000", 0, "13230"}, {"を", "を", "09010000"}, {"見る", "見る", "02020102"}},
       "3,2,3,-"},
      {"a topic before a quoted clause without subject is the clause's",
       {{"彼", "彼", "06010000"}, {"は", "は", "09020000"}, {"来る", "来る", "02021502"}, {"と", "と", "09030000"},
        {"思う", "思う", "02011202"}, {"。", "。", "01010000"}},
       "1,2,-"},
      {"with a subject of its own the quoted clause leaves the topic to the verb of thinking",
       {{"私", "私", "06010000"}, {"は", "は", "09020000"}, {"彼", "彼", "06010000"}, {"が", "が", "09010000"},
        {"来る", "来る", "02021502"}, {"と", "と", "09030000"}, {"思う", "思う", "02011202"}, {"。", "。", "01010000"}},
       "3,2,3,-"},
      {"ずに makes a clause of the verb after it",
       {{"食べ", "食べる", "02020103"}, {"ず", "ぬ", "14052704"}, {"に", "に", "09010000"}, {"行く", "行く", "02020302"}},
       "1,-"},
      {"a goal before the purpose of going is the going's, the object stays with the purpose",
       {{"店", "店", "06010000"}, {"へ", "へ", "09010000"}, {"本", "本", "06010000"}, {"を", "を", "09010000"},
        {"買い", "買う", "02020107"}, {"に", "に", "09010000"}, {"行く", "行く", "02020302"}},
       "3,2,3,-"},
      {"a scene of action before the purpose stays with the purpose",
       {{"店", "店", "06010000"}, {"で", "で", "09010000"}, {"本", "本", "06010000"}, {"を", "を", "09010000"},
        {"買い", "買う", "02020107"}, {"に", "に", "09010000"}, {"行く", "行く", "02020302"}},
       "2,2,3,-"},
      {"a closing bracket after the full stop stays with its sentence",
       {{"はい", "はい", "12010000"}, {"。", "。", "01010000"}, {"」", "」", "01040000"}, {"寝た", "寝る", "02020108"},
        {"。", "。", "01010000"}},
       "- / -"},
  };
  for (const Case& c : cases) {
    std::string text = parse(c.lines);
    EXPECT_EQ(heads(text), c.heads) << c.name;
  }
  // The bracket is the first sentence's.
  std::vector<ReadSentence> s = readLayout(parse(cases[11].lines));
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].phrases[0].offsets.size(), 3u);
}

// The usage code of the first phrase, the last of its tags.
TEST_F(ParseTextTest, UsageCodesFollowTheContext) {
  struct Case {
    std::vector<Line> lines;
    const char* usage;
  } cases[] = {
      {{{"今日", "今日", "06100000"}, {"に", "に", "09010000"}, {"来る", "来る", "02021502"}}, "<NI1>"},
      {{{"東京", "東京", "06040000"}, {"に", "に", "09010000"}, {"住む", "住む", "02020902"}}, "<NI2>"},
      {{{"友達", "友達", "06010000"}, {"に", "に", "09010000"}, {"会った", "会う", "02021208"}}, "<NI10>"},
      {{{"本", "本", "06010000"}, {"に", "に", "09010000"}, {"書く", "書く", "02010202"}}, "<NI3>"},
      {{{"私", "私", "06010000"}, {"に", "に", "09010000"}, {"優しい", "優しい", "03001802"}}, "<NI5>"},
      {{{"東京", "東京", "06040000"}, {"で", "で", "09010000"}, {"会う", "会う", "02021202"}}, "<DE1>"},
      {{{"車", "車", "06010000", 0, "14660"}, {"で", "で", "09010000"}, {"行く", "行く", "02020302"}}, "<DE2>"},
      {{{"東京", "東京", "06040000"}, {"で", "で", "09010000"}, {"は", "は", "09020000"}, {"降る", "降る", "02021002"}},
       "<DE1>"},  // the case before a closing は
      {{{"道", "道", "06010000"}, {"を", "を", "09010000"}, {"歩く", "歩く", "02020202"}}, "<WO2>"},
      {{{"本", "本", "06010000"}, {"を", "を", "09010000"}, {"読む", "読む", "02010902"}}, "<WO1>"},
      {{{"友達", "友達", "06010000"}, {"と", "と", "09010000"}, {"行く", "行く", "02020302"}}, "<TO1>"},
      {{{"行く", "行く", "02020302"}, {"と", "と", "09010000"}, {"思う", "思う", "02011202"}}, "<TO3>"},
      {{{"行く", "行く", "02020302"}, {"と", "と", "09010000"}, {"寝る", "寝る", "02020102"}}, "<TO1>"},
      {{{"問題", "問題", "06010000"}, {"と", "と", "09010000"}, {"なる", "なる", "02021002"}}, "<TO2>"},
      {{{"学校", "学校", "06010000"}, {"へ", "へ", "09010000"}, {"行く", "行く", "02020302"}}, "<HE99>"},
      {{{"北", "北", "06010000"}, {"へ", "へ", "09010000"}, {"歩く", "歩く", "02020202"}}, "<HE1>"},
      {{{"学校", "学校", "06010000"}, {"から", "から", "09010000"}, {"帰る", "帰る", "02021002"}}, "<KR1>"},
      {{{"山", "山", "06010000"}, {"より", "より", "09010000"}, {"高い", "高い", "03001802"}}, "<YR1>"},
      {{{"雨", "雨", "06010000"}, {"が", "が", "09010000"}, {"降る", "降る", "02021002"}}, "<GA1>"},
  };
  for (const Case& c : cases) {
    std::vector<ReadSentence> s = readLayout(parse(c.lines));
    ASSERT_EQ(s.size(), 1u) << c.usage;
    ASSERT_EQ(s[0].phrases.size(), 2u) << c.usage;
    const std::string& tags = s[0].phrases[0].tags;
    EXPECT_EQ(tags.substr(tags.rfind('<')), c.usage) << c.lines[0].surface << c.lines[1].surface;
  }
}

// The semantic codes of MORPH.TMP decide between readings the parts of speech leave open.
TEST_F(ParseTextTest, SemanticCodesChooseTheUsage) {
  struct Case {
    const char* name;
    std::vector<Line> lines;
    const char* usage;
  } cases[] = {
      {"a counter of time before に is a time",
       {{"三", "三", "06070000"}, {"時", "時", "14030000", 0, "11610"}, {"に", "に", "09010000"},
        {"来る", "来る", "02021502"}},
       "<NI1>"},
      {"a time ago before に is a time",
       {{"三", "三", "06070000"}, {"年", "年", "14030000", 0, "11610"}, {"前", "前", "06010000", 0, "11700"},
        {"に", "に", "09010000"}, {"来る", "来る", "02021502"}},
       "<NI1>"},
      {"a counter of things before に is not",
       {{"三", "三", "06070000"}, {"冊", "冊", "14030000"}, {"に", "に", "09010000"}, {"来る", "来る", "02021502"}},
       "<NI3>"},
      {"a place by its codes before に of being",
       {{"部屋", "部屋", "06010000", 0, "14400/12640"}, {"に", "に", "09010000"}, {"住む", "住む", "02020902"}},
       "<NI2>"},
      {"a place before に of arriving is the goal",
       {{"東京", "東京", "06040000"}, {"に", "に", "09010000"}, {"届く", "届く", "02020202"}}, "<NI3>"},
      {"the goal of a verb of going is its object",
       {{"東京", "東京", "06040000"}, {"に", "に", "09010000"}, {"行く", "行く", "02020302"}}, "<NI99>"},
      {"the purpose of going, a サ変 noun, too",
       {{"散歩", "散歩", "06020000"}, {"に", "に", "09010000"}, {"出かける", "出かける", "02020102"}}, "<NI99>"},
      {"a place by its codes before で",
       {{"部屋", "部屋", "06010000", 0, "14400/12640"}, {"で", "で", "09010000"}, {"読む", "読む", "02010902"}},
       "<DE1>"},
      {"a noun the thesaurus does not class before で: a place",
       {{"市場", "市場", "06010000"}, {"で", "で", "09010000"}, {"買う", "買う", "02011202"}}, "<DE1>"},
      {"a thing by its codes before で: a means",
       {{"鉛筆", "鉛筆", "06010000", 0, "14160"}, {"で", "で", "09010000"}, {"書く", "書く", "02010202"}}, "<DE2>"},
      {"a person と a thing: the person goes with the verb",
       {{"友達", "友達", "06010000", 0, "12310"}, {"と", "と", "09010000"}, {"映画", "映画", "06010000", 0, "13230"},
        {"を", "を", "09010000"}, {"見る", "見る", "02020102"}},
       "<TO1>"},
      {"two persons with と are one subject",
       {{"母", "母", "06010000", 0, "12120"}, {"と", "と", "09010000"}, {"父", "父", "06010000", 0, "12120"},
        {"が", "が", "09010000"}, {"来る", "来る", "02021502"}},
       "<TO5>"},
      {"two things with と are one object",
       {{"本", "本", "06010000", 0, "14160"}, {"と", "と", "09010000"}, {"雑誌", "雑誌", "06010000", 0, "13160"},
        {"を", "を", "09010000"}, {"買う", "買う", "02011202"}},
       "<TO5>"},
      {"a time word after と is not coordinated with the noun before it",
       {{"兄", "兄", "06010000"}, {"と", "と", "09010000"}, {"昼", "昼", "06100000"}, {"パン", "パン", "06010000"},
        {"を", "を", "09010000"}, {"食べる", "食べる", "02010102"}},
       "<TO1>"},
      {"a school is no person: school と home are coordinated",
       {{"学校", "学校", "06010000", 0, "12630"}, {"と", "と", "09010000"}, {"家", "家", "06010000", 0, "14400"},
        {"を", "を", "09010000"}, {"見る", "見る", "02020102"}},
       "<TO5>"},
  };
  for (const Case& c : cases) {
    std::vector<ReadSentence> s = readLayout(parse(c.lines));
    ASSERT_EQ(s.size(), 1u) << c.name;
    ASSERT_FALSE(s[0].phrases.empty()) << c.name;
    const std::string& tags = s[0].phrases[0].tags;
    EXPECT_EQ(tags.substr(tags.rfind('<')), c.usage) << c.name;
  }
  // The companion hangs on the verb, the coordinated noun on the next noun.
  EXPECT_EQ(heads(parse(cases[10].lines)), "2,2,-");
  EXPECT_EQ(heads(parse(cases[12].lines)), "1,2,-");
}

TEST_F(ParseTextTest, CopulaTeFormIsMarked) {
  std::vector<ReadSentence> s = readLayout(parse({{"学生", "学生", "06010000"}, {"で", "だ", "04002511"},
                                                  {"、", "、", "01020000"}, {"寝た", "寝る", "02020108"}}));
  ASSERT_EQ(s.size(), 1u);
  ASSERT_EQ(s[0].phrases.size(), 2u);
  EXPECT_NE(s[0].phrases[0].tags.find("<ID:～で（判）>"), std::string::npos) << s[0].phrases[0].tags;
  EXPECT_NE(s[0].phrases[0].tags.find("<用言:弱>"), std::string::npos);
  EXPECT_EQ(s[0].phrases[0].head, 1);
}

// Long sentences are cut at phrase boundaries so that the reader's record holds each part.
TEST_F(ParseTextTest, LongSentencesAreCutBelowTheNodeLimit) {
  std::vector<Line> lines;
  for (int i = 0; i < 150; ++i) {
    lines.push_back({"本", "本", "06010000"});
    lines.push_back({"を", "を", "09010000"});
  }
  for (int i = 0; i < 200; ++i) lines.push_back({"東京", "東京", "06040000"});  // one long noun run
  lines.push_back({"読む", "読む", "02010902"});
  lines.push_back({"。", "。", "01010000"});
  std::string m = morphFile(lines);
  std::vector<Morpheme> morphemes;
  ASSERT_TRUE(readMorphemes(m, morphemes));
  std::vector<std::string> all = parseSentences(morphemes, defaultWordLists());
  ASSERT_GT(all.size(), 2u);
  std::string text;
  for (const std::string& s : all) text += s;
  checkStructure(text, m, lines);
  for (const ReadSentence& s : readLayout(text)) {
    int nodes = 0;
    for (const ReadPhrase& p : s.phrases) nodes += static_cast<int>(p.offsets.size()) + 2;
    EXPECT_LE(nodes, 290) << s.id;
    for (const ReadPhrase& p : s.phrases) EXPECT_LE(p.offsets.size(), 64u);
  }
}

TEST_F(ParseTextTest, PhrasesKeepPrefixesNounRunsAndSuruVerbs) {
  std::string text = parse({{"お", "お", "13010000"}, {"茶", "茶", "06010000"}, {"を", "を", "09010000"},
                            {"日本", "日本", "06040000"}, {"語", "語", "06010000"}, {"で", "で", "09010000"},
                            {"勉強", "勉強", "06020000"}, {"した", "する", "02011608"}});
  std::vector<ReadSentence> s = readLayout(text);
  ASSERT_EQ(s.size(), 1u);
  ASSERT_EQ(s[0].phrases.size(), 3u);
  EXPECT_EQ(s[0].phrases[0].offsets.size(), 3u);  // prefix, its noun and the particle
  EXPECT_EQ(s[0].phrases[1].offsets.size(), 3u);  // a noun run and its particle
  EXPECT_EQ(s[0].phrases[2].offsets.size(), 2u);  // the noun and its suru verb
  EXPECT_EQ(s[0].phrases[0].head, 2);             // case phrases look for the predicate
  EXPECT_EQ(s[0].phrases[1].head, 2);
}

TEST_F(ParseTextTest, CausativeAndIntransitivePassiveClasses) {
  std::string text = parse({{"子供", "子供", "06010000"}, {"を", "を", "09010000"}, {"走ら", "走る", "02021003"},
                            {"せた", "せる", "05000108"}, {"。", "。", "01010000"}, {"雨", "雨", "06010000"},
                            {"に", "に", "09010000"}, {"降ら", "降る", "02021003"}, {"れた", "れる", "05000108"},
                            {"。", "。", "01010000"}});
  std::vector<ReadSentence> s = readLayout(text);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].phrases.back().voice, '1');
  EXPECT_NE(s[0].phrases.back().tags.find("<～せる>"), std::string::npos);
  EXPECT_EQ(s[1].phrases.back().voice, '4');
  EXPECT_EQ(s[1].phrases[0].voice, 0);

  s = readLayout(parse({{"彼", "彼", "06010000"}, {"が", "が", "09010000"}, {"食べ", "食べる", "02010103"},
                        {"させ", "させる", "05000107"}, {"られた", "られる", "05000108"}, {"。", "。", "01010000"},
                        {"彼", "彼", "06010000"}, {"を", "を", "09010000"}, {"行か", "行く", "02020303"},
                        {"しめた", "しめる", "05000108"}, {"。", "。", "01010000"}}));
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].phrases.back().voice, '3');
  EXPECT_EQ(s[1].phrases.back().voice, '1');
}

TEST_F(ParseTextTest, WholeSentencesOnlyWithinTheBuffer) {
  std::vector<Line> lines;
  for (int i = 0; i < 200; ++i) {
    lines.push_back({"本", "本", "06010000"});
    lines.push_back({"。", "。", "01010000"});
  }
  std::string m = morphFile(lines);
  ASSERT_TRUE(plat::writeWholeFile("\\MORPH.TMP", m));
  std::vector<char> buffer(kParseBufferSize + 64, 'x');
  ASSERT_EQ(parseMorphFile(u"\\MORPH.TMP", buffer.data()), kParseOk);
  std::size_t len = strnlen(buffer.data(), kParseBufferSize);
  ASSERT_LT(len, static_cast<std::size_t>(kParseBufferSize));
  for (std::size_t i = kParseBufferSize; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], 'x');
  std::string text(buffer.data(), len);
  std::vector<ReadSentence> s = readLayout(text);
  EXPECT_GT(s.size(), 10u);
  EXPECT_LT(s.size(), 200u);
  for (const ReadSentence& r : s) EXPECT_TRUE(r.ended);
  // The next sentence would not have fitted.
  std::vector<Morpheme> morphemes;
  ASSERT_TRUE(readMorphemes(m, morphemes));
  std::vector<std::string> all = parseSentences(morphemes, defaultWordLists());
  ASSERT_EQ(all.size(), 200u);
  EXPECT_GT(len + all[s.size()].size() + 1, static_cast<std::size_t>(kParseBufferSize));
  char tiny[8];
  EXPECT_EQ(fillParseBuffer({"# S-ID:1\nE\n"}, tiny, sizeof tiny), -1);
  EXPECT_EQ(tiny[0], 0);
  EXPECT_EQ(fillParseBuffer({"ab\n", "cd\n"}, tiny, sizeof tiny), 2);
  EXPECT_EQ(fillParseBuffer({"abc\n", "cd\n"}, tiny, 7), 1);
  EXPECT_STREQ(tiny, "abc\n");
}

TEST_F(ParseTextTest, RefusesBrokenInput) {
  EXPECT_EQ(parse({}), "");
  ASSERT_TRUE(plat::writeWholeFile("\\MORPH.TMP", "X\t本\t本\t06010000\n"));
  char buffer[kParseBufferSize];
  EXPECT_EQ(parseMorphFile(u"\\MORPH.TMP", buffer), kParseBadMorphFile);
  ASSERT_TRUE(plat::writeWholeFile("\\MORPH.TMP", "\t本\t本\t0601\nE\n"));
  EXPECT_EQ(parseMorphFile(u"\\MORPH.TMP", buffer), kParseBadMorphFile);
  EXPECT_EQ(parseMorphFile(u"\\NONE.TMP", buffer), kParseOpenError);
  EXPECT_EQ(buffer[0], 0);
  terminateParser();
  EXPECT_EQ(parseMorphFile(u"\\MORPH.TMP", buffer), kParseNotInitialised);
}

TEST_F(ParseTextTest, DictionaryAddsToTheWordLists) {
  ASSERT_TRUE(dev.write("\\Card\\Jcfrdic", "# voice\npassive\tもらう\n"));
  ASSERT_EQ(initParser(u"\\Card\\"), 0);
  std::string text = parse({{"本", "本", "06010000"}, {"を", "を", "09010000"}, {"読んで", "読む", "02010911"},
                            {"もらった", "もらう", "05000908"}});
  EXPECT_NE(text.find("/1 2\n"), std::string::npos) << text;
  terminateParser();
  ASSERT_EQ(initParser(u"\\Card\\Missing\\"), 0);  // the data file is optional
  text = parse({{"本", "本", "06010000"}, {"を", "を", "09010000"}, {"読んで", "読む", "02010911"},
                {"もらった", "もらう", "05000908"}});
  EXPECT_EQ(text.find("/1"), std::string::npos) << text;
  // A noun of the adverbs with に: its に phrase is left to the adverbial rule.
  terminateParser();
  ASSERT_TRUE(dev.write("\\Card\\Jcfrdic", "adverbialNi\tめった\n"));
  ASSERT_EQ(initParser(u"\\Card\\"), 0);
  text = parse({{"めった", "めった", "06010000"}, {"に", "に", "09010000"}, {"来ない", "来る", "02021503"}});
  EXPECT_NE(text.find("<NI16>"), std::string::npos) << text;
  text = parse({{"東京", "東京", "06040000"}, {"に", "に", "09010000"}, {"来る", "来る", "02021502"}});
  EXPECT_EQ(text.find("<NI16>"), std::string::npos) << text;
  WordLists lists = defaultWordLists();
  EXPECT_FALSE(addWordLists("unknown\tx\n", lists));
  EXPECT_EQ(lists.passive.size(), 2u);
}

// A verb with a frame: its '/' line carries the rendering, the template and, per listed case, the
// number of the phrase that depends on it with that case; without the case, no frame.
TEST_F(ParseTextTest, FramesOfTheWordDataOnThePatternLines) {
  ASSERT_TRUE(dev.write("\\Card\\Jcfrdic",
                        "frame\t会う\tJM\tGEN1+V\tに\n"
                        "frame\t教える\tdefault\tV+1+2\tに を\n"
                        "frame\t勉強する\tXX\tV+1\tを\n"));
  ASSERT_EQ(initParser(u"\\Card\\"), 0);
  const Line tomodachi{"友達", "友達", "06010000", 0, "12310"}, ni{"に", "に", "09010000"},
      atta{"会った", "会う", "02021208"}, stop{"。", "。", "01010000"};
  std::string text = parse({tomodachi, ni, atta, stop});
  EXPECT_NE(text.find("/1 0 JM$GEN1+V$0\n"), std::string::npos) << text;
  // The case is missing: no frame, no '/' line.
  text = parse({{"本", "本", "06010000"}, {"を", "を", "09010000"}, atta, stop});
  EXPECT_EQ(text.find('/'), std::string::npos) << text;
  // Two cases in the listed order, whatever their order in the sentence; a サ変 noun with its する.
  text = parse({{"日本語", "日本語", "06010000"}, {"を", "を", "09010000"}, {"先生", "先生", "06010000", 0, "12410"}, ni,
                {"教える", "教える", "02010102"}, stop});
  EXPECT_NE(text.find("/2 0 default$V+1+2$1:0\n"), std::string::npos) << text;
  text = parse({{"日本語", "日本語", "06010000"}, {"を", "を", "09010000"}, {"勉強", "勉強", "06020000"},
                {"した", "する", "02011608"}, stop});
  EXPECT_NE(text.find("/1 0 XX$V+1$0\n"), std::string::npos) << text;
  // A passive verb with a frame keeps its voice class; class 4 skips a field ("-") before the cases.
  text = parse({tomodachi, ni, {"会わ", "会う", "02021203"}, {"れた", "れる", "14070108"}, stop});
  EXPECT_NE(text.find("/1 4 JM$GEN1+V$-:0\n"), std::string::npos) << text;
}

// The frame's partner is the nearest に phrase of a person or thing: a time, a count or the に of a
// clause's circumstances never is (五時に会う, 三時に友達に会う, 来た際に彼に会った).
TEST_F(ParseTextTest, AFramesPartnerIsNoTimeCountOrClause) {
  ASSERT_TRUE(dev.write("\\Card\\Jcfrdic", "adverbialNi\t際\nframe\t会う\tJM\tGEN1+V\tに\n"));
  ASSERT_EQ(initParser(u"\\Card\\"), 0);
  const Line ni{"に", "に", "09010000"}, atta{"会った", "会う", "02021208"}, stop{"。", "。", "01010000"};
  const Line yoru{"夜", "夜", "06100000"}, five{"五", "五", "06070000"}, ji{"時", "時", "14030000", 0, "11610"},
      tomodachi{"友達", "友達", "06010000", 0, "12310"}, kare{"彼", "彼", "06010000", 0, "12010"},
      kita{"来た", "来る", "02021508"}, sai{"際", "際", "06080000"}, san{"三", "三", "06070000"},
      kai{"回", "回", "14030000", 0, "19110"};
  struct Case {
    const char* name;
    std::vector<Line> lines;
    const char* line;  // the verb's '/' line; empty: none
  } cases[] = {
      {"a time noun", {yoru, ni, atta, stop}, ""},
      {"a time by a counter", {five, ji, ni, atta, stop}, ""},
      {"a count", {san, kai, ni, atta, stop}, ""},
      {"a person after a time", {five, ji, ni, tomodachi, ni, atta, stop}, "/2 0 JM$GEN1+V$1\n"},
      {"a time after a person", {tomodachi, ni, yoru, ni, atta, stop}, "/2 0 JM$GEN1+V$0\n"},
      {"two persons: the nearer", {kare, ni, tomodachi, ni, atta, stop}, "/2 0 JM$GEN1+V$1\n"},
      {"a clause's circumstances", {kita, sai, ni, kare, ni, atta, stop}, "/3 0 JM$GEN1+V$2\n"},
      {"only a clause's circumstances", {kita, sai, ni, atta, stop}, ""},
  };
  for (const Case& c : cases) {
    const std::string text = parse(c.lines);
    const std::size_t slash = text.find('/');
    const std::string line = slash == std::string::npos ? "" : text.substr(slash, text.find('\n', slash) + 1 - slash);
    EXPECT_EQ(line, c.line) << c.name << "\n" << text;
  }
}

// A topic goes into a quoted clause without a subject of its own, unless a third person's thought
// is told in the past: then the topic is the thinker.
TEST_F(ParseTextTest, ATopicStaysTheThinkerOfAPastThought) {
  const Line wa{"は", "は", "09020000"}, kuru{"来る", "来る", "02021502"}, to{"と", "と", "09030000"},
      stop{"。", "。", "01010000"};
  const Line kare{"彼", "彼", "06010000", 0, "12010"}, ani{"兄", "兄", "06010000", 0, "12110"},
      watashi{"私", "私", "06010000", 0, "12010"};
  const Line omou{"思う", "思う", "02011202"}, omotta{"思った", "思う", "02011208"},
      omoi{"思い", "思う", "02011207"}, mashita{"ました", "ます", "05003105"};
  struct Case {
    const char* name;
    std::vector<Line> lines;
    const char* heads;
  } cases[] = {
      {"present", {kare, wa, kuru, to, omou, stop}, "1,2,-"},
      {"past, a third person", {ani, wa, kuru, to, omotta, stop}, "2,2,-"},
      {"polite past, a third person", {kare, wa, kuru, to, omoi, mashita, stop}, "2,2,-"},
      {"past, the speaker", {watashi, wa, kuru, to, omotta, stop}, "1,2,-"},
  };
  for (const Case& c : cases) EXPECT_EQ(heads(parse(c.lines)), c.heads) << c.name;
}

// The exclamation and question marks end sentences as the full stop does; a run of marks stays
// with its sentence.
TEST_F(ParseTextTest, ExclamationAndQuestionMarksEndSentences) {
  const Line hon{"本", "本", "06010000"}, wo{"を", "を", "09010000"}, yonda{"読んだ", "読む", "02010908"},
      cha{"茶", "茶", "06010000"}, nonda{"飲んだ", "飲む", "02010708"}, ka{"か", "か", "09040000"};
  struct Case {
    const char* name;
    std::vector<Line> lines;
    const char* heads;
  } cases[] = {
      {"！", {hon, wo, yonda, {"！", "！", "01050000"}, cha, wo, nonda, {"！", "！", "01050000"}}, "1,- / 1,-"},
      {"？ after か", {hon, wo, yonda, ka, {"？", "？", "01050000"}, cha, wo, nonda, {"。", "。", "01010000"}},
       "1,- / 1,-"},
      {"half-width", {hon, wo, yonda, {"!", "!", "01050000"}, cha, wo, nonda, {"?", "?", "01050000"}}, "1,- / 1,-"},
      {"a run ？！", {hon, wo, yonda, {"？", "？", "01050000"}, {"！", "！", "01050000"}, cha, wo, nonda}, "1,- / 1,-"},
      {"inside brackets", {{"「", "「", "01030000"}, hon, wo, yonda, {"！", "！", "01050000"}, {"」", "」", "01040000"},
                           cha, wo, nonda}, "1,2,3,-"},
  };
  for (const Case& c : cases) EXPECT_EQ(heads(parse(c.lines)), c.heads) << c.name;
}

// The card's word data as its writer makes it reads back whole: frames keep their Shift-JIS base
// form and their Chinese in the engine's code.
TEST(WordData, TheWritersTextReadsBack) {
  auto engine = [](const char8_t* s) {
    return datagen::toEngineCode(plat::utf8ToWide(reinterpret_cast<const char*>(s)));
  };
  const std::string source = reinterpret_cast<const char*>(u8"# comment\npassive\tもらう\nframe\t会う\t见面\t跟1+V\tに\nframe\t借りる\t借\t向1+V+2\tに を\n");
  WordLists lists = defaultWordLists();
  std::vector<int> bad;
  ASSERT_TRUE(addWordLists(datagen::jcfrdicText(source), lists, &bad));
  EXPECT_TRUE(bad.empty());
  EXPECT_TRUE(inList(lists.passive, "もらう"));
  ASSERT_EQ(lists.frames.size(), 2u);
  const Frame* meet = findFrame(lists, "会う");
  ASSERT_NE(meet, nullptr);
  // (The Chinese stays out of the macros: their text of the expression is in Shift-JIS.)
  const std::string rendering = engine(u8"见面"), templateText = engine(u8"跟1+V");
  EXPECT_EQ(meet->rendering, rendering);
  EXPECT_EQ(meet->templateText, templateText);
  EXPECT_EQ(meet->cases, std::vector<std::string>{"に"});
  const Frame* borrow = findFrame(lists, "借りる");
  ASSERT_NE(borrow, nullptr);
  EXPECT_EQ(borrow->cases, (std::vector<std::string>{"に", "を"}));
}

// A bad line of the word data is named by its number; the lines around it are kept.
TEST_F(ParseTextTest, BadWordDataLinesAreNamedAndTheRestKept) {
  struct Case {
    const char* line;
    bool good;
  } cases[] = {
      {"passive\tもらう", true},
      {"frame\t会う\tJM\tGEN1+V\tに", true},
      {"frame\t会う\tJM\tGEN1+V", false},        // 1 names no case
      {"frame\t会う\tJM\tGEN2+V\tに", false},   // 2 names no case
      {"frame\t会う\tJ M\tV\tに", false},       // a blank in the rendering
      {"frame\t会う\tJM\tV$1\tに", false},      // a '$' in the template
      {"frame\t会う\tJM\tV\tは", false},        // not a case particle
      {"frame\t\tJM\tV", false},
      {"frame\t会う\tJM", false},
      {"unknown\tx", false},
      {"passive", false},
      {"passive\t", false},
      {"negative\tず\tx", false},
      {"passive\tもら\x82", false},              // a lead byte without its trail byte
      {"frame\t会う\tJM\x88\tV\tに", false},
      {"frame\t会\x89\tJM\tV\tに", false},
      {"adverbialNi\t\x81\x20", false},          // a trail byte that is none
  };
  for (const Case& c : cases) {
    WordLists lists = defaultWordLists();
    std::vector<int> bad;
    const std::string text = std::string("# comment\nnegative\tぬ\n") + c.line + "\r\ncausative\tしむ\n";
    EXPECT_EQ(addWordLists(text, lists, &bad), c.good) << c.line;
    EXPECT_EQ(bad, c.good ? std::vector<int>{} : std::vector<int>{3}) << c.line;
    EXPECT_TRUE(inList(lists.causative, "しむ")) << c.line;
    EXPECT_EQ(findFrame(lists, "会う") != nullptr, c.good && c.line[0] == 'f') << c.line;
  }
  // At start-up the bad lines are named and the file is refused, as is one that is empty, cut inside
  // a line or a folder; a file that is not there is said, and the parser starts on its own words.
  struct Start {
    const char* what;
    const char* path;
    const char* bytes;  // null: written as a folder
    int status;
    const char* said;
  } starts[] = {
      {"bad lines", "\\Card\\", "passive\tもらう\nframe\t会う\nbroken\n", kParseBadDictionary,
       "Jcfrdic: line 2 not read\nJcfrdic: line 3 not read\nJcfrdic: \\Card\\Jcfrdic is damaged\n"},
      {"empty", "\\Card\\", "", kParseBadDictionary, "Jcfrdic: \\Card\\Jcfrdic is empty\n"},
      {"cut", "\\Card\\", "passive\tもらう\nnegat", kParseBadDictionary,
       "Jcfrdic: line 2 not read\nJcfrdic: \\Card\\Jcfrdic ends inside a line (cut short)\n"},
      {"a folder", "\\Card\\Folder\\Jcfrdic", nullptr, kParseBadDictionary,
       "Jcfrdic: \\Card\\Folder\\Jcfrdic is no readable file\n"},
      {"missing", "\\Card\\NoSuch\\", "", kParseOk,
       "Jcfrdic: \\Card\\NoSuch\\Jcfrdic cannot be read; only the parser's own words are used\n"},
  };
  for (const Start& c : starts) {
    if (c.bytes && c.status != kParseOk) {
      ASSERT_TRUE(dev.write("\\Card\\Jcfrdic", c.bytes)) << c.what;
    }
    if (!c.bytes) {
      ASSERT_TRUE(dev.write("\\Card\\Folder\\Jcfrdic\\x", "x"));
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(initParser(plat::utf8ToWide(c.path).c_str()), c.status) << c.what;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.said) << c.what;
  }
  // A refused file leaves the parser unstarted.
  ASSERT_TRUE(dev.write("\\Card\\Jcfrdic", "broken\n"));
  ASSERT_EQ(initParser(u"\\Card\\"), kParseBadDictionary);
  char buffer[kParseBufferSize];
  EXPECT_EQ(parseMorphFile(u"\\Card\\MORPH.TMP", buffer), kParseNotInitialised);
  ASSERT_TRUE(dev.write("\\Card\\Jcfrdic", "passive\tもらう\n"));
  ASSERT_EQ(initParser(u"\\Card\\"), 0);
  std::string text = parse({{"本", "本", "06010000"}, {"を", "を", "09010000"}, {"読んで", "読む", "02010911"},
                            {"もらった", "もらう", "05000908"}});
  EXPECT_NE(text.find("/1 2\n"), std::string::npos) << text;
}

// Lines end at LF, CR LF or a lone CR, as text editors write them.
TEST_F(ParseTextTest, WordDataLinesEndAtAnyLineEnd) {
  for (const char* end : {"\n", "\r\n", "\r"}) {
    WordLists lists = defaultWordLists();
    std::vector<int> bad;
    const std::string text = std::string("# comment") + end + "passive\tもらう" + end + end + "frame\t会う\tJM\tGEN1+V\tに" +
                             end + "broken" + end + "negative\tず";
    EXPECT_FALSE(addWordLists(text, lists, &bad));
    EXPECT_EQ(bad, std::vector<int>{5});
    EXPECT_TRUE(inList(lists.passive, "もらう"));
    EXPECT_TRUE(inList(lists.negative, "ず"));
    EXPECT_NE(findFrame(lists, "会う"), nullptr);
  }
}

// Many frames: each is found, and a base form given again replaces its frame in place.
TEST_F(ParseTextTest, ManyFramesAreEachFound) {
  constexpr int kFrames = 160000;
  std::string text;
  for (int k = 0; k < kFrames; ++k) text += "frame\tv" + std::to_string(k) + "\tJM\tV\n";
  text += "frame\tv7\tZZ\tV\npassive\tもらう\npassive\tもらう\n";
  WordLists lists = defaultWordLists();
  ASSERT_TRUE(addWordLists(text, lists));
  ASSERT_EQ(lists.frames.size(), static_cast<std::size_t>(kFrames));
  EXPECT_EQ(findFrame(lists, "v7")->rendering, "ZZ");
  EXPECT_EQ(lists.frames[7].baseForm, "v7");
  EXPECT_EQ(findFrame(lists, "v159999")->baseForm, "v159999");
  EXPECT_EQ(findFrame(lists, "v160000"), nullptr);
  EXPECT_EQ(std::count(lists.passive.begin(), lists.passive.end(), "もらう"), 1);
  // A second file adds to the first.
  ASSERT_TRUE(addWordLists("frame\tv0\tYY\tV\nframe\tw\tJM\tV\n", lists));
  EXPECT_EQ(findFrame(lists, "v0")->rendering, "YY");
  EXPECT_EQ(findFrame(lists, "w"), &lists.frames.back());
}

// A verb may have frames of other cases (言う with に, with と): each is kept, in the order of the
// lines, and a later line of the same cases replaces its frame.
TEST_F(ParseTextTest, AVerbKeepsItsFramesOfOtherCases) {
  WordLists lists = defaultWordLists();
  ASSERT_TRUE(addWordLists("frame\tv\tA\tV+1+2\tに と\nframe\tv\tB\tV+1\tに\nframe\tv\tC\tV+1\tと\n"
                           "frame\tv\tD\tV+1\tに\n",
                           lists));
  std::vector<std::string> chain;
  for (const Frame* f = findFrame(lists, "v"); f; f = nextFrame(lists, *f)) chain.push_back(f->rendering);
  EXPECT_EQ(chain, (std::vector<std::string>{"A", "D", "C"}));
}

TEST(SynparseLibrary, BoundByNameFromTheProgramFolder) {
  std::string previous = plat::programFolder();
  plat::setProgramFolder(SYNPARSE_FOLDER);
  plat::LibraryHandle lib = plat::loadLibrary(".\\Synparse.dll");
  ASSERT_NE(lib, nullptr) << plat::libraryErrorText();
  auto init = plat::bindFunction<InitJpnParseFn>(lib, "InitJpnParse");
  auto parse = plat::bindFunction<JpnParseFn>(lib, "JpnParse");
  auto terminate = plat::bindFunction<TerminateJpnParseFn>(lib, "TerminateJpnParse");
  ASSERT_TRUE(init && parse && terminate);
  EXPECT_EQ(plat::libraryFunction(lib, "initParser"), nullptr);  // nothing else is exported

  datagen::TempDevice dev;
  ASSERT_TRUE(plat::writeWholeFile("\\MORPH.TMP", morphFile({{"本", "本", "06010000"}, {"。", "。", "01010000"}})));
  char buffer[kParseBufferSize];
  EXPECT_NE(parse(0, u"\\MORPH.TMP", buffer, 0), 0);  // not initialised yet
  EXPECT_EQ(init(u"\\Storage Card\\"), 0);
  EXPECT_EQ(init(u"\\Storage Card\\"), 0);  // again: harmless
  ASSERT_EQ(parse(0, u"\\MORPH.TMP", buffer, 0), 0);
  EXPECT_STREQ(buffer, "# S-ID:1\n* -1- <係:文末><句点><体言><文頭><文末><自立>\n! 0\n! 22\nE\n");
  terminate();
  EXPECT_NE(parse(0, u"\\MORPH.TMP", buffer, 0), 0);
  plat::freeLibrary(lib);
  plat::setProgramFolder(previous);
}

// MORPH.TMP stays open between calls: a file rewritten in place, one written anew under the same
// name after a removal, one put in its place by a rename, and a removed one are each read as they
// now are.
TEST_F(ParseTextTest, TheKeptMorphemeFileIsReadAsItNowIs) {
  const std::string one = morphFile({{"本", "本", "06010000"}});
  const std::string two = morphFile({{"猫", "猫", "06010000"}, {"が", "が", "09010000"}});
  std::vector<char> buffer(kParseBufferSize);
  auto parsed = [&] {
    buffer[0] = 0;
    const int rc = parseMorphFile(u"\\MORPH.TMP", buffer.data());
    return rc == kParseOk ? std::string(buffer.data()) : "status " + std::to_string(rc);
  };
  ASSERT_TRUE(plat::writeWholeFile("\\MORPH.TMP", one));
  const std::string first = parsed();
  ASSERT_TRUE(plat::writeWholeFile("\\MORPH.TMP", two));
  const std::string second = parsed();
  EXPECT_NE(first, second);
  // Rewritten in place through a handle kept open, as the engine writes it.
  std::FILE* f = plat::fileOpen("\\MORPH.TMP", "r+b");
  ASSERT_TRUE(f);
  ASSERT_EQ(std::fwrite(one.data(), 1, one.size(), f), one.size());
  ASSERT_EQ(plat::fileTruncate(f, static_cast<long>(one.size())), 0);
  EXPECT_EQ(parsed(), first);
  plat::fileClose(f);
  // Removed and written anew; replaced by a rename; removed.
  ASSERT_TRUE(plat::removeFile("\\MORPH.TMP"));
  ASSERT_TRUE(plat::writeWholeFile("\\MORPH.TMP", two));
  EXPECT_EQ(parsed(), second);
  ASSERT_TRUE(plat::writeWholeFile("\\NEXT.TMP", one));
  ASSERT_EQ(std::rename(plat::hostPath("\\NEXT.TMP").c_str(), plat::hostPath("\\MORPH.TMP").c_str()), 0);
  EXPECT_EQ(parsed(), first);
  ASSERT_TRUE(plat::removeFile("\\MORPH.TMP"));
  EXPECT_EQ(parsed(), "status " + std::to_string(kParseOpenError));
}

}  // namespace
}  // namespace synparse
