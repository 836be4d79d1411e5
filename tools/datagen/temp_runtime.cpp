#include "tools/datagen/temp_runtime.h"

#include "platform/core/runtime_folder.h"
#include "platform/core/window.h"

#include <cstdlib>
#include <filesystem>

namespace datagen {

TempRuntime::TempRuntime() {
  if (const char* prev = std::getenv(plat::kRuntimeDirEnv)) {
    hadPrevious_ = true;
    previous_ = prev;
  }
  std::string tmpl = (std::filesystem::temp_directory_path() / "suite-run-XXXXXX").string();
  if (char* made = ::mkdtemp(tmpl.data())) folder_ = made;
  plat::resetMessaging();
  ::setenv(plat::kRuntimeDirEnv, folder_.c_str(), 1);
}

TempRuntime::~TempRuntime() {
  plat::resetMessaging();
  if (hadPrevious_) {
    ::setenv(plat::kRuntimeDirEnv, previous_.c_str(), 1);
  } else {
    ::unsetenv(plat::kRuntimeDirEnv);
  }
  std::error_code ec;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

}  // namespace datagen
