#include "ReceivedMoves.h"

#include "MapBoard.h"
#include "MovementReport.h"

#include <string>
#include <unordered_map>

namespace {

constexpr std::size_t LabelWidth = 19, FromWidth = 12, ToWidth = 10;

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string Label(int hex) {
    std::string label;
    MapBoard::HexLabel(hex, label, true);
    return label;
}

// The hex of a label as the report writes it; -1 for "Off board" or a label of no hex. The
// labels of the board's hexes are worked out once, so matching a whole report stays quick.
int HexOfLabel(std::string_view label) {
    static const std::unordered_map<std::string, int> hexes = [] {
        std::unordered_map<std::string, int> byLabel;
        for (int hex = 0; hex < MapBoard::HexCount; ++hex)
            if (MapBoard::IsOnBoard(hex))
                byLabel.emplace(Label(hex), hex);
        return byLabel;
    }();
    const auto found = hexes.find(std::string(label));
    return found == hexes.end() ? -1 : found->second;
}

// The fields of a line that belongs to the unit's label: From and To (trimmed) and the note.
struct Fields {
    std::string_view From, To, Note;
};

bool Split(std::string_view line, std::string_view label, Fields& out) {
    const std::size_t width = std::max(label.size(), LabelWidth);
    if (line.size() < width + FromWidth || !line.starts_with(label) ||
        Trimmed(line.substr(0, width)) != label)
        return false;
    line.remove_prefix(width);
    out.From = Trimmed(line.substr(0, FromWidth));
    line.remove_prefix(FromWidth);
    out.To = Trimmed(line.substr(0, std::min(line.size(), ToWidth)));
    out.Note = line.size() > ToWidth ? line.substr(ToWidth) : std::string_view();
    return out.Note.empty() || out.Note == "- Rail" || out.Note == "- Repl" ||
           out.Note == "- Did not move";
}

bool OnMap(const CounterRecord& r) {
    return MapBoard::IsOnBoard(r.HexIndex);
}

} // namespace

ReceivedMoves ReceivedMoves::Match(std::string_view report,
                                   const std::array<CounterRecord, UnitRoster::Units>& units) {
    ReceivedMoves result;
    const std::vector<std::string_view> lines = Lines(report);
    auto fail = [&result](std::size_t line, std::string reason) {
        result.FaultLine = int(line) + 1;
        result.Reason = std::move(reason);
        result.Moves.clear();
        return result;
    };
    if (lines.empty() || std::string(lines[0]) + "\n" != MovementReport::Header)
        return fail(0, "the header is not a movement report's");
    result.HeaderLine = std::string(lines[0]);

    int next = 0; // the first unit that may own the next line
    bool separated = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty()) {
            // The separator: an empty line, 33 tildes, an empty line, once, after the Soviets.
            if (separated || i + 2 >= lines.size() || lines[i + 1] != std::string(33, '~') ||
                !lines[i + 2].empty())
                return fail(i, "the separator is not where it belongs");
            for (; next <= UnitRoster::LastSoviet; ++next)
                if (OnMap(units[std::size_t(next)]))
                    return fail(i, "no line for " + std::string(UnitRoster::Label(next)) +
                                       ", on the map at " +
                                       Label(units[std::size_t(next)].HexIndex));
            separated = true;
            i += 2;
            continue;
        }
        int owner = -1;
        Fields fields;
        const int last = separated ? UnitRoster::Units - 1 : UnitRoster::LastSoviet;
        for (int u = next; u <= last && owner < 0; ++u) {
            const CounterRecord& r = units[std::size_t(u)];
            if (Split(line, UnitRoster::Label(u), fields) && fields.To == Label(r.HexIndex))
                owner = u;
            else if (OnMap(r))
                break; // a unit on the map must have its line before any later unit's
        }
        if (owner < 0)
            return fail(i, "the line belongs to no unit of this turn where it stands");
        next = owner + 1;
        const CounterRecord& r = units[std::size_t(owner)];
        if (fields.From == fields.To || r.StartIndex != r.HexIndex)
            continue; // did not move, or the player's own move of a turn saved part way
        Move move;
        move.Unit = owner;
        move.From = HexOfLabel(fields.From);
        move.To = r.HexIndex;
        if (fields.Note.size() > 2 && fields.Note != "- Did not move")
            move.Note = std::string(fields.Note.substr(2));
        move.Line = std::string(line);
        result.Moves.push_back(std::move(move));
    }
    if (!separated)
        return fail(lines.size(), "the separator is missing");
    for (; next < UnitRoster::Units; ++next)
        if (OnMap(units[std::size_t(next)]))
            return fail(lines.size(), "no line for " + std::string(UnitRoster::Label(next)) +
                                          ", on the map at " +
                                          Label(units[std::size_t(next)].HexIndex));
    return result;
}
