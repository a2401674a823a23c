// ProbeDatabaseModule: reads a database only as far as its Module element.
#include "xmlsecdb/probe.h"

#include <array>
#include <iterator>
#include <vector>

#include "core/database_image.h"
#include "core/parser_kinds.h"
#include "platform/env.h"
#include "platform/file_system.h"
#include "platform/sax_reader.h"
#include "xmlsecdb/classes.h"
#include "xmlsecdb/parser.h"

namespace xmlsecdb {
namespace {

// The public view of the kinds table.
constexpr auto kKinds = [] {
  std::array<DatabaseKindInfo, std::size(kParserKinds)> kinds{};
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    const ParserKind& kind = kParserKinds[i];
    kinds[i] = {kind.abbreviation, kind.module_text, kind.module_id, kind.clsid,
                kind.section_names_any_case};
  }
  return kinds;
}();

// Stops the parse once the answer is known.
constexpr HRESULT kFound = MakeResult(0x8004F001);

class ModuleFinder final : public SaxContentHandler, public SaxErrorHandler {
 public:
  HRESULT StartDocument() override { return S_OK; }
  HRESULT EndDocument() override { return S_OK; }
  HRESULT StartElement(std::string_view qname, const SaxAttributes& attributes) override {
    ++depth_;
    if (depth_ == 1 && qname != "SecDb") return E_FAIL;
    if (depth_ == 2 && qname == "Module") {
      std::string_view id;
      if (!attributes.GetValueFromName("id", &id)) return E_FAIL;
      module_.assign(id);
      return kFound;
    }
    return S_OK;
  }
  HRESULT EndElement(std::string_view) override {
    --depth_;
    return S_OK;
  }
  HRESULT Characters(std::string_view) override { return S_OK; }
  HRESULT FatalError(int, std::string_view, HRESULT) override { return E_FAIL; }

  const std::string& module() const { return module_; }

 private:
  int depth_ = 0;
  std::string module_;
};

}  // namespace

std::span<const DatabaseKindInfo> DatabaseKinds() { return kKinds; }

const DatabaseKindInfo* FindDatabaseKind(std::string_view name) {
  for (const DatabaseKindInfo& kind : kKinds) {
    if (kind.abbreviation == name || kind.module_text == name) return &kind;
  }
  return nullptr;
}

const DatabaseKindInfo* FindDatabaseKind(std::int32_t module_id) {
  for (const DatabaseKindInfo& kind : kKinds) {
    if (kind.module_id == module_id) return &kind;
  }
  return nullptr;
}

namespace {

// Reads the image of a database until its Module element: `bytes`, or the
// file at `path` streamed when `bytes` is null and there is no key.
HRESULT Probe(const std::string* path, std::string_view bytes, std::string_view crypt_key,
              std::string* module_text) {
  if (!module_text) return E_POINTER;
  ModuleFinder finder;
  SaxReader reader;
  reader.set_content_handler(&finder);
  reader.set_error_handler(&finder);
  HRESULT hr;
  if (crypt_key.empty()) {
    hr = path ? reader.ParseFile(*ProcessEnv().file_system, *path)
              : reader.Parse(bytes.data(), bytes.size());
  } else {
    std::vector<std::uint8_t> key;
    if (!DecodeBinaryHex(crypt_key, &key)) return E_INVALIDARG;
    std::string file_bytes;
    if (path) {
      hr = ProcessEnv().file_system->ReadWholeFile(*path, &file_bytes);
      if (Failed(hr)) return hr;
      bytes = file_bytes;
    }
    CCryptEngineAPI engine(*ProcessEnv().crypto);
    (void)engine.SetKey(key.data(), static_cast<std::uint32_t>(key.size()));
    std::string image;
    if (!DecryptDatabaseImage(engine, bytes, &image)) return SECDB_E_NOTXMLTEXT;
    hr = reader.Parse(image.data(), image.size());
  }
  if (hr == kFound) {
    *module_text = finder.module();
    return S_OK;
  }
  if (hr == SaxReader::kNotMarkup) return SECDB_E_NOTXMLTEXT;
  return Failed(hr) && hr != E_FAIL ? hr : E_FAIL;
}

}  // namespace

HRESULT ProbeDatabaseModule(std::string_view path, std::string_view crypt_key,
                            std::string* module_text) {
  const std::string file(path);
  return Probe(&file, {}, crypt_key, module_text);
}

HRESULT ProbeDatabaseImage(std::string_view bytes, std::string_view crypt_key,
                           std::string* module_text) {
  return Probe(nullptr, bytes, crypt_key, module_text);
}

}  // namespace xmlsecdb
