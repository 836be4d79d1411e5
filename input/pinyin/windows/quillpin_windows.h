// The pinyin panel's windows on the user-interface layer: the keyboard window, the "CONFIRM"
// composition window, the panel icons and the options page (dialog 107).
#pragma once
#include <memory>

#include "input/pinyin/panel_windows.h"
#include "platform/ui/dialog.h"

namespace pinyin {

inline constexpr char16_t kPanelWindowClass[] = u"2C19CB34-E468-4cf8-99C7-DE8794C56FB8 - FullChineseIMWndClass";
inline constexpr char16_t kConfirmWindowClass[] = u"CONFIRM";
inline constexpr unsigned kConfirmSetText = 0x501;
inline constexpr unsigned kConfirmSetPending = 0x500;

std::unique_ptr<PanelWindows> makeQuillpinWindows();

// The label a key shows on the current layout (its character, the pinyin or zhuyin of a syllable
// key, a symbol for the others).
std::u16string keyLabel(const PinyinPanel& panel, const KeyRecord& key);

// Dialog 107 and its procedure (the page's state lives with the dialog).
ui::DialogTemplate optionsTemplate();
ui::DialogProc optionsProcedure();

}  // namespace pinyin
