// Start-up: the frame on the bundled map, and a map picture that cannot be used ending
// start-up with a message that names the file.
#include "DialogConstants.h"
#include "KVKApp.h"
#include "ModalHooks.h"
#include "TestFiles.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(Startup, theBundledMapOpensInTheFrame) {
    const std::string map = KURVASK_DATA_DIR "/kvkmap.bmp";
    bool ran = false;
    const int status = KVKApp::Start(map.c_str(), [&] {
        ran = true;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(ran);

    KVKApp app(map.c_str());
    EXPECT_EQ(app.Frame().GetWidget()->windowTitle().toStdString(), "Kurvask");
    EXPECT_EQ(app.Window().Map().MapWidth(), 2100);
    EXPECT_EQ(app.Window().Map().MapHeight(), 1300);
}

TEST(Startup, theFrameClosesOnlyWhenTheMapWindowAgrees) {
    KVKApp app(KURVASK_DATA_DIR "/kvkmap.bmp");
    app.Frame().GetWidget()->show();
    app.Window().Modified = true;
    {
        ModalHooks hooks;
        hooks.AnswerMessageBox(IDCANCEL);
        EXPECT_FALSE(app.Frame().GetWidget()->close());
        EXPECT_TRUE(app.Frame().GetWidget()->isVisible());
        EXPECT_TRUE(hooks.Clean()) << hooks.Report();
    }
    ModalHooks hooks;
    hooks.AnswerMessageBox(IDNO);
    EXPECT_TRUE(app.Frame().GetWidget()->close());
    EXPECT_TRUE(hooks.Clean()) << hooks.Report();
}

TEST(Startup, anUnusableMapEndsStartUpWithAMessageNamingIt) {
    TestDir dir;
    dir.Write("broken.bmp", "BM this is not a picture");
    for (const std::string& name : {dir.Path("kvkmap.bmp"), dir.Path("broken.bmp")}) {
        ModalHooks hooks;
        hooks.AnswerMessageBox(IDOK);
        ::testing::internal::CaptureStderr();
        bool ran = false;
        const int status = KVKApp::Start(name.c_str(), [&] {
            ran = true;
            return 0;
        });
        const std::string terminal = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 1);
        EXPECT_FALSE(ran);
        EXPECT_NE(terminal.find(name), std::string::npos) << terminal;
        ASSERT_EQ(hooks.MessageBoxes().size(), 1u);
        EXPECT_NE(hooks.MessageBoxes()[0].Text.find(name), std::string::npos);
        EXPECT_EQ(hooks.MessageBoxes()[0].Caption, "Kurvask");
        EXPECT_TRUE(hooks.Clean()) << hooks.Report();
    }
}

TEST(Startup, withoutADisplayTheTerminalHearsWhatIsWrong) {
    TestDir dir;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(KVKApp::NoDisplay(dir.Path("kvkmap.bmp").c_str()), 1);
    const std::string terminal = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(terminal.find(dir.Path("kvkmap.bmp")), std::string::npos);
    EXPECT_NE(terminal.find("cannot be opened"), std::string::npos);
}

} // namespace
