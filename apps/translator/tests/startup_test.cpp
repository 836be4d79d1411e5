// Start-up and exit: the data root among the cards, the input-method probe, the stored direction,
// the engine's failure, the panels' character set, and what exit releases.
#include <fstream>
#include <iterator>
#include <memory>

#include "apps/translator/single_instance.h"
#include "platform/core/clock.h"
#include "platform/core/fail_point.h"
#include "platform/core/files.h"
#include "platform/core/named_mutex.h"
#include "translator_fixture.h"

namespace orvaletest {
namespace {

using orvale::kDialogCaption;
using orvale::kProgramTitle;

TEST_F(OrvaleTest, TheFirstCardHoldingTheDataIsTheDataRoot) {
  // Cards are listed by name: "A Card" comes first and holds nothing. (The analyser keeps the
  // first dictionary path of the process, so every test keeps its data on "Storage Card".)
  device_.addCard("A Card");
  putData(device_.card());
  setUpRegistry();
  plat::NotifyRecorder notes;
  bool checked = false;
  EXPECT_TRUE(runInitInstance([&](plat::Hwnd) {
    orvale::CTranslatorApp& a = app();
    EXPECT_EQ(a.dataRoot, u"\\Storage Card\\Talvenro\\Chinese\\");
    EXPECT_EQ(a.parserDictionaryPath, u"\\Storage Card\\Talvenro\\Chinese\\LindqvarDic\\JCSystemdic\\Jcfrdic");
    EXPECT_EQ(a.direction, orvale::kJapaneseToChinese);
    EXPECT_TRUE(a.parserInitialised);
    EXPECT_NE(a.jcEngine.analyzer.get(), nullptr);
    EXPECT_NE(a.jcCheckFile, nullptr);
    EXPECT_NE(a.cjCheckFile, nullptr);
    EXPECT_NE(a.wordMapping, nullptr);
    EXPECT_EQ(a.readerCommandLine, u"\\Storage Card\\Talvenro\\Chinese\\ChTTSData\\");
    EXPECT_FALSE(plat::findWindow(u"Dialog", kDialogCaption) == 0);
    checked = true;
  }));
  EXPECT_TRUE(checked);
  EXPECT_TRUE(notes.messages.empty());

  // What the reading-aloud commands hold by then: the reader's window and the reading mutex.
  static int readerClosed = 0;
  readerClosed = 0;
  plat::registerWindowClass(u"OrvaleTestReader", [](plat::Hwnd, unsigned msg, std::uint32_t, std::int32_t) -> std::intptr_t {
    readerClosed += msg == plat::kWmClose;
    return 0;
  });
  app().readerWindow = plat::createWindow(u"OrvaleTestReader", u"reader");
  app().readingMutex = plat::NamedMutex::create(u"Vocra_Reading", true);
  ASSERT_NE(app().readingMutex, nullptr);

  app().jcEngine.parser.terminateJpnParse = countTermination;
  EXPECT_EQ(app().ExitInstance(), 0);
  EXPECT_EQ(readerClosed, 1);
  EXPECT_FALSE(plat::NamedMutex::create(u"Vocra_Reading")->alreadyExisted());
  EXPECT_EQ(gTerminations, 1);
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 0);
  EXPECT_EQ(plat::openFileCount("cjtrans.dat"), 0);
  EXPECT_EQ(app().jcEngine.parser.handle, nullptr);
  EXPECT_EQ(app().jcEngine.parseBuffer.get(), nullptr);
}

TEST_F(OrvaleTest, WithoutACardHoldingTheDataTheProgramEndsAfterItsMessage) {
  setUpRegistry();
  plat::NotifyRecorder notes;
  EXPECT_FALSE(runInitInstance());
  ASSERT_EQ(notes.messages.size(), 1u);
  EXPECT_EQ(notes.messages[0].text,
            u"辞書が見つかりません。\n\\Talvenro\\Chinese\\LindqvarDicフォルダのあるメモリカードをセットしてください。");
  EXPECT_EQ(notes.messages[0].caption, kDialogCaption);
  EXPECT_EQ(notes.messages[0].flags, plat::kMbOk | plat::kMbIconExclamation);
  EXPECT_EQ(notes.beeps, std::vector<unsigned>{plat::kMbIconExclamation});
  EXPECT_EQ(app().ExitInstance(), 0);
  EXPECT_EQ(app().jcEngine.parser.handle, nullptr);
}

TEST_F(OrvaleTest, StoredChineseToJapaneseLeavesTheParserAndJctransAlone) {
  putData(device_.card());
  setUpRegistry();
  setDword("JC_CJ", 1);
  plat::NotifyRecorder notes;
  EXPECT_TRUE(runInitInstance([&](plat::Hwnd d) {
    EXPECT_EQ(app().direction, orvale::kChineseToJapanese);
    EXPECT_FALSE(app().parserInitialised);
    EXPECT_EQ(plat::openFileCount("jctrans.dat"), 0);
    EXPECT_EQ(plat::openFileCount("cjtrans.dat"), 1);
    EXPECT_EQ(plat::sendMessage(ui::getDlgItem(d, orvale::kIdDirection), ui::kCbGetCurSel, 0, 0), 1);
  }));
  app().jcEngine.parser.terminateJpnParse = countTermination;
  app().ExitInstance();
  EXPECT_EQ(gTerminations, 0);
  // The analyser that start-up made in this direction is released all the same.
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);
}

