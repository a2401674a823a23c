// Labels and DLL labels: the key order, insertion and look-up, renaming,
// the type restriction, events, path expansion with its fall-back, and the
// DLL family's differences.
#include "app/app_label.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "app/app_group.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::AddGroup;
using testing::AddLabel;
using testing::AppEnv;
using testing::LabelsOf;
using testing::MakeAppParser;

constexpr std::string_view kDuplicate = "Object with gived ID already exists.";
constexpr std::string_view kInUse =
    "ID of the object is used as reference somewhere and cannot be deleted or changed.";

TEST(NoCaseLessTest, FoldsOnlyAsciiLettersAndComparesOtherUnitsWhole) {
  const struct {
    std::string a, b;
    bool less, greater;  // a < b, b < a
  } cases[] = {
      {"notepad", "NOTEPAD", false, false},
      {"abc", "abd", true, false},
      {"ab", "abc", true, false},             // a proper prefix first
      {"_", "b", false, true},                // '_' (0x5F) after "B" (0x42): letters fold up
      {"\xC5\xA9", "i", false, true},         // U+0169 is not "i" (its low byte)
      {"\xC5\xA9", "I", false, true},
      {"\xC3\xA9", "\xC3\x89", false, true},  // é and É stay distinct
      {"\xEF\xBD\x81", "\xF0\x9F\x98\x80", false, true},  // U+FF41 after a surrogate pair
      {"ab\xC5\xA9", "ABz", false, true},   // past an ASCII prefix: U+0169 after "Z"
      {"ab", "AB\xC3\xA9", true, false},
      {"aB\xC3\xA9x", "Ab\xC3\xA9Y", true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a + " / " + c.b);
    EXPECT_EQ(NoCaseLess(c.a, c.b), c.less);
    EXPECT_EQ(NoCaseLess(c.b, c.a), c.greater);
  }
}

class LabelListTest : public ::testing::Test {
 protected:
  LabelListTest() : parser_(MakeAppParser()), labels_(LabelsOf<ILabelList>(parser_.get())) {}

  std::vector<std::string> IDs() {
    Variant ids;
    EXPECT_OK(labels_->GetAllLabelIDs(&ids));
    return ids.as_string_array() ? *ids.as_string_array() : std::vector<std::string>{};
  }

  testing::ScopedDebugLogCapture log_;
  ComPtr<CAPPParser> parser_;
  ComPtr<ILabelList> labels_;
};

