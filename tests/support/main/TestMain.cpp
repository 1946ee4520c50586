// Runs the tests inside a Qt application, so that pictures, windows and dialogs work as in the
// program. The platform plugin comes from QT_QPA_PLATFORM (offscreen under ctest). Listing the
// tests needs no application, so test discovery works without a display.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests))
        app = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
