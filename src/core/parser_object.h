// ParserObject<I>: the COM identity of a parser whose interface is I.
//
// It implements I (ISDParser and, for kinds that have it, XmlEx),
// ISupportErrorInfo, IConnectionPointContainer, ISDParserLists,
// ISDParserLoad and ISDParserRecovery by forwarding to
// ParserCore. A kind's parser derives from it and adds its lists.
#ifndef XMLSECDB_CORE_PARSER_OBJECT_H_
#define XMLSECDB_CORE_PARSER_OBJECT_H_

#include <type_traits>
#include <utility>

#include "core/parser.h"
#include "core/parser_dispatch.h"
#include "platform/dispatch_object.h"
#include "xmlsecdb/parsers.h"

namespace xmlsecdb {

template <class Interface>
class ParserObject : public DispatchObject<Interface, ISupportErrorInfo, IConnectionPointContainer,
                                           ISDParserLists, ISDParserLoad, ISDParserRecovery>,
                     public ParserCore {
 public:
  HRESULT Load(std::string_view path, std::int32_t read_only) override {
    return LoadDatabase(path, read_only);
  }
  HRESULT Save(std::string_view path) override { return SaveDatabase(path); }
  HRESULT New() override { return NewDatabase(); }
  HRESULT get_Module(std::int32_t* module) override { return GetModule(module); }
  HRESULT get_Version(std::int32_t* version) override { return GetVersion(version); }
  HRESULT put_Version(std::int32_t version) override { return PutVersion(version); }
  HRESULT get_ParserVersion(std::int32_t* version) override { return GetParserVersion(version); }
  HRESULT SetMasterParser(IDispatch* master) override {
    return SetMaster(master, this->unknown());
  }
  HRESULT get_Xml(std::string* xml) override { return GetXml({}, xml); }
  HRESULT get_ReadOnly(std::int32_t* read_only) override { return GetReadOnly(read_only); }
  HRESULT put_ReadOnly(std::int32_t read_only) override { return PutReadOnly(read_only); }
  HRESULT put_CryptKey(std::string_view key) override { return PutCryptKey(key); }
  HRESULT get_FilePath(std::string* path) override { return GetFilePath(path); }

  HRESULT InterfaceSupportsErrorInfo(const IID& iid) override { return SupportsErrorInfo(iid); }
  HRESULT FindConnectionPoint(const IID& iid, IConnectionPoint** point) override {
    return FindEvents(iid, point);
  }
  HRESULT get_ListCount(std::int32_t* count) override { return GetListCount(count); }
  HRESULT GetList(std::int32_t index, std::string* property, ISDCollection** list) override {
    return GetListAt(index, property, list);
  }
  HRESULT GetListSection(std::int32_t index, std::string* section) override {
    return GetListSectionAt(index, section);
  }
  HRESULT GetListCombinedSection(std::int32_t index, std::string* section) override {
    return GetListSectionAt(index, section, true);
  }
  HRESULT LoadImage(std::string_view bytes, std::string_view name,
                    std::int32_t read_only) override {
    return LoadDatabaseImage(bytes, name, read_only);
  }
  HRESULT GetLoadErrorLocation(LoadErrorLocation* location) override {
    return GetErrorLocation(location);
  }
  HRESULT GetLastRestore(RestoreInfo* restore) override {
    return ParserCore::GetLastRestore(restore);
  }

 protected:
  // Forwards to ParserCore, and names the events of the kind's interface
  // on the connection point (EventTableFor, core/parser_dispatch.h).
  template <class... Args>
  explicit ParserObject(Args&&... args) : ParserCore(std::forward<Args>(args)...) {
    this->events().set_event_table(EventTableFor(this->primary()));
  }

  void* QueryExtra(const IID& iid) override {
    return iid == kParserCoreIID ? static_cast<ParserCore*>(this) : nullptr;
  }
};

// For interfaces that extend ISDParserEx.
template <class Interface>
class ParserObjectEx : public ParserObject<Interface> {
 public:
  static_assert(std::is_base_of_v<ISDParserEx, Interface>);
  HRESULT XmlEx(std::string_view section, std::string* xml) override {
    return this->GetXml(section, xml);
  }

 protected:
  using ParserObject<Interface>::ParserObject;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_PARSER_OBJECT_H_
