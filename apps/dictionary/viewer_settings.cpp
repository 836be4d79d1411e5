#include "apps/dictionary/viewer_settings.h"

#include "platform/core/codepage.h"
#include "platform/core/notify.h"
#include "platform/core/process.h"
#include "platform/core/registry.h"

#include <cerrno>
#include <cstdio>
#include <string>

namespace dict {

namespace {

std::string idBytes(const plat::ClassId& id) { return std::string(id.bytes.begin(), id.bytes.end()); }

bool idFrom(const std::optional<std::string>& bytes, plat::ClassId& out) {
  if (!bytes || bytes->size() != out.bytes.size()) return false;
  for (size_t i = 0; i < out.bytes.size(); ++i) out.bytes[i] = static_cast<std::uint8_t>((*bytes)[i]);
  return true;
}

void reportError(int code) {
  char caption[16];
  std::snprintf(caption, sizeof caption, "Error%d", code);
  plat::messageBox(plat::systemErrorText(errno ? errno : EIO), plat::utf8ToWide(caption), plat::kMbOk | plat::kMbIconInformation);
}

}  // namespace

plat::ClassId defaultJapaneseIm() { return *plat::parseClassId(std::string_view(kJapaneseImClassId)); }
plat::ClassId defaultChineseIm() { return *plat::parseClassId(std::string_view(kSearchPanelClassId)); }

void readSettings(ViewerSettings& s) {
  s.japaneseIm = {};
  s.chineseIm = {};
  s.fontSize = 3;
  auto key = plat::regOpenKey(plat::RegRoot::LocalMachine, kSettingsKey);
  if (!key) {
    key = plat::regCreateKey(plat::RegRoot::LocalMachine, kSettingsKey);
    if (!key) {
      reportError(2);
      return;
    }
    if (!plat::regSetBinary(*key, "clsidJapaneseIM", idBytes(s.japaneseIm)) ||
        !plat::regSetBinary(*key, "clsidChineseIM", idBytes(s.chineseIm)) || !plat::regSetDword(*key, "fsize", 3))
      reportError(1);
    return;
  }
  if (!idFrom(plat::regGetBinary(*key, "clsidJapaneseIM"), s.japaneseIm))
    plat::regSetBinary(*key, "clsidJapaneseIM", idBytes(defaultJapaneseIm()));
  if (!idFrom(plat::regGetBinary(*key, "clsidChineseIM"), s.chineseIm))
    plat::regSetBinary(*key, "clsidChineseIM", idBytes(defaultChineseIm()));
  std::uint32_t size = plat::regGetDword(*key, "fsize").value_or(3);
  s.fontSize = size == 6 ? 6 : 3;
}

void writeSettings(const ViewerSettings& s) {
  auto key = plat::regOpenKey(plat::RegRoot::LocalMachine, kSettingsKey);
  if (!key) {
    reportError(5);
    return;
  }
  if (!plat::regSetBinary(*key, "clsidChineseIM", idBytes(s.chineseIm)) ||
      !plat::regSetBinary(*key, "clsidJapaneseIM", idBytes(s.japaneseIm)) ||
      !plat::regSetDword(*key, "fsize", static_cast<std::uint32_t>(s.fontSize)))
    reportError(4);
}

void InputMethodSwitch::showPanel() {
  plat::setInputPanelPlacement(true, {0, 121, 239, 293}, {0, 0, 239, 160});
}

void InputMethodSwitch::hidePanel() {
  plat::PanelRect sip{0, 121, 239, 293};
  plat::PanelRect oldDesktop;
  plat::inputPanelPlacement(sip, oldDesktop);  // the panel keeps its rectangle
  plat::setInputPanelPlacement(false, sip, {0, 0, 239, 293});
}

void InputMethodSwitch::tapBox(bool japanese) {
  if (plat::inputPanelShown()) return;
  if (keepDown) plat::selectInputMethod(japanese ? settings_.japaneseIm : settings_.chineseIm);
  showPanel();
}

void InputMethodSwitch::enter(const plat::ClassId& id) {
  if (keepDown) {
    hidePanel();
    return;
  }
  plat::selectInputMethod(id);
  showPanel();
}

void InputMethodSwitch::enterJapaneseBox() { enter(settings_.japaneseIm); }

void InputMethodSwitch::enterChineseBox() {
  // The Chinese panels read simplified characters in this box.
  for (const char* id : {kPinyinPanelClassId, kHandwritingPanelClassId, kSearchPanelClassId}) {
    if (auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, std::string("CLSID\\") + id))
      plat::regSetDword(*key, "Charset", 0);
  }
  enter(settings_.chineseIm);
}

void InputMethodSwitch::leave(plat::ClassId& id) {
  plat::ClassId current;
  if (plat::currentInputMethod(current) && !current.isNull()) id = current;
  hidePanel();
}

void InputMethodSwitch::leaveJapaneseBox() { leave(settings_.japaneseIm); }
void InputMethodSwitch::leaveChineseBox() { leave(settings_.chineseIm); }

}  // namespace dict
