// Whether a Load fell back to the database's backup.
//
// With recovery on (see xmlsecdb/settings.h), every successful Load of a
// file FILE keeps a copy of it as FILE_ (the backup). When a later Load
// finds FILE damaged — not well-formed XML, no markup at all, empty, an
// encrypted length that is no whole number of cipher blocks, or missing —
// and the backup loads with the same kind and key, the damaged file is kept
// as FILE.bad (an earlier, different FILE.bad moves to the first free
// FILE.bad.1, FILE.bad.2, ...), the backup is put in FILE's place, and the
// Load repeats on it and succeeds. A file that cannot be read, a key that
// does not fit and content this version refuses (another kind, an unknown
// value) are no damage: that Load fails and no file is touched. So is a
// damaged file whose backup does not load, or whose damaged copy cannot be
// written and read back.
//
// Every parser answers ISDParserRecovery through QueryInterface; it tells
// what the last Load did, so that a restore is never silent.
#ifndef XMLSECDB_RESTORE_H_
#define XMLSECDB_RESTORE_H_

#include <string>

#include "xmlsecdb/result.h"
#include "xmlsecdb/unknown.h"

namespace xmlsecdb {

// What a Load that restored the backup found and did.
struct RestoreInfo {
  // The failure of the damaged file: its code and its error record's
  // description.
  HRESULT error = S_OK;
  std::string description;
  std::string backup_path;  // FILE_, now copied over FILE
  // Where the damaged file was kept (FILE.bad); empty when FILE was missing
  // and there was nothing to keep.
  std::string damaged_copy;
};

struct ISDParserRecovery : IUnknown {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0005-4000-8000-5EC0DB000005}");
  using Base = IUnknown;

  // S_OK and *restore filled when the last Load restored the backup;
  // S_FALSE and an empty *restore when it did not (it read the file, failed
  // without a restore, or was no Load of a file). E_POINTER for a null
  // `restore`.
  [[nodiscard]] virtual HRESULT GetLastRestore(RestoreInfo* restore) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_RESTORE_H_
