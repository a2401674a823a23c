#include "testing/test_env.h"

#include <cerrno>
#include <cstdio>

#include "xmlsecdb/dispatch.h"

namespace xmlsecdb::testing {

void CapturingEventLog::Report(std::uint32_t event_id, int type, std::string_view text) {
  std::lock_guard lock(mu_);
  events_.push_back({event_id, type, std::string(text)});
}

std::vector<EventRecord> CapturingEventLog::events() const {
  std::lock_guard lock(mu_);
  return events_;
}

void CapturingDebugLog::Write(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string line(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(line.data(), line.size() + 1, format, args);
  std::lock_guard lock(mu_);
  lines_.push_back(std::move(line));
}

std::vector<std::string> CapturingDebugLog::lines() const {
  std::lock_guard lock(mu_);
  return lines_;
}

std::vector<std::string> CapturingDebugLog::errors() const {
  std::vector<std::string> errors;
  for (std::string& line : lines()) {
    if (line.rfind("ZelXmlSd: Error in ", 0) == 0) errors.push_back(std::move(line));
  }
  return errors;
}

void CapturingDebugLog::Clear() {
  std::lock_guard lock(mu_);
  lines_.clear();
}

::testing::AssertionResult Reported(ScopedDebugLogCapture& log, std::string_view source,
                                    std::string_view description) {
  std::string record;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) == S_OK && info) {
    (void)info->GetDescription(&record);
    info->Release();
  }
  std::vector<std::string> errors = log.errors();
  log.log().Clear();
  const std::string line =
      "ZelXmlSd: Error in " + std::string(source) + ": " + std::string(description) + "\n";
  if (record == description && errors.size() == 1 && errors[0] == line) {
    return ::testing::AssertionSuccess();
  }
  auto failure = ::testing::AssertionFailure();
  failure << "expected record \"" << description << "\" and line \"" << line << "\"; got record \""
          << record << "\" and " << errors.size() << " line(s)";
  for (const std::string& error : errors) failure << "\n  " << error;
  return failure;
}

namespace {

class FaultyAtomicFile final : public AtomicFile {
 public:
  FaultyAtomicFile(FaultInjectingFileSystem& owner, std::unique_ptr<AtomicFile> target)
      : owner_(owner), target_(std::move(target)) {}
  HRESULT Append(std::string_view data) override {
    if (!target_) return E_UNEXPECTED;
    if (owner_.Fails(WriteStep::kAppend)) return Discard(ENOSPC);
    return target_->Append(data);
  }
  HRESULT Commit() override {
    if (!target_) return E_UNEXPECTED;
    if (owner_.Fails(WriteStep::kCommit)) return Discard(EIO);
    return target_->Commit();
  }

 private:
  HRESULT Discard(int error) {
    target_.reset();
    return HResultFromWin32(static_cast<std::uint32_t>(error));
  }
  FaultInjectingFileSystem& owner_;
  std::unique_ptr<AtomicFile> target_;
};

}  // namespace

void FaultInjectingFileSystem::FailAt(WriteStep step, int occurrence) {
  armed_ = true;
  step_ = step;
  occurrence_ = occurrence;
  for (int& count : counts_) count = 0;
}

bool FaultInjectingFileSystem::Fails(WriteStep step) {
  int seen = ++counts_[static_cast<int>(step)];
  return armed_ && step == step_ && seen == occurrence_;
}

HRESULT FaultInjectingFileSystem::NewAtomicFile(const std::string& path, const FileOwner* owner,
                                                std::unique_ptr<AtomicFile>* file) {
  file->reset();
  if (Fails(WriteStep::kCreate)) return HResultFromWin32(EIO);
  std::unique_ptr<AtomicFile> target;
  HRESULT hr = target_.NewAtomicFile(path, owner, &target);
  if (Failed(hr)) return hr;
  *file = std::make_unique<FaultyAtomicFile>(*this, std::move(target));
  return S_OK;
}

}  // namespace xmlsecdb::testing
