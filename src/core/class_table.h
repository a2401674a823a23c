// The module's own table of creatable classes, behind ProgID look-ups.
#ifndef XMLSECDB_CORE_CLASS_TABLE_H_
#define XMLSECDB_CORE_CLASS_TABLE_H_

#include "xmlsecdb/classes.h"

namespace xmlsecdb {

// The table entry of `clsid`, or nullptr.
const ClassInfo* FindClass(const CLSID& clsid);

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_CLASS_TABLE_H_
