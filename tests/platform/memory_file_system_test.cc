// The in-memory file system, alone and under a parser.
#include "platform/memory_file_system.h"

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
