#include "platform/host_lookup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <string>
#include <vector>

#include "platform/memory_name_service.h"
#include "platform/name_service.h"
#include "testing/test_env.h"

namespace xmlsecdb {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr char kRefused[] = "ZelXmlSd: WSALookupServiceBegin failed.\n";

class HostLookupTest : public ::testing::Test {
 protected:
  HostLookupTest() {
    names_.AddHost("db.example", {"192.168.0.1", "::1", "fe80::102"}, {"db", "database.example"});
  }

  MemoryNameService names_;
  testing::ScopedDebugLogCapture log_;
};

TEST_F(HostLookupTest, AddressesInTheServicesOrderAndTheirTextForms) {
  names_.AddForeignAddress("db.example", AF_UNIX);
  std::vector<std::string> addresses = {"left over"};
  EXPECT_EQ(LookupHostAddresses(names_, "db.example", kNameSpaceDns, &addresses), 0);
  EXPECT_THAT(addresses, ElementsAre("192.168.0.1", "0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:1",
                                     "254:128:0:0:0:0:0:0:0:0:0:0:0:0:1:2"));
  EXPECT_THAT(log_.log().lines(), IsEmpty());
}

TEST_F(HostLookupTest, AliasesAreAppended) {
  std::vector<std::string> aliases = {"kept"};
  EXPECT_EQ(LookupHostAliases(names_, "db.example", kNameSpaceDns, &aliases), 0);
  EXPECT_THAT(aliases, ElementsAre("kept", "db", "database.example"));
}

TEST_F(HostLookupTest, ANameThatDoesNotResolveGivesAnEmptyListAndZero) {
  std::vector<std::string> addresses = {"left over"};
  std::vector<std::string> aliases;
  EXPECT_EQ(LookupHostAddresses(names_, "nowhere.example", kNameSpaceDns, &addresses), 0);
  EXPECT_EQ(LookupHostAliases(names_, "nowhere.example", kNameSpaceDns, &aliases), 0);
  EXPECT_THAT(addresses, IsEmpty());
  EXPECT_THAT(aliases, IsEmpty());
  EXPECT_THAT(log_.log().lines(), ElementsAre(kRefused, kRefused));
}

TEST_F(HostLookupTest, MissingArgumentsAreRefusedWithTheirLines) {
  std::vector<std::string> list;
  EXPECT_EQ(LookupHostAddresses(names_, "", kNameSpaceDns, &list), -1);
  EXPECT_EQ(LookupHostAliases(names_, "", kNameSpaceDns, &list), -1);
  EXPECT_EQ(LookupHostAddresses(names_, "db.example", kNameSpaceDns, nullptr), -2);
  EXPECT_EQ(LookupHostAliases(names_, "db.example", kNameSpaceDns, nullptr), -2);
  EXPECT_THAT(log_.log().lines(),
              ElementsAre("ZelXmlSd: szHostName is empty\n", "ZelXmlSd: szHostName is empty\n",
                          "ZelXmlSd: pIPs is empty\n", "ZelXmlSd: pAliases is empty\n"));
  EXPECT_THAT(names_.queries(), IsEmpty());
}

// The system resolver, without the network: literals and the local host.
TEST(SystemNameServiceTest, ResolvesLiteralsAndTheLocalHost) {
  NameService& system = DefaultNameService();
  std::vector<std::string> addresses;
  EXPECT_EQ(LookupHostAddresses(system, "127.0.0.1", kNameSpaceDns, &addresses), 0);
  EXPECT_THAT(addresses, ElementsAre("127.0.0.1"));
  EXPECT_EQ(LookupHostAddresses(system, "::1", kNameSpaceDns, &addresses), 0);
  EXPECT_THAT(addresses, ElementsAre("0:0:0:0:0:0:0:0:0:0:0:0:0:0:0:1"));
  EXPECT_EQ(LookupHostAddresses(system, "localhost", kNameSpaceDns, &addresses), 0);
  EXPECT_THAT(addresses, Contains("127.0.0.1"));

  std::vector<std::string> aliases;
  EXPECT_EQ(LookupHostAliases(system, "localhost", kNameSpaceDns, &aliases), 0);
  EXPECT_THAT(aliases, Not(Contains("localhost")));
  for (std::size_t i = 0; i < aliases.size(); ++i) {
    for (std::size_t j = i + 1; j < aliases.size(); ++j) EXPECT_NE(aliases[i], aliases[j]);
  }
}

}  // namespace
}  // namespace xmlsecdb
