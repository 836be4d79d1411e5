#include "engine/jc/core/jc_app_state.h"

#include "platform/core/notify.h"

namespace jc {

void showMessage(const std::u16string& text) {
  plat::messageBox(text, u"Wendelmoor Lindqvar", plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace jc
