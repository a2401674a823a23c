#include "app/app_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's sections exist, they are kept verbatim with the custom
// sections, so that nothing of a loaded file is lost on save.
constexpr ParserKind kKind = {
    .coclass = "XMLSDParserAPP",
    .class_name = "CAPPParser",
    .handler_name = "CDbContentHandlerAPP",
    .module_id = MODULE_APP,
    .module_text = "AppRepository",
    .schema_file = "AppRepository.xsd",
    .schema_location = "res://zelxmlsdp.dll/xmlapp.xsd",
    .clsid = &CLSID_XMLSDParserAPP,
    .parser_iid = &ISDParserAPP::kIID,
    .events_iid = &DIID__ISDParserAPPEvents,
    .master_iid = &ISDParserAPP::kIID,
    .events_off_while_loading = true,
    .module_check = ModuleCheck::kLookup,
    .missing_major_suffix = " Missing major version.",
    .writes_custom_sections = true,
};

}  // namespace

CAPPParser::CAPPParser() : ParserObjectEx(kKind) {}

}  // namespace xmlsecdb
