#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "input/panel-common/module_count.h"
#include "input/panel-common/panel_frame.h"
#include "platform/core/device.h"
#include "platform/core/registry.h"
#include "tools/datagen/temp_device.h"

namespace {

constexpr std::string_view kPinyinId = "{3671431C-F947-4197-95BB-23723DC47D6E}";
constexpr std::string_view kHandwritingId = "{9668E639-80A6-4899-B03A-B7151C870657}";

int gPanelsAlive = 0;

class FakePanel final : public com::InputMethod {
 public:
  FakePanel() { ++gPanelsAlive, panel::moduleLock(); }
  ~FakePanel() { --gPanelsAlive, panel::moduleUnlock(); }
  com::HResult QueryInterface(const com::Guid& iid, void** out) override {
    *out = nullptr;
    if (iid == com::iidUnknown() || iid == com::iidInputMethod()) {
      *out = static_cast<com::InputMethod*>(this);
      AddRef();
      return com::kSOk;
    }
    return com::kENoInterface;
  }
  std::uint32_t AddRef() override { return ++refs_; }
  std::uint32_t Release() override {
    if (--refs_ == 0) {
      delete this;
      return 0;
    }
    return refs_;
  }
  com::HResult Select(com::Hwnd) override { return com::kSOk; }
  com::HResult Deselect() override { return com::kSOk; }
  com::HResult Showing() override { return com::kSOk; }
  com::HResult Hiding() override { return com::kSOk; }
  com::HResult GetInfo(com::ImInfo*) override { return com::kSOk; }
  com::HResult ReceiveSipInfo(com::SipInfo*) override { return com::kSOk; }
  com::HResult RegisterCallback(com::ImCallback*) override { return com::kSOk; }
  com::HResult GetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult SetImData(std::uint32_t, void*) override { return com::kENotImpl; }
  com::HResult UserOptionsDlg(com::Hwnd) override { return com::kSOk; }

 private:
  std::uint32_t refs_ = 0;
};

com::InputMethod* makeFake() { return new FakePanel; }

const panel::PanelDescriptor kPinyin{kPinyinId, u"中国語ピンイン入力", u"\\windows\\Quillpin.dll", false, false, makeFake};
const panel::PanelDescriptor kHandwriting{kHandwritingId, u"中国語手書き入力", u"\\windows\\Brusca.dll", true, true,
                                          makeFake};

com::Guid id(std::string_view text) { return *plat::parseClassId(text); }

std::vector<std::string> gDebugTexts;
void recordDebug(std::string_view t) { gDebugTexts.emplace_back(t); }

TEST(ClassFactory, CreatesThePanelOnlyForItsOwnClassAndCountsTheModule) {
  ASSERT_EQ(panel::dllCanUnloadNow(), com::kSOk);
  void* out = nullptr;
  ASSERT_EQ(panel::dllGetClassObject(kPinyin, id(kPinyinId), com::iidClassFactory(), &out), com::kSOk);
  auto* factory = static_cast<com::ClassFactory*>(out);
  EXPECT_EQ(panel::dllCanUnloadNow(), com::kSFalse);

  void* object = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, com::iidInputMethod(), &object), com::kSOk);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(gPanelsAlive, 1);
  // The panel answers only its two interfaces.
  auto* im = static_cast<com::InputMethod*>(object);
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(im->QueryInterface(com::iidClassFactory(), &other), com::kENoInterface);
  EXPECT_EQ(other, nullptr);

  // A refused interface leaves no object behind.
  EXPECT_EQ(factory->CreateInstance(nullptr, com::iidClassFactory(), &other), com::kENoInterface);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(gPanelsAlive, 1);

  // Aggregation is refused and the out pointer cleared.
  other = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(im, com::iidInputMethod(), &other), com::kClassENoAggregation);
  EXPECT_EQ(other, nullptr);

  EXPECT_EQ(factory->LockServer(1), com::kSOk);
  EXPECT_EQ(factory->Release(), 0u);
  EXPECT_EQ(im->Release(), 0u);
  EXPECT_EQ(gPanelsAlive, 0);
  EXPECT_EQ(panel::dllCanUnloadNow(), com::kSFalse);  // one lock is still out
  void* again = nullptr;
  ASSERT_EQ(panel::dllGetClassObject(kPinyin, id(kPinyinId), com::iidUnknown(), &again), com::kSOk);
  auto* f2 = static_cast<com::ClassFactory*>(again);
  EXPECT_EQ(f2->LockServer(0), com::kSOk);
  EXPECT_EQ(f2->Release(), 0u);
  EXPECT_EQ(panel::dllCanUnloadNow(), com::kSOk);
}

