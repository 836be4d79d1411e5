// The Chinese voice settings: volume, pitch and speed of the speech reader, written to the
// registry as the sliders move, and a test sentence read aloud.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/drawing.h"
#include "platform/ui/types.h"

namespace orvale {

class CTranslatorApp;

enum : unsigned {
  kVoiceTemplate = 186,
  kIdVolume = 1011,
  kIdPitch = 1010,
  kIdSpeed = 1013,
  kIdTestSentence = 1012,
};

// Shared by the two requesting dialogs: asks the reader to read (true: button 1004 became Stop),
// and lets the reading go when it ended or is stopped (the button turns back).
bool requestReading(CTranslatorApp& app, plat::Hwnd requester, std::u16string_view text, std::uint32_t repeatCount);
void readingFinished(CTranslatorApp& app, plat::Hwnd requester, bool stop);

inline constexpr char16_t kTestSentence[] = u"这是中文语音合成的测试。";

class CVoiceSettingsDlg {
 public:
  explicit CVoiceSettingsDlg(CTranslatorApp& app);
  ~CVoiceSettingsDlg();
  CVoiceSettingsDlg(const CVoiceSettingsDlg&) = delete;
  CVoiceSettingsDlg& operator=(const CVoiceSettingsDlg&) = delete;

  int DoModal(plat::Hwnd owner);
  plat::Hwnd hwnd() const { return hwnd_; }

  bool OnInitDialog();
  void OnSliderDrawn(unsigned id);
  void speakTestSentence();
  void stopSpeaking();
  void onSpeechDone();
  void OnOK();

  std::uint32_t volume = 0, pitch = 0, speed = 0;

 private:
  std::intptr_t proc(plat::Hwnd h, unsigned msg, std::uint32_t wParam, std::int32_t lParam);

  CTranslatorApp& app_;
  plat::Hwnd hwnd_ = 0;
  ui::Font font_ = 0;
};

}  // namespace orvale
