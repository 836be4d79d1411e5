// The speech reader: a hidden window that binds the speech engine by name and reads the request
// file aloud when a requester asks, as often as the request says, with a pause between passes.
#pragma once
#include "platform/core/window.h"

#include <cstdint>
#include <string_view>

namespace vocra {

// Sets the reader up with the command line (the speech data folder): false when another reader
// runs or the window cannot be made. An engine that cannot start closes the window again.
bool initReader(std::u16string_view commandLine);
// The message loop with the accelerator (Ctrl+Q closes); returns the quit code.
int runReader();
// Ends the engine; the library stays loaded.
void endReader();
// The program: set up, run, end. 0 when it ends at once.
int readerWinMain(std::u16string_view commandLine);

plat::Hwnd readerWindow();
std::intptr_t readerWndProc(plat::Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);

}  // namespace vocra
