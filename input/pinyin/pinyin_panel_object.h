// The pinyin panel's object: the input method the host drives, and the descriptor of its library.
#pragma once
#include "input/panel-common/panel_frame.h"

namespace pinyin {

const panel::PanelDescriptor& pinyinPanelDescriptor();

}  // namespace pinyin
