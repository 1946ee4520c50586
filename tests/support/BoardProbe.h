#pragma once

#include "HexGrid.h"
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
 * How far each counter of a stack of n stands below the one under it, so that the stack stays
 * within the hex's 40-pixel body: 15 for two, 7 for three, 3 for four or five, 2 for six to
 * eight, 1 for nine to fifteen; one counter, and more than fifteen, stand on one another.
 */
inline int SpreadOf(std::size_t n) {
    constexpr int spread[] = {0, 0, 15, 7, 3, 3, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1};
    return n < std::size(spread) ? spread[n] : 0;
}

/**
 * The part `area` (map coordinates) of the map surface as a fresh drawing of the board's model
 * would make it: the bare map picture, every stack drawn at its hex (HexGrid's origin) with the
 * spread of its size, then the combat markers, each picture copied whole as the program stamps it,
 * in the order given: where markers overlap, a later one covers an earlier one.
 */
inline TBitmap FreshDrawingOf(KVKMap& board, const TBitmap& bareMap, const TRect& area,
                              const std::vector<MarkerPicture>& markers = {}) {
    TBitmap drawn(area.Width(), area.Height());
    TMemoryDC dc(drawn);
    dc.SetWindowOrg(area.TopLeft());
    dc.BitBlt(area.left, area.top, area.Width(), area.Height(), bareMap, area.left, area.top);
    for (int h = 0; h < HexGrid::HexCount; ++h) {
        const TRect body(HexGrid::Origin(h), TSize(HexGrid::BodyWidth, HexGrid::BodyHeight));
        if ((body & area).IsEmpty())
            continue;
        const std::vector<Counter*>& stack = board.HexAtIndex(h).Counters();
        for (std::size_t i = 0; i < stack.size(); ++i)
            stack[i]->Draw(board.Module(), dc, {0, int(i) * SpreadOf(stack.size())}, true);
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
