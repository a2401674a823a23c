// Tokens: the value in its types, the hexadecimal form, the modifiers and
// the list's unique ids.
#include "ids/ids_token.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/hresult_matchers.h"

namespace xmlsecdb {
namespace {

class IDSTokenTest : public ::testing::Test {
 protected:
  ComPtr<CIDSToken> NewToken() { return list_->NewItem(); }

  ComPtr<CIDSTokenList> list_ = MakeObject<CIDSTokenList>(nullptr);
};

TEST_F(IDSTokenTest, DefaultsAndValueKeepsItsType) {
  ComPtr<CIDSToken> token = NewToken();
  EIDSTokenID id = TID_ASN1;
  ETokenType type = TT_BIN;
  ERelation relation = REL_LESS;
  std::int32_t unique = -1;
  Variant value(1);
  ASSERT_OK(token->get_TokenID(&id));
  ASSERT_OK(token->get_Type(&type));
  ASSERT_OK(token->get_Relation(&relation));
  ASSERT_OK(token->get_UniqueId(&unique));
  ASSERT_OK(token->get_Value(&value));
  EXPECT_EQ(id, TID_DSIZE);
  EXPECT_EQ(type, TT_STR);
  EXPECT_EQ(relation, REL_EQUAL);
  EXPECT_EQ(unique, 0);
  EXPECT_TRUE(value.is_empty());

  // Any value is stored as given, whatever the token's type.
  const Variant values[] = {Variant(std::uint32_t{4294967295u}), Variant(-1), Variant(true),
                            Variant("a<b>&c"), Variant(std::vector<std::uint8_t>{0x00, 0xFF})};
  for (const Variant& given : values) {
    ASSERT_OK(token->put_Value(given));
    ASSERT_OK(token->get_Value(&value));
    EXPECT_EQ(value, given);
    EXPECT_EQ(value.type(), given.type());
  }
}

TEST_F(IDSTokenTest, BinHexValueBothWays) {
  ComPtr<CIDSToken> token = NewToken();
  ASSERT_OK(token->put_Type(TT_BIN));
  struct Case {
    const char* text;
    HRESULT result;
    const char* reads;  // BinHEXValue afterwards
  };
  const Case cases[] = {
      {"0a1B", S_OK, "0A1B"},         {"00ff", S_OK, "00FF"}, {"0a1", E_FAIL, "00FF"},
      {"0g", E_FAIL, "00FF"},         {"-1", E_FAIL, "00FF"}, {"", S_OK, ""},
      {"DEADbeef", S_OK, "DEADBEEF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_HR(token->put_BinHEXValue(c.text), c.result);
    std::string text = "?";
    ASSERT_OK(token->get_BinHEXValue(&text));
    EXPECT_EQ(text, c.reads);
  }
  Variant value;
  ASSERT_OK(token->put_BinHEXValue("0a1B"));
  ASSERT_OK(token->get_Value(&value));
  ASSERT_NE(value.as_bytes(), nullptr);
  EXPECT_EQ(*value.as_bytes(), (std::vector<std::uint8_t>{0x0A, 0x1B}));

  // Only a binary token shows its bytes as text; a string is never shown.
  std::string text = "?";
  ASSERT_OK(token->put_Type(TT_STR));
  ASSERT_OK(token->get_BinHEXValue(&text));
  EXPECT_EQ(text, "");
  ASSERT_OK(token->put_Type(TT_BIN));
  ASSERT_OK(token->put_Value(Variant("0A")));
  ASSERT_OK(token->get_BinHEXValue(&text));
  EXPECT_EQ(text, "");
}

TEST_F(IDSTokenTest, AttributesRefuseReservedNamesInAnyCase) {
  ComPtr<CIDSToken> token = NewToken();
  struct Case {
    const char* name;
    HRESULT result;
  };
  const Case cases[] = {{"ID", E_FAIL}, {"id", E_FAIL},   {"Unique_ID", E_FAIL}, {"tYpe", E_FAIL},
                        {"rel", S_OK},  {"offset", S_OK}, {"identity", S_OK},    {"", E_POINTER}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_HR(token->put_TokenAttr(c.name, "1"), c.result);
    EXPECT_EQ(testing::TakeErrorDescription(),
              c.result == E_FAIL ? "This attribute name is reserved." : "");
    EXPECT_HR(token->put_TokenAttrAsNumber(c.name, 2), c.result);
    EXPECT_EQ(testing::TakeErrorDescription(),
              c.result == E_FAIL ? "This attribute name is reserved." : "");
  }
  EXPECT_EQ(token->attributes(),
            (std::vector<CIDSToken::Attribute>{{"identity", "2"}, {"offset", "2"}, {"rel", "2"}}));
}

TEST_F(IDSTokenTest, AttributesAsTextAndNumber) {
  ComPtr<CIDSToken> token = NewToken();
  ASSERT_OK(token->put_TokenAttrAsNumber("depth", -42));
  ASSERT_OK(token->put_TokenAttrAsNumber("zero", 0));
  ASSERT_OK(token->put_TokenAttr("offset", "12bytes"));
  ASSERT_OK(token->put_TokenAttr("nocase", ""));
  struct Case {
    const char* name;
    const char* text;
    std::int32_t number;
  };
  const Case cases[] = {{"depth", "-42", -42},
                        {"zero", "", 0},
                        {"offset", "12bytes", 12},
                        {"nocase", "", 0},
                        {"absent", "", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = "?";
    std::int32_t number = -1;
    ASSERT_OK(token->get_TokenAttr(c.name, &text));
    ASSERT_OK(token->get_TokenAttrAsNumber(c.name, &number));
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(number, c.number);
  }
  // Reading a name never set does not add it to what a save writes.
  EXPECT_EQ(token->attributes().size(), 4u);
  ASSERT_OK(token->put_TokenAttr("offset", "4"));
  EXPECT_EQ(token->attributes().size(), 4u);
}

TEST_F(IDSTokenTest, GenerateUniqueIdTakesTheFirstFreeFromOne) {
  struct Case {
    std::vector<std::int32_t> ids;
    std::int32_t expected;
  };
  const Case cases[] = {{{}, 1},           {{1, 2, 4}, 3}, {{4, 2, 1}, 3},
                        {{0, 1, 1, 2}, 3}, {{2, 3}, 1},    {{-1, 1}, 2}};
  for (const Case& c : cases) {
    ComPtr<CIDSTokenList> list = MakeObject<CIDSTokenList>(nullptr);
    for (std::int32_t id : c.ids) {
      ComPtr<CIDSToken> token = list->NewItem();
      ASSERT_OK(token->put_UniqueId(id));
      ASSERT_OK(list->Insert(token.get()));
    }
    std::int32_t id = 0;
    ASSERT_OK(list->GenerateUniqueId(&id));
    EXPECT_EQ(id, c.expected) << ::testing::PrintToString(c.ids);
  }
}

TEST_F(IDSTokenTest, ListKeepsInsertionOrderWithoutChecks) {
  ComPtr<CIDSToken> a = NewToken(), b = NewToken();
  ASSERT_OK(list_->Insert(a.get()));
  ASSERT_OK(list_->Insert(b.get()));  // the same UniqueId 0 twice is allowed
  EXPECT_EQ(list_->at(0), a.get());
  EXPECT_EQ(list_->at(1), b.get());
  ASSERT_OK(list_->Remove(a.get()));
  EXPECT_HR(list_->Remove(a.get()), SECDB_E_NOTFOUND);
  EXPECT_EQ(testing::TakeErrorDescription(), "Item not found.");
  ASSERT_OK(list_->Clear());
  EXPECT_EQ(list_->count(), 0);
}

}  // namespace
}  // namespace xmlsecdb
