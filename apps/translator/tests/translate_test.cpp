// The Translate command and the reading pane offscreen, with the real Chinese-to-Japanese engine on
// the sample card: pieces, lines, failures, stale check files, reading modes, traditional text.
#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "apps/common/context_convert.h"
#include "apps/translator/line_reading.h"
#include "apps/translator/sentence_cut.h"
#include "engine/cj/transfer/cj_engine.h"
#include "engine/cj/transfer/sentence_driver.h"
#include "platform/core/fail_point.h"
#include "platform/core/files.h"
#include "platform/core/little_endian.h"
#include "platform/ui/fonts.h"
#include "platform/ui/menu.h"
#include "platform/ui/testing.h"
#include "translator_fixture.h"

namespace orvaletest {
namespace {

using namespace orvale;

TEST(NextSentenceTest, CutsAtFullStopsBracketsAndQuestionMarks) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> pieces;
  };
  const Case cases[] = {
      {u"3.14は円周率です。次の文。", {u"3.14は円周率です。", u"次の文。"}},  // a '.' before a digit
      {u"彼は(笑)と言った", {u"彼は(笑)と言った"}},                           // kana after the bracket
      {u"彼は(笑).", {u"彼は", u"(笑)."}},
      {u"(注)本文", {u"(注)本文"}},  // a leading bracket is no cut
      {u"本当？はい。", {u"本当？", u"はい。"}},
      {u"Yes? No.", {u"Yes?", u" No."}},
      {u"他喝水。\r\n我饿了。", {u"他喝水。", u"\r\n我饿了。"}},
      {u"版本3.０です.終り", {u"版本3.０です.", u"終り"}},  // a full-width digit keeps the point too
      // Marks inside a URL, a mail address or a version join their run, as the console drivers read them.
      {u"请看http://example.com/a?id=1。好。", {u"请看http://example.com/a?id=1。", u"好。"}},
      {u"我发到foo.bar@example.com了。", {u"我发到foo.bar@example.com了。"}},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string> got;
    std::u16string_view rest = c.text;
    std::u16string piece;
    while (!rest.empty()) {
      const std::size_t at = nextSentence(rest, piece);
      ASSERT_GT(at, 0u);
      rest.remove_prefix(at);
      got.push_back(piece);
    }
    EXPECT_EQ(got, c.pieces) << plat::wideToUtf8(c.text);
  }
}

// The cut as first written, with a search over the whole rest for each mark: the walk must give
// the same pieces.
std::size_t nextSentenceBySearches(std::u16string_view text) {
  constexpr std::size_t kNone = std::u16string_view::npos;
  auto letterOrDigit = [](char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFEE0);
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  };
  auto joins = [&](std::size_t i) { return i > 0 && i + 1 < text.size() && letterOrDigit(text[i - 1]) && letterOrDigit(text[i + 1]); };
  auto digit = [](char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'); };
  auto continues = [](char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FA5) || (c >= 0xF900 && c <= 0xFA2D) || (c >= 0x3041 && c <= 0x30FF);
  };
  std::size_t stop = kNone;
  for (std::size_t i = text.find(u'.'); i != kNone; i = text.find(u'.', i + 1)) {
    if ((i + 1 < text.size() && digit(text[i + 1])) || joins(i)) continue;
    stop = i + 1;
    break;
  }
  const std::size_t maru = text.find(u'。');
  const std::size_t afterMaru = maru == kNone ? text.size() : maru + 1;
  std::size_t end = (stop != kNone && stop < afterMaru) ? stop : afterMaru;
  const std::pair<char16_t, char16_t> pairs[] = {{u'(', u')'}, {u'[', u']'}, {u'（', u'）'}, {u'【', u'】'}, {u'《', u'》'}, {u'〔', u'〕'}};
  for (const auto& [open, close] : pairs) {
    const std::size_t o = text.find(open);
    if (o == kNone || o == 0) continue;
    const std::size_t c = text.find(close, o + 1);
    if (c == kNone || (c + 1 < text.size() && continues(text[c + 1]))) continue;
    end = std::min(end, o);
  }
  for (char16_t mark : {u'?', u'？'}) {
    std::size_t q = text.find(mark);
    while (q != kNone && joins(q)) q = text.find(mark, q + 1);
    if (q != kNone) end = std::min(end, q + 1);
  }
  return end;
}

