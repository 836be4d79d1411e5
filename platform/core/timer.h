// Timers on windows: kWmTimer (wParam: the timer id, lParam 0) arrives through the owner's
// message queue when the queue holds nothing else, measured on the clock in use.
#pragma once
#include "platform/core/window.h"

namespace plat {

// Starts or restarts the window's timer with this id; false when the window is not one of this
// process.
bool setTimer(Hwnd hwnd, unsigned id, unsigned intervalMs);
// Stops it; false when there is no such timer.
bool killTimer(Hwnd hwnd, unsigned id);
// Milliseconds on the clock until the calling thread's next timer is due (0: due now), or -1
// when it has none; for event loops that wait on messageWakeHandle().
std::int64_t msUntilNextTimer();

}  // namespace plat
