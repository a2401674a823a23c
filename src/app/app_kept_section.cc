#include "app/app_kept_section.h"

#include "platform/sax_reader.h"

namespace xmlsecdb {

// The section's list as clients count it.
class KeptSection::Counter final : public ComObject<ISDCollection> {
 public:
  explicit Counter(const KeptSection& section) : section_(section) {}

  HRESULT Invoke(DISPID, const Variant*, std::uint32_t, Variant*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT get__NewEnum(IUnknown**) override { return E_NOTIMPL; }
  HRESULT get_Item(std::int32_t, Variant*) override { return E_NOTIMPL; }
  HRESULT get_Count(std::int32_t* count) override {
    if (!count) return E_POINTER;
    *count = section_.count();
    return S_OK;
  }

 private:
  const KeptSection& section_;
};

KeptSection::KeptSection(std::string_view element, std::string_view property)
    : element_(element), property_(property), counter_(MakeObject<Counter>(*this)) {}

KeptSection::~KeptSection() = default;

ISDCollection* KeptSection::collection() { return counter_.get(); }

HRESULT KeptSection::StartElement(SectionReadContext&, std::string_view name,
                                  std::string_view parent, const SaxAttributes& attributes,
                                  bool* handled) {
  if (depth_ == 0 && !(name == element_ && parent == "SecDb")) return S_OK;
  *handled = true;
  if (depth_ == 1) ++count_;
  current_ = store_.AppendElement(current_, name);
  if (current_ == CustomStore::kNone) return E_OUTOFMEMORY;
  for (int i = 0; i < attributes.length(); ++i) {
    if (!store_.AppendAttribute(current_, attributes.name(i), attributes.value(i))) {
      return E_OUTOFMEMORY;
    }
  }
  ++depth_;
  return S_OK;
}

HRESULT KeptSection::EndElement(SectionReadContext&, std::string_view, std::string_view,
                                std::string_view text) {
  // The text collected inside the element. After children it is only the
  // layout before the end tag (these sections hold no mixed content),
  // which the writer lays out anew.
  const bool layout = store_.first_child(current_) != CustomStore::kNone &&
                      text.find_first_not_of(" \t\r\n") == std::string_view::npos;
  if (!text.empty() && !layout && !store_.AppendText(current_, text)) return E_OUTOFMEMORY;
  current_ = store_.parent(current_);
  --depth_;
  return S_OK;
}

HRESULT KeptSection::Write(XmlWriter& writer) { return WriteCustomStore(writer, store_); }

void KeptSection::Clear() {
  store_.Clear();
  current_ = CustomStore::kRoot;
  depth_ = 0;
  count_ = 0;
}

}  // namespace xmlsecdb
