#include "MapPainter.h"

#include "GamePalette.h"
#include "NoiseField.h"
#include "PixelFont.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

namespace {

using Cell = HexGrid::Cell;
using Point = HexGrid::Point;
using Terrain = MapPainter::Terrain;
using Pal = GamePalette;

// The fixed features of the board, one character per hex, row by row from the north edge and
// column by column from the west: '~' sea, 'o' lake, 'C' a major city, 'c' a city, '.' open
// country whose forest and marsh the noise decides. The Baltic fills the north-west corner
// with a long gulf, the southern sea the south edge with a peninsula and an inner sea.
constexpr std::string_view Plan[MapBoard::Rows] = {
    "~~~~~~~~~~~~~~~~~..oo......................", // 1
    "~~~~~~~~~~~~~~~..C..o......................", // 2
    "~~~~~~~....................................", // 3
    "~~~~~......o...............................", // 4
    "~~~~~~c....o.........o.....................", // 5
    "~~~~.......................................", // 6
    "~~~..................................C.....", // 7
    "~~.........................................", // 8
    "~........................c.................", // 9
    ".........c.................................", // 10
    "...........................................", // 11
    ".............c.............................", // 12
    "...........................................", // 13
    "...........................................", // 14
    ".................................c.........", // 15
    "...........................................", // 16
    "...........................................", // 17
    "...........................................", // 18
    ".....................C.....................", // 19
    ".................................c.........", // 20
    "...........................................", // 21
    "....c......................................", // 22
    "...........................c...............", // 23
    "...........................................", // 24
    "........................................c..", // 25
    "................................~~~~~~~~~..", // 26
    ".................c.....~~.....~~~~~~~~~~...", // 27
    "..................~~~~~~~~...~~~~~~~~......", // 28
    "................~~~~~~~~~......~~~~~.......", // 29
    "..............~~~~~~~~~~~.......~~~~~~~....", // 30
    "............~~~~~~~~~~~~~~c...~~~~~~~~~~~..", // 31
    "..........~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~", // 32
};

constexpr bool PlanFitsBoard() {
    for (std::string_view row : Plan)
        if (int(row.size()) != MapBoard::BoardColumns)
            return false;
    return true;
}
static_assert(PlanFitsBoard(), "every plan row must cover the 43 board columns");

// Seeds of the independent noise fields.
constexpr std::uint32_t SeedMarsh = 11, SeedMarshPatch = 12, SeedForest = 21, SeedOpen = 31,
                        SeedGrain = 41, SeedField = 51, SeedTree = 61, SeedReed = 71, SeedWave = 81,
                        SeedCity = 91, SeedRiver = 101;

// The rivers, each as the hexes it passes on its way and how it ends: in the sea, joining an
// earlier river, or leaving the board at its last hex. A river runs along hex sides from the
// first hex towards each next one. Trunk rivers come first so that tributaries can join them.
const MapPainter::RiverPlan RiverPlans[] = {
    {{{29, 0}, {26, 5}, {25, 10}, {23, 13}, {21, 17}, {23, 20}, {27, 21}, {26, 24}, {24, 26}},
     MapPainter::RiverEnd::Sea},
    {{{23, 2}, {17, 6}, {11, 7}, {6, 5}, {3, 4}}, MapPainter::RiverEnd::Sea},
    {{{39, 9}, {40, 13}, {38, 16}, {39, 21}, {38, 25}}, MapPainter::RiverEnd::Sea},
    {{{2, 19}, {8, 22}, {13, 24}, {17, 28}}, MapPainter::RiverEnd::Sea},
    {{{11, 12}, {7, 10}, {3, 9}, {0, 8}}, MapPainter::RiverEnd::Sea},
    {{{6, 16}, {12, 17}, {17, 18}, {21, 17}}, MapPainter::RiverEnd::Join},
    {{{32, 5}, {30, 10}, {26, 14}, {23, 15}}, MapPainter::RiverEnd::Join},
    {{{36, 12}, {35, 17}, {37, 21}, {39, 22}}, MapPainter::RiverEnd::Join},
    {{{31, 1}, {36, 2}, {42, 3}}, MapPainter::RiverEnd::Edge},
    {{{31, 8}, {36, 8}, {42, 9}}, MapPainter::RiverEnd::Edge},
};

bool IsWater(Terrain t) {
    return t == Terrain::Sea || t == Terrain::Lake;
}

bool IsBoardTerrain(Terrain t) {
    return t != Terrain::Margin && t != Terrain::OffBoard;
}

std::int64_t ISqrt(std::int64_t v) {
    std::int64_t r = 0;
    for (std::int64_t bit = std::int64_t(1) << 40; bit > 0; bit >>= 2) {
        if (v >= r + bit) {
            v -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
    }
    return r;
}

std::int64_t Distance(Point a, Point b) {
    const std::int64_t dx = a.X - b.X, dy = a.Y - b.Y;
    return ISqrt(dx * dx + dy * dy);
}

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Cells are packed into a small integer per pixel: one ring of partial cells around the grid.
std::int16_t Pack(Cell c) {
    return std::int16_t((c.Column + 1) * (MapBoard::Rows + 2) + (c.Row + 1));
}

Cell Unpack(std::int16_t v) {
    return {v / (MapBoard::Rows + 2) - 1, v % (MapBoard::Rows + 2) - 1};
}

// The hex label: column letters A..Z, then AA, BB, .. for columns 27 on; the row from 1.
std::string HexLabel(Cell c) {
    std::string s;
    const int n = c.Column + 1;
    if (n < 27) {
        s += char('A' + n - 1);
    } else {
        s += char('A' + n - 27);
        s += char('A' + n - 27);
    }
    return s + std::to_string(c.Row + 1);
}

// The label sits low in the hex body, below a lone counter (which covers the top 24 rows),
// on a patch kept clear of texture.
constexpr int LabelTop = 32;

struct Box {
    int X0, Y0, X1, Y1;
    bool Holds(int x, int y) const { return x >= X0 && x <= X1 && y >= Y0 && y <= Y1; }
};

Box LabelBox(Cell c) {
    const Point o = HexGrid::Origin(c);
    const int w = PixelFont::Tiny().TextWidth(HexLabel(c));
    const int x = HexGrid::Centre(c).X - w / 2;
    return {x - 1, o.Y + LabelTop - 1, x + w, o.Y + LabelTop + PixelFont::Tiny().Height()};
}

// The cells of the drawn area: the grid and one ring of partial cells around it.
template <typename Visit> void ForEachCell(Visit visit) {
    for (int column = -1; column <= MapBoard::Columns; ++column)
        for (int row = -1; row <= MapBoard::Rows; ++row)
            visit(Cell{column, row});
}

// The neighbours across the top, upper-right and lower-right sides of a cell; the other three
// sides are these sides of other cells.
Cell AcrossSide(Cell c, int side) {
    const bool even = c.Column % 2 == 0;
    switch (side) {
    case 0:
        return {c.Column, c.Row - 1};
    case 1:
        return {c.Column + 1, even ? c.Row : c.Row - 1};
    default:
        return {c.Column + 1, even ? c.Row + 1 : c.Row};
    }
}

} // namespace

MapPainter::MapPainter() {
    LayOutTerrain();
    BuildCornerGraph();
    LayOutRivers();
}

MapPainter::Terrain MapPainter::TerrainOf(Cell c) const {
    if (c.Column >= MapBoard::BoardColumns)
        return Terrain::OffBoard;
    if (!HexGrid::IsBoard(c))
        return Terrain::Margin;
    return BoardTerrain[std::size_t(HexGrid::Index(c))];
}

void MapPainter::LayOutTerrain() {
    BoardTerrain.assign(std::size_t(MapBoard::BoardColumns * MapBoard::Rows), Terrain::Steppe);
    for (int column = 0; column < MapBoard::BoardColumns; ++column) {
        for (int row = 0; row < MapBoard::Rows; ++row) {
            const Cell c{column, row};
            Terrain& t = BoardTerrain[std::size_t(HexGrid::Index(c))];
            switch (Plan[row][std::size_t(column)]) {
            case '~':
                t = Terrain::Sea;
                continue;
            case 'o':
                t = Terrain::Lake;
                continue;
            case 'C':
                t = Terrain::MajorCity;
                continue;
            case 'c':
                t = Terrain::City;
                continue;
            default:
                break;
            }
            const Point p = HexGrid::Centre(c);

            // The great marsh: a noisy ellipse west of the middle of the board.
            const std::int64_t dx = p.X - 560, dy = p.Y - 690;
            const std::int64_t inEllipse =
                dx * dx * 1000 / (300 * 300) + dy * dy * 1000 / (105 * 105);
            const int marshNoise = NoiseField::Fractal(p.X, p.Y, 150, 3, SeedMarsh) - 32768;
            if (inEllipse < 1000 + marshNoise * 900 / 32768) {
                t = Terrain::Marsh;
                continue;
            }
            // Scattered bogs in the north.
            if (row < 14 &&
                NoiseField::Fractal(p.X, p.Y, 100, 2, SeedMarshPatch) > 46000 - row * 200) {
                t = Terrain::Marsh;
                continue;
            }
            // Forest: dense in the north, a ring of woods around the great marsh, rare on the
            // southern steppe.
            int forest = NoiseField::Fractal(p.X, p.Y, 130, 3, SeedForest) + (14 - row) * 1300;
            if (inEllipse < 2300)
                forest += 6000;
            if (forest > 40000) {
                t = Terrain::Forest;
                continue;
            }
            // Open country: farmland in the north and west, steppe towards the south-east.
            const int border = NoiseField::Value(p.X, p.Y, 220, SeedOpen) - 32768;
            t = p.Y + (p.X - 700) / 3 + border / 200 < 840 ? Terrain::Farmland : Terrain::Steppe;
        }
    }
}

void MapPainter::BuildCornerGraph() {
    ForEachCell([&](Cell c) {
        const auto corners = HexGrid::Corners(c);
        for (std::size_t i = 0; i < corners.size(); ++i) {
            CornerCells[corners[i]].push_back(c);
            if (!HexGrid::IsBoard(c))
                continue;
            auto& next = CornerNeighbours[corners[i]];
            const Point a = corners[(i + 1) % corners.size()];
            const Point b = corners[(i + corners.size() - 1) % corners.size()];
            for (const Point& n : {a, b})
                if (std::find(next.begin(), next.end(), n) == next.end())
                    next.push_back(n);
        }
    });
}

void MapPainter::LayOutRivers() {
    std::uint32_t seed = SeedRiver;
    for (const RiverPlan& plan : RiverPlans) {
        RiverPaths.push_back(WalkRiver(plan, seed));
        seed += 17;
    }
}

std::vector<Point> MapPainter::WalkRiver(const RiverPlan& plan, std::uint32_t seed) const {
    const std::vector<Cell> waypoints(plan.Waypoints);
    // A river may use a corner only if every hex around it is a board hex: rivers stay off
    // the picture's edge and out of the holding area.
    auto allowed = [&](const Point& p) {
        const auto it = CornerCells.find(p);
        if (it == CornerCells.end() || it->second.size() < 3)
            return false;
        for (const Cell& c : it->second)
            if (!HexGrid::IsBoard(c) || TerrainOf(c) == Terrain::Lake)
                return false;
        return true;
    };
    auto touchesSea = [&](const Point& p) {
        for (const Cell& c : CornerCells.at(p))
            if (TerrainOf(c) == Terrain::Sea)
                return true;
        return false;
    };
    std::set<Point> earlier;
    for (const auto& r : RiverPaths)
        earlier.insert(r.begin(), r.end());

    // The source: the usable corner nearest the middle of the first hex.
    const Point first = HexGrid::Centre(waypoints.front());
    Point start{};
    std::int64_t best = -1;
    for (const auto& [p, next] : CornerNeighbours) {
        if (!allowed(p) || touchesSea(p) || earlier.contains(p))
            continue;
        const std::int64_t d = Distance(p, first);
        if (best < 0 || d < best) {
            best = d;
            start = p;
        }
    }

    // A tributary's last leg heads for the point of the earlier rivers nearest its last hex.
    Point mouth = HexGrid::Centre(waypoints.back());
    if (plan.End == RiverEnd::Join) {
        std::int64_t nearest = -1;
        for (const Point& p : earlier) {
            const std::int64_t d = Distance(p, HexGrid::Centre(waypoints.back()));
            if (nearest < 0 || d < nearest) {
                nearest = d;
                mouth = p;
            }
        }
    }

    std::vector<Point> path{start};
    std::set<Point> visited{start};
    std::size_t goal = 1;
    while (path.size() < 400) {
        const Point at = path.back();
        const bool lastLeg = goal + 1 >= waypoints.size();
        const Point target = lastLeg ? mouth : HexGrid::Centre(waypoints[goal]);
        if (!lastLeg && Distance(at, target) < 26) {
            ++goal;
            continue;
        }
        if (lastLeg && plan.End == RiverEnd::Edge && Distance(at, target) < 26)
            break;
        // Step to the neighbouring corner nearest the target, pushed about by a smooth noise
        // field so the course meanders instead of running straight.
        const Point* step = nullptr;
        std::int64_t stepScore = 0;
        for (const Point& n : CornerNeighbours.at(at)) {
            if (visited.contains(n) || !allowed(n))
                continue;
            const std::int64_t meander =
                (std::int64_t(NoiseField::Value(n.X, n.Y, 70, seed)) - 32768) * 26 / 32768;
            const std::int64_t score = Distance(n, target) + meander;
            if (!step || score < stepScore) {
                step = &n;
                stepScore = score;
            }
        }
        if (!step)
            break;
        path.push_back(*step);
        visited.insert(*step);
        if (earlier.contains(*step) || (plan.End == RiverEnd::Sea && touchesSea(*step)))
            break;
    }
    return path;
}

IndexedImage MapPainter::Paint() const {
    IndexedImage image(MapBoard::GridWidth, MapBoard::GridHeight, Pal::Margin);
    std::vector<std::int16_t> cellOf(std::size_t(image.Width()) * std::size_t(image.Height()));
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            cellOf[std::size_t(y) * std::size_t(image.Width()) + std::size_t(x)] =
                Pack(HexGrid::CellAt(x, y));
    PaintGround(image, cellOf);
    PaintSymbols(image);
    PaintBoardEdge(image);
    PaintGrid(image);
    PaintRivers(image);
    PaintLabels(image);
    return image;
}

void MapPainter::PaintGround(IndexedImage& image, const std::vector<std::int16_t>& cellOf) const {
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Cell c =
                Unpack(cellOf[std::size_t(y) * std::size_t(image.Width()) + std::size_t(x)]);
            const Terrain t = TerrainOf(c);
            const bool plain = IsBoardTerrain(t) && LabelBox(c).Holds(x, y);
            const int grain = NoiseField::Unit(x, y, SeedGrain);
            std::uint8_t colour = Pal::Margin;
            switch (t) {
            case Terrain::Steppe:
                colour = NoiseField::Value(x, y, 48, SeedOpen + 1) > 44000 ? Pal::SteppeLight
                                                                           : Pal::Steppe;
                if (!plain && grain < 1800)
                    colour = Pal::SteppeDark;
                break;
            case Terrain::Farmland: {
                // A patchwork of fields in rows, some ploughed in furrows.
                const int fy = FloorDiv(y, 12);
                const int fx = FloorDiv(x + NoiseField::Unit(0, fy, SeedField) % 20, 18);
                const std::uint32_t h = NoiseField::Hash(fx, fy, SeedField + 1);
                colour = (h & 1) ? Pal::FarmLight : Pal::Farm;
                if (plain)
                    break;
                if (((h >> 1) & 3) == 1 && y % 3 == 0)
                    colour = Pal::FarmDark;
                else if (((h >> 1) & 3) == 2 && (x + y) % 4 == 0)
                    colour = Pal::FarmDark;
                break;
            }
            case Terrain::Forest:
                colour = !plain && grain < 7000 ? Pal::ForestLight : Pal::Forest;
                break;
            case Terrain::Marsh:
                colour = NoiseField::Value(x, y, 30, SeedReed + 1) > 42000 ? Pal::MarshLight
                                                                           : Pal::Marsh;
                break;
            case Terrain::Sea:
            case Terrain::Lake:
                colour = !plain && grain < 1500 ? Pal::SeaLight : Pal::Sea;
                break;
            case Terrain::City:
            case Terrain::MajorCity: {
                // A red ring just inside the hex, then houses in blocks between streets.
                const bool major = t == Terrain::MajorCity;
                colour = Pal::CityGround;
                if (!HexGrid::HoldsPixel(c, x, y, 2))
                    break;
                if (!HexGrid::HoldsPixel(c, x, y, major ? 7 : 5)) {
                    colour = Pal::CityRing;
                    break;
                }
                if (plain || !HexGrid::HoldsPixel(c, x, y, major ? 10 : 8))
                    break;
                const int bx = FloorDiv(x, 5), by = FloorDiv(y, 4);
                if (x - bx * 5 < 4 && y - by * 4 < 3) {
                    const int u = NoiseField::Unit(bx, by, SeedCity);
                    if (u < 36000)
                        colour = Pal::CityRoof;
                    else if (u < 50000)
                        colour = Pal::CityRoofDark;
                    else if (u < 56000)
                        colour = Pal::CityStreet;
                }
                break;
            }
            case Terrain::Margin:
                colour = Pal::Margin;
                break;
            case Terrain::OffBoard:
                colour = Pal::OffBoard;
                break;
            }
            image.Set(x, y, colour);
        }
    }
}

