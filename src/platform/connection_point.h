// ConnectionPoint: one outgoing event interface of an object, with the
// sinks that clients registered on it.
//
// The owner holds the point and raises events with Fire; each sink gets
// every event through IDispatch::Invoke. Sinks are held with a reference
// until Unadvise. Events are raised synchronously on the caller's thread; a
// sink may advise or unadvise from inside an event.
#ifndef XMLSECDB_PLATFORM_CONNECTION_POINT_H_
#define XMLSECDB_PLATFORM_CONNECTION_POINT_H_

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "platform/dispatch_table.h"
#include "platform/object.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

class ConnectionPoint final : public ComObject<IConnectionPoint> {
 public:
  explicit ConnectionPoint(const IID& events_iid) : events_iid_(events_iid) {}

  HRESULT GetConnectionInterface(IID* iid) override;
  HRESULT Advise(IUnknown* sink, std::uint32_t* cookie) override;
  HRESULT Unadvise(std::uint32_t cookie) override;
  // The members of the event interface, from the table the owner set.
  HRESULT GetEventTypeInfo(DispatchTypeInfo* info) override {
    return DispatchTypeInfoOf(event_table_, info);
  }

  // The table that names the events (may be null: no description).
  void set_event_table(const DispatchTable* table) { event_table_ = table; }

  // Calls every sink with (dispid, args); sink results are ignored.
  void Fire(DISPID dispid, const Variant* args = nullptr, std::uint32_t count = 0);
  void Fire(DISPID dispid, std::initializer_list<Variant> args) {
    Fire(dispid, args.begin(), static_cast<std::uint32_t>(args.size()));
  }

 private:
  IID events_iid_;
  const DispatchTable* event_table_ = nullptr;
  std::uint32_t next_cookie_ = 1;
  std::vector<std::pair<std::uint32_t, ComPtr<IDispatch>>> sinks_;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_CONNECTION_POINT_H_
