#include "errors.h"

#include <pybind11/eval.h>
#include <xmlsecdb/dispatch.h>

#include <string>

namespace xmlsecdb_python {
namespace py = pybind11;
using namespace xmlsecdb;

namespace {

// The exception classes, created once by DefineErrors and kept for the
// life of the interpreter.
PyObject* error_class = nullptr;
PyObject* argument_error_class = nullptr;

constexpr const char kErrorClasses[] = R"py(
class Error(Exception):
    """A call that failed.

    hresult is the 32-bit result code as an unsigned number (compare it with
    the module's result-code constants), source the class that failed (its
    ProgID) and description the text of its error record."""

    def __init__(self, hresult, source="", description=""):
        super().__init__(hresult, source, description)
        self.hresult = hresult
        self.source = source
        self.description = description

    def __str__(self):
        where = ", " + self.source if self.source else ""
        return "%s (0x%08X%s)" % (self.description or "The call failed.", self.hresult, where)


class ArgumentError(Error, TypeError):
    """Arguments a member refused: a wrong count (DISP_E_BADPARAMCOUNT) or
    a value it cannot take (DISP_E_TYPEMISMATCH). Also a TypeError."""
)py";

// What the platform says for the late-binding refusals, which leave no
// error record.
const char* PlatformText(HRESULT hr) {
  switch (hr) {
    case DISP_E_UNKNOWNNAME:
      return "Unknown name.";
    case DISP_E_MEMBERNOTFOUND:
      return "Member not found.";
    case DISP_E_TYPEMISMATCH:
      return "Type mismatch.";
    case DISP_E_BADPARAMCOUNT:
      return "Invalid number of parameters.";
    case E_POINTER:
      return "Invalid pointer.";
    case E_NOINTERFACE:
      return "No such interface supported.";
    case E_NOTIMPL:
      return "Not implemented.";
    default:
      return "";
  }
}

}  // namespace

void DefineErrors(py::module_& module) {
  py::dict scope;
  scope["__builtins__"] = py::module_::import("builtins");
  scope["__name__"] = module.attr("__name__");
  py::exec(kErrorClasses, scope);
  py::object error = scope["Error"];
  py::object argument_error = scope["ArgumentError"];
  module.attr("Error") = error;
  module.attr("ArgumentError") = argument_error;
  error_class = error.release().ptr();
  argument_error_class = argument_error.release().ptr();
}

void ClearErrorRecord() { (void)SetErrorInfo(0, nullptr); }

py::str Text(std::string_view text) {
  PyObject* object =
      PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "surrogateescape");
  if (!object) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(object);
}

void RaiseError(HRESULT hr, std::string_view source, std::string_view description) {
  bool arguments = hr == DISP_E_TYPEMISMATCH || hr == DISP_E_BADPARAMCOUNT;
  py::handle cls(arguments ? argument_error_class : error_class);
  py::object error = cls(py::int_(static_cast<std::uint32_t>(hr)), Text(source), Text(description));
  PyErr_SetObject(cls.ptr(), error.ptr());
  throw py::error_already_set();
}

void RaiseFailure(HRESULT hr) {
  std::string source;
  std::string description;
  IErrorInfo* record = nullptr;
  if (GetErrorInfo(0, &record) == S_OK && record) {
    (void)record->GetSource(&source);
    (void)record->GetDescription(&description);
    record->Release();
  }
  if (description.empty()) description = PlatformText(hr);
  RaiseError(hr, source, description);
}

}  // namespace xmlsecdb_python
