#include "input/pinyin/pinyin_panel_object.h"
#include "input/panel-common/panel_object.h"

#include <memory>
#include <new>

#include "input/panel-common/module_count.h"
#include "input/pinyin/panel_ids.h"
#include "input/pinyin/panel_windows.h"
#include "platform/core/notify.h"

namespace pinyin {

namespace {

// Module-wide panel state.
PanelWindowsMaker gWindowsMaker = nullptr;
std::unique_ptr<PinyinPanel> gPanel;
std::unique_ptr<PanelWindows> gWindows;
com::ImCallback* gCallback = nullptr;

const CandidateTables& moduleTables() {
  static const CandidateTables tables = locateCandidateTables();
  return tables;
}

class PinyinPanelObject final : public panel::PanelObject {
 public:

  com::HResult Select(com::Hwnd parent) override {
    gPanel = std::make_unique<PinyinPanel>(moduleTables());
    gPanel->setCallback(gCallback);
    gPanel->select();
    if (gWindowsMaker) {
      gWindows = gWindowsMaker();
      if (!gWindows || !gWindows->create(parent, *gPanel)) {
        plat::messageBox(u"RegisterClass Failed", u"chinese", plat::kMbOk);
        gWindows.reset();
        gPanel.reset();
        return com::kEFail;
      }
      gPanel->setView(gWindows.get());
    }
    return com::kSOk;
  }
  com::HResult Deselect() override {
    if (gPanel) gPanel->deselect();
    if (gWindows) gWindows->destroy();
    gWindows.reset();
    gPanel.reset();
    return com::kSOk;
  }
  com::HResult Showing() override {
    if (gPanel) gPanel->setShowing(true);
    return com::kSOk;
  }
  com::HResult Hiding() override {
    if (gPanel) gPanel->setShowing(false);
    return com::kSOk;
  }
  com::HResult GetInfo(com::ImInfo* info) override {
    if (!info) return com::kEFail;
    int wide = 0, narrow = 0;
    if (gWindows) gWindows->imageLists(wide, narrow);
    info->wideImageList = wide;
    info->narrowImageList = narrow;
    info->wideIndex = info->narrowIndex = 0;
    info->flags = com::kSipfDocked;
    info->sipRect = com::Rect{0, 0, kPanelWidth, kPanelHeight};
    return com::kSOk;
  }
  com::HResult ReceiveSipInfo(com::SipInfo* info) override {
    if (info && gWindows) gWindows->move(com::Rect{0, 0, info->sipRect.width(), info->sipRect.height()});
    return com::kSOk;
  }
  com::HResult RegisterCallback(com::ImCallback* callback) override {
    gCallback = callback;
    if (gPanel) gPanel->setCallback(callback);
    return com::kSOk;
  }
  com::HResult GetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult SetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult UserOptionsDlg(com::Hwnd owner) override {
    if (gWindows) {
      gWindows->runOptionsDialog(owner);
      if (gPanel) gPanel->reloadPunctuation();
    } else if (gWindowsMaker) {
      if (auto w = gWindowsMaker()) w->runOptionsDialog(owner);
    }
    return com::kSOk;
  }

 private:
};

com::InputMethod* createPanel() { return new (std::nothrow) PinyinPanelObject; }

}  // namespace

void setPanelWindowsMaker(PanelWindowsMaker maker) { gWindowsMaker = maker; }

PinyinPanel* selectedPanel() { return gPanel.get(); }

const panel::PanelDescriptor& pinyinPanelDescriptor() {
  static const panel::PanelDescriptor d{kPinyinClassId, kPinyinDisplayName, kPinyinServerPath, false, false, createPanel};
  return d;
}

}  // namespace pinyin
