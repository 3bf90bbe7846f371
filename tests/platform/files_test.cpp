// The file layer: whole-file reads and folder copies that meet trouble.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

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

// Something in a file's place that is no file: refused at once, never waited on
// (a FIFO without a writer would block an open for ever).
TEST(Files, OnlyRegularFilesAreOpenedAndNothingWaits) {
  cTempDir dir(false);
  ASSERT_EQ(::mkfifo("fifo.dat", 0644), 0);
  ASSERT_EQ(::mkdir("folder.dat", 0755), 0);
  dir.Write("file.dat", std::string("abc"));
  for (const char* name : {"fifo.dat", "folder.dat"}) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> bytes;
    EXPECT_EQ(plat::ReadWholeFile(name, bytes, 100), plat::ReadStatus::kNotAFile);
    for (const char* mode : {"rb", "rb+", "wb", "ab"}) {
      FILE* f = plat::OpenFile(name, mode);
      EXPECT_EQ(f, nullptr) << mode;
      if (f) std::fclose(f);
    }
  }
  std::vector<uint8_t> bytes;
  EXPECT_EQ(plat::ReadWholeFile("missing.dat", bytes, 100), plat::ReadStatus::kMissing);
  EXPECT_EQ(plat::ReadWholeFile("file.dat", bytes, 100), plat::ReadStatus::kOk);
  // "wb" still truncates and "ab" appends on a regular file.
  FILE* f = plat::OpenFile("file.dat", "ab");
  ASSERT_NE(f, nullptr);
  std::fputs("d", f);
  std::fclose(f);
  EXPECT_EQ(dir.Read("file.dat").size(), 4u);
  f = plat::OpenFile("file.dat", "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(dir.Read("file.dat").size(), 0u);
}

// A name is bytes: one that is no Shift-JIS text is found (and made) as given.
TEST(Files, NamesThatAreNoTextAreOpenedByTheirBytes) {
  cTempDir dir(false);
  const std::string name = "x\xff\xfe.dat";
  FILE* f = plat::OpenFile(name, "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  struct stat st;
  EXPECT_EQ(::stat(name.c_str(), &st), 0);
  EXPECT_TRUE(plat::FileExists(name));
  const std::string sjis = "\x83\x65\x83\x58\x83\x67.dat";  // a Shift-JIS name on disk
  dir.Write(sjis, std::string("s"));
  std::vector<uint8_t> bytes;
  EXPECT_EQ(plat::ReadWholeFile(sjis, bytes, 100), plat::ReadStatus::kOk);
}

}  // namespace
