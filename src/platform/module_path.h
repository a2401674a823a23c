// Where the code of this library lives on disk.
#ifndef XMLSECDB_PLATFORM_MODULE_PATH_H_
#define XMLSECDB_PLATFORM_MODULE_PATH_H_

#include <string>

namespace xmlsecdb {

// The absolute path of the binary that contains this library's code: the
// shared library when it was loaded as one, the executable when the library
// was linked into it statically. A library is named as the loader found it
// (symbolic links not resolved) when that name is absolute. "" when the
// loader cannot tell.
std::string ModulePath();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_MODULE_PATH_H_
