#include "events.h"

#include <xmlsecdb/parsers.h>

#include <atomic>
#include <map>
#include <string>
#include <utility>

#include "errors.h"
#include "values.h"

namespace xmlsecdb_python {
namespace py = pybind11;
using namespace xmlsecdb;

namespace {

// The event interfaces a parser may answer; the first its connection
// point container knows is the one subscribed to.
constexpr const IID* kEventInterfaces[] = {
    &DIID__ISDParserAMEvents, &DIID__ISDParserSBXEvents, &DIID__ISDParserDIEvents,
    &DIID__ISDParserFWEvents, &DIID__ISDParserIDSEvents, &DIID__ISDParserAPPEvents,
    &DIID__ISDParserCFEvents,
};

// The first exception a callback raised and nobody has seen yet (type,
// value, traceback as PyErr_Fetch gives them; owned references).
struct Pending {
  PyObject* type = nullptr;
  PyObject* value = nullptr;
  PyObject* traceback = nullptr;
};
Pending pending;

void KeepCallbackError() {
  PyObject *type, *value, *traceback;
  PyErr_Fetch(&type, &value, &traceback);
  if (pending.type) {
    // Only the first is raised; later ones would hide what went wrong first.
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
    return;
  }
  pending = {type, value, traceback};
}

// The event sink: hands each event to the Python callback.
class Sink final : public IDispatch {
 public:
  Sink(py::function callback, std::map<DISPID, std::string> names)
      : callback_(std::move(callback)), names_(std::move(names)) {}

  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IUnknown::kIID || iid == IDispatch::kIID) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  std::uint32_t AddRef() override { return refs_.fetch_add(1) + 1; }
  std::uint32_t Release() override {
    std::uint32_t left = refs_.fetch_sub(1) - 1;
    if (left == 0) delete this;
    return left;
  }

  HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t count, Variant*) override {
    if (!Py_IsInitialized()) return S_OK;
    py::gil_scoped_acquire gil;
    try {
      auto name = names_.find(dispid);
      py::tuple values(args ? count : 0);
      for (std::uint32_t i = 0; args && i < count; ++i) values[i] = FromVariant(args[i]);
      callback_(name != names_.end() ? name->second : "DISPID " + std::to_string(dispid), values);
    } catch (py::error_already_set& error) {
      error.restore();
      KeepCallbackError();
    } catch (const std::exception& error) {
      PyErr_SetString(PyExc_RuntimeError, error.what());
      KeepCallbackError();
    }
    return S_OK;
  }

 private:
  ~Sink() {
    if (Py_IsInitialized()) {
      py::gil_scoped_acquire gil;
      callback_ = py::function();
    } else {
      (void)callback_.release();  // the interpreter is gone: nothing to release to
    }
  }

  py::function callback_;
  std::map<DISPID, std::string> names_;
  std::atomic<std::uint32_t> refs_{1};
};

ComPtr<IConnectionPoint> FindEvents(Object& source) {
  ComPtr<IConnectionPointContainer> container;
  if (!source.unknown() || Failed(ComPtr<IUnknown>(source.unknown()).As(&container))) return {};
  for (const IID* events : kEventInterfaces) {
    ComPtr<IConnectionPoint> point;
    if (Succeeded(container->FindConnectionPoint(*events, point.Put())) && point) return point;
  }
  return {};
}

// One subscription. It lasts until close() (or the parser's end), not only
// as long as this object: `db.on(print)` alone keeps printing.
class Connection {
 public:
  Connection(ComPtr<IConnectionPoint> point, std::uint32_t cookie)
      : point_(std::move(point)), cookie_(cookie) {}

  bool connected() const { return cookie_ != 0; }
  void Close() {
    if (cookie_ == 0) return;
    ClearErrorRecord();
    HRESULT hr = point_->Unadvise(std::exchange(cookie_, 0));
    point_.Reset();
    if (Failed(hr)) RaiseFailure(hr);
  }

 private:
  ComPtr<IConnectionPoint> point_;
  std::uint32_t cookie_;
};

}  // namespace

bool HasEvents(Object& source) { return FindEvents(source) != nullptr; }

py::object Subscribe(Object& source, py::function callback) {
  ComPtr<IConnectionPoint> point = FindEvents(source);
  if (!point) RaiseError(CONNECT_E_NOCONNECTION, "", "The object raises no events.");
  std::map<DISPID, std::string> names;
  DispatchTypeInfo info;
  if (Succeeded(point->GetEventTypeInfo(&info))) {
    for (DispatchMemberInfo& member : info.members) names[member.dispid] = std::move(member.name);
  }
  auto sink = ComPtr<IDispatch>::Adopt(new Sink(std::move(callback), std::move(names)));
  std::uint32_t cookie = 0;
  ClearErrorRecord();
  HRESULT hr = point->Advise(sink.get(), &cookie);
  if (Failed(hr)) RaiseFailure(hr);
  return py::cast(Connection(std::move(point), cookie));
}

void RaisePendingCallbackError() {
  if (!pending.type) return;
  Pending error = std::exchange(pending, Pending{});
  PyErr_Restore(error.type, error.value, error.traceback);
  throw py::error_already_set();
}

void BindEvents(py::module_& module) {
  py::class_<Connection>(module, "Connection",
                         "A subscription to a parser's events, from Object.on().")
      .def("close", &Connection::Close, "Stops the events; closing twice does nothing.")
      .def_property_readonly("connected", &Connection::connected)
      .def("__enter__", [](py::object self) { return self; })
      .def("__exit__", [](Connection& self, py::args) { self.Close(); });
}

}  // namespace xmlsecdb_python
