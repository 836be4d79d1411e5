// The Japanese-to-Chinese engine's message box.
#pragma once
#include <string>

namespace jc {

// The application's message box with the exclamation icon.
void showMessage(const std::u16string& text);

}  // namespace jc
