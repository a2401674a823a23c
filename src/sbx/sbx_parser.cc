#include "sbx/sbx_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's sections exist, they are kept verbatim with the custom
// sections, so that nothing of a loaded file is lost on save.
constexpr ParserKind kKind = {
    .coclass = "XMLSDParserSBX",
    .class_name = "CSBXParser",
    .handler_name = "CDbContentHandlerSBX",
    .module_id = MODULE_SBX,
    .module_text = "Sandbox",
    .schema_file = "Sandbox.xsd",
    .schema_location = "res://zelxmlsdp.dll/xmlsbx.xsd",
    .clsid = &CLSID_XMLSDParserSBX,
    .parser_iid = &ISDParserSBX::kIID,
    .events_iid = &DIID__ISDParserSBXEvents,
    .master_iid = &ISDParserSBX::kIID,
    .events_off_while_loading = true,
    .module_check = ModuleCheck::kLookup,
    .missing_major_suffix = " Missing Major version.",
    .writes_custom_sections = true,
};

}  // namespace

CSBXParser::CSBXParser() : ParserObject(kKind) {}

}  // namespace xmlsecdb
