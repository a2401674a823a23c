#include "cf/cf_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's sections exist, they are kept verbatim with the custom
// sections, so that nothing of a loaded file is lost on save.
constexpr ParserKind kKind = {
    .coclass = "XMLSDParserCF",
    .class_name = "CCFParser",
    .handler_name = "CDbContentHandlerCF",
    .module_id = MODULE_CF,
    .module_text = "ContentFilter",
    .schema_file = "ContentFilter.xsd",
    .schema_location = "res://zelxmlsdp.dll/xmlcf.xsd",
    .clsid = &CLSID_XMLSDParserCF,
    .parser_iid = &ISDParserCF::kIID,
    .events_iid = &DIID__ISDParserCFEvents,
    .master_iid = &ISDParserCF::kIID,
    .events_off_while_loading = true,
    .module_check = ModuleCheck::kLookup,
    .missing_major_suffix = " Missing Major version.",
    .writes_custom_sections = true,
};

}  // namespace

CCFParser::CCFParser() : ParserObjectEx(kKind) {}

}  // namespace xmlsecdb
