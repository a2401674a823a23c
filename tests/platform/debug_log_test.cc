#include "platform/debug_log.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/registry.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

namespace fs = std::filesystem;

constexpr char kSettingsKey[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\ZelCfg";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> SplitCrlf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "text does not end in CRLF";
  return lines;
}

// Whether `text` matches `pattern`, in which '#' stands for one or more
// digits and every other character for itself.
bool Matches(std::string_view text, std::string_view pattern) {
  std::size_t t = 0;
  for (char p : pattern) {
    if (p == '#') {
      std::size_t start = t;
      while (t < text.size() && text[t] >= '0' && text[t] <= '9') ++t;
      if (t == start) return false;
    } else if (t == text.size() || text[t++] != p) {
      return false;
    }
  }
  return t == text.size();
}

std::string Prefix() {
  return "[" + std::to_string(static_cast<unsigned>(::syscall(SYS_gettid))) + "] ";
}

// A temporary directory, and a log file and registry of the test's own as
// the process's, so that DebugLog writes there.
class DebugLogTest : public ::testing::Test {
 protected:
  DebugLogTest() { env_.debug_log = &log_; }
  void SetUp() override {
    char dir[] = "/tmp/debug_log_test_XXXXXX";
    ASSERT_NE(::mkdtemp(dir), nullptr);
    dir_ = dir;
  }
  void TearDown() override {
    log_.Close();
    fs::remove_all(dir_);
  }

  // Enables the log into `dir` and initialises it again.
  void Enable(const std::string& dir) {
    registry_.Reset();
    ASSERT_OK(registry_.SetDword(kSettingsKey, "LogEnable", 1));
    ASSERT_OK(registry_.SetString(kSettingsKey, "LogPath", dir));
    log_.Open(registry_);
  }

  std::vector<fs::path> LogFiles(const fs::path& dir) const {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    return files;
  }

  std::string ReplaceDir(std::string text) const {
    for (std::size_t at; (at = text.find("DIR")) != std::string::npos;) text.replace(at, 3, dir_);
    return text;
  }

  std::string dir_;
  Registry registry_;
  FileDebugLog log_;
  testing::TestEnv env_;
  testing::ScopedProcessEnv scope_{env_};
};

