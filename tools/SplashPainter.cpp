#include "SplashPainter.h"

#include "CounterPainter.h"
#include "GamePalette.h"
#include "PixelFont.h"

#include <array>

namespace {

using Pal = GamePalette;

// The piece of map behind the title: the big river bend around the southern capital.
constexpr int MapLeft = 620, MapTop = 676;
// The counters shown: a guards tank army and an SS panzer corps.
constexpr int SovietShowcase = 82, AxisShowcase = 179;

// For each palette entry, the entry nearest to it dimmed towards the title band's colour.
std::array<std::uint8_t, GamePalette::Size> DimmedColours() {
    std::array<std::uint8_t, GamePalette::Size> dimmed{};
    const GamePalette::Rgb band = Pal::Color(Pal::TitleBand);
    for (int i = 0; i < GamePalette::Size; ++i) {
        const GamePalette::Rgb c = Pal::Color(i);
        dimmed[std::size_t(i)] = Pal::Nearest({std::uint8_t((c.R * 3 + band.R) / 4),
                                               std::uint8_t((c.G * 3 + band.G) / 4),
                                               std::uint8_t((c.B * 3 + band.B) / 4)});
    }
    return dimmed;
}

} // namespace

IndexedImage SplashPainter::Paint(const IndexedImage& map) {
    IndexedImage image(Size, Size, Pal::TitleBand);
    const auto dimmed = DimmedColours();
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            image.Set(x, y, dimmed[map.At(MapLeft + x, MapTop + y)]);

    // The title band.
    constexpr int bandTop = 84, bandHeight = 60;
    image.FillRect(0, bandTop, Size, bandHeight, Pal::TitleBand);
    image.FillRect(0, bandTop + 2, Size, 1, Pal::TitleBandLight);
    image.FillRect(0, bandTop + bandHeight - 3, Size, 1, Pal::TitleBandLight);

    const PixelFont& font = PixelFont::Title();
    constexpr int scale = 4;
    const char* name = "Kurvask";
    const int x = (Size - font.TextWidth(name, scale)) / 2;
    const int y = bandTop + (bandHeight - font.Height() * scale) / 2;
    font.Draw(image, x + 2, y + 2, name, Pal::TitleShadow, scale);
    font.Draw(image, x, y, name, Pal::TitleCream, scale);

    // One counter of each side, doubled, with a drop shadow.
    constexpr int counterScale = 2, counterTop = 172;
    constexpr int counterSize = CounterPainter::Size * counterScale;
    const int lefts[2] = {Size / 2 - counterSize - 12, Size / 2 + 12};
    const int units[2] = {SovietShowcase, AxisShowcase};
    for (int i = 0; i < 2; ++i) {
        image.FillRect(lefts[i] + 3, counterTop + 3, counterSize, counterSize, Pal::TitleShadow);
        image.Paste(CounterPainter::Counter(units[i]), lefts[i], counterTop, counterScale);
    }

    image.FrameRect(0, 0, Size, Size, Pal::TitleShadow);
    image.FrameRect(1, 1, Size - 2, Size - 2, Pal::TitleBandLight);
    return image;
}
