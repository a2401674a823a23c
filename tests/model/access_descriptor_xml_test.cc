// The `AccessDesc` element: the kinds' access-type words both ways, the
// read failures, and a load-save round trip of rules with both kinds of
// children.
#include "model/access_descriptor_xml.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cf/cf_words.h"
#include "di/di_words.h"
#include "fw/fw_words.h"
#include "model/access_test_rule.h"
#include "policy/policy_words.h"
#include "sbx/sbx_words.h"
#include "testing/hresult_matchers.h"
#include "testing/recording_context.h"

namespace xmlsecdb {
namespace {

using testing::AccessRules;
using testing::AccessTestRule;
using testing::AddRule;
using testing::MakeAccessTestParser;
using testing::RecordingContext;
using testing::RoundTrip;
using testing::TestParser;

TEST(AccessDescXmlTest, AccessTypeWordsAreReadByNameAndStarByObjectType) {
  struct Case {
    const AccessDescConfig* config;
    std::int32_t object_type;
    const char* text;
    std::optional<std::int32_t> value;  // nullopt: " Wrong AT."
  };
  const Case cases[] = {
      {&kSBXAccessDesc, OT_REGISTRY, "*", 0x1001F},
      {&kSBXAccessDesc, OT_SYSTEMPRIV, "*", 0x1FF00},
      {&kSBXAccessDesc, OT_FILE, "KeyRead", 0x19},  // whatever the object type
      {&kSBXAccessDesc, OT_SYSTEMPRIV, "SystemLowLevelAPI", 0x1000},
      {&kSBXAccessDesc, OT_FILE, "fileread", std::nullopt},
      {&kSBXAccessDesc, OT_FILE, "", std::nullopt},
      {&kDIAccessDesc, OT_DATA_INSPECTION, "ReadMalw", 0x40},
      {&kDIAccessDesc, OT_DATA_INSPECTION, "*", 0xFF},
      {&kCFAccessDesc, OT_PRIVACY, "Popup", 0x80},
      {&kCFAccessDesc, OT_ATTACHMENT, "Popup", 0x80},
      {&kCFAccessDesc, OT_IDLOCK, "IdLock", 1},
      {&kCFAccessDesc, OT_PRIVACY, "NoSuchWord", 1},
      {&kCFAccessDesc, OT_PRIVACY, "*", 1},
      {&kFWAccessDesc, OT_FW_TRANS, "NetworkAccess", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " on object type " + std::to_string(c.object_type));
    EXPECT_EQ(AccessTypeFromText(*c.config, c.object_type, c.text), c.value);
  }
}

TEST(AccessDescXmlTest, AccessTypeIsWrittenByTheRulesObjectType) {
  struct Case {
    const AccessDescConfig* config;
    std::int32_t object_type;
    std::int32_t value;
    std::optional<std::string_view> text;  // nullopt: no `at`
  };
  const Case cases[] = {
      {&kSBXAccessDesc, OT_REGISTRY, 0x1001F, "*"},
      {&kSBXAccessDesc, OT_FILE, 0x19, std::nullopt},  // a registry value on a file rule
      {&kSBXAccessDesc, OT_FILE, 0xA9, "FileRead"},
      {&kSBXAccessDesc, OT_FILE, 0, std::nullopt},
      {&kSBXAccessDesc, OT_SYSTEMPRIV, 0x1000, "InjectCode"},
      {&kSBXAccessDesc, OT_SPAWN_DLL, 0x1, "LoadDll"},  // the name before "*"
      {&kDIAccessDesc, OT_DATA_INSPECTION, 0x10, "SendDict"},
      {&kCFAccessDesc, OT_PRIVACY, 0x80, "Popup"},
      {&kCFAccessDesc, OT_ATTACHMENT, 0x80, std::nullopt},
      {&kCFAccessDesc, OT_IDLOCK, 1, "IDLockExpressionList"},
      {&kFWAccessDesc, OT_FW_TRANS, 12345, "NetworkAccess"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " on object type " + std::to_string(c.object_type));
    EXPECT_EQ(AccessTypeText(*c.config, c.object_type, c.value), c.text);
  }
}

TEST(AccessDescXmlTest, ReadConvertsOrReportsTheKindsFailure) {
  struct Case {
    const AccessDescConfig* config;
    std::vector<const char*> attributes;
    const char* failure;  // "" for success
    AccessDescFields fields;
  };
  const Case cases[] = {
      {&kSBXAccessDesc, {"ar", "Prevent"}, "", {0, AR_PREVENT, AL_IGNORE}},
      {&kSBXAccessDesc,
       {"at", "FileWrite", "ar", "None", "al", "severity7"},
       "",
       {0x112, AR_NONE, AL_SEVERITY_7}},
      {&kSBXAccessDesc, {"ar", "Allow", "al", "Alert"}, "", {0, AR_ALLOW, AL_SEVERITY_2}},
      {&kSBXAccessDesc, {"at", "Bogus", "ar", "Allow"}, "110 Wrong AT.", {}},
      {&kSBXAccessDesc, {"at", "Bogus"}, "110 Wrong AT.", {}},  // `at` is converted first
      {&kSBXAccessDesc, {"al", "Severity1"}, "109 Missing AR.", {}},
      {&kSBXAccessDesc, {"ar", "allow"}, "110 Wrong AR.", {}},
      {&kSBXAccessDesc, {"ar", "Allow", "al", "Severity"}, "110 Wrong AL.", {}},
      {&kCFAccessDesc, {"ar", "AskUser"}, "", {1, AR_ASKUSER, AL_IGNORE}},
      {&kCFAccessDesc, {"al", "Severity1"}, "109 Missing AccessDesc AR.", {}},
      {&kCFAccessDesc, {"ar", "Deny"}, "110 Wrong AccessDesc AR.", {}},
      {&kCFAccessDesc, {"ar", "Allow", "al", "severity4"}, "110 Wrong AccessDesc AL.", {}},
      {&kFWAccessDesc, {"ar", "Allow"}, "109 Missing AccessDesc AL.", {}},
      {&kFWAccessDesc,
       {"at", "NetworkAccess", "ar", "Allow", "al", "Severity9"},
       "",
       {0, AR_ALLOW, AL_SEVERITY_9}},
  };
  ComPtr<TestParser> parser = MakeAccessTestParser();
  for (const Case& c : cases) {
    std::vector<const char*> pairs = c.attributes;
    pairs.push_back(nullptr);
    SCOPED_TRACE(::testing::PrintToString(c.attributes));
    AccessTestRule* rule = AddRule(*parser, OT_FILE);
    RecordingContext context(*parser);
    HRESULT hr =
        ReadAccessDesc(context, SaxAttributes(pairs.data()), OT_FILE, *c.config, *rule->access());
    EXPECT_EQ(context.failure, c.failure);
    if (*c.failure) {
      EXPECT_HR(hr, E_FAIL);
      EXPECT_EQ(rule->access()->count(), 0);
      continue;
    }
    ASSERT_OK(hr);
    ASSERT_EQ(rule->access()->count(), 1);
    const CAccessDescriptor& read = *rule->access()->at(0);
    EXPECT_EQ(read.access_type(), c.fields.access_type);
    EXPECT_EQ(read.access_result(), c.fields.access_result);
    EXPECT_EQ(read.audit_level(), c.fields.audit_level);
  }
}

TEST(AccessDescXmlTest, WriteLeavesOutWhatHasNoWord) {
  ComPtr<TestParser> parser = MakeAccessTestParser();
  AccessTestRule* rule = AddRule(*parser, OT_FILE);
  ComPtr<CAccessDescriptor> odd = rule->access()->NewItem();
  ASSERT_OK(odd->put_AccessResult(static_cast<EAccessResult>(4)));
  ASSERT_OK(odd->put_AuditLevel(static_cast<EAuditLevel>(-1)));
  ASSERT_OK(odd->put_AccessType(0x4));
  XmlWriter writer;
  XmlAttributes scratch;
  ASSERT_OK(writer.StartElement("Rule"));
  ASSERT_OK(WriteAccessDesc(writer, scratch, *odd, OT_FILE, kSBXAccessDesc));
  ASSERT_OK(WriteAccessDesc(writer, scratch, *odd, OT_REGISTRY, kFWAccessDesc));
  ASSERT_OK(writer.EndElement("Rule"));
  EXPECT_EQ(writer.output(),
            "<Rule>\n"
            "\t<AccessDesc at=\"FileCreate\" al=\"Severity4294967295\"/>\n"
            "\t<AccessDesc at=\"NetworkAccess\" al=\"Severity4294967295\"/>\n"
            "</Rule>");
}

TEST(AccessDescXmlTest, RulesChildrenRoundTripInListOrder) {
  ComPtr<TestParser> parser = MakeAccessTestParser();
  EXPECT_EQ(RoundTrip(*parser,
                      "<RuleList>"
                      "<Rule id=\"1\" ot=\"4\">"
                      "<AccessDesc at=\"*\" ar=\"Prevent\" al=\"Alert\"/>"
                      "<ConditionSwitch type=\"or\" target=\"process\" bits_on=\"3|1\" "
                      "uiflags=\"u\"/>"
                      "<AccessDesc at=\"KeyRead\" ar=\"AskUser\"/>"
                      "</Rule>"
                      "<Rule id=\"2\" ot=\"128\">"
                      "<AccessDesc at=\"SystemLowLevelAPI\" ar=\"None\" al=\"Severity15\"/>"
                      "<AccessDesc at=\"KeyRead\" ar=\"Allow\"/>"
                      "<ConditionSwitch uiflags=\"\" type=\"and_or\" target=\"global\" "
                      "bits_off=\"32\"/>"
                      "</Rule>"
                      "</RuleList>"),
            "\t<RuleList>\n"
            "\t\t<Rule id=\"1\" ot=\"4\">\n"
            "\t\t\t<ConditionSwitch type=\"or\" target=\"process\" bits_on=\"1|3\" "
            "uiflags=\"u\"/>\n"
            "\t\t\t<AccessDesc at=\"*\" ar=\"Prevent\" al=\"Severity2\"/>\n"
            "\t\t\t<AccessDesc at=\"KeyRead\" ar=\"AskUser\" al=\"Severity0\"/>\n"
            "\t\t</Rule>\n"
            "\t\t<Rule id=\"2\" ot=\"128\">\n"
            "\t\t\t<ConditionSwitch type=\"and_or\" target=\"global\" bits_off=\"32\"/>\n"
            "\t\t\t<AccessDesc at=\"InjectCode\" ar=\"None\" al=\"Severity15\"/>\n"
            "\t\t\t<AccessDesc ar=\"Allow\" al=\"Severity0\"/>\n"
            "\t\t</Rule>\n"
            "\t</RuleList>");
  AccessTestRule* first = *AccessRules(*parser)->begin();
  EXPECT_EQ(first->access()->at(0)->access_type(), 0x1001F);
  EXPECT_EQ(first->switches()->at(0)->bits_on(), 0x5);
}

TEST(AccessDescXmlTest, ChildFailureEndsTheLoad) {
  ComPtr<TestParser> parser = MakeAccessTestParser();
  EXPECT_EQ(RoundTrip(*parser,
                      "<RuleList><Rule id=\"1\" ot=\"1\"><AccessDesc at=\"Bogus\" ar=\"Allow\"/>"
                      "</Rule></RuleList>"),
            "load failed: Security database has invalid content. Wrong AT.");
  ComPtr<TestParser> policy = MakeAccessTestParser(kSBXAccessDesc, kPolicyConditionSwitch);
  EXPECT_EQ(RoundTrip(*policy,
                      "<RuleList><Rule id=\"1\" ot=\"32\"><ConditionSwitch target=\"global\"/>"
                      "</Rule></RuleList>"),
            "load failed: Required attribute is missing. Missing condition type.");
}

}  // namespace
}  // namespace xmlsecdb
