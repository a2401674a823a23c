// KeptSection: a top-level section of the repository that this library
// does not model yet (the identity redirections, the application rules).
// Its elements are kept as they were read — elements, attributes and the
// text inside them — and written back in the section's place, so that
// nothing of a file is lost and the section order stays. Its list answers
// Count (the elements directly inside the section) and nothing else.
#ifndef XMLSECDB_APP_APP_KEPT_SECTION_H_
#define XMLSECDB_APP_APP_KEPT_SECTION_H_

#include <cstdint>
#include <string_view>

#include "core/custom_store.h"
#include "core/section.h"
#include "platform/object.h"
#include "xmlsecdb/collection.h"

namespace xmlsecdb {

class KeptSection final : public Section {
 public:
  // `element` and `property` are constants.
  KeptSection(std::string_view element, std::string_view property);
  ~KeptSection() override;

  std::string_view element() const override { return element_; }
  std::string_view property() const override { return property_; }
  ISDCollection* collection() override;

  HRESULT StartElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                       const SaxAttributes& attributes, bool* handled) override;
  HRESULT EndElement(SectionReadContext& context, std::string_view name, std::string_view parent,
                     std::string_view text) override;
  HRESULT Write(XmlWriter& writer) override;
  void Clear() override;

  std::int32_t count() const { return count_; }

 private:
  class Counter;

  std::string_view element_;
  std::string_view property_;
  CustomStore store_;
  CustomStore::NodeId current_ = CustomStore::kRoot;  // the open element
  int depth_ = 0;                                     // open elements kept
  std::int32_t count_ = 0;
  ComPtr<Counter> counter_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_KEPT_SECTION_H_
