#pragma once

#include <cstdint>

/** Where one unit stands, as the unit file keeps it: current hex, start hex and mark. */
class CounterRecord {
public:
    CounterRecord() = default;
    CounterRecord(int hexIndex, int startIndex, int mark)
        : HexIndex(hexIndex), StartIndex(startIndex), Mark(mark) {}

    void Clear() { HexIndex = StartIndex = Mark = 0; }
    bool operator==(const CounterRecord&) const = default;

    std::int32_t HexIndex = 0;
    std::int32_t StartIndex = 0;
    std::int32_t Mark = 0;
};
