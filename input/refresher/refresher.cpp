#include "input/refresher/refresher.h"

namespace refresher {

namespace {

plat::ClassId classIdOf(const char* text) {
  auto id = plat::parseClassId(std::string_view(text));
  return id ? *id : plat::ClassId{};
}

}  // namespace

const std::array<plat::ClassId, kRefreshCount>& refreshOrder() {
  static const std::array<plat::ClassId, kRefreshCount> order = {
      classIdOf("{BDE4F120-5FCB-11D3-BF7D-00C04F395B9E}"),
      classIdOf("{1D07E4B2-DFAC-11D1-A2E5-0000F8757270}"),
      classIdOf("{0CBEA010-F68E-11D1-8C63-0060977B4593}"),  // the platform's Japanese handwriting
      classIdOf("{BB6E8371-06DF-11D2-8C6A-0060977B4593}"),
      classIdOf("{15F1353C-E409-4DD4-B3D1-6B58F43792AE}"),  // handwriting search panel
      classIdOf("{9668E639-80A6-4899-B03A-B7151C870657}"),  // handwriting input panel
      classIdOf("{3671431C-F947-4197-95BB-23723DC47D6E}"),  // pinyin panel
  };
  return order;
}

int refreshInputMethods() {
  plat::ClassId saved;
  plat::currentInputMethod(saved);
  for (const plat::ClassId& id : refreshOrder()) plat::selectInputMethod(id);
  plat::selectInputMethod(saved);
  return 0;
}

}  // namespace refresher
