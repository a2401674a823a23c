// Test helpers for HRESULT-returning calls.
#ifndef XMLSECDB_TESTS_TESTING_HRESULT_MATCHERS_H_
#define XMLSECDB_TESTS_TESTING_HRESULT_MATCHERS_H_

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "xmlsecdb/dispatch.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb::testing {

inline std::string HResultText(HRESULT hr) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(hr));
  return buf;
}

// The description of the thread's error record, or "" when there is none.
// Takes the record, as a client would.
inline std::string TakeErrorDescription() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return {};
  std::string text;
  (void)info->GetDescription(&text);
  info->Release();
  return text;
}

// The whole error record of the thread (empty fields when there is none).
// Takes the record.
struct ErrorRecord {
  std::string source;
  std::string description;
  IID iid = {};
};

inline ErrorRecord TakeRecord() {
  ErrorRecord record;
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return record;
  (void)info->GetSource(&record.source);
  (void)info->GetDescription(&record.description);
  (void)info->GetGUID(&record.iid);
  info->Release();
  return record;
}

inline ::testing::AssertionResult IsOk(const char* expr, HRESULT hr) {
  if (hr == S_OK) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << expr << " returned " << HResultText(hr) << ": "
                                       << TakeErrorDescription();
}

inline ::testing::AssertionResult IsResult(const char* expr, const char*, HRESULT hr,
                                           HRESULT expected) {
  if (hr == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << expr << " returned " << HResultText(hr)
                                       << ", expected " << HResultText(expected);
}

}  // namespace xmlsecdb::testing

#define ASSERT_OK(expr) ASSERT_PRED_FORMAT1(::xmlsecdb::testing::IsOk, (expr))
#define EXPECT_OK(expr) EXPECT_PRED_FORMAT1(::xmlsecdb::testing::IsOk, (expr))
#define EXPECT_HR(expr, expected) \
  EXPECT_PRED_FORMAT2(::xmlsecdb::testing::IsResult, (expr), (expected))
#define ASSERT_HR(expr, expected) \
  ASSERT_PRED_FORMAT2(::xmlsecdb::testing::IsResult, (expr), (expected))

#endif  // XMLSECDB_TESTS_TESTING_HRESULT_MATCHERS_H_
