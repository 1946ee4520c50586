#pragma once

#include "TBitmap.h"
#include "TMemoryDC.h"
#include "TModule.h"
#include "TPoint.h"
#include "TRect.h"
#include "TResId.h"

#include <memory>
#include <string>

/**
 * The hex grid and the map picture. The class-wide operations convert between hex indices
 * (column x 32 + row, on 60 columns of 32 hexes), map points and the hex labels the players
 * read. A board object holds the map picture at full size in an off-screen surface, into
 * which counters and combat markers are drawn, and copies or stretches it into a window. The
 * eight board operations the map window calls are declared here and implemented by the game
 * board.
 */
class MapBoard {
public:
    static constexpr int Columns = 60;
    static constexpr int Rows = 32;
    static constexpr int HexCount = Columns * Rows;
    static constexpr int BoardColumns = 43;
    static constexpr int ColumnPitch = 35;
    static constexpr int RowPitch = 40;
    static constexpr int EvenColumnShift = 20;
    static constexpr int BodyWidth = 24;
    static constexpr int BodyHeight = 40;
    static constexpr int SideWidth = 11;
    /** The smallest map picture that holds the whole grid: 60 columns, 32 rows and a shift. */
    static constexpr int GridWidth = Columns * ColumnPitch;
    static constexpr int GridHeight = Rows * RowPitch + EvenColumnShift;

    /** The no point: stands for the absence of a point. */
    static constexpr TPoint NoPoint{-1, -1};

    MapBoard(HINSTANCE module, const char* pictureFileName);
    virtual ~MapBoard();
    MapBoard(const MapBoard&) = delete;
    MapBoard& operator=(const MapBoard&) = delete;

    virtual bool HasCounters(const TPoint& mapPoint) = 0;
    virtual TResId TopCounterPicture(const TPoint& mapPoint) = 0;
    virtual bool TopCounterHasMoved(const TPoint& mapPoint) = 0;
    virtual bool TopCounterCanMove(const TPoint& mapPoint) = 0;
    virtual bool MoveTopCounter(const TPoint& from, const TPoint& to, const TPoint& scroll,
                                TDC& dc) = 0;
    virtual TPoint ReturnToStart(const TPoint& p, const TPoint& scroll, TDC& dc) = 0;
    virtual void RotateStack(const TPoint& p, const TPoint& scroll, TDC& dc) = 0;
    virtual void CycleMark(const TPoint& p, const TPoint& scroll, TDC& dc) = 0;

    /** Copies the whole map surface 1:1 to dc at (0, 0). */
    void PaintMap(TDC& dc) const;
    /** Stretches the whole map surface into dest. */
    void PaintMapScaled(TDC& dc, const TRect& dest) const;

    TMemoryDC& MapSurface() { return *Surface; }
    const TRect& MapRect() const { return Rect; }
    int MapWidth() const { return Rect.Width(); }
    int MapHeight() const { return Rect.Height(); }
    HINSTANCE Module() const { return ModuleHandle; }

    static TPoint HexOrigin(int index);
    static int CoarseHexAt(const TPoint& p);
    static int HexAt(const TPoint& p);
    static bool IsOnBoard(int index);
    static void HexLabel(int index, std::string& out, bool bare);

    static bool InHexBody(const TPoint& origin, const TPoint& p);
    static bool LeftOfEdge(const TPoint& a, const TPoint& b, const TPoint& q);
    static int UpperRightNeighbour(int index);
    static int LowerRightNeighbour(int index);

private:
    HINSTANCE ModuleHandle;
    std::unique_ptr<TBitmap> SurfaceBitmap;
    std::unique_ptr<TMemoryDC> Surface;
    TRect Rect;
};
