#include "platform/debug_log.h"

namespace xmlsecdb {

// Placeholder until the registry-driven log file exists: logging is off.
void DebugLog(const char*, ...) {}

}  // namespace xmlsecdb
