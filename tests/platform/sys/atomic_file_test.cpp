#include "platform/sys/atomic_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace {

using platform::sys::CheckReadableFile;
using platform::sys::CheckReplaceableFile;
using platform::sys::ReadWholeFile;
using platform::sys::WriteFileAtomically;
using testing_support::TempFolder;

bool IsLink(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// What no whole-file read takes: anything but a regular file, and a file above the limit. None may block or
// run out of memory.
TEST(AtomicFile, ReadsTakeOnlyRegularFilesUpToTheLimit) {
  TempFolder folder;
  ASSERT_EQ(mkfifo(folder.File("fifo").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/zero", folder.File("zero").c_str()), 0);
  ASSERT_EQ(symlink("fifo", folder.File("to-fifo").c_str()), 0);
  ASSERT_EQ(mkdir(folder.File("dir").c_str(), 0700), 0);
  TempFolder::Write(folder.File("big"), "");
  ASSERT_EQ(truncate(folder.File("big").c_str(), platform::sys::kWholeFileLimit + 1), 0);  // sparse
  TempFolder::Write(folder.File("good"), "text");
  ASSERT_EQ(symlink("good", folder.File("to-good").c_str()), 0);
  const struct {
    const char* name;
    int error;
  } cases[] = {{"fifo", EINVAL}, {"to-fifo", EINVAL}, {"zero", EINVAL}, {"dir", EISDIR},
               {"big", EFBIG},   {"missing", ENOENT}, {"good", 0},      {"to-good", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File(c.name);
    EXPECT_EQ(CheckReadableFile(path).value(), c.error);
    std::error_code error;
    const auto text = ReadWholeFile(path, &error);
    EXPECT_EQ(error.value(), c.error);
    EXPECT_EQ(text.has_value(), c.error == 0);
    if (text) {
      EXPECT_EQ(*text, "text");
    }
  }
}

// Targets that a write refuses, each left exactly as it was: a write-protected file (also for root), a link to
// something that is no regular file, a folder, a missing folder.
TEST(AtomicFile, WritesRefuseTargetsThatCannotBeReplacedAndLeaveThemAsTheyWere) {
  TempFolder folder;
  TempFolder::Write(folder.File("locked.zpr"), "old");
  ASSERT_EQ(chmod(folder.File("locked.zpr").c_str(), 0444), 0);
  ASSERT_EQ(symlink("locked.zpr", folder.File("to-locked.zpr").c_str()), 0);
  ASSERT_EQ(mkfifo(folder.File("fifo.zpr").c_str(), 0600), 0);
  ASSERT_EQ(symlink("/dev/null", folder.File("null.zpr").c_str()), 0);
  ASSERT_EQ(mkdir(folder.File("dir.zpr").c_str(), 0700), 0);
  ASSERT_EQ(symlink("loop-b.zpr", folder.File("loop-a.zpr").c_str()), 0);
  ASSERT_EQ(symlink("loop-a.zpr", folder.File("loop-b.zpr").c_str()), 0);
  const std::size_t entries = folder.EntryCount();
  const struct {
    const char* name;
    int error;
  } cases[] = {{"locked.zpr", EACCES}, {"to-locked.zpr", EACCES}, {"fifo.zpr", EINVAL},  {"null.zpr", EINVAL},
               {"dir.zpr", EISDIR},    {"loop-a.zpr", ELOOP},      {"none/a.zpr", ENOENT}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File(c.name);
    EXPECT_EQ(CheckReplaceableFile(path).value(), c.error);
    platform::sys::AtomicWriteStage stage{};
    EXPECT_EQ(WriteFileAtomically(path, "new", &stage).value(), c.error);
    EXPECT_EQ(stage, platform::sys::AtomicWriteStage::kCreate);
  }
  EXPECT_EQ(TempFolder::Read(folder.File("locked.zpr")), "old");
  EXPECT_TRUE(IsLink(folder.File("to-locked.zpr")));
  EXPECT_TRUE(IsLink(folder.File("null.zpr")));
  EXPECT_EQ(folder.EntryCount(), entries);
}

// Links are written through, as editors do: the file a link names is replaced (or, for a dangling link,
// created) and the link stays a link.
TEST(AtomicFile, WritesGoThroughLinksAlsoDanglingOnes) {
  TempFolder folder;
  ASSERT_EQ(mkdir(folder.File("sub").c_str(), 0700), 0);
  TempFolder::Write(folder.File("sub/real.zpr"), "old");
  ASSERT_EQ(chmod(folder.File("sub/real.zpr").c_str(), 0640), 0);
  ASSERT_EQ(symlink("sub/real.zpr", folder.File("link.zpr").c_str()), 0);
  ASSERT_EQ(symlink("sub/later.zpr", folder.File("dangling.zpr").c_str()), 0);
  ASSERT_EQ(symlink(folder.File("dangling.zpr").c_str(), folder.File("chain.zpr").c_str()), 0);

  ASSERT_FALSE(WriteFileAtomically(folder.File("link.zpr"), "new"));
  EXPECT_TRUE(IsLink(folder.File("link.zpr")));
  EXPECT_EQ(TempFolder::Read(folder.File("sub/real.zpr")), "new");
  struct stat st {};
  ASSERT_EQ(stat(folder.File("sub/real.zpr").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);

  ASSERT_FALSE(WriteFileAtomically(folder.File("chain.zpr"), "created"));
  EXPECT_TRUE(IsLink(folder.File("chain.zpr")));
  EXPECT_TRUE(IsLink(folder.File("dangling.zpr")));
  EXPECT_EQ(TempFolder::Read(folder.File("sub/later.zpr")), "created");
  EXPECT_EQ(folder.EntryCount(), 4u);
}

// Every name the folder takes can be written, the longest included: the temporary name does not grow with it.
TEST(AtomicFile, TheLongestNamesAreWrittenAndNoTemporaryStays) {
  TempFolder folder;
  for (const std::size_t length : {std::size_t{1}, std::size_t{247}, std::size_t{255}}) {
    const std::string path = folder.File(std::string(length - 1, 'n') + "Z");
    ASSERT_FALSE(WriteFileAtomically(path, "one")) << length;
    ASSERT_FALSE(WriteFileAtomically(path, "two")) << length;
    EXPECT_EQ(TempFolder::Read(path), "two");
  }
  EXPECT_EQ(folder.EntryCount(), 3u);
}

}  // namespace
