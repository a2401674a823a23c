// xmlsecdb.Object: any object of the library, seen from Python through its
// late-binding members.
//
// Attributes are the members of the object's interface, found by name
// (ignoring ASCII case) and told apart by the type information: reading a
// property without arguments gets it, reading a method (or a property that
// takes arguments) gives a callable Member, assigning puts. Collections (the
// objects with an enumerator) add len(), [index] (1-based, as Item) and
// iteration. Nothing here knows a kind: every interface with a dispatch
// table works as it lands.
#ifndef XMLSECDB_PYTHON_OBJECT_H_
#define XMLSECDB_PYTHON_OBJECT_H_

#include <pybind11/pybind11.h>
#include <xmlsecdb/dispatch.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace xmlsecdb_python {

class Object {
 public:
  // Holds a reference to the object's identity (its IUnknown).
  explicit Object(xmlsecdb::ComPtr<xmlsecdb::IUnknown> object);

  xmlsecdb::IUnknown* unknown() const { return unknown_.get(); }
  // Null for an object without late binding (it then has no members).
  xmlsecdb::IDispatch* dispatch() const { return dispatch_.get(); }
  // The interface name and members; empty for an object without them.
  const xmlsecdb::DispatchTypeInfo& type_info();
  // The member `name` answers to, or null.
  const xmlsecdb::DispatchMemberInfo* Find(const std::string& name);
  const xmlsecdb::DispatchMemberInfo* FindDispid(xmlsecdb::DISPID dispid);
  bool is_collection();

  // Calls member `dispid` as `kinds` with `args`, raising Error on failure.
  pybind11::object Call(xmlsecdb::DISPID dispid, std::uint16_t kinds,
                        std::vector<xmlsecdb::Variant> args);

 private:
  xmlsecdb::ComPtr<xmlsecdb::IUnknown> unknown_;
  xmlsecdb::ComPtr<xmlsecdb::IDispatch> dispatch_;
  std::unique_ptr<xmlsecdb::DispatchTypeInfo> info_;
};

// An object as Python sees it: an Object, an iterator for a bare
// enumerator, None for null.
pybind11::object Wrap(const xmlsecdb::ComPtr<xmlsecdb::IUnknown>& object);

// Defines Object, Member and the enumerator type in `module`.
void BindObjects(pybind11::module_& module);

}  // namespace xmlsecdb_python

#endif  // XMLSECDB_PYTHON_OBJECT_H_
