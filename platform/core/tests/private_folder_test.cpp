#include "platform/core/private_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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

}  // namespace
