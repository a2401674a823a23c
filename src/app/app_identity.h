// Identity redirections: CIdentityRedirection and its list, CIdentity and
// its list. A redirection owns its expression (the shared CExpression)
// and its identity list and is their owner site, through which they reach
// the parser's read-only flag; none of them raises events.
#ifndef XMLSECDB_APP_APP_IDENTITY_H_
#define XMLSECDB_APP_APP_IDENTITY_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_dispatch.h"
#include "list/list_item.h"
#include "list/owned.h"
#include "list/plain_list.h"
#include "model/expression.h"
#include "model/value_list.h"
#include "xmlsecdb/app.h"

namespace xmlsecdb {

inline constexpr CLSID CLSID_IdentityRedirectionList =
    MakeGuid("{5EC0DB00-0E20-4000-8000-5EC0DB000E20}");
inline constexpr CLSID CLSID_IdentityRedirection =
    MakeGuid("{5EC0DB00-0E34-4000-8000-5EC0DB000E34}");
inline constexpr CLSID CLSID_IdentityList = MakeGuid("{5EC0DB00-0E35-4000-8000-5EC0DB000E35}");

class CIdentity final : public ItemObject<ListItemBase, IIdentity> {
 public:
  CIdentity() : arguments_(MakeObject<CSimpleValueList>()) {}

  HRESULT get_Module(std::string* module) override { return GetField(module_, module); }
  HRESULT put_Module(std::string_view module) override;
  HRESULT get_Description(std::string* description) override {
    return GetField(description_, description);
  }
  HRESULT put_Description(std::string_view description) override;
  HRESULT get_Path(std::string* path) override { return GetField(path_, path); }
  HRESULT put_Path(std::string_view path) override;
  HRESULT get_NewCmdLine(std::string* command_line) override {
    return GetField(command_line_, command_line);
  }
  HRESULT put_NewCmdLine(std::string_view command_line) override;
  HRESULT get_ArgumentList(ISimpleValueList** arguments) override {
    return GetOwned(arguments_.get(), arguments);
  }

  // For the section: the fields without checks.
  const std::string& module() const { return module_; }
  const std::string& description() const { return description_; }
  const std::string& path() const { return path_; }
  const std::string& command_line() const { return command_line_; }
  CSimpleValueList* arguments() const { return arguments_.get(); }
  void set_names(std::string_view module, std::string_view description) {
    module_ = module;
    description_ = description;
  }
  void set_path(std::string_view path) { path_ = path; }
  void set_command_line(std::string_view command_line) { command_line_ = command_line; }

 private:
  std::string module_;
  std::string description_;
  std::string path_;
  std::string command_line_;
  ComPtr<CSimpleValueList> arguments_;
};

inline constexpr ListTraits kIdentityListTraits = {.class_name = "CIdentityList",
                                                   .create_name = "Create",
                                                   .clsid = &CLSID_IdentityList,
                                                   .iid = &IIdentityList::kIID};

class CIdentityList final : public PlainList<IIdentityList, CIdentity, IIdentity> {
 public:
  explicit CIdentityList(IListOwner* redirection) : PlainList(redirection, kIdentityListTraits) {}

  HRESULT Create(IIdentity** identity) override { return PlainList::Create(identity); }
  HRESULT Insert(IIdentity* identity) override { return PlainList::Insert(identity); }
  HRESULT Remove(IIdentity* identity) override { return PlainList::Remove(identity); }
  HRESULT Clear() override { return PlainList::Clear(); }
};

class CIdentityRedirection final : public ItemObject<ListItemBase, IIdentityRedirection>,
                                   public IListOwner {
 public:
  CIdentityRedirection();

  HRESULT get_ID(std::string* id) override { return GetField(id_, id); }
  HRESULT put_ID(std::string_view id) override;
  HRESULT get_Type(std::string* type) override { return GetField(type_, type); }
  HRESULT put_Type(std::string_view type) override;
  HRESULT get_ParsingType(std::string* type) override { return GetField(parsing_type_, type); }
  HRESULT put_ParsingType(std::string_view type) override;
  HRESULT get_Description(std::string* description) override {
    return GetField(description_, description);
  }
  HRESULT put_Description(std::string_view description) override;
  HRESULT get_Expression(IExpression** expression) override {
    return GetOwned(expression_.get(), expression);
  }
  HRESULT get_IdentityList(IIdentityList** identities) override {
    return GetOwned(identities_.get(), identities);
  }

  // The owner site of the expression and the identities: they reach the
  // parser through this redirection; their changes are not announced.
  void MarkModified() override {}
  ParserCore* GetParser() override { return parser(); }

  // For the section: the fields without checks.
  const std::string& id() const { return id_; }
  const std::string& type() const { return type_; }
  const std::string& parsing_type() const { return parsing_type_; }
  const std::string& description() const { return description_; }
  CExpression* expression() const { return expression_.get(); }
  CIdentityList* identities() const { return identities_.get(); }
  void set_texts(std::string_view id, std::string_view type, std::string_view parsing_type,
                 std::string_view description);

 private:
  std::string id_;
  std::string type_;
  std::string parsing_type_;
  std::string description_;
  Owned<CExpression> expression_;
  Owned<CIdentityList> identities_;
};

inline constexpr ListTraits kIdentityRedirectionListTraits = {
    .class_name = "CIdentityRedirectionList",
    .create_name = "Create",
    .clsid = &CLSID_IdentityRedirectionList,
    .iid = &IIdentityRedirectionList::kIID};

class CIdentityRedirectionList final
    : public PlainList<IIdentityRedirectionList, CIdentityRedirection, IIdentityRedirection> {
 public:
  explicit CIdentityRedirectionList(IListOwner* owner)
      : PlainList(owner, kIdentityRedirectionListTraits) {}

  HRESULT Create(IIdentityRedirection** redirection) override {
    return PlainList::Create(redirection);
  }
  HRESULT Insert(IIdentityRedirection* redirection) override;
  HRESULT Remove(IIdentityRedirection* redirection) override {
    return PlainList::Remove(redirection);
  }
  HRESULT Get(std::string_view id, IIdentityRedirection** redirection) override;
  HRESULT Clear() override { return PlainList::Clear(); }
  HRESULT InsertAt(std::int32_t index, IIdentityRedirection* redirection) override;

  // The first member whose ID equals `id` ignoring ASCII case, or nullptr.
  CIdentityRedirection* Find(std::string_view id) const;

 private:
  // 106 from "CIdentityRedirectionList::Insert()" when a member's ID
  // equals the item's exactly.
  HRESULT CheckUnique(const CIdentityRedirection& item) const;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_APP_APP_IDENTITY_H_
