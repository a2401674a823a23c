// The definition list, definitions and their items through their
// interfaces: ID rules, look-up, events, modified flags, read-only.
#include "model/definition.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/messages.h"
#include "ids/ids_words.h"
#include "model/definitions_fixture.h"
#include "model/simple_definition.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using testing::DefinitionEventLog;
using testing::DefinitionsOf;
using testing::MakeDefinitionsParser;
using testing::TakeErrorDescription;
using testing::TestParser;

// A definition kind that, like the firewall's, restricts its object types
// and lives in its own list.
inline constexpr CLSID kTimeDefinitionClass = MakeGuid("{5EC0DB00-04F0-4000-8000-5EC0DB0004F0}");

class TimeDefinition final : public CDefinition {
 public:
  HRESULT get_ItemList(IDispatch** items) override {
    if (!items) return E_POINTER;
    *items = nullptr;
    return E_NOTIMPL;
  }
  const CLSID& clsid() const override { return kTimeDefinitionClass; }

 protected:
  bool AcceptsObjectType(std::int32_t type) const override { return type == OT_TIME; }
};

inline constexpr ListTraits kTimeDefinitionListTraits = {
    "CTimeDefinitionList",  "CreateDefinition", &kTimeDefinitionClass,
    &IDefinitionList::kIID, &kItemNotices,      false};

class TimeDefinitionList final : public DefinitionListBase {
 public:
  explicit TimeDefinitionList(IListOwner* site)
      : DefinitionListBase(site, kTimeDefinitionListTraits, kSimpleItemEvents) {}

 protected:
  ComPtr<CDefinition> MakeDefinition() override {
    return ComPtr<CDefinition>(MakeObject<TimeDefinition>());
  }
  bool Accepts(const CDefinition& definition) const override {
    return definition.clsid() == kTimeDefinitionClass;
  }
};

class DefinitionTest : public ::testing::Test {
 protected:
  ComPtr<IDefinition> Make(std::int32_t type, std::string_view id) {
    ComPtr<IDefinition> definition;
    EXPECT_OK(list().CreateDefinition(definition.Put()));
    EXPECT_OK(definition->put_ObjectType(type));
    EXPECT_OK(definition->put_DefinitionID(id));
    return definition;
  }
  ComPtr<IDefinition> Add(std::int32_t type, std::string_view id) {
    ComPtr<IDefinition> definition = Make(type, id);
    EXPECT_OK(list().Insert(definition.get()));
    return definition;
  }
  ComPtr<ISimpleItem> AddItem(IDefinition* definition, std::string_view content) {
    ComPtr<ISimpleItemList> items = Items(definition);
    ComPtr<ISimpleItem> item;
    EXPECT_OK(items->CreateItem(item.Put()));
    EXPECT_OK(item->put_Content(content));
    EXPECT_OK(items->Insert(item.get()));
    return item;
  }
  static ComPtr<ISimpleItemList> Items(IDefinition* definition) {
    ComPtr<IDispatch> dispatch;
    EXPECT_OK(definition->get_ItemList(dispatch.Put()));
    ComPtr<ISimpleItemList> items;
    EXPECT_OK(dispatch.As(&items));
    return items;
  }
  // The ID and list position (1-based) of what Get(id) finds, or 0.
  int PositionOf(std::string_view id) {
    ComPtr<IDefinition> found;
    if (Failed(list().Get(id, found.Put()))) return 0;
    for (std::int32_t i = 0; i < list().count(); ++i) {
      if (list().definition_at(i) == found.get()) return i + 1;
    }
    return -1;
  }
  CDefinitionList& list() { return *DefinitionsOf(*parser_); }

  ComPtr<TestParser> parser_ = MakeDefinitionsParser();
};

