// The per-thread error record.
#include <string>

#include "platform/object.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {
namespace {

class ErrorRecord final : public ComObject<IErrorInfo, ICreateErrorInfo> {
 public:
  HRESULT GetGUID(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
  }
  HRESULT GetSource(std::string* source) override {
    if (!source) return E_POINTER;
    *source = source_;
    return S_OK;
  }
  HRESULT GetDescription(std::string* description) override {
    if (!description) return E_POINTER;
    *description = description_;
    return S_OK;
  }
  HRESULT SetGUID(const IID& iid) override {
    iid_ = iid;
    return S_OK;
  }
  HRESULT SetSource(std::string_view source) override {
    source_ = source;
    return S_OK;
  }
  HRESULT SetDescription(std::string_view description) override {
    description_ = description;
    return S_OK;
  }

 private:
  IID iid_;
  std::string source_;
  std::string description_;
};

// The thread's installed record. A plain pointer holding one reference, so
// that thread exit releases it through the holder below.
struct ThreadRecord {
  IErrorInfo* record = nullptr;
  ~ThreadRecord() {
    if (record) record->Release();
  }
};

ThreadRecord& Slot() {
  thread_local ThreadRecord slot;
  return slot;
}

}  // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** record) {
  if (!record) return E_POINTER;
  *record = new ErrorRecord();
  return S_OK;
}

HRESULT SetErrorInfo(std::uint32_t, IErrorInfo* record) {
  if (record) record->AddRef();
  IErrorInfo* old = std::exchange(Slot().record, record);
  if (old) old->Release();
  return S_OK;
}

HRESULT GetErrorInfo(std::uint32_t, IErrorInfo** record) {
  if (!record) return E_POINTER;
  *record = std::exchange(Slot().record, nullptr);
  return *record ? S_OK : S_FALSE;
}

}  // namespace xmlsecdb
