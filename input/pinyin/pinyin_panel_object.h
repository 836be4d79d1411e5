// The pinyin panel's object: the input method the host drives, and the descriptor of its library.
#pragma once
#include "input/panel-common/panel_frame.h"
#include "input/pinyin/pinyin_panel.h"

namespace pinyin {

const panel::PanelDescriptor& pinyinPanelDescriptor();

// The module's panel while one is selected (the library serves one panel at a time).
PinyinPanel* selectedPanel();

}  // namespace pinyin
