#pragma once

#include "IndexedImage.h"

#include <cstdint>
#include <span>
#include <string_view>

/**
 * A built-in bitmap font: every glyph is drawn from text rows, so the lettering on the map,
 * the counters, the marks and the splash screen is the same on every machine. Glyphs are
 * proportional (each as wide as its rows) and separated by one blank column.
 */
class PixelFont {
public:
    struct Glyph {
        char Ch;
        std::string_view Rows[8];
    };

    /** 3 x 5 capitals, digits and '-': the hex labels on the map. */
    static const PixelFont& Tiny();
    /** 4 x 6 digits and '-': the factors on the counters and the combat markers. */
    static const PixelFont& Factors();
    /** 6 x 8 heavy letters: the marks and the partisan symbol. */
    static const PixelFont& Heavy();
    /** 6 x 7 heavy letters for the program's name on the splash screen. */
    static const PixelFont& Title();

    int Height() const { return GlyphHeight; }
    /** The width of text in pixels at the given scale, without trailing spacing. */
    int TextWidth(std::string_view text, int scale = 1) const;
    /** Draws text with its top-left corner at (x, y); characters without a glyph are skipped. */
    void Draw(IndexedImage& image, int x, int y, std::string_view text, std::uint8_t colour,
              int scale = 1) const;

private:
    PixelFont(std::span<const Glyph> glyphs, int height) : Glyphs(glyphs), GlyphHeight(height) {}
    const Glyph* Find(char c) const;

    std::span<const Glyph> Glyphs;
    int GlyphHeight;
};
