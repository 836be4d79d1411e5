// The hand-overs of the main dialog: a selected word to the dictionary viewer, Chinese text to
// the speech reader, and the voice settings.
#include <cstring>
#include <string>

#include "apps/common/context_convert.h"
#include "apps/translator/translate_dlg.h"
#include "apps/translator/translator_app.h"
#include "apps/translator/translator_registry.h"
#include "apps/translator/voice_settings_dlg.h"
#include "platform/core/clock.h"
#include "platform/core/input_method.h"
#include "platform/core/little_endian.h"
#include "platform/core/notify.h"
#include "platform/core/process.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "speech/reader/reading_protocol.h"

namespace orvale {
namespace {

constexpr char16_t kNoWord[] = u"文字列を取得できませんでした。";                        // 57346
constexpr char16_t kNoMappingAccess[] = u"メモリアクセス失敗のため辞書引きができません。";  // 57347
constexpr char16_t kViewerFailed[] = u"辞書の呼び出しに失敗しました。";                    // 57348
constexpr char16_t kSystemErrorCaption[] = u"WendelmoorLindqvarエラー";
constexpr char16_t kViewerClass[] = u"Dialog";
constexpr char16_t kViewerTitle[] = u"日中・中日辞典";
constexpr unsigned kWmLookupJapanese = 0x401;
constexpr unsigned kWmLookupChinese = 0x402;
constexpr std::size_t kLongestWord = 50;
constexpr int kFindAttempts = 20;
constexpr int kFindPauseMs = 100;

}  // namespace

int CTranslateDlg::getSelectedWord(std::u16string& word) {
  word.clear();
  const plat::Hwnd focus = ui::getFocus();
  int language;
  if (focus && focus == item(kIdSource)) {
    language = app_.direction == kChineseToJapanese ? 1 : 0;
  } else if (focus && focus == item(kIdResult)) {
    language = app_.direction == kChineseToJapanese ? 0 : 1;
  } else if (focus && focus == item(kIdReading)) {
    language = 1;
  } else {
    return 1;
  }
  const std::u16string text = ui::getWindowText(focus);
  auto [start, end] = ui::editGetSel(focus);
  if (start < 0 || end < start || static_cast<std::size_t>(end) > text.size()) start = end = 0;
  if (static_cast<std::size_t>(end - start) >= kLongestWord) return -1;
  word = text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  if (language == 1 && focus != item(kIdReading) && app_.traditional) apptext::toSimplified(app_.variantTables, word);
  return language;
}

void CTranslateDlg::lookUpInViewer() {
  if (!app_.wordMapping) {
    frameworkMessage(kNoLookupMessage, plat::kMbOk);
    return;
  }
  std::u16string word;
  const int language = getSelectedWord(word);
  if (language < 0) {
    frameworkMessage(kNoWord, plat::kMbOk);
    return;
  }
  {
    plat::MappingView view = app_.wordMapping->map(true);
    if (!view || view.size() < (word.size() + 1) * 2) {
      frameworkMessage(kNoMappingAccess, plat::kMbOk);
      return;
    }
    for (std::size_t i = 0; i <= word.size(); ++i) {
      const char16_t c = i < word.size() ? word[i] : 0;
      plat::writeLe16(view.data() + 2 * i, c);
    }
  }
  const plat::Hwnd focus = ui::getFocus();
  if (focus && (focus == item(kIdSource) || focus == item(kIdResult))) {
    plat::ClassId current;
    if (plat::currentInputMethod(current) && !current.isNull()) {
      if (auto key = openTranslatorKey())
        writeClassIdValue(*key, focus == item(japanesePaneId()) ? kValueJapaneseIm : kValueChineseIm, current);
    }
    skipNextSave = true;
  }
  app_.viewerWindow = plat::findWindow(kViewerClass, kViewerTitle);
  if (app_.viewerWindow) {
    plat::setForegroundWindow(app_.viewerWindow);
  } else {
    plat::ProcessInfo process;
    if (plat::startProgram("Sernick.exe", u"", &process)) {
      for (int attempt = 0; attempt < kFindAttempts && !app_.viewerWindow; ++attempt) {
        app_.viewerWindow = plat::findWindow(kViewerClass, kViewerTitle);
        if (!app_.viewerWindow) plat::sleepMs(kFindPauseMs);
      }
      plat::closeProcessHandle(process);
    } else {
      plat::messageBox(plat::systemErrorText(plat::lastError()), kSystemErrorCaption, plat::kMbOk | plat::kMbIconInformation);
      frameworkMessage(kViewerFailed, plat::kMbOk);
    }
  }
  if (app_.viewerWindow) {
    plat::postMessage(app_.viewerWindow, language == 0 ? kWmLookupJapanese : kWmLookupChinese, 0, 0);
  } else {
    frameworkMessage(kNoLookupMessage, plat::kMbOk);
  }
}

bool requestReading(CTranslatorApp& app, plat::Hwnd requester, std::u16string_view text, std::uint32_t repeatCount) {
  switch (app.reading.speak(requester, text, repeatCount, app.readerCommandLine,
                            vocra::RequesterCaptions{kProgramTitle, kDialogCaption})) {
    case vocra::SpeakResult::kSpeaking:
      app.readerWindow = app.reading.readerWindow();
      ui::setDlgCtrlId(ui::getDlgItem(requester, kIdSpeak), kIdStop);
      ui::setDlgItemText(requester, kIdStop, u"停止");
      return true;
    case vocra::SpeakResult::kReaderNotFound:
      directMessage(u"中国語朗読に失敗しました。", plat::kMbOk | plat::kMbIconExclamation);
      return false;
    default:
      return false;
  }
}

void readingFinished(CTranslatorApp& app, plat::Hwnd requester, bool stop) {
  const bool deleted = stop ? app.reading.stop() : app.reading.readingEnded();
  if (!deleted) directMessage(u"音声ファイルを削除できませんでした。", plat::kMbOk | plat::kMbIconExclamation);
  if (plat::Hwnd button = ui::getDlgItem(requester, kIdStop)) {
    ui::setDlgCtrlId(button, kIdSpeak);
    ui::setDlgItemText(requester, kIdSpeak, u"朗読");
  }
}

void CTranslateDlg::speakResult() {
  takeTexts();
  const unsigned paneId = chinesePaneId();
  const std::u16string& chinese = paneId == kIdSource ? sourceText : resultText;
  if (chinese.empty()) {
    ui::setFocus(item(kIdSource));
    return;
  }
  lastReadingRequest.clear();
  plat::setWaitCursor(true);
  auto [start, end] = ui::editGetSel(item(paneId));
  std::u16string text = chinese;
  if (start >= 0 && start < end && static_cast<std::size_t>(end) <= chinese.size())
    text = chinese.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
  if (app_.traditional) apptext::toSimplified(app_.variantTables, text);
  lastReadingRequest = text;
  if (!requestReading(app_, hwnd_, text, 2)) {
    plat::setWaitCursor(false);
    return;
  }
  ui::setFocus(item(kIdSource));
}

void CTranslateDlg::stopSpeaking() {
  readingFinished(app_, hwnd_, true);
  plat::setWaitCursor(false);
  ui::setFocus(item(kIdSource));
}

void CTranslateDlg::onSpeechDone() {
  readingFinished(app_, hwnd_, false);
  plat::setWaitCursor(false);
}

void CTranslateDlg::OnVoiceSettings() {
  if (item(kIdStop)) stopSpeaking();
  CVoiceSettingsDlg voice(app_);
  voice.DoModal(hwnd_);
}

}  // namespace orvale
