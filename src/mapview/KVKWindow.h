#pragma once

#include "KVKMap.h"
#include "TScrollWindow.h"
#include "TurnFile.h"

#include <memory>

/**
 * The map window: the client of the main frame and the only view of the game. It owns the
 * game board (with the program's real combat list) and shows its map surface at full size behind
 * two scroll bars; painting is one block copy of the surface, which already holds every counter and
 * marker.
 */
class KVKWindow : public TScrollWindow {
public:
    /** Builds the board on the map picture; raises TXBadFile when the picture is unusable. */
    explicit KVKWindow(const char* mapFileName = "kvkmap.bmp");
    ~KVKWindow() override;

    void Paint(TDC& dc, bool erase, const TRect& rect) override;
    void EvSize(unsigned sizeType, const TSize& size) override;
    /** Scroll ranges from the client size: what of the map does not fit. */
    void UpdateScrollRange();
    /** Client point to map point: the scroll offset added. */
    TPoint ClientToMap(const TPoint& p) const { return p + GetScrollPos(); }

    KVKMap& Map() { return *Board; }
    /** The turn's files: opening and saving turns on this window's board. */
    TurnFile& Turn() { return *Turns; }

private:
    std::unique_ptr<KVKMap> Board;
    std::unique_ptr<TurnFile> Turns;
};
