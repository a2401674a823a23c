// CustomStore: the top-level sections of a database that no handler knows,
// kept verbatim (elements with their attributes, and text, in document
// order) so that a save writes them back.
//
// The tree lives in a few flat arrays and one text pool, so that a file of
// a million tiny custom elements or attributes costs a small multiple of
// its own size, and deep trees are built, walked and cleared without
// recursion.
#ifndef XMLSECDB_CORE_CUSTOM_STORE_H_
#define XMLSECDB_CORE_CUSTOM_STORE_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

class XmlWriter;

class CustomStore {
 public:
  using NodeId = std::uint32_t;
  static constexpr NodeId kRoot = 0;
  static constexpr NodeId kNone = UINT32_MAX;

  enum class Type : std::uint8_t { kElement, kText };

  struct Attribute {
    std::string_view name;
    std::string_view value;
  };

  CustomStore();

  // The root holds the top-level custom elements; it is never written.
  bool empty() const { return nodes_[kRoot].first_child == kNone; }

  // Appends an element under `parent` and returns it; its attributes must
  // follow at once with AppendAttribute. kNone when the store is full
  // (4 GiB of text).
  NodeId AppendElement(NodeId parent, std::string_view name);
  bool AppendAttribute(NodeId element, std::string_view name, std::string_view value);
  // Appends text under `parent`, joining it to a text node that is already
  // the last child, so that a run split by the reader stays one node.
  bool AppendText(NodeId parent, std::string_view text);

  NodeId parent(NodeId node) const { return nodes_[node].parent; }
  NodeId first_child(NodeId node) const { return nodes_[node].first_child; }
  NodeId next_sibling(NodeId node) const { return nodes_[node].next_sibling; }
  Type type(NodeId node) const { return nodes_[node].type; }
  // The element's name, or the text of a text node.
  std::string_view text(NodeId node) const { return Text(nodes_[node].text); }
  Attribute attribute(NodeId element, std::uint32_t index) const;
  std::uint32_t attribute_count(NodeId element) const { return nodes_[element].attribute_count; }

  void Clear();

 private:
  struct Span {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
  };
  struct Node {
    NodeId parent = kNone;
    NodeId first_child = kNone;
    NodeId last_child = kNone;
    NodeId next_sibling = kNone;
    Span text;
    std::uint32_t first_attribute = 0;
    std::uint32_t attribute_count = 0;
    Type type = Type::kElement;
  };

  std::string_view Text(Span span) const { return std::string_view(pool_).substr(span.offset, span.length); }
  bool Store(std::string_view text, Span* span);
  NodeId Link(NodeId parent, Node node);

  std::vector<Node> nodes_;
  std::vector<Span> attributes_;  // name, value, name, value, ...
  std::string pool_;
};

// Writes the store's elements and text back in document order, without
// recursion (the root itself is not written).
[[nodiscard]] HRESULT WriteCustomStore(XmlWriter& writer, const CustomStore& store);

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_CUSTOM_STORE_H_
