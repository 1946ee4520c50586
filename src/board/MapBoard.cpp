#include "MapBoard.h"

#include "TDib.h"

#include <algorithm>

MapBoard::MapBoard(HINSTANCE module, const char* pictureFileName) : ModuleHandle(module) {
    TDib picture(pictureFileName);
    // The map picture is large: its pixels become the surface's without a copy.
    SurfaceBitmap = std::make_unique<TBitmap>(std::move(picture));
    Surface = std::make_unique<TMemoryDC>(*SurfaceBitmap);
    Rect = TRect(0, 0, SurfaceBitmap->Width(), SurfaceBitmap->Height());
}

MapBoard::~MapBoard() = default;

void MapBoard::PaintMap(TDC& dc) const {
    dc.BitBlt(Rect, *Surface, Rect.TopLeft(), SRCCOPY);
}

void MapBoard::PaintMapScaled(TDC& dc, const TRect& dest) const {
    dc.StretchBlt(dest, *Surface, Rect, SRCCOPY);
}

TPoint MapBoard::HexOrigin(int index) {
    const int column = index / Rows;
    const int row = index % Rows;
    return {ColumnPitch * column, RowPitch * row + (column % 2 == 0 ? EvenColumnShift : 0)};
}

int MapBoard::CoarseHexAt(const TPoint& p) {
    int x = p.x, y = p.y;
    // Clamp into the grid: the column is then at most 59 and the row at most 31. The row is
    // clamped after the even-column shift, so the lowest hex of an even column (y from 1260
    // to 1300) is found like any other hex.
    if (y < 20)
        y = 21;
    if (x > 2089)
        x = 2088;
    if (x < 0)
        x = 1;
    const int column = x / ColumnPitch;
    if (column % 2 == 0)
        y -= EvenColumnShift;
    const int row = std::min(y / RowPitch, Rows - 1);
    return column * Rows + row;
}

bool MapBoard::InHexBody(const TPoint& o, const TPoint& p) {
    return o.x <= p.x && p.x <= o.x + BodyWidth && o.y <= p.y && p.y <= o.y + BodyHeight;
}

bool MapBoard::LeftOfEdge(const TPoint& a, const TPoint& b, const TPoint& q) {
    // Single-precision on purpose: a point on the truncated edge column belongs to the
    // neighbour, and the stored files and the opponent's program agree on that rounding.
    const float m = float(double(b.y - a.y) / double(b.x - a.x));
    const float k = float(a.y - a.x * m);
    const int x = int((q.y - k) / m);
    return x > q.x;
}

int MapBoard::UpperRightNeighbour(int index) {
    if (index >= (Columns - 1) * Rows)
        return index;
    return (index / Rows) % 2 == 0 ? index + 32 : index + 31;
}

int MapBoard::LowerRightNeighbour(int index) {
    if (index >= (Columns - 1) * Rows)
        return index;
    return (index / Rows) % 2 == 0 ? index + 33 : index + 32;
}

int MapBoard::HexAt(const TPoint& p) {
    const int candidate = CoarseHexAt(p);
    const TPoint o = HexOrigin(candidate);
    if (InHexBody(o, p))
        return candidate;

    const TPoint rightPoint(o.x + ColumnPitch, o.y + BodyHeight / 2);
    int neighbour;
    if (p.y < o.y + BodyHeight / 2) {
        if (LeftOfEdge(TPoint(o.x + BodyWidth, o.y), rightPoint, p))
            return candidate;
        neighbour = UpperRightNeighbour(candidate);
    } else {
        if (LeftOfEdge(rightPoint, TPoint(o.x + BodyWidth, o.y + BodyHeight), p))
            return candidate;
        neighbour = LowerRightNeighbour(candidate);
    }
    // In the half-hex notches along the top and bottom of the grid the step names a row
    // that the next column does not have; such points keep the candidate.
    if (neighbour / Rows != candidate / Rows + 1)
        return candidate;
    return neighbour;
}

bool MapBoard::IsOnBoard(int index) {
    return index >= 0 && index / Rows < BoardColumns;
}

void MapBoard::HexLabel(int index, std::string& out, bool bare) {
    out = bare ? "" : "Hex : ";
    if (!IsOnBoard(index)) {
        out = "Off board";
        return;
    }
    const int n = index / Rows + 1;
    if (n < 27) {
        out += char(64 + n);
    } else {
        out += char(64 + (n - 26));
        out += char(64 + (n - 26));
    }
    const int m = index % Rows + 1;
    if (m < 10) {
        out += char('0' + m);
    } else {
        out += char('0' + m / 10);
        out += char('0' + m % 10);
    }
}
