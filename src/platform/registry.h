// The configuration store: a tree of keys holding named, typed values.
//
// Keys are addressed by backslash-separated paths that start with a root
// ("HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\ZelCfg"); the roots
// HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS and
// HKEY_CURRENT_CONFIG always exist and may be written HKCR, HKCU, HKLM, HKU and
// HKCC. Key and value names match without regard to ASCII case and keep the
// case they were created with. Empty path components are ignored. The value
// named "" is the key's default value ("@" in the file format).
//
// Values are stored as the type number and the raw data bytes, exactly as the
// configuration files describe them; strings are UTF-16LE with a terminating
// zero character in the store and UTF-8 at this interface.
//
// The process-wide store (Instance) is read from the file named by the
// environment variable XMLSECDB_REGISTRY, in the registry editor's text format
// (see LoadText). Changes stay in memory until Save writes them back.
//
// Thread safety: every method may be called from any thread; one mutex
// serialises them.
#ifndef XMLSECDB_PLATFORM_REGISTRY_H_
#define XMLSECDB_PLATFORM_REGISTRY_H_

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "xmlsecdb/result.h"

namespace xmlsecdb {

// Value types, numbered as the file format's hex(N) and the platform's API.
constexpr std::uint32_t REG_NONE = 0;
constexpr std::uint32_t REG_SZ = 1;
constexpr std::uint32_t REG_EXPAND_SZ = 2;
constexpr std::uint32_t REG_BINARY = 3;
constexpr std::uint32_t REG_DWORD = 4;
constexpr std::uint32_t REG_MULTI_SZ = 7;
constexpr std::uint32_t REG_QWORD = 11;

// The key or the value does not exist.
constexpr HRESULT kRegNotFound = HResultFromWin32(2);  // ERROR_FILE_NOT_FOUND
// The value exists but has another type than the query asks for.
constexpr HRESULT kRegWrongType = HResultFromWin32(1630);  // ERROR_UNSUPPORTED_TYPE
// The value has the right type but its data are not of that type's shape
// (a DWORD of other than 4 bytes; a string of odd length or without a
// terminating zero character).
constexpr HRESULT kRegBadData = HResultFromWin32(13);  // ERROR_INVALID_DATA
// A store file lacks the "Windows Registry Editor Version 5.00" header.
constexpr HRESULT kRegBadFile = HResultFromWin32(1009);  // ERROR_BADDB

namespace registry_internal {
struct Key;
}  // namespace registry_internal

class Registry {
 public:
  // The process-wide store, loaded on first use from the file that
  // XMLSECDB_REGISTRY names; empty and in memory when the variable is unset.
  // A named file that does not exist yet gives an empty store that Save
  // creates; a named file that cannot be read or is not in the text format
  // gives an empty store that Save refuses to write, so it is never clobbered.
  static Registry& Instance();

  // An empty store in memory.
  Registry();
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Reading. `name` is the value's name, "" for the default value.

  bool KeyExists(std::string_view key) const;

  // Stores a REG_DWORD value in *value. kRegNotFound, kRegWrongType or
  // kRegBadData otherwise, leaving *value unchanged.
  [[nodiscard]] HRESULT QueryDword(std::string_view key, std::string_view name,
                                   std::uint32_t* value) const;

  // Stores a REG_SZ or REG_EXPAND_SZ value, up to its first zero character,
  // in *value and its type in *type (when type is not null). An expandable
  // string comes back unexpanded. kRegNotFound, kRegWrongType (other types) or
  // kRegBadData (odd byte length or no terminating zero) otherwise.
  [[nodiscard]] HRESULT QueryString(std::string_view key, std::string_view name, std::string* value,
                                    std::uint32_t* type = nullptr) const;

  // Any value as its type and raw bytes; kRegNotFound when absent.
  [[nodiscard]] HRESULT QueryValue(std::string_view key, std::string_view name, std::uint32_t* type,
                                   std::vector<std::uint8_t>* data) const;

  // Writing. The Set calls create the key and its parents as needed and
  // replace a value of the same name whatever its type. They fail with
  // E_INVALIDARG when the path does not start with a root.

  [[nodiscard]] HRESULT CreateKey(std::string_view key);
  // Deletes the key with all its subkeys and values; S_FALSE when it did not
  // exist. A root cannot be deleted (E_ACCESSDENIED).
  [[nodiscard]] HRESULT DeleteKey(std::string_view key);
  [[nodiscard]] HRESULT SetDword(std::string_view key, std::string_view name, std::uint32_t value);
  // `type` is REG_SZ or REG_EXPAND_SZ (else E_INVALIDARG).
  [[nodiscard]] HRESULT SetString(std::string_view key, std::string_view name,
                                  std::string_view value, std::uint32_t type = REG_SZ);
  [[nodiscard]] HRESULT SetValue(std::string_view key, std::string_view name, std::uint32_t type,
                                 const std::vector<std::uint8_t>& data);
  // kRegNotFound when the key or the value does not exist.
  [[nodiscard]] HRESULT DeleteValue(std::string_view key, std::string_view name);

  // A number no other store of the process has, for callers that keep
  // what they once read from a store.
  std::uint64_t serial() const { return serial_; }

  // Persistence.

  // Replaces the whole content with the given text in the registry editor's
  // format: a "Windows Registry Editor Version 5.00" header, then "[KEY]"
  // sections (created) and "[-KEY]" sections (deleted with their subkeys),
  // each followed by value lines "Name"=... or @=... whose data are
  // "text" (REG_SZ; \\ and \" are escapes), dword:0000000a, hex:01,02
  // (REG_BINARY), hex(N):.. (type N, raw bytes; hex(2) is an expandable string
  // in UTF-16LE) or - (delete the value). Lines beginning with ";" are
  // comments; a hex list may continue on following lines after a trailing
  // backslash. CRLF or LF line ends; UTF-8, ASCII or UTF-16LE with a
  // byte-order mark. Malformed lines are skipped. Without the header nothing
  // is loaded and the content is left unchanged (kRegBadFile). Afterwards the
  // store is in memory: Save writes nothing.
  [[nodiscard]] HRESULT LoadText(std::string_view text);

  // Replaces the content with the file's and binds the store to that file for
  // Save. A missing file gives an empty store (S_FALSE) that Save creates; an
  // unreadable or malformed file gives an empty store, the error, and a Save
  // that fails with the same error instead of overwriting the file.
  [[nodiscard]] HRESULT LoadFile(const std::string& path);

  // Empties the store and detaches it from any file.
  void Reset();

  // The content in the text format LoadText reads (UTF-8, LF line ends).
  std::string ToText() const;

  // Writes the content to the bound file by replacing it atomically (a
  // temporary file in the same directory renamed over it). S_FALSE when the
  // store is in memory only; an errno-based HRESULT when writing fails.
  [[nodiscard]] HRESULT Save();

 private:
  void ResetLocked();
  std::string ToTextLocked() const;

  mutable std::mutex mu_;
  std::unique_ptr<registry_internal::Key> tree_;  // holds the roots
  std::string path_;                              // bound file, "" when in memory
  HRESULT load_error_ = S_OK;                     // non-zero: Save must not overwrite path_
  std::uint64_t serial_ = 0;
};

}  // namespace xmlsecdb

#endif  // XMLSECDB_PLATFORM_REGISTRY_H_
