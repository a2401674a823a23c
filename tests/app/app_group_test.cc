// Application groups and DLL groups: references, nesting and its cycle
// test, the look-ups across groups, and the DLL family's differences.
#include "app/app_group.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

using testing::AddGroup;
using testing::AddLabel;
using testing::LabelsOf;
using testing::MakeAppParser;

std::vector<std::string> Strings(const Variant& v) {
  return v.as_string_array() ? *v.as_string_array() : std::vector<std::string>{};
}

class AppGroupTest : public ::testing::Test {
 protected:
  AppGroupTest()
      : parser_(MakeAppParser()),
        labels_(LabelsOf<ILabelList>(parser_.get())),
        groups_(LabelsOf<IAppGroupList>(parser_.get())) {
    AddLabel(labels_.get(), "edit");
    AddLabel(labels_.get(), "view");
  }

  testing::ScopedDebugLogCapture log_;
  ComPtr<CAPPParser> parser_;
  ComPtr<ILabelList> labels_;
  ComPtr<IAppGroupList> groups_;
};

TEST_F(AppGroupTest, ReferencesShareOneKeySpaceAndLabelsMustExist) {
  ComPtr<IAppGroup> group = AddGroup(groups_.get(), "g");
  EXPECT_HR(group->AddLabelToGroup("missing"), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log_, "CRefLabel::put_Content()", "Item not found."));
  ASSERT_OK(group->AddLabelToGroup("edit"));
  ASSERT_OK(group->AddGroupToGroup("other"));  // groups are not looked up
  EXPECT_HR(group->AddGroupToGroup("other"), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(testing::Reported(log_, "CSimpleItemMap::Insert()", "Invalid value."));
  EXPECT_HR(group->AddGroupToGroup("edit"), SECDB_E_DUPLICATEID);  // taken by a label
  EXPECT_TRUE(testing::Reported(log_, "CSimpleItemMap::Insert()", "Invalid value."));

  Variant ids;
  ASSERT_OK(group->GetAllLabelIDs(&ids));
  EXPECT_EQ(Strings(ids), (std::vector<std::string>{"edit"}));
  ASSERT_OK(group->GetAllGroupIDs(&ids));
  EXPECT_EQ(Strings(ids), (std::vector<std::string>{"other"}));
  std::int16_t found = -1;
  EXPECT_HR(group->Contain("other", &found), S_OK);  // a group reference counts
  EXPECT_EQ(found, 1);
  EXPECT_HR(group->ContainGroup("EDIT", &found), S_FALSE);
  EXPECT_EQ(found, 0);
  EXPECT_HR(group->Contain("", &found), E_POINTER);
  EXPECT_HR(group->RemoveGroupFromGroup("edit"), S_FALSE);  // a label, not a group
  EXPECT_OK(group->RemoveLabelFromGroup("edit"));
}

TEST_F(AppGroupTest, CanInsertGroupRefusesSelfUnknownAndCycles) {
  ComPtr<IAppGroup> a = AddGroup(groups_.get(), "a");
  ComPtr<IAppGroup> b = AddGroup(groups_.get(), "b");
  ComPtr<IAppGroup> c = AddGroup(groups_.get(), "c");
  ComPtr<IAppGroup> d = AddGroup(groups_.get(), "d");
  ASSERT_OK(b->AddGroupToGroup("c"));
  ASSERT_OK(c->AddGroupToGroup("a"));
  ASSERT_OK(a->AddGroupToGroup("d"));
  ASSERT_OK(b->AddGroupToGroup("d"));  // b and a both hold d
  const struct {
    IAppGroup* group;
    std::string id;
    std::int16_t can;
  } cases[] = {
      {a.get(), "A", 0},        // itself, any case
      {a.get(), "nothing", 0},  // not in the list
      {a.get(), "b", 0},        // b holds c, c holds a
      {a.get(), "c", 0},
      {d.get(), "b", 0},        // b reaches d
      {c.get(), "d", 1},
      {b.get(), "a", 1},        // reaching d twice is no cycle
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.id);
    std::int16_t can = -1;
    EXPECT_HR(t.group->CanInsertGroup(t.id, &can), t.can ? S_OK : S_FALSE);
    EXPECT_EQ(can, t.can);
  }
}

