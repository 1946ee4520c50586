#include "GamePalette.h"

#include <cstddef>

namespace {

using Rgb = GamePalette::Rgb;

struct Named {
    GamePalette::Index Index;
    Rgb Color;
};

// The game's own colours. Terrain stays light and muted: counters are drawn on top of it and
// their black symbols and factors must read on every hex.
constexpr Named GameColors[] = {
    {GamePalette::SteppeLight, {234, 227, 188}},
    {GamePalette::Steppe, {226, 217, 170}},
    {GamePalette::SteppeDark, {203, 192, 146}},
    {GamePalette::FarmLight, {222, 229, 180}},
    {GamePalette::Farm, {211, 221, 163}},
    {GamePalette::FarmDark, {191, 203, 141}},
    {GamePalette::ForestLight, {183, 211, 152}},
    {GamePalette::Forest, {165, 199, 136}},
    {GamePalette::ForestTree, {92, 142, 78}},
    {GamePalette::ForestTreeDark, {60, 104, 56}},
    {GamePalette::ForestTrunk, {116, 94, 64}},
    {GamePalette::MarshLight, {207, 207, 166}},
    {GamePalette::Marsh, {190, 192, 144}},
    {GamePalette::MarshReed, {118, 128, 80}},
    {GamePalette::MarshWater, {140, 176, 184}},
    {GamePalette::SeaLight, {178, 210, 234}},
    {GamePalette::Sea, {156, 193, 226}},
    {GamePalette::SeaWave, {120, 166, 212}},
    {GamePalette::SeaLine, {128, 162, 198}},
    {GamePalette::Coast, {70, 112, 168}},
    {GamePalette::River, {46, 104, 200}},
    {GamePalette::RiverDark, {28, 70, 160}},
    {GamePalette::CityGround, {210, 205, 196}},
    {GamePalette::CityStreet, {152, 147, 140}},
    {GamePalette::CityRoof, {198, 88, 68}},
    {GamePalette::CityRoofDark, {150, 54, 42}},
    {GamePalette::CityRing, {172, 38, 34}},
    {GamePalette::HexLine, {124, 116, 96}},
    {GamePalette::HexLabel, {92, 84, 66}},
    {GamePalette::SeaLabel, {72, 110, 158}},
    {GamePalette::Margin, {222, 216, 198}},
    {GamePalette::MarginLine, {190, 183, 164}},
    {GamePalette::OffBoard, {206, 205, 196}},
    {GamePalette::OffBoardLine, {178, 177, 166}},
    {GamePalette::Divider, {88, 72, 50}},
    {GamePalette::DividerLight, {156, 142, 114}},
    {GamePalette::SovietYellow, {255, 226, 104}},
    {GamePalette::SovietYellowBorder, {168, 136, 28}},
    {GamePalette::GuardsYellow, {226, 180, 48}},
    {GamePalette::GuardsYellowBorder, {124, 94, 12}},
    {GamePalette::SovietOrange, {250, 170, 84}},
    {GamePalette::SovietOrangeBorder, {164, 90, 28}},
    {GamePalette::AxisGreen, {150, 206, 128}},
    {GamePalette::AxisGreenBorder, {66, 118, 54}},
    {GamePalette::AlliedGreen, {196, 228, 164}},
    {GamePalette::AlliedGreenBorder, {98, 140, 80}},
    {GamePalette::EliteGreen, {108, 166, 96}},
    {GamePalette::EliteGreenBorder, {38, 82, 34}},
    {GamePalette::LocoOrange, {255, 210, 162}},
    {GamePalette::LocoOrangeBorder, {190, 122, 62}},
    {GamePalette::SymbolRed, {176, 24, 24}},
    {GamePalette::MarkCream, {252, 244, 214}},
    {GamePalette::MarkBorder, {132, 120, 96}},
    {GamePalette::MarkRed, {156, 18, 18}},
    {GamePalette::MarkGreen, {16, 128, 40}},
    {GamePalette::CombatRed, {255, 153, 153}},
    {GamePalette::CombatGreen, {153, 255, 153}},
    {GamePalette::TitleCream, {250, 238, 196}},
    {GamePalette::TitleShadow, {34, 30, 22}},
    {GamePalette::TitleBand, {52, 62, 44}},
    {GamePalette::TitleBandLight, {116, 128, 90}},
};

// The static system colours at both ends of the table.
constexpr Rgb SystemLow[10] = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                               {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                               {192, 220, 192}, {166, 202, 240}};
constexpr Rgb SystemHigh[10] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                {0, 255, 255},   {255, 255, 255}};

// The entries after the named ones: a 5-level colour cube, then a grey ramp up to entry 245.
// The levels avoid the system values so no colour appears twice.
constexpr int CubeLevels[5] = {24, 78, 132, 186, 240};
constexpr int FirstSystemHigh = 246;
constexpr int CubeSize = 5 * 5 * 5;
constexpr int GreyCount = FirstSystemHigh - GamePalette::FirstFiller - CubeSize;
static_assert(GreyCount >= 16, "the game colours leave too little room for the grey ramp");

constexpr std::array<Rgb, GamePalette::Size> Build() {
    std::array<Rgb, GamePalette::Size> table{};
    for (int i = 0; i < 10; ++i) {
        table[std::size_t(i)] = SystemLow[i];
        table[std::size_t(FirstSystemHigh + i)] = SystemHigh[i];
    }
    for (const Named& n : GameColors)
        table[n.Index] = n.Color;
    int at = GamePalette::FirstFiller;
    for (int r : CubeLevels)
        for (int g : CubeLevels)
            for (int b : CubeLevels)
                table[std::size_t(at++)] = {std::uint8_t(r), std::uint8_t(g), std::uint8_t(b)};
    for (int i = 0; i < GreyCount; ++i) {
        const auto v = std::uint8_t(1 + i * 251 / (GreyCount - 1));
        table[std::size_t(at++)] = {v, v, v};
    }
    return table;
}

// Every named entry of the game range is listed once, in order, with nothing left out.
constexpr bool NamedEntriesComplete() {
    int expected = 10;
    for (const Named& n : GameColors)
        if (n.Index != expected++)
            return false;
    return expected == GamePalette::FirstFiller;
}
static_assert(NamedEntriesComplete(), "GameColors must list every named entry in order");

constexpr std::array<Rgb, GamePalette::Size> Table = Build();

// No colour appears twice, so a colour found in a picture names one entry.
constexpr bool AllDistinct() {
    for (std::size_t i = 0; i < Table.size(); ++i)
        for (std::size_t j = i + 1; j < Table.size(); ++j)
            if (Table[i] == Table[j])
                return false;
    return true;
}
static_assert(AllDistinct(), "a colour appears twice in the palette");

} // namespace

const std::array<GamePalette::Rgb, GamePalette::Size>& GamePalette::Colors() {
    return Table;
}

std::uint8_t GamePalette::Nearest(Rgb c) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < Size; ++i) {
        const Rgb& p = Table[std::size_t(i)];
        const long dr = long(p.R) - c.R, dg = long(p.G) - c.G, db = long(p.B) - c.B;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return std::uint8_t(best);
}
