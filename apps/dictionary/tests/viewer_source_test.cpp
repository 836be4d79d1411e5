#include "apps/dictionary/tests/dictionary_fixture.h"
#include "tools/datagen/viewer_dictionary_source.h"

namespace {

using dict::DictionaryEntry;

// Readable sources are UTF-8 whatever the literals of this file become.
std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

class ViewerSourceTest : public dicttest::DictionaryFixture {};

TEST_F(ViewerSourceTest, ReadableSourcesBecomeDictionariesTheViewerReads) {
  // Outside the test macros, whose texts must fit Shift-JIS.
  const std::string jcSource =
      utf8(u8"# reading and headword keys\nｱｲ|愛\t{B}あい【愛】\\n{C}爱情\\n\nｱｵ\t{B}あお【青】\\n{C}蓝\\n");
  const std::string cjSource = utf8(u8"中国|ZHONGGUO12\t中国 zhōngguó\\n{J}中国\\n\nÀ\tàĀ　€ \\\\ ê\\n");
  const std::string love = dicttest::cw(u"爱情");
  std::vector<datagen::ViewerRecord> jc, cj;
  std::string error;
  ASSERT_TRUE(datagen::parseViewerSource(0, jcSource, jc, error)) << error;
  ASSERT_TRUE(datagen::parseViewerSource(1, cjSource, cj, error)) << error;
  ASSERT_EQ(jc.size(), 2u);
  ASSERT_EQ(cj.size(), 2u);
  EXPECT_EQ(cj[1].body, "\xA9?\x81\x40? \\ \xD8\r\n");  // toned vowels as single bytes; no code: '?'
  datagen::ViewerDictionary jcFiles = datagen::writeViewerDictionary(0, jc);
  datagen::ViewerDictionary cjFiles = datagen::writeViewerDictionary(1, cj);
  ASSERT_TRUE(dev_.write(dicttest::kJcData, jcFiles.data));
  ASSERT_TRUE(dev_.write(dicttest::kJcIndex, jcFiles.index));
  ASSERT_TRUE(dev_.write(dicttest::kCjData, cjFiles.data));
  ASSERT_TRUE(dev_.write(dicttest::kCjIndex, cjFiles.index));

  dict::DictionaryFiles files;
  open(files);
  ASSERT_TRUE(files.openDirection(0));
  DictionaryEntry e;
  ASSERT_TRUE(files.findEntry(0, "あい", e));
  EXPECT_EQ(dict::extractListText(e), "あい【愛】");
  EXPECT_NE(e.body->find(love), std::string::npos);
  ASSERT_TRUE(files.findEntry(0, "愛", e));
  EXPECT_EQ(dict::extractKana(e), "あい");
  files.closeDirection(0);
  ASSERT_TRUE(files.openDirection(1));
  ASSERT_TRUE(files.findEntry(1, "ZHONGGUO12", e));
  EXPECT_EQ(dict::extractHanzi(e, false), dicttest::cw(u"中国"));
  EXPECT_EQ(dict::extractPinyin(e), "zh\xB2nggu\xB3");
  ASSERT_TRUE(files.findEntry(1, dicttest::cw(u"中国"), e));
  EXPECT_NE(e.body->find("\x0EJ中国\r\n"), std::string::npos);  // Japanese after {J}
  files.closeDirection(1);
  EXPECT_TRUE(notes_.messages.empty());
}

TEST(ViewerSourceParseTest, MalformedLinesAreRefused) {
  std::vector<datagen::ViewerRecord> out;
  std::string error;
  EXPECT_FALSE(datagen::parseViewerSource(0, "no tab here\n", out, error));
  EXPECT_EQ(error.rfind("line 1", 0), 0u);
  EXPECT_FALSE(datagen::parseViewerSource(0, "# c\nA\tbad \\q escape\n", out, error));
  EXPECT_EQ(error.rfind("line 2", 0), 0u);
  EXPECT_FALSE(datagen::parseViewerSource(0, "\tbody\n", out, error));
}

}  // namespace
