// CAppException and CAppExceptionList: a parser's application exceptions
// (see xmlsecdb/app_exceptions.h for the contract clients see).
#ifndef XMLSECDB_MODEL_APP_EXCEPTION_H_
#define XMLSECDB_MODEL_APP_EXCEPTION_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "list/plain_list.h"
#include "model/model_dispatch.h"
#include "model/precedence.h"
#include "xmlsecdb/app_exceptions.h"

namespace xmlsecdb {

// Classes clients reach only through the lists; their CLSIDs name them in
// error records.
inline constexpr CLSID CLSID_AppExceptionList = MakeGuid("{5EC0DB00-0702-4000-8000-5EC0DB000702}");
inline constexpr CLSID CLSID_AppException = MakeGuid("{5EC0DB00-0703-4000-8000-5EC0DB000703}");

// The property number a change event of an exception carries: the DISPID
// of the property that changed.
enum AppExceptionProperty : std::int32_t {
  kAppExceptionAppType = 1,
  kAppExceptionApplication = 2,
  kAppExceptionActiveGuards = 3,
  kAppExceptionPriority = 4,
  kAppExceptionAssignment = 5,
  kAppExceptionAccount = 6,
  kAppExceptionUIFlags = 7,
  kAppExceptionOrder = 8,
};

// The fields of an exception, with their creation defaults.
struct AppExceptionData {
  EAppType app_type = AT_LABEL;
  std::string application;
  std::uint32_t guards = 0;
  std::string assignment = "*";
  ERuleAccount account = RA_USER;
  std::string ui_flags;
  Precedence precedence;
};

class CAppException final : public ItemObject<ListItemBase, IAppException> {
 public:
  HRESULT get_AppType(EAppType* type) override;
  HRESULT put_AppType(EAppType type) override;
  HRESULT get_Application(std::string* application) override;
  HRESULT put_Application(std::string_view application) override;
  HRESULT get_ActiveGuards(std::int32_t* guards) override;
  HRESULT put_ActiveGuards(std::int32_t guards) override;
  HRESULT get_Priority(EPriority* priority) override;
  HRESULT put_Priority(EPriority priority) override;
  HRESULT get_Assignment(std::string* assignment) override;
  HRESULT put_Assignment(std::string_view assignment) override;
  HRESULT get_Account(ERuleAccount* account) override;
  HRESULT put_Account(ERuleAccount account) override;
  HRESULT get_UIFlags(std::string* flags) override;
  HRESULT put_UIFlags(std::string_view flags) override;
  HRESULT get_Order(std::int32_t* order) override;
  HRESULT put_Order(std::int32_t order) override;

  const AppExceptionData& data() const { return data_; }
  // Direct access for a loader filling an exception that is not yet a
  // member: no read-only check, no events.
  AppExceptionData& loading_data() { return data_; }

  // Appends this exception's record of the guards text.
  void AppendGuardsRecord(std::string* text) const;

 private:
  AppExceptionData data_;
};

inline constexpr ListTraits kAppExceptionListTraits = {.class_name = "CAppExceptionList",
                                                       .create_name = "CreateAppException",
                                                       .clsid = &CLSID_AppExceptionList,
                                                       .iid = &IAppExceptionList::kIID};

// The parser's list of exceptions. Insert, Remove and Clear are the plain
// list's, with the parser's exception events through the owner site.
class CAppExceptionList final : public PlainList<IAppExceptionList, CAppException, IAppException> {
 public:
  explicit CAppExceptionList(IListOwner* parser) : PlainList(parser, kAppExceptionListTraits) {}

  HRESULT CreateAppException(IAppException** exception) override { return Create(exception); }
  HRESULT Insert(IAppException* exception) override { return PlainList::Insert(exception); }
  HRESULT GetAllGuardsText(std::string* text) override;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_MODEL_APP_EXCEPTION_H_
