// The firewall parser: its lists in save order, the text forms of items,
// every failure of `Object` and `Item`, elements taken by name, the rule
// sections kept in their place, and a database built through the object
// model and saved.
#include "fw/fw_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fw/fw_fixture.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "testing/test_env.h"
#include "xmlsecdb/app_exceptions.h"
#include "xmlsecdb/global_options.h"
#include "xmlsecdb/rule_sets.h"

namespace xmlsecdb {
namespace {

using testing::FWItemAt;
using testing::FWSectionText;
using testing::LoadFWBody;
using testing::MakeFWParser;

std::string TransportObject(const std::string& items) {
  return "<Definitions><Object ot=\"iptransport\" id=\"t\">" + items + "</Object></Definitions>";
}

TEST(FWParserTest, ListsInSaveOrder) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ComPtr<ISDParserLists> lists;
  ASSERT_OK(static_cast<ISDParserFW*>(parser.get())->QueryInterface(lists.Put()));
  ComPtr<IPropertyList> options;
  ComPtr<IDefinitionList> definitions;
  ComPtr<IAppExceptionList> exceptions;
  ComPtr<IRuleSetList> rule_sets;
  ASSERT_OK(parser->get_GlobalOptions(options.Put()));
  ASSERT_OK(parser->get_DefinitionList(definitions.Put()));
  ASSERT_OK(parser->get_AppExceptionList(exceptions.Put()));
  ASSERT_OK(parser->get_RuleSetList(rule_sets.Put()));
  struct Expected {
    const char* property;
    const char* element;
    ISDCollection* list;
  };
  const Expected expected[] = {
      {"GlobalOptions", "Globals", options.get()},
      {"DefinitionList", "Definitions", definitions.get()},
      {"AppExceptionList", "ExceptionList", exceptions.get()},
      {"BindSocketNotificationList", "BindSocketNotificationList", parser->bind_sockets()},
      {"RuleList", "RuleList", parser->rules()},
      {"RoutedRuleList", "RoutedRuleList", parser->routed_rules()},
      {"DialNumberList", "DialNumberList", parser->dial_numbers()},
      {"ZoneRuleList", "ZoneRuleList", parser->zone_rules()},
      {"RuleSetList", "RuleSetList", rule_sets.get()}};
  std::int32_t count = 0;
  ASSERT_OK(lists->get_ListCount(&count));
  ASSERT_EQ(count, 9);
  for (std::int32_t i = 0; i < count; ++i) {
    SCOPED_TRACE(expected[i].property);
    std::string property;
    std::string element;
    ComPtr<ISDCollection> list;
    ASSERT_OK(lists->GetList(i, &property, list.Put()));
    ASSERT_OK(lists->GetListSection(i, &element));
    EXPECT_EQ(property, expected[i].property);
    EXPECT_EQ(element, expected[i].element);
    if (expected[i].list) {
      EXPECT_EQ(list.get(), expected[i].list);
    }
    std::int32_t items = -1;
    ASSERT_OK(list->get_Count(&items));
    EXPECT_EQ(items, 0);
  }
  EXPECT_HR(parser->get_DefinitionList(nullptr), E_POINTER);
}

TEST(FWParserTest, ItemTextFormsReadAndWriteBack) {
  struct Case {
    const char* read;
    const char* written;
    std::int32_t protocol_numbers;
  };
  const Case cases[] = {
      {"<Item/>", "<Item dir=\"in\" prot=\"tcp\" locport=\"*\" remport=\"*\"/>", 0},
      {"<Item dir=\"out\" locport=\"80\" remport=\"1024-65535\">HTTP</Item>",
       "<Item dir=\"out\" prot=\"tcp\" locport=\"80\" remport=\"1024-65535\">HTTP</Item>", 0},
      {"<Item prot=\"udp\" locport=\"0-0\" remport=\"7-x\"/>",
       "<Item dir=\"in\" prot=\"udp\" locport=\"0\" remport=\"7-0\"/>", 0},
      {"<Item dir=\"in_out\" prot=\"tcp_udp\" locport=\"abc\" remport=\"5-\"/>",
       "<Item dir=\"in_out\" prot=\"tcp_udp\" locport=\"0\" remport=\"5-0\"/>", 0},
      {"<Item prot=\"*\" locport=\"99999\"/>",
       "<Item dir=\"in\" prot=\"*\" locport=\"99999\" remport=\"*\"/>", 0},
      {"<Item prot=\"other\" prot_num=\"47\" locport=\"80\"/>",
       "<Item dir=\"in\" prot=\"other\" prot_num=\"47\"/>", 47 * 65537},
      {"<Item prot=\"other\" prot_num=\"50-51\"/>",
       "<Item dir=\"in\" prot=\"other\" prot_num=\"50-51\"/>", 50 + 51 * 65536},
      {"<Item prot=\"other\" prot_num=\"70000\"/>",
       "<Item dir=\"in\" prot=\"other\" prot_num=\"4464-1\"/>", 70000},
      {"<Item prot=\"other\"/>", "<Item dir=\"in\" prot=\"other\" prot_num=\"0\"/>", 0},
      {"<Item prot=\"icmp\" icmptype=\"V6_REDIRECT_137\" remport=\"9\"/>",
       "<Item dir=\"in\" prot=\"icmp\" icmptype=\"V6_REDIRECT_137\"/>", 0},
      {"<Item prot=\"icmp\"/>", "<Item dir=\"in\" prot=\"icmp\" icmptype=\"*\"/>", 0},
      {"<Item icmptype=\"ECHO_REQ_REPLY_8_0\"/>",
       "<Item dir=\"in\" prot=\"tcp\" locport=\"*\" remport=\"*\"/>", 0},
      {"<Item>a <![CDATA[&]]> b</Item>",
       "<Item dir=\"in\" prot=\"tcp\" locport=\"*\" remport=\"*\">a &amp; b</Item>", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.read);
    ComPtr<CFWParser> parser = MakeFWParser();
    ASSERT_OK(LoadFWBody(parser.get(), TransportObject(c.read)));
    const std::string text = FWSectionText(parser.get(), "Definitions");
    EXPECT_NE(text.find(c.written), std::string::npos) << text;
    CFWItem* item = FWItemAt(parser.get(), 0, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->transport().protocol_numbers, c.protocol_numbers);
  }
}

TEST(FWParserTest, EveryICMPWordReadsAndWritesBack) {
  const char* const words[] = {"*",
                               "ECHO_REQ_REPLY_8_0",
                               "DST_UNREACHABLE_3",
                               "SRC_QUENCH_4",
                               "REDIRECT_5",
                               "ROUTER_ADVERTISMENT_9_10",
                               "TIMEOUT_11",
                               "PARAM_PROBLEM_12",
                               "TIMESTAMP_REQ_REPLY_13_14",
                               "INFO_REQ_REPLY_15_16",
                               "ADDRMASK_REQ_REPLY_17_18",
                               "V6_DST_UNREACHABLE_1",
                               "V6_PACKET_TOO_BIG_2",
                               "V6_TIME_EXCEEDED_3",
                               "V6_PARAM_PROBLEM_4",
                               "V6_ECHO_REQ_REPLY_128_129",
                               "V6_MULTICAST_LISTENER_130_131",
                               "V6_MULTICAST_LISTENER_DONE_132",
                               "V6_ROUTER_ADVERTISMENT_133_134",
                               "V6_NEIGHBOR_ADVERTISMENT_135_136",
                               "V6_REDIRECT_137"};
  std::string items;
  for (const char* word : words)
    items += "<Item prot=\"icmp\" icmptype=\"" + std::string(word) + "\"/>";
  ComPtr<CFWParser> parser = MakeFWParser();
  ASSERT_OK(LoadFWBody(parser.get(), TransportObject(items)));
  const std::string text = FWSectionText(parser.get(), "Definitions");
  for (std::int32_t i = 0; i < 21; ++i) {
    SCOPED_TRACE(words[i]);
    EXPECT_EQ(FWItemAt(parser.get(), 0, i)->transport().icmp_type, i);
    EXPECT_NE(text.find("icmptype=\"" + std::string(words[i]) + "\"/>"), std::string::npos);
  }
}

// Fields a save cannot express: protocols without a word, and the fields
// of items of definitions that are no transports.
TEST(FWParserTest, WhatTheFileCannotSayIsLeftOut) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ASSERT_OK(LoadFWBody(parser.get(),
                       TransportObject("<Item/><Item/>") +
                           "<Definitions><Object ot=\"ipaddress\" id=\"a\" desc=\"\" uiflags=\"\">"
                           "<Item>10.0.0.1</Item></Object></Definitions>"));
  ASSERT_OK(FWItemAt(parser.get(), 0, 0)->put_Protocol(PROT_IP));
  ASSERT_OK(FWItemAt(parser.get(), 0, 1)->put_Protocol(PROT_TCP_S));
  CFWItem* address = FWItemAt(parser.get(), 1, 0);
  ASSERT_OK(address->put_Direction(DIR_OUT));
  ASSERT_OK(address->put_Protocol(PROT_UDP));
  EXPECT_EQ(FWSectionText(parser.get(), "Definitions"),
            "\t<Definitions>\n"
            "\t\t<Object ot=\"iptransport\" id=\"t\">\n"
            "\t\t\t<Item dir=\"in\" locport=\"*\" remport=\"*\"/>\n"
            "\t\t\t<Item dir=\"in\" locport=\"*\" remport=\"*\"/>\n"
            "\t\t</Object>\n"
            "\t\t<Object ot=\"ipaddress\" id=\"a\">\n"
            "\t\t\t<Item>10.0.0.1</Item>\n"
            "\t\t</Object>\n"
            "\t</Definitions>\n");
  ComPtr<CFWParser> again = MakeFWParser();
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  ASSERT_OK(again->LoadImage(xml, "again.xml", 0));
  EXPECT_EQ(FWItemAt(again.get(), 0, 0)->transport().protocol, PROT_TCP);
  EXPECT_EQ(FWItemAt(again.get(), 0, 1)->transport().protocol, PROT_TCP);
}

