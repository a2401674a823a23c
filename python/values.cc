#include "values.h"

#include <cstdint>
#include <limits>
#include <string>

#include "errors.h"
#include "object.h"

namespace xmlsecdb_python {
namespace py = pybind11;
using namespace xmlsecdb;

namespace {

// Deeper nesting than any member takes; it also stops a list that holds
// itself.
constexpr int kMaxDepth = 16;

std::string Utf8(py::handle text) {
  PyObject* bytes = PyUnicode_AsEncodedString(text.ptr(), "utf-8", "surrogateescape");
  if (!bytes) throw py::error_already_set();
  std::string out(PyBytes_AS_STRING(bytes), static_cast<std::size_t>(PyBytes_GET_SIZE(bytes)));
  Py_DECREF(bytes);
  return out;
}

Variant Convert(py::handle value, int depth) {
  if (value.is_none()) return Variant::MakeNull();
  if (PyBool_Check(value.ptr())) return Variant(value.ptr() == Py_True);
  if (PyLong_Check(value.ptr())) {
    int overflow = 0;
    long long n = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
    if (n == -1 && PyErr_Occurred()) throw py::error_already_set();
    if (overflow == 0 && n >= std::numeric_limits<std::int32_t>::min() &&
        n <= std::numeric_limits<std::int32_t>::max()) {
      return Variant(static_cast<std::int32_t>(n));
    }
    if (overflow == 0 && n >= 0 && n <= std::numeric_limits<std::uint32_t>::max()) {
      return Variant(static_cast<std::uint32_t>(n));
    }
    throw py::type_error("integer out of the 32-bit range");
  }
  if (PyUnicode_Check(value.ptr())) return Variant(Utf8(value));
  if (PyBytes_Check(value.ptr())) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(PyBytes_AS_STRING(value.ptr()));
    return Variant(std::vector<std::uint8_t>(data, data + PyBytes_GET_SIZE(value.ptr())));
  }
  if (py::isinstance<Object>(value)) {
    return Variant(ComPtr<IUnknown>(value.cast<Object&>().unknown()));
  }
  if (PyList_Check(value.ptr()) || PyTuple_Check(value.ptr())) {
    if (depth >= kMaxDepth) throw py::type_error("arrays nested too deeply");
    py::sequence items = py::reinterpret_borrow<py::sequence>(value);
    bool texts = py::len(items) > 0;
    for (py::handle item : items) texts = texts && PyUnicode_Check(item.ptr());
    if (texts) {
      std::vector<std::string> out;
      for (py::handle item : items) out.push_back(Utf8(item));
      return Variant(std::move(out));
    }
    std::vector<Variant> out;
    for (py::handle item : items) out.push_back(Convert(item, depth + 1));
    return Variant(std::move(out));
  }
  throw py::type_error("an automation member takes no " +
                       std::string(py::str(py::type::handle_of(value).attr("__name__"))));
}

}  // namespace

Variant ToVariant(py::handle value) { return Convert(value, 0); }

std::vector<Variant> ToVariants(const py::tuple& values) {
  std::vector<Variant> out;
  out.reserve(values.size());
  for (py::handle value : values) out.push_back(ToVariant(value));
  return out;
}

py::object FromVariant(const Variant& value) {
  if (const std::int32_t* n = value.as_int()) return py::int_(*n);
  if (const std::uint32_t* u = value.as_uint()) return py::int_(*u);
  if (const bool* b = value.as_bool()) return py::bool_(*b);
  if (const std::string* text = value.as_string()) return Text(*text);
  if (const ComPtr<IUnknown>* object = value.as_object()) return Wrap(*object);
  if (const std::vector<Variant>* items = value.as_array()) {
    py::tuple out(items->size());
    for (std::size_t i = 0; i < items->size(); ++i) out[i] = FromVariant((*items)[i]);
    return out;
  }
  if (const std::vector<std::string>* texts = value.as_string_array()) {
    py::list out;
    for (const std::string& text : *texts) out.append(Text(text));
    return out;
  }
  if (const std::vector<std::uint8_t>* bytes = value.as_bytes()) {
    return py::bytes(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  }
  return py::none();  // empty or null
}

}  // namespace xmlsecdb_python
