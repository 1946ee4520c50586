#pragma once

#include "PixelAllocator.h"
#include "TColor.h"
#include "TResId.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TModule;

/**
 * A device-independent bitmap: a Windows .bmp picture read from a file or from a bitmap
 * resource of a module. Its width, height and colour depth are those of the file's header and
 * its colour table is kept (empty for true-colour pictures). A file that is missing, damaged or
 * not a picture raises TXBadFile naming the file; no half-read picture is ever built.
 */
class TDib {
public:
    /** The longest picture side accepted; the map is 2100 pixels wide. */
    static constexpr long long MaxSide = 16384;
    /**
     * The most pixels a picture may have, some six times the map's. A compressed file can
     * declare any size in a few bytes, and decoding makes three copies of every pixel.
     */
    static constexpr long long MaxPixels = 4096 * 4096;
    /** The largest file that can hold an accepted picture: 32-bit pixels and room for headers. */
    static constexpr long long MaxFileBytes = MaxPixels * 4 + (1 << 16);

    explicit TDib(const char* fileName);
    TDib(const TModule* module, TResId id);

    int Width() const { return W; }
    int Height() const { return H; }
    /** Bits per pixel as the file stores them (8 for palettised pictures, 24 or 32 otherwise). */
    int BitsPixel() const { return Bpp; }
    int NumColors() const { return int(Colors.size()); }
    TColor GetColor(int index) const;
    const std::vector<TColor>& ColorTable() const { return Colors; }
    /** The picture as 32-bit RGB pixels, top row first. */
    const PixelVector& Pixels() const { return Rgb; }
    /** Gives the pixels away, leaving the picture empty: for a bitmap made from it once. */
    PixelVector TakePixels() { return std::move(Rgb); }
    TColor GetPixel(int x, int y) const;

    /** Decodes a .bmp image held in memory; name is what error messages call it. */
    static TDib FromBytes(const std::string& bytes, const std::string& name);
    /**
     * Starts reading and decoding the picture file on another thread, so that the next
     * TDib(fileName) of the same name takes the result instead of doing the work then. A
     * picture that cannot be read there is read again by that constructor, which raises the
     * error as usual. Only the latest preload is kept.
     */
    static void Preload(const std::string& fileName);

private:
    TDib() = default;
    void Load(const std::string& name);
    void Decode(std::string_view bytes, const std::string& name);

    int W = 0;
    int H = 0;
    int Bpp = 0;
    std::vector<TColor> Colors;
    PixelVector Rgb;
};