TEST_F(AppGroupTest, GroupIDsAndListOperations) {
  ComPtr<IAppGroup> group = AddGroup(groups_.get(), "Tools");
  EXPECT_HR(group->put_AppGroupID("tools"), SECDB_E_DUPLICATEID);
  EXPECT_TRUE(testing::Reported(log_, "CAppGroup::put_AppGroupID()",
                                "Object with gived ID already exists."));
  EXPECT_HR(group->put_AppGroupID(""), E_POINTER);
  ComPtr<IAppGroup> twin = AddGroup(groups_.get(), "TOOLS");  // another case inserts
  ASSERT_TRUE(twin);
  ComPtr<IAppGroup> found;
  ASSERT_OK(groups_->Get("tools", found.Put()));
  EXPECT_EQ(found.get(), group.get());
  EXPECT_HR(groups_->Get("none", found.Put()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log_, "CAppGroupList::Get(none) Master", "Item not found."));

  ASSERT_OK(twin->AddLabelToGroup("view"));
  ASSERT_OK(group->AddLabelToGroup("edit"));
  ASSERT_OK(group->AddLabelToGroup("view"));
  Variant ids;
  ASSERT_OK(groups_->FindLabelGroups("VIEW", &ids));
  EXPECT_EQ(Strings(ids), (std::vector<std::string>{"Tools", "TOOLS"}));
  EXPECT_HR(groups_->RemoveLabelFromAllGroups("nothing"), S_OK);
  ASSERT_OK(groups_->RemoveLabelFromAllGroups("view"));
  ASSERT_OK(groups_->FindLabelGroups("view", &ids));
  EXPECT_TRUE(Strings(ids).empty());
  ASSERT_OK(groups_->Clear());
  EXPECT_HR(groups_->RemoveLabelFromAllGroups("edit"), S_FALSE);
}

TEST_F(AppGroupTest, ChangesOfMembersRaiseGroupEvents) {
  ComPtr<testing::EventLog> sink = MakeObject<testing::EventLog>();
  ComPtr<IConnectionPoint> point;
  ASSERT_OK(parser_->FindConnectionPoint(DIID__ISDParserAPPEvents, point.Put()));
  std::uint32_t cookie = 0;
  ASSERT_OK(point->Advise(sink.get(), &cookie));
  ComPtr<IAppGroup> loose;
  ASSERT_OK(groups_->CreateGroup(loose.Put()));
  ASSERT_OK(loose->AddLabelToGroup("edit"));
  ASSERT_OK(loose->put_ObjectType(4));
  EXPECT_TRUE(sink->lines.empty());
  ComPtr<IAppGroup> group = AddGroup(groups_.get(), "g");
  ASSERT_OK(group->put_Description(""));  // an empty text always counts
  ASSERT_OK(group->put_ObjectType(0));     // unchanged
  ASSERT_OK(group->AddLabelToGroup("edit"));
  const std::vector<std::string> expected = {"17", "18", "21:3", "22:3", "21:2", "22:2"};
  EXPECT_EQ(sink->lines, expected);
}

TEST(DllGroupTest, ReferencesAreAVectorOfExistingDllLabels) {
  testing::ScopedDebugLogCapture log;
  ComPtr<CAPPParser> parser = MakeAppParser();
  ComPtr<IDllLabelList> dll_labels = LabelsOf<IDllLabelList>(parser.get());
  ComPtr<IDllLabel> libc;
  ASSERT_OK(dll_labels->CreateDllLabel(libc.Put()));
  ASSERT_OK(libc->put_LabelID("libc"));
  ASSERT_OK(dll_labels->Insert(libc.get()));
  ComPtr<IDllLabel> twin;
  ASSERT_OK(dll_labels->CreateDllLabel(twin.Put()));
  ASSERT_OK(twin->put_LabelID("LIBC"));
  ASSERT_OK(dll_labels->Insert(twin.get()));  // differs in case: inserted
  EXPECT_HR(libc->put_LabelID("libc"), SECDB_E_DUPLICATEID);  // its own ID too
  EXPECT_TRUE(testing::Reported(log, "CDllLabel::put_LabelID()",
                                "Object with gived ID already exists."));

  ComPtr<IDllGroupList> groups = LabelsOf<IDllGroupList>(parser.get());
  ComPtr<IDllGroup> group;
  ASSERT_OK(groups->CreateGroup(group.Put()));
  ASSERT_OK(group->put_DllGroupID("rt"));
  ASSERT_OK(groups->Insert(group.get()));
  EXPECT_HR(group->AddLabelToGroup("libm"), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log, "CRefDllLabel::put_Content()", "Item not found."));
  ASSERT_OK(group->AddLabelToGroup("libc"));
  ASSERT_OK(group->AddLabelToGroup("libc"));
  std::int16_t found = -1;
  ASSERT_OK(group->RemoveLabelFromGroup("libc"));
  EXPECT_HR(group->Contain("LIBC", &found), S_OK);
  EXPECT_EQ(found, 1);
  ASSERT_OK(group->RemoveLabelFromGroup("libc"));
  found = -1;
  EXPECT_HR(group->Contain("libc", &found), S_FALSE);
  EXPECT_EQ(found, -1);  // not written
  ComPtr<ISimpleItemList> references;
  ASSERT_OK(group->get_DllLabelList(references.Put()));
  ComPtr<ISimpleItem> empty;
  ASSERT_OK(references->CreateItem(empty.Put()));
  EXPECT_HR(references->Insert(empty.get()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log, "CRefDllLabelList::Insert()", "Item not found."));
  EXPECT_HR(groups->Get("none", group.Put()), SECDB_E_NOTFOUND);
  EXPECT_TRUE(testing::Reported(log, "CDllGroupList::Get()", "Item not found."));
  ComPtr<IDispatch> integrity;
  EXPECT_HR(parser->get_DllIntegrityList(integrity.Put()), E_NOTIMPL);
}

}  // namespace
}  // namespace xmlsecdb
