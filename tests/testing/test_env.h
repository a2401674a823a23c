// Environments for tests: captures of what the library writes to the event
// log and the debug log, a file system that fails where a test says, and
// scoped guards that put the process's environment and settings back even
// when an assertion fails.
#ifndef XMLSECDB_TESTS_TESTING_TEST_ENV_H_
#define XMLSECDB_TESTS_TESTING_TEST_ENV_H_

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/debug_log.h"
#include "platform/env.h"
#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "xmlsecdb/settings.h"

namespace xmlsecdb::testing {

// One reported event.
struct EventRecord {
  std::uint32_t event_id = 0;
  int type = EVENTLOG_SUCCESS;
  std::string text;
};

class CapturingEventLog final : public ::xmlsecdb::EventLog {
 public:
  void Report(std::uint32_t event_id, int type, std::string_view text) override;
  std::vector<EventRecord> events() const;

 private:
  mutable std::mutex mu_;
  std::vector<EventRecord> events_;
};

// Keeps every line as formatted, before the file's prefix and line end:
// "ZelXmlSd: Error in CTestRule::put_Key(): ...\n".
class CapturingDebugLog final : public DebugLogSink {
 public:
  bool Enabled() override { return true; }
  void Write(const char* format, va_list args) override;
  std::vector<std::string> lines() const;
  // The lines that report a failure ("ZelXmlSd: Error in ...").
  std::vector<std::string> errors() const;
  void Clear();

 private:
  mutable std::mutex mu_;
  std::vector<std::string> lines_;
};

// The steps of an atomic write, as FaultInjectingFileSystem fails them.
enum class WriteStep { kCreate, kAppend, kCommit };

// Passes everything to `target` but fails one step of the writes: the
// `occurrence`-th time (counting from 1) that step runs, with
// HResultFromWin32(ENOSPC) (appends) or EIO (the rest). The failed file is
// discarded, as a real failure would leave it. Reads of chosen paths can
// fail too (a file that exists but cannot be read).
class FaultInjectingFileSystem final : public FileSystem {
 public:
  explicit FaultInjectingFileSystem(FileSystem& target) : target_(target) {}

  void FailAt(WriteStep step, int occurrence = 1);
  void Heal() {
    armed_ = false;
    unreadable_.clear();
  }
  // How many times each step ran since the last FailAt.
  int count(WriteStep step) const { return counts_[static_cast<int>(step)]; }
  // Reads of `path` fail with HResultFromWin32(error) (EACCES, EIO) until
  // Heal.
  void FailReads(const std::string& path, int error) { unreadable_[path] = error; }

  bool FileExists(const std::string& path) override { return target_.FileExists(path); }
  bool PathExists(const std::string& path) override { return target_.PathExists(path); }
  bool IsRegularFile(const std::string& path) override { return target_.IsRegularFile(path); }
  HRESULT GetOwner(const std::string& path, FileOwner* owner) override {
    return target_.GetOwner(path, owner);
  }
  HRESULT ReadWholeFile(const std::string& path, std::string* bytes) override {
    if (HRESULT hr = ReadFailure(path); Failed(hr)) return hr;
    return target_.ReadWholeFile(path, bytes);
  }
  HRESULT NewSequentialFile(const std::string& path,
                            std::unique_ptr<SequentialFile>* file) override {
    file->reset();
    if (HRESULT hr = ReadFailure(path); Failed(hr)) return hr;
    return target_.NewSequentialFile(path, file);
  }
  using FileSystem::NewAtomicFile;
  HRESULT NewAtomicFile(const std::string& path, const FileOwner* owner,
                        std::unique_ptr<AtomicFile>* file) override;
  HRESULT MoveToNumbered(const std::string& path, std::string* moved_to) override {
    return target_.MoveToNumbered(path, moved_to);
  }
  std::unique_ptr<DirectoryWatch> WatchDirectory(const std::string& directory) override {
    return target_.WatchDirectory(directory);
  }

  // Whether the step fails now; counts it.
  bool Fails(WriteStep step);

 private:
  HRESULT ReadFailure(const std::string& path) const {
    auto it = unreadable_.find(path);
    if (it == unreadable_.end()) return S_OK;
    return HResultFromWin32(static_cast<std::uint32_t>(it->second));
  }

  FileSystem& target_;
  bool armed_ = false;
  WriteStep step_ = WriteStep::kCreate;
  int occurrence_ = 0;
  int counts_[3] = {};
  std::map<std::string, int> unreadable_;
};

// An environment to change: the default one's services, each replaceable.
struct TestEnv : Env {
  TestEnv() : Env(Env::Default()) {}
};

// Makes `env` the process's environment for the guard's life.
class ScopedProcessEnv {
 public:
  explicit ScopedProcessEnv(const Env& env) : previous_(SetProcessEnv(&env)) {}
  ~ScopedProcessEnv() { SetProcessEnv(previous_); }
  ScopedProcessEnv(const ScopedProcessEnv&) = delete;
  ScopedProcessEnv& operator=(const ScopedProcessEnv&) = delete;

 private:
  const Env* previous_;
};

// The process's debug log captured for the guard's life.
class ScopedDebugLogCapture {
 public:
  ScopedDebugLogCapture() : env_(MakeEnv(&log_)), scope_(env_) {}
  CapturingDebugLog& log() { return log_; }
  std::vector<std::string> errors() const { return log_.errors(); }

 private:
  static TestEnv MakeEnv(CapturingDebugLog* log) {
    TestEnv env;
    env.debug_log = log;
    return env;
  }
  CapturingDebugLog log_;
  TestEnv env_;
  ScopedProcessEnv scope_;
};

// Whether the failure just reported is `description` from `source`: the
// thread's error record says it, and since the last check the debug log got
// exactly one error line, "ZelXmlSd: Error in <source>: <description>\n".
// Takes the record and empties the capture, as the next check expects.
::testing::AssertionResult Reported(ScopedDebugLogCapture& log, std::string_view source,
                                    std::string_view description);

// Message 111, which every modifying call of a read-only database reports.
inline constexpr std::string_view kReadOnlyText =
    "Database is opened in read-only mode and cannot be modified.";

// Sets the recovery policy for the guard's life.
class ScopedRecoveryPolicy {
 public:
  explicit ScopedRecoveryPolicy(RecoveryPolicy policy) : previous_(GetRecoveryPolicy()) {
    SetRecoveryPolicy(policy);
  }
  ~ScopedRecoveryPolicy() { SetRecoveryPolicy(previous_); }
  ScopedRecoveryPolicy(const ScopedRecoveryPolicy&) = delete;
  ScopedRecoveryPolicy& operator=(const ScopedRecoveryPolicy&) = delete;

 private:
  RecoveryPolicy previous_;
};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_TEST_ENV_H_
