#include "object.h"

#include <string_view>
#include <utility>

#include "errors.h"
#include "events.h"
#include "values.h"

namespace xmlsecdb_python {
namespace py = pybind11;
using namespace xmlsecdb;

namespace {

constexpr std::uint16_t kCallKinds = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

std::string TypeName(VARTYPE type) {
  switch (type) {
    case VT_EMPTY:
      return "None";
    case VT_I4:
      return "int";
    case VT_UI4:
      return "int";
    case VT_BOOL:
      return "bool";
    case VT_BSTR:
      return "str";
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return "object";
    case VT_VARIANT:
      return "any";
    default:
      return (type & VT_ARRAY) ? "tuple" : "any";
  }
}

std::string KindText(std::uint16_t kinds) {
  std::string text;
  if (kinds & DISPATCH_METHOD) text = "method";
  if (kinds & (DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT)) {
    if (!text.empty()) text += ", ";
    text += "property ";
    if (kinds & DISPATCH_PROPERTYGET) text += "get";
    if ((kinds & DISPATCH_PROPERTYGET) && (kinds & DISPATCH_PROPERTYPUT)) text += "/";
    if (kinds & DISPATCH_PROPERTYPUT) text += "put";
  }
  return text;
}

// "Insert(object, object) -> None\n\nmethod, DISPID 3"
std::string MemberDoc(const DispatchMemberInfo& member) {
  std::string doc = member.name + "(";
  for (std::size_t i = 0; i < member.params.size(); ++i) {
    if (i > 0) doc += ", ";
    doc += TypeName(member.params[i]);
  }
  doc += ") -> " + TypeName(member.result) + "\n\n" + KindText(member.kinds) + ", DISPID " +
         std::to_string(member.dispid);
  return doc;
}

std::string InterfaceName(Object& object) {
  const std::string& name = object.type_info().interface_name;
  return name.empty() ? "object" : name;
}

[[noreturn]] void NoMember(Object& object, const std::string& name) {
  throw py::attribute_error("'" + InterfaceName(object) + "' has no member '" + name + "'");
}

// A member that takes arguments or is a method: call it, or index it for a
// property with arguments (member[key] gets, member[key] = value puts).
struct Member {
  std::shared_ptr<Object> object;
  DispatchMemberInfo info;

  py::object Call(const py::args& args, const py::kwargs& kwargs) {
    if (kwargs.size() > 0) throw py::type_error(info.name + "() takes no keyword arguments");
    return object->Call(info.dispid, kCallKinds, ToVariants(args));
  }
  static std::vector<Variant> Key(const py::object& key) {
    if (py::isinstance<py::tuple>(key)) return ToVariants(key.cast<py::tuple>());
    return {ToVariant(key)};
  }
  py::object Get(const py::object& key) {
    return object->Call(info.dispid, DISPATCH_PROPERTYGET, Key(key));
  }
  void Set(const py::object& key, const py::object& value) {
    std::vector<Variant> args = Key(key);
    args.push_back(ToVariant(value));
    object->Call(info.dispid, DISPATCH_PROPERTYPUT, std::move(args));
  }
};

// Walks an IEnumVARIANT (a collection's _NewEnum).
struct Enumerator {
  ComPtr<IEnumVARIANT> items;

