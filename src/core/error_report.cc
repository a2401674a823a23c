#include "core/error_report.h"

#include <cstdarg>
#include <cstdio>

#include "core/class_table.h"
#include "platform/debug_log.h"
#include "xmlsecdb/dispatch.h"

namespace xmlsecdb {

HRESULT ReportErrorText(std::string_view source, const CLSID& clsid, std::string_view text,
                        const IID& iid, HRESULT result, std::string_view suffix) {
  std::string message(text);
  message.append(suffix);
  DebugLog("ZelXmlSd: Error in %.*s: %s\n", static_cast<int>(source.size()), source.data(),
           message.c_str());
  ICreateErrorInfo* create = nullptr;
  if (Failed(CreateErrorInfo(&create))) return result;
  (void)create->SetGUID(iid);
  std::string progid;
  if (Succeeded(ProgIDFromCLSID(clsid, &progid))) (void)create->SetSource(progid);
  (void)create->SetDescription(message);
  IErrorInfo* info = nullptr;
  if (Succeeded(create->QueryInterface(&info))) {
    (void)SetErrorInfo(0, info);
    info->Release();
  }
  create->Release();
  return result;
}

HRESULT ReportError(std::string_view source, const CLSID& clsid, int message_id, const IID& iid,
                    HRESULT result, std::string_view suffix) {
  return ReportErrorText(source, clsid, LoadMessage(message_id), iid, result, suffix);
}

bool HasErrorRecord() {
  IErrorInfo* info = nullptr;
  if (GetErrorInfo(0, &info) != S_OK || !info) return false;
  (void)SetErrorInfo(0, info);
  info->Release();
  return true;
}

void ClearErrorRecord() { (void)SetErrorInfo(0, nullptr); }

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text;
  if (n > 0) {
    text.resize(static_cast<std::size_t>(n));
    std::vsnprintf(text.data(), text.size() + 1, format, args);
  }
  va_end(args);
  return text;
}

}  // namespace xmlsecdb
