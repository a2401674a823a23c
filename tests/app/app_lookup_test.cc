// Path expansion of labels, and the look-ups FindLabel, GetLabel and
// EnrollPath, on test expanders and on real directory trees.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_fixture.h"
#include "app/app_group.h"
#include "app/app_label.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"

namespace xmlsecdb {
namespace {

using testing::AddLabel;
using testing::AppEnv;
using testing::LabelsOf;
using testing::MakeAppParser;
using testing::TempDir;
using testing::WriteFileBytes;

std::vector<std::string> Strings(const Variant& v) {
  return v.as_string_array() ? *v.as_string_array() : std::vector<std::string>{};
}

std::string IdOf(ILabel* label) {
  std::string id;
  if (label) (void)label->get_LabelID(&id);
  return id;
}

TEST(PathExpandedTest, CachesExpansionsAndFallsBackToThePath) {
  AppEnv env;
  env.expander().table["/opt/%X%/bin"] = {"/opt/a/bin", "/opt/b/bin"};
  env.expander().table["/empty/*"] = {};
  ComPtr<CAPPParser> parser = MakeAppParser();
  ComPtr<ILabelList> labels = LabelsOf<ILabelList>(parser.get());
  ComPtr<ILabel> label = AddLabel(labels.get(), "l", LT_PATH, "/opt/%X%/bin");
  Variant paths;
  ASSERT_OK(label->get_PathExpanded(&paths));
  EXPECT_EQ(Strings(paths), (std::vector<std::string>{"/opt/a/bin", "/opt/b/bin"}));
  ASSERT_OK(label->get_PathExpanded(&paths));
  EXPECT_EQ(env.expander().calls, 1);  // cached

  ASSERT_OK(label->put_Path("/empty/*"));
  env.log().Clear();
  ASSERT_OK(label->get_PathExpanded(&paths));
  EXPECT_TRUE(Strings(paths).empty());
  EXPECT_EQ(env.log().lines(), (std::vector<std::string>{
                                   "ZelXmlSd: CLabel::get_PathExpanded Expanded path is empty "
                                   "[/empty/*]\n"}));

  env.expander().failure = E_ACCESSDENIED;
  ASSERT_OK(label->put_Path("/x|/y"));
  env.log().Clear();
  ASSERT_OK(label->get_PathExpanded(&paths));
  EXPECT_EQ(Strings(paths), (std::vector<std::string>{"/x|/y"}));
  EXPECT_EQ(env.log().lines(),
            (std::vector<std::string>{
                "ZelXmlSd: CLabel::get_PathExpanded Cannot expand path [/x|/y] hr=0x80070005\n",
                "ZelXmlSd: CLabel::get_PathExpanded CreateVariant started 1\n",
                "ZelXmlSd: CLabel::get_PathExpanded set to original [/x|/y] hr=0x80070005\n"}));

  // A DLL label gives the expander's answer as it came.
  ComPtr<IDllLabelList> dll_labels = LabelsOf<IDllLabelList>(parser.get());
  ComPtr<IDllLabel> dll;
  ASSERT_OK(dll_labels->CreateDllLabel(dll.Put()));
  ASSERT_OK(dll_labels->Insert(dll.get()));
  ASSERT_OK(dll->put_Path("/lib/x.so"));
  ASSERT_OK(dll->get_PathExpanded(&paths));
  EXPECT_TRUE(paths.is_empty());
}

TEST(PathExpandedTest, WithoutAnExpanderNothingIsExpanded) {
  AppEnv env(/*services_missing=*/true);
  ComPtr<CAPPParser> parser = MakeAppParser();
  ComPtr<ILabel> label = AddLabel(LabelsOf<ILabelList>(parser.get()).get(), "l", LT_PATH, "/a");
  env.log().Clear();
  Variant paths = Variant("unchanged?");
  ASSERT_OK(label->get_PathExpanded(&paths));
  EXPECT_TRUE(paths.is_empty());
  EXPECT_EQ(env.log().lines(),
            (std::vector<std::string>{
                "ZelXmlSd: CLabel::put_Path the Path expander is not initialized"}));
  std::int32_t count = 0;
  EXPECT_HR(LabelsOf<ILabelList>(parser.get())
                ->EnrollPath("/bin", 0, LT_PATH, AR_ALLOW, AL_IGNORE, "", 0, &count),
            E_FAIL);
}

class FindLabelTest : public ::testing::Test {
 protected:
  FindLabelTest() : parser_(MakeAppParser()), labels_(LabelsOf<ILabelList>(parser_.get())) {
    const std::string d = dir_.path();
    std::filesystem::create_directories(d + "/bin/sub");
    for (const char* name : {"bin/app", "bin/tool", "bin/sub/deep", "bin/readme"}) {
      WriteFileBytes(d + "/" + name, name);
    }
    for (const char* name : {"bin/app", "bin/tool", "bin/sub/deep"}) {
      chmod((d + "/" + name).c_str(), 0755);
    }
  }

