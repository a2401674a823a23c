#include "platform/connection_point.h"

#include <algorithm>

namespace xmlsecdb {

HRESULT ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = events_iid_;
  return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, std::uint32_t* cookie) {
  if (!sink || !cookie) return E_POINTER;
  ComPtr<IDispatch> dispatch;
  if (Failed(sink->QueryInterface(dispatch.Put()))) return CONNECT_E_ADVISELIMIT;
  *cookie = next_cookie_++;
  sinks_.emplace_back(*cookie, std::move(dispatch));
  return S_OK;
}

HRESULT ConnectionPoint::Unadvise(std::uint32_t cookie) {
  auto it = std::find_if(sinks_.begin(), sinks_.end(),
                         [cookie](const auto& entry) { return entry.first == cookie; });
  if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
  sinks_.erase(it);
  return S_OK;
}

void ConnectionPoint::Fire(DISPID dispid, const Variant* args, std::uint32_t count) {
  if (sinks_.empty()) return;
  // A sink may unadvise (or advise) while being called: walk a snapshot,
  // which also keeps every sink alive for the duration of its call.
  std::vector<ComPtr<IDispatch>> snapshot;
  snapshot.reserve(sinks_.size());
  for (const auto& entry : sinks_) snapshot.push_back(entry.second);
  for (const auto& sink : snapshot) (void)sink->Invoke(dispid, args, count, nullptr);
}

}  // namespace xmlsecdb
