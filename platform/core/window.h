// Windows, window procedures, message queues and messages between programs.
// Handles are 32-bit numbers that stay valid across processes: the top bits name the owning
// process slot, so a handle written to a file by one program can be used by another.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/runtime_folder.h"

namespace plat {

using Hwnd = std::uint32_t;  // 0 = none

// Message numbers keep the handheld's values.
enum WindowMessage : unsigned {
  kWmNull = 0x0000,
  kWmCreate = 0x0001,
  kWmDestroy = 0x0002,
  kWmActivate = 0x0006,
  kWmClose = 0x0010,
  kWmQuit = 0x0012,
  kWmKeyDown = 0x0100,
  kWmChar = 0x0102,
  kWmCommand = 0x0111,
  kWmTimer = 0x0113,
  kWmUser = 0x0400,
};

// A window procedure: (window, message, wParam, lParam) -> result.
using WndProc = std::function<std::intptr_t(Hwnd, unsigned, std::uint32_t, std::int32_t)>;

struct Msg {
  Hwnd hwnd = 0;
  unsigned message = 0;
  std::uint32_t wParam = 0;
  std::int32_t lParam = 0;
};

// Window classes are per process. Registering a name again replaces its procedure.
bool registerWindowClass(std::u16string_view className, WndProc proc);

// Creates a hidden window of a registered class, owned by the calling thread; it gets kWmCreate
// before this returns. Windows without a parent are top-level: other programs can find them.
// Returns 0 when the class is unknown or kWmCreate returns -1.
Hwnd createWindow(std::u16string_view className, std::u16string_view title, Hwnd parent = 0);
// Sends kWmDestroy to the window and its children, then forgets them. Only the owning process can
// destroy a window.
bool destroyWindow(Hwnd hwnd);
// True for a window of this process, or a top-level window of another running process.
bool isWindow(Hwnd hwnd);
// The default handling: kWmClose destroys the window; everything else gives 0.
std::intptr_t defWindowProc(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
// Replaces a window's procedure (this process only); returns the previous one.
WndProc setWindowProc(Hwnd hwnd, WndProc proc);

// Class name and title, also of another program's top-level window; empty when unknown.
std::u16string windowClassName(Hwnd hwnd);
std::u16string windowTitle(Hwnd hwnd);
// Changes the title of a window of this process; false when it is not one.
bool setWindowTitle(Hwnd hwnd, std::u16string_view title);
// Visibility is a flag that the user interface reads; windows start hidden.
bool showWindow(Hwnd hwnd, bool show);
bool isWindowVisible(Hwnd hwnd);

// Finds a top-level window by class and title; an empty string matches anything. Windows of
// this process are searched first, then those of other running processes.
Hwnd findWindow(std::u16string_view className, std::u16string_view title);
// Brings the window to the front; true when the window exists.
bool setForegroundWindow(Hwnd hwnd);
// The window last brought to the front by any program, or 0 when it is gone.
Hwnd foregroundWindow();
// Called on the owning thread when one of this process's windows is brought to the front.
void setForegroundHook(std::function<void(Hwnd)> hook);
// The order of the programs' windows on the screen, shared by all programs, front first: a window
// shown or brought to the front goes first. Minimising takes a window out of it; the window then
// in front (0 when there is none) is the one that was below it, to be brought to the front.
void noteWindowInFront(Hwnd hwnd);
Hwnd takeWindowOffScreen(Hwnd hwnd);

// Queues a message for the window's thread; false when the window does not exist (for another
// program's window: when that program no longer runs).
bool postMessage(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
// Calls the window's procedure and returns its result. For a window of another thread or process
// it blocks until the owner has handled it; while it waits it keeps handling sends addressed to
// the calling thread's windows. Returns 0 when the window does not exist or its owner went away.
std::intptr_t sendMessage(Hwnd hwnd, unsigned msg, std::uint32_t wParam, std::int32_t lParam);
// Queues kWmQuit with the exit code on the calling thread.
void postQuitMessage(int exitCode);

// Waits for the next message of the calling thread (sends to its windows are handled while
// waiting). Returns false for kWmQuit, true otherwise.
bool getMessage(Msg& msg);
// Handles pending sends, then takes the next message if there is one: posted messages in order,
// then kWmQuit, then a due timer. With remove false it stays queued.
bool peekMessage(Msg& msg, bool remove = true);
// Calls the procedure of the message's window; 0 when it has none.
std::intptr_t dispatchMessage(const Msg& msg);
// The message loop: getMessage and dispatchMessage until kWmQuit; returns the quit code.
int runMessageLoop();

// Accelerators: key + modifiers give a command id, delivered as kWmCommand.
enum AccelModifier : unsigned { kAccelControl = 0x08, kAccelShift = 0x04, kAccelAlt = 0x10 };
struct Accelerator {
  unsigned modifiers = 0;  // AccelModifier bits
  unsigned key = 0;        // virtual key
  unsigned command = 0;
};
// A key-down message carries the virtual key in wParam and the AccelModifier bits in lParam.
// When it matches an entry, kWmCommand with wParam 0x10000 | command is sent to the target
// window and true is returned.
bool translateAccelerator(Hwnd target, const Accelerator* table, std::size_t count, const Msg& msg);

// A descriptor that becomes readable when the calling thread has something to handle, so that
// another event loop can wait on it and then call peekMessage until it returns false.
int messageWakeHandle();

// Told on the owning thread when a window of this process is created (before kWmCreate),
// destroyed (after kWmDestroy), shown or hidden, or retitled: the user interface keeps its
// widgets in step. Empty members are not called.
struct WindowHooks {
  std::function<void(Hwnd)> created;
  std::function<void(Hwnd)> destroyed;
  std::function<void(Hwnd, bool)> shown;
  std::function<void(Hwnd)> retitled;
};
// Installs the hooks; returns the previous ones.
WindowHooks setWindowHooks(WindowHooks hooks);
// The parent given at creation; 0 for a top-level or unknown window.
Hwnd windowParent(Hwnd hwnd);
// Every top-level window of a class and title (empty matches anything), this process's first,
// then those of other running processes.
std::vector<Hwnd> findWindows(std::u16string_view className, std::u16string_view title);

// Forgets every window, queued message and timer of this process and leaves the runtime folder;
// the next call starts again in the folder the environment names (tests switch folders so).
void resetMessaging();

}  // namespace plat
