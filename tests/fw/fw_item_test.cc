// Firewall items, their list and definition, and the transport object a
// rule owns: defaults, the events of item changes with their property
// numbers, the read-only refusals, the object types a definition takes,
// and what a transport object tells its owner.
#include "fw/fw_item.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "fw/fw_definition.h"
#include "fw/fw_fixture.h"
#include "list/owned.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"
#include "xmlsecdb/fw.h"

namespace xmlsecdb {
namespace {

// A rule as a transport object's owner sees it: it reaches the parser and
// marks its rule lists modified.
class TestRuleOwner final : public IListOwner {
 public:
  explicit TestRuleOwner(ParserCore* parser) : parser_(parser) {}
  void MarkModified() override { parser_->MarkModified(ParserCore::kModifiedRules); }
  ParserCore* GetParser() override { return parser_; }

 private:
  ParserCore* parser_;
};

constexpr char kTransportBody[] =
    "<Definitions><Object ot=\"iptransport\" id=\"t\"><Item/></Object></Definitions>";

class FWItemTest : public ::testing::Test {
 protected:
  FWItemTest() : parser_(testing::MakeFWParser()), owner_(parser_.get()) {
    EXPECT_OK(testing::LoadFWBody(parser_.get(), kTransportBody));
    definition_ = testing::FWDefinitionAt(parser_.get(), 0);
    item_ = testing::FWItemAt(parser_.get(), 0, 0);
    transport_ =
        std::make_unique<Owned<CFWTransportObject>>(MakeObject<CFWTransportObject>(&owner_));
    parser_->SortListsIfModified();  // clears the flags
  }
  CFWTransportObject& transport() { return *transport_->get(); }

