// Process-wide settings of the library.
#ifndef XMLSECDB_SETTINGS_H_
#define XMLSECDB_SETTINGS_H_

#include "xmlsecdb/export.h"

namespace xmlsecdb {

// Whether Load keeps a backup of every good database and falls back to it
// when a file is damaged. By default the registry decides (on unless its
// Recovery switch is 0); a tool that must never write beside the files it
// reads turns it off.
enum class RecoveryPolicy { kFromRegistry, kOff, kOn };
XMLSECDB_EXPORT void SetRecoveryPolicy(RecoveryPolicy policy);
XMLSECDB_EXPORT RecoveryPolicy GetRecoveryPolicy();

}  // namespace xmlsecdb

#endif  // XMLSECDB_SETTINGS_H_
