#pragma once

#include "TGadget.h"
#include "TResId.h"

/**
 * A tool-bar button that sends command id and shows bitmap resource bitmapId. It is created
 * disabled; the frame's command enabling then gives it its enable and check state, and a
 * checked button looks pressed.
 */
class TButtonGadget : public TGadget {
public:
    TButtonGadget(TResId bitmapId, int id) : TGadget(id), BitmapId(bitmapId) {}
    TResId GetBitmapId() const { return BitmapId; }

private:
    TResId BitmapId;
};
