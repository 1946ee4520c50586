#include "CounterPainter.h"

#include "GamePalette.h"
#include "PixelFont.h"
#include "UnitRoster.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

using Pal = GamePalette;

// The leaders of the two sides: a star instead of a unit symbol.
constexpr int SovietLeader = 0;
constexpr int AxisLeader = 143;

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> words;
    while (!s.empty()) {
        const std::size_t start = s.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        s.remove_prefix(start);
        const std::size_t end = std::min(s.find(' '), s.size());
        words.push_back(s.substr(0, end));
        s.remove_prefix(end);
    }
    return words;
}

// The symbol box in the upper half of a counter: 14 x 9 pixels, its top-left corner at
// (BoxLeft, top).
constexpr int BoxLeft = 5, BoxRight = 18, BoxHeight = 9;
// The factors in the lower half.
constexpr int FactorsTop = 15;

} // namespace

CounterPainter::Face CounterPainter::FaceOf(int unit) {
    // A label is "(factors) : designation" with the factors padded to six characters, or a
    // bare designation for units without printed factors.
    const std::string_view label = UnitRoster::Label(unit);
    Face face;
    std::string_view designation = label;
    if (label.starts_with('(')) {
        const std::size_t close = label.find(')');
        for (char c : label.substr(1, close - 1))
            if (c != ' ')
                face.Factors += c;
        designation = label.substr(label.find(':', close) + 1);
    }
    const auto words = Words(designation);
    auto has = [&](std::string_view w) {
        return std::find(words.begin(), words.end(), w) != words.end();
    };
    const bool soviet = unit <= UnitRoster::LastSoviet;

    if (unit == SovietLeader || unit == AxisLeader)
        face.Type = Symbol::Leader;
    else if (has("Partisan"))
        face.Type = Symbol::Partisan;
    else if (has("Stuka"))
        face.Type = Symbol::Aircraft;
    else if (has("Rail"))
        face.Type = Symbol::Locomotive;
    else if (has("HQ") || has("Stavka"))
        face.Type = Symbol::Headquarters;
    else if (!words.empty() && words.back().size() > 1 && words.back().ends_with('W'))
        face.Type = Symbol::Fortified;
    else if (has("Pzg"))
        face.Type = Symbol::Mechanised;
    else if (has("Pz") || has("A") || has("Ac"))
        face.Type = Symbol::Armour;
    else if (has("Mt"))
        face.Type = Symbol::Mountain;
    else if (has("Para"))
        face.Type = Symbol::Parachute;
    else if (has("Cc") || has("C") || has("Cav"))
        face.Type = Symbol::Cavalry;
    else
        face.Type = Symbol::Infantry;

    // Soviet units are yellow, fortified areas and partisans orange, guards a darker yellow.
    // Axis units are green, allied contingents (the designations beginning with a country
    // letter) a paler green, SS units a darker green.
    if (soviet) {
        if (face.Type == Symbol::Fortified || face.Type == Symbol::Partisan) {
            face.Background = Pal::SovietOrange;
            face.Border = Pal::SovietOrangeBorder;
        } else if (has("Gd")) {
            face.Background = Pal::GuardsYellow;
            face.Border = Pal::GuardsYellowBorder;
        } else {
            face.Background = Pal::SovietYellow;
            face.Border = Pal::SovietYellowBorder;
        }
        face.Emblem = Pal::SymbolRed;
    } else {
        const bool allied = !words.empty() && (words.front() == "R" || words.front() == "H" ||
                                               words.front() == "I" || words.front() == "F");
        if (has("SS")) {
            face.Background = Pal::EliteGreen;
            face.Border = Pal::EliteGreenBorder;
        } else if (allied) {
            face.Background = Pal::AlliedGreen;
            face.Border = Pal::AlliedGreenBorder;
        } else {
            face.Background = Pal::AxisGreen;
            face.Border = Pal::AxisGreenBorder;
        }
        face.Emblem = Pal::Black;
    }
    return face;
}

IndexedImage CounterPainter::Counter(int unit) {
    const Face face = FaceOf(unit);
    if (face.Type == Symbol::Locomotive)
        return Locomotive();
    IndexedImage image(Size, Size, face.Background);
    image.FrameRect(0, 0, Size, Size, face.Border);
    DrawSymbol(image, face);
    if (!face.Factors.empty()) {
        const PixelFont& font = PixelFont::Factors();
        font.Draw(image, (Size - font.TextWidth(face.Factors)) / 2, FactorsTop, face.Factors,
                  Pal::Black);
    }
    return image;
}

