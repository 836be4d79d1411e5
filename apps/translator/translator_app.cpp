#include "apps/translator/translator_app.h"

#include <new>
#include <string>

#include "apps/common/resource_tables.h"
#include "apps/translator/jc_engine_link.h"
#include "apps/translator/translate_dlg.h"
#include "apps/translator/translator_registry.h"
#include "engine/cj/analysis/engine_data.h"
#include "engine/cj/transfer/cj_engine.h"
#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/files.h"
#include "platform/core/input_method.h"
#include "platform/core/notify.h"
#include "platform/ui/dialog.h"

namespace orvale {
namespace {

constexpr char16_t kDataFolderTail[] = u"\\Talvenro\\Chinese\\";
constexpr int kSplashTemplate = 149;

std::u16string wide(std::string_view utf8) { return plat::utf8ToWide(utf8); }

}  // namespace

int frameworkMessage(const std::u16string& text, unsigned flags) { return plat::messageBox(text, kProgramTitle, flags); }
int directMessage(const std::u16string& text, unsigned flags) { return plat::messageBox(text, kDialogCaption, flags); }

CTranslatorApp::CTranslatorApp() = default;

CTranslatorApp::~CTranslatorApp() {
  // ExitInstance normally ran; whatever is still held goes now.
  if (jcEngine.analyzer || jcEngine.parser.handle || cjCheckFile || jcCheckFile || jcEngine.parseBuffer) ExitInstance();
}

bool CTranslatorApp::InitInstance() {
  if (!startUp()) return false;
  destroySplash();
  plat::setWaitCursor(false);
  dialog_->DoModal();
  return false;
}

bool CTranslatorApp::startUp() {
  auto end = [this] {
    destroySplash();
    plat::setWaitCursor(false);
    return false;
  };
  plat::setWaitCursor(true);
  probeInputMethods();

  auto fanTi = readTranslatorDword(kValueIsFanTi);
  traditional = fanTi ? static_cast<std::int32_t>(*fanTi) : 0;
  writePanelCharset(static_cast<std::uint32_t>(traditional));

  programFolder = wide(plat::programFolder()) + u"/";

  if (!findDataRoot()) return end();
  buildPaths();

  if (jc::prepareJcEngine(jcEngine, japaneseSystemFolder) != jc::kJcEngineReady) {
    frameworkMessage(kOutOfMemory, plat::kMbOk | plat::kMbIconExclamation);
    return end();
  }
  if (!bindParser()) return end();

  showSplash();
  loadTables();
  dialog_ = std::make_unique<CTranslateDlg>(*this);

  if (!createAnalyser()) return end();
  if (!loadRenderings()) return end();

  auto stored = readTranslatorDword(kValueJcCj);
  // Any stored value but Chinese-to-Japanese starts in the Japanese direction.
  direction = stored && *stored == kChineseToJapanese ? kChineseToJapanese : kJapaneseToChinese;

  if (direction == kJapaneseToChinese) {
    if (!startParser()) return end();
    openJcCheckFile(true);
  }

  cjCheckFile = plat::fileOpen(cjCheckPath, "rt");
  if (!cjCheckFile) frameworkMessage(kCjCheckFileMessage, plat::kMbOk);

  cjEngine = cj::openCjEngine(dataRoot + u"LindqvarDic\\CJSYSTEMDIC\\");
  const int status = cjEngine->engineStatus;
  if (status != 0) {
    plat::messageBeep(plat::kMbIconStop);
    // The file at fault, when a check named one, under the code.
    std::u16string text = u"システム初期化エラー（ コード = " + wide(std::to_string(status)) + u" ）";
    if (!cjEngine->dataFileProblem.empty()) text += u"\n" + plat::utf8ToWide(cjEngine->dataFileProblem);
    frameworkMessage(text, plat::kMbOk | plat::kMbIconStop);
    direction = kUnusable;
    return end();
  }
  reloadJp2CwTable(jcEngine.analyzer.get());

  wordMapping = plat::NamedMapping::create(kWordMappingName, kWordMappingSize);
  if (!wordMapping) frameworkMessage(kNoLookupMessage, plat::kMbOk);
  return true;
}

void CTranslatorApp::probeInputMethods() {
  const plat::ClassId probed[4] = {handwritingSearchIm(), handwritingInputIm(), pinyinIm(), japaneseHandwritingIm()};
  const char16_t* missing[4] = {u"中国語手書き検索がありません。", u"中国語手書きがありません。",
                                u"中国語ピンイン入力がありません。", u"日本語手書き入力がありません。"};
  bool available[4];
  for (int i = 0; i < 4; ++i) available[i] = plat::selectInputMethod(probed[i]);
  for (int i = 0; i < 4; ++i) {
    if (!available[i]) directMessage(missing[i], plat::kMbOk | plat::kMbIconExclamation);
  }
}

bool CTranslatorApp::findDataRoot() {
  if (plat::deviceRoot().empty()) {  // the root cannot even be listed
    plat::messageBeep(plat::kMbIconExclamation);
    return false;
  }
  for (const plat::DirEntry& e : plat::listFolder("\\")) {
    const unsigned card = plat::kAttrDirectory | plat::kAttrTemporary;
    if ((e.attributes & card) != card) continue;
    std::u16string root = u"\\" + wide(e.name) + kDataFolderTail;
    if (plat::pathExists(plat::wideToUtf8(root + u"LindqvarDic\\JCSYSTEMDIC"))) {
      dataRoot = root;
      return true;
    }
  }
  plat::messageBeep(plat::kMbIconExclamation);
  directMessage(u"辞書が見つかりません。\n\\Talvenro\\Chinese\\LindqvarDicフォルダのあるメモリカードをセットしてください。",
                plat::kMbOk | plat::kMbIconExclamation);
  return false;
}

void CTranslatorApp::buildPaths() {
  japaneseSystemFolder = dataRoot + u"LindqvarDic\\JCSystemdic\\";
  parserDictionaryPath = japaneseSystemFolder + u"Jcfrdic";
  cjCheckPath = dataRoot + u"LindqvarDic\\CJSystemdic\\" + u"cjtrans.dat";
  jcCheckPath = japaneseSystemFolder + u"jctrans.dat";
}

bool CTranslatorApp::bindParser() {
  // One that lacks an entry point is refused as one that does not load.
  if (!jc::bindSynparse(jcEngine.parser, ".\\Synparse.dll")) {
    directMessage(u"メモリ不足のため、DLLがロードできませんでした。\nソフトリセットや、ほかのプログラムを終了するなどして"
                  u"使用可能メモリ量を確保してから起動しなおしてください。",
                  plat::kMbOk | plat::kMbIconExclamation);
    return false;
  }
  return true;
}

void CTranslatorApp::showSplash() {
  if (auto t = ui::loadDialogTemplate(kSplashTemplate)) {
    splash_ = ui::createDialog(*t, 0, [](plat::Hwnd, unsigned, std::uint32_t, std::int32_t) -> std::intptr_t { return 0; });
  }
}

void CTranslatorApp::destroySplash() {
  if (splash_) ui::endDialog(splash_, 0);
  splash_ = 0;
}

void CTranslatorApp::loadTables() {
  gbTables = dbcs::loadConversionTables();
  jcEngine.tables = gbTables;
  apptext::loadTranslatorVariantTables(variantTables);
  apptext::loadEngineCodeTables(engineCodeTables);
}

bool CTranslatorApp::createAnalyser() {
  if (!newJpAnalyzer(*this)) {
    frameworkMessage(kOutOfMemory, plat::kMbOk | plat::kMbIconExclamation);
    jcEngine.parseBuffer.reset();
    return false;
  }
  return jc::initJpAnalyzer(jcEngine.analyzer.get()) != 0;
}

bool CTranslatorApp::loadRenderings() {
  std::string why;
  if (jc::loadJcRenderings(jcEngine, &why) == jc::kJcEngineReady) return true;
  plat::messageBeep(plat::kMbIconStop);
  frameworkMessage(u"システム初期化エラー（ jcwords.txt ）\n" + wide(why), plat::kMbOk | plat::kMbIconStop);
  return false;
}

bool CTranslatorApp::startJapaneseSide() {
  // A switch back to this direction replaces an analyser that start-up left in the other one.
  jc::releaseJcAnalyzer(jcEngine);
  bool usable = newJpAnalyzer(*this) && jc::initJpAnalyzer(jcEngine.analyzer.get()) != 0;
  return startParser() && usable;
}

bool CTranslatorApp::startParser() {
  parserInitialised = jc::startJcParser(jcEngine, parserDictionaryPath);
  if (!parserInitialised) {
    // The parser refuses a word file that is there but damaged: the file is named.
    plat::messageBeep(plat::kMbIconStop);
    frameworkMessage(u"システム初期化エラー（ Synparse ）\n" + parserDictionaryPath, plat::kMbOk | plat::kMbIconStop);
  }
  return parserInitialised;
}

void CTranslatorApp::stopJapaneseSide() {
  closeJcCheckFile();
  jc::releaseJcAnalyzer(jcEngine);
  if (jcEngine.parser.terminateJpnParse) jcEngine.parser.terminateJpnParse();
  jcEngine.parserStarted = parserInitialised = false;
}

void CTranslatorApp::openJcCheckFile(bool reportFailure) {
  closeJcCheckFile();
  jcCheckFile = plat::fileOpen(jcCheckPath, "rt");
  if (!jcCheckFile && reportFailure) frameworkMessage(kJcCheckFileMessage, plat::kMbOk);
}

void CTranslatorApp::closeJcCheckFile() {
  if (jcCheckFile) plat::fileClose(jcCheckFile);
  jcCheckFile = nullptr;
}

int CTranslatorApp::ExitInstance() {
  // What is held is released, whatever the direction says.
  jc::closeJcFiles(jcEngine);
  jc::releaseJcAnalyzer(jcEngine);
  if (jcEngine.parser.terminateJpnParse && parserInitialised) jcEngine.parser.terminateJpnParse();
  jcEngine.parserStarted = parserInitialised = false;
  closeJcCheckFile();

  if (cjEngine) cj::closeCjEngine(*cjEngine);
  cjEngine.reset();
  if (cjCheckFile) plat::fileClose(cjCheckFile);
  cjCheckFile = nullptr;
  jcEngine.parseBuffer.reset();

  if (readerWindow) plat::sendMessage(readerWindow, plat::kWmClose, 0, 0);
  readerWindow = 0;
  if (reading.holdsMutex()) reading.readingEnded();
  if (readingMutex) {
    readingMutex->release();
    readingMutex.reset();
  }
  jc::unbindSynparse(jcEngine.parser);
  wordMapping.reset();
  dialog_.reset();
  return 0;
}

}  // namespace orvale
