// The review commands: json, diff and ls, over the object model the walk
// reads (model_walk.h).
#ifndef XMLSECDB_TOOLS_SECDB_REVIEW_H_
#define XMLSECDB_TOOLS_SECDB_REVIEW_H_

#include <string>

#include "options.h"

namespace secdb {

// Each returns the tool's exit status; `key` is the key to read with.
int PrintJson(const Options& options, const std::string& key);
// 0 equal, 1 different, 2 trouble of any kind.
int PrintDiff(const Options& options, const std::string& key);
int PrintList(const Options& options, const std::string& key);

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_REVIEW_H_
