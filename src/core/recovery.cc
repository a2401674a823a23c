#include "core/recovery.h"

#include <atomic>
#include <mutex>

#include "core/error_report.h"
#include "core/messages.h"
#include "platform/debug_log.h"
#include "platform/env.h"
#include "platform/event_log.h"
#include "platform/file_system.h"
#include "platform/registry.h"
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

HRESULT LoadWithRecovery(const Env& env, const std::string& path,
                         const std::function<HRESULT(const std::string&)>& parse,
                         const std::function<void()>& clear) {
  FileSystem& files = *env.file_system;
  const std::string backup = path + "_";
  const bool backup_existed = files.FileExists(backup);
  HRESULT result = parse(path);
  const bool enabled = IsRecoveryEnabled();
  if (Failed(result) && enabled && backup_existed) {
    (void)files.CopyFile(path, path + ".bad");
    if (Failed(files.CopyFile(backup, path))) return result;
    std::string text = FormatText(std::string(LoadMessage(kMsgBackupUsed)).c_str(), path.c_str(),
                                  static_cast<unsigned>(result));
    // The event's one insertion string; the event's own text frames it.
    ReportEventLog(*env.event_log, kEventIdCannotParse, "%s", text.c_str());
    DebugLog("ZelXmlSd: File restored: %s\n", path.c_str());
    clear();
    result = parse(path);
  } else if (Succeeded(result) && enabled) {
    (void)files.CopyFile(path, backup);
    DebugLog("ZelXmlSd: File backup created: %s\n", path.c_str());
  }
  return result;
}

}  // namespace xmlsecdb
