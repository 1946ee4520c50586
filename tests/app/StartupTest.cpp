// Start-up: splash, frame, menu, tool bar and status bar; pictures that cannot be used; the
// turn named on the command line; closing.
#include "AppFixture.h"
#include "DialogConstants.h"
#include "DialogDriver.h"
#include "HookedTest.h"
#include "KVKMap.h"
#include "MapWindowProbe.h"
#include "TDialog.h"
#include "TModule.h"
#include "TextChecks.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

namespace {

QMainWindow& MainWidget(KVKApp& app) {
    return *static_cast<QMainWindow*>(app.Frame().GetWidget());
}

TEST(Startup, theFrameWithItsMenuToolBarAndStatusBar) {
    InFolder data(KURVASK_DATA_DIR);
    bool ran = false;
    EXPECT_EQ(KVKApp::Start({}, [&] { return ran = true, 0; }), 0);
    EXPECT_TRUE(ran);

    auto app = MakeProgram();
    QMainWindow& frame = MainWidget(*app);
    EXPECT_EQ(frame.windowTitle().toStdString(), "Kurvask");
    EXPECT_FALSE(frame.windowIcon().isNull());
    std::string menu; // "Popup:" and then its items, each with its shortcut, "|" between
    for (QAction* popup : frame.menuBar()->actions()) {
        menu += popup->text().toStdString() + ":";
        for (QAction* item : popup->menu()->actions())
            menu +=
                "|" + item->text().toStdString() +
                (item->shortcut().isEmpty() ? "" : " " + item->shortcut().toString().toStdString());
        menu += "|";
    }
    EXPECT_EQ(menu, "Files:|Open Turn Ctrl+O|Save Turn Ctrl+S|Map:|Undo Last Move Ctrl+Z|Move All|"
                    "Zoom|Left Click:|Move|Return to Start Hex|Combat|Right Click:|Rotate|"
                    "Surr/Rail/Rep|Show Combat|Combat Display:|Show All|Clear All|About:|About|"
                    "Review:|Show Moves|Review Panel|Next Move|Previous Move|");
    for (const int id :
         {400, 401, 405, 406, 407, 410, 412, 413, 423, 424, 422, 421, 420, 500, 430, 431, 432, 433})
        ASSERT_NE(app->Frame().Action(id), nullptr) << id;

    auto* tools = frame.findChild<QToolBar*>();
    ASSERT_NE(tools, nullptr);
    std::vector<int> layout;
    for (QAction* a : tools->actions()) {
        int id = 0;
        for (const int candidate :
             {400, 401, 405, 406, 407, 410, 412, 413, 423, 424, 422, 430, 432, 433})
            if (app->Frame().Action(candidate) == a)
                id = candidate;
        layout.push_back(a->isSeparator() ? 0 : id);
        if (!a->isSeparator()) {
            EXPECT_NE(id, 0);
            EXPECT_FALSE(a->icon().isNull()) << id;
        }
    }
    // The first fifteen places as they always were; the review's buttons after them.
    EXPECT_EQ(layout, (std::vector<int>{400, 401, 0, 405, 406, 407, 0, 410, 412, 413, 0, 423, 424,
                                        422, 0, 430, 433, 432}));
    // The status bar: the message field, then the hex label and the move state.
    const QList<QWidget*> fields = frame.statusBar()->findChildren<QWidget*>();
    EXPECT_NE(std::find(fields.begin(), fields.end(), app->HexGadget->GetWidget()), fields.end());
    EXPECT_NE(std::find(fields.begin(), fields.end(), app->MoveGadget->GetWidget()), fields.end());
    EXPECT_LT(app->HexGadget->GetWidget()->x(), app->MoveGadget->GetWidget()->x() + 1);
}

// The tool-bar pictures and the program's icon show their resource pictures, as Qt's own
// reader decodes them, with the colour of the top-left pixel (the ground) transparent.
TEST(Startup, toolBarPicturesAndIconShowTheirResourcesOnATransparentGround) {
    auto app = MakeProgram();
    const auto check = [](const QIcon& icon, const QString& resource) {
        const QImage expected(resource);
        ASSERT_FALSE(expected.isNull()) << resource.toStdString();
        const QImage shown =
            icon.pixmap(expected.size()).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(shown.size(), expected.size()) << resource.toStdString();
        const QRgb ground = expected.pixel(0, 0);
        int drawn = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) {
                const QRgb want = expected.pixel(x, y);
                if (want == ground) {
                    EXPECT_EQ(qAlpha(shown.pixel(x, y)), 0) << resource.toStdString();
                } else {
                    EXPECT_EQ(shown.pixel(x, y), want)
                        << resource.toStdString() << " " << x << "," << y;
                    ++drawn;
                }
            }
        EXPECT_GT(drawn, 0) << resource.toStdString();
    };
    for (const int id : KVKApp::ToolBarLayout)
        if (id)
            check(app->Frame().Action(id)->icon(), QStringLiteral(":/bitmaps/%1.bmp").arg(id));
    const QIcon icon = MainWidget(*app).windowIcon();
    check(icon, QStringLiteral(":/icons/450.bmp"));
    check(icon, QStringLiteral(":/icons/451.bmp"));
}

