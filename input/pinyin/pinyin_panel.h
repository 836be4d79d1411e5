// The pinyin panel without its windows: the keyboards and their key marks, the pen on the keys
// (taps and slides), the key actions, the composition and what is sent to the host. The windows
// draw from its state and feed it the pen; they hear of changes through PanelView.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "input/panel-common/com_frame.h"
#include "input/pinyin/composition.h"
#include "input/pinyin/keyboard_layouts.h"

namespace pinyin {

class PanelView {
 public:
  virtual ~PanelView() = default;
  // Key marks, the candidates on the slots or the layout changed: repaint the keyboard.
  virtual void keyboardChanged() = 0;
  // The composition window's text or visibility changed.
  virtual void compositionChanged() = 0;
};

inline constexpr int kCompositionWindowChars = 14;

class PinyinPanel {
 public:
  explicit PinyinPanel(const CandidateTables& tables);

  // Selection: reads Keyboard and QuanXing, marks the layout and full-width keys, starts an empty
  // composition. Deselection clears it.
  void select();
  void deselect();
  void setCallback(com::ImCallback* callback) { callback_ = callback; }
  void setView(PanelView* view) { view_ = view; }
  // The panel shows or hides; the composition window shows only while composing and showing.
  void setShowing(bool showing);
  // Period and Quote, read at selection and again after the options page.
  void reloadPunctuation();

  // The pen, in pixels at 96 dots per inch.
  void penDown(int x, int y);
  void penMove(int x, int y);
  void penUp(int x, int y);

  // What the windows draw.
  int layout() const { return layout_; }
  const KeyboardLayout& keys() const { return layouts_[static_cast<std::size_t>(layout_)]; }
  // Layout 2's shifted strip shows when exactly one of Caps Lock and Shift is down.
  bool shifted() const { return capsLock_ != shift_; }
  bool fullWidth() const { return fullWidth_; }
  bool ctrlLatched() const { return ctrl_; }
  bool zhuyin() const { return engine_.zhuyin; }
  // The highlighted key of a slide (row −1: none).
  int slideRow() const { return slideRow_; }
  int slideIndex() const { return slideIndex_; }
  // The candidate on slot 0-7 of the page, 0 for none.
  char16_t slotCandidate(int slot) const;
  bool previousPageOffered() const { return hasPreviousPage(composition_); }
  bool nextPageOffered() const { return hasNextPage(composition_); }
  const PinyinComposition& composition() const { return composition_; }
  const std::u16string& compositionWindowText() const { return windowText_; }
  bool compositionWindowVisible() const { return showing_ && isComposing(composition_); }
  // The label a key shows: its character (after the Period and Quote choices), or 0 for keys
  // drawn from the picture alone.
  char16_t keyCharacter(const KeyRecord& key) const;

  // Candidate and settings access for the engine (tests replace the settings reader).
  PinyinEngine& engine() { return engine_; }

 private:
  void pressKey(int row, int index);
  void releaseKey(int row, int index);
  void engineKey(std::uint16_t code);
  void refreshEnabledKeys();
  void setLayout(int layout);
  void markLayoutKeys();
  void clear();
  void sendCharacter(char16_t ch, std::uint8_t vk, bool down);
  void changed(bool keyboard, bool composition);

  PinyinEngine engine_;
  std::array<KeyboardLayout, kLayouts> layouts_;
  PinyinComposition composition_;
  com::ImCallback* callback_ = nullptr;
  PanelView* view_ = nullptr;
  int layout_ = 0;
  bool fullWidth_ = false;
  bool capsLock_ = false, shift_ = false, ctrl_ = false;
  bool quoteClosing_ = false;
  bool periodDot_ = false, quoteCorner_ = false;
  bool showing_ = true;
  std::u16string windowText_;
  // The key under the pen since pen down, and a slide's highlighted key.
  int downRow_ = -1, downIndex_ = -1;
  bool sliding_ = false;
  int slideRow_ = -1, slideIndex_ = -1;
  // What a pressed key sent, to send its release.
  struct Sent {
    bool active = false;
    bool virtualKey = false;
    std::uint8_t vk = 0;
    char16_t ch = 0;
    std::uint32_t flags = 0;
  } sent_;
  bool slotChosen_ = false;
};

// Full-width characters of the keys and their ASCII forms.
char16_t narrowForm(char16_t ch);

}  // namespace pinyin
