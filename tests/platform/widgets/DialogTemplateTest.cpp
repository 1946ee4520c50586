// Dialog templates: the program's own templates hold exactly the controls the game code
// attaches to, damaged templates are refused with a reason, and dialog units convert to
// pixels the way the classic dialog manager converts them.
#include "DialogTemplate.h"
#include "DialogUnits.h"
#include "TDialog.h"
#include "TXBadFile.h"
#include "TextChecks.h"

#include <QFontDatabase>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = DialogTemplate::ControlKind;
using T = DialogTemplate;

struct ExpectedControl {
    int Id;
    Kind K;
    std::string Text;
    QRect Rect;
    unsigned Styles;
};

void ExpectControls(const DialogTemplate& t, const std::vector<ExpectedControl>& expected) {
    ASSERT_EQ(t.Controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& c = t.Controls[i];
        const auto& e = expected[i];
        SCOPED_TRACE("control #" + std::to_string(i) + " id " + std::to_string(e.Id));
        EXPECT_EQ(c.Id, e.Id);
        EXPECT_EQ(c.Kind, e.K);
        EXPECT_EQ(c.Text.toStdString(), e.Text);
        EXPECT_EQ(c.Rect, e.Rect);
        EXPECT_EQ(c.Styles, e.Styles);
    }
}

TEST(DialogTemplate, combatDialog) {
    const DialogTemplate t = DialogTemplate::Load(9400);
    EXPECT_EQ(t.Caption.toStdString(), "Brisvane");
    EXPECT_EQ(t.Size, QSize(382, 106));
    EXPECT_EQ(t.FontFace.toStdString(), "MS Sans Serif");
    EXPECT_EQ(t.FontPoints, 8);
    const unsigned GT = T::Group | T::TabStop;
    std::vector<ExpectedControl> e = {{9401, Kind::GroupBox, "Odds", {7, 3, 309, 33}, T::Group}};
    const char* odds[] = {"1:5", "1:3", "1:2", "1:1", "2:1", "3:1", "4:1", "5:1", "7:1", "AV"};
    for (int i = 0; i < 10; ++i)
        e.push_back({9402 + i, Kind::RadioButton, odds[i],
                     QRect(8 + 30 * i, 11, 26, i == 1 || i == 2 ? 13 : 12),
                     i == 0 ? GT : unsigned(T::TabStop)});
    e.push_back({-1, Kind::Static, "1:6", {20, 24, 16, 9}, 0});
    e.push_back({-1, Kind::Static, "1:4", {50, 24, 12, 9}, 0});
    e.push_back({9512, Kind::GroupBox, "dr Modifier", {7, 43, 181, 29}, T::Group});
    for (int i = 0; i < 6; ++i)
        e.push_back({9513 + i, Kind::RadioButton, std::to_string(i), QRect(12 + 28 * i, 52, 28, 12),
                     i == 0 ? GT : unsigned(T::TabStop)});
    e.push_back({1, Kind::PushButton, "Bone", {209, 47, 50, 25}, GT | T::Centre});
    e.push_back({-1, Kind::Static, "The Bone :", {290, 52, 40, 8}, 0});
    e.push_back({-1, Kind::Frame, "", {328, 48, 20, 16}, T::Etched | T::Disabled});
    e.push_back({9511, Kind::Static, "", {334, 52, 8, 8}, 0});
    e.push_back({-1, Kind::Static, "Comments:", {7, 82, 40, 8}, 0});
    e.push_back({9519, Kind::Edit, "", {47, 81, 314, 12}, GT | T::Border | T::NoAutoHScroll});
    e.push_back({2, Kind::PushButton, "Close", {321, 7, 50, 25}, GT | T::Centre});
    ExpectControls(t, e);
}

TEST(DialogTemplate, combatResultsAndAboutDialogs) {
    const DialogTemplate results = DialogTemplate::Load(9430);
    EXPECT_EQ(results.Caption.toStdString(), "Combat Results");
    EXPECT_EQ(results.Size, QSize(257, 46));
    ExpectControls(results,
                   {
                       {2, Kind::PushButton, "OK", {155, 2, 96, 14}, T::TabStop | T::Centre},
                       {9433, Kind::Static, "", {6, 7, 74, 9}, 0},
                       {-1, Kind::Static, "dr:", {94, 7, 12, 9}, 0},
                       {9431, Kind::Static, "", {106, 7, 12, 9}, 0},
                       {-1, Kind::Frame, "", {4, 17, 248, 19}, T::Etched},
                       {9432, Kind::Static, "", {8, 22, 240, 9}, 0},
                   });

    const DialogTemplate about = DialogTemplate::Load(501);
    EXPECT_EQ(about.Caption.toStdString(), "Kurvask  PBeM Version 1.2");
    EXPECT_EQ(about.Size, QSize(219, 159));
    EXPECT_TRUE(about.Centred);
    ASSERT_GE(about.Controls.size(), 4u);
    const auto* ok = about.Find(1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Kind, Kind::PushButton);
    EXPECT_EQ(ok->Text.toStdString(), "OK");
    EXPECT_EQ(ok->Rect, QRect(8, 56, 50, 14));
    EXPECT_EQ(about.Controls[1].Kind, Kind::Icon);
    EXPECT_EQ(about.Controls[1].Rect, QRect(12, 4, 32, 32));
    EXPECT_EQ(about.Controls[2].Text.toStdString(), "Kurvask");
    EXPECT_EQ(about.Controls[2].Rect, QRect(80, 4, 84, 8));
    // Every text fits the dialog.
    for (const auto& c : about.Controls)
        EXPECT_TRUE(QRect(QPoint(0, 0), about.Size).contains(c.Rect)) << c.Text.toStdString();

    // The about box opens although no icon resource is there to show.
    TDialog dlg(nullptr, 501);
    EXPECT_EQ(dlg.GetWidget()->windowTitle().toStdString(), "Kurvask  PBeM Version 1.2");
}