void CounterPainter::DrawSymbol(IndexedImage& image, const Face& face) {
    const std::uint8_t ink = Pal::Black;
    // A symbol sits in the upper half above the factors, or in the middle of a counter
    // without factors.
    const int top = face.Factors.empty() ? 7 : 3;
    const int bottom = top + BoxHeight - 1;
    auto box = [&] { image.FrameRect(BoxLeft, top, BoxRight - BoxLeft + 1, BoxHeight, ink); };
    auto cross = [&] {
        image.Line(BoxLeft, top, BoxRight, bottom, ink);
        image.Line(BoxRight, top, BoxLeft, bottom, ink);
    };
    auto track = [&] {
        image.Line(9, top + 2, 14, top + 2, ink);
        image.Line(9, top + 6, 14, top + 6, ink);
        image.Line(8, top + 3, 8, top + 5, ink);
        image.Line(15, top + 3, 15, top + 5, ink);
    };

    switch (face.Type) {
    case Symbol::Infantry:
        box();
        cross();
        break;
    case Symbol::Armour:
        box();
        track();
        break;
    case Symbol::Mechanised:
        box();
        cross();
        track();
        break;
    case Symbol::Cavalry:
        box();
        image.Line(BoxLeft, bottom, BoxRight, top, ink);
        break;
    case Symbol::Mountain:
        box();
        cross();
        image.Sprite(9, top + 5, {"..##..", ".####.", "######"}, "#", {ink});
        break;
    case Symbol::Parachute:
        // A canopy over a shallower infantry box.
        image.Sprite(BoxLeft, top - 2, {"....######....", "..##########..", ".#..#....#..#."}, "#",
                     {ink});
        image.FrameRect(BoxLeft, top + 2, BoxRight - BoxLeft + 1, BoxHeight - 2, ink);
        image.Line(BoxLeft, top + 2, BoxRight, bottom, ink);
        image.Line(BoxRight, top + 2, BoxLeft, bottom, ink);
        break;
    case Symbol::Headquarters:
        // A pennant on a staff.
        image.Sprite(6, top - 1,
                     {"|#.........", "|####......", "|#######...", "|##########", "|#######...",
                      "|####......", "|#.........", "|..........", "|..........", "|.........."},
                     "|#", {ink, face.Emblem});
        break;
    case Symbol::Fortified:
        // A crenellated wall with a gate.
        image.Sprite(BoxLeft, top,
                     {"##..##..##..##", "##############", "#............#", "#............#",
                      "#.....##.....#", "#....#..#....#", "#....#..#....#", "#....#..#....#",
                      "##############"},
                     "#", {ink});
        break;
    case Symbol::Partisan: {
        // A tall box with a heavy P: irregular forces.
        image.FrameRect(BoxLeft, 5, BoxRight - BoxLeft + 1, 14, ink);
        const PixelFont& font = PixelFont::Heavy();
        font.Draw(image, (Size - font.TextWidth("P")) / 2 + 1, 8, "P", ink);
        break;
    }
    case Symbol::Aircraft:
        // A dive bomber seen from above, nose up.
        image.Sprite(3, 5,
                     {"......#####......", "........#........", ".......###.......",
                      "##.....###.....##", "#################", "#################",
                      ".......###.......", ".......###.......", "........#........",
                      "........#........", ".....#######.....", "......#####......",
                      "........#........"},
                     "#", {ink});
        break;
    case Symbol::Leader:
        image.Sprite(6, 2,
                     {".....#.....", "....###....", "....###....", "###########", ".#########.",
                      "..#######..", "..#######..", ".####.####.", ".###...###.", "##.......##"},
                     "#", {face.Emblem});
        break;
    case Symbol::Locomotive:
        break;
    }
}

IndexedImage CounterPainter::Locomotive() {
    IndexedImage image(Size, Size, Pal::LocoOrange);
    image.FrameRect(0, 0, Size, Size, Pal::LocoOrangeBorder);
    // A tank engine facing left: chimney, dome, boiler, cab with a window, three driving
    // wheels, a trailing wheel and a cowcatcher, standing on a rail.
    image.Sprite(1, 4,
                 {"..............########", "...#####.......######.", "....###........#...##.",
                  "....###...###..#...##.", "....###..#####.#...##.", "..###################.",
                  "..###################.", "..###################.", "..###################.",
                  "..###################.", "######################", "###..##...##...##..##.",
                  ".##.####.####.####.##.", "..#.####.####.####....", ".....##...##...##....."},
                 "#", {Pal::Black});
    image.Line(1, 19, 22, 19, Pal::LocoOrangeBorder);
    return image;
}
