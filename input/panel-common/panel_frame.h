// The frame the three input panels share: the class factory, the library exports' behaviour,
// the registration of the panel's class-id key and its DWORD settings under that key.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "input/panel-common/com_frame.h"

namespace panel {

// What tells one panel library from another.
struct PanelDescriptor {
  std::string_view classIdText;      // "{3671431C-F947-4197-95BB-23723DC47D6E}"
  std::u16string_view displayName;   // the class-id key's default value
  std::u16string_view serverPath;    // "\windows\Quillpin.dll"
  bool writesTimeoutCharset = false;  // the handwriting input panel's registration
  bool registerAlwaysSucceeds = false;  // the handwriting panels ignore registration failures
  // A new panel object with its count at 0 (and the module count raised); null without memory.
  com::InputMethod* (*createPanel)() = nullptr;
};

// The handwriting input panel's registration value for Timeout and Charset; 1 at load.
std::uint32_t& registrationValue();

// The class factory: holds the class id asked of DllGetClassObject.
class InputPanelClassFactory final : public com::ClassFactory {
 public:
  InputPanelClassFactory(const PanelDescriptor& panel, const com::Guid& clsid);
  com::HResult QueryInterface(const com::Guid& iid, void** out) override;
  std::uint32_t AddRef() override;
  std::uint32_t Release() override;
  com::HResult CreateInstance(com::UnknownObject* outer, const com::Guid& iid, void** out) override;
  com::HResult LockServer(int lock) override;

 private:
  ~InputPanelClassFactory();
  const PanelDescriptor& panel_;
  std::uint32_t refs_ = 1;
  com::Guid clsid_;
};

// The bodies of the four exports.
com::HResult dllGetClassObject(const PanelDescriptor& panel, const com::Guid& clsid, const com::Guid& iid, void** out);
com::HResult dllCanUnloadNow();
com::HResult dllRegisterServer(const PanelDescriptor& panel);
com::HResult dllUnregisterServer();

// Writes the class-id key with its three sub-keys. S_OK or E_FAIL.
com::HResult registerPanel(const PanelDescriptor& panel);

// Reads or writes one DWORD setting under the panel's class-id key. Reading leaves value as it
// was unless the stored value is at most 4 bytes and could be read.
bool panelSetting(std::string_view classIdText, std::string_view name, bool write, std::uint32_t& value);

// Where the frame's debug texts go (stderr unless a test replaces it).
void setDebugTextHook(void (*hook)(std::string_view text));

}  // namespace panel
