#include "core/error_report.h"

#include <gtest/gtest.h>

#include "testing/hresult_matchers.h"
#include "testing/test_parser.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {
namespace {

TEST(ErrorReportTest, RecordCarriesMessageSuffixSourceAndInterface) {
  struct Case {
    int message;
    const char* suffix;
    HRESULT result;
    const char* description;
  };
  const Case cases[] = {
      {kMsgMissingAttribute, " Missing rule id.", E_FAIL,
       "Required attribute is missing. Missing rule id."},
      {kMsgReadOnly, nullptr, SECDB_E_READONLY,
       "Database is opened in read-only mode and cannot be modified."},
      {118, nullptr, SECDB_E_NOTFOUND, ""},  // an id without a message
  };
  testing::ScopedTestParserProgID progid;
  for (const Case& c : cases) {
    EXPECT_HR(ReportError("CTestParser::Save()", testing::CLSID_TestParser, c.message,
                          testing::IID_ITestParser, c.result, c.suffix ? c.suffix : ""),
              c.result);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK);
    std::string text;
    ASSERT_OK(info->GetDescription(&text));
    EXPECT_EQ(text, c.description);
    ASSERT_OK(info->GetSource(&text));
    EXPECT_EQ(text, testing::ScopedTestParserProgID::kProgID);
    IID iid;
    ASSERT_OK(info->GetGUID(&iid));
    EXPECT_EQ(iid, testing::IID_ITestParser);
    EXPECT_EQ(GetErrorInfo(0, info.Put()), S_FALSE) << "taking the record clears it";
  }
}

TEST(ErrorReportTest, UnknownClassLeavesTheSourceEmpty) {
  constexpr CLSID kUnknown = MakeGuid("{00000000-1111-2222-3333-444444444444}");
  (void)ReportErrorText("X::Y()", kUnknown, "text", ISDParser::kIID, E_FAIL);
  ComPtr<IErrorInfo> info;
  ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK);
  std::string source = "unset";
  ASSERT_OK(info->GetSource(&source));
  EXPECT_EQ(source, "");
}

TEST(ErrorReportTest, MessageTableHasNoGaps118121122) {
  for (int id : {118, 121, 122, 99, 124}) EXPECT_EQ(LoadMessage(id), "") << id;
  EXPECT_EQ(LoadMessage(106), "Object with gived ID already exists.");
  EXPECT_EQ(LoadMessage(116), "Cannot parse %s. Result=0x%08x:\nThe backup file is used.");
}

}  // namespace
}  // namespace xmlsecdb
