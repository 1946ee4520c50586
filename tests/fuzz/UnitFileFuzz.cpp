// Fuzz target of the unit file reader. Any bytes: the reader never crashes; a file it accepts
// holds only records the board can place and writes back to exactly the same bytes; a file it
// refuses says why and yields no records at all.
#include "FuzzRequire.h"
#include "UnitFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ParsedUnitFile parsed = UnitFile::Parse(bytes);
    FuzzRequire(!parsed.Unreadable, "bytes in memory are never unreadable");
    if (!parsed.Ok()) {
        FuzzRequire(parsed.Records == UnitFile::Records{}, "a refused file yields no records");
        return 0;
    }
    FuzzRequire(bytes.size() == UnitFile::Size, "a sound file has the unit file's size");
    for (const CounterRecord& r : parsed.Records) {
        FuzzRequire(r.HexIndex >= 0 && r.HexIndex < UnitFile::HexCount, "current hex on the map");
        FuzzRequire(r.StartIndex >= 0 && r.StartIndex < UnitFile::HexCount, "start hex on the map");
        FuzzRequire(r.Mark >= 0 && r.Mark <= UnitFile::MaxMark, "mark in range");
    }
    FuzzRequire(UnitFile::Serialize(parsed.Records) == bytes,
                "a sound file writes back to the same bytes");
    return 0;
}
