// A clean simulation network for one test: every manager reset, no neurons
// or effects left from another test, the special neurons created, options at
// their defaults and the random generator seeded.
#pragma once

#include <gtest/gtest.h>

class FreshNetworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Empties the network the way game start does.
    static void ClearNetwork();
};
