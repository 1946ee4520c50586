#pragma once

#include "BoardProbe.h"
#include "KVKWindow.h"
#include "TurnFormats.h"

#include <algorithm>
#include <map>

/**
 * The game as the player expects it after each action, kept apart from the program and worked
 * out from the game's rules: every stack, every unit's start hex and mark, the combats with
 * their markers, what the map shows, the move Undo would take back, whether the turn has
 * unsaved changes, and the turns saved so far.
 */
class GameModel {
public:
    /** A turn's unit and combat files. */
    struct Turn {
        UnitFile::Records Units{};
        std::vector<CombatRecord> Combats;
        /** Saved by the player, not received: its combats are passed on again. */
        bool Own = false;
    };
    /** What a save must write: the turn's files and its movement report. */
    struct Save {
        std::string Name;
        Turn Files;
        std::string Report;
    };

    /** Opens a turn: each hex's units stacked in unit order, the combats read all shown. */
    void Open(const Turn& turn) {
        for (auto& stack : Stacks)
            stack.clear();
        Units = turn.Units;
        for (std::size_t u = 0; u < Units.size(); ++u)
            Stacks[std::size_t(Units[u].HexIndex)].push_back(int(u));
        Declared.clear();
        Received = turn.Combats;
        Resend = turn.Own;
        ShowAllMarkers();
        Modified = false;
        Forget();
    }
    /** A save as the turn stands now; at the end of the turn every unit starts where it is. */
    Save Saved(const std::string& name, bool endOfTurn) const {
        Save save{name, {Units, FileCombats(), true}, TurnFormats::Report(Units)};
        if (endOfTurn)
            for (CounterRecord& u : save.Files.Units)
                u.StartIndex = u.HexIndex;
        return save;
    }

    int Top(int hex) const {
        const auto& s = Stacks[std::size_t(hex)];
        return s.empty() ? -1 : s.back();
    }
    int Count(int hex) const { return int(Stacks[std::size_t(hex)].size()); }
    bool HasMoved(int unit) const {
        return Units[std::size_t(unit)].HexIndex != Units[std::size_t(unit)].StartIndex;
    }
    bool CanUndo() const { return UndoFrom >= 0 && !Zoomed; }
    void MoveTop(int from, int to) {
        auto& source = Stacks[std::size_t(from)];
        if (source.empty())
            return;
        Stacks[std::size_t(to)].push_back(source.back());
        Units[std::size_t(source.back())].HexIndex = to;
        source.pop_back();
    }
    /** A move Undo Last Move can take back. */
    void MoveUndoably(int from, int to) {
        MoveTop(from, to);
        UndoFrom = from;
        UndoTo = to;
        Modified = true;
    }
    /** The bottom counter goes to the top. */
    void Rotate(int hex) {
        auto& s = Stacks[std::size_t(hex)];
        if (!s.empty())
            std::rotate(s.begin(), s.begin() + 1, s.end());
    }
    /** The top counter's mark steps on: none, surrendered, rail, replaced, none again. */
    void CycleMark(int hex) {
        if (const int unit = Top(hex); unit >= 0)
            Units[std::size_t(unit)].Mark = (Units[std::size_t(unit)].Mark + 1) % 4;
    }
    void Forget() { UndoFrom = UndoTo = -1; }
    /** Show All draws every marker in list order: the declared ones, then the received. */
    void ShowAllMarkers() {
        Shown.clear();
        for (const auto* list : {&Declared, &Received})
            for (const CombatRecord& c : *list)
                Shown.push_back({c.MarkerPosition, c.MarkerImage});
    }

    /**
     * Where the marker of the next combat against a hex goes: 9 pixels left of the hex (at 25
     * beside the first column), 6 below its top, and 9 lower for every earlier combat against
     * it declared in this turn, the received ones that are passed on again included.
     */
    TPoint NextMarker(int hex) const {
        const auto against = [hex](const CombatRecord& c) { return c.Data.HexIndex == hex; };
        auto earlier = std::count_if(Declared.begin(), Declared.end(), against);
        if (Resend)
            earlier += std::count_if(Received.begin(), Received.end(), against);
        const TPoint origin = HexGrid::Origin(hex);
        return {origin.x <= 0 ? 25 : origin.x - 9, origin.y + 6 + 9 * int(earlier)};
    }
    /** A combat declared and rolled: its marker placed and shown, the die's digit in red. */
    void Declare(const CombatStruct& combat) {
        const CombatRecord record{combat, NextMarker(combat.HexIndex),
                                  8506 + combat.DieRoll[0] - '1'};
        Declared.insert(Declared.begin(), record);
        Shown.push_back({record.MarkerPosition, record.MarkerImage});
    }
    /** The combats a save writes: the declared ones, each marker 34 pixels further right and
     *  in green (the picture 6 on), then the received ones if they are passed on. */
    std::vector<CombatRecord> FileCombats() const {
        std::vector<CombatRecord> records = Declared;
        for (CombatRecord& c : records) {
            c.MarkerPosition += TPoint(34, 0);
            c.MarkerImage += 6;
        }
        if (Resend)
            records.insert(records.end(), Received.begin(), Received.end());
        return records;
    }

    std::array<std::vector<int>, HexGrid::HexCount> Stacks; // units, bottom first
    UnitFile::Records Units{};
    std::vector<CombatRecord> Declared; // newest first, the markers as on this map
    std::vector<CombatRecord> Received; // in file order
    bool Resend = false;
    std::vector<BoardProbe::MarkerPicture> Shown; // the markers on the map, in drawing order
    bool Modified = false;
    bool Zoomed = false;
    bool MoveAll = false;
    int LeftMode = KVKWindow::ModeMoveId;
    int RightMode = KVKWindow::ModeRotateId;
    // Undo Last Move puts the top counter of UndoTo back onto UndoFrom.
    int UndoFrom = -1;
    int UndoTo = -1;
    std::map<std::string, Turn> SavedTurns; // by unit file name
};
