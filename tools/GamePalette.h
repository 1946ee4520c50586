#pragma once

#include <array>
#include <cstdint>

/**
 * The game palette: the one 256-colour table shared by the map, the splash screen, every
 * counter and every marker. Entries 0..9 and 246..255 are the twenty static system colours,
 * so the pictures look the same whether or not the display realises the palette; the 236
 * entries between are the game's own: terrain tones kept light enough for counters to stay
 * readable on them, the counter backgrounds of both sides, the marker colours, and a
 * colour cube and grey ramp that fill the rest for general drawing.
 */
class GamePalette {
public:
    struct Rgb {
        std::uint8_t R = 0, G = 0, B = 0;
        constexpr bool operator==(const Rgb&) const = default;
    };

    static constexpr int Size = 256;

    /** The named entries. The first ten and the last ten are the system colours. */
    enum Index : std::uint8_t {
        Black = 0,
        Maroon = 1,
        Green = 2,
        Olive = 3,
        Navy = 4,
        Purple = 5,
        Teal = 6,
        Silver = 7,
        MoneyGreen = 8,
        SkyBlue = 9,

        // Open ground: southern steppe and northern farmland.
        SteppeLight = 10,
        Steppe,
        SteppeDark,
        FarmLight,
        Farm,
        FarmDark,
        // Forest.
        ForestLight,
        Forest,
        ForestTree,
        ForestTreeDark,
        ForestTrunk,
        // Marsh.
        MarshLight,
        Marsh,
        MarshReed,
        MarshWater,
        // Sea, lakes and rivers.
        SeaLight,
        Sea,
        SeaWave,
        SeaLine,
        Coast,
        River,
        RiverDark,
        // Cities.
        CityGround,
        CityStreet,
        CityRoof,
        CityRoofDark,
        CityRing,
        // Grid, labels and the areas around the board.
        HexLine,
        HexLabel,
        SeaLabel,
        Margin,
        MarginLine,
        OffBoard,
        OffBoardLine,
        Divider,
        DividerLight,
        // Counter backgrounds and their borders.
        SovietYellow,
        SovietYellowBorder,
        GuardsYellow,
        GuardsYellowBorder,
        SovietOrange,
        SovietOrangeBorder,
        AxisGreen,
        AxisGreenBorder,
        AlliedGreen,
        AlliedGreenBorder,
        EliteGreen,
        EliteGreenBorder,
        LocoOrange,
        LocoOrangeBorder,
        SymbolRed,
        // Marks and combat markers.
        MarkCream,
        MarkBorder,
        MarkRed,
        MarkGreen,
        CombatRed,
        CombatGreen,
        // Splash screen.
        TitleCream,
        TitleShadow,
        TitleBand,
        TitleBandLight,

        FirstFiller,

        Cream = 246,
        MediumGrey = 247,
        Grey = 248,
        Red = 249,
        Lime = 250,
        Yellow = 251,
        Blue = 252,
        Fuchsia = 253,
        Aqua = 254,
        White = 255,
    };

    static const std::array<Rgb, Size>& Colors();
    static Rgb Color(int index) { return Colors()[std::size_t(index)]; }
    /** The entry nearest to c in RGB distance; the lowest index wins a tie. */
    static std::uint8_t Nearest(Rgb c);
};
