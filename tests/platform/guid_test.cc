#include "xmlsecdb/guid.h"

#include <gtest/gtest.h>

namespace xmlsecdb {
namespace {

TEST(GuidTest, RegistryFormRoundTrips) {
  constexpr GUID g = MakeGuid("{A7F78D92-6956-4016-BBC0-1C66E7911740}");
  EXPECT_EQ(GuidToString(g), "{A7F78D92-6956-4016-BBC0-1C66E7911740}");
  GUID parsed;
  ASSERT_TRUE(GuidFromString("{a7f78d92-6956-4016-bbc0-1c66e7911740}", &parsed));
  EXPECT_EQ(parsed, g);
}

TEST(GuidTest, RejectsMalformedText) {
  GUID g;
  for (const char* text : {"", "{A7F78D92-6956-4016-BBC0-1C66E791174}",
                           "{A7F78D92-6956-4016-BBC0-1C66E791174G}",
                           "A7F78D92-6956-4016-BBC0-1C66E7911740xx",
                           "{A7F78D92+6956-4016-BBC0-1C66E7911740}"}) {
    EXPECT_FALSE(GuidFromString(text, &g)) << text;
  }
}

}  // namespace
}  // namespace xmlsecdb
