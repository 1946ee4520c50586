#pragma once

#include "TDC.h"

/**
 * A memory drawing context: draws into the bitmap selected into it. It does not own the
 * bitmap.
 */
class TMemoryDC : public TDC {
public:
    /** A context compatible with the screen, with no bitmap selected yet. */
    TMemoryDC() = default;
    /** A context compatible with dc, with no bitmap selected yet. */
    explicit TMemoryDC(const TDC& dc) { (void)dc; }
    explicit TMemoryDC(TBitmap& bitmap) : Selected(&bitmap) {}

    void SelectObject(TBitmap& bitmap) { Selected = &bitmap; }
    using TDC::SelectObject;
    void RestoreBitmap() { Selected = nullptr; }

    TBitmap* GetBitmap() const override { return Selected; }

private:
    TBitmap* Selected = nullptr;
};