  py::object Next() {
    Variant item;
    std::uint32_t fetched = 0;
    ClearErrorRecord();
    HRESULT hr = items->Next(1, &item, &fetched);
    if (Failed(hr)) RaiseFailure(hr);
    if (hr != S_OK || fetched != 1) throw py::stop_iteration();
    return FromVariant(item);
  }
};

py::object Iterate(const ComPtr<IUnknown>& enumerator) {
  ComPtr<IEnumVARIANT> items;
  if (!enumerator || Failed(enumerator.As(&items))) {
    RaiseError(E_NOINTERFACE, "", "The collection gave no enumerator.");
  }
  return py::cast(Enumerator{std::move(items)});
}

py::object GetAttr(const std::shared_ptr<Object>& self, const std::string& name) {
  // Python's own protocol names are never members; answering them quickly
  // keeps copy, pickle and the like from calling into the library.
  if (name.size() > 1 && name[0] == '_' && name[1] == '_') NoMember(*self, name);
  const DispatchMemberInfo* member = self->Find(name);
  if (!member) NoMember(*self, name);
  if ((member->kinds & DISPATCH_PROPERTYGET) && !(member->kinds & DISPATCH_METHOD) &&
      member->params.empty()) {
    return self->Call(member->dispid, DISPATCH_PROPERTYGET, {});
  }
  if (!(member->kinds & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) {
    throw py::attribute_error("'" + member->name + "' can only be set");
  }
  return py::cast(Member{self, *member});
}

void SetAttr(Object& self, const std::string& name, const py::object& value) {
  const DispatchMemberInfo* member = self.Find(name);
  if (!member) NoMember(self, name);
  if (!(member->kinds & DISPATCH_PROPERTYPUT)) {
    throw py::attribute_error("'" + member->name + "' is read-only");
  }
  if (!member->params.empty()) {
    throw py::type_error("'" + member->name + "' takes arguments: assign to " + member->name +
                         "[arguments]");
  }
  self.Call(member->dispid, DISPATCH_PROPERTYPUT, {ToVariant(value)});
}

void RequireCollection(Object& self, const char* what) {
  if (!self.is_collection()) {
    throw py::type_error("'" + InterfaceName(self) + "' is not a collection (" + what + ")");
  }
}

std::int64_t Count(Object& self) {
  RequireCollection(self, "len");
  const DispatchMemberInfo* count = self.Find("Count");
  if (!count) throw py::type_error("'" + InterfaceName(self) + "' has no Count");
  return self.Call(count->dispid, DISPATCH_PROPERTYGET, {}).cast<std::int64_t>();
}

py::object GetItem(Object& self, const py::object& key) {
  RequireCollection(self, "[]");
  if (PyLong_Check(key.ptr()) && !PyBool_Check(key.ptr())) {
    // Collections count from 1, as their Item does.
    std::int64_t count = Count(self);
    py::int_ index = key.cast<py::int_>();
    if (index < py::int_(1) || index > py::int_(count)) {
      throw py::index_error("index " + std::string(py::str(key)) + " is outside 1.." +
                            std::to_string(count));
    }
  }
  return self.Call(DISPID_VALUE, kCallKinds, Member::Key(key));
}

std::string ObjectDoc(Object& self) {
  const DispatchTypeInfo& info = self.type_info();
  std::string doc = InterfaceName(self) + ": an object of the database.\n\nMembers:\n";
  for (const DispatchMemberInfo& member : info.members) {
    doc += "  " + member.name + " (" + KindText(member.kinds) + ", DISPID " +
           std::to_string(member.dispid) + ")\n";
  }
  return doc;
}

}  // namespace

Object::Object(ComPtr<IUnknown> object) {
  if (object) {
    (void)object.As(&unknown_);
    (void)object.As(&dispatch_);
  }
  if (!unknown_) unknown_ = std::move(object);
}

const DispatchTypeInfo& Object::type_info() {
  if (!info_) {
    info_ = std::make_unique<DispatchTypeInfo>();
    if (dispatch_ && Failed(dispatch_->GetTypeInfo(info_.get()))) *info_ = DispatchTypeInfo();
  }
  return *info_;
}

const DispatchMemberInfo* Object::FindDispid(DISPID dispid) {
  for (const DispatchMemberInfo& member : type_info().members) {
    if (member.dispid == dispid) return &member;
  }
  return nullptr;
}

const DispatchMemberInfo* Object::Find(const std::string& name) {
  DISPID dispid = -1;
  if (!dispatch_ || Failed(dispatch_->GetIDsOfNames(name, &dispid))) return nullptr;
  return FindDispid(dispid);
}

bool Object::is_collection() { return FindDispid(DISPID_NEWENUM) != nullptr; }

py::object Object::Call(DISPID dispid, std::uint16_t kinds, std::vector<Variant> args) {
  if (!dispatch_) RaiseError(DISP_E_MEMBERNOTFOUND, "", "The object has no members.");
  Variant result;
  ClearErrorRecord();
  HRESULT hr = dispatch_->InvokeMember(dispid, kinds, args.data(),
                                       static_cast<std::uint32_t>(args.size()), &result);
  RaisePendingCallbackError();
  if (Failed(hr)) RaiseFailure(hr);
  if (dispid == DISPID_NEWENUM && result.as_object()) return Iterate(*result.as_object());
  return FromVariant(result);
}

py::object Wrap(const ComPtr<IUnknown>& object) {
  if (!object) return py::none();
  ComPtr<IDispatch> dispatch;
  ComPtr<IEnumVARIANT> items;
  if (Failed(object.As(&dispatch)) && Succeeded(object.As(&items))) {
    return py::cast(Enumerator{std::move(items)});
  }
  return py::cast(std::make_shared<Object>(object));
}

void BindObjects(py::module_& module) {
  py::class_<Enumerator>(module, "Enumerator", "Iterates a collection's members.")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &Enumerator::Next);

  py::class_<Member>(module, "Member",
                     "A method, or a property that takes arguments, of one object.")
      .def("__call__", &Member::Call)
      .def("__getitem__", &Member::Get)
      .def("__setitem__", &Member::Set)
      .def_property_readonly("__doc__", [](const Member& m) { return MemberDoc(m.info); })
      .def_property_readonly("name", [](const Member& m) { return m.info.name; })
      .def_property_readonly("dispid", [](const Member& m) { return m.info.dispid; })
      .def("__repr__", [](const Member& m) {
        return "<xmlsecdb member " + m.info.name + " (" + KindText(m.info.kinds) + ", DISPID " +
               std::to_string(m.info.dispid) + ")>";
      });

  py::class_<Object, std::shared_ptr<Object>>(module, "Object",
                                              "An object of a database: a parser, list or item.")
      .def("__getattr__", &GetAttr)
      .def("__setattr__", &SetAttr)
      .def("__dir__",
           [](Object& self) {
             py::list names;
             for (const DispatchMemberInfo& member : self.type_info().members) {
               names.append(member.name);
             }
             if (HasEvents(self)) names.append("on");
             return names;
           })
      .def("__len__", &Count)
      .def("__getitem__", &GetItem)
      .def("__iter__",
           [](Object& self) {
             RequireCollection(self, "iter");
             return self.Call(DISPID_NEWENUM, DISPATCH_PROPERTYGET, {});
           })
      .def("__bool__", [](Object& self) { return !self.is_collection() || Count(self) > 0; })
      .def("__eq__",
           [](Object& self, py::object other) -> py::object {
             if (!py::isinstance<Object>(other))
               return py::reinterpret_borrow<py::object>(Py_NotImplemented);
             return py::bool_(self.unknown() == other.cast<Object&>().unknown());
           })
      .def("__hash__",
           [](Object& self) { return reinterpret_cast<std::uintptr_t>(self.unknown()); })
      .def("__repr__", [](Object& self) { return "<xmlsecdb " + InterfaceName(self) + ">"; })
      .def_property_readonly("__doc__", &ObjectDoc)
      .def("on", &Subscribe, pybind11::arg("callback"),
           "on(callback) -> Connection\n\nCalls callback(event_name, arguments) for every event "
           "this parser raises, until the connection's close().");
}

}  // namespace xmlsecdb_python