TEST_F(DefinitionTest, InsertRefusesDuplicateIdsExceptForTheIdsTypes) {
  struct Case {
    std::int32_t first_type;
    const char* first_id;
    std::int32_t second_type;
    const char* second_id;
    HRESULT expected;
  };
  const Case cases[] = {
      {OT_FILE, "Web", OT_FILE, "web", S_OK},  // case-sensitive
      {OT_FILE, "Web", OT_TIME, "Web", SECDB_E_DUPLICATEID},
      {OT_FILE, "Web", OT_FILE, "Web ", S_OK},  // same prefix, other length
      {OT_FILE, "", OT_FILE, "", SECDB_E_DUPLICATEID},
      {OT_IDS_RULE_INFO, "R", OT_IDS_RULE_INFO, "R", S_OK},
      {OT_IDS_NODE_INFO, "N", OT_IDS_NODE_INFO, "N", S_OK},
      {OT_FILE, "X", OT_IDS_RULE_INFO, "X", S_OK},
      {OT_IDS_RULE_INFO, "X", OT_FILE, "X", SECDB_E_DUPLICATEID},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.first_id) + " then " + c.second_id);
    ASSERT_OK(list().Clear());
    Add(c.first_type, c.first_id);
    ComPtr<IDefinition> second = Make(c.second_type, c.second_id);
    EXPECT_HR(list().Insert(second.get()), c.expected);
    EXPECT_EQ(list().count(), c.expected == S_OK ? 2 : 1);
    if (Failed(c.expected)) {
      EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgDuplicateId));
    }
    EXPECT_EQ(PositionOf(c.first_id), 1);
  }
}

TEST_F(DefinitionTest, SettingTheIdOfAMemberChecksTheListAndKeepsGetCurrent) {
  ComPtr<IDefinition> web = Add(OT_FILE, "Web");
  ComPtr<IDefinition> mail = Add(OT_FILE, "Mail");

  EXPECT_HR(mail->put_DefinitionID("Web"), SECDB_E_DUPLICATEID);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgDuplicateId));
  // A member's own ID counts as taken.
  EXPECT_HR(web->put_DefinitionID("Web"), SECDB_E_DUPLICATEID);

  ASSERT_OK(mail->put_DefinitionID("Post"));
  EXPECT_EQ(PositionOf("Post"), 2);
  EXPECT_EQ(PositionOf("Mail"), 0);
  EXPECT_HR(list().Get("Mail", mail.Put()), SECDB_E_NOTFOUND);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgNotFound));

  // A removed definition is free to take any ID and is found no more.
  ASSERT_OK(list().Remove(web.get()));
  EXPECT_EQ(PositionOf("Web"), 0);
  ASSERT_OK(web->put_DefinitionID("Post"));
  EXPECT_EQ(PositionOf("Post"), 1);
  EXPECT_HR(list().Insert(web.get()), SECDB_E_DUPLICATEID);
}

// IDS definitions sharing an ID: Get answers the first in list order, also
// after IDs move between them.
TEST_F(DefinitionTest, SharedIdsAreFoundInListOrder) {
  ComPtr<IDefinition> a = Add(OT_IDS_RULE_INFO, "x");
  ComPtr<IDefinition> b = Add(OT_IDS_RULE_INFO, "y");
  ComPtr<IDefinition> c = Add(OT_IDS_NODE_INFO, "x");
  ASSERT_OK(b->put_DefinitionID("x"));  // no duplicate check for these types
  EXPECT_EQ(PositionOf("x"), 1);
  ASSERT_OK(list().Remove(a.get()));
  EXPECT_EQ(PositionOf("x"), 1);  // b, now first, not c
  ComPtr<IDefinition> found;
  ASSERT_OK(list().Get("x", found.Put()));
  EXPECT_EQ(found.get(), b.get());
  ASSERT_OK(b->put_DefinitionID("z"));
  ASSERT_OK(list().Get("x", found.Put()));
  EXPECT_EQ(found.get(), c.get());
  ASSERT_OK(list().Clear());
  EXPECT_EQ(PositionOf("z"), 0);
  ASSERT_OK(list().Insert(c.get()));
  EXPECT_EQ(PositionOf("x"), 1);
}

