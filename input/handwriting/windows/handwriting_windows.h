// The handwriting panels on the user-interface layer: the panel objects the host drives, their
// window (the panel picture, the ink, the keys and the candidate grid), the host side of the
// cores (the platform callback, the settings under the class-id key, timer 1), the panel icons
// and the options pages (dialogs 106 and 109).
#pragma once
#include "input/panel-common/panel_frame.h"
#include "platform/ui/dialog.h"

#include <string_view>

namespace hw {

const panel::PanelDescriptor& bruscaDescriptor();
const panel::PanelDescriptor& lookraDescriptor();
// The platform's Japanese handwriting input: the input panel on the Japanese dictionary.
const panel::PanelDescriptor& japaneseInkDescriptor();

// Dialog 106: automatic recognition, its pause and the character set of the input panel.
ui::DialogTemplate inputOptionsTemplate();
ui::DialogProc inputOptionsProcedure();
// The same page for another panel's values (the Japanese input's page has no character set).
ui::DialogProc inputOptionsProcedure(std::string_view classId);
ui::DialogTemplate japaneseOptionsTemplate();
// Dialog 109: the character set of the search panel.
ui::DialogTemplate searchOptionsTemplate();
ui::DialogProc searchOptionsProcedure();

// The up and down buttons of dialog 106 on the number in the field.
int timeoutUp(int n);
int timeoutDown(int n);

}  // namespace hw
