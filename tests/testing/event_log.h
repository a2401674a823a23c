// Event sinks for tests: parsers raise their events through IDispatch.
#ifndef XMLSECDB_TESTS_TESTING_EVENT_LOG_H_
#define XMLSECDB_TESTS_TESTING_EVENT_LOG_H_

#include <string>
#include <vector>

#include "platform/object.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb::testing {

// Records every event as "dispid", or "dispid:property" for an event whose
// last argument (after the item, and the definition for item events) is a
// property number.
class EventLog final : public ComObject<IDispatch> {
 public:
  HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t count, Variant*) override {
    std::string line = std::to_string(dispid);
    const std::int32_t* property = count >= 2 ? args[count - 1].as_int() : nullptr;
    if (property) line += ":" + std::to_string(*property);
    lines.push_back(line);
    return S_OK;
  }
  std::vector<std::string> lines;
};

// Records the number of every event.
class EventRecorder final : public ComObject<IDispatch> {
 public:
  HRESULT Invoke(DISPID dispid, const Variant*, std::uint32_t, Variant*) override {
    events.push_back(dispid);
    return S_OK;
  }
  std::vector<DISPID> events;
};

}  // namespace xmlsecdb::testing

#endif  // XMLSECDB_TESTS_TESTING_EVENT_LOG_H_
