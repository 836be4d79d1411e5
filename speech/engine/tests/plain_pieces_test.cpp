#include "speech/engine/plain_pieces.h"
#include "speech/engine/speech_data.h"
#include "speech_fixture.h"

namespace {

class PlainPiecesTest : public speechtest::SpeechFixture {
 protected:
  void SetUp() override {
    SpeechFixture::SetUp();
    ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
  }
  void TearDown() override { speech::freeSpeechData(); }
};

TEST_F(PlainPiecesTest, EachCharacterItsFirstReadingAndPunctuationAPause) {
  speech::Utterance* u = nullptr;
  speech::SpeechParams params;
  params.p[3] = 8;
  ASSERT_EQ(speech::createUtterance(u"中国。ab", params, u), speech::kSpeechOk);
  int zhong1 = datagen::syllableNumber("zhong") * 5, guo2 = datagen::syllableNumber("guo") * 5 + 1;
  std::vector<std::vector<int>> pieces;
  while (speech::preparePlainPiece(*u)) {
    std::vector<int> codes;
    for (int i = 0; i < u->unitCount; ++i) codes.push_back(u->units[static_cast<std::size_t>(i)].code);
    EXPECT_EQ(u->units[static_cast<std::size_t>(u->unitCount)].character, 0);
    EXPECT_EQ(u->units[0].volume, 8);
    pieces.push_back(codes);
    u->unitCount = 0;
  }
  EXPECT_EQ(pieces, (std::vector<std::vector<int>>{{zhong1, guo2, 4302}, {4200, 4201}}));
  speech::destroyUtterance(u);
}

}  // namespace
