#include <gtest/gtest.h>

#include "input/panel-common/com_frame.h"
#include "input/pinyin/panel_ids.h"
#include <cstdlib>

#include "platform/core/device.h"
#include "platform/core/library.h"
#include "platform/core/registry.h"
#include "platform/core/window.h"
#include "platform/ui/app.h"
#include "platform/ui/drawing.h"
#include "tools/datagen/temp_device.h"
#include "tools/datagen/temp_runtime.h"

namespace {

// The plug-in as a host loads it: by name from the program folder, through its exports. It stays
// loaded for the rest of the tests (its tables are registered with this program's resources).
plat::LibraryHandle loadFromProgramFolder() {
  const char* bin = std::getenv("SUITE_BIN_DIR");
  if (!bin) return nullptr;
  std::string previous = plat::programFolder();
  plat::setProgramFolder(bin);
  plat::LibraryHandle lib = plat::loadLibrary("Quillpin.dll");
  plat::setProgramFolder(previous);
  return lib;
}

struct Plugin {
  plat::LibraryHandle lib = loadFromProgramFolder();
  com::DllGetClassObjectFn getClassObject = plat::bindFunction<com::DllGetClassObjectFn>(lib, "DllGetClassObject");
  com::HResult (*canUnloadNow)() = plat::bindFunction<com::HResult (*)()>(lib, "DllCanUnloadNow");
  com::HResult (*registerServer)() = plat::bindFunction<com::HResult (*)()>(lib, "DllRegisterServer");
  com::HResult (*unregisterServer)() = plat::bindFunction<com::HResult (*)()>(lib, "DllUnregisterServer");
};

const Plugin& plugin() {
  static const Plugin p;
  return p;
}

TEST(Quillpin, ExportsOnlyTheFourEntriesAndRegistersThePanel) {
  const Plugin& p = plugin();
  ASSERT_TRUE(p.lib) << plat::libraryErrorText();
  ASSERT_TRUE(p.getClassObject && p.canUnloadNow && p.registerServer && p.unregisterServer);
  EXPECT_EQ(plat::libraryFunction(p.lib, "_ZN6pinyin10composeKeyERKNS_12PinyinEngineERNS_17PinyinCompositionEt"), nullptr);

  datagen::TempDevice device;
  ASSERT_EQ(p.registerServer(), com::kSOk);
  const std::string base = "CLSID\\" + std::string(pinyin::kPinyinClassId);
  auto key = plat::regOpenKey(plat::RegRoot::ClassesRoot, base);
  ASSERT_TRUE(key);
  EXPECT_EQ(plat::regGetString(*key, ""), std::u16string(u"中国語ピンイン入力"));
  auto server = plat::regOpenKey(plat::RegRoot::ClassesRoot, base + "\\InprocServer32");
  ASSERT_TRUE(server);
  EXPECT_EQ(plat::regGetString(*server, ""), std::u16string(u"\\windows\\Quillpin.dll"));
  EXPECT_EQ(p.unregisterServer(), com::kSOk);
  EXPECT_TRUE(plat::regKeyExists(plat::RegRoot::ClassesRoot, base + "\\IsSIPInputMethod"));
}

TEST(Quillpin, MakesThePanelObjectByClassIdAndAnswersItsSlots) {
  const Plugin& p = plugin();
  ASSERT_TRUE(p.lib);
  ASSERT_TRUE(ui::initApplication());  // the panel makes its windows when selected
  datagen::TempDevice device;
  datagen::TempRuntime runtime;
  const com::Guid clsid = *plat::parseClassId(pinyin::kPinyinClassId);
  void* out = nullptr;
  ASSERT_EQ(p.getClassObject(clsid, com::iidClassFactory(), &out), com::kSOk);
  auto* factory = static_cast<com::ClassFactory*>(out);
  EXPECT_EQ(p.canUnloadNow(), com::kSFalse);
  void* object = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, com::iidInputMethod(), &object), com::kSOk);
  factory->Release();
  auto* im = static_cast<com::InputMethod*>(object);

  EXPECT_EQ(im->Select(0), com::kSOk);
  EXPECT_NE(plat::findWindow(u"2C19CB34-E468-4cf8-99C7-DE8794C56FB8 - FullChineseIMWndClass", u""), 0u);
  com::ImInfo info;
  EXPECT_EQ(im->GetInfo(&info), com::kSOk);
  EXPECT_EQ(info.flags, com::kSipfDocked);
  EXPECT_GT(ui::imageCount(info.wideImageList), 0);
  EXPECT_GT(ui::imageCount(info.narrowImageList), 0);
  EXPECT_EQ(info.sipRect, (com::Rect{0, 0, 240, 80}));
  char data[4];
  EXPECT_EQ(im->GetImData(sizeof data, data), com::kENotImpl);
  EXPECT_EQ(im->SetImData(sizeof data, data), com::kENotImpl);
  EXPECT_EQ(im->Showing(), com::kSOk);
  EXPECT_EQ(im->Hiding(), com::kSOk);
  EXPECT_EQ(im->Deselect(), com::kSOk);
  EXPECT_EQ(plat::findWindow(u"2C19CB34-E468-4cf8-99C7-DE8794C56FB8 - FullChineseIMWndClass", u""), 0u);
  EXPECT_EQ(im->Release(), 0u);
  EXPECT_EQ(p.canUnloadNow(), com::kSOk);
}

}  // namespace

namespace {

TEST(Quillpin, TheInstallerStepRegistersItInTheDeviceRegistry) {
  const char* bin = std::getenv("SUITE_BIN_DIR");
  ASSERT_NE(bin, nullptr);
  datagen::TempDevice device;  // sets the device root the child inherits
  const std::string command = std::string(bin) + "/regpanel Quillpin";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_TRUE(plat::isInputMethodInstalled(*plat::parseClassId(pinyin::kPinyinClassId)));
  auto icon = plat::regOpenKey(plat::RegRoot::ClassesRoot, "CLSID\\" + std::string(pinyin::kPinyinClassId) + "\\DefaultIcon");
  ASSERT_TRUE(icon);
  EXPECT_EQ(plat::regGetString(*icon, ""), std::u16string(u"\\windows\\Quillpin.dll,0"));
}

}  // namespace
