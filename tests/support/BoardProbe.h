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

/**
 * The map surface as a fresh drawing of the board's model would make it: the bare map picture
 * with every stack drawn at its hex with the spread of its size. Combat markers are not drawn.
 */
inline TBitmap FreshDrawing(KVKMap& board, const std::string& mapFile) {
    TBitmap bare(TDib(mapFile.c_str()));
    TMemoryDC dc(bare);
    for (int h = 0; h < MapBoard::HexCount; ++h) {
        TPoint offset;
        for (Counter* c : board.HexAtIndex(h).Counters()) {
            c->Draw(board.Module(), dc, offset, true);
            offset += board.StackSpread(h, 0);
        }
    }
    return bare;
}

} // namespace BoardProbe
