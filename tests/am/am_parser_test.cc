// The anti-malware parser end to end: the bundled example database, and
// editing a loaded database through the object model.
#include "am/am_parser.h"

#include <gtest/gtest.h>

#include "am/am_fixture.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb::testing {
namespace {

const std::string kExample = std::string(XMLSECDB_EXAMPLES) + "/antimalware.xml";

// Loads a copy of the example: a load may leave a backup beside its file.
class AMParserTest : public AMTest {
 protected:
  HRESULT LoadExample() { return LoadText(ReadFileBytes(kExample)); }
};

TEST_F(AMParserTest, ExampleLoadsWithEveryListAndRoundTripsByteForByte) {
  ASSERT_OK(LoadExample());
  const char* const properties[] = {"GlobalOptions", "DefinitionList", "AppExceptionList",
                                    "RuleList", "RuleSetList"};
  std::int32_t lists = 0;
  ASSERT_OK(parser_->get_ListCount(&lists));
  ASSERT_EQ(lists, 5);
  for (std::int32_t i = 0; i < lists; ++i) {
    std::string property;
    ComPtr<ISDCollection> list;
    ASSERT_OK(parser_->GetList(i, &property, list.Put()));
    EXPECT_EQ(property, properties[i]);
    std::int32_t count = 0;
    ASSERT_OK(list->get_Count(&count));
    EXPECT_GT(count, 0) << property;
  }
  const std::string first = dir_.File("1.xml");
  const std::string second = dir_.File("2.xml");
  ASSERT_OK(parser_->Save(first));
  EXPECT_EQ(ReadFileBytes(first), ReadFileBytes(kExample));
  ComPtr<CAMParser> again = MakeObject<CAMParser>();
  ASSERT_OK(again->Load(first, 0));
  ASSERT_OK(again->Save(second));
  EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
}

TEST_F(AMParserTest, XmlExWritesEachSectionAlone) {
  ASSERT_OK(LoadExample());
  // XmlEx names custom sections "Custom".
  struct Section {
    const char* selector;
    const char* element;
  };
  const Section sections[] = {
      {"Globals", "Globals"},   {"Definitions", "Definitions"}, {"ExceptionList", "ExceptionList"},
      {"RuleList", "RuleList"}, {"RuleSetList", "RuleSetList"}, {"Custom", "VendorExtensions"}};
  for (const Section& section : sections) {
    std::string xml;
    ASSERT_OK(parser_->XmlEx(section.selector, &xml));
    for (const Section& other : sections) {
      const bool present = xml.find(std::string("\n\t<") + other.element) != std::string::npos;
      EXPECT_EQ(present, &other == &section) << section.selector << " / " << other.element;
    }
  }
}

TEST_F(AMParserTest, EditLoadedDatabaseAndSave) {
  ASSERT_OK(LoadExample());
  ComPtr<IAMRuleList> rules = Rules();
  std::int32_t count = 0;
  ASSERT_OK(rules->get_Count(&count));

  ComPtr<IAMRule> changed;
  ASSERT_OK(rules->Get("5", changed.Put()));
  ASSERT_OK(changed->put_Description("edited"));
  ComPtr<IAMRule> removed;
  ASSERT_OK(rules->Get("6", removed.Put()));
  ASSERT_OK(rules->Remove(removed.get()));
  ComPtr<IAMRule> added = AddRule();
  ASSERT_OK(added->put_Path("C:\\New\\*"));
  std::int32_t id = 0;
  ASSERT_OK(added->get_RuleID(&id));
  EXPECT_EQ(id, 6);  // the freed identifier

  const std::string path = dir_.File("edited.xml");
  ASSERT_OK(parser_->Save(path));
  ComPtr<CAMParser> reloaded = MakeObject<CAMParser>();
  ASSERT_OK(reloaded->Load(path, 1));
  ComPtr<IAMRuleList> reloaded_rules;
  ASSERT_OK(reloaded->get_RuleList(reloaded_rules.Put()));
  std::int32_t reloaded_count = 0;
  ASSERT_OK(reloaded_rules->get_Count(&reloaded_count));
  EXPECT_EQ(reloaded_count, count);
  ComPtr<IAMRule> rule;
  ASSERT_OK(reloaded_rules->Get("5", rule.Put()));
  std::string text;
  ASSERT_OK(rule->get_Description(&text));
  EXPECT_EQ(text, "edited");
  ASSERT_OK(reloaded_rules->Get("6", rule.Put()));
  ASSERT_OK(rule->get_Path(&text));
  EXPECT_EQ(text, "C:\\New\\*");

  // Loaded read-only: edits are refused, the list is unchanged.
  EXPECT_HR(rule->put_Path("x"), SECDB_E_READONLY);
  EXPECT_HR(reloaded_rules->Remove(rule.get()), SECDB_E_READONLY);
  TakeErrorDescription();
  ASSERT_OK(reloaded_rules->get_Count(&reloaded_count));
  EXPECT_EQ(reloaded_count, count);
}

// A sink that makes one failing call of its own (a lookup of a missing
// rule) at the first item event it gets.
class FailingCallSink final : public ComObject<IDispatch> {
 public:
  explicit FailingCallSink(ComPtr<IAMRuleList> rules) : rules_(std::move(rules)) {}
  HRESULT Invoke(DISPID, const Variant*, std::uint32_t count, Variant*) override {
    if (count > 0 && !called) {
      called = true;
      ComPtr<IAMRule> rule;
      EXPECT_HR(rules_->Get("999", rule.Put()), SECDB_E_NOTFOUND);
    }
    return S_OK;
  }
  bool called = false;