// The pictures decoded ahead while the frame is built are every picture a counter shows, each
// once, and all of them are pictures of the program: 2001 to 2202 for the 220 units (the last
// eighteen share 2202) and 2281 to 2283 for the three marks.
TEST(Startup, theCounterPicturesDecodedAheadAreAllACounterShows) {
    std::vector<int> expected;
    for (int id = 2001; id <= 2202; ++id)
        expected.push_back(id);
    for (int id = 2281; id <= 2283; ++id)
        expected.push_back(id);
    std::vector<int> listed;
    for (const TResId id : KVKMap::CounterPictures()) {
        listed.push_back(id);
        EXPECT_TRUE(TModule::Application().HasBitmap(id)) << int(id);
    }
    EXPECT_EQ(listed, expected);
}

TEST(Startup, commandStatesFollowTheEnablersZoomedOrNot) {
    auto app = MakeProgram();
    struct Row {
        int id;
        bool enabled, checked; // not zoomed
        bool zoomedEnabled, zoomedChecked;
    };
    const std::vector<Row> rows = {
        {400, true, false, true, false},   {401, true, false, true, false},
        {405, false, false, false, false}, {406, true, false, false, false},
        {407, true, false, true, true},    {410, true, true, false, true},
        {412, true, false, false, false},  {413, true, false, false, false},
        {423, true, true, false, true},    {424, true, false, false, false},
        {422, true, false, false, false},  {421, true, false, true, false},
        {420, true, false, true, false},   {500, true, false, true, false},
        {430, true, true, true, true},     {432, false, false, false, false}, // no turn: no rows
        {433, false, false, false, false},
    };
    for (const bool zoomed : {false, true}) {
        if (zoomed)
            app->Frame().Action(407)->trigger();
        for (const Row& r : rows) {
            const QAction* a = app->Frame().Action(r.id);
            EXPECT_EQ(a->isEnabled(), zoomed ? r.zoomedEnabled : r.enabled) << r.id << zoomed;
            EXPECT_EQ(a->isChecked(), zoomed ? r.zoomedChecked : r.checked) << r.id << zoomed;
        }
    }
}

// Start-up as KVKApp::Start runs it: the frame covers the screen maximized, and the map is
// painted once, at the size the frame is shown at; not at the size the map window had while
// it was built, and not again for the turn opened.
TEST(Startup, theFrameOpensMaximizedAndTheMapIsPaintedOnceAtItsSize) {
    InFolder data(KURVASK_DATA_DIR);
    auto app = MakeProgram();
    EXPECT_EQ(app->Window().GetPaintStats().Paints, 0) << "painted before it was shown";
    app->Frame().ShowMaximized();
    app->OpenTurnFile("sample/opening.kvk");
    QApplication::processEvents();

    QMainWindow& frame = MainWidget(*app);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isMaximized());
    EXPECT_EQ(frame.frameGeometry(), QGuiApplication::primaryScreen()->availableGeometry());
    const QWidget* viewport =
        static_cast<QAbstractScrollArea*>(app->Window().GetWidget())->viewport();
    const TScrollWindow::PaintStats& stats = app->Window().GetPaintStats();
    EXPECT_EQ(stats.Paints, 1);
    EXPECT_EQ(stats.PaintPixels, (long long)viewport->width() * viewport->height());
}

TEST(Startup, theAboutBoxShowsTheProgramsIconAndClosesWithOk) {
    auto app = MakeProgram();
    CheckedHooks hooks;
    bool iconShown = false;
    hooks.DriveDialog(501, [&](DialogDriver& d) {
        for (const QLabel* label : d.Dialog().GetWidget()->findChildren<QLabel*>())
            iconShown = iconShown || !label->pixmap().isNull();
        d.Click(1);
    });
    app->Frame().Action(500)->trigger();
    EXPECT_TRUE(iconShown);
    ASSERT_EQ(hooks.Dialogs().size(), 1u);
    EXPECT_EQ(hooks.Dialogs()[0].Result, IDOK);
}

