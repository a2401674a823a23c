// How the tool shows what the walk read: as JSON, as one value in a line,
// as the identity of a list member and as a member's one-line summary.
#ifndef XMLSECDB_TOOLS_SECDB_MODEL_TEXT_H_
#define XMLSECDB_TOOLS_SECDB_MODEL_TEXT_H_

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>

#include "model_walk.h"

namespace secdb {

// The node as JSON: objects with their properties (keys sorted, so the
// same model always gives the same text), lists as arrays, enumerations
// by their names (unnamed values as numbers), opaque objects as null.
nlohmann::json ToJson(const Node& node);

// One value in a line: numbers and enumeration names as they are, texts
// JSON-quoted, true/false/null, lists and objects as compact JSON.
std::string Display(const Node& node);

// How a member of a list is told apart from the others.
//
// Declared: the list's identity properties. Fallback for lists that
// declare none: the member's first property whose name ends in "ID" or
// "Id"; without one, all its properties together (the member is then
// shown by its 1-based position, "#3"). Members that are plain values are
// their own identity.
struct Identity {
  std::string key;      // equal for the same member in two databases
  std::string shown;    // for lines: 5, "DEF1", AT_LABEL,"app.exe", #3
  std::string raw;      // for ls: texts unquoted
  nlohmann::json json;  // the identity's values (null for a position)
};
Identity IdentityOf(const Node& item, const ObjectType* list, std::size_t position);

// "Name=value Name=value": the properties the list declares for a
// summary, else the member's first four plain properties besides its
// identity; nested lists show their size ("[2]").
std::string Summary(const Node& item, const ObjectType* list);

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_MODEL_TEXT_H_
