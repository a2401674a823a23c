// The process-wide debug log.
//
// Off unless the registry enables it (see InitDebugLog). Each line goes to
// the log file with one write, prefixed "[<thread id>] " and ending in CRLF;
// a line is at most 2048 bytes including that prefix and its line end (longer
// texts are cut at a character boundary). Nothing here ever fails a caller.
// All functions may be called from any thread; writers do not serialise each
// other, only against opening and closing the file.
#ifndef XMLSECDB_PLATFORM_DEBUG_LOG_H_
#define XMLSECDB_PLATFORM_DEBUG_LOG_H_

namespace xmlsecdb {

// printf-style; the texts conventionally start "ZelXmlSd: " and end "\n".
void DebugLog(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Reads HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\ZelCfg from
// Registry::Instance(): when the DWORD LogEnable is non-zero and the string
// LogPath names a directory, creates "ZelXmlSDLog.txt" there (or, when that
// exists, "ZelXmlSDLog<number>.txt", never reusing an existing file) and
// writes the "Log file created" line. The directory and "ZelXmlSDLog"
// together must be shorter than 241 characters. Any failure leaves logging
// off. Runs once per process: the host calls it when the library is loaded,
// and otherwise the first DebugLog call does; later calls do nothing.
void InitDebugLog();

// Closes the log file; logging stays off for the rest of the process.
void ShutdownDebugLog();

// For tests: closes any log file and initialises again from the registry's
// current content.
void ReinitDebugLogForTest();

// True while a log file is open; lets callers skip building costly texts.
bool DebugLogEnabled();

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_DEBUG_LOG_H_