// The splash shows the splash picture, as Qt's own reader decodes it, at the picture's size.
TEST(Startup, theSplashShowsItsPictureUntilAClickOrTheFrameIsBuilt) {
    {
        KVKApp app(KURVASK_DATA_DIR "/kvkmap.bmp", KURVASK_DATA_DIR "/splash.bmp");
        ASSERT_NE(app.Splash(), nullptr);
        EXPECT_TRUE(app.Splash()->IsVisible());
        const QImage expected =
            QImage(KURVASK_DATA_DIR "/splash.bmp").convertToFormat(QImage::Format_RGB32);
        const QImage shown =
            app.Splash()->GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(shown, expected);
        QTest::mouseClick(app.Splash()->GetWidget(), Qt::LeftButton);
        EXPECT_FALSE(app.Splash()->IsVisible());
    }
    KVKApp app(KURVASK_DATA_DIR "/kvkmap.bmp", KURVASK_DATA_DIR "/splash.bmp");
    EXPECT_TRUE(app.Splash()->IsVisible());
    app.InitMainWindow();
    EXPECT_EQ(app.Splash(), nullptr);
}

// Every damaged picture ends start-up with a message naming the file and the fault (each fault
// the picture reader finds is the picture test's), and a picture of another depth or a larger
// map serves as it is; with no display, the fault of a missing map is written on the terminal.
TEST(Startup, damagedPicturesEndStartUpWithAMessageOrServe) {
    const std::string map = TestDir::ReadFile(KURVASK_DATA_DIR "/kvkmap.bmp");
    const std::string splash = TestDir::ReadFile(KURVASK_DATA_DIR "/splash.bmp");
    auto withWidth = [](std::string bytes, std::uint32_t width) {
        for (int i = 0; i < 4; ++i)
            bytes[std::size_t(18 + i)] = char(width >> (8 * i) & 0xff);
        return bytes;
    };
    auto grey = [](int w, int h) {
        return BmpBytes::Rgb24(w, h, std::vector<std::uint32_t>(std::size_t(w) * h, 0x808080));
    };
    struct Case {
        const char* file;                   // the picture replaced
        std::optional<std::string> content; // none: missing
        const char* fault; // what the message says, or null when the picture serves
    };
    const std::string Pipe = "(a pipe)";
    const std::vector<Case> cases = {
        {"kvkmap.bmp", std::nullopt, "cannot be opened"},
        {"kvkmap.bmp", map.substr(0, map.size() / 2), "truncated"},
        {"kvkmap.bmp", "XM" + map.substr(2), "wrong signature"},
        {"kvkmap.bmp", withWidth(map, 1000000), "impossible picture size 1000000 x 1300"},
        {"kvkmap.bmp", grey(2099, 1300), "needs at least 2100 x 1300"},
        {"kvkmap.bmp", grey(2100, 1299), "needs at least 2100 x 1300"},
        {"kvkmap.bmp", BmpBytes::Mono1(2100, 1300), nullptr},
        {"kvkmap.bmp", grey(2100, 1300), nullptr},
        {"kvkmap.bmp", grey(2300, 1400), nullptr},
        {"kvkmap.bmp", Pipe, "it is a pipe"}, // refused at once: a pipe would wait for a writer
        {"splash.bmp", std::nullopt, "cannot be opened"},
        {"splash.bmp", "BN" + splash.substr(2), "wrong signature"},
        {"splash.bmp", withWidth(splash, 0x80000000u), "impossible picture size"},
        {"splash.bmp", BmpBytes::Mono1(256, 256), nullptr},
        {"splash.bmp", grey(300, 200), nullptr},
    };
    for (const Case& c : cases) {
        const std::string what = std::string(c.file) + " / " + (c.fault ? c.fault : "serves");
        TestDir dir;
        dir.Write("kvkmap.bmp", map);
        dir.Write("splash.bmp", splash);
        if (c.content == Pipe) {
            QFile::remove(QString::fromStdString(dir.Path(c.file)));
            ASSERT_EQ(::mkfifo(dir.Path(c.file).c_str(), 0600), 0);
        } else if (c.content) {
            dir.Write(c.file, *c.content);
        } else {
            QFile::remove(QString::fromStdString(dir.Path(c.file)));
        }
        InFolder in(dir.Path("."));
        CheckedHooks hooks;
        if (c.fault)
            hooks.AnswerMessageBox(IDOK);
        ::testing::internal::CaptureStderr();
        bool ran = false;
        const int status = KVKApp::Start({}, [&] {
            ran = true;
            return 0;
        });
        const std::string terminal = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, c.fault ? 1 : 0) << what;
        EXPECT_EQ(ran, !c.fault) << what;
        if (c.fault) {
            EXPECT_TRUE(Holds(terminal, c.file));
            ASSERT_EQ(hooks.MessageBoxes().size(), 1u) << what;
            const std::string& text = hooks.MessageBoxes()[0].Text;
            EXPECT_TRUE(Holds(text, c.file));
            EXPECT_TRUE(Holds(text, c.fault));
            EXPECT_EQ(hooks.MessageBoxes()[0].Caption, "Kurvask");
        } else {
            EXPECT_TRUE(hooks.MessageBoxes().empty()) << what;
        }
    }
    // Without a display the terminal hears what is wrong.
    TestDir dir;
    {
        InFolder in(dir.Path("."));
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(KVKApp::NoDisplay(), 1);
        const std::string terminal = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(Holds(terminal, "kvkmap.bmp"));
        EXPECT_TRUE(Holds(terminal, "cannot be opened"));
    }
    // A larger map is used as it is, not cut to the grid.
    dir.Write("kvkmap.bmp", grey(2300, 1400));
    KVKApp app(dir.Path("kvkmap.bmp"), KURVASK_DATA_DIR "/splash.bmp");
    app.InitMainWindow();
    EXPECT_EQ(app.Window().Map().MapWidth(), 2300);
    EXPECT_EQ(app.Window().Map().MapHeight(), 1400);
}

