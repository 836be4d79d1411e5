// The exports of the plug-in JapaneseInk.
#include "input/handwriting/windows/handwriting_windows.h"

#define JAPANESEINK_EXPORT extern "C" __attribute__((visibility("default")))

JAPANESEINK_EXPORT com::HResult DllGetClassObject(const com::Guid& clsid, const com::Guid& iid, void** out) {
  return panel::dllGetClassObject(hw::japaneseInkDescriptor(), clsid, iid, out);
}

JAPANESEINK_EXPORT com::HResult DllCanUnloadNow() { return panel::dllCanUnloadNow(); }

JAPANESEINK_EXPORT com::HResult DllRegisterServer() { return panel::dllRegisterServer(hw::japaneseInkDescriptor()); }

JAPANESEINK_EXPORT com::HResult DllUnregisterServer() { return panel::dllUnregisterServer(); }
