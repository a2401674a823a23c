// The names of the repository enumerations' values, which type information
// gives with a property's result (see xmlsecdb/enum_names.h). Included by
// the kind's dispatch tables.
#ifndef XMLSECDB_APP_APP_ENUM_NAMES_H_
#define XMLSECDB_APP_APP_ENUM_NAMES_H_

#include <span>

#include "xmlsecdb/app.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

inline constexpr DispatchEnumName kLabelTypeNames[] = {
    {"LT_CHECKSUM", LT_CHECKSUM},
    {"LT_PATH", LT_PATH},
    {"LT_NAME", LT_NAME},
    {"LT_CHECKSUM_AND_PATH", LT_CHECKSUM_AND_PATH},
    {"LT_CHECKSUM_AND_NAME", LT_CHECKSUM_AND_NAME},
    {"LT_SIGNED_AND_PATH", LT_SIGNED_AND_PATH},
    {"LT_SIGNED_AND_NAME", LT_SIGNED_AND_NAME},
};
constexpr std::span<const DispatchEnumName> DispatchEnumNames(ELabelType) {
  return kLabelTypeNames;
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_ENUM_NAMES_H_
