// The debug log: developer-facing lines, one per call, process-wide.
//
// DebugLog writes to the debug-log sink of the process's environment
// (env.h). The real sink is the log file (FileDebugLog), off unless the
// registry enables it (see FileDebugLog::Open). Each line goes to the file
// with one write, prefixed "[<thread id>] " and ending in CRLF; a line is at
// most 2048 bytes including that prefix and its line end (longer texts are
// cut at a character boundary). Nothing here ever fails a caller. All
// functions may be called from any thread; writers do not serialise each
// other, only against opening and closing the file.
#ifndef XMLSECDB_PLATFORM_DEBUG_LOG_H_
#define XMLSECDB_PLATFORM_DEBUG_LOG_H_

#include <atomic>
#include <cstdarg>
#include <shared_mutex>

namespace xmlsecdb {

class Registry;

// printf-style; the texts conventionally start "ZelXmlSd: " and end "\n".
void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// True while the process's sink wants lines; lets callers skip building
// costly texts.
bool DebugLogEnabled();

// Where debug-log lines go.
class DebugLogSink {
 public:
  virtual ~DebugLogSink() = default;
  virtual bool Enabled() = 0;
  // One line, `format` and `args` as DebugLog was given them.
  virtual void Write(const char* format, va_list args) = 0;
};

// A log file.
class FileDebugLog : public DebugLogSink {
 public:
  FileDebugLog() = default;
  ~FileDebugLog() override { Close(); }
  FileDebugLog(const FileDebugLog&) = delete;
  FileDebugLog& operator=(const FileDebugLog&) = delete;

  // Closes any file, then reads the key
  // HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\ZelCfg of `registry`: when the DWORD
  // LogEnable is non-zero and the string LogPath names a directory, creates "ZelXmlSDLog.txt" there
  // (or, when that exists, "ZelXmlSDLog<number>.txt", never reusing an existing file) and writes
  // the "Log file created" line. The directory and "ZelXmlSDLog" together must be shorter than 241
  // characters. Any failure leaves the log off.
  void Open(const Registry& registry);
  // Closes the file; the log is off until opened again.
  void Close();

  bool Enabled() override;
  void Write(const char* format, va_list args) override;

 private:
  // Writers hold it shared, so lines are never serialised against each
  // other; Open and Close hold it exclusively, so no write can reach a
  // descriptor that was closed (and perhaps reused by the process)
  // meanwhile.
  std::shared_mutex mu_;
  std::atomic<bool> enabled_{false};
  int fd_ = -1;  // guarded by mu_
};

// The process's log file, the sink of the default environment. It opens
// from the process's registry once: when the host calls InitDebugLog as the
// library is loaded, or else at the first line; later calls do nothing.
DebugLogSink& DefaultDebugLog();
void InitDebugLog();
// Closes the process's log file; it stays off for the rest of the process.
void ShutdownDebugLog();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_DEBUG_LOG_H_