TEST_F(OrvaleTest, AStoredDirectionOtherThanOneStartsJapaneseToChinese) {
  putData(device_.card());
  setUpRegistry();
  for (std::uint32_t stored : {2u, 3u, 0xFFFFFFFFu}) {
    setDword("JC_CJ", stored);
    plat::NotifyRecorder notes;
    EXPECT_TRUE(runInitInstance([&](plat::Hwnd d) {
      EXPECT_EQ(app().direction, orvale::kJapaneseToChinese) << stored;
      // The parser is up, so Japanese lines can be translated.
      EXPECT_TRUE(app().parserInitialised) << stored;
      EXPECT_EQ(plat::openFileCount("jctrans.dat"), 1);
      EXPECT_EQ(plat::sendMessage(ui::getDlgItem(d, orvale::kIdDirection), ui::kCbGetCurSel, 0, 0), 0);
    }));
    app().ExitInstance();
  }
}

TEST_F(OrvaleTest, EveryMissingInputMethodIsReportedInOrderThenTheProgramStarts) {
  putData(device_.card());
  setUpRegistry(false);
  plat::NotifyRecorder notes;
  EXPECT_TRUE(runInitInstance());
  const char16_t* expected[] = {u"中国語手書き検索がありません。", u"中国語手書きがありません。",
                                u"中国語ピンイン入力がありません。", u"日本語手書き入力がありません。"};
  ASSERT_EQ(notes.messages.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(notes.messages[i].text, expected[i]);
    EXPECT_EQ(notes.messages[i].caption, kDialogCaption);
    EXPECT_EQ(notes.messages[i].flags, plat::kMbOk | plat::kMbIconExclamation);
  }
}

TEST_F(OrvaleTest, AFailingEngineShowsItsCodeAndTheDialogNeverOpens) {
  putData(device_.card());
  removeDataFile(device_.card(), "CJSYSTEMDIC/fmemdic.dat");
  setUpRegistry();
  plat::NotifyRecorder notes;
  EXPECT_FALSE(runInitInstance());
  ASSERT_EQ(notes.messages.size(), 1u);
  // The code, then the file that failed.
  EXPECT_EQ(notes.messages[0].text, u"システム初期化エラー（ コード = 5 ）\nfmemdic.dat: missing, unreadable or not a file");
  EXPECT_EQ(notes.messages[0].caption, kProgramTitle);
  EXPECT_EQ(notes.messages[0].flags, plat::kMbOk | plat::kMbIconStop);
  EXPECT_EQ(notes.beeps, std::vector<unsigned>{plat::kMbIconStop});
  EXPECT_EQ(app().direction, orvale::kUnusable);
  // Exit releases the analyser and the parser that start-up brought up, in spite of direction 3.
  app().jcEngine.parser.terminateJpnParse = countTermination;
  app().ExitInstance();
  EXPECT_EQ(gTerminations, 1);
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);
  EXPECT_EQ(plat::openFileCount("jctrans.dat"), 0);
}

