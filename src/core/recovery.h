// Backup and recovery around a parser's load.
//
// After a good load the file is copied to its backup (`path` + "_"). When
// a load fails because the file is damaged (LoadFailure below) and the
// backup loads with the same kind and key, the damaged file is kept beside
// it (`path` + ".bad", an earlier different one moved to ".bad.N"), the
// backup is put in its place, the event is reported to the event log, and
// the load is repeated. Nothing else ever touches the database: the
// damaged copy is written, synced and read back before the database is
// replaced, and every copy goes through the atomic writer with the
// database's owner and mode, so no failure or interruption leaves a
// database without a complete copy.
#ifndef XMLSECDB_CORE_RECOVERY_H_
#define XMLSECDB_CORE_RECOVERY_H_

#include <functional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "xmlsecdb/restore.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

struct Env;

// Whether recovery is on: the process-wide policy, and with the default
// policy the Recovery switch of the process's registry, decided once per
// registry store.
bool IsRecoveryEnabled();

// Why a load of a file failed, as far as recovery is concerned. Only
// kMissing and kDamaged are damage that the backup may repair; the others
// are the caller's or the system's matter, and nothing is touched.
enum class LoadFailure {
  kNone,
  kMissing,     // no file at the path
  kUnreadable,  // there, but it cannot be opened or read (EACCES, EIO, a FIFO)
  kKey,         // encrypted, and the key (or its absence) does not fit
  kDamaged,     // not well-formed, no markup, empty, or a cut cipher block
  kContent,     // well-formed, but its content is refused
};

// The steps around one load of `path`, in the order Load takes them:
//
//   Recovery recovery(env, path);       // notes whether a backup exists
//   hr = load();
//   if (failed && recovery.Restore(hr, failure, backup_loads)) hr = load();
//   else if (succeeded) recovery.RefreshBackup();
class Recovery {
 public:
  // Tries the backup's bytes as the database, without touching any file:
  // S_OK when they load with the parser's kind and key.
  using BackupCheck = std::function<HRESULT(std::string_view bytes, const std::string& name)>;

  Recovery(const Env& env, std::string path);

  // After a failed load (`result`, classified as `failure`, its error
  // record on the thread): true when the backup replaced the damaged file
  // and the load should be repeated. False, with every file as it was and
  // the error record unchanged, when recovery is off, no backup existed,
  // the failure is no damage, the backup does not pass `backup_loads`, or
  // a copy fails; a debug-log line says why.
  bool Restore(HRESULT result, LoadFailure failure, const BackupCheck& backup_loads);

  // After a good load: copies the database over its backup, when recovery
  // is on.
  void RefreshBackup();

  // What the last Restore did; `error` is S_OK when it restored nothing.
  const RestoreInfo& restore() const { return restore_; }

 private:
  // Keeps `damaged` as path.bad (moving an earlier different one aside),
  // written with `owner` and read back. False on any failure.
  bool KeepDamagedCopy(const std::string& damaged, const FileOwner& owner);
  bool NotRestored(const char* reason);

  const Env& env_;
  FileSystem& files_;
  std::string path_;
  std::string backup_;
  bool backup_existed_;
  RestoreInfo restore_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_RECOVERY_H_
