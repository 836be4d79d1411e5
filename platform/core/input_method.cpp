#include "platform/core/input_method.h"

#include <unistd.h>

#include "platform/core/codepage.h"
#include "platform/core/device.h"
#include "platform/core/registry.h"
#include "platform/core/message_state.h"
#include "platform/core/window.h"

#include <atomic>
#include <mutex>

namespace plat {
namespace {

constexpr const char* kStateKey = "Platform\\InputPanel";
constexpr const char* kCurrentValue = "CurrentIM";
constexpr const char* kShownValue = "Shown";
constexpr const char* kSipRectValue = "SipRect";
constexpr const char* kDesktopValue = "VisibleDesktop";
constexpr const char* kSelectionsValue = "Selections";

std::string rectBytes(const PanelRect& r) {
  std::string out;
  for (int v : {r.left, r.top, r.right, r.bottom}) {
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
  }
  return out;
}

bool rectFrom(const std::optional<std::string>& bytes, PanelRect& r) {
  if (!bytes || bytes->size() != 16) return false;
  int v[4];
  for (int k = 0; k < 4; ++k) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(static_cast<unsigned char>((*bytes)[k * 4 + i])) << (8 * i);
    v[k] = static_cast<int>(u);
  }
  r = PanelRect{v[0], v[1], v[2], v[3]};
  return true;
}

std::mutex gListenerMutex;
std::atomic<std::uint32_t> gSelectionsHere{0};
std::function<void(const ClassId&, bool)> gListener;

int hexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::string classIdKey(const ClassId& id) { return "CLSID\\" + wideToUtf8(classIdText(id)); }

void notifyListener(std::uint32_t selection = 0) {
  for (Hwnd h : findWindows(kInputMethodHostClass, u"")) {
    if (!msg::findLocal(h)) postMessage(h, kInputMethodChangedMessage, selection, 0);
  }
  std::function<void(const ClassId&, bool)> l;
  {
    std::lock_guard<std::mutex> lock(gListenerMutex);
    l = gListener;
  }
  if (!l) return;
  ClassId cur;
  currentInputMethod(cur);
  l(cur, inputPanelShown());
}

}  // namespace

bool ClassId::isNull() const {
  for (std::uint8_t b : bytes) {
    if (b != 0) return false;
  }
  return true;
}

std::optional<ClassId> parseClassId(std::u16string_view t) {
  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
  if (t.size() != 38 || t[0] != u'{' || t[37] != u'}') return std::nullopt;
  if (t[9] != u'-' || t[14] != u'-' || t[19] != u'-' || t[24] != u'-') return std::nullopt;
  std::uint8_t raw[16];
  int n = 0;
  for (size_t i = 1; i < 37; ++i) {
    if (t[i] == u'-') continue;
    int hi = hexDigit(t[i]);
    int lo = i + 1 < 37 ? hexDigit(t[i + 1]) : -1;
    if (hi < 0 || lo < 0 || n >= 16) return std::nullopt;
    raw[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
    ++i;
  }
  if (n != 16) return std::nullopt;
  ClassId id;
  // The text is big-endian throughout; the stored form keeps the first three fields little-endian.
  const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  for (int i = 0; i < 16; ++i) id.bytes[i] = raw[order[i]];
  return id;
}

std::optional<ClassId> parseClassId(std::string_view text) { return parseClassId(utf8ToWide(text)); }

std::u16string classIdText(const ClassId& id) {
  static const char* hex = "0123456789ABCDEF";
  const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
  std::u16string out = u"{";
  for (int i = 0; i < 16; ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) out.push_back(u'-');
    std::uint8_t b = id.bytes[order[i]];
    out.push_back(static_cast<char16_t>(hex[b >> 4]));
    out.push_back(static_cast<char16_t>(hex[b & 15]));
  }
  out.push_back(u'}');
  return out;
}

std::vector<ClassId> installedInputMethods() {
  std::vector<ClassId> out;
  auto clsid = regOpenKey(RegRoot::ClassesRoot, "CLSID");
  if (!clsid) return out;
  for (const std::string& sub : regSubKeys(*clsid)) {
    auto id = parseClassId(sub);
    if (id && regKeyExists(RegRoot::ClassesRoot, "CLSID\\" + sub + "\\IsSIPInputMethod")) out.push_back(*id);
  }
  return out;
}

