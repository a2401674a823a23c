#include "list/owned_child.h"

#include "core/parser.h"

namespace xmlsecdb {

HRESULT OwnedChild::CheckWritable(std::string_view source) const {
  ParserCore* p = parser();
  if (!p || !p->read_only()) return S_OK;
  return p->CheckWritable(source);
}

}  // namespace xmlsecdb
