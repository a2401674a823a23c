// The component's message table: the texts behind its error records.
#ifndef XMLSECDB_CORE_MESSAGES_H_
#define XMLSECDB_CORE_MESSAGES_H_

#include <string_view>

namespace xmlsecdb {

// Message ids; the names say what each is used for.
enum MessageId : int {
  kMsgProjectName = 100,
  kMsgSchemaCache = 101,
  kMsgFileNotFound = 102,       // "%s" = path
  kMsgCannotParse = 103,
  kMsgFatalError = 104,         // path, line, reader message
  kMsgError = 105,              // path, line, reader message
  kMsgDuplicateId = 106,
  kMsgNotFound = 107,
  kMsgWrongParser = 108,
  kMsgMissingAttribute = 109,
  kMsgInvalidContent = 110,
  kMsgReadOnly = 111,
  kMsgInvalidObjectType = 112,
  kMsgInUse = 113,
  kMsgWrongLabelType = 114,
  kMsgReservedName = 115,
  kMsgBackupUsed = 116,         // path, result
  kMsgDuplicateRuleId = 117,
  kMsgWrongId = 119,
  kMsgInvalidValue = 120,
  kMsgInvalidChecksum = 123,
};

// The text of `id`, or "" for an id without a message.
std::string_view LoadMessage(int id);

// The text of the event-log message of a database replaced by its backup;
// "%1" receives the formatted message 116.
inline constexpr std::string_view kEventCannotParse = "Cannot parse xml file.\r\n%1\r\n";
inline constexpr unsigned kEventIdCannotParse = 0xC0000001u;

}  // namespace xmlsecdb

#endif  // XMLSECDB_CORE_MESSAGES_H_
