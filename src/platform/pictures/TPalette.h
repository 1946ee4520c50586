#pragma once

#include "TColor.h"

#include <vector>

class TDib;

/**
 * A logical palette built from a picture's colour table. The display is true-colour, so
 * selecting and realising a palette changes no pixel; the game still keeps its palette so that
 * every 8-bit picture is drawn from the same colours.
 */
class TPalette {
public:
    explicit TPalette(const TDib& dib);

    int GetNumEntries() const { return int(Entries.size()); }
    TColor GetEntry(int index) const;

private:
    std::vector<TColor> Entries;
};
