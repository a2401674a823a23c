// The anti-malware file format: reading `Rule` and its children, the
// failures, the writer's attributes, and round trips through the parser.
#include <gtest/gtest.h>

#include "am/am_fixture.h"
#include "am/am_parser.h"

namespace xmlsecdb::testing {
namespace {

using AMFormatTest = AMTest;

TEST_F(AMFormatTest, RuleFailures) {
  struct Case {
    const char* rule;
    const char* description;
  };
  const Case cases[] = {
      {"<Rule ot=\"AntiMalware\" app=\"a\"/>", "Required attribute is missing. Missing rule id."},
      {"<Rule id=\"\" ot=\"AntiMalware\" app=\"a\"/>",
       "Required attribute is missing. Wrong rule id."},
      {"<Rule id=\"1\" app=\"a\"/>", "Required attribute is missing. Missing rule OT."},
      {"<Rule id=\"1\" ot=\"File\" app=\"a\"/>", " Wrong rule OT."},
      {"<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\" priority=\"urgent\"/>",
       " Wrong rule priority."},
      {"<Rule id=\"1\" ot=\"AntiMalware\"/>", " Wrong rule app or app_id."},
      {"<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\" app_id=\"A1\"/>", " Wrong rule app or app_id."},
      {"<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\" timeofday=\"8-9\" timeofday_id=\"T\"/>",
       " Wrong rule timeofday and timeofday_id."},
      {"<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\"><AccessDesc at=\"FileRead\" ar=\"Allow\"/>"
       "</Rule>",
       " Wrong AT."},
      {"<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\"><AccessDesc/></Rule>", " Missing AR."},
      {"<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\"><ConditionSwitch target=\"global\"/></Rule>",
       " Missing condition type."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    EXPECT_HR(LoadRules(c.rule), E_FAIL);
    std::string description = TakeErrorDescription();
    EXPECT_NE(description.find(c.description), std::string::npos) << description;
    std::int32_t count = -1;
    ASSERT_OK(Rules()->get_Count(&count));
    EXPECT_EQ(count, 0);
  }
}

TEST_F(AMFormatTest, DuplicateIdentifierEndsTheLoad) {
  EXPECT_HR(LoadRules("<Rule id=\"3\" ot=\"AntiMalware\" app=\"a\"/>"
                      "<Rule id=\"3\" ot=\"AntiMalware\" app=\"b\"/>"),
            SECDB_E_DUPLICATEID);
  EXPECT_EQ(TakeErrorDescription(), "Rule with given ID already exists.");
}

TEST_F(AMFormatTest, AttributesConvertAndOrderComesLast) {
  ASSERT_OK(LoadRules(
      "<Rule id=\"AS5\" ot=\"AntiMalware\" priority=\"low\" order=\"15000\" app_id=\"A1\" "
      "obj_id=\"F2\" outcond_and=\"1|3\" outcond_or=\"2\" timeofday_id=\"T1\" os=\"XP_and_up\" "
      "scanItemList_id=\"7\" system=\"true\" filter=\"servers\" lm=\"1\" proc_id=\"1a2b\" "
      "disabled=\"1\" dllobj=\"1\" desc=\"d &amp; e\" uiflags=\"u\">"
      "<AccessDesc at=\"*\" ar=\"Prevent\" al=\"Severity3\"/></Rule>"));
  ComPtr<IAMRule> rule = RuleAt(1);
  ASSERT_TRUE(rule);
  std::int32_t n = 0;
  ASSERT_OK(rule->get_RuleID(&n));
  EXPECT_EQ(n, 0x41000005);
  EPriority priority;
  ASSERT_OK(rule->get_Priority(&priority));
  EXPECT_EQ(priority, PRIOR_HIGH);
  ASSERT_OK(rule->get_Preferred(&n));
  EXPECT_EQ(n, 0);
  EAppType app_type;
  ASSERT_OK(rule->get_AppType(&app_type));
  EXPECT_EQ(app_type, AT_DEFINITION);
  ERefType ref;
  ASSERT_OK(rule->get_PathType(&ref));
  EXPECT_EQ(ref, RT_DEFINITION);
  ASSERT_OK(rule->get_TimeOfDayType(&ref));
  EXPECT_EQ(ref, RT_DEFINITION);
  ASSERT_OK(rule->get_OutConditionAND(&n));
  EXPECT_EQ(n, 5);
  ASSERT_OK(rule->get_ProcessID(&n));
  EXPECT_EQ(n, 0x1A2B);
  ASSERT_OK(rule->get_Enabled(&n));
  EXPECT_EQ(n, 0);
  ERuleAccount account;
  ASSERT_OK(rule->get_Account(&account));
  EXPECT_EQ(account, RA_SYSTEM);
  std::string text;
  ASSERT_OK(rule->get_Description(&text));
  EXPECT_EQ(text, "d & e");

  // Kept on the rule, never written: the scan item list and DLL object flag.
  const CAMRule* member = *parser_->rules()->begin();
  EXPECT_EQ(member->fields().scan_item_list, 7);
  EXPECT_EQ(member->fields().dll_object, 1);

  EXPECT_EQ(RuleListText(),
            "\t<RuleList>\n"
            "\t\t<Rule id=\"1090519045\" priority=\"high\" ot=\"AntiMalware\" obj_id=\"F2\" "
            "app_id=\"A1\" os=\"XP_and_up\" outcond_and=\"1|3\" outcond_or=\"2\" "
            "timeofday_id=\"T1\" filter=\"servers\" order=\"15000\" proc_id=\"00001A2B\" lm=\"1\" "
            "account=\"system\" disabled=\"1\" desc=\"d &amp; e\" uiflags=\"u\">\n"
            "\t\t\t<AccessDesc at=\"ScanExclusion\" ar=\"Prevent\" al=\"Severity3\"/>\n"
            "\t\t</Rule>\n"
            "\t</RuleList>\n");
}

TEST_F(AMFormatTest, ObjectTextIsTheDirectPathAndChildrenAreWrittenInOrder) {
  ASSERT_OK(
      LoadRules("<Rule id=\"1\" ot=\"AntiMalware\" app=\"C:\\a.exe\" account=\"both\">"
                "<AccessDesc ar=\"Allow\"/><Object>C:\\Data\\*.tmp</Object>"
                "<ConditionSwitch type=\"or\" target=\"process\" bits_on=\"2\"/></Rule>"));
  EXPECT_EQ(RuleListText(),
            "\t<RuleList>\n"
            "\t\t<Rule id=\"1\" ot=\"AntiMalware\" app=\"C:\\a.exe\" order=\"35000\" "
            "account=\"both\">\n"
            "\t\t\t<Object>C:\\Data\\*.tmp</Object>\n"
            "\t\t\t<ConditionSwitch type=\"or\" target=\"process\" bits_on=\"2\"/>\n"
            "\t\t\t<AccessDesc ar=\"Allow\" al=\"Severity0\"/>\n"
            "\t\t</Rule>\n"
            "\t</RuleList>\n");
}

TEST_F(AMFormatTest, FileObjectTypeIsSavedButRefusedOnLoad) {
  ComPtr<IAMRule> rule = AddRule();
  ASSERT_OK(rule->put_ObjectType(OT_FILE));
  const std::string path = dir_.File("file.xml");
  ASSERT_OK(parser_->Save(path));
  std::string xml;
  ASSERT_OK(parser_->get_Xml(&xml));
  EXPECT_NE(xml.find("ot=\"File\""), std::string::npos);
  ComPtr<CAMParser> other = MakeObject<CAMParser>();
  EXPECT_HR(other->Load(path, 0), E_FAIL);
  EXPECT_EQ(TakeErrorDescription(), "Security database has invalid content. Wrong rule OT.");
}

TEST_F(AMFormatTest, RulesLoadInComparisonOrderWhateverTheFileOrder) {
  ASSERT_OK(
      LoadRules("<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\" priority=\"low\"/>"
                "<Rule id=\"2\" ot=\"AntiMalware\" app=\"a\"/>"
                "<Rule id=\"3\" ot=\"AntiMalware\" app=\"a\" priority=\"high\"/>"
                "<Rule id=\"4\" ot=\"AntiMalware\" app=\"a\"/>"));
  std::vector<std::int32_t> ids;
  for (std::int32_t i = 1; i <= 4; ++i) {
    std::int32_t id = 0;
    ASSERT_OK(RuleAt(i)->get_RuleID(&id));
    ids.push_back(id);
  }
  // As Insert places them: rule 4 lands before the equal rule 2, which is
  // not the last member when 4 arrives.
  EXPECT_EQ(ids, (std::vector<std::int32_t>{3, 4, 2, 1}));
  // Inserting after the load places by comparison again: before the equal
  // high-priority rule, since it is not the last member.
  ComPtr<IAMRule> rule = AddRule();
  ASSERT_OK(Rules()->Remove(rule.get()));
  ASSERT_OK(rule->put_Priority(PRIOR_HIGH));
  ASSERT_OK(Rules()->Insert(rule.get(), nullptr));
  std::int32_t id = 0;
  ASSERT_OK(RuleAt(1)->get_RuleID(&id));
  EXPECT_EQ(id, 5);
}

// A file read gives the rules the order the same rules get when a client
// inserts them one by one in file order; most of these compare equal to
// others (the description takes no part in the comparison).
TEST_F(AMFormatTest, LoadedOrderIsTheOrderOfInsertsInFileOrder) {
  struct Shape {
    const char* priority;
    EPriority value;
    const char* path;
  };
  const Shape kShapes[] = {{"low", PRIOR_LOW, ""},      {"normal", PRIOR_NORMAL, "c:\\a"},
                           {"high", PRIOR_HIGH, ""},    {"normal", PRIOR_NORMAL, "C:\\A\\b"},
                           {"low", PRIOR_LOW, "c:\\a"}, {"normal", PRIOR_NORMAL, ""}};
  std::string file;
  std::vector<std::size_t> shapes;
  std::uint32_t seed = 7;
  for (std::int32_t id = 1; id <= 60; ++id) {
    seed = seed * 1103515245u + 12345u;
    const std::size_t shape = (seed >> 16) % std::size(kShapes);
    shapes.push_back(shape);
    file += "<Rule id=\"" + std::to_string(id) + "\" ot=\"AntiMalware\" app=\"a\" priority=\"" +
            kShapes[shape].priority + "\" desc=\"" + std::to_string(id) + "\"><Object>" +
            kShapes[shape].path + "</Object></Rule>";
  }
  ASSERT_OK(LoadRules(file));

  ComPtr<CAMParser> by_api = MakeObject<CAMParser>();
  ComPtr<IAMRuleList> list;
  ASSERT_OK(by_api->get_RuleList(list.Put()));
  for (std::int32_t id = 1; id <= 60; ++id) {
    const Shape& shape = kShapes[shapes[static_cast<std::size_t>(id - 1)]];
    ComPtr<IAMRule> rule;
    ASSERT_OK(list->CreateRule(rule.Put()));
    ASSERT_OK(rule->put_RuleID(id));
    ASSERT_OK(rule->put_ObjectType(OT_ANTI_MALWARE));
    ASSERT_OK(rule->put_Application("a"));
    ASSERT_OK(rule->put_Priority(shape.value));
    ASSERT_OK(rule->put_Path(shape.path));
    ASSERT_OK(list->Insert(rule.get(), nullptr));
  }
  auto ids = [](IAMRuleList* rules) {
    std::vector<std::int32_t> order;
    std::int32_t count = 0;
    EXPECT_OK(rules->get_Count(&count));
    for (std::int32_t i = 1; i <= count; ++i) {
      Variant item;
      EXPECT_OK(rules->get_Item(i, &item));
      ComPtr<IAMRule> rule;
      EXPECT_OK(item.as_object()->As(&rule));
      std::int32_t id = 0;
      EXPECT_OK(rule->get_RuleID(&id));
      order.push_back(id);
    }
    return order;
  };
  EXPECT_EQ(ids(Rules().get()), ids(list.get()));
}

TEST_F(AMFormatTest, RuleEventsReachASinkWhileLoadingAndEditing) {
  EventLog* events = Advise();
  ASSERT_OK(LoadRules("<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\"/>"));
  EXPECT_EQ(events->lines, (std::vector<std::string>{"1", "23", "24", "2"}));
  events->lines.clear();
  ComPtr<IAMRule> rule = RuleAt(1);
  ASSERT_OK(Rules()->Remove(rule.get()));
  EXPECT_EQ(events->lines, (std::vector<std::string>{"25", "26"}));
}

TEST_F(AMFormatTest, MasterParserMustBeASandboxParser) {
  ComPtr<CAMParser> other = MakeObject<CAMParser>();
  EXPECT_HR(parser_->SetMasterParser(other.get()), E_NOINTERFACE);
  std::int32_t id = 0;
  ASSERT_OK(Rules()->GenerateRuleID(0, 0, &id));
  EXPECT_EQ(id, 1);
}

}  // namespace
}  // namespace xmlsecdb::testing
