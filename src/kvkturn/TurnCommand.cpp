#include "TurnCommand.h"

#include "CombatFile.h"
#include "CompanionFileName.h"
#include "FileNameText.h"
#include "MapBoard.h"
#include "MovementReport.h"
#include "ReceivedMoves.h"
#include "TFileWriter.h"
#include "UnitFile.h"
#include "UnitRoster.h"
#include "Windows1252.h"

#include <cstdio>
#include <optional>
#include <ostream>

namespace {

const char* const MarkNames[] = {"none", "surrendered", "rail", "replacement"};

struct Turn {
    std::string UnitFileName;
    UnitFile::Records Units;
    std::string CombatFileName;
    /** Empty when the turn has no combat file. */
    std::optional<std::vector<CombatRecord>> Combats;
};

class Failure {
public:
    explicit Failure(std::string message) : Message(std::move(message)) {}
    std::string Message;
};

std::string HexName(int hex) {
    std::string label;
    MapBoard::HexLabel(hex, label, true);
    return label;
}

bool OnMap(const CounterRecord& r) {
    return MapBoard::IsOnBoard(r.HexIndex) || MapBoard::IsOnBoard(r.StartIndex);
}

/** A file name as the terminal shows it: in the system's file-name encoding, as UTF-8. */
std::string Name(const std::string& fileName) {
    return FileNameText::ToUtf8(fileName);
}

/** A text of the files as the terminal shows it: decoded from the game's code page. */
std::string Readable(const std::string& bytes) {
    return Windows1252::Decode(bytes).toStdString();
}

UnitFile::Records ReadUnits(const std::string& fileName) {
    if (!TFileWriter::PathExists(fileName))
        throw Failure(Name(fileName) + ": no such file");
    const ParsedUnitFile parsed = UnitFile::ReadFile(fileName);
    if (!parsed.Ok())
        throw Failure(Name(fileName) +
                      (parsed.Unreadable ? ": cannot be read: " : ": damaged unit file: ") +
                      parsed.Reason);
    return parsed.Records;
}

Turn ReadTurn(const std::string& unitFileName, bool withCombats) {
    Turn turn;
    turn.UnitFileName = unitFileName;
    turn.Units = ReadUnits(unitFileName);
    turn.CombatFileName = CompanionFileName(unitFileName, ".cbt");
    if (!withCombats || !TFileWriter::PathExists(turn.CombatFileName))
        return turn;
    ParsedCombatFile parsed = CombatFile::ReadFile(turn.CombatFileName);
    if (!parsed.Ok())
        throw Failure(Name(turn.CombatFileName) +
                      (parsed.Fault == ParsedCombatFile::FaultKind::Unreadable
                           ? ": cannot be read: "
                           : ": damaged combat file: ") +
                      parsed.Reason);
    turn.Combats = std::move(parsed.Records);
    return turn;
}

std::string Padded(std::string text, std::size_t width) {
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

void ShowText(const Turn& turn, std::ostream& out) {
    int onMap = 0;
    for (const CounterRecord& r : turn.Units)
        onMap += OnMap(r) ? 1 : 0;
    out << "Turn " << Name(turn.UnitFileName) << "\n"
        << onMap << " of " << UnitFile::Units << " units on the map\n";
    for (int unit = 0; unit < UnitFile::Units; ++unit) {
        if (unit == 0 || unit == UnitRoster::LastSoviet + 1)
            out << "\n"
                << (unit == 0 ? "Soviet" : "Axis") << "\n"
                << "  Unit                Start       Now         Mark\n";
        const CounterRecord& r = turn.Units[std::size_t(unit)];
        if (!OnMap(r))
            continue;
        out << "  " << Padded(std::string(UnitRoster::Label(unit)), 20)
            << Padded(HexName(r.StartIndex), 12)
            << (r.Mark == 0 ? HexName(r.HexIndex)
                            : Padded(HexName(r.HexIndex), 12) + MarkNames[r.Mark])
            << "\n";
    }
    out << "\n";
    if (!turn.Combats) {
        out << "No combat file (" << Name(turn.CombatFileName) << ")\n";
        return;
    }
    out << turn.Combats->size() << (turn.Combats->size() == 1 ? " combat" : " combats") << " in "
        << Name(turn.CombatFileName) << "\n";
    for (const CombatRecord& c : *turn.Combats)
        out << "  Hex " << Padded(HexName(c.Data.HexIndex), 10) << " odds "
            << Padded(Readable(c.Data.Odds), 5) << " die " << Padded(Readable(c.Data.DieRoll), 2)
            << " " << Readable(c.Data.Comments) << "\n";
}

std::string Json(const std::string& utf8) {
    std::string out = "\"";
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

std::string JsonHex(int hex) {
    return "{\"index\": " + std::to_string(hex) + ", \"label\": " + Json(HexName(hex)) + "}";
}

void ShowJson(const Turn& turn, std::ostream& out) {
    out << "{\n  \"unitFile\": " << Json(Name(turn.UnitFileName)) << ",\n  \"units\": [";
    bool first = true;
    for (int unit = 0; unit < UnitFile::Units; ++unit) {
        const CounterRecord& r = turn.Units[std::size_t(unit)];
        if (!OnMap(r))
            continue;
        out << (first ? "\n" : ",\n") << "    {\"unit\": " << unit
            << ", \"label\": " << Json(std::string(UnitRoster::Label(unit)))
            << ", \"side\": " << (unit <= UnitRoster::LastSoviet ? "\"Soviet\"" : "\"Axis\"")
            << ", \"start\": " << JsonHex(r.StartIndex) << ", \"current\": " << JsonHex(r.HexIndex)
            << ", \"mark\": " << Json(MarkNames[r.Mark]) << "}";
        first = false;
    }
    out << (first ? "]" : "\n  ]") << ",\n  \"combatFile\": ";
    if (!turn.Combats) {
        out << "null,\n  \"combats\": []\n}\n";
        return;
    }
    out << Json(Name(turn.CombatFileName)) << ",\n  \"combats\": [";
    first = true;
    for (const CombatRecord& c : *turn.Combats) {
        out << (first ? "\n" : ",\n") << "    {\"hex\": " << JsonHex(c.Data.HexIndex)
            << ", \"odds\": " << Json(Readable(c.Data.Odds))
            << ", \"dieRoll\": " << Json(Readable(c.Data.DieRoll))
            << ", \"comment\": " << Json(Readable(c.Data.Comments))
            << ", \"marker\": {\"x\": " << c.MarkerPosition.x << ", \"y\": " << c.MarkerPosition.y
            << ", \"picture\": " << c.MarkerImage << "}}";
        first = false;
    }
    out << (first ? "]" : "\n  ]") << "\n}\n";
}

/** The largest movement report: its header, a line for every unit and the separator. */
constexpr std::size_t MaxReportSize = 64 * 1024;

/** The moves of the turn from the report beside its unit file; a Failure when it disagrees. */
ReceivedMoves ReadMoves(const Turn& turn) {
    const std::string name = CompanionFileName(turn.UnitFileName, ".txt");
    if (!TFileWriter::PathExists(name))
        throw Failure(Name(name) + ": no movement report");
    std::string text, why;
    if (!TFileWriter::ReadAll(name, text, &why, MaxReportSize))
        throw Failure(Name(name) + ": cannot be read: " + why);
    if (text.size() > MaxReportSize)
        throw Failure(Name(name) + ": too large to be a movement report");
    ReceivedMoves moves = ReceivedMoves::Match(text, turn.Units);
    if (!moves.Ok())
        throw Failure(Name(name) + ": the movement report does not match this turn (line " +
                      std::to_string(moves.FaultLine) + "): " + moves.Reason);
    return moves;
}

void ShowMoves(const ReceivedMoves& moves, bool json, std::ostream& out) {
    if (!json) {
        out << moves.HeaderLine << "\n";
        for (const ReceivedMoves::Move& m : moves.Moves)
            out << m.Line << "\n";
        return;
    }
    out << "[";
    bool first = true;
    for (const ReceivedMoves::Move& m : moves.Moves) {
        out << (first ? "\n" : ",\n") << "  {\"unit\": " << m.Unit
            << ", \"label\": " << Json(std::string(UnitRoster::Label(m.Unit)))
            << ", \"from\": " << Json(m.From < 0 ? "Off board" : HexName(m.From))
            << ", \"to\": " << Json(HexName(m.To)) << ", \"note\": " << Json(m.Note) << "}";
        first = false;
    }
    out << (first ? "]\n" : "\n]\n");
}

} // namespace

const char* TurnCommand::Usage() {
    return "usage: kvkturn show TURN.kvk [--json]\n"
           "       kvkturn report TURN.kvk\n"
           "       kvkturn check TURN.kvk\n"
           "       kvkturn moves TURN.kvk [--json]\n"
           "Reads a turn's unit file and the combat file beside it (TURN.cbt).\n"
           "  show    every unit on the map and every combat, as text or as JSON\n"
           "  report  the movement report that saving this turn writes\n"
           "  check   checks both files, and the movement report (TURN.txt) when there is one;\n"
           "          exit status 0 when sound, 1 when not\n"
           "  moves   the moves of the turn, from its movement report matched to its units\n";
}

int TurnCommand::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        out << Usage();
        return Done;
    }
    std::vector<std::string> words;
    bool json = false;
    for (const std::string& a : args) {
        if (a == "--json")
            json = true;
        else
            words.push_back(a);
    }
    const bool known = words.size() == 2 && (words[0] == "show" || words[0] == "report" ||
                                             words[0] == "check" || words[0] == "moves");
    if (!known || (json && words[0] != "show" && words[0] != "moves") || words[1].empty()) {
        err << Usage();
        return BadUsage;
    }
    const std::string& command = words[0];
    try {
        const Turn turn = ReadTurn(words[1], command != "report" && command != "moves");
        if (command == "show") {
            if (json)
                ShowJson(turn, out);
            else
                ShowText(turn, out);
        } else if (command == "report") {
            out << MovementReport::Text(turn.Units);
        } else if (command == "moves") {
            ShowMoves(ReadMoves(turn), json, out);
        } else {
            out << Name(turn.UnitFileName) << ": sound unit file\n";
            if (turn.Combats)
                out << Name(turn.CombatFileName) << ": sound combat file, " << turn.Combats->size()
                    << (turn.Combats->size() == 1 ? " combat\n" : " combats\n");
            else
                out << Name(turn.CombatFileName) << ": none (a turn without combats)\n";
            const std::string report = CompanionFileName(turn.UnitFileName, ".txt");
            if (TFileWriter::PathExists(report)) {
                const ReceivedMoves moves = ReadMoves(turn);
                out << Name(report) << ": the movement report matches, " << moves.Moves.size()
                    << (moves.Moves.size() == 1 ? " move\n" : " moves\n");
            }
        }
    } catch (const Failure& f) {
        err << "kvkturn: " << f.Message << "\n";
        return BadFile;
    }
    return Done;
}