// 20,000 texts of marks, brackets, letters, digits, kana and hanzi: the same pieces as the searches.
TEST(NextSentenceTest, OneWalkCutsAsSearchesOverTheWholeRest) {
  const std::u16string alphabet = u"。..??？()（）[]【】《》〔〕a1１水か 、\n";
  std::uint32_t seed = 79;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 20000; ++round) {
    std::u16string text;
    for (std::size_t length = 1 + next() % 24; text.size() < length;) text += alphabet[next() % alphabet.size()];
    std::u16string_view rest = text;
    std::u16string piece;
    while (!rest.empty()) {
      const std::size_t expected = nextSentenceBySearches(rest);
      ASSERT_EQ(nextSentence(rest, piece), expected) << plat::wideToUtf8(std::u16string(rest));
      ASSERT_EQ(piece, rest.substr(0, expected));
      rest.remove_prefix(expected);
    }
  }
}

class TranslateTest : public OrvaleTest {
 protected:
  void SetUp() override {
    OrvaleTest::SetUp();
    notes_ = std::make_unique<plat::NotifyRecorder>();
  }
  void TearDown() override {
    notes_.reset();
    OrvaleTest::TearDown();
  }
  void open(std::uint32_t direction, std::uint32_t traditional = 0) {
    putData(device_.card());
    setUpRegistry();
    setDword("JC_CJ", direction);
    setDword("IsFanTi", traditional);
    ASSERT_NE(startDialog(), 0u);
    ui::processPendingEvents();
    notes_->messages.clear();
    notes_->beeps.clear();
  }
  void translate(const std::u16string& source) {
    ui::setWindowText(pane(kIdSource), source);
    ui::testing::clickButton(pane(kIdTranslate));
    ui::processPendingEvents();
  }
  std::u16string text(unsigned id) { return ui::getWindowText(pane(id)); }
  std::size_t messageCount(const std::u16string& text) {
    std::size_t n = 0;
    for (const auto& m : notes_->messages) n += m.text == text;
    return n;
  }
  std::u16string cardFile(const char* relative) {
    return plat::utf8ToWide(device_.card() + "\\Talvenro\\Chinese\\LindqvarDic\\CJSYSTEMDIC\\" + relative);
  }
  std::unique_ptr<plat::NotifyRecorder> notes_;
};

TEST_F(TranslateTest, ThreeLinesGiveThreeResultAndReadingLines) {
  open(1);
  translate(u"他喝水\r\n我饿了\r\n他很高兴");
  EXPECT_EQ(text(kIdResult), u"彼は水を飲む\r\n私はお腹が空いた\r\n彼はとてもうれしい");
  const std::u16string reading = text(kIdReading);
  EXPECT_EQ(std::count(reading.begin(), reading.end(), u'\n'), 2) << plat::wideToUtf8(reading);
  EXPECT_NE(reading.find(u"he1"), std::u16string::npos) << plat::wideToUtf8(reading);
  EXPECT_TRUE(notes_->messages.empty());
  EXPECT_EQ(notes_->beeps, std::vector<unsigned>{plat::kMbOk});
  EXPECT_EQ(ui::getFocus(), pane(kIdSource));
  EXPECT_FALSE(ui::waitCursorShown());
}

