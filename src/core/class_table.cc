#include "core/class_table.h"

#include <iterator>

#include "platform/env.h"
#include "platform/registry.h"

namespace xmlsecdb {
namespace {

constexpr ClassInfo kClasses[] = {
    {&CLSID_XMLSDParserFW, "XMLSecDB.FWParser.1", "XMLSecDB.FWParser",
     "XML Security Database Parser for Firewall"},
    {&CLSID_XMLSDParserSBX, "XMLSecDB.SBXParser.1", "XMLSecDB.SBXParser",
     "XML Security Database Parser for Sandbox"},
    {&CLSID_XMLSDParserAPP, "XMLSecDB.APPParser.1", "XMLSecDB.APPParser",
     "XML Security Database Parser for Application Repository"},
    {&CLSID_XMLSDParserIDS, "XMLSecDB.IDSParser.1", "XMLSecDB.IDSParser",
     "XML Security Database Parser for IDS"},
    {&CLSID_XMLSDParserCF, "XMLSecDB.CFParser.1", "XMLSecDB.CFParser",
     "XML Security Database Parser for Content Filter"},
    {&CLSID_XMLSDParserDI, "XMLSecDB.DIParser.1", "XMLSecDB.DIParser",
     "XML Security Database Parser for DI"},
    {&CLSID_XMLSDParserAM, "XMLSecDB.AMParser.1", "XMLSecDB.AMParser",
     "XML Security Database Parser for AM"},
};

}  // namespace

const ClassInfo* ParserClasses(std::size_t* count) {
  if (count) *count = std::size(kClasses);
  return kClasses;
}

const ClassInfo* FindClass(const CLSID& clsid) {
  for (const ClassInfo& info : kClasses) {
    if (*info.clsid == clsid) return &info;
  }
  return nullptr;
}

HRESULT CLSIDFromProgID(std::string_view progid, CLSID* clsid) {
  if (!clsid) return E_POINTER;
  for (const ClassInfo& info : kClasses) {
    if (progid == info.progid || progid == info.independent_progid) {
      *clsid = *info.clsid;
      return S_OK;
    }
  }
  return CO_E_CLASSSTRING;
}

HRESULT ProgIDFromCLSID(const CLSID& clsid, std::string* progid) {
  if (!progid) return E_POINTER;
  // What registration recorded wins, as clients that look classes up by name
  // see it; the module's own table answers for a class not registered.
  std::string registered;
  if (Succeeded(ProcessEnv().registry->QueryString(
          "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(clsid) + "\\ProgID", "", &registered)) &&
      !registered.empty()) {
    *progid = std::move(registered);
    return S_OK;
  }
  const ClassInfo* info = FindClass(clsid);
  if (!info) return REGDB_E_CLASSNOTREG;
  *progid = info->progid;
  return S_OK;
}

}  // namespace xmlsecdb
