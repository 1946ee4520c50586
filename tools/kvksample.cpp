// Usage: kvksample <repository root> -- writes data/sample/opening.kvk, .cbt and .txt, always
// the same bytes.
//
// The sample turn: the opening position of a game on the bundled map, nothing moved yet and no
// combat declared. The two fronts face each other across a one-hex border from the Baltic to
// the southern sea: the Axis infantry in the west, with its armour, mountain troops and
// headquarters three hexes behind, and the Soviet infantry to the east, with the reserves,
// guards and armies four to six hexes behind. The border bulges west in the middle of the map
// and swings east in the south. Stukas, partisans and rail counters wait in the off-board
// holding area. A hex of sea or lake in a line gives way to land up to two hexes east of it;
// where there is none, the line leaves that row out.

#include "HexGrid.h"
#include "MapPainter.h"
#include "MovementReport.h"
#include "UnitFile.h"
#include "UnitRoster.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Terrain = MapPainter::Terrain;

bool Contains(std::string_view label, std::string_view word) {
    return label.find(word) != std::string_view::npos;
}

// Units that wait off the map at the start: air support, partisans and the rail counters.
bool StartsOffBoard(int unit) {
    const std::string_view label = UnitRoster::Label(unit);
    return label == "Stuka" || label == "Partisan" || label == "Rail";
}

// Armour, motorised and mountain troops, cavalry, guards, armies, headquarters, leaders and
// garrisons stand in the second line; the plain infantry holds the front.
bool SecondLine(int unit) {
    const std::string_view label = UnitRoster::Label(unit);
    for (std::string_view word : {"Pz", "Mt", "Gd", " A", "HQ", "C", "W", "Res", "(1-0)", "Stavka"})
        if (Contains(label, word))
            return !Contains(label, " Inf") || Contains(label, "Gd");
    return false;
}

class Placer {
public:
    explicit Placer(const MapPainter& map) : Map(map) {}

    // The land hexes from firstRow to lastRow of a line that stands offset columns east of
    // the border, each moved east past water.
    std::vector<int> Line(int offset, int firstRow, int lastRow) const {
        std::vector<int> hexes;
        for (int row = firstRow; row <= lastRow; ++row) {
            HexGrid::Cell c{Border(row) + offset, row};
            const int column = c.Column;
            while (c.Column < column + 3 &&
                   (Map.TerrainOf(c) == Terrain::Sea || Map.TerrainOf(c) == Terrain::Lake))
                ++c.Column;
            if (Map.TerrainOf(c) != Terrain::Sea && Map.TerrainOf(c) != Terrain::Lake)
                hexes.push_back(HexGrid::Index(c));
        }
        return hexes;
    }

    // Spreads the units evenly along the line, in unit order from north to south.
    static void Spread(const std::vector<int>& units, const std::vector<int>& line,
                       UnitFile::Records& records) {
        for (std::size_t i = 0; i < units.size(); ++i) {
            const int hex = line[i * line.size() / units.size()];
            records[std::size_t(units[i])] = CounterRecord(hex, hex, 0);
        }
    }

private:
    // The column of the Axis front in each row.
    static int Border(int row) {
        if (row >= 9 && row <= 15)
            return 8 - (row == 9 || row == 15 ? 0 : 1); // the salient of the Soviet front
        if (row >= 20)
            return 9 + (row - 20) / 3;
        return 9;
    }

    const MapPainter& Map;
};

UnitFile::Records OpeningPosition() {
    const MapPainter map;
    const Placer placer(map);
    std::vector<int> axisFront, axisSecond, sovietFront, sovietSecond, offBoard;
    for (int unit = 0; unit < UnitRoster::Units; ++unit) {
        const bool soviet = unit <= UnitRoster::LastSoviet;
        if (StartsOffBoard(unit))
            offBoard.push_back(unit);
        else if (SecondLine(unit))
            (soviet ? sovietSecond : axisSecond).push_back(unit);
        else
            (soviet ? sovietFront : axisFront).push_back(unit);
    }
    UnitFile::Records records;
    Placer::Spread(axisFront, placer.Line(0, 2, 29), records);
    Placer::Spread(axisSecond, placer.Line(-3, 4, 28), records);
    Placer::Spread(sovietFront, placer.Line(2, 2, 29), records);
    Placer::Spread(sovietSecond, placer.Line(6, 3, 27), records);
    // The holding area: each kind in a hex of its own down column 46 (AT), the rail counters
    // three to a hex.
    int row = 1, inHex = 0;
    std::string_view kind;
    for (const int unit : offBoard) {
        const std::string_view label = UnitRoster::Label(unit);
        if (!kind.empty() && (label != kind || inHex == 3)) {
            ++row;
            inHex = 0;
        }
        kind = label;
        ++inHex;
        const int hex = HexGrid::Index({46, row});
        records[std::size_t(unit)] = CounterRecord(hex, hex, 0);
    }
    return records;
}

void WriteFile(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <repository root>\n", argc > 0 ? argv[0] : "kvksample");
        return 2;
    }
    try {
        const fs::path folder = fs::path(argv[1]) / "data" / "sample";
        fs::create_directories(folder);
        const UnitFile::Records records = OpeningPosition();
        WriteFile(folder / "opening.kvk", UnitFile::Serialize(records));
        WriteFile(folder / "opening.cbt", std::string(4, '\0')); // a count of no combats
        WriteFile(folder / "opening.txt", MovementReport::Text(records));
        std::printf("wrote the sample turn to %s\n", folder.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kvksample: %s\n", e.what());
        return 1;
    }
    return 0;
}
