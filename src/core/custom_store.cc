#include "core/custom_store.h"

namespace xmlsecdb {

CustomStore::CustomStore() = default;

CustomStore::~CustomStore() { Clear(); }

CustomNode* CustomStore::AppendElement(CustomNode* parent, std::string_view name) {
  auto node = std::make_unique<CustomNode>();
  node->type = CustomNode::kElement;
  node->name = name;
  node->parent = parent;
  CustomNode* raw = node.get();
  parent->children.push_back(std::move(node));
  return raw;
}

void CustomStore::AppendAttribute(CustomNode* element, std::string_view name,
                                  std::string_view value) {
  CustomNode* attribute = AppendElement(element, name);
  attribute->type = CustomNode::kAttribute;
  auto text = std::make_unique<CustomNode>();
  text->type = CustomNode::kText;
  text->value = value;
  text->parent = attribute;
  attribute->children.push_back(std::move(text));
}

void CustomStore::AppendText(CustomNode* parent, std::string_view text) {
  if (!parent->children.empty() && parent->children.back()->type == CustomNode::kText) {
    parent->children.back()->value.append(text);
    return;
  }
  auto node = std::make_unique<CustomNode>();
  node->type = CustomNode::kText;
  node->value = text;
  node->parent = parent;
  parent->children.push_back(std::move(node));
}

void CustomStore::Clear() {
  // Unlink depth-first into a flat list so that destroying a deep tree
  // does not recurse once per level.
  std::vector<std::unique_ptr<CustomNode>> pending;
  for (auto& child : root_.children) pending.push_back(std::move(child));
  root_.children.clear();
  while (!pending.empty()) {
    std::unique_ptr<CustomNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children) pending.push_back(std::move(child));
    node->children.clear();
  }
}

}  // namespace xmlsecdb
