#include "di/di_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's sections exist, they are kept verbatim with the custom
// sections, so that nothing of a loaded file is lost on save.
constexpr ParserKind kKind = {
    .coclass = "XMLSDParserDI",
    .class_name = "CDIParser",
    .handler_name = "CDbContentHandlerDI",
    .module_id = MODULE_DI,
    .module_text = "DataInspection",
    .schema_file = "DI.xsd",
    .schema_location = "res://zelxmlsdp.dll/xmlDI.xsd",
    .clsid = &CLSID_XMLSDParserDI,
    .parser_iid = &ISDParserDI::kIID,
    .events_iid = &DIID__ISDParserDIEvents,
    .master_iid = &ISDParserSBX::kIID,
    .events_off_while_loading = false,
    .module_check = ModuleCheck::kExactText,
    .missing_major_suffix = " Missing Major version.",
    .writes_custom_sections = true,
};

}  // namespace

CDIParser::CDIParser() : ParserObjectEx(kKind) {}

}  // namespace xmlsecdb
