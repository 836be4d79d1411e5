#include "platform/core/library.h"
#include "platform/core/process.h"
#include "platform/core/test_helpers/peer.h"
#include "peer_fixture.h"
#include "tools/datagen/temp_runtime.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

class ProgramFolderTest : public ::testing::Test {
 protected:
  datagen::TempRuntime runtime;
  PeerProgram peer;  // points the program folder at the build's programs
};

TEST_F(ProgramFolderTest, StartsAProgramByItsHandheldName) {
  // Folder, ".exe" and case as the programs write them.
  ASSERT_TRUE(plat::startProgram(".\\PLATFORM_CORE_PEER.exe", u"PEER_CLASS Started none", &peer.info));
  EXPECT_GT(peer.info.pid, 0);
  plat::Hwnd h = 0;
  for (int i = 0; i < 1000 && !h; ++i) {
    h = plat::findWindow(u"PEER_CLASS", u"Started");
    if (!h) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_NE(h, 0u);  // the command line arrived whole
  EXPECT_FALSE(plat::waitForProcess(peer.info, 0));
  plat::postMessage(h, plat::kWmClose, 0, 0);
  int code = -1;
  ASSERT_TRUE(plat::waitForProcess(peer.info, 10000, &code));
  EXPECT_EQ(code, peer::kExitCode);
  EXPECT_EQ(peer.info.pid, 0);
}

TEST_F(ProgramFolderTest, MissingProgramIsAnError) {
  plat::ProcessInfo info;
  EXPECT_FALSE(plat::startProgram("Nosuchprogram.exe", u"", &info));
  EXPECT_EQ(info.pid, 0);
  EXPECT_EQ(plat::lastError(), ENOENT);
  EXPECT_FALSE(plat::systemErrorText(plat::lastError()).empty());
  EXPECT_FALSE(plat::waitForProcess(info, 0));
  EXPECT_FALSE(plat::terminateProcess(info));
}

TEST_F(ProgramFolderTest, LibraryLoadedByNameBindsItsFunctions) {
  for (const char* name : {".\\Plattestlib.dll", "plattestlib.DLL", "Plattestlib"}) {
    SCOPED_TRACE(name);
    plat::LibraryHandle lib = plat::loadLibrary(name);
    ASSERT_NE(lib, nullptr) << plat::libraryErrorText();
    auto add = plat::bindFunction<int (*)(int, int)>(lib, "plattest_add");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(40, 2), 42);
    EXPECT_EQ(plat::libraryFunction(lib, "VocraPlay"), nullptr);
    EXPECT_FALSE(plat::libraryErrorText().empty());
    EXPECT_TRUE(plat::freeLibrary(lib));
  }
}

TEST_F(ProgramFolderTest, MissingLibraryIsAnError) {
  EXPECT_EQ(plat::loadLibrary(".\\NoSuchLibrary.dll"), nullptr);
  EXPECT_EQ(plat::lastError(), ENOENT);
  EXPECT_NE(plat::libraryErrorText().find("NoSuchLibrary"), std::string::npos);
  EXPECT_EQ(plat::libraryFunction(nullptr, "InitJpnParse"), nullptr);
  EXPECT_FALSE(plat::freeLibrary(nullptr));
}

TEST(ProcessCommandLine, FirstArgumentAsUtf16) {
  char prog[] = "Vocra";
  char arg[] = "\\Storage Card\\Talvenro\\Chinese\\ChTTSData\\";
  char* withArg[] = {prog, arg, nullptr};
  char* without[] = {prog, nullptr};
  EXPECT_EQ(plat::processCommandLine(2, withArg), u"\\Storage Card\\Talvenro\\Chinese\\ChTTSData\\");
  EXPECT_EQ(plat::processCommandLine(1, without), u"");
}

}  // namespace
