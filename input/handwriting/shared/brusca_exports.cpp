// The exports of the plug-in Brusca.
#include "input/handwriting/windows/handwriting_windows.h"

#define BRUSCA_EXPORT extern "C" __attribute__((visibility("default")))

BRUSCA_EXPORT com::HResult DllGetClassObject(const com::Guid& clsid, const com::Guid& iid, void** out) {
  return panel::dllGetClassObject(hw::bruscaDescriptor(), clsid, iid, out);
}

BRUSCA_EXPORT com::HResult DllCanUnloadNow() { return panel::dllCanUnloadNow(); }

BRUSCA_EXPORT com::HResult DllRegisterServer() { return panel::dllRegisterServer(hw::bruscaDescriptor()); }

BRUSCA_EXPORT com::HResult DllUnregisterServer() { return panel::dllUnregisterServer(); }
