#include "platform/core/private_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/core/device.h"
#include "platform/core/files.h"

namespace {

namespace fs = std::filesystem;

TEST(PrivateFolder, OneFolderOfTheProcessOwnersOnly) {
  const std::string folder = plat::privateFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(plat::privateFolder(), folder);  // made once
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Its paths are used as written, without matching case against the disk.
  const std::string file = folder + "/MORPH.TMP";
  EXPECT_TRUE(plat::inPrivateFolder(file));
  EXPECT_FALSE(plat::inPrivateFolder(folder + "x/MORPH.TMP"));
  EXPECT_FALSE(plat::inPrivateFolder(folder));
  EXPECT_EQ(plat::hostPath(file), file);
  std::FILE* f = plat::fileOpen(file, "w+b");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fputs("abcdef", f), 1);
  EXPECT_EQ(plat::fileTruncate(f, 3), 0);
  EXPECT_EQ(plat::fileSize(f), 3);
  plat::fileClose(f);
}

TEST(PrivateFolder, GoneWhenTheProcessThatMadeItExits) {
  const std::string parent = plat::privateFolder();
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // The child makes a folder of its own, leaves a file in it and exits normally.
    const std::string own = plat::privateFolder();
    std::ofstream(own + "/CHNGEN.TMP") << "x";
    const bool distinct = !own.empty() && own != parent;
    const std::string message = distinct ? own : std::string();
    (void)!::write(pipeFds[1], message.data(), message.size());
    ::close(pipeFds[1]);
    std::exit(0);
  }
  ::close(pipeFds[1]);
  std::string own;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) own.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_FALSE(own.empty());
  EXPECT_FALSE(fs::exists(own));   // the child's folder went with it
  EXPECT_TRUE(fs::exists(parent));  // and the parent's stays
}

// Runs body in a child process; what it writes to the pipe comes back, with the wait status.
template <typename Body>
std::string inChild(Body body, int& waitStatus) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return {};
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    body(pipeFds[1]);
    ::close(pipeFds[1]);
    std::exit(0);  // the folder goes at exit
  }
  ::close(pipeFds[1]);
  std::string said;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) said.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  waitStatus = 0;
  ::waitpid(child, &waitStatus, 0);
  return said;
}

void say(int fd, const std::string& text) { (void)!::write(fd, text.data(), text.size()); }

// A relative TMPDIR is taken from the current folder; one that names no folder makes no folder
// and says why.
TEST(PrivateFolder, ARelativeTmpdirIsResolvedOrRefused) {
  const fs::path base = fs::canonical(fs::temp_directory_path()) / ("relative-tmpdir-" + std::to_string(::getpid()));
  fs::create_directories(base / "rel");
  struct Case {
    const char* tmpdir;
    std::string expectedParent;  // empty: refused
  } cases[] = {{"rel", (base / "rel").string()}, {"rel/", (base / "rel").string()}, {"./rel/../rel", (base / "rel").string()}, {"none", ""}};
  for (const Case& c : cases) {
    int status = 0;
    const std::string said = inChild(
        [&](int fd) {
          if (::chdir(base.c_str()) != 0) return;
          ::setenv("TMPDIR", c.tmpdir, 1);
          const std::string folder = plat::privateFolder();
          say(fd, folder.empty() ? "refused: " + plat::privateFolderProblem() : folder);
        },
        status);
    if (c.expectedParent.empty()) {
      EXPECT_EQ(said.rfind("refused: TMPDIR (none) is not an existing folder", 0), 0u) << said;
    } else {
      EXPECT_EQ(fs::path(said).parent_path().string(), c.expectedParent) << c.tmpdir;
      EXPECT_EQ(said.find('/'), 0u) << said;
    }
  }
  EXPECT_TRUE(fs::is_empty(base / "rel"));  // each child's folder went at its exit
  fs::remove_all(base);
}

// A process ended by an interrupt, a termination, a hang-up or a write to a closed pipe takes its
// folder with it and still ends by that signal.
TEST(PrivateFolder, GoneWhenASignalEndsTheProcess) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    int status = 0;
    const std::string own = inChild(
        [&](int fd) {
          const std::string folder = plat::privateFolder();
          std::ofstream(folder + "/MORPH.TMP") << "last line";
          say(fd, folder);
          ::close(fd);
          if (signal == SIGPIPE) {
            int closed[2];
            if (::pipe(closed) != 0) return;
            ::close(closed[0]);
            (void)!::write(closed[1], "x", 1);
          } else {
            ::raise(signal);
          }
        },
        status);
    ASSERT_FALSE(own.empty()) << signal;
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << " " << status;
    EXPECT_FALSE(fs::exists(own)) << signal;
  }
}

// A program that handles a signal itself keeps its handler.
TEST(PrivateFolder, AProgramsOwnHandlerStays) {
  int status = 0;
  const std::string said = inChild(
      [](int fd) {
        struct sigaction own {};
        own.sa_handler = [](int) {};
        sigemptyset(&own.sa_mask);
        ::sigaction(SIGHUP, &own, nullptr);
        const std::string folder = plat::privateFolder();
        ::raise(SIGHUP);
        say(fd, fs::exists(folder) ? "kept" : "gone");
      },
      status);
  EXPECT_EQ(said, "kept");
  EXPECT_TRUE(WIFEXITED(status));
}

}  // namespace
