// Known-application rules: defaults and setters, the list's order, the
// matching core with its eight conditions, Find2 and FindGroups, and the
// `Rule` form.
#include "app/app_rule.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_bit_names.h"
#include "app/app_fixture.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::AppSectionText;
using testing::LoadAppBody;
using testing::MakeAppParser;

class AppRuleTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_OK(parser_->get_RuleList(rules_.Put())); }

  // A rule made through the object model and inserted.
  ComPtr<IAppRule> Add(std::int32_t id, const std::function<void(IAppRule*)>& fill = {}) {
    ComPtr<IAppRule> rule;
    EXPECT_OK(rules_->CreateRule(rule.Put()));
    EXPECT_OK(rule->put_RuleID(id));
    if (fill) fill(rule.get());
    EXPECT_OK(rules_->Insert(rule.get()));
    return rule;
  }
  // The RuleID Find2 answers, or 0 when it fails.
  std::int32_t Found(std::uint32_t usage, std::uint32_t usage_mask, std::uint32_t special,
                     std::uint32_t special_mask, std::uint32_t found_by,
                     std::string_view manufacturer = "", std::string_view suite = "") {
    ComPtr<IAppRule> rule;
    if (Failed(rules_->Find2(usage, usage_mask, special, special_mask, found_by, manufacturer,
                             suite, rule.Put()))) {
      return 0;
    }
    std::int32_t id = 0;
    EXPECT_OK(rule->get_RuleID(&id));
    return id;
  }
  // The IDs of the rules in list order.
  std::vector<std::int32_t> Ids() {
    std::vector<std::int32_t> ids;
    for (const CAppRule* rule : *static_cast<CAppRuleList*>(rules_.get())) {
      ids.push_back(rule->rule_id());
    }
    return ids;
  }

  testing::ScopedDebugLogCapture log_;
  ComPtr<CAPPParser> parser_ = MakeAppParser();
  ComPtr<IAppRuleList> rules_;
};

