// The module's object map: the creatable classes and how to make each.
#include "am/am_parser.h"
#include "app/app_parser.h"
#include "cf/cf_parser.h"
#include "core/class_table.h"
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
  HRESULT (*create)(const IID&, void**);
};

constexpr Creator kCreators[] = {
    {&CLSID_XMLSDParserFW, &Create<CFWParser>},   {&CLSID_XMLSDParserSBX, &Create<CSBXParser>},
    {&CLSID_XMLSDParserAPP, &Create<CAPPParser>}, {&CLSID_XMLSDParserIDS, &Create<CIDSParser>},
    {&CLSID_XMLSDParserCF, &Create<CCFParser>},   {&CLSID_XMLSDParserDI, &Create<CDIParser>},
    {&CLSID_XMLSDParserAM, &Create<CAMParser>},
};

}  // namespace

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, std::uint32_t, const IID& iid,
                         void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  for (const Creator& creator : kCreators) {
    if (*creator.clsid == clsid) return creator.create(iid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace xmlsecdb
