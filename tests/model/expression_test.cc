// The shared expression: its text, its owner's notices, read-only refusals
// and late binding.
#include "model/expression.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "model/access_test_rule.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using testing::AccessTestRule;
using testing::AddRule;
using testing::MakeAccessTestParser;
using testing::TestParser;
using Notices = std::vector<std::string>;

// An expression owned by a rule of a test parser: the rule stands for the
// object that holds it and logs what reaches it.
class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rule_ = AddRule(*parser_);
    ASSERT_NE(rule_, nullptr);
    expression_ = MakeObject<CExpression>(rule_);
  }
  void TearDown() override { expression_->DetachOwner(); }

  ComPtr<IExpressionElement> Add(std::string_view description, std::string_view value) {
    ComPtr<IExpressionElement> element;
    EXPECT_OK(expression_->Create(element.Put()));
    EXPECT_OK(element->put_Description(description));
    EXPECT_OK(element->put_value(value));
    EXPECT_OK(expression_->Insert(element.get()));
    return element;
  }
  std::string Text() {
    std::string text = "unset";
    EXPECT_OK(expression_->get_String(&text));
    return text;
  }

  ComPtr<TestParser> parser_ = MakeAccessTestParser();
  AccessTestRule* rule_ = nullptr;
  ComPtr<CExpression> expression_;
};

TEST_F(ExpressionTest, StringJoinsTheValuesInListOrder) {
  EXPECT_EQ(Text(), "");
  ComPtr<IExpressionElement> host = Add("host program", "rundll32.exe ");
  ComPtr<IExpressionElement> empty = Add("nothing", "");
  Add("entry", "shell32.dll,Control_RunDLL");
  EXPECT_EQ(Text(), "rundll32.exe shell32.dll,Control_RunDLL");

  ASSERT_OK(expression_->Remove(host.get()));
  EXPECT_EQ(Text(), "shell32.dll,Control_RunDLL");
  ASSERT_OK(expression_->Insert(host.get()));  // appends again
  EXPECT_EQ(Text(), "shell32.dll,Control_RunDLLrundll32.exe ");

  std::string description;
  ASSERT_OK(empty->get_Description(&description));
  EXPECT_EQ(description, "nothing");
  EXPECT_HR(expression_->Insert(host.get()), E_INVALIDARG);
  EXPECT_HR(expression_->get_String(nullptr), E_POINTER);
  ASSERT_OK(expression_->Clear());
  EXPECT_EQ(Text(), "");
  EXPECT_HR(expression_->Remove(host.get()), SECDB_E_NOTFOUND);
  EXPECT_EQ(testing::TakeErrorDescription(), "Item not found.");
  EXPECT_OK(expression_->Append("reader", "value"));
  EXPECT_EQ(Text(), "value");
}

TEST_F(ExpressionTest, MembersTellTheOwnerAndDetachedElementsAreSilent) {
  ComPtr<IExpressionElement> element;
  ASSERT_OK(expression_->Create(element.Put()));
  ASSERT_OK(element->put_value("detached"));
  EXPECT_TRUE(rule_->notices.empty());
  ASSERT_OK(expression_->Insert(element.get()));
  ASSERT_OK(element->put_Description("d"));
  ASSERT_OK(element->put_value("detached"));  // unchanged: silent
  ASSERT_OK(element->put_value("v"));
  EXPECT_EQ(rule_->notices,
            (Notices{"before-insert:item", "after-insert:item", "before-change:item:1",
                     "after-change:item:1", "before-change:item:2", "after-change:item:2"}));
}

TEST_F(ExpressionTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<IExpressionElement> member = Add("d", "v");
  ASSERT_OK(parser_->put_ReadOnly(1));
  rule_->notices.clear();
  ComPtr<IExpressionElement> made;
  struct Case {
    const char* source;
    std::function<HRESULT()> call;
  };
  const Case cases[] = {
      {"CExpressionElement::put_Description()", [&] { return member->put_Description("x"); }},
      {"CExpressionElement::put_value()", [&] { return member->put_value("x"); }},
      {"CExpression::Create()", [&] { return expression_->Create(made.Put()); }},
      {"CExpression::Insert()", [&] { return expression_->Insert(member.get()); }},
      {"CExpression::Remove()", [&] { return expression_->Remove(member.get()); }},
      {"CExpression::Clear()", [&] { return expression_->Clear(); }},
  };
  testing::ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log, c.source, testing::kReadOnlyText));
  }
  EXPECT_EQ(made.get(), nullptr);
  EXPECT_EQ(Text(), "v");
  EXPECT_TRUE(rule_->notices.empty());
}

TEST_F(ExpressionTest, AnswersByNameAndDispid) {
  Add("a", "one");
  Add("b", "two");
  DISPID dispid = 0;
  ASSERT_OK(expression_->GetIDsOfNames("string", &dispid));
  EXPECT_EQ(dispid, 7);
  Variant result;
  ASSERT_OK(expression_->Invoke(dispid, nullptr, 0, &result));
  ASSERT_NE(result.as_string(), nullptr);
  EXPECT_EQ(*result.as_string(), "onetwo");
}

}  // namespace
}  // namespace xmlsecdb
