// The test programs' entry: the test keys are in place before any test runs.
#include <gtest/gtest.h>

#include "support/test_keys.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  bp::testing::InstallTestKeys();
  return RUN_ALL_TESTS();
}
