// Reading a database's object model through its automation type
// information: every property get of the content, nested lists in list
// order, enumerations with their names. One walk serves every kind, the
// kinds whose tables come later included; it calls nothing but property
// gets.
//
// An object without type information (an interface whose table has not
// been written yet) is read as an opaque node. The root falls back to the
// parser's early-bound lists when the parser itself has none.
#ifndef XMLSECDB_TOOLS_SECDB_MODEL_WALK_H_
#define XMLSECDB_TOOLS_SECDB_MODEL_WALK_H_

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xmlsecdb/xmlsecdb.h"

namespace secdb {

struct ObjectType;

// One value of the model.
struct Node {
  enum Kind : std::uint8_t { kNull, kInt, kUInt, kBool, kText, kObject, kList, kOpaque };
  Kind kind = kNull;
  std::int64_t number = 0;  // kInt, kUInt, kBool (0 or 1)
  std::string text = {};    // kText; kInt of an enumeration: the value's name, if it has one
  // kObject: the properties, in the order of the type information.
  std::vector<std::pair<std::string_view, Node>> fields = {};
  std::vector<Node> items = {};      // kList: the members, in list order
  const ObjectType* type = nullptr;  // kList, kObject: what describes it
  // A list read lazily (ReadParser with `lazy`): the list object, whose
  // members ModelReader::ReadMember reads one at a time.
  xmlsecdb::ComPtr<xmlsecdb::IDispatch> source = {};

  // The field called `name`, or nullptr.
  const Node* Field(std::string_view name) const;
};

// What the walk knows of one interface, from its type information.
struct ObjectType {
  struct Property {
    std::string name;
    xmlsecdb::DISPID dispid = 0;
    std::span<const xmlsecdb::DispatchEnumName> names;
    // The type of the objects this property gave so far (the walk assumes
    // that one property of one interface always gives the same type).
    mutable const ObjectType* child = nullptr;
  };
  std::string interface_name;
  bool is_list = false;
  std::vector<Property> properties;  // objects: the content's gets
  // Lists: the declared identity (property names), order and summary.
  std::vector<std::string> identity;
  xmlsecdb::DispatchListOrder order = xmlsecdb::LISTORDER_UNDECLARED;
  std::vector<std::string> summary;
  mutable const ObjectType* item = nullptr;  // lists: the type of their members so far
};

class ModelReader {
 public:
  // The root: the parser's content properties and its lists; with `only`
  // not empty, the lists of those names alone.
  // With `lazy`, the parser's lists are left unread (their members are
  // read with ReadMember), so that big lists need not be held whole.
  Node ReadParser(xmlsecdb::ISDParser* parser, const std::vector<std::string>& only = {},
                  bool lazy = false);
  // A lazy list's size and its member at 0-based `index`, read whole.
  std::size_t MemberCount(const Node& list);
  Node ReadMember(const Node& list, std::size_t index);
  // Whether any object read so far had no type information.
  bool saw_opaque() const { return saw_opaque_; }

 private:
  // The type of `object` from its type information; nullptr without one.
  ObjectType* Describe(xmlsecdb::IDispatch* object);
  Node ReadValue(const xmlsecdb::Variant& value, const ObjectType** hint, int depth);
  Node ReadObject(xmlsecdb::IDispatch* object, const ObjectType* type, int depth);
  Node ReadList(xmlsecdb::IDispatch* list, const ObjectType* type, int depth);

  bool lazy_ = false;
  std::deque<ObjectType> types_;  // a deque keeps their addresses
  bool saw_opaque_ = false;
};

// A list's count and member at 1-based `index`, early-bound when the list
// is a collection, late-bound otherwise.
bool ListCount(xmlsecdb::IDispatch* list, std::int32_t* count);
bool ListItem(xmlsecdb::IDispatch* list, std::int32_t index, xmlsecdb::Variant* item);

}  // namespace secdb

#endif  // XMLSECDB_TOOLS_SECDB_MODEL_WALK_H_
