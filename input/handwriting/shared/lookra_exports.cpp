// The exports of the plug-in Lookra.
#include "input/handwriting/windows/handwriting_windows.h"

#define LOOKRA_EXPORT extern "C" __attribute__((visibility("default")))

LOOKRA_EXPORT com::HResult DllGetClassObject(const com::Guid& clsid, const com::Guid& iid, void** out) {
  return panel::dllGetClassObject(hw::lookraDescriptor(), clsid, iid, out);
}

LOOKRA_EXPORT com::HResult DllCanUnloadNow() { return panel::dllCanUnloadNow(); }

LOOKRA_EXPORT com::HResult DllRegisterServer() { return panel::dllRegisterServer(hw::lookraDescriptor()); }

// Removes nothing.
LOOKRA_EXPORT com::HResult DllUnregisterServer() { return com::kSOk; }
