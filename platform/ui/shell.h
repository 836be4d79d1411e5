// The clipboard, file dialogs and the user-interface side of message boxes.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/types.h"

namespace ui {

bool setClipboardText(std::u16string_view text);
std::u16string clipboardText();
// True when the clipboard offers Unicode text.
bool clipboardHasText();

// File dialogs. The filter is the handheld's: "Text (*.txt)|*.txt|All (*.*)|*.*|" with bars (or
// NULs) between description and pattern. The answer is a CE path ("\My Documents\a.txt") of the
// device folder; nothing when cancelled.
struct FileDialogRequest {
  Hwnd owner = 0;
  bool save = false;
  std::u16string filter;
  int filterIndex = 1;
  std::u16string initialFolder;  // CE path
  std::u16string fileName;
  std::u16string defaultExtension;
};
std::optional<std::u16string> fileDialog(const FileDialogRequest& r);
// Tests answer in place of the person.
void setFileDialogHook(std::function<std::optional<std::u16string>(const FileDialogRequest&)> hook);

}  // namespace ui
