#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

/**
 * Reads a binary game file held in memory: 32-bit little-endian values and runs of bytes, in
 * order. Every read is bounded by the bytes that are there: a read that would run past the end
 * reads nothing, returns false and marks the reader as failed, and every later read fails too,
 * so a sequence of reads can be checked once at its end. Nothing is allocated before the bytes
 * to fill it are known to be there. The reader does not copy the bytes; they must outlive it.
 */
class LittleEndianReader {
public:
    explicit LittleEndianReader(std::string_view bytes) : Bytes(bytes) {}

    bool ReadInt32(std::int32_t& value);
    bool ReadUInt32(std::uint32_t& value);
    /** Reads exactly count bytes into out (replacing its content); out is untouched on failure. */
    bool ReadBytes(std::size_t count, std::string& out);

    /** Bytes not read yet. */
    std::size_t Remaining() const { return Bytes.size() - Offset; }
    /** Bytes read so far: the offset of the next read. */
    std::size_t Position() const { return Offset; }
    /** True once a read has run past the end. */
    bool Failed() const { return HasFailed; }

private:
    bool Take(std::size_t count, std::string_view& part);

    std::string_view Bytes;
    std::size_t Offset = 0;
    bool HasFailed = false;
};