TEST_F(DefinitionTest, ChangesRaiseEventsAndMarkDefinitionsModified) {
  ComPtr<DefinitionEventLog> log = testing::ListenTo(*parser_);
  ComPtr<IDefinition> loose = Make(OT_FILE, "Loose");
  AddItem(loose.get(), "quiet");
  ASSERT_OK(loose->put_DefinitionID("Still loose"));
  EXPECT_TRUE(log->lines.empty());
  EXPECT_EQ(parser_->modified_flags(), 0u);

  ComPtr<IDefinition> web = Add(OT_FILE, "Web");
  ASSERT_OK(web->put_DefinitionID("Web2"));
  ASSERT_OK(web->put_ObjectType(OT_FILE));  // unchanged: nothing
  ASSERT_OK(web->put_ObjectType(0x12345));  // simple definitions take any type
  ASSERT_OK(web->put_UIFlags("u"));
  ASSERT_OK(web->put_Description("d"));
  EXPECT_EQ(parser_->modified_flags(), ParserCore::kModifiedDefinitions);
  ComPtr<ISimpleItem> item = AddItem(web.get(), "a");
  ASSERT_OK(item->put_Content("b"));
  ASSERT_OK(item->put_Content("b"));
  ASSERT_OK(Items(web.get())->Remove(item.get()));
  AddItem(web.get(), "c");
  ASSERT_OK(Items(web.get())->Clear());
  ASSERT_OK(list().Remove(web.get()));
  ASSERT_OK(list().Insert(web.get()));
  ASSERT_OK(list().Clear());
  EXPECT_EQ(log->lines, (std::vector<std::string>{
                            "11 d",   "12 d",    // inserted
                            "15 d 0", "16 d 0",  // DP_ID
                            "15 d 1", "16 d 1",  // DP_TYPE
                            "17 d i", "18 d i",  // item inserted
                            "21 d i", "22 d i",  // item changed, no property
                            "19 d i", "20 d i",  // item removed
                            "17 d i", "18 d i",  //
                            "19 d 0", "20 d 0",  // item list cleared
                            "13 d",   "14 d",   "11 d", "12 d", "13 0", "14 0",  // list cleared
                        }));
  std::string text;
  ASSERT_OK(web->get_UIFlags(&text));
  EXPECT_EQ(text, "u");
}

TEST_F(DefinitionTest, IdsDefinitionsRaiseNoEventsButStillMarkModified) {
  ComPtr<TestParser> ids = MakeDefinitionsParser(kIDSDefinitions);
  ComPtr<DefinitionEventLog> log = testing::ListenTo(*ids);
  ComPtr<IDefinition> definition;
  ASSERT_OK(DefinitionsOf(*ids)->CreateDefinition(definition.Put()));
  ASSERT_OK(DefinitionsOf(*ids)->Insert(definition.get()));
  ASSERT_OK(definition->put_DefinitionID("n"));
  EXPECT_TRUE(log->lines.empty());
  EXPECT_EQ(ids->modified_flags(), ParserCore::kModifiedDefinitions);
}

