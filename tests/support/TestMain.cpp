// Test entry: no window, no dialogs, no mail program.
#include <gtest/gtest.h>

#include "platform/Shell.h"

int main(int argc, char** argv) {
    platform::SetHeadless(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
