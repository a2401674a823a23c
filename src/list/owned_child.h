// OwnedChild: the base of an object that one item owns directly, not
// through a list — a rule's inline transport, for instance. The child is
// part of its owner's content: its setters test the read-only flag of the
// parser the owner reaches, store without any event, and tell the owner,
// whose MarkModified sets the parser's modified flag (the owner's list may
// need re-sorting before the next save).
//
// The owner is an IListOwner (CRule is one) and holds the child through
// Owned<Child>, which detaches the child when the owner goes; a child a
// client still holds then reaches no parser: writable and silent, as a
// detached item is. A child is declared as
//
//   class CFWTransportObject final : public ChildObject<IFWItem> {
//    public:
//     explicit CFWTransportObject(IListOwner* rule) : ChildObject(rule) {}
//     HRESULT put_Protocol(EProtocol p) override {
//       return Store("CFWTransportObject::put_Protocol()", protocol_, p);
//     }
//   };
//
// Apartment-threaded, like the parser.
#ifndef XMLSECDB_LIST_OWNED_CHILD_H_
#define XMLSECDB_LIST_OWNED_CHILD_H_

#include <cstdint>
#include <string_view>
#include <utility>

#include "list/list_owner.h"
#include "platform/dispatch_object.h"
#include "platform/object.h"

namespace xmlsecdb {

class OwnedChild {
 public:
  OwnedChild(const OwnedChild&) = delete;
  OwnedChild& operator=(const OwnedChild&) = delete;

  // The owner, or nullptr once it has gone.
  IListOwner* owner() const { return owner_; }
  // The parser the owner reaches, or nullptr.
  ParserCore* parser() const { return owner_ ? owner_->GetParser() : nullptr; }
  // Owned<Child> calls this when the owner goes away.
  void DetachOwner() { owner_ = nullptr; }

  // The read-only guard of a setter: message 111 with `source` when the
  // parser is read-only; S_OK when it is writable or unreachable.
  [[nodiscard]] HRESULT CheckWritable(std::string_view source) const;

  // The body of a setter: the guard, the store, then the owner told
  // (MarkModified), whether or not the value differed.
  template <class T, class U>
  [[nodiscard]] HRESULT Store(std::string_view source, T& field, U&& value) {
    HRESULT hr = CheckWritable(source);
    if (Failed(hr)) return hr;
    field = std::forward<U>(value);
    TellOwner();
    return S_OK;
  }

  // The owner told of a change made otherwise (several fields at once).
  void TellOwner() {
    if (owner_) owner_->MarkModified();
  }

 protected:
  explicit OwnedChild(IListOwner* owner) : owner_(owner) {}
  ~OwnedChild() = default;

 private:
  IListOwner* owner_;
};

// The COM identity of an owned child with the given interfaces.
template <class... Interfaces>
class ChildObject : public DispatchObject<Interfaces...>, public OwnedChild {
 protected:
  explicit ChildObject(IListOwner* owner) : OwnedChild(owner) {}
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_LIST_OWNED_CHILD_H_
