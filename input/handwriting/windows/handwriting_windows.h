// The handwriting panels on the user-interface layer: the panel objects the host drives, their
// window (the panel picture, the ink, the keys and the candidate grid), the host side of the
// cores (the platform callback, the settings under the class-id key, timer 1), the panel icons
// and the options pages (dialogs 106 and 109).
#pragma once
#include "input/panel-common/panel_frame.h"
#include "platform/ui/dialog.h"

namespace hw {

const panel::PanelDescriptor& bruscaDescriptor();
const panel::PanelDescriptor& lookraDescriptor();

// Dialog 106: automatic recognition, its pause and the character set of the input panel.
ui::DialogTemplate inputOptionsTemplate();
ui::DialogProc inputOptionsProcedure();
// Dialog 109: the character set of the search panel.
ui::DialogTemplate searchOptionsTemplate();
ui::DialogProc searchOptionsProcedure();

// The up and down buttons of dialog 106 on the number in the field.
int timeoutUp(int n);
int timeoutDown(int n);

}  // namespace hw
