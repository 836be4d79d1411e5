// A small input panel for the host's tests: a 240 × 80 window whose left half types "你好" and
// whose right half is the backspace key. It binds to the host program's platform layer.
#include "platform/core/window.h"
#include "platform/ui/dialog.h"
#include "platform/ui/drawing.h"
#include "platform/ui/input_panel.h"

#include <atomic>

namespace {

std::atomic<int> gObjects{0};
ui::ImCallback* gCallback = nullptr;
ui::Hwnd gWindow = 0;
int gShowing = 0;
int gHiding = 0;
int gSelects = 0;
int gDeselects = 0;
int gOptions = 0;

std::intptr_t panelProc(ui::Hwnd h, unsigned msg, std::uint32_t w, std::int32_t l) {
  if (msg == ui::kWmLButtonDown && gCallback) {
    if (ui::loShort(l) < 120) {
      gCallback->SendString(u"你好", 2);
    } else {
      gCallback->SendVirtualKey(ui::kVkBack, 0);
      gCallback->SendVirtualKey(ui::kVkBack, ui::kKeyEventKeyUp);
    }
    return 0;
  }
  if (msg == ui::kWmPaint) {
    if (ui::Painter* p = ui::windowPainter(h)) p->fillRect({0, 0, 120, 80}, {192, 192, 192});
    return 0;
  }
  return plat::defWindowProc(h, msg, w, l);
}

class Panel final : public ui::InputMethod {
 public:
  Panel() { ++gObjects; }
  ~Panel() { --gObjects; }
  ui::HResult QueryInterface(const ui::Guid& iid, void** out) override {
    *out = nullptr;
    if (iid == ui::iidUnknown() || iid == ui::iidInputMethod()) {
      *out = static_cast<ui::InputMethod*>(this);
      AddRef();
      return ui::kSOk;
    }
    return ui::kENoInterface;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    if (--refs_ == 0) {
      delete this;
      return 0;
    }
    return refs_;
  }
  ui::HResult Select(ui::Hwnd parent) override {
    ++gSelects;
    if (!plat::registerWindowClass(u"UiTestPanelWnd", panelProc)) return ui::kEFail;
    gWindow = plat::createWindow(u"UiTestPanelWnd", u"", parent);
    if (!gWindow) return ui::kEFail;
    plat::showWindow(gWindow, true);
    return ui::kSOk;
  }
  ui::HResult Deselect() override {
    ++gDeselects;
    if (gWindow) plat::destroyWindow(gWindow);
    gWindow = 0;
    return ui::kSOk;
  }
  ui::HResult Showing() override { return ++gShowing, ui::kSOk; }
  ui::HResult Hiding() override { return ++gHiding, ui::kSOk; }
  ui::HResult GetInfo(ui::ImInfo* info) override {
    info->flags = ui::kSipfDocked;
    info->sipRect = ui::Rect{0, 0, 240, 80};
    return ui::kSOk;
  }
  ui::HResult ReceiveSipInfo(ui::SipInfo* info) override {
    if (gWindow) ui::moveWindow(gWindow, ui::Rect{0, 0, info->sipRect.width(), info->sipRect.height()});
    return ui::kSOk;
  }
  ui::HResult RegisterCallback(ui::ImCallback* cb) override {
    gCallback = cb;
    return ui::kSOk;
  }
  ui::HResult GetImData(std::uint32_t, void*) override { return ui::kENotImpl; }
  ui::HResult SetImData(std::uint32_t, void*) override { return ui::kENotImpl; }
  ui::HResult UserOptionsDlg(ui::Hwnd owner) override {
    if (owner) ++gOptions;
    return ui::kSOk;
  }

 private:
  std::uint32_t refs_ = 0;
};

class Factory final : public ui::ClassFactory {
 public:
  ui::HResult QueryInterface(const ui::Guid& iid, void** out) override {
    *out = nullptr;
    if (iid == ui::iidUnknown() || iid == ui::iidClassFactory()) {
      *out = static_cast<ui::ClassFactory*>(this);
      AddRef();
      return ui::kSOk;
    }
    return ui::kENoInterface;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    if (--refs_ == 0) {
      delete this;
      return 0;
    }
    return refs_;
  }
  ui::HResult CreateInstance(ui::UnknownObject* outer, const ui::Guid& iid, void** out) override {
    *out = nullptr;
    if (outer) return ui::kClassENoAggregation;
    auto* p = new Panel;
    ui::HResult hr = p->QueryInterface(iid, out);
    if (hr != ui::kSOk) delete p;
    return hr;
  }
  ui::HResult LockServer(int) override { return ui::kSOk; }

 private:
  std::uint32_t refs_ = 0;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) ui::HResult DllGetClassObject(const ui::Guid&, const ui::Guid& iid,
                                                                                  void** out) {
  auto* f = new Factory;
  f->AddRef();
  ui::HResult hr = f->QueryInterface(iid, out);
  f->Release();
  return hr;
}

// What the tests read back: objects alive, selections, showings.
struct UiTestPanelCounts {
  int objects, selects, deselects, showing, hiding, options;
};
extern "C" __attribute__((visibility("default"))) UiTestPanelCounts uitestpanel_counts() {
  return {gObjects.load(), gSelects, gDeselects, gShowing, gHiding, gOptions};
}
