#pragma once

#include "ModalHooks.h"

#include <gtest/gtest.h>

/**
 * A test whose message boxes and dialogs are answered by its hooks: at its end every answer
 * queued must have been used, and nothing must have come up unasked.
 */
class HookedTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(Hooks.Clean()) << Hooks.Report(); }

    ModalHooks Hooks;
};
