// The dispatch tables of the members every parser interface has, and the
// event table every parser's connection point describes.
//
// The kinds number ISDParser's members differently, so a kind gives its
// numbers as a ParserDispids constant and takes ParserDispatch<I, ids>
// as the base of its parser table (src/<kind>/<kind>_dispatch.cc).
//
// The parser's text (Xml), its file, its read-only state and the library's
// version are marked as outside the database's content.
//
// Events: the load and save events (1 to 4). A kind whose event interface
// has more members declares `const DispatchTable* EventTableFor(ISDParserXX*)`
// beside its parser class, defined with its own table (based on this
// one); the others fall back to the ISDParser overload.
#ifndef XMLSECDB_CORE_PARSER_DISPATCH_H_
#define XMLSECDB_CORE_PARSER_DISPATCH_H_

#include "platform/dispatch_table.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {

// Where a kind's parser interface puts ISDParser's members.
struct ParserDispids {
  DISPID load, save, new_database, module, version, parser_version, set_master_parser, xml,
      read_only, crypt_key, file_path;
};

template <class I, const ParserDispids& ids>
struct ParserDispatch {
  using M = DispatchMembers<I>;
  static constexpr DispatchMember kMembers[] = {
      M::template Method<&I::Load>("Load", ids.load),
      M::template Method<&I::Save>("Save", ids.save),
      M::template Method<&I::New>("New", ids.new_database),
      M::template Get<&I::get_Module>("Module", ids.module),
      M::template Property<&I::get_Version, &I::put_Version>("Version", ids.version),
      OutsideContent(M::template Get<&I::get_ParserVersion>("ParserVersion", ids.parser_version)),
      M::template Method<&I::SetMasterParser>("SetMasterParser", ids.set_master_parser),
      OutsideContent(M::template Get<&I::get_Xml>("Xml", ids.xml)),
      OutsideContent(
          M::template Property<&I::get_ReadOnly, &I::put_ReadOnly>("ReadOnly", ids.read_only)),
      M::template Put<&I::put_CryptKey>("CryptKey", ids.crypt_key),
      OutsideContent(M::template Get<&I::get_FilePath>("FilePath", ids.file_path)),
  };
  static_assert(DispatchMembersAreUnique(kMembers));
  static constexpr DispatchTable kTable = DispatchTableOf<I>("ISDParser", kMembers);
};

extern const DispatchTable kParserEventTable;

inline const DispatchTable* EventTableFor(ISDParser*) { return &kParserEventTable; }

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_PARSER_DISPATCH_H_
