// The module's class objects and its exported entry points.
//
// A client that links the library creates parsers with CoCreateInstance or
// CreateInstanceByProgID (xmlsecdb/classes.h). A client that loads the
// shared library at run time (dlopen) finds the four entry points below by
// their unmangled names with dlsym, asks DllGetClassObject for a class's
// IClassFactory, and calls DllCanUnloadNow before it unloads the library.
#ifndef XMLSECDB_MODULE_H_
#define XMLSECDB_MODULE_H_

#include "xmlsecdb/export.h"
#include "xmlsecdb/unknown.h"

namespace xmlsecdb {

// The class object of one creatable class.
//
// Every class factory handed out counts as a live object of the module for
// as long as a reference to it is held, so DllCanUnloadNow answers S_FALSE
// while a client still holds one: its code is in the module. LockServer
// keeps the module loaded without holding any object.
struct IClassFactory : IUnknown {
  static constexpr IID kIID = MakeGuid("{00000001-0000-0000-C000-000000000046}");
  using Base = IUnknown;

  // Creates a new object of the class and stores its `iid` interface in
  // *object (nullptr on failure). Aggregation is not supported: a non-null
  // `outer` gives CLASS_E_NOAGGREGATION. E_NOINTERFACE when the class does
  // not implement `iid`.
  [[nodiscard]] virtual HRESULT CreateInstance(IUnknown* outer, const IID& iid, void** object) = 0;
  // Adds (true) or removes (false) one lock on the module. Removing a lock
  // that was never added gives E_UNEXPECTED and changes nothing.
  [[nodiscard]] virtual HRESULT LockServer(bool lock) = 0;
};

// The entry points' types, for clients that look them up with dlsym.
using DllGetClassObjectFunc = HRESULT (*)(const CLSID& clsid, const IID& iid, void** object);
using DllCanUnloadNowFunc = HRESULT (*)();
using DllRegisterServerFunc = HRESULT (*)();
using DllUnregisterServerFunc = HRESULT (*)();

}  // namespace xmlsecdb

// The exported entry points, with C linkage so that dlsym finds them by
// these names.
extern "C" {

// Stores the class factory of `clsid` queried for `iid` (IClassFactory or
// IUnknown) in *object. CLASS_E_CLASSNOTAVAILABLE, and nullptr, for a
// class the module does not create.
[[nodiscard]] XMLSECDB_EXPORT xmlsecdb::HRESULT DllGetClassObject(const xmlsecdb::CLSID& clsid,
                                                                  const xmlsecdb::IID& iid,
                                                                  void** object);

// S_OK when no object of the module is alive and no lock is held, else
// S_FALSE.
[[nodiscard]] XMLSECDB_EXPORT xmlsecdb::HRESULT DllCanUnloadNow();

// Writes the registration of every creatable class and of the module's
// application identifier under HKEY_CLASSES_ROOT of the configuration store,
// with this module's path as the in-process server, and saves the store when
// it is bound to a file. Registering again overwrites the same keys.
[[nodiscard]] XMLSECDB_EXPORT xmlsecdb::HRESULT DllRegisterServer();

// Removes exactly the keys DllRegisterServer writes and saves the store;
// every other key is left alone.
[[nodiscard]] XMLSECDB_EXPORT xmlsecdb::HRESULT DllUnregisterServer();

}  // extern "C"

#endif  // XMLSECDB_MODULE_H_
