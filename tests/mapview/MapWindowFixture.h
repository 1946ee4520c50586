#pragma once

#include "BoardProbe.h"
#include "HexGrid.h"
#include "Hexes.h"
#include "HookedTest.h"
#include "KVKWindow.h"
#include "MapWindowDriver.h"
#include "PixelCompare.h"
#include "TestFiles.h"
#include "TurnRecords.h"

#include <memory>

/**
 * The real map window on the bundled map, 800 x 600 and shown offscreen, with a turn of a few
 * units near the top-left corner opened. Tests work it with real mouse events on its viewport.
 */
class MapWindowFixture : public HookedTest {
protected:
    static constexpr int OffBoard = Hexes::OffBoard;
    static constexpr int D5 = Hexes::D5, D6 = Hexes::D6, F5 = Hexes::F5, H8 = Hexes::H8,
                         J9 = Hexes::J9;
    const std::string MapFile = KURVASK_DATA_DIR "/kvkmap.bmp";

    void SetUp() override {
        KVKMap::SlideDuration = std::chrono::milliseconds(0);
        Window = std::make_unique<KVKWindow>(nullptr, &HexField, &MoveField, MapFile.c_str());
        Widget()->resize(800, 600);
        Widget()->show();
        QCoreApplication::processEvents();
        Dir.Write("turn.kvk", TurnRecords::Bytes({
                                  {3, D6, D5},  // moved this turn
                                  {5, D5, D5},  // a stack of two on D5
                                  {17, D5, D5}, // on top
                                  {4, F5, F5},
                              }));
        Window->Map().FileData.FileName = Dir.Path("turn.kvk");
        bool opened = false;
        Window->Turn().OpenTurn(false, opened);
        ASSERT_TRUE(opened);
        Window->UpdateWindow();
    }

    MapWindowDriver Player() const { return MapWindowDriver(*Window); }
    QAbstractScrollArea* Widget() { return Player().Widget(); }
    QWidget* Viewport() { return Player().Viewport(); }
    TPoint At(int hex) { return Player().At(hex); }
    void Press(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) { Player().Press(p, b); }
    void Release(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) { Player().Release(p, b); }
    void Click(const TPoint& p, Qt::MouseButton b = Qt::LeftButton) { Player().Click(p, b); }
    void MoveTo(const TPoint& p) { Player().MoveTo(p); }
    void Drag(const TPoint& from, const TPoint& to) { Player().Drag(from, to); }
    void DeclareCombat(int hex, const std::string& result) { Player().DeclareCombat(hex, result); }
    bool UndoEnabled() { return Player().Enabled(KVKWindow::UndoMoveId); }
    std::vector<int> UnitsIn(int hex) { return BoardProbe::UnitsIn(Window->Map(), hex); }

    /** The map surface equals a fresh drawing of the model around these hexes. */
    void ExpectDrawnAsModel(std::initializer_list<int> hexes) {
        const TBitmap fresh = BoardProbe::FreshDrawing(Window->Map(), MapFile);
        const TBitmap& surface = *Window->Map().MapSurface().GetBitmap();
        for (int h : hexes) {
            const TPoint o = HexGrid::Origin(h);
            ASSERT_TRUE(PixelCompare::Same(TRect(o, TSize(24, 40)), PixelCompare::Of(surface),
                                           PixelCompare::Of(fresh)))
                << "hex " << h;
        }
    }
    /** The window shows what the surface holds, at the scroll position. */
    void ExpectWindowShowsSurface() {
        Window->UpdateWindow();
        const TBitmap& client = *Window->GetClientBitmap();
        ASSERT_TRUE(PixelCompare::Same(
            Window->GetClientRect(), PixelCompare::Of(client),
            PixelCompare::Of(*Window->Map().MapSurface().GetBitmap(), Window->GetScrollPos()), 3));
    }

    TestDir Dir;
    TTextGadget HexField{600};
    TTextGadget MoveField{601};
    std::unique_ptr<KVKWindow> Window;
};
