// Late binding under arbitrary calls: on a loaded example database, the
// input names members (by name, by number, or by position in the type
// information), picks the call kind and builds the arguments; every object
// a call returns joins the pool the next calls choose from. Nothing a
// caller passes may crash or leak.
#include <fstream>
#include <iterator>

#include "fuzz_load.h"

namespace xmlsecdb::fuzz {
namespace {

constexpr struct {
  const CLSID* clsid;
  const char* file;
} kDatabases[] = {{&CLSID_XMLSDParserAM, "antimalware.xml"},
                  {&CLSID_XMLSDParserSBX, "sandbox.xml"},
                  {&CLSID_XMLSDParserDI, "data_inspection.xml"},
                  {&CLSID_XMLSDParserIDS, "ids.xml"}};

// The bytes of the example databases, read once.
const std::vector<std::string>& Examples() {
  static const std::vector<std::string> examples = [] {
    std::vector<std::string> out;
    for (const auto& db : kDatabases) {
      std::ifstream in(std::string(XMLSECDB_EXAMPLES "/") + db.file, std::ios::binary);
      out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      if (out.back().empty()) std::abort();
    }
    return out;
  }();
  return examples;
}

// The name of member `dispid` of `object`, from its type information.
std::string NameOf(IDispatch* object, DISPID dispid) {
  DispatchTypeInfo info;
  if (Succeeded(object->GetTypeInfo(&info))) {
    for (const DispatchMemberInfo& member : info.members) {
      if (member.dispid == dispid) return member.name;
    }
  }
  return {};
}

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i) w = (w << 8) | Byte();
    return w;
  }
  std::string Text() {
    std::size_t n = Byte() % 24;
    std::string s;
    while (n-- > 0 && !empty()) s.push_back(static_cast<char>(Byte()));
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

Variant MakeArgument(Input& in, const std::vector<ComPtr<IDispatch>>& pool, int depth = 0) {
  switch (in.Byte() % 10) {
    case 0:
      return Variant();
    case 1:
      return Variant::MakeNull();
    case 2:
      return Variant(static_cast<std::int32_t>(in.Word()));
    case 3:
      return Variant(in.Word());
    case 4:
      return Variant((in.Byte() & 1) != 0);
    case 5:
      return Variant(in.Text());
    case 6:
      return Variant(std::to_string(static_cast<std::int32_t>(in.Word())));
    case 7:
      return Variant(ComPtr<IUnknown>(pool[in.Byte() % pool.size()].get()));
    case 8:
      return Variant(std::int32_t{in.Byte() % 4});
    default: {
      std::vector<Variant> items;
      if (depth < 2) {
        for (int n = in.Byte() % 3; n > 0; --n) items.push_back(MakeArgument(in, pool, depth + 1));
      }
      return Variant(std::move(items));
    }
  }
}

void Run(Input& in) {
  const std::size_t which = in.Byte() % std::size(kDatabases);
  const auto& db = kDatabases[which];
  // Each input starts from the example as it is (a call may have saved
  // over it).
  Files().SetFile(std::string("/fuzz/") + db.file, Examples()[which]);
  ComPtr<IDispatch> parser;
  if (Failed(CreateInstance(*db.clsid, parser.Put()))) std::abort();
  Variant load_args[] = {Variant(std::string("/fuzz/") + db.file), Variant(std::int32_t{0})};
  Variant ignored;
  DISPID load = 0;
  if (Failed(parser->GetIDsOfNames("Load", &load))) std::abort();
  if (parser->Invoke(load, load_args, 2, &ignored) != S_OK) std::abort();

  std::vector<ComPtr<IDispatch>> pool = {parser};
  for (int step = 0; step < 64 && !in.empty(); ++step) {
    IDispatch* object = pool[in.Byte() % pool.size()].get();
    DISPID dispid = 0;
    switch (in.Byte() % 3) {
      case 0:
        (void)object->GetIDsOfNames(in.Text(), &dispid);
        break;
      case 1:
        dispid = static_cast<DISPID>(in.Word());
        break;
      default: {
        DispatchTypeInfo info;
        if (Failed(object->GetTypeInfo(&info)) || info.members.empty()) continue;
        dispid = info.members[in.Byte() % info.members.size()].dispid;
      }
    }
    // A parser made its own master holds itself, as the agent's SDK call
    // allows; that cycle is the caller's, so the target leaves it out.
    if (NameOf(object, dispid) == "SetMasterParser") continue;
    const std::uint16_t kinds = in.Byte() & 7;
    std::vector<Variant> args;
    for (int n = in.Byte() % 4; n > 0; --n) args.push_back(MakeArgument(in, pool));
    Variant result;
    const bool with_result = (in.Byte() & 3) != 0;
    HRESULT hr =
        object->InvokeMember(dispid, kinds, args.data(), static_cast<std::uint32_t>(args.size()),
                             with_result ? &result : nullptr);
    if (Succeeded(hr) && pool.size() < 32) {
      if (const ComPtr<IUnknown>* held = result.as_object(); held && *held) {
        ComPtr<IDispatch> next;
        if (Succeeded((*held)->QueryInterface(next.Put()))) pool.push_back(next);
      }
    }
    IErrorInfo* record = nullptr;
    if (GetErrorInfo(0, &record) == S_OK && record) record->Release();
  }
}

}  // namespace
}  // namespace xmlsecdb::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  xmlsecdb::fuzz::Input in(data, size);
  xmlsecdb::fuzz::Run(in);
  return 0;
}
