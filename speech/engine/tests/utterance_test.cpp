#include "speech/engine/speech_data.h"
#include "speech/engine/utterance.h"
#include "speech_fixture.h"

namespace {

using speechtest::SpeechFixture;

int gFillerCalls = 0;

// Takes one character per call and renders nothing.
void silentCharacter(speech::Utterance& u, speech::SampleBuffer&) {
  ++gFillerCalls;
  if (u.text[u.cursor] != 0) ++u.cursor;
}

// Moves nothing at all.
void stuck(speech::Utterance&, speech::SampleBuffer&) { ++gFillerCalls; }

// Renders 100 bytes for the second character only.
void secondCharacterSounds(speech::Utterance& u, speech::SampleBuffer& b) {
  ++gFillerCalls;
  if (u.text[u.cursor] == 0) return;
  if (u.cursor++ == 1 && speech::ensureRoom(b, 100)) b.fill += 100;
}

class UtteranceTest : public SpeechFixture {
 protected:
  void SetUp() override {
    SpeechFixture::SetUp();
    ASSERT_EQ(speech::loadSpeechData(folder_), speech::kLoadOk);
    gFillerCalls = 0;
  }
  void TearDown() override {
    speech::setBlockFiller(nullptr);
    speech::freeSpeechData();
  }
};

TEST_F(UtteranceTest, CreateConvertsAndSnapshotsTheParameters) {
  speech::SpeechParams params;
  params.p[3] = 8;  // volume
  params.p[4] = 1;  // speed
  speech::Utterance* u = nullptr;
  ASSERT_EQ(speech::createUtterance(u"中a\u0E01", params, u), speech::kSpeechOk);
  ASSERT_NE(u, nullptr);
  EXPECT_EQ(u->text, (std::vector<speech::Unit>{datagen::speechUnits("中")[0], 'a', ' ', 0}));
  EXPECT_EQ(u->current.volume, 8);
  EXPECT_EQ(u->current.speed, 1);
  EXPECT_EQ(u->base.pitch, 5);
  EXPECT_EQ(u->pending.p7, 2);
  EXPECT_EQ(u->units.size(), static_cast<std::size_t>(speech::kUnitSlots));
  EXPECT_EQ(speech::utteranceProgress(u), 0);

  const char* data = nullptr;
  std::int32_t length = -1;
  EXPECT_EQ(speech::synthesizeChunk(u, 2, &data, &length, 0), speech::kSpeechBadParameter);

  // A size hint above one block is rounded up to whole blocks.
  speech::setBlockFiller(secondCharacterSounds);
  EXPECT_EQ(speech::synthesizeChunk(u, 1, &data, &length, 20000), speech::kSpeechChunkReady);
  EXPECT_EQ(u->out[1].capacity, 2 * speech::kBlockBytes);
  EXPECT_EQ(length, 100);
  EXPECT_EQ(data, u->out[1].data.data());
  EXPECT_EQ(speech::utteranceProgress(u), 4);
  EXPECT_EQ(gFillerCalls, 2);  // the silent first character did not end the chunk

  EXPECT_EQ(speech::synthesizeChunk(u, 0, &data, &length, 0), speech::kSpeechOk);
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(u->out[0].capacity, speech::kBlockBytes);
  EXPECT_TRUE(speech::utteranceExhausted(*u));

  EXPECT_EQ(speech::destroyUtterance(u), speech::kSpeechOk);
}

TEST_F(UtteranceTest, OperationsCheckTheMagic) {
  speech::Utterance fake;
  fake.magic = 0x12345678;
  const char* data = nullptr;
  std::int32_t length = 0;
  EXPECT_EQ(speech::synthesizeChunk(&fake, 0, &data, &length, 0), speech::kSpeechNotUtterance);
  EXPECT_EQ(speech::destroyUtterance(&fake), speech::kSpeechNotUtterance);
  EXPECT_EQ(speech::destroyUtterance(nullptr), speech::kSpeechNotUtterance);
  EXPECT_EQ(speech::utteranceProgress(&fake), 0);
}

TEST_F(UtteranceTest, ARendererThatMovesNothingDoesNotHang) {
  speech::Utterance* u = nullptr;
  ASSERT_EQ(speech::createUtterance(u"中国", speech::SpeechParams{}, u), speech::kSpeechOk);
  speech::setBlockFiller(stuck);
  const char* data = nullptr;
  std::int32_t length = 0;
  EXPECT_EQ(speech::synthesizeChunk(u, 0, &data, &length, 0), speech::kSpeechOk);
  EXPECT_EQ(gFillerCalls, 1);
  EXPECT_EQ(length, 0);
  // The built-in renderer takes the rest of the text.
  speech::setBlockFiller(nullptr);
  for (int blocks = 0; blocks < 10 && speech::synthesizeChunk(u, 0, &data, &length, 0) == speech::kSpeechChunkReady;) ++blocks;
  EXPECT_TRUE(speech::utteranceExhausted(*u));
  EXPECT_EQ(speech::utteranceProgress(u), 4);
  speech::destroyUtterance(u);

  // Silent characters are all consumed within one call.
  ASSERT_EQ(speech::createUtterance(u"一二三", speech::SpeechParams{}, u), speech::kSpeechOk);
  speech::setBlockFiller(silentCharacter);
  gFillerCalls = 0;
  EXPECT_EQ(speech::synthesizeChunk(u, 0, &data, &length, 0), speech::kSpeechOk);
  EXPECT_EQ(gFillerCalls, 3);
  speech::destroyUtterance(u);
}

TEST(SampleBuffer, GrowsInWholeBlocksWhileActive) {
  speech::SampleBuffer b;
  b.data.assign(speech::kBlockBytes, 0);
  b.capacity = speech::kBlockBytes;
  b.fill = 16000;
  EXPECT_TRUE(speech::ensureRoom(b, 384));
  EXPECT_FALSE(speech::ensureRoom(b, 385));  // inactive: no growth
  EXPECT_EQ(b.capacity, speech::kBlockBytes);
  b.active = 1;
  b.data[15999] = 7;
  ASSERT_TRUE(speech::ensureRoom(b, 20000));
  EXPECT_EQ(b.capacity, 3 * speech::kBlockBytes);  // 36,000 rounded up
  EXPECT_EQ(b.data.size(), static_cast<std::size_t>(b.capacity));
  EXPECT_EQ(b.data[15999], 7);
  EXPECT_EQ(b.fill, 16000);
}

}  // namespace
