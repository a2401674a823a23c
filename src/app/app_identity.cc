#include "app/app_identity.h"

#include "app/app_id_lists.h"
#include "core/error_report.h"
#include "core/messages.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {

// The Module and Description setters name themselves as the program
// always has.
HRESULT CIdentity::put_Module(std::string_view module) {
  return Store("CIdentity::put_Type()", module_, std::string(module));
}
HRESULT CIdentity::put_Description(std::string_view description) {
  return Store("CIdentity::put_Type()", description_, std::string(description));
}
HRESULT CIdentity::put_Path(std::string_view path) {
  return Store("CIdentity::put_Path()", path_, std::string(path));
}
HRESULT CIdentity::put_NewCmdLine(std::string_view command_line) {
  return Store("CIdentity::put_NewCmdLine()", command_line_, std::string(command_line));
}

CIdentityRedirection::CIdentityRedirection()
    : expression_(MakeObject<CExpression>(this)), identities_(MakeObject<CIdentityList>(this)) {}

HRESULT CIdentityRedirection::put_ID(std::string_view id) {
  constexpr std::string_view kSource = "CIdentityRedirection::put_ID()";
  RETURN_IF_FAILED(CheckWritable(kSource));
  auto* redirections = static_cast<CIdentityRedirectionList*>(list());
  if (attached() && redirections && redirections->Find(id)) {
    return ReportError(kSource, CLSID_IdentityRedirection, kMsgDuplicateId,
                       IIdentityRedirection::kIID, SECDB_E_DUPLICATEID);
  }
  id_ = id;
  return S_OK;
}

// Type, ParsingType and Description name the Type setter.
HRESULT CIdentityRedirection::put_Type(std::string_view type) {
  return Store("CIdentityRedirection::put_Type()", type_, std::string(type));
}
HRESULT CIdentityRedirection::put_ParsingType(std::string_view type) {
  return Store("CIdentityRedirection::put_Type()", parsing_type_, std::string(type));
}
HRESULT CIdentityRedirection::put_Description(std::string_view description) {
  return Store("CIdentityRedirection::put_Type()", description_, std::string(description));
}

void CIdentityRedirection::set_texts(std::string_view id, std::string_view type,
                                     std::string_view parsing_type, std::string_view description) {
  id_ = id;
  type_ = type;
  parsing_type_ = parsing_type;
  description_ = description;
}

CIdentityRedirection* CIdentityRedirectionList::Find(std::string_view id) const {
  return FindByID(*this, id);
}

HRESULT CIdentityRedirectionList::Insert(IIdentityRedirection* redirection) {
  return InsertWithUniqueID<CIdentityRedirection>(*this, redirection);
}

HRESULT CIdentityRedirectionList::Get(std::string_view id, IIdentityRedirection** redirection) {
  if (!redirection) return E_POINTER;
  *redirection = nullptr;
  CIdentityRedirection* found = Find(id);
  if (!found) return Report("Get()", kMsgNotFound, SECDB_E_NOTFOUND);
  *redirection = found;
  found->AddRef();
  return S_OK;
}

HRESULT CIdentityRedirectionList::InsertAt(std::int32_t index, IIdentityRedirection* redirection) {
  if (!redirection) return E_POINTER;
  if (index < 1 || index > count()) return E_INVALIDARG;
  // The guard names the call the program always has named.
  RETURN_IF_FAILED(CheckWritable("InsertEx"));
  auto* item = static_cast<CIdentityRedirection*>(AsListItem(redirection));
  if (!item) return E_INVALIDARG;
  RETURN_IF_FAILED(CheckUnique(*item));
  return InsertMember(item, at(index - 1), true);
}

HRESULT CIdentityRedirectionList::CheckUnique(const CIdentityRedirection& item) const {
  for (const CIdentityRedirection* member : *this) {
    if (member->id() == item.id()) {
      return Report("Insert()", kMsgDuplicateId, SECDB_E_DUPLICATEID);
    }
  }
  return S_OK;
}

}  // namespace xmlsecdb
