#include "fuzz_load.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return xmlsecdb::fuzz::FuzzLoad(xmlsecdb::CLSID_XMLSDParserAM, data, size);
}
