#include "input/panel-common/com_frame.h"

namespace com {

namespace {
Guid make(std::string_view text) { return *plat::parseClassId(text); }
}  // namespace

Guid iidUnknown() {
  static const Guid id = make("{00000000-0000-0000-C000-000000000046}");
  return id;
}
Guid iidClassFactory() {
  static const Guid id = make("{00000001-0000-0000-C000-000000000046}");
  return id;
}
Guid iidInputMethod() {
  static const Guid id = make("{42429666-AE04-11D0-A4F8-00AA00A749B9}");
  return id;
}

}  // namespace com
