#include "input/pinyin/pinyin_panel_object.h"

#include <new>

#include "input/panel-common/module_count.h"
#include "input/pinyin/panel_ids.h"

namespace pinyin {

namespace {

class PinyinPanelObject final : public com::InputMethod {
 public:
  PinyinPanelObject() { panel::moduleLock(); }
  ~PinyinPanelObject() { panel::moduleUnlock(); }

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
  com::HResult Select(com::Hwnd) override { return com::kSOk; }
  com::HResult Deselect() override { return com::kSOk; }
  com::HResult Showing() override { return com::kSOk; }
  com::HResult Hiding() override { return com::kSOk; }
  com::HResult GetInfo(com::ImInfo* info) override {
    if (!info) return com::kEFail;
    info->flags = com::kSipfDocked;
    info->sipRect = com::Rect{0, 0, 240, 80};
    return com::kSOk;
  }
  com::HResult ReceiveSipInfo(com::SipInfo*) override { return com::kSOk; }
  com::HResult RegisterCallback(com::ImCallback*) override { return com::kSOk; }
  com::HResult GetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult SetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult UserOptionsDlg(com::Hwnd) override { return com::kSOk; }

 private:
  std::uint32_t refs_ = 0;
};

com::InputMethod* createPanel() { return new (std::nothrow) PinyinPanelObject; }

}  // namespace

const panel::PanelDescriptor& pinyinPanelDescriptor() {
  static const panel::PanelDescriptor d{kPinyinClassId, kPinyinDisplayName, kPinyinServerPath, false, false, createPanel};
  return d;
}

}  // namespace pinyin