void MapPainter::PaintSymbols(IndexedImage& image) const {
    // Stamps a small symbol only where all of it lies inside the hex, clear of the edges and
    // of the label, so no symbol is cut by a hex side.
    auto stamp = [&](Cell c, int x, int y, std::initializer_list<std::string_view> rows,
                     std::string_view keys, std::initializer_list<std::uint8_t> colours) {
        const int w = int(rows.begin()->size()), h = int(rows.size());
        const Box label = LabelBox(c);
        for (int j = -1; j <= h; ++j)
            for (int i = -1; i <= w; ++i)
                if (!HexGrid::HoldsPixel(c, x + i, y + j, 3) || label.Holds(x + i, y + j))
                    return;
        image.Sprite(x, y, rows, keys, colours);
    };
    // Visits the points of a staggered lattice near a hex, each nudged by up to jitter pixels.
    auto lattice = [](Cell c, int dx, int dy, int jitter, std::uint32_t seed, auto visit) {
        const Point o = HexGrid::Origin(c);
        // The hex spans from its left corner to its right corner, and its body's height.
        const int left = o.X - MapBoard::SideWidth;
        const int right = o.X + MapBoard::BodyWidth + MapBoard::SideWidth;
        for (int gy = FloorDiv(o.Y - dy, dy); gy <= FloorDiv(o.Y + MapBoard::BodyHeight, dy);
             ++gy) {
            const int shift = (gy % 2 != 0) ? dx / 2 : 0;
            for (int gx = FloorDiv(left - dx, dx); gx <= FloorDiv(right, dx); ++gx) {
                const std::uint32_t h = NoiseField::Hash(gx, gy, seed);
                const int jx = int(h % std::uint32_t(2 * jitter + 1)) - jitter;
                const int jy = int((h >> 8) % std::uint32_t(2 * jitter + 1)) - jitter;
                visit(gx * dx + shift + jx, gy * dy + jy, h >> 16);
            }
        }
    };

    ForEachCell([&](Cell c) {
        switch (TerrainOf(c)) {
        case Terrain::Forest:
            lattice(c, 7, 7, 1, SeedTree, [&](int x, int y, std::uint32_t h) {
                if (h % 4 == 0)
                    stamp(
                        c, x, y, {"..#..", ".#ad.", ".aad.", "aaadd", "..t.."}, "adt#",
                        {Pal::ForestTree, Pal::ForestTreeDark, Pal::ForestTrunk, Pal::ForestTree});
                else
                    stamp(c, x, y, {".aa.", "aaad", "aadd", ".dd.", ".t.."}, "adt",
                          {Pal::ForestTree, Pal::ForestTreeDark, Pal::ForestTrunk});
            });
            break;
        case Terrain::Marsh:
            lattice(c, 12, 6, 1, SeedReed, [&](int x, int y, std::uint32_t) {
                stamp(c, x, y, {"...#.#...", "..#.#.#..", "ww#####ww"}, "#w",
                      {Pal::MarshReed, Pal::MarshWater});
            });
            break;
        case Terrain::Sea:
            lattice(c, 13, 9, 2, SeedWave, [&](int x, int y, std::uint32_t h) {
                if (h % 3 != 0)
                    stamp(c, x, y, {"#...#", ".###."}, "#", {Pal::SeaWave});
            });
            break;
        default:
            break;
        }
    });
}