// A long text's lines are added to the panes as they come: setting both panes' whole texts again
// after every line made the command quadratic in the text's length. The panes are set whole only
// when the run starts and ends, and end with the texts of the line-by-line translation.
TEST_F(TranslateTest, LinesAreAddedToThePanesWithoutSettingThemAgainPerLine) {
  open(1);
  std::u16string source, expected;
  for (int i = 0; i < 40; ++i) {
    source += std::u16string(i ? u"\r\n" : u"") + (i % 2 ? u"我饿了" : u"他喝水");
    expected += std::u16string(i ? u"\r\n" : u"") + (i % 2 ? u"私はお腹が空いた" : u"彼は水を飲む");
  }
  const plat::Hwnd result = pane(kIdResult), reading = pane(kIdReading);
  int wholeTexts = 0;
  const plat::WindowHooks before = plat::setWindowHooks({});
  plat::WindowHooks counting = before;
  counting.retitled = [&](plat::Hwnd h) {
    wholeTexts += h == result || h == reading;
    if (before.retitled) before.retitled(h);
  };
  plat::setWindowHooks(counting);
  translate(source);
  plat::setWindowHooks(before);
  EXPECT_EQ(text(kIdResult), expected);
  const std::u16string readingText = text(kIdReading);
  EXPECT_EQ(std::count(readingText.begin(), readingText.end(), u'\n'), 39);
  EXPECT_NE(readingText.find(u"he1"), std::u16string::npos);
  EXPECT_LE(wholeTexts, 4) << "both panes set again per line";
  EXPECT_TRUE(notes_->messages.empty());
  // The new result is shown from its start: its first line in view, the caret before it.
  for (const plat::Hwnd p : {result, reading}) {
    EXPECT_EQ(plat::sendMessage(p, ui::kEmGetFirstVisibleLine, 0, 0), 0);
    EXPECT_EQ(ui::editGetSel(p), std::make_pair(0, 0));
  }
  // A new reading mode reads the result again the same way: the pane cleared, grown, then shown
  // once whole from its start.
  wholeTexts = 0;
  plat::setWindowHooks(counting);
  plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(kCmdNoTones, 0), 0);
  plat::setWindowHooks(before);
  const std::u16string noTones = text(kIdReading);
  EXPECT_EQ(std::count(noTones.begin(), noTones.end(), u'\n'), 39);
  EXPECT_NE(noTones.find(u"he "), std::u16string::npos) << plat::wideToUtf8(noTones);
  EXPECT_EQ(noTones.find(u"he1"), std::u16string::npos);
  EXPECT_LE(wholeTexts, 2) << "the reading pane set again per line";
  EXPECT_EQ(text(kIdResult), expected);
  EXPECT_EQ(plat::sendMessage(reading, ui::kEmGetFirstVisibleLine, 0, 0), 0);
  EXPECT_EQ(ui::editGetSel(reading), std::make_pair(0, 0));
  // So is one long line, whose sentences are added to the panes in pieces as they come.
  std::u16string line, expectedLine;
  for (int i = 0; i < 60; ++i) {
    line += u"他喝水。我饿了。";
    expectedLine += u"彼は水を飲む。私はお腹が空いた。";
  }
  translate(line);
  EXPECT_EQ(text(kIdResult), expectedLine);
  for (const plat::Hwnd p : {result, reading}) {
    EXPECT_GT(plat::sendMessage(p, ui::kEmGetLineCount, 0, 0), 1);
    EXPECT_EQ(plat::sendMessage(p, ui::kEmGetFirstVisibleLine, 0, 0), 0);
    EXPECT_EQ(ui::editGetSel(p), std::make_pair(0, 0));
  }
}

TEST_F(TranslateTest, OnlyTheSelectionIsTranslatedAndPiecesJoinWithoutBreaks) {
  open(1);
  ui::setWindowText(pane(kIdSource), u"我饿了。他喝水。他很高兴。");
  ui::editSetSel(pane(kIdSource), 4, 13);
  ui::testing::clickButton(pane(kIdTranslate));
  EXPECT_EQ(text(kIdResult), u"彼は水を飲む。彼はとてもうれしい。");
}

TEST_F(TranslateTest, AnEmptySourceGivesEmptyPanesAndNoMessage) {
  open(1);
  ui::setWindowText(pane(kIdResult), u"old");
  translate(u"");
  EXPECT_EQ(text(kIdResult), u"");
  EXPECT_EQ(text(kIdReading), u"");
  EXPECT_TRUE(notes_->messages.empty());
  EXPECT_EQ(notes_->beeps, std::vector<unsigned>{plat::kMbOk});
}

TEST_F(TranslateTest, OnlyAFailingLastLineIsReported) {
  // A line without hanzi passes through without the engine's work area; the first line that
  // needs one fails.
  open(1);
  std::optional<plat::FailPoint> fail(std::in_place, cj::kWorkAreaFailPoint);
  translate(u"ok 1\r\n他喝水\r\nok 3");
  EXPECT_EQ(messageCount(u"翻訳に失敗しました"), 0u);
  EXPECT_EQ(text(kIdResult).substr(0, 6), u"ok 1\r\n");
  EXPECT_EQ(text(kIdResult).substr(text(kIdResult).size() - 6), u"\r\nok 3");

  notes_->messages.clear();
  notes_->beeps.clear();
  fail.emplace(cj::kWorkAreaFailPoint);
  translate(u"ok 1\r\n他喝水");
  EXPECT_EQ(messageCount(u"翻訳に失敗しました"), 1u);
  EXPECT_EQ(text(kIdResult).substr(0, 6), u"ok 1\r\n");
  EXPECT_EQ(notes_->beeps, (std::vector<unsigned>{plat::kMbIconExclamation, plat::kMbOk}));
}

