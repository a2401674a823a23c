// The comparison context of a parser with definitions: its own definitions
// by ID, then its master's, whatever kind the master is.
#include "model/definitions_context.h"

#include <gtest/gtest.h>

#include "am/am_parser.h"
#include "list/test_lists.h"
#include "model/definitions_section.h"
#include "model/simple_definition.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb::testing {
namespace {

class TestContext final : public DefinitionsContext {
 public:
  TestContext(const DefinitionListBase* definitions, const TestParser* parser)
      : DefinitionsContext(definitions), parser_(parser) {}

 private:
  IUnknown* master_parser() const override { return parser_->master(); }
  const TestParser* parser_;
};

// Adds a definition with `id` to `list`.
void AddDefinition(IDefinitionList* list, std::string_view id) {
  ComPtr<IDefinition> definition;
  ASSERT_OK(list->CreateDefinition(definition.Put()));
  ASSERT_OK(definition->put_DefinitionID(id));
  ASSERT_OK(definition->put_ObjectType(OT_TIME));
  ASSERT_OK(list->Insert(definition.get()));
}

std::string IdOf(const ListItemBase* found) {
  return found ? static_cast<const CDefinition*>(found)->id() : "(none)";
}

TEST(DefinitionsContextTest, FindsOwnDefinitionsThenTheMasters) {
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  ParserListSite site(parser.get(), kDefinitionEvents);
  ComPtr<CDefinitionList> own = MakeObject<CDefinitionList>(&site, kSimpleItemEvents);
  AddDefinition(own.get(), "office");
  TestContext context(own.get(), parser.get());

  EXPECT_EQ(IdOf(context.FindDefinition("office")), "office");
  EXPECT_EQ(IdOf(context.FindDefinition("Office")), "(none)");        // IDs are case-sensitive
  EXPECT_EQ(IdOf(context.FindMasterDefinition("office")), "(none)");  // no master

  ComPtr<CAMParser> master = MakeObject<CAMParser>();
  ComPtr<IDefinitionList> master_definitions;
  ASSERT_OK(master->get_DefinitionList(master_definitions.Put()));
  AddDefinition(master_definitions.get(), "night");
  ASSERT_OK(parser->SetMasterParser(master.get()));
  EXPECT_EQ(IdOf(context.FindMasterDefinition("night")), "night");
  EXPECT_EQ(IdOf(context.FindMasterDefinition("office")), "(none)");
  EXPECT_EQ(IdOf(context.FindDefinition("night")), "(none)");
  own->DetachOwner();
}

// A rule of a list reaches the context its parser gave the list; a rule of
// a list made without one, and a rule that outlived its list, find nothing.
class ContextRuleList final : public RuleList<ITestRuleList, TestRule, ITestRule> {
 public:
  ContextRuleList(IListOwner* owner, const RuleCompareContext& context)
      : RuleList(owner, kTestRuleListTraits, context) {}
  HRESULT CreateRule(ITestRule** rule) override { return Create(rule); }
};

TEST(DefinitionsContextTest, RulesReachTheirListsContext) {
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  ParserListSite site(parser.get(), kDefinitionEvents);
  ComPtr<CDefinitionList> own = MakeObject<CDefinitionList>(&site, kSimpleItemEvents);
  AddDefinition(own.get(), "office");
  TestContext context(own.get(), parser.get());

  ComPtr<TestRule> rule;
  {
    ComPtr<ContextRuleList> rules = MakeObject<ContextRuleList>(&site, context);
    rule = rules->NewItem();
    EXPECT_EQ(IdOf(rule->compare_context().FindDefinition("office")), "office");
    rules->DetachOwner();
  }
  EXPECT_EQ(IdOf(rule->compare_context().FindDefinition("office")), "(none)");
  ComPtr<TestRule> plain = AddRuleList(*parser)->NewItem();
  EXPECT_EQ(IdOf(plain->compare_context().FindDefinition("office")), "(none)");
  own->DetachOwner();
}

}  // namespace
}  // namespace xmlsecdb::testing
