// The secdb tool on IDS databases: a refused rule is reported with its text
// and its place (the round trip is a row of tools/secdb_round_trip_test.cc).
#include <gtest/gtest.h>

#include <string>

#include "ids/ids_fixture.h"
#include "testing/temp_dir.h"
#include "testing/tool_run.h"

namespace xmlsecdb {
namespace {

using testing::ToolRun;

class IDSSecdbTest : public ::testing::Test {
 protected:
  ToolRun Secdb(const std::string& arguments) { return testing::RunSecdb(dir_, arguments); }
  std::string Write(const std::string& name, const std::string& body) {
    const std::string path = dir_.File(name);
    testing::WriteFileBytes(path, testing::Utf16Image(testing::IDSDocument(body)));
    return path;
  }

  testing::TempDir dir_;
};

TEST_F(IDSSecdbTest, RuleForBothDirectionsIsRefused) {
  const std::string path =
      Write("both.xml", testing::GroupElement(testing::RuleElement().replace(
                            testing::RuleElement().find("dir=\"in\""), 8, "dir=\"in_out\"")));
  ToolRun check = Secdb("check " + path);
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.err, "secdb: " + path +
                           ": error 0x80004005\nSecurity database has invalid content. Wrong "
                           "rule dir.\n" +
                           path + ":1:77: in element Rule (RuleList id g)\n");
}

}  // namespace
}  // namespace xmlsecdb