  ComPtr<CFWParser> parser_;
  TestRuleOwner owner_;
  CFWDefinition* definition_ = nullptr;
  CFWItem* item_ = nullptr;
  std::unique_ptr<Owned<CFWTransportObject>> transport_;  // as the rule holds it
};

TEST_F(FWItemTest, NewItemsHaveTheDefaults) {
  ComPtr<IFWItem> created;
  ASSERT_OK(definition_->items()->CreateItem(created.Put()));
  for (IFWItem* item : {created.get(), static_cast<IFWItem*>(&transport())}) {
    std::string content = "x";
    EDirection direction = DIR_OUT;
    EProtocol protocol = PROT_ALL;
    EICMPType icmp = ICMP_ECHO;
    std::int32_t ports[4] = {-1, -1, -1, -1};
    std::int32_t numbers = -1;
    ASSERT_OK(item->get_Content(&content));
    ASSERT_OK(item->get_Direction(&direction));
    ASSERT_OK(item->get_Protocol(&protocol));
    ASSERT_OK(item->get_ICMPType(&icmp));
    ASSERT_OK(item->get_LocalPortFrom(&ports[0]));
    ASSERT_OK(item->get_LocalPortTo(&ports[1]));
    ASSERT_OK(item->get_RemotePortFrom(&ports[2]));
    ASSERT_OK(item->get_RemotePortTo(&ports[3]));
    ASSERT_OK(item->get_CustomProtocolNumber(&numbers));
    EXPECT_EQ(content, "");
    EXPECT_EQ(direction, DIR_IN);
    EXPECT_EQ(protocol, PROT_TCP);
    EXPECT_EQ(icmp, ICMP_ALL);
    EXPECT_EQ(ports[0], 0);
    EXPECT_EQ(ports[1], 65535);
    EXPECT_EQ(ports[2], 0);
    EXPECT_EQ(ports[3], 65535);
    EXPECT_EQ(numbers, 0);
    EXPECT_HR(item->get_Content(nullptr), E_POINTER);
  }
}

TEST_F(FWItemTest, ChangesRaiseItemEventsWithTheirProperty) {
  ComPtr<testing::EventLog> sink = MakeObject<testing::EventLog>();
  ComPtr<IConnectionPoint> point;
  ASSERT_OK(parser_->FindConnectionPoint(DIID__ISDParserFWEvents, point.Put()));
  std::uint32_t cookie = 0;
  ASSERT_OK(point->Advise(sink.get(), &cookie));
  struct Case {
    const char* what;
    std::function<HRESULT()> set;
    int property;
  };
  CFWItem* i = item_;
  const Case cases[] = {
      {"Content", [i] { return i->put_Content("c"); }, FWI_CONTENT},
      {"Direction", [i] { return i->put_Direction(DIR_OUT); }, FWI_DIRECTION},
      {"Protocol", [i] { return i->put_Protocol(PROT_UDP); }, FWI_PROTOCOL},
      {"ICMPType", [i] { return i->put_ICMPType(ICMP_ECHO); }, FWI_ICMP},
      {"LocalPortFrom", [i] { return i->put_LocalPortFrom(1); }, FWI_LOCALPORTS},
      {"LocalPortTo", [i] { return i->put_LocalPortTo(2); }, FWI_LOCALPORTS},
      {"RemotePortFrom", [i] { return i->put_RemotePortFrom(3); }, FWI_REMOTEPORTS},
      {"RemotePortTo", [i] { return i->put_RemotePortTo(4); }, FWI_REMOTEPORTS},
      {"CustomProtocolNumber", [i] { return i->put_CustomProtocolNumber(5); }, FWI_PROTOCOL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    sink->lines.clear();
    ASSERT_OK(c.set());
    const std::string p = ":" + std::to_string(c.property);
    EXPECT_EQ(sink->lines, (std::vector<std::string>{"21" + p, "22" + p}));
    sink->lines.clear();
    ASSERT_OK(c.set());  // the same value again
    EXPECT_TRUE(sink->lines.empty());
  }
  EXPECT_EQ(parser_->modified_flags(), ParserCore::kModifiedDefinitions);

  // Insert and Clear raise the item events; a definition outside the list
  // raises none.
  sink->lines.clear();
  ComPtr<IFWItem> added;
  ASSERT_OK(definition_->items()->CreateItem(added.Put()));
  ASSERT_OK(definition_->items()->Insert(added.get()));
  ASSERT_OK(definition_->items()->Clear());
  EXPECT_EQ(sink->lines, (std::vector<std::string>{"17", "18", "19", "20"}));
  sink->lines.clear();
  ComPtr<CFWDefinition> kept(definition_);  // the list lets go of it
  ASSERT_OK(parser_->definitions()->Remove(definition_));
  ASSERT_OK(definition_->items()->Insert(added.get()));
  ASSERT_OK(added->put_Content("quiet"));
  EXPECT_EQ(sink->lines, (std::vector<std::string>{"13", "14"}));  // the definition's removal
  ASSERT_OK(point->Unadvise(cookie));
}

TEST_F(FWItemTest, TransportObjectTellsItsOwnerAndRaisesNothing) {
  ASSERT_OK(transport().put_RemotePortFrom(443));
  std::int32_t port = 0;
  ASSERT_OK(transport().get_RemotePortFrom(&port));
  EXPECT_EQ(port, 443);
  EXPECT_EQ(parser_->modified_flags(), ParserCore::kModifiedRules);

  // Without an owner (or once the owner has gone) it is writable and
  // tells nobody.
  ComPtr<IFWItem> held;
  ASSERT_OK(GetOwned(transport_->get(), held.Put()));
  transport_.reset();
  parser_->SortListsIfModified();
  ASSERT_OK(parser_->put_ReadOnly(1));
  ASSERT_OK(held->put_Protocol(PROT_ICMP));
  EXPECT_EQ(parser_->modified_flags(), 0u);
}

TEST_F(FWItemTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<IFWItem> made_item;
  ComPtr<IDefinition> made_definition;
  CFWItemList* items = definition_->items();
  CFWTransportObject* t = &transport();
  CFWItem* i = item_;
  struct Case {
    std::string what;
    std::function<HRESULT()> call;
  };
  std::vector<Case> cases;
  for (IFWItem* item : {static_cast<IFWItem*>(i), static_cast<IFWItem*>(t)}) {
    const std::string c = item == i ? "CFWItem::put_" : "CFWTransportObject::put_";
    cases.push_back({c + "Content()", [item] { return item->put_Content("c"); }});
    cases.push_back({c + "Direction()", [item] { return item->put_Direction(DIR_OUT); }});
    cases.push_back({c + "Protocol()", [item] { return item->put_Protocol(PROT_UDP); }});
    cases.push_back({c + "ICMPType()", [item] { return item->put_ICMPType(ICMP_ECHO); }});
    cases.push_back({c + "LocalPortFrom()", [item] { return item->put_LocalPortFrom(1); }});
    cases.push_back({c + "LocalPortTo()", [item] { return item->put_LocalPortTo(1); }});
    cases.push_back({c + "RemotePortFrom()", [item] { return item->put_RemotePortFrom(1); }});
    cases.push_back({c + "RemotePortTo()", [item] { return item->put_RemotePortTo(1); }});
    cases.push_back(
        {c + "CustomProtocolNumber()", [item] { return item->put_CustomProtocolNumber(1); }});
  }
  cases.push_back(
      {"CFWItemList::CreateItem()", [&] { return items->CreateItem(made_item.Put()); }});
  cases.push_back({"CFWItemList::Insert()", [&] { return items->Insert(i); }});
  cases.push_back({"CFWItemList::Remove()", [&] { return items->Remove(i); }});
  cases.push_back({"CFWItemList::Clear()", [&] { return items->Clear(); }});
  cases.push_back({"CFWDefinitionList::CreateDefinition()", [&] {
                     return parser_->definitions()->CreateDefinition(made_definition.Put());
                   }});
  cases.push_back({"CDefinition::put_ObjectType()",
                   [&] { return definition_->put_ObjectType(12345); }});  // 111 comes first
  const std::string before = testing::FWSectionText(parser_.get(), "Definitions");
  ASSERT_OK(parser_->put_ReadOnly(1));
  testing::ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log, c.what, testing::kReadOnlyText));
  }
  EXPECT_EQ(made_item.get(), nullptr);
  EXPECT_EQ(made_definition.get(), nullptr);
  EXPECT_EQ(parser_->modified_flags(), 0u);
  ASSERT_OK(parser_->put_ReadOnly(0));
  EXPECT_EQ(testing::FWSectionText(parser_.get(), "Definitions"), before);
}

