#include "core/custom_store.h"

namespace xmlsecdb {

CustomStore::CustomStore() { Clear(); }

void CustomStore::Clear() {
  // Swap with empties so that a large store gives its memory back.
  std::vector<Node>().swap(nodes_);
  std::vector<Span>().swap(attributes_);
  std::string().swap(pool_);
  nodes_.emplace_back();  // the root
}

bool CustomStore::Store(std::string_view text, Span* span) {
  if (pool_.size() + text.size() > UINT32_MAX) return false;
  span->offset = static_cast<std::uint32_t>(pool_.size());
  span->length = static_cast<std::uint32_t>(text.size());
  pool_.append(text);
  return true;
}

CustomStore::NodeId CustomStore::Link(NodeId parent, Node node) {
  if (nodes_.size() >= kNone) return kNone;
  const auto id = static_cast<NodeId>(nodes_.size());
  node.parent = parent;
  nodes_.push_back(node);
  Node& p = nodes_[parent];
  if (p.last_child == kNone) {
    p.first_child = id;
  } else {
    nodes_[p.last_child].next_sibling = id;
  }
  p.last_child = id;
  return id;
}

CustomStore::NodeId CustomStore::AppendElement(NodeId parent, std::string_view name) {
  Node node;
  node.type = Type::kElement;
  if (!Store(name, &node.text)) return kNone;
  node.first_attribute = static_cast<std::uint32_t>(attributes_.size() / 2);
  return Link(parent, node);
}

bool CustomStore::AppendAttribute(NodeId element, std::string_view name, std::string_view value) {
  Span name_span;
  Span value_span;
  if (!Store(name, &name_span) || !Store(value, &value_span)) return false;
  attributes_.push_back(name_span);
  attributes_.push_back(value_span);
  ++nodes_[element].attribute_count;
  return true;
}

bool CustomStore::AppendText(NodeId parent, std::string_view text) {
  NodeId last = nodes_[parent].last_child;
  if (last != kNone && nodes_[last].type == Type::kText) {
    Span& span = nodes_[last].text;
    // Text nodes are written to the pool as they arrive, so the last
    // child's text normally ends the pool and simply grows.
    if (span.offset + span.length == pool_.size()) {
      if (pool_.size() + text.size() > UINT32_MAX) return false;
      pool_.append(text);
      span.length += static_cast<std::uint32_t>(text.size());
      return true;
    }
    std::string joined(Text(span));
    joined.append(text);
    return Store(joined, &span);
  }
  Node node;
  node.type = Type::kText;
  if (!Store(text, &node.text)) return false;
  return Link(parent, node) != kNone;
}

CustomStore::Attribute CustomStore::attribute(NodeId element, std::uint32_t index) const {
  std::size_t at = 2 * (static_cast<std::size_t>(nodes_[element].first_attribute) + index);
  return Attribute{Text(attributes_[at]), Text(attributes_[at + 1])};
}

}  // namespace xmlsecdb
