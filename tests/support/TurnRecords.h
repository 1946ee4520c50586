#pragma once

#include "CounterRecord.h"
#include "Hexes.h"
#include "UnitFile.h"

#include <string>
#include <vector>

/**
 * Unit files made by hand for tests: every unit off the map (on Hexes::OffBoard, not moved,
 * unmarked) except the units placed.
 */
namespace TurnRecords {

struct Placement {
    int Unit, Hex, Start, Mark = 0;
};

inline UnitFile::Records OffMapExcept(const std::vector<Placement>& placements) {
    UnitFile::Records records;
    records.fill(CounterRecord(Hexes::OffBoard, Hexes::OffBoard, 0));
    for (const Placement& p : placements)
        records[std::size_t(p.Unit)] = CounterRecord(p.Hex, p.Start, p.Mark);
    return records;
}

/** The bytes of such a unit file. */
inline std::string Bytes(const std::vector<Placement>& placements) {
    return UnitFile::Serialize(OffMapExcept(placements));
}

} // namespace TurnRecords
