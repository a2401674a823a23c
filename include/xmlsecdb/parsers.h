// The seven parser interfaces and their event interfaces.
//
// Each kind's lists are reached through its own interface; the members
// shared by all kinds are in ISDParser (xmlsecdb/parser.h).
#ifndef XMLSECDB_PARSERS_H_
#define XMLSECDB_PARSERS_H_

#include "xmlsecdb/am.h"
#include "xmlsecdb/app_exceptions.h"
#include "xmlsecdb/definitions.h"
#include "xmlsecdb/di.h"
#include "xmlsecdb/fw.h"
#include "xmlsecdb/global_options.h"
#include "xmlsecdb/parser.h"
#include "xmlsecdb/rule_sets.h"
#include "xmlsecdb/sbx.h"

namespace xmlsecdb {

// The lists of a policy database (anti-malware, sandbox, data inspection)
// on top of the parser interface `Parser`; `RuleList` is the kind's rule
// list interface. Each getter stores the parser's own list (a new
// reference); the lists live as long as the parser and are emptied, not
// replaced, by New and Load. It is no interface of its own (no IID).
template <class Parser, class RuleList>
struct IPolicyParser : Parser {
  [[nodiscard]] virtual HRESULT get_GlobalOptions(IPropertyList** list) = 0;
  [[nodiscard]] virtual HRESULT get_DefinitionList(IDefinitionList** list) = 0;
  [[nodiscard]] virtual HRESULT get_AppExceptionList(IAppExceptionList** list) = 0;
  [[nodiscard]] virtual HRESULT get_RuleList(RuleList** list) = 0;
  [[nodiscard]] virtual HRESULT get_RuleSetList(IRuleSetList** list) = 0;
};

// The anti-malware database. SetMasterParser accepts a sandbox parser
// only.
struct ISDParserAM : IPolicyParser<ISDParserEx, IAMRuleList> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0100-4000-8000-5EC0DB000100}");
  using Base = ISDParserEx;
};

// The sandbox database: no XmlEx. A save writes no custom sections, so
// top-level elements it does not know are dropped. SetMasterParser accepts
// a sandbox parser only; the sandbox parser is the master of the
// anti-malware, data inspection and sandbox parsers. Item events (global
// options, definitions and their items, rules, application exceptions;
// xmlsecdb/events.h) are not raised while a file loads.
struct ISDParserSBX : IPolicyParser<ISDParser, ISBXRuleList> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0101-4000-8000-5EC0DB000101}");
  using Base = ISDParser;
};

// The data inspection database. SetMasterParser accepts a sandbox parser
// only.
struct ISDParserDI : IPolicyParser<ISDParserEx, IDIRuleList> {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0102-4000-8000-5EC0DB000102}");
  using Base = ISDParserEx;

  // Loads the database from `text` (the document as UTF-8 text) instead of
  // a file: no decryption, no backup, and FilePath is left as it was. The
  // model is emptied first, as by Load. *succeeded is 0 at the start and 1
  // (not -1) on success. 0x80041006 (message 111) on a read-only parser;
  // E_INVALIDARG for empty text; E_POINTER for a null `succeeded`; text
  // that is no well-formed database fails as Load does (E_FAIL with
  // message 104 or 105, or the content failure), leaving what was read up
  // to the failure. Raises OnBeforeLoad and OnAfterLoad.
  [[nodiscard]] virtual HRESULT SetXml(std::string_view text, std::int16_t* succeeded) = 0;
};

// The firewall database (xmlsecdb/fw.h, xmlsecdb/fw_rules.h). Its list
// getters return the list with a new reference.
struct IFWRuleList;
struct IFWRoutedRuleList;
struct IFWDialNumberList;
struct IFWZoneRuleList;
struct IBindSocketNotificationList;
struct ISDParserFW : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0103-4000-8000-5EC0DB000103}");
  using Base = ISDParserEx;

  [[nodiscard]] virtual HRESULT get_GlobalOptions(IPropertyList** list) = 0;
  // Firewall definitions, whose ItemList is an IFWItemList.
  [[nodiscard]] virtual HRESULT get_DefinitionList(IDefinitionList** list) = 0;
  [[nodiscard]] virtual HRESULT get_AppExceptionList(IAppExceptionList** list) = 0;
  [[nodiscard]] virtual HRESULT get_RuleSetList(IRuleSetList** list) = 0;
  // The rule lists (xmlsecdb/fw_rules.h).
  [[nodiscard]] virtual HRESULT get_RuleList(IFWRuleList** list) = 0;
  [[nodiscard]] virtual HRESULT get_RoutedRuleList(IFWRoutedRuleList** list) = 0;
  [[nodiscard]] virtual HRESULT get_DialNumberList(IFWDialNumberList** list) = 0;
  [[nodiscard]] virtual HRESULT get_ZoneRuleList(IFWZoneRuleList** list) = 0;
  [[nodiscard]] virtual HRESULT get_BindSocketNotificationList(
      IBindSocketNotificationList** list) = 0;
};

