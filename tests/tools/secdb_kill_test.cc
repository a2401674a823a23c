// `secdb save` killed at any moment: the target is always the complete old
// or the complete new file, and the next save leaves no temporary file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "testing/temp_dir.h"

namespace xmlsecdb {
namespace {

using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

// An anti-malware database of more than 4 MB once saved as UTF-16.
std::string LargeDatabase() {
  std::string text =
      "<?xml version=\"1.0\"?>\n<SecDb><VersionInfo major=\"1\"/><Module id=\"AntiMalware\"/>"
      "<Definitions>";
  for (int i = 0; i < 30000; ++i) {
    text += "<Object id=\"F" + std::to_string(i) + "\" ot=\"File\"><Item>C:\\dir\\file" +
            std::to_string(i) + ".exe</Item></Object>\n";
  }
  return text + "</Definitions></SecDb>";
}

// Starts `secdb save in out` with its output discarded.
pid_t StartSave(const std::string& in, const std::string& out) {
  pid_t pid = ::fork();
  if (pid == 0) {
    int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execl(SECDB_TOOL_PATH, SECDB_TOOL_PATH, "save", in.c_str(), out.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

int TempFiles(const TempDir& dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    if (entry.path().filename().string().find(".tmp") != std::string::npos) ++count;
  }
  return count;
}

TEST(SecdbKillTest, KilledSavesLeaveTheOldOrTheNewFile) {
  TempDir dir;
  const std::string in = dir.File("in.xml");
  const std::string out = dir.File("out.xml");
  const std::string old_content = LargeDatabase();
  WriteFileBytes(in, old_content);

  // One whole save gives the new content, and how long a save takes: the
  // kills are spread over that time.
  WriteFileBytes(out, old_content);
  const auto start = std::chrono::steady_clock::now();
  int status = 0;
  ASSERT_EQ(::waitpid(StartSave(in, out), &status, 0) > 0 && WIFEXITED(status) &&
                WEXITSTATUS(status) == 0,
            true);
  const auto whole = std::chrono::steady_clock::now() - start;
  const std::string new_content = ReadFileBytes(out);
  ASSERT_GT(new_content.size(), 4u << 20);
  ASSERT_NE(new_content, old_content);

  constexpr int kMoments = 30;
  int killed = 0;
  for (int i = 0; i < kMoments; ++i) {
    SCOPED_TRACE("kill " + std::to_string(i));
    WriteFileBytes(out, old_content);
    pid_t pid = StartSave(in, out);
    std::this_thread::sleep_for(whole * i / kMoments);
    ::kill(pid, SIGKILL);
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    if (WIFSIGNALED(status)) ++killed;
    const std::string now = ReadFileBytes(out);
    EXPECT_TRUE(now == old_content || now == new_content) << now.size() << " bytes";
  }
  EXPECT_GT(killed, 0);

  // Whatever the kills left, the next save removes it.
  ASSERT_EQ(::waitpid(StartSave(in, out), &status, 0) > 0 && WIFEXITED(status) &&
                WEXITSTATUS(status) == 0,
            true);
  EXPECT_EQ(ReadFileBytes(out), new_content);
  EXPECT_EQ(TempFiles(dir), 0);
}

}  // namespace
}  // namespace xmlsecdb
