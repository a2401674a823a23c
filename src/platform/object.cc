#include "platform/object.h"

namespace xmlsecdb {

std::atomic<long> ModuleCounts::objects_{0};
std::atomic<long> ModuleCounts::locks_{0};

}  // namespace xmlsecdb
