#include "apps/translator/voice_settings_dlg.h"

#include "apps/translator/translate_dlg.h"
#include "apps/translator/translator_app.h"
#include "apps/translator/translator_registry.h"
#include "platform/ui/app.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/fonts.h"
#include "speech/reader/reading_protocol.h"

namespace orvale {

namespace {

struct Slider {
  unsigned id;
  const char* value;
  std::uint32_t low, high;
  std::uint32_t absent;  // shown when the value is absent: the reader's start value, within the range
};
constexpr Slider kSliders[] = {
    {kIdVolume, vocra::kVolumeValue, 1, 9, vocra::kStartVolume},
    {kIdPitch, vocra::kPitchValue, 1, 9, 1},
    {kIdSpeed, vocra::kSpeedValue, 1, 8, 1},
};

}  // namespace

CVoiceSettingsDlg::CVoiceSettingsDlg(CTranslatorApp& app) : app_(app) {}

CVoiceSettingsDlg::~CVoiceSettingsDlg() {
  if (font_) ui::deleteFont(font_);
}

int CVoiceSettingsDlg::DoModal(plat::Hwnd owner) {
  auto t = ui::loadDialogTemplate(kVoiceTemplate);
  if (!t) return -1;
  return ui::dialogBox(*t, owner, [this](plat::Hwnd h, unsigned m, std::uint32_t w, std::int32_t l) { return proc(h, m, w, l); });
}

std::intptr_t CVoiceSettingsDlg::proc(plat::Hwnd h, unsigned msg, std::uint32_t wParam, std::int32_t lParam) {
  switch (msg) {
    case ui::kWmInitDialog:
      hwnd_ = h;
      return OnInitDialog() ? 1 : 0;
    case ui::kWmNotify: {
      const ui::NotifyInfo* n = ui::notifyInfo(lParam);
      if (n && n->code == ui::kNmCustomDraw) OnSliderDrawn(n->id ? n->id : wParam);
      return 0;
    }
    case vocra::kWmSpeechStatus:
      if (wParam == vocra::kStatusEnded) onSpeechDone();
      return 1;
    case vocra::kWmSpeechStarted:
      return 1;
    case plat::kWmClose:
      OnOK();
      return 1;
    case plat::kWmCommand:
      break;
    default:
      return 0;
  }
  switch (ui::loWord(wParam)) {
    case ui::kIdOk: OnOK(); return 1;
    case ui::kIdCancel: OnOK(); return 1;
    case kIdSpeak: speakTestSentence(); return 1;
    case kIdStop: stopSpeaking(); return 1;
    default: return 0;
  }
}

bool CVoiceSettingsDlg::OnInitDialog() {
  font_ = ui::createFont({u"ZQ-GB Mincho", ui::kGb2312CharSet, 16 * ui::screenMetrics().dpi / 96, 400, false, 0x20, 0});
  ui::setWindowFont(ui::getDlgItem(hwnd_, kIdTestSentence), font_);
  ui::setDlgItemText(hwnd_, kIdTestSentence, u"\"" + std::u16string(kTestSentence) + u"\"");
  app_.readerWindow = 0;
  std::uint32_t* values[] = {&volume, &pitch, &speed};
  for (int i = 0; i < 3; ++i) {
    const Slider& s = kSliders[i];
    *values[i] = readTranslatorDword(s.value).value_or(s.absent);
    const plat::Hwnd bar = ui::getDlgItem(hwnd_, s.id);
    plat::sendMessage(bar, ui::kTbmSetRange, 1, ui::makeLParam(static_cast<int>(s.low), static_cast<int>(s.high)));
    plat::sendMessage(bar, ui::kTbmSetPos, 1, static_cast<std::int32_t>(*values[i]));
  }
  return true;
}

void CVoiceSettingsDlg::OnSliderDrawn(unsigned id) {
  std::uint32_t* values[] = {&volume, &pitch, &speed};
  for (int i = 0; i < 3; ++i) {
    if (kSliders[i].id != id) continue;
    *values[i] = static_cast<std::uint32_t>(plat::sendMessage(ui::getDlgItem(hwnd_, id), ui::kTbmGetPos, 0, 0));
    writeTranslatorDword(kSliders[i].value, *values[i]);
  }
}

void CVoiceSettingsDlg::speakTestSentence() { requestReading(app_, hwnd_, kTestSentence, 1); }

void CVoiceSettingsDlg::stopSpeaking() { readingFinished(app_, hwnd_, true); }

void CVoiceSettingsDlg::onSpeechDone() { readingFinished(app_, hwnd_, false); }

void CVoiceSettingsDlg::OnOK() {
  if (ui::getDlgItem(hwnd_, kIdStop)) stopSpeaking();
  ui::endDialog(hwnd_, ui::kIdOk);
}

}  // namespace orvale