TEST(FWParserTest, ObjectAndItemFailuresEndTheLoad) {
  const std::string k109 = "Required attribute is missing.";
  const std::string k110 = "Security database has invalid content.";
  struct Case {
    std::string body;
    HRESULT result;
    std::string source;
    std::string description;
  };
  const std::string handler = "CDbContentHandlerFW::StartElement()";
  const Case cases[] = {
      {"<Definitions><Object ot=\"time\"/></Definitions>", E_FAIL, handler,
       k109 + " Missing object id."},
      {"<Definitions><Object id=\"a\"/></Definitions>", E_FAIL, handler,
       k109 + " Missing object type."},
      {"<Definitions><Object id=\"a\" ot=\"File\"/></Definitions>", E_FAIL, handler,
       k110 + " Wrong object type."},
      {"<Definitions><Object id=\"a\" ot=\"ruleinfo\"/></Definitions>", E_FAIL, handler,
       k110 + " Wrong object type."},
      {"<Definitions><Object id=\"a\" ot=\"IPTransport\"/></Definitions>", E_FAIL, handler,
       k110 + " Wrong object type."},
      {TransportObject("<Item dir=\"both\"/>"), E_FAIL, handler, k110 + " Wrong item dir."},
      {TransportObject("<Item dir=\"\"/>"), E_FAIL, handler, k110 + " Wrong item dir."},
      {TransportObject("<Item prot=\"ip\"/>"), E_FAIL, handler, k110 + " Wrong item prot."},
      {TransportObject("<Item prot=\"TCP\"/>"), E_FAIL, handler, k110 + " Wrong item prot."},
      {TransportObject("<Item prot=\"icmp\" icmptype=\"ECHO\"/>"), E_FAIL, handler,
       k110 + " Wrong item icmptype."},
      // The word is checked whatever the protocol.
      {TransportObject("<Item prot=\"udp\" icmptype=\"8\"/>"), E_FAIL, handler,
       k110 + " Wrong item icmptype."},
      {"<Definitions><Object id=\"a\" ot=\"time\"/><Object id=\"a\" ot=\"ipaddress\"/>"
       "</Definitions>",
       SECDB_E_DUPLICATEID, "CFWDefinitionList::Insert()", "Object with gived ID already exists."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    ComPtr<CFWParser> parser = MakeFWParser();
    testing::ScopedDebugLogCapture log;
    EXPECT_HR(LoadFWBody(parser.get(), c.body), c.result);
    EXPECT_TRUE(testing::Reported(log, c.source, c.description));
  }
}

// The firewall's handler knows its elements by name, wherever they stand;
// an `Item` with no `Object` open makes no item.
TEST(FWParserTest, ElementsAreTakenByName) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ASSERT_OK(LoadFWBody(parser.get(),
                       "<Item dir=\"nowhere\">lost</Item>"
                       "<Object ot=\"time\" id=\"bare\"><Item>08:00-18:00</Item></Object>"
                       "<Property id=\"ZoneMode\" type=\"int\">2</Property>"
                       "<ExceptionList><Item prot=\"none\"/></ExceptionList>"
                       "<AppItem app=\"x\" activeGuardsMask=\"*\"/>"
                       "<RuleSet id=\"s\"><RuleListID>r</RuleListID></RuleSet>"));
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  for (const char* part : {"<Property id=\"ZoneMode\" type=\"int\">2</Property>",
                           "<Definitions>\n\t\t<Object ot=\"time\" id=\"bare\">\n"
                           "\t\t\t<Item>08:00-18:00</Item>",
                           "<AppItem app=\"x\"", "<RuleListID>r</RuleListID>"}) {
    EXPECT_NE(xml.find(part), std::string::npos) << part << "\n" << xml;
  }
  // The stray `Item`s make no item: the top-level one is an unknown
  // section, kept as it stands after the known ones; the one inside a
  // section is passed over.
  EXPECT_EQ(parser->definitions()->count(), 1);
  EXPECT_EQ(testing::FWDefinitionAt(parser.get(), 0)->items()->count(), 1);
  EXPECT_NE(xml.find("</RuleSetList>\n\t<Item dir=\"nowhere\">lost</Item>\n</SecDb>"),
            std::string::npos)
      << xml;
  EXPECT_EQ(xml.find("none"), std::string::npos) << xml;
}

