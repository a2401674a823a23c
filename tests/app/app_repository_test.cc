// A whole repository built through the object model — labels, nested
// groups, DLL labels, rules and identity redirections — answers the same
// queries after a save and a reload, and a second save is byte-identical.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::AddGroup;
using testing::AddLabel;
using testing::LabelsOf;
using testing::MakeAppParser;

void Build(ISDParserAPP* parser) {
  ComPtr<ILabelList> labels = LabelsOf<ILabelList>(parser);
  ASSERT_TRUE(AddLabel(labels.get(), "curl", LT_NAME, "curl"));
  ASSERT_TRUE(AddLabel(labels.get(), "vim", LT_PATH, "/usr/bin/vim"));
  ComPtr<ILabel> sshd = AddLabel(labels.get(), "sshd", LT_CHECKSUM);
  ASSERT_TRUE(sshd);
  ComPtr<IChecksumList> sums;
  ASSERT_OK(sshd->get_ChecksumList(sums.Put()));
  ComPtr<IChecksum> sum;
  ASSERT_OK(sums->CreateChecksum(sum.Put()));
  ASSERT_OK(sum->put_Checksum(std::string(40, 'a')));
  ASSERT_OK(sums->Insert(sum.get()));
  ComPtr<ISimpleValueList> redirection_ids;
  ASSERT_OK(sshd->get_IdentityRedirectionList(redirection_ids.Put()));
  ASSERT_OK(redirection_ids->Insert("service"));

  ComPtr<IAppGroupList> groups = LabelsOf<IAppGroupList>(parser);
  ComPtr<IAppGroup> net = AddGroup(groups.get(), "net");
  ComPtr<IAppGroup> all = AddGroup(groups.get(), "all");
  ASSERT_OK(net->AddLabelToGroup("curl"));
  ASSERT_OK(all->AddLabelToGroup("vim"));
  ASSERT_OK(all->AddGroupToGroup("net"));

  ComPtr<IDllLabelList> dll_labels = LabelsOf<IDllLabelList>(parser);
  ComPtr<IDllLabel> libc;
  ASSERT_OK(dll_labels->CreateDllLabel(libc.Put()));
  ASSERT_OK(libc->put_LabelID("libc"));
  ASSERT_OK(libc->put_Path("/lib/libc.so.6"));
  ASSERT_OK(dll_labels->Insert(libc.get()));

  ComPtr<IAppRuleList> rules;
  ASSERT_OK(parser->get_RuleList(rules.Put()));
  const struct {
    std::int32_t id, order;
    std::uint32_t usage;
    EEnrollType enroll;
    std::string_view manufacturer;
    std::vector<std::string> groups;
  } kRules[] = {
      {1, 35000, KNOWN_APP_NET_CLIENT, EN_ASKUSER, "Vendor A|Vendor B", {"net"}},
      {2, 5000, KNOWN_APP_TRUSTED, EN_ALLOW, "*", {"all", "net"}},
      {3, 5000, 0, EN_PREVENT, "*", {"blocked"}},
  };
  for (const auto& r : kRules) {
    ComPtr<IAppRule> rule;
    ASSERT_OK(rules->CreateRule(rule.Put()));
    ASSERT_OK(rule->put_RuleID(r.id));
    ASSERT_OK(rule->put_Order(r.order));
    ASSERT_OK(rule->put_Usage(r.usage));
    ASSERT_OK(rule->put_Enroll(r.enroll));
    ASSERT_OK(rule->put_Manufacturer(r.manufacturer));
    ASSERT_OK(rule->put_FoundBy(KNOWN_APP_FOUND_BY_PATH));
    ComPtr<ISimpleValueList> names;
    ASSERT_OK(rule->get_Groups(names.Put()));
    for (const std::string& name : r.groups) ASSERT_OK(names->Insert(name));
    ASSERT_OK(rules->Insert(rule.get()));
  }

  ComPtr<IIdentityRedirectionList> redirections;
  ASSERT_OK(parser->get_IdentityRedirectionList(redirections.Put()));
  ComPtr<IIdentityRedirection> service;
  ASSERT_OK(redirections->Create(service.Put()));
  ASSERT_OK(service->put_ID("service"));
  ComPtr<IExpression> expression;
  ASSERT_OK(service->get_Expression(expression.Put()));
  ComPtr<IExpressionElement> element;
  ASSERT_OK(expression->Create(element.Put()));
  ASSERT_OK(element->put_value("sshd -D"));
  ASSERT_OK(expression->Insert(element.get()));
  ComPtr<IIdentityList> identities;
  ASSERT_OK(service->get_IdentityList(identities.Put()));
  ComPtr<IIdentity> identity;
  ASSERT_OK(identities->Create(identity.Put()));
  ASSERT_OK(identity->put_Module("sshd"));
  ComPtr<ISimpleValueList> arguments;
  ASSERT_OK(identity->get_ArgumentList(arguments.Put()));
  ASSERT_OK(arguments->Insert("-D"));
  ASSERT_OK(identities->Insert(identity.get()));
  ASSERT_OK(redirections->Insert(service.get()));
}

