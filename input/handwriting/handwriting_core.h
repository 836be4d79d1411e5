// What the handwriting input and search panels share: the recogniser binding and the character
// set in force, the ink and its limits, the class mask and the keys, the code tables.
#pragma once
#include "input/handwriting/code_conversion.h"
#include "input/handwriting/ink.h"
#include "input/handwriting/panel_host.h"
#include "input/handwriting/panel_keys.h"
#include "input/handwriting/recogniser_binding.h"

#include <string>
#include <vector>

namespace hw {

inline constexpr std::uint8_t kAllClasses = 127;

class HandwritingCore {
 public:
  HandwritingCore(PanelHost& host, std::vector<PanelKey> keys, std::u16string initErrorCaption);
  // A core that always recognises with one dictionary (2: Japanese) whatever Charset says.
  void useDictionaryType(int type) { fixedType_ = type; }
  bool japanese() const { return fixedType_ == 2; }
  virtual ~HandwritingCore() = default;

  // Selection: dots per inch of the screen (below 1 counts as 96); loads the recogniser and
  // initialises it for Charset. A failed initialisation beeps and shows "初期化エラー\n"; the
  // panel still works, its recognitions come back empty.
  void select(int dotsPerInch);
  // Closes the recogniser; the library stays loaded.
  void deselect();

  virtual void penDown(int x, int y) = 0;
  virtual void penMove(int x, int y) = 0;
  virtual void penUp(int x, int y) = 0;

  const Ink& ink() const { return ink_; }
  const std::vector<PanelKey>& keys() const { return keys_; }
  std::uint8_t classMask() const { return classMask_; }
  std::uint32_t charsetInForce() const { return charset_; }
  int dotsPerInch() const { return dpi_; }
  // The half-width key and the class keys that decide the half-width change.
  HalfWidthKeys halfWidthKeys() const;

 protected:
  std::uint32_t readCharset();
  // Closes and initialises the recogniser again when the character set changed; true then.
  bool switchCharset(std::uint32_t charset);
  bool traditional() const { return charset_ != 0; }
  // Recognises the closed strokes in a box of that size (pixels); the codes best first, empty
  // when nothing was recognised.
  std::vector<std::uint16_t> recogniseInk(int boxWidth, int boxHeight);
  // Shows the limit's message; true when the ink took the point.
  bool accepted(InkStatus status);
  // A latching key pressed again: released; a class key then admits all classes.
  void releaseLatched(PanelKey& key);
  // A class key pressed: the others released, the mask its own classes.
  void pressClassKey(int index);
  // Non-latching keys drawn pressed until the pen is lifted.
  void releaseMomentaryKeys();
  int scale(int v) const { return scaled(v, dpi_); }

  PanelHost& host_;
  std::vector<PanelKey> keys_;
  Ink ink_;
  RecogniserBinding recogniser_;
  CodeTables tables_;
  std::uint8_t classMask_ = kAllClasses;
  std::uint32_t charset_ = 0;
  int dpi_ = 96;
  bool pointLimitShown_ = false;

 private:
  std::u16string initErrorCaption_;
  int fixedType_ = -1;
};

inline constexpr const char16_t* kInkErrorCaption = u"手書き入力エラーメッセージ";
inline constexpr const char16_t* kTooManyStrokesText = u"４９画以上は入力できません。";
inline constexpr const char16_t* kTooManyPointsText = u"これ以上の座標は入力できません。";

}  // namespace hw
