// CAPPParser: the parser of application repositories.
//
// Its sections, in save order: global options, identity redirections
// (kept as read), labels, application groups, DLL labels, DLL groups and
// application rules (kept as read). It creates one path expander when it
// is constructed, which its labels use for PathExpanded; a failure leaves
// it without one (labels then do not expand).
#ifndef XMLSECDB_APP_APP_PARSER_H_
#define XMLSECDB_APP_APP_PARSER_H_

#include "app/app_dispatch.h"
#include "app/app_group_section.h"
#include "app/app_label_section.h"
#include "app/app_repository.h"
#include "core/parser_object.h"
#include "list/verbatim_section.h"
#include "model/globals_section.h"

namespace xmlsecdb {

class CAPPParser final : public ParserObjectEx<ISDParserAPP>, private AppRepository {
 public:
  CAPPParser();

  HRESULT get_GlobalOptions(IPropertyList** options) override;
  HRESULT get_LabelList(ILabelList** labels) override;
  HRESULT get_AppGroupList(IAppGroupList** groups) override;
  HRESULT get_DllLabelList(IDllLabelList** labels) override;
  HRESULT get_DllGroupList(IDllGroupList** groups) override;
  HRESULT get_DllIntegrityList(IDispatch** list) override;

 protected:
  // The save's steps in the debug log.
  HRESULT WriteSections(XmlWriter& writer, std::string_view section) override;
  void BeforeSectionWrite(const Section& section) override;

 private:
  IPathExpander* path_expander() const override { return expander_.get(); }
  CLabelList* labels() const override { return labels_.list(); }
  CAppGroupList* groups() const override { return groups_.list(); }
  CDllLabelList* dll_labels() const override { return dll_labels_.list(); }
  CDllGroupList* dll_groups() const override { return dll_groups_.list(); }

  ComPtr<IPathExpander> expander_;
  GlobalsSection globals_;
  VerbatimSection redirections_;
  LabelSection labels_{this, this, kLabelFormat};
  AppGroupSection groups_{this, this};
  DllLabelSection dll_labels_{this, this, kDllLabelFormat};
  DllGroupSection dll_groups_{this, this};
  VerbatimSection rules_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_PARSER_H_