  ComPtr<ILabel> AddChecksumLabel(std::string_view id, ELabelType type, std::string_view path,
                                  std::string_view checksum, std::string_view file = {}) {
    ComPtr<ILabel> label = AddLabel(labels_.get(), id, type, path);
    ComPtr<IChecksumList> sums;
    ComPtr<IChecksum> sum;
    EXPECT_OK(label->get_ChecksumList(sums.Put()));
    EXPECT_OK(sums->CreateChecksum(sum.Put()));
    EXPECT_OK(sum->put_Checksum(checksum));
    EXPECT_OK(sum->put_FileName(file));
    EXPECT_OK(sums->Insert(sum.get()));
    return label;
  }

  TempDir dir_;
  ComPtr<CAPPParser> parser_;
  ComPtr<ILabelList> labels_;
};

const std::string kSum1(32, '1');
const std::string kSum2(32, '2');

TEST_F(FindLabelTest, FindsByPathNameChecksumAndSignature) {
  const std::string d = dir_.path();
  ASSERT_TRUE(AddLabel(labels_.get(), "by-path", LT_PATH, d + "/bin/*"));
  ASSERT_TRUE(AddLabel(labels_.get(), "by-name", LT_NAME, "tool"));
  ASSERT_TRUE(AddLabel(labels_.get(), "system", LT_NAME, "::System::"));
  AddChecksumLabel("checked", LT_CHECKSUM_AND_NAME, "deep", kSum1);
  AddChecksumLabel("signed", LT_SIGNED_AND_PATH, d + "/bin/sub/%AllExecutablesInDir%", kSum2);
  const struct {
    std::string path, checksum, label;
  } cases[] = {
      {d + "/bin/app", "", "by-path"},
      {d + "/BIN/APP", "", "by-path"},  // paths ignore ASCII case
      {"/elsewhere/tool", "", "by-name"},
      {"/elsewhere/TOOL", "", ""},      // names do not
      {"/usr/sbin/System", "", "system"},
      {"/x/deep", kSum1, "checked"},
      {"/x/deep", kSum2, ""},
      {d + "/bin/sub/deep", kSum1, "checked"},  // key order: checked before signed
      {d + "/bin/sub/deep", "", "signed"},      // a signed label without the checksum
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " " + c.checksum);
    ComPtr<ILabelList> similar;
    ComPtr<ILabel> found;
    HRESULT hr = labels_->FindLabel(c.path, c.checksum, similar.Put(), found.Put());
    EXPECT_EQ(IdOf(found.get()), c.label);
    EXPECT_HR(hr, c.label.empty() ? SECDB_E_NOTFOUND : S_OK);
  }
}

TEST_F(FindLabelTest, HandsOutSimilarLabelsOnlyWhenNoneMatches) {
  ComPtr<ILabelList> similar;
  ComPtr<ILabel> found;
  EXPECT_HR(labels_->FindLabel("/a/b", "", similar.Put(), found.Put()), SECDB_E_NOTFOUND);
  EXPECT_EQ(similar.get(), nullptr);

  AddChecksumLabel("k", LT_CHECKSUM_AND_PATH, "/other/editor", kSum1, "/old/editor");
  AddChecksumLabel("n", LT_CHECKSUM_AND_NAME, "editor", kSum1);
  AddChecksumLabel("s", LT_CHECKSUM, "", kSum2, "/x/EDITOR");
  EXPECT_HR(labels_->FindLabel("/new/editor", kSum2 + "0", similar.Put(), found.Put()),
            SECDB_E_NOTFOUND);
  ASSERT_NE(similar.get(), nullptr);
  Variant ids;
  ASSERT_OK(similar->GetAllLabelIDs(&ids));
  EXPECT_EQ(Strings(ids), (std::vector<std::string>{"k", "n", "s"}));
}

TEST_F(FindLabelTest, GetLabelFindsAddsSignedChecksumsOrCreates) {
  ComPtr<ILabel> signed_label =
      AddChecksumLabel("app.exe", LT_SIGNED_AND_NAME, "App.exe", kSum1);
  ComPtr<ILabel> label;
  ASSERT_OK(labels_->GetLabel("/dir/App.exe", kSum2, 0, label.Put()));
  EXPECT_EQ(label.get(), signed_label.get());
  ComPtr<IChecksumList> sums;
  ASSERT_OK(label->get_ChecksumList(sums.Put()));
  std::int32_t count = 0;
  ASSERT_OK(sums->get_Count(&count));
  EXPECT_EQ(count, 2);

  ASSERT_TRUE(AddLabel(labels_.get(), "app.exe_1", LT_NAME, "other"));
  EXPECT_HR(labels_->GetLabel("/dir/Tool|/d2/App.EXE", kSum1, LT_PATH, label.Put()), S_FALSE);
  EXPECT_EQ(label.get(), nullptr);
  ASSERT_OK(labels_->GetLabel("/C/Dir/APP.exe", kSum1, std::int32_t{LT_CREATE} | LT_CHECKSUM_AND_NAME,
                              label.Put()));
  EXPECT_EQ(IdOf(label.get()), "app.exe_2");
  std::string path;
  ASSERT_OK(label->get_Path(&path));
  EXPECT_EQ(path, "APP.exe");
  // A label checksum that is no checksum fails the creation.
  EXPECT_HR(labels_->GetLabel("/new/x", "nohex", LT_CREATE, label.Put()), SECDB_E_BADCHECKSUM);
  EXPECT_HR(labels_->GetLabel("", kSum1, LT_CREATE, label.Put()), E_POINTER);
}

TEST_F(FindLabelTest, GetLabelNamesANewLabelWithTheFirstFreeNumber) {
  const struct {
    std::vector<std::string> ids;
    std::string expected;
  } cases[] = {
      {{}, "tool"},
      {{"tool"}, "tool_1"},
      {{"TOOL", "tool_1", "Tool_3"}, "tool_2"},
      {{"tool", "tool_01", "tool_x", "tool_1_1", "tool_"}, "tool_1"},
      {{"tool", "tool_2", "tool_1"}, "tool_3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    ASSERT_OK(labels_->Clear());
    for (const std::string& id : c.ids) ASSERT_TRUE(AddLabel(labels_.get(), id, LT_NAME, "other"));
    ComPtr<ILabel> label;
    ASSERT_OK(labels_->GetLabel("/d/Tool", kSum1, std::int32_t{LT_CREATE} | LT_CHECKSUM_AND_NAME,
                                label.Put()));
    EXPECT_EQ(IdOf(label.get()), c.expected);
  }
}

TEST_F(FindLabelTest, EnrollPathLabelsEveryExecutableOnceAndGroupsNewOnes) {
  const std::string d = dir_.path();
  // A loop and an unreadable directory are passed over.
  symlink((d + "/bin").c_str(), (d + "/bin/sub/loop").c_str());
  std::filesystem::create_directories(d + "/bin/locked");
  WriteFileBytes(d + "/bin/locked/hidden", "x");
  chmod((d + "/bin/locked/hidden").c_str(), 0755);
  chmod((d + "/bin/locked").c_str(), 0);
  ASSERT_TRUE(AddLabel(labels_.get(), "tool", LT_NAME, "other-name"));

  std::int32_t count = 0;
  ASSERT_OK(labels_->EnrollPath(d + "/bin/", -1, LT_CHECKSUM_AND_PATH, AR_ASKUSER, AL_SEVERITY_3,
                                "enrolled", 0, &count));
  chmod((d + "/bin/locked").c_str(), 0755);
  const bool root = geteuid() == 0;
  EXPECT_EQ(count, root ? 4 : 3);
  Variant ids;
  ASSERT_OK(labels_->GetAllLabelIDs(&ids));
  std::vector<std::string> expected = {"app", "deep", "tool", "tool_1"};
  if (root) expected.insert(expected.begin() + 2, "hidden");
  EXPECT_EQ(Strings(ids), expected);

  ComPtr<IAppGroup> group;
  ASSERT_OK(LabelsOf<IAppGroupList>(parser_.get())->Get("enrolled", group.Put()));
  ASSERT_OK(group->GetAllLabelIDs(&ids));
  expected.erase(std::find(expected.begin(), expected.end(), "tool"));
  EXPECT_EQ(Strings(ids), expected);

  // Enrolling again finds every file labelled.
  ASSERT_OK(labels_->EnrollPath(d + "/bin/", -1, LT_CHECKSUM_AND_PATH, AR_ASKUSER, AL_SEVERITY_3,
                                "enrolled", 0, &count));
  ASSERT_OK(labels_->GetAllLabelIDs(&ids));
  EXPECT_EQ(Strings(ids).size(), root ? 5u : 4u);
  ComPtr<ILabel> app;
  ASSERT_OK(labels_->Get("app", app.Put()));
  EAccessResult result = AR_NONE;
  ASSERT_OK(app->get_BGAccessResult(&result));
  EXPECT_EQ(result, AR_ASKUSER);
}

}  // namespace
}  // namespace xmlsecdb

