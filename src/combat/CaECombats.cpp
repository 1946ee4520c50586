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
    DeleteAll();
}

std::vector<Combat*> CaECombats::StampedNewestFirst() const {
    std::vector<Combat*> stamped;
    for (const auto* list : {&DeclaredList, &ReceivedList})
        for (const auto& c : *list)
            if (c->Marker && c->Marker->IsStamped())
                stamped.push_back(c.get());
    std::sort(stamped.begin(), stamped.end(), [](const Combat* a, const Combat* b) {
        return a->Marker->StampOrder() > b->Marker->StampOrder();
    });
    return stamped;
}

void CaECombats::DeleteAll() {
    // A marker puts the map back under it as it goes: the stamped ones go newest first.
    for (Combat* c : StampedNewestFirst())
        c->Marker.reset();
    DeclaredList.clear();
    ReceivedList.clear();
}

std::unique_ptr<CombatList> CaECombats::Make(TWindow* window, HINSTANCE module, TDC* surface) {
    return std::make_unique<CaECombats>(window, module, surface);
}

TPoint CaECombats::NextMarkerPosition(int hexIndex) const {
    const TPoint origin = MapBoard::HexOrigin(hexIndex);
    const int x = origin.x <= 0 ? 25 : origin.x - 9;
    const auto against = [hexIndex](const auto& c) { return c->Data.HexIndex == hexIndex; };
    auto earlier = std::count_if(DeclaredList.begin(), DeclaredList.end(), against);
    // Combats passed on again were declared earlier in this turn, before a save part way
    // through: the opponent gets their markers where they were, so a new one goes below them.
    if (Resend)
        earlier += std::count_if(ReceivedList.begin(), ReceivedList.end(), against);
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
    for (Combat* c : StampedNewestFirst())
        c->HideMarker(screen, scroll);
}

void CaECombats::ShowResults(int hexIndex) {
    for (auto& c : DeclaredList)
        c->ShowResult(Window, hexIndex);
    for (auto& c : ReceivedList)
        c->ShowResult(Window, hexIndex);
}

void CaECombats::ReportUnreadable(const std::string& fileName, const std::string& reason) {
    const std::string text = "The combats of the file\n" + fileName +
                             "\ncould not be read: " + reason +
                             ".\nThe turn is shown without them.";
    TApplication::MessageBox(Window, text.c_str(), "Damaged Combat File",
                             MB_OK | MB_ICONEXCLAMATION);
}

void CaECombats::ReadFile(const std::string& fileName) {
    if (!TFileWriter::PathExists(fileName))
        return;
    // The whole file is checked before anything is built from it.
    const ParsedCombatFile parsed = CombatFile::ReadFile(fileName);
    if (!parsed.Ok()) {
        const bool unreadable = parsed.Fault == ParsedCombatFile::FaultKind::Unreadable;
        ReportUnreadable(fileName,
                         (unreadable ? "the file cannot be opened (" : "the file is damaged (") +
                             parsed.Reason + ")");
        return;
    }
    DeleteAll();
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
    const auto resent = Resend ? ReceivedList.size() : 0;
    out.WriteInt32(std::int32_t(std::size_t(resolved) + resent));
    for (const auto& c : DeclaredList)
        if (c->Marker)
            CombatFile::WriteRecord(out, c->Data, *c->Marker);
    // A received combat's marker writes the place and picture it was read with.
    if (Resend)
        for (const auto& c : ReceivedList)
            CombatFile::WriteRecord(out, c->Data, *c->Marker);
    return bytes;
}

bool CaECombats::WriteFile(const std::string& fileName) {
    return TFileWriter::WriteAll(fileName, FileBytes());
}

std::vector<CombatList::Entry> CaECombats::Entries() const {
    std::vector<Entry> entries;
    const auto add = [&entries](const CaECombat& c, bool received) {
        entries.push_back(
            {c.Data.HexIndex, c.Data.Odds, c.Data.DieRoll, c.Data.Comments, received});
    };
    for (const auto& c : ReceivedList)
        add(*c, true);
    // The declared list keeps the newest first.
    for (auto c = DeclaredList.rbegin(); c != DeclaredList.rend(); ++c)
        add(**c, false);
    return entries;
}
