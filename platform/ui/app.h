// The application object and the one message pump: the window system's events and the messages
// of platform/core are handled by the same loop, in modal loops too.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/ui/types.h"

namespace ui {

// Starts the user interface once per process (later calls do nothing and return true): the
// window system, the classes of the controls, the message-box hook and the pump. False when no
// window system can be opened.
bool initApplication();
bool applicationRunning();
// Whether the wait cursor (platform/core's setWaitCursor) is showing.
bool waitCursorShown();

// Runs the pump until kWmQuit; returns its exit code.
int runMessageLoop();
// One turn: pending window-system events, then at most one message of the queue, dispatched.
// False when that message was kWmQuit (it stays queued for the loop that owns it).
bool pumpOnce();
// Handles everything pending without waiting (tests call it after driving a control).
void processPendingEvents();

// Messages taken from the queue pass here before dispatch; a hook that returns true keeps the
// message from its window (key handling of a dialog, accelerators).
using PreTranslateHook = std::function<bool(plat::Msg&)>;
void setPreTranslateHook(Hwnd topLevel, PreTranslateHook hook);

// Screen metrics of the handheld: 240 × 320 at 96 dots per inch unless SUITE_SCREEN_SIZE ("WxH")
// and SUITE_SCREEN_DPI say otherwise. A rotation is a size change: every top-level dialog hears
// kWmSize. On a desktop, resizing a full-screen dialog turns the screen.
struct ScreenMetrics {
  int width = 0;
  int height = 0;
  int dpi = 96;
};
ScreenMetrics screenMetrics();
void setScreenSize(int width, int height);
void setScreenDpi(int dpi);

}  // namespace ui
