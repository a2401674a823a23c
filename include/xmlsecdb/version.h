// The version of XMLSecDB: of these headers at compile time, and of the
// library a program runs with.
#ifndef XMLSECDB_VERSION_H_
#define XMLSECDB_VERSION_H_

#include "xmlsecdb/export.h"

namespace xmlsecdb {

// The build reads these three lines for the package version.
inline constexpr int kVersionMajor = 0;
inline constexpr int kVersionMinor = 1;
inline constexpr int kVersionPatch = 0;

// The running library's version as "MAJOR.MINOR.PATCH"; it can be newer
// than the headers a program was built with. Static text.
XMLSECDB_EXPORT const char* LibraryVersion();

}  // namespace xmlsecdb

#endif  // XMLSECDB_VERSION_H_
