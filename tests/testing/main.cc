#include <gtest/gtest.h>

#include "xmlsecdb/settings.h"

// Loads write no backups beside the tests' files: the recovery tests turn
// recovery on for themselves (testing::ScopedRecoveryPolicy).
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  xmlsecdb::SetRecoveryPolicy(xmlsecdb::RecoveryPolicy::kOff);
  return RUN_ALL_TESTS();
}
