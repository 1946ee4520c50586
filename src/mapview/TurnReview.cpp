#include "TurnReview.h"

#include "TReadFile.h"
#include "TurnFile.h"
#include "UnitRoster.h"

#include <string>

namespace {

std::string HexText(int hex) {
    std::string label;
    MapBoard::HexLabel(hex, label, true);
    return label;
}

// "label   C2314 » C2517   Rail": the arrow is the Windows-1252 right guillemet.
std::string MoveText(int unit, int from, int to, const std::string& note) {
    std::string text(UnitRoster::Label(unit));
    text += "   " + HexText(from) + " \xbb " + HexText(to);
    if (!note.empty())
        text += "   " + note;
    return text;
}

std::string CombatText(const CombatList::Entry& c) {
    std::string text = HexText(c.HexIndex) + "   " + c.Odds;
    if (!c.DieRoll.empty())
        text += "   die " + c.DieRoll;
    if (!c.Comments.empty())
        text += "   " + c.Comments;
    text += c.Received ? "   (received)" : "   (declared)";
    return text;
}

std::string Heading(const char* name, std::size_t count) {
    return std::string(name) + " (" + std::to_string(count) + ")";
}

} // namespace

void TurnReview::ReadReport(const std::string& unitFileName,
                            const std::array<CounterRecord, KVKMap::Units>& units) {
    TReadFile file(TurnFile::ReportFileName(unitFileName));
    std::string text;
    if (!file.IsOpen() || !file.ReadAll(text, ReportLimit) || text.size() > ReportLimit) {
        Forget();
        Status = NoReport;
        return;
    }
    TakeReport(ReceivedMoves::Match(text, units));
}

void TurnReview::TakeReport(const ReceivedMoves& moves) {
    ReceivedList = moves.Moves;
    Status = moves.Ok() ? std::string()
                        : "The movement report does not match this turn (line " +
                              std::to_string(moves.FaultLine) + ")";
}

void TurnReview::Forget() {
    ReceivedList.clear();
    Status.clear();
}

void TurnReview::Update(KVKMap& board) {
    const Row was = SelectedRow >= 0 ? RowList[std::size_t(SelectedRow)] : Row{};
    RowList.clear();

    RowList.push_back({RowKind::Heading, Heading("Received moves", ReceivedList.size())});
    for (const ReceivedMoves::Move& m : ReceivedList)
        RowList.push_back({RowKind::Received, MoveText(m.Unit, m.From, m.To, m.Note), m.From, m.To,
                           m.Note == "Rail"});

    const std::vector<CombatList::Entry> combats =
        board.TurnLoaded ? board.Combats().Entries() : std::vector<CombatList::Entry>{};
    RowList.push_back({RowKind::Heading, Heading("Combats", combats.size())});
    for (const CombatList::Entry& c : combats)
        RowList.push_back({RowKind::Combat, CombatText(c), -1, c.HexIndex});

    const std::size_t ownHeading = RowList.size();
    RowList.push_back({RowKind::Heading, ""});
    if (board.TurnLoaded) {
        const auto records = board.Records();
        for (int u = 0; u < KVKMap::Units; ++u) {
            const CounterRecord& r = records[std::size_t(u)];
            if (r.HexIndex == r.StartIndex)
                continue;
            const bool rail = r.Mark == Counter::Rail;
            const std::string note = rail                             ? "Rail"
                                     : r.Mark == Counter::Replacement ? "Repl"
                                                                      : std::string();
            RowList.push_back({RowKind::Own, MoveText(u, r.StartIndex, r.HexIndex, note),
                               r.StartIndex, r.HexIndex, rail});
        }
    }
    RowList[ownHeading].Text = Heading("Own moves", RowList.size() - ownHeading - 1);

    SelectedRow = -1;
    if (was.Kind != RowKind::Heading)
        for (std::size_t i = 0; i < RowList.size(); ++i)
            if (RowList[i].Kind == was.Kind && RowList[i].Text == was.Text) {
                SelectedRow = int(i);
                break;
            }
}

bool TurnReview::Select(int row) {
    if (row < 0 || row >= int(RowList.size()) || RowList[std::size_t(row)].Kind == RowKind::Heading)
        return false;
    SelectedRow = row;
    return true;
}

int TurnReview::StepTarget(int direction) const {
    const int count = int(RowList.size());
    int row = SelectedRow >= 0 ? SelectedRow + direction : (direction > 0 ? 0 : count - 1);
    for (; row >= 0 && row < count; row += direction)
        if (RowList[std::size_t(row)].Kind != RowKind::Heading)
            return row;
    return -1;
}

bool TurnReview::CanStep(int direction) const {
    return StepTarget(direction) >= 0;
}

bool TurnReview::Step(int direction) {
    const int row = StepTarget(direction);
    return row >= 0 && Select(row);
}

TPoint TurnReview::HexCentre(int hex) {
    return MapBoard::HexOrigin(hex) + TPoint(MapBoard::BodyWidth / 2, MapBoard::BodyHeight / 2);
}

std::vector<TArrow> TurnReview::Arrows(bool showMoves) const {
    std::vector<TArrow> arrows;
    const auto arrowOf = [](const Row& row, bool selected) {
        const TColor colour = row.Kind == RowKind::Received ? ReceivedColor
                              : row.Kind == RowKind::Own    ? OwnColor
                                                            : CombatColor;
        const TPoint to = HexCentre(row.To);
        const TPoint from = row.Kind == RowKind::Combat || row.From < 0 ? to : HexCentre(row.From);
        return TArrow{from, to, colour, row.Rail, selected};
    };
    for (std::size_t i = 0; i < RowList.size(); ++i) {
        const Row& row = RowList[i];
        const bool selected = int(i) == SelectedRow;
        const bool move = row.Kind == RowKind::Received || row.Kind == RowKind::Own;
        // A move from off the map has no arrow until it is selected; the selection is drawn
        // last, over every other arrow.
        if (selected || row.To < 0 || !showMoves || !move || row.From < 0)
            continue;
        arrows.push_back(arrowOf(row, false));
    }
    if (SelectedRow >= 0 && RowList[std::size_t(SelectedRow)].To >= 0)
        arrows.push_back(arrowOf(RowList[std::size_t(SelectedRow)], true));
    return arrows;
}

TPoint TurnReview::SelectedPoint() const {
    if (SelectedRow < 0)
        return MapBoard::NoPoint;
    const Row& row = RowList[std::size_t(SelectedRow)];
    if (row.To < 0)
        return MapBoard::NoPoint;
    const TPoint to = HexCentre(row.To);
    if (row.Kind == RowKind::Combat || row.From < 0)
        return to;
    const TPoint from = HexCentre(row.From);
    return {(from.x + to.x) / 2, (from.y + to.y) / 2};
}
