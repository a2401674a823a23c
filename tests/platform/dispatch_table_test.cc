// The generic late binding: lookups by name, calls through a table, the
// coercions and the DISP_E_ failures, on a small interface of its own.
#include "platform/dispatch_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dispatch_object.h"
#include "testing/hresult_matchers.h"

namespace xmlsecdb {

struct ITestGadget : IDispatch {
  static constexpr IID kIID = MakeGuid("{5EC0DB00-09F1-4000-8000-5EC0DB0009F1}");
  using Base = IDispatch;

  virtual HRESULT get_Number(std::int32_t* value) = 0;
  virtual HRESULT put_Number(std::int32_t value) = 0;
  virtual HRESULT get_Small(std::int16_t* value) = 0;
  virtual HRESULT put_Small(std::int16_t value) = 0;
  virtual HRESULT put_Name(std::string_view name) = 0;
  virtual HRESULT get_Attr(std::string_view key, std::string* value) = 0;
  virtual HRESULT put_Attr(std::string_view key, std::string_view value) = 0;
  // Joins its arguments; fails with E_INVALIDARG for an empty `text`.
  virtual HRESULT Join(std::string_view text, std::uint32_t count, ITestGadget* other,
                       std::string* joined) = 0;
  virtual HRESULT Split(std::int32_t value, std::int32_t* high, std::int32_t* low) = 0;
  virtual HRESULT Self(ITestGadget** self) = 0;
};

namespace {

using M = DispatchMembers<ITestGadget>;
constexpr DispatchMember kMembers[] = {
    M::Property<&ITestGadget::get_Number, &ITestGadget::put_Number>("Number", 1),
    M::Property<&ITestGadget::get_Small, &ITestGadget::put_Small>("Small", 2),
    M::Put<&ITestGadget::put_Name>("Name", 3),
    M::Property<&ITestGadget::get_Attr, &ITestGadget::put_Attr>("Attr", 4),
    M::Method<&ITestGadget::Join>("Join", 5),
    M::Method<&ITestGadget::Split>("Split", 6),
    M::Get<&ITestGadget::Self>("Self", DISPID_VALUE),
};
static_assert(DispatchMembersAreUnique(kMembers));
constexpr DispatchMember kClash[] = {
    M::Property<&ITestGadget::get_Number, &ITestGadget::put_Number>("Number", 1),
    M::Get<&ITestGadget::get_Small>("NUMBER", 2),
};
static_assert(!DispatchMembersAreUnique(kClash));
constexpr DispatchTable kTable = DispatchTableOf<ITestGadget>("ITestGadget", kMembers);

}  // namespace

DispatchBinding DispatchTableFor(ITestGadget* self) { return BindTable(kTable, self); }

namespace {

class Gadget final : public DispatchObject<ITestGadget> {
 public:
  HRESULT get_Number(std::int32_t* value) override {
    *value = number;
    return S_OK;
  }
  HRESULT put_Number(std::int32_t value) override {
    number = value;
    return S_OK;
  }
  HRESULT get_Small(std::int16_t* value) override {
    *value = small;
    return S_OK;
  }
  HRESULT put_Small(std::int16_t value) override {
    small = value;
    return S_OK;
  }
  HRESULT put_Name(std::string_view value) override {
    name = value;
    return S_OK;
  }
  HRESULT get_Attr(std::string_view key, std::string* value) override {
    *value = key == attr_key ? attr_value : "";
    return S_OK;
  }
  HRESULT put_Attr(std::string_view key, std::string_view value) override {
    attr_key = key;
    attr_value = value;
    return S_OK;
  }
  HRESULT Join(std::string_view text, std::uint32_t count, ITestGadget* other,
               std::string* joined) override {
    if (text.empty()) return E_INVALIDARG;
    *joined = std::string(text) + ":" + std::to_string(count) + ":" + (other ? "other" : "none");
    return S_OK;
  }
  HRESULT Split(std::int32_t value, std::int32_t* high, std::int32_t* low) override {
    *high = value >> 16;
    *low = value & 0xFFFF;
    return S_OK;
  }
  HRESULT Self(ITestGadget** self) override {
    *self = this;
    AddRef();
    return S_OK;
  }

  std::int32_t number = 0;
  std::int16_t small = 0;
  std::string name, attr_key, attr_value;
};

constexpr std::uint16_t kCall = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

class DispatchTableTest : public ::testing::Test {
 protected:
  HRESULT Call(DISPID id, std::vector<Variant> args, Variant* result = nullptr,
               std::uint16_t kinds = kCall) {
    return gadget_->InvokeMember(id, kinds, args.data(), static_cast<std::uint32_t>(args.size()),
                                 result);
  }
  HRESULT Put(DISPID id, std::vector<Variant> args) {
    return Call(id, std::move(args), nullptr, DISPATCH_PROPERTYPUT);
  }

