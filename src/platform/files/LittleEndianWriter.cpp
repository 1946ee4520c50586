#include "LittleEndianWriter.h"

void LittleEndianWriter::WriteUInt32(std::uint32_t value) {
    const char bytes[4] = {char(value & 0xff), char((value >> 8) & 0xff),
                           char((value >> 16) & 0xff), char((value >> 24) & 0xff)};
    Out.append(bytes, sizeof bytes);
}

void LittleEndianWriter::WriteInt32(std::int32_t value) {
    // Two's complement bit pattern, as the file format stores negative values.
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void LittleEndianWriter::WriteBytes(std::string_view bytes) {
    Out.append(bytes.data(), bytes.size());
}
