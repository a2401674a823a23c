// The seven kinds of database as data: everything the shared parser
// machinery needs to know to serve a kind.
#ifndef XMLSECDB_CORE_PARSER_KINDS_H_
#define XMLSECDB_CORE_PARSER_KINDS_H_

#include <span>

#include "core/parser_kind.h"
#include "xmlsecdb/classes.h"
#include "xmlsecdb/parsers.h"

namespace xmlsecdb {

// Row fields, in order: abbreviation, coclass, class, handler, module id,
// module word, schema file, schema location, CLSID, parser interface,
// event interface, master interface, events off while loading, module
// check, missing-major suffix, custom sections written, section names in
// any letter case.
//
// Until a kind's sections exist, they are kept verbatim with the custom
// sections (so nothing of a loaded file is lost on save); that is why those
// kinds write custom sections for now. The sandbox save writes none: its
// unknown top-level elements are dropped.
inline constexpr ParserKind kParserKinds[] = {
    {"am", "XMLSDParserAM", "CAMParser", "CDbContentHandlerAM", MODULE_AM,
     "AntiMalware", "AntiMalware.xsd", "res://zelxmlsdp.dll/xmlAM.xsd",
     &CLSID_XMLSDParserAM, &ISDParserAM::kIID, &DIID__ISDParserAMEvents, &ISDParserSBX::kIID,
     false, ModuleCheck::kExactText, " Missing Major version.", true},
    {"sbx", "XMLSDParserSBX", "CSBXParser", "CDbContentHandlerSBX", MODULE_SBX,
     "Sandbox", "Sandbox.xsd", "res://zelxmlsdp.dll/xmlsbx.xsd",
     &CLSID_XMLSDParserSBX, &ISDParserSBX::kIID, &DIID__ISDParserSBXEvents, &ISDParserSBX::kIID,
     true, ModuleCheck::kLookup, " Missing Major version.", false},
    {"di", "XMLSDParserDI", "CDIParser", "CDbContentHandlerDI", MODULE_DI,
     "DataInspection", "DI.xsd", "res://zelxmlsdp.dll/xmlDI.xsd",
     &CLSID_XMLSDParserDI, &ISDParserDI::kIID, &DIID__ISDParserDIEvents, &ISDParserSBX::kIID,
     false, ModuleCheck::kExactText, " Missing Major version.", true},
    {"fw", "XMLSDParserFW", "CFWParser", "CDbContentHandlerFW", MODULE_FW,
     "Firewall", "Firewall.xsd", "res://zelxmlsdp.dll/xmlfw.xsd",
     &CLSID_XMLSDParserFW, &ISDParserFW::kIID, &DIID__ISDParserFWEvents, &ISDParserFW::kIID,
     true, ModuleCheck::kExactText, " Missing Major version.", true},
    {"ids", "XMLSDParserIDS", "CIDSParser", "CDbContentHandlerIDS", MODULE_IDS,
     "IDS", "IDS.xsd", "res://zelxmlsdp.dll/xmlids.xsd",
     &CLSID_XMLSDParserIDS, &ISDParserIDS::kIID, &DIID__ISDParserIDSEvents, &ISDParserIDS::kIID,
     true, ModuleCheck::kLookupKnownWord, " Missing Major version.", true},
    {"app", "XMLSDParserAPP", "CAPPParser", "CDbContentHandlerAPP", MODULE_APP,
     "AppRepository", "AppRepository.xsd", "res://zelxmlsdp.dll/xmlapp.xsd",
     &CLSID_XMLSDParserAPP, &ISDParserAPP::kIID, &DIID__ISDParserAPPEvents, &ISDParserAPP::kIID,
     true, ModuleCheck::kLookup, " Missing major version.", true, true},
    {"cf", "XMLSDParserCF", "CCFParser", "CDbContentHandlerCF", MODULE_CF,
     "ContentFilter", "ContentFilter.xsd", "res://zelxmlsdp.dll/xmlcf.xsd",
     &CLSID_XMLSDParserCF, &ISDParserCF::kIID, &DIID__ISDParserCFEvents, &ISDParserCF::kIID,
     true, ModuleCheck::kLookup, " Missing Major version.", true},
};

// The row of a module id; every EModuleId with a parser has one.
constexpr const ParserKind& ParserKindOf(std::int32_t module_id) {
  for (const ParserKind& kind : kParserKinds) {
    if (kind.module_id == module_id) return kind;
  }
  throw "no parser for this module";
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_PARSER_KINDS_H_
