// Conveniences over the interfaces, for C++ programs: typed items of any
// collection, range-for over a collection, the error record's text, and
// event subscription with a lambda. The interfaces stay the contract; these
// only spare the boilerplate around them.
//
//   for (ComPtr<IAMRule> rule : Items<IAMRule>(rules.get())) { ... }
//   EventConnection events;
//   Subscribe(parser.get(), DIID__ISDParserAMEvents,
//             [](DISPID id, const Variant* args, std::uint32_t count) { ... }, &events);
//
// Apartment-threaded like the objects they wrap.
#ifndef XMLSECDB_CONVENIENCE_H_
#define XMLSECDB_CONVENIENCE_H_

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "xmlsecdb/collection.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

// The member at 1-based `index` of `list` as a T: the collection's codes
// for a bad index, E_NOINTERFACE for a member that is no T.
template <class T>
[[nodiscard]] HRESULT GetItem(ISDCollection* list, std::int32_t index, ComPtr<T>* item) {
  if (!list || !item) return E_POINTER;
  item->Reset();
  Variant value;
  HRESULT hr = list->get_Item(index, &value);
  if (Failed(hr)) return hr;
  const ComPtr<IUnknown>* object = value.as_object();
  if (!object || !*object) return E_NOINTERFACE;
  return object->As(item);
}

// The members of a collection as T, for range-for. Each step reads Item at
// the next index; a member that is no T reads as null. Changing the
// collection while walking it moves the walk by position.
template <class T>
class Items {
 public:
  explicit Items(ISDCollection* list) : list_(list) {}

  class iterator {
   public:
    iterator(ISDCollection* list, std::int32_t index) : list_(list), index_(index) {}
    ComPtr<T> operator*() const {
      ComPtr<T> item;
      (void)GetItem(list_, index_, &item);
      return item;
    }
    iterator& operator++() {
      ++index_;
      return *this;
    }
    // Ends when the index passes the collection's current Count.
    bool operator!=(const iterator&) const {
      std::int32_t count = 0;
      return list_ && Succeeded(list_->get_Count(&count)) && index_ <= count;
    }

   private:
    ISDCollection* list_;
    std::int32_t index_;
  };

  iterator begin() const { return iterator(list_, 1); }
  iterator end() const { return iterator(list_, 0); }

 private:
  ISDCollection* list_;
};

// Takes this thread's error record and returns its description ("" when
// there is none).
inline std::string TakeErrorDescription() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return {};
  std::string text;
  (void)info->GetDescription(&text);
  info->Release();
  return text;
}

// The callback an event subscription calls: (DISPID, arguments, count).
using EventCallback = std::function<void(DISPID, const Variant*, std::uint32_t)>;

// One subscription; unadvises when destroyed or reset. Movable, not
// copyable.
class EventConnection {
 public:
  EventConnection() = default;
  EventConnection(ComPtr<IConnectionPoint> point, std::uint32_t cookie)
      : point_(std::move(point)), cookie_(cookie) {}
  EventConnection(EventConnection&& other) noexcept
      : point_(std::move(other.point_)), cookie_(std::exchange(other.cookie_, 0)) {}
  EventConnection& operator=(EventConnection&& other) noexcept {
    if (this != &other) {
      Reset();
      point_ = std::move(other.point_);
      cookie_ = std::exchange(other.cookie_, 0);
    }
    return *this;
  }
  EventConnection(const EventConnection&) = delete;
  EventConnection& operator=(const EventConnection&) = delete;
  ~EventConnection() { Reset(); }

  bool connected() const { return point_ && cookie_ != 0; }
  void Reset() {
    if (point_ && cookie_ != 0) (void)point_->Unadvise(cookie_);
    point_.Reset();
    cookie_ = 0;
  }

 private:
  ComPtr<IConnectionPoint> point_;
  std::uint32_t cookie_ = 0;
};

namespace convenience_internal {

// A sink that hands every event to a callback.
class CallbackSink final : public IDispatch {
 public:
  explicit CallbackSink(EventCallback callback) : callback_(std::move(callback)) {}

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
  std::uint32_t AddRef() override { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }
  std::uint32_t Release() override {
    std::uint32_t left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
  }
  HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t count, Variant*) override {
    callback_(dispid, args, count);
    return S_OK;
  }

 private:
  ~CallbackSink() = default;

  EventCallback callback_;
  std::atomic<std::uint32_t> refs_{1};
};

}  // namespace convenience_internal

// Subscribes `callback` to the event interface `events` of `source` (a
// parser); *connection unadvises when it goes. The codes of
// FindConnectionPoint and Advise on failure, with *connection empty.
[[nodiscard]] inline HRESULT Subscribe(IUnknown* source, const IID& events, EventCallback callback,
                                       EventConnection* connection) {
  if (!source || !connection || !callback) return E_POINTER;
  connection->Reset();
  ComPtr<IConnectionPointContainer> container;
  HRESULT hr = source->QueryInterface(container.Put());
  if (Failed(hr)) return hr;
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(events, point.Put());
  if (Failed(hr)) return hr;
  auto sink = ComPtr<IDispatch>::Adopt(new convenience_internal::CallbackSink(std::move(callback)));
  std::uint32_t cookie = 0;
  hr = point->Advise(sink.get(), &cookie);
  if (Failed(hr)) return hr;
  *connection = EventConnection(std::move(point), cookie);
  return S_OK;
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_CONVENIENCE_H_