TEST(Startup, theTurnOnTheCommandLineIsOpened) {
    TestDir dir; // a name in UTF-8, as the system gives it
    dir.Write("zug_\xc3\xa4.kvk", TestDir::ReadFile(KURVASK_DATA_DIR "/sample/opening.kvk"));
    InFolder data(KURVASK_DATA_DIR);
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string caption;
        const char* box;     // the message shown, if any
        const char* printed; // the line on the terminal, if any
    };
    for (const Case& c :
         {Case{{"sample/opening.kvk"}, 0, "Kurvask  :  opening", nullptr, nullptr},
          Case{{dir.Path("zug_\xc3\xa4.kvk")}, 0, "Kurvask  :  zug_\xc3\xa4", nullptr, nullptr},
          Case{{"sample/none.kvk"}, 0, "Kurvask", "Failed to open a '.kvk' file.", nullptr},
          Case{{"kvkmap.bmp"}, 0, "Kurvask", "no sound unit file", nullptr},
          Case{{"--help"}, 0, "", nullptr, "usage: kurvask [TURN.kvk]"},
          Case{{"--version"}, 0, "", nullptr, "kurvask 1."},
          Case{{"a.kvk", "b.kvk"}, 2, "", nullptr, nullptr}}) {
        CheckedHooks hooks;
        if (c.box)
            hooks.AnswerMessageBox(IDOK);
        std::string caption;
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int status = KVKApp::Start(c.args, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* frame = qobject_cast<QMainWindow*>(w); frame && frame->isVisible())
                    caption = frame->windowTitle().toStdString();
            return 0;
        });
        const std::string terminal = ::testing::internal::GetCapturedStderr();
        const std::string printed = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(status, c.status) << c.args[0];
        EXPECT_EQ(printed.find(c.printed ? c.printed : "\n"), c.printed ? 0 : std::string::npos)
            << printed;
        EXPECT_EQ(caption, c.caption) << c.args[0];
        if (c.status == 2) {
            EXPECT_TRUE(Holds(terminal, "usage: kurvask [TURN.kvk]"));
        }
        if (c.box) {
            ASSERT_EQ(hooks.MessageBoxes().size(), 1u);
            EXPECT_TRUE(Holds(hooks.MessageBoxes()[0].Text, c.box));
        }
    }
}

// The frame asks the map window before it closes; the map window's answers to each reply to its
// question are the map window test's.
TEST(Startup, theFrameClosesOnlyWhenTheMapWindowAgrees) {
    auto app = MakeProgram();
    app->Frame().GetWidget()->show();
    MapWindowProbe::SetModified(app->Window(), true);
    CheckedHooks hooks;
    hooks.AnswerMessageBox(IDCANCEL);
    EXPECT_FALSE(app->Frame().GetWidget()->close());
    EXPECT_TRUE(app->Frame().GetWidget()->isVisible());
    hooks.AnswerMessageBox(IDNO);
    EXPECT_TRUE(app->Frame().GetWidget()->close());
}

} // namespace
