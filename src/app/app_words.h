// How application repository files spell what the shared sections read:
// the names of global options. The repository's own lists are not read
// yet.
#ifndef XMLSECDB_APP_APP_WORDS_H_
#define XMLSECDB_APP_APP_WORDS_H_

#include "model/global_option_names.h"

namespace xmlsecdb {

inline constexpr OptionName kAppRepositoryOptionNames[] = {
    {"UseKnownApps", 0x1},
    {"MonitorKnownAppsEnrollment", 0x2},
    {"MissingApplicationSignature", 0x3},
    {"MissingApplicationSignatureAL", 0x4},
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_WORDS_H_