TEST_F(DefinitionTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<IDefinition> web = Add(OT_FILE, "Web");
  ComPtr<ISimpleItem> item = AddItem(web.get(), "a");
  ComPtr<ISimpleItemList> items = Items(web.get());
  ComPtr<IDefinition> loose = Make(OT_FILE, "Loose");
  ASSERT_OK(parser_->put_ReadOnly(1));
  IDefinition* made = nullptr;
  ISimpleItem* made_item = nullptr;
  const struct {
    const char* what;
    std::function<HRESULT()> call;
  } cases[] = {
      {"CDefinitionList::CreateDefinition()", [&] { return list().CreateDefinition(&made); }},
      {"CDefinitionList::Insert()", [&] { return list().Insert(loose.get()); }},
      {"CDefinitionList::Remove()", [&] { return list().Remove(web.get()); }},
      {"CDefinitionList::Clear()", [&] { return list().Clear(); }},
      {"CDefinition::put_DefinitionID()", [&] { return web->put_DefinitionID("x"); }},
      {"CDefinition::put_ObjectType()", [&] { return web->put_ObjectType(OT_TIME); }},
      {"CDefinition::put_UIFlags()", [&] { return web->put_UIFlags("x"); }},
      {"CDefinition::put_Description()", [&] { return web->put_Description("x"); }},
      {"CSimpleItemList::CreateItem()", [&] { return items->CreateItem(&made_item); }},
      {"CSimpleItemList::Insert()", [&] { return items->Insert(item.get()); }},
      {"CSimpleItemList::Clear()", [&] { return items->Clear(); }},
      {"CSimpleItem::put_Content()", [&] { return item->put_Content("x"); }},
  };
  testing::ScopedDebugLogCapture log;
  for (const auto& c : cases) {
    EXPECT_HR(c.call(), SECDB_E_READONLY) << c.what;
    EXPECT_TRUE(testing::Reported(log, c.what, testing::kReadOnlyText));
  }
  EXPECT_EQ(made, nullptr);
  EXPECT_EQ(made_item, nullptr);
  EXPECT_EQ(list().count(), 1);
  std::string content;
  ASSERT_OK(item->get_Content(&content));
  EXPECT_EQ(content, "a");
}

TEST_F(DefinitionTest, ConcreteKindsCheckTypesAndKeepTheirOwnLists) {
  ParserListSite site(parser_.get(), kDefinitionEvents);
  OwnedList<TimeDefinitionList> times(MakeObject<TimeDefinitionList>(&site));
  ComPtr<IDefinition> time;
  ASSERT_OK(times->CreateDefinition(time.Put()));
  ASSERT_OK(time->put_ObjectType(OT_TIME));
  EXPECT_HR(time->put_ObjectType(OT_FILE), E_INVALIDARG);
  EXPECT_EQ(TakeErrorDescription(), LoadMessage(kMsgInvalidObjectType));
  std::int32_t type = 0;
  ASSERT_OK(time->get_ObjectType(&type));
  EXPECT_EQ(type, OT_TIME);

  // Each list takes only its own kind of definition.
  ComPtr<IDefinition> simple = Make(OT_TIME, "simple");
  EXPECT_HR(times->Insert(simple.get()), E_INVALIDARG);
  EXPECT_HR(list().Insert(time.get()), E_INVALIDARG);
  ASSERT_OK(times->Insert(time.get()));

  // The read-only test comes before the type test.
  ASSERT_OK(parser_->put_ReadOnly(1));
  EXPECT_HR(time->put_ObjectType(OT_FILE), SECDB_E_READONLY);
}

// Lists, definitions and items a client still holds outlive the parser
// safely: they reach no parser (so no read-only flag and no events), and
// the list keeps its own rules while it lives.
TEST_F(DefinitionTest, ObjectsOutliveTheirParser) {
  ComPtr<IDefinition> web = Add(OT_FILE, "Web");
  ComPtr<ISimpleItem> item = AddItem(web.get(), "a");
  Add(OT_FILE, "Other");
  ComPtr<IDefinitionList> kept(DefinitionsOf(*parser_));
  ASSERT_OK(parser_->put_ReadOnly(1));
  parser_.Reset();
  EXPECT_HR(web->put_DefinitionID("Other"), SECDB_E_DUPLICATEID);
  EXPECT_OK(web->put_DefinitionID("New"));
  EXPECT_OK(item->put_Content("b"));
  ComPtr<IDefinition> found;
  ASSERT_OK(kept->Get("New", found.Put()));
  EXPECT_EQ(found.get(), web.get());
  found.Reset();
  kept.Reset();
  EXPECT_OK(web->put_DefinitionID("Other"));
  EXPECT_OK(item->put_Content("c"));
}

}  // namespace
}  // namespace xmlsecdb
