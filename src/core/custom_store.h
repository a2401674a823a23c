// CustomStore: the top-level sections of a database that no handler knows,
// kept verbatim (elements, attributes and text, in document order) so that
// a save writes them back.
//
// Nodes are owned by the store. Deep trees are fine: building, clearing and
// walking never recurse.
#ifndef XMLSECDB_CORE_CUSTOM_STORE_H_
#define XMLSECDB_CORE_CUSTOM_STORE_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xmlsecdb {

struct CustomNode {
  enum Type { kElement = 0, kAttribute = 1, kText = 2 };

  Type type = kElement;
  std::string name;   // element or attribute name
  std::string value;  // text of a text node
  CustomNode* parent = nullptr;
  std::vector<std::unique_ptr<CustomNode>> children;
};

class CustomStore {
 public:
  CustomStore();
  ~CustomStore();
  CustomStore(const CustomStore&) = delete;
  CustomStore& operator=(const CustomStore&) = delete;

  // The root holds the top-level custom elements; it is never written.
  CustomNode* root() { return &root_; }
  const CustomNode& root() const { return root_; }
  bool empty() const { return root_.children.empty(); }

  // Appends an element (with its attributes as attribute nodes holding one
  // text node each) under `parent` and returns it.
  CustomNode* AppendElement(CustomNode* parent, std::string_view name);
  void AppendAttribute(CustomNode* element, std::string_view name, std::string_view value);
  // Appends text under `parent`, joining it to a text node that is already
  // the last child, so that a run split by the reader stays one node.
  void AppendText(CustomNode* parent, std::string_view text);

  void Clear();

 private:
  CustomNode root_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_CUSTOM_STORE_H_