bool isInputMethodInstalled(const ClassId& id) {
  return !id.isNull() && regKeyExists(RegRoot::ClassesRoot, classIdKey(id) + "\\IsSIPInputMethod");
}

bool registerInputMethod(const ClassId& id, std::u16string_view displayName) {
  if (id.isNull()) return false;
  auto key = regCreateKey(RegRoot::ClassesRoot, classIdKey(id));
  auto flag = regCreateKey(RegRoot::ClassesRoot, classIdKey(id) + "\\IsSIPInputMethod");
  return key && flag && regSetString(*key, "", displayName) && regSetString(*flag, "", u"1");
}

bool currentInputMethod(ClassId& out) {
  out = ClassId{};
  auto key = regOpenKey(RegRoot::CurrentUser, kStateKey);
  if (!key) return !deviceRoot().empty();  // nothing selected yet
  auto bytes = regGetBinary(*key, kCurrentValue);
  if (bytes && bytes->size() == 16) {
    for (int i = 0; i < 16; ++i) out.bytes[i] = static_cast<std::uint8_t>((*bytes)[i]);
  }
  return true;
}

bool selectInputMethod(const ClassId& id) {
  if (!isInputMethodInstalled(id)) return false;
  auto key = regCreateKey(RegRoot::CurrentUser, kStateKey);
  if (!key) return false;
  std::string bytes(reinterpret_cast<const char*>(id.bytes.data()), id.bytes.size());
  if (!regSetBinary(*key, kCurrentValue, bytes)) return false;
  std::uint32_t count = regGetDword(*key, kSelectionsValue).value_or(0) + 1;
  regSetDword(*key, kSelectionsValue, count);
  ++gSelectionsHere;
  notifyListener(count);
  return true;
}

std::uint32_t inputMethodSelectionsHere() { return gSelectionsHere.load(); }

std::uint32_t inputMethodSelections() {
  auto key = regOpenKey(RegRoot::CurrentUser, kStateKey);
  if (!key) return 0;
  return regGetDword(*key, kSelectionsValue).value_or(0);
}

bool setInputPanelShown(bool shown) {
  auto key = regCreateKey(RegRoot::CurrentUser, kStateKey);
  if (!key || !regSetDword(*key, kShownValue, shown ? 1 : 0)) return false;
  notifyListener();
  return true;
}

bool inputPanelShown() {
  auto key = regOpenKey(RegRoot::CurrentUser, kStateKey);
  if (!key) return false;
  auto v = regGetDword(*key, kShownValue);
  return v && *v != 0;
}

bool inputPanelPlacedByThisProgram() {
  auto key = regOpenKey(RegRoot::CurrentUser, kStateKey);
  std::optional<std::uint32_t> by = key ? regGetDword(*key, "PlacedBy") : std::nullopt;
  return by && *by == static_cast<std::uint32_t>(::getpid());
}

bool setInputPanelPlacement(bool shown, const PanelRect& sip, const PanelRect& visibleDesktop) {
  auto key = regCreateKey(RegRoot::CurrentUser, kStateKey);
  if (!key || !regSetDword(*key, "PlacedBy", static_cast<std::uint32_t>(::getpid())) ||
      !regSetBinary(*key, kSipRectValue, rectBytes(sip)) ||
      !regSetBinary(*key, kDesktopValue, rectBytes(visibleDesktop)) || !regSetDword(*key, kShownValue, shown ? 1 : 0)) {
    return false;
  }
  notifyListener();
  return true;
}

bool inputPanelPlacement(PanelRect& sip, PanelRect& visibleDesktop) {
  auto key = regOpenKey(RegRoot::CurrentUser, kStateKey);
  if (!key) return false;
  PanelRect a, b;
  if (!rectFrom(regGetBinary(*key, kSipRectValue), a) || !rectFrom(regGetBinary(*key, kDesktopValue), b)) return false;
  sip = a;
  visibleDesktop = b;
  return true;
}

void setInputMethodListener(std::function<void(const ClassId&, bool)> listener) {
  std::lock_guard<std::mutex> lock(gListenerMutex);
  gListener = std::move(listener);
}

}  // namespace plat
