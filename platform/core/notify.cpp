#include "platform/core/notify.h"

#include "platform/core/codepage.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace plat {

namespace {

std::mutex gMutex;
NotifyHook gHook;

NotifyHook current() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gHook;
}

}  // namespace

NotifyHook setNotifyHook(NotifyHook hook) {
  std::lock_guard<std::mutex> lock(gMutex);
  NotifyHook old = std::move(gHook);
  gHook = std::move(hook);
  return old;
}

int messageBox(const std::u16string& text, const std::u16string& caption, unsigned flags) {
  NotifyHook h = current();
  if (h.messageBox) return h.messageBox(text, caption, flags);
  std::fprintf(stderr, "[%s] %s\n", wideToUtf8(caption).c_str(), wideToUtf8(text).c_str());
  if ((flags & 0xF) == kMbYesNo || (flags & 0xF) == kMbYesNoCancel) return kIdYes;
  return kIdOk;
}

void messageBeep(unsigned type) {
  NotifyHook h = current();
  if (h.beep) h.beep(type);
}

void setWaitCursor(bool on) {
  NotifyHook h = current();
  if (h.waitCursor) h.waitCursor(on);
}

void consolePrint(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  std::vfprintf(stderr, format, ap);
  va_end(ap);
  std::fflush(stderr);
}

}  // namespace plat
