// A small pair of viewer dictionaries, examples and a session over them on a temporary card.
#pragma once
#include "apps/dictionary/tests/dictionary_fixture.h"
#include "apps/dictionary/tests/recording_html_sink.h"
#include "apps/dictionary/viewer_session.h"

#include <memory>

namespace dicttest {

// Readable sources are UTF-8 whatever the narrow literals of a test become.
inline std::string utf8(const char8_t* s) { return reinterpret_cast<const char*>(s); }

inline const char* kExamples = "\\Storage Card\\Talvenro\\Chinese\\HarbrookDic\\CJDIC\\examples.dat";

// JC: あい, あいさつ, あお. CJ: 爱, 爱好 and 好 with two readings.
inline const char8_t kJcSource[] =
    u8"ｱｲ|愛\t{B}あい【愛】\\n{C}爱，爱情\\n{J}→あいさつ（挨拶）\\n\n"
    u8"ｱｲｻﾂ|挨拶\t{B}あいさつ【挨拶】\\n{C}问候\\n{J}例：{C}向老师问候.\\n\n"
    u8"ｱｵ|青\t{B}あお【青】\\n{C}蓝\\n\n";
inline const char8_t kCjSource[] =
    u8"爱|AI4\t{C}爱 ài\\n{J}愛する．↓\\n{C}我爱你.\\n\n"
    u8"爱好|AIHAO44\t{C}爱好 àihào\\n{J}趣味\\n{E}爱好{C}音乐.\\n\n"
    u8"好|HAO3\t{C}好 hǎo\\n{J}よい\\n\n"
    u8"好|HAO4\t{C}好 hào\\n{J}好む\\n\n";

class ViewerFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dict::loadViewerTables(tables_));
    build(utf8(kJcSource), utf8(kCjSource));
  }

  // Writes the two dictionaries from readable sources and starts a session over them.
  void build(const std::string& jcSource, const std::string& cjSource) {
    std::string error;
    ASSERT_TRUE(datagen::parseViewerSource(0, jcSource, jc_, error)) << error;
    ASSERT_TRUE(datagen::parseViewerSource(1, cjSource, cj_, error)) << error;
    jcFiles_ = datagen::writeViewerDictionary(0, jc_);
    cjFiles_ = datagen::writeViewerDictionary(1, cj_);
    ASSERT_TRUE(dev_.write(kJcData, jcFiles_.data));
    ASSERT_TRUE(dev_.write(kJcIndex, jcFiles_.index));
    ASSERT_TRUE(dev_.write(kCjData, cjFiles_.data));
    ASSERT_TRUE(dev_.write(kCjIndex, cjFiles_.index));
    ASSERT_EQ(files_.openDictionaries(kJcData, kJcIndex, kCjData, kCjIndex), 1);
    session_ = std::make_unique<dict::ViewerSession>(files_, tables_, sink_);
    session_->examplesPath = kExamples;
    // Four lines are filled: the whole of the small lists.
    for (int d = 0; d < 2; ++d) session_->viewAt(d, dict::kViewDictionary).list.visibleLines = 3;
  }

  // Searches the search box's text as the user does.
  int search(int direction, std::u16string_view text) {
    s().direction = direction;
    s().searchBox = text;
    return s().searchHeadword(std::nullopt, true);
  }

  dict::ViewerSession& s() { return *session_; }
  std::u16string page() const { return sink_.text(); }
  std::u16string cjNumber(size_t record) const {
    std::string n = std::to_string(cjFiles_.positions[record] - 2);
    return std::u16string(n.begin(), n.end());
  }

  datagen::TempDevice dev_;
  plat::NotifyRecorder notes_;
  dict::ViewerTables tables_;
  std::vector<datagen::ViewerRecord> jc_, cj_;
  datagen::ViewerDictionary jcFiles_, cjFiles_;
  dict::DictionaryFiles files_{[](int) {}};
  dict::RecordingHtmlSink sink_;
  std::unique_ptr<dict::ViewerSession> session_;
};

}  // namespace dicttest
