#include "UnitFile.h"

#include "LittleEndianReader.h"
#include "LittleEndianWriter.h"
#include "TFileWriter.h"

namespace {

std::string OutsideHexes(const char* what, std::int32_t hex) {
    return what + std::string(" hex ") + std::to_string(hex) + " is outside 0.." +
           std::to_string(UnitFile::HexCount - 1);
}

} // namespace

std::string UnitFile::Serialize(const Records& records) {
    std::string bytes;
    bytes.reserve(Size);
    LittleEndianWriter out(bytes);
    for (const CounterRecord& r : records) {
        // Wrapping arithmetic, so no record can overflow; the board only holds sound ones.
        out.WriteInt32(std::int32_t(std::uint32_t(r.HexIndex) +
                                    std::uint32_t(MarkFactor) * std::uint32_t(r.Mark)));
        out.WriteInt32(r.StartIndex);
    }
    return bytes;
}

ParsedUnitFile UnitFile::Parse(std::string_view bytes) {
    ParsedUnitFile result;
    if (bytes.size() != Size) {
        result.Reason = bytes.size() > Size
                            ? "it is longer than a unit file's " + std::to_string(Size) + " bytes"
                            : "it holds " + std::to_string(bytes.size()) +
                                  " bytes, where a unit file holds " + std::to_string(Size);
        return result;
    }
    LittleEndianReader in(bytes);
    for (int unit = 0; unit < Units; ++unit) {
        std::int32_t word = 0, start = 0;
        in.ReadInt32(word);
        in.ReadInt32(start);
        // The word splits by integer division, as it always has: mark = word / 10000.
        const std::int32_t mark = word / MarkFactor, hex = word % MarkFactor;
        const std::string where = "unit " + std::to_string(unit) + ": ";
        std::string fault;
        if (mark < 0 || mark > MaxMark)
            fault = "the position word " + std::to_string(word) + " gives the mark " +
                    std::to_string(mark) + ", outside 0.." + std::to_string(MaxMark);
        else if (hex < 0 || hex >= HexCount)
            fault = OutsideHexes("the current", hex);
        else if (start < 0 || start >= HexCount)
            fault = OutsideHexes("the start", start);
        if (!fault.empty()) {
            result.Reason = where + fault;
            result.Records = {};
            return result;
        }
        result.Records[std::size_t(unit)] = CounterRecord(hex, start, mark);
    }
    return result;
}

ParsedUnitFile UnitFile::ReadFile(const std::string& fileName) {
    std::string bytes, why;
    if (!TFileWriter::ReadAll(fileName, bytes, &why, Size)) {
        ParsedUnitFile unreadable;
        unreadable.Reason = why;
        unreadable.Unreadable = true;
        return unreadable;
    }
    return Parse(bytes);
}
