// The parser lifecycle shared by every kind: load, header checks, events,
// the unchanged-file answer, read-only, save, Xml/XmlEx and keys.
#include "core/parser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/crypto_provider.h"
#include "platform/debug_log.h"
#include "platform/file_system.h"
#include "platform/object.h"
#include "platform/registry.h"
#include "platform/xml_writer.h"
#include "testing/event_log.h"
#include "testing/hresult_matchers.h"
#include "testing/secdb_document.h"
#include "testing/temp_dir.h"
#include "testing/test_env.h"
#include "testing/test_parser.h"
#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {
namespace {

using testing::ErrorRecord;
using testing::EventRecorder;
using testing::kTestKind;
using testing::ReadFileBytes;
using testing::TakeRecord;
using testing::TempDir;
using testing::TestParser;
using testing::Utf16Image;
using testing::WriteFileBytes;

// A whole database, as a file on disk starts: with the XML declaration.
std::string Document(std::string_view module, std::string_view body = {},
                     std::string_view version = testing::kVersionOne) {
  return "<?xml version=\"1.0\"?>\n" + testing::SecDbDocument(module, body, version) + "\n";
}

// A test parser without sections, as the interface `T`.
template <class T = ISDParser>
ComPtr<T> Create() {
  ComPtr<T> parser;
  EXPECT_OK(MakeObject<TestParser>().As(&parser));
  return parser;
}

// Records every event it receives.
std::uint32_t Advise(ISDParser* parser, const IID& events_iid, IDispatch* sink) {
  ComPtr<IConnectionPointContainer> container;
  EXPECT_OK(parser->QueryInterface(container.Put()));
  ComPtr<IConnectionPoint> point;
  EXPECT_OK(container->FindConnectionPoint(events_iid, point.Put()));
  std::uint32_t cookie = 0;
  EXPECT_OK(point->Advise(sink, &cookie));
  return cookie;
}

// Header failures read the same from UTF-8 and UTF-16 files, and follow
// the kind row's module check.
TEST(ParserTest, HeaderChecksFollowTheKindsModuleCheck) {
  const std::string kMissing = "Required attribute is missing.";
  const std::string kWrongParser = "Current module parser is not intended for this XML Database.";
  ParserKind lookup = kTestKind;
  lookup.module_id = MODULE_SBX;
  lookup.module_check = ModuleCheck::kLookup;
  lookup.missing_major_suffix = " Missing major version.";
  ParserKind known_word = lookup;
  known_word.module_check = ModuleCheck::kLookupKnownWord;
  struct Case {
    const char* name;
    const ParserKind* kind;
    std::string document;
    HRESULT result;
    std::string description;
  };
  const Case cases[] = {
      {"WrongModuleWord", &kTestKind, Document("Firewall"), E_FAIL, kMissing + " Wrong Module id."},
      {"MissingModuleId", &kTestKind, "<SecDb><VersionInfo major=\"1\"/><Module/></SecDb>", E_FAIL,
       kMissing + " Missing Module id."},
      {"MissingMajor", &kTestKind, Document("Test", "", "<VersionInfo/>"), E_FAIL,
       kMissing + " Missing Major version."},
      {"MissingMajorOtherText", &lookup, Document("Sandbox", "", "<VersionInfo minor=\"2\"/>"),
       E_FAIL, kMissing + " Missing major version."},
      {"LookupGivenAnotherModule", &lookup, Document("Firewall"), E_FAIL,
       kWrongParser + " The wrong parser is used."},
      {"LookupGivenAnUnknownWord", &lookup, Document("Bogus"), E_FAIL,
       kWrongParser + " The wrong parser is used."},
      {"KnownWordGivenAnUnknownWord", &known_word, Document("Bogus"), E_FAIL,
       kMissing + " Wrong module id."},
      {"KnownWordGivenAnotherModule", &known_word, Document("Firewall"), E_FAIL,
       kWrongParser + " The wrong parser is used."},
      {"LookupGivenItsOwnModule", &lookup, Document("Sandbox"), S_OK, ""},
  };
  testing::ScopedTestParserProgID progid;
  TempDir dir;
  for (const Case& c : cases) {
    for (bool wide : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (wide ? " (UTF-16)" : " (UTF-8)"));
      const std::string path = dir.File(c.name);
      WriteFileBytes(path, wide ? Utf16Image(c.document) : c.document);
      ComPtr<ISDParser> parser = MakeObject<TestParser>(*c.kind);
      EXPECT_HR(parser->Load(path, 0), c.result);
      ErrorRecord record = TakeRecord();
      EXPECT_EQ(record.description, c.description);
      if (Failed(c.result)) {
        EXPECT_EQ(record.source, testing::ScopedTestParserProgID::kProgID);
      }
    }
  }
}

