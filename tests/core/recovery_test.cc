// Backup and recovery around Load, on real files.
#include "core/recovery.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>

#include "core/crypt_engine.h"
#include "core/database_image.h"
#include "platform/file_system.h"
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
constexpr std::string_view kKey = "00112233445566778899AABBCCDDEEFF";
constexpr std::string_view kOtherKey = "FFEEDDCCBBAA99887766554433221100";

// `text` as a database file encrypted with `key`.
std::string Encrypted(const std::string& text, std::string_view key) {
  CCryptEngineAPI engine;
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(DecodeBinaryHex(key, &bytes));
  EXPECT_EQ(engine.SetKey(bytes.data(), static_cast<std::uint32_t>(bytes.size())), 0u);
  std::string image;
  EXPECT_OK(BuildDatabaseImage(engine, text, &image));
  return image;
}

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

// The scenarios in which a load may or may not restore the backup. Each
// starts from the files given, loads once or twice, and checks that no
// database is lost: the file, its backup and every damaged copy hold what
// they must, and the result says what happened.
struct Scenario {
  const char* name;
  std::optional<std::string> file;  // nullopt: no file
  std::string backup;
  std::optional<std::string> earlier_bad;  // a .bad from an earlier restore
  std::string_view key;                    // the key Load is given
  enum Fault { kNone, kUnreadable, kFullDisk, kBlockedBad } fault = kNone;
  int loads = 1;
  bool restored = false;
  // Why nothing was restored, as the debug log says it ("" when restored).
  std::string not_restored;
};

std::vector<Scenario> Scenarios() {
  const std::string good = Database(3);
  const std::string newer = Database(7);
  const std::string unknown_value =
      "<SecDb><VersionInfo major=\"8\"/><Module id=\"AntiMalware\"/><RuleList>"
      "<Rule id=\"1\" ot=\"AntiMalware\" app=\"a\" priority=\"urgent\"/></RuleList></SecDb>";
  const std::string firewall = "<SecDb><VersionInfo major=\"9\"/><Module id=\"Firewall\"/></SecDb>";
  // clang-format off
  return {
      {"damaged file, good backup", kDamaged, good, {}, {}, Scenario::kNone, 1, true, ""},
      {"missing file, good backup", std::nullopt, good, {}, {}, Scenario::kNone, 1, true, ""},
      {"encrypted damage: a cut cipher block", Encrypted(newer, kKey).substr(0, 40),
       Encrypted(good, kKey), {}, kKey, Scenario::kNone, 1, true, ""},
      {"two failures in a row keep both damaged copies", kDamaged, good, "<SecDb>older damage",
       {}, Scenario::kNone, 1, true, ""},
      {"the same damage again is kept once", kDamaged, good, kDamaged, {}, Scenario::kNone, 1, true,
       ""},
      {"wrong key twice", Encrypted(newer, kKey), Encrypted(good, kKey), {}, kOtherKey,
       Scenario::kNone, 2, false, "the key does not decrypt the file"},
      {"rotated key: the old key given", Encrypted(newer, kOtherKey), Encrypted(good, kKey), {},
       kKey, Scenario::kNone, 1, false, "the key does not decrypt the file"},
      {"missing key", Encrypted(newer, kKey), good, {}, {}, Scenario::kNone, 1, false,
       "the key does not decrypt the file"},
      {"wrong kind", firewall, good, {}, {}, Scenario::kNone, 1, false,
       "the file is well-formed and its content is refused"},
      {"unknown value", unknown_value, good, {}, {}, Scenario::kNone, 1, false,
       "the file is well-formed and its content is refused"},
      {"damaged backup", kDamaged, "<SecDb><VersionInfo", {}, {}, Scenario::kNone, 1, false,
       "the backup does not load either"},
      {"backup for another key", kDamaged, Encrypted(good, kKey), {}, {}, Scenario::kNone, 1,
       false, "the backup does not load either"},
      {"unreadable file", kDamaged, good, {}, {}, Scenario::kUnreadable, 1, false,
       "the file cannot be read"},
      {"full disk", kDamaged, good, {}, {}, Scenario::kFullDisk, 1, false,
       "the damaged file could not be kept as a complete copy"},
      {"blocked .bad", kDamaged, good, {}, {}, Scenario::kBlockedBad, 1, false,
       "the damaged file could not be kept as a complete copy"},
  };
  // clang-format on
}