TEST_F(TranslateTest, AStaleCheckFileBringsTheEngineUpAgainAndTheRunGoesOn) {
  open(1);
  plat::failNextSeek("cjtrans.dat");
  translate(u"他喝水。\r\n我饿了。");
  EXPECT_EQ(text(kIdResult), u"彼は水を飲む。\r\n私はお腹が空いた。");
  EXPECT_TRUE(notes_->messages.empty());
  EXPECT_EQ(plat::openFileCount("cjtrans.dat"), 1);
  EXPECT_EQ(plat::openFileCount("hanzi.dat"), 1);  // the old engine's files were closed first
}

TEST_F(TranslateTest, AnEngineThatCannotComeUpAgainEndsTheCommand) {
  open(1);
  ASSERT_TRUE(std::filesystem::remove(plat::hostPath(plat::wideToUtf8(cardFile("pinyindic\\hanzi.dat")))));
  plat::failNextSeek("cjtrans.dat");
  translate(u"他喝水。\r\n我饿了。");
  EXPECT_EQ(messageCount(u"翻訳初期化に失敗しました。いったん終了してください"), 1u);
  EXPECT_EQ(notes_->messages.front().flags & 0xF0, plat::kMbIconStop);
  EXPECT_EQ(text(kIdResult), u"");
  EXPECT_EQ(ui::getFocus(), pane(kIdSource));
  EXPECT_FALSE(dlg().translating());
}

TEST_F(TranslateTest, AMissingCheckFileIsNoStaleCard) {
  putData(device_.card());
  removeDataFile(device_.card(), "CJSYSTEMDIC/cjtrans.dat");
  setUpRegistry();
  setDword("JC_CJ", 1);
  ASSERT_NE(startDialog(), 0u);
  notes_->messages.clear();
  // Were the engine started again, the missing reading file would make it fail.
  ASSERT_TRUE(std::filesystem::remove(plat::hostPath(plat::wideToUtf8(cardFile("pinyindic\\hanzi.dat")))));
  translate(u"他喝水。");
  EXPECT_EQ(text(kIdResult), u"彼は水を飲む。");
  EXPECT_TRUE(notes_->messages.empty());
}

TEST_F(TranslateTest, ACheckFileThatCannotBeReopenedIsTriedAgainAtTheNextLine) {
  open(1);
  // The card comes back without cjtrans.dat for a moment: the engine is renewed, the file stays shut.
  const std::string file = plat::hostPath(plat::wideToUtf8(app().cjCheckPath));
  const std::string aside = file + ".aside";
  std::filesystem::rename(file, aside);
  plat::failNextSeek("cjtrans.dat");
  translate(u"他喝水。");
  EXPECT_EQ(text(kIdResult), u"彼は水を飲む。");
  EXPECT_EQ(plat::openFileCount("cjtrans.dat"), 0);
  // Once it is back, the next line renews the engine again and opens it.
  std::filesystem::rename(aside, file);
  translate(u"我饿了。");
  EXPECT_EQ(text(kIdResult), u"私はお腹が空いた。");
  EXPECT_EQ(plat::openFileCount("cjtrans.dat"), 1);
  EXPECT_EQ(plat::openFileCount("hanzi.dat"), 1);
  EXPECT_TRUE(notes_->messages.empty());
}

TEST_F(TranslateTest, AJapaneseCheckFileThatCannotBeReopenedIsTriedAgainAtTheNextLine) {
  open(0);
  app().jcEngine.parser.terminateJpnParse = countTermination;
  const std::string file = plat::hostPath(plat::wideToUtf8(app().jcCheckPath));
  const std::string aside = file + ".aside";
  std::filesystem::rename(file, aside);
  plat::failNextSeek("jctrans.dat");
  translate(u"本を読む。");
  EXPECT_EQ(gTerminations, 1);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 0);
  std::filesystem::rename(aside, file);
  translate(u"本を読む。");
  EXPECT_EQ(text(kIdResult), u"读书。");
  EXPECT_EQ(gTerminations, 2);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 1);
  EXPECT_NE(app().jcEngine.analyzer.get(), nullptr);
  // Found again, it is only repositioned.
  translate(u"本を読む。");
  EXPECT_EQ(gTerminations, 2);
  EXPECT_TRUE(notes_->messages.empty());
}

