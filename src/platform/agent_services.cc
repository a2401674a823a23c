#include "platform/agent_services.h"

namespace xmlsecdb {
namespace {

class UnavailablePathExpander final : public PathExpander {
 public:
  HRESULT Expand(std::string_view, std::vector<std::string>*, bool*) override {
    return REGDB_E_CLASSNOTREG;
  }
  HRESULT Describe(std::string_view, std::string*) override { return REGDB_E_CLASSNOTREG; }
};

class UnavailableChecksumService final : public ChecksumService {
 public:
  HRESULT Compute(std::int32_t, std::string_view, std::string*) override {
    return REGDB_E_CLASSNOTREG;
  }
  HRESULT Derive(std::int32_t, std::string_view, std::string*) override {
    return REGDB_E_CLASSNOTREG;
  }
};

}  // namespace

PathExpander& DefaultPathExpander() {
  static UnavailablePathExpander* const service = new UnavailablePathExpander;
  return *service;
}

ChecksumService& DefaultChecksumService() {
  static UnavailableChecksumService* const service = new UnavailableChecksumService;
  return *service;
}

}  // namespace xmlsecdb
