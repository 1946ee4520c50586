#include "CaECombats.h"

#include "CombatFile.h"
#include "LittleEndianWriter.h"
#include "MapBoard.h"
#include "TApplication.h"
#include "TFileWriter.h"

#include <algorithm>

CaECombats::CaECombats(TWindow* window, HINSTANCE module, TDC* mapSurface)
    : Window(window), Instance(module), MapSurface(mapSurface) {}

// Each marker puts the map back under it as its combat goes.
CaECombats::~CaECombats() {
    DeclaredList.clear();
    ReceivedList.clear();
}

std::unique_ptr<CombatList> CaECombats::Make(TWindow* window, HINSTANCE module, TDC* surface) {
    return std::make_unique<CaECombats>(window, module, surface);
}

TPoint CaECombats::NextMarkerPosition(int hexIndex) const {
    const TPoint origin = MapBoard::HexOrigin(hexIndex);
    const int x = origin.x <= 0 ? 25 : origin.x - 9;
    const auto earlier =
        std::count_if(DeclaredList.begin(), DeclaredList.end(),
                      [hexIndex](const auto& c) { return c->Data.HexIndex == hexIndex; });
    return {x, origin.y + 6 + 9 * int(earlier)};
}

void CaECombats::Declare(TDC& screen, const TPoint& scroll, int hexIndex) {
    auto combat = std::make_unique<CaECombat>(hexIndex, NextMarkerPosition(hexIndex), *MapSurface,
                                              Instance, Window);
    combat->ShowMarker(screen, scroll);
    DeclaredList.push_front(std::move(combat));
}

void CaECombats::ShowAll(TDC& screen, const TPoint& scroll) {
    for (auto& c : DeclaredList)
        c->ShowMarker(screen, scroll);
    for (auto& c : ReceivedList)
        c->ShowMarker(screen, scroll);
}

void CaECombats::ClearAll(TDC& screen, const TPoint& scroll) {
    for (auto& c : DeclaredList)
        c->HideMarker(screen, scroll);
    for (auto& c : ReceivedList)
        c->HideMarker(screen, scroll);
}

void CaECombats::ShowResults(int hexIndex) {
    for (auto& c : DeclaredList)
        c->ShowResult(Window, hexIndex);
    for (auto& c : ReceivedList)
        c->ShowResult(Window, hexIndex);
}

void CaECombats::ReadFile(const std::string& fileName) {
    std::string bytes;
    if (!TFileWriter::Exists(fileName) || !TFileWriter::ReadAll(fileName, bytes))
        return;
    // The whole file is checked before anything is built from it.
    const ParsedCombatFile parsed = CombatFile::Parse(bytes);
    if (!parsed.Ok()) {
        const std::string text = "The combats of the file\n" + fileName +
                                 "\ncould not be read: the file is damaged (" + parsed.Reason +
                                 ").\nThe turn is shown without them.";
        TApplication::MessageBox(Window, text.c_str(), "Damaged Combat File",
                                 MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ReceivedList.clear();
    DeclaredList.clear();
    for (const CombatRecord& record : parsed.Records) {
        auto combat = std::make_unique<CaECombat>(*MapSurface, Instance);
        combat->Data = record.Data;
        combat->Marker->Read(record.MarkerPosition.x, record.MarkerPosition.y, record.MarkerImage);
        ReceivedList.push_back(std::move(combat));
    }
}

std::string CaECombats::FileBytes() const {
    std::string bytes;
    LittleEndianWriter out(bytes);
    // A combat without a marker has no die roll and no place on the map: it is not passed on.
    const auto resolved = std::count_if(DeclaredList.begin(), DeclaredList.end(),
                                        [](const auto& c) { return c->Marker != nullptr; });
    out.WriteInt32(std::int32_t(resolved));
    for (const auto& c : DeclaredList)
        if (c->Marker)
            CombatFile::WriteRecord(out, c->Data, *c->Marker);
    return bytes;
}

bool CaECombats::WriteFile(const std::string& fileName) {
    return TFileWriter::WriteAll(fileName, FileBytes());
}