// The rule sections are read into their lists and written in their place,
// after the sections before them in the file's save order.
TEST(FWParserTest, RuleSectionsAreWrittenInTheirPlace) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ASSERT_OK(LoadFWBody(
      parser.get(),
      "<Custom k=\"v\"/><RuleSetList><RuleSet id=\"s\"/></RuleSetList>"
      "<ZoneRuleList><ZoneRule id=\"1\" cat=\"LAN\" zone=\"Safe\"/></ZoneRuleList>"
      "<DialNumberList><DialNumber id=\"1\" number=\"00@\"/></DialNumberList>"
      "<RuleList><Rule id=\"5\" app=\"a\" remaddr=\"*\"><AccessDesc at=\"NetworkAccess\" "
      "ar=\"Allow\" al=\"Severity1\"/></Rule></RuleList>"));
  EXPECT_EQ(parser->rules()->count(), 1);
  EXPECT_EQ(parser->zone_rules()->count(), 1);
  EXPECT_EQ(parser->dial_numbers()->count(), 1);
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  std::vector<std::size_t> at;
  for (const char* element : {"<Definitions", "<BindSocketNotificationList", "<RuleList>",
                              "<RoutedRuleList", "<DialNumberList>", "<ZoneRuleList>",
                              "<RuleSetList>", "<Custom"}) {
    at.push_back(xml.find(element));
    EXPECT_NE(at.back(), std::string::npos) << element << "\n" << xml;
  }
  EXPECT_TRUE(std::is_sorted(at.begin(), at.end())) << xml;

  ComPtr<CFWParser> again = MakeFWParser();
  ASSERT_OK(again->LoadImage(xml, "again.xml", 0));
  std::string second;
  ASSERT_OK(again->get_Xml(&second));
  EXPECT_EQ(second, xml);
  ASSERT_OK(again->New());
  EXPECT_EQ(again->rules()->count(), 0);
}