// The answers of FindLabel, Find2 and FindGroups, as one text.
std::string Answers(ISDParserAPP* parser) {
  std::string out;
  ComPtr<ILabelList> labels = LabelsOf<ILabelList>(parser);
  for (const auto& [path, sum] : std::vector<std::pair<std::string, std::string>>{
           {"/usr/bin/curl", ""}, {"/usr/bin/vim", ""}, {"/x", std::string(40, 'A')}}) {
    ComPtr<ILabelList> similar;
    ComPtr<ILabel> label;
    std::string id = "-";
    if (Succeeded(labels->FindLabel(path, sum, similar.Put(), label.Put()))) {
      EXPECT_OK(label->get_LabelID(&id));
    }
    out += id + " ";
  }
  ComPtr<IAppRuleList> rules;
  EXPECT_OK(parser->get_RuleList(rules.Put()));
  for (std::uint32_t usage : {std::uint32_t{KNOWN_APP_NET_CLIENT},
                              std::uint32_t{KNOWN_APP_TRUSTED | KNOWN_APP_NET_CLIENT}}) {
    ComPtr<IAppRule> rule;
    std::int32_t id = 0;
    if (Succeeded(rules->Find2(usage, ~0u, 0, ~0u, KNOWN_APP_FOUND_BY_PATH, "vendor b", "",
                               rule.Put()))) {
      EXPECT_OK(rule->get_RuleID(&id));
    }
    out += std::to_string(id) + " ";
    ComPtr<IAppRuleGroupList> groups;
    EXPECT_OK(rules->FindGroups(usage, ~0u, 0, ~0u, KNOWN_APP_FOUND_BY_PATH, "vendor b", "",
                                groups.Put()));
    std::int32_t count = 0;
    EXPECT_OK(groups->get_Count(&count));
    for (std::int32_t i = 1; i <= count; ++i) {
      Variant item;
      EXPECT_OK(groups->get_Item(i, &item));
      ComPtr<IAppRuleGroup> group;
      EXPECT_OK((*item.as_object())->QueryInterface(group.Put()));
      std::string name;
      std::int32_t rule_id = 0;
      EXPECT_OK(group->get_Name(&name));
      EXPECT_OK(group->get_RuleID(&rule_id));
      out += name + ":" + std::to_string(rule_id) + " ";
    }
  }
  ComPtr<IAppGroupList> groups = LabelsOf<IAppGroupList>(parser);
  Variant holding;
  EXPECT_OK(groups->FindLabelGroups("curl", &holding));
  for (const std::string& id : *holding.as_string_array()) out += "[" + id + "]";
  return out;
}

TEST(AppRepositoryTest, BuiltSavedAndReloadedGivesTheSameAnswers) {
  testing::AppEnv env;
  env.expander().table["/usr/bin/vim"] = {"/usr/bin/vim"};
  ComPtr<CAPPParser> built = MakeAppParser();
  Build(built.get());
  const std::string answers = Answers(built.get());
  // Rules 3 and 2 come before rule 1 by their order (3, equal to 2 but
  // placed among equals, before it). Rule 3 applies to everything and
  // prevents, so "blocked" is never reported.
  EXPECT_EQ(answers, "curl vim sshd 3 net:1 3 all:2 net:2 [net]");

  testing::TempDir dir;
  const std::string first = dir.File("first.xml"), second = dir.File("second.xml");
  ASSERT_OK(built->Save(first));
  ComPtr<CAPPParser> loaded = MakeAppParser();
  ASSERT_OK(loaded->Load(first, 0));
  EXPECT_EQ(Answers(loaded.get()), answers);
  ASSERT_OK(loaded->Save(second));
  EXPECT_EQ(testing::ReadFileBytes(second), testing::ReadFileBytes(first));
}

}  // namespace
}  // namespace xmlsecdb