void MapPainter::PaintGrid(IndexedImage& image) const {
    // Each side is drawn once, from the cell on its left or upper side, so a side and its
    // reverse never both land on the picture.
    auto sideColour = [&](Terrain a, Terrain b) -> std::uint8_t {
        if (a == Terrain::OffBoard || b == Terrain::OffBoard)
            return IsBoardTerrain(a) || IsBoardTerrain(b) ? Pal::Divider : Pal::OffBoardLine;
        if (!IsBoardTerrain(a) && !IsBoardTerrain(b))
            return Pal::MarginLine;
        if (!IsBoardTerrain(a) || !IsBoardTerrain(b))
            return IsWater(a) || IsWater(b) ? Pal::SeaLine : Pal::HexLine;
        if (IsWater(a) && IsWater(b))
            return Pal::SeaLine;
        if (IsWater(a) || IsWater(b))
            return Pal::Coast;
        return Pal::HexLine;
    };
    ForEachCell([&](Cell c) {
        const auto k = HexGrid::Corners(c);
        for (int side = 0; side < 3; ++side) {
            const Point& a = k[std::size_t(side)];
            const Point& b = k[std::size_t(side + 1)];
            image.Line(a.X, a.Y, b.X, b.Y,
                       sideColour(TerrainOf(c), TerrainOf(AcrossSide(c, side))));
        }
    });
}

