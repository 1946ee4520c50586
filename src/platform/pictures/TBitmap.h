#pragma once

#include "PixelAllocator.h"
#include "TColor.h"

#include <cstdint>
#include <vector>

class TDC;
class TDib;
class TPalette;

/**
 * A device bitmap: a block of 32-bit RGB pixels (0xffRRGGBB), row after row, top row first.
 * Drawing contexts draw into the bitmap selected into them.
 */
class TBitmap {
public:
    /** A black bitmap of the given size; a negative size counts as 0. */
    TBitmap(int width, int height);
    /** A bitmap compatible with the context, that is of the same pixel format: 32-bit RGB. */
    TBitmap(const TDC& dc, int width, int height);
    /** The picture's pixels as a device bitmap; the palette is not kept with it. */
    explicit TBitmap(const TDib& dib, const TPalette* palette = nullptr);
    /** The picture's pixels, taken over without a copy. */
    explicit TBitmap(TDib&& dib);

    int Width() const { return W; }
    int Height() const { return H; }
    /** The pixel at (x, y); black outside the bitmap. */
    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, const TColor& c);

    std::uint32_t* Bits() { return Pixels.data(); }
    const std::uint32_t* Bits() const { return Pixels.data(); }
    /** Pixels from the start of one row to the start of the next. */
    int Stride() const { return W; }

private:
    int W = 0;
    int H = 0;
    PixelVector Pixels;
};
