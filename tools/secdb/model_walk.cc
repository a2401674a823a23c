#include "model_walk.h"

#include <algorithm>

namespace secdb {
namespace {

using namespace xmlsecdb;

// Deeper than any model nests; guards against an object that leads back
// to itself.
constexpr int kMaxDepth = 16;

std::vector<std::string> Split(const std::string& names) {
  std::vector<std::string> parts;
  std::size_t at = 0;
  while (at < names.size()) {
    std::size_t end = names.find(',', at);
    if (end == std::string::npos) end = names.size();
    if (end > at) parts.push_back(names.substr(at, end - at));
    at = end + 1;
  }
  return parts;
}

// Drops the error record a failed get left: the walk reads what it can.
void DropErrorRecord() {
  ComPtr<IErrorInfo> info;
  (void)GetErrorInfo(0, info.Put());
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (std::uint8_t b : bytes) {
    text += kDigits[b >> 4];
    text += kDigits[b & 0xF];
  }
  return text;
}

}  // namespace

const Node* Node::Field(std::string_view name) const {
  for (const auto& [field, value] : fields) {
    if (field == name) return &value;
  }
  return nullptr;
}

bool ListCount(IDispatch* list, std::int32_t* count) {
  *count = 0;
  ComPtr<ISDCollection> collection;
  if (Succeeded(list->QueryInterface(collection.Put()))) {
    return Succeeded(collection->get_Count(count));
  }
  DISPID dispid = 0;
  Variant result;
  if (Failed(list->GetIDsOfNames("Count", &dispid)) ||
      Failed(list->InvokeMember(dispid, DISPATCH_PROPERTYGET, nullptr, 0, &result))) {
    DropErrorRecord();
    return false;
  }
  const std::int32_t* n = result.as_int();
  if (!n) return false;
  *count = *n;
  return true;
}

bool ListItem(IDispatch* list, std::int32_t index, Variant* item) {
  ComPtr<ISDCollection> collection;
  HRESULT hr;
  if (Succeeded(list->QueryInterface(collection.Put()))) {
    hr = collection->get_Item(index, item);
  } else {
    const Variant arg(index);
    hr = list->InvokeMember(DISPID_VALUE, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &arg, 1, item);
  }
  if (Failed(hr)) DropErrorRecord();
  return Succeeded(hr);
}

ObjectType* ModelReader::Describe(IDispatch* object) {
  DispatchTypeInfo info;
  if (object->GetTypeInfo(&info) != S_OK) return nullptr;
  ObjectType& type = types_.emplace_back();
  type.interface_name = info.interface_name;
  bool has_item = false;
  bool has_count = false;
  for (const DispatchMemberInfo& member : info.members) {
    const bool get = (member.kinds & DISPATCH_PROPERTYGET) != 0;
    if (member.dispid == DISPID_VALUE && member.params.size() == 1) has_item = true;
    if (member.name == "Count" && get && member.params.empty()) has_count = true;
    if (!get || !member.params.empty() || !member.content || member.result == VT_EMPTY ||
        member.dispid == DISPID_NEWENUM || member.dispid == DISPID_VALUE) {
      continue;
    }
    type.properties.push_back({member.name, member.dispid, member.result_names});
  }
  type.is_list = has_item && has_count;
  if (type.is_list) type.properties.clear();
  type.identity = Split(info.item_identity);
  type.order = info.item_order;
  type.summary = Split(info.item_summary);
  return &type;
}

std::size_t ModelReader::MemberCount(const Node& list) {
  std::int32_t count = 0;
  return list.source && ListCount(list.source.get(), &count) && count > 0
             ? static_cast<std::size_t>(count)
             : 0;
}

Node ModelReader::ReadMember(const Node& list, std::size_t index) {
  Variant item;
  if (!list.source || !list.type ||
      !ListItem(list.source.get(), static_cast<std::int32_t>(index + 1), &item)) {
    return Node();
  }
  return ReadValue(item, &list.type->item, 2);
}

Node ModelReader::ReadParser(ISDParser* parser, const std::vector<std::string>& only, bool lazy) {
  lazy_ = lazy;
  const auto wanted = [&only](std::string_view name) {
    return only.empty() || std::ranges::find(only, name) != only.end();
  };
  Node root;
  root.kind = Node::kObject;
  if (const ObjectType* type = Describe(parser)) {
    root.type = type;
    for (const ObjectType::Property& property : type->properties) {
      Variant value;
      if (Failed(parser->InvokeMember(property.dispid, DISPATCH_PROPERTYGET, nullptr, 0, &value))) {
        DropErrorRecord();
        if (wanted(property.name)) root.fields.emplace_back(property.name, Node());
        continue;
      }
      const bool is_object = value.as_object() != nullptr;
      if (!only.empty() && (!is_object || !wanted(property.name))) continue;
      root.fields.emplace_back(property.name, ReadValue(value, &property.child, 1));
    }
    return root;
  }
  // No type information for the parser: what its early-bound interfaces
  // tell, the module, the version and the lists.
  saw_opaque_ = true;
  std::int32_t number = 0;
  if (only.empty() && Succeeded(parser->get_Module(&number))) {
    root.fields.emplace_back("Module", Node{.kind = Node::kInt, .number = number});
  }
  if (only.empty() && Succeeded(parser->get_Version(&number))) {
    root.fields.emplace_back("Version", Node{.kind = Node::kInt, .number = number});
  }
  ComPtr<ISDParserLists> lists;
  std::int32_t count = 0;
  if (Failed(parser->QueryInterface(lists.Put())) || Failed(lists->get_ListCount(&count))) {
    return root;
  }
  for (std::int32_t i = 0; i < count; ++i) {
    std::string name;
    ComPtr<ISDCollection> list;
    if (Failed(lists->GetList(i, &name, list.Put())) || !list || !wanted(name)) continue;
    ObjectType& type = types_.emplace_back();
    type.is_list = true;
    // Owned by types_, which outlives the names that point into it.
    type.interface_name = name;
    root.fields.emplace_back(type.interface_name, ReadList(list.get(), &type, 1));
  }
  return root;
}

Node ModelReader::ReadValue(const Variant& value, const ObjectType** hint, int depth) {
  Node node;
  if (const std::int32_t* n = value.as_int()) {
    node.kind = Node::kInt;
    node.number = *n;
  } else if (const std::uint32_t* u = value.as_uint()) {
    node.kind = Node::kUInt;
    node.number = *u;
  } else if (const bool* b = value.as_bool()) {
    node.kind = Node::kBool;
    node.number = *b ? 1 : 0;
  } else if (const std::string* text = value.as_string()) {
    node.kind = Node::kText;
    node.text = *text;
  } else if (const std::vector<std::string>* texts = value.as_string_array()) {
    node.kind = Node::kList;
    for (const std::string& t : *texts) node.items.push_back(Node{.kind = Node::kText, .text = t});
  } else if (const std::vector<std::uint8_t>* bytes = value.as_bytes()) {
    node.kind = Node::kText;
    node.text = Hex(*bytes);
  } else if (const std::vector<Variant>* array = value.as_array()) {
    node.kind = Node::kList;
    const ObjectType* items = nullptr;
    for (const Variant& v : *array) node.items.push_back(ReadValue(v, &items, depth + 1));
  } else if (const ComPtr<IUnknown>* object = value.as_object(); object && *object) {
    ComPtr<IDispatch> dispatch;
    const ObjectType* type = *hint;
    if (depth > kMaxDepth || Failed((*object)->QueryInterface(dispatch.Put())) ||
        (!type && !(type = Describe(dispatch.get())))) {
      saw_opaque_ = true;
      node.kind = Node::kOpaque;
      return node;
    }
    *hint = type;
    node = type->is_list ? ReadList(dispatch.get(), type, depth)
                         : ReadObject(dispatch.get(), type, depth);
  }
  return node;
}

Node ModelReader::ReadObject(IDispatch* object, const ObjectType* type, int depth) {
  Node node;
  node.kind = Node::kObject;
  node.type = type;
  node.fields.reserve(type->properties.size());
  for (const ObjectType::Property& property : type->properties) {
    Variant value;
    HRESULT hr = object->InvokeMember(property.dispid, DISPATCH_PROPERTYGET, nullptr, 0, &value);
    if (hr == DISP_E_MEMBERNOTFOUND && node.fields.empty()) {
      // Another interface than the list's earlier members: describe it.
      const ObjectType* own = Describe(object);
      if (own && own != type && !own->is_list) return ReadObject(object, own, depth);
    }
    if (Failed(hr)) {
      DropErrorRecord();
      node.fields.emplace_back(property.name, Node());
      continue;
    }
    Node field = ReadValue(value, &property.child, depth + 1);
    if (field.kind == Node::kInt && !property.names.empty()) {
      for (const DispatchEnumName& name : property.names) {
        if (name.value == field.number) {
          field.text = std::string(name.name);
          break;
        }
      }
    }
    node.fields.emplace_back(property.name, std::move(field));
  }
  return node;
}

Node ModelReader::ReadList(IDispatch* list, const ObjectType* type, int depth) {
  Node node;
  node.kind = Node::kList;
  node.type = type;
  if (lazy_ && depth == 1) {
    node.source = ComPtr<IDispatch>(list);
    return node;
  }
  std::int32_t count = 0;
  if (!ListCount(list, &count)) return node;
  node.items.reserve(static_cast<std::size_t>(std::max(count, 0)));
  for (std::int32_t i = 1; i <= count; ++i) {
    Variant item;
    if (!ListItem(list, i, &item)) {
      node.items.emplace_back();
      continue;
    }
    node.items.push_back(ReadValue(item, &type->item, depth + 1));
  }
  return node;
}

}  // namespace secdb
