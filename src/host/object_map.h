// The module's object map: which classes it creates, and how.
#ifndef XMLSECDB_HOST_OBJECT_MAP_H_
#define XMLSECDB_HOST_OBJECT_MAP_H_

#include "xmlsecdb/unknown.h"

namespace xmlsecdb {

// Creates a new object of one class and stores its `iid` interface in
// *object; the object is released again when it lacks `iid`.
using CreateFunction = HRESULT (*)(const IID& iid, void** object);

// The creator of `clsid`, or nullptr when the class is not in the map.
CreateFunction FindCreator(const CLSID& clsid);

}  // namespace xmlsecdb

#endif  // XMLSECDB_HOST_OBJECT_MAP_H_
