// Fuzz target of the combat file reader. Any bytes: the reader never crashes; a file it
// refuses names a fault, says why and yields no records; a file it accepts writes back to the
// bytes it was read from, up to the bytes after its last record.
#include "CombatFile.h"
#include "FuzzRequire.h"
#include "LittleEndianReader.h"
#include "Tagger.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// True when every text of the file, as the count and lengths lay it out, is what a writer
// makes: no zero byte among its declared bytes and a zero byte as its terminator. A reader
// keeps a text up to its first zero and ignores the terminator's byte, so only such a file
// writes back byte for byte; the file has been accepted, so every read here succeeds.
bool TextsAsWritten(std::string_view bytes) {
    LittleEndianReader in(bytes);
    std::int32_t count = 0;
    in.ReadInt32(count);
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t lengths[3] = {};
        for (std::int32_t& length : lengths)
            in.ReadInt32(length);
        for (std::int32_t length : lengths) {
            if (length == 0)
                continue;
            std::string text;
            in.ReadBytes(std::size_t(length) + 1, text);
            if (text.find('\0') != std::size_t(length))
                return false;
        }
        std::string hexAndMarker;
        in.ReadBytes(16, hexAndMarker);
    }
    FuzzRequire(!in.Failed(), "an accepted file holds every record it counts");
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Fault = ParsedCombatFile::FaultKind;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ParsedCombatFile parsed = CombatFile::Parse(bytes);
    if (!parsed.Ok()) {
        FuzzRequire(parsed.Fault != Fault::Unreadable, "bytes in memory are never unreadable");
        FuzzRequire(!parsed.Reason.empty(), "a refused file says why");
        FuzzRequire(parsed.Records.empty(), "a refused file yields no records");
        return 0;
    }
    FuzzRequire(parsed.Reason.empty(), "an accepted file has no fault to tell");
    for (const CombatRecord& r : parsed.Records) {
        FuzzRequire(Tagger::IsMarkerImage(r.MarkerImage), "every marker picture is a marker");
        for (const std::string* text : {&r.Data.Odds, &r.Data.DieRoll, &r.Data.Comments})
            FuzzRequire(text->size() <= std::size_t(CombatFile::MaxTextLength) &&
                            text->find('\0') == std::string::npos,
                        "texts are kept up to their first zero, at most the longest length");
    }

    const std::string again = CombatFile::Serialize(parsed.Records);
    FuzzRequire(again.size() <= bytes.size(), "writing never adds bytes");
    if (TextsAsWritten(bytes))
        FuzzRequire(bytes.substr(0, again.size()) == again,
                    "an accepted file writes back to its bytes up to the trailing ones");
    // Whatever the file held, what is written reads back to the same records.
    const ParsedCombatFile reread = CombatFile::Parse(again);
    FuzzRequire(reread.Ok() && reread.Records == parsed.Records,
                "a written file reads back to the same records");
    return 0;
}