// The switch back to Japanese brings the Japanese side up again; a check file it cannot reopen
// then is lost to the card as after the Translate command's own restart, and tried again.
TEST_F(TranslateTest, AJapaneseCheckFileTheSwitchBackCannotReopenIsTriedAgainAtTheNextLine) {
  open(0);
  ASSERT_EQ(plat::openFileCount("jctrans.dat"), 1);
  ui::testing::chooseItem(pane(kIdDirection), 1);
  ASSERT_EQ(app().direction, kChineseToJapanese);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 0);
  const std::string file = plat::hostPath(plat::wideToUtf8(app().jcCheckPath));
  const std::string aside = file + ".aside";
  std::filesystem::rename(file, aside);
  ui::testing::chooseItem(pane(kIdDirection), 0);
  ASSERT_EQ(app().direction, kJapaneseToChinese);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 0);
  std::filesystem::rename(aside, file);
  ui::setWindowText(pane(kIdResult), u"");
  translate(u"本を読む。");
  EXPECT_EQ(text(kIdResult), u"读书。");
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 1);
  EXPECT_TRUE(notes_->messages.empty());
}

TEST_F(TranslateTest, AStaleJapaneseCheckFileRenewsTheAnalyserAndTheParser) {
  open(0);
  app().jcEngine.parser.terminateJpnParse = countTermination;
  plat::failNextSeek("jctrans.dat");
  translate(u"本を読む。");
  EXPECT_EQ(text(kIdResult), u"读书。");
  EXPECT_EQ(gTerminations, 1);
  EXPECT_NE(app().jcEngine.analyzer.get(), nullptr);
  EXPECT_TRUE(app().parserInitialised);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 1);
  EXPECT_TRUE(notes_->messages.empty());
}

TEST_F(TranslateTest, JapaneseToTraditionalChineseReadsTheSimplifiedText) {
  open(0, 1);
  translate(u"本を読む。");
  EXPECT_EQ(text(kIdResult), u"讀書。");
  EXPECT_EQ(text(kIdReading), u"du2 shu1 。");
}

TEST_F(TranslateTest, JapaneseLinesGoThroughTheJapaneseToChineseEngine) {
  open(0);
  translate(u"本を読む。\r\n彼は学生だ。");
  EXPECT_EQ(text(kIdResult), u"读书。\r\n他是学生。");
  EXPECT_EQ(messageCount(u"翻訳に失敗しました"), 0u);
}

const std::u16string kCarried = u"次の文字は翻訳できないため、そのまま残しました：";

