#include "tools/datagen/temp_device.h"

#include "platform/core/device.h"
#include "platform/core/files.h"

#include <cstdlib>
#include <filesystem>

namespace datagen {

TempDevice::TempDevice(std::string_view cardName) {
  if (const char* prev = std::getenv(plat::kDeviceRootEnv)) {
    hadPreviousRoot_ = true;
    previousRoot_ = prev;
  }
  std::string tmpl = (std::filesystem::temp_directory_path() / "suite-device-XXXXXX").string();
  if (char* made = ::mkdtemp(tmpl.data())) root_ = made;
  ::setenv(plat::kDeviceRootEnv, root_.c_str(), 1);
  card_ = addCard(cardName);
}

TempDevice::~TempDevice() {
  if (hadPreviousRoot_) {
    ::setenv(plat::kDeviceRootEnv, previousRoot_.c_str(), 1);
  } else {
    ::unsetenv(plat::kDeviceRootEnv);
  }
  std::error_code ec;
  if (!root_.empty()) std::filesystem::remove_all(root_, ec);
}

std::string TempDevice::addCard(std::string_view name) {
  std::filesystem::path dir = std::filesystem::path(root_) / std::string(name);
  std::filesystem::create_directories(dir);
  std::FILE* f = std::fopen((dir / plat::kStorageCardMarker).c_str(), "wb");
  if (f) std::fclose(f);
  return "\\" + std::string(name);
}

bool TempDevice::write(std::string_view devicePath, std::string_view bytes) {
  std::string host = plat::hostPath(devicePath);
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(host).parent_path(), ec);
  return plat::writeWholeFile(host, bytes);
}

}  // namespace datagen
