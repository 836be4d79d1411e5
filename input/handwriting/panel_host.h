// What a handwriting panel's core needs of its surroundings: the platform callback that sends
// text to the focused control, the panel's settings, its timer and its repainting. The window
// and the input-panel host implement it; tests record it.
#pragma once
#include <cstdint>
#include <string_view>

namespace hw {

enum class PanelArea { WritingBoxes, Candidates, Keys, WholePanel };

inline constexpr unsigned kKeyStateDown = 0x0001;

class PanelHost {
 public:
  virtual ~PanelHost() = default;
  virtual void sendString(std::u16string_view text) = 0;
  virtual void sendCharEvents(unsigned virtualKey, unsigned keyState, char16_t character) = 0;
  // One DWORD setting under the panel's class-id key; false (value unchanged) when absent.
  virtual bool readSetting(std::string_view name, std::uint32_t& value) = 0;
  // Timer 1 of the panel window.
  virtual void startTimer(unsigned intervalMs) = 0;
  virtual void stopTimer() = 0;
  virtual void repaint(PanelArea area) = 0;
};

}  // namespace hw
