// The object base, error records and connection points.
#include "platform/object.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/connection_point.h"
#include "testing/hresult_matchers.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {
namespace {

constexpr IID kTestEvents = MakeGuid("{5EC0DB00-09F0-4000-8000-5EC0DB0009F0}");

class Sink final : public ComObject<IDispatch> {
 public:
  HRESULT Invoke(DISPID dispid, const Variant* args, std::uint32_t count, Variant*) override {
    calls.push_back(dispid);
    if (count > 0) last_arg = args[0];
    if (on_call) on_call();
    return S_OK;
  }
  std::vector<DISPID> calls;
  Variant last_arg;
  std::function<void()> on_call;
};

TEST(ObjectTest, QueryInterfaceFollowsInterfaceBases) {
  ComPtr<Sink> sink = MakeObject<Sink>();
  for (const IID& iid : {IUnknown::kIID, IDispatch::kIID}) {
    void* out = nullptr;
    ASSERT_OK(sink->QueryInterface(iid, &out));
    static_cast<IUnknown*>(out)->Release();
  }
  void* out = reinterpret_cast<void*>(1);
  EXPECT_HR(sink->QueryInterface(ISDParser::kIID, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_HR(sink->QueryInterface(IDispatch::kIID, nullptr), E_POINTER);
}

TEST(ObjectTest, CountsStartAtOneAndLiveObjectsAreCounted) {
  const long before = ModuleCounts::objects();
  Sink* raw = new Sink();
  EXPECT_EQ(ModuleCounts::objects(), before + 1);
  EXPECT_EQ(raw->AddRef(), 2u);
  EXPECT_EQ(raw->Release(), 1u);
  EXPECT_EQ(raw->Release(), 0u);
  EXPECT_EQ(ModuleCounts::objects(), before);
}

TEST(ConnectionPointTest, AdviseFireUnadvise) {
  ComPtr<ConnectionPoint> point = MakeObject<ConnectionPoint>(kTestEvents);
  ComPtr<Sink> first = MakeObject<Sink>();
  ComPtr<Sink> second = MakeObject<Sink>();
  std::uint32_t a = 0, b = 0;
  ASSERT_OK(point->Advise(first->unknown(), &a));
  ASSERT_OK(point->Advise(second->unknown(), &b));
  EXPECT_NE(a, b);
  point->Fire(27, {Variant(std::int32_t{5})});
  EXPECT_EQ(first->calls, std::vector<DISPID>{27});
  EXPECT_EQ(second->last_arg, Variant(std::int32_t{5}));

  // A sink may unadvise itself while being called.
  first->on_call = [&] { EXPECT_OK(point->Unadvise(a)); };
  point->Fire(28);
  point->Fire(29);
  EXPECT_EQ(first->calls, (std::vector<DISPID>{27, 28}));
  EXPECT_EQ(second->calls, (std::vector<DISPID>{27, 28, 29}));
  EXPECT_HR(point->Unadvise(a), CONNECT_E_NOCONNECTION);
  IID iid;
  ASSERT_OK(point->GetConnectionInterface(&iid));
  EXPECT_EQ(iid, kTestEvents);
}

TEST(VariantTest, TypesAndEquality) {
  EXPECT_EQ(Variant().type(), VT_EMPTY);
  EXPECT_EQ(Variant::MakeNull().type(), VT_NULL);
  EXPECT_EQ(Variant(std::int32_t{-1}).type(), VT_I4);
  EXPECT_EQ(Variant(std::uint32_t{4294967295u}).type(), VT_UI4);
  EXPECT_EQ(Variant(true).type(), VT_BOOL);
  EXPECT_EQ(Variant("x").type(), VT_BSTR);
  EXPECT_EQ(Variant(std::vector<std::uint8_t>{1, 2}).type(), VT_ARRAY | VT_UI1);
  EXPECT_EQ(Variant(std::vector<std::string>{"a"}).type(), VT_ARRAY | VT_BSTR);
  EXPECT_FALSE(Variant(std::int32_t{1}) == Variant(std::uint32_t{1}));
}

}  // namespace
}  // namespace xmlsecdb
