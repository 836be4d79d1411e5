// The sample card's viewer data: every word of both translation directions has its entry.
#include "apps/dictionary/entry_links.h"
#include "apps/dictionary/tests/viewer_fixture.h"
#include "platform/core/codepage.h"

#include <fstream>
#include <sstream>

namespace {

std::string readSample(const std::string& name) {
  std::ifstream in(std::string(SUITE_SOURCE_ROOT) + "/data/sample/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The first field of each content line of a sample file, and its second when asked.
std::vector<std::pair<std::string, std::string>> firstFields(const std::string& text, int second) {
  std::vector<std::pair<std::string, std::string>> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string x; std::getline(fields, x, '\t');) f.push_back(x);
    out.emplace_back(f[0], f.size() > static_cast<size_t>(second) ? f[static_cast<size_t>(second)] : "");
  }
  return out;
}

class SampleViewerTest : public dicttest::ViewerFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dict::loadViewerTables(tables_));
    build(readSample("viewer/jc.txt"), readSample("viewer/cj.txt"));
    std::vector<std::pair<std::string, std::string>> examples;
    std::string error;
    ASSERT_TRUE(datagen::parseViewerExamples(readSample("viewer/examples.txt"), examples, error)) << error;
    ASSERT_GT(examples.size(), 100u);
    ASSERT_TRUE(dev_.write(dicttest::kExamples, datagen::writeExamples(examples)));
  }
};

TEST_F(SampleViewerTest, EveryChineseWordOfTheTranslatorHasAnEntry) {
  int words = 0;
  for (const auto& [word, reading] : firstFields(readSample("cj/words.txt"), 2)) {
    if (reading == "-") continue;  // punctuation
    ++words;
    const std::u16string hanzi = plat::utf8ToWide(word);
    ASSERT_GT(search(1, hanzi), 0) << word;
    // A homograph choice or the entry itself.
    const std::u16string p = page();
    EXPECT_TRUE(p.find(u"<A href=\"" + hanzi + u"-") != std::u16string::npos ||
                s().current().list.lines[0].starts_with(hanzi + u" "))
        << word;
    // Typed pinyin with tone digits finds it too.
    ASSERT_GT(search(1, plat::utf8ToWide(reading)), 0) << reading;
    bool listed = false;
    for (const std::u16string& line : s().current().list.lines) listed = listed || line.starts_with(hanzi + u" ");
    EXPECT_TRUE(listed) << word << " " << reading;
  }
  EXPECT_GT(words, 240);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(SampleViewerTest, EveryJapaneseWordOfTheTranslatorHasAnEntry) {
  int words = 0;
  for (const auto& [word, pos] : firstFields(readSample("jc/lexicon.txt"), 1)) {
    // Nouns, names, numerals, demonstratives and adverbs stand in the lexicon as they are written.
    if (pos.empty() || !(pos[0] == '6' || pos[0] == '7' || pos[0] == '8')) continue;
    ++words;
    const std::u16string headword = plat::utf8ToWide(word);
    ASSERT_GT(search(0, headword), 0) << word;
    const std::u16string& line = s().current().list.lines[0];
    EXPECT_TRUE(line == headword || line.find(u"【" + headword + u"】") != std::u16string::npos) << word;
  }
  EXPECT_GT(words, 90);
  // Inflecting words by their dictionary forms and readings.
  for (std::u16string_view w : {u"読む", u"たべる", u"来る", u"おいしい", u"静か", u"です"}) {
    ASSERT_GT(search(0, w), 0);
    EXPECT_NE(page().find(u"<b>"), std::u16string::npos);
  }
  EXPECT_TRUE(notes_.messages.empty());
}

TEST_F(SampleViewerTest, ReferencesLeadToTheirEntries) {
  int references = 0;
  std::istringstream in(readSample("viewer/jc.txt"));
  for (std::string line; std::getline(in, line);) {
    size_t arrow = line.find("{J}\xE2\x86\x92");  // "→"
    if (line.empty() || line[0] == '#' || arrow == std::string::npos) continue;
    std::string text = line.substr(arrow + 3);
    text.resize(text.find("\\n"));
    std::u16string out;
    ASSERT_TRUE(dict::linkReferenceJc(plat::utf8ToWide(text), out)) << text;
    for (size_t at = out.find(u"href=\"J_"); at != std::u16string::npos; at = out.find(u"href=\"J_", at + 1)) {
      ++references;
      const size_t start = at + 8;
      const std::u16string target = out.substr(start, out.find(u'"', start) - start);
      const std::u16string word = target.substr(0, target.find(u'-'));
      s().direction = 0;
      ASSERT_GT(s().searchHeadword(target, false, true), 0) << text;
      EXPECT_TRUE(s().current().list.lines[0].starts_with(word)) << text;
    }
  }
  EXPECT_GE(references, 6);

  // A Chinese entry names its characters' other reading; the link chooses that reading.
  ASSERT_GT(search(1, u"还"), 0);
  EXPECT_NE(page().find(u"<A href=\"还-hái\">【还 hái】</A>"), std::u16string::npos);
  ASSERT_GT(s().searchHeadword(u"还-hái", false, true), 0);
  s().current().list.selected = 0;
  s().showSelectedEntry();
  EXPECT_NE(page().find(u"<A href=\"还-huán\">huán【还】</A><BR>\r\n"), std::u16string::npos);
  ASSERT_GT(s().searchHeadword(u"还-huán", false, true), 0);
  EXPECT_EQ(s().current().list.lines[0], u"还 huán");
}

TEST_F(SampleViewerTest, EntriesShowExamplesAndCompounds) {
  ASSERT_GT(search(1, u"学"), 0);
  const std::u16string p = page();
  EXPECT_NE(p.find(u"-学生\">学生 xuésheng</A><br>"), std::u16string::npos);
  EXPECT_NE(p.find(u"-学校\">学校 xuéxiào</A><br>"), std::u16string::npos);
  ASSERT_GT(search(1, u"喝"), 0);
  EXPECT_NE(page().find(u"他喝水。<a href=\"S_他喝水\">"), std::u16string::npos);
  ASSERT_GT(search(0, u"のむ"), 0);
  EXPECT_NE(page().find(u"彼は水を飲む。"), std::u16string::npos);
  // Example search in both directions.
  s().view = dict::kViewExamples;
  search(0, u"学生");
  EXPECT_GE(s().viewAt(0, dict::kViewExamples).hitCount, 3);
  search(1, u"学生");
  EXPECT_GE(s().viewAt(1, dict::kViewExamples).hitCount, 3);
  EXPECT_NE(page().find(u"我是学生。"), std::u16string::npos);
  EXPECT_TRUE(notes_.messages.empty());
}

}  // namespace
