#pragma once

#include <gtest/gtest.h>

#include <string>

/** Whether text holds part somewhere; a failure shows the whole text. */
inline ::testing::AssertionResult Holds(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << part << "\" is not in:\n" << text;
}
