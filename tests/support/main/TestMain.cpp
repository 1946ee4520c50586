// Runs the tests inside a Qt application, so that pictures, windows and dialogs work as in the
// program. The platform plugin comes from QT_QPA_PLATFORM (offscreen under ctest). Listing the
// tests needs no application, so test discovery works without a display. The program's settings
// go to a folder of the tests' own, never to the user's.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

QtMessageHandler Previous = nullptr;

// The offscreen platform warns at every drag and slide that it cannot grab the mouse: that
// warning is kept out of the tests' output, every other message passes.
void QuietMouseGrab(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (Previous && !text.contains(QStringLiteral("does not support grabbing the mouse")))
        Previous(type, context, text);
}

} // namespace

int main(int argc, char** argv) {
    Previous = qInstallMessageHandler(&QuietMouseGrab);
    ::testing::InitGoogleTest(&argc, argv);
#ifdef KURVASK_TEST_SETTINGS
    qputenv("XDG_CONFIG_HOME", KURVASK_TEST_SETTINGS);
#endif
    std::unique_ptr<QApplication> app;
    if (!GTEST_FLAG_GET(list_tests))
        app = std::make_unique<QApplication>(argc, argv);
    return RUN_ALL_TESTS();
}
