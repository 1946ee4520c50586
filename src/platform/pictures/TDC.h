#pragma once

#include "TColor.h"
#include "TPoint.h"
#include "TRect.h"

#include <cstdint>

class TBitmap;
class TPalette;

/** The raster operation of a plain source copy: the only one the program uses. */
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;

/**
 * A drawing context: something that draws into a bitmap of 32-bit pixels. Coordinates given to
 * it are logical; the window origin (the scroll position of a window) is subtracted to get the
 * pixel in the bitmap. Every copy is clipped to the source and to the destination, so no call
 * reads or writes outside a bitmap.
 */
class TDC {
public:
    virtual ~TDC() = default;

    /** The bitmap this context draws into, or null while there is none. */
    virtual TBitmap* GetBitmap() const = 0;

    TPoint GetWindowOrg() const { return Org; }
    void SetWindowOrg(const TPoint& org) { Org = org; }

    /** Copies w x h pixels from (srcX, srcY) of src to (x, y) of this context. */
    bool BitBlt(int x, int y, int w, int h, const TDC& src, int srcX, int srcY,
                std::uint32_t rop = SRCCOPY);
    bool BitBlt(const TRect& dst, const TDC& src, const TPoint& srcPos,
                std::uint32_t rop = SRCCOPY);
    /** Copies w x h pixels from (srcX, srcY) of a bitmap, as from a context it is selected in. */
    bool BitBlt(int x, int y, int w, int h, const TBitmap& src, int srcX, int srcY,
                std::uint32_t rop = SRCCOPY);
    /** Scales the whole source rectangle into the destination rectangle (nearest pixel). */
    bool StretchBlt(const TRect& dst, const TDC& src, const TRect& srcRect,
                    std::uint32_t rop = SRCCOPY);

    /** The pixel at a logical point; black outside the bitmap. */
    /** Fills a rectangle (logical coordinates) with one colour, clipped to the bitmap. */
    void FillRect(const TRect& r, const TColor& c);
    TColor GetPixel(int x, int y) const;
    TColor GetPixel(const TPoint& p) const { return GetPixel(p.x, p.y); }

    // Palette handling; the display is true-colour, so these keep the calls and change nothing.
    void SelectObject(const TPalette& palette, bool forceBackground = false);
    void RestorePalette() {}
    int RealizePalette() { return 0; }
    void UpdateColors() {}

protected:
    /** Called after pixels in the device rectangle r changed; a window repaints them. */
    virtual void Changed(const TRect& r) { (void)r; }

private:
    bool Copy(int x, int y, int w, int h, const TBitmap* from, int srcX, int srcY,
              std::uint32_t rop);

    TPoint Org;
};