TEST(ParserTest, XmlErrorsNamePathLineAndReaderMessage) {
  testing::ScopedTestParserProgID progid;
  TempDir dir;
  const std::string path = dir.File("broken.xml");
  for (bool wide : {false, true}) {
    const std::string text = "<SecDb>\n<VersionInfo major=\"1\"/>\n<Module id=\"Test\">\n</SecDb>";
    WriteFileBytes(path, wide ? Utf16Image(text) : text);
    ComPtr<ISDParser> parser = Create();
    EXPECT_HR(parser->Load(path, 0), E_FAIL);
    ErrorRecord record = TakeRecord();
    EXPECT_EQ(record.description, "Fatal Error\nFile:\t\t" + path +
                                      "\nLine number:\t4\nMessage:\t\tmismatched tag");
    EXPECT_EQ(record.source, testing::ScopedTestParserProgID::kProgID);
    EXPECT_EQ(record.iid, testing::IID_ITestParser);
  }
}

TEST(ParserTest, MissingFileAndUndecryptableFile) {
  TempDir dir;
  ComPtr<ISDParser> parser = Create();
  const std::string missing = dir.File("missing.xml");
  EXPECT_HR(parser->Load(missing, 0), INET_E_RESOURCE_NOT_FOUND);
  EXPECT_EQ(TakeRecord().description, "XML file " + missing + " was not found.");

  // Saved with a key, the file is unreadable without it or with another.
  const std::string path = dir.File("secret.xml");
  ASSERT_OK(parser->put_CryptKey("00112233445566778899AABBCCDDEEFF00112233"));
  ASSERT_OK(parser->Save(path));
  for (const char* key : {"", "0102"}) {
    ComPtr<ISDParser> reader = Create();
    ASSERT_OK(reader->put_CryptKey(key));
    EXPECT_HR(reader->Load(path, 0), E_FAIL) << key;
    EXPECT_EQ(TakeRecord().description, "Cannot parse XML file.");
  }
  ComPtr<ISDParser> reader = Create();
  ASSERT_OK(reader->put_CryptKey("00112233445566778899aabbccddeeff00112233"));
  EXPECT_OK(reader->Load(path, 0));
}

// A record left by an earlier failing call is gone once a load begins: a
// good load leaves none, a failed one its own.
TEST(ParserTest, LoadDropsARecordLeftByAnEarlierCall) {
  TempDir dir;
  const std::string good = dir.File("good.xml");
  WriteFileBytes(good, Document("Test"));
  const std::string missing = dir.File("missing.xml");
  for (const std::string& path : {good, missing}) {
    ComPtr<ISDParser> parser = Create();
    ASSERT_OK(parser->put_ReadOnly(1));
    ASSERT_HR(parser->put_Version(7), SECDB_E_READONLY);  // leaves message 111
    if (path == good) {
      EXPECT_OK(parser->Load(path, 0));
      EXPECT_EQ(TakeRecord().description, "");
    } else {
      EXPECT_HR(parser->Load(path, 0), INET_E_RESOURCE_NOT_FOUND);
      EXPECT_EQ(TakeRecord().description, "XML file " + missing + " was not found.");
    }
  }
}

TEST(ParserTest, MalformedKeyIsRefused) {
  TempDir dir;
  ComPtr<ISDParser> parser = Create();
  for (const char* key : {"abc", "0g", "00 11"}) {
    ASSERT_OK(parser->put_CryptKey(key));
    EXPECT_HR(parser->Save(dir.File("x.xml")), E_INVALIDARG) << key;
    EXPECT_FALSE(TakeRecord().description.empty());
    EXPECT_FALSE(testing::PathExists(dir.File("x.xml")));
  }
}

