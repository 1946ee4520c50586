#pragma once

#include "ModalHooks.h"

#include <gtest/gtest.h>

/**
 * Hooks for one step of a test: when they go, every answer queued must have been used, and
 * nothing must have come up unasked.
 */
class CheckedHooks : public ModalHooks {
public:
    ~CheckedHooks() { EXPECT_TRUE(Clean()) << Report(); }
};

/** A test whose message boxes and dialogs are answered by its hooks, checked at its end. */
class HookedTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(Hooks.Clean()) << Hooks.Report(); }

    ModalHooks Hooks;
};
