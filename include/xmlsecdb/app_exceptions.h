// Application exceptions: which applications a module's guards leave alone.
//
// An exception names one application (a label, or the ID of a definition
// of applications) and the mask of the guards it is exempt from; the guard
// bits are the EObjectType bits (OT_FILE, OT_FW_TRANS, OT_IDLOCK, ...).
// Each parser that protects applications exposes an IAppExceptionList
// through its `AppExceptionList` property.
//
// Every setter and list call fails with SECDB_E_READONLY (and an error
// record naming it) on a read-only database. Changes of a member raise the
// parser's exception events.
//
// Apartment-threaded, like the parser that owns the list.
#ifndef XMLSECDB_APP_EXCEPTIONS_H_
#define XMLSECDB_APP_EXCEPTIONS_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/enums.h"

namespace xmlsecdb {

struct IAppException : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0700-4000-8000-5EC0DB000700}");
  using Base = IDispatch;

  // AT_LABEL (the default) or AT_DEFINITION; other values are kept as given.
  [[nodiscard]] virtual HRESULT get_AppType(EAppType* type) = 0;
  [[nodiscard]] virtual HRESULT put_AppType(EAppType type) = 0;
  [[nodiscard]] virtual HRESULT get_Application(std::string* application) = 0;
  [[nodiscard]] virtual HRESULT put_Application(std::string_view application) = 0;
  // The guard mask; 0 for a new exception.
  [[nodiscard]] virtual HRESULT get_ActiveGuards(std::int32_t* guards) = 0;
  [[nodiscard]] virtual HRESULT put_ActiveGuards(std::int32_t guards) = 0;
  // A view of the precedence number (see Order): PRIOR_UNUSED when the
  // number is none of the six priority values. Setting a priority other
  // than low, normal or high gives E_INVALIDARG.
  [[nodiscard]] virtual HRESULT get_Priority(EPriority* priority) = 0;
  [[nodiscard]] virtual HRESULT put_Priority(EPriority priority) = 0;
  // "*" for a new exception.
  [[nodiscard]] virtual HRESULT get_Assignment(std::string* assignment) = 0;
  [[nodiscard]] virtual HRESULT put_Assignment(std::string_view assignment) = 0;
  [[nodiscard]] virtual HRESULT get_Account(ERuleAccount* account) = 0;
  [[nodiscard]] virtual HRESULT put_Account(ERuleAccount account) = 0;
  // Changing the UI flags raises no event.
  [[nodiscard]] virtual HRESULT get_UIFlags(std::string* flags) = 0;
  [[nodiscard]] virtual HRESULT put_UIFlags(std::string_view flags) = 0;
  // The raw precedence number; 35000 (normal) for a new exception.
  [[nodiscard]] virtual HRESULT get_Order(std::int32_t* order) = 0;
  [[nodiscard]] virtual HRESULT put_Order(std::int32_t order) = 0;
};

struct IAppExceptionList : ISDCollection {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0701-4000-8000-5EC0DB000701}");
  using Base = ISDCollection;

  // A new exception bound to this list but not yet a member.
  [[nodiscard]] virtual HRESULT CreateAppException(IAppException** exception) = 0;
  // Appends; no duplicate check.
  [[nodiscard]] virtual HRESULT Insert(IAppException* exception) = 0;
  // Removes this very object; SECDB_E_NOTFOUND when it is not a member.
  [[nodiscard]] virtual HRESULT Remove(IAppException* exception) = 0;
  [[nodiscard]] virtual HRESULT Clear() = 0;
  // All exceptions as one text for the agent, one record per exception in
  // list order joined by "#": "L|" (label) or "G|" (other types), the
  // application, "|%08X|" with the guard mask, the assignment, then
  // "|user", "|system" or "|both" (nothing for other accounts). For
  // example "L|notepad.exe|00000005|*|user". Empty for an empty list.
  [[nodiscard]] virtual HRESULT GetAllGuardsText(std::string* text) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_EXCEPTIONS_H_
