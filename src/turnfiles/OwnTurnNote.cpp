#include "OwnTurnNote.h"

#include "CompanionFileName.h"
#include "TFileWriter.h"

#include <algorithm>
#include <cstdint>

#include <unistd.h>

namespace {

// FNV-1a, 64 bits: enough to tell files apart that are not made to collide.
std::uint64_t Fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= std::uint8_t(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Describe(const char* what, std::string_view bytes) {
    return std::string(what) + " " + std::to_string(bytes.size()) + " " +
           std::to_string(Fingerprint(bytes)) + "\n";
}

std::string Writer() {
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0)
        host[0] = '\0';
    return "by " + std::to_string(::getuid()) + "@" + host + "\n";
}

} // namespace

std::string OwnTurnNote::FileName(const std::string& unitFileName) {
    return HiddenCompanionFileName(unitFileName, Suffix);
}

std::string OwnTurnNote::Text(std::string_view unitBytes, std::string_view combatBytes) {
    return "kurvask own turn 1\n" + Describe("units", unitBytes) +
           Describe("combats", combatBytes) + Writer();
}

bool OwnTurnNote::Vouches(const std::string& unitFileName, const std::string& combatFileName) {
    std::string note;
    // A note is a few short lines; anything longer is not one.
    if (!TFileWriter::ReadAll(FileName(unitFileName), note, nullptr, 1024))
        return false;
    // Each file is read no further than one byte past the size the note gives it: a longer
    // one cannot match.
    const auto sizeOf = [&note](std::string_view what) -> std::size_t {
        const std::size_t at = note.find("\n" + std::string(what) + " ");
        if (at == std::string::npos)
            return 0;
        std::size_t size = 0;
        for (std::size_t i = at + what.size() + 2;
             i < note.size() && note[i] >= '0' && note[i] <= '9' && size < MaxFileSize; ++i)
            size = size * 10 + std::size_t(note[i] - '0');
        return std::min(size, MaxFileSize);
    };
    std::string units, combats;
    if (!TFileWriter::ReadAll(unitFileName, units, nullptr, sizeOf("units")) ||
        !TFileWriter::ReadAll(combatFileName, combats, nullptr, sizeOf("combats")))
        return false;
    return note == Text(units, combats);
}
