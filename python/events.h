// Events from Python: db.on(callback) hands every event the parser raises
// to callback(event_name, arguments) until the returned Connection closes.
//
// A callback that raises does not stop the library's call: the exception is
// kept and raised from the Python call that caused the event, once that
// call returns.
#ifndef XMLSECDB_PYTHON_EVENTS_H_
#define XMLSECDB_PYTHON_EVENTS_H_

#include <pybind11/pybind11.h>

#include "object.h"

namespace xmlsecdb_python {

// Subscribes `callback` to the events of `source` (a parser); raises Error
// when it raises none.
pybind11::object Subscribe(Object& source, pybind11::function callback);
// Whether `source` raises events (answers a connection point).
bool HasEvents(Object& source);

// Raises the first exception a callback raised since the last check, if any.
void RaisePendingCallbackError();

// Defines Connection in `module`.
void BindEvents(pybind11::module_& module);

}  // namespace xmlsecdb_python

#endif  // XMLSECDB_PYTHON_EVENTS_H_