// What a console does: definitions of each type built through the object
// model, saved, and loaded back the same.
TEST(FWParserTest, DefinitionsBuiltThroughTheObjectModelSaveAndLoadBack) {
  ComPtr<CFWParser> parser = MakeFWParser();
  ComPtr<IDefinitionList> definitions;
  ASSERT_OK(parser->get_DefinitionList(definitions.Put()));
  struct Spec {
    const char* id;
    std::int32_t type;
    const char* content;
  };
  for (const Spec& spec :
       {Spec{"Mail", OT_FW_TRANS, "SMTP"}, Spec{"Hosts", OT_FW_IPADDR, "10.0.0.0/8"},
        Spec{"Night", OT_TIME, "22:00-06:00"},
        Spec{"LAN", OT_FW_IPADDR_LAN, "192.168.1.1-192.168.1.99"},
        Spec{"Filter", OT_FW_EXPRESSION, "*.example"}}) {
    ComPtr<IDefinition> definition;
    ASSERT_OK(definitions->CreateDefinition(definition.Put()));
    ASSERT_OK(definition->put_DefinitionID(spec.id));
    ASSERT_OK(definition->put_ObjectType(spec.type));
    ASSERT_OK(definition->put_Description(std::string(spec.id) + " set"));
    ComPtr<IDispatch> list;
    ASSERT_OK(definition->get_ItemList(list.Put()));
    ComPtr<IFWItemList> items;
    ASSERT_OK(list->QueryInterface(items.Put()));
    ComPtr<IFWItem> item;
    ASSERT_OK(items->CreateItem(item.Put()));
    ASSERT_OK(item->put_Content(spec.content));
    if (spec.type == OT_FW_TRANS) {
      ASSERT_OK(item->put_Direction(DIR_OUT));
      ASSERT_OK(item->put_RemotePortFrom(25));
      ASSERT_OK(item->put_RemotePortTo(25));
    }
    ASSERT_OK(items->Insert(item.get()));
    ASSERT_OK(definitions->Insert(definition.get()));
  }
  testing::TempDir dir;
  ASSERT_OK(parser->Save(dir.File("first.xml")));
  ComPtr<CFWParser> again = MakeFWParser();
  ASSERT_OK(again->Load(dir.File("first.xml"), 0));
  ASSERT_OK(again->Save(dir.File("second.xml")));
  EXPECT_EQ(testing::ReadFileBytes(dir.File("second.xml")),
            testing::ReadFileBytes(dir.File("first.xml")));
  EXPECT_EQ(FWSectionText(again.get(), "Definitions"),
            "\t<Definitions>\n"
            "\t\t<Object ot=\"iptransport\" id=\"Mail\" desc=\"Mail set\">\n"
            "\t\t\t<Item dir=\"out\" prot=\"tcp\" locport=\"*\" remport=\"25\">SMTP</Item>\n"
            "\t\t</Object>\n"
            "\t\t<Object ot=\"ipaddress\" id=\"Hosts\" desc=\"Hosts set\">\n"
            "\t\t\t<Item>10.0.0.0/8</Item>\n"
            "\t\t</Object>\n"
            "\t\t<Object ot=\"time\" id=\"Night\" desc=\"Night set\">\n"
            "\t\t\t<Item>22:00-06:00</Item>\n"
            "\t\t</Object>\n"
            "\t\t<Object ot=\"ipaddress_lan\" id=\"LAN\" desc=\"LAN set\">\n"
            "\t\t\t<Item>192.168.1.1-192.168.1.99</Item>\n"
            "\t\t</Object>\n"
            "\t\t<Object ot=\"content_filter\" id=\"Filter\" desc=\"Filter set\">\n"
            "\t\t\t<Item>*.example</Item>\n"
            "\t\t</Object>\n"
            "\t</Definitions>\n");
}

}  // namespace
}  // namespace xmlsecdb
