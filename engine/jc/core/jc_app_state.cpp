#include "engine/jc/core/jc_app_state.h"

namespace jc {

std::u16string programFolder;
std::u16string japaneseSystemDictionaryFolder;
std::u16string morphFileName;
std::u16string chngenFileName;

}  // namespace jc
