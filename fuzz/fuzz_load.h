// The fuzz targets' one body: load bytes as a database of one kind, plain
// or encrypted, from an in-memory file, and check that what the library
// writes it reads back to the same text. Each target (one per kind) is a
// line that calls FuzzLoad.
#ifndef XMLSECDB_FUZZ_FUZZ_LOAD_H_
#define XMLSECDB_FUZZ_FUZZ_LOAD_H_
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/crypt_engine.h"
#include "core/database_image.h"
#include "platform/env.h"
#include "platform/memory_file_system.h"
#include "xmlsecdb/xmlsecdb.h"

namespace xmlsecdb::fuzz {

inline constexpr char kKey[] = "000102030405060708090a0b0c0d0e0f1011121314";

inline constexpr char kPath[] = "/fuzz/db.xml";

// The files of every load: in memory, made the process's file system once.
inline MemoryFileSystem& Files() {
  static MemoryFileSystem* const files = [] {
    static MemoryFileSystem memory;
    static Env env = Env::Default();
    env.file_system = &memory;
    SetProcessEnv(&env);
    SetRecoveryPolicy(RecoveryPolicy::kOff);
    return &memory;
  }();
  return *files;
}

inline ComPtr<ISDParser> Load(const CLSID& clsid, bool keyed, HRESULT* hr) {
  ComPtr<ISDParser> parser;
  if (Failed(CreateInstance(clsid, parser.Put()))) std::abort();
  if (keyed) (void)parser->put_CryptKey(kKey);
  *hr = parser->Load(kPath, 0);
  return parser;
}

// Loads `input` with the parser of `clsid`; when `keyed`, the file holds
// the input encrypted, so the parser decrypts it back to these bytes.
inline int FuzzLoad(const CLSID& clsid, std::string_view input, bool keyed) {
  std::string file(input);
  if (keyed) {
    std::vector<std::uint8_t> key;
    (void)DecodeBinaryHex(kKey, &key);
    CCryptEngineAPI engine;
    (void)engine.SetKey(key.data(), static_cast<std::uint32_t>(key.size()));
    auto in = reinterpret_cast<const std::uint8_t*>(input.data());
    auto in_len = static_cast<std::uint32_t>(input.size());
    file.assign(engine.GetEncryptedSize(in, in_len), '\0');
    auto out_len = static_cast<std::uint32_t>(file.size());
    if (engine.Encrypt(in, in_len, reinterpret_cast<std::uint8_t*>(file.data()), &out_len) != 0) {
      return 0;
    }
    file.resize(out_len);
  }
  Files().SetFile(kPath, std::move(file));

  HRESULT hr;
  ComPtr<ISDParser> first = Load(clsid, keyed, &hr);
  if (hr != S_OK) return 0;
  std::string xml;
  if (Failed(first->get_Xml(&xml))) return 0;  // text the writer refuses is reported, not written

  // What we write, we must read back to the same text.
  std::string image;
  CCryptEngine plain;
  if (Failed(BuildDatabaseImage(plain, xml, &image))) std::abort();
  Files().SetFile(kPath, std::move(image));
  ComPtr<ISDParser> second = Load(clsid, false, &hr);
  if (hr != S_OK) std::abort();
  std::string again;
  if (Failed(second->get_Xml(&again)) || again != xml) std::abort();
  return 0;
}

// Every eighth input size also runs encrypted.
inline int FuzzLoad(const CLSID& clsid, const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  int result = FuzzLoad(clsid, input, false);
  if (size % 8 == 0) result = FuzzLoad(clsid, input, true);
  return result;
}

}  // namespace xmlsecdb::fuzz

#endif  // XMLSECDB_FUZZ_FUZZ_LOAD_H_
