#pragma once

#include "HexGrid.h"
#include "IndexedImage.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <vector>

/**
 * Draws the game map: the board (the grid's first MapBoard::BoardColumns columns) with its
 * terrain (steppe, farmland, forest, marsh, sea, lakes and cities), rivers along hex sides, the
 * hex grid and a small label in each board hex, and beside it the off-board holding area. The
 * terrain is laid out once from a fixed plan (seas, lakes, cities) and deterministic noise
 * (forest and marsh), so every run draws the same map.
 */
class MapPainter {
public:
    enum class Terrain : std::uint8_t {
        Steppe,
        Farmland,
        Forest,
        Marsh,
        Sea,
        Lake,
        City,
        MajorCity,
        Margin,  // partial hexes at the picture's edge beside the board
        OffBoard // the holding area, and the partial hexes beside it
    };

    /** How a river ends: in the sea, joining an earlier river, or leaving the board. */
    enum class RiverEnd : std::uint8_t { Sea, Join, Edge };
    /** The hexes a river passes, from its source on. */
    struct RiverPlan {
        std::initializer_list<HexGrid::Cell> Waypoints;
        RiverEnd End;
    };

    MapPainter();

    /** The terrain of any cell, including the partial cells around the grid. */
    Terrain TerrainOf(HexGrid::Cell c) const;

    IndexedImage Paint() const;

private:
    using Point = HexGrid::Point;
    using Cell = HexGrid::Cell;

    void LayOutTerrain();
    void LayOutRivers();
    void BuildCornerGraph();
    std::vector<Point> WalkRiver(const RiverPlan& plan, std::uint32_t seed) const;

    void PaintGround(IndexedImage& image, const std::vector<std::int16_t>& cellOf) const;
    void PaintSymbols(IndexedImage& image) const;
    void PaintGrid(IndexedImage& image) const;
    void PaintRivers(IndexedImage& image) const;
    void PaintBoardEdge(IndexedImage& image) const;
    void PaintLabels(IndexedImage& image) const;

    std::vector<Terrain> BoardTerrain; // by hex index, board columns only
    std::map<Point, std::vector<Point>> CornerNeighbours;
    std::map<Point, std::vector<Cell>> CornerCells;
    std::vector<std::vector<Point>> RiverPaths; // hex corners from source to mouth
};
