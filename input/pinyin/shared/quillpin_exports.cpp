// The exports of the plug-in Quillpin.
#include "input/panel-common/panel_frame.h"
#include "input/pinyin/pinyin_panel_object.h"
#include "input/pinyin/windows/quillpin_windows.h"

namespace {
// The panel draws with the host's user-interface layer.
const struct InstallWindows {
  InstallWindows() { pinyin::setPanelWindowsMaker(pinyin::makeQuillpinWindows); }
} gInstallWindows;
}  // namespace

#define QUILLPIN_EXPORT extern "C" __attribute__((visibility("default")))

QUILLPIN_EXPORT com::HResult DllGetClassObject(const com::Guid& clsid, const com::Guid& iid, void** out) {
  return panel::dllGetClassObject(pinyin::pinyinPanelDescriptor(), clsid, iid, out);
}

QUILLPIN_EXPORT com::HResult DllCanUnloadNow() { return panel::dllCanUnloadNow(); }

QUILLPIN_EXPORT com::HResult DllRegisterServer() { return panel::dllRegisterServer(pinyin::pinyinPanelDescriptor()); }

QUILLPIN_EXPORT com::HResult DllUnregisterServer() { return panel::dllUnregisterServer(); }