TEST(ClassFactory, AForeignClassGivesAFactoryThatCannotCreate) {
  void* out = nullptr;
  ASSERT_EQ(panel::dllGetClassObject(kPinyin, id(kHandwritingId), com::iidClassFactory(), &out), com::kSOk);
  auto* factory = static_cast<com::ClassFactory*>(out);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, com::iidInputMethod(), &object), com::kEFail);
  EXPECT_EQ(object, nullptr);
  factory->Release();
  // An interface the factory does not have: no factory is left alive.
  out = reinterpret_cast<void*>(1);
  EXPECT_EQ(panel::dllGetClassObject(kPinyin, id(kPinyinId), com::iidInputMethod(), &out), com::kENoInterface);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(panel::dllCanUnloadNow(), com::kSOk);
}

std::u16string stringValue(std::string_view path, std::string_view name = "") {
  auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, path);
  if (!key) return u"<no key>";
  return plat::regGetString(*key, name).value_or(u"<no value>");
}

TEST(Registration, WritesTheClassKeyAndItsThreeSubKeys) {
  datagen::TempDevice device;
  ASSERT_EQ(panel::dllRegisterServer(kPinyin), com::kSOk);
  const std::string base = "CLSID\\" + std::string(kPinyinId);
  EXPECT_EQ(stringValue(base), u"中国語ピンイン入力");
  EXPECT_EQ(stringValue(base + "\\InprocServer32"), u"\\windows\\Quillpin.dll");
  EXPECT_EQ(stringValue(base + "\\IsSIPInputMethod"), u"1");
  EXPECT_EQ(stringValue(base + "\\DefaultIcon"), u"\\windows\\Quillpin.dll,0");
  auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, base);
  ASSERT_TRUE(key);
  EXPECT_EQ(plat::regValueNames(*key), std::vector<std::string>{""});  // no Timeout or Charset
  EXPECT_TRUE(plat::isInputMethodInstalled(id(kPinyinId)));

  // Unregistration leaves everything in place.
  EXPECT_EQ(panel::dllUnregisterServer(), com::kSOk);
  EXPECT_EQ(stringValue(base + "\\DefaultIcon"), u"\\windows\\Quillpin.dll,0");

  // The handwriting input panel also writes Timeout and Charset from its module value.
  ASSERT_EQ(panel::dllRegisterServer(kHandwriting), com::kSOk);
  auto hw = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + std::string(kHandwritingId));
  ASSERT_TRUE(hw);
  EXPECT_EQ(plat::regGetDword(*hw, "Timeout"), 1u);
  EXPECT_EQ(plat::regGetDword(*hw, "Charset"), 1u);
}

TEST(Registration, AnUnwritableRegistryFailsOnlyThePinyinPanel) {
  const char* saved = std::getenv(plat::kDeviceRootEnv);
  std::string keep = saved ? saved : "";
  ::unsetenv(plat::kDeviceRootEnv);
  gDebugTexts.clear();
  panel::setDebugTextHook(recordDebug);
  EXPECT_EQ(panel::dllRegisterServer(kPinyin), com::kEFail);
  EXPECT_EQ(panel::dllRegisterServer(kHandwriting), com::kSOk);
  std::uint32_t value = 77;
  EXPECT_FALSE(panel::panelSetting(kPinyinId, "Charset", false, value));
  EXPECT_EQ(value, 77u);
  panel::setDebugTextHook(nullptr);
  if (saved) ::setenv(plat::kDeviceRootEnv, keep.c_str(), 1);
  ASSERT_FALSE(gDebugTexts.empty());
  EXPECT_EQ(gDebugTexts[0], "Failed to create the CLSID key");
}

TEST(PanelSetting, RoundTripsAndKeepsTheDefaultWhenAbsentOrTooLarge) {
  datagen::TempDevice device;
  std::uint32_t value = 5;
  EXPECT_FALSE(panel::panelSetting(kPinyinId, "VagueFlags", false, value));
  EXPECT_EQ(value, 5u);

  value = 0x41;
  ASSERT_TRUE(panel::panelSetting(kPinyinId, "VagueFlags", true, value));
  value = 0;
  ASSERT_TRUE(panel::panelSetting(kPinyinId, "vagueflags", false, value));
  EXPECT_EQ(value, 0x41u);

  auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + std::string(kPinyinId));
  ASSERT_TRUE(key);
  // A two-byte value is read into a zeroed temporary, not over the caller's high bytes.
  ASSERT_TRUE(plat::regSetBinary(*key, "Charset", std::string("\x01\x00", 2)));
  value = 0xFFFFFFFF;
  ASSERT_TRUE(panel::panelSetting(kPinyinId, "Charset", false, value));
  EXPECT_EQ(value, 1u);
  // A value larger than 4 bytes leaves the default.
  ASSERT_TRUE(plat::regSetBinary(*key, "Period", std::string(8, '\x01')));
  value = 9;
  EXPECT_FALSE(panel::panelSetting(kPinyinId, "Period", false, value));
  EXPECT_EQ(value, 9u);
}

}  // namespace