void MapPainter::PaintRivers(IndexedImage& image) const {
    for (const auto& path : RiverPaths)
        for (std::size_t i = 1; i < path.size(); ++i)
            image.ThickLine(path[i - 1].X, path[i - 1].Y, path[i].X, path[i].Y, Pal::River);
}

void MapPainter::PaintBoardEdge(IndexedImage& image) const {
    // The east edge of the board: a heavy dark line along the sides between the last board
    // column and the holding area, with a light line just inside the holding area. Drawn
    // before the grid, so the hex sides stay whole where the light line crosses them.
    const int last = MapBoard::BoardColumns - 1;
    for (int row = -1; row <= MapBoard::Rows; ++row) {
        const auto k = HexGrid::Corners({last, row});
        image.Line(k[1].X + 3, k[1].Y, k[2].X + 3, k[2].Y, Pal::DividerLight);
        image.Line(k[2].X + 3, k[2].Y, k[3].X + 3, k[3].Y, Pal::DividerLight);
        image.ThickLine(k[1].X, k[1].Y, k[2].X, k[2].Y, Pal::Divider);
        image.ThickLine(k[2].X, k[2].Y, k[3].X, k[3].Y, Pal::Divider);
    }
}

void MapPainter::PaintLabels(IndexedImage& image) const {
    for (int column = 0; column < MapBoard::BoardColumns; ++column) {
        for (int row = 0; row < MapBoard::Rows; ++row) {
            const Cell c{column, row};
            const Box box = LabelBox(c);
            PixelFont::Tiny().Draw(image, box.X0 + 1, box.Y0 + 1, HexLabel(c),
                                   IsWater(TerrainOf(c)) ? Pal::SeaLabel : Pal::HexLabel);
        }
    }
}
