#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

/** The bytes of values as 32-bit little-endian integers in turn, as files hold them. */
inline std::string Le32s(std::initializer_list<std::int64_t> values) {
    std::string s;
    for (const std::int64_t v : values)
        for (int shift = 0; shift < 32; shift += 8)
            s.push_back(char(std::uint64_t(v) >> shift & 0xff));
    return s;
}