TEST(DialogTemplate, damagedTemplatesAreRefusedWithTheReason) {
    const std::string good = R"("caption": "x", "size": [10, 10])";
    const struct {
        std::string Json;
        std::string Reason;
    } cases[] = {
        {"{", "not valid JSON"},
        {R"({"caption": "x", "controls": []})", "size"},
        {R"({"size": [0, 10], "controls": []})", "size must be positive"},
        {"{" + good + R"(, "controls": [{"kind": "slider", "rect": [0,0,1,1]}]})", "slider"},
        {"{" + good + R"(, "controls": [{"kind": "static", "rect": [0,0,1]}]})", "rect"},
        {"{" + good + R"(, "controls": [{"kind": "static", "rect": [0,0,1,-1]}]})", "negative"},
        {"{" + good + R"(, "controls": [{"kind": "static", "rect": [0,0,1,1.5]}]})", "whole"},
        {"{" + good + R"(, "controls": [{"kind": "edit", "rect": [0,0,1,1], "styles": ["bold"]}]})",
         "bold"},
        {"{" + good +
             R"(, "controls": [{"id": 5, "kind": "static", "rect": [0,0,1,1]},
                               {"id": 5, "kind": "edit", "rect": [0,0,1,1]}]})",
         "twice"},
        {"{" + good + R"(, "styles": ["modal"], "controls": []})", "modal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Json);
        try {
            DialogTemplate::FromJson(QByteArray::fromStdString(c.Json), "test template");
            ADD_FAILURE() << "accepted";
        } catch (const TXBadFile& e) {
            EXPECT_EQ(e.FileName, "test template");
            EXPECT_TRUE(Holds(e.Reason, c.Reason));
        }
    }
    EXPECT_THROW(DialogTemplate::Load(4711), TXBadFile);
    EXPECT_THROW(TDialog(nullptr, 4711), TXBadFile);
}

TEST(DialogUnits, convertAsTheDialogManagerDoes) {
    const DialogUnits u(6, 13);
    const struct {
        int Dlu, X, Y;
    } cases[] = {{0, 0, 0}, {1, 2, 2}, {2, 3, 3}, {4, 6, 7}, {8, 12, 13}, {382, 573, 621}};
    for (const auto& c : cases) {
        EXPECT_EQ(u.ToPixelsX(c.Dlu), c.X) << c.Dlu;
        EXPECT_EQ(u.ToPixelsY(c.Dlu), c.Y) << c.Dlu;
    }
    // Rectangles convert their edges: side by side in dialog units, side by side in pixels.
    const QRect a = u.ToPixels(QRect(8, 11, 27, 12));
    const QRect b = u.ToPixels(QRect(35, 11, 27, 12));
    EXPECT_EQ(a.right() + 1, b.left());
    EXPECT_EQ(u.ToPixels(QSize(382, 106)), QSize(573, 172));
}

TEST(DialogUnits, growMonotonicallyAndInProportionWithTheFont) {
    const QFont small = DialogUnits::DialogFont(QStringLiteral("MS Sans Serif"), 8);
    EXPECT_EQ(small.pointSize(), 8);
    if (!QFontDatabase::hasFamily(QStringLiteral("MS Sans Serif"))) {
        EXPECT_EQ(small.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    }
    const DialogUnits u = DialogUnits::ForFont(small);
    ASSERT_GT(u.BaseX(), 0);
    ASSERT_GT(u.BaseY(), u.BaseX());
    for (int d = 1; d <= 400; ++d) {
        EXPECT_GE(u.ToPixelsX(d), u.ToPixelsX(d - 1));
        EXPECT_GT(u.ToPixelsY(d), u.ToPixelsY(d - 1) - 1);
        EXPECT_NEAR(u.ToPixelsX(2 * d), 2 * u.ToPixelsX(d), 1);
        EXPECT_NEAR(u.ToPixelsY(2 * d), 2 * u.ToPixelsY(d), 1);
    }
    const DialogUnits big = DialogUnits::ForFont(DialogUnits::DialogFont(small.family(), 16));
    EXPECT_GT(big.BaseX(), u.BaseX());
    EXPECT_GT(big.BaseY(), u.BaseY());
}

TEST(DialogUnits, controlsArePlacedAtTheirTemplateRectangles) {
    TDialog dlg(nullptr, 9400);
    const DialogTemplate& t = dlg.GetTemplate();
    QWidget* window = dlg.GetWidget();
    const DialogUnits u = DialogUnits::ForFont(window->font());
    EXPECT_EQ(window->size(), u.ToPixels(t.Size));
    EXPECT_EQ(window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(),
              qsizetype(t.Controls.size()));
    for (const auto& c : t.Controls) {
        if (c.Id != -1) {
            ASSERT_NE(dlg.GetControlWidget(c.Id), nullptr) << c.Id;
            EXPECT_EQ(dlg.GetControlWidget(c.Id)->geometry(), u.ToPixels(c.Rect)) << c.Id;
        }
    }
}

} // namespace
