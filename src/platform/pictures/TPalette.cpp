#include "TPalette.h"

#include "TDib.h"

TPalette::TPalette(const TDib& dib) : Entries(dib.ColorTable()) {}

TColor TPalette::GetEntry(int index) const {
    if (index < 0 || index >= GetNumEntries())
        return TColor::Black;
    return Entries[std::size_t(index)];
}
