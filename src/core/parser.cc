#include "core/parser.h"

#include "core/database_image.h"
#include "core/error_report.h"
#include "core/messages.h"
#include "core/recovery.h"
#include "core/return_if_failed.h"
#include "platform/debug_log.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb {

ParserCore::ParserCore(const ParserKind& kind)
    : kind_(kind),
      env_(&ProcessEnv()),
      handler_(this),
      engine_(std::make_unique<CCryptEngineAPI>(*env_->crypto)),
      events_(MakeObject<ConnectionPoint>(*kind.events_iid)) {
  DebugLog("ZelXmlSd: %.*s object created\n", static_cast<int>(kind_.coclass.size()),
           kind_.coclass.data());
}

ParserCore::~ParserCore() {
  DebugLog("ZelXmlSd: %.*s object destructed\n", static_cast<int>(kind_.coclass.size()),
           kind_.coclass.data());
}

void ParserCore::UseEnv(const Env& env) {
  env_ = &env;
  engine_ = std::make_unique<CCryptEngineAPI>(*env.crypto);
  watch_.reset();
  watching_ = false;
}

std::string ParserCore::Name(std::string_view method) const {
  std::string name(kind_.class_name);
  name += "::";
  name += method;
  return name;
}

std::string ParserCore::Source(std::string_view method) const { return Name(method) + "()"; }

void ParserCore::FireEvent(DISPID dispid, std::initializer_list<Variant> args) {
  if (events_enabled_) events_->Fire(dispid, args);
}

HRESULT ParserCore::CheckWritable(std::string_view source) const {
  if (!read_only_) return S_OK;
  return ReportError(source, *kind_.clsid, kMsgReadOnly, *kind_.parser_iid, SECDB_E_READONLY);
}

void ParserCore::SortListsIfModified() {
  if ((modified_ & (kModifiedRules | kModifiedDefinitions)) == 0) return;
  SortRuleLists();
  modified_ &= ~(kModifiedRules | kModifiedDefinitions);
}

HRESULT ParserCore::LoadDatabase(std::string_view path, std::int32_t read_only) {
  read_only_ = 0;
  FireEvent(DISPID_OnBeforeLoad);
  HRESULT hr = LoadBase(std::string(path));
  read_only_ = read_only;
  FireEvent(DISPID_OnAfterLoad);
  return hr;
}

HRESULT ParserCore::LoadFile(const std::string& path) {
  return RunLoad([this, &path] { return LoadImpl(path); });
}

HRESULT ParserCore::BackupLoads(std::string_view bytes, const std::string& name) {
  // A parser of the same kind, key and environment, which nobody else sees:
  // the backup is tried without touching this parser's model.
  ComPtr<IUnknown> created;
  void* raw = nullptr;
  HRESULT hr = CoCreateInstance(*kind_.clsid, nullptr, 0, IUnknown::kIID,
                                reinterpret_cast<void**>(created.Put()));
  if (Succeeded(hr)) hr = created->QueryInterface(kParserCoreIID, &raw);
  if (Failed(hr)) return hr;
  created->Release();  // the reference the query added; `created` keeps one
  ParserCore& scratch = *static_cast<ParserCore*>(raw);
  scratch.UseEnv(*env_);
  scratch.crypt_key_ = crypt_key_;
  return scratch.RunLoad([&scratch, bytes, &name] { return scratch.ParseImage(bytes, name); });
}

HRESULT ParserCore::GetLastRestore(RestoreInfo* restore) const {
  if (!restore) return E_POINTER;
  *restore = last_restore_;
  return Failed(last_restore_.error) ? S_OK : S_FALSE;
}

HRESULT ParserCore::LoadBase(const std::string& path) {
  last_restore_ = {};
  if (path.empty()) return E_INVALIDARG;
  if (path == file_path_ && watching_) {
    // Without a watch (the directory could not be watched) the file is
    // read again: S_FALSE would keep an old model forever.
    if (watch_ && !watch_->Signalled()) return S_FALSE;
    ArmWatch(path);
    watching_ = false;
  }
  Recovery recovery(*env_, path);
  HRESULT hr = LoadFile(path);
  if (Failed(hr) &&
      recovery.Restore(hr, load_failure_, [this](std::string_view bytes, const std::string& name) {
        return BackupLoads(bytes, name);
      })) {
    hr = LoadFile(path);
  } else if (Succeeded(hr)) {
    recovery.RefreshBackup();
  }
  last_restore_ = recovery.restore();
  if (Succeeded(hr)) {
    file_path_ = path;
    watching_ = true;
    ArmWatch(path);
  }
  return hr;
}

