// What every panel object shares: its interface answers, its reference count, and the module lock
// held while it lives.
#pragma once
#include <cstdint>

#include "input/panel-common/com_frame.h"
#include "input/panel-common/module_count.h"

namespace panel {

class PanelObject : public com::InputMethod {
 public:
  PanelObject() { moduleLock(); }
  virtual ~PanelObject() { moduleUnlock(); }
  PanelObject(const PanelObject&) = delete;
  PanelObject& operator=(const PanelObject&) = delete;

  com::HResult QueryInterface(const com::Guid& iid, void** out) override {
    if (!out) return com::kENoInterface;
    *out = nullptr;
    if (iid == com::iidUnknown() || iid == com::iidInputMethod()) {
      *out = static_cast<com::InputMethod*>(this);
      AddRef();
      return com::kSOk;
    }
    return com::kENoInterface;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    if (--refs_ == 0) {
      delete this;
      return 0;
    }
    return refs_;
  }

 private:
  std::uint32_t refs_ = 0;
};

}  // namespace panel
