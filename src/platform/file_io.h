// File operations of the library: whole-file reads, and writes and copies
// that never leave a half-written file in place of a good one.
#ifndef XMLSECDB_PLATFORM_FILE_IO_H_
#define XMLSECDB_PLATFORM_FILE_IO_H_

#include <string>
#include <string_view>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

bool FileExists(const std::string& path);

// Reads the whole file into *bytes. INET_E_RESOURCE_NOT_FOUND-free: the
// platform error as an HRESULT on failure.
HRESULT ReadWholeFile(const std::string& path, std::string* bytes);

// Replaces `path` with `data`: writes a temporary file in the same
// directory, flushes it to disk and renames it over `path`. On any failure
// `path` is left exactly as it was and the temporary file is removed. An
// existing file's permission bits are kept; a new file gets 0644 less the
// umask.
HRESULT WriteFileAtomically(const std::string& path, std::string_view data);

// Copies `from` over `to` through WriteFileAtomically.
HRESULT CopyFileAtomically(const std::string& from, const std::string& to);

// Test seam: makes atomic writes fail at one step, as a full disk or a
// crash would, until reset to kNone.
enum class WriteFault { kNone, kCreate, kWrite, kSync, kRename };
void InjectWriteFaultForTest(WriteFault fault);

// The directory part of `path` (before its last '/'), or "." when it has
// none.
std::string DirectoryOf(const std::string& path);

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_FILE_IO_H_
