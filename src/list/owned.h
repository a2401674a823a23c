// What an owner holds of the objects it owns — its lists, and children
// such as a rule's inline transport — and how its getters hand them out.
//
// Owned<T> is the owner's reference. Going away, it detaches the object
// from its owner (T::DetachOwner) before releasing it, so that an object a
// client still holds reaches nothing: no parser, no owner notices.
// OwnedList<List> is the same for lists.
//
// GetOwned is the body of a getter of an owned object: the object with a
// new reference for the caller.
//
//   HRESULT get_ItemList(IDispatch** items) override { return GetOwned(items_.get(), items); }
#ifndef XMLSECDB_LIST_OWNED_H_
#define XMLSECDB_LIST_OWNED_H_

#include <utility>

#include "platform/object.h"

namespace xmlsecdb {

template <class T>
class Owned {
 public:
  Owned() = default;
  explicit Owned(ComPtr<T> object) : object_(std::move(object)) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() {
    if (object_) object_->DetachOwner();
  }

  // Gives the child object (made when first asked for); a previous one is
  // told it has no owner any more.
  void Set(ComPtr<T> object) {
    if (object_) object_->DetachOwner();
    object_ = std::move(object);
  }

  T* get() const { return object_.get(); }
  T* operator->() const { return object_.get(); }
  T& operator*() const { return *object_; }

 private:
  ComPtr<T> object_;
};

template <class List>
using OwnedList = Owned<List>;

// E_POINTER for a null out-pointer; otherwise *out is `object` (which the
// caller's owner keeps) with a new reference.
template <class T, class Interface>
HRESULT GetOwned(T* object, Interface** out) {
  if (!out) return E_POINTER;
  *out = object;
  (*out)->AddRef();
  return S_OK;
}

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_OWNED_H_
