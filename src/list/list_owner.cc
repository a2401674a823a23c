#include "list/list_owner.h"

#include "core/parser.h"

namespace xmlsecdb {

void ParserListSite::MarkModified() { parser_->MarkModified(ParserCore::kModifiedRules); }

void ParserListSite::Fire(DISPID dispid, IUnknown* item) {
  if (dispid != 0) parser_->FireEvent(dispid, {Variant(ComPtr<IUnknown>(item))});
}

void ParserListSite::FireChange(DISPID dispid, IUnknown* item, std::int32_t property) {
  if (dispid == 0) return;
  if (events_.change_has_property) {
    parser_->FireEvent(dispid, {Variant(ComPtr<IUnknown>(item)), Variant(property)});
  } else {
    parser_->FireEvent(dispid, {Variant(ComPtr<IUnknown>(item))});
  }
}

void ParserListSite::BeforeChange(IUnknown* item, std::int32_t property) {
  if (events_.change_marks_modified) MarkModified();
  FireChange(events_.before_change, item, property);
}

void ParserListSite::AfterChange(IUnknown* item, std::int32_t property) {
  FireChange(events_.after_change, item, property);
}

}  // namespace xmlsecdb
