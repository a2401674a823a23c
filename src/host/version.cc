#include "xmlsecdb/version.h"

#include <string>

namespace xmlsecdb {

const char* LibraryVersion() {
  static const std::string text = std::to_string(kVersionMajor) + "." +
                                  std::to_string(kVersionMinor) + "." +
                                  std::to_string(kVersionPatch);
  return text.c_str();
}

}  // namespace xmlsecdb
