// The seven parser interfaces and their event interfaces.
//
// Each kind's lists are reached through its own interface; the members
// shared by all kinds are in ISDParser (xmlsecdb/parser.h).
#ifndef XMLSECDB_PARSERS_H_
#define XMLSECDB_PARSERS_H_

#include "xmlsecdb/am.h"
#include "xmlsecdb/app_exceptions.h"
#include "xmlsecdb/definitions.h"
#include "xmlsecdb/global_options.h"
#include "xmlsecdb/parser.h"
#include "xmlsecdb/rule_sets.h"

namespace xmlsecdb {

// The anti-malware database. Each getter stores the parser's own list (a
// new reference); the lists live as long as the parser and are emptied,
// not replaced, by New and Load. SetMasterParser accepts a sandbox parser
// only.
struct ISDParserAM : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0100-4000-8000-5EC0DB000100}");
  using Base = ISDParserEx;

  virtual HRESULT get_GlobalOptions(IPropertyList** list) = 0;
  virtual HRESULT get_DefinitionList(IDefinitionList** list) = 0;
  virtual HRESULT get_AppExceptionList(IAppExceptionList** list) = 0;
  virtual HRESULT get_RuleList(IAMRuleList** list) = 0;
  virtual HRESULT get_RuleSetList(IRuleSetList** list) = 0;
};

struct ISDParserSBX : ISDParser {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0101-4000-8000-5EC0DB000101}");
  using Base = ISDParser;
};

struct ISDParserDI : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0102-4000-8000-5EC0DB000102}");
  using Base = ISDParserEx;
};

struct ISDParserFW : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0103-4000-8000-5EC0DB000103}");
  using Base = ISDParserEx;
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

  virtual HRESULT get_GroupList(IIDSGroupList** groups) = 0;
  virtual HRESULT get_GlobalOptions(IPropertyList** options) = 0;
  virtual HRESULT get_DefinitionList(IDefinitionList** definitions) = 0;
  virtual HRESULT get_RuleSetList(IRuleSetList** rule_sets) = 0;
  // The smallest signature id from 0x40000000 upward that no rule of any
  // group has (SIDs outside 0x40000000..0xBFFFFFFF do not count), as the
  // bits of a 32-bit number.
  virtual HRESULT GenerateSID(std::int32_t* sid) = 0;
};

struct ISDParserAPP : ISDParserEx {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0105-4000-8000-5EC0DB000105}");
  using Base = ISDParserEx;
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
