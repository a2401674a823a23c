// ParserCore: the state and behaviour every database parser shares — the
// load/save/new lifecycle, the read-only flag, the key, the change watch,
// the load and save events, the version and the custom store.
//
// A kind's parser class derives from ParserObject<ISDParserXX> (which adds
// the COM identity and forwards the interface to this class) and overrides
// the hooks: its lists, its sections, its content handler.
//
// Apartment-threaded: one thread at a time.
#ifndef XMLSECDB_CORE_PARSER_H_
#define XMLSECDB_CORE_PARSER_H_

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/content_handler.h"
#include "core/crypt_engine.h"
#include "core/custom_store.h"
#include "core/parser_kind.h"
#include "core/recovery.h"
#include "core/section.h"
#include "platform/connection_point.h"
#include "platform/env.h"
#include "platform/file_system.h"
#include "platform/sax_reader.h"
#include "xmlsecdb/parser.h"
#include "xmlsecdb/restore.h"

namespace xmlsecdb {

class XmlWriter;

// Answered by every parser object with its ParserCore (not an interface:
// the library's own way from a parser it created to its state).
inline constexpr IID kParserCoreIID = MakeGuid("{5EC0DB00-00FF-4000-8000-5EC0DB0000FF}");

class ParserCore : private SaxErrorHandler {
 public:
  const ParserKind& kind() const { return kind_; }
  std::int32_t module_id() const { return kind_.module_id; }
  bool read_only() const { return read_only_ != 0; }
  bool has_master() const { return static_cast<bool>(master_); }
  CustomStore& custom_store() { return custom_; }
  void set_version(std::int32_t version) { version_ = version; }
  std::int32_t version() const { return version_; }
  ConnectionPoint& events() { return *events_; }
  // The kind's sections, in the order a save writes them.
  const std::vector<Section*>& sections() const { return sections_; }

  // Raises an event on the kind's event interface when events are enabled.
  void FireEvent(DISPID dispid, std::initializer_list<Variant> args = {});

  // The services the parser uses: the process's environment unless given
  // another. `env` must outlive the parser; the key is kept, the change
  // watch is dropped (the next Load reads the file).
  const Env& env() const { return *env_; }
  void UseEnv(const Env& env);

  // The read-only guard of every modifying call: S_OK, or message 111
  // reported with `source` on the kind's parser interface.
  HRESULT CheckWritable(std::string_view source) const;

  // The modified flags: changes of rules set kModifiedRules, changes of
  // definition ids and types kModifiedDefinitions. While either is set, the
  // next write re-sorts the kind's rule lists (SortRuleLists) and clears
  // both.
  static constexpr std::uint32_t kModifiedRules = 0x1;
  static constexpr std::uint32_t kModifiedDefinitions = 0x2;
  std::uint32_t modified_flags() const { return modified_; }
  void MarkModified(std::uint32_t bits) { modified_ |= bits; }
  void SortListsIfModified();

 protected:
  explicit ParserCore(const ParserKind& kind);
  virtual ~ParserCore();

  // Registers one of the kind's sections (owned by the kind's parser), in
  // the order a save writes them.
  void AddSection(Section* section) { sections_.push_back(section); }

  // ISDParser behaviour.
  HRESULT LoadDatabase(std::string_view path, std::int32_t read_only);
  HRESULT SaveDatabase(std::string_view path);
  HRESULT NewDatabase();
  HRESULT GetVersion(std::int32_t* version) const;
  HRESULT PutVersion(std::int32_t version);
  HRESULT GetModule(std::int32_t* module) const;
  HRESULT GetParserVersion(std::int32_t* version) const;
  // `self` is this parser's identity: a parser is never its own master
  // (it would hold itself and never be freed).
  HRESULT SetMaster(IDispatch* master, IUnknown* self);
  HRESULT GetXml(std::string_view section, std::string* xml);
  HRESULT GetReadOnly(std::int32_t* read_only) const;
  HRESULT PutReadOnly(std::int32_t read_only);
  HRESULT PutCryptKey(std::string_view key);
  HRESULT GetFilePath(std::string* path) const;
  HRESULT SupportsErrorInfo(const IID& iid) const;
  HRESULT FindEvents(const IID& iid, IConnectionPoint** point);
  HRESULT GetListCount(std::int32_t* count) const;
  HRESULT GetListAt(std::int32_t index, std::string* property, ISDCollection** list) const;
  // The section's element name, or with `combined` its combined name.
  HRESULT GetListSectionAt(std::int32_t index, std::string* section, bool combined = false) const;
  HRESULT LoadDatabaseImage(std::string_view bytes, std::string_view name, std::int32_t read_only);
  HRESULT GetErrorLocation(LoadErrorLocation* location) const;
  HRESULT GetLastRestore(RestoreInfo* restore) const;

