// The sample card's viewer files, damaged as a card goes bad (emptied, cut at 10, 50 or 90 %, a
// folder in its place, random bytes): each is refused at start with a message that names it, and
// its direction (or the example search) is left out.
#include "apps/dictionary/examples_file.h"
#include "apps/dictionary/tests/viewer_fixture.h"
#include "platform/core/codepage.h"
#include "platform/core/files.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

std::string readSample(const std::string& name) {
  std::ifstream in(std::string(SUITE_SOURCE_ROOT) + "/data/sample/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

enum class Damage { Empty, Cut10, Cut50, Cut90, Folder, Random };

class DamagedViewerFiles : public dicttest::ViewerFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dict::loadViewerTables(tables_));
    build(readSample("viewer/jc.txt"), readSample("viewer/cj.txt"));
    std::vector<std::pair<std::string, std::string>> examples;
    std::string error;
    ASSERT_TRUE(datagen::parseViewerExamples(readSample("viewer/examples.txt"), examples, error)) << error;
    ASSERT_TRUE(dev_.write(dicttest::kExamples, datagen::writeExamples(examples)));
  }
};

TEST_F(DamagedViewerFiles, EveryDamagedFileIsRefusedByName) {
  struct File {
    const char* path;
    int direction;  // -1: the examples
  } files[] = {{dicttest::kJcData, 0}, {dicttest::kJcIndex, 0}, {dicttest::kCjData, 1}, {dicttest::kCjIndex, 1},
               {dicttest::kExamples, -1}};
  EXPECT_TRUE(s().checkExamplesFile());
  std::mt19937 random(79);
  for (const File& f : files) {
    std::string whole;
    ASSERT_TRUE(plat::readWholeFile(f.path, whole));
    ASSERT_GT(whole.size(), 1024u) << f.path;
    for (Damage d : {Damage::Empty, Damage::Cut10, Damage::Cut50, Damage::Cut90, Damage::Folder, Damage::Random}) {
      std::string bytes;
      if (d == Damage::Cut10) bytes = whole.substr(0, whole.size() / 10);
      if (d == Damage::Cut50) bytes = whole.substr(0, whole.size() / 2);
      if (d == Damage::Cut90) bytes = whole.substr(0, whole.size() * 9 / 10);
      if (d == Damage::Random) {
        bytes.resize(whole.size());
        for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
      }
      const std::string what = std::string(f.path) + " damage " + std::to_string(static_cast<int>(d));
      // Examples cut exactly after a line are a shorter file of examples (README).
      if (f.direction < 0 && !bytes.empty() && dict::checkExamples(bytes).empty()) continue;
      if (d == Damage::Folder) {
        ASSERT_TRUE(plat::removeFile(f.path));
        ASSERT_TRUE(std::filesystem::create_directory(plat::hostPath(f.path))) << what;
      } else {
        ASSERT_TRUE(dev_.write(f.path, bytes)) << what;
      }
      notes_.messages.clear();
      if (f.direction >= 0) {
        dict::DictionaryFiles opened{[](int) {}};
        EXPECT_EQ(opened.openDictionaries(dicttest::kJcData, dicttest::kJcIndex, dicttest::kCjData, dicttest::kCjIndex), 1);
        EXPECT_FALSE(opened.isAvailable(f.direction)) << what;
        EXPECT_TRUE(opened.isAvailable(1 - f.direction)) << what;
        EXPECT_EQ(plat::openFileCount(), 0) << what;
      } else {
        EXPECT_FALSE(s().checkExamplesFile()) << what;
        // The example search says the same and reads nothing.
        notes_.messages.pop_back();
        s().direction = 1;
        s().searchBox = u"我";
        s().searchExamples(0);
        EXPECT_EQ(s().viewAt(1, dict::kViewExamples).hitCount, 0) << what;
      }
      ASSERT_FALSE(notes_.messages.empty()) << what;
      const std::u16string& text = notes_.messages.back().text;
      EXPECT_NE(text.find(plat::utf8ToWide(f.path)), std::u16string::npos) << what << ": " << plat::wideToUtf8(text);
      if (d == Damage::Folder) {
        ASSERT_TRUE(std::filesystem::remove(plat::hostPath(f.path))) << what;
      }
      ASSERT_TRUE(dev_.write(f.path, whole));
    }
  }
  notes_.messages.clear();
  dict::DictionaryFiles opened{[](int) {}};
  opened.openDictionaries(dicttest::kJcData, dicttest::kJcIndex, dicttest::kCjData, dicttest::kCjIndex);
  EXPECT_TRUE(opened.isAvailable(0) && opened.isAvailable(1));
  EXPECT_TRUE(s().checkExamplesFile());
  EXPECT_TRUE(notes_.messages.empty());
}

}  // namespace
