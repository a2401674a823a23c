// The in-memory file system, alone and under a parser.
#include "platform/memory_file_system.h"

#include "am/am_parser.h"

#include <gtest/gtest.h>

#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "testing/test_env.h"
#include "testing/test_parser.h"

namespace xmlsecdb {
namespace {

TEST(MemoryFileSystemTest, WritesReplaceTheFileOnlyWhenCommitted) {
  MemoryFileSystem files;
  files.SetFile("/d/a", "old");
  std::unique_ptr<AtomicFile> file;
  ASSERT_OK(files.NewAtomicFile("/d/a", &file));
  ASSERT_OK(file->Append("ne"));
  ASSERT_OK(file->Append("w"));
  std::string bytes;
  ASSERT_OK(files.ReadWholeFile("/d/a", &bytes));
  EXPECT_EQ(bytes, "old");
  ASSERT_OK(file->Commit());
  ASSERT_OK(files.ReadWholeFile("/d/a", &bytes));
  EXPECT_EQ(bytes, "new");
  EXPECT_HR(file->Append("x"), E_UNEXPECTED);

  // A file dropped before its commit leaves nothing.
  ASSERT_OK(files.NewAtomicFile("/d/b", &file));
  ASSERT_OK(file->Append("lost"));
  file.reset();
  EXPECT_FALSE(files.FileExists("/d/b"));
  EXPECT_TRUE(Failed(files.ReadWholeFile("/d/b", &bytes)));

  ASSERT_OK(files.CopyFile("/d/a", "/e/c"));
  std::unique_ptr<SequentialFile> reader;
  ASSERT_OK(files.NewSequentialFile("/e/c", &reader));
  char buffer[2];
  std::size_t got = 0;
  std::string read;
  do {
    ASSERT_OK(reader->Read(buffer, sizeof buffer, &got));
    read.append(buffer, got);
  } while (got != 0);
  EXPECT_EQ(read, "new");
}

TEST(MemoryFileSystemTest, WatchSeesChangesOfItsDirectoryOnly) {
  MemoryFileSystem files;
  std::unique_ptr<DirectoryWatch> watch = files.WatchDirectory("/d");
  ASSERT_NE(watch, nullptr);
  files.SetFile("/e/x", "1");
  EXPECT_FALSE(watch->Signalled());
  ASSERT_OK(files.WriteWholeFile("/d/x", "2"));
  EXPECT_TRUE(watch->Signalled());
  EXPECT_FALSE(files.WatchDirectory("/d")->Signalled());
}

// Owners go with their files: a write keeps the replaced file's unless it
// is given one, and a numbered move never replaces a file.
TEST(MemoryFileSystemTest, OwnersAndNumberedMoves) {
  MemoryFileSystem files;
  const FileOwner secret{7, 8, 0600};
  files.SetFile("/d/a", "1");
  files.SetOwner("/d/a", secret);
  ASSERT_OK(files.WriteWholeFile("/d/a", "2"));
  FileOwner owner;
  ASSERT_OK(files.GetOwner("/d/a", &owner));
  EXPECT_EQ(owner, secret);
  ASSERT_OK(files.WriteWholeFile("/d/new", "3", &secret));
  ASSERT_OK(files.GetOwner("/d/new", &owner));
  EXPECT_EQ(owner, secret);
  EXPECT_HR(files.GetOwner("/d/none", &owner), kFileNotFound);

  files.SetFile("/d/a.1", "taken");
  std::string moved_to;
  ASSERT_OK(files.MoveToNumbered("/d/a", &moved_to));
  EXPECT_EQ(moved_to, "/d/a.2");
  EXPECT_FALSE(files.PathExists("/d/a"));
  std::string bytes;
  ASSERT_TRUE(files.GetFile("/d/a.1", &bytes));
  EXPECT_EQ(bytes, "taken");
  ASSERT_OK(files.GetOwner("/d/a.2", &owner));
  EXPECT_EQ(owner, secret);
  EXPECT_HR(files.MoveToNumbered("/d/a", &moved_to), kFileNotFound);
}

// Recovery in memory: the damaged copy and the restored file keep the
// database's owner, and an earlier different copy moves aside.
TEST(MemoryFileSystemTest, RecoveryKeepsOwnersAndEarlierCopies) {
  testing::ScopedRecoveryPolicy on(RecoveryPolicy::kOn);
  MemoryFileSystem files;
  testing::CapturingEventLog events;
  testing::TestEnv env;
  env.file_system = &files;
  env.event_log = &events;
  const FileOwner secret{7, 8, 0600};
  const std::string good = "<SecDb><VersionInfo major=\"3\"/><Module id=\"AntiMalware\"/></SecDb>";
  files.SetFile("/db/am.xml", "<SecDb>damaged");
  files.SetOwner("/db/am.xml", secret);
  files.SetFile("/db/am.xml_", good);
  files.SetFile("/db/am.xml.bad", "<SecDb>earlier");
  ComPtr<CAMParser> parser = MakeObject<CAMParser>();
  parser->UseEnv(env);
  ASSERT_OK(parser->Load("/db/am.xml", 0));
  RestoreInfo restore;
  ASSERT_OK(parser->GetLastRestore(&restore));
  EXPECT_EQ(restore.damaged_copy, "/db/am.xml.bad");
  std::string bytes;
  FileOwner owner;
  for (const char* path : {"/db/am.xml", "/db/am.xml.bad"}) {
    SCOPED_TRACE(path);
    ASSERT_OK(files.GetOwner(path, &owner));
    EXPECT_EQ(owner, secret);
  }
  ASSERT_TRUE(files.GetFile("/db/am.xml", &bytes));
  EXPECT_EQ(bytes, good);
  ASSERT_TRUE(files.GetFile("/db/am.xml.bad", &bytes));
  EXPECT_EQ(bytes, "<SecDb>damaged");
  ASSERT_TRUE(files.GetFile("/db/am.xml.bad.1", &bytes));
  EXPECT_EQ(bytes, "<SecDb>earlier");
  EXPECT_EQ(events.events().size(), 1u);
}

// A parser given the memory file system loads, saves and watches there.
TEST(MemoryFileSystemTest, ParserLoadsAndSavesInMemory) {
  MemoryFileSystem files;
  testing::TestEnv env;
  env.file_system = &files;
  files.SetFile("/db/test.xml", "<SecDb><VersionInfo major=\"3\"/><Module id=\"Test\"/></SecDb>");
  ComPtr<testing::TestParser> parser = MakeObject<testing::TestParser>();
  parser->UseEnv(env);
  ASSERT_OK(parser->Load("/db/test.xml", 0));
  EXPECT_HR(parser->Load("/db/test.xml", 0), S_FALSE);
  ASSERT_OK(parser->put_Version(0x00040000));
  ASSERT_OK(parser->Save("/db/saved.xml"));
  std::string xml, saved;
  ASSERT_OK(parser->get_Xml(&xml));
  ASSERT_TRUE(files.GetFile("/db/saved.xml", &saved));
  EXPECT_EQ(saved, testing::Utf16Image(xml));

  // The save changed the directory: the same file is read again.
  ComPtr<testing::TestParser> reader = MakeObject<testing::TestParser>();
  reader->UseEnv(env);
  ASSERT_OK(reader->Load("/db/test.xml", 0));
  files.SetFile("/db/test.xml", saved);
  ASSERT_OK(reader->Load("/db/test.xml", 0));
  std::int32_t version = 0;
  ASSERT_OK(reader->get_Version(&version));
  EXPECT_EQ(version, 0x00040000);
  EXPECT_HR(reader->Load("/db/missing.xml", 0), INET_E_RESOURCE_NOT_FOUND);
}

}  // namespace
}  // namespace xmlsecdb
