#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/**
 * Builds the bytes of a binary game file: appends 32-bit values in little-endian byte order
 * and raw bytes to a byte string that the caller owns. Values are always written one by one,
 * so the file's layout never depends on how the compiler lays out a structure.
 */
class LittleEndianWriter {
public:
    /** Appends to out, which must outlive the writer. */
    explicit LittleEndianWriter(std::string& out) : Out(out) {}

    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteBytes(std::string_view bytes);
    /** Appends one zero byte: the terminator after a text. */
    void WriteZero() { Out.push_back('\0'); }

    /** How many bytes the target string holds now. */
    std::size_t Size() const { return Out.size(); }

private:
    std::string& Out;
};