  ComPtr<Gadget> gadget_ = MakeObject<Gadget>();
};

TEST_F(DispatchTableTest, NamesMatchIgnoringAsciiCase) {
  struct Case {
    std::string_view name;
    HRESULT hr;
    DISPID dispid;
  } cases[] = {{"Number", S_OK, 1},
               {"nUMBER", S_OK, 1},
               {"self", S_OK, 0},
               {"Numbe", DISP_E_UNKNOWNNAME, -1},
               {"", DISP_E_UNKNOWNNAME, -1},
               {std::string_view("Number\0", 7), DISP_E_UNKNOWNNAME, -1},
               {"N\xC3\x9Cmber", DISP_E_UNKNOWNNAME, -1}};
  for (const Case& c : cases) {
    DISPID dispid = 99;
    EXPECT_HR(gadget_->GetIDsOfNames(c.name, &dispid), c.hr) << c.name;
    EXPECT_EQ(dispid, c.dispid) << c.name;
  }
  EXPECT_HR(gadget_->GetIDsOfNames("Number", nullptr), E_POINTER);
}

TEST_F(DispatchTableTest, GetPutAndCoercions) {
  struct Case {
    Variant value;
    HRESULT hr;
    std::int32_t stored;
  } cases[] = {
      {Variant(std::int32_t{-7}), S_OK, -7},
      {Variant(std::uint32_t{0xFFFFFFFF}), S_OK, -1},
      {Variant(true), S_OK, 1},
      {Variant("42"), S_OK, 42},
      {Variant("-3"), S_OK, -3},
      {Variant("4x"), DISP_E_TYPEMISMATCH, 0},
      {Variant(""), DISP_E_TYPEMISMATCH, 0},
      {Variant("99999999999"), DISP_E_TYPEMISMATCH, 0},
      {Variant(), DISP_E_TYPEMISMATCH, 0},
      {Variant::MakeNull(), DISP_E_TYPEMISMATCH, 0},
      {Variant(std::vector<Variant>{Variant(1)}), DISP_E_TYPEMISMATCH, 0},
      {Variant(ComPtr<IUnknown>(gadget_->unknown())), DISP_E_TYPEMISMATCH, 0},
  };
  for (const Case& c : cases) {
    gadget_->number = 0;
    EXPECT_HR(Put(1, {c.value}), c.hr);
    EXPECT_EQ(gadget_->number, c.stored);
  }
  gadget_->number = 12;
  Variant result;
  ASSERT_OK(Call(1, {}, &result));
  EXPECT_EQ(result, Variant(std::int32_t{12}));

  // A 16-bit parameter takes what 16 bits hold.
  EXPECT_OK(Put(2, {Variant(std::int32_t{-32768})}));
  EXPECT_EQ(gadget_->small, -32768);
  EXPECT_HR(Put(2, {Variant(std::int32_t{70000})}), DISP_E_TYPEMISMATCH);
  ASSERT_OK(Call(2, {}, &result));
  EXPECT_EQ(result, Variant(std::int32_t{-32768}));

  // Text takes numbers as their decimal text, and null as "".
  EXPECT_OK(Put(3, {Variant(std::uint32_t{7})}));
  EXPECT_EQ(gadget_->name, "7");
  EXPECT_OK(Put(3, {Variant::MakeNull()}));
  EXPECT_EQ(gadget_->name, "");
  EXPECT_HR(Put(3, {Variant(true)}), DISP_E_TYPEMISMATCH);
}

TEST_F(DispatchTableTest, KindsCountsAndUnknownNumbers) {
  Variant result;
  // A put-only property cannot be read, a get-only one not written.
  EXPECT_HR(Call(3, {}, &result), DISP_E_MEMBERNOTFOUND);
  EXPECT_HR(Put(DISPID_VALUE, {Variant(1)}), DISP_E_MEMBERNOTFOUND);
  // A method is no property put.
  EXPECT_HR(Put(6, {Variant(1)}), DISP_E_MEMBERNOTFOUND);
  for (DISPID unknown : {7, -1, -4, 0x7FFFFFFF, static_cast<DISPID>(0x80000000)}) {
    EXPECT_HR(Call(unknown, {}, &result), DISP_E_MEMBERNOTFOUND) << unknown;
  }
  EXPECT_HR(Call(1, {Variant(1)}, &result), DISP_E_BADPARAMCOUNT);
  EXPECT_HR(Put(1, {}), DISP_E_BADPARAMCOUNT);
  EXPECT_HR(Put(1, {Variant(1), Variant(2)}), DISP_E_BADPARAMCOUNT);
  EXPECT_HR(Call(5, {Variant("a")}, &result), DISP_E_BADPARAMCOUNT);
  EXPECT_HR(gadget_->InvokeMember(5, kCall, nullptr, 3, &result), E_POINTER);
  // Plain Invoke is a method call or a get.
  gadget_->number = 5;
  ASSERT_OK(gadget_->Invoke(1, nullptr, 0, &result));
  EXPECT_EQ(result, Variant(std::int32_t{5}));
}

TEST_F(DispatchTableTest, MethodsTakeObjectsAndReturnTheirOutParameters) {
  Variant result;
  ASSERT_OK(Call(5, {Variant("x"), Variant(std::int32_t{3}), Variant::MakeNull()}, &result));
  EXPECT_EQ(result, Variant("x:3:none"));
  ASSERT_OK(Call(
      5, {Variant("x"), Variant(std::int32_t{3}), Variant(ComPtr<IUnknown>(gadget_->unknown()))},
      &result));
  EXPECT_EQ(result, Variant("x:3:other"));
  // An object that is not of the parameter's interface, and a text for an
  // object.
  class Other final : public ComObject<IDispatch> {
    HRESULT Invoke(DISPID, const Variant*, std::uint32_t, Variant*) override { return S_OK; }
  };
  ComPtr<Other> other = MakeObject<Other>();
  EXPECT_HR(
      Call(5, {Variant("x"), Variant(1), Variant(ComPtr<IUnknown>(other->unknown()))}, &result),
      DISP_E_TYPEMISMATCH);
  EXPECT_HR(Call(5, {Variant("x"), Variant(1), Variant("gadget")}, &result), DISP_E_TYPEMISMATCH);
  // The member's own failure comes back as it is, with no result.
  result = Variant("stale");
  EXPECT_HR(Call(5, {Variant(""), Variant(1), Variant()}, &result), E_INVALIDARG);
  EXPECT_TRUE(result.is_empty());

  // Several out-parameters come back as an array.
  ASSERT_OK(Call(6, {Variant(std::int32_t{0x00020003})}, &result));
  EXPECT_EQ(result,
            Variant(std::vector<Variant>{Variant(std::int32_t{2}), Variant(std::int32_t{3})}));
  // An object result holds a reference; a null result pointer drops it.
  ASSERT_OK(Call(DISPID_VALUE, {}, &result));
  ASSERT_NE(result.as_object(), nullptr);
  EXPECT_EQ(result.as_object()->get(), gadget_->unknown());
  EXPECT_OK(Call(DISPID_VALUE, {}, nullptr));
}

TEST_F(DispatchTableTest, PropertiesWithArgumentsTakeTheValueLast) {
  ASSERT_OK(Put(4, {Variant("key"), Variant("value")}));
  EXPECT_EQ(gadget_->attr_key, "key");
  EXPECT_EQ(gadget_->attr_value, "value");
  Variant result;
  ASSERT_OK(Call(4, {Variant("key")}, &result));
  EXPECT_EQ(result, Variant("value"));
  EXPECT_HR(Call(4, {}, &result), DISP_E_BADPARAMCOUNT);
}

TEST_F(DispatchTableTest, TypeInformationDescribesEveryMember) {
  DispatchTypeInfo info;
  ASSERT_OK(gadget_->GetTypeInfo(&info));
  EXPECT_EQ(info.interface_name, "ITestGadget");
  ASSERT_EQ(info.members.size(), std::size(kMembers));
  struct Expected {
    std::string_view name;
    DISPID dispid;
    std::uint16_t kinds;
    std::vector<VARTYPE> params;
    std::uint16_t result;
  } expected[] = {
      {"Number", 1, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, {}, VT_I4},
      {"Small", 2, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, {}, VT_I4},
      {"Name", 3, DISPATCH_PROPERTYPUT, {}, VT_BSTR},
      {"Attr", 4, DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT, {VT_BSTR}, VT_BSTR},
      {"Join", 5, DISPATCH_METHOD, {VT_BSTR, VT_UI4, VT_DISPATCH}, VT_BSTR},
      {"Split", 6, DISPATCH_METHOD, {VT_I4}, VT_ARRAY | VT_VARIANT},
      {"Self", DISPID_VALUE, DISPATCH_PROPERTYGET, {}, VT_DISPATCH},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const DispatchMemberInfo& member = info.members[i];
    EXPECT_EQ(member.name, expected[i].name);
    EXPECT_EQ(member.dispid, expected[i].dispid) << member.name;
    EXPECT_EQ(member.kinds, expected[i].kinds) << member.name;
    EXPECT_EQ(member.params, expected[i].params) << member.name;
    EXPECT_EQ(member.result, expected[i].result) << member.name;
  }
  EXPECT_HR(gadget_->GetTypeInfo(nullptr), E_POINTER);
}

// An object whose interface has no table answers nothing, and a sink
// keeps the defaults.
TEST(DispatchFallbackTest, ObjectsWithoutATableAnswerNoMember) {
  class Plain final : public DispatchObject<IDispatch> {};
  ComPtr<Plain> plain = MakeObject<Plain>();
  DISPID dispid = 0;
  EXPECT_HR(plain->GetIDsOfNames("Count", &dispid), DISP_E_UNKNOWNNAME);
  Variant result;
  EXPECT_HR(plain->Invoke(1, nullptr, 0, &result), DISP_E_MEMBERNOTFOUND);
  DispatchTypeInfo info;
  EXPECT_HR(plain->GetTypeInfo(&info), E_NOTIMPL);
}

}  // namespace
}  // namespace xmlsecdb
