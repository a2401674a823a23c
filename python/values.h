// Python values to automation variants and back.
//
// To a variant: None is null (an absent optional object), bool a boolean,
// int a 32-bit number (signed when it fits, else unsigned), str a text, bytes
// a byte array, an xmlsecdb object itself, a list or tuple of str a text
// array and of anything else a variant array. Anything else raises
// TypeError. Back: empty and null are None, numbers int, texts str, objects
// xmlsecdb objects (or None), arrays tuples (text arrays lists).
#ifndef XMLSECDB_PYTHON_VALUES_H_
#define XMLSECDB_PYTHON_VALUES_H_

#include <pybind11/pybind11.h>
#include <xmlsecdb/variant.h>

#include <vector>

namespace xmlsecdb_python {

xmlsecdb::Variant ToVariant(pybind11::handle value);
std::vector<xmlsecdb::Variant> ToVariants(const pybind11::tuple& values);
pybind11::object FromVariant(const xmlsecdb::Variant& value);

}  // namespace xmlsecdb_python

#endif  // XMLSECDB_PYTHON_VALUES_H_
