// Backup and recovery around a parser's load.
//
// After a good load the file is copied to its backup (`path` + "_"); when a
// load fails and a backup exists, the damaged file is copied aside
// (`path` + ".bad"), the backup is put in its place, the event is reported
// to the event log, and the load is repeated. Copies go through a temporary
// file and a rename, so an interrupted copy never leaves a half-written
// database or backup.
#ifndef XMLSECDB_CORE_RECOVERY_H_
#define XMLSECDB_CORE_RECOVERY_H_

#include <functional>
#include <string>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

struct Env;

// Whether recovery is on: the process-wide policy, and with the default
// policy the Recovery switch of the process's registry, decided once per
// registry store.
bool IsRecoveryEnabled();

// Runs `parse(path)` with backup and recovery on the files and event log of
// `env`; `clear()` empties the model before the second parse. Returns the
// result that counts.
HRESULT LoadWithRecovery(const Env& env, const std::string& path,
                         const std::function<HRESULT(const std::string&)>& parse,
                         const std::function<void()>& clear);

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_RECOVERY_H_
