// CAPPParser: the parser of application repositories.
//
// Its sections, in save order: global options, identity redirections,
// labels, application groups, DLL labels, DLL groups and
// application rules. It creates one path expander when it
// is constructed, which its labels use for PathExpanded; a failure leaves
// it without one (labels then do not expand).
#ifndef XMLSECDB_APP_APP_PARSER_H_
#define XMLSECDB_APP_APP_PARSER_H_

#include "app/app_dispatch.h"
#include "app/app_group_section.h"
#include "app/app_identity_section.h"
#include "app/app_label_section.h"
#include "app/app_rule_section.h"
#include "app/app_repository.h"
#include "core/parser_object.h"
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
  HRESULT get_RuleList(IAppRuleList** rules) override;
  HRESULT get_IdentityRedirectionList(IIdentityRedirectionList** redirections) override;

 protected:
  // The save's steps in the debug log.
  HRESULT WriteSections(XmlWriter& writer, std::string_view section) override;
  void BeforeSectionWrite(const Section& section) override;
  void SortRuleLists() override { rules_.list()->Sort(); }

 private:
  IPathExpander* path_expander() const override { return expander_.get(); }
  CLabelList* labels() const override { return labels_.list(); }
  CAppGroupList* groups() const override { return groups_.list(); }
  CDllLabelList* dll_labels() const override { return dll_labels_.list(); }
  CDllGroupList* dll_groups() const override { return dll_groups_.list(); }

  ComPtr<IPathExpander> expander_;
  GlobalsSection globals_;
  IdentityRedirectionSection redirections_{this};
  LabelSection labels_{this, this, kLabelFormat};
  AppGroupSection groups_{this, this};
  DllLabelSection dll_labels_{this, this, kDllLabelFormat};
  DllGroupSection dll_groups_{this, this};
  AppRuleSection rules_{this};
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_PARSER_H_
