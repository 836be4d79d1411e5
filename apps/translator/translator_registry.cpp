#include "apps/translator/translator_registry.h"

#include <string>

#include "platform/core/codepage.h"

namespace orvale {
namespace {

plat::ClassId idOf(std::string_view text) { return plat::parseClassId(text).value_or(plat::ClassId{}); }

}  // namespace

plat::ClassId handwritingSearchIm() { return idOf("{15F1353C-E409-4DD4-B3D1-6B58F43792AE}"); }
plat::ClassId handwritingInputIm() { return idOf("{9668E639-80A6-4899-B03A-B7151C870657}"); }
plat::ClassId pinyinIm() { return idOf("{3671431C-F947-4197-95BB-23723DC47D6E}"); }
plat::ClassId japaneseHandwritingIm() { return idOf("{0CBEA010-F68E-11D1-8C63-0060977B4593}"); }

std::optional<plat::RegKey> openTranslatorKey() { return plat::regOpenKey(plat::RegRoot::LocalMachine, kTranslatorKey); }

std::optional<std::uint32_t> readTranslatorDword(std::string_view name) {
  auto key = openTranslatorKey();
  if (!key) return std::nullopt;
  return plat::regGetDword(*key, name);
}

void writeTranslatorDword(std::string_view name, std::uint32_t value) {
  if (auto key = openTranslatorKey()) plat::regSetDword(*key, name, value);
}

std::optional<plat::ClassId> readClassIdValue(const plat::RegKey& key, std::string_view name) {
  auto bytes = plat::regGetBinary(key, name);
  if (!bytes || bytes->size() != 16) return std::nullopt;
  plat::ClassId id;
  for (int i = 0; i < 16; ++i) id.bytes[i] = static_cast<std::uint8_t>((*bytes)[i]);
  if (id.isNull()) return std::nullopt;
  return id;
}

bool writeClassIdValue(const plat::RegKey& key, std::string_view name, const plat::ClassId& id) {
  return plat::regSetBinary(key, name, std::string_view(reinterpret_cast<const char*>(id.bytes.data()), id.bytes.size()));
}

void writePanelCharset(std::uint32_t traditional) {
  for (const plat::ClassId& id : {pinyinIm(), handwritingInputIm(), handwritingSearchIm()}) {
    auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + plat::wideToUtf8(plat::classIdText(id)));
    if (key) plat::regSetDword(*key, kValueCharset, traditional);
  }
}

}  // namespace orvale
