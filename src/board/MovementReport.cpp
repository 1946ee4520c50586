#include "MovementReport.h"

#include "CompanionFileName.h"
#include "KVKMap.h"
#include "UnitRoster.h"

#include <fstream>

namespace {

void PadTo(std::string& text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
}

const char* NoteFor(const Counter& c, int current, int start) {
    if (c.Mark == Counter::Rail)
        return "- Rail";
    if (c.Mark == Counter::Replacement)
        return "- Repl";
    if (current == start)
        return "- Did not move";
    return "";
}

} // namespace

std::string MovementReport::Text(const KVKMap& board) {
    if (!board.TurnLoaded)
        return {};
    std::string out = Header;
    for (int i = 0; i < KVKMap::Units; ++i) {
        const Counter& c = *board.GetCounter(i);
        const int current = MapBoard::HexAt(c.Position);
        const int start = MapBoard::HexAt(c.Start);
        if (MapBoard::IsOnBoard(current) || MapBoard::IsOnBoard(start)) {
            std::string line = c.Label, from, to;
            PadTo(line, 19);
            MapBoard::HexLabel(start, from, true);
            PadTo(from, 12);
            MapBoard::HexLabel(current, to, true);
            PadTo(to, 10);
            out += line + from + to + NoteFor(c, current, start) + "\n";
        }
        if (i == UnitRoster::LastSoviet)
            out += Separator;
    }
    return out;
}

void KVKMap::WriteMovementReport(std::string unitFileName) {
    if (!TurnLoaded)
        return;
    // Text mode: line ends are the platform's own. An older report is replaced, and a report
    // that cannot be created is skipped without a word, as the save goes on regardless.
    std::ofstream report(CompanionFileName(unitFileName, ".txt"), std::ios::out | std::ios::trunc);
    if (!report.good())
        return;
    report << MovementReport::Text(*this);
}