TEST_F(LabelListTest, KeysIgnoreAsciiCaseOnlyAndKeepKeyOrder) {
  ASSERT_TRUE(AddLabel(labels_.get(), "NOTEPAD"));
  ASSERT_TRUE(AddLabel(labels_.get(), "\xC5\xA9tool"));  // "ũtool"
  ASSERT_TRUE(AddLabel(labels_.get(), "itool"));         // distinct, not a duplicate
  ASSERT_TRUE(AddLabel(labels_.get(), "b"));
  ComPtr<ILabel> twin;
  ASSERT_OK(labels_->CreateLabel(twin.Put()));
  ASSERT_OK(twin->put_LabelID("Notepad"));
  EXPECT_HR(labels_->Insert(twin.get()), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(testing::Reported(log_, "CLabelList::Insert()", kDuplicate));
  EXPECT_EQ(IDs(), (std::vector<std::string>{"b", "itool", "NOTEPAD", "\xC5\xA9tool"}));

  ComPtr<ILabel> found;
  ASSERT_OK(labels_->Get("notepad", found.Put()));
  std::string id;
  ASSERT_OK(found->get_LabelID(&id));
  EXPECT_EQ(id, "NOTEPAD");
  ASSERT_OK(labels_->Get("ITOOL", found.Put()));
  ASSERT_OK(found->get_LabelID(&id));
  EXPECT_EQ(id, "itool");
  EXPECT_HR(labels_->Get("\xC5\xA8TOOL", found.Put()), SECDB_E_NOTFOUND);  // Ũ is not ũ
  EXPECT_TRUE(testing::Reported(log_, "CLabelList::Get(\xC5\xA8TOOL) Count=4 Master",
                                "Item not found."));

  Variant item;
  EXPECT_HR(labels_->get_Item(0, &item), E_POINTER);
  EXPECT_HR(labels_->get_Item(5, &item), E_POINTER);
  ASSERT_OK(labels_->get_Item(3, &item));
  EXPECT_EQ(static_cast<CLabel*>(AsListItem(item.as_object()->get()))->id(), "NOTEPAD");
}

TEST_F(LabelListTest, RenameAndRemoveFollowTheirSteps) {
  ComPtr<ILabel> a = AddLabel(labels_.get(), "a");
  ComPtr<ILabel> b = AddLabel(labels_.get(), "b");
  ComPtr<IAppGroup> group = AddGroup(LabelsOf<IAppGroupList>(parser_.get()).get(), "g");
  ASSERT_OK(group->AddLabelToGroup("b"));

  const struct {
    ILabel* label;
    std::string id;
    HRESULT result;
    std::string_view message;
  } cases[] = {
      {a.get(), "", SECDB_E_INVALIDVALUE, "Invalid value."},
      {a.get(), "B", SECDB_E_DUPLICATEID, kDuplicate},
      {a.get(), "A", SECDB_E_DUPLICATEID, kDuplicate},  // its own ID in another case
      {b.get(), "c", SECDB_E_INUSE, kInUse},
      {a.get(), "z", S_OK, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_HR(c.label->put_LabelID(c.id), c.result);
    if (Failed(c.result)) {
      EXPECT_TRUE(testing::Reported(log_, "CLabel::put_LabelID()", c.message));
    }
  }
  EXPECT_EQ(IDs(), (std::vector<std::string>{"b", "z"}));
  ComPtr<ILabel> found;
  EXPECT_OK(labels_->Get("Z", found.Put()));

  EXPECT_HR(labels_->Remove(b.get()), SECDB_E_INUSE);
  EXPECT_TRUE(testing::Reported(log_, "CLabelList::Remove()", kInUse));
  ASSERT_OK(labels_->Clear());
  EXPECT_TRUE(IDs().empty());
  EXPECT_HR(labels_->Remove(a.get()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log_, "CLabelList::Remove()", "Item not found."));

  // A label that is not a member takes any ID.
  ComPtr<ILabel> loose;
  ASSERT_OK(labels_->CreateLabel(loose.Put()));
  ASSERT_OK(loose->put_LabelID("b"));
  ASSERT_OK(loose->put_LabelID(""));
}

TEST_F(LabelListTest, AccessResultAndAuditLevelOnlyForChecksumAndPathOrName) {
  for (std::int32_t type = 0; type <= 6; ++type) {
    SCOPED_TRACE(type);
    ComPtr<ILabel> label;
    ASSERT_OK(labels_->CreateLabel(label.Put()));
    ASSERT_OK(label->put_Type(static_cast<ELabelType>(type)));
    const bool allowed = type == LT_CHECKSUM_AND_PATH || type == LT_CHECKSUM_AND_NAME;
    if (allowed) {
      EXPECT_OK(label->put_BGAccessResult(AR_ASKUSER));
      EXPECT_OK(label->put_BGAuditLevel(AL_SEVERITY_5));
    } else {
      EXPECT_HR(label->put_BGAccessResult(AR_ASKUSER), E_INVALIDARG);
      EXPECT_TRUE(testing::Reported(log_, "CLabel::put_BGAccessResult()",
                                    "Cannot set this property for current label type."));
      EXPECT_HR(label->put_BGAuditLevel(AL_SEVERITY_5), E_INVALIDARG);
      EXPECT_TRUE(testing::Reported(log_, "CLabel::put_BGAuditLevel()",
                                    "Cannot set this property for current label type."));
    }
  }
  // DLL labels have no restriction.
  ComPtr<IDllLabel> dll;
  ASSERT_OK(LabelsOf<IDllLabelList>(parser_.get())->CreateDllLabel(dll.Put()));
  ASSERT_OK(dll->put_Type(LT_PATH));
  EXPECT_OK(dll->put_BGAccessResult(AR_PREVENT));
}

TEST_F(LabelListTest, EventsOnlyForMembersAndRealChanges) {
  ComPtr<testing::EventLog> sink = MakeObject<testing::EventLog>();
  ComPtr<IConnectionPoint> point;
  ASSERT_OK(parser_->FindConnectionPoint(DIID__ISDParserAPPEvents, point.Put()));
  std::uint32_t cookie = 0;
  ASSERT_OK(point->Advise(sink.get(), &cookie));

  ComPtr<ILabel> label;
  ASSERT_OK(labels_->CreateLabel(label.Put()));
  ASSERT_OK(label->put_LabelID("x"));
  ASSERT_OK(label->put_Path("/a"));
  EXPECT_TRUE(sink->lines.empty());
  ASSERT_OK(labels_->Insert(label.get()));
  ASSERT_OK(label->put_Path("/a"));        // unchanged
  ASSERT_OK(label->put_Path("/b"));        // LP_PATH
  ASSERT_OK(label->put_AssGroup("g"));     // LP_PATH too
  ASSERT_OK(label->put_UIFlags("u"));      // no event
  ASSERT_OK(label->put_KnownApp(1));       // no event
  ASSERT_OK(label->put_ProcessID(7));      // LP_PROCESS_ID
  ASSERT_OK(label->put_LabelID("y"));      // LP_ID
  ASSERT_OK(labels_->Remove(label.get()));
  const std::vector<std::string> expected = {"11", "12",  "15:2", "16:2", "15:2", "16:2",
                                             "15:8", "16:8", "15:0", "16:0", "13", "14"};
  EXPECT_EQ(sink->lines, expected);
}

TEST_F(LabelListTest, ReadOnlyParserRefusesEveryChange) {
  ComPtr<ILabel> label = AddLabel(labels_.get(), "l", LT_CHECKSUM);
  ComPtr<IChecksumList> sums;
  ASSERT_OK(label->get_ChecksumList(sums.Put()));
  ComPtr<IChecksum> sum;
  ASSERT_OK(sums->CreateChecksum(sum.Put()));
  ComPtr<IAppGroup> group = AddGroup(LabelsOf<IAppGroupList>(parser_.get()).get(), "g");
  ComPtr<ISimpleItemList> references;
  ASSERT_OK(group->get_LabelList(references.Put()));
  ComPtr<IDllLabelList> dll_labels = LabelsOf<IDllLabelList>(parser_.get());
  ComPtr<IDllLabel> dll;
  ASSERT_OK(dll_labels->CreateDllLabel(dll.Put()));
  ComPtr<IDllGroupList> dll_groups = LabelsOf<IDllGroupList>(parser_.get());
  ASSERT_OK(parser_->put_ReadOnly(1));

  ComPtr<ILabel> made;
  ComPtr<ISimpleItem> item;
  const struct {
    std::string_view source;
    std::function<HRESULT()> call;
  } cases[] = {
      {"CLabel::put_Path()", [&] { return label->put_Path("p"); }},
      {"CLabel::put_Group()", [&] { return label->put_AssGroup("g"); }},
      {"CLabel::put_KnownApp()", [&] { return label->put_KnownApp(1); }},
      {"CLabelList::CreateLabel()", [&] { return labels_->CreateLabel(made.Put()); }},
      {"CLabelList::Clear()", [&] { return labels_->Clear(); }},
      {"CChecksum::put_Checksum()", [&] { return sum->put_Checksum("x"); }},
      {"CChecksumList::Insert()", [&] { return sums->Insert(sum.get()); }},
      {"CAppGroup::put_Description()", [&] { return group->put_Description("d"); }},
      {"CRefLabelList::CreateItem()", [&] { return references->CreateItem(item.Put()); }},
      {"CDllLabel::put_LabelID()", [&] { return dll->put_LabelID("d"); }},
      {"CDllLabelList::Insert()", [&] { return dll_labels->Insert(dll.get()); }},
      {"CDllGroupList::Clear()", [&] { return dll_groups->Clear(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    EXPECT_HR(c.call(), SECDB_E_READONLY);
    EXPECT_TRUE(testing::Reported(log_, c.source, testing::kReadOnlyText));
  }
}

}  // namespace
}  // namespace xmlsecdb