TEST(ParserTest, EncryptedRoundTripWithKeysOfManyLengths) {
  TempDir dir;
  for (std::size_t bytes : {1u, 16u, 20u, 21u, 64u, 300u}) {
    std::string key;
    for (std::size_t i = 0; i < bytes; ++i) key += "a5";
    const std::string path = dir.File("k" + std::to_string(bytes));
    ComPtr<ISDParser> writer = Create();
    ASSERT_OK(writer->put_Version(0x00030004));
    ASSERT_OK(writer->put_CryptKey(key));
    ASSERT_OK(writer->Save(path));
    EXPECT_NE(ReadFileBytes(path).substr(0, 2), "\xFF\xFE");
    ComPtr<ISDParser> reader = Create();
    ASSERT_OK(reader->put_CryptKey(key));
    ASSERT_OK(reader->Load(path, 0));
    std::int32_t version = 0;
    ASSERT_OK(reader->get_Version(&version));
    EXPECT_EQ(version, 0x00030004) << bytes;
  }
}

TEST(ParserTest, VersionDefaultsAndMinorDefault) {
  ComPtr<ISDParser> parser = Create();
  std::int32_t value = 0;
  ASSERT_OK(parser->get_Version(&value));
  EXPECT_EQ(value, 0x00010000);
  ASSERT_OK(parser->get_ParserVersion(&value));
  EXPECT_EQ(value, 0x00010001);
  ASSERT_OK(parser->get_Module(&value));
  EXPECT_EQ(value, kTestKind.module_id);
  EXPECT_HR(parser->get_Version(nullptr), E_POINTER);

  TempDir dir;
  WriteFileBytes(dir.File("a.xml"), Document("Test", "", "<VersionInfo major=\"7\" minor=\"x\"/>"));
  ASSERT_OK(parser->Load(dir.File("a.xml"), 0));
  ASSERT_OK(parser->get_Version(&value));
  EXPECT_EQ(value, 0x00070000);
}

TEST(ParserTest, EmptyPathFailsAndRaisesBothLoadEvents) {
  ComPtr<ISDParser> parser = Create();
  ComPtr<EventRecorder> sink = MakeObject<EventRecorder>();
  Advise(parser.get(), testing::DIID_TestEvents, sink.get());
  EXPECT_HR(parser->Load("", 1), E_INVALIDARG);
  EXPECT_EQ(sink->events, (std::vector<DISPID>{DISPID_OnBeforeLoad, DISPID_OnAfterLoad}));
  std::int32_t read_only = 0;
  ASSERT_OK(parser->get_ReadOnly(&read_only));
  EXPECT_EQ(read_only, 1);
}

TEST(ParserTest, UnchangedFileIsNotReadAgain) {
  TempDir dir;
  const std::string path = dir.File("db.xml");
  WriteFileBytes(path, Document("Test", "", "<VersionInfo major=\"2\"/>"));
  ComPtr<ISDParser> parser = Create();
  ASSERT_OK(parser->Load(path, 0));
  EXPECT_HR(parser->Load(path, 0), S_FALSE);

  // A write anywhere in the directory makes the next load read again.
  WriteFileBytes(dir.File("other"), "x");
  EXPECT_OK(parser->Load(path, 0));
  EXPECT_HR(parser->Load(path, 0), S_FALSE);

  // So does New, which also forgets the model.
  ASSERT_OK(parser->New());
  EXPECT_OK(parser->Load(path, 0));
  std::int32_t version = 0;
  ASSERT_OK(parser->get_Version(&version));
  EXPECT_EQ(version, 0x00020000);
}

