// The viewer's registry values and the input method of each search box.
#pragma once
#include "platform/core/input_method.h"

namespace dict {

inline constexpr char kSettingsKey[] = "SOFTWARE\\Talvenro\\CJDic";
inline constexpr char kJapaneseImClassId[] = "{0CBEA010-F68E-11D1-8C63-0060977B4593}";
inline constexpr char kPinyinPanelClassId[] = "{3671431C-F947-4197-95BB-23723DC47D6E}";
inline constexpr char kHandwritingPanelClassId[] = "{9668E639-80A6-4899-B03A-B7151C870657}";
inline constexpr char kSearchPanelClassId[] = "{15F1353C-E409-4DD4-B3D1-6B58F43792AE}";

struct ViewerSettings {
  plat::ClassId japaneseIm;  // clsidJapaneseIM
  plat::ClassId chineseIm;   // clsidChineseIM
  int fontSize = 3;          // fsize: 3 or 6
};

plat::ClassId defaultJapaneseIm();
plat::ClassId defaultChineseIm();

// Reads the key, creating it with the start values when it cannot be opened; registry failures
// are told as "Error%d". Class ids still null afterwards are the caller's to default.
void readSettings(ViewerSettings& s);
void writeSettings(const ViewerSettings& s);

// Switching the input method as the focus enters and leaves the search boxes.
class InputMethodSwitch {
 public:
  explicit InputMethodSwitch(ViewerSettings& settings) : settings_(settings) {}

  // Set when the user types on a hardware keyboard or searches from a link or menu.
  bool keepDown = false;

  void enterJapaneseBox();
  void enterChineseBox();
  void leaveJapaneseBox();
  void leaveChineseBox();
  void showPanel();
  void hidePanel();
  // A tap on a search box asks for the panel, also while the keep-down flag holds (the box's own
  // input method then comes with it).
  void tapBox(bool japanese);

 private:
  void enter(const plat::ClassId& id);
  void leave(plat::ClassId& id);
  ViewerSettings& settings_;
};

}  // namespace dict
