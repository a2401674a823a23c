// The atomic writer on a real file system: where its temporary file lives,
// what it leaves behind, and what it replaces.
#include "platform/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"

namespace xmlsecdb {
namespace {

using testing::PathExists;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::vector<std::string> Names(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

struct stat Stat(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

// Makes the writer use named temporary files for the guard's life.
class ScopedNamedTempFiles {
 public:
  ScopedNamedTempFiles() { AtomicFileWriter::DisableUnnamedFilesForTesting(true); }
  ~ScopedNamedTempFiles() { AtomicFileWriter::DisableUnnamedFilesForTesting(false); }
};

// Both ways to the temporary file: while the write is open, no name but
// the target's (unnamed) or one temporary name (named) is in the
// directory, and the commit leaves the target alone.
TEST(AtomicFileWriterTest, UnnamedAndNamedTemporaryFiles) {
  for (bool named : {false, true}) {
    SCOPED_TRACE(named ? "named" : "unnamed");
    std::optional<ScopedNamedTempFiles> guard;
    if (named) guard.emplace();
    TempDir dir;
    const std::string path = dir.File("db.xml");
    WriteFileBytes(path, "old");
    AtomicFileWriter writer;
    ASSERT_OK(writer.Open(path));
    ASSERT_OK(writer.Append("new"));
    if (!named && !writer.unnamed()) GTEST_SKIP() << "no O_TMPFILE on this file system";
    EXPECT_EQ(writer.unnamed(), !named);
    EXPECT_EQ(Names(dir).size(), named ? 2u : 1u);
    EXPECT_EQ(ReadFileBytes(path), "old");
    ASSERT_OK(writer.Commit());
    EXPECT_EQ(ReadFileBytes(path), "new");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"db.xml"});
  }
}

// Temporary files of killed saves go at the next save of the same target;
// a live writer's file (locked), other targets' files and names that only
// look alike stay.
TEST(AtomicFileWriterTest, StaleTemporaryFilesAreRemovedAtTheNextSave) {
  TempDir dir;
  const std::string path = dir.File("db.xml");
  WriteFileBytes(path, "old");
  const std::string stale = path + ".tmp0123456789abcdef";
  const std::string live = path + ".tmpfedcba9876543210";
  const std::string other = dir.File("other.xml.tmp0123456789abcdef");
  const std::string lookalike = path + ".tmp0123";
  for (const std::string& file : {stale, live, other, lookalike}) WriteFileBytes(file, "x");
  const int fd = ::open(live.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);

  ASSERT_OK(WriteFileAtomically(path, "new"));
  ::close(fd);
  EXPECT_FALSE(PathExists(stale));
  EXPECT_TRUE(PathExists(live));
  EXPECT_TRUE(PathExists(other));
  EXPECT_TRUE(PathExists(lookalike));
  EXPECT_EQ(ReadFileBytes(path), "new");
}

// A save through a symbolic link replaces the file it points at (relative
// and through two links) and keeps the links.
TEST(AtomicFileWriterTest, SymbolicLinksAreFollowed) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("real").c_str(), 0755), 0);
  const std::string target = dir.File("real/db.xml");
  WriteFileBytes(target, "old");
  ASSERT_EQ(::symlink("real/db.xml", dir.File("link1").c_str()), 0);
  ASSERT_EQ(::symlink(dir.File("link1").c_str(), dir.File("link2").c_str()), 0);
  ASSERT_OK(WriteFileAtomically(dir.File("link2"), "new"));
  EXPECT_EQ(ReadFileBytes(target), "new");
  EXPECT_TRUE(S_ISLNK(Stat(dir.File("link1")).st_mode));
  EXPECT_TRUE(S_ISLNK(Stat(dir.File("link2")).st_mode));
  // A dangling link gets its target created.
  ASSERT_EQ(::symlink("real/new.xml", dir.File("dangling").c_str()), 0);
  ASSERT_OK(WriteFileAtomically(dir.File("dangling"), "created"));
  EXPECT_EQ(ReadFileBytes(dir.File("real/new.xml")), "created");
  EXPECT_TRUE(S_ISLNK(Stat(dir.File("dangling")).st_mode));
}

// The replaced file keeps its mode, owner and group (the owner where the
// process may set it: as root); a given owner wins; a new file is 0644
// less the umask, whatever the umask lets through.
TEST(AtomicFileWriterTest, OwnerAndModeAreKept) {
  TempDir dir;
  const std::string path = dir.File("db.xml");
  WriteFileBytes(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
  }
  ASSERT_OK(WriteFileAtomically(path, "new"));
  struct stat st = Stat(path);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
  }

  const FileOwner given{static_cast<std::uint32_t>(::geteuid()),
                        static_cast<std::uint32_t>(::getegid()), 0600};
  AtomicFileWriter writer;
  ASSERT_OK(writer.Open(path, &given));
  ASSERT_OK(writer.Commit());
  EXPECT_EQ(Stat(path).st_mode & 07777, 0600u);
  EXPECT_EQ(Stat(path).st_uid, ::geteuid());

  const mode_t old_umask = ::umask(0);
  HRESULT hr = WriteFileAtomically(dir.File("fresh.xml"), "x");
  ::umask(old_umask);
  ASSERT_OK(hr);
  EXPECT_EQ(Stat(dir.File("fresh.xml")).st_mode & 07777, 0644u);
}

// Devices, FIFOs and directories are no database to replace; reading a
// FIFO does not wait for a writer.
TEST(AtomicFileWriterTest, TargetsThatAreNoRegularFileAreRefused) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  struct Case {
    std::string path;
    HRESULT result;
  };
  const Case cases[] = {
      {"/dev/null", kNotRegularFile},
      {fifo, kNotRegularFile},
      {dir.path(), HResultFromWin32(EISDIR)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    AtomicFileWriter writer;
    EXPECT_HR(writer.Open(c.path), c.result);
    std::string bytes;
    EXPECT_HR(ReadWholeFile(c.path, &bytes), c.result);
  }
  EXPECT_TRUE(S_ISFIFO(Stat(fifo).st_mode));
  EXPECT_EQ(Names(dir), std::vector<std::string>{"fifo"});
}

}  // namespace
}  // namespace xmlsecdb
