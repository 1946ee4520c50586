#include "Combat.h"

void Combat::ShowMarker(TDC& screen, const TPoint& scroll) {
    if (Marker)
        Marker->Show(screen, scroll);
}

void Combat::HideMarker(TDC& screen, const TPoint& scroll) {
    if (Marker)
        Marker->Hide(screen, scroll);
}
