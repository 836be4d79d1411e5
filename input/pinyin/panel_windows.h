// The seam between the pinyin panel and the user-interface layer: the panel window (drawing the
// keyboard picture and feeding the pen to the panel), the "CONFIRM" composition window, the
// image lists and the options dialog. The user-interface layer installs a maker of them; without
// one the panel runs without windows.
#pragma once
#include <memory>

#include "input/panel-common/com_frame.h"
#include "input/pinyin/pinyin_panel.h"

namespace pinyin {

class PanelWindows : public PanelView {
 public:
  // Registers the two window classes and makes the windows under the parent; false when a class
  // cannot be registered.
  virtual bool create(com::Hwnd parent, PinyinPanel& panel) = 0;
  virtual void destroy() = 0;
  virtual void move(const com::Rect& rect) = 0;
  // The wide and narrow image lists of the panel icons, made once.
  virtual void imageLists(int& wide, int& narrow) = 0;
  virtual void runOptionsDialog(com::Hwnd owner) = 0;
};

using PanelWindowsMaker = std::unique_ptr<PanelWindows> (*)();
void setPanelWindowsMaker(PanelWindowsMaker maker);

}  // namespace pinyin
