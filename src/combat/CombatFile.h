#pragma once

#include "CombatRecord.h"
#include "CombatStruct.h"
#include "ParsedCombatFile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class LittleEndianWriter;
class Tagger;

/**
 * The combat file (".cbt") that passes one turn's combats to the opponent. Little-endian,
 * no padding: a signed 32-bit count N, then N records. A record holds the three text lengths
 * (terminator excluded), each non-empty text followed by one zero byte, the attacked hex, and
 * the marker's x, y and picture id, all signed 32-bit.
 *
 * Reading checks the whole file before anything is built from it: negative or over-long text
 * lengths, a count the file's bytes cannot hold or over MaxCombats, a file ending inside a
 * record and marker
 * picture ids that name no marker picture make the file corrupt. Bytes after the last record
 * are ignored, as the count says where the combats end.
 */
class CombatFile {
public:
    /** The longest text a reader keeps (an 84-byte buffer with its terminator). */
    static constexpr int MaxTextLength = 83;
    /** The size of a record whose three texts are empty. */
    static constexpr std::size_t MinRecordSize = 28;
    /** The size of a record whose three texts are as long as a reader keeps them. */
    static constexpr std::size_t MaxRecordSize = MinRecordSize + 3 * (MaxTextLength + 1);
    /**
     * The most combats a file may hold: far more than a turn of 220 units can declare, and few
     * enough that no file is read past the size of the largest one.
     */
    static constexpr int MaxCombats = 10000;
    /** The largest combat file: its count and MaxCombats records of the largest size. */
    static constexpr std::size_t MaxFileSize = 4 + std::size_t(MaxCombats) * MaxRecordSize;

    /**
     * The combat's part of a record: lengths, texts and hex. A text is written up to its first
     * zero byte and at most MaxTextLength bytes long, so that every file written here reads
     * back with the same texts.
     */
    static void WriteData(LittleEndianWriter& out, const CombatStruct& data);
    /** One whole record: the combat's part, then the marker's part. */
    static void WriteRecord(LittleEndianWriter& out, const CombatStruct& data,
                            const Tagger& marker);
    static void WriteRecord(LittleEndianWriter& out, const CombatRecord& record);
    /** A whole combat file holding these records in this order. */
    static std::string Serialize(const std::vector<CombatRecord>& records);

    /** Reads a whole combat file; never throws for any bytes. */
    static ParsedCombatFile Parse(std::string_view bytes);
    /**
     * Reads and checks the combat file of that name. No more than MaxFileSize bytes are read:
     * every record of a sound file lies within them, and what follows the last is ignored.
     */
    static ParsedCombatFile ReadFile(const std::string& fileName);
};