TEST(ParserTest, ReadOnlyRefusesModificationsWithMessage111) {
  testing::ScopedTestParserProgID progid;
  TempDir dir;
  const std::string path = dir.File("db.xml");
  WriteFileBytes(path, Document("Test"));
  ComPtr<ISDParser> parser = Create();
  ASSERT_OK(parser->Load(path, 1));
  EXPECT_HR(parser->Save(path), SECDB_E_READONLY);
  ErrorRecord record = TakeRecord();
  EXPECT_EQ(record.description, "Database is opened in read-only mode and cannot be modified.");
  EXPECT_EQ(record.source, testing::ScopedTestParserProgID::kProgID);
  EXPECT_HR(parser->New(), SECDB_E_READONLY);
  EXPECT_HR(parser->put_Version(5), SECDB_E_READONLY);
  EXPECT_OK(parser->put_CryptKey("00"));  // allowed while read-only
  ASSERT_OK(parser->put_CryptKey(""));

  ASSERT_OK(parser->put_ReadOnly(0));
  EXPECT_OK(parser->Save(""));  // the loaded file
  std::string file_path;
  ASSERT_OK(parser->get_FilePath(&file_path));
  EXPECT_EQ(file_path, path);
}

TEST(ParserTest, SaveWithoutAnyPathIsInvalid) {
  ComPtr<ISDParser> parser = Create();
  ComPtr<EventRecorder> sink = MakeObject<EventRecorder>();
  Advise(parser.get(), testing::DIID_TestEvents, sink.get());
  EXPECT_HR(parser->Save(""), E_INVALIDARG);
  EXPECT_EQ(sink->events, (std::vector<DISPID>{DISPID_OnBeforeSave, DISPID_OnAfterSave}));
}

TEST(ParserTest, SupportsErrorInfoOnlyForItsOwnInterface) {
  ComPtr<ISupportErrorInfo> info = Create<ISupportErrorInfo>();
  EXPECT_HR(info->InterfaceSupportsErrorInfo(testing::IID_ITestParser), S_OK);
  EXPECT_HR(info->InterfaceSupportsErrorInfo(IDispatch::kIID), S_FALSE);
  EXPECT_HR(info->InterfaceSupportsErrorInfo(ISDParserEx::kIID), S_FALSE);
}

TEST(ParserTest, CustomSectionsSurviveInOrderAfterTheKnownSections) {
  const std::string custom =
      "<Custom a=\"1\" b=\"x &amp; y\">\n\t\t<Inner>t &lt; u</Inner>\n\t\tmixed<Empty/>\n\t</Custom>";
  TempDir dir;
  const std::string path = dir.File("custom.xml");
  WriteFileBytes(path, Document("Test", "<First/>" + custom));
  ComPtr<ISDParserEx> parser = Create<ISDParserEx>();
  ASSERT_OK(parser->Load(path, 0));
  std::string section;
  ASSERT_OK(parser->XmlEx("Custom", &section));
  EXPECT_NE(section.find("\t<First/>\n\t" + custom + "\n</SecDb>"), std::string::npos) << section;
  std::string frame_only;
  ASSERT_OK(parser->XmlEx("NoSuchSection", &frame_only));
  EXPECT_EQ(frame_only.find("First"), std::string::npos);
  EXPECT_NE(frame_only.find("<Module id=\"Test\"/>"), std::string::npos);

  // Two round trips give the same bytes.
  ASSERT_OK(parser->Save(dir.File("one.xml")));
  ComPtr<ISDParser> again = Create();
  ASSERT_OK(again->Load(dir.File("one.xml"), 0));
  ASSERT_OK(again->Save(dir.File("two.xml")));
  EXPECT_EQ(ReadFileBytes(dir.File("one.xml")), ReadFileBytes(dir.File("two.xml")));
}

TEST(ParserTest, DeeplyNestedCustomSectionRoundTrips) {
  std::string body;
  for (int i = 0; i < 5000; ++i) body += "<d>";
  for (int i = 0; i < 5000; ++i) body += "</d>";
  TempDir dir;
  WriteFileBytes(dir.File("deep.xml"), Document("Test", body));
  ComPtr<ISDParser> parser = Create();
  ASSERT_OK(parser->Load(dir.File("deep.xml"), 0));
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  // The saved nesting is the input's, the innermost element written empty.
  std::string saved;
  for (std::size_t i = xml.find("<d>"); i <= xml.rfind("</d>") + 3; ++i) {
    if (xml[i] != '\t' && xml[i] != '\n') saved += xml[i];
  }
  std::string expected;
  for (int i = 0; i < 4999; ++i) expected += "<d>";
  expected += "<d/>";
  for (int i = 0; i < 4999; ++i) expected += "</d>";
  EXPECT_EQ(saved, expected);
}

