#include "am/am_parser.h"

#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

// Until the kind's lists exist, its sections are kept verbatim with the
// custom sections, so that nothing of a loaded file is lost on save.
constexpr std::string_view kKnownSections[] = {"SecDb", "VersionInfo", "Module"};

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
    .known_sections = kKnownSections,
    .writes_custom_sections = true,
    .sections = {},
};

}  // namespace

CAMParser::CAMParser() : ParserObjectEx(kKind) {
  set_handler(std::make_unique<CDbContentHandler>(this));
}

}  // namespace xmlsecdb