 private:
  ComPtr<IAMRuleList> rules_;
};

// Rules raise item events while they load; a failing call a sink makes then
// leaves a record of its own, which must not pass for the load's failure.
TEST_F(AMTest, FailingCallOfAnEventSinkDoesNotReplaceTheLoadsError) {
  const std::string good = "<Rule id=\"1\" ot=\"AntiMalware\" app=\"a.exe\"/>";
  struct Case {
    const char* name;
    std::string rules;
    std::string description;
  };
  const Case cases[] = {
      {"content error", good + "<Rule ot=\"AntiMalware\" app=\"b.exe\"/>",
       "Required attribute is missing. Missing rule id."},
      {"malformed XML", good + "<Rule id=\"2\" ot=\"AntiMalware\" app=\"b.exe\"></Rul>", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ComPtr<CAMParser> parser = MakeObject<CAMParser>();
    ComPtr<IAMRuleList> rules;
    ASSERT_OK(parser->get_RuleList(rules.Put()));
    ComPtr<FailingCallSink> sink = MakeObject<FailingCallSink>(rules);
    ComPtr<IConnectionPoint> point;
    ASSERT_OK(parser->FindConnectionPoint(DIID__ISDParserAMEvents, point.Put()));
    std::uint32_t cookie = 0;
    ASSERT_OK(point->Advise(sink->unknown(), &cookie));

    const std::string path = dir_.File(std::string(c.name) + ".xml");
    WriteFileBytes(path, AMDatabase(c.rules));
    EXPECT_HR(parser->Load(path, 0), E_FAIL);
    EXPECT_TRUE(sink->called);
    const std::string description = TakeErrorDescription();
    if (c.description.empty()) {
      EXPECT_EQ(description.rfind("Fatal Error\nFile:\t\t" + path, 0), 0u) << description;
    } else {
      EXPECT_EQ(description, c.description);
    }
    ASSERT_OK(point->Unadvise(cookie));
  }
}

// The anti-malware parser takes a sandbox parser as its master, and no
// other kind.
TEST_F(AMParserTest, SetMasterParserAcceptsOnlyTheMasterKind) {
  ComPtr<IDispatch> firewall, sandbox;
  ASSERT_OK(CreateInstance(CLSID_XMLSDParserFW, firewall.Put()));
  ASSERT_OK(CreateInstance(CLSID_XMLSDParserSBX, sandbox.Put()));
  EXPECT_HR(parser_->SetMasterParser(nullptr), E_POINTER);
  EXPECT_OK(parser_->SetMasterParser(sandbox.get()));
  EXPECT_HR(parser_->SetMasterParser(firewall.get()), E_NOINTERFACE);
}

TEST_F(AMParserTest, NewParserSavesTheFrameAsUtf16) {
  ASSERT_OK(parser_->put_Version(0x00020003));
  ASSERT_OK(parser_->Save(dir_.File("new.xml")));
  std::string xml;
  ASSERT_OK(parser_->get_Xml(&xml));
  EXPECT_EQ(ReadFileBytes(dir_.File("new.xml")), Utf16Image(xml));
  EXPECT_EQ(xml,
            "<?xml version=\"1.0\" encoding=\"UTF-16\" standalone=\"no\"?>\n"
            "<SecDb xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:noNamespaceSchemaLocation=\"AntiMalware.xsd\">\n"
            "\t<VersionInfo major=\"2\" minor=\"3\"/>\n"
            "\t<Module id=\"AntiMalware\"/>\n"
            "\t<Globals/>\n"
            "\t<Definitions/>\n"
            "\t<ExceptionList/>\n"
            "\t<RuleList/>\n"
            "</SecDb>\n");
}

}  // namespace
}  // namespace xmlsecdb::testing
