#include "fw/fw_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's sections exist, they are kept verbatim with the custom
// sections, so that nothing of a loaded file is lost on save.
constexpr ParserKind kKind = {
    .coclass = "XMLSDParserFW",
    .class_name = "CFWParser",
    .handler_name = "CDbContentHandlerFW",
    .module_id = MODULE_FW,
    .module_text = "Firewall",
    .schema_file = "Firewall.xsd",
    .schema_location = "res://zelxmlsdp.dll/xmlfw.xsd",
    .clsid = &CLSID_XMLSDParserFW,
    .parser_iid = &ISDParserFW::kIID,
    .events_iid = &DIID__ISDParserFWEvents,
    .master_iid = &ISDParserFW::kIID,
    .events_off_while_loading = true,
    .module_check = ModuleCheck::kExactText,
    .missing_major_suffix = " Missing Major version.",
    .writes_custom_sections = true,
};

}  // namespace

CFWParser::CFWParser() : ParserObjectEx(kKind) {}

}  // namespace xmlsecdb
