#include "platform/debug_log.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <shared_mutex>
#include <string>

#include "platform/env.h"
#include "platform/registry.h"

namespace xmlsecdb {
namespace {

constexpr char kSettingsKey[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\ZelCfg";
constexpr std::string_view kBaseName = "ZelXmlSDLog";
constexpr std::size_t kMaxLogPath = 260;
constexpr std::size_t kMaxDirAndBase = 240;  // "shorter than 241"
constexpr std::size_t kMaxLine = 2048;
// Attempts at a numbered name before giving up; each EEXIST moves to the
// next number, so processes started in the same millisecond still differ.
constexpr int kNameAttempts = 1000;

unsigned ThreadId() { return static_cast<unsigned>(::syscall(SYS_gettid)); }

// Where the kept part of `text` ends when cut to `limit` bytes, without
// splitting a UTF-8 sequence; text[limit] must be the byte after the cut.
std::size_t CutAtCharacter(const char* text, std::size_t length, std::size_t limit) {
  if (length <= limit) return length;
  std::size_t n = limit;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

// Control characters of the logged texts are written as \xNN, so that a
// text with a line feed (a file name may have one) cannot start a line of
// its own; only the line feed that ends the format ends the line.
void AppendEscaped(std::string* line, std::string_view text) {
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      line->append(escaped, 4);
    } else {
      line->push_back(c);
    }
  }
}

// Builds the line and writes it with one call. The caller holds the log's
// lock.
void WriteLine(int fd, const char* format, va_list args) {
  char small[kMaxLine + 8];
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0) return;
  std::string text;
  if (static_cast<std::size_t>(n) < sizeof small) {
    text.assign(small, static_cast<std::size_t>(n));
  } else {
    text.assign(static_cast<std::size_t>(n) + 1, '\0');
    va_copy(copy, args);
    std::vsnprintf(text.data(), text.size(), format, copy);
    va_end(copy);
    text.resize(static_cast<std::size_t>(n));
  }
  const bool ends_in_lf = !text.empty() && text.back() == '\n';
  if (ends_in_lf) text.pop_back();

  char prefix[32];
  int prefix_length = std::snprintf(prefix, sizeof prefix, "[%u] ", ThreadId());
  if (prefix_length < 0) return;
  std::string line(prefix, static_cast<std::size_t>(prefix_length));
  AppendEscaped(&line, text);
  // The line still has to end when it is cut, or the next line would run
  // into it.
  const std::size_t length =
      CutAtCharacter(line.data(), line.size(), ends_in_lf ? kMaxLine - 2 : kMaxLine);
  line.resize(length);
  if (ends_in_lf) line += "\r\n";
  // A failed or short write drops (the rest of) the line.
  (void)!::write(fd, line.data(), line.size());
}

void WriteLineF(int fd, const char* format, ...) __attribute__((format(printf, 2, 3)));
void WriteLineF(int fd, const char* format, ...) {
  va_list args;
  va_start(args, format);
  WriteLine(fd, format, args);
  va_end(args);
}

// Creates the log file in `dir`; -1 on failure.
int CreateLogFile(std::string dir) {
  if (dir.back() != '/') dir.push_back('/');
  std::string base = dir + std::string(kBaseName);
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC;
  int fd = ::open((base + ".txt").c_str(), kFlags, 0644);
  if (fd >= 0 || errno != EEXIST) return fd;

  timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  unsigned long long number =
      static_cast<unsigned long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt, ++number) {
    fd = ::open((base + std::to_string(number) + ".txt").c_str(), kFlags, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

void FileDebugLog::Open(const Registry& registry) {
  std::unique_lock lock(mu_);
  enabled_.store(false, std::memory_order_release);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  std::uint32_t enable = 0;
  if (Failed(registry.QueryDword(kSettingsKey, "LogEnable", &enable)) || enable == 0) return;
  std::string dir;
  if (Failed(registry.QueryString(kSettingsKey, "LogPath", &dir)) || dir.empty() ||
      dir.size() > kMaxLogPath || dir.size() + kBaseName.size() > kMaxDirAndBase) {
    return;
  }
  int fd = CreateLogFile(std::move(dir));
  if (fd < 0) return;
  fd_ = fd;
  enabled_.store(true, std::memory_order_release);

  timespec now;
  ::clock_gettime(CLOCK_REALTIME, &now);
  tm utc;
  ::gmtime_r(&now.tv_sec, &utc);
  WriteLineF(fd, "ZelXXX: Log file created %04u/%02u/%02u %02u:%02u:%02u:%03u\n",
             static_cast<unsigned>(utc.tm_year + 1900), static_cast<unsigned>(utc.tm_mon + 1),
             static_cast<unsigned>(utc.tm_mday), static_cast<unsigned>(utc.tm_hour),
             static_cast<unsigned>(utc.tm_min), static_cast<unsigned>(utc.tm_sec),
             static_cast<unsigned>(now.tv_nsec / 1000000));
}

void FileDebugLog::Close() {
  std::unique_lock lock(mu_);
  enabled_.store(false, std::memory_order_release);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool FileDebugLog::Enabled() { return enabled_.load(std::memory_order_acquire); }

void FileDebugLog::Write(const char* format, va_list args) {
  std::shared_lock lock(mu_);
  if (fd_ >= 0) WriteLine(fd_, format, args);
}

namespace {

// The process's file: opened once, from the process's registry.
class ProcessDebugLog final : public DebugLogSink {
 public:
  void Init() {
    std::call_once(opened_, [this] { file_.Open(*ProcessEnv().registry); });
  }
  void Shutdown() {
    // Marks it opened, so that a later line does not open it after all.
    std::call_once(opened_, [] {});
    file_.Close();
  }
  bool Enabled() override {
    Init();
    return file_.Enabled();
  }
  void Write(const char* format, va_list args) override { file_.Write(format, args); }

 private:
  std::once_flag opened_;
  FileDebugLog file_;
};

// Never destroyed: DebugLog may run from other objects' destructors at exit.
ProcessDebugLog& TheProcessLog() {
  static ProcessDebugLog* const log = new ProcessDebugLog;
  return *log;
}

}  // namespace

DebugLogSink& DefaultDebugLog() { return TheProcessLog(); }
void InitDebugLog() { TheProcessLog().Init(); }
void ShutdownDebugLog() { TheProcessLog().Shutdown(); }

bool DebugLogEnabled() { return ProcessEnv().debug_log->Enabled(); }

void DebugLog(const char* format, ...) {
  if (!format) return;
  DebugLogSink& sink = *ProcessEnv().debug_log;
  if (!sink.Enabled()) return;
  va_list args;
  va_start(args, format);
  sink.Write(format, args);
  va_end(args);
}

}  // namespace xmlsecdb
