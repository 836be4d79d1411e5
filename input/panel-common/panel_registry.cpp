#include <cstdio>
#include <string>

#include "input/panel-common/panel_frame.h"
#include "platform/core/little_endian.h"
#include "platform/core/registry.h"

namespace panel {

namespace {

void stderrHook(std::string_view text) { std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data()); }
void (*gDebugHook)(std::string_view) = stderrHook;

constexpr std::string_view kClsidKey = "CLSID";

std::string classKeyPath(std::string_view classIdText) {
  std::string path(kClsidKey);
  path += '\\';
  path += classIdText;
  return path;
}

// The platform keeps a value as bytes; a DWORD read takes at most 4 of them, little-endian, into
// a zeroed temporary.
bool readSmallValue(const plat::RegKey& key, std::string_view name, std::uint32_t& value) {
  auto type = plat::regValueType(key, name);
  if (!type) return false;
  std::string bytes;
  switch (*type) {
    case plat::RegType::Dword: {
      auto v = plat::regGetDword(key, name);
      if (!v) return false;
      value = *v;
      return true;
    }
    case plat::RegType::Binary: {
      auto b = plat::regGetBinary(key, name);
      if (!b) return false;
      bytes = *b;
      break;
    }
    case plat::RegType::String: {
      auto s = plat::regGetString(key, name);
      if (!s) return false;
      for (char16_t c : *s) plat::appendLe16(bytes, c);
      bytes.append(2, '\0');
      break;
    }
  }
  if (bytes.size() > 4) return false;
  value = plat::readLe(bytes.data(), static_cast<int>(bytes.size()));
  return true;
}

}  // namespace

void setDebugTextHook(void (*hook)(std::string_view text)) { gDebugHook = hook ? hook : stderrHook; }

std::uint32_t& registrationValue() {
  static std::uint32_t value = 1;
  return value;
}

com::HResult registerPanel(const PanelDescriptor& panel) {
  if (!plat::regCreateKey(plat::RegRoot::ClassesRoot, kClsidKey)) {
    gDebugHook("Failed to create the CLSID key");
    return com::kEFail;
  }
  const std::string base = classKeyPath(panel.classIdText);
  auto key = plat::regCreateKey(plat::RegRoot::ClassesRoot, base);
  if (!key || !plat::regSetString(*key, "", panel.displayName)) return com::kEFail;
  if (panel.writesTimeoutCharset) {
    if (!plat::regSetDword(*key, "Timeout", registrationValue())) return com::kEFail;
    if (!plat::regSetDword(*key, "Charset", registrationValue())) return com::kEFail;
  }
  std::u16string icon(panel.serverPath);
  icon += u",0";
  const struct {
    const char* sub;
    std::u16string_view value;
  } subKeys[] = {{"InprocServer32", panel.serverPath}, {"IsSIPInputMethod", u"1"}, {"DefaultIcon", icon}};
  for (const auto& s : subKeys) {
    auto sub = plat::regCreateKey(plat::RegRoot::ClassesRoot, base + "\\" + s.sub);
    if (!sub || !plat::regSetString(*sub, "", s.value)) return com::kEFail;
  }
  return com::kSOk;
}

bool panelSetting(std::string_view classIdText, std::string_view name, bool write, std::uint32_t& value) {
  if (!plat::regCreateKey(plat::RegRoot::ClassesRoot, kClsidKey)) {
    gDebugHook("Failed to create the CLSID key");
    return false;
  }
  auto key = plat::regCreateKey(plat::RegRoot::ClassesRoot, classKeyPath(classIdText));
  if (!key) return false;
  if (write) return plat::regSetDword(*key, name, value);
  return readSmallValue(*key, name, value);
}

}  // namespace panel
