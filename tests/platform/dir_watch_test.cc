#include "platform/dir_watch.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace xmlsecdb {
namespace {

class DirWatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "dir_watch_test_XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::remove(File().c_str());
    rmdir(dir_.c_str());
  }
  std::string File() const { return dir_ + "/db.xml"; }
  void Write(const char* text) {
    FILE* f = std::fopen(File().c_str(), "ab");
    ASSERT_NE(f, nullptr);
    std::fputs(text, f);
    std::fclose(f);
  }

  std::string dir_;
};

TEST_F(DirWatchTest, SignalsWritesUntilRearmed) {
  DirWatch watch;
  EXPECT_FALSE(watch.Signalled());
  ASSERT_TRUE(watch.Arm(dir_));
  EXPECT_TRUE(watch.armed());
  EXPECT_FALSE(watch.Signalled());

  Write("<SecDb/>");
  EXPECT_TRUE(watch.Signalled());
  EXPECT_TRUE(watch.Signalled());  // Stays signalled.

  ASSERT_TRUE(watch.Arm(dir_));
  EXPECT_FALSE(watch.Signalled());
  Write("more");  // A write to an existing file.
  EXPECT_TRUE(watch.Signalled());

  ASSERT_TRUE(watch.Arm(dir_));
  ASSERT_EQ(std::remove(File().c_str()), 0);
  EXPECT_TRUE(watch.Signalled());

  watch.Close();
  EXPECT_FALSE(watch.armed());
  EXPECT_FALSE(watch.Signalled());
}

TEST_F(DirWatchTest, RefusesWhatIsNotADirectory) {
  DirWatch watch;
  EXPECT_FALSE(watch.Arm(dir_ + "/missing"));
  EXPECT_FALSE(watch.armed());
  Write("x");
  EXPECT_FALSE(watch.Arm(File()));
  EXPECT_FALSE(watch.armed());
}

}  // namespace
}  // namespace xmlsecdb
