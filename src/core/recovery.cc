#include "core/recovery.h"

#include <atomic>
#include <mutex>

#include "core/error_report.h"
#include "core/messages.h"
#include "platform/debug_log.h"
#include "platform/env.h"
#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/object.h"
#include "platform/registry.h"
#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/settings.h"

namespace xmlsecdb {
namespace {

constexpr std::string_view kRootKey = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kParametersKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\QorAgent\\Parameters";
constexpr std::size_t kMaxRootLength = 260;

std::atomic<RecoveryPolicy> g_policy{RecoveryPolicy::kFromRegistry};

// The registry decision, once made, for the life of the process (or of the
// process's registry store, when the environment is given another).
struct Decision {
  std::mutex mu;
  std::uint64_t decided_by = 0;  // the serial of the store that decided
  bool enabled = true;
};

Decision& TheDecision() {
  static Decision decision;
  return decision;
}

std::string SettingsRoot(const Registry& registry) {
  std::string root;
  std::uint32_t type = 0;
  if (Failed(registry.QueryString(kParametersKey, "SettingsRoot", &root, &type))) return {};
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || root.size() > kMaxRootLength) return {};
  return root;
}

}  // namespace

void SetRecoveryPolicy(RecoveryPolicy policy) { g_policy.store(policy); }
RecoveryPolicy GetRecoveryPolicy() { return g_policy.load(); }

bool IsRecoveryEnabled() {
  switch (g_policy.load()) {
    case RecoveryPolicy::kOff:
      return false;
    case RecoveryPolicy::kOn:
      return true;
    case RecoveryPolicy::kFromRegistry:
      break;
  }
  const Registry& registry = *ProcessEnv().registry;
  Decision& decision = TheDecision();
  std::lock_guard<std::mutex> lock(decision.mu);
  if (decision.decided_by == registry.serial()) return decision.enabled;
  std::string root = SettingsRoot(registry);
  DebugLog("ZelXmlSd: RegRoot:%s\n", root.c_str());
  std::string key(kRootKey);
  if (!root.empty()) {
    key += '\\';
    key += root;
  }
  // While the settings key is missing nothing is decided: the feature
  // counts as on and the next load asks again.
  if (!registry.KeyExists(key)) return true;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool off = Succeeded(registry.QueryValue(key, "Recovery", &type, &data)) &&
             type == REG_DWORD && data.size() == 4 && data[0] == 0 && data[1] == 0 &&
             data[2] == 0 && data[3] == 0;
  decision.decided_by = registry.serial();
  decision.enabled = !off;
  return decision.enabled;
}

namespace {

// The thread's error record, taken for the time its owner runs other loads
// and put back when it ends.
class SavedErrorRecord {
 public:
  SavedErrorRecord() {
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK) record_ = ComPtr<IErrorInfo>::Adopt(info);
  }
  ~SavedErrorRecord() { (void)SetErrorInfo(0, record_.get()); }
  SavedErrorRecord(const SavedErrorRecord&) = delete;
  SavedErrorRecord& operator=(const SavedErrorRecord&) = delete;

  std::string description() const {
    std::string text;
    if (record_) (void)record_->GetDescription(&text);
    return text;
  }

 private:
  ComPtr<IErrorInfo> record_;
};

const char* NoDamageReason(LoadFailure failure) {
  switch (failure) {
    case LoadFailure::kUnreadable:
      return "the file cannot be read";
    case LoadFailure::kKey:
      return "the key does not decrypt the file";
    case LoadFailure::kContent:
      return "the file is well-formed and its content is refused";
    default:
      return nullptr;
  }
}

}  // namespace

Recovery::Recovery(const Env& env, std::string path)
    : env_(env),
      files_(*env.file_system),
      path_(std::move(path)),
      backup_(path_ + "_"),
      backup_existed_(files_.IsRegularFile(backup_)) {}

bool Recovery::NotRestored(const char* reason) {
  DebugLog("ZelXmlSd: File not restored: %s: %s\n", path_.c_str(), reason);
  return false;
}

bool Recovery::Restore(HRESULT result, LoadFailure failure, const BackupCheck& backup_loads) {
  restore_ = {};
  if (!IsRecoveryEnabled() || !backup_existed_) return false;
  if (const char* reason = NoDamageReason(failure)) return NotRestored(reason);
  if (failure != LoadFailure::kMissing && failure != LoadFailure::kDamaged) return false;

  // Whatever the checks and copies below report stays off the thread: the
  // load's own failure is the record its caller sees.
  SavedErrorRecord first_failure;
  std::string backup;
  if (Failed(files_.ReadWholeFile(backup_, &backup))) {
    return NotRestored("the backup cannot be read");
  }
  if (Failed(backup_loads(backup, backup_))) return NotRestored("the backup does not load either");

  FileOwner owner;
  std::string damaged;
  if (failure == LoadFailure::kDamaged) {
    if (Failed(files_.GetOwner(path_, &owner)) || Failed(files_.ReadWholeFile(path_, &damaged))) {
      return NotRestored("the damaged file cannot be read");
    }
    if (!KeepDamagedCopy(damaged, owner)) {
      return NotRestored("the damaged file could not be kept as a complete copy");
    }
    restore_.damaged_copy = path_ + ".bad";
  } else if (Failed(files_.GetOwner(backup_, &owner))) {
    return NotRestored("the backup cannot be read");
  }
  if (Failed(files_.WriteWholeFile(path_, backup, &owner))) {
    restore_ = {};
    return NotRestored("the backup could not be copied over it");
  }

  restore_.error = result;
  restore_.description = first_failure.description();
  restore_.backup_path = backup_;
  std::string text = FormatText(std::string(LoadMessage(kMsgBackupUsed)).c_str(), path_.c_str(),
                                static_cast<unsigned>(result));
  // The event's one insertion string; the event's own text frames it.
  ReportEventLog(*env_.event_log, kEventIdCannotParse, "%s", text.c_str());
  DebugLog("ZelXmlSd: File restored: %s\n", path_.c_str());
  return true;
}

bool Recovery::KeepDamagedCopy(const std::string& damaged, const FileOwner& owner) {
  const std::string bad = path_ + ".bad";
  if (files_.PathExists(bad)) {
    std::string earlier;
    const bool same = files_.IsRegularFile(bad) && Succeeded(files_.ReadWholeFile(bad, &earlier)) &&
                      earlier == damaged;
    std::string moved_to;
    if (!same && Failed(files_.MoveToNumbered(bad, &moved_to))) return false;
    if (!same) DebugLog("ZelXmlSd: Earlier damaged copy moved: %s\n", moved_to.c_str());
  }
  std::string kept;
  return Succeeded(files_.WriteWholeFile(bad, damaged, &owner)) &&
         Succeeded(files_.ReadWholeFile(bad, &kept)) && kept == damaged;
}

void Recovery::RefreshBackup() {
  if (!IsRecoveryEnabled()) return;
  FileOwner owner;
  const bool known = Succeeded(files_.GetOwner(path_, &owner));
  (void)files_.CopyFile(path_, backup_, known ? &owner : nullptr);
  DebugLog("ZelXmlSd: File backup created: %s\n", path_.c_str());
}

}  // namespace xmlsecdb
