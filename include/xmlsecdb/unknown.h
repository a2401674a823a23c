// The object model's root interface and its smart pointer.
//
// Every object of the API is reference counted. A new object starts with a
// count of one, owned by whoever created it; `ComPtr` holds one reference and
// releases it when it goes out of scope. Objects are apartment-threaded: use
// each one on the thread that created it. The counts themselves are atomic,
// so releasing from another thread is safe.
#ifndef XMLSECDB_UNKNOWN_H_
#define XMLSECDB_UNKNOWN_H_

#include <cstdint>
#include <utility>

#include "xmlsecdb/guid.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

// Every interface declares `static constexpr IID kIID` and, except IUnknown,
// `using Base = <the interface it extends>`.
struct IUnknown {
  static constexpr IID kIID = MakeGuid("{00000000-0000-0000-C000-000000000046}");

  // Stores a new reference in *object, or nullptr and E_NOINTERFACE.
  [[nodiscard]] virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

  // Typed query: `unknown->QueryInterface(&parser)`.
  template <class T>
  [[nodiscard]] HRESULT QueryInterface(T** object) {
    return QueryInterface(T::kIID, reinterpret_cast<void**>(object));
  }

 protected:
  ~IUnknown() = default;
};

// Holds one reference to a T.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(std::nullptr_t) {}
  // Takes a new reference to `p`.
  explicit ComPtr(T* p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  template <class U>
  ComPtr(const ComPtr<U>& other) : ComPtr(static_cast<T*>(other.get())) {}
  template <class U>
  ComPtr(ComPtr<U>&& other) noexcept : p_(other.Detach()) {}
  ~ComPtr() { Reset(); }

  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }

  // Takes over a reference the caller already owns (a new object, or an
  // out-parameter filled by the API).
  static ComPtr Adopt(T* p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }

  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

  void Reset() {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  // Gives up the reference without releasing it.
  [[nodiscard]] T* Detach() { return std::exchange(p_, nullptr); }
  // Releases what is held and returns the slot for an out-parameter.
  T** Put() {
    Reset();
    return &p_;
  }
  // A new reference for an out-parameter; E_POINTER when `out` is null.
  HRESULT CopyTo(T** out) const {
    if (!out) return E_POINTER;
    *out = p_;
    if (p_) p_->AddRef();
    return S_OK;
  }
  // Queries the held object for U.
  template <class U>
  HRESULT As(ComPtr<U>* out) const {
    if (!p_) return E_POINTER;
    return p_->QueryInterface(U::kIID, reinterpret_cast<void**>(out->Put()));
  }

  friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }
  friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.p_ == nullptr; }

 private:
  T* p_ = nullptr;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_UNKNOWN_H_
