#pragma once

#include "CounterRecord.h"
#include "Hexes.h"

#include <array>
#include <string>
#include <vector>

#if __has_include("UnitFile.h") // a test that reads unit files has their writer too
#include "UnitFile.h"
#define KVK_TURN_RECORDS_BYTES 1
#endif

/**
 * Unit files made by hand for tests: every unit off the map (on Hexes::OffBoard, not moved,
 * unmarked) except the units placed.
 */
namespace TurnRecords {

struct Placement {
    int Unit, Hex, Start, Mark = 0;
};

using Records = std::array<CounterRecord, 220>;

inline Records OffMapExcept(const std::vector<Placement>& placements) {
    Records records;
    records.fill(CounterRecord(Hexes::OffBoard, Hexes::OffBoard, 0));
    for (const Placement& p : placements)
        records[std::size_t(p.Unit)] = CounterRecord(p.Hex, p.Start, p.Mark);
    return records;
}

#ifdef KVK_TURN_RECORDS_BYTES
/** The bytes of such a unit file. */
inline std::string Bytes(const std::vector<Placement>& placements) {
    return UnitFile::Serialize(OffMapExcept(placements));
}
#endif

} // namespace TurnRecords
