// Message boxes, beeps and the wait cursor go through one hook: the user interface shows them,
// tests answer and record them. Without a hook they print to the console.
#pragma once
#include <functional>
#include <string>

namespace plat {

// Flags and answers keep the handheld's values.
enum MessageBoxFlags : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
};
enum MessageBoxAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

struct NotifyHook {
  // Returns the button pressed.
  std::function<int(const std::u16string& text, const std::u16string& caption, unsigned flags)> messageBox;
  std::function<void(unsigned type)> beep;
  std::function<void(bool on)> waitCursor;
};

// Installs a hook (empty members fall back to the console); returns the previous one.
NotifyHook setNotifyHook(NotifyHook hook);

int messageBox(const std::u16string& text, const std::u16string& caption, unsigned flags);
void messageBeep(unsigned type);
void setWaitCursor(bool on);

// Engine diagnostics to standard error (never into the output), printf-style, exactly as given.
void consolePrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace plat
