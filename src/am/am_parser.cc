#include "am/am_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's sections exist, they are kept verbatim with the custom
// sections, so that nothing of a loaded file is lost on save.
constexpr ParserKind kKind = {
    .coclass = "XMLSDParserAM",
    .class_name = "CAMParser",
    .handler_name = "CDbContentHandlerAM",
    .module_id = MODULE_AM,
    .module_text = "AntiMalware",
    .schema_file = "AntiMalware.xsd",
    .schema_location = "res://zelxmlsdp.dll/xmlAM.xsd",
    .clsid = &CLSID_XMLSDParserAM,
    .parser_iid = &ISDParserAM::kIID,
    .events_iid = &DIID__ISDParserAMEvents,
    .master_iid = &ISDParserSBX::kIID,
    .events_off_while_loading = false,
    .module_check = ModuleCheck::kExactText,
    .missing_major_suffix = " Missing Major version.",
    .writes_custom_sections = true,
};

}  // namespace

CAMParser::CAMParser() : ParserObjectEx(kKind) {}

}  // namespace xmlsecdb
