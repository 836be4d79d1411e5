#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tools/common/tool_arguments.h"
#include "tools/common/tool_files.h"

namespace {

namespace fs = std::filesystem;

struct ScratchFolder {
  fs::path path = fs::temp_directory_path() / ("tools_common_" + std::to_string(::getpid()));
  ScratchFolder() { fs::create_directories(path); }
  ~ScratchFolder() { fs::remove_all(path); }
  std::string at(const char* name) const { return (path / name).string(); }
};

TEST(ToolFiles, WritesAndReadsBackEveryByte) {
  ScratchFolder dir;
  std::string bytes("a\0\x5C\xFF\r\n", 6);
  bytes += std::string(200000, 'x');  // past one read buffer
  ASSERT_TRUE(tools::writeFile(dir.at("f.bin"), bytes));
  std::string back = "stale";
  ASSERT_TRUE(tools::readFile(dir.at("f.bin"), back));
  EXPECT_EQ(back, bytes);
  EXPECT_EQ(tools::readFile(dir.at("f.bin")), bytes);
  // A second write replaces the file whole.
  ASSERT_TRUE(tools::writeFile(dir.at("f.bin"), "short"));
  EXPECT_EQ(tools::readFile(dir.at("f.bin")), "short");
}

TEST(ToolFiles, FailuresAreReported) {
  ScratchFolder dir;
  std::string out = "stale";
  EXPECT_FALSE(tools::readFile(dir.at("missing"), out));
  EXPECT_EQ(out, "");
  EXPECT_EQ(tools::readFile(dir.at("missing")), "");
  EXPECT_FALSE(tools::writeFile(dir.at("no/such/folder/f"), "x"));
  // A folder opens but does not read.
  EXPECT_FALSE(tools::readFile(dir.path.string(), out));
  // An empty file reads as empty, successfully.
  ASSERT_TRUE(tools::writeFile(dir.at("empty"), ""));
  EXPECT_TRUE(tools::readFile(dir.at("empty"), out));
  EXPECT_EQ(out, "");
}

TEST(ToolArguments, CountsTheArgumentsAfterTheName) {
  char name[] = "tool", a[] = "a", b[] = "b", c[] = "c";
  char* argv[] = {name, a, b, c, nullptr};
  struct Case {
    int argc, least, most;
    bool fits;
  } cases[] = {
      {3, 2, 2, true}, {2, 2, 2, false}, {4, 2, 2, false}, {1, 1, 4, false},
      {4, 1, 4, true}, {4, 2, -1, true}, {1, 0, 0, true},  {2, 0, 0, false},
  };
  for (const Case& k : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(tools::argumentsFit(k.argc, argv, k.least, k.most, "A B"), k.fits) << k.argc << " " << k.least;
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed, k.fits ? "" : "usage: tool A B\n");
  }
}

}  // namespace
