#pragma once

#include "CounterRecord.h"
#include "ParsedUnitFile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/**
 * The unit file (".kvk"): where every one of the 220 units stands. Exactly 220 records of
 * 8 bytes in unit index order, no header: a position word (current hex + 10000 x mark) and the
 * start hex, both signed 32-bit little-endian. Reading checks the whole file before anything
 * is built from it: its size, every hex (0..1919) and every mark (0..3).
 */
class UnitFile {
public:
    static constexpr int Units = 220;
    static constexpr std::size_t RecordSize = 8;
    static constexpr std::size_t Size = Units * RecordSize;
    static constexpr int MarkFactor = 10000;
    static constexpr int HexCount = 1920;
    static constexpr int MaxMark = 3;

    using Records = std::array<CounterRecord, Units>;

    /** The first word of a record: hex 1234 with mark 2 is 21234. */
    static constexpr std::int32_t PositionWord(int hexIndex, int mark) {
        return std::int32_t(hexIndex + MarkFactor * mark);
    }
    /** The whole file for these records; always Size bytes. */
    static std::string Serialize(const Records& records);
    /** Reads a whole unit file; never throws for any bytes. */
    static ParsedUnitFile Parse(std::string_view bytes);
    /** Reads and checks the unit file of that name, never more than one byte past its size. */
    static ParsedUnitFile ReadFile(const std::string& fileName);
};