TEST_F(AppRuleTest, DefaultsAndTheFoundByView) {
  ComPtr<IAppRule> rule;
  ASSERT_OK(rules_->CreateRule(rule.Put()));
  std::string text;
  std::int32_t number = 0;
  std::uint32_t bits = 7;
  EEnrollType enroll = EN_PREVENT;
  ASSERT_OK(rule->get_Assignment(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule->get_Manufacturer(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule->get_Suite(&text));
  EXPECT_EQ(text, "*");
  ASSERT_OK(rule->get_Enabled(&number));
  EXPECT_EQ(number, 1);
  ASSERT_OK(rule->get_Enroll(&enroll));
  EXPECT_EQ(enroll, EN_ALLOW);
  ASSERT_OK(rule->get_FoundBy(&bits));
  EXPECT_EQ(bits, 0u);

  // FoundBy is the first element of FoundBy2; setting it leaves just one.
  ComPtr<IULongList> found_by;
  ASSERT_OK(rule->get_FoundBy2(found_by.Put()));
  ASSERT_OK(found_by->Insert(KNOWN_APP_CERTIFICATE_VALID));
  ASSERT_OK(found_by->Insert(KNOWN_APP_FOUND_BY_PATH));
  ASSERT_OK(rule->get_FoundBy(&bits));
  EXPECT_EQ(bits, KNOWN_APP_FOUND_BY_PATH);
  ASSERT_OK(rule->put_FoundBy(0));
  ASSERT_OK(found_by->get_Count(&number));
  EXPECT_EQ(number, 1);
  ASSERT_OK(rule->get_FoundBy(&bits));
  EXPECT_EQ(bits, 0u);
  EXPECT_HR(rule->get_FoundBy(nullptr), E_POINTER);
}

TEST_F(AppRuleTest, ReadOnlyRefusesEverySetterUnderItsName) {
  ComPtr<IAppRule> rule = Add(1);
  ASSERT_OK(parser_->put_ReadOnly(1));
  ComPtr<IAppRule> made;
  const struct {
    std::string_view source;
    std::function<HRESULT()> call;
  } cases[] = {
      {"CAppRule::put_RuleID()", [&] { return rule->put_RuleID(2); }},
      {"CAppRule::put_Assignment()", [&] { return rule->put_Assignment("a"); }},
      {"CAppRule::put_Enabled()", [&] { return rule->put_Enabled(0); }},
      {"CAppRule::put_Description()", [&] { return rule->put_Description("d"); }},
      {"CAppRule::put_UIFlags()", [&] { return rule->put_UIFlags("u"); }},
      {"CAppRule::put_Usage()", [&] { return rule->put_Usage(1); }},
      {"CAppRule::put_UsageNot()", [&] { return rule->put_UsageNot(1); }},
      {"CAppRule::put_FoundBy()", [&] { return rule->put_FoundBy(1); }},
      {"CAppRule::put_Manufacture()", [&] { return rule->put_Enroll(EN_PREVENT); }},
      {"CAppRule::put_Manufacturer()", [&] { return rule->put_Manufacturer("m"); }},
      {"CAppRule::put_Suite()", [&] { return rule->put_Suite("s"); }},
      {"CAppRule::put_SpecialAccess()", [&] { return rule->put_SpecialAccess(1); }},
      {"CAppRule::put_SpecialAccessNot()", [&] { return rule->put_SpecialAccessNot(1); }},
      {"CSBXRule::put_Order()", [&] { return rule->put_Order(1); }},
      {"CAppRuleList::CreateRule()", [&] { return rules_->CreateRule(made.Put()); }},
      {"CAppRuleList::Remove()", [&] { return rules_->Remove(rule.get()); }},
      {"CAppRuleList::Clear()", [&] { return rules_->Clear(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log_, c.source, testing::kReadOnlyText));
  }
}

TEST_F(AppRuleTest, IdsAreUniqueAndCopiesTakeEveryField) {
  ComPtr<IAppRule> first = Add(1);
  ComPtr<IAppRule> second = Add(2, [](IAppRule* r) {
    ASSERT_OK(r->put_Usage(KNOWN_APP_TRUSTED));
    ASSERT_OK(r->put_Manufacturer("Vendor"));
    ASSERT_OK(r->put_Order(7));
    ASSERT_OK(r->put_FoundBy(KNOWN_APP_FOUND_BY_NAME));
    ComPtr<ISimpleValueList> groups;
    ASSERT_OK(r->get_Groups(groups.Put()));
    ASSERT_OK(groups->Insert("browsers"));
  });
  EXPECT_HR(second->put_RuleID(1), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(
      testing::Reported(log_, "CAppRule::put_RuleID()", "Rule with given ID already exists."));
  ComPtr<IAppRule> got;
  EXPECT_HR(rules_->Get("9", got.Put()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log_, "CAppRuleList::Get(9)", "Item not found."));
  EXPECT_HR(rules_->Get("", got.Put()), E_POINTER);

  ComPtr<IAppRule> copy;
  ASSERT_OK(second->CopyToList(rules_.get(), 1, copy.Put()));
  std::int32_t id = 0, order = 0;
  std::uint32_t usage = 0, found_by = 0;
  std::string manufacturer;
  ASSERT_OK(copy->get_RuleID(&id));
  ASSERT_OK(copy->get_Order(&order));
  ASSERT_OK(copy->get_Usage(&usage));
  ASSERT_OK(copy->get_FoundBy(&found_by));
  ASSERT_OK(copy->get_Manufacturer(&manufacturer));
  EXPECT_EQ(id, 3);
  EXPECT_EQ(order, 7);
  EXPECT_EQ(usage, KNOWN_APP_TRUSTED);
  EXPECT_EQ(found_by, KNOWN_APP_FOUND_BY_NAME);
  EXPECT_EQ(manufacturer, "Vendor");
  ComPtr<ISimpleValueList> groups;
  ASSERT_OK(copy->get_Groups(groups.Put()));
  std::int32_t count = 0;
  ASSERT_OK(groups->get_Count(&count));
  EXPECT_EQ(count, 1);
}

TEST_F(AppRuleTest, TheListIsOrderedByOrderAsTheSharedInsertPlacesRules) {
  Add(1, [](IAppRule* r) { ASSERT_OK(r->put_Order(20)); });
  Add(2, [](IAppRule* r) { ASSERT_OK(r->put_Order(10)); });
  ComPtr<IAppRule> third = Add(3, [](IAppRule* r) { ASSERT_OK(r->put_Order(20)); });
  // Equal to the last: after it. Among equal orders further in: before
  // them.
  Add(4, [](IAppRule* r) { ASSERT_OK(r->put_Order(10)); });
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{4, 2, 1, 3}));
  // Every rule applies: the first in order answers, and a new Order moves
  // the rule at once (the others keep their places).
  EXPECT_EQ(Found(0, ~0u, 0, ~0u, 0), 4);
  ASSERT_OK(third->put_Order(5));
  EXPECT_EQ(Ids(), (std::vector<std::int32_t>{3, 4, 2, 1}));
  EXPECT_EQ(Found(0, ~0u, 0, ~0u, 0), 3);
}

TEST_F(AppRuleTest, MatchingConditions) {
  const std::uint32_t all = 0xFFFFFFFFu;
  const struct {
    std::string_view what;
    std::function<void(IAppRule*)> rule;
    AppRuleQuery query;
    bool applies;
  } cases[] = {
      {"usage and usage-not: Trusted|NetClient",
       [](IAppRule* r) {
         ASSERT_OK(r->put_Usage(KNOWN_APP_TRUSTED));
         ASSERT_OK(r->put_UsageNot(KNOWN_APP_BLACK_LIST));
       },
       {KNOWN_APP_TRUSTED | KNOWN_APP_NET_CLIENT, all, 0, all, 0, "", ""},
       true},
      {"usage and usage-not: Trusted|BlackList",
       [](IAppRule* r) {
         ASSERT_OK(r->put_Usage(KNOWN_APP_TRUSTED));
         ASSERT_OK(r->put_UsageNot(KNOWN_APP_BLACK_LIST));
       },
       {KNOWN_APP_TRUSTED | KNOWN_APP_BLACK_LIST, all, 0, all, 0, "", ""},
       false},
      {"usage outside the mask",
       [](IAppRule* r) { ASSERT_OK(r->put_Usage(KNOWN_APP_TRUSTED)); },
       {KNOWN_APP_TRUSTED, KNOWN_APP_SYSTEM, 0, all, 0, "", ""},
       false},
      {"usage-not outside the mask",
       [](IAppRule* r) { ASSERT_OK(r->put_UsageNot(KNOWN_APP_BLACK_LIST)); },
       {0, KNOWN_APP_TRUSTED, 0, all, 0, "", ""},
       false},
      {"no special access asked: any rule's special access",
       [](IAppRule* r) { ASSERT_OK(r->put_SpecialAccess(0x10)); },
       {0, all, 0, all, 0, "", ""},
       true},
      {"special access not contained",
       [](IAppRule* r) { ASSERT_OK(r->put_SpecialAccess(0x10)); },
       {0, all, 0x1, all, 0, "", ""},
       false},
      {"special access outside its mask",
       [](IAppRule* r) { ASSERT_OK(r->put_SpecialAccess(0x10)); },
       {0, all, 0, 0x1, 0, "", ""},
       false},
      {"special access not wanted",
       [](IAppRule* r) { ASSERT_OK(r->put_SpecialAccessNot(0x2)); },
       {0, all, 0x3, all, 0, "", ""},
       false},
      {"found by CertValid|Name",
       [](IAppRule* r) {
         ComPtr<IULongList> f;
         ASSERT_OK(r->get_FoundBy2(f.Put()));
         ASSERT_OK(f->Insert(KNOWN_APP_FOUND_BY_CHECKSUM | KNOWN_APP_FOUND_BY_PATH));
         ASSERT_OK(f->Insert(KNOWN_APP_CERTIFICATE_VALID));
       },
       {0, all, 0, all, KNOWN_APP_CERTIFICATE_VALID | KNOWN_APP_FOUND_BY_NAME, "", ""},
       true},
      {"found by Path alone",
       [](IAppRule* r) {
         ComPtr<IULongList> f;
         ASSERT_OK(r->get_FoundBy2(f.Put()));
         ASSERT_OK(f->Insert(KNOWN_APP_FOUND_BY_CHECKSUM | KNOWN_APP_FOUND_BY_PATH));
         ASSERT_OK(f->Insert(KNOWN_APP_CERTIFICATE_VALID));
       },
       {0, all, 0, all, KNOWN_APP_FOUND_BY_PATH, "", ""},
       false},
      {"FoundBy 0 holds for any found-by",
       [](IAppRule* r) { ASSERT_OK(r->put_FoundBy(0)); },
       {0, all, 0, all, 0, "", ""},
       true},
      {"manufacturer: vendor b",
       [](IAppRule* r) { ASSERT_OK(r->put_Manufacturer("Vendor A|Vendor B")); },
       {0, all, 0, all, 0, "vendor b", ""},
       true},
      {"manufacturer: Other|Vendor A",
       [](IAppRule* r) { ASSERT_OK(r->put_Manufacturer("Vendor A|Vendor B")); },
       {0, all, 0, all, 0, "Other|Vendor A", ""},
       true},
      {"manufacturer: Vendor",
       [](IAppRule* r) { ASSERT_OK(r->put_Manufacturer("Vendor A|Vendor B")); },
       {0, all, 0, all, 0, "Vendor", ""},
       false},
      {"manufacturer empty: any",
       [](IAppRule* r) { ASSERT_OK(r->put_Manufacturer("")); },
       {0, all, 0, all, 0, "Anyone", ""},
       true},
      {"suite alternatives",
       [](IAppRule* r) { ASSERT_OK(r->put_Suite("Office|Tools")); },
       {0, all, 0, all, 0, "", "tools"},
       true},
      {"suite not named",
       [](IAppRule* r) { ASSERT_OK(r->put_Suite("Office|Tools")); },
       {0, all, 0, all, 0, "", "Office Tools"},
       false},
      {"disabled, whatever its bits",
       [](IAppRule* r) { ASSERT_OK(r->put_Enabled(0)); },
       {~0u, all, ~0u, all, ~0u, "x", "y"},
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ComPtr<IAppRule> rule;
    ASSERT_OK(rules_->CreateRule(rule.Put()));
    c.rule(rule.get());
    EXPECT_EQ(RuleApplies(*static_cast<CAppRule*>(AsListItem(rule.get())), c.query), c.applies);
  }
}

TEST_F(AppRuleTest, FindFormsAndTheirFailures) {
  Add(1, [](IAppRule* r) { ASSERT_OK(r->put_SpecialAccess(0x10)); });
  Add(2, [](IAppRule* r) { ASSERT_OK(r->put_Usage(KNOWN_APP_SYSTEM)); });
  ComPtr<IAppRule> rule;
  // Find asks no special access and masks nothing, so rule 1 applies.
  ASSERT_OK(rules_->Find(KNOWN_APP_SYSTEM, 0, "m", "s", rule.Put()));
  std::int32_t id = 0;
  ASSERT_OK(rule->get_RuleID(&id));
  EXPECT_EQ(id, 1);
  ASSERT_OK(rules_->FindEx(KNOWN_APP_SYSTEM, 0, "m", "s", 0x1, rule.Put()));
  ASSERT_OK(rule->get_RuleID(&id));
  EXPECT_EQ(id, 2);
  EXPECT_HR(rules_->FindEx(0, 0, "m", "s", 0x1, rule.Put()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log_, "CAppRuleList::Find2()", "Item not found."));
  EXPECT_HR(rules_->Find2(0, 0, 0, 0, 0, "", "", nullptr), E_INVALIDARG);
  IAppRuleGroupList* none = nullptr;
  EXPECT_HR(rules_->FindGroups(0, 0, 0, 0, 0, "", "", nullptr), E_INVALIDARG);
  // No applicable rule names a group: S_OK, nothing written.
  EXPECT_OK(rules_->FindGroups(0, ~0u, 0, ~0u, 0, "", "", &none));
  EXPECT_EQ(none, nullptr);
}

// The groups of FindGroups: name, access result and RuleID of each.
std::vector<std::string> GroupsText(IAppRuleGroupList* groups) {
  std::vector<std::string> out;
  std::int32_t count = 0;
  EXPECT_OK(groups->get_Count(&count));
  for (std::int32_t i = 1; i <= count; ++i) {
    Variant item;
    EXPECT_OK(groups->get_Item(i, &item));
    ComPtr<IAppRuleGroup> group;
    EXPECT_OK((*item.as_object())->QueryInterface(group.Put()));
    std::string name;
    EAccessResult result = AR_ALLOW;
    std::int32_t id = 0;
    EXPECT_OK(group->get_Name(&name));
    EXPECT_OK(group->get_AccessResult(&result));
    EXPECT_OK(group->get_RuleID(&id));
    out.push_back(name + ":" + std::to_string(result) + ":" + std::to_string(id));
  }
  return out;
}

TEST_F(AppRuleTest, FindGroupsKeepsTheFirstRuleOfEachGroup) {
  auto groups_of = [](std::vector<std::string> names, EEnrollType enroll) {
    return [names, enroll](IAppRule* r) {
      ComPtr<ISimpleValueList> groups;
      ASSERT_OK(r->get_Groups(groups.Put()));
      for (const std::string& name : names) ASSERT_OK(groups->Insert(name));
      ASSERT_OK(r->put_Enroll(enroll));
    };
  };
  Add(1, groups_of({"web", "", "Mail"}, EN_ASKUSER));
  Add(2, groups_of({"blocked", "web"}, EN_PREVENT));
  Add(3, groups_of({"mail", "blocked", "zip"}, EN_ALLOW));
  Add(4, [&](IAppRule* r) {
    groups_of({"never"}, EN_ALLOW)(r);
    ASSERT_OK(r->put_Usage(KNOWN_APP_SYSTEM));
  });
  ComPtr<IAppRuleGroupList> groups;
  ASSERT_OK(rules_->FindGroups(0, ~0u, 0, ~0u, 0, "", "", groups.Put()));
  // Exact name order ("Mail" before "mail"); "blocked" was named first by
  // a preventing rule, so it is left out.
  EXPECT_EQ(GroupsText(groups.get()),
            (std::vector<std::string>{"Mail:2:1", "mail:1:3", "web:2:1", "zip:1:3"}));

  // Only preventing rules apply: a list, empty.
  ASSERT_OK(rules_->Clear());
  Add(5, groups_of({"blocked"}, EN_PREVENT));
  ASSERT_OK(rules_->FindGroups(0, ~0u, 0, ~0u, 0, "", "", groups.Put()));
  EXPECT_TRUE(GroupsText(groups.get()).empty());
}

TEST(AppBitNamesTest, BitNameListsBothWays) {
  const struct {
    std::string_view text;
    std::uint32_t bits;
    std::string_view written;
  } usage[] = {
      {"Trusted|NetClient", 0x41, "Trusted|NetClient"},
      {"NetClient|Trusted", 0x41, "Trusted|NetClient"},
      {"SdkApi|WithoutGui", 0x100400, "SdkApi|WithoutGui"},
      {"0x20", 0x20, "0x20"},
      {"20|Trusted", 0x21, "Trusted|0x20"},
      {"trusted", 0, ""},  // names are case-sensitive; unreadable text is 0
      {"zz|", 0, ""},
      {"0x80000000|System", 0x80000002, "System|0x80000000"},
  };
  for (const auto& c : usage) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(BitsFromText(UsageVocabulary(), c.text), c.bits);
    EXPECT_EQ(BitNamesText(UsageVocabulary(), c.bits), c.written);
  }
  EXPECT_EQ(BitNamesText(SpecialAccessVocabulary(), 0x1FF),
            "SARawIP|SADangerousDevice|SAServices|SAInjectCode|SAPrivileges|SATerminateProc|"
            "SASysDir|SAAutorun|SARegistry");
  EXPECT_EQ(FoundByFromText("Checksum|Path;CertValid;;x"),
            (std::vector<std::uint32_t>{0x3, 0x4, 0, 0}));
  const std::uint32_t found[] = {0x3, 0x18};
  EXPECT_EQ(FoundByText(found), "Checksum|Path;CertInDB|Name");
}

TEST(AppRuleFormatTest, RuleFormReadAndWritten) {
  const struct {
    std::string body;
    std::string written;
  } cases[] = {
      // Defaults: only id, enroll and order are written.
      {"<Rule id=\"1\"/>", "\t\t<Rule id=\"1\" enroll=\"Allow\" order=\"35000\"/>\n"},
      {"<Rule id=\"2\" filter=\"x\" disabled=\"true\" desc=\"d\" uiflags=\"u\" "
       "usage=\"Trusted|0x20\" usagenot=\"BlackList\" foundby=\"Path|Checksum;Name\" "
       "enroll=\"ASK\" manufacture=\"A|B\" suite=\"S\" specialaccess=\"SARawIP\" "
       "specialaccessnot=\"SARegistry\" order=\"-4\"><Group>g1</Group><Group/>"
       "<Group>g2</Group></Rule>",
       "\t\t<Rule id=\"2\" filter=\"x\" disabled=\"1\" desc=\"d\" uiflags=\"u\" "
       "usage=\"Trusted|0x20\" usagenot=\"BlackList\" foundby=\"Checksum|Path;Name\" "
       "enroll=\"AskUser\" manufacture=\"A|B\" suite=\"S\" specialaccess=\"SARawIP\" "
       "specialaccessnot=\"SARegistry\" order=\"-4\">\n\t\t\t<Group>g1</Group>\n"
       "\t\t\t<Group>g2</Group>\n\t\t</Rule>\n"},
      {"<Rule id=\"3\" enroll=\"prevent\" disabled=\"0\" foundby=\"\"/>",
       "\t\t<Rule id=\"3\" foundby=\"\" enroll=\"Prevent\" order=\"35000\"/>\n"},
      {"<Rule id=\"4\" enroll=\"deny\" manufacture=\"*\" suite=\"\"/>",
       "\t\t<Rule id=\"4\" enroll=\"Allow\" suite=\"\" order=\"35000\"/>\n"},
      {"<Rule id=\"R5\"/>", "\t\t<Rule id=\"-1375731717\" enroll=\"Allow\" order=\"35000\"/>\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CAPPParser> parser = MakeAppParser();
    ASSERT_OK(LoadAppBody(parser.get(), "<RuleList>" + c.body + "</RuleList>"));
    EXPECT_EQ(AppSectionText(parser.get(), "rulelist"),
              "\t<RuleList>\n" + c.written + "\t</RuleList>\n");
  }
}

TEST(AppRuleFormatTest, FailuresAndTheFileOrderSurvivesARoundTrip) {
  testing::ScopedDebugLogCapture log;
  const struct {
    std::string body;
    HRESULT result;
    std::string_view source, text;
  } failures[] = {
      {"<Rule enroll=\"Allow\"/>", E_FAIL, "CDbContentHandlerAPP::StartElement()",
       "Required attribute is missing. Missing Rule id."},
      {"<Rule id=\"\"/>", E_FAIL, "CDbContentHandlerAPP::StartElement()",
       "Required attribute is missing. Missing Rule id."},
      {"<Rule id=\"7\"/><Rule id=\"7\"/>", SECDB_E_DUPLICATEID, "CAppRuleList::Insert()",
       "Rule with given ID already exists."},
  };
  for (const auto& c : failures) {
    SCOPED_TRACE(c.body);
    ComPtr<CAPPParser> parser = MakeAppParser();
    EXPECT_HR(LoadAppBody(parser.get(), "<RuleList>" + c.body + "</RuleList>"), c.result);
    EXPECT_TRUE(testing::Reported(log, c.source, c.text));
  }

  // Equal orders keep the file's order; smaller orders come first.
  ComPtr<CAPPParser> parser = MakeAppParser();
  ASSERT_OK(LoadAppBody(parser.get(),
                        "<RuleList><Rule id=\"9\"/><Rule id=\"3\"/>"
                        "<Rule id=\"5\" order=\"100\"/><Rule id=\"1\"/></RuleList>"));
  const std::string once = AppSectionText(parser.get(), "RuleList");
  EXPECT_EQ(once,
            "\t<RuleList>\n\t\t<Rule id=\"5\" enroll=\"Allow\" order=\"100\"/>\n"
            "\t\t<Rule id=\"9\" enroll=\"Allow\" order=\"35000\"/>\n"
            "\t\t<Rule id=\"3\" enroll=\"Allow\" order=\"35000\"/>\n"
            "\t\t<Rule id=\"1\" enroll=\"Allow\" order=\"35000\"/>\n\t</RuleList>\n");
  ComPtr<CAPPParser> again = MakeAppParser();
  ASSERT_OK(LoadAppBody(again.get(), once.substr(once.find('<'))));
  EXPECT_EQ(AppSectionText(again.get(), "RuleList"), once);
}

}  // namespace
}  // namespace xmlsecdb
