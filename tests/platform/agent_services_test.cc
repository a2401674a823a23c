#include "platform/agent_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"

namespace xmlsecdb {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

// A tree with executables, libraries and plain files, a link to a file and
// a link back up (which must not be followed).
class PathExpanderTest : public ::testing::Test {
 protected:
  PathExpanderTest() {
    const std::string d = dir_.path();
    std::filesystem::create_directories(d + "/bin/sub");
    for (const char* name : {"bin/tool", "bin/sub/deep", "bin/libz.so", "bin/sub/libq.so.1",
                             "bin/notes.txt", "bin/libfake.sop"}) {
      WriteFileBytes(d + "/" + name, "x");
    }
    chmod((d + "/bin/tool").c_str(), 0755);
    chmod((d + "/bin/sub/deep").c_str(), 0700);
    symlink((d + "/bin/tool").c_str(), (d + "/bin/sub/tool-link").c_str());
    symlink((d + "/bin").c_str(), (d + "/bin/sub/loop").c_str());
    setenv("XMLSECDB_TEST_DIR", d.c_str(), 1);
  }
  ~PathExpanderTest() override { unsetenv("XMLSECDB_TEST_DIR"); }

  std::vector<std::string> Expand(const std::string& path, bool* expanded) {
    std::vector<std::string> paths;
    EXPECT_OK(DefaultPathExpander().Expand(path, &paths, expanded));
    return paths;
  }

  TempDir dir_;
};

TEST_F(PathExpanderTest, ExpandsEachAlternative) {
  const std::string d = dir_.path();
  const struct {
    std::string path;
    std::vector<std::string> paths;
    bool expanded;
  } cases[] = {
      {"/usr/bin/plain", {"/usr/bin/plain"}, false},
      {"a|b", {"a", "b"}, false},
      {"%XMLSECDB_TEST_DIR%/bin/tool", {d + "/bin/tool"}, true},
      {"%XMLSECDB_NO_SUCH_NAME%/x", {"%XMLSECDB_NO_SUCH_NAME%/x"}, false},
      {"100%|%XMLSECDB_TEST_DIR%", {"100%", d}, true},
      {d + "/bin/lib*", {d + "/bin/libfake.sop", d + "/bin/libz.so"}, true},
      {d + "/bin/nothing*", {}, true},
      {d + "/bin/%AllExecutablesInDir%", {d + "/bin/tool"}, true},
      {"%XMLSECDB_TEST_DIR%/bin/%AllExecutablesInSubTree%",
       {d + "/bin/sub/deep", d + "/bin/sub/tool-link", d + "/bin/tool"},
       true},
      {d + "/bin/%AllDllsInDir%", {d + "/bin/libz.so"}, true},
      {d + "/bin/%AllDllsInSubTree%|plain",
       {d + "/bin/libz.so", d + "/bin/sub/libq.so.1", "plain"},
       true},
      {d + "/missing/%AllDllsInSubTree%", {}, true},
  };
  for (const auto& c : cases) {
    bool expanded = !c.expanded;
    EXPECT_EQ(Expand(c.path, &expanded), c.paths) << c.path;
    EXPECT_EQ(expanded, c.expanded) << c.path;
  }
}

TEST_F(PathExpanderTest, UnreadableDirectoriesArePassedOver) {
  const std::string d = dir_.path();
  // As root the mode does not keep us out; the walk must end either way.
  chmod((d + "/bin/sub").c_str(), 0);
  bool expanded = false;
  const std::vector<std::string> paths = Expand(d + "/bin/%AllExecutablesInSubTree%", &expanded);
  chmod((d + "/bin/sub").c_str(), 0755);
  EXPECT_TRUE(expanded);
  EXPECT_THAT(paths, ::testing::Contains(d + "/bin/tool"));
}

TEST_F(PathExpanderTest, DescribesAsTheFileTypeDatabaseDoes) {
  const std::string d = dir_.path();
  WriteFileBytes(d + "/readme", "Some plain words on a line.\n");
  const struct {
    std::string path;
    std::string description;
  } cases[] = {
      {d + "/readme", "ASCII text"},
      {d + "/bin/sub/loop", "symbolic link to " + d + "/bin"},
      {d + "/bin", "directory"},
      {d + "/none", ""},
  };
  for (const auto& c : cases) {
    std::string description = "left over";
    EXPECT_OK(DefaultPathExpander().Describe(c.path, &description));
    EXPECT_EQ(description, c.description) << c.path;
  }
}

TEST(ChecksumServiceTest, Sha256OfFilesAndTexts) {
  TempDir dir;
  WriteFileBytes(dir.File("abc"), "abc");
  ChecksumService& service = DefaultChecksumService();
  const std::string abc = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
  std::string checksum;
  EXPECT_OK(service.Compute(1, dir.File("abc"), &checksum));
  EXPECT_EQ(checksum, abc);
  EXPECT_OK(service.Compute(2, "abc", &checksum));
  EXPECT_EQ(checksum, abc);
  EXPECT_OK(service.Compute(2, "", &checksum));
  EXPECT_EQ(checksum, "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  std::string derived;
  EXPECT_OK(service.Derive(2, abc, &derived));
  EXPECT_EQ(derived.size(), 64u);
  EXPECT_NE(derived, abc);

  EXPECT_HR(service.Compute(1, dir.File("missing"), &checksum), HResultFromWin32(ENOENT));
  EXPECT_HR(service.Compute(1, dir.path(), &checksum), HResultFromWin32(EISDIR));
  EXPECT_HR(service.Compute(3, "abc", &checksum), E_INVALIDARG);
  EXPECT_HR(service.Compute(2, "abc", nullptr), E_POINTER);
}

}  // namespace
}  // namespace xmlsecdb
