// Backup and recovery around Load, on real files.
#include "core/recovery.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/registry.h"
#include "testing/hresult_matchers.h"
#include "testing/temp_dir.h"
#include "testing/test_env.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb {
namespace {

using testing::PathExists;
using testing::ReadFileBytes;
using testing::TempDir;
using testing::WriteFileBytes;

std::string Database(int major) {
  return "<SecDb><VersionInfo major=\"" + std::to_string(major) +
         "\"/><Module id=\"AntiMalware\"/></SecDb>";
}
ino_t Inode(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_ino;
}

const char kDamaged[] = "<SecDb><VersionInfo major=\"1\"/><Module id=\"AntiMalware\">";

// Recovery as the registry decides, with a registry and an event log of the
// test's own: a new store is decided afresh.
class RecoveryTest : public ::testing::Test {
 protected:
  RecoveryTest() {
    env_.registry = &registry_;
    env_.event_log = &events_;
  }
  void SetUp() override { ASSERT_OK(CreateInstance(CLSID_XMLSDParserAM, parser_.Put())); }

  std::int32_t Version() {
    std::int32_t version = 0;
    EXPECT_OK(parser_->get_Version(&version));
    return version >> 16;
  }

  testing::ScopedRecoveryPolicy policy_{RecoveryPolicy::kFromRegistry};
  Registry registry_;
  testing::CapturingEventLog events_;
  testing::TestEnv env_;
  testing::ScopedProcessEnv scope_{env_};
  TempDir dir_;
  const std::string path_ = dir_.File("x.xml");
  ComPtr<ISDParser> parser_;  // released first: it uses env_
};

TEST_F(RecoveryTest, GoodLoadsKeepTheBackupCurrent) {
  WriteFileBytes(path_, Database(1));
  ASSERT_OK(parser_->Load(path_, 0));
  EXPECT_EQ(ReadFileBytes(path_ + "_"), Database(1));

  // An unchanged file is not read, and the backup is not touched (every
  // refresh is a new file, so its inode would change).
  const ino_t backup = Inode(path_ + "_");
  EXPECT_HR(parser_->Load(path_, 0), S_FALSE);
  EXPECT_EQ(Inode(path_ + "_"), backup);

  WriteFileBytes(path_, Database(2));
  ASSERT_OK(parser_->Load(path_, 0));
  EXPECT_EQ(ReadFileBytes(path_ + "_"), Database(2));
}

TEST_F(RecoveryTest, DamagedFileIsReplacedByItsBackup) {
  WriteFileBytes(path_, kDamaged);
  WriteFileBytes(path_ + "_", Database(3));
  ASSERT_OK(parser_->Load(path_, 0));
  EXPECT_EQ(Version(), 3);
  EXPECT_EQ(ReadFileBytes(path_ + ".bad"), kDamaged);
  EXPECT_EQ(ReadFileBytes(path_), Database(3));
  ASSERT_EQ(events_.events().size(), 1u);
  const testing::EventRecord event = events_.events()[0];
  EXPECT_EQ(event.event_id, 0xC0000001u);
  EXPECT_EQ(event.type, EVENTLOG_ERROR_TYPE);
  EXPECT_EQ(event.text, "Cannot parse " + path_ + ". Result=0x80004005:\nThe backup file is used.");

  // The restored file is good, so the next load refreshes the backup.
  WriteFileBytes(path_ + "_", "old");
  ASSERT_OK(parser_->New());
  ASSERT_OK(parser_->Load(path_, 0));
  EXPECT_EQ(ReadFileBytes(path_ + "_"), Database(3));
}

TEST_F(RecoveryTest, DamagedFileWithoutBackupSimplyFails) {
  WriteFileBytes(path_, kDamaged);
  EXPECT_HR(parser_->Load(path_, 0), E_FAIL);
  EXPECT_NE(testing::TakeErrorDescription().find("Fatal Error"), std::string::npos);
  EXPECT_FALSE(PathExists(path_ + ".bad"));
  EXPECT_FALSE(PathExists(path_ + "_"));
  EXPECT_TRUE(events_.events().empty());
}

TEST_F(RecoveryTest, RegistrySwitchTurnsRecoveryOff) {
  ASSERT_OK(registry_.LoadText(
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\QorAgent\\Parameters]\n"
      "\"SettingsRoot\"=\"SOFTWARE\\\\Agent\"\n\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Agent]\n"
      "\"Recovery\"=dword:00000000\n"));
  WriteFileBytes(path_, Database(1));
  ASSERT_OK(parser_->Load(path_, 0));
  EXPECT_FALSE(PathExists(path_ + "_"));

  WriteFileBytes(path_, kDamaged);
  WriteFileBytes(path_ + "_", Database(3));
  EXPECT_HR(parser_->Load(path_, 0), E_FAIL);
  EXPECT_FALSE(PathExists(path_ + ".bad"));
  EXPECT_EQ(ReadFileBytes(path_), kDamaged);
}

TEST_F(RecoveryTest, SwitchValuesOtherThanDwordZeroMeanOn) {
  struct Case {
    const char* value;
    bool enabled;
  };
  const Case cases[] = {
      {"dword:00000000", false}, {"dword:00000001", true}, {"\"0\"", true}, {nullptr, true}};
  for (const Case& c : cases) {
    std::string text =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\QorAgent\\Parameters]\n"
        "\"SettingsRoot\"=\"SOFTWARE\\\\Agent\"\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Agent]\n";
    if (c.value) text += std::string("\"Recovery\"=") + c.value + "\n";
    Registry registry;
    ASSERT_OK(registry.LoadText(text));
    testing::TestEnv env;
    env.registry = &registry;
    testing::ScopedProcessEnv scope(env);
    EXPECT_EQ(IsRecoveryEnabled(), c.enabled) << (c.value ? c.value : "(missing)");
  }
}

TEST_F(RecoveryTest, PolicyOverridesTheRegistry) {
  WriteFileBytes(path_, Database(1));
  {
    testing::ScopedRecoveryPolicy off(RecoveryPolicy::kOff);
    ASSERT_OK(parser_->Load(path_, 0));
  }
  EXPECT_FALSE(PathExists(path_ + "_"));
}

}  // namespace
}  // namespace xmlsecdb
