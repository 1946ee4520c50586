#include "LittleEndianReader.h"

bool LittleEndianReader::Take(std::size_t count, std::string_view& part) {
    if (HasFailed || count > Remaining()) {
        HasFailed = true;
        return false;
    }
    part = Bytes.substr(Offset, count);
    Offset += count;
    return true;
}

bool LittleEndianReader::ReadUInt32(std::uint32_t& value) {
    std::string_view b;
    if (!Take(4, b))
        return false;
    value = std::uint32_t(std::uint8_t(b[0])) | std::uint32_t(std::uint8_t(b[1])) << 8 |
            std::uint32_t(std::uint8_t(b[2])) << 16 | std::uint32_t(std::uint8_t(b[3])) << 24;
    return true;
}

bool LittleEndianReader::ReadInt32(std::int32_t& value) {
    std::uint32_t raw = 0;
    if (!ReadUInt32(raw))
        return false;
    // The bit pattern is two's complement; the conversion is exact in C++20.
    value = static_cast<std::int32_t>(raw);
    return true;
}

bool LittleEndianReader::ReadBytes(std::size_t count, std::string& out) {
    std::string_view b;
    if (!Take(count, b))
        return false;
    out.assign(b.data(), b.size());
    return true;
}
