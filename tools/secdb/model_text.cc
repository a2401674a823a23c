#include "model_text.h"

#include <algorithm>

namespace secdb {
namespace {

bool EndsInId(std::string_view name) {
  return name.size() > 2 && (name.ends_with("ID") || name.ends_with("Id"));
}

bool IsPlain(const Node& node) {
  return node.kind != Node::kObject && node.kind != Node::kList && node.kind != Node::kOpaque;
}

// The identity properties of `item`: the declared ones when it has them
// all, else the fallback's one; empty when neither applies.
std::vector<const Node*> IdentityFields(const Node& item, const ObjectType* list) {
  std::vector<const Node*> fields;
  if (list) {
    for (const std::string& name : list->identity) {
      const Node* field = item.Field(name);
      if (!field) {
        fields.clear();
        break;
      }
      fields.push_back(field);
    }
  }
  if (!fields.empty()) return fields;
  for (const auto& [name, value] : item.fields) {
    if (EndsInId(name) && IsPlain(value)) return {&value};
  }
  return {};
}

std::string Raw(const Node& node) { return node.kind == Node::kText ? node.text : Display(node); }

}  // namespace

nlohmann::json ToJson(const Node& node) {
  switch (node.kind) {
    case Node::kNull:
    case Node::kOpaque:
      return nullptr;
    case Node::kInt:
      if (!node.text.empty()) return node.text;
      return node.number;
    case Node::kUInt:
      return static_cast<std::uint64_t>(node.number);
    case Node::kBool:
      return node.number != 0;
    case Node::kText:
      return node.text;
    case Node::kList: {
      nlohmann::json array = nlohmann::json::array();
      for (const Node& item : node.items) array.push_back(ToJson(item));
      return array;
    }
    case Node::kObject: {
      nlohmann::json object = nlohmann::json::object();
      for (const auto& [name, value] : node.fields) object[std::string(name)] = ToJson(value);
      return object;
    }
  }
  return nullptr;
}

std::string Display(const Node& node) {
  switch (node.kind) {
    case Node::kInt:
      return node.text.empty() ? std::to_string(node.number) : node.text;
    case Node::kUInt:
      return std::to_string(node.number);
    case Node::kBool:
      return node.number ? "true" : "false";
    case Node::kText:
      return nlohmann::json(node.text).dump(-1, ' ', false,
                                            nlohmann::json::error_handler_t::replace);
    default:
      return ToJson(node).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
  }
}

Identity IdentityOf(const Node& item, const ObjectType* list, std::size_t position) {
  Identity id;
  if (item.kind != Node::kObject) {
    id.shown = Display(item);
    id.raw = Raw(item);
    id.key = "=" + id.shown;
    id.json = ToJson(item);
    return id;
  }
  const std::vector<const Node*> fields = IdentityFields(item, list);
  if (fields.empty()) {
    id.key = ToJson(item).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    id.shown = id.raw = "#" + std::to_string(position);
    return id;
  }
  for (const Node* field : fields) {
    if (!id.shown.empty()) {
      id.shown += ',';
      id.raw += ',';
      id.key += '\x1f';
    }
    id.shown += Display(*field);
    id.raw += Raw(*field);
    id.key += Display(*field);
  }
  if (fields.size() == 1) {
    id.json = ToJson(*fields.front());
  } else {
    for (const Node* field : fields) id.json.push_back(ToJson(*field));
  }
  return id;
}

std::string Summary(const Node& item, const ObjectType* list) {
  if (item.kind != Node::kObject) return Display(item);
  const std::vector<const Node*> identity = IdentityFields(item, list);
  std::vector<std::string_view> names;
  if (list && !list->summary.empty()) {
    names.assign(list->summary.begin(), list->summary.end());
  } else {
    for (const auto& [name, value] : item.fields) {
      if (names.size() == 4) break;
      if (IsPlain(value) && std::ranges::find(identity, &value) == identity.end()) {
        names.push_back(name);
      }
    }
  }
  std::string line;
  for (std::string_view name : names) {
    const Node* value = item.Field(name);
    if (!value) continue;
    if (!line.empty()) line += ' ';
    line += std::string(name) + "=";
    line += value->kind == Node::kList ? "[" + std::to_string(value->items.size()) + "]"
                                       : Display(*value);
  }
  return line;
}

}  // namespace secdb
