#include <new>

#include "input/panel-common/module_count.h"
#include "input/panel-common/panel_frame.h"

namespace panel {

InputPanelClassFactory::InputPanelClassFactory(const PanelDescriptor& panel, const com::Guid& clsid)
    : panel_(panel), clsid_(clsid) {
  moduleLock();
}

InputPanelClassFactory::~InputPanelClassFactory() { moduleUnlock(); }

com::HResult InputPanelClassFactory::QueryInterface(const com::Guid& iid, void** out) {
  if (!out) return com::kENoInterface;
  *out = nullptr;
  if (iid == com::iidUnknown() || iid == com::iidClassFactory()) {
    *out = static_cast<com::ClassFactory*>(this);
    AddRef();
    return com::kSOk;
  }
  return com::kENoInterface;
}

std::uint32_t InputPanelClassFactory::AddRef() { return ++refs_; }

std::uint32_t InputPanelClassFactory::Release() {
  if (--refs_ == 0) {
    delete this;
    return 0;
  }
  return refs_;
}

com::HResult InputPanelClassFactory::CreateInstance(com::UnknownObject* outer, const com::Guid& iid, void** out) {
  if (!out) return com::kEFail;
  *out = nullptr;
  if (outer) return com::kClassENoAggregation;
  auto own = plat::parseClassId(panel_.classIdText);
  if (!own || !(clsid_ == *own) || !panel_.createPanel) return com::kEFail;
  com::InputMethod* object = panel_.createPanel();
  if (!object) return com::kEOutOfMemory;
  // The object starts at count 0: a refused interface leaves nobody holding it.
  object->AddRef();
  com::HResult hr = object->QueryInterface(iid, out);
  object->Release();
  return hr;
}

com::HResult InputPanelClassFactory::LockServer(int lock) {
  if (lock) {
    moduleLock();
  } else {
    moduleUnlock();
  }
  return com::kSOk;
}

com::HResult dllGetClassObject(const PanelDescriptor& panel, const com::Guid& clsid, const com::Guid& iid, void** out) {
  auto* factory = new (std::nothrow) InputPanelClassFactory(panel, clsid);
  if (!factory) {
    if (out) *out = nullptr;
    return com::kEOutOfMemory;
  }
  com::HResult hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

com::HResult dllCanUnloadNow() { return moduleCount() == 0 ? com::kSOk : com::kSFalse; }

com::HResult dllRegisterServer(const PanelDescriptor& panel) {
  com::HResult hr = registerPanel(panel);
  return panel.registerAlwaysSucceeds ? com::kSOk : hr;
}

com::HResult dllUnregisterServer() { return com::kSOk; }

}  // namespace panel
