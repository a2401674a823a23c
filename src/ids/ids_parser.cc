#include "ids/ids_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's sections exist, they are kept verbatim with the custom
// sections, so that nothing of a loaded file is lost on save.
constexpr ParserKind kKind = {
    .coclass = "XMLSDParserIDS",
    .class_name = "CIDSParser",
    .handler_name = "CDbContentHandlerIDS",
    .module_id = MODULE_IDS,
    .module_text = "IDS",
    .schema_file = "IDS.xsd",
    .schema_location = "res://zelxmlsdp.dll/xmlids.xsd",
    .clsid = &CLSID_XMLSDParserIDS,
    .parser_iid = &ISDParserIDS::kIID,
    .events_iid = &DIID__ISDParserIDSEvents,
    .master_iid = &ISDParserIDS::kIID,
    .events_off_while_loading = true,
    .module_check = ModuleCheck::kExactText,
    .missing_major_suffix = " Missing Major version.",
    .writes_custom_sections = true,
};

}  // namespace

CIDSParser::CIDSParser() : ParserObjectEx(kKind) {}

}  // namespace xmlsecdb
