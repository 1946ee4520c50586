#include "CombatFile.h"

#include "LittleEndianReader.h"
#include "LittleEndianWriter.h"
#include "TFileWriter.h"
#include "Tagger.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

namespace {

// The part of a text that goes into the file: up to the first zero byte, at most the longest
// text a reader keeps.
std::string_view FileText(const std::string& text) {
    std::string_view t(text);
    t = t.substr(0, std::min(t.find('\0'), t.size()));
    return t.substr(0, std::size_t(CombatFile::MaxTextLength));
}

ParsedCombatFile Fail(ParsedCombatFile::FaultKind fault, std::string reason) {
    ParsedCombatFile result;
    result.Fault = fault;
    result.Reason = std::move(reason);
    return result;
}

std::string Where(std::size_t record) {
    return "record " + std::to_string(record + 1) + ": ";
}

} // namespace

void CombatFile::WriteData(LittleEndianWriter& out, const CombatStruct& data) {
    const std::array<std::string_view, 3> texts = {FileText(data.Odds), FileText(data.DieRoll),
                                                   FileText(data.Comments)};
    for (std::string_view t : texts)
        out.WriteInt32(std::int32_t(t.size()));
    for (std::string_view t : texts) {
        if (t.empty())
            continue;
        out.WriteBytes(t);
        out.WriteZero();
    }
    out.WriteInt32(data.HexIndex);
}

void CombatFile::WriteRecord(LittleEndianWriter& out, const CombatStruct& data,
                             const Tagger& marker) {
    WriteData(out, data);
    marker.Write(out);
}

void CombatFile::WriteRecord(LittleEndianWriter& out, const CombatRecord& record) {
    WriteData(out, record.Data);
    out.WriteInt32(record.MarkerPosition.x);
    out.WriteInt32(record.MarkerPosition.y);
    out.WriteInt32(record.MarkerImage);
}

std::string CombatFile::Serialize(const std::vector<CombatRecord>& records) {
    std::string bytes;
    LittleEndianWriter out(bytes);
    out.WriteInt32(std::int32_t(std::min<std::size_t>(
        records.size(), std::size_t(std::numeric_limits<std::int32_t>::max()))));
    for (const CombatRecord& r : records)
        WriteRecord(out, r);
    return bytes;
}

ParsedCombatFile CombatFile::Parse(std::string_view bytes) {
    using Fault = ParsedCombatFile::FaultKind;
    LittleEndianReader in(bytes);

    std::int32_t count = 0;
    if (!in.ReadInt32(count))
        return Fail(Fault::Truncated, "the file is too short to hold the combat count");
    if (count < 0)
        return Fail(Fault::NegativeCount, "negative combat count " + std::to_string(count));
    // Checked before anything is reserved, so a wild count never allocates.
    if (count > MaxCombats)
        return Fail(Fault::CountTooLarge, std::to_string(count) +
                                              " combats are more than a turn has (at most " +
                                              std::to_string(MaxCombats) + ")");
    if (std::size_t(count) > in.Remaining() / MinRecordSize)
        return Fail(Fault::CountTooLarge, std::to_string(count) + " combats cannot fit in " +
                                              std::to_string(in.Remaining()) + " bytes");

    static constexpr std::array<const char*, 3> TextNames = {"odds", "die roll", "comment"};
    ParsedCombatFile result;
    result.Records.reserve(std::size_t(count));
    for (std::size_t i = 0; i < std::size_t(count); ++i) {
        std::array<std::int32_t, 3> lengths{};
        for (std::int32_t& length : lengths)
            if (!in.ReadInt32(length))
                return Fail(Fault::Truncated, Where(i) + "the file ends in the text lengths");
        for (std::size_t t = 0; t < lengths.size(); ++t)
            if (lengths[t] < 0 || lengths[t] > MaxTextLength)
                return Fail(Fault::BadTextLength,
                            Where(i) + TextNames[t] + " text length " + std::to_string(lengths[t]) +
                                " is outside 0.." + std::to_string(MaxTextLength));

        CombatRecord record;
        std::array<std::string*, 3> texts = {&record.Data.Odds, &record.Data.DieRoll,
                                             &record.Data.Comments};
        for (std::size_t t = 0; t < texts.size(); ++t) {
            if (lengths[t] == 0)
                continue;
            // The text and its terminator; the text ends at the first zero byte, and the byte
            // in the terminator's place is never part of it.
            std::string raw;
            if (!in.ReadBytes(std::size_t(lengths[t]) + 1, raw))
                return Fail(Fault::Truncated,
                            Where(i) + "the file ends in the " + TextNames[t] + " text");
            raw.resize(std::min(raw.find('\0'), std::size_t(lengths[t])));
            *texts[t] = std::move(raw);
        }

        std::int32_t x = 0, y = 0, image = 0;
        if (!in.ReadInt32(record.Data.HexIndex) || !in.ReadInt32(x) || !in.ReadInt32(y) ||
            !in.ReadInt32(image))
            return Fail(Fault::Truncated, Where(i) + "the file ends in the hex or marker");
        if (!Tagger::IsMarkerImage(image))
            return Fail(Fault::BadMarkerImage, Where(i) + "marker picture " +
                                                   std::to_string(image) + " is no combat marker");
        record.MarkerPosition = TPoint(x, y);
        record.MarkerImage = image;
        result.Records.push_back(std::move(record));
    }
    return result;
}

ParsedCombatFile CombatFile::ReadFile(const std::string& fileName) {
    std::string bytes, why;
    if (!TFileWriter::ReadAll(fileName, bytes, &why, MaxFileSize))
        return Fail(ParsedCombatFile::FaultKind::Unreadable, why);
    if (bytes.size() > MaxFileSize)
        bytes.resize(MaxFileSize);
    return Parse(bytes);
}
