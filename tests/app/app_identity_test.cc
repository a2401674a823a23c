// Identity redirections: the list's insert rules, InsertAt, Get, put_ID,
// the read-only names, and the file form.
#include "app/app_identity.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::AppSectionText;
using testing::LoadAppBody;
using testing::MakeAppParser;

class IdentityRedirectionTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_OK(parser_->get_IdentityRedirectionList(list_.Put())); }

  ComPtr<IIdentityRedirection> Make(std::string_view id) {
    ComPtr<IIdentityRedirection> redirection;
    EXPECT_OK(list_->Create(redirection.Put()));
    EXPECT_OK(redirection->put_ID(id));
    return redirection;
  }
  std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    for (const CIdentityRedirection* r : *static_cast<CIdentityRedirectionList*>(list_.get())) {
      ids.push_back(r->id());
    }
    return ids;
  }

  testing::ScopedDebugLogCapture log_;
  ComPtr<CAPPParser> parser_ = MakeAppParser();
  ComPtr<IIdentityRedirectionList> list_;
};

TEST_F(IdentityRedirectionTest, InsertInsertAtGetAndIds) {
  ComPtr<IIdentityRedirection> r = Make("r");
  // On an empty list every InsertAt fails.
  EXPECT_HR(list_->InsertAt(1, r.get()), E_INVALIDARG);
  EXPECT_HR(list_->InsertAt(0, r.get()), E_INVALIDARG);
  EXPECT_HR(list_->InsertAt(1, nullptr), E_POINTER);
  ASSERT_OK(list_->Insert(Make("a").get()));
  ASSERT_OK(list_->Insert(Make("A").get()));  // differs only in case: both go in
  EXPECT_HR(list_->InsertAt(3, r.get()), E_INVALIDARG);
  ASSERT_OK(list_->InsertAt(1, r.get()));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"r", "a", "A"}));
  ASSERT_OK(list_->InsertAt(3, Make("m").get()));
  EXPECT_EQ(Ids(), (std::vector<std::string>{"r", "a", "m", "A"}));

  EXPECT_HR(list_->Insert(Make("a").get()), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(testing::Reported(log_, "CIdentityRedirectionList::Insert()",
                                "Object with gived ID already exists."));
  EXPECT_HR(list_->InsertAt(1, Make("m").get()), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(testing::Reported(log_, "CIdentityRedirectionList::Insert()",
                                "Object with gived ID already exists."));

  // Get ignores ASCII case and answers the first.
  ComPtr<IIdentityRedirection> got;
  ASSERT_OK(list_->Get("A", got.Put()));
  std::string id;
  ASSERT_OK(got->get_ID(&id));
  EXPECT_EQ(id, "a");
  EXPECT_HR(list_->Get("none", got.Put()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log_, "CIdentityRedirectionList::Get()", "Item not found."));

  // A member cannot take an ID in use, its own included; a detached one can.
  EXPECT_HR(r->put_ID("r"), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(testing::Reported(log_, "CIdentityRedirection::put_ID()",
                                "Object with gived ID already exists."));
  EXPECT_HR(r->put_ID("M"), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(testing::Reported(log_, "CIdentityRedirection::put_ID()",
                                "Object with gived ID already exists."));
  ASSERT_OK(r->put_ID("s"));
  ASSERT_OK(Make("r")->put_ID("a"));

  ASSERT_OK(list_->Remove(r.get()));
  EXPECT_HR(list_->Remove(r.get()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log_, "CIdentityRedirectionList::Remove()", "Item not found."));
}

TEST_F(IdentityRedirectionTest, ReadOnlyRefusesEverySetterUnderItsName) {
  ComPtr<IIdentityRedirection> r = Make("r");
  ASSERT_OK(list_->Insert(r.get()));
  ComPtr<IIdentityList> identities;
  ASSERT_OK(r->get_IdentityList(identities.Put()));
  ComPtr<IIdentity> identity;
  ASSERT_OK(identities->Create(identity.Put()));
  ComPtr<IExpression> expression;
  ASSERT_OK(r->get_Expression(expression.Put()));
  ASSERT_OK(parser_->put_ReadOnly(1));
  ComPtr<IIdentityRedirection> made;
  ComPtr<IIdentity> made_identity;
  const struct {
    std::string_view source;
    std::function<HRESULT()> call;
  } cases[] = {
      {"CIdentityRedirection::put_ID()", [&] { return r->put_ID("x"); }},
      {"CIdentityRedirection::put_Type()", [&] { return r->put_Type("x"); }},
      {"CIdentityRedirection::put_Type()", [&] { return r->put_ParsingType("x"); }},
      {"CIdentityRedirection::put_Type()", [&] { return r->put_Description("x"); }},
      {"CIdentityRedirectionList::Create()", [&] { return list_->Create(made.Put()); }},
      {"CIdentityRedirectionList::Insert()", [&] { return list_->Insert(r.get()); }},
      {"CIdentityRedirectionList::InsertEx()", [&] { return list_->InsertAt(1, r.get()); }},
      {"CIdentityRedirectionList::Remove()", [&] { return list_->Remove(r.get()); }},
      {"CIdentityRedirectionList::Clear()", [&] { return list_->Clear(); }},
      {"CIdentity::put_Type()", [&] { return identity->put_Module("x"); }},
      {"CIdentity::put_Type()", [&] { return identity->put_Description("x"); }},
      {"CIdentity::put_Path()", [&] { return identity->put_Path("x"); }},
      {"CIdentity::put_NewCmdLine()", [&] { return identity->put_NewCmdLine("x"); }},
      {"CIdentityList::Create()", [&] { return identities->Create(made_identity.Put()); }},
      {"CIdentityList::Insert()", [&] { return identities->Insert(identity.get()); }},
      {"CIdentityList::Clear()", [&] { return identities->Clear(); }},
      {"CExpression::Clear()", [&] { return expression->Clear(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log_, c.source, testing::kReadOnlyText));
  }
}

TEST(IdentityRedirectionFormatTest, ReadWrittenAndRefused) {
  ComPtr<CAPPParser> parser = MakeAppParser();
  ASSERT_OK(LoadAppBody(
      parser.get(),
      "<IdentityRedirectionList>"
      "<IdentityRedirection id=\"host\" type=\"svc\" parsingtype=\"\" desc=\"d\">"
      "<Expression><Element desc=\"program\">svchost</Element><Element> -k</Element></Expression>"
      "<Identity module=\"m\"><Arg>-a</Arg><Path>/p</Path><Arg>-b</Arg></Identity>"
      "<Identity/></IdentityRedirection><IdentityRedirection id=\"HOST\"/>"
      "</IdentityRedirectionList>"
      "<LabelList><Label id=\"l\" type=\"name\"><Path>p</Path></Label></LabelList>"));
  EXPECT_EQ(AppSectionText(parser.get(), "identityredirectionlist"),
            "\t<IdentityRedirectionList>\n"
            "\t\t<IdentityRedirection id=\"host\" type=\"svc\" desc=\"d\">\n"
            "\t\t\t<Expression>\n"
            "\t\t\t\t<Element desc=\"program\">svchost</Element>\n"
            "\t\t\t\t<Element desc=\"\"> -k</Element>\n"
            "\t\t\t</Expression>\n"
            "\t\t\t<Identity module=\"m\" desc=\"\">\n"
            "\t\t\t\t<Path>/p</Path>\n\t\t\t\t<NewCmdLine/>\n"
            "\t\t\t\t<Arg>-a</Arg>\n\t\t\t\t<Arg>-b</Arg>\n"
            "\t\t\t</Identity>\n"
            "\t\t\t<Identity module=\"\" desc=\"\">\n"
            "\t\t\t\t<Path/>\n\t\t\t\t<NewCmdLine/>\n"
            "\t\t\t</Identity>\n"
            "\t\t</IdentityRedirection>\n"
            "\t\t<IdentityRedirection id=\"HOST\">\n\t\t\t<Expression/>\n"
            "\t\t</IdentityRedirection>\n"
            "\t</IdentityRedirectionList>\n");
  // A label's Path is not an identity's, and the other way round.
  ComPtr<IIdentityRedirectionList> list;
  ASSERT_OK(parser->get_IdentityRedirectionList(list.Put()));
  ComPtr<IIdentityRedirection> host;
  ASSERT_OK(list->Get("host", host.Put()));
  ComPtr<IExpression> expression;
  ASSERT_OK(host->get_Expression(expression.Put()));
  std::string text;
  ASSERT_OK(expression->get_String(&text));
  EXPECT_EQ(text, "svchost -k");

  testing::ScopedDebugLogCapture log;
  const struct {
    std::string body;
    HRESULT result;
    std::string_view source, text;
  } failures[] = {
      {"<IdentityRedirection type=\"x\"/>", E_FAIL, "CDbContentHandlerAPP::StartElement()",
       "Required attribute is missing. Missing IdentityRedirection id."},
      {"<IdentityRedirection id=\"a\"/><IdentityRedirection id=\"a\"/>", SECDB_E_DUPLICATEID,
       "CIdentityRedirectionList::Insert()", "Object with gived ID already exists."},
  };
  for (const auto& c : failures) {
    SCOPED_TRACE(c.body);
    ComPtr<CAPPParser> failed = MakeAppParser();
    EXPECT_HR(LoadAppBody(failed.get(),
                          "<IdentityRedirectionList>" + c.body + "</IdentityRedirectionList>"),
              c.result);
    EXPECT_TRUE(testing::Reported(log, c.source, c.text));
  }
}

}  // namespace
}  // namespace xmlsecdb
