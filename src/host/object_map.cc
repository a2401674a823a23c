#include "host/object_map.h"

#include "am/am_parser.h"
#include "app/app_parser.h"
#include "cf/cf_parser.h"
#include "di/di_parser.h"
#include "fw/fw_parser.h"
#include "ids/ids_parser.h"
#include "sbx/sbx_parser.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

template <class T>
HRESULT Create(const IID& iid, void** object) {
  ComPtr<T> created = MakeObject<T>();
  return created->QueryInterface(iid, object);
}

struct Creator {
  const CLSID* clsid;
  CreateFunction create;
};

// The item and list classes are deliberately absent: clients get them from
// the parsers only.
constexpr Creator kCreators[] = {
    {&CLSID_XMLSDParserFW, &Create<CFWParser>},   {&CLSID_XMLSDParserSBX, &Create<CSBXParser>},
    {&CLSID_XMLSDParserAPP, &Create<CAPPParser>}, {&CLSID_XMLSDParserIDS, &Create<CIDSParser>},
    {&CLSID_XMLSDParserCF, &Create<CCFParser>},   {&CLSID_XMLSDParserDI, &Create<CDIParser>},
    {&CLSID_XMLSDParserAM, &Create<CAMParser>},
};

}  // namespace

CreateFunction FindCreator(const CLSID& clsid) {
  for (const Creator& creator : kCreators) {
    if (*creator.clsid == clsid) return creator.create;
  }
  return nullptr;
}

}  // namespace xmlsecdb
