// The file layer: whole-file reads and folder copies that meet trouble.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/files.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(Files, AReadErrorIsAnErrorNotAShortFile) {
  // A regular file whose read fails: the loopback device has no link speed, so
  // reading this attribute fails although its size is a page.
  const char* const path = "/sys/class/net/lo/speed";
  int fd = ::open(path, O_RDONLY);
  if (fd < 0) GTEST_SKIP() << path << " is not there";
  char c;
  const ssize_t r = ::read(fd, &c, 1);
  ::close(fd);
  if (r >= 0) GTEST_SKIP() << path << " can be read here";

  std::vector<uint8_t> bytes = {1, 2, 3};
  EXPECT_EQ(plat::ReadWholeFile(path, bytes, 1u << 20), plat::ReadStatus::kError);
  EXPECT_EQ(bytes, (std::vector<uint8_t>{1, 2, 3}));  // untouched
}

TEST(Files, ACopyRefusesFolderLinksThatLoopBack) {
  // Two links back to the folder itself: every level holds the whole tree twice,
  // so a copy that only counted its depth would never end.
  cTempDir dir(false);
  dir.Write("default/System.dat", std::string("system"));
  ASSERT_EQ(::symlink(".", "default/a"), 0);
  ASSERT_EQ(::symlink("..", "default/b"), 0);
  EXPECT_FALSE(plat::CopyTree("default", "copy"));
  // Links that do not loop are copied as the folders they name.
  dir.Write("other/x.dat", std::string("x"));
  ASSERT_EQ(::unlink("default/a"), 0);
  ASSERT_EQ(::unlink("default/b"), 0);
  ASSERT_EQ(::symlink("../other", "default/link"), 0);
  EXPECT_TRUE(plat::CopyTree("default", "copy2"));
  EXPECT_EQ(dir.Read("copy2/link/x.dat"), dir.Read("other/x.dat"));
  EXPECT_EQ(dir.Read("copy2/System.dat"), dir.Read("default/System.dat"));
}

}  // namespace
