#pragma once

#include "KVKMap.h"
#include "TPoint.h"
#include "TTextGadget.h"

#include <string>

/**
 * The two status-bar texts that follow the mouse over the map: the label of the hex under it
 * ("Hex : D5", or "Off board"), and whether the top counter there has moved ("Has Moved",
 * "Yet To Move", or a blank for an empty hex and during a drag). Both are rewritten only when
 * the mouse enters another hex, or after Forget. Either field may be missing.
 */
class HexStatus {
public:
    /** The hex remembered when none is shown: the next Show rewrites both texts. */
    static constexpr int NoHex = 21000;

    HexStatus(TTextGadget* hexField, TTextGadget* moveField)
        : HexField(hexField), MoveField(moveField) {}

    /** Shows the hex under the map point; dragging blanks the move text. */
    void Show(KVKMap& board, const TPoint& mapPoint, bool dragging);
    /** The next Show rewrites both texts, even in the same hex. */
    void Forget() { LastHex = NoHex; }

    /** The hex whose texts are shown; NoHex after Forget. */
    int Hex() const { return LastHex; }
    /** The hex text shown, with its "Hex : " prefix. */
    const std::string& Text() const { return HexText; }

private:
    static void Set(TTextGadget* field, const char* text);

    TTextGadget* HexField;
    TTextGadget* MoveField;
    int LastHex = NoHex;
    std::string HexText;
};
