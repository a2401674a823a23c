#include "model/app_exception.h"

#include "core/ascii.h"
#include "core/return_if_failed.h"

namespace xmlsecdb {
HRESULT CAppException::get_AppType(EAppType* type) { return GetField(data_.app_type, type); }

HRESULT CAppException::put_AppType(EAppType type) {
  return Put("CAppException::put_AppType()", data_.app_type, type, kAppExceptionAppType);
}

HRESULT CAppException::get_Application(std::string* application) {
  return GetField(data_.application, application);
}

HRESULT CAppException::put_Application(std::string_view application) {
  return Put("CAppException::put_Application()", data_.application, std::string(application),
             kAppExceptionApplication);
}

HRESULT CAppException::get_ActiveGuards(std::int32_t* guards) {
  return GetField(static_cast<std::int32_t>(data_.guards), guards);
}

HRESULT CAppException::put_ActiveGuards(std::int32_t guards) {
  return Put("CAppException::put_ActiveGuards()", data_.guards, static_cast<std::uint32_t>(guards),
             kAppExceptionActiveGuards);
}

HRESULT CAppException::get_Priority(EPriority* priority) {
  return GetPriority(data_.precedence, priority);
}

HRESULT CAppException::put_Priority(EPriority priority) {
  return PutPriority(*this, data_.precedence, "CAppException::put_Priority()", priority,
                     kAppExceptionPriority);
}

HRESULT CAppException::get_Assignment(std::string* assignment) {
  return GetField(data_.assignment, assignment);
}

HRESULT CAppException::put_Assignment(std::string_view assignment) {
  return Put("CAppException::put_Assignment()", data_.assignment, std::string(assignment),
             kAppExceptionAssignment);
}

HRESULT CAppException::get_Account(ERuleAccount* account) {
  return GetField(data_.account, account);
}

HRESULT CAppException::put_Account(ERuleAccount account) {
  return Put("CAppException::put_Account()", data_.account, account, kAppExceptionAccount);
}

HRESULT CAppException::get_UIFlags(std::string* flags) { return GetField(data_.ui_flags, flags); }

HRESULT CAppException::put_UIFlags(std::string_view flags) {
  RETURN_IF_FAILED(CheckWritable("CAppException::put_UIFlags()"));
  data_.ui_flags = flags;
  return S_OK;
}

HRESULT CAppException::get_Order(std::int32_t* order) { return GetOrder(data_.precedence, order); }

HRESULT CAppException::put_Order(std::int32_t order) {
  return PutOrder(*this, data_.precedence, "CAppException::put_Order()", order, kAppExceptionOrder);
}

void CAppException::AppendGuardsRecord(std::string* text) const {
  text->append(data_.app_type == AT_LABEL ? "L|" : "G|");
  text->append(data_.application);
  char mask[10] = {'|', 0, 0, 0, 0, 0, 0, 0, 0, '|'};
  for (int i = 0; i < 8; ++i) mask[8 - i] = kUpperHexDigits[(data_.guards >> (4 * i)) & 0xF];
  text->append(mask, sizeof mask);
  text->append(data_.assignment);
  switch (data_.account) {
    case RA_USER:
      text->append("|user");
      break;
    case RA_SYSTEM:
      text->append("|system");
      break;
    case RA_BOTH:
      text->append("|both");
      break;
  }
}

HRESULT CAppExceptionList::GetAllGuardsText(std::string* text) {
  if (!text) return E_POINTER;
  text->clear();
  bool first = true;
  for (const CAppException* exception : *this) {
    if (!first) text->push_back('#');
    first = false;
    exception->AppendGuardsRecord(text);
  }
  return S_OK;
}

}  // namespace xmlsecdb