// One tab per level on every line would make 9,990 levels of nesting a
// gigabyte of output; past the writer's indentation cap elements get no
// line of their own, so the text stays about the size of the file.
TEST(ParserTest, DeepNestingGivesOutputLinearInTheInput) {
  std::string body;
  for (int i = 0; i < 9990; ++i) body += "<d>";
  for (int i = 0; i < 9990; ++i) body += "</d>";
  const std::string document = Document("Test", body);
  ComPtr<ISDParserLoad> loader = Create<ISDParserLoad>();
  ASSERT_OK(loader->LoadImage(document, "deep.xml", 0));
  ComPtr<ISDParser> parser;
  ASSERT_OK(loader->QueryInterface(ISDParser::kIID, reinterpret_cast<void**>(parser.Put())));
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  EXPECT_LT(xml.size(), 2 * document.size());
  EXPECT_NE(xml.find("\n" + std::string(XmlWriter::kMaxIndent, '\t') + "<d>"), std::string::npos);
  EXPECT_EQ(xml.find(std::string(XmlWriter::kMaxIndent + 1, '\t')), std::string::npos);
}

// A save over a device or FIFO (/dev/stdout among them) would write into
// it instead of replacing a file: it is refused, and says why.
TEST(ParserTest, SaveRefusesTargetsThatAreNoRegularFile) {
  TempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  for (const std::string& path : {std::string("/dev/null"), fifo}) {
    SCOPED_TRACE(path);
    ComPtr<ISDParser> parser = Create();
    testing::ScopedDebugLogCapture log;
    EXPECT_HR(parser->Save(path), kNotRegularFile);
    EXPECT_TRUE(
        testing::Reported(log, "CTestParser::Save()",
                          "The file " + path + " could not be written: it is not a regular file."));
  }
}

TEST(ParserTest, FailedSaveLeavesThePreviousFileUntouched) {
  TempDir dir;
  const std::string path = dir.File("db.xml");
  const std::string original = Utf16Image(Document("Test", "<Keep/>"));
  testing::FaultInjectingFileSystem files(DefaultFileSystem());
  testing::TestEnv env;
  env.file_system = &files;
  for (testing::WriteStep step :
       {testing::WriteStep::kCreate, testing::WriteStep::kAppend, testing::WriteStep::kCommit}) {
    WriteFileBytes(path, original);
    ComPtr<TestParser> parser = MakeObject<TestParser>();
    parser->UseEnv(env);
    ASSERT_OK(parser->Load(path, 0));
    ASSERT_OK(parser->put_Version(0x00090000));
    files.FailAt(step);
    EXPECT_TRUE(Failed(parser->Save(path)));
    EXPECT_EQ(files.count(step), 1);
    files.Heal();
    EXPECT_EQ(TakeRecord().description, "The file " + path + " could not be written.");
    EXPECT_EQ(ReadFileBytes(path), original);
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << "temporary file left";
    }
  }
}

// A save larger than one written chunk: the streamed file is the text of
// Xml as UTF-16, and a refusal after chunks went to disk still leaves the
// previous file as it was, with no temporary file behind.
TEST(ParserTest, LargeSaveStreamsAndALateRefusalLeavesTheFileUntouched) {
  std::string body = "<Big>";
  for (int i = 0; i < 8000; ++i) {
    body += "<Item id=\"F" + std::to_string(i) + "\">C:\\dir\\f\xC3\xA9" + std::to_string(i) +
            "\\and a longer name to fill the chunks</Item>";
  }
  body += "</Big>";
  TempDir dir;
  const std::string path = dir.File("big.xml");
  WriteFileBytes(path, Utf16Image(Document("Test", body)));
  ComPtr<TestParser> parser = MakeObject<TestParser>();
  parser->AddSection<testing::ItemSection>("Big");
  testing::ItemSection& late = parser->AddSection<testing::ItemSection>("Late");
  ASSERT_OK(parser->Load(path, 0));
  ASSERT_OK(parser->Save(path));
  std::string xml;
  ASSERT_OK(parser->get_Xml(&xml));
  ASSERT_GT(xml.size(), 512u * 1024u);
  const std::string saved = ReadFileBytes(path);
  EXPECT_EQ(saved, Utf16Image(xml));

  // The late section is written after the big one.
  late.ids.push_back("bell\x07");
  late.texts.push_back("");
  EXPECT_HR(parser->Save(path), E_INVALIDARG);
  EXPECT_NE(TakeRecord().description.find("Invalid character"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(path), saved);
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << "temporary file left";
  }
}

