#pragma once

#include "KVKMap.h"
#include "TDib.h"
#include "TMemoryDC.h"

#include <cstdint>
#include <string>
#include <vector>

/** What tests read off and set up on a game board. */
namespace BoardProbe {

/** The units standing in a hex, bottom first. */
inline std::vector<int> UnitsIn(KVKMap& board, int hex) {
    std::vector<int> units;
    for (Counter* c : board.HexAtIndex(hex).Counters())
        for (int u = 0; u < KVKMap::Units; ++u)
            if (board.GetCounter(u) == c)
                units.push_back(u);
    return units;
}

/** The pixels of a 24-bit map picture in which every pixel differs from its neighbours. */
inline std::vector<std::uint32_t> PatternPixels(int width, int height) {
    std::vector<std::uint32_t> px;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            px.push_back(std::uint32_t(x * 5 + y * 1001) & 0xffffff);
    return px;
}

/** A combat marker as the map shows it: its picture with the top-left corner at a map point. */
struct MarkerPicture {
    TPoint Position;
    int Image = 0;

    bool operator==(const MarkerPicture&) const = default;
};

/**
 * The part `area` (map coordinates) of the map surface as a fresh drawing of the board's model
 * would make it: the bare map picture, every stack drawn at its hex with the spread of its
 * size, then the combat markers, each picture copied whole as the program stamps it, in the
 * order given: where markers overlap, a later one covers an earlier one.
 */
inline TBitmap FreshDrawingOf(KVKMap& board, const TBitmap& bareMap, const TRect& area,
                              const std::vector<MarkerPicture>& markers = {}) {
    TBitmap drawn(area.Width(), area.Height());
    TMemoryDC dc(drawn);
    dc.SetWindowOrg(area.TopLeft());
    dc.BitBlt(area.left, area.top, area.Width(), area.Height(), bareMap, area.left, area.top);
    for (int h = 0; h < MapBoard::HexCount; ++h) {
        const TRect body(MapBoard::HexOrigin(h), TSize(MapBoard::BodyWidth, MapBoard::BodyHeight));
        if ((body & area).IsEmpty())
            continue;
        TPoint offset;
        for (Counter* c : board.HexAtIndex(h).Counters()) {
            c->Draw(board.Module(), dc, offset, true);
            offset += board.StackSpread(h, 0);
        }
    }
    for (const MarkerPicture& m : markers) {
        const TBitmap& picture = board.Module()->GetBitmap(m.Image);
        dc.BitBlt(m.Position.x, m.Position.y, picture.Width(), picture.Height(), picture, 0, 0);
    }
    return drawn;
}

/**
 * The whole map surface as a fresh drawing of the board's model would make it: the bare map
 * picture with every stack drawn at its hex with the spread of its size, and the markers given
 * drawn over them in that order.
 */
inline TBitmap FreshDrawing(KVKMap& board, const std::string& mapFile,
                            const std::vector<MarkerPicture>& markers = {}) {
    const TBitmap bare(TDib(mapFile.c_str()));
    return FreshDrawingOf(board, bare, TRect(0, 0, bare.Width(), bare.Height()), markers);
}

} // namespace BoardProbe
