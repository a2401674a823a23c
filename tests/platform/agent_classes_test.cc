// The agent's services as classes of the object runtime: created under
// their class ids over the process's environment, replaced by a test's
// own service, and refused when the environment has none.
#include "platform/agent_classes.h"

#include <gtest/gtest.h>

#include "platform/agent_services.h"
#include "testing/hresult_matchers.h"
#include "testing/test_env.h"
#include "xmlsecdb/classes.h"

namespace xmlsecdb {
namespace {

using testing::ScopedProcessEnv;
using testing::TestEnv;

class CountingChecksums final : public ChecksumService {
 public:
  HRESULT Compute(std::int32_t kind, std::string_view text, std::string* checksum) override {
    *checksum = std::to_string(kind) + ":" + std::string(text);
    return kind == 1 ? S_OK : E_INVALIDARG;
  }
  HRESULT Derive(std::int32_t, std::string_view checksum, std::string* derived) override {
    *derived = "derived:" + std::string(checksum);
    return S_OK;
  }
};

template <class I>
HRESULT Create(const CLSID& clsid, ComPtr<I>* object) {
  return CoCreateInstance(clsid, nullptr, kAllClassContexts, I::kIID,
                          reinterpret_cast<void**>(object->Put()));
}

TEST(AgentClassesTest, RealServicesAnswerThroughTheirInterfaces) {
  ComPtr<IFileChecksum> sums;
  ASSERT_OK(Create(CLSID_FileChecksum, &sums));
  std::string sum;
  ASSERT_OK(sums->Compute(2, "abc", &sum));
  EXPECT_EQ(sum, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_HR(sums->Compute(2, "abc", nullptr), E_POINTER);

  ComPtr<IPathExpander> expander;
  ASSERT_OK(Create(CLSID_PathExpander, &expander));
  Variant paths;
  std::int32_t expanded = -1;
  ASSERT_OK(expander->Expand("/no/such/plain|b", &paths, &expanded));
  ASSERT_NE(paths.as_string_array(), nullptr);
  EXPECT_EQ(*paths.as_string_array(), (std::vector<std::string>{"/no/such/plain", "b"}));
  EXPECT_EQ(expanded, 0);
  // The other interface of the other class is not answered.
  ComPtr<IFileChecksum> wrong;
  EXPECT_HR(Create(CLSID_PathExpander, &wrong), E_NOINTERFACE);
}

TEST(AgentClassesTest, TestServicesReplaceTheRealOnesAndMissingOnesFailCreation) {
  CountingChecksums checksums;
  TestEnv env;
  env.checksum_service = &checksums;
  env.path_expander = nullptr;
  ScopedProcessEnv scope(env);

  ComPtr<IFileChecksum> sums;
  ASSERT_OK(Create(CLSID_FileChecksum, &sums));
  std::string text;
  ASSERT_OK(sums->Compute(1, "/bin/x", &text));
  EXPECT_EQ(text, "1:/bin/x");
  // A negative result comes back unchanged.
  EXPECT_HR(sums->Compute(3, "t", &text), E_INVALIDARG);
  ASSERT_OK(sums->Derive(2, "c", &text));
  EXPECT_EQ(text, "derived:c");

  ComPtr<IPathExpander> expander;
  EXPECT_HR(Create(CLSID_PathExpander, &expander), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(expander.get(), nullptr);
}

}  // namespace
}  // namespace xmlsecdb
