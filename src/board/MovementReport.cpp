#include "MovementReport.h"

#include "CompanionFileName.h"
#include "KVKMap.h"
#include "TFileWriter.h"
#include "UnitRoster.h"

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
    // An older report is replaced only by a complete new one, never cut short by a write that
    // fails or stops half way; a report that cannot be written is skipped without a word, as
    // the save goes on regardless.
    TFileWriter::WriteAll(CompanionFileName(unitFileName, ".txt"), MovementReport::Text(Records()));
}