// The system's provider, except that encryption always fails.
class FailingEncryption final : public CryptoProvider {
 public:
  std::uint32_t HashSha1(std::span<const std::uint8_t> data, Sha1Digest* digest) const override {
    return real_.HashSha1(data, digest);
  }
  std::uint32_t DeriveAes128Key(const Sha1Digest& hash, Aes128Key* key) const override {
    return real_.DeriveAes128Key(hash, key);
  }
  std::uint32_t BlockLength() const override { return real_.BlockLength(); }
  std::uint32_t EncryptAes128Cbc(const Aes128Key&, std::span<const std::uint8_t>, std::uint8_t*,
                                 std::size_t, std::size_t*) const override {
    return kCryptErrorProviderFailure;
  }
  std::uint32_t DecryptAes128Cbc(const Aes128Key& key, std::span<const std::uint8_t> in,
                                 std::uint8_t* out, std::size_t* written) const override {
    return real_.DecryptAes128Cbc(key, in, out, written);
  }

 private:
  const CryptoProvider& real_ = DefaultCryptoProvider();
};

TEST(ParserTest, FailedEncryptionLeavesThePreviousFileUntouched) {
  TempDir dir;
  const std::string path = dir.File("db.xml");
  const std::string original = Utf16Image(Document("Test"));
  WriteFileBytes(path, original);
  FailingEncryption crypto;
  testing::TestEnv env;
  env.crypto = &crypto;
  auto created = MakeObject<TestParser>();
  created->UseEnv(env);
  ASSERT_OK(created->put_CryptKey("0102"));
  EXPECT_TRUE(Failed(created->Save(path)));
  EXPECT_EQ(TakeRecord().description, "The database could not be encrypted.");
  EXPECT_EQ(ReadFileBytes(path), original);
}

// With the debug log on, a refused setter writes its line, thread prefix
// first, with the operation's name and the message.
TEST(ParserTest, RefusedSetterWritesItsDebugLogLine) {
  TempDir dir;
  Registry registry;
  const char kKey[] = "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\ZelCfg";
  ASSERT_OK(registry.SetDword(kKey, "LogEnable", 1));
  ASSERT_OK(registry.SetString(kKey, "LogPath", dir.path()));
  {
    FileDebugLog log;
    log.Open(registry);
    testing::TestEnv env;
    env.debug_log = &log;
    testing::ScopedProcessEnv scope(env);
    ComPtr<ISDParser> parser = Create();
    ASSERT_OK(parser->put_ReadOnly(1));
    EXPECT_HR(parser->put_Version(7), SECDB_E_READONLY);
  }

  const std::string log = ReadFileBytes(dir.File("ZelXmlSDLog.txt"));
  const std::string line =
      "] ZelXmlSd: Error in CTestParser::put_Version(): Database is opened in read-only mode and "
      "cannot be modified.\r\n";
  std::size_t at = log.find(line);
  ASSERT_NE(at, std::string::npos) << log;
  EXPECT_EQ(log[log.rfind('\n', at) + 1], '[');
}