HRESULT ParserCore::LoadText(std::string_view text) {
  // No file is involved: the file path, the watch, the backup and the key
  // stay as they are. The watch stays off (New cleared it), so that a Load
  // of the file path afterwards reads the file instead of keeping this
  // text's model as if it were the unchanged file.
  return RunLoad([this, text] {
    BeginParse({});
    return ParseResult(reader_.Parse(text.data(), text.size()));
  });
}

HRESULT ParserCore::LoadDatabaseImage(std::string_view bytes, std::string_view name,
                                      std::int32_t read_only) {
  read_only_ = 0;
  FireEvent(DISPID_OnBeforeLoad);
  last_restore_ = {};
  HRESULT hr = RunLoad([this, bytes, name] { return ParseImage(bytes, name); });
  read_only_ = read_only;
  FireEvent(DISPID_OnAfterLoad);
  return hr;
}

HRESULT ParserCore::ParseImage(std::string_view bytes, std::string_view name) {
  BeginParse(std::string(name));
  if (crypt_key_.empty()) return ParseResult(reader_.Parse(bytes.data(), bytes.size()));
  HRESULT result = ApplyCryptKey(Source("LoadImage"));
  if (Failed(result)) return result;
  std::string image;
  // Bytes that do not decrypt cannot be parsed, as for a file.
  if (!DecryptDatabaseImage(*engine_, bytes, &image)) return ParseResult(E_FAIL);
  return ParseResult(reader_.Parse(image.data(), image.size()));
}

HRESULT ParserCore::GetErrorLocation(LoadErrorLocation* location) const {
  if (!location) return E_POINTER;
  *location = error_location_;
  return error_location_.line > 0 ? S_OK : S_FALSE;
}

void ParserCore::NoteErrorLocation(LoadErrorLocation location) {
  if (error_location_.line == 0) error_location_ = std::move(location);
}

HRESULT ParserCore::RunLoad(const std::function<HRESULT()>& parse) {
  error_location_ = {};
  reader_.set_content_handler(&handler_);
  reader_.set_error_handler(this);
  if (kind_.events_off_while_loading) events_enabled_ = false;
  (void)NewDatabase();

  // A stale record from an earlier call must not pass for this parse's.
  ClearErrorRecord();
  HRESULT hr = parse();
  // A load that recovered from its backup did not fail.
  if (Succeeded(hr)) error_location_ = {};

  if (kind_.events_off_while_loading) events_enabled_ = true;
  reader_.set_content_handler(nullptr);
  reader_.set_error_handler(nullptr);
  return hr;
}

void ParserCore::ArmWatch(const std::string& path) {
  // A path without a directory part is watched in the current directory:
  // without any watch, a repeated Load would never see the file change.
  watch_.reset();
  watch_ = env_->file_system->WatchDirectory(DirectoryOf(path));
}

void ParserCore::BeginParse(const std::string& path) {
  parse_path_ = path;
  failure_reported_ = false;
  malformed_ = false;
}

HRESULT ParserCore::LoadImpl(const std::string& path) {
  // The schema hook attaches nothing: every check is the handlers' own.
  BeginParse(path);
  load_failure_ = LoadFailure::kNone;
  HRESULT hr = crypt_key_.empty() ? ParsePlainFile(path) : ParseEncryptedFile(path);
  if (Failed(hr) && load_failure_ == LoadFailure::kNone) {
    load_failure_ = malformed_ ? LoadFailure::kDamaged : LoadFailure::kContent;
  }
  return ParseResult(hr);
}