TEST_F(TranslateTest, CharactersShiftJisOrTheEngineCodeLacksAreCarriedAndNamed) {
  open(0);  // 你 has no Shift-JIS code, ♪ no Chinese one
  translate(u"彼は你好と言った。♪");
  std::u16string result = text(kIdResult);
  EXPECT_NE(result.find(u'你'), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(result.back(), u'♪') << plat::wideToUtf8(result);
  EXPECT_EQ(result.find_first_of(u"?？〓"), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(messageCount(kCarried + u"你♪"), 1u);
  EXPECT_EQ(messageCount(u"翻訳に失敗しました"), 0u);
}

TEST_F(TranslateTest, CharactersGb2312LacksAreCarriedAndNamed) {
  open(1);
  translate(u"我喝茶😀");
  const std::u16string result = text(kIdResult);
  // The character stays inside its sentence, which is translated whole.
  EXPECT_NE(result.find(u"😀"), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_NE(result.find(u"お茶"), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(result.find_first_of(u"?？"), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(messageCount(kCarried + u"😀"), 1u);
}

// Runs that are not words stay whole in both directions, as the console drivers keep them; a hanzi
// without a Japanese kanji is carried and named as the drivers name it.
TEST_F(TranslateTest, RunsThatAreNotWordsStayWhole) {
  open(1);
  translate(u"请看http://example.com/a/b。我2026-12-10去。");
  std::u16string result = text(kIdResult);
  EXPECT_NE(result.find(u"http://example.com/a/b"), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_NE(result.find(u"2026-12-10"), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(std::count(result.begin(), result.end(), u'。'), 2) << plat::wideToUtf8(result);
  notes_->messages.clear();
  translate(u"你甭去。");
  result = text(kIdResult);
  EXPECT_NE(result.find(u'甭'), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(result.find(u'〓'), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(messageCount(kCarried + u"甭"), 1u);
}

TEST_F(TranslateTest, ADecimalPointIsNoSentenceEnd) {
  open(0);
  translate(u"税率は12.5%です。");
  const std::u16string result = text(kIdResult);
  EXPECT_NE(result.find(u"12.5%"), std::u16string::npos) << plat::wideToUtf8(result);
  EXPECT_EQ(std::count(result.begin(), result.end(), u'。'), 1) << plat::wideToUtf8(result);
}

// The program carries what the engine cannot read exactly as the console driver does: 〇 and the
// symbols the engine reads as others are translated with the line, the rest carried and named.
TEST_F(TranslateTest, TheProgramCarriesWhatTheDriverCarries) {
  open(1);
  translate(u"二〇〇八年");
  std::u16string direct;
  ASSERT_EQ(cj::translateChineseLine(*app().cjEngine, u"二〇〇八年", direct), 0);
  EXPECT_EQ(text(kIdResult), direct);
  EXPECT_EQ(text(kIdResult).find(u'〇'), std::u16string::npos) << plat::wideToUtf8(text(kIdResult));
  for (const auto& m : notes_->messages) EXPECT_EQ(m.text.find(kCarried), std::u16string::npos) << plat::wideToUtf8(m.text);
  // Every character of the CJK symbols, general punctuation and full-width blocks: named in the
  // box exactly when the driver's test carries it.
  for (char16_t c : {u'\u3007', u'\u00B7', u'\u2014', u'\u2016', u'\u2026', u'\u3001', u'\u300C', u'\u301D', u'\uFF5E', u'\u2030', u'\u203B'}) {
    notes_->messages.clear();
    translate(std::u16string(u"我喝茶") + c);
    const bool named = messageCount(kCarried + std::u16string(1, c)) == 1;
    EXPECT_EQ(named, !cj::engineHoldsChineseChar(app().cjEngine->tables, c)) << plat::wideToUtf8(std::u16string(1, c));
  }
}

TEST_F(TranslateTest, ALineLongerThanTheParseBufferLosesNoSentence) {
  open(0);
  std::u16string source, expected;
  for (int k = 0; k < 60; ++k) {
    source += u"彼は学生だ。本を読む。";
    expected += u"他是学生。读书。";
  }
  translate(source);
  EXPECT_EQ(text(kIdResult), expected);
  EXPECT_EQ(messageCount(u"翻訳に失敗しました"), 0u);
}

TEST_F(TranslateTest, ReadingModesOfIdeographsInsideAndOutsideGb2312) {
  open(1);
  // 㐀 has a record in the character reading file, 㐂 none; 水 is GB2312.
  ui::setWindowText(pane(kIdSource), u"水㐀㐂");
  const std::pair<unsigned, const char16_t*> modes[] = {
      {kCmdNumbered, u"shui3 qiu1  "},
      {kCmdNoTones, u"shui qiu  "},
      {kCmdToneMarks, u"shuǐ qiū  "},
  };
  for (const auto& [command, expected] : modes) {
    plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(command, 0), 0);
    EXPECT_EQ(text(kIdReading), expected) << command;
    EXPECT_EQ(ui::isMenuItemChecked(dlg().menu, command), true);
    EXPECT_EQ(ui::windowFont(pane(kIdReading)), dlg().gbFont);
  }
  plat::sendMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(kCmdKatakana, 0), 0);
  EXPECT_EQ(app().readingMode, 0);
  EXPECT_EQ(ui::windowFont(pane(kIdReading)), dlg().japaneseFont);
  const std::u16string katakana = text(kIdReading);
  EXPECT_EQ(katakana.find_first_of(u"ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロワン"), 0u) << plat::wideToUtf8(katakana);
  EXPECT_EQ(katakana.find_first_of(u"abcdefghijklmnopqrstuvwxyz"), std::u16string::npos) << plat::wideToUtf8(katakana);
  EXPECT_EQ(ui::isMenuItemChecked(dlg().menu, kCmdNumbered), false);
}

TEST_F(TranslateTest, ReadingFileRecordsAreReadOnlyWithinTheFile) {
  open(1);
  // A small file: index slot of U+3400 points at a record; U+3401 past the end; U+3402 at a
  // record whose length byte claims more than the file holds; U+3403 at a 2-byte record.
  std::string file(16, '\0');
  auto put = [&file](int slot, std::uint32_t offset) {
    plat::writeLe32(file.data() + slot * 4, offset);
  };
  put(0, 16);
  put(1, 4000);
  put(2, 23);
  put(3, 25);
  file += std::string("\x07\x00\x00qiu1", 7);  // 16..22
  file += std::string("\x40\x00", 2);          // 23..24: claims 64 bytes
  file += std::string("\x02\x00", 2);          // 25..26: shorter than its header
  ASSERT_TRUE(plat::writeWholeFile("\\reading.dat", file));
  std::FILE* f = plat::fileOpen(std::string_view("\\reading.dat"), "rb");
  ASSERT_NE(f, nullptr);
  std::string reading;
  int length = 0;
  EXPECT_TRUE(hanziFileReading(f, 0x3400, reading, length));
  EXPECT_EQ(reading, "qiu1");
  EXPECT_EQ(length, 7);
  for (char32_t cp : {0x3401u, 0x3402u, 0x3403u, 0x3404u, 0x4DB5u, 0xFA30u, 0x33FFu})
    EXPECT_FALSE(hanziFileReading(f, cp, reading, length)) << static_cast<unsigned>(cp);
  plat::fileClose(f);
}

// A whole index written by hand: the last character of each range and the first of the second
// have their records; the characters just past the ranges have no slot.
TEST_F(TranslateTest, ReadingFileSlotsReachTheEndOfEachRange) {
  open(1);
  constexpr int kSlots = 0xFA2A - 0x8D00 + 1;  // U+3400-U+9FA5, then U+F900-U+FA2A
  std::string file(static_cast<std::size_t>(kSlots) * 4, '\0');
  const struct {
    int slot;
    char32_t cp;
    const char* reading;
  } records[] = {{0x9FA5 - 0x3400, 0x9FA5, "yu4"}, {0xF900 - 0x8D00, 0xF900, "jia1"}, {kSlots - 1, 0xFA2A, "yan4"}};
  for (const auto& r : records) {
    plat::writeLe32(file.data() + r.slot * 4, static_cast<std::uint32_t>(file.size()));
    file += static_cast<char>(3 + std::strlen(r.reading));
    file += std::string(2, '\0') + r.reading;
  }
  ASSERT_TRUE(plat::writeWholeFile("\\slots.dat", file));
  std::FILE* f = plat::fileOpen(std::string_view("\\slots.dat"), "rb");
  ASSERT_NE(f, nullptr);
  std::string reading;
  int length = 0;
  for (const auto& r : records) {
    EXPECT_TRUE(hanziFileReading(f, r.cp, reading, length)) << static_cast<unsigned>(r.cp);
    EXPECT_EQ(reading, r.reading);
    EXPECT_EQ(length, static_cast<int>(3 + std::strlen(r.reading)));
  }
  for (char32_t cp : {0x9FA6u, 0xF8FFu, 0xFA2Bu, 0x33FFu})
    EXPECT_FALSE(hanziFileReading(f, cp, reading, length)) << static_cast<unsigned>(cp);
  plat::fileClose(f);
}

TEST_F(TranslateTest, TranslatePressedDuringARunIsRefused) {
  open(1);
  // The pump of the run dispatches a second Translate before the first piece.
  plat::postMessage(dlg().hwnd(), plat::kWmCommand, ui::makeWParam(kIdTranslate, 0), 0);
  translate(u"他喝水。我饿了。");
  EXPECT_EQ(text(kIdResult), u"彼は水を飲む。私はお腹が空いた。");
  EXPECT_EQ(notes_->beeps, std::vector<unsigned>{plat::kMbOk});
}

}  // namespace
}  // namespace orvaletest
