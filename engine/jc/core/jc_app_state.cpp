#include "engine/jc/core/jc_app_state.h"

#include "platform/core/notify.h"

namespace jc {

std::u16string programFolder;
std::u16string japaneseSystemDictionaryFolder;
std::u16string morphFileName;
std::u16string chngenFileName;

void showMessage(const std::u16string& text) {
  plat::messageBox(text, u"Wendelmoor Lindqvar", plat::kMbOk | plat::kMbIconExclamation);
}

}  // namespace jc
