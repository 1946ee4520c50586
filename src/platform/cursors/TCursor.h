#pragma once

#include "TPoint.h"
#include "TResId.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

class QCursor;

/**
 * A mouse cursor: the system arrow (id 0) or a 32 x 32 monochrome cursor resource with its
 * hot spot, compiled into the program as ":/cursors/<id>.cur" in the Windows cursor format.
 */
class TCursor {
public:
    static constexpr TResId Arrow = 0;
    static constexpr int Size = 32;
    enum Pixel : std::uint8_t { Transparent, Black, White, Inverted };

    /** Loads the cursor; raises TXBadFile when the resource is missing or damaged. */
    explicit TCursor(TResId id);
    ~TCursor();
    TCursor(const TCursor&) = delete;
    TCursor& operator=(const TCursor&) = delete;

    TResId GetId() const { return Id; }
    TPoint HotSpot() const { return Hot; }
    Pixel PixelAt(int x, int y) const { return Pixels[std::size_t(y * Size + x)]; }
    const QCursor& Get() const { return *Cursor; }

    /** Reads a one-image 32 x 32 monochrome cursor file; false when it is not one. */
    static bool Parse(std::string_view bytes, TPoint& hotSpot,
                      std::array<Pixel, Size * Size>& pixels);

private:
    TResId Id;
    TPoint Hot;
    std::array<Pixel, Size * Size> Pixels{};
    std::unique_ptr<QCursor> Cursor;
};