// The parser's own failures name their operations in the debug log; a load
// writes one error line, its first failure's.
TEST(ParserTest, FailuresWriteTheLineNamingTheirOperation) {
  TempDir dir;
  const std::string good = dir.File("good.xml");
  WriteFileBytes(good, Document("Test"));
  const std::string broken = dir.File("broken.xml");
  WriteFileBytes(broken, "<SecDb>\n</Sec>");
  const std::string firewall = dir.File("firewall.xml");
  WriteFileBytes(firewall, Document("Firewall"));
  const std::string missing = dir.File("missing.xml");
  const std::string unwritable = dir.File("no/such/dir.xml");
  struct Case {
    std::function<HRESULT(ISDParser*)> call;
    std::string source;
    std::string description;
  };
  const Case cases[] = {
      {[](ISDParser* p) { return p->put_Version(5); }, "CTestParser::put_Version()",
       std::string(testing::kReadOnlyText)},
      {[](ISDParser* p) { return p->New(); }, "CTestParser::New()",
       std::string(testing::kReadOnlyText)},
      {[&](ISDParser* p) { return p->Load(missing, 0); }, "CTestParser::ReportParseError",
       "XML file " + missing + " was not found."},
      {[&](ISDParser* p) { return p->Load(broken, 0); }, "CTestParser::error",
       "Fatal Error\nFile:\t\t" + broken + "\nLine number:\t2\nMessage:\t\tmismatched tag"},
      {[&](ISDParser* p) { return p->Load(firewall, 0); }, "CDbContentHandlerTest::StartElement()",
       "Required attribute is missing. Wrong Module id."},
      {[&](ISDParser* p) { return p->Save(unwritable); }, "CTestParser::Save()",
       "The file " + unwritable + " could not be written."},
  };
  testing::ScopedDebugLogCapture log;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    ComPtr<ISDParser> parser = Create();
    ASSERT_OK(parser->put_ReadOnly(c.description == testing::kReadOnlyText));
    EXPECT_TRUE(Failed(c.call(parser.get())));
    EXPECT_TRUE(testing::Reported(log, c.source, c.description));
  }
}

// Whatever the bytes, Load answers with a code and a record: no crash, hang
// or unbounded memory (the sanitizer build runs this too). Each row states
// the start of the description its failure gives ("" for a load that may
// succeed).
TEST(ParserTest, BadInputFailsCleanly) {
  std::string nested;
  for (int i = 0; i < 1000000; ++i) nested += "<a>";
  const std::string valid = Document("Test");
  const std::string kFatal = "Fatal Error\nFile:\t\t";
  struct Case {
    const char* name;
    std::string bytes;
    std::string description;
  };
  const Case cases[] = {
      {"empty", "", kFatal},
      {"mark only", std::string("\xFF\xFE", 2), kFatal},
      {"truncated UTF-16", Utf16Image(valid).substr(0, 41), kFatal},
      {"odd byte count", Utf16Image(valid) + "x", ""},
      {"NUL ends the text", std::string("<SecDb>\0</SecDb>", 16), kFatal},
      {"invalid UTF-8", "<SecDb><Custom a=\"\xC3\x28\"/></SecDb>", kFatal},
      {"a million nested elements", "<SecDb>" + nested, kFatal},
      {"4 MiB attribute", "<SecDb><Custom a=\"" + std::string(4 << 20, 'x') + "\"/></SecDb>", ""},
      {"entity declarations",
       "<!DOCTYPE d [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]><SecDb>&b;</SecDb>", kFatal},
      {"external DTD", "<!DOCTYPE d SYSTEM \"/etc/passwd\"><SecDb/>", ""},
      {"attribute defaults", "<!DOCTYPE d [<!ATTLIST Rule disabled CDATA \"1\">]><SecDb/>", kFatal},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File(c.name);
    WriteFileBytes(path, c.bytes);
    ComPtr<ISDParser> parser = Create();
    HRESULT hr = parser->Load(path, 0);
    const std::string description = TakeRecord().description;
    if (c.description.empty()) {
      EXPECT_TRUE(Succeeded(hr) || !description.empty());
      continue;
    }
    EXPECT_TRUE(Failed(hr));
    EXPECT_EQ(description.rfind(c.description, 0), 0u) << description;
    if (c.bytes.find("<!DOCTYPE d [") == 0) {
      EXPECT_NE(description.find("Document type declarations are not allowed."), std::string::npos)
          << description;
    }
  }
}

}  // namespace
}  // namespace xmlsecdb