HRESULT ParserCore::ParsePlainFile(const std::string& path) {
  FileSystem& files = *env_->file_system;
  std::unique_ptr<SequentialFile> file;
  if (HRESULT opened = files.NewSequentialFile(path, &file); Failed(opened)) {
    load_failure_ = opened == kFileNotFound ? LoadFailure::kMissing : LoadFailure::kUnreadable;
    return INET_E_RESOURCE_NOT_FOUND;
  }
  HRESULT hr = reader_.ParseFile(*file);
  if (hr == INET_E_RESOURCE_NOT_FOUND) {
    load_failure_ = LoadFailure::kUnreadable;  // a read failed midway
  } else if (hr == SaxReader::kNotMarkup) {
    // No markup at all: a damaged file, unless it has the length of an
    // encrypted one, which only wants its key.
    std::string bytes;
    load_failure_ = Succeeded(files.ReadWholeFile(path, &bytes)) && WholeCipherBlocks(bytes)
                        ? LoadFailure::kKey
                        : LoadFailure::kDamaged;
  }
  return hr;
}

HRESULT ParserCore::ParseEncryptedFile(const std::string& path) {
  RETURN_IF_FAILED(ApplyCryptKey(Source("Load")));
  std::string bytes;
  if (HRESULT read = env_->file_system->ReadWholeFile(path, &bytes); Failed(read)) {
    if (read == kFileNotFound) {
      load_failure_ = LoadFailure::kMissing;
      return INET_E_RESOURCE_NOT_FOUND;
    }
    // The file is there but cannot be read: it cannot be parsed.
    load_failure_ = LoadFailure::kUnreadable;
    return E_FAIL;
  }
  // A length the cipher never produces is damage; bytes of the right
  // length that do not decrypt, or decrypt to no markup, want another key.
  if (!WholeCipherBlocks(bytes)) {
    load_failure_ = LoadFailure::kDamaged;
    return E_FAIL;
  }
  std::string image;
  if (!DecryptDatabaseImage(*engine_, bytes, &image)) {
    load_failure_ = LoadFailure::kKey;
    return E_FAIL;
  }
  std::string().swap(bytes);
  HRESULT hr = reader_.Parse(image.data(), image.size());
  if (hr == SaxReader::kNotMarkup) load_failure_ = LoadFailure::kKey;
  return hr;
}

bool ParserCore::WholeCipherBlocks(std::string_view bytes) const {
  const std::uint32_t block = env_->crypto->BlockLength();
  return !bytes.empty() && block != 0 && bytes.size() % block == 0;
}

HRESULT ParserCore::ParseResult(HRESULT hr) {
  if (Succeeded(hr)) return S_OK;
  // Bytes that are no XML text at all fail as an unparsable file.
  if (hr == SaxReader::kNotMarkup) hr = E_FAIL;
  return ReportParseError(hr);
}

HRESULT ParserCore::ApplyCryptKey(std::string_view source) {
  std::vector<std::uint8_t> key;
  if (!DecodeBinaryHex(crypt_key_, &key)) {
    return ReportErrorText(source, *kind_.clsid,
                           "The key is not BinaryHex text: it needs an even number of "
                           "hexadecimal digits.",
                           *kind_.parser_iid, E_INVALIDARG);
  }
  (void)engine_->SetKey(key.empty() ? nullptr : key.data(), static_cast<std::uint32_t>(key.size()));
  return S_OK;
}

HRESULT ParserCore::FatalError(int line, std::string_view message, HRESULT) {
  // The first failure reported during the parse is the one the client sees.
  if (failure_reported_) return E_FAIL;
  failure_reported_ = true;
  malformed_ = true;
  NoteErrorLocation({line, handler_.column(), {}, {}, {}});
  std::string text = FormatText(std::string(LoadMessage(kMsgFatalError)).c_str(),
                                parse_path_.c_str(), line, std::string(message).c_str());
  return ReportErrorText(Name("error"), *kind_.clsid, text, *kind_.parser_iid, E_FAIL);
}

HRESULT ParserCore::ReportParseError(HRESULT result) {
  // A failure noted as reported that left no record at all (a section's
  // plain failure code) still gets the general message below.
  if (failure_reported_ && HasErrorRecord()) return result;
  failure_reported_ = true;
  std::string text;
  if (result == INET_E_RESOURCE_NOT_FOUND) {
    text = FormatText(std::string(LoadMessage(kMsgFileNotFound)).c_str(), parse_path_.c_str());
  } else {
    text = LoadMessage(kMsgCannotParse);
  }
  return ReportErrorText(Name("ReportParseError"), *kind_.clsid, text, *kind_.parser_iid, result);
}