TEST_F(RecoveryTest, NoScenarioLosesADatabase) {
  for (const Scenario& c : Scenarios()) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir.File("x.xml");
    if (c.file) WriteFileBytes(path, *c.file);
    WriteFileBytes(path + "_", c.backup);
    if (c.earlier_bad) WriteFileBytes(path + ".bad", *c.earlier_bad);
    if (c.fault == Scenario::kBlockedBad) {
      ASSERT_EQ(::mkdir((path + ".bad").c_str(), 0755), 0);
    }

    testing::FaultInjectingFileSystem files(DefaultFileSystem());
    testing::CapturingDebugLog log;
    testing::CapturingEventLog events;
    testing::TestEnv env = env_;
    env.file_system = &files;
    env.debug_log = &log;
    env.event_log = &events;
    testing::ScopedProcessEnv scope(env);
    if (c.fault == Scenario::kUnreadable) files.FailReads(path, EACCES);
    if (c.fault == Scenario::kFullDisk) files.FailAt(testing::WriteStep::kAppend);

    ComPtr<ISDParser> parser;
    ASSERT_OK(CreateInstance(CLSID_XMLSDParserAM, parser.Put()));
    if (!c.key.empty()) {
      ASSERT_OK(parser->put_CryptKey(c.key));
    }
    ComPtr<ISDParserRecovery> recovery;
    ASSERT_OK(parser->QueryInterface(recovery.Put()));
    for (int i = 0; i < c.loads; ++i) {
      SCOPED_TRACE("load " + std::to_string(i + 1));
      log.Clear();
      HRESULT hr = parser->Load(path, 0);
      RestoreInfo restore;
      const std::string description = testing::TakeErrorDescription();
      if (c.restored) {
        ASSERT_OK(hr);
        ASSERT_OK(recovery->GetLastRestore(&restore));
        EXPECT_TRUE(Failed(restore.error));
        EXPECT_EQ(restore.backup_path, path + "_");
        EXPECT_EQ(restore.damaged_copy, c.file ? path + ".bad" : "");
        EXPECT_FALSE(restore.description.empty());
        ASSERT_EQ(events.events().size(), 1u);
        const std::vector<std::string> lines = log.lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "ZelXmlSd: File restored: " + path + "\n"),
                  lines.end());
      } else {
        EXPECT_TRUE(Failed(hr));
        EXPECT_HR(recovery->GetLastRestore(&restore), S_FALSE);
        EXPECT_TRUE(restore.damaged_copy.empty());
        EXPECT_TRUE(events.events().empty());
        // The record is the load's own failure, and the log says why no
        // restore took place.
        EXPECT_FALSE(description.empty());
        const std::vector<std::string> errors = log.errors();
        ASSERT_FALSE(errors.empty());
        EXPECT_TRUE(errors[0].ends_with(": " + description + "\n")) << errors[0];
        const std::string line = "ZelXmlSd: File not restored: " + path + ": " + c.not_restored + "\n";
        const std::vector<std::string> lines = log.lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
      }
    }
    files.Heal();

    // The backup is never touched by a failure, and after a restore the
    // file is the backup; damaged content is kept, the earlier copy too.
    EXPECT_EQ(ReadFileBytes(path + "_"), c.backup);
    if (c.restored) {
      EXPECT_EQ(ReadFileBytes(path), c.backup);
      if (c.file) {
        EXPECT_EQ(ReadFileBytes(path + ".bad"), *c.file);
      }
      const bool moved = c.earlier_bad && *c.earlier_bad != *c.file;
      EXPECT_EQ(PathExists(path + ".bad.1"), moved);
      if (moved) {
        EXPECT_EQ(ReadFileBytes(path + ".bad.1"), *c.earlier_bad);
      }
    } else {
      if (c.file) {
        EXPECT_EQ(ReadFileBytes(path), *c.file);
      }
      if (c.fault != Scenario::kBlockedBad) {
        EXPECT_FALSE(PathExists(path + ".bad"));
      }
      EXPECT_FALSE(PathExists(path + ".bad.1"));
    }
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    }
  }
}

// Side copies are as private as the database: its mode, owner and group.
TEST_F(RecoveryTest, CopiesTakeTheDatabasesOwnerAndMode) {
  const bool root = ::geteuid() == 0;
  WriteFileBytes(path_, Database(1));
  ASSERT_EQ(::chmod(path_.c_str(), 0600), 0);
  if (root) {
    ASSERT_EQ(::chown(path_.c_str(), 4321, 4322), 0);
  }
  ASSERT_OK(parser_->Load(path_, 0));

  WriteFileBytes(path_ + ".tmp", kDamaged);  // owned by the test, 0644
  ASSERT_EQ(::rename((path_ + ".tmp").c_str(), path_.c_str()), 0);
  ASSERT_EQ(::chmod(path_.c_str(), 0600), 0);
  if (root) {
    ASSERT_EQ(::chown(path_.c_str(), 4321, 4322), 0);
  }
  ASSERT_OK(parser_->New());
  ASSERT_OK(parser_->Load(path_, 0));
  for (const std::string& copy : {path_, path_ + "_", path_ + ".bad"}) {
    SCOPED_TRACE(copy);
    struct stat st {};
    ASSERT_EQ(::stat(copy.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    if (root) {
      EXPECT_EQ(st.st_uid, 4321u);
      EXPECT_EQ(st.st_gid, 4322u);
    }
  }
}

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