struct IPropertyList;
struct IDefinitionList;
struct IRuleSetList;
struct IIDSGroupList;

// The IDS parser (xmlsecdb/ids.h). Its list getters return the list with a
// new reference; it raises only the load and save events.
struct ISDParserIDS : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0104-4000-8000-5EC0DB000104}");
  using Base = ISDParserEx;

  [[nodiscard]] virtual HRESULT get_GroupList(IIDSGroupList** groups) = 0;
  [[nodiscard]] virtual HRESULT get_GlobalOptions(IPropertyList** options) = 0;
  [[nodiscard]] virtual HRESULT get_DefinitionList(IDefinitionList** definitions) = 0;
  [[nodiscard]] virtual HRESULT get_RuleSetList(IRuleSetList** rule_sets) = 0;
  // The smallest signature id from 0x40000000 upward that no rule of any
  // group has (SIDs outside 0x40000000..0xBFFFFFFF do not count), as the
  // bits of a 32-bit number.
  [[nodiscard]] virtual HRESULT GenerateSID(std::int32_t* sid) = 0;
};

struct ILabelList;
struct IAppGroupList;
struct IDllLabelList;
struct IDllGroupList;
struct IAppRuleList;
struct IIdentityRedirectionList;

// The application repository (xmlsecdb/app.h). Its list getters return
// the list with a new reference. Its sections are written in the order
// Globals, IdentityRedirectionList, LabelList, GroupList, DllLabelList,
// DllGroupList, RuleList; XmlEx takes their names in any ASCII letter case,
// and also "LabelAll" (labels and groups) and "DllLabelAll" (DLL labels and
// DLL groups).
struct ISDParserAPP : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0105-4000-8000-5EC0DB000105}");
  using Base = ISDParserEx;

  [[nodiscard]] virtual HRESULT get_GlobalOptions(IPropertyList** options) = 0;
  [[nodiscard]] virtual HRESULT get_LabelList(ILabelList** labels) = 0;
  [[nodiscard]] virtual HRESULT get_AppGroupList(IAppGroupList** groups) = 0;
  [[nodiscard]] virtual HRESULT get_DllLabelList(IDllLabelList** labels) = 0;
  [[nodiscard]] virtual HRESULT get_DllGroupList(IDllGroupList** groups) = 0;
  // No DLL integrity objects exist: E_NOTIMPL.
  [[nodiscard]] virtual HRESULT get_DllIntegrityList(IDispatch** list) = 0;
  [[nodiscard]] virtual HRESULT get_RuleList(IAppRuleList** rules) = 0;
  [[nodiscard]] virtual HRESULT get_IdentityRedirectionList(
      IIdentityRedirectionList** redirections) = 0;
};

struct ISDParserCF : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0106-4000-8000-5EC0DB000106}");
  using Base = ISDParserEx;
};

// Outgoing event interfaces, for IConnectionPointContainer.
inline constexpr IID DIID__ISDParserAMEvents = MakeGuid("{5EC0DB00-0200-4000-8000-5EC0DB000200}");
inline constexpr IID DIID__ISDParserSBXEvents = MakeGuid("{5EC0DB00-0201-4000-8000-5EC0DB000201}");
inline constexpr IID DIID__ISDParserDIEvents = MakeGuid("{5EC0DB00-0202-4000-8000-5EC0DB000202}");
inline constexpr IID DIID__ISDParserFWEvents = MakeGuid("{5EC0DB00-0203-4000-8000-5EC0DB000203}");
inline constexpr IID DIID__ISDParserIDSEvents = MakeGuid("{5EC0DB00-0204-4000-8000-5EC0DB000204}");
inline constexpr IID DIID__ISDParserAPPEvents = MakeGuid("{5EC0DB00-0205-4000-8000-5EC0DB000205}");
inline constexpr IID DIID__ISDParserCFEvents = MakeGuid("{5EC0DB00-0206-4000-8000-5EC0DB000206}");

}  // namespace xmlsecdb

#endif  // XMLSECDB_PARSERS_H_
