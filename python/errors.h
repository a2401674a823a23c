// xmlsecdb.Error and its subclass for refused arguments, and raising them
// from a failing call with the thread's error record.
#ifndef XMLSECDB_PYTHON_ERRORS_H_
#define XMLSECDB_PYTHON_ERRORS_H_

#include <pybind11/pybind11.h>
#include <xmlsecdb/result.h>

#include <string_view>

namespace xmlsecdb_python {

// Defines Error and ArgumentError in `module`.
void DefineErrors(pybind11::module_& module);

// Clears this thread's error record, so that the record read after a call
// is the call's own.
void ClearErrorRecord();

// Raises Error (ArgumentError for DISP_E_TYPEMISMATCH and
// DISP_E_BADPARAMCOUNT) for `hr`, with the source and description of the
// thread's error record (taken), or the platform's text for the late-binding
// codes when there is none. Throws pybind11::error_already_set.
[[noreturn]] void RaiseFailure(xmlsecdb::HRESULT hr);
// The same with a source and description of the module's own.
[[noreturn]] void RaiseError(xmlsecdb::HRESULT hr, std::string_view source,
                             std::string_view description);

// A library text (UTF-8, possibly with invalid bytes) as a Python str; bytes
// that are no UTF-8 travel as surrogate escapes and come back unchanged.
pybind11::str Text(std::string_view text);

}  // namespace xmlsecdb_python

#endif  // XMLSECDB_PYTHON_ERRORS_H_
