// The one reference-counted object base of the library.
//
// `ComObject<I1, I2, ...>` implements IUnknown for a class that implements
// the interfaces I1, I2, ...: the count starts at one (the creator's
// reference), is atomic, and the object deletes itself when it reaches zero.
// QueryInterface answers IUnknown, every listed interface and every
// interface that a listed one extends (through its `Base` chain).
//
// Every live object is counted for the module's unload answer.
#ifndef XMLSECDB_PLATFORM_OBJECT_H_
#define XMLSECDB_PLATFORM_OBJECT_H_

#include <atomic>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "xmlsecdb/unknown.h"

namespace xmlsecdb {

// Process-wide counts behind the module's "can unload now" answer.
class ModuleCounts {
 public:
  static void AddObject() { objects_.fetch_add(1, std::memory_order_relaxed); }
  static void RemoveObject() { objects_.fetch_sub(1, std::memory_order_relaxed); }
  static void Lock(bool lock) { locks_.fetch_add(lock ? 1 : -1, std::memory_order_relaxed); }
  // Removes one lock; false, changing nothing, when none is held, so the
  // count never goes below zero.
  static bool Unlock() {
    long held = locks_.load(std::memory_order_relaxed);
    while (held > 0) {
      if (locks_.compare_exchange_weak(held, held - 1, std::memory_order_relaxed)) return true;
    }
    return false;
  }
  static long objects() { return objects_.load(std::memory_order_relaxed); }
  static long locks() { return locks_.load(std::memory_order_relaxed); }

 private:
  static std::atomic<long> objects_;
  static std::atomic<long> locks_;
};

namespace object_internal {

template <class I>
bool Extends(const IID& iid) {
  if (iid == I::kIID) return true;
  if constexpr (std::is_same_v<I, IUnknown>) {
    return false;
  } else {
    return Extends<typename I::Base>(iid);
  }
}

}  // namespace object_internal

template <class First, class... Rest>
class ComObject : public First, public Rest... {
 public:
  HRESULT QueryInterface(const IID& iid, void** object) override {
    if (!object) return E_POINTER;
    *object = FindInterface<First, Rest...>(iid);
    if (!*object) *object = QueryExtra(iid);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  std::uint32_t AddRef() override { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }
  std::uint32_t Release() override {
    std::uint32_t left = refs_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
  }

  // The object as its primary interface, for handing out.
  First* primary() { return static_cast<First*>(this); }
  IUnknown* unknown() { return static_cast<First*>(this); }

 protected:
  ComObject() { ModuleCounts::AddObject(); }
  virtual ~ComObject() { ModuleCounts::RemoveObject(); }
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  // Interfaces answered by members rather than bases; returns an
  // interface pointer of this object (not yet AddRef'd) or nullptr.
  virtual void* QueryExtra(const IID&) { return nullptr; }

 private:
  template <class I, class... More>
  void* FindInterface(const IID& iid) {
    if (object_internal::Extends<I>(iid)) return static_cast<I*>(this);
    if constexpr (sizeof...(More) > 0) {
      return FindInterface<More...>(iid);
    } else {
      return nullptr;
    }
  }

  std::atomic<std::uint32_t> refs_{1};
};

// Creates a T (count one) and hands it to a smart pointer.
template <class T, class... Args>
ComPtr<T> MakeObject(Args&&... args) {
  return ComPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_OBJECT_H_