namespace xmlsecdb {
namespace {

ComPtr<IDllLabel> AddDllLabel(IDllLabelList* labels, std::string_view id, ELabelType type,
                              std::string_view path, std::string_view checksum = {}) {
  ComPtr<IDllLabel> label;
  EXPECT_OK(labels->CreateDllLabel(label.Put()));
  EXPECT_OK(label->put_LabelID(id));
  EXPECT_OK(label->put_Type(type));
  EXPECT_OK(label->put_Path(path));
  if (!checksum.empty()) {
    ComPtr<IChecksumList> sums;
    ComPtr<IChecksum> sum;
    EXPECT_OK(label->get_ChecksumList(sums.Put()));
    EXPECT_OK(sums->CreateChecksum(sum.Put()));
    EXPECT_OK(sum->put_Checksum(checksum));
    EXPECT_OK(sums->Insert(sum.get()));
  }
  EXPECT_OK(labels->Insert(label.get()));
  return label;
}

std::string DllIdOf(IDllLabel* label) {
  std::string id;
  if (label) (void)label->get_LabelID(&id);
  return id;
}

TEST(DllLookupTest, FindDllLabelPrefersChecksumInOrderThenPathThenName) {
  testing::ScopedDebugLogCapture log;
  ComPtr<CAPPParser> parser = MakeAppParser();
  ComPtr<IDllLabelList> labels = LabelsOf<IDllLabelList>(parser.get());
  AddDllLabel(labels.get(), "path", LT_PATH, "/lib/libz.so");
  AddDllLabel(labels.get(), "name", LT_NAME, "libz.so");
  AddDllLabel(labels.get(), "sum", LT_CHECKSUM, "", "any");
  AddDllLabel(labels.get(), "path2", LT_SIGNED_AND_PATH, "/lib/libz.so");
  const struct {
    std::string path, checksum, label;
  } cases[] = {
      {"/lib/libz.so", "", "path"},  // a path label before a name label wins
      {"/lib/LIBZ.SO", "ANY", "sum"},  // a matching checksum ends the walk
      {"/usr/lib/libz.so", "", "name"},
      {"/usr/lib/libq.so", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    ComPtr<IDllLabelList> similar;
    ComPtr<IDllLabel> found;
    const HRESULT hr = labels->FindDllLabel(c.path, c.checksum, similar.Put(), found.Put());
    EXPECT_EQ(DllIdOf(found.get()), c.label);
    if (c.label.empty()) {
      EXPECT_HR(hr, SECDB_E_NOTFOUND);
      EXPECT_TRUE(testing::Reported(log, "CDllLabelList::FindDllLabel()", "Item not found."));
    }
  }
  // GetLabel hands a found DLL label out unchanged, and makes new ones.
  ComPtr<IDllLabel> label;
  ASSERT_OK(labels->GetLabel("/lib/libz.so", "new", 0, label.Put()));
  EXPECT_EQ(DllIdOf(label.get()), "path");
  ASSERT_OK(labels->GetLabel("/lib/LibQ.so", "k", std::int32_t{LT_CREATE} | 9, label.Put()));
  EXPECT_EQ(DllIdOf(label.get()), "libq.so");
  ELabelType type = LT_PATH;
  ASSERT_OK(label->get_Type(&type));
  EXPECT_EQ(type, LT_CHECKSUM);  // an unknown type gives a checksum DLL label
}

TEST(DllLookupTest, EnrollPathLabelsSharedLibrariesIntoADllGroup) {
  TempDir dir;
  const std::string d = dir.path();
  std::filesystem::create_directories(d + "/lib/sub");
  for (const char* name : {"lib/libz.so", "lib/sub/libq.so.1", "lib/notes.txt"}) {
    WriteFileBytes(d + "/" + name, name);
  }
  ComPtr<CAPPParser> parser = MakeAppParser();
  ComPtr<IDllLabelList> labels = LabelsOf<IDllLabelList>(parser.get());
  std::int32_t count = 0;
  ASSERT_OK(labels->EnrollPath(d + "/lib/", 1, LT_CHECKSUM_AND_NAME, AR_PREVENT, 3, "libs", 0,
                               &count));
  EXPECT_EQ(count, 2);
  Variant ids;
  ASSERT_OK(labels->GetAllDllLabelIDs(&ids));
  EXPECT_EQ(Strings(ids), (std::vector<std::string>{"libz.so", "libq.so.1"}));
  ComPtr<IDllGroup> group;
  ASSERT_OK(LabelsOf<IDllGroupList>(parser.get())->Get("LIBS", group.Put()));
  ASSERT_OK(group->GetAllLabelIDs(&ids));
  EXPECT_EQ(Strings(ids), (std::vector<std::string>{"libz.so", "libq.so.1"}));
  ASSERT_OK(labels->EnrollPath(d + "/lib/", 0, LT_CHECKSUM_AND_NAME, AR_PREVENT, 3, "libs", 0,
                               &count));
  EXPECT_EQ(count, 1);
  ASSERT_OK(labels->GetAllDllLabelIDs(&ids));
  EXPECT_EQ(Strings(ids).size(), 2u);
}

}  // namespace
}  // namespace xmlsecdb
