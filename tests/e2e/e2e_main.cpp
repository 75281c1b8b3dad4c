// The end-to-end binary's entry point: one private X server for all its tests.
#include <gtest/gtest.h>

#include "harness/viewer_test.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new XServerEnvironment);
    return RUN_ALL_TESTS();
}
