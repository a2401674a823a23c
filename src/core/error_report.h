// The two helpers behind every failure of the component.
//
// Both write the debug-log line "ZelXmlSd: Error in <source>: <text>",
// install an error record on the calling thread (source = the ProgID of
// `clsid`, GUID = `iid`, description = the text) and return `result`. A
// failure inside them is ignored.
#ifndef XMLSECDB_CORE_ERROR_REPORT_H_
#define XMLSECDB_CORE_ERROR_REPORT_H_

#include <string>
#include <string_view>

#include "core/messages.h"
#include "xmlsecdb/guid.h"
#include "xmlsecdb/result.h"

namespace xmlsecdb {

// `source` names the operation, e.g. "CAMRule::put_Priority()". `suffix`
// is appended to the message unchanged (suffixes used while reading begin
// with a blank: " Missing rule id.").
HRESULT ReportError(std::string_view source, const CLSID& clsid, int message_id, const IID& iid,
                    HRESULT result, std::string_view suffix = {});
HRESULT ReportErrorText(std::string_view source, const CLSID& clsid, std::string_view text,
                        const IID& iid, HRESULT result, std::string_view suffix = {});

// Whether the calling thread holds an error record (without taking it).
bool HasErrorRecord();
// Drops the thread's error record, if any.
void ClearErrorRecord();

// printf-style formatting into a std::string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_ERROR_REPORT_H_