TEST_F(FWItemTest, DefinitionTakesOnlyTheFirewallObjectTypes) {
  for (std::int32_t type :
       {OT_FW_TRANS, OT_FW_IPADDR, OT_TIME, OT_FW_IPADDR_LAN, OT_FW_EXPRESSION}) {
    SCOPED_TRACE(type);
    EXPECT_OK(definition_->put_ObjectType(type));
    std::int32_t stored = 0;
    ASSERT_OK(definition_->get_ObjectType(&stored));
    EXPECT_EQ(stored, type);
  }
  testing::ScopedDebugLogCapture log;
  for (std::int32_t type : {0, +OT_FILE, +OT_IDS_IPADDR, +OT_FW_CTA, +OT_FW_ROUTED_TRANS, -1}) {
    SCOPED_TRACE(type);
    EXPECT_HR(definition_->put_ObjectType(type), E_INVALIDARG);
    EXPECT_TRUE(testing::Reported(log, "CDefinition::put_ObjectType()", "Invalid object type."));
    std::int32_t stored = 0;
    ASSERT_OK(definition_->get_ObjectType(&stored));
    EXPECT_EQ(stored, OT_FW_EXPRESSION);
  }
  // The item list is the firewall's.
  ComPtr<IDispatch> list;
  ASSERT_OK(definition_->get_ItemList(list.Put()));
  ComPtr<IFWItemList> items;
  EXPECT_OK(list->QueryInterface(items.Put()));
}

}  // namespace
}  // namespace xmlsecdb
