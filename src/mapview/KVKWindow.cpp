#include "KVKWindow.h"

#include "CaECombats.h"

#include <algorithm>

KVKWindow::KVKWindow(const char* mapFileName)
    : Board(std::make_unique<KVKMap>(this, GetModule(), mapFileName, &CaECombats::Make)),
      Turns(std::make_unique<TurnFile>(*Board)) {
    UpdateScrollRange();
}

KVKWindow::~KVKWindow() = default;

void KVKWindow::Paint(TDC& dc, bool, const TRect&) {
    Board->PaintMap(dc);
}

void KVKWindow::EvSize(unsigned, const TSize&) {
    if (!Board)
        return; // a size event while the board is still being built
    UpdateScrollRange();
    Invalidate(false);
}

void KVKWindow::UpdateScrollRange() {
    const TRect client = GetClientRect();
    SetScrollRange(std::max(0, Board->MapWidth() - client.Width()),
                   std::max(0, Board->MapHeight() - client.Height()));
    ScrollTo(0, 0);
}
