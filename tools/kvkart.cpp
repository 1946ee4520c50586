// Usage: kvkart <repository root> -- writes data/kvkmap.bmp, data/splash.bmp, the program's
// icons in data/icons/, and the pictures, cursors and icons under resources/ of the game,
// always the same bytes.
//
// The artwork generator: draws the map, the splash screen, the counters, the stack marks, the
// combat markers and the palette strip from code, with the one game palette, and writes them
// as 8-bit Windows bitmaps where the program and its resource build expect them.

#include "CounterPainter.h"
#include "CursorPainter.h"
#include "GamePalette.h"
#include "IconPainter.h"
#include "MapPainter.h"
#include "MarkerPainter.h"
#include "SplashPainter.h"
#include "ToolbarPainter.h"
#include "UnitRoster.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// Resource ids of the pictures.
constexpr int PaletteStripId = 700;
constexpr int FirstCounterId = 2001;
constexpr int LocomotiveId = 2202;
constexpr int FirstLocomotiveUnit = 201;
constexpr int FirstMarkId = 2281; // the dark-red S, the black R, the green r
constexpr int FirstLossMarkerId = 8506;
constexpr int FirstWinMarkerId = 8512;

fs::path BitmapPath(const fs::path& root, int id) {
    return root / "resources" / "bitmaps" / (std::to_string(id) + ".bmp");
}

// 256 x 1: pixel x has colour x, so the program can realise the whole palette from it.
IndexedImage PaletteStrip() {
    IndexedImage image(GamePalette::Size, 1);
    for (int x = 0; x < GamePalette::Size; ++x)
        image.Set(x, 0, std::uint8_t(x));
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <repository root>\n", argc > 0 ? argv[0] : "kvkart");
        return 2;
    }
    try {
        const fs::path root = argv[1];
        fs::create_directories(root / "data");
        fs::create_directories(root / "resources" / "bitmaps");
        int written = 0;
        auto write = [&](const IndexedImage& image, const fs::path& file) {
            image.WriteBmp(file);
            ++written;
        };

        const IndexedImage map = MapPainter().Paint();
        write(map, root / "data" / "kvkmap.bmp");
        write(SplashPainter::Paint(map), root / "data" / "splash.bmp");
        write(PaletteStrip(), BitmapPath(root, PaletteStripId));

        for (int unit = 0; unit < FirstLocomotiveUnit; ++unit)
            write(CounterPainter::Counter(unit), BitmapPath(root, FirstCounterId + unit));
        write(CounterPainter::Locomotive(), BitmapPath(root, LocomotiveId));

        write(MarkerPainter::Mark('S', GamePalette::MarkRed), BitmapPath(root, FirstMarkId));
        write(MarkerPainter::Mark('R', GamePalette::Black), BitmapPath(root, FirstMarkId + 1));
        write(MarkerPainter::Mark('r', GamePalette::MarkGreen), BitmapPath(root, FirstMarkId + 2));

        for (int digit = 1; digit <= 6; ++digit) {
            write(MarkerPainter::CombatMarker(digit, GamePalette::CombatRed),
                  BitmapPath(root, FirstLossMarkerId + digit - 1));
            write(MarkerPainter::CombatMarker(digit, GamePalette::CombatGreen),
                  BitmapPath(root, FirstWinMarkerId + digit - 1));
        }
        // The map window's cursors with their hot spots.
        fs::create_directories(root / "resources" / "cursors");
        const fs::path cursors = root / "resources" / "cursors";
        CursorPainter::WriteCur(CursorPainter::Combat(), 1, 1, cursors / "1450.cur");
        CursorPainter::WriteCur(CursorPainter::MoveAll(), 0, 0, cursors / "1451.cur");
        CursorPainter::WriteCur(CursorPainter::Return(), 4, 11, cursors / "1452.cur");
        written += 3;

        // The tool-bar buttons, the frame's icons and the icon theme's sizes of the same icon.
        for (const int id :
             {400, 401, 405, 406, 407, 410, 412, 413, 422, 423, 424, 430, 432, 433}) {
            ToolbarPainter::Button(id).WriteBmp(BitmapPath(root, id));
            ++written;
        }
        fs::create_directories(root / "resources" / "icons");
        IconPainter::Render16(32).WriteBmp(root / "resources" / "icons" / "450.bmp");
        IconPainter::Render16(16).WriteBmp(root / "resources" / "icons" / "451.bmp");
        IconPainter::WritePng(IconPainter::Render(64), 64,
                              root / "resources" / "icons" / "IDI_ICON1.png");
        written += 3;
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const fs::path folder = root / "data" / "icons" / "hicolor" /
                                    (std::to_string(size) + "x" + std::to_string(size)) / "apps";
            fs::create_directories(folder);
            IconPainter::WritePng(IconPainter::Render(size), size, folder / "kurvask.png");
            ++written;
        }

        std::printf("kvkart: wrote %d pictures under %s\n", written, root.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvkart: %s\n", e.what());
        return 1;
    }
    return 0;
}
