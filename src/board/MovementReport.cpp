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

const char* NoteFor(int mark, int current, int start) {
    if (mark == Counter::Rail)
        return "- Rail";
    if (mark == Counter::Replacement)
        return "- Repl";
    if (current == start)
        return "- Did not move";
    return "";
}

} // namespace

std::string MovementReport::Text(const std::array<CounterRecord, UnitRoster::Units>& records) {
    std::string out = Header;
    for (int i = 0; i < UnitRoster::Units; ++i) {
        const CounterRecord& r = records[std::size_t(i)];
        if (MapBoard::IsOnBoard(r.HexIndex) || MapBoard::IsOnBoard(r.StartIndex)) {
            std::string line(UnitRoster::Label(i)), from, to;
            PadTo(line, 19);
            MapBoard::HexLabel(r.StartIndex, from, true);
            PadTo(from, 12);
            MapBoard::HexLabel(r.HexIndex, to, true);
            PadTo(to, 10);
            out += line + from + to + NoteFor(r.Mark, r.HexIndex, r.StartIndex) + "\n";
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
    report << MovementReport::Text(Records());
}
