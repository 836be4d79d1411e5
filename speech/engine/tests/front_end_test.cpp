#include "platform/core/codepage.h"
#include "speech/engine/number_reading.h"
#include "speech/engine/segmenter.h"
#include "speech/engine/utterance.h"
#include "front_end_fixture.h"

#include <string>
#include <vector>

namespace {

using namespace speechtest;

class FrontEndTest : public FrontEndFixture {
 protected:
  // The codes of each piece of the text, pieces separated by " / ".
  std::string readAloud(const char* utf8, int mode = 0, int speakPunctuation = 0) {
    speech::SpeechParams params;
    params.p[6] = mode;
    params.p[5] = speakPunctuation;
    speech::Utterance* u = nullptr;
    std::u16string text = plat::utf8ToWide(utf8);
    EXPECT_EQ(speech::createUtterance(text.c_str(), params, u), speech::kSpeechOk);
    std::string out;
    while (u && speech::prepareNextPiece(*u)) {
      out += (out.empty() ? "" : " / ") + spoken(u->units);
      lastUnits_ = u->units;
      lengths_.push_back(u->unitCount);
    }
    speech::destroyUtterance(u);
    return out;
  }
  std::vector<speech::SpeechUnit> lastUnits_;
  std::vector<int> lengths_;
};

struct Case {
  const char* text;
  int mode;
  const char* codes;
};

TEST_F(FrontEndTest, TextIsSpokenWithTheTonesOfConnectedSpeech) {
  const Case cases[] = {
      {"妈妈", 0, "ma1 ma5"},                      // reduplication
      {"一个", 0, "yi2 ge4"},                      // 一 before a fourth tone
      {"一百", 0, "yi4 bai3"},                     // ... before another tone
      {"不是", 0, "bu2 shi4"},                     // 不 before a fourth tone
      {"看不看", 0, "kan4 bu5 kan4"},              // between equal characters
      {"你好", 0, "ni2 hao3"},                     // third-tone sandhi
      {"我很好", 0, "wo2 hen2 hao3"},              // applied left to right
      {"爱好", 0, "ai4 hao4"},                     // a polyphone settled by its word
      {"银行", 0, "yin2 hang2"},
      {"行", 0, "xing2"},                          // not in a word of its block: the first reading
      {"为什么", 0, "wei2 shen2 me5"},             // ... in a word of three
      {"哪儿", 0, "na3r _"},                       // 儿 joins the syllable before it
  };
  for (const Case& c : cases) EXPECT_EQ(readAloud(c.text, c.mode), c.codes) << c.text;
}

TEST_F(FrontEndTest, NumbersAreWrittenOutByTheirContext) {
  const Case cases[] = {
      {"3/4", 0, "si4 fen1 zhi1 san1"},
      {"1-3/4", 0, "yi1 you4 si4 fen1 zhi1 san1"},
      {"5/4", 0, "wu3 chu2 yi3 si4"},
      {"12:00", 0, "shi2 er4 dian2 zheng3"},
      {"比2:30", 0, "bi3 er4 bi3 san1 shi2"},              // a score
      {"比3:2", 0, "bi3 san1 bi3 er4"},                    // ... of one digit
      {"比赛3:20", 0, "bi3 sai4 san1 bi3 er4 shi2"},
      {"比赛下午3:20", 0, "bi3 sai4 xia4 wu3 san1 dian3 er4 shi2 fen1"},  // a time word is nearer
      {"110", 0, "yao1 yao1 ling2"},                       // a telephone-style number
      {"110", 2, "yi4 bai3 yi1 shi2"},
      {"2008-8-8", 0, "er4 ling2 ling2 ba1 nian2 ba1 yue4 ba1 ri4"},
      {"1998-2-30", 0, "yao1 jiu2 jiu3 ba1 gang4 er4 gang4 san1 ling2"},  // no 30th of February
      {"3.14", 0, "san1 dian3 yi1 si4"},                   // a decimal stays one piece
      {"1,000,000", 0, "yi4 bai3 wan4"},
      {"10010", 0, "yi2 wan4 ling2 yi1 shi2"},
      {"5km", 0, "wu3 gong1 li3"},
      {"60km/h", 0, "liu4 shi2 gong1 li2 mei2 xiao3 shi2"},
      {"5km", 1, "wu3 k m"},                               // mode 1: digits only, whatever follows
      {"1,a", 0, "yi1 |4300 / a"},                         // the comma splits letters from digits
      {"二○○八年", 0, "er4 ling2 ling2 ba1 nian2"},         // no ASCII digit: ○ still reads 零
      {"二〇〇八年", 0, "er4 ling2 ling2 ba1 nian2"},         // ... and so does the ideographic zero
      {"二〇○八年", 0, "er4 ling2 ling2 ba1 nian2"},
      {"三km", 0, "san1 gong1 li3"},                       // a Chinese numeral takes the unit's word
  };
  for (const Case& c : cases) EXPECT_EQ(readAloud(c.text, c.mode), c.codes) << c.text << " mode " << c.mode;
}

TEST_F(FrontEndTest, PiecesEndAtSentencePunctuationAndNeverExceed126Characters) {
  EXPECT_EQ(readAloud("好.好"), "hao3 |4302 / hao3");
  EXPECT_EQ(readAloud("1, 2"), "yi1 |4300 _ er4");
  EXPECT_EQ(readAloud("︵好︶"), "|4325 hao3 |4325");   // vertical brackets fold to "（" "）"
  EXPECT_EQ(readAloud("好!!!好"), "hao3 _ / hao3");     // a run of three becomes one space
  EXPECT_EQ(readAloud("好――好"), "hao3 |4323 / hao3");  // a doubled dash is one
  EXPECT_EQ(readAloud("好——好"), "hao3 |4323 / hao3");
  EXPECT_EQ(readAloud("你好:我"), "ni2 hao3 |4305 wo3");
  // Line breaks: dropped inside a sentence, an end between letters, before a numbered line or
  // next to a space.
  EXPECT_EQ(readAloud("你\r\n好"), "ni2 hao3");
  EXPECT_EQ(readAloud("ab\r\ncd"), "a b / c d");
  EXPECT_EQ(readAloud("妈\r\n1. 妈"), "ma1 / yi1 |4302 / ma1");
  EXPECT_EQ(readAloud("妈 \r\n妈"), "ma1 / ma1");
  EXPECT_EQ(readAloud("a?b"), "a |4304 b");  // a question mark between letters ends no piece
  EXPECT_EQ(readAloud("你好:我", 0, 1), "ni2 hao3 mao4 hao4 |4305 wo3");  // the colon's reading before its pause

  std::string hanzi;
  for (int i = 0; i < 300; ++i) hanzi += "妈";
  lengths_.clear();
  readAloud(hanzi.c_str());
  int total = 0;
  for (int n : lengths_) {
    EXPECT_LE(n, 126);
    total += n;
  }
  EXPECT_EQ(total, 300);

  // A piece whose symbols expand beyond the 512 slots: the list grows.
  std::string symbols;
  for (int i = 0; i < 126; ++i) symbols += "§";
  lengths_.clear();
  readAloud(symbols.c_str());
  ASSERT_EQ(lengths_.size(), 1u);
  EXPECT_EQ(lengths_[0], 126 * 5);
  EXPECT_EQ(lastUnits_[630].character, 0);

  // A run of letters without any cut point is cut at 126.
  lengths_.clear();
  readAloud(std::string(300, 'a').c_str());
  EXPECT_EQ(lengths_, (std::vector<int>{126, 126, 48}));
}

TEST_F(FrontEndTest, UnitsCarryWordsFlagsAndVoiceSettings) {
  speech::SpeechParams params;
  params.p[2] = 7;  // pitch
  speech::Utterance* u = nullptr;
  ASSERT_EQ(speech::createUtterance(u"研究生命起源、妈妈好", params, u), speech::kSpeechOk);
  ASSERT_TRUE(speech::prepareNextPiece(*u));
  EXPECT_EQ(words(u->units), "研究/生命/起源/|/妈妈好");
  const speech::SpeechUnit& ming = u->units[3];
  EXPECT_EQ(ming.posInWord, 1);
  EXPECT_EQ(ming.wordLength, 2);
  EXPECT_EQ(ming.wordIndex, 1);
  EXPECT_EQ(ming.phraseWords, 4);  // 研究 生命 起源 and the pause
  EXPECT_EQ(ming.phraseCount, 2);
  EXPECT_EQ(u->units[8].phraseIndex, 1);
  EXPECT_EQ(ming.pitch, 7);
  EXPECT_EQ(u->units[10].character, 0);
  speech::destroyUtterance(u);

  // A space between two digits carries the extra value 500.
  ASSERT_EQ(speech::createUtterance(u"1 2", params, u), speech::kSpeechOk);
  ASSERT_TRUE(speech::prepareNextPiece(*u));
  EXPECT_EQ(u->units[1].character, ' ');
  EXPECT_EQ(u->units[1].extra, 500);
  EXPECT_EQ(u->units[0].extra, 0);
  speech::destroyUtterance(u);
}

TEST_F(FrontEndTest, SegmentationSettlesDisagreementsAndKeepsQuotedNamesWhole) {
  auto segmentedWords = [](const char* utf8) {
    speech::Text text = unitsOf(utf8);
    int start = 0;
    while (start < static_cast<int>(text.size()) && !speech::isHanziUnit(text[static_cast<std::size_t>(start)])) ++start;
    speech::SegmentedRun run = speech::segmentRun(text.data(), static_cast<int>(text.size()), start);
    speech::Text out;
    for (int k = 0; k < run.length; ++k) {
      if (k && run.grades[static_cast<std::size_t>(k)]) out.push_back('/');
      out.push_back(text[static_cast<std::size_t>(start + k)]);
    }
    return utf8Of(out);
  };
  EXPECT_EQ(segmentedWords("研究生命起源"), "研究/生命/起源");  // 研究生|命 forward, 研究|生命 backward
  // A longer stretch goes to the pass with fewer words; on a tie, to the backward pass.
  EXPECT_EQ(segmentedWords("春夏秋冬雪"), "春夏/秋冬雪");    // 春夏秋|冬雪 forward: two words each
  EXPECT_EQ(segmentedWords("金木水火土"), "金木水/火土");  // 金|木|水火土 backward
  EXPECT_EQ(segmentedWords("“你好我”"), "你好我");
  EXPECT_EQ(segmentedWords("“研究生命”"), "研究/生命");

  // One-character words in a row are paired; the last one joins the word before it.
  EXPECT_EQ(segmentedWords("我是他的书"), "我是/他的书");
  // Grades of one-character words: a word of grade 1 or 3 takes a following word of grade 2
  // (冒 and 号 are grade 2, 吃 grade 3), and a last word of grade 2 stays apart.
  EXPECT_EQ(segmentedWords("你好冒号"), "你好冒/号");
  EXPECT_EQ(segmentedWords("你好吃号"), "你好/吃号");

  // Transliterations: one word read in pairs, 尔 starting none; a trailing character with bit 26
  // stays out.
  EXPECT_EQ(segmentedWords("克林顿斯"), "克林/顿/斯");
  EXPECT_EQ(segmentedWords("克林尔顿"), "克林尔/顿");

  // A surname before a title takes its surname reading.
  speech::Text name = unitsOf("王先生");
  speech::SegmentedRun run = speech::segmentRun(name.data(), 3, 0);
  EXPECT_EQ(run.readings[0], speech::unitCodeOfReading(datagen::pinyinReading("wang2")));
  EXPECT_EQ(run.grades[1], 1);

  // 只 after a number word takes its fixed reading.
  speech::Text measure = unitsOf("一只");
  run = speech::segmentRun(measure.data(), 2, 0);
  EXPECT_EQ(run.grades[1], 0);
  EXPECT_EQ(codeText(static_cast<std::uint16_t>(run.readings[1])), "zhi1");
}

TEST_F(FrontEndTest, PhrasingDropsCandidatesTooCloseToTheirNeighbours) {
  // 研究|研究|研究|是|研究|研究: 是 starts a one-character word, a candidate, 6 after the start
  // with no strong boundary within four after it: dropped.
  speech::Text text = unitsOf("研究研究研究是研究研究");
  std::vector<std::uint16_t> bounds(text.size() + 1, 0);
  for (int p : {2, 4, 6, 7, 9}) bounds[static_cast<std::size_t>(p)] = 1;
  bounds[text.size()] = speech::kBoundEnd;
  speech::phrasePiece(text.data(), static_cast<int>(text.size()), bounds);
  EXPECT_EQ(bounds[6], 0);
  EXPECT_EQ(bounds[7], 1);
  EXPECT_EQ(bounds[4], 1);

  // Closer than five to the start it is passed over and stays.
  text = unitsOf("研究研究是研究");
  bounds.assign(text.size() + 1, 0);
  for (int p : {2, 4, 5}) bounds[static_cast<std::size_t>(p)] = 1;
  speech::phrasePiece(text.data(), static_cast<int>(text.size()), bounds);
  EXPECT_EQ(bounds[4], 1);
}

TEST_F(FrontEndTest, SynthesizeChunkRunsTheFrontEndPieceByPiece) {
  static std::vector<std::string> pieces;
  pieces.clear();
  speech::setPieceHook([](const speech::Utterance& u) { pieces.push_back(spoken(u.units)); });
  speech::Utterance* u = nullptr;
  ASSERT_EQ(speech::createUtterance(u"你好。妈妈", speech::SpeechParams{}, u), speech::kSpeechOk);
  const char* data = nullptr;
  std::int32_t length = -1;
  // Blocks come until the text is used up; each piece reaches the renderer once, in order.
  std::int64_t total = 0;
  for (int block = 0; block < 64 && !speech::utteranceExhausted(*u); ++block) {
    const int code = speech::synthesizeChunk(u, 0, &data, &length, 0);
    ASSERT_TRUE(code == speech::kSpeechOk || code == speech::kSpeechChunkReady) << code;
    total += length;
  }
  EXPECT_GT(total, 0);
  EXPECT_EQ(pieces, (std::vector<std::string>{"ni2 hao3 |4302", "ma1 ma5"}));
  EXPECT_TRUE(speech::utteranceExhausted(*u));
  speech::destroyUtterance(u);
}

}  // namespace