  // Loads the database from `text` (a whole document in memory, UTF-8 or
  // marked UTF-16) the way LoadDatabase loads a file — handlers, the kind's
  // event switch, New, the parse and its error report — but touches no file
  // path, watch, backup or key, and raises no event (the caller does).
  HRESULT LoadText(std::string_view text);

  // Kind hooks, for kinds whose sections need more than the default walk
  // over sections(): emptying every section for New, and writing the
  // selected ones (`section` empty means all) between the frame and the
  // custom sections.
  virtual void ClearLists();
  virtual HRESULT WriteSections(XmlWriter& writer, std::string_view section);
  // Called by the default WriteSections before each selected section.
  virtual void BeforeSectionWrite(const Section&) {}
  // Puts the kind's rule lists back in comparison order (see
  // SortListsIfModified).
  virtual void SortRuleLists() {}

  // The kind's master interface, when one is set.
  IUnknown* master() const { return master_.get(); }

 private:
  // Load's steps: one load of the file, and, when it fails on damage, the
  // restore of the backup (see Recovery) and a second load.
  HRESULT LoadBase(const std::string& path);
  HRESULT LoadFile(const std::string& path);
  // Whether `bytes` (the backup `name`) load in a parser of this kind with
  // this key and environment; this parser is not touched.
  HRESULT BackupLoads(std::string_view bytes, const std::string& name);
  // One parse of a whole image in memory, decrypted with the key.
  HRESULT ParseImage(std::string_view bytes, std::string_view name);
  // The steps every load shares around `parse`: the reader's handlers
  // attached, item events off for kinds that load without them, the model
  // emptied, the error record cleared; then all undone.
  HRESULT RunLoad(const std::function<HRESULT()>& parse);
  // The result of a parse: S_OK, or the failure with its error record.
  HRESULT ParseResult(HRESULT hr);
  HRESULT SaveBase(const std::string& path);
  // Save's two ways to the file: without a key the text is encoded and
  // written as it is produced; with one, the whole image is built and
  // encrypted first (the cipher takes it whole).
  HRESULT StreamPlainFile(const std::string& path);
  HRESULT WriteEncryptedFile(const std::string& path);
  HRESULT ReportWriteFailure(const std::string& path, HRESULT hr);
  HRESULT WriteDocument(XmlWriter& writer, std::string_view section);
  HRESULT ProduceText(std::string_view section, std::string_view source, std::string* text);
  // One parse of the file; notes why it failed in load_failure_.
  HRESULT LoadImpl(const std::string& path);
  HRESULT ParsePlainFile(const std::string& path);
  HRESULT ParseEncryptedFile(const std::string& path);
  // Whether `bytes` have a length the cipher produces.
  bool WholeCipherBlocks(std::string_view bytes) const;
  // Starts one parse of `path` ("" for text in memory): no failure of it
  // has been reported yet.
  void BeginParse(const std::string& path);
  // Called by the content handler when a section or a header check failed:
  // the failure was reported there, and its record is the parse's.
  void NoteFailureReported() { failure_reported_ = true; }
  HRESULT ReportParseError(HRESULT result);
  HRESULT ApplyCryptKey(std::string_view source);
  // Notes where the running load failed, unless an earlier failure of the
  // same load was noted (the content handler and the XML error handler).
  void NoteErrorLocation(LoadErrorLocation location);
  void ArmWatch(const std::string& path);
  // "CAMParser::<method>", and the same with "()" as most sources have it.
  std::string Name(std::string_view method) const;
  std::string Source(std::string_view method) const;

  // SaxErrorHandler
  HRESULT FatalError(int line, std::string_view message, HRESULT code) override;

  const ParserKind& kind_;
  const Env* env_;
  SaxReader reader_;
  std::string parse_path_;
  // Whether the current parse reported its failure already. The thread's
  // error record cannot tell: an event sink called during the load may have
  // left one of its own.
  bool failure_reported_ = false;
  // Whether the current parse failed on malformed XML (or a refusal of the
  // reader), and why the last file load failed.
  bool malformed_ = false;
  LoadFailure load_failure_ = LoadFailure::kNone;
  RestoreInfo last_restore_;
  std::string file_path_;
  bool watching_ = false;
  std::vector<Section*> sections_;
  CDbContentHandler handler_;
  std::int32_t read_only_ = 0;
  std::string crypt_key_;
  std::unique_ptr<CCryptEngine> engine_;
  std::unique_ptr<DirectoryWatch> watch_;  // null when not watching
  ComPtr<ConnectionPoint> events_;
  bool events_enabled_ = true;
  std::int32_t version_ = kInitialDatabaseVersion;
  CustomStore custom_;
  ComPtr<IUnknown> master_;
  std::uint32_t modified_ = 0;
  LoadErrorLocation error_location_;

  friend class CDbContentHandler;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_PARSER_H_
