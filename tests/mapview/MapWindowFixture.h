#pragma once

#include "BoardProbe.h"
#include "DialogDriver.h"
#include "KVKWindow.h"
#include "ModalHooks.h"
#include "TestFiles.h"
#include "UnitFile.h"

#include <QAbstractScrollArea>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

/**
 * The real map window on the bundled map, 800 x 600 and shown offscreen, with a turn of a few
 * units near the top-left corner opened. Tests work it with real mouse events on its viewport.
 */
class MapWindowFixture : public ::testing::Test {
protected:
    static constexpr int OffBoard = 1900;
    // Hexes near the top-left: D5 and D6 in column 3, F5 in column 5, H8 in column 7.
    static constexpr int D5 = 3 * 32 + 4, D6 = 3 * 32 + 5, F5 = 5 * 32 + 4, H8 = 7 * 32 + 7,
                         J9 = 9 * 32 + 8;
    const std::string MapFile = KURVASK_DATA_DIR "/kvkmap.bmp";

    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        Window = std::make_unique<KVKWindow>(nullptr, &HexField, &MoveField, MapFile.c_str());
        Widget()->resize(800, 600);
        Widget()->show();
        QCoreApplication::processEvents();
        UnitFile::Records records;
        records.fill(CounterRecord(OffBoard, OffBoard, 0));
        records[3] = CounterRecord(D6, D5, 0);  // moved this turn
        records[5] = CounterRecord(D5, D5, 0);  // a stack of two on D5
        records[17] = CounterRecord(D5, D5, 0); // on top
        records[4] = CounterRecord(F5, F5, 0);
        Dir.Write("turn.kvk", UnitFile::Serialize(records));
        Window->Map().FileData.FileName = Dir.Path("turn.kvk");
        bool opened = false;
        Window->Turn().OpenTurn(false, opened);
        ASSERT_TRUE(opened);
        Window->UpdateWindow();
    }
    void TearDown() override { EXPECT_TRUE(Hooks.Clean()) << Hooks.Report(); }

    QAbstractScrollArea* Widget() { return static_cast<QAbstractScrollArea*>(Window->GetWidget()); }
    QWidget* Viewport() { return Widget()->viewport(); }
    /** The client point of the middle of a hex. */
    TPoint At(int hex) {
        return MapBoard::HexOrigin(hex) + TPoint(12, 20) - Window->GetScrollPos();
    }
    static QPoint Q(const TPoint& p) { return {p.x, p.y}; }

    void Press(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(Viewport(), b, {}, Q(p));
    }
    void Release(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(Viewport(), b, {}, Q(p));
    }
    void MoveTo(const TPoint& p) { QTest::mouseMove(Viewport(), Q(p)); }
    /** A drag as a player makes it: press, a few moves on the way, release. */
    void Drag(const TPoint& from, const TPoint& to) {
        Press(from);
        for (int i = 1; i <= 3; ++i)
            MoveTo(from + TPoint((to.x - from.x) * i / 4, (to.y - from.y) * i / 4));
        MoveTo(to);
        Release(to);
    }
    /** In Combat mode, a click on hex declares a 3:1 combat resolved with this text. */
    void DeclareCombat(int hex, const std::string& result) {
        Window->CmModeCombat();
        Hooks.DriveDialog(9400, [result](DialogDriver& d) {
            d.Click(9407);
            d.Click(1);
            d.Type(9519, result);
            d.Click(2);
        });
        Press(At(hex));
        Release(At(hex));
    }
    std::vector<int> UnitsIn(int hex) { return BoardProbe::UnitsIn(Window->Map(), hex); }
    bool UndoEnabled() {
        TCommandEnabler ce(KVKWindow::UndoMoveId);
        Window->EnableCommand(ce);
        return ce.IsEnabled();
    }
    /** The map surface equals a fresh drawing of the model around these hexes. */
    void ExpectDrawnAsModel(std::initializer_list<int> hexes) {
        const TBitmap fresh = BoardProbe::FreshDrawing(Window->Map(), MapFile);
        const TBitmap& surface = *Window->Map().MapSurface().GetBitmap();
        for (int h : hexes) {
            const TPoint o = MapBoard::HexOrigin(h);
            for (int y = o.y; y < o.y + 40; ++y)
                for (int x = o.x; x < o.x + 24; ++x)
                    ASSERT_EQ(surface.GetPixel(x, y), fresh.GetPixel(x, y))
                        << "hex " << h << " at " << x << "," << y;
        }
    }
    /** The window shows what the surface holds, at the scroll position. */
    void ExpectWindowShowsSurface() {
        Window->UpdateWindow();
        const TBitmap& client = *Window->GetClientBitmap();
        const TBitmap& surface = *Window->Map().MapSurface().GetBitmap();
        const TPoint s = Window->GetScrollPos();
        for (int y = 0; y < client.Height(); y += 3)
            for (int x = 0; x < client.Width(); x += 3)
                ASSERT_EQ(client.GetPixel(x, y), surface.GetPixel(x + s.x, y + s.y))
                    << x << "," << y;
    }

    TestDir Dir;
    ModalHooks Hooks;
    TTextGadget HexField{600};
    TTextGadget MoveField{601};
    std::unique_ptr<KVKWindow> Window;
};