// The Japanese side's card files cut short: the start ends on a message that names the file. The
// rules' renderings are read at start too, in either stored direction.
TEST_F(OrvaleTest, ADamagedJapaneseFileEndsTheStartWithItsName) {
  const struct {
    const char* file;
    bool chineseToJapanese;  // the stored direction
  } rows[] = {{"JCMAIN.DIC", false}, {"JCMAIN.DDB", false}, {"Jcfrdic", false}, {"jcwords.txt", false}, {"jcwords.txt", true}};
  for (const auto& [file, chineseToJapanese] : rows) {
    SCOPED_TRACE(std::string(file) + (chineseToJapanese ? ", C->J" : ", J->C"));
    app_.reset();
    fs::remove_all(fs::path(plat::hostPath(device_.card())) / kLindqvarDic);
    putData(device_.card());
    const fs::path path = fs::path(plat::hostPath(device_.card())) / kLindqvarDic / "JCSystemdic" / file;
    std::ifstream in(path, std::ios::binary);
    const std::string whole{std::istreambuf_iterator<char>(in), {}};
    in.close();
    // Cut inside a line: a line file cut after a line end is a shorter file of its kind.
    std::size_t cut = whole.size() / 2;
    while (cut > 1 && (whole[cut - 1] == '\n' || whole[cut - 1] == '\r')) --cut;
    fs::resize_file(path, cut);
    setUpRegistry();
    if (chineseToJapanese) setDword("JC_CJ", 1);
    plat::NotifyRecorder notes;
    EXPECT_FALSE(runInitInstance());
    ASSERT_FALSE(notes.messages.empty());
    EXPECT_NE(notes.messages.back().text.find(plat::utf8ToWide(file)), std::u16string::npos)
        << plat::wideToUtf8(notes.messages.back().text);
    app().ExitInstance();
  }
}

TEST_F(OrvaleTest, TraditionalFlagGoesOnlyToThePanelKeysThatExist) {
  putData(device_.card());
  setUpRegistry(false);
  setDword("IsFanTi", 1);
  const std::string pinyin = "CLSID\\" + plat::wideToUtf8(plat::classIdText(orvale::pinyinIm()));
  const std::string input = "CLSID\\" + plat::wideToUtf8(plat::classIdText(orvale::handwritingInputIm()));
  const std::string search = "CLSID\\" + plat::wideToUtf8(plat::classIdText(orvale::handwritingSearchIm()));
  ASSERT_TRUE(plat::regCreateKey(plat::RegRoot::ClassesRoot, pinyin));
  ASSERT_TRUE(plat::regCreateKey(plat::RegRoot::ClassesRoot, input));
  plat::NotifyRecorder notes;
  EXPECT_TRUE(runInitInstance([&](plat::Hwnd d) { EXPECT_EQ(ui::getDlgItemText(d, orvale::kIdCharset), u"繁"); }));
  EXPECT_EQ(app().traditional, 1);
  for (const std::string& key : {pinyin, input}) {
    auto k = plat::regOpenKey(plat::RegRoot::ClassesRoot, key);
    ASSERT_TRUE(k.has_value());
    EXPECT_EQ(plat::regGetDword(*k, "Charset"), 1u) << key;
  }
  EXPECT_FALSE(plat::regKeyExists(plat::RegRoot::ClassesRoot, search));
}

