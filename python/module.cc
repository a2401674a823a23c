// The Python module `xmlsecdb`: scripts open, walk, edit and save databases
// through the objects' late-binding members.
//
//   import xmlsecdb
//   db = xmlsecdb.open("am.xml")
//   for rule in db.RuleList:
//       rule.Priority = xmlsecdb.PRIOR_HIGH
//   db.Save("")
#include <pybind11/pybind11.h>
#include <xmlsecdb/xmlsecdb.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "constants.h"
#include "errors.h"
#include "events.h"
#include "object.h"

namespace xmlsecdb_python {
namespace {

namespace py = pybind11;
using namespace xmlsecdb;

const DatabaseKindInfo& KindNamed(const std::string& kind) {
  std::string lower = kind;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const DatabaseKindInfo* info = FindDatabaseKind(lower);
  if (!info) info = FindDatabaseKind(kind);
  if (!info) throw py::value_error("no kind of database is called '" + kind + "'");
  return *info;
}

std::shared_ptr<Object> CreateParser(const DatabaseKindInfo& kind) {
  IDispatch* parser = nullptr;
  ClearErrorRecord();
  HRESULT hr =
      CoCreateInstance(*kind.clsid, nullptr, 0, IDispatch::kIID, reinterpret_cast<void**>(&parser));
  if (Failed(hr)) RaiseFailure(hr);
  auto object = std::make_shared<Object>(ComPtr<IUnknown>(parser));
  parser->Release();
  return object;
}

// Calls a parser member by name, as every other call goes.
py::object CallByName(Object& parser, const std::string& name, std::uint16_t kinds,
                      std::vector<Variant> args) {
  const DispatchMemberInfo* member = parser.Find(name);
  if (!member) RaiseError(DISP_E_UNKNOWNNAME, "", "The parser has no " + name + ".");
  return parser.Call(member->dispid, kinds, std::move(args));
}

std::shared_ptr<Object> Open(const std::string& path, const py::object& kind, const py::object& key,
                             bool read_only) {
  std::string key_text = key.is_none() ? std::string() : key.cast<std::string>();
  const DatabaseKindInfo* info = nullptr;
  if (kind.is_none()) {
    std::string module_text;
    HRESULT hr = ProbeDatabaseModule(path, key_text, &module_text);
    if (Failed(hr)) {
      RaiseError(hr, "xmlsecdb.open",
                 "Cannot tell which kind of database " + path + " holds; give kind=.");
    }
    info = FindDatabaseKind(module_text);
    if (!info)
      RaiseError(E_FAIL, "xmlsecdb.open", "No parser reads the module " + module_text + ".");
  } else {
    info = &KindNamed(kind.cast<std::string>());
  }
  std::shared_ptr<Object> parser = CreateParser(*info);
  if (!key_text.empty()) {
    CallByName(*parser, "CryptKey", DISPATCH_PROPERTYPUT, {Variant(key_text)});
  }
  CallByName(*parser, "Load", DISPATCH_METHOD,
             {Variant(path), Variant(std::int32_t{read_only ? 1 : 0})});
  return parser;
}

std::shared_ptr<Object> New(const std::string& kind) {
  std::shared_ptr<Object> parser = CreateParser(KindNamed(kind));
  CallByName(*parser, "New", DISPATCH_METHOD, {});
  return parser;
}

}  // namespace
}  // namespace xmlsecdb_python

PYBIND11_MODULE(xmlsecdb, module) {
  namespace py = pybind11;
  using namespace xmlsecdb_python;
  module.doc() =
      "Reads, checks, edits and writes XML security databases.\n\n"
      "open() and new() give a parser; its attributes are the members of its\n"
      "interface (dir() lists them, each member's __doc__ gives its kind and\n"
      "DISPID). Collections index from 1, as their Item does. Failing calls\n"
      "raise Error; the enumerations and result codes are module constants.";
  DefineErrors(module);
  BindObjects(module);
  BindEvents(module);

  module.def("open", &Open, py::arg("path"), py::arg("kind") = py::none(),
             py::arg("key") = py::none(), py::arg("read_only") = false,
             "open(path, kind=None, key=None, read_only=False) -> parser\n\n"
             "Loads the database at path with the parser of kind ('am', 'sbx', ...;\n"
             "found from the file's Module id when None), decrypted with key (hex\n"
             "text) when given.");
  module.def("new", &New, py::arg("kind"),
             "new(kind) -> parser\n\nAn empty database of kind ('am', 'sbx', ...).");

  py::tuple kinds(xmlsecdb::DatabaseKinds().size());
  std::size_t i = 0;
  for (const xmlsecdb::DatabaseKindInfo& kind : xmlsecdb::DatabaseKinds()) {
    kinds[i++] = py::str(std::string(kind.abbreviation));
  }
  module.attr("KINDS") = kinds;

  py::dict groups;
  for (std::size_t c = 0; c < kConstantCount; ++c) {
    const Constant& constant = kConstants[c];
    py::int_ value = constant.is_result ? py::int_(static_cast<std::uint32_t>(constant.value))
                                        : py::int_(constant.value);
    module.attr(constant.name) = value;
    if (!groups.contains(constant.group)) groups[constant.group] = py::dict();
    groups[constant.group][constant.name] = value;
  }
  // The constants by enumeration: ENUMS["EPriority"]["PRIOR_HIGH"].
  module.attr("ENUMS") = groups;
  module.attr("__version__") = std::to_string(xmlsecdb::kVersionMajor) + "." +
                               std::to_string(xmlsecdb::kVersionMinor) + "." +
                               std::to_string(xmlsecdb::kVersionPatch);
}
