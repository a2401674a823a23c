// The interface every database parser implements.
//
// A parser is the root of one security database: create it (see
// xmlsecdb/xmlsecdb.h), Load a file or start New, walk and edit its lists
// through the kind's own interface (ISDParserAM, ...), and Save. Each kind
// also answers IConnectionPointContainer (its load/save and change events)
// and ISupportErrorInfo. Parsers are apartment-threaded: call one from the
// thread that created it.
#ifndef XMLSECDB_PARSER_H_
#define XMLSECDB_PARSER_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

// Module ids: one bit per kind of database.
enum EModuleId : std::int32_t {
  MODULE_SBX = 1,
  MODULE_FW = 2,
  MODULE_CF = 4,
  MODULE_IDS = 16,
  MODULE_APP = 64,
  MODULE_EXEWATCH = 128,  // a module of the agent without a parser here
  MODULE_AM = 256,
  MODULE_DI = 512,
};

constexpr std::int32_t kParserVersion = 0x00010001;  // 1.1
constexpr std::int32_t kInitialDatabaseVersion = 0x00010000;  // 1.0

// The load and save events every parser raises (no arguments).
enum EParserEventDispid : DISPID {
  DISPID_OnBeforeLoad = 1,
  DISPID_OnAfterLoad = 2,
  DISPID_OnBeforeSave = 3,
  DISPID_OnAfterSave = 4,
};

struct ISDParser : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0001-4000-8000-5EC0DB000001}");
  using Base = IDispatch;

  // Reads the database at `path`. S_FALSE when the same file was loaded
  // before and its directory saw no change since: nothing was read. The
  // read-only flag is set from `read_only` whatever the outcome.
  [[nodiscard]] virtual HRESULT Load(std::string_view path, std::int32_t read_only) = 0;
  // Writes the database to `path`, or to FilePath when `path` is empty.
  [[nodiscard]] virtual HRESULT Save(std::string_view path) = 0;
  // Empties the model; keeps FilePath, the key, read-only and the master.
  [[nodiscard]] virtual HRESULT New() = 0;
  [[nodiscard]] virtual HRESULT get_Module(std::int32_t* module) = 0;
  // Major version in the high 16 bits, minor in the low 16 bits.
  [[nodiscard]] virtual HRESULT get_Version(std::int32_t* version) = 0;
  [[nodiscard]] virtual HRESULT put_Version(std::int32_t version) = 0;
  [[nodiscard]] virtual HRESULT get_ParserVersion(std::int32_t* version) = 0;
  // For the agent's own use: makes this parser's rule lists generate
  // negative identifiers. E_NOINTERFACE (and no master) for a parser of a
  // kind this one does not accept.
  [[nodiscard]] virtual HRESULT SetMasterParser(IDispatch* master) = 0;
  // The whole database as XML text; touches no file, key or event.
  [[nodiscard]] virtual HRESULT get_Xml(std::string* xml) = 0;
  [[nodiscard]] virtual HRESULT get_ReadOnly(std::int32_t* read_only) = 0;
  [[nodiscard]] virtual HRESULT put_ReadOnly(std::int32_t read_only) = 0;
  // The file key as hexadecimal text ("BinaryHex"); empty means none.
  [[nodiscard]] virtual HRESULT put_CryptKey(std::string_view key) = 0;
  // The path of the last successful Load or Save ("" before any).
  [[nodiscard]] virtual HRESULT get_FilePath(std::string* path) = 0;
};

// Parsers that can write a single section.
struct ISDParserEx : ISDParser {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0002-4000-8000-5EC0DB000002}");
  using Base = ISDParser;

  // Xml restricted to one section ("RuleList", "Custom", ...); an empty
  // name gives every section, an unknown one the frame alone.
  [[nodiscard]] virtual HRESULT XmlEx(std::string_view section, std::string* xml) = 0;
};

// A parser's top-level lists, for tools that treat every kind alike.
struct ISDParserLists : IUnknown {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0003-4000-8000-5EC0DB000003}");
  using Base = IUnknown;

  [[nodiscard]] virtual HRESULT get_ListCount(std::int32_t* count) = 0;
  // The list at 0-based `index`, in the order a save writes them, with the
  // name of the parser property that exposes it ("RuleList").
  [[nodiscard]] virtual HRESULT GetList(std::int32_t index, std::string* property,
                                        ISDCollection** list) = 0;
  // The section element that holds the list at `index` ("Globals" for
  // GlobalOptions): the name XmlEx selects it by.
  [[nodiscard]] virtual HRESULT GetListSection(std::int32_t index, std::string* section) = 0;
  // A further name XmlEx selects the list at `index` by, together with
  // other lists ("LabelAll" for labels and groups); empty when it has none.
  [[nodiscard]] virtual HRESULT GetListCombinedSection(std::int32_t index,
                                                       std::string* section) = 0;
};

// Where a load failed on the content of its file.
struct LoadErrorLocation {
  std::int32_t line = 0;    // 1-based
  std::int32_t column = 0;  // 1-based, in characters
  // The element that failed the load ("Rule"); empty for malformed XML.
  std::string element;
  // The `id` of that element, or of the nearest element around it that
  // has one (the rule of a failing descriptor), and the name of the
  // element it belongs to; both empty when none has.
  std::string item_id;
  std::string item_element;
};

// Loading from bytes already in memory, and where the last load failed:
// for tools that read pipes and point at the faulty line.
struct ISDParserLoad : IUnknown {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-0004-4000-8000-5EC0DB000004}");
  using Base = IUnknown;

  // Loads the database from `bytes`, the whole content of a database file,
  // as Load reads a file: decrypted with the key when one is set, and with
  // `name` where the messages name the file. No file is touched: no backup
  // is kept or restored, no watch is armed, FilePath stays as it was.
  // Raises OnBeforeLoad and OnAfterLoad and sets the read-only flag as Load.
  [[nodiscard]] virtual HRESULT LoadImage(std::string_view bytes, std::string_view name,
                                          std::int32_t read_only) = 0;
  // Where the last Load or LoadImage failed: S_OK and *location filled
  // when it stopped on an element or on malformed XML; S_FALSE and an empty
  // location when it succeeded or failed before reading any XML (a file
  // that cannot be opened or decrypted). E_POINTER for a null `location`.
  [[nodiscard]] virtual HRESULT GetLoadErrorLocation(LoadErrorLocation* location) = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PARSER_H_
