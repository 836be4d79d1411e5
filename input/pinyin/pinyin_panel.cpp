#include "input/pinyin/pinyin_panel.h"

#include <string_view>

#include "input/panel-common/panel_frame.h"
#include "input/pinyin/panel_ids.h"
#include "input/pinyin/pinyin_keys.h"

namespace pinyin {

namespace {

std::uint32_t setting(std::string_view name) {
  std::uint32_t v = 0;
  panel::panelSetting(kPinyinClassId, name, false, v);
  return v;
}

void store(std::string_view name, std::uint32_t v) { panel::panelSetting(kPinyinClassId, name, true, v); }

constexpr std::uint16_t kLayoutKeys[kLayouts] = {kKeyLayout0, kKeyLayout1, kKeyLayout2, kKeyLayout3};

bool isEngineKey(std::uint16_t code) { return code >= kKeyFirstInitial && code <= kKeyNeutralTone; }

}  // namespace

char16_t narrowForm(char16_t ch) {
  static constexpr std::u16string_view kFull = u"　！”“＃＄％＆’（）＊＋，－．／：；＜＝＞？＠［＼］＾＿‘｛｜｝～";
  static constexpr std::u16string_view kNarrow = u" !\"\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
  std::size_t at = kFull.find(ch);
  return at == std::u16string_view::npos ? ch : kNarrow[at];
}

PinyinPanel::PinyinPanel(const CandidateTables& tables) : layouts_(makeKeyboardLayouts()) {
  engine_.tables = tables;
  engine_.readSettings = readPanelSettings;
}

void PinyinPanel::select() {
  layouts_ = makeKeyboardLayouts();
  std::uint32_t keyboard = setting("Keyboard");
  layout_ = keyboard < kLayouts ? static_cast<int>(keyboard) : 0;
  engine_.zhuyin = layout_ == 1;
  fullWidth_ = setting("QuanXing") != 0;
  reloadPunctuation();
  capsLock_ = shift_ = ctrl_ = false;
  composition_ = PinyinComposition{};
  windowText_.clear();
  markLayoutKeys();
  refreshEnabledKeys();
  changed(true, true);
}

void PinyinPanel::deselect() {
  clear();
  sliding_ = false;
  downRow_ = slideRow_ = -1;
}

void PinyinPanel::reloadPunctuation() {
  periodDot_ = setting("Period") != 0;
  quoteCorner_ = setting("Quote") != 0;
  changed(true, false);
}

void PinyinPanel::setShowing(bool showing) {
  showing_ = showing;
  changed(false, true);
}

void PinyinPanel::changed(bool keyboard, bool composition) {
  if (!view_) return;
  if (keyboard) view_->keyboardChanged();
  if (composition) view_->compositionChanged();
}

void PinyinPanel::markLayoutKeys() {
  for (int l = 0; l < kLayouts; ++l) {
    for (KeyRow& row : layouts_[static_cast<std::size_t>(l)]) {
      for (KeyRecord& k : row) {
        if (k.vk == kRowEnd || !(k.flags & kKeyFlagMode)) continue;
        bool pressed = k.flags & kKeyFlagPressed;
        if (k.code == kKeyFullWidth) pressed = fullWidth_;
        for (int target = 0; target < kLayouts; ++target) {
          if (k.code == kLayoutKeys[target]) pressed = target == layout_;
        }
        k.flags = static_cast<std::uint8_t>(pressed ? k.flags | kKeyFlagPressed : k.flags & ~kKeyFlagPressed);
      }
    }
  }
}

void PinyinPanel::refreshEnabledKeys() {
  for (int l = 0; l < kLayouts; ++l) {
    for (KeyRow& row : layouts_[static_cast<std::size_t>(l)]) {
      for (KeyRecord& k : row) {
        if (k.vk == kRowEnd) continue;
        bool enabled = true;
        // The engine judges the keys of the two syllable keyboards; layout and mode keys stay.
        if (l < 2 && l == layout_ && !(k.flags & (kKeyFlagBlank | kKeyFlagMode))) enabled = isKeyEnabled(engine_, composition_, k.code);
        k.flags = static_cast<std::uint8_t>(enabled ? k.flags & ~kKeyFlagDisabled : k.flags | kKeyFlagDisabled);
      }
    }
  }
}

void PinyinPanel::clear() {
  clearComposition(composition_);
  windowText_.clear();
  refreshEnabledKeys();
  changed(true, true);
}

char16_t PinyinPanel::slotCandidate(int slot) const {
  int i = composition_.pageStart + slot;
  if (slot < 0 || slot >= kPageSize || i >= composition_.candidateCount) return 0;
  return composition_.candidates[static_cast<std::size_t>(i)];
}

char16_t PinyinPanel::keyCharacter(const KeyRecord& key) const {
  if (key.flags & (kKeyFlagBlank | kKeyFlagMode)) return 0;
  char16_t ch = layout_ == 2 && shifted() ? key.shifted : key.code;
  if (layout_ == 0 && ch == u'。' && periodDot_) ch = u'．';
  if (layout_ == 0 && ch == u'“') ch = quoteCorner_ ? (quoteClosing_ ? u'」' : u'「') : (quoteClosing_ ? u'”' : u'“');
  return ch;
}

void PinyinPanel::engineKey(std::uint16_t code) {
  composeKey(engine_, composition_, code);
  windowText_ = compositionText(engine_, composition_, false).substr(0, kCompositionWindowChars);
  refreshEnabledKeys();
  changed(true, true);
}

void PinyinPanel::setLayout(int layout) {
  layout_ = layout;
  engine_.zhuyin = layout == 1;
  store("Keyboard", static_cast<std::uint32_t>(layout));
  markLayoutKeys();
  clear();
}

void PinyinPanel::sendCharacter(char16_t ch, std::uint8_t vk, bool down) {
  if (!callback_) return;
  std::uint32_t c = ch;
  std::uint32_t shiftState = (down ? com::kKeyStateDown : com::kKeyStateUp) | sent_.flags;
  callback_->SendCharEvents(vk, shiftState, 1, &shiftState, &c);
}

void PinyinPanel::pressKey(int row, int index) {
  KeyRecord& key = layouts_[static_cast<std::size_t>(layout_)][static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
  sent_ = Sent{};
  slotChosen_ = false;
  if (key.flags & (kKeyFlagDisabled | kKeyFlagBlank)) return;
  const std::uint16_t code = key.code;
  if (code >= kKeyFirstSlot && code <= kKeyLastSlot && (layout_ == 0 || layout_ == 1)) {
    char16_t candidate = slotCandidate(code - kKeyFirstSlot);
    if (!candidate) return;
    key.flags |= kKeyFlagPressed;
    if (callback_) callback_->SendString(&candidate, 1);
    slotChosen_ = true;
    changed(true, false);
    return;
  }
  for (int target = 0; target < kLayouts; ++target) {
    if (code == kLayoutKeys[target] && (key.flags & kKeyFlagMode)) {
      if (target != layout_) setLayout(target);
      return;
    }
  }
  if (code == kKeyFullWidth && (key.flags & kKeyFlagMode)) {
    fullWidth_ = !fullWidth_;
    store("QuanXing", fullWidth_ ? 1 : 0);
    markLayoutKeys();
    changed(true, false);
    return;
  }
  if (key.flags & kKeyFlagLatching) {
    if (key.vk == kVkCapital) capsLock_ = !capsLock_;
    if (key.vk == kVkShift) shift_ = !shift_;
    if (key.vk == kVkControl) ctrl_ = !ctrl_;
    const bool down = key.vk == kVkCapital ? capsLock_ : key.vk == kVkShift ? shift_ : ctrl_;
    key.flags = static_cast<std::uint8_t>(down ? key.flags | kKeyFlagPressed : key.flags & ~kKeyFlagPressed);
    changed(true, false);
    return;
  }
  key.flags |= kKeyFlagPressed;
  const bool composing = isComposing(composition_);
  if (layout_ == 0 || layout_ == 1) {
    std::uint16_t engineCode = code;
    if (layout_ == 1 && composing && code == 0x3000) engineCode = kKeyFirstTone;
    if (isEngineKey(engineCode) || (composing && (code == kKeyBackspace || code == kKeyEnter))) {
      if (code == kKeyEnter) {
        std::u16string marked = compositionText(engine_, composition_, true);
        if (callback_ && !marked.empty()) callback_->SendString(marked.data(), static_cast<std::uint32_t>(marked.size()));
        clear();
        return;
      }
      engineKey(engineCode);
      return;
    }
    if (code == kKeyPreviousPage || code == kKeyNextPage) {
      if (code == kKeyPreviousPage && hasPreviousPage(composition_)) composition_.pageStart -= kPageSize;
      if (code == kKeyNextPage && hasNextPage(composition_)) composition_.pageStart += kPageSize;
      refreshEnabledKeys();
      changed(true, false);
      return;
    }
    if (composing) return;
  }
  // A character.
  if ((key.flags & kKeyFlagVirtualKey) && layout_ >= 2) {
    sent_ = {true, true, key.vk, 0, 0};
    if (callback_) callback_->SendVirtualKey(key.vk, 0);
    changed(true, false);
    return;
  }
  char16_t ch = keyCharacter(key);
  if (layout_ == 0 && key.code == u'“') quoteClosing_ = !quoteClosing_;
  const bool control = layout_ == 2 && ctrl_;
  if (!fullWidth_ || control) {
    ch = narrowForm(ch);
  } else if ((ch >= u'0' && ch <= u'9') || (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z')) {
    ch = static_cast<char16_t>(ch + 0xFEE0);
  }
  std::uint32_t flags = 0;
  if (control) {
    char16_t upper = ch >= u'a' && ch <= u'z' ? static_cast<char16_t>(ch - 32) : ch;
    if (upper >= u'A' && upper <= u'Z') {
      ch = static_cast<char16_t>(upper - 64);
      flags = com::kKeyStateControl;
    }
  }
  sent_ = {true, false, key.vk, ch, flags};
  sendCharacter(ch, key.vk, true);
  // Latched Shift and Ctrl serve one character; Caps Lock stays.
  if (shift_ || ctrl_) {
    shift_ = ctrl_ = false;
    for (KeyRecord& k : layouts_[2][4]) {
      if (k.vk == kVkShift || k.vk == kVkControl) k.flags &= static_cast<std::uint8_t>(~kKeyFlagPressed);
    }
  }
  changed(true, false);
}

void PinyinPanel::releaseKey(int row, int index) {
  KeyRecord& key = layouts_[static_cast<std::size_t>(layout_)][static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
  if (!(key.flags & (kKeyFlagLatching | kKeyFlagMode))) key.flags &= static_cast<std::uint8_t>(~kKeyFlagPressed);
  if (sent_.active) {
    if (sent_.virtualKey) {
      if (callback_) callback_->SendVirtualKey(sent_.vk, com::kKeyEventKeyUp);
    } else {
      sendCharacter(sent_.ch, sent_.vk, false);
    }
    sent_ = Sent{};
  }
  if (slotChosen_) {
    slotChosen_ = false;
    clear();
    return;
  }
  changed(true, false);
}

void PinyinPanel::penDown(int x, int y) {
  int row = 0, index = 0;
  sliding_ = false;
  downRow_ = -1;
  if (!keyAt(keys(), x, y, row, index)) return;
  downRow_ = row;
  downIndex_ = index;
  const std::uint16_t code = keys()[static_cast<std::size_t>(row)][static_cast<std::size_t>(index)].code;
  const bool syllableLayout = layout_ == 0 || layout_ == 1;
  pressKey(row, index);
  if (syllableLayout && code >= kKeyFirstInitial && code <= kKeyLastMedial) {
    sliding_ = true;
    slideRow_ = row;
    slideIndex_ = index;
  }
}

void PinyinPanel::penMove(int x, int y) {
  if (!sliding_) return;
  int row = 0, index = 0;
  if (!keyAt(keys(), x, y, row, index)) {
    slideRow_ = slideIndex_ = -1;
    changed(true, false);
    return;
  }
  if (row == slideRow_ && index == slideIndex_) return;
  slideRow_ = row;
  slideIndex_ = index;
  KeyRecord& key = layouts_[static_cast<std::size_t>(layout_)][static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
  if (key.code >= kKeyFirstMedial && key.code <= kKeyLastMedial && !(row == downRow_ && index == downIndex_)) {
    // Passing over a medial adds it; passing back over it takes it away again.
    if (key.flags & kKeyFlagPressed) {
      key.flags &= static_cast<std::uint8_t>(~kKeyFlagPressed);
      engineKey(kKeyBackspace);
    } else {
      key.flags |= kKeyFlagPressed;
      engineKey(key.code);
    }
    return;
  }
  changed(true, false);
}

void PinyinPanel::penUp(int x, int y) {
  if (downRow_ < 0) return;
  const int row0 = downRow_, index0 = downIndex_;
  releaseKey(row0, index0);
  if (sliding_) {
    int row = 0, index = 0;
    if (keyAt(keys(), x, y, row, index) && !(row == row0 && index == index0)) {
      const KeyRecord& key = keys()[static_cast<std::size_t>(row)][static_cast<std::size_t>(index)];
      const bool medial = key.code >= kKeyFirstMedial && key.code <= kKeyLastMedial;
      if (!medial && !(key.flags & kKeyFlagDisabled)) {
        pressKey(row, index);
        releaseKey(row, index);
      }
    }
    // Medials the slide marked lose their marks.
    for (KeyRow& r : layouts_[static_cast<std::size_t>(layout_)]) {
      for (KeyRecord& k : r) {
        if (k.vk != kRowEnd && k.code >= kKeyFirstMedial && k.code <= kKeyLastMedial) {
          k.flags &= static_cast<std::uint8_t>(~kKeyFlagPressed);
        }
      }
    }
  }
  sliding_ = false;
  slideRow_ = slideIndex_ = -1;
  downRow_ = -1;
  changed(true, false);
}

}  // namespace pinyin