void ParserCore::ClearLists() {
  for (Section* section : sections_) section->Clear();
}

HRESULT ParserCore::NewDatabase() {
  HRESULT hr = CheckWritable(Source("New"));
  if (Failed(hr)) return hr;
  watching_ = false;
  ClearLists();
  custom_.Clear();
  version_ = kInitialDatabaseVersion;
  return S_OK;
}

HRESULT ParserCore::GetVersion(std::int32_t* version) const {
  if (!version) return E_POINTER;
  *version = version_;
  return S_OK;
}

HRESULT ParserCore::PutVersion(std::int32_t version) {
  HRESULT hr = CheckWritable(Source("put_Version"));
  if (Failed(hr)) return hr;
  version_ = version;
  return S_OK;
}

HRESULT ParserCore::GetModule(std::int32_t* module) const {
  if (!module) return E_POINTER;
  *module = kind_.module_id;
  return S_OK;
}

HRESULT ParserCore::GetParserVersion(std::int32_t* version) const {
  if (!version) return E_POINTER;
  *version = kParserVersion;
  return S_OK;
}

HRESULT ParserCore::SetMaster(IDispatch* master, IUnknown* self) {
  HRESULT hr = CheckWritable(Source("SetMasterParser"));
  if (Failed(hr)) return hr;
  if (!master) return E_POINTER;
  IUnknown* identity = nullptr;
  if (Succeeded(master->QueryInterface(IUnknown::kIID, reinterpret_cast<void**>(&identity)))) {
    identity->Release();
    if (identity == self) {
      return ReportErrorText(Source("SetMasterParser"), *kind_.clsid,
                             "A parser cannot be its own master parser.", *kind_.parser_iid,
                             E_INVALIDARG);
    }
  }
  IUnknown* found = nullptr;
  hr = master->QueryInterface(*kind_.master_iid, reinterpret_cast<void**>(&found));
  master_ = ComPtr<IUnknown>::Adopt(Succeeded(hr) ? found : nullptr);
  return hr;
}

HRESULT ParserCore::GetReadOnly(std::int32_t* read_only) const {
  if (!read_only) return E_POINTER;
  *read_only = read_only_;
  return S_OK;
}

HRESULT ParserCore::PutReadOnly(std::int32_t read_only) {
  read_only_ = read_only;
  return S_OK;
}

HRESULT ParserCore::PutCryptKey(std::string_view key) {
  crypt_key_ = key;
  return S_OK;
}

HRESULT ParserCore::GetFilePath(std::string* path) const {
  if (!path) return E_POINTER;
  *path = file_path_;
  return S_OK;
}

HRESULT ParserCore::SupportsErrorInfo(const IID& iid) const {
  return iid == *kind_.parser_iid ? S_OK : S_FALSE;
}

HRESULT ParserCore::FindEvents(const IID& iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!(iid == *kind_.events_iid)) return CONNECT_E_NOCONNECTION;
  return ComPtr<IConnectionPoint>(events_).CopyTo(point);
}

HRESULT ParserCore::GetListCount(std::int32_t* count) const {
  if (!count) return E_POINTER;
  *count = static_cast<std::int32_t>(sections_.size());
  return S_OK;
}

HRESULT ParserCore::GetListAt(std::int32_t index, std::string* property,
                              ISDCollection** list) const {
  if (!property || !list) return E_POINTER;
  *list = nullptr;
  if (index < 0 || static_cast<std::size_t>(index) >= sections_.size()) return E_INVALIDARG;
  Section* section = sections_[static_cast<std::size_t>(index)];
  *property = section->property();
  *list = section->collection();
  if (*list) (*list)->AddRef();
  return S_OK;
}

HRESULT ParserCore::GetListSectionAt(std::int32_t index, std::string* section,
                                     bool combined) const {
  if (!section) return E_POINTER;
  if (index < 0 || static_cast<std::size_t>(index) >= sections_.size()) return E_INVALIDARG;
  const Section* at = sections_[static_cast<std::size_t>(index)];
  *section = combined ? at->combined_name() : at->element();
  return S_OK;
}

}  // namespace xmlsecdb