TEST_F(DebugLogTest, StaysOffWithoutUsableSettings) {
  const struct {
    const char* what;
    const char* values;  // lines under the settings key
  } kCases[] = {
      {"no key", nullptr},
      {"LogEnable 0", "\"LogEnable\"=dword:00000000\n\"LogPath\"=\"DIR\""},
      {"LogEnable missing", "\"LogPath\"=\"DIR\""},
      {"LogEnable not a DWORD", "\"LogEnable\"=\"1\"\n\"LogPath\"=\"DIR\""},
      {"LogPath missing", "\"LogEnable\"=dword:00000001"},
      {"LogPath empty", "\"LogEnable\"=dword:00000001\n\"LogPath\"=\"\""},
      {"LogPath not a string", "\"LogEnable\"=dword:00000001\n\"LogPath\"=dword:00000001"},
      {"LogPath not a directory", "\"LogEnable\"=dword:00000001\n\"LogPath\"=\"DIR/none/x\""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    std::string text = "Windows Registry Editor Version 5.00\n";
    if (c.values) {
      text += "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\ZelCfg]\n" +
              ReplaceDir(c.values) + "\n";
    }
    ASSERT_OK(registry_.LoadText(text));
    log_.Open(registry_);
    DebugLog("ZelXmlSd: %s\n", "nothing");
    EXPECT_FALSE(DebugLogEnabled());
    EXPECT_TRUE(LogFiles(dir_).empty());
  }
}

TEST_F(DebugLogTest, WritesPrefixedCrlfLinesToTheDirectory) {
  Enable(dir_);  // no trailing slash
  ASSERT_TRUE(DebugLogEnabled());
  DebugLog("ZelXmlSd: Error in %s: %s\n", "CTestRule::put_Key()", "The database is read-only.");
  DebugLog("ZelXmlSd: no line feed");
  DebugLog("%s", "\n");
  log_.Close();
  DebugLog("ZelXmlSd: after shutdown\n");

  ASSERT_EQ(LogFiles(dir_), std::vector<fs::path>{fs::path(dir_) / "ZelXmlSDLog.txt"});
  auto lines = SplitCrlf(ReadAll(fs::path(dir_) / "ZelXmlSDLog.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(),
            Prefix().size() + std::strlen("ZelXXX: Log file created 2024/06/01 12:00:00:000"));
  EXPECT_TRUE(Matches(lines[0], "[#] ZelXXX: Log file created #/#/# #:#:#:#")) << lines[0];
  EXPECT_EQ(lines[1],
            Prefix() + "ZelXmlSd: Error in CTestRule::put_Key(): The database is read-only.");
  EXPECT_EQ(lines[2], Prefix() + "ZelXmlSd: no line feed" + Prefix());
}

// A logged text cannot start a line of its own: its control characters
// are written as \xNN, and only the format's own line feed ends the line.
TEST_F(DebugLogTest, ControlCharactersInTextsAreEscaped) {
  Enable(dir_);
  DebugLog("ZelXmlSd: File restored: %s\n", "/db/a\r\n[1] ZelXmlSd: forged\t\x7F.xml");
  log_.Close();
  auto lines = SplitCrlf(ReadAll(fs::path(dir_) / "ZelXmlSDLog.txt"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(
      lines[1],
      Prefix() + "ZelXmlSd: File restored: /db/a\\x0D\\x0A[1] ZelXmlSd: forged\\x09\\x7F.xml");
}

TEST_F(DebugLogTest, NeverReusesAnExistingFile) {
  const fs::path first = fs::path(dir_) / "ZelXmlSDLog.txt";
  std::ofstream(first) << "older log";
  // Numbered names around the current time are taken too: opening must step
  // past them rather than share or overwrite one.
  auto now_ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::system_clock::now().time_since_epoch())
                    .count();
  std::set<fs::path> taken = {first};
  for (long long n = now_ms; n < now_ms + 200; ++n) {
    fs::path p = fs::path(dir_) / ("ZelXmlSDLog" + std::to_string(n) + ".txt");
    std::ofstream(p) << "taken";
    taken.insert(p);
  }

  std::set<fs::path> created;
  for (int i = 0; i < 3; ++i) {
    Enable(dir_ + "/");
    DebugLog("ZelXmlSd: run %d\n", i);
    for (const fs::path& p : LogFiles(dir_)) {
      if (!taken.count(p)) created.insert(p);
    }
    taken.insert(created.begin(), created.end());
  }
  ASSERT_EQ(created.size(), 3u);
  for (const fs::path& p : created) {
    EXPECT_TRUE(Matches(p.filename().string(), "ZelXmlSDLog#.txt")) << p;
  }
  EXPECT_EQ(ReadAll(first), "older log");
}

TEST_F(DebugLogTest, DirectoryPlusBaseNameMustBeShorterThan241) {
  // "ZelXmlSDLog" has 11 characters: a 229-character directory is the longest.
  for (std::size_t length : {229u, 230u, 240u}) {
    SCOPED_TRACE(length);
    std::string dir = dir_ + "/" + std::to_string(length) + "_";
    dir += std::string(length - dir.size(), 'd');
    ASSERT_EQ(dir.size(), length);
    fs::create_directory(dir);
    Enable(dir);
    EXPECT_EQ(DebugLogEnabled(), length == 229);
    EXPECT_EQ(LogFiles(dir).size(), length == 229 ? 1u : 0u);
  }
}

TEST_F(DebugLogTest, LongLinesAreCutTo2048Bytes) {
  Enable(dir_);
  const std::string kLong(5000, 'x');
  DebugLog("%s\n", kLong.c_str());
  DebugLog("%s", kLong.c_str());
  DebugLog("\n");
  // A two-byte character straddling the limit is dropped whole.
  const std::string straddle = std::string(2047 - Prefix().size(), 'y') + "\xC3\xA9" + "more";
  DebugLog("%s", straddle.c_str());
  DebugLog("\n");
  log_.Close();

  auto lines = SplitCrlf(ReadAll(fs::path(dir_) / "ZelXmlSDLog.txt"));
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], Prefix() + std::string(2046 - Prefix().size(), 'x'));
  EXPECT_EQ(lines[2], Prefix() + std::string(2048 - Prefix().size(), 'x') + Prefix());
  EXPECT_EQ(lines[3], Prefix() + std::string(2047 - Prefix().size(), 'y') + Prefix());
}

TEST_F(DebugLogTest, ConcurrentLinesStayWhole) {
  Enable(dir_);
  constexpr int kThreads = 4;
  constexpr int kLines = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) DebugLog("ZelXmlSd: thread %d line %d\n", t, i);
    });
  }
  for (auto& thread : threads) thread.join();
  log_.Close();

  auto lines = SplitCrlf(ReadAll(fs::path(dir_) / "ZelXmlSDLog.txt"));
  ASSERT_EQ(lines.size(), 1u + kThreads * kLines);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    ASSERT_TRUE(Matches(lines[i], "[#] ZelXmlSd: thread # line #")) << lines[i];
  }
}

}  // namespace
}  // namespace xmlsecdb
