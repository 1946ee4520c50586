#include "HexStatus.h"

#include "MapBoard.h"

void HexStatus::Show(KVKMap& board, const TPoint& mapPoint, bool dragging) {
    const int h = MapBoard::HexAt(mapPoint);
    if (h == LastHex)
        return;
    LastHex = h;
    MapBoard::HexLabel(h, HexText, false);
    Set(HexField, HexText.c_str());
    if (board.HasCounters(mapPoint) && !dragging)
        Set(MoveField, board.TopCounterHasMoved(mapPoint) ? "Has Moved" : "Yet To Move");
    else
        Set(MoveField, " ");
}

void HexStatus::Set(TTextGadget* field, const char* text) {
    if (field)
        field->SetText(text);
}
