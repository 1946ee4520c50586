#pragma once

#include "TColor.h"
#include "TModule.h"
#include "TestFiles.h"

#include <memory>
#include <string>

/**
 * Pictures made for board tests: counter and mark pictures in which every pixel tells which
 * picture it came from and where in it, and a map picture of a known pattern. So a test can
 * read any target pixel and say exactly what was drawn there.
 */
class TestPictures {
public:
    static constexpr int MapWidth = 700;
    static constexpr int MapHeight = 420;

    TestPictures();
    /** A module whose bitmap resources are the test pictures. */
    TModule& Module() { return *PictureModule; }
    std::string MapFile() const { return Dir.Path("kvkmap.bmp"); }
    const TestDir& Folder() const { return Dir; }

    /** The colour of pixel (x, y) of picture id. */
    static TColor PicturePixel(int id, int x, int y) {
        return TColor::FromPixel(std::uint32_t(id) << 10 | std::uint32_t(y) << 5 |
                                 std::uint32_t(x));
    }
    /** The colour of the bare map at (x, y). */
    static TColor MapPixel(int x, int y) {
        return TColor::FromPixel(0x800000u | std::uint32_t((x * 7 + y * 131) & 0x7fffff));
    }

private:
    TestDir Dir;
    std::unique_ptr<TModule> PictureModule;
};