TEST_F(OrvaleTest, AFailedAnalyserAllocationEndsTheProgramAndFreesTheBufferOnce) {
  putData(device_.card());
  setUpRegistry();
  plat::NotifyRecorder notes;
  plat::FailPoint fail(orvale::kJpAnalyzerFailPoint);
  EXPECT_FALSE(runInitInstance());
  ASSERT_EQ(notes.messages.size(), 1u);
  EXPECT_EQ(notes.messages[0].text, u"メモリ不足!");
  EXPECT_EQ(notes.messages[0].caption, kProgramTitle);
  EXPECT_EQ(notes.messages[0].flags, plat::kMbOk | plat::kMbIconExclamation);
  EXPECT_EQ(app().jcEngine.parseBuffer.get(), nullptr);
  EXPECT_EQ(app().ExitInstance(), 0);
  EXPECT_EQ(app().jcEngine.parseBuffer.get(), nullptr);
}

TEST_F(OrvaleTest, WithoutJctransTheProgramStartsAfterItsMessage) {
  putData(device_.card());
  removeDataFile(device_.card(), "JCSystemdic/jctrans.dat");
  setUpRegistry();
  plat::NotifyRecorder notes;
  EXPECT_TRUE(runInitInstance());
  ASSERT_EQ(notes.messages.size(), 1u);
  EXPECT_EQ(notes.messages[0].text, u"日中翻訳チェックファイルを開けませんでした。");
  EXPECT_EQ(notes.messages[0].caption, kProgramTitle);
}

TEST_F(OrvaleTest, WithoutTheParserLibraryTheProgramEndsAfterItsMessage) {
  putData(device_.card());
  setUpRegistry();
  plat::setProgramFolder(device_.root());  // a program folder without Synparse
  plat::NotifyRecorder notes;
  EXPECT_FALSE(runInitInstance());
  ASSERT_EQ(notes.messages.size(), 1u);
  EXPECT_EQ(notes.messages[0].text,
            u"メモリ不足のため、DLLがロードできませんでした。\nソフトリセットや、ほかのプログラムを終了するなどして"
            u"使用可能メモリ量を確保してから起動しなおしてください。");
  EXPECT_EQ(notes.messages[0].caption, kDialogCaption);
  EXPECT_EQ(app().jcEngine.analyzer.get(), nullptr);  // it ended before the analyser
  EXPECT_EQ(app().ExitInstance(), 0);
}

TEST_F(OrvaleTest, ASecondStartBringsTheRunningOneToTheFront) {
  plat::ManualClock clock;
  plat::ScopedClock useClock(clock);
  const std::u16string module = u"\\Program Files\\Orvale.exe";
  EXPECT_EQ(orvale::instanceMutexName(module), u"/Program Files/Orvale.exe");
  std::unique_ptr<plat::NamedMutex> first, second;
  ASSERT_TRUE(orvale::claimSingleInstance(module, first));
  // The first instance has no window yet: the second looks three times, then starts.
  const std::int64_t before = plat::tickCount();
  EXPECT_TRUE(orvale::claimSingleInstance(module, second));
  EXPECT_EQ(plat::tickCount() - before, 2000);
  second.reset();

  ui::DialogTemplate t;
  t.caption = kDialogCaption;
  t.cx = 50;
  t.cy = 30;
  plat::Hwnd running = ui::createDialog(t, 0, [](plat::Hwnd, unsigned, std::uint32_t, std::int32_t) -> std::intptr_t { return 0; });
  ASSERT_NE(running, 0u);
  t.caption = u"other";
  plat::Hwnd other = ui::createDialog(t, 0, [](plat::Hwnd, unsigned, std::uint32_t, std::int32_t) -> std::intptr_t { return 0; });
  plat::setForegroundWindow(other);
  EXPECT_FALSE(orvale::claimSingleInstance(module, second));
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(plat::foregroundWindow(), running);
}

}  // namespace
}  // namespace orvaletest
