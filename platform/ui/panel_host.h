// The input-panel host: the current input method's panel, docked under the program's main
// dialog. It follows platform/core's input-method services, also when another program changes
// them, and delivers what the panel sends to the control that has the focus. The panel is created
// anew when another method was selected since it loaded or another program selected one; this
// program selecting the method loaded again keeps it.
#pragma once
#include <string>
#include <vector>

#include "platform/core/input_method.h"
#include "platform/ui/input_panel.h"
#include "platform/ui/types.h"

namespace ui {

// Docks the panel area under the dialog (one host per program; a later call moves it). The host
// loads the current input method's panel now and whenever it changes.
bool attachInputPanelHost(Hwnd dialog);
void detachInputPanelHost();

// The host puts the input-panel button at the corner of the dialog's menu bar, as the handheld
// has it: a tap raises or lowers the panel; its menu lists the installed input methods by name and
// makes the one chosen current (and raises the panel), and opens the loaded panel's options page.
struct InputMethodChoice {
  plat::ClassId id;
  std::u16string name;
  bool current = false;
};
std::vector<InputMethodChoice> inputMethodChoices();

// The panel loaded, by class id (null when none: no current method, or one that is not a
// loadable panel, such as the platform's own).
plat::ClassId loadedInputPanel();
// Where the panel stands on the screen (directly above the command bar, in the panel's own size,
// also when a program raised it at a rectangle) and whether it shows (platform/core's flag).
Rect inputPanelRect();
bool inputPanelVisible();
// The panel's window as the panel made it (a child of the host's window).
Hwnd inputPanelWindow();

// Loads a panel library's object for a class id through the registry's InprocServer32 value
// (the library is looked up by file name in the program folder). Empty when it fails; the text
// says why.
struct LoadedPanel {
  InputMethod* object = nullptr;
  void* library = nullptr;
  std::u16string error;
};
LoadedPanel loadPanelObject(const plat::ClassId& clsid);

// Composition state of the system's input method, as the edit watching compositions reads it:
// what the system's input method delivers is composed native text (open, native, sentence mode 0).
struct ImeStatus {
  bool open = true;
  bool native = true;
  int sentenceMode = 0;
};
ImeStatus imeStatus(Hwnd hwnd);
// The text of the composition being delivered (kGcsCompStr: being composed; kGcsResultStr: the
// result), valid during kWmImeComposition.
std::u16string compositionString(Hwnd hwnd, std::int32_t which);
// An edit's input-method context: open (the default), the system's input method composes into
// it; closed, what it delivers comes as typed characters and imeStatus reads closed. The text
// being composed is drawn in the composition font (0: the edit's own font). Fonts of fonts.h.
void setImeOpen(Hwnd edit, bool open);
void setCompositionFont(Hwnd edit, int font);
int compositionFont(Hwnd edit);

}  // namespace ui
